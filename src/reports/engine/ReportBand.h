#pragma once

#include "ReportContext.h"
#include "ReportControl.h"
#include "ReportLine.h"
#include "ReportPicture.h"
#include "ReportShape.h"
#include "ReportText.h"

#include <memory>
#include <vector>

// A horizontal strip of a report, printed the whole width of the page between the margins: once
// per page (page header and footer), once per row (detail), at a group's start or end, once at
// the end (summary), or right after its parent band (a child band).
//
// A band is as tall as its height unless a growing text makes it taller. A band with no height,
// no controls and no children prints nothing. Controls paint in the order they were added, so a
// filled rectangle behind texts is added before them.
class ReportBand
{
public:
    enum class Kind { PageHeader, Detail, GroupHeader, GroupFooter, Child, Summary, PageFooter };

    explicit ReportBand(Kind kind, double height = 0);
    ~ReportBand();
    ReportBand(const ReportBand &) = delete;
    ReportBand &operator=(const ReportBand &) = delete;

    Kind kind() const { return m_kind; }
    double height() const { return m_height; }
    ReportBand &setHeight(double points);
    bool isEmpty() const;

    // A band that is not visible never prints, nor do its children; the rows it would have
    // printed still count in the aggregates.
    bool isVisible() const { return m_visible; }
    ReportBand &setVisible(bool visible);
    // Decided for each row the band would print.
    ReportBand &setPrintIf(ReportCondition condition);
    bool printsFor(const ReportContext &context) const;

    // The band begins on a page only if the footer of that group fits below it too (when the
    // page holds anything else; on an empty page it begins regardless).
    ReportBand &setKeepWithFooterOf(const QString &groupName);
    QString keepWithFooterOf() const { return m_keepWithFooterOf; }

    template <typename Control>
    Control &add(std::unique_ptr<Control> control)
    {
        Control &added = *control;
        m_controls.push_back(std::move(control));
        return added;
    }
    ReportText &addLabel(const QString &text, const QRectF &rect);
    ReportText &addField(const QString &fieldName, const QRectF &rect);
    ReportText &addMemo(const QString &fieldName, const QRectF &rect);
    ReportText &addComputed(ReportValue value, const QRectF &rect);
    ReportText &addAggregate(const QString &aggregateName, const QRectF &rect);
    ReportText &addPageNumber(const QRectF &rect, const QString &pattern = QStringLiteral("%1"));
    ReportText &addRunDateTime(const QRectF &rect, const QString &format = QString());
    ReportLine &addLine(const QPointF &from, const QPointF &to);
    ReportShape &addRectangle(const QRectF &rect);
    ReportPicture &addPicture(const QImage &image, const QRectF &rect);

    // A band printed right after this one, each time this one prints.
    ReportBand &addChild(double height);

    const std::vector<std::unique_ptr<ReportControl>> &controls() const { return m_controls; }
    const std::vector<std::unique_ptr<ReportBand>> &children() const { return m_children; }

private:
    Kind m_kind;
    double m_height;
    bool m_visible = true;
    ReportCondition m_printIf;
    QString m_keepWithFooterOf;
    std::vector<std::unique_ptr<ReportControl>> m_controls;
    std::vector<std::unique_ptr<ReportBand>> m_children;
};
