#include "ReportBand.h"

ReportBand::ReportBand(Kind kind, double height) : m_kind(kind), m_height(height) {}

ReportBand::~ReportBand() = default;

ReportBand &ReportBand::setHeight(double points)
{
    m_height = std::max(0.0, points);
    return *this;
}

bool ReportBand::isEmpty() const
{
    return m_height <= 0 && m_controls.empty() && m_children.empty();
}

ReportBand &ReportBand::setVisible(bool visible)
{
    m_visible = visible;
    return *this;
}

ReportBand &ReportBand::setPrintIf(ReportCondition condition)
{
    m_printIf = std::move(condition);
    return *this;
}

bool ReportBand::printsFor(const ReportContext &context) const
{
    return m_visible && !isEmpty() && (!m_printIf || m_printIf(context));
}

ReportBand &ReportBand::setKeepWithFooterOf(const QString &groupName)
{
    m_keepWithFooterOf = groupName;
    return *this;
}

ReportText &ReportBand::addLabel(const QString &text, const QRectF &rect)
{
    return add(ReportText::label(text, rect));
}

ReportText &ReportBand::addField(const QString &fieldName, const QRectF &rect)
{
    return add(ReportText::field(fieldName, rect));
}

ReportText &ReportBand::addMemo(const QString &fieldName, const QRectF &rect)
{
    return add(ReportText::memo(fieldName, rect));
}

ReportText &ReportBand::addComputed(ReportValue value, const QRectF &rect)
{
    return add(ReportText::computed(std::move(value), rect));
}

ReportText &ReportBand::addAggregate(const QString &aggregateName, const QRectF &rect)
{
    return add(ReportText::aggregate(aggregateName, rect));
}

ReportText &ReportBand::addPageNumber(const QRectF &rect, const QString &pattern)
{
    return add(ReportText::pageNumber(rect, pattern));
}

ReportText &ReportBand::addRunDateTime(const QRectF &rect, const QString &format)
{
    return add(ReportText::runDateTime(rect, format));
}

ReportLine &ReportBand::addLine(const QPointF &from, const QPointF &to)
{
    return add(ReportLine::create(from, to));
}

ReportShape &ReportBand::addRectangle(const QRectF &rect) { return add(ReportShape::rectangle(rect)); }

ReportPicture &ReportBand::addPicture(const QImage &image, const QRectF &rect)
{
    return add(ReportPicture::create(image, rect));
}

ReportBand &ReportBand::addChild(double height)
{
    m_children.push_back(std::make_unique<ReportBand>(Kind::Child, height));
    return *m_children.back();
}
