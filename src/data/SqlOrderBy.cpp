#include "SqlOrderBy.h"

namespace SqlOrderBy {
namespace {

bool isNameStart(QChar c) { return c.isLetter() || c == u'_'; }
bool isNameChar(QChar c) { return c.isLetterOrNumber() || c == u'_' || c == u'$'; }

// Reads the terms one name or mark at a time.
class Reader
{
public:
    explicit Reader(QStringView text) : m_text(text) {}

    bool atEnd()
    {
        skipSpace();
        return m_at == m_text.size();
    }
    bool take(QChar mark)
    {
        skipSpace();
        if (m_at == m_text.size() || m_text[m_at] != mark)
            return false;
        ++m_at;
        return true;
    }
    // A bare or double-quoted name; quoted is set for the latter (never a keyword).
    std::optional<QString> name(bool *quoted = nullptr)
    {
        skipSpace();
        const qsizetype n = m_text.size();
        if (m_at < n && m_text[m_at] == u'"') {
            QString value;
            for (qsizetype i = m_at + 1; i < n; ++i) {
                if (m_text[i] != u'"') {
                    value += m_text[i];
                } else if (i + 1 < n && m_text[i + 1] == u'"') {
                    value += u'"';
                    ++i;
                } else {
                    m_at = i + 1;
                    if (quoted)
                        *quoted = true;
                    return value;
                }
            }
            return std::nullopt;
        }
        if (m_at == n || !isNameStart(m_text[m_at]))
            return std::nullopt;
        const qsizetype start = m_at;
        while (m_at < n && isNameChar(m_text[m_at]))
            ++m_at;
        if (quoted)
            *quoted = false;
        return m_text.mid(start, m_at - start).toString();
    }
    // The bare keyword, when it comes next.
    bool keyword(QLatin1String word)
    {
        const qsizetype saved = m_at;
        bool quoted = false;
        const auto n = name(&quoted);
        if (n && !quoted && n->compare(word, Qt::CaseInsensitive) == 0)
            return true;
        m_at = saved;
        return false;
    }

private:
    void skipSpace()
    {
        while (m_at < m_text.size() && m_text[m_at].isSpace())
            ++m_at;
    }

    QStringView m_text;
    qsizetype m_at = 0;
};

} // namespace

std::optional<Clause> findOuter(const QString &sql)
{
    int depth = 0;
    std::optional<Clause> found;
    for (qsizetype i = 0; i < sql.size(); ++i) {
        const QChar c = sql[i];
        if (c == u'\'' || c == u'"') {
            const qsizetype end = sql.indexOf(c, i + 1);
            if (end < 0)
                return std::nullopt;
            i = end;
        } else if (c == u'(') {
            ++depth;
        } else if (c == u')') {
            --depth;
        } else if (depth == 0 && (c == u'O' || c == u'o') && (i == 0 || !isNameChar(sql[i - 1])) &&
                   sql.mid(i, 5).compare(QLatin1String("ORDER"), Qt::CaseInsensitive) == 0) {
            qsizetype j = i + 5;
            while (j < sql.size() && sql[j].isSpace())
                ++j;
            if (j > i + 5 && sql.mid(j, 2).compare(QLatin1String("BY"), Qt::CaseInsensitive) == 0 &&
                (j + 2 == sql.size() || !isNameChar(sql[j + 2])))
                found = Clause{i, j + 2};
        }
    }
    return found;
}

QString withoutOuter(const QString &sql)
{
    const auto clause = findOuter(sql);
    return clause ? sql.left(clause->start) : sql;
}

std::optional<std::vector<Column>> columns(QStringView terms)
{
    Reader r(terms);
    std::vector<Column> out;
    do {
        Column c;
        auto first = r.name();
        if (!first)
            return std::nullopt;
        if (r.take(u'.')) {
            auto second = r.name();
            if (!second)
                return std::nullopt;
            c.table = *first;
            c.column = *second;
        } else {
            c.column = *first;
        }
        if (r.keyword(QLatin1String("DESC")))
            c.descending = true;
        else
            r.keyword(QLatin1String("ASC"));
        out.push_back(c);
    } while (r.take(u','));
    if (!r.atEnd())
        return std::nullopt;
    return out;
}

} // namespace SqlOrderBy
