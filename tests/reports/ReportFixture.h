#pragma once

#include "Dataset.h"
#include "RenderedReport.h"
#include "ReportDefinition.h"
#include "ReportError.h"
#include "ReportRenderer.h"
#include "ReportText.h"
#include "TestDatabase.h"

#include <QDateTime>
#include <gtest/gtest.h>
#include <optional>

// A seeded database whose calls a test fills, and the dataset a report reads them through:
// CallRef, User1 and User2 (the tests' group keys), InputDate, ResolvedDate, Notes and the
// TurnAround in days.
class ReportFixture : public ::testing::Test
{
protected:
    struct Call
    {
        QString ref;
        QString user1;
        QString user2;
        QDateTime input;
        std::optional<QDateTime> resolved;
        QString notes;
    };

    void addCall(const Call &c)
    {
        e->execute(QStringLiteral("INSERT INTO tblCall (CallRef, User1, User2, InputDate, ResolvedDate, Notes) "
                                  "VALUES (:r, :u1, :u2, :i, :d, :n)"),
                   {{QStringLiteral("r"), c.ref},
                    {QStringLiteral("u1"), c.user1},
                    {QStringLiteral("u2"), c.user2},
                    {QStringLiteral("i"), c.input},
                    {QStringLiteral("d"), c.resolved ? QVariant(*c.resolved) : QVariant()},
                    {QStringLiteral("n"), c.notes.isNull() ? QVariant() : QVariant(c.notes)}});
    }

    // Calls R1..Rn, input a day apart from 1 March 2004 09:00, in one transaction.
    void addCalls(int n, const QString &user1 = QString())
    {
        Engine::Transaction t(*e);
        for (int i = 1; i <= n; ++i)
            addCall({QStringLiteral("R%1").arg(i), user1, QString(),
                     QDateTime(QDate(2004, 3, 1), QTime(9, 0)).addDays(i - 1), std::nullopt, QString()});
        t.commit();
    }

    Dataset &calls()
    {
        m_calls = std::make_unique<Dataset>(e.get());
        m_calls->setSql(QStringLiteral(
            "SELECT CallID, CallRef, User1, User2, InputDate, ResolvedDate, Notes, "
            "ResolvedDate - InputDate AS TurnAround FROM tblCall ORDER BY CallID"));
        m_calls->open();
        return *m_calls;
    }

    RenderedReport render(const ReportDefinition &definition)
    {
        ReportRenderer renderer(definition);
        renderer.setRunDateTime(kRunTime);
        return renderer.render(calls());
    }

    static inline const QDateTime kRunTime{QDate(2004, 4, 2), QTime(16, 45)};

    TestDatabase db;
    std::unique_ptr<SqliteEngine> e = db.open();

private:
    std::unique_ptr<Dataset> m_calls;
};

// The texts of a page in painting order.
inline QStringList textsOf(const RenderedPage &page)
{
    QStringList texts;
    for (const PagePrimitive &p : page.items())
        if (const auto *t = std::get_if<TextItem>(&p))
            texts << t->text;
    return texts;
}

// Every page's texts, one list per page.
inline std::vector<QStringList> textsByPage(const RenderedReport &report)
{
    std::vector<QStringList> pages;
    for (const RenderedPage &page : report.pages())
        pages.push_back(textsOf(page));
    return pages;
}

// The first text item of the page with exactly that text; nullptr when there is none.
inline const TextItem *findText(const RenderedPage &page, const QString &text)
{
    for (const PagePrimitive &p : page.items())
        if (const auto *t = std::get_if<TextItem>(&p); t && t->text == text)
            return t;
    return nullptr;
}
