#pragma once

#include "ReportContext.h"
#include "ReportPrimitives.h"

#include <QRectF>
#include <QString>

class TextMeasurer;

// Something a band prints: a text, a line, a rectangle or a picture. Its place is in points,
// x from the left margin and y from the top of its band.
class ReportControl
{
public:
    virtual ~ReportControl();
    ReportControl(const ReportControl &) = delete;
    ReportControl &operator=(const ReportControl &) = delete;

    // The name a definition or a CSV column finds the control by; may be empty.
    QString name() const { return m_name; }
    QRectF rect() const { return m_rect; }
    bool isVisible() const { return m_visible; }

    // Whether the control prints this time: visible, and its condition (if any) holds for the
    // row being printed.
    bool isShown(const ReportContext &context) const;

    // The control as it prints for the current row, in band coordinates.
    virtual PagePrimitive layOut(const ReportContext &context, TextMeasurer &measurer) const = 0;

protected:
    explicit ReportControl(const QRectF &rect) : m_rect(rect) {}

    QString m_name;
    QRectF m_rect;
    bool m_visible = true;
    ReportCondition m_shownIf;
};

// The setters every kind of control shares, returning the control's own type so that a
// definition can chain them.
template <typename Self>
class ReportControlOf : public ReportControl
{
public:
    Self &setName(const QString &name)
    {
        m_name = name;
        return self();
    }
    Self &setRect(const QRectF &rect)
    {
        m_rect = rect;
        return self();
    }
    // A hidden control never prints (a CSV column of it stays empty).
    Self &setVisible(bool visible)
    {
        m_visible = visible;
        return self();
    }
    // Decided afresh every time the band prints.
    Self &setShownIf(ReportCondition condition)
    {
        m_shownIf = std::move(condition);
        return self();
    }

protected:
    explicit ReportControlOf(const QRectF &rect) : ReportControl(rect) {}
    Self &self() { return static_cast<Self &>(*this); }
};
