#include "CallPictures.h"
#include "DBMemo.h"
#include "DataSource.h"
#include "Dataset.h"
#include "TMemoPopupForm.h"
#include "TestDatabase.h"

#include <QApplication>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QSqlQuery>
#include <QTest>
#include <QTimer>
#include <functional>

namespace {

const QString kLongNotes = QStringLiteral(
    "Boiler in the plant room trips every morning.\n"
    "Engineer visited twice; replaced the thermocouple.\n"
    "Customer asks for a call back before 10am.\n"
    "Line 4\nLine 5\nLine 6\nLine 7\nLine 8\nLine 9\nLine 10\nLine 11\nLine 12\nLine 13\n"
    "Line 14\nLine 15\nLine 16\nLine 17\nLine 18\nLine 19\nLine 20\nLast line");

// Works the notes window from inside its modal loop, then makes sure it is gone so that a
// failing check cannot leave the test waiting. The window is nullptr when none opened.
void whileShown(const std::function<void(TMemoPopupForm *)> &work)
{
    QTimer::singleShot(0, [work] {
        auto *form = qobject_cast<TMemoPopupForm *>(QApplication::activeModalWidget());
        work(form);
        if (form && form->isVisible())
            form->reject();
    });
}

int notesWindowsAlive()
{
    int n = 0;
    for (QWidget *w : QApplication::allWidgets())
        n += qobject_cast<TMemoPopupForm *>(w) ? 1 : 0;
    return n;
}

// Three calls of one organisation, in CallID order: a short note, a long one, and none.
class Notes : public ::testing::Test
{
protected:
    void SetUp() override
    {
        engine = db.open();
        engine->execute("INSERT INTO tblOrganization (OrganizationName) VALUES ('Acme Ltd')");
        QSqlQuery q = engine->select("SELECT OrgID FROM tblOrganization");
        ASSERT_TRUE(q.next());
        const QVariant org = q.value(0);
        for (const QVariant &notes : {QVariant(QStringLiteral("Printer jammed")),
                                      QVariant(kLongNotes), QVariant()})
            engine->execute("INSERT INTO tblCall (OrgID, Notes) VALUES (:o, :n)",
                            {{"o", org}, {"n", notes}});
        calls = std::make_unique<Dataset>(engine.get());
        calls->setSql("SELECT * FROM tblCall ORDER BY CallID");
        calls->open();
        source = std::make_unique<DataSource>(calls.get());
    }

    TestDatabase db;
    std::unique_ptr<SqliteEngine> engine;
    std::unique_ptr<Dataset> calls;
    std::unique_ptr<DataSource> source;
};

} // namespace

TEST_F(Notes, ShowsTheCurrentRowsNotesReadOnlyAndIsReleasedWhenClosed)
{
    calls->next();
    bool shown = false;
    whileShown([&](TMemoPopupForm *form) {
        ASSERT_NE(form, nullptr);
        shown = true;
        EXPECT_EQ(form->windowTitle(), "Notes");
        EXPECT_EQ(form->notesText(), kLongNotes);
        EXPECT_EQ(form->OkButton->text(), "OK");
        EXPECT_EQ(form->DBMemo1->accessibleName(), "Notes");
        EXPECT_TRUE(form->DBMemo1->isReadOnly());
        EXPECT_EQ(form->DBMemo1->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        EXPECT_GT(form->DBMemo1->verticalScrollBar()->maximum(), 0) << "long notes scroll";
        EXPECT_EQ(form->focusWidget(), form->DBMemo1) << "the reader scrolls at once";

        // Typing, deleting and pasting change nothing and never start an edit.
        QTest::keyClicks(form->DBMemo1, "xyz");
        QTest::keyClick(form->DBMemo1, Qt::Key_Delete);
        QTest::keyClick(form->DBMemo1, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(form->notesText(), kLongNotes);
        EXPECT_EQ(calls->state(), Dataset::State::Browse);

        form->OkButton->click();
        EXPECT_FALSE(form->isVisible());
    });
    TMemoPopupForm::showNotes(nullptr, *source);

    EXPECT_TRUE(shown);
    EXPECT_EQ(calls->recNo(), 2);
    EXPECT_EQ(calls->state(), Dataset::State::Browse);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(notesWindowsAlive(), 0);
}

TEST_F(Notes, EnterEscAndOkEachCloseTheWindow)
{
    struct Case {
        const char *name;
        std::function<void(TMemoPopupForm *)> close;
    };
    using Form = TMemoPopupForm;
    const Case cases[] = {
        {"Return in the memo", [](Form *f) { QTest::keyClick(f->DBMemo1, Qt::Key_Return); }},
        {"keypad Enter in the memo",
         [](Form *f) { QTest::keyClick(f->DBMemo1, Qt::Key_Enter, Qt::KeypadModifier); }},
        {"Esc in the memo", [](Form *f) { QTest::keyClick(f->DBMemo1, Qt::Key_Escape); }},
        {"Space on OK",
         [](Form *f) {
             f->OkButton->setFocus();
             QTest::keyClick(f->OkButton, Qt::Key_Space);
         }},
    };
    for (const Case &c : cases) {
        bool closedByKey = false;
        whileShown([&](TMemoPopupForm *form) {
            ASSERT_NE(form, nullptr) << c.name;
            c.close(form);
            closedByKey = !form->isVisible();
        });
        TMemoPopupForm::showNotes(nullptr, *calls);
        EXPECT_TRUE(closedByKey) << c.name;
        EXPECT_EQ(calls->state(), Dataset::State::Browse) << c.name;
    }
}

TEST_F(Notes, BoundWindowFollowsTheRowAndShowsNothingForNullNotes)
{
    TMemoPopupForm form;
    form.bind(source.get());
    EXPECT_EQ(form.notesText(), "Printer jammed");
    calls->next();
    EXPECT_EQ(form.notesText(), kLongNotes);
    calls->last();
    EXPECT_EQ(form.notesText(), "");
    EXPECT_TRUE(form.DBMemo1->isReadOnly());
}

TEST_F(Notes, NothingOpensOverAnEmptyOrClosedDataset)
{
    Dataset none(engine.get());
    none.setSql("SELECT * FROM tblCall WHERE CallID < 0");
    none.open();
    Dataset closed(engine.get());
    for (Dataset *ds : {&none, &closed}) {
        bool opened = false;
        whileShown([&](TMemoPopupForm *form) { opened = form != nullptr; });
        TMemoPopupForm::showNotes(nullptr, *ds);
        QCoreApplication::processEvents();   // let the probe run had nothing been shown
        EXPECT_FALSE(opened);
    }
}

TEST_F(Notes, ShowsTextThatIsNotBoundToARecord)
{
    QString seen;
    whileShown([&](TMemoPopupForm *form) {
        ASSERT_NE(form, nullptr);
        seen = form->notesText();
        QTest::keyClicks(form->DBMemo1, "typed");
        EXPECT_EQ(form->notesText(), "Line one\nLine two");
        QTest::keyClick(form->DBMemo1, Qt::Key_Escape);
    });
    TMemoPopupForm::showText(nullptr, "Line one\nLine two");
    EXPECT_EQ(seen, "Line one\nLine two");
}

TEST(NotesPictures, AreBandSizedDistinctAndCoverTheirCell)
{
    const QImage &overdue = CallPictures::OverdueImage();
    const QImage &closed = CallPictures::ClosedImage2();
    for (const QImage *image : {&overdue, &closed}) {
        EXPECT_EQ(image->size(), QSize(CallPictures::kSide, CallPictures::kSide));
        // The picture covers its cell: no see-through corner, something drawn in the middle.
        EXPECT_EQ(image->pixelColor(0, 0).alpha(), 255);
        EXPECT_NE(image->pixelColor(17, 17), image->pixelColor(0, 0));
    }
    EXPECT_NE(overdue, closed);
    EXPECT_EQ(&overdue, &CallPictures::OverdueImage()) << "drawn once";

    // Drawn for a cell of another shape and a high-density screen: sharp and cached.
    const QPixmap tall = CallPictures::pixmap(CallPictures::Picture::Closed, {34, 40}, 2.0);
    EXPECT_EQ(tall.size(), QSize(68, 80));
    EXPECT_EQ(tall.deviceIndependentSize(), QSizeF(34, 40));
    EXPECT_EQ(tall.cacheKey(),
              CallPictures::pixmap(CallPictures::Picture::Closed, {34, 40}, 2.0).cacheKey());
    EXPECT_NE(tall.cacheKey(),
              CallPictures::pixmap(CallPictures::Picture::Overdue, {34, 40}, 2.0).cacheKey());
    EXPECT_TRUE(CallPictures::pixmap(CallPictures::Picture::Closed, {0, 40}).isNull());

    // Painting into a cell leaves the rest of the row alone.
    QImage row(100, 40, QImage::Format_ARGB32_Premultiplied);
    row.fill(Qt::blue);
    {
        QPainter p(&row);
        CallPictures::paint(p, QRect(0, 0, 34, 40), CallPictures::Picture::Overdue);
    }
    EXPECT_NE(row.pixelColor(0, 0), QColor(Qt::blue));
    EXPECT_NE(row.pixelColor(33, 39), QColor(Qt::blue));
    EXPECT_EQ(row.pixelColor(34, 0), QColor(Qt::blue));
}
