#pragma once

#include "ReportControl.h"

#include <QColor>
#include <QFont>
#include <memory>

// A text in a box: a fixed caption, a field of the current row, a value worked out from the row,
// an aggregate, the page number or the run's date and time.
//
// Texts print on one line unless word wrap is on; a growing text (a memo) wraps and makes its
// band as tall as its lines need.
class ReportText final : public ReportControlOf<ReportText>
{
public:
    enum class Source { Label, Field, Computed, Aggregate, PageNumber, RunDateTime };

    static std::unique_ptr<ReportText> label(const QString &text, const QRectF &rect);
    // Prints the field's display text, or the value in the text's own format when it has one.
    static std::unique_ptr<ReportText> field(const QString &fieldName, const QRectF &rect);
    // A field that wraps and grows its band to fit.
    static std::unique_ptr<ReportText> memo(const QString &fieldName, const QRectF &rect);
    static std::unique_ptr<ReportText> computed(ReportValue value, const QRectF &rect);
    static std::unique_ptr<ReportText> aggregate(const QString &aggregateName, const QRectF &rect);
    // The pattern's "%1" is the page number, "%2" the number of pages ("Page %1 of %2").
    static std::unique_ptr<ReportText> pageNumber(const QRectF &rect,
                                                  const QString &pattern = QStringLiteral("%1"));
    static std::unique_ptr<ReportText> runDateTime(const QRectF &rect, const QString &format = QString());

    static QFont defaultFont();

    Source source() const { return m_source; }
    // The caption of a label, the field, aggregate name or page pattern of the others.
    QString text() const { return m_text; }
    QString format() const { return m_format; }
    QFont font() const { return m_font; }
    QColor colour() const { return m_colour; }
    Qt::Alignment alignment() const { return m_alignment; }
    bool wordWrap() const { return m_wordWrap || m_grows; }
    bool grows() const { return m_grows; }

    // A label's new caption (a title set for one run, a user's caption for a column).
    ReportText &setText(const QString &text);
    // A date-time or number format (see ReportValueFormat).
    ReportText &setFormat(const QString &format);
    // Sized in points; a font sized in pixels is taken as that many points.
    ReportText &setFont(const QFont &font);
    ReportText &setColour(const QColor &colour);
    ReportText &setAlignment(Qt::Alignment alignment);
    ReportText &setWordWrap(bool wrap);
    ReportText &setGrows(bool grows);

    // The text for the current row.
    QString textFor(const ReportContext &context) const;
    // Page numbers are filled in once the pages are known.
    bool isPageNumber() const { return m_source == Source::PageNumber; }
    QString pageText(int page, int pageCount) const;

    PagePrimitive layOut(const ReportContext &context, TextMeasurer &measurer) const override;
    // The primitive for a given text, as layOut() makes it.
    TextItem layOutText(const QString &text, TextMeasurer &measurer) const;

private:
    ReportText(Source source, const QString &text, const QRectF &rect);

    Source m_source;
    QString m_text;
    QString m_format;
    ReportValue m_compute;
    QFont m_font = defaultFont();
    QColor m_colour = Qt::black;
    Qt::Alignment m_alignment = Qt::AlignLeft | Qt::AlignTop;
    bool m_wordWrap = false;
    bool m_grows = false;
};
