#include "ReportRenderer.h"

#include "Dataset.h"
#include "PageFlow.h"
#include "ReportDefinition.h"
#include "ReportError.h"
#include "ReportText.h"
#include "RunningAggregates.h"
#include "TextMeasurer.h"

#include <QHash>
#include <algorithm>

namespace {

QStringList groupNames(const ReportDefinition &definition)
{
    QStringList names;
    for (const auto &g : definition.groups())
        names << g->name();
    return names;
}

// Every field a text control of the definition is bound to must be in the data.
void checkFields(const ReportDefinition &definition, const Dataset &data)
{
    for (const ReportBand *band : definition.allBands())
        for (const auto &control : band->controls()) {
            const auto *text = dynamic_cast<const ReportText *>(control.get());
            if (text && text->source() == ReportText::Source::Field && !data.findField(text->text()))
                throw ReportError(QStringLiteral("The report prints the field %1, which its data does "
                                                 "not have.")
                                      .arg(text->text()));
        }
    for (const ReportBand *band : definition.allBands())
        if (!band->keepWithFooterOf().isEmpty() && !definition.findGroup(band->keepWithFooterOf()))
            throw ReportError(QStringLiteral("A band of the report keeps with the footer of the group "
                                             "%1, which the report does not have.")
                                  .arg(band->keepWithFooterOf()));
}

struct CsvSource
{
    std::vector<const ReportControl *> controls;
    QStringList captions;
};

CsvSource csvSource(const ReportDefinition &definition)
{
    CsvSource source;
    if (!definition.csvColumns().empty()) {
        for (const CsvColumn &column : definition.csvColumns()) {
            const ReportControl *control = definition.findControl(column.controlName);
            if (!dynamic_cast<const ReportText *>(control))
                throw ReportError(QStringLiteral("The CSV column %1 names no text of the report.")
                                      .arg(column.controlName));
            source.controls.push_back(control);
            source.captions << column.caption;
        }
        return source;
    }
    std::vector<const ReportText *> fields;
    for (const auto &control : definition.detail().controls()) {
        const auto *text = dynamic_cast<const ReportText *>(control.get());
        if (text && text->source() == ReportText::Source::Field)
            fields.push_back(text);
    }
    std::stable_sort(fields.begin(), fields.end(),
                     [](auto *a, auto *b) { return a->rect().left() < b->rect().left(); });
    for (const ReportText *text : fields) {
        source.controls.push_back(text);
        source.captions << text->text();
    }
    return source;
}

// One run of a definition over a dataset.
class ReportRun
{
public:
    ReportRun(const ReportDefinition &definition, Dataset &data, const QDateTime &runDateTime)
        : m_definition(definition),
          m_data(data),
          m_runDateTime(runDateTime),
          m_aggregates(definition.aggregates(), groupNames(definition)),
          m_context(data, &m_aggregates, runDateTime),
          m_flow(definition.pageLayout(),
                 [this](int page) { return pageBand(m_definition.pageHeader(), page); },
                 [this](int page) { return pageBand(m_definition.pageFooter(), page); }),
          m_csvSource(csvSource(definition))
    {
        m_csv.captions = m_csvSource.captions;
    }

    RenderedReport run()
    {
        m_data.first();
        m_flow.start();
        if (m_data.isEmpty())
            printEmpty();
        else
            printRows();
        placeUnit(m_definition.summary());
        return RenderedReport(m_definition.pageLayout(), m_definition.title(), m_runDateTime,
                              m_flow.finish(), std::move(m_csv));
    }

private:
    const auto &groups() const { return m_definition.groups(); }

    void printRows()
    {
        const size_t n = groups().size();
        std::vector<QVariant> keys(n);
        for (bool firstRow = true; !m_data.eof(); firstRow = false) {
            std::vector<QVariant> newKeys(n);
            for (size_t g = 0; g < n; ++g)
                newKeys[g] = groups()[g]->keyFor(m_context);
            size_t breakAt = 0;
            if (!firstRow) {
                while (breakAt < n && newKeys[breakAt] == keys[breakAt])
                    ++breakAt;
                if (breakAt < n) {
                    // The footers show the last row before the break.
                    m_data.prior();
                    printFooters(breakAt);
                    m_data.next();
                }
            }
            for (size_t g = breakAt; g < n; ++g)
                printHeader(*groups()[g]);
            keys = std::move(newKeys);
            m_aggregates.addRow(m_context);
            printDetail(true);
            m_data.next();   // at the last row it only sets eof
        }
        printFooters(0);
    }

    void printEmpty()
    {
        if (m_definition.printsDetailWhenEmpty())
            printDetail(false);
    }

    void printHeader(const ReportGroup &group)
    {
        if (group.startsOnNewPage() && m_flow.pageHasBody())
            m_flow.newPage();
        placeUnit(group.header());
    }

    // Footers from the innermost group out to the given one; each group's aggregates restart
    // after its footer.
    void printFooters(size_t outermost)
    {
        for (size_t g = groups().size(); g-- > outermost;) {
            placeUnit(groups()[g]->footer());
            m_aggregates.groupEnded(int(g));
        }
    }

    void printDetail(bool exported)
    {
        if (!placeUnit(m_definition.detail()) || !exported || m_csvSource.controls.empty())
            return;
        QStringList row;
        row.reserve(m_csvSource.controls.size());
        for (const ReportControl *control : m_csvSource.controls)
            row << m_lastPrinted.value(control);
        m_csv.rows.push_back(std::move(row));
    }

    // A band and its children as they print for the current row; empty when the band does not.
    std::vector<LaidOutBand> layOutUnit(const ReportBand &band)
    {
        std::vector<LaidOutBand> unit;
        m_context.setPageNumber(m_flow.pageNumber());
        addToUnit(band, unit);
        return unit;
    }

    void addToUnit(const ReportBand &band, std::vector<LaidOutBand> &unit)
    {
        if (!band.printsFor(m_context))
            return;
        unit.push_back(LaidOutBand::layOut(band, m_context, m_measurer, m_flow.body().left()));
        for (const auto &child : band.children())
            addToUnit(*child, unit);
    }

    // Prints the band with its children; false when it does not print for this row.
    bool placeUnit(const ReportBand &band)
    {
        std::vector<LaidOutBand> unit = layOutUnit(band);
        if (unit.empty())
            return false;
        // Room for the footer the band keeps with, as it would print for this row.
        double reserve = 0;
        if (!band.keepWithFooterOf().isEmpty())
            for (const LaidOutBand &b : layOutUnit(m_definition.findGroup(band.keepWithFooterOf())->footer()))
                reserve += b.height();
        for (const LaidOutBand &b : unit)
            remember(b);
        m_flow.placeUnit(unit, reserve);
        return true;
    }

    std::vector<LaidOutBand> pageBand(const ReportBand &band, int page)
    {
        m_context.setPageNumber(page);
        std::vector<LaidOutBand> unit;
        addToUnit(band, unit);
        for (const LaidOutBand &b : unit)
            remember(b);
        return unit;
    }

    void remember(const LaidOutBand &band)
    {
        for (const auto &[control, text] : band.printedTexts())
            m_lastPrinted.insert(control, text);
    }

    const ReportDefinition &m_definition;
    Dataset &m_data;
    QDateTime m_runDateTime;
    RunningAggregates m_aggregates;
    ReportContext m_context;
    TextMeasurer m_measurer;
    PageFlow m_flow;
    CsvSource m_csvSource;
    CsvTable m_csv;
    QHash<const ReportControl *, QString> m_lastPrinted;
};

} // namespace

ReportRenderer::ReportRenderer(const ReportDefinition &definition) : m_definition(definition) {}

RenderedReport ReportRenderer::render(Dataset &data) const
{
    if (!data.isActive())
        throw ReportError(QStringLiteral("The report's data is not open."));
    checkFields(m_definition, data);
    const QDateTime when = m_runDateTime.isValid() ? m_runDateTime : QDateTime::currentDateTime();
    ReportRun run(m_definition, data, when);
    return run.run();
}
