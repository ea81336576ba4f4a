#pragma once

#include "Clock.h"
#include "Dataset.h"
#include "Prompter.h"
#include "RenderedReport.h"
#include "ReportDocument.h"
#include "ReportPageFrame.h"
#include "ReportPrinters.h"
#include "ReportRun.h"
#include "ReportText.h"
#include "TestDatabase.h"

#include <QApplication>
#include <QFile>
#include <QDateTime>
#include <QPrinter>
#include <gtest/gtest.h>
#include <memory>

// Test failures show texts as texts.
inline void PrintTo(const QString &text, std::ostream *os) { *os << '"' << text.toStdString() << '"'; }

// A stand-in for a report definition: the shared page frame (TitleLabel, FromLabel, ToLabel)
// and one detail line per call, over a query of the test's choosing. What a run left in it is
// written to the log when it is destroyed, as the runner destroys it after every run.
class FakeReportDocument final : public ReportDocument
{
public:
    struct Log
    {
        QStringList classNames;     // every definition asked for
        QStringList finalSql;       // the main query's text at destruction
        QStringList titles;
        QStringList ranges;         // "FromLabel|ToLabel" at destruction
        int destroyed = 0;
    };

    FakeReportDocument(Engine &engine, const QString &designSql, Log &log)
        : ReportDocument(engine, designSql, false), m_log(log)
    {
        ReportPageFrame::add(m_definition, QStringLiteral("Fake Report"),
                             ReportPageFrame::RangeLine::With);
        m_definition.detail().setHeight(14);
        m_definition.detail().addField(QStringLiteral("CallID"), {0, 0, 60, 12});
        m_definition.setTitle(QStringLiteral("Fake Report"));
    }
    ~FakeReportDocument() override
    {
        m_log.finalSql << ReportADOQuery().sql();
        m_log.titles << title();
        m_log.ranges << definition().text(QStringLiteral("FromLabel")).text() + u'|' +
                            definition().text(QStringLiteral("ToLabel")).text();
        ++m_log.destroyed;
    }

private:
    Log &m_log;
};

// Printers that write PDF files, set as a print dialog would leave them.
class FakePrinters final : public ReportPrinters
{
public:
    QString pdfFile;            // where every print goes
    int copies = 1;
    int fromPage = 0;           // 0: every page
    int toPage = 0;
    bool cancelDialog = false;
    bool hasDefault = true;
    int dialogs = 0;

    std::unique_ptr<QPrinter> choose(QWidget *, int) override
    {
        ++dialogs;
        return cancelDialog ? nullptr : make();
    }
    std::unique_ptr<QPrinter> defaultPrinter() override { return hasDefault ? make() : nullptr; }

private:
    std::unique_ptr<QPrinter> make() const
    {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(pdfFile);
        printer->setCopyCount(copies);
        if (fromPage > 0) {
            printer->setPrintRange(QPrinter::PageRange);
            printer->setFromTo(fromPage, toPage);
        }
        return printer;
    }
};

// The number of pages in a PDF file written by Qt.
inline int pdfPageCount(const QString &file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray pdf = f.readAll();
    int pages = 0;
    for (qsizetype at = pdf.indexOf("/Type /Page"); at >= 0; at = pdf.indexOf("/Type /Page", at + 1))
        if (pdf.mid(at, 12) != "/Type /Pages")
            ++pages;
    return pages;
}

// A seeded database, the scripted prompter, a fixed clock and a factory of fake definitions.
class ReportWindowTest : public ::testing::Test
{
protected:
    static inline const QString kCallsSql = QStringLiteral(
        "SELECT tblCall.CallID, tblCall.InputDate FROM tblCall LEFT JOIN tblOrganization "
        "ON tblCall.OrgID = tblOrganization.OrgID");

    void SetUp() override
    {
        auto p = std::make_unique<ScriptedPrompter>();
        prompter = p.get();
        Prompter::install(std::move(p));
        Clock::set([] { return kNow; });
        auto fp = std::make_unique<FakePrinters>();
        printers = fp.get();
        printers->pdfFile = db.path(QStringLiteral("printed.pdf"));
        ReportPrinters::install(std::move(fp));
    }
    void TearDown() override
    {
        Clock::set(nullptr);
        Prompter::install(nullptr);
        ReportPrinters::install(nullptr);
        while (QApplication::overrideCursor())
            QApplication::restoreOverrideCursor();
    }

    ReportDocumentFactory fakes(const QString &designSql = kCallsSql)
    {
        return [this, designSql](const QString &className) -> std::unique_ptr<ReportDocument> {
            log.classNames << className;
            return std::make_unique<FakeReportDocument>(*e, designSql, log);
        };
    }

    void addCall(const QDateTime &input)
    {
        e->execute(QStringLiteral("INSERT INTO tblCall (CallRef, InputDate) VALUES ('C', :i)"),
                   {{QStringLiteral("i"), input}});
    }

    static inline const QDateTime kNow{QDate(2004, 1, 20), QTime(10, 30, 15)};

    TestDatabase db;
    std::unique_ptr<SqliteEngine> e = db.open();
    ScriptedPrompter *prompter = nullptr;
    FakePrinters *printers = nullptr;
    FakeReportDocument::Log log;
};
