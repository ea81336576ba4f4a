#include "TKELDAboutForm.h"

#include "DesktopShell.h"
#include "ProductArt.h"
#include "Prompter.h"
#include "RunGuarded.h"
#include "TAboutInfo.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QVBoxLayout>

const QColor TKELDAboutForm::kLinkColor(0, 0, 255);
const QColor TKELDAboutForm::kHoverColor(255, 0, 255);

namespace {

QLabel *makeLabel(QWidget *parent, const char *name)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

// True when the point lies more than one pixel inside the widget's edges.
bool wellInside(const QWidget *w, QPoint p)
{
    const int fromEdge = qMin(qMin(p.x(), p.y()), qMin(w->width() - 1 - p.x(),
                                                        w->height() - 1 - p.y()));
    return fromEdge > 1;
}

} // namespace

TKELDAboutForm::TKELDAboutForm(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint
                          | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("KELDAboutForm"));
    setWindowTitle(tr("About KELD"));

    const qreal dpr = devicePixelRatioF();
    ProgramIcon = makeLabel(this, "ProgramIcon");
    ProgramIcon->setPixmap(ProductArt::picture(64, dpr));
    ProgramIcon->setAccessibleName(tr("Program picture"));
    TitleImage = makeLabel(this, "TitleImage");
    VersionLabel = makeLabel(this, "VersionLabel");
    CompanyLabel = makeLabel(this, "CompanyLabel");
    WebLabel = makeLabel(this, "WebLabel");
    EmailLabel = makeLabel(this, "EmailLabel");
    CopyrightLabel = makeLabel(this, "CopyrightLabel");
    CopyrightLabel->setWordWrap(true);
    WarningLabel = makeLabel(this, "WarningLabel");
    WarningLabel->setWordWrap(true);

    for (QLabel *link : {WebLabel, EmailLabel}) {
        link->setCursor(Qt::PointingHandCursor);
        link->setFocusPolicy(Qt::StrongFocus);
        link->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        link->setAutoFillBackground(false);
        link->installEventFilter(this);
        setLinkColor(link, kLinkColor);
    }

    OkButton = new QPushButton(tr("&Ok"), this);
    OkButton->setObjectName(QStringLiteral("OkButton"));
    OkButton->setDefault(true);
    connect(OkButton, &QPushButton::clicked, this, [this] { runGuarded([this] { accept(); }); });

#ifdef Q_OS_WIN
    const bool hasTool = true;   // looked up in the registry when pressed
#else
    m_systemInfoTool = DesktopShell::systemInformationTool();
    const bool hasTool = !m_systemInfoTool.isEmpty();
#endif
    if (hasTool) {
        SystemInfoButton = new QPushButton(tr("&System Info..."), this);
        SystemInfoButton->setObjectName(QStringLiteral("SystemInfoButton"));
        SystemInfoButton->setAutoDefault(false);
        connect(SystemInfoButton, &QPushButton::clicked, this,
                [this] { runGuarded([this] { SystemInfoButtonClick(); }); });
    }

    auto *links = new QVBoxLayout;
    links->setSpacing(2);
    links->addWidget(WebLabel);
    links->addWidget(EmailLabel);

    auto *text = new QVBoxLayout;
    text->setSpacing(4);
    text->addWidget(TitleImage);
    text->addWidget(VersionLabel);
    text->addSpacing(8);
    text->addWidget(CompanyLabel);
    text->addLayout(links);
    text->addSpacing(8);
    text->addWidget(CopyrightLabel);

    auto *top = new QHBoxLayout;
    top->setSpacing(16);
    top->addWidget(ProgramIcon, 0, Qt::AlignTop);
    top->addLayout(text, 1);

    auto *line = new QFrame(this);
    line->setFrameStyle(QFrame::HLine | QFrame::Sunken);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    if (SystemInfoButton)
        buttons->addWidget(SystemInfoButton);
    buttons->addWidget(OkButton);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->addLayout(top);
    layout->addWidget(line);
    layout->addWidget(WarningLabel);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setMinimumWidth(420);

    fill(TAboutInfo::product());

    // Moving over any part of the box reaches mouseMoveEvent, which resets the links: every
    // widget of the box passes mouse moves on rather than dropping them.
    setMouseTracking(true);
    for (QWidget *w : findChildren<QWidget *>())
        w->setMouseTracking(true);
    OkButton->setFocus();
}

void TKELDAboutForm::fill(const TAboutInfo &info)
{
    TitleImage->setPixmap(ProductArt::titleImage(info.applicationName, 36, devicePixelRatioF()));
    TitleImage->setAccessibleName(info.applicationName);
    VersionLabel->setText(tr("Version %1").arg(info.version));
    CompanyLabel->setText(info.companyName);
    WebLabel->setText(info.webText);
    EmailLabel->setText(info.emailText);
    CopyrightLabel->setText(info.copyright);
    WarningLabel->setText(info.warning);
    m_webLink = info.webLink;
    m_emailLink = info.emailLink;
    WebLabel->setAccessibleName(info.webText);
    WebLabel->setAccessibleDescription(tr("Link: opens %1").arg(info.webLink));
    EmailLabel->setAccessibleName(info.emailText);
    EmailLabel->setAccessibleDescription(tr("Link: writes an e-mail to %1").arg(info.emailText));
}

void TKELDAboutForm::showAbout(QWidget *parent)
{
    TKELDAboutForm box(parent);
    box.adjustSize();
    const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        QRect r = box.frameGeometry();
        r.moveCenter(screen->availableGeometry().center());
        box.move(r.topLeft());
    }
    box.exec();
}

QColor TKELDAboutForm::linkColor(const QLabel *link) const
{
    return link->palette().color(QPalette::WindowText);
}

void TKELDAboutForm::setLinkColor(QLabel *link, const QColor &color)
{
    if (link->palette().color(QPalette::WindowText) == color)
        return;
    QPalette pal = link->palette();
    pal.setColor(QPalette::WindowText, color);
    link->setPalette(pal);
}

bool TKELDAboutForm::eventFilter(QObject *watched, QEvent *event)
{
    auto *link = qobject_cast<QLabel *>(watched);
    if (!link || (link != WebLabel && link != EmailLabel))
        return QDialog::eventFilter(watched, event);

    bool handled = false;
    runGuarded([&] {
        switch (event->type()) {
        case QEvent::MouseMove: {
            const QPoint pos = static_cast<QMouseEvent *>(event)->position().toPoint();
            QLabel *other = link == WebLabel ? EmailLabel : WebLabel;
            setLinkColor(other, kLinkColor);
            setLinkColor(link, wellInside(link, pos) ? kHoverColor : kLinkColor);
            handled = true;
            break;
        }
        case QEvent::Leave:
            setLinkColor(link, kLinkColor);
            break;
        case QEvent::MouseButtonPress:
            if (static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
                m_pressedLink = link;
                handled = true;
            }
            break;
        case QEvent::MouseButtonRelease: {
            const auto *mouse = static_cast<QMouseEvent *>(event);
            if (mouse->button() == Qt::LeftButton) {
                const bool click = m_pressedLink == link
                                   && link->rect().contains(mouse->position().toPoint());
                m_pressedLink = nullptr;
                handled = true;
                if (click)
                    openLink(link);
            }
            break;
        }
        case QEvent::KeyPress: {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
                handled = true;
                openLink(link);
            }
            break;
        }
        case QEvent::FocusIn:
        case QEvent::FocusOut: {
            // The focused link is underlined, so the keyboard user sees where Enter goes.
            QFont f = link->font();
            f.setUnderline(event->type() == QEvent::FocusIn);
            link->setFont(f);
            break;
        }
        default:
            break;
        }
    });
    return handled || QDialog::eventFilter(watched, event);
}

void TKELDAboutForm::mouseMoveEvent(QMouseEvent *event)
{
    runGuarded([this] {
        setLinkColor(WebLabel, kLinkColor);
        setLinkColor(EmailLabel, kLinkColor);
    });
    QDialog::mouseMoveEvent(event);
}

void TKELDAboutForm::leaveEvent(QEvent *event)
{
    runGuarded([this] {
        setLinkColor(WebLabel, kLinkColor);
        setLinkColor(EmailLabel, kLinkColor);
    });
    QDialog::leaveEvent(event);
}

void TKELDAboutForm::openLink(const QLabel *link)
{
    DesktopShell::open(link == WebLabel ? m_webLink : m_emailLink);
}

void TKELDAboutForm::SystemInfoButtonClick()
{
#ifdef Q_OS_WIN
    // The Windows system-information tool registers its path under Shared Tools.
    QSettings key(QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Shared Tools\\MSInfo"),
                  QSettings::NativeFormat);
    if (key.childKeys().isEmpty() && key.childGroups().isEmpty()) {
        Prompter::instance().message(tr("Failed to find MsInfo Key"));
        return;
    }
    const QString path = key.value(QStringLiteral("path")).toString();
    DesktopShell::start(path);
#else
    DesktopShell::start(m_systemInfoTool);
#endif
}
