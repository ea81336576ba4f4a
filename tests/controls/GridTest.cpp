#include "ControlColors.h"
#include "DBGrid.h"
#include "DataSource.h"
#include "Dataset.h"
#include "DatasetModel.h"
#include "TDBGridPlus.h"
#include "TestDatabase.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QImage>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTest>
#include <functional>

namespace {

// Capitals without descenders, so that the lines of a wrapped note stay apart on screen.
const QString kLongNote = "ALPHA BRAVO CHARLIE DELTA ECHO FOXTROT GOLF HOTEL INDIA KILO LIMA MIKE "
                          "NOVEMBER OSCAR PAPA ROMEO SIERRA TANGO UNIFORM VICTOR WHISKEY";

// Calls C1..Cn of one organisation, listed by CallID: CallRef, DueDate and Notes.
class Grid : public ::testing::Test
{
protected:
    void SetUp() override
    {
        engine = db.open();
        engine->execute("INSERT INTO tblOrganization (OrganizationName) VALUES ('Acme Ltd')");
        org = scalar("SELECT max(OrgID) FROM tblOrganization").toInt();
    }

    QVariant scalar(const QString &sql)
    {
        QSqlQuery q = engine->select(sql);
        return q.next() ? q.value(0) : QVariant();
    }

    void addCalls(int count, const QString &notes = QString())
    {
        engine->run("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < :c) "
                    "INSERT INTO tblCall (OrgID, CallRef, DueDate, Notes) SELECT :o, 'C' || i, "
                    "strftime('%Y-%m-%d %H:%M:%S.000', '2026-01-01', '+' || i || ' minutes'), "
                    ":notes FROM n",
                    {{"c", count}, {"o", org}, {"notes", notes.isEmpty() ? QVariant() : notes}});
    }

    void open(const QString &sql = "SELECT CallID, CallRef, DueDate, Notes FROM tblCall "
                                   "ORDER BY CallID")
    {
        ds = std::make_unique<Dataset>(engine.get());
        ds->setSql(sql);
        ds->open();
        source.setDataset(ds.get());
    }

    // A grid on screen (offscreen), bound to the source.
    template <typename G> void show(G &grid, QSize size = QSize(500, 300))
    {
        grid.setDataSource(&source);
        grid.resize(size);
        grid.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    }

    TestDatabase db;
    std::unique_ptr<SqliteEngine> engine;
    int org = 0;
    std::unique_ptr<Dataset> ds;
    DataSource source;
};

// ---- the grid and the dataset ------------------------------------------------------------

TEST_F(Grid, CurrentRowAndDatasetCursorFollowEachOther)
{
    addCalls(8);
    open();
    DBGrid grid;
    show(grid);
    EXPECT_EQ(grid.currentIndex().row(), 0);

    ds->setRecNo(4);
    EXPECT_EQ(grid.currentIndex().row(), 3);

    grid.setCurrentIndex(grid.model()->index(6, 1));
    EXPECT_EQ(ds->recNo(), 7);

    QTest::keyClick(&grid, Qt::Key_Up);
    EXPECT_EQ(ds->recNo(), 6);
    QTest::keyClick(&grid, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(ds->recNo(), 8);
    EXPECT_EQ(grid.currentIndex().row(), 7);
    EXPECT_EQ(grid.currentIndex().column(), 1);   // the column stays
    QTest::keyClick(&grid, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(ds->recNo(), 1);

    const QRect cell = grid.visualRect(grid.model()->index(2, 0));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(ds->recNo(), 3);

    // A requery lands on the first row, and so does the grid.
    grid.setCurrentIndex(grid.model()->index(5, 0));
    ds->requery();
    EXPECT_EQ(grid.currentIndex().row(), 0);
}

TEST_F(Grid, LongResultIsReadOnlyWhereTheUserLooks)
{
    addCalls(2000);
    open();
    ASSERT_EQ(ds->recordCount(), 2000);
    DBGrid grid;
    show(grid);
    EXPECT_EQ(grid.model()->rowCount(), 2000);

    QTest::keyClick(&grid, Qt::Key_End, Qt::ControlModifier);
    QApplication::processEvents();
    EXPECT_EQ(ds->recNo(), 2000);
    EXPECT_EQ(grid.currentIndex().row(), 1999);
    EXPECT_EQ(grid.model()->index(1999, 1).data().toString(), "C2000");
    EXPECT_LE(ds->loadedRowCount(), 4 * Dataset::kBlockRows);

    QTest::keyClick(&grid, Qt::Key_PageUp);
    const int page = 2000 - ds->recNo();
    EXPECT_GT(page, 3);
    EXPECT_LT(page, Dataset::kBlockRows);
    EXPECT_EQ(grid.currentIndex().row(), ds->recNo() - 1);
    QTest::keyClick(&grid, Qt::Key_PageDown);
    EXPECT_EQ(ds->recNo(), 2000);

    // Typed letters in a read-only grid do not search through every row.
    grid.setReadOnly(true);
    QTest::keyClicks(&grid, "C5");
    EXPECT_LE(ds->loadedRowCount(), 4 * Dataset::kBlockRows);
}

TEST_F(Grid, ShowsNothingWhileTheSourceIsDisabled)
{
    addCalls(3);
    open();
    DBGrid grid;
    grid.setDataSource(&source);
    EXPECT_EQ(grid.model()->rowCount(), 3);
    source.setEnabled(false);
    EXPECT_EQ(grid.model()->rowCount(), 0);
    source.setEnabled(true);
    EXPECT_EQ(grid.model()->rowCount(), 3);

    // Rows added while the dataset's controls are suspended show once they are resumed.
    ds->disableControls();
    ds->append();
    ds->field("CallRef").setValue("NEW");
    EXPECT_EQ(grid.model()->rowCount(), 3);
    ds->enableControls();
    EXPECT_EQ(grid.model()->rowCount(), 4);
    EXPECT_EQ(grid.currentIndex().row(), 3);
}

// ---- columns and cells ---------------------------------------------------------------------

TEST_F(Grid, ColumnsShowFieldsByType)
{
    addCalls(2, "line one\r\nline two & more");
    open();
    ds->findField("CallID")->setVisible(false);
    DBGrid grid;
    grid.setDataSource(&source);
    const QAbstractItemModel &m = *grid.model();

    // No column list: every visible field, captioned by its label.
    ASSERT_EQ(m.columnCount(), 3);
    EXPECT_EQ(m.headerData(0, Qt::Horizontal).toString(), "CallRef");
    EXPECT_EQ(m.index(1, 0).data().toString(), "C2");
    // A note shows on one line; the whole text is there for a screen reader and as a tip.
    EXPECT_EQ(m.index(0, 2).data().toString(), "line one line two & more");
    const QString whole = "line one\r\nline two & more";
    EXPECT_EQ(m.index(0, 2).data(Qt::AccessibleTextRole).toString(), whole);
    EXPECT_EQ(m.index(0, 2).data(DatasetModel::ValueRole).toString(), whole);
    EXPECT_FALSE(m.index(1, 1).data(Qt::AccessibleTextRole).toString().isEmpty());

    grid.setColumns({{"DueDate", "When Due", 120, false, {}},
                     {"NoSuchField", "Gone", 0, false, {}}});
    ASSERT_EQ(m.columnCount(), 2);
    EXPECT_EQ(m.headerData(0, Qt::Horizontal).toString(), "When Due");
    EXPECT_EQ(grid.columnWidth(0), 120);
    EXPECT_TRUE(m.index(0, 1).data().isNull());
    EXPECT_FALSE(m.flags(m.index(0, 1)) & Qt::ItemIsEditable);

    // A yes/no field is a check box, read aloud as its text.
    open("SELECT ValueID, Description, IsDefault FROM tblValuesList ORDER BY ValueID");
    grid.setColumns({});
    const QModelIndex check = m.index(0, 2);
    EXPECT_TRUE(m.flags(check) & Qt::ItemIsUserCheckable);
    EXPECT_TRUE(m.data(check, Qt::CheckStateRole).isValid());
    EXPECT_FALSE(m.data(check, Qt::AccessibleTextRole).toString().isEmpty());
    const bool was = ds->valueAt(0, ds->field("IsDefault")).toBool();
    EXPECT_TRUE(grid.model()->setData(check, was ? Qt::Unchecked : Qt::Checked,
                                      Qt::CheckStateRole));
    EXPECT_EQ(ds->state(), Dataset::State::Edit);
    EXPECT_EQ(ds->field("IsDefault").asBoolean(), !was);
}

TEST_F(Grid, EditingACellEditsTheRecordOrReportsTheError)
{
    addCalls(4);
    open("SELECT CallID, CallRef, DueDate, OrgID FROM tblCall ORDER BY CallID");
    DBGrid grid;
    grid.setDataSource(&source);
    grid.setColumns({{"CallID", "", 0, false, {}},
                     {"CallRef", "Ref", 0, false, {"A1", "B2", "C3"}},
                     {"DueDate", "", 0, true, {}}});
    QAbstractItemModel &m = *grid.model();
    QSignalSpy errors(&grid, &DBGrid::error);

    // The edited row becomes current and goes into Edit state.
    EXPECT_TRUE(m.setData(m.index(2, 1), "X9"));
    EXPECT_EQ(ds->recNo(), 3);
    EXPECT_EQ(ds->state(), Dataset::State::Edit);
    EXPECT_EQ(ds->field("CallRef").asString(), "X9");
    EXPECT_EQ(m.index(2, 1).data().toString(), "X9");

    // Moving to another row posts the edit.
    grid.setCurrentIndex(m.index(0, 1));
    EXPECT_EQ(ds->state(), Dataset::State::Browse);
    EXPECT_EQ(scalar("SELECT CallRef FROM tblCall WHERE CallRef = 'X9'").toString(), "X9");

    // The data layer's refusal reaches the owner, and the field keeps its value.
    EXPECT_FALSE(m.setData(m.index(1, 1), QString(30, 'x')));
    ASSERT_EQ(errors.count(), 1);
    const QString refused = errors.at(0).at(0).toString();
    EXPECT_TRUE(refused.contains("CallRef")) << refused.toStdString();
    EXPECT_EQ(ds->field("CallRef").asString(), "C2");

    // Auto-numbers and read-only columns are not editable.
    EXPECT_FALSE(m.flags(m.index(1, 0)) & Qt::ItemIsEditable);
    EXPECT_FALSE(m.flags(m.index(1, 2)) & Qt::ItemIsEditable);
    EXPECT_FALSE(m.setData(m.index(1, 2), QDateTime::currentDateTime()));

    // A pick-list column is edited with a drop-down of its texts.
    QStyleOptionViewItem option;
    std::unique_ptr<QWidget> editor(
        grid.itemDelegate()->createEditor(grid.viewport(), option, m.index(3, 1)));
    auto *combo = qobject_cast<QComboBox *>(editor.get());
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->count(), 3);
    grid.itemDelegate()->setEditorData(combo, m.index(3, 1));
    EXPECT_EQ(combo->currentText(), "C4");
    combo->setCurrentIndex(1);
    grid.itemDelegate()->setModelData(combo, &m, m.index(3, 1));
    EXPECT_EQ(ds->field("CallRef").asString(), "B2");

    // A post refused on leaving the row keeps the grid on it.
    ds->field("OrgID").setValue(99999);
    grid.setCurrentIndex(m.index(0, 1));
    ASSERT_EQ(errors.count(), 2);
    EXPECT_EQ(ds->state(), Dataset::State::Edit);
    EXPECT_EQ(ds->recNo(), 4);
    QApplication::processEvents();
    EXPECT_EQ(grid.currentIndex().row(), 3);

    // A read-only grid edits nothing.
    ds->cancel();
    grid.setReadOnly(true);
    EXPECT_FALSE(m.flags(m.index(1, 1)) & Qt::ItemIsEditable);
    EXPECT_FALSE(m.setData(m.index(1, 1), "Z"));
    EXPECT_EQ(ds->state(), Dataset::State::Browse);
}

// ---- row heights ---------------------------------------------------------------------------

int titleRowFor(const QFont &font)
{
    return QFontMetrics(font).size(Qt::TextSingleLine, "Wg").height() + 4;
}

TEST_F(Grid, RowHeightSurvivesEveryRelayout)
{
    addCalls(6);
    open();
    Dataset other(engine.get());
    other.setSql("SELECT CallRef, Notes FROM tblCall ORDER BY CallRef DESC");
    other.open();
    DataSource otherSource(&other);

    TDBGridPlus grid;
    show(grid);
    grid.setDefaultRowHeight(17);

    const std::vector<std::pair<const char *, std::function<void()>>> relayouts = {
        {"bigger font", [&] { grid.setFont(QFont(grid.font().family(), 20)); }},
        {"title font", [&] { grid.horizontalHeader()->setFont(QFont(grid.font().family(), 6)); }},
        {"columns", [&] { grid.setColumns({{"CallRef", "", 0, false, {}}}); }},
        {"data source", [&] { grid.setDataSource(&otherSource); }},
        {"requery", [&] { other.requery(); }},
        {"all fields", [&] { grid.setColumns({}); }},
    };
    for (const auto &[what, change] : relayouts) {
        change();
        QApplication::processEvents();
        EXPECT_EQ(grid.defaultRowHeight(), 17) << what;
        for (int row = 0; row < grid.model()->rowCount(); ++row)
            EXPECT_EQ(grid.rowHeight(row), 17) << what << " row " << row;
        EXPECT_EQ(grid.horizontalHeader()->height(), titleRowFor(grid.horizontalHeader()->font()))
            << what;
    }

    // 0 keeps the height the grid has.
    grid.setDefaultRowHeight(0);
    EXPECT_EQ(grid.defaultRowHeight(), 17);
    EXPECT_EQ(grid.rowHeight(0), 17);
}

// Drags the lower border of a row in the indicator column.
void dragRowBorder(TDBGridPlus &grid, int row, int newHeight)
{
    QHeaderView *rows = grid.verticalHeader();
    QWidget *vp = rows->viewport();
    const int border = rows->sectionViewportPosition(row) + rows->sectionSize(row) - 1;
    const QPoint from(rows->width() / 2, border);
    const QPoint to(from.x(), border + newHeight - rows->sectionSize(row));
    auto send = [&](QEvent::Type type, QPoint at, Qt::MouseButtons held) {
        QMouseEvent e(type, at, vp->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
        QApplication::sendEvent(vp, &e);
    };
    send(QEvent::MouseButtonPress, from, Qt::LeftButton);
    send(QEvent::MouseMove, (from + to) / 2, Qt::LeftButton);
    send(QEvent::MouseMove, to, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, to, Qt::NoButton);
}

TEST_F(Grid, ResizingOneRowResizesEveryRow)
{
    addCalls(6);
    open();
    TDBGridPlus grid;
    show(grid);
    grid.setDefaultRowHeight(17);

    // Row sizing is off by default: the border cannot be dragged.
    dragRowBorder(grid, 2, 40);
    EXPECT_EQ(grid.rowHeight(2), 17);

    grid.setRowSizingAllowed(true);
    dragRowBorder(grid, 2, 40);
    EXPECT_EQ(grid.defaultRowHeight(), 40);
    for (int row = 0; row < 6; ++row)
        EXPECT_EQ(grid.rowHeight(row), 40) << "row " << row;

    // The new height is the one kept from then on, also for rows that come later.
    grid.setFont(QFont(grid.font().family(), 16));
    addCalls(3);
    ds->requery();
    for (int row = 0; row < grid.model()->rowCount(); ++row)
        EXPECT_EQ(grid.rowHeight(row), 40) << "row " << row;
}

// ---- drawing -------------------------------------------------------------------------------

// A cell's rectangle in the grid's own coordinates.
QRect cellRect(const QTableView &grid, int row, int column)
{
    return grid.visualRect(grid.model()->index(row, column))
        .translated(grid.viewport()->mapTo(&grid, QPoint(0, 0)));
}

QImage renderOf(QWidget &w)
{
    QImage image(w.size(), QImage::Format_ARGB32);
    image.fill(Qt::white);
    w.render(&image);
    return image;
}

// The rows of a rectangle that hold dark (text) pixels, as bands of consecutive rows.
struct Ink
{
    std::vector<std::pair<int, int>> bands;     // first and last y
    int left = INT_MAX;                         // leftmost dark x
};

Ink inkIn(const QImage &image, const QRect &r)
{
    Ink ink;
    int start = -1;
    for (int y = r.top(); y <= r.bottom() + 1; ++y) {
        bool dark = false;
        if (y <= r.bottom())
            for (int x = r.left(); x <= r.right(); ++x)
                if (qGray(image.pixel(x, y)) < 110) {
                    dark = true;
                    ink.left = std::min(ink.left, x);
                }
        if (dark && start < 0)
            start = y;
        if (!dark && start >= 0) {
            ink.bands.push_back({start, y - 1});
            start = -1;
        }
    }
    return ink;
}

TEST_F(Grid, MemoColumnsAreDrawnWordWrapped)
{
    addCalls(3, kLongNote);
    open("SELECT CallRef, Notes FROM tblCall ORDER BY CallID");
    TDBGridPlus grid;
    show(grid, QSize(600, 400));
    grid.setColumnWidth(1, 220);
    grid.setCurrentIndex(grid.model()->index(0, 0));

    grid.setDefaultRowHeight(17);
    Ink ink = inkIn(renderOf(grid), cellRect(grid, 1, 1));
    EXPECT_EQ(ink.bands.size(), 1u) << "one line fits a 17-pixel row";

    grid.setDefaultRowHeight(70);
    const QRect tall = cellRect(grid, 1, 1);
    ink = inkIn(renderOf(grid), tall);
    ASSERT_GE(ink.bands.size(), 3u) << "a taller row shows more of the note";
    // The text starts 2 pixels in from the left and the top.
    EXPECT_GE(ink.left, tall.left() + 2);
    EXPECT_LE(ink.left, tall.left() + 5);
    EXPECT_GE(ink.bands.front().first, tall.top() + 2);
    EXPECT_LE(ink.bands.front().first, tall.top() + 8);

    // Not drawn as a memo: one line, as any text.
    grid.setDrawMemo(TDBGridPlus::gedmNo);
    EXPECT_EQ(inkIn(renderOf(grid), tall).bands.size(), 1u);
}

TEST_F(Grid, OwnerDecidesWhichCellsAreHighlighted)
{
    addCalls(4);
    open("SELECT CallRef, CallID FROM tblCall ORDER BY CallID");
    TDBGridPlus grid;
    show(grid);
    grid.setCurrentIndex(grid.model()->index(0, 0));
    std::vector<std::pair<int, int>> asked;
    grid.OnChangeDrawing = [&](TDBGridPlus &, int col, int row, QStyle::State state, bool &high) {
        asked.push_back({col, row});
        if (row == 0 && col == 0) {
            EXPECT_TRUE(state & QStyle::State_Selected) << "the grid's own decision comes first";
        }
        high = row == 2;    // the owner's own choice: row 3 only
    };
    const QImage image = renderOf(grid);
    auto colourAt = [&](int row) {
        const QRect r = cellRect(grid, row, 0);
        return QColor(image.pixel(r.right() - 3, r.center().y()));
    };
    const QColor highlight = grid.palette().color(QPalette::Inactive, QPalette::Highlight);
    const QColor highlightActive = grid.palette().color(QPalette::Active, QPalette::Highlight);
    const QColor row3 = colourAt(2);
    EXPECT_TRUE(row3 == highlight || row3 == highlightActive) << row3.name().toStdString();
    // The current cell keeps only the style's faint focus mark.
    const QColor row1 = colourAt(0);
    EXPECT_TRUE(row1 != highlight && row1 != highlightActive && qGray(row1.rgb()) > 200)
        << row1.name().toStdString();
    EXPECT_EQ(colourAt(1), ControlColors::kCream);
    EXPECT_NE(std::find(asked.begin(), asked.end(), std::pair(1, 3)), asked.end());
}

TEST_F(Grid, WiderGridLinesAreDrawnBetweenCells)
{
    addCalls(3);
    open("SELECT CallRef, CallID FROM tblCall ORDER BY CallID");
    TDBGridPlus grid;
    show(grid);
    grid.setColumnWidth(0, 80);
    const QPoint origin = grid.viewport()->mapTo(&grid, QPoint(0, 0));
    const QRect cell = cellRect(grid, 2, 0);
    const int right = grid.columnViewportPosition(0) + grid.columnWidth(0) + origin.x();
    const int y = cell.center().y();

    EXPECT_EQ(QColor(renderOf(grid).pixel(right - 3, y)), ControlColors::kCream);
    grid.setGridLineWidth(3);
    EXPECT_NE(QColor(renderOf(grid).pixel(right - 3, y)), ControlColors::kCream);
    grid.setGridLineWidth(0);
    EXPECT_FALSE(grid.showGrid());
}

TEST(GridPicture, AdjustKeepsProportionsCentredAndRoundsHalvesToEven)
{
    struct Case
    {
        QRect cell;
        QSize bitmap;
        QRect expected;
    };
    const Case cases[] = {
        // wide bitmap: full width, height by fx
        {{0, 0, 100, 50}, {200, 50}, {0, 12, 100, 25}},
        // tall bitmap: full height, width by fy
        {{0, 0, 100, 50}, {50, 100}, {37, 0, 25, 50}},
        // same proportions: the whole cell (fy = fx takes the width)
        {{10, 20, 100, 50}, {10, 5}, {10, 20, 100, 50}},
        // halves go to the even neighbour: 2.5 -> 2, 7.5 -> 8
        {{0, 0, 10, 20}, {4, 1}, {0, 9, 10, 2}},
        {{0, 0, 10, 20}, {4, 3}, {0, 6, 10, 8}},
        {{0, 0, 20, 10}, {1, 4}, {9, 0, 2, 10}},
        // an empty dimension makes its factor 0
        {{0, 0, 100, 50}, {0, 10}, {0, 25, 100, 0}},
        {{0, 0, 100, 50}, {10, 0}, {50, 0, 0, 50}},
        {{5, 7, 100, 50}, {0, 0}, {5, 32, 100, 0}},
        // the cell's offset carries over, odd leftovers divided down
        {{5, 7, 33, 20}, {10, 10}, {11, 7, 20, 20}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(TDBGridPlus::adjustedPictureRect(c.cell, c.bitmap), c.expected)
            << "cell " << c.cell.width() << "x" << c.cell.height() << " bitmap "
            << c.bitmap.width() << "x" << c.bitmap.height();
}

// ---- title clicks --------------------------------------------------------------------------

struct Click
{
    int index = -99;
    Qt::MouseButton button = Qt::NoButton;
    Qt::KeyboardModifiers shift;
    QString simple;     // which of the left, right or middle events came
};

class TitleClicks : public Grid
{
protected:
    void SetUp() override
    {
        Grid::SetUp();
        addCalls(3);
        open("SELECT CallRef, DueDate, CallID FROM tblCall ORDER BY CallID");
        show(grid);
        grid.OnColumnClick = [this](TDBGridPlus &, int index, Qt::MouseButton b,
                                    Qt::KeyboardModifiers s, int, int) {
            clicks.push_back({index, b, s, {}});
        };
        auto simple = [this](const char *which) {
            return [this, which](TDBGridPlus &, int index, Qt::KeyboardModifiers, int, int) {
                ASSERT_FALSE(clicks.empty());
                EXPECT_EQ(clicks.back().index, index);
                clicks.back().simple = which;
            };
        };
        grid.OnColumnLeftClick = simple("left");
        grid.OnColumnRightClick = simple("right");
        grid.OnColumnMiddleClick = simple("middle");
        grid.OnMouseDown = [this](TDBGridPlus &, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
            ++mouseDowns;
        };
    }

    QPoint titleOf(int column) const
    {
        const QHeaderView *h = grid.horizontalHeader();
        return {h->sectionViewportPosition(column) + h->sectionSize(column) / 2, h->height() / 2};
    }
    QWidget *titles() const { return grid.horizontalHeader()->viewport(); }

    TDBGridPlus grid;
    std::vector<Click> clicks;
    int mouseDowns = 0;
};

TEST_F(TitleClicks, ModifiersOtherThanNativeClickAreCaptured)
{
    using NC = TDBGridPlus::TdbeNativeClick;
    struct Case
    {
        NC native;
        Qt::KeyboardModifiers held;
        Qt::MouseButton button;
        bool captured;
        const char *simple;
    };
    const Case cases[] = {
        {NC(), Qt::NoModifier, Qt::LeftButton, false, ""},     // a plain click is the grid's own
        {NC(), Qt::ShiftModifier, Qt::LeftButton, true, "left"},
        {NC(), Qt::ControlModifier, Qt::RightButton, true, "right"},
        {NC(), Qt::AltModifier | Qt::ShiftModifier, Qt::MiddleButton, true, "middle"},
        {NC(TDBGridPlus::ncssShift), Qt::ShiftModifier, Qt::LeftButton, false, ""},
        {NC(TDBGridPlus::ncssShift), Qt::NoModifier, Qt::LeftButton, true, "left"},
        {TDBGridPlus::ncssCtrl | TDBGridPlus::ncssAlt, Qt::ControlModifier | Qt::AltModifier,
         Qt::RightButton, false, ""},
        {TDBGridPlus::ncssCtrl | TDBGridPlus::ncssAlt, Qt::ControlModifier, Qt::RightButton, true,
         "right"},
    };
    for (const Case &c : cases) {
        clicks.clear();
        mouseDowns = 0;
        grid.setNativeClick(c.native);
        QTest::mouseClick(titles(), c.button, c.held, titleOf(1));
        const std::string what = QString("native %1 held %2")
                                     .arg(int(c.native)).arg(int(c.held)).toStdString();
        if (!c.captured) {
            EXPECT_TRUE(clicks.empty()) << what;
            EXPECT_EQ(mouseDowns, 1) << what << ": the press goes to the grid";
            continue;
        }
        ASSERT_EQ(clicks.size(), 1u) << what;
        EXPECT_EQ(clicks[0].index, 1) << what;
        EXPECT_EQ(clicks[0].button, c.button) << what;
        EXPECT_EQ(clicks[0].shift, c.held) << what;
        EXPECT_EQ(clicks[0].simple, c.simple) << what;
        EXPECT_EQ(mouseDowns, 0) << what << ": the grid never saw the press";
    }
}

TEST_F(TitleClicks, ColumnsCountFromTheFirstDataColumnAndTheCornerIsMinusOne)
{
    QTest::mouseClick(titles(), Qt::LeftButton, Qt::ShiftModifier, titleOf(0));
    auto *corner = grid.findChild<QAbstractButton *>(QString(), Qt::FindDirectChildrenOnly);
    ASSERT_NE(corner, nullptr);
    QTest::mouseClick(corner, Qt::LeftButton, Qt::ShiftModifier, corner->rect().center());
    ASSERT_EQ(clicks.size(), 2u);
    EXPECT_EQ(clicks[0].index, 0);
    EXPECT_EQ(clicks[1].index, -1);

    // Without the indicator column the first title is still 0.
    grid.setIndicatorVisible(false);
    QApplication::processEvents();
    QTest::mouseClick(titles(), Qt::LeftButton, Qt::ShiftModifier, titleOf(0));
    ASSERT_EQ(clicks.size(), 3u);
    EXPECT_EQ(clicks[2].index, 0);
}

TEST_F(TitleClicks, LeavingTheCapturedTitleCancelsTheClick)
{
    auto press = [&](QPoint at) {
        QTest::mousePress(titles(), Qt::LeftButton, Qt::ControlModifier, at);
    };
    auto move = [&](QPoint to) {
        QMouseEvent e(QEvent::MouseMove, to, titles()->mapToGlobal(to), Qt::NoButton,
                      Qt::LeftButton, Qt::ControlModifier);
        QApplication::sendEvent(titles(), &e);
    };
    auto release = [&](QPoint at) {
        QTest::mouseRelease(titles(), Qt::LeftButton, Qt::ControlModifier, at);
    };
    press(titleOf(0));
    move(titleOf(1));       // onto another column
    release(titleOf(1));
    press(titleOf(0));
    move(titleOf(1));       // and back again
    move(titleOf(0));
    release(titleOf(0));
    press(titleOf(0));
    move(QPoint(titleOf(0).x(), 500));   // off the title row
    move(titleOf(0));
    release(titleOf(0));
    EXPECT_TRUE(clicks.empty());
    // Staying on the column makes the click.
    press(titleOf(0));
    move(titleOf(0) + QPoint(3, 1));
    release(titleOf(0) + QPoint(3, 1));
    ASSERT_EQ(clicks.size(), 1u);
    clicks.clear();

    // A press on a data cell ends a capture as well.
    press(titleOf(2));
    const QPoint cell = grid.visualRect(grid.model()->index(1, 1)).center();
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell);
    QTest::mouseRelease(titles(), Qt::LeftButton, Qt::ControlModifier, titleOf(2));
    EXPECT_TRUE(clicks.empty());
    EXPECT_EQ(grid.currentColumn(), 1);
}

} // namespace
