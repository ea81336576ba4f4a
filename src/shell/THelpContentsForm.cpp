#include "THelpContentsForm.h"

#include "RunGuarded.h"

#include <QHBoxLayout>
#include <QKeySequence>
#include <QPointer>
#include <QShortcut>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>

// The guide is compiled into the shell library; a static library's resources are registered
// only when something asks for them.
static void registerHelpResources() { Q_INIT_RESOURCE(help); }

namespace {

QToolButton *makeButton(QWidget *parent, const char *name, const QString &text,
                        const QString &hint)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setText(text);
    b->setToolTip(hint);
    b->setAccessibleName(hint);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    b->setFocusPolicy(Qt::StrongFocus);
    return b;
}

} // namespace

QUrl THelpContentsForm::contentsUrl()
{
    registerHelpResources();
    return QUrl(QStringLiteral("qrc:/help/vellomar.html"));
}

THelpContentsForm::THelpContentsForm(QWidget *parent) : QWidget(parent, Qt::Window)
{
    registerHelpResources();
    setObjectName(QStringLiteral("HelpContentsForm"));
    setWindowTitle(tr("Vellomar Help"));

    BackButton = makeButton(this, "BackButton", tr("&Back"), tr("Back (Alt+Left)"));
    ForwardButton = makeButton(this, "ForwardButton", tr("&Forward"), tr("Forward (Alt+Right)"));
    ContentsButton = makeButton(this, "ContentsButton", tr("C&ontents"), tr("Contents"));
    CloseButton = makeButton(this, "CloseButton", tr("&Close"), tr("Close help (Esc)"));
    BackButton->setEnabled(false);
    ForwardButton->setEnabled(false);

    Browser = new QTextBrowser(this);
    Browser->setObjectName(QStringLiteral("Browser"));
    Browser->setAccessibleName(tr("Help text"));
    Browser->setOpenExternalLinks(true);

    connect(BackButton, &QToolButton::clicked, this,
            [this] { runGuarded([this] { Browser->backward(); }); });
    connect(ForwardButton, &QToolButton::clicked, this,
            [this] { runGuarded([this] { Browser->forward(); }); });
    connect(ContentsButton, &QToolButton::clicked, this,
            [this] { runGuarded([this] { showContents(); }); });
    connect(CloseButton, &QToolButton::clicked, this, [this] { runGuarded([this] { close(); }); });
    connect(Browser, &QTextBrowser::backwardAvailable, BackButton, &QToolButton::setEnabled);
    connect(Browser, &QTextBrowser::forwardAvailable, ForwardButton, &QToolButton::setEnabled);

    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, [this] { runGuarded([this] { close(); }); });
    auto *back = new QShortcut(QKeySequence::Back, this);
    connect(back, &QShortcut::activated, this,
            [this] { runGuarded([this] { Browser->backward(); }); });
    auto *forward = new QShortcut(QKeySequence::Forward, this);
    connect(forward, &QShortcut::activated, this,
            [this] { runGuarded([this] { Browser->forward(); }); });

    auto *bar = new QHBoxLayout;
    bar->addWidget(BackButton);
    bar->addWidget(ForwardButton);
    bar->addWidget(ContentsButton);
    bar->addStretch();
    bar->addWidget(CloseButton);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(bar);
    layout->addWidget(Browser, 1);

    resize(640, 720);
    Browser->setSource(contentsUrl());
    Browser->setFocus();
}

void THelpContentsForm::showContents()
{
    if (Browser->source() != contentsUrl())
        Browser->setSource(contentsUrl());
    Browser->scrollToAnchor(QStringLiteral("contents"));
}

THelpContentsForm *showHelpContents(QWidget *parent)
{
    static QPointer<THelpContentsForm> open;
    if (!open) {
        open = new THelpContentsForm(parent);
        open->setAttribute(Qt::WA_DeleteOnClose);
    } else {
        open->showContents();
    }
    open->show();
    open->raise();
    open->activateWindow();
    return open;
}
