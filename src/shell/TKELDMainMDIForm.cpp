#include "TKELDMainMDIForm.h"

#include "AppSettings.h"
#include "Prompter.h"
#include "RunGuarded.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLayout>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <cmath>

namespace {

struct CommandRow
{
    const char *name;
    const char *caption;
    const char *hint;       // tool tip and status tip; empty: none
    const char *shortcut;   // QKeySequence text; empty: none
    bool visible;
};

// MainActionList, in list order.
constexpr CommandRow kMainCommands[] = {
    {"EditCopy1", "&Copy", "Copy", "Ctrl+C", true},
    {"EditCut1", "Cu&t", "Cut", "Ctrl+X", true},
    {"EditPaste1", "&Paste", "Paste", "Ctrl+V", true},
    {"CallsActions1", "Calls && Actions", "View Calls and Actions", "Ctrl+N", true},
    {"OrgsPeople1", "Organisations && People", "Maintain Orgs", "Ctrl+O", true},
    {"People1", "People", "Maintain People", "Ctrl+E", true},
    {"WindowArrange1", "&Arrange", "", "", true},
    {"WindowCascade1", "&Cascade", "", "", true},
    {"WindowTileHorizontal1", "Tile &Horizontally", "", "", true},
    {"WindowTileVertical1", "&Tile Vertically", "", "", true},
    {"Find1", "Find", "Find Org by Phone or Person", "Ctrl+G", true},
    {"HelpContents1", "&Contents", "Help Contents", "F1", true},
    {"About1", "&About", "About KELD", "", true},
    {"Close1", "Close", "Exit Vellomar", "", true},
    // Ctrl+V belongs to Paste, which comes first in the menus; this one gets no key at all.
    {"ValuesList1", "Values List", "", "", false},
    {"ListReports", "List Reports", "Reports", "Ctrl+R", true},
    {"OptionsSetup", "Setup", "", "", false},
    {"CallsAddNew", "Calls", "Add New Call", "Ctrl+L", true},
    {"ActionsAddNew", "Actions", "Add New Action", "Ctrl+A", true},
    {"UrgencyFormOpen", "Urgency Values", "", "", false},
    {"CallsZoomView", "Zoom Calls", "Zoom Calls Read Only", "Ctrl+Z", true},
    {"ActionsZoomView", "Zoom Actions", "Zoom Actions Read Only", "Ctrl+M", true},
    {"QuickHelp", "Quick Help", "Quick Help on keys", "Ctrl+Q", true},
    {"LiveCallsByUser", "LiveCallsByUser", "Show Live Calls by Person", "Ctrl+Y", true},
    {"FindCallByCallID", "Find Call By CallID", "Find Call By Call ID", "Ctrl+D", true},
    {"RefreshAll", "Refresh All", "Refresh All Data", "", true},
    {"InvertSelectedGridRowAction", "Invert Selected Grid Row", "", "", true},
    {"UsersGroupsAction", "User Group Membership", "", "", false},
    {"ChangePasswordAction", "Change Password", "", "", true},
    {"ViewArchiveAction", "View Archive", "View an archive", "", true},
    {"ReOpenMainDBAction", "Open Live Data", "", "", false},
};

// ValuesActionList: small "..." buttons beside lookup fields, each opening the Values List
// window at one category.
struct ValuesCommandRow
{
    const char *name;
    const char *category;
};

constexpr ValuesCommandRow kValuesCommands[] = {
    {"ValuesListCallMethod", "Call Method"},
    {"ValuesListStatus", "Status"},
    {"ValuesListCallType", "Call Type"},
    {"ValuesListResolutionType", "Resolution Type"},
    {"ValuesListOrganisationType", "Organization Type"},
    {"ValuesListCountry", "Country"},
    {"ValuesListPersonType", "Person Type"},
};

// The add and zoom commands, enabled only while the Calls and Actions window exists.
constexpr const char *kBrowserCommands[] = {"CallsAddNew", "ActionsAddNew", "CallsZoomView",
                                            "ActionsZoomView"};

// ---- command images ----

constexpr int kIconSize = 24;

QPen pen(const QColor &c, qreal width = 1.5)
{
    return QPen(c, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void drawPage(QPainter &p, const QRectF &r, const QColor &fill = Qt::white)
{
    p.setPen(pen(QColor(60, 60, 60), 1.2));
    p.setBrush(fill);
    p.drawRect(r);
}

void drawTextLines(QPainter &p, const QRectF &r, int count)
{
    p.setPen(pen(QColor(90, 110, 160), 1.2));
    const qreal step = r.height() / (count + 1);
    for (int i = 1; i <= count; ++i)
        p.drawLine(QPointF(r.left() + 3, r.top() + i * step), QPointF(r.right() - 3, r.top() + i * step));
}

void drawPerson(QPainter &p, const QPointF &at, qreal scale, const QColor &c)
{
    p.setPen(pen(c.darker(150), 1.2));
    p.setBrush(c);
    p.drawEllipse(QPointF(at.x(), at.y() + 4 * scale), 3.5 * scale, 3.5 * scale);
    QPainterPath body;
    body.moveTo(at.x() - 7 * scale, at.y() + 17 * scale);
    body.cubicTo(at.x() - 7 * scale, at.y() + 8 * scale, at.x() + 7 * scale, at.y() + 8 * scale,
                 at.x() + 7 * scale, at.y() + 17 * scale);
    body.closeSubpath();
    p.drawPath(body);
}

void drawMagnifier(QPainter &p, const QPointF &centre, qreal radius)
{
    p.setPen(pen(QColor(60, 60, 60), 2.5));
    p.drawLine(centre + QPointF(radius * 0.7, radius * 0.7), centre + QPointF(radius * 1.9, radius * 1.9));
    p.setPen(pen(QColor(40, 40, 40), 1.5));
    p.setBrush(QColor(200, 230, 255));
    p.drawEllipse(centre, radius, radius);
}

void drawPlus(QPainter &p, const QPointF &centre)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 150, 40));
    p.drawEllipse(centre, 5.5, 5.5);
    p.setPen(pen(Qt::white, 2));
    p.drawLine(centre + QPointF(-3, 0), centre + QPointF(3, 0));
    p.drawLine(centre + QPointF(0, -3), centre + QPointF(0, 3));
}

void drawCircledLetter(QPainter &p, const QColor &fill, const QString &letter)
{
    p.setPen(pen(fill.darker(140), 1.2));
    p.setBrush(fill);
    p.drawEllipse(QRectF(2, 2, 20, 20));
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(15);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(2, 2, 20, 20), Qt::AlignCenter, letter);
}

// The browser: a window with a title bar and rows.
void drawListWindow(QPainter &p)
{
    p.setPen(pen(QColor(40, 60, 110), 1.2));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(2.5, 3.5, 19, 17));
    p.setBrush(QColor(40, 90, 180));
    p.drawRect(QRectF(2.5, 3.5, 19, 4));
    drawTextLines(p, QRectF(2.5, 7.5, 19, 13), 3);
}

QIcon drawIcon(const QString &name)
{
    QPixmap pm(kIconSize, kIconSize);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);

    if (name == QLatin1String("EditCut1")) {
        p.setPen(pen(QColor(90, 90, 90), 2));
        p.drawLine(QPointF(8, 14), QPointF(17, 2));
        p.drawLine(QPointF(16, 14), QPointF(7, 2));
        p.setPen(pen(QColor(180, 30, 30), 2));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(7, 18), 3.5, 3.5);
        p.drawEllipse(QPointF(17, 18), 3.5, 3.5);
    } else if (name == QLatin1String("EditCopy1")) {
        drawPage(p, QRectF(3.5, 3.5, 11, 13));
        drawPage(p, QRectF(9.5, 7.5, 11, 13));
        drawTextLines(p, QRectF(9.5, 7.5, 11, 13), 3);
    } else if (name == QLatin1String("EditPaste1")) {
        p.setPen(pen(QColor(100, 70, 30), 1.2));
        p.setBrush(QColor(190, 140, 70));
        p.drawRoundedRect(QRectF(3.5, 4.5, 14, 17), 2, 2);
        p.setBrush(QColor(120, 120, 120));
        p.drawRect(QRectF(7.5, 2.5, 6, 4));
        drawPage(p, QRectF(10.5, 9.5, 10, 12));
        drawTextLines(p, QRectF(10.5, 9.5, 10, 12), 3);
    } else if (name == QLatin1String("CallsActions1")) {
        drawListWindow(p);
    } else if (name == QLatin1String("OrgsPeople1")) {
        p.setPen(pen(QColor(80, 60, 40), 1.2));
        p.setBrush(QColor(200, 170, 120));
        p.drawRect(QRectF(4.5, 3.5, 13, 18));
        p.setBrush(QColor(70, 110, 180));
        for (int row = 0; row < 4; ++row)
            for (int col = 0; col < 3; ++col)
                p.drawRect(QRectF(6.5 + col * 4, 5.5 + row * 4, 2, 2));
        drawPerson(p, QPointF(18, 9), 0.75, QColor(230, 170, 60));
    } else if (name == QLatin1String("People1")) {
        drawPerson(p, QPointF(12, 2), 1.1, QColor(230, 170, 60));
    } else if (name == QLatin1String("LiveCallsByUser")) {
        drawPerson(p, QPointF(9, 2), 1.0, QColor(230, 170, 60));
        p.setPen(pen(QColor(40, 40, 40), 1.2));
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(17, 16), 6, 6);
        p.drawLine(QPointF(17, 16), QPointF(17, 12));
        p.drawLine(QPointF(17, 16), QPointF(20, 16));
    } else if (name == QLatin1String("ListReports")) {
        drawPage(p, QRectF(4.5, 2.5, 15, 19));
        drawTextLines(p, QRectF(4.5, 2.5, 15, 19), 5);
    } else if (name == QLatin1String("Find1")) {
        drawMagnifier(p, QPointF(10, 10), 6);
    } else if (name == QLatin1String("QuickHelp")) {
        drawCircledLetter(p, QColor(220, 160, 0), QStringLiteral("?"));
    } else if (name == QLatin1String("HelpContents1")) {
        p.setPen(pen(QColor(20, 40, 100), 1.2));
        p.setBrush(QColor(50, 90, 190));
        p.drawRect(QRectF(4.5, 3.5, 15, 18));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(6.5, 18.5, 13, 3));
        p.setPen(pen(QColor(250, 210, 60), 1.5));
        p.drawLine(QPointF(8, 8), QPointF(16, 8));
    } else if (name == QLatin1String("About1")) {
        drawCircledLetter(p, QColor(40, 100, 200), QStringLiteral("i"));
    } else if (name == QLatin1String("Close1")) {
        p.setPen(pen(QColor(90, 50, 20), 1.2));
        p.setBrush(QColor(160, 100, 50));
        p.drawRect(QRectF(4.5, 2.5, 10, 19));
        p.setPen(pen(QColor(200, 30, 30), 2.2));
        p.drawLine(QPointF(11, 12), QPointF(21, 12));
        p.drawLine(QPointF(17, 8), QPointF(21, 12));
        p.drawLine(QPointF(17, 16), QPointF(21, 12));
    } else if (name == QLatin1String("CallsAddNew")) {
        drawPage(p, QRectF(3.5, 2.5, 14, 18));
        drawTextLines(p, QRectF(3.5, 2.5, 14, 18), 4);
        drawPlus(p, QPointF(17, 17));
    } else if (name == QLatin1String("ActionsAddNew")) {
        drawPage(p, QRectF(3.5, 2.5, 14, 18), QColor(255, 250, 200));
        drawTextLines(p, QRectF(3.5, 2.5, 14, 18), 4);
        drawPlus(p, QPointF(17, 17));
    } else if (name == QLatin1String("CallsZoomView")) {
        drawPage(p, QRectF(2.5, 2.5, 14, 18));
        drawTextLines(p, QRectF(2.5, 2.5, 14, 18), 4);
        drawMagnifier(p, QPointF(14, 13), 4.5);
    } else if (name == QLatin1String("ActionsZoomView")) {
        drawPage(p, QRectF(2.5, 2.5, 14, 18), QColor(255, 250, 200));
        drawTextLines(p, QRectF(2.5, 2.5, 14, 18), 4);
        drawMagnifier(p, QPointF(14, 13), 4.5);
    } else if (name == QLatin1String("FindCallByCallID")) {
        QFont f = p.font();
        f.setBold(true);
        f.setPixelSize(14);
        p.setFont(f);
        p.setPen(QColor(40, 40, 40));
        p.drawText(QRectF(1, 1, 14, 14), Qt::AlignCenter, QStringLiteral("#"));
        drawMagnifier(p, QPointF(13, 13), 4.5);
    } else if (name == QLatin1String("RefreshAll")) {
        p.setPen(pen(QColor(20, 130, 40), 2.5));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(4, 4, 16, 16), 60 * 16, 280 * 16);
        p.setBrush(QColor(20, 130, 40));
        p.setPen(Qt::NoPen);
        const QPointF tip(12 + 8 * std::cos(qDegreesToRadians(60.0)),
                          12 - 8 * std::sin(qDegreesToRadians(60.0)));
        p.drawPolygon(QPolygonF({tip + QPointF(-5, -3), tip + QPointF(2, -4), tip + QPointF(0, 3)}));
    } else {
        return {};
    }
    p.end();
    return QIcon(pm);
}

bool isTextControl(const QWidget *w)
{
    return qobject_cast<const QLineEdit *>(w) || qobject_cast<const QPlainTextEdit *>(w)
           || qobject_cast<const QTextEdit *>(w);
}

// The editor inside a spin box, date edit or editable combo box, which holds the focus for it.
QWidget *textControlOf(QWidget *w)
{
    if (!w)
        return nullptr;
    if (isTextControl(w))
        return w;
    if (qobject_cast<QAbstractSpinBox *>(w))
        return w->findChild<QLineEdit *>();
    return nullptr;
}

bool isReadOnlyText(QWidget *w)
{
    if (auto *e = qobject_cast<QLineEdit *>(w))
        return e->isReadOnly();
    if (auto *e = qobject_cast<QPlainTextEdit *>(w))
        return e->isReadOnly();
    if (auto *e = qobject_cast<QTextEdit *>(w))
        return e->isReadOnly();
    return true;
}

bool hasSelection(QWidget *w)
{
    if (auto *e = qobject_cast<QLineEdit *>(w))
        return e->hasSelectedText() && e->echoMode() == QLineEdit::Normal;
    if (auto *e = qobject_cast<QPlainTextEdit *>(w))
        return e->textCursor().hasSelection();
    if (auto *e = qobject_cast<QTextEdit *>(w))
        return e->textCursor().hasSelection();
    return false;
}

void cutText(QWidget *w)
{
    if (auto *e = qobject_cast<QLineEdit *>(w))
        e->cut();
    else if (auto *e = qobject_cast<QPlainTextEdit *>(w))
        e->cut();
    else if (auto *e = qobject_cast<QTextEdit *>(w))
        e->cut();
}

void copyText(QWidget *w)
{
    if (auto *e = qobject_cast<QLineEdit *>(w))
        e->copy();
    else if (auto *e = qobject_cast<QPlainTextEdit *>(w))
        e->copy();
    else if (auto *e = qobject_cast<QTextEdit *>(w))
        e->copy();
}

void pasteText(QWidget *w)
{
    if (auto *e = qobject_cast<QLineEdit *>(w))
        e->paste();
    else if (auto *e = qobject_cast<QPlainTextEdit *>(w))
        e->paste();
    else if (auto *e = qobject_cast<QTextEdit *>(w))
        e->paste();
}

// The frame of a child window in the MDI area, or nullptr.
QMdiSubWindow *frameOf(QWidget *window)
{
    for (QWidget *w = window; w; w = w->parentWidget()) {
        if (auto *sub = qobject_cast<QMdiSubWindow *>(w))
            return sub;
        if (w->isWindow())
            break;
    }
    return nullptr;
}

} // namespace

TKELDMainMDIForm::TKELDMainMDIForm(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("KELDMainMDIForm"));
    m_mdiArea = new QMdiArea(this);
    m_mdiArea->setObjectName(QStringLiteral("MDIArea"));
    m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdiArea);
    statusBar()->setObjectName(QStringLiteral("KELDStatusBar1"));

    createCommands();
    createMenus();
    createToolBar();

    // Refresh every ten minutes while the Calls and Actions window is the active one.
    m_timer1 = new QTimer(this);
    m_timer1->setObjectName(QStringLiteral("Timer1"));
    m_timer1->setInterval(600000);
    connect(m_timer1, &QTimer::timeout, this, [this] { runGuarded([this] { Timer1Timer(); }); });
    m_timer1->start();

    // The idle update: after focus changes (coalesced) and on a short beat for the rest.
    m_idleUpdate = new QTimer(this);
    m_idleUpdate->setSingleShot(true);
    m_idleUpdate->setInterval(0);
    connect(m_idleUpdate, &QTimer::timeout, this, [this] { runGuarded([this] { MainActionListUpdate(); }); });
    m_updateTimer = new QTimer(this);
    m_updateTimer->setInterval(200);
    connect(m_updateTimer, &QTimer::timeout, this, [this] { runGuarded([this] { MainActionListUpdate(); }); });
    m_updateTimer->start();
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
        if (QWidget *text = textControlOf(now); text && text->window() == this)
            m_lastTextFocus = text;
        else if (now && !qobject_cast<QMenu *>(now) && !qobject_cast<QMenuBar *>(now))
            m_lastTextFocus = nullptr;
        scheduleUpdate();
    });
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, [this] { scheduleUpdate(); });

    // Short-cuts of the commands come before the focused text field's own keys.
    qApp->installEventFilter(this);

    FormCreate();
    MainActionListUpdate();
}

TKELDMainMDIForm::~TKELDMainMDIForm()
{
    qApp->removeEventFilter(this);
    disconnect(qApp, nullptr, this, nullptr);
    // Child windows go first, while everything they may call back into is still here.
    const auto children = m_mdiArea->subWindowList();
    for (QMdiSubWindow *sub : children)
        delete sub;
    for (const auto &c : std::as_const(m_holderWatch))
        disconnect(c);
    m_holderWatch.clear();
    m_holds.clear();
}

void TKELDMainMDIForm::FormCreate()
{
    const QFileInfo program(QCoreApplication::applicationFilePath());
    m_helpFile = program.absoluteDir().filePath(program.completeBaseName() + QStringLiteral(".hlp"));
    setWindowTitle(QStringLiteral("Vellomar"));
    resize(1024, 720);
    Prompter::setParentWidget(this);
}

// ---- commands ----

void TKELDMainMDIForm::createCommands()
{
    auto make = [this](const char *name, const QString &caption, const QString &hint,
                       const QString &shortcut, bool visible) {
        auto *a = new QAction(caption, this);
        a->setObjectName(QLatin1String(name));
        if (!hint.isEmpty()) {
            a->setToolTip(hint);
            a->setStatusTip(hint);
        }
        if (!shortcut.isEmpty())
            a->setShortcut(QKeySequence(shortcut));
        a->setVisible(visible);
        a->setIcon(drawIcon(a->objectName()));
        a->setIconVisibleInMenu(false);
        const QString key = a->objectName();
        connect(a, &QAction::triggered, this, [this, key] { execute(key); });
        m_byName.insert(key, a);
        // Commands that appear in no menu need a widget of this window for their short-cuts.
        addAction(a);
        return a;
    };
    for (const CommandRow &row : kMainCommands)
        m_mainActions.append(make(row.name, QString::fromUtf8(row.caption), QString::fromUtf8(row.hint),
                                  QString::fromLatin1(row.shortcut), row.visible));
    for (const ValuesCommandRow &row : kValuesCommands) {
        QAction *a = make(row.name, QStringLiteral("..."), QString(), QString(), true);
        // A button showing the command takes its icon text, which Qt derives from the caption
        // without its dots: "..." would leave the button blank.
        a->setIconText(QStringLiteral("..."));
        m_valuesActions.append(a);
        m_valueCategories.insert(QLatin1String(row.name), QString::fromUtf8(row.category));
    }
    action(QStringLiteral("InvertSelectedGridRowAction"))->setCheckable(true);
}

QAction *TKELDMainMDIForm::action(const QString &name) const { return m_byName.value(name); }

void TKELDMainMDIForm::setCommandHandler(const QString &name, std::function<void()> handler)
{
    Q_ASSERT_X(m_byName.contains(name), "setCommandHandler", qPrintable(name));
    if (handler)
        m_handlers.insert(name, std::move(handler));
    else
        m_handlers.remove(name);
}

void TKELDMainMDIForm::execute(const QString &name)
{
    runGuarded([&] { runCommand(name); });
}

void TKELDMainMDIForm::runCommand(const QString &name)
{
    // A copy: the handler may replace itself (or close this window) while it runs.
    if (const auto handler = m_handlers.value(name))
        handler();
    else
        runDefault(name);
}

void TKELDMainMDIForm::runDefault(const QString &name)
{
    if (name == QLatin1String("EditCut1")) {
        if (QWidget *w = textTarget(); w && !isReadOnlyText(w))
            cutText(w);
    } else if (name == QLatin1String("EditCopy1")) {
        if (QWidget *w = textTarget())
            copyText(w);
    } else if (name == QLatin1String("EditPaste1")) {
        if (QWidget *w = textTarget(); w && !isReadOnlyText(w))
            pasteText(w);
    } else if (name == QLatin1String("WindowCascade1")) {
        m_mdiArea->cascadeSubWindows();
    } else if (name == QLatin1String("WindowTileHorizontal1")) {
        tileChildren(Qt::Horizontal);
    } else if (name == QLatin1String("WindowTileVertical1")) {
        tileChildren(Qt::Vertical);
    } else if (name == QLatin1String("WindowArrange1")) {
        arrangeIcons();
    } else if (name == QLatin1String("Close1")) {
        close();
    } else if (name == QLatin1String("InvertSelectedGridRowAction")) {
        // From a menu the item has ticked itself already; setInvertGrids() sets the tick anyway.
        setInvertGrids(!m_invertGrids);
    } else if (m_valueCategories.contains(name)) {
        runCommand(QStringLiteral("ValuesList1"));
        if (ValuesListForm && locateValueCategory)
            locateValueCategory(ValuesListForm, m_valueCategories.value(name));
    }
}

void TKELDMainMDIForm::setInvertGrids(bool invert)
{
    QAction *a = action(QStringLiteral("InvertSelectedGridRowAction"));
    a->setChecked(invert);
    if (m_invertGrids == invert)
        return;
    m_invertGrids = invert;
    emit invertGridsChanged(invert);
}

// ---- command state ----

void TKELDMainMDIForm::scheduleUpdate()
{
    if (m_idleUpdate && !m_idleUpdate->isActive())
        m_idleUpdate->start();
}

void TKELDMainMDIForm::MainActionListUpdate()
{
    const bool archive = isReadOnly && isReadOnly();
    action(QStringLiteral("CallsAddNew"))->setVisible(!archive);
    action(QStringLiteral("ActionsAddNew"))->setVisible(!archive);
    const bool browserOpen = !CallsActionsForm.isNull();
    for (const char *name : kBrowserCommands)
        applyEnabled(action(QLatin1String(name)), browserOpen);
    updateEditCommands();
}

void TKELDMainMDIForm::applyEnabled(QAction *command, bool byRule)
{
    command->setEnabled(byRule && !isHeldDisabled(command));
}

void TKELDMainMDIForm::updateEditCommands()
{
    QWidget *w = textTarget();
    const bool editable = w && !isReadOnlyText(w);
    const bool selected = w && hasSelection(w);
    applyEnabled(action(QStringLiteral("EditCut1")), editable && selected);
    applyEnabled(action(QStringLiteral("EditCopy1")), selected);
    applyEnabled(action(QStringLiteral("EditPaste1")), editable);
}

QWidget *TKELDMainMDIForm::textTarget() const
{
    QWidget *focus = QApplication::focusWidget();
    if (QWidget *text = textControlOf(focus); text && text->window() == this)
        return text;
    // While a menu of this window is open it holds the focus; the edit commands mean the text
    // field that had it before.
    if (!focus || qobject_cast<QMenu *>(focus) || qobject_cast<QMenuBar *>(focus))
        return m_lastTextFocus;
    return nullptr;
}

void TKELDMainMDIForm::holdDisabled(QAction *command, QObject *holder)
{
    Q_ASSERT(command && holder);
    QList<QObject *> &holders = m_holds[command];
    if (!holders.contains(holder))
        holders.append(holder);
    if (!m_holderWatch.contains(holder)) {
        // A window that goes away without lifting its holds lifts them by going.
        m_holderWatch.insert(holder, connect(holder, &QObject::destroyed, this, [this, holder] {
            m_holderWatch.remove(holder);
            for (auto it = m_holds.begin(); it != m_holds.end();) {
                if (it->removeAll(holder) && it->isEmpty()) {
                    QAction *freed = it.key();
                    it = m_holds.erase(it);
                    freed->setEnabled(true);
                } else {
                    ++it;
                }
            }
            MainActionListUpdate();
        }));
    }
    command->setEnabled(false);
}

void TKELDMainMDIForm::releaseDisabled(QAction *command, QObject *holder)
{
    auto it = m_holds.find(command);
    if (it == m_holds.end() || !it->removeAll(holder))
        return;
    if (it->isEmpty()) {
        m_holds.erase(it);
        command->setEnabled(true);   // the rule below may take it back
    }
    bool stillHolding = false;
    for (const auto &holders : std::as_const(m_holds))
        stillHolding = stillHolding || holders.contains(holder);
    if (!stillHolding)
        disconnect(m_holderWatch.take(holder));
    MainActionListUpdate();
}

bool TKELDMainMDIForm::isHeldDisabled(QAction *command) const
{
    return m_holds.contains(command);
}

// ---- short-cuts before text fields ----

bool TKELDMainMDIForm::claimsShortcut(const QKeyCombination &key) const
{
    const QKeySequence pressed(key);
    for (const QList<QAction *> *list : {&m_mainActions, &m_valuesActions})
        for (QAction *a : *list)
            if (a->isEnabled() && a->isVisible() && a->shortcut() == pressed)
                return true;
    return false;
}

bool TKELDMainMDIForm::eventFilter(QObject *watched, QEvent *event)
{
    // A text field accepts the short-cut override for keys it uses itself (Ctrl+A, Ctrl+Z...);
    // refusing it here lets the command's short-cut run instead.
    if (event->type() == QEvent::ShortcutOverride && watched->isWidgetType()) {
        auto *w = static_cast<QWidget *>(watched);
        if (w->window() == this && !QApplication::activeModalWidget()
            && claimsShortcut(static_cast<QKeyEvent *>(event)->keyCombination())) {
            event->ignore();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---- menus and tool bar ----

void TKELDMainMDIForm::createMenus()
{
    auto a = [this](const char *name) { return action(QLatin1String(name)); };
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    QMenu *file = bar->addMenu(QStringLiteral("&File"));
    file->addActions({a("ViewArchiveAction"), a("ReOpenMainDBAction"), a("Close1")});

    QMenu *edit = bar->addMenu(QStringLiteral("&Edit"));
    edit->addActions({a("EditCut1"), a("EditCopy1"), a("EditPaste1")});

    QMenu *tools = bar->addMenu(QStringLiteral("&Tools"));
    tools->addAction(a("Find1"));
    tools->addSeparator();
    QMenu *options = tools->addMenu(QStringLiteral("Options..."));
    options->addActions({a("InvertSelectedGridRowAction"), a("ChangePasswordAction"), a("ValuesList1"),
                         a("UrgencyFormOpen"), a("OptionsSetup"), a("UsersGroupsAction")});

    QMenu *forms = bar->addMenu(QStringLiteral("Forms"));
    forms->addActions({a("CallsActions1"), a("OrgsPeople1"), a("People1")});

    QMenu *reports = bar->addMenu(QStringLiteral("Reports"));
    reports->addAction(a("ListReports"));

    m_windowMenu = bar->addMenu(QStringLiteral("&Window"));
    m_windowMenu->addActions({a("WindowTileHorizontal1"), a("WindowTileVertical1"), a("WindowCascade1")});
    // The menu names Arrange "Arrange Icons"; an item of its own runs the command and mirrors it.
    QAction *arrange = a("WindowArrange1");
    auto *arrangeItem = m_windowMenu->addAction(QStringLiteral("&Arrange Icons"));
    arrangeItem->setObjectName(QStringLiteral("WindowArrange1Item"));
    connect(arrangeItem, &QAction::triggered, arrange, &QAction::trigger);
    connect(arrange, &QAction::changed, arrangeItem, [arrange, arrangeItem] {
        arrangeItem->setEnabled(arrange->isEnabled());
        arrangeItem->setVisible(arrange->isVisible());
    });
    connect(m_windowMenu, &QMenu::aboutToShow, this, [this] { runGuarded([this] { rebuildWindowMenu(); }); });
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, [this] { rebuildWindowMenu(); });

    QMenu *help = bar->addMenu(QStringLiteral("&Help"));
    help->addActions({a("QuickHelp"), a("HelpContents1")});
    help->addSeparator();
    help->addAction(a("About1"));
}

void TKELDMainMDIForm::rebuildWindowMenu()
{
    for (QAction *item : std::as_const(m_windowListActions)) {
        m_windowMenu->removeAction(item);
        item->deleteLater();
    }
    m_windowListActions.clear();

    const auto children = m_mdiArea->subWindowList(QMdiArea::CreationOrder);
    QMdiSubWindow *current = m_mdiArea->currentSubWindow();
    int number = 0;
    for (QMdiSubWindow *sub : children) {
        if (!sub->widget() || (!sub->isVisible() && !sub->isMinimized()))
            continue;
        if (number == 0)
            m_windowListActions.append(m_windowMenu->addSeparator());
        ++number;
        QString title = sub->windowTitle();
        title.replace(QLatin1Char('&'), QStringLiteral("&&"));
        const QString text = number < 10 ? QStringLiteral("&%1 %2").arg(number).arg(title)
                                         : QStringLiteral("%1 %2").arg(number).arg(title);
        QAction *item = m_windowMenu->addAction(text);
        // Only the active window carries a tick; an unticked check box beside the others
        // would read as an option.
        item->setCheckable(sub == current);
        item->setChecked(sub == current);
        QPointer<QMdiSubWindow> target = sub;
        connect(item, &QAction::triggered, this, [this, target] {
            runGuarded([&] {
                if (target)
                    activateChild(target->widget() ? target->widget() : target.data());
            });
        });
        m_windowListActions.append(item);
    }
}

void TKELDMainMDIForm::createToolBar()
{
    m_toolBar = new QToolBar(QStringLiteral("ToolBar1"), this);
    m_toolBar->setObjectName(QStringLiteral("ToolBar1"));
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    m_toolBar->setIconSize(QSize(kIconSize, kIconSize));
    m_toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    addToolBar(Qt::TopToolBarArea, m_toolBar);

    auto add = [this](const char *name) {
        QAction *a = action(QLatin1String(name));
        m_toolBar->addAction(a);
        if (QWidget *button = m_toolBar->widgetForAction(a))
            button->setAccessibleName(a->toolTip());
    };
    add("EditCut1");
    add("EditCopy1");
    add("EditPaste1");
    m_toolBar->addSeparator();
    add("CallsActions1");
    add("OrgsPeople1");
    add("People1");
    add("LiveCallsByUser");
    add("ListReports");
    m_toolBar->addSeparator();
    add("Find1");
    m_toolBar->addSeparator();
    add("QuickHelp");
    add("HelpContents1");
    // About and Close sit at the right-hand end, 6 pixels from the edge, whatever the width.
    auto *spacer = new QWidget(m_toolBar);
    spacer->setObjectName(QStringLiteral("ToolBarSpacer"));
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    m_toolBar->addWidget(spacer);
    add("About1");
    add("Close1");
    // The tool bar's own padding and item spacing count towards the 6 pixels.
    const int padding = m_toolBar->layout()->contentsMargins().right() + m_toolBar->layout()->spacing();
    auto *margin = new QWidget(m_toolBar);
    margin->setObjectName(QStringLiteral("ToolBarRightMargin"));
    margin->setFixedWidth(std::max(0, 6 - padding));
    m_toolBar->addWidget(margin);
}

// ---- child windows ----

QMdiSubWindow *TKELDMainMDIForm::addChild(QWidget *window)
{
    Q_ASSERT(window);
    window->setAttribute(Qt::WA_DeleteOnClose);
    QMdiSubWindow *sub = m_mdiArea->addSubWindow(window);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    // A window that closes itself (its own Close or Done button) takes its frame with it; the
    // frame would otherwise stay behind, empty.
    connect(window, &QObject::destroyed, this, [this, frame = QPointer<QMdiSubWindow>(sub)] {
        QTimer::singleShot(0, this, [frame] {
            if (frame && !frame->widget())
                delete frame.data();
        });
    });
    sub->setWindowIcon(window->windowIcon().isNull() ? windowIcon() : window->windowIcon());
    sub->show();
    m_mdiArea->setActiveSubWindow(sub);
    scheduleUpdate();
    return sub;
}

void TKELDMainMDIForm::activateChild(QWidget *window)
{
    if (!window)
        return;
    if (QMdiSubWindow *sub = frameOf(window)) {
        if (sub->isMinimized())
            sub->showNormal();
        m_mdiArea->setActiveSubWindow(sub);
        sub->raise();
    } else {
        window->show();
        window->raise();
        window->activateWindow();
    }
    if (window->focusWidget())
        window->focusWidget()->setFocus(Qt::OtherFocusReason);
}

QWidget *TKELDMainMDIForm::showSingleInstance(QPointer<QWidget> &ref,
                                              const std::function<QWidget *()> &create)
{
    if (ref) {
        activateChild(ref);
        return ref;
    }
    QWidget *window = create();
    if (!window)
        return nullptr;
    ref = window;
    if (frameOf(window))
        activateChild(window);
    else
        addChild(window);
    return window;
}

void TKELDMainMDIForm::ReleaseChildWindows()
{
    auto release = [](QWidget *window) {
        QWidget *outer = frameOf(window);
        if (!outer)
            outer = window;
        outer->hide();
        outer->deleteLater();
    };
    QPointer<QWidget> *const ordered[] = {&CallForm, &ActionsForm, &CallsActionsForm, &PeopleForm,
                                          &OrgForm, &LiveCallsByUserForm, &ReportsListForm, &FindForm,
                                          &UrgencyForm, &ValuesListForm, &OptionsForm};
    for (QPointer<QWidget> *ref : ordered) {
        if (*ref)
            release(*ref);
        ref->clear();
    }
    // Windows nobody refers to any more (older Live Calls By Owner windows) go as well: their
    // datasets belong to the connection that is about to close.
    const auto children = m_mdiArea->subWindowList();
    for (QMdiSubWindow *sub : children)
        release(sub);
    scheduleUpdate();
}

void TKELDMainMDIForm::tileChildren(Qt::Orientation orientation)
{
    QList<QMdiSubWindow *> open;
    bool anyMinimised = false;
    const auto children = m_mdiArea->subWindowList(QMdiArea::ActivationHistoryOrder);
    for (auto it = children.rbegin(); it != children.rend(); ++it) {   // the active one first
        if ((*it)->isMinimized())
            anyMinimised = true;
        else if ((*it)->isVisible())
            open.append(*it);
    }
    if (open.isEmpty())
        return;
    QRect area = m_mdiArea->viewport()->rect();
    if (anyMinimised)   // leave the bottom row to the minimised windows
        area.setBottom(area.bottom() - children.first()->minimumSizeHint().height());
    const int n = int(open.size());
    for (int i = 0; i < n; ++i) {
        QMdiSubWindow *sub = open.at(i);
        if (sub->isMaximized())
            sub->showNormal();
        QRect r;
        if (orientation == Qt::Horizontal) {   // one above the other, full width
            const int top = area.top() + area.height() * i / n;
            const int bottom = area.top() + area.height() * (i + 1) / n;
            r = QRect(area.left(), top, area.width(), bottom - top);
        } else {                               // side by side, full height
            const int left = area.left() + area.width() * i / n;
            const int right = area.left() + area.width() * (i + 1) / n;
            r = QRect(left, area.top(), right - left, area.height());
        }
        sub->setGeometry(r);
    }
}

// Qt has no icon arrangement; the minimised windows are lined up along the bottom edge, left to
// right, in further rows upwards when one row is full.
void TKELDMainMDIForm::arrangeIcons()
{
    const QRect area = m_mdiArea->viewport()->rect();
    int x = area.left();
    int y = area.bottom() + 1;
    int rowHeight = 0;
    const auto children = m_mdiArea->subWindowList(QMdiArea::CreationOrder);
    for (QMdiSubWindow *sub : children) {
        if (!sub->isMinimized())
            continue;
        const QSize size = sub->size();
        if (x > area.left() && x + size.width() > area.right() + 1) {
            x = area.left();
            y -= rowHeight;
            rowHeight = 0;
        }
        rowHeight = std::max(rowHeight, size.height());
        sub->move(x, y - size.height());
        x += size.width();
    }
}

// ---- refresh timer ----

void TKELDMainMDIForm::Timer1Timer()
{
    // The browser must be the window holding the focus: not behind a dialog, not disabled by an
    // editor that is adding a record.
    if (!CallsActionsForm || QApplication::activeModalWidget() || QApplication::activeWindow() != this)
        return;
    QMdiSubWindow *active = m_mdiArea->activeSubWindow();
    if (!active || active->widget() != CallsActionsForm || !CallsActionsForm->isEnabled())
        return;
    execute(QStringLiteral("RefreshAll"));
}

// ---- settings and close ----

void TKELDMainMDIForm::ReadSettings() { AppSettings::ReadSettings(*this); }

void TKELDMainMDIForm::WriteSettings() { AppSettings::WriteSettings(*this); }

void TKELDMainMDIForm::FormClose() { WriteSettings(); }

void TKELDMainMDIForm::closeEvent(QCloseEvent *event)
{
    runGuarded([this] { FormClose(); });
    event->accept();
}
