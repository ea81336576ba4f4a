#include "TUrgencyForm.h"

#include "DBNavigator.h"
#include "DataSource.h"
#include "Dataset.h"
#include "DatasetModel.h"
#include "ControlColors.h"
#include "Prompter.h"
#include "RunGuarded.h"
#include "TDBGridPlus.h"
#include "TDataModule1.h"
#include "TKELDMainMDIForm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QStyleOptionButton>
#include <QVBoxLayout>
#include <cmath>

namespace {

const QString kColor = QStringLiteral("Color");
const QString kThresholdTime = QStringLiteral("ThresholdTime");
constexpr qint64 kMsPerDay = 24LL * 60 * 60 * 1000;

bool isEnter(const QKeyEvent *key)
{
    return (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
           (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

// The small "..." button drawn at the right of the current row's colour and threshold cells.
void drawEllipsis(QPainter &painter, const QRect &cell, const QWidget *grid)
{
    const int side = qMin(cell.height(), 18);
    QStyleOptionButton button;
    button.rect = QRect(cell.right() - side + 1, cell.top() + (cell.height() - side) / 2, side, side);
    button.text = QStringLiteral("...");
    button.state = QStyle::State_Enabled | QStyle::State_Raised;
    button.palette = grid->palette();
    button.fontMetrics = grid->fontMetrics();
    grid->style()->drawControl(QStyle::CE_PushButton, &button, &painter, grid);
}

} // namespace

// ---- TUrgencyForm -------------------------------------------------------------------------

TUrgencyForm::TUrgencyForm(TDataModule1 &dm, bool archive, QWidget *parent)
    : QWidget(parent), m_dm(dm)
{
    setObjectName(QStringLiteral("UrgencyForm"));
    setWindowTitle(tr("Urgency Values"));

    DBNavigator1 = new DBNavigator(this);
    DBNavigator1->setObjectName(QStringLiteral("DBNavigator1"));
    DBNavigator1->setDataSource(dm.UrgencyDataSource);
    DBNavigator1->confirmDelete = [](const QString &question) {
        return Prompter::instance().confirm(question);
    };
    DBNavigator1->onError = [](const QString &message) {
        Prompter::instance().message(message, Prompter::Kind::Error);
    };

    CloseButton = new QPushButton(tr("Close"), this);
    CloseButton->setObjectName(QStringLiteral("CloseButton"));
    CloseButton->setAccessibleName(tr("Close"));
    connect(CloseButton, &QPushButton::clicked, this, [this] { runGuarded([this] { close(); }); });

    DBGrid1 = new TDBGridPlus(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setAccessibleName(tr("Urgency Values"));
    DBGrid1->setDataSource(dm.UrgencyDataSource);
    DBGrid1->setColumns({
        GridColumn{QStringLiteral("Description"), tr("Description"), 200, false, {}},
        GridColumn{kColor, tr("Colour"), 64, true, {}},
        GridColumn{QStringLiteral("CalcForDisplayThresholdTime"), tr("Days  h:m"), 90, true, {}},
    });
    QPalette cream = DBGrid1->palette();
    cream.setColor(QPalette::Base, ControlColors::kCream);
    DBGrid1->setPalette(cream);
    DBGrid1->DrawColumnCell = [this](QPainter &painter, const QRect &rect, int column,
                                     const QModelIndex &index, QStyle::State) {
        if (column != ColourColumn && column != ThresholdColumn)
            return;
        if (column == ColourColumn) {
            // The level's colour, edge to edge, without its number.
            const QVariant bgr = index.data(DatasetModel::ValueRole);
            painter.fillRect(rect, bgr.isNull() ? ControlColors::kCream
                                                : ControlColors::fromBgr(bgr.toLongLong()));
        }
        const Dataset *t = DBGrid1->datasetModel()->dataset();
        if (t && t->currentIndex() == index.row() && t->canModify())
            drawEllipsis(painter, rect, DBGrid1);
    };
    connect(DBGrid1, &QAbstractItemView::clicked, this, [this](const QModelIndex &index) {
        runGuarded([&] { DBGrid1CellClick(index); });
    });
    connect(DBGrid1, &DBGrid::error, this, [](const QString &message) {
        Prompter::instance().message(message, Prompter::Kind::Error);
    });
    DBGrid1->installEventFilter(this);

    auto *bar = new QHBoxLayout;
    bar->addWidget(DBNavigator1);
    bar->addStretch();
    bar->addWidget(CloseButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(DBGrid1);
    setMinimumSize(440, 260);

    FormCreate(archive);
    resize(minimumSize());
    setFixedSize(size());
}

TUrgencyForm::~TUrgencyForm() = default;

Dataset &TUrgencyForm::table() const { return *m_dm.UrgencyADOTable; }

void TUrgencyForm::FormCreate(bool archive)
{
    // The levels from the shortest threshold up, as the browser walks them.
    table().setSortField(kThresholdTime);
    if (archive)
        DBNavigator1->setVisibleButtons(DBNavigator::kAllButtons & ~DBNavigator::Buttons(
            DBNavigator::Insert | DBNavigator::Delete | DBNavigator::Edit | DBNavigator::Post));
}

void TUrgencyForm::DBGrid1CellClick(const QModelIndex &index)
{
    if (!index.isValid() || (index.column() != ColourColumn && index.column() != ThresholdColumn))
        return;
    Dataset &t = table();
    // Leaving an edited row posts it and re-reads the list, which may leave the cursor elsewhere
    // than on the row clicked.
    if (t.isActive() && index.row() != t.currentIndex() && index.row() < t.recordCount())
        t.setRecNo(index.row() + 1);
    if (index.column() == ColourColumn)
        ColorSelect();
    else
        ThresholdSelect();
}

bool TUrgencyForm::ColorSelect()
{
    Dataset &t = table();
    if (!t.isActive() || (t.isEmpty() && !t.isEditing()) || !t.canModify())
        return false;
    Field &colour = t.field(kColor);
    qint64 bgr = colour.isNull() ? 0 : qint64(colour.asInteger());
    if (!Prompter::instance().chooseColor(&bgr))
        return false;
    if (!t.isEditing())
        t.edit();
    colour.setValue(bgr & 0xFFFFFF);
    return true;
}

bool TUrgencyForm::ThresholdSelect()
{
    Dataset &t = table();
    if (!t.isActive() || (t.isEmpty() && !t.isEditing()) || !t.canModify())
        return false;
    Field &threshold = t.field(kThresholdTime);
    const TUrgencyTimeEditForm::Parts was =
        TUrgencyTimeEditForm::split(threshold.isNull() ? 0.0 : threshold.asFloat());

    TUrgencyTimeEditForm dialog(this);
    dialog.DaysSpinEdit->setValue(was.days);
    dialog.HoursSpinEdit->setValue(was.hours);
    dialog.MinsSpinEdit->setValue(was.mins);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const double days = TUrgencyTimeEditForm::join({dialog.DaysSpinEdit->value(),
                                                    dialog.HoursSpinEdit->value(),
                                                    dialog.MinsSpinEdit->value(), was.secs});
    if (!t.isEditing())
        t.edit();
    threshold.setValue(days);
    t.post();
    return true;
}

void TUrgencyForm::cancelAndClose()
{
    if (table().isEditing())
        table().cancel();
    m_cancelled = true;
    close();
}

void TUrgencyForm::closeEvent(QCloseEvent *event)
{
    if (!m_cancelled) {
        // A change that cannot be posted keeps the window open with the engine's message.
        const bool posted = runGuarded([this] {
            if (table().isEditing())
                table().post();
        });
        if (!posted) {
            event->ignore();
            return;
        }
    }
    m_cancelled = false;
    event->accept();
    if (!m_closedTold) {
        m_closedTold = true;
        if (onClosed)
            onClosed();
    }
}

void TUrgencyForm::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        runGuarded([this] { cancelAndClose(); });
        return;
    }
    QWidget::keyPressEvent(event);
}

bool TUrgencyForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == DBGrid1 && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier) {
            runGuarded([this] { cancelAndClose(); });
            return true;
        }
        // Enter on a colour or threshold cell opens its dialog; once something was chosen the
        // key goes no further. (While a cell is edited in place its editor has the keys.)
        if (isEnter(key)) {
            const int column = DBGrid1->currentColumn();
            bool chosen = false;
            if (column == ColourColumn)
                runGuarded([&] { chosen = ColorSelect(); });
            else if (column == ThresholdColumn)
                runGuarded([&] { chosen = ThresholdSelect(); });
            if (chosen)
                return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// ---- TUrgencyTimeEditForm -------------------------------------------------------------------

TUrgencyTimeEditForm::TUrgencyTimeEditForm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("UrgencyTimeEditForm"));
    setWindowTitle(tr("Threshold"));
    setModal(true);

    auto spin = [this](const char *name, const QString &label, int maximum) {
        auto *s = new QSpinBox(this);
        s->setObjectName(QLatin1String(name));
        s->setRange(0, maximum);
        s->setAccessibleName(label);
        return s;
    };
    DaysSpinEdit = spin("DaysSpinEdit", tr("Days"), 1000);
    HoursSpinEdit = spin("HoursSpinEdit", tr("Hours"), 23);
    MinsSpinEdit = spin("MinsSpinEdit", tr("Mins"), 59);

    auto *group = new QGroupBox(tr("Set Threshold Time"), this);
    auto *fields = new QFormLayout(group);
    fields->addRow(tr("Days"), DaysSpinEdit);
    fields->addRow(tr("Hours"), HoursSpinEdit);
    fields->addRow(tr("Mins"), MinsSpinEdit);

    Buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(Buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(Buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    adjustSize();
    if (const QScreen *screen = parent ? parent->screen() : QApplication::primaryScreen()) {
        QRect r = rect();
        r.moveCenter(screen->availableGeometry().center());
        move(r.topLeft());
    }
    DaysSpinEdit->setFocus();
}

TUrgencyTimeEditForm::Parts TUrgencyTimeEditForm::split(double thresholdDays)
{
    // Whole milliseconds, so that 2.135416... is 3:15 and not 3:14:59.999.
    const qint64 total = std::llround(std::fabs(thresholdDays) * double(kMsPerDay));
    const qint64 ofDay = total % kMsPerDay;
    Parts p;
    p.days = int(total / kMsPerDay);
    p.hours = int(ofDay / 3600000);
    p.mins = int(ofDay / 60000 % 60);
    p.secs = int(ofDay / 1000 % 60);
    return p;
}

double TUrgencyTimeEditForm::join(const Parts &parts)
{
    return parts.days + (parts.hours * 3600.0 + parts.mins * 60.0 + parts.secs) / 86400.0;
}

// ---- the command ----------------------------------------------------------------------------

void UrgencyFormOpenExecute(TKELDMainMDIForm &form, TDataModule1 &dm)
{
    QPointer<TKELDMainMDIForm> main(&form);
    QWidget *window = form.showSingleInstance(form.UrgencyForm, [&]() -> QWidget * {
        const bool archive = form.isReadOnly && form.isReadOnly();
        auto *urgency = new TUrgencyForm(dm, archive);
        urgency->onClosed = [main, urgency] {
            if (main && main->UrgencyForm == urgency)
                main->UrgencyForm.clear();
        };
        return urgency;
    });
    // A fixed window that can be minimised but not resized or maximised.
    if (auto *frame = window ? qobject_cast<QMdiSubWindow *>(window->parentWidget()) : nullptr) {
        frame->setWindowFlags(Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
        frame->adjustSize();
        frame->setFixedSize(frame->size());
        frame->show();
    }
}
