#include "TReportsListForm.h"

#include "DBGrid.h"
#include "DataSource.h"
#include "Dataset.h"
#include "Prompter.h"
#include "ReportPreviewDialog.h"
#include "ReportIcons.h"
#include "ReportPrintJob.h"
#include "ReportPrompts.h"
#include "RunGuarded.h"
#include "TKELDMainMDIForm.h"

#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QShortcut>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString kReportName = QStringLiteral("ReportName");
const QString kListName = QStringLiteral("ListName");

bool isEnter(const QKeyEvent *key)
{
    return (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
           (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

QToolButton *toolButton(const char *name, const QString &hint, const QIcon &icon, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setText(hint);
    button->setToolTip(hint);
    button->setAccessibleName(hint);
    button->setIcon(icon);
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setAutoRaise(true);
    return button;
}

} // namespace

TReportsListForm::TReportsListForm(Engine &engine, ReportDocumentFactory createDocument,
                                   QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("ReportsListForm"));
    setWindowTitle(tr("Reports"));

    ReportADOTable = new Dataset(&engine, this);
    ReportADOTable->setObjectName(QStringLiteral("ReportADOTable"));
    ReportADOTable->setTableName(QStringLiteral("tblReport"));
    ReportADOTable->setReadOnly(true);
    ReportDataSource = new DataSource(ReportADOTable, this);
    ReportDataSource->setObjectName(QStringLiteral("ReportDataSource"));

    ToolBar1 = new QToolBar(this);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setAccessibleName(tr("Reports tools"));
    ToolBar1->setMovable(false);
    ToolButton1 = toolButton("ToolButton1", tr("Print"), ReportIcons::print(), this);
    PreViewToolButton = toolButton("PreViewToolButton", tr("Preview/Print"), ReportIcons::preview(),
                                   this);
    CloseToolButton = toolButton("CloseToolButton", tr("Close"),
                                 style()->standardIcon(QStyle::SP_DialogCloseButton), this);
    Spacer = new QWidget(this);
    Spacer->setObjectName(QStringLiteral("Spacer"));
    Spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    ToolBar1->addWidget(ToolButton1);
    ToolBar1->addWidget(PreViewToolButton);
    ToolBar1->addWidget(Spacer);
    ToolBar1->addWidget(CloseToolButton);
    connect(ToolButton1, &QToolButton::clicked, this,
            [this] { runGuarded([this] { RunReport(false); }); });
    connect(PreViewToolButton, &QToolButton::clicked, this,
            [this] { runGuarded([this] { RunReport(true); }); });
    connect(CloseToolButton, &QToolButton::clicked, this,
            [this] { runGuarded([this] { close(); }); });

    DBGrid1 = new DBGrid(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setAccessibleName(tr("Reports"));
    DBGrid1->setDataSource(ReportDataSource);
    DBGrid1->setColumns({GridColumn{kListName, QStringLiteral("ListName"), 300, true, {}}});
    DBGrid1->setReadOnly(true);
    DBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    DBGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGrid1->installEventFilter(this);
    connect(DBGrid1, &QAbstractItemView::doubleClicked, this,
            [this] { runGuarded([this] { RunReport(true); }); });
    connect(DBGrid1, &DBGrid::error, this, [](const QString &message) {
        Prompter::instance().message(message, Prompter::Kind::Error);
    });

    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WidgetWithChildrenShortcut);
    connect(escape, &QShortcut::activated, this, [this] { runGuarded([this] { close(); }); });

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(ToolBar1);
    layout->addWidget(DBGrid1);
    resize(380, 300);

    Services.createDocument = std::move(createDocument);
    Services.promptRange = [this] { return PromptDateTimeRange(this); };
    Services.promptCallId = [] { return PromptCallID(); };
    Services.preview = [this](const RenderedReport &report) {
        ReportPreviewDialog::preview(report, this);
    };
    Services.print = [this](const RenderedReport &report) {
        ReportPrintJob::printDirect(report, this);
    };

    FormCreate();
    // The keyboard goes to the list whenever the window gets the focus.
    setFocusProxy(DBGrid1);
}

TReportsListForm::~TReportsListForm() = default;

void TReportsListForm::FormCreate()
{
    if (!ReportADOTable->isActive())
        ReportADOTable->open();
}

ReportRun::Outcome TReportsListForm::RunReport(bool preview)
{
    if (!ReportADOTable->isActive() || ReportADOTable->isEmpty())
        return ReportRun::Outcome::NotAReport;
    const QString reportName = ReportADOTable->field(kReportName).asString();
    return ReportRun::run(reportName, preview, Services);
}

bool TReportsListForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == DBGrid1 && event->type() == QEvent::KeyPress &&
        isEnter(static_cast<QKeyEvent *>(event))) {
        runGuarded([this] { RunReport(true); });
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void ListReportsExecute(TKELDMainMDIForm &form, Engine &engine,
                        const ReportDocumentFactory &createDocument)
{
    bool created = false;
    QWidget *window = form.showSingleInstance(form.ReportsListForm, [&]() -> QWidget * {
        created = true;
        return new TReportsListForm(engine, createDocument);
    });
    auto *frame = window ? qobject_cast<QMdiSubWindow *>(window->parentWidget()) : nullptr;
    if (!created || !frame)
        return;
    // No sizing border: the window keeps its size and can be minimised but not maximised.
    frame->setWindowFlags(Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    frame->adjustSize();
    frame->setFixedSize(frame->size());
    // Centred in the main window's client area, never pushed off its top left corner.
    QRect placed = frame->geometry();
    placed.moveCenter(form.mdiArea()->viewport()->rect().center());
    frame->move(std::max(0, placed.left()), std::max(0, placed.top()));
    frame->show();
    window->setFocus();
}
