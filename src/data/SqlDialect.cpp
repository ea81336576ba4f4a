#include "SqlDialect.h"

#include "DateTimeText.h"
#include "DbError.h"
#include "SchemaCatalog.h"

#include <QHash>
#include <QSet>
#include <vector>

namespace {

enum class Tok {
    Space,      // blanks, line breaks and comments: copied as they stand
    String,     // 'text' or "text"; value holds the text without quotes
    Date,       // #...#; value holds the text between the hashes
    Bracket,    // [name]; value holds the name
    Word,       // a bare name or keyword
    Number,
    Param,      // :Name; value holds the name
    Op          // operators and punctuation
};

struct Token
{
    Tok kind;
    QString text;   // the token as written
    QString value;
};

bool isWordStart(QChar c) { return c.isLetter() || c == u'_'; }
bool isWordChar(QChar c) { return c.isLetterOrNumber() || c == u'_' || c == u'$'; }

std::vector<Token> tokenize(const QString &sql)
{
    std::vector<Token> out;
    const qsizetype n = sql.size();
    qsizetype i = 0;
    auto fail = [&](const QString &what) {
        throw DbError(QStringLiteral("Syntax error in SQL: %1 at position %2").arg(what).arg(i + 1),
                      DbError::Kind::Usage);
    };
    while (i < n) {
        const QChar c = sql[i];
        const qsizetype start = i;
        if (c.isSpace()) {
            while (i < n && sql[i].isSpace())
                ++i;
            out.push_back({Tok::Space, sql.mid(start, i - start), {}});
        } else if (c == u'-' && i + 1 < n && sql[i + 1] == u'-') {
            while (i < n && sql[i] != u'\n')
                ++i;
            out.push_back({Tok::Space, sql.mid(start, i - start), {}});
        } else if (c == u'/' && i + 1 < n && sql[i + 1] == u'*') {
            const qsizetype end = sql.indexOf(QStringLiteral("*/"), i + 2);
            if (end < 0)
                fail(QStringLiteral("unterminated comment"));
            i = end + 2;
            out.push_back({Tok::Space, sql.mid(start, i - start), {}});
        } else if (c == u'\'' || c == u'"') {
            QString value;
            ++i;
            for (;;) {
                if (i >= n) {
                    i = start;
                    fail(QStringLiteral("unterminated string"));
                }
                if (sql[i] == c) {
                    if (i + 1 < n && sql[i + 1] == c) {   // doubled quote stands for one
                        value += c;
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                value += sql[i++];
            }
            out.push_back({Tok::String, sql.mid(start, i - start), value});
        } else if (c == u'#') {
            const qsizetype end = sql.indexOf(u'#', i + 1);
            if (end < 0)
                fail(QStringLiteral("unterminated date literal"));
            i = end + 1;
            out.push_back({Tok::Date, sql.mid(start, i - start), sql.mid(start + 1, end - start - 1)});
        } else if (c == u'[') {
            const qsizetype end = sql.indexOf(u']', i + 1);
            if (end < 0)
                fail(QStringLiteral("unterminated [name]"));
            i = end + 1;
            out.push_back({Tok::Bracket, sql.mid(start, i - start), sql.mid(start + 1, end - start - 1)});
        } else if (c == u'`') {
            const qsizetype end = sql.indexOf(u'`', i + 1);
            if (end < 0)
                fail(QStringLiteral("unterminated `name`"));
            i = end + 1;
            out.push_back({Tok::Bracket, sql.mid(start, i - start), sql.mid(start + 1, end - start - 1)});
        } else if (c == u':' && i + 1 < n && isWordStart(sql[i + 1])) {
            i += 1;
            while (i < n && isWordChar(sql[i]))
                ++i;
            out.push_back({Tok::Param, sql.mid(start, i - start), sql.mid(start + 1, i - start - 1)});
        } else if (isWordStart(c)) {
            while (i < n && isWordChar(sql[i]))
                ++i;
            out.push_back({Tok::Word, sql.mid(start, i - start), sql.mid(start, i - start)});
        } else if (c.isDigit() || (c == u'.' && i + 1 < n && sql[i + 1].isDigit())) {
            while (i < n && (sql[i].isDigit() || sql[i] == u'.'))
                ++i;
            if (i < n && (sql[i] == u'e' || sql[i] == u'E')) {
                qsizetype j = i + 1;
                if (j < n && (sql[j] == u'+' || sql[j] == u'-'))
                    ++j;
                if (j < n && sql[j].isDigit()) {
                    i = j;
                    while (i < n && sql[i].isDigit())
                        ++i;
                }
            }
            out.push_back({Tok::Number, sql.mid(start, i - start), sql.mid(start, i - start)});
        } else {
            static const char *const twoChar[] = {"<>", "<=", ">=", "!=", "||", "=="};
            QString op(c);
            if (i + 1 < n) {
                const QString two = sql.mid(i, 2);
                for (const char *t : twoChar)
                    if (two == QLatin1String(t))
                        op = two;
            }
            i += op.size();
            out.push_back({Tok::Op, op, op});
        }
    }
    return out;
}

bool isName(const Token &t) { return t.kind == Tok::Word || t.kind == Tok::Bracket; }

bool isKeyword(const QString &word)
{
    static const QSet<QString> keywords{
        QStringLiteral("select"), QStringLiteral("from"),  QStringLiteral("where"),
        QStringLiteral("and"),    QStringLiteral("or"),    QStringLiteral("not"),
        QStringLiteral("as"),     QStringLiteral("on"),    QStringLiteral("join"),
        QStringLiteral("inner"),  QStringLiteral("left"),  QStringLiteral("right"),
        QStringLiteral("outer"),  QStringLiteral("order"), QStringLiteral("by"),
        QStringLiteral("group"),  QStringLiteral("having"), QStringLiteral("like"),
        QStringLiteral("is"),     QStringLiteral("null"),  QStringLiteral("in"),
        QStringLiteral("exists"), QStringLiteral("between"), QStringLiteral("asc"),
        QStringLiteral("desc"),   QStringLiteral("distinct"), QStringLiteral("update"),
        QStringLiteral("set"),    QStringLiteral("insert"), QStringLiteral("into"),
        QStringLiteral("values"), QStringLiteral("delete"), QStringLiteral("true"),
        QStringLiteral("false"),  QStringLiteral("union"), QStringLiteral("all"),
        QStringLiteral("case"),   QStringLiteral("when"),  QStringLiteral("then"),
        QStringLiteral("else"),   QStringLiteral("end"),   QStringLiteral("limit")};
    return keywords.contains(word.toLower());
}

// A name chain such as tblCall.[ResolvedDate] or [tblPerson_1].[LastName]: [first, last] token
// indexes, spaces not allowed inside.
struct Span
{
    size_t first;
    size_t last;
};

Span chainStartingAt(const std::vector<Token> &t, size_t start)
{
    size_t last = start;
    while (last + 2 < t.size() && t[last + 1].kind == Tok::Op &&
           t[last + 1].text == QLatin1String(".") && isName(t[last + 2]))
        last += 2;
    return {start, last};
}

qsizetype prevSignificant(const std::vector<Token> &t, qsizetype i)
{
    for (--i; i >= 0; --i)
        if (t[size_t(i)].kind != Tok::Space)
            return i;
    return -1;
}

qsizetype nextSignificant(const std::vector<Token> &t, qsizetype i)
{
    for (++i; i < qsizetype(t.size()); ++i)
        if (t[size_t(i)].kind != Tok::Space)
            return i;
    return -1;
}

bool isTextColumnName(const QString &name)
{
    for (const auto &table : SchemaCatalog::tables())
        for (const auto &c : table.columns)
            if ((c.type == SchemaCatalog::ColumnType::Text ||
                 c.type == SchemaCatalog::ColumnType::Memo) &&
                name.compare(QLatin1String(c.name), Qt::CaseInsensitive) == 0)
                return true;
    return false;
}

bool isSchemaName(const QString &name)
{
    static const QSet<QString> names = [] {
        QSet<QString> s;
        for (const auto &table : SchemaCatalog::tables()) {
            s.insert(QString::fromLatin1(table.name).toLower());
            for (const auto &c : table.columns)
                s.insert(QString::fromLatin1(c.name).toLower());
        }
        return s;
    }();
    return names.contains(name.toLower());
}

class Translator
{
public:
    Translator(const QString &sql, SqlTarget target) : m_t(tokenize(sql)), m_target(target) {}

    QString run()
    {
        markConcatenation();
        if (m_target == SqlTarget::SQLite)
            markColumnAliases();
        QString out;
        out.reserve(int(m_t.size()) * 6);
        for (size_t i = 0; i < m_t.size(); ++i) {
            if (const auto diff = dateDifferenceAt(i)) {
                out += diff->text;
                i = diff->last;
                continue;
            }
            out += render(i);
            if (const auto alias = m_aliasAfter.constFind(i); alias != m_aliasAfter.constEnd())
                out += QStringLiteral(" AS ") + quoteName(*alias);
        }
        return out;
    }

private:
    struct Rewritten
    {
        QString text;
        size_t last;
    };

    // "+" between a string literal or a text column and anything else joins texts.
    void markConcatenation()
    {
        for (size_t i = 0; i < m_t.size(); ++i) {
            if (m_t[i].kind != Tok::Op || m_t[i].text != QLatin1String("+"))
                continue;
            const qsizetype p = prevSignificant(m_t, qsizetype(i));
            const qsizetype n = nextSignificant(m_t, qsizetype(i));
            if (p < 0 || n < 0)
                continue;
            if (isTextOperand(size_t(p)) || isTextOperand(size_t(n)))
                m_concat.insert(i);
        }
    }

    // A select-list item that is just a qualified column, such as tblCall.InputDate, is named
    // after the column. SQLite gives such a column another name ("InputDate:2") when its table
    // sits in a parenthesised join with other tables that have a column of that name, so the
    // name is spelt out.
    void markColumnAliases()
    {
        static const QSet<QString> listEnds{QStringLiteral("from"), QStringLiteral("where"),
                                            QStringLiteral("group"), QStringLiteral("having"),
                                            QStringLiteral("order"), QStringLiteral("union"),
                                            QStringLiteral("limit"), QStringLiteral("into")};
        for (size_t i = 0; i < m_t.size(); ++i) {
            if (m_t[i].kind != Tok::Word ||
                m_t[i].value.compare(QLatin1String("select"), Qt::CaseInsensitive) != 0)
                continue;
            std::vector<size_t> item;
            int depth = 0;
            size_t j = i + 1;
            for (; j < m_t.size(); ++j) {
                const Token &tok = m_t[j];
                if (tok.kind == Tok::Op && tok.text == QLatin1String("("))
                    ++depth;
                if (tok.kind == Tok::Op && tok.text == QLatin1String(")") && depth-- == 0)
                    break;
                if (depth == 0 && tok.kind == Tok::Word && listEnds.contains(tok.value.toLower()))
                    break;
                if (depth == 0 && tok.kind == Tok::Op && tok.text == QLatin1String(",")) {
                    aliasIfQualifiedColumn(item);
                    item.clear();
                } else if (tok.kind != Tok::Space) {
                    item.push_back(j);
                }
            }
            aliasIfQualifiedColumn(item);
        }
    }

    void aliasIfQualifiedColumn(std::vector<size_t> item)
    {
        if (!item.empty() && m_t[item.front()].kind == Tok::Word &&
            (m_t[item.front()].value.compare(QLatin1String("distinct"), Qt::CaseInsensitive) == 0 ||
             m_t[item.front()].value.compare(QLatin1String("all"), Qt::CaseInsensitive) == 0))
            item.erase(item.begin());
        if (item.size() < 3 || item.size() % 2 == 0)
            return;
        for (size_t k = 0; k < item.size(); ++k) {
            const Token &tok = m_t[item[k]];
            const bool ok = k % 2 == 0 ? isName(tok) && !(tok.kind == Tok::Word && isKeyword(tok.value))
                                       : tok.kind == Tok::Op && tok.text == QLatin1String(".");
            if (!ok)
                return;
        }
        m_aliasAfter.insert(item.back(), m_t[item.back()].value);
    }

    bool isTextOperand(size_t i) const
    {
        const Token &tok = m_t[i];
        if (tok.kind == Tok::String)
            return true;
        if (isName(tok))
            return isTextColumnName(tok.value);
        return false;
    }

    // tblCall.[ResolvedDate]-tblCall.[InputDate]: the elapsed time as real days.
    std::optional<Rewritten> dateDifferenceAt(size_t i) const
    {
        if (!isName(m_t[i]))
            return std::nullopt;
        if (i >= 2 && m_t[i - 1].kind == Tok::Op && m_t[i - 1].text == QLatin1String("."))
            return std::nullopt;   // not the start of a chain
        const Span left = chainStartingAt(m_t, i);
        if (!SchemaCatalog::isDateTimeColumn(m_t[left.last].value))
            return std::nullopt;
        const qsizetype minus = nextSignificant(m_t, qsizetype(left.last));
        if (minus < 0 || m_t[size_t(minus)].kind != Tok::Op || m_t[size_t(minus)].text != QLatin1String("-"))
            return std::nullopt;
        const qsizetype rightStart = nextSignificant(m_t, minus);
        if (rightStart < 0 || !isName(m_t[size_t(rightStart)]))
            return std::nullopt;
        const Span right = chainStartingAt(m_t, size_t(rightStart));
        if (!SchemaCatalog::isDateTimeColumn(m_t[right.last].value))
            return std::nullopt;
        const QString a = renderRange(left);
        const QString b = renderRange(right);
        QString text;
        if (m_target == SqlTarget::SQLite)
            text = QStringLiteral("(julianday(%1) - julianday(%2))").arg(a, b);
        else
            text = QStringLiteral("(EXTRACT(EPOCH FROM (%1 - %2)) / 86400.0)").arg(a, b);
        return Rewritten{text, right.last};
    }

    QString renderRange(Span s) const
    {
        QString out;
        for (size_t i = s.first; i <= s.last; ++i)
            out += render(i);
        return out;
    }

    QString render(size_t i) const
    {
        const Token &tok = m_t[i];
        switch (tok.kind) {
        case Tok::Space:
        case Tok::Number:
        case Tok::Param:
            return tok.text;
        case Tok::String:
            return SqlDialect::quoteString(tok.value);
        case Tok::Date: {
            const auto stored = DateTimeText::jetLiteralToStorage(tok.value);
            if (!stored)
                throw DbError(QStringLiteral("Syntax error in date in query expression '%1'.")
                                  .arg(tok.text),
                              DbError::Kind::Usage);
            if (m_target == SqlTarget::SQLite)
                return SqlDialect::quoteString(*stored);
            return QStringLiteral("TIMESTAMP ") + SqlDialect::quoteString(*stored);
        }
        case Tok::Bracket:
            return quoteName(tok.value);
        case Tok::Word: {
            const QString lower = tok.value.toLower();
            if (lower == QLatin1String("true") || lower == QLatin1String("false")) {
                if (m_target == SqlTarget::SQLite)
                    return lower == QLatin1String("true") ? QStringLiteral("1") : QStringLiteral("0");
                return tok.value.toUpper();
            }
            if (m_target == SqlTarget::PostgreSQL && !isKeyword(tok.value) && isSchemaName(tok.value))
                return quoteName(tok.value);
            return tok.text;
        }
        case Tok::Op:
            if (m_concat.contains(i))
                return QStringLiteral("||");
            if (tok.text == QLatin1String("==") && m_target == SqlTarget::PostgreSQL)
                return QStringLiteral("=");
            return tok.text;
        }
        return tok.text;
    }

    QString quoteName(const QString &name) const
    {
        QString n = m_target == SqlTarget::PostgreSQL ? name.toLower() : name;
        n.replace(u'"', QStringLiteral("\"\""));
        return u'"' + n + u'"';
    }

    std::vector<Token> m_t;
    SqlTarget m_target;
    QSet<size_t> m_concat;
    QHash<size_t, QString> m_aliasAfter;   // token index -> the column name to spell out after it
};

} // namespace

QString SqlDialect::translate(const QString &jetSql, SqlTarget target)
{
    return Translator(jetSql, target).run();
}

QStringList SqlDialect::parameterNames(const QString &jetSql, bool everySpelling)
{
    const Qt::CaseSensitivity cs = everySpelling ? Qt::CaseSensitive : Qt::CaseInsensitive;
    QStringList names;
    for (const Token &t : tokenize(jetSql))
        if (t.kind == Tok::Param) {
            bool seen = false;
            for (const QString &n : names)
                seen = seen || n.compare(t.value, cs) == 0;
            if (!seen)
                names << t.value;
        }
    return names;
}

QString SqlDialect::quoteString(const QString &text)
{
    QString q = text;
    q.replace(u'\'', QStringLiteral("''"));
    return u'\'' + q + u'\'';
}

QString SqlDialect::escapeLikeText(const QString &text)
{
    QString q = text;
    q.replace(u'\'', QStringLiteral("''"));
    return q;
}
