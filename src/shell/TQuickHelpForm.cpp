#include "TQuickHelpForm.h"

#include "RunGuarded.h"
#include "TScrollTextPanel.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

TQuickHelpForm::TQuickHelpForm(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint
                          | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("QuickHelpForm"));
    setWindowTitle(tr("Quick Help"));

    auto *menuBar = new QMenuBar(this);
    QMenu *edit = menuBar->addMenu(tr("&Edit"));
    Copy1 = edit->addAction(tr("&Copy"));
    Copy1->setObjectName(QStringLiteral("Copy1"));
    Copy1->setShortcut(QKeySequence::Copy);
    connect(Copy1, &QAction::triggered, this, [this] { runGuarded([this] { Copy1Click(); }); });

    ScrollPanel = new TScrollTextPanel(this);
    ScrollPanel->setObjectName(QStringLiteral("ScrollPanel"));
    ScrollPanel->setAccessibleName(tr("Quick help text"));
    ScrollPanel->setLines(helpLines());
    ScrollPanel->setInterval(kStepInterval);

    SlowButton = new QToolButton(this);
    SlowButton->setObjectName(QStringLiteral("SlowButton"));
    SlowButton->setText(tr("Slow"));
    SlowButton->setToolTip(tr("Slow"));
    SlowButton->setAccessibleName(tr("Slow"));
    SlowButton->setCheckable(true);
    SlowButton->setFocusPolicy(Qt::StrongFocus);
    connect(SlowButton, &QToolButton::toggled, this,
            [this](bool slow) { runGuarded([&] { SlowButtonToggled(slow); }); });

    CloseButton = new QPushButton(tr("&Close"), this);
    CloseButton->setObjectName(QStringLiteral("CloseButton"));
    CloseButton->setDefault(true);   // Esc closes the dialog as well
    connect(CloseButton, &QPushButton::clicked, this, [this] { runGuarded([this] { accept(); }); });

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(SlowButton);
    buttons->addStretch();
    buttons->addWidget(CloseButton);

    auto *layout = new QVBoxLayout(this);
    layout->setMenuBar(menuBar);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(ScrollPanel, 1);
    layout->addLayout(buttons);

    setFixedSize(sizeHint());
    CloseButton->setFocus();
}

void TQuickHelpForm::showQuickHelp(QWidget *parent)
{
    TQuickHelpForm form(parent);
    form.exec();
}

void TQuickHelpForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    ScrollPanel->start();
}

void TQuickHelpForm::hideEvent(QHideEvent *event)
{
    ScrollPanel->stop();
    QDialog::hideEvent(event);
}

void TQuickHelpForm::Copy1Click()
{
    QGuiApplication::clipboard()->setText(helpLines().join(QLatin1Char('\n')));
}

void TQuickHelpForm::SlowButtonToggled(bool slow)
{
    ScrollPanel->setInterval(slow ? kSlowStepInterval : kStepInterval);
}

QStringList TQuickHelpForm::helpLines()
{
    return {
        QStringLiteral("Quick Help:"),
        QString(),
        QStringLiteral("HOT KEYS:"),
        QString(),
        QStringLiteral("4 Keys you must know:"),
        QStringLiteral("Adding Viewing and closing"),
        QStringLiteral("Calls and Actions:"),
        QStringLiteral("Ctrl-L:  Add new Cal[L]"),
        QStringLiteral("Ctrl-a:  Add new [A]ction"),
        QStringLiteral("Ctrl-z:  [Z]oom to Calls, view only"),
        QStringLiteral("Ctrl-m:  Zoo[m] to Actions, view only"),
        QStringLiteral("---"),

        QStringLiteral("Finding:"),
        QStringLiteral("Ctrl-f general Find..."),
        QStringLiteral("Ctrl-g find or[g]anisation"),
        QStringLiteral("by phone number or person name"),
        QString(),
        QStringLiteral("Then enter partial text"),
        QStringLiteral("Then ENTER"),
        QStringLiteral("Then TAB to grid"),
        QStringLiteral("Then select with CURSOR keys"),
        QStringLiteral("Then ENTER"),
        QStringLiteral("---"),

        QStringLiteral("Find By CallID..."),
        QStringLiteral("Ctrl-d enter CallID"),
        QStringLiteral("Then ENTER"),
        QStringLiteral("---"),

        QStringLiteral("View Pending Calls:"),
        QStringLiteral("Ctrl-y"),
        QStringLiteral("Then Down Arrow select person"),
        QStringLiteral("Then ENTER"),
        QStringLiteral("Dbl click grid to locate main grids"),
        QStringLiteral("---"),

        QStringLiteral("Navigation:"),
        QStringLiteral("Ctrl-<:  Previous record"),
        QStringLiteral("Ctrl->:  Next record"),
        QStringLiteral("Ctrl + Shift-<: First record"),
        QStringLiteral("Ctrl + Shift->: Last record"),
        QStringLiteral("Tab/Shift+Tab"),
        QStringLiteral("between Controls"),
        QStringLiteral("Tab/Shift+Tab"),
        QStringLiteral("between Grids"),
        QStringLiteral("Esc closes most forms"),
        QStringLiteral("and cancels edits"),
        QString(),

        QStringLiteral("On Grids:"),
        QStringLiteral("Ctrl-HOME: First Record"),
        QStringLiteral("Ctrl-END:  Last Record"),
        QStringLiteral("PgUp:    Screen up"),
        QStringLiteral("PgDn:    Screen down"),
        QStringLiteral("Arrow up: One Row up"),
        QStringLiteral("Arrow down: One Row down "),
        QStringLiteral("Ctrl+ PLUS on keypad Scrolls"),
        QStringLiteral("Grids independangly.  "),
        QStringLiteral("Click on grid after "),
        QStringLiteral("to locate database"),
        QStringLiteral("---"),

        QStringLiteral("Open Forms:"),
        QStringLiteral("Ctrl-O: Maintain Orgs"),
        QStringLiteral("Ctrl-E: Maintain People"),
        QStringLiteral("Ctrl-R: Reports"),
        QStringLiteral("Ctrl-Q: This Quick Help"),
        QStringLiteral("Ctrl-Y: Pending Calls"),
        QStringLiteral("---"),

        QStringLiteral("Procedures:"),
        QStringLiteral("Enter new call"),
        QStringLiteral("1 Ctrl-g or Ctrl-f Find Org"),
        QStringLiteral("2 Ctrl-L Add new Call"),
        QStringLiteral("or Ctrl-A Add new Action"),
        QStringLiteral("3 Type notes"),
        QStringLiteral("4 Tab through boxes"),
        QStringLiteral("Shift-Tab backwards"),
        QStringLiteral("5 Down Arrow scrolls combos"),
        QStringLiteral("6 Alt-Down Arrow drops list"),
        QStringLiteral("7 Tab through to OK button"),
        QStringLiteral("8 Press Enter"),
        QString(),
        QStringLiteral("Right Click Grid Notes field"),
        QStringLiteral("for pop up view"),
        QStringLiteral(" "),
    };
}
