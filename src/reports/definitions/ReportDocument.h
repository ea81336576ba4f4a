#pragma once

#include "RenderedReport.h"
#include "ReportDefinition.h"
#include "ReportPageFrame.h"

#include <QDateTime>
#include <QString>
#include <memory>

class ColumnBlock;
class Dataset;
class Engine;

// One of the program's fixed reports, made afresh for every run: its design (a band definition
// with the shared page frame), its main query `ReportADOQuery` (design text; no named parameters,
// so the colons of time literals are plain text) and, for the reports that list calls, the
// user-field caption query `ValuesListUserLabelADOQuery`.
//
// A run: openUserLabels() when the report has captions; appendClause() with the selection and
// order of the run (opens the main query); setRange() on the range reports; render(); then the
// document is destroyed. Every query reads through the given engine's connection.
class ReportDocument
{
public:
    virtual ~ReportDocument();
    ReportDocument(const ReportDocument &) = delete;
    ReportDocument &operator=(const ReportDocument &) = delete;

    // The main query, holding its design text until appendClause().
    Dataset &ReportADOQuery() { return *m_query; }
    // The caption query; nullptr for a report without user-field columns.
    Dataset *ValuesListUserLabelADOQuery() { return m_userLabels.get(); }

    // TitleLabel: the title as designed, or replaced ("OrgCallStat").
    QString title() const;
    void setTitle(const QString &title);

    // Opens the caption query when it is closed and sets UserLabel1..5 from its rows in the order
    // they come; captions without a row keep their designed "User4", "User5".
    void openUserLabels();
    // Closes the main query, appends the clause as a new last line of its text and opens it.
    void appendClause(const QString &clause);
    // FromLabel and ToLabel of the range reports, printed "ddddd hh:nn"; ignored by the others.
    void setRange(const QDateTime &from, const QDateTime &to);

    // Lays the pages out over the open main query (from its first row).
    RenderedReport render();
    // The moment the report is produced, as its date-time fields print it; now unless set.
    void setRunDateTime(const QDateTime &when) { m_runDateTime = when; }

    // The definition as designed plus what the run set (title, range, captions).
    ReportDefinition &definition() { return m_definition; }

protected:
    ReportDocument(Engine &engine, const QString &designSql, bool hasUserLabels);

    // The block's columns join the CSV export, each headed by its caption as the run prints it.
    void exportColumns(const ColumnBlock &block);
    // The common design of the reports that list calls one per detail band: the frame with the
    // call captions, the call values in the detail, "Total Calls" in the summary. With no rows
    // the detail still prints once, empty.
    void designCallList(const QString &title, ReportPageFrame::RangeLine rangeLine,
                        const ColumnBlock &calls);

    ReportDefinition m_definition;
    std::unique_ptr<Dataset> m_query;
    std::unique_ptr<Dataset> m_userLabels;

private:
    void ValuesListUserLabelADOQueryAfterOpen(Dataset &labels);
    void setCsvColumns();

    struct CsvSpec
    {
        QString controlName;
        QString caption;
        QString captionName;   // the label whose text heads the column, when a run may set it
    };
    QString m_designSql;
    QDateTime m_runDateTime;
    std::vector<CsvSpec> m_csv;
};

// The eight definitions by class name: "TQuickReport1", "TQRLiveCallsByDate",
// "TQRLiveCallsByOwner", "TQRCallsActions", "TQRCallByID", "TQRTurnaround",
// "TQROverallCallStats", "TQRMonthlyCallStats". nullptr for any other name.
std::unique_ptr<ReportDocument> createReportDocument(const QString &className, Engine &engine);
