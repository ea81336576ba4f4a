#include "AdminTestSupport.h"
#include "TChangePasswordForm.h"
#include "TestDatabase.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

class ChangePassword : public ::testing::Test
{
protected:
    void SetUp() override
    {
        db.addUser(QStringLiteral("carol"), QStringLiteral("secret1"), {QStringLiteral("CallUsers")});
        session.UserName = QStringLiteral("Carol");   // as typed at the login
        session.Password = QStringLiteral("secret1");
        engine = db.open(session.UserName, session.Password);
    }

    bool canLogIn(const QString &password)
    {
        try {
            db.open(QStringLiteral("carol"), password);
            return true;
        } catch (const DbError &) {
            return false;
        }
    }

    void fill(TChangePasswordForm &form, const QString &old, const QString &fresh, const QString &verify)
    {
        form.OldPasswordEdit->setText(old);
        form.NewPasswordEdit->setText(fresh);
        form.VerifyEdit->setText(verify);
    }

    TestDatabase db;
    ScriptedPrompter &prompter = scriptedPrompter();
    SessionState session;
    std::unique_ptr<SqliteEngine> engine;
};

TEST_F(ChangePassword, ChecksRunInOrderAndKeepTheWindowOpen)
{
    struct Case
    {
        const char *old, *fresh, *verify;
        const char *message;
        bool newAndVerifyEmptied;
    };
    const Case cases[] = {
        {"Secret1", "better1", "better1", "Old Password Incorrect", false},   // case counts
        {"", "better1", "better1", "Old Password Incorrect", false},
        {"secret", "abc", "xyz", "Old Password Incorrect", false},            // first failure only
        {"secret1", "abcd", "abcd", "Password must be at least 5 characters", false},
        {"secret1", "", "", "Password must be at least 5 characters", false},
        {"secret1", "abcd", "abcde", "Password must be at least 5 characters", false},
        {"secret1", "abcde", "abcdE", "New Password and Verify do not agree, please retype", true},
        {"secret1", "abcde", "", "New Password and Verify do not agree, please retype", true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.message + std::string(" / ") + c.old + " " + c.fresh + " " + c.verify);
        prompter.messages.clear();
        TChangePasswordForm form(engine->catalog(), session);
        form.show();
        fill(form, c.old, c.fresh, c.verify);
        form.OKButton->click();
        ASSERT_EQ(prompter.texts(), QStringList{c.message});
        EXPECT_EQ(prompter.messages[0].kind, Prompter::Kind::Plain);
        EXPECT_TRUE(form.isVisible());
        EXPECT_EQ(form.OldPasswordEdit->text(), QString::fromLatin1(c.old));
        EXPECT_EQ(form.NewPasswordEdit->text().isEmpty(), c.newAndVerifyEmptied || !*c.fresh);
        EXPECT_EQ(form.VerifyEdit->text().isEmpty(), c.newAndVerifyEmptied || !*c.verify);
    }
    EXPECT_EQ(session.Password, QStringLiteral("secret1"));
    EXPECT_TRUE(canLogIn(QStringLiteral("secret1")));
}

TEST_F(ChangePassword, SuccessKeepsTheNewPasswordInTheSession)
{
    TChangePasswordForm form(engine->catalog(), session);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Change Password"));
    EXPECT_EQ(form.UserNameLabel->text(), QStringLiteral("Carol"));
    for (QLineEdit *edit : {form.OldPasswordEdit, form.NewPasswordEdit, form.VerifyEdit})
        EXPECT_EQ(edit->echoMode(), QLineEdit::Password) << edit->objectName().toStdString();
    form.show();
    QTest::keyClicks(form.OldPasswordEdit, QStringLiteral("secret1"));
    QTest::keyClicks(form.NewPasswordEdit, QString(30, QLatin1Char('p')));   // 25 at most
    QTest::keyClicks(form.VerifyEdit, QString(25, QLatin1Char('p')));
    QTest::keyClick(form.VerifyEdit, Qt::Key_Return);   // OK is the default button
    EXPECT_TRUE(prompter.messages.isEmpty()) << prompter.texts().join(u'|').toStdString();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(session.Password, QString(25, QLatin1Char('p')));
    EXPECT_TRUE(canLogIn(session.Password));
    EXPECT_FALSE(canLogIn(QStringLiteral("secret1")));
}

TEST_F(ChangePassword, ChangedElsewhereMeanwhileShowsTheEngineTextAndCancels)
{
    // Another workstation, logged in as carol too, changes the password first.
    db.open(QStringLiteral("carol"), QStringLiteral("secret1"))
        ->catalog()
        .changePassword(QStringLiteral("carol"), QStringLiteral("secret1"), QStringLiteral("theirs1"));

    TChangePasswordForm form(engine->catalog(), session);
    form.show();
    fill(form, QStringLiteral("secret1"), QStringLiteral("mine12"), QStringLiteral("mine12"));
    form.OKButton->click();
    ASSERT_EQ(prompter.messages.size(), 1);
    EXPECT_EQ(prompter.messages[0].kind, Prompter::Kind::Plain);
    EXPECT_TRUE(prompter.messages[0].text.contains(QStringLiteral("old password does not match")))
        << prompter.messages[0].text.toStdString();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Rejected);
    for (QLineEdit *edit : {form.OldPasswordEdit, form.NewPasswordEdit, form.VerifyEdit})
        EXPECT_TRUE(edit->text().isEmpty()) << edit->objectName().toStdString();
    EXPECT_EQ(session.Password, QStringLiteral("secret1"));
    EXPECT_TRUE(canLogIn(QStringLiteral("theirs1")));
}

TEST_F(ChangePassword, CommandSaysWhatHappened)
{
    // OK: "Password Changed" once the window is gone.
    whileModal<TChangePasswordForm>([](TChangePasswordForm *form) {
        ASSERT_NE(form, nullptr);
        form->OldPasswordEdit->setText(QStringLiteral("secret1"));
        form->NewPasswordEdit->setText(QStringLiteral("better1"));
        form->VerifyEdit->setText(QStringLiteral("better1"));
        form->OKButton->click();
    });
    Catalog &catalog = engine->catalog();
    EXPECT_TRUE(ChangePasswordActionExecute(nullptr, session, [&]() -> Catalog & { return catalog; }));
    EXPECT_EQ(prompter.texts(), QStringList{"Password Changed"});
    EXPECT_EQ(session.Password, QStringLiteral("better1"));

    // Cancel: nothing to say.
    prompter.messages.clear();
    whileModal<TChangePasswordForm>([](TChangePasswordForm *form) { ASSERT_NE(form, nullptr); });
    EXPECT_FALSE(ChangePasswordActionExecute(nullptr, session, [&]() -> Catalog & { return catalog; }));
    EXPECT_TRUE(prompter.messages.isEmpty());

    // No catalog to be had: the window never opens.
    engine->close();
    EXPECT_FALSE(ChangePasswordActionExecute(nullptr, session,
                                             [&]() -> Catalog & { return engine->catalog(); }));
    EXPECT_EQ(prompter.texts(),
              QStringList{"Change password failed because\r\nThe database connection is not open."});
}

} // namespace
