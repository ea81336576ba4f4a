#include "ReportDefinition.h"

#include "PageGeometry.h"
#include "ReportError.h"
#include "ReportText.h"

#include <QPageSize>

ReportDefinition::ReportDefinition()
    : m_pageLayout(defaultPageLayout()),
      m_pageHeader(std::make_unique<ReportBand>(ReportBand::Kind::PageHeader)),
      m_detail(std::make_unique<ReportBand>(ReportBand::Kind::Detail)),
      m_summary(std::make_unique<ReportBand>(ReportBand::Kind::Summary)),
      m_pageFooter(std::make_unique<ReportBand>(ReportBand::Kind::PageFooter))
{
}

ReportDefinition::~ReportDefinition() = default;
ReportDefinition::ReportDefinition(ReportDefinition &&) noexcept = default;
ReportDefinition &ReportDefinition::operator=(ReportDefinition &&) noexcept = default;

QPageLayout ReportDefinition::defaultPageLayout()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                       QPageLayout::Millimeter);
}

QRectF ReportDefinition::body() const { return PageGeometry::body(m_pageLayout); }

ReportGroup &ReportDefinition::addGroup(const QString &name, ReportGroup::Key key)
{
    if (findGroup(name))
        throw ReportError(QStringLiteral("The report already has a group named %1.").arg(name));
    m_groups.push_back(std::make_unique<ReportGroup>(name, std::move(key)));
    return *m_groups.back();
}

ReportGroup &ReportDefinition::addGroupOnField(const QString &name, const QString &fieldName)
{
    return addGroup(name, ReportGroup::byField(fieldName));
}

ReportGroup *ReportDefinition::findGroup(const QString &name) const
{
    for (const auto &g : m_groups)
        if (g->name() == name)
            return g.get();
    return nullptr;
}

void ReportDefinition::addAggregate(ReportAggregate aggregate)
{
    m_aggregates.push_back(std::move(aggregate));
}

void ReportDefinition::addCsvColumn(const QString &controlName, const QString &caption)
{
    m_csvColumns.push_back({controlName, caption});
}

std::vector<const ReportBand *> ReportDefinition::allBands() const
{
    std::vector<const ReportBand *> bands;
    auto addWithChildren = [&bands](const ReportBand &band, auto &&self) -> void {
        bands.push_back(&band);
        for (const auto &child : band.children())
            self(*child, self);
    };
    addWithChildren(*m_pageHeader, addWithChildren);
    for (const auto &g : m_groups)
        addWithChildren(g->header(), addWithChildren);
    addWithChildren(*m_detail, addWithChildren);
    for (auto it = m_groups.rbegin(); it != m_groups.rend(); ++it)
        addWithChildren((*it)->footer(), addWithChildren);
    addWithChildren(*m_summary, addWithChildren);
    addWithChildren(*m_pageFooter, addWithChildren);
    return bands;
}

ReportControl *ReportDefinition::findControl(const QString &name) const
{
    for (const ReportBand *band : allBands())
        for (const auto &c : band->controls())
            if (!c->name().isEmpty() && c->name().compare(name, Qt::CaseInsensitive) == 0)
                return c.get();
    return nullptr;
}

ReportText &ReportDefinition::text(const QString &name) const
{
    auto *t = dynamic_cast<ReportText *>(findControl(name));
    if (!t)
        throw ReportError(QStringLiteral("The report has no text named %1.").arg(name));
    return *t;
}
