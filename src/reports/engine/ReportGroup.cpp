#include "ReportGroup.h"

#include "Field.h"

ReportGroup::ReportGroup(const QString &name, Key key)
    : m_name(name),
      m_key(std::move(key)),
      m_header(std::make_unique<ReportBand>(ReportBand::Kind::GroupHeader)),
      m_footer(std::make_unique<ReportBand>(ReportBand::Kind::GroupFooter))
{
}

ReportGroup::Key ReportGroup::byField(const QString &fieldName)
{
    return [fieldName](const ReportContext &context) { return context.value(fieldName); };
}

ReportGroup &ReportGroup::setStartOnNewPage(bool newPage)
{
    m_newPage = newPage;
    return *this;
}
