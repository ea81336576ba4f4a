#pragma once

#include "ReportBand.h"

#include <QString>
#include <memory>

// Rows that share a key, with a header before them and a footer after them.
//
// The key is worked out for every row; when it differs from the previous row's, this group and
// every group inside it break: their footers print (inner first) with the previous row current,
// then their headers (outer first) with the new row current.
class ReportGroup
{
public:
    using Key = ReportValue;

    ReportGroup(const QString &name, Key key);
    ReportGroup(const ReportGroup &) = delete;
    ReportGroup &operator=(const ReportGroup &) = delete;

    // The key of a group on one field's value.
    static Key byField(const QString &fieldName);

    QString name() const { return m_name; }
    QVariant keyFor(const ReportContext &context) const { return m_key(context); }

    ReportBand &header() { return *m_header; }
    const ReportBand &header() const { return *m_header; }
    ReportBand &footer() { return *m_footer; }
    const ReportBand &footer() const { return *m_footer; }

    // Each group begins on a new page (the first one too, unless its page holds nothing yet).
    bool startsOnNewPage() const { return m_newPage; }
    ReportGroup &setStartOnNewPage(bool newPage);

private:
    QString m_name;
    Key m_key;
    std::unique_ptr<ReportBand> m_header;
    std::unique_ptr<ReportBand> m_footer;
    bool m_newPage = false;
};
