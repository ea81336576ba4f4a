#pragma once

#include "Dataset.h"
#include "RenderedReport.h"
#include "ReportDocument.h"
#include "ReportValueFormat.h"
#include "TestDatabase.h"

#include <QDateTime>
#include <QSqlQuery>
#include <gtest/gtest.h>
#include <optional>

// A seeded database that a test fills with organisations, people, calls and actions, and the
// report runner's steps over it: captions, clause, range, pages.
class ReportDefsFixture : public ::testing::Test
{
protected:
    struct Call
    {
        QString ref;
        QDateTime input;
        QString status = QStringLiteral("Open");
        int contact = 0;            // 0: none
        int owner = 0;
        std::optional<QDateTime> due;
        std::optional<QDateTime> resolved;
        QString type;               // descriptions of values; empty: none
        QString method;
        QString resolution;
        QStringList user;           // User1..
        QString notes;
    };
    struct Action
    {
        QString ref;
        QDateTime input;
        int owner = 0;
        QString status = QStringLiteral("Open");
        std::optional<QDateTime> resolved;
        QString notes;
    };

    // The orders of the report runner's clauses.
    static inline const QString kStatusOrder =
        QStringLiteral("ORDER BY tblCall.statusID, tblOrganization.OrganizationName");
    static inline const QString kCallsActionsOrder =
        QStringLiteral("ORDER BY tblOrganization.OrganizationName, tblCall.CallID, tblAction.InputDate");
    static inline const QString kTurnaroundOrder =
        QStringLiteral("ORDER BY tblCall.[ResolvedDate]-tblCall.[InputDate] DESC");
    static inline const QString kStatisticsOrder = QStringLiteral("Order By tblCall.InputDate");

    static inline const QDateTime kRunTime{QDate(2004, 2, 3), QTime(16, 45)};
    static inline const QDateTime kFrom{QDate(2004, 1, 5), QTime(0, 1)};
    static inline const QDateTime kTo{QDate(2004, 1, 31), QTime(23, 59)};

    static QDateTime jan(int day, int hour = 9, int minute = 0)
    {
        return QDateTime(QDate(2004, 1, day), QTime(hour, minute));
    }

    // A date-time as the runner writes it into a clause: " #mm-dd-yyyy hh:nn:ss# ".
    static QString literal(const QDateTime &t)
    {
        return QStringLiteral(" #") + t.toString(QStringLiteral("MM-dd-yyyy HH:mm:ss")) + QStringLiteral("# ");
    }
    static QString rangeClause(const QString &lead, const QString &order, const QDateTime &from = kFrom,
                               const QDateTime &to = kTo)
    {
        return lead + literal(from) + QStringLiteral(" AND tblCall.InputDate <= ") + literal(to) +
               QStringLiteral(" ") + order;
    }
    static QString whereRange(const QString &order, const QDateTime &from = kFrom, const QDateTime &to = kTo)
    {
        return rangeClause(QStringLiteral(" WHERE tblCall.InputDate >= "), order, from, to);
    }

    static QString shown(const QDateTime &t)
    {
        return ReportValueFormat::formatDateTime(t, QStringLiteral("ddddd hh:nn"));
    }

    int lastId()
    {
        QSqlQuery q = e->run(QStringLiteral("SELECT last_insert_rowid()"));
        q.next();
        return q.value(0).toInt();
    }

    static QVariant keyOrNull(int id) { return id ? QVariant(id) : QVariant(); }
    static QVariant dateOrNull(const std::optional<QDateTime> &t) { return t ? QVariant(*t) : QVariant(); }

    // The value of a category with that description, added when the category lacks it.
    QVariant valueId(const QString &category, const QString &description)
    {
        if (description.isEmpty())
            return {};
        const QString find = QStringLiteral(
            "SELECT v.ValueID FROM tblValuesList v JOIN tblValueCategory c ON c.ValueCategoryID = "
            "v.ValueCategoryID WHERE c.ValueCategory = :c AND v.Description = :d");
        const QVariantMap params{{QStringLiteral("c"), category}, {QStringLiteral("d"), description}};
        QSqlQuery q = e->run(find, params);
        if (q.next())
            return q.value(0);
        e->run(QStringLiteral("INSERT INTO tblValuesList (ValueCategoryID, Description) SELECT ValueCategoryID, "
                              ":d FROM tblValueCategory WHERE ValueCategory = :c"),
               params);
        return lastId();
    }

    int addOrg(const QString &name)
    {
        e->execute(QStringLiteral("INSERT INTO tblOrganization (OrganizationName) VALUES (:n)"),
                   {{QStringLiteral("n"), name}});
        return lastId();
    }

    int addPerson(const QString &first, const QString &last, int org = 0)
    {
        e->execute(QStringLiteral("INSERT INTO tblPerson (FirstName, LastName, OrgID) VALUES (:f, :l, :o)"),
                   {{QStringLiteral("f"), first},
                    {QStringLiteral("l"), last},
                    {QStringLiteral("o"), keyOrNull(org)}});
        return lastId();
    }

    int addCall(const Call &c)
    {
        QVariantMap p{{QStringLiteral("ref"), c.ref},
                      {QStringLiteral("input"), c.input},
                      {QStringLiteral("stamp"), c.input},
                      {QStringLiteral("status"), valueId(QStringLiteral("Status"), c.status)},
                      {QStringLiteral("contact"), keyOrNull(c.contact)},
                      {QStringLiteral("owner"), keyOrNull(c.owner)},
                      {QStringLiteral("due"), dateOrNull(c.due)},
                      {QStringLiteral("resolved"), dateOrNull(c.resolved)},
                      {QStringLiteral("type"), valueId(QStringLiteral("Call Type"), c.type)},
                      {QStringLiteral("method"), valueId(QStringLiteral("Call Method"), c.method)},
                      {QStringLiteral("resolution"), valueId(QStringLiteral("Resolution Type"), c.resolution)},
                      {QStringLiteral("notes"), c.notes.isEmpty() ? QVariant() : QVariant(c.notes)}};
        for (int i = 0; i < 5; ++i)
            p.insert(QStringLiteral("u%1").arg(i + 1), i < c.user.size() ? QVariant(c.user[i]) : QVariant());
        e->execute(QStringLiteral(
                       "INSERT INTO tblCall (CallRef, InputDate, TimeStamp, StatusID, ContactID, OwnerID, DueDate, "
                       "ResolvedDate, TypeID, MethodID, ResolutionID, Notes, User1, User2, User3, User4, User5) "
                       "VALUES (:ref, :input, :stamp, :status, :contact, :owner, :due, :resolved, :type, :method, "
                       ":resolution, :notes, :u1, :u2, :u3, :u4, :u5)"),
                   p);
        return lastId();
    }

    int addAction(int call, const Action &a)
    {
        e->execute(QStringLiteral("INSERT INTO tblAction (CallID, ActionRef, InputDate, OwnerID, StatusID, "
                                  "ResolvedDate, Notes) VALUES (:call, :ref, :input, :owner, :status, :resolved, "
                                  ":notes)"),
                   {{QStringLiteral("call"), call},
                    {QStringLiteral("ref"), a.ref},
                    {QStringLiteral("input"), a.input},
                    {QStringLiteral("owner"), keyOrNull(a.owner)},
                    {QStringLiteral("status"), valueId(QStringLiteral("Status"), a.status)},
                    {QStringLiteral("resolved"), dateOrNull(a.resolved)},
                    {QStringLiteral("notes"), a.notes.isEmpty() ? QVariant() : QVariant(a.notes)}});
        return lastId();
    }

    // A definition filled as the report runner fills it; the range labels only when given.
    std::unique_ptr<ReportDocument> prepare(const QString &className, const QString &clause,
                                            const QString &title = QString())
    {
        std::unique_ptr<ReportDocument> doc = createReportDocument(className, *e);
        if (!doc) {
            ADD_FAILURE() << "no report named " << className.toStdString();
            return doc;
        }
        if (!title.isEmpty())
            doc->setTitle(title);
        doc->openUserLabels();
        doc->appendClause(clause);
        doc->setRange(kFrom, kTo);
        doc->setRunDateTime(kRunTime);
        return doc;
    }

    TestDatabase db;
    std::unique_ptr<SqliteEngine> e = db.open();
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

// The texts between the page header and the page footer, empty ones included.
inline QStringList bodyTexts(ReportDocument &doc, const RenderedPage &page)
{
    const ReportDefinition &d = doc.definition();
    const double top = d.body().top() + d.pageHeader().height() - 0.01;
    const double bottom = d.body().bottom() - d.pageFooter().height() - 0.01;
    QStringList texts;
    for (const PagePrimitive &p : page.items())
        if (const auto *t = std::get_if<TextItem>(&p); t && t->box.top() >= top && t->box.top() < bottom)
            texts << t->text;
    return texts;
}

inline QStringList withoutEmpty(QStringList texts)
{
    texts.removeAll(QString());
    return texts;
}

// One column of the CSV export, by its caption.
inline QStringList csvColumn(const RenderedReport &report, const QString &caption)
{
    const qsizetype column = report.csv().captions.indexOf(caption);
    EXPECT_GE(column, 0) << "no CSV column " << caption.toStdString();
    QStringList values;
    for (const QStringList &row : report.csv().rows)
        values << (column >= 0 ? row.value(column) : QString());
    return values;
}
