#include "WholeNumber.h"

std::optional<int> parseWholeNumber(const QString &text)
{
    qsizetype i = 0;
    if (!text.isEmpty() && (text[0] == u'+' || text[0] == u'-'))
        i = 1;
    if (i == text.size())
        return std::nullopt;
    for (qsizetype k = i; k < text.size(); ++k)
        if (text[k] < u'0' || text[k] > u'9')
            return std::nullopt;
    bool ok = false;
    const int n = text.toInt(&ok, 10);
    return ok ? std::optional<int>(n) : std::nullopt;
}
