#include "ControlColors.h"
#include "DBCheck.h"
#include "DBEdit.h"
#include "DBLookupCombo.h"
#include "DBMemo.h"
#include "DBNavigator.h"
#include "DBText.h"
#include "DataSource.h"
#include "Dataset.h"
#include "RecordPosition.h"
#include "TestDatabase.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>
#include <functional>

namespace {

using Nav = DBNavigator;

// A top-level window that notes the keys its controls pass on to it.
class Window : public QWidget
{
public:
    int escapes = 0;

protected:
    void keyPressEvent(QKeyEvent *e) override
    {
        if (e->key() == Qt::Key_Escape)
            ++escapes;
    }
};

QColor baseColour(const QWidget *w) { return w->palette().color(QPalette::Base); }

// Five organisations, listed by name: Acme Ltd (reference "ACM", a customer, input
// 05/01/2004 10:30), Bolt plc, Crane & Co, Delta Inc and Echo GmbH.
class EditControls : public ::testing::Test
{
protected:
    void SetUp() override
    {
        engine = db.open();
        customerId = valueId("Customer");
        supplierId = valueId("Supplier");
        engine->execute("INSERT INTO tblOrganization (OrganizationName, OrgReference, OrgTypeID, "
                        "InputDate) VALUES (:n, :r, :t, #01-05-2004 10:30:00#)",
                        {{"n", "Acme Ltd"}, {"r", "ACM"}, {"t", customerId}});
        for (const char *name : {"Echo GmbH", "Delta Inc", "Crane & Co", "Bolt plc"})
            engine->execute("INSERT INTO tblOrganization (OrganizationName) VALUES (:n)",
                            {{"n", QString::fromUtf8(name)}});
        ds = std::make_unique<Dataset>(engine.get());
        ds->setSql("SELECT * FROM tblOrganization ORDER BY OrganizationName");
        ds->open();
        source = std::make_unique<DataSource>(ds.get());
        window = std::make_unique<Window>();
        layout = new QVBoxLayout(window.get());
        elsewhere = new QLineEdit(window.get());
        layout->addWidget(elsewhere);
    }

    int valueId(const char *description)
    {
        QSqlQuery q = engine->select("SELECT ValueID FROM tblValuesList WHERE Description = :d",
                                     {{"d", QString::fromUtf8(description)}});
        return q.next() ? q.value(0).toInt() : -1;
    }

    // What the database holds for the current organisation.
    QVariant stored(const QString &column)
    {
        QSqlQuery q = engine->select("SELECT " + column + " FROM tblOrganization WHERE OrgID = :id",
                                     {{"id", ds->field("OrgID").value()}});
        return q.next() ? q.value(0) : QVariant();
    }

    template <class Control>
    Control *add(const QString &field, DataSource *on = nullptr)
    {
        auto *c = new Control(window.get());
        layout->addWidget(c);
        c->setDataSource(on ? on : source.get());
        c->setDataField(field);
        return c;
    }

    void showWindow()
    {
        window->show();
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    static void replaceText(QWidget *w, const QString &text)
    {
        QTest::keyClick(w, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(w, text);
    }

    TestDatabase db;
    std::unique_ptr<SqliteEngine> engine;
    int customerId = -1;
    int supplierId = -1;
    std::unique_ptr<Dataset> ds;
    std::unique_ptr<DataSource> source;
    std::unique_ptr<Window> window;   // before the data, so its controls go first
    QVBoxLayout *layout = nullptr;
    QLineEdit *elsewhere = nullptr;
};

// --- edits -----------------------------------------------------------------------------------

TEST_F(EditControls, TypedTextReachesTheFieldByEveryWayOfLeaving)
{
    auto *edit = add<DBEdit>("OrganizationName");
    showWindow();
    ASSERT_EQ(edit->text(), "Acme Ltd");
    ASSERT_FALSE(edit->isReadOnly());
    EXPECT_EQ(baseColour(edit), ControlColors::kCream);

    const struct {
        const char *way;
        std::function<void()> leave;
        bool posts;   // the way itself posts the row
    } ways[] = {
        {"post", [&] { ds->post(); }, true},
        {"focus out", [&] { elsewhere->setFocus(); }, false},
        {"enter", [&] { QTest::keyClick(edit, Qt::Key_Return); }, false},
    };
    for (const auto &w : ways) {
        SCOPED_TRACE(w.way);
        const QString typed = QStringLiteral("Acme by %1").arg(w.way);
        edit->setFocus();
        replaceText(edit, typed);
        EXPECT_EQ(ds->state(), Dataset::State::Edit) << "typing starts the edit";
        EXPECT_NE(ds->field("OrganizationName").asString(), typed) << "held until written";

        w.leave();
        EXPECT_EQ(ds->field("OrganizationName").asString(), typed);
        EXPECT_FALSE(edit->isTextModified());
        if (!w.posts)
            ds->post();
        EXPECT_EQ(stored("OrganizationName").toString(), typed);
        EXPECT_EQ(edit->text(), typed);
    }
}

TEST_F(EditControls, ShowsDisplayTextBrowsingAndPlainTextEditing)
{
    ds->field("InputDate").setDisplayFormat("dd/mm/yyyy");
    auto *edit = add<DBEdit>("InputDate");
    EXPECT_EQ(edit->text(), "05/01/2004");
    ds->edit();
    EXPECT_EQ(edit->text(), "05/01/2004 10:30:00");
    ds->cancel();
    EXPECT_EQ(edit->text(), "05/01/2004");
    // and it follows the record
    ds->next();
    EXPECT_EQ(edit->text(), "");
}

TEST_F(EditControls, RefusedTextIsDroppedAndTheFieldKeepsItsValue)
{
    // An edit holds to the field's size, so over-long text cannot even be typed there.
    auto *reference = add<DBEdit>("OrgReference");
    EXPECT_EQ(reference->maxLength(), 20);
    replaceText(reference, QString(25, u'x'));
    EXPECT_EQ(reference->text(), QString(20, u'x'));
    reference->revert();
    ds->cancel();

    auto *memo = add<DBMemo>("OrgReference");
    auto *type = add<DBEdit>("OrgTypeID");
    showWindow();

    const struct {
        const char *what;
        QWidget *control;
        QString text;
        std::function<void()> leave;
        const char *message;
    } cases[] = {
        {"over-long text on post", memo, QString(25, u'y'), [&] { ds->post(); }, "too long"},
        {"over-long text on leaving", memo, QString(25, u'y'), [&] { elsewhere->setFocus(); },
         "too long"},
        {"letters in a number on enter", type, "abc",
         [&] { QTest::keyClick(type, Qt::Key_Return); }, "whole number"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const QVariant before = ds->field(memo == c.control ? "OrgReference" : "OrgTypeID").value();
        c.control->setFocus();
        replaceText(c.control, c.text);
        QSignalSpy memoFailed(memo, &DBMemo::writeFailed);
        QSignalSpy typeFailed(type, &DBEdit::writeFailed);

        QString message;
        try {
            c.leave();
        } catch (const DbError &e) {
            message = e.message();   // a post hears of it as an engine error
        }
        QApplication::processEvents();   // the control takes the focus back
        for (QSignalSpy *spy : {&memoFailed, &typeFailed})
            if (!spy->isEmpty())
                message = spy->first().first().toString();
        EXPECT_TRUE(message.contains(c.message)) << message.toStdString();
        EXPECT_TRUE(message.contains(memo == c.control ? "OrgReference" : "OrgTypeID"));

        const Field &f = ds->field(memo == c.control ? "OrgReference" : "OrgTypeID");
        EXPECT_EQ(f.value(), before);
        const QString shown = memo == c.control ? memo->toPlainText() : type->text();
        EXPECT_EQ(shown, f.asString());
        EXPECT_EQ(QApplication::focusWidget(), c.control);
        ds->cancel();
    }
    EXPECT_EQ(stored("OrgReference").toString(), "ACM");
}

TEST_F(EditControls, EscapeDropsTypedTextThenGoesToTheWindow)
{
    auto *edit = add<DBEdit>("OrganizationName");
    auto *memo = add<DBMemo>("Notes");
    showWindow();
    for (QWidget *control : {static_cast<QWidget *>(edit), static_cast<QWidget *>(memo)}) {
        SCOPED_TRACE(control->metaObject()->className());
        window->escapes = 0;
        control->setFocus();
        const QString before = ds->field(control == edit ? "OrganizationName" : "Notes").asString();
        replaceText(control, "scribble");

        QTest::keyClick(control, Qt::Key_Escape);
        const QString shown = control == edit ? edit->text() : memo->toPlainText();
        EXPECT_EQ(shown, before);
        EXPECT_EQ(window->escapes, 0) << "the first Esc belongs to the control";
        QTest::keyClick(control, Qt::Key_Escape);
        EXPECT_EQ(window->escapes, 1) << "with nothing typed, Esc is the window's";

        ds->post();   // nothing of the scribble is written
        EXPECT_EQ(ds->field(control == edit ? "OrganizationName" : "Notes").asString(), before);
    }
}

TEST_F(EditControls, MemoWrapsAndKeepsLineBreaks)
{
    auto *memo = add<DBMemo>("Notes");
    showWindow();
    EXPECT_EQ(memo->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    EXPECT_TRUE(memo->tabChangesFocus());
    memo->setFocus();
    QTest::keyClicks(memo, "first line");
    QTest::keyClick(memo, Qt::Key_Return);
    QTest::keyClicks(memo, "second line");
    EXPECT_EQ(ds->state(), Dataset::State::Edit);
    ds->post();
    EXPECT_EQ(stored("Notes").toString(), "first line\nsecond line");
}

TEST_F(EditControls, ControlsThatMayNotChangeTheFieldRefuseTypingAndShowWhite)
{
    const struct {
        const char *why;
        std::function<void(DBEdit *)> arrange;
        bool readOnly;   // with automatic edit off, the field stays editable through a button
    } cases[] = {
        {"read-only control", [](DBEdit *e) { e->setDataReadOnly(true); }, true},
        {"read-only dataset",
         [&](DBEdit *) {
             ds->setReadOnly(true);
             source->setDataset(ds.get());
         },
         true},
        {"read-only field",
         [&](DBEdit *e) {
             ds->field("OrganizationName").setReadOnly(true);
             e->setDataField("OrganizationName");
         },
         true},
        {"closed dataset", [&](DBEdit *) { ds->close(); }, true},
        {"automatic edit off", [&](DBEdit *) { source->setAutoEdit(false); }, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.why);
        ds->setReadOnly(false);
        ds->field("OrganizationName").setReadOnly(false);
        source->setAutoEdit(true);
        ds->open();
        auto *edit = add<DBEdit>("OrganizationName");
        c.arrange(edit);
        EXPECT_EQ(edit->isReadOnly(), c.readOnly);
        EXPECT_EQ(baseColour(edit), c.readOnly ? ControlColors::kWhite : ControlColors::kCream);
        const QString before = edit->text();
        QTest::keyClicks(edit, "zz");
        EXPECT_EQ(edit->text(), before);
        EXPECT_FALSE(ds->isEditing());
        delete edit;
    }

    // Editability is looked at again when it changes.
    auto *edit = add<DBEdit>("OrganizationName");
    edit->setDataReadOnly(true);
    EXPECT_EQ(baseColour(edit), ControlColors::kWhite);
    edit->setDataReadOnly(false);
    EXPECT_EQ(baseColour(edit), ControlColors::kCream);
    EXPECT_FALSE(edit->isReadOnly());
    source->setAutoEdit(false);
    ds->edit();   // with automatic edit off, typing goes on once the edit button started
    QTest::keyClicks(edit, "!");
    EXPECT_TRUE(edit->isTextModified());
}

TEST_F(EditControls, TextShowsTheValueOnWhiteAndEveryControlIsNamed)
{
    auto *text = add<DBText>("OrganizationName");
    EXPECT_EQ(text->text(), "Acme Ltd");
    EXPECT_EQ(baseColour(text), ControlColors::kWhite);
    ds->next();
    EXPECT_EQ(text->text(), "Bolt plc");
    ds->edit();
    ds->field("OrganizationName").setValue("Bolt Ltd");
    EXPECT_EQ(text->text(), "Bolt Ltd");

    const std::vector<QWidget *> controls{add<DBEdit>("Town"), add<DBMemo>("Notes"),
                                          add<DBCheck>("Phone"), add<DBLookupCombo>("OrgTypeID"),
                                          text};
    const QStringList names{"Town", "Notes", "Phone", "OrgTypeID", "OrganizationName"};
    for (size_t i = 0; i < controls.size(); ++i)
        EXPECT_EQ(controls[i]->accessibleName(), names[int(i)]);

    auto *edit = static_cast<DBEdit *>(controls[0]);
    edit->setAccessibleName("Town or city");
    edit->setDataField("County");
    EXPECT_EQ(edit->accessibleName(), "Town or city") << "a name of its own is kept";
}

// --- tick box ----------------------------------------------------------------------------------

TEST_F(EditControls, CheckTicksAYesNoFieldFromTheKeyboard)
{
    Dataset values(engine.get());
    values.setSql("SELECT * FROM tblValuesList WHERE ValueCategoryID = 6 ORDER BY Sequence");
    values.open();
    DataSource valuesSource(&values);
    auto *check = add<DBCheck>("IsDefault", &valuesSource);
    EXPECT_TRUE(check->isChecked()) << "Customer is the default";
    values.next();
    EXPECT_FALSE(check->isChecked());

    QTest::keyClick(check, Qt::Key_Space);
    EXPECT_TRUE(check->isChecked());
    EXPECT_EQ(values.state(), Dataset::State::Edit);
    EXPECT_TRUE(values.field("IsDefault").asBoolean());
    values.post();
    QSqlQuery q = engine->select("SELECT IsDefault FROM tblValuesList WHERE ValueID = :id",
                                 {{"id", values.field("ValueID").value()}});
    ASSERT_TRUE(q.next());
    EXPECT_TRUE(q.value(0).toBool());

    check->setDataReadOnly(true);
    EXPECT_EQ(baseColour(check), ControlColors::kWhite);
    QTest::keyClick(check, Qt::Key_Space);
    EXPECT_TRUE(check->isChecked());
    EXPECT_FALSE(values.isEditing());
    check->setDataSource(nullptr);   // before the local data source goes
}

// --- lookup list -------------------------------------------------------------------------------

class EditLookupCombo : public EditControls
{
protected:
    void SetUp() override
    {
        EditControls::SetUp();
        types = std::make_unique<Dataset>(engine.get());
        types->setSql("SELECT ValueID, Description FROM tblValuesList WHERE ValueCategoryID = 6 "
                      "ORDER BY Sequence");
        typesSource = std::make_unique<DataSource>(types.get());
        ds->close();
        ds->addLookupField("OrgType", "OrgTypeID", types.get(), "ValueID", "Description", 50, true);
        types->open();
        ds->open();
    }

    DBLookupCombo *addCombo(const QString &field)
    {
        auto *combo = add<DBLookupCombo>(field);
        combo->setListSource(typesSource.get());
        combo->setKeyField("ValueID");
        combo->setListField("Description");
        return combo;
    }

    std::unique_ptr<Dataset> types;
    std::unique_ptr<DataSource> typesSource;
};

TEST_F(EditLookupCombo, ChoosingWritesTheKeyThroughAKeyOrALookupField)
{
    for (const char *bound : {"OrgTypeID", "OrgType"}) {
        SCOPED_TRACE(bound);
        auto *combo = addCombo(bound);
        EXPECT_EQ(combo->count(), 4);
        EXPECT_EQ(combo->currentText(), "Customer");
        EXPECT_EQ(baseColour(combo), ControlColors::kCream);

        QTest::keyClick(combo, Qt::Key_Down);
        EXPECT_EQ(combo->currentText(), "Supplier");
        EXPECT_EQ(ds->state(), Dataset::State::Edit);
        EXPECT_EQ(ds->field("OrgTypeID").asInteger(), supplierId);
        EXPECT_EQ(ds->field("OrgType").asString(), "Supplier");
        ds->post();
        EXPECT_EQ(stored("OrgTypeID").toInt(), supplierId);

        // back to where it was for the next binding
        ds->edit();
        ds->field("OrgTypeID").setValue(customerId);
        EXPECT_EQ(combo->currentText(), "Customer") << "follows the key when it changes";
        ds->post();
        delete combo;
    }
}

TEST_F(EditLookupCombo, NoKeyShowsNothing)
{
    auto *combo = addCombo("OrgTypeID");
    ds->next();   // Bolt plc has no type
    EXPECT_EQ(combo->currentIndex(), -1);
    EXPECT_EQ(combo->currentText(), "");
    ds->first();
    ASSERT_EQ(combo->currentText(), "Customer");
    ds->edit();
    ds->field("OrgTypeID").setValue(-1);   // "no default"
    EXPECT_EQ(combo->currentIndex(), -1);
    ds->cancel();
    EXPECT_EQ(combo->currentText(), "Customer");
}

TEST_F(EditLookupCombo, ReadsTheListAgainWhenItsRowsChange)
{
    auto *combo = addCombo("OrgTypeID");
    engine->execute("INSERT INTO tblValuesList (ValueCategoryID, Description, Sequence) "
                    "VALUES (6, :d, 9)", {{"d", "Reseller"}});
    EXPECT_EQ(combo->count(), 4);
    types->requery();
    ASSERT_EQ(combo->count(), 5);
    EXPECT_EQ(combo->itemText(4), "Reseller");
    EXPECT_EQ(combo->currentText(), "Customer") << "still shows the record's key";
    types->close();
    EXPECT_EQ(combo->count(), 0);
}

TEST_F(EditLookupCombo, ReadOnlyListDoesNotChange)
{
    auto *combo = addCombo("OrgTypeID");
    combo->setDataReadOnly(true);
    EXPECT_EQ(baseColour(combo), ControlColors::kWhite);
    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_EQ(combo->currentText(), "Customer");
    EXPECT_FALSE(ds->isEditing());
}

// --- navigator ---------------------------------------------------------------------------------

class EditNavigator : public EditControls
{
protected:
    void SetUp() override
    {
        EditControls::SetUp();
        nav = new DBNavigator(window.get());
        layout->addWidget(nav);
        nav->setDataSource(source.get());
        nav->onError = [this](const QString &m) { errors << m; };
    }

    Nav::Buttons enabledButtons() const
    {
        Nav::Buttons on;
        for (int bit = 0; bit < 10; ++bit) {
            const auto b = Nav::Button(1 << bit);
            if (nav->button(b)->isEnabled())
                on |= b;
        }
        return on;
    }

    DBNavigator *nav = nullptr;
    QStringList errors;
};

TEST_F(EditNavigator, CarriesTheHintsAndShowsTheChosenButtons)
{
    const QStringList hints{"First record (Ctrl-Shift <)", "Prior record (Ctrl <)",
                            "Next record (Ctrl >)", "Last record (Ctrl-Shift >)",
                            "Insert record", "Delete record", "Edit record", "Post edit",
                            "Cancel edit", "Refresh data"};
    for (int bit = 0; bit < 10; ++bit) {
        const QToolButton *b = nav->button(Nav::Button(1 << bit));
        EXPECT_EQ(b->toolTip(), hints[bit]);
        EXPECT_EQ(b->accessibleName(), hints[bit]);
        EXPECT_FALSE(b->icon().isNull());
    }

    window->show();
    nav->setVisibleButtons(Nav::kMoveButtons | Nav::Refresh);
    for (int bit = 0; bit < 10; ++bit) {
        const auto b = Nav::Button(1 << bit);
        EXPECT_EQ(nav->button(b)->isVisible(), bit < 4 || b == Nav::Refresh) << bit;
    }
}

TEST_F(EditNavigator, ButtonsFollowTheDataset)
{
    const Nav::Buttons change = Nav::Insert | Nav::Delete | Nav::Edit;
    const struct {
        const char *when;
        std::function<void()> arrange;
        Nav::Buttons enabled;
    } cases[] = {
        {"first row", [] {}, Nav::Next | Nav::Last | change | Nav::Refresh},
        {"middle row", [&] { ds->next(); }, Nav::kMoveButtons | change | Nav::Refresh},
        {"last row", [&] { ds->last(); }, Nav::First | Nav::Prior | change | Nav::Refresh},
        {"editing", [&] { ds->next(); ds->edit(); },
         Nav::kMoveButtons | Nav::Post | Nav::Cancel},
        {"read-only", [&] { ds->setReadOnly(true); ds->next(); },
         Nav::kMoveButtons | Nav::Refresh},
        {"empty",
         [&] {
             ds->close();
             ds->setSql("SELECT * FROM tblOrganization WHERE OrgID < 0");
             ds->open();
         },
         Nav::Insert | Nav::Edit | Nav::Refresh},
        {"closed", [&] { ds->close(); }, {}},
        {"data source switched off", [&] { source->setEnabled(false); }, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.when);
        ds->cancel();
        ds->setReadOnly(false);
        source->setEnabled(true);
        if (!ds->isActive() || ds->isEmpty()) {
            ds->close();
            ds->setSql("SELECT * FROM tblOrganization ORDER BY OrganizationName");
            ds->open();
        }
        ds->first();
        c.arrange();
        EXPECT_EQ(enabledButtons(), c.enabled);
    }
}

TEST_F(EditNavigator, EachButtonDoesItsWork)
{
    auto press = [&](Nav::Button b) {
        ASSERT_TRUE(nav->button(b)->isEnabled());
        nav->button(b)->click();
    };
    const struct {
        Nav::Button button;
        std::function<void()> arrange;
        std::function<void()> check;
    } cases[] = {
        {Nav::First, [&] { ds->last(); }, [&] { EXPECT_EQ(ds->recNo(), 1); }},
        {Nav::Prior, [&] { ds->setRecNo(3); }, [&] { EXPECT_EQ(ds->recNo(), 2); }},
        {Nav::Next, [] {}, [&] { EXPECT_EQ(ds->recNo(), 2); }},
        {Nav::Last, [] {}, [&] { EXPECT_EQ(ds->recNo(), 5); }},
        {Nav::Insert, [] {}, [&] { EXPECT_EQ(ds->state(), Dataset::State::Insert); }},
        {Nav::Edit, [] {}, [&] { EXPECT_EQ(ds->state(), Dataset::State::Edit); }},
        {Nav::Post,
         [&] {
             ds->edit();
             ds->field("Town").setValue("Leeds");
         },
         [&] {
             EXPECT_EQ(ds->state(), Dataset::State::Browse);
             EXPECT_EQ(stored("Town").toString(), "Leeds");
         }},
        {Nav::Cancel,
         [&] {
             ds->edit();
             ds->field("Town").setValue("York");
         },
         [&] {
             EXPECT_EQ(ds->state(), Dataset::State::Browse);
             EXPECT_EQ(ds->field("Town").asString(), "Leeds");
         }},
        {Nav::Refresh,
         [&] {
             engine->execute("UPDATE tblOrganization SET Town = :t WHERE OrgID = :id",
                             {{"t", "Hull"}, {"id", ds->field("OrgID").value()}});
         },
         [&] { EXPECT_EQ(ds->field("Town").asString(), "Hull"); }},
        {Nav::Delete, [] {},
         [&] {
             EXPECT_EQ(ds->recordCount(), 4);
             EXPECT_EQ(ds->field("OrganizationName").asString(), "Bolt plc");
         }},
    };
    QSignalSpy clicked(nav, &DBNavigator::clicked);
    for (const auto &c : cases) {
        SCOPED_TRACE(DBNavigator::hint(c.button).toStdString());
        ds->cancel();
        ds->first();
        c.arrange();
        press(c.button);
        c.check();
        ASSERT_FALSE(clicked.isEmpty());
        EXPECT_EQ(clicked.takeLast().first().value<Nav::Button>(), c.button);
    }
    EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
}

TEST_F(EditNavigator, DeleteAsksFirstWhenToldTo)
{
    QStringList asked;
    bool answer = false;
    nav->confirmDelete = [&](const QString &question) {
        asked << question;
        return answer;
    };
    nav->button(Nav::Delete)->click();
    EXPECT_EQ(asked, QStringList{"Delete record?"});
    EXPECT_EQ(ds->recordCount(), 5) << "a No keeps the row";
    answer = true;
    nav->button(Nav::Delete)->click();
    EXPECT_EQ(ds->recordCount(), 4);
}

TEST_F(EditNavigator, ShowsTheHourglassWhileActingAndReportsEngineErrors)
{
    std::optional<Qt::CursorShape> during;
    ds->afterScroll = [&](Dataset &) {
        const QCursor *c = QApplication::overrideCursor();
        during = c ? c->shape() : Qt::ArrowCursor;
    };
    nav->button(Nav::Next)->click();
    EXPECT_EQ(during, Qt::WaitCursor);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // A post the engine refuses (no such organisation type): the message reaches onError, the
    // cursor comes back and the row stays in its edit.
    ds->edit();
    ds->field("OrgTypeID").setValue(99999);
    nav->button(Nav::Post)->click();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors.first().contains("FOREIGN KEY", Qt::CaseInsensitive))
        << errors.first().toStdString();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(ds->state(), Dataset::State::Edit);
    EXPECT_TRUE(nav->button(Nav::Post)->isEnabled());
}

TEST_F(EditNavigator, PostWritesWhatIsBeingTyped)
{
    auto *edit = add<DBEdit>("OrganizationName");
    showWindow();
    edit->setFocus();
    replaceText(edit, "Acme Group");
    nav->button(Nav::Post)->click();
    EXPECT_EQ(QApplication::focusWidget(), edit) << "the button leaves the focus in the edit";
    EXPECT_EQ(stored("OrganizationName").toString(), "Acme Group");

    // A typed text the field refuses stops the post and comes to onError.
    auto *reference = add<DBMemo>("OrgReference");
    reference->setFocus();
    replaceText(reference, QString(30, u'r'));
    nav->button(Nav::Post)->click();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors.first().contains("OrgReference"));
    EXPECT_EQ(ds->state(), Dataset::State::Edit);
    EXPECT_EQ(stored("OrgReference").toString(), "ACM");
}

TEST_F(EditNavigator, ArrowKeysMoveBetweenTheUsableButtons)
{
    showWindow();
    nav->button(Nav::Next)->setFocus();
    QTest::keyClick(nav->button(Nav::Next), Qt::Key_Right);
    EXPECT_EQ(QApplication::focusWidget(), nav->button(Nav::Last));
    ds->last();   // First and Prior still usable, Next and Last not
    QTest::keyClick(nav->button(Nav::Last), Qt::Key_Left);
    EXPECT_EQ(QApplication::focusWidget(), nav->button(Nav::Prior));
    QTest::keyClick(nav->button(Nav::Prior), Qt::Key_Space);
    EXPECT_EQ(ds->recNo(), 4);
}

// --- record position ---------------------------------------------------------------------------

TEST_F(EditControls, RecordPositionText)
{
    const struct {
        const char *expected;
        std::function<void()> arrange;
    } cases[] = {
        {"1/5", [] {}},
        {"3/5", [&] { ds->setRecNo(3); }},
        {"5/5", [&] { ds->last(); }},
        {"3/5", [&] { ds->setRecNo(3); ds->edit(); }},
        {"Adding", [&] { ds->insert(); }},
        {"Adding", [&] { ds->append(); }},
        {"None", [&] { ds->close(); }},
        {"None",
         [&] {
             ds->close();
             ds->setSql("SELECT * FROM tblOrganization WHERE OrgID < 0");
             ds->open();
         }},
        {"Adding",
         [&] {
             ds->close();
             ds->setSql("SELECT * FROM tblOrganization WHERE OrgID < 0");
             ds->open();
             ds->insert();
         }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.expected);
        if (ds->isActive())
            ds->cancel();
        ds->close();
        ds->setSql("SELECT * FROM tblOrganization ORDER BY OrganizationName");
        ds->open();
        c.arrange();
        EXPECT_EQ(recordPositionText(*ds), c.expected);
    }
}

} // namespace
