#include "ReportDocument.h"

#include "ColumnBlock.h"
#include "Dataset.h"
#include "ReportDesign.h"
#include "ReportRenderer.h"
#include "ReportText.h"
#include "ReportValueFormat.h"

namespace {

// The captions of the call's five user fields: the values of their category, in no set order.
const char *const kUserLabelSql =
    "SELECT tblValuesList.Description, tblValueCategory.ValueCategory, tblValuesList.ValueID\n"
    "FROM tblValueCategory INNER JOIN tblValuesList ON tblValueCategory.ValueCategoryID = "
    "tblValuesList.ValueCategoryID\n"
    "WHERE (((tblValueCategory.ValueCategory)=\"Call User Fields\"));";

constexpr int kUserLabels = 5;

} // namespace

ReportDocument::ReportDocument(Engine &engine, const QString &designSql, bool hasUserLabels)
    : m_query(std::make_unique<Dataset>(&engine)), m_designSql(designSql)
{
    m_query->setReadOnly(true);
    m_query->setParamScanning(false);
    m_query->setSql(designSql);
    if (hasUserLabels) {
        m_userLabels = std::make_unique<Dataset>(&engine);
        m_userLabels->setReadOnly(true);
        m_userLabels->setSql(QString::fromLatin1(kUserLabelSql));
        m_userLabels->afterOpen = [this](Dataset &labels) { ValuesListUserLabelADOQueryAfterOpen(labels); };
    }
}

ReportDocument::~ReportDocument() = default;

QString ReportDocument::title() const { return m_definition.text(QStringLiteral("TitleLabel")).text(); }

void ReportDocument::setTitle(const QString &title)
{
    m_definition.text(QStringLiteral("TitleLabel")).setText(title);
    m_definition.setTitle(title);
}

void ReportDocument::openUserLabels()
{
    if (m_userLabels && !m_userLabels->isActive())
        m_userLabels->open();
}

// Rows in the order they come; captions without a row keep their design, rows after the fifth
// are ignored.
void ReportDocument::ValuesListUserLabelADOQueryAfterOpen(Dataset &labels)
{
    labels.first();
    for (int i = 1; i <= kUserLabels && !labels.eof(); ++i) {
        m_definition.text(QStringLiteral("UserLabel%1").arg(i))
            .setText(labels.field(QStringLiteral("Description")).asString());
        labels.next();
    }
}

// The clause always follows the design text: a second call replaces the first rather than
// piling up behind it.
void ReportDocument::appendClause(const QString &clause)
{
    m_query->close();
    m_query->clearParams();
    m_query->setParamScanning(false);
    m_query->setSql(m_designSql + u'\n' + clause);
    m_query->open();
}

void ReportDocument::setRange(const QDateTime &from, const QDateTime &to)
{
    const QString format = QString::fromLatin1(ReportDesign::kDateFormat);
    auto *fromLabel = dynamic_cast<ReportText *>(m_definition.findControl(QStringLiteral("FromLabel")));
    auto *toLabel = dynamic_cast<ReportText *>(m_definition.findControl(QStringLiteral("ToLabel")));
    if (!fromLabel || !toLabel)
        return;
    fromLabel->setText(ReportValueFormat::formatDateTime(from, format));
    toLabel->setText(ReportValueFormat::formatDateTime(to, format));
}

RenderedReport ReportDocument::render()
{
    setCsvColumns();
    ReportRenderer renderer(m_definition);
    if (m_runDateTime.isValid())
        renderer.setRunDateTime(m_runDateTime);
    return renderer.render(*m_query);
}

void ReportDocument::exportColumns(const ColumnBlock &block)
{
    for (const ColumnBlock::Column &c : block.columns())
        m_csv.push_back({ColumnBlock::valueName(c.field), c.caption, c.captionName});
}

// The captions are taken as the run left them (the user-field captions come from the data).
void ReportDocument::setCsvColumns()
{
    m_definition.clearCsvColumns();
    for (const CsvSpec &c : m_csv)
        m_definition.addCsvColumn(c.controlName, c.captionName.isEmpty()
                                                     ? c.caption
                                                     : m_definition.text(c.captionName).text());
}

void ReportDocument::designCallList(const QString &title, ReportPageFrame::RangeLine rangeLine,
                                    const ColumnBlock &calls)
{
    ReportDesign::addFrame(m_definition, title, rangeLine, &calls);
    ReportBand &detail = m_definition.detail();
    calls.addValues(detail, 2);
    detail.setHeight(calls.height() + 6);
    m_definition.setPrintDetailWhenEmpty(true);
    ReportDesign::addTotalCalls(m_definition);
    exportColumns(calls);
}
