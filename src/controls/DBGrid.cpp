#include "DBGrid.h"

#include "ControlColors.h"
#include "DataSource.h"
#include "Dataset.h"
#include "DbError.h"
#include "Field.h"

#include <QComboBox>
#include <QEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>

namespace {

// The title row, whose height the grid can fix instead of taking the style's.
class TitleHeader : public QHeaderView
{
public:
    explicit TitleHeader(QWidget *parent) : QHeaderView(Qt::Horizontal, parent) {}

    int fixedHeight = 0;

    QSize sizeHint() const override
    {
        QSize size = QHeaderView::sizeHint();
        if (fixedHeight > 0)
            size.setHeight(fixedHeight);
        return size;
    }
};

// Draws the cells through the grid and edits pick-list columns with a drop-down list.
class GridDelegate : public QStyledItemDelegate
{
public:
    explicit GridDelegate(DBGrid *grid) : QStyledItemDelegate(grid), m_grid(grid) {}

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        m_grid->paintCell(painter, option, index, [&](const QStyleOptionViewItem &o) {
            QStyledItemDelegate::paint(painter, o, index);
        });
    }

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override
    {
        QWidget *editor = nullptr;
        const QStringList list = pickList(index);
        if (list.isEmpty()) {
            editor = QStyledItemDelegate::createEditor(parent, option, index);
        } else {
            auto *combo = new QComboBox(parent);
            combo->setEditable(true);
            combo->addItems(list);
            editor = combo;
        }
        if (editor)
            ControlColors::applyEditable(editor, true);
        return editor;
    }

    void setEditorData(QWidget *editor, const QModelIndex &index) const override
    {
        if (auto *combo = qobject_cast<QComboBox *>(editor)) {
            combo->setCurrentText(index.data(Qt::EditRole).toString());
            return;
        }
        QStyledItemDelegate::setEditorData(editor, index);
    }

    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override
    {
        if (auto *combo = qobject_cast<QComboBox *>(editor)) {
            model->setData(index, combo->currentText(), Qt::EditRole);
            return;
        }
        QStyledItemDelegate::setModelData(editor, model, index);
    }

private:
    QStringList pickList(const QModelIndex &index) const
    {
        const DatasetModel *model = m_grid->datasetModel();
        if (index.column() < 0 || index.column() >= model->columnCount())
            return {};
        return model->columnAt(index.column()).pickList;
    }

    DBGrid *m_grid;
};

// The width of a column whose owner gave none: the field's display width in characters, or
// one by type; a date-time as wide as its longest display text.
int naturalWidth(const Field &f, const QString &title, const QFontMetrics &cells,
                 const QFontMetrics &titles)
{
    int content = 0;
    if (f.displayWidth() > 0) {
        content = f.displayWidth() * cells.averageCharWidth();
    } else {
        switch (f.type()) {
        case FieldType::Integer:
            content = cells.horizontalAdvance(QString(8, QLatin1Char('0')));
            break;
        case FieldType::Float:
            content = cells.horizontalAdvance(QString(10, QLatin1Char('0')));
            break;
        case FieldType::Boolean: content = 5 * cells.averageCharWidth(); break;
        case FieldType::DateTime:
            content = cells.horizontalAdvance(
                f.formatValue(QDateTime(QDate(2000, 12, 28), QTime(23, 58, 58))));
            break;
        case FieldType::Memo: content = 30 * cells.averageCharWidth(); break;
        case FieldType::Text:
            content = (f.size() > 0 ? qBound(4, f.size(), 30) : 30) * cells.averageCharWidth();
            break;
        }
    }
    return qMax(content, titles.horizontalAdvance(title)) + 12;
}

} // namespace

DBGrid::DBGrid(QWidget *parent) : DBGrid(new DatasetModel, parent) {}

DBGrid::DBGrid(DatasetModel *model, QWidget *parent) : QTableView(parent), m_model(model)
{
    m_model->setParent(this);
    auto *titles = new TitleHeader(this);
    titles->setSectionsMovable(true);
    titles->setSectionsClickable(false);
    titles->setHighlightSections(false);
    // Sizing a column to its contents looks at the rows in view only, never at the whole result.
    titles->setResizeContentsPrecision(0);
    setHorizontalHeader(titles);
    setModel(m_model);
    setItemDelegate(new GridDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setWordWrap(false);
    setTabKeyNavigation(true);
    setEditTriggers(DoubleClicked | EditKeyPressed | AnyKeyPressed | SelectedClicked);

    QHeaderView *rows = verticalHeader();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setMinimumSectionSize(1);
    rows->setHighlightSections(false);
    rows->setSectionsClickable(false);
    rows->setDefaultAlignment(Qt::AlignCenter);
    applyRowHeight(naturalRowHeight());

    ControlColors::applyEditable(this, true);
    titles->installEventFilter(this);

    connect(m_model, &DatasetModel::error, this, &DBGrid::error);
    connect(m_model, &QAbstractItemModel::modelReset, this, &DBGrid::gridLayoutChanged);
    connect(m_model, &DatasetModel::cursorMoved, this, &DBGrid::followDataset);
}

DataSource *DBGrid::dataSource() const
{
    return m_model->dataSource();
}

void DBGrid::setDataSource(DataSource *source)
{
    m_model->setDataSource(source);
}

void DBGrid::setColumns(const QList<GridColumn> &columns)
{
    m_model->setColumns(columns);
}

QList<GridColumn> DBGrid::columns() const
{
    return m_model->columns();
}

void DBGrid::setReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
    m_model->setReadOnly(readOnly);
    setEditTriggers(readOnly ? NoEditTriggers
                             : DoubleClicked | EditKeyPressed | AnyKeyPressed | SelectedClicked);
}

void DBGrid::setDefaultDrawing(bool on)
{
    m_defaultDrawing = on;
    viewport()->update();
}

bool DBGrid::titlesVisible() const
{
    return !horizontalHeader()->isHidden();
}

void DBGrid::setTitlesVisible(bool visible)
{
    horizontalHeader()->setVisible(visible);
}

bool DBGrid::indicatorVisible() const
{
    return !verticalHeader()->isHidden();
}

void DBGrid::setIndicatorVisible(bool visible)
{
    verticalHeader()->setVisible(visible);
}

int DBGrid::titleHeight() const
{
    return horizontalHeader()->sizeHint().height();
}

void DBGrid::setTitleHeight(int pixels)
{
    // A subclass with a title row of its own sizes it itself.
    auto *titles = dynamic_cast<TitleHeader *>(horizontalHeader());
    if (!titles || titles->fixedHeight == pixels)
        return;
    titles->fixedHeight = pixels;
    titles->updateGeometry();
    updateGeometries();
}

void DBGrid::applyRowHeight(int pixels)
{
    const bool before = m_applyingRowHeight;
    m_applyingRowHeight = true;
    verticalHeader()->setDefaultSectionSize(pixels);
    m_applyingRowHeight = before;
}

int DBGrid::naturalRowHeight() const
{
    return fontMetrics().height() + 4;
}

void DBGrid::paintCell(QPainter *painter, const QStyleOptionViewItem &option,
                       const QModelIndex &index,
                       const std::function<void(const QStyleOptionViewItem &)> &defaultPaint) const
{
    QStyleOptionViewItem opt(option);
    prepareCell(opt, index);
    if ((option.state & QStyle::State_Selected) && !(opt.state & QStyle::State_Selected)) {
        // The view has already laid the selection colour under the cell.
        QPalette::ColorGroup group = QPalette::Disabled;
        if (opt.state & QStyle::State_Enabled)
            group = opt.state & QStyle::State_Active ? QPalette::Active : QPalette::Inactive;
        painter->fillRect(opt.rect, opt.backgroundBrush.style() != Qt::NoBrush
                                        ? opt.backgroundBrush
                                        : opt.palette.brush(group, QPalette::Base));
    }
    if (m_defaultDrawing) {
        defaultPaint(opt);
    } else {
        QStyleOptionViewItem background(opt);
        background.text.clear();
        background.features = QStyleOptionViewItem::None;
        style()->drawPrimitive(QStyle::PE_PanelItemViewItem, &background, painter, this);
    }
    drawCellExtras(painter, opt, index);
    if (DrawColumnCell) {
        painter->save();
        DrawColumnCell(*painter, opt.rect, index.column(), index, opt.state);
        painter->restore();
    }
}

void DBGrid::prepareCell(QStyleOptionViewItem &, const QModelIndex &) const {}

void DBGrid::drawCellExtras(QPainter *, const QStyleOptionViewItem &, const QModelIndex &) const {}

void DBGrid::keyboardSearch(const QString &)
{
    // Searching by typed letters would read every row of a long result; the windows have their
    // own find commands.
}

void DBGrid::gridLayoutChanged()
{
    applyColumnWidths();
}

void DBGrid::applyColumnWidths()
{
    QStringList signature;
    for (int c = 0; c < m_model->columnCount(); ++c) {
        const GridColumn &col = m_model->columnAt(c);
        signature << col.fieldName + QLatin1Char('/') + QString::number(col.width)
                         + (m_model->fieldAt(c) ? QStringLiteral("+") : QString());
    }
    if (signature == m_widthsFor)
        return;     // the user's widths stay as long as the columns do
    m_widthsFor = signature;
    const QFontMetrics cells = fontMetrics();
    const QFontMetrics titles = horizontalHeader()->fontMetrics();
    for (int c = 0; c < m_model->columnCount(); ++c) {
        const GridColumn &col = m_model->columnAt(c);
        if (col.width > 0)
            setColumnWidth(c, col.width);
        else if (const Field *f = m_model->fieldAt(c))
            setColumnWidth(c, naturalWidth(*f, m_model->headerData(c, Qt::Horizontal).toString(),
                                           cells, titles));
    }
}

void DBGrid::followDataset()
{
    Dataset *ds = m_model->dataset();
    if (!ds || m_model->columnCount() == 0)
        return;
    const int row = ds->currentIndex();
    if (row < 0 || row >= m_model->rowCount())
        return;
    const QModelIndex current = currentIndex();
    const int column = current.isValid() ? current.column() : horizontalHeader()->logicalIndex(0);
    const QModelIndex target = m_model->index(row, qMax(column, 0));
    if (target != current) {
        const bool before = m_following;
        m_following = true;
        selectionModel()->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect);
        m_following = before;
    }
    scrollTo(target);
}

QModelIndex DBGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    Dataset *ds = m_model->dataset();
    if (ds && (modifiers & Qt::ControlModifier) && (action == MoveHome || action == MoveEnd)) {
        // First and last record: the dataset reads the one block it lands in. Leaving a record
        // being edited posts it, as any move of the dataset's cursor does.
        try {
            if (action == MoveHome)
                ds->first();
            else
                ds->last();
        } catch (const DbError &e) {
            emit error(e.message());
        }
        const int column = currentIndex().isValid() ? currentIndex().column() : 0;
        if (ds->currentIndex() < 0 || m_model->columnCount() == 0)
            return QModelIndex();
        return m_model->index(ds->currentIndex(), column);
    }
    return QTableView::moveCursor(action, modifiers);
}

void DBGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableView::currentChanged(current, previous);
    if (m_following || !current.isValid())
        return;
    Dataset *ds = m_model->dataset();
    if (!ds || current.row() == ds->currentIndex())
        return;
    try {
        ds->setRecNo(current.row() + 1);    // posts a record being edited first
    } catch (const DbError &e) {
        emit error(e.message());
        // Back to the record the dataset stayed on, once this change has run its course.
        QMetaObject::invokeMethod(this, &DBGrid::followDataset, Qt::QueuedConnection);
    }
}

void DBGrid::changeEvent(QEvent *event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        applyRowHeight(naturalRowHeight());
        m_widthsFor.clear();
        gridLayoutChanged();
    }
}

bool DBGrid::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == horizontalHeader() && event->type() == QEvent::FontChange)
        gridLayoutChanged();
    return QTableView::eventFilter(watched, event);
}
