#pragma once

#include "ReportAggregate.h"
#include "ReportBand.h"
#include "ReportGroup.h"

#include <QPageLayout>
#include <QString>
#include <memory>
#include <vector>

class ReportText;

// A column of the CSV export: a text control (by name) and the caption of its header cell.
struct CsvColumn
{
    QString controlName;
    QString caption;
};

// A band report: its page, its bands, its groups (outer first), its aggregates and the columns
// of its CSV export. A definition is only a description; ReportRenderer prints it over the rows
// of a dataset.
class ReportDefinition
{
public:
    ReportDefinition();
    ~ReportDefinition();
    ReportDefinition(ReportDefinition &&) noexcept;
    ReportDefinition &operator=(ReportDefinition &&) noexcept;

    // A4 portrait with 10 mm margins unless set.
    QPageLayout pageLayout() const { return m_pageLayout; }
    void setPageLayout(const QPageLayout &layout) { m_pageLayout = layout; }
    static QPageLayout defaultPageLayout();
    // The area inside the margins, in points from the paper's corner: bands are its width.
    QRectF body() const;

    // The report's name as a document (a PDF's title, a print job's name).
    QString title() const { return m_title; }
    void setTitle(const QString &title) { m_title = title; }

    ReportBand &pageHeader() { return *m_pageHeader; }
    const ReportBand &pageHeader() const { return *m_pageHeader; }
    ReportBand &detail() { return *m_detail; }
    const ReportBand &detail() const { return *m_detail; }
    ReportBand &summary() { return *m_summary; }
    const ReportBand &summary() const { return *m_summary; }
    ReportBand &pageFooter() { return *m_pageFooter; }
    const ReportBand &pageFooter() const { return *m_pageFooter; }

    // Groups nest in the order they are added: the first is the outermost.
    ReportGroup &addGroup(const QString &name, ReportGroup::Key key);
    ReportGroup &addGroupOnField(const QString &name, const QString &fieldName);
    const std::vector<std::unique_ptr<ReportGroup>> &groups() const { return m_groups; }
    ReportGroup *findGroup(const QString &name) const;

    void addAggregate(ReportAggregate aggregate);
    const std::vector<ReportAggregate> &aggregates() const { return m_aggregates; }

    // With no rows the detail band still prints once, over empty values.
    bool printsDetailWhenEmpty() const { return m_detailWhenEmpty; }
    void setPrintDetailWhenEmpty(bool print) { m_detailWhenEmpty = print; }

    // The CSV export has one line per printed detail band. Its columns are these controls, each
    // with the text it last printed (so a column may come from a group header); without any, the
    // field texts of the detail band from left to right, captioned with their field names.
    void addCsvColumn(const QString &controlName, const QString &caption);
    // Back to the detail's field texts (a definition whose captions change between runs sets
    // its columns afresh).
    void clearCsvColumns() { m_csvColumns.clear(); }
    const std::vector<CsvColumn> &csvColumns() const { return m_csvColumns; }

    // Every band in print order, children included, for looking controls up.
    std::vector<const ReportBand *> allBands() const;
    // The control of any band with that name (letter case ignored); nullptr when there is none.
    ReportControl *findControl(const QString &name) const;
    // The text control with that name; raises a ReportError when there is none.
    ReportText &text(const QString &name) const;

private:
    QPageLayout m_pageLayout;
    QString m_title;
    std::unique_ptr<ReportBand> m_pageHeader;
    std::unique_ptr<ReportBand> m_detail;
    std::unique_ptr<ReportBand> m_summary;
    std::unique_ptr<ReportBand> m_pageFooter;
    std::vector<std::unique_ptr<ReportGroup>> m_groups;
    std::vector<ReportAggregate> m_aggregates;
    std::vector<CsvColumn> m_csvColumns;
    bool m_detailWhenEmpty = false;
};
