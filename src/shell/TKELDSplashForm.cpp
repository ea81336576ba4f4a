#include "TKELDSplashForm.h"

#include "Clock.h"
#include "ProductArt.h"
#include "TAboutInfo.h"

#include <QCoreApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QThread>
#include <QVBoxLayout>
#include <QWindow>

namespace {

QLabel *makeLabel(QWidget *parent, const char *name, Qt::Alignment alignment)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setAlignment(alignment);
    label->setWordWrap(true);
    return label;
}

} // namespace

TKELDSplashForm::TKELDSplashForm(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setWindowTitle(tr("Loading..."));
    setAccessibleName(tr("Loading..."));

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(2);
    panel->setAutoFillBackground(true);
    outer->addWidget(panel);

    const qreal dpr = devicePixelRatioF();
    ProgramIcon = new QLabel(panel);
    ProgramIcon->setObjectName(QStringLiteral("ProgramIcon"));
    ProgramIcon->setPixmap(ProductArt::picture(96, dpr));
    ProgramIcon->setAccessibleName(tr("Program picture"));
    TitleImage = new QLabel(panel);
    TitleImage->setObjectName(QStringLiteral("TitleImage"));

    HeadingLabel = makeLabel(panel, "HeadingLabel", Qt::AlignCenter);
    QFont heading = HeadingLabel->font();
    heading.setPointSizeF(heading.pointSizeF() * 1.4);
    heading.setBold(true);
    HeadingLabel->setFont(heading);
    VersionLabel = makeLabel(panel, "VersionLabel", Qt::AlignLeft);
    PlatformLabel = makeLabel(panel, "PlatformLabel", Qt::AlignLeft);
    CopyrightLabel = makeLabel(panel, "CopyrightLabel", Qt::AlignLeft);
    CompanyLabel = makeLabel(panel, "CompanyLabel", Qt::AlignLeft);
    WarningLabel = makeLabel(panel, "WarningLabel", Qt::AlignCenter);
    QFont small = WarningLabel->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    WarningLabel->setFont(small);

    auto *text = new QVBoxLayout;
    text->setSpacing(4);
    text->addWidget(TitleImage);
    text->addSpacing(6);
    text->addWidget(VersionLabel);
    text->addWidget(PlatformLabel);
    text->addSpacing(6);
    text->addWidget(CompanyLabel);
    text->addWidget(CopyrightLabel);
    text->addStretch();

    auto *middle = new QHBoxLayout;
    middle->setSpacing(18);
    middle->addWidget(ProgramIcon, 0, Qt::AlignTop);
    middle->addLayout(text, 1);

    auto *line = new QFrame(panel);
    line->setFrameStyle(QFrame::HLine | QFrame::Sunken);

    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(22, 16, 22, 14);
    layout->setSpacing(10);
    layout->addWidget(HeadingLabel);
    layout->addLayout(middle);
    layout->addWidget(line);
    layout->addWidget(WarningLabel);

    setFixedWidth(480);
    fill(TAboutInfo::product());
}

void TKELDSplashForm::fill(const TAboutInfo &info)
{
    TitleImage->setPixmap(ProductArt::titleImage(info.applicationName, 48, devicePixelRatioF()));
    TitleImage->setAccessibleName(info.applicationName);
    VersionLabel->setText(tr("Version %1").arg(info.version));
    HeadingLabel->setText(info.headingCompany);
    CopyrightLabel->setText(info.copyright);
    PlatformLabel->setText(info.platform);
    WarningLabel->setText(info.warning);
    CompanyLabel->setText(info.companyName);
}

void TKELDSplashForm::showNow()
{
    adjustSize();
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (parentWidget() && parentWidget()->screen())
        screen = parentWidget()->screen();
    if (screen) {
        QRect r = frameGeometry();
        r.moveCenter(screen->availableGeometry().center());
        move(r.topLeft());
    }
    show();
    raise();
    repaint();
    // The window system maps a new window asynchronously; give it a moment to appear so the
    // splash is really on screen before loading keeps the event loop busy.
    const qint64 start = Clock::ticks();
    while (windowHandle() && !windowHandle()->isExposed() && Clock::ticks() - start < 500) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    repaint();
    QCoreApplication::processEvents();
}

std::unique_ptr<TKELDSplashForm> TKELDSplashForm::showSplash()
{
    auto splash = std::make_unique<TKELDSplashForm>();
    splash->fill(TAboutInfo::product());
    splash->showNow();
    return splash;
}
