#pragma once

#include "CallsContext.h"
#include "Clock.h"
#include "DatabaseConnection.h"
#include "LoadedConstants.h"
#include "Prompter.h"
#include "SystemParameters.h"
#include "TDataModule1.h"
#include "TKELDMainMDIForm.h"
#include "TestDatabase.h"

#include <QDateTime>
#include <QSqlQuery>
#include <memory>

// The calls windows' world over a small seeded database, with a main window, the shared datasets
// open as after login, the loaded constants, a scripted prompter and the clock fixed at
// 2026-12-11 10:00:00.
//
// Data: organisations 1 "Acme" and 2 "Bravo"; people 1 "Sam Staff" (a "User", staff, of Acme),
// 2 "Carol Contact" of Acme, 3 "Dan Dealer" of Bravo; calls 1 and 2 of Acme (open, due
// 2026-12-12 and 2026-12-15) and call 3 of Bravo (open, due 2026-12-20); call 1 has action 1
// (open). Status "Open" and "Closed" are constants.StatusOpenID / StatusClosedID.
class CallsFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Clock::set([] { return kNow; });
        auto p = std::make_unique<ScriptedPrompter>();
        prompter = p.get();
        Prompter::install(std::move(p));

        const int userType = scalar("SELECT ValueID FROM tblValuesList WHERE Description = 'User'");
        const int contactType = scalar("SELECT ValueID FROM tblValuesList WHERE Description = 'Contact'");
        const int open = scalar("SELECT ValueID FROM tblValuesList WHERE Description = 'Open'");
        for (const char *name : {"Acme", "Bravo"})
            e->execute(QStringLiteral("INSERT INTO tblOrganization (OrganizationName, Phone) VALUES (:n, '0100')"),
                       {{QStringLiteral("n"), QString::fromLatin1(name)}});
        addPerson(1, "Sam", "Staff", userType);
        addPerson(1, "Carol", "Contact", contactType);
        addPerson(2, "Dan", "Dealer", contactType);
        addCall(1, QDateTime(QDate(2026, 12, 12), QTime(9, 0)), open);
        addCall(1, QDateTime(QDate(2026, 12, 15), QTime(9, 0)), open);
        addCall(2, QDateTime(QDate(2026, 12, 20), QTime(9, 0)), open);
        e->execute(QStringLiteral("INSERT INTO tblAction (CallID, OrgID, StatusID, InputDate, DueDate, Notes) "
                                  "VALUES (1, 1, :s, #12-10-2026 09:00:00#, #12-12-2026 09:00:00#, 'first action')"),
                   {{QStringLiteral("s"), open}});

        main = std::make_unique<TKELDMainMDIForm>();
        main->Session.UserName = QStringLiteral("Boss");
        main->Session.RightsLevel = 4;
        dm = std::make_unique<TDataModule1>(e.get());
        LoadDBConstants(*dm->ValueCategoryADOTable, *dm->ValueListADOTable,
                        *dm->ValuesListOrgTypeADOQuery, constants);
        ConnectAll(dm->datasetsInOrder());
        parameters.DueDateDuration = 2.0;
        parameters.AutoGenerateAction = false;
        parameters.AllowCompleteCall = false;
    }

    void TearDown() override
    {
        main.reset();
        dm.reset();
        Clock::set(nullptr);
    }

    CallsContext ctx() { return {*main, *dm, constants, parameters}; }

    int scalar(const char *sql)
    {
        QSqlQuery q = e->select(QString::fromLatin1(sql));
        return q.next() ? q.value(0).toInt() : 0;
    }

    void addPerson(int org, const char *first, const char *last, int type)
    {
        e->execute(QStringLiteral("INSERT INTO tblPerson (OrgID, FirstName, LastName, PersonTypeID) "
                                  "VALUES (:o, :f, :l, :t)"),
                   {{QStringLiteral("o"), org}, {QStringLiteral("f"), QString::fromLatin1(first)},
                    {QStringLiteral("l"), QString::fromLatin1(last)}, {QStringLiteral("t"), type}});
    }

    void addCall(int org, const QDateTime &due, int status)
    {
        e->execute(QStringLiteral("INSERT INTO tblCall (OrgID, DueDate, StatusID, InputDate, Notes) "
                                  "VALUES (:o, :d, :s, #12-10-2026 08:00:00#, 'call notes')"),
                   {{QStringLiteral("o"), org}, {QStringLiteral("d"), due}, {QStringLiteral("s"), status}});
    }

    static inline const QDateTime kNow{QDate(2026, 12, 11), QTime(10, 0)};

    TestDatabase db;
    std::unique_ptr<SqliteEngine> e = db.open();
    std::unique_ptr<TDataModule1> dm;
    std::unique_ptr<TKELDMainMDIForm> main;
    LoadedConstants constants;
    SystemParameters parameters;
    ScriptedPrompter *prompter = nullptr;
};
