#pragma once

#include "RenderedReport.h"

#include <QDateTime>

class Dataset;
class ReportDefinition;

// Prints a report definition over the rows of a dataset, from its first row to its end, into
// pages of primitives laid out in points.
//
// For each row: the groups whose key changed break (footers inner first, with the previous row
// current; then headers outer first), the aggregates take the row, and the detail band prints
// with its child bands. The summary follows the last row's footers. The dataset is read where it
// stands, block by block; it is left on its last row.
class ReportRenderer
{
public:
    explicit ReportRenderer(const ReportDefinition &definition);

    // The moment the report is produced, as its date-time fields print it; now unless set.
    void setRunDateTime(const QDateTime &when) { m_runDateTime = when; }

    // Raises a ReportError when the dataset is not open or the definition names a field, group,
    // aggregate or CSV column that does not exist; errors of the data layer pass through.
    RenderedReport render(Dataset &data) const;

private:
    const ReportDefinition &m_definition;
    QDateTime m_runDateTime;
};
