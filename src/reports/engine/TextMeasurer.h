#pragma once

#include <QFont>
#include <QHash>
#include <QImage>
#include <QStringList>

// Measures text in points, the same on every machine whatever its screen: fonts are measured on
// a fixed 1200 dots-per-inch reference (the resolution PDF output is written at) and the results
// are scaled to points.
class TextMeasurer
{
public:
    static constexpr int kReferenceDpi = 1200;

    TextMeasurer();

    // Points from one line to the next.
    double lineHeight(const QFont &font);
    double width(const QString &text, const QFont &font);
    // The lines the text takes in a box of that width: broken at its own line ends, then between
    // words, and inside a word only when the word alone is wider than the box.
    QStringList wrap(const QString &text, const QFont &font, double width);

    // The text's own lines ("\r\n", "\r" and "\n" all end a line), not broken further.
    static QStringList paragraphs(const QString &text);

private:
    struct Measures
    {
        QFont font;         // resolved for the reference device
        double lineHeight;  // points
    };
    const Measures &measuresOf(const QFont &font);

    QImage m_reference;
    QHash<QString, Measures> m_measures;
};
