#include "Dataset.h"

#include "DataSource.h"
#include "SqlDialect.h"
#include "SqlOrderBy.h"

#include <QSqlError>
#include <QSqlQuery>
#include <algorithm>

namespace {

FieldType fieldTypeOf(SchemaCatalog::ColumnType t)
{
    using C = SchemaCatalog::ColumnType;
    switch (t) {
    case C::AutoNumber:
    case C::Long:
    case C::Short:
    case C::Word:
        return FieldType::Integer;
    case C::Double:
        return FieldType::Float;
    case C::YesNo:
        return FieldType::Boolean;
    case C::DateTime:
        return FieldType::DateTime;
    case C::Memo:
        return FieldType::Memo;
    case C::Text:
        return FieldType::Text;
    }
    return FieldType::Text;
}

// A key for hashing a value the way equality of the field's values works.
QString hashKey(const QVariant &v)
{
    if (v.isNull())
        return QStringLiteral("\x01null");
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime().toString(Qt::ISODateWithMs);
    if (v.typeId() == QMetaType::Double) {
        const double d = v.toDouble();
        if (d == double(qint64(d)))
            return QString::number(qint64(d));
    }
    return v.toString();
}

bool sameValue(const QVariant &a, const QVariant &b)
{
    if (a.isNull() || b.isNull())
        return a.isNull() && b.isNull();
    if (a.typeId() == QMetaType::QDateTime || b.typeId() == QMetaType::QDateTime)
        return a.toDateTime() == b.toDateTime();
    if (a.typeId() == QMetaType::QString || b.typeId() == QMetaType::QString)
        return a.toString() == b.toString();
    return a == b || a.toDouble() == b.toDouble();
}

} // namespace

Dataset::Dataset(Engine *engine, QObject *parent) : QObject(parent), m_engine(engine) {}

Dataset::~Dataset() = default;

void Dataset::setEngine(Engine *engine)
{
    close();
    m_engine = engine;
}

// ------------------------------------------------------------------------------------ source

void Dataset::setSql(const QString &jetSql)
{
    clearSource();
    m_sql = jetSql;
    takeParamsFromText();
}

void Dataset::clearSource()
{
    close();
    m_sql.clear();
    m_table.clear();
    m_savedQuery.clear();
    m_updateTableFound.clear();
}

void Dataset::setTableName(const QString &table)
{
    clearSource();
    m_table = table;
}

void Dataset::setIndexName(const QString &index) { m_indexName = index; }

void Dataset::setSortField(const QString &field, bool ascending)
{
    m_sortField = field;
    m_sortAscending = ascending;
    if (isActive())
        requery();
}

void Dataset::setSavedQueryName(const QString &name)
{
    clearSource();
    m_savedQuery = name;
    m_readOnly = true;
}

QString Dataset::updateTable() const
{
    if (!m_updateTableSet.isEmpty())
        return m_updateTableSet;
    if (!m_table.isEmpty())
        return m_table;
    return m_updateTableFound;
}

bool Dataset::canModify() const
{
    return isActive() && !m_readOnly && m_savedQuery.isEmpty() && !updateTable().isEmpty() &&
           m_engine && !m_engine->isReadOnly();
}

QString Dataset::selectSql() const
{
    if (!m_engine)
        throw DbError(QStringLiteral("The dataset has no database connection."), DbError::Kind::Usage);
    QString jet;
    if (!m_savedQuery.isEmpty()) {
        jet = m_engine->savedQuerySql(m_savedQuery);
    } else if (!m_table.isEmpty()) {
        jet = QStringLiteral("SELECT * FROM [%1]").arg(m_table);
        // A table detail keeps the master's rows; with its master closed it shows them all.
        QStringList conditions;
        const Dataset *master = m_master ? m_master->dataset() : nullptr;
        if (master && master->isActive())
            for (const QString &f : m_masterFields)
                conditions << QStringLiteral("[%1] = :%1").arg(f);
        if (!conditions.isEmpty())
            jet += QStringLiteral(" WHERE ") + conditions.join(QStringLiteral(" AND "));
        QStringList order;
        if (!m_sortField.isEmpty()) {
            order << QStringLiteral("[%1]%2").arg(m_sortField, m_sortAscending ? QString() : QStringLiteral(" DESC"));
        } else if (!m_indexName.isEmpty()) {
            const auto *t = SchemaCatalog::findTable(m_table);
            bool found = false;
            if (t)
                for (const auto &ix : t->indexes)
                    if (m_indexName.compare(QLatin1String(ix.name), Qt::CaseInsensitive) == 0) {
                        for (const QString &c : QString::fromLatin1(ix.columns).split(u','))
                            order << u'[' + c.trimmed() + u']';
                        found = true;
                    }
            if (!found)
                throw DbError(QStringLiteral("The table %1 has no index named %2.").arg(m_table, m_indexName),
                              DbError::Kind::NotFound);
        }
        if (!order.isEmpty())
            jet += QStringLiteral(" ORDER BY ") + order.join(QStringLiteral(", "));
    } else {
        jet = m_sql;
    }
    if (jet.trimmed().isEmpty())
        throw DbError(QStringLiteral("The dataset has no statement to run."), DbError::Kind::Usage);
    return Engine::withoutTrailingSemicolon(m_engine->translate(jet));
}

// -------------------------------------------------------------------------------- parameters

void Dataset::takeParamsFromText()
{
    if (!m_paramScanning)
        return;
    std::vector<Param> fresh;
    for (const QString &name : SqlDialect::parameterNames(m_sql)) {
        Param p;
        p.name = name;
        for (const Param &old : m_params)
            if (old.name.compare(name, Qt::CaseInsensitive) == 0)
                p = Param{name, old.type, old.typed, old.value};
        fresh.push_back(p);
    }
    m_params = fresh;
}

void Dataset::setParamScanning(bool on)
{
    m_paramScanning = on;
    if (on)
        takeParamsFromText();
}

void Dataset::addParam(const QString &name, FieldType type)
{
    for (Param &p : m_params)
        if (p.name.compare(name, Qt::CaseInsensitive) == 0) {
            p.type = type;
            p.typed = true;
            return;
        }
    m_params.push_back(Param{name, type, true, QVariant()});
}

void Dataset::setParamValue(const QString &name, const QVariant &value)
{
    for (Param &p : m_params)
        if (p.name.compare(name, Qt::CaseInsensitive) == 0) {
            p.value = value;
            return;
        }
    if (!m_table.isEmpty()) {   // a table's master fields are parameters too
        m_params.push_back(Param{name, FieldType::Integer, false, value});
        return;
    }
    throw DbError(QStringLiteral("The parameter %1 does not exist.").arg(name), DbError::Kind::NotFound);
}

QVariant Dataset::paramValue(const QString &name) const
{
    for (const Param &p : m_params)
        if (p.name.compare(name, Qt::CaseInsensitive) == 0)
            return p.value;
    return {};
}

QVariantMap Dataset::bindings() const
{
    QVariantMap map;
    for (const Param &p : m_params) {
        QVariant v = p.value;
        if (!v.isNull() && p.typed) {
            switch (p.type) {
            case FieldType::Integer: v = v.toInt(); break;
            case FieldType::Float: v = v.toDouble(); break;
            case FieldType::Boolean: v = v.toBool(); break;
            default: break;
            }
        }
        map.insert(p.name, v);
    }
    return map;
}

// ----------------------------------------------------------------------------- master/detail

void Dataset::setMasterSource(DataSource *master)
{
    for (auto &c : m_masterConnection)
        disconnect(c);
    m_master = master;
    if (!master)
        return;
    m_masterConnection[0] = connect(master, &DataSource::recordChanged, this, &Dataset::masterMoved);
    m_masterConnection[1] = connect(master, &DataSource::dataSetChanged, this, &Dataset::masterMoved);
    m_masterConnection[2] = connect(master, &DataSource::activeChanged, this, &Dataset::masterMoved);
}

DataSource *Dataset::masterSource() const { return m_master.data(); }

void Dataset::applyMasterValues()
{
    Dataset *master = m_master ? m_master->dataset() : nullptr;
    if (!master)
        return;
    auto masterValue = [&](const QString &name) -> QVariant {
        Field *f = master->isActive() ? master->findField(name) : nullptr;
        return f && f->isActive() && !master->isEmpty() ? f->value() : QVariant();
    };
    if (!m_table.isEmpty()) {
        for (const QString &name : m_masterFields)
            setParamValue(name, masterValue(name));
        return;
    }
    for (Param &p : m_params)
        if (master->findField(p.name))
            p.value = masterValue(p.name);
}

void Dataset::masterMoved()
{
    if (!isActive() || m_inMasterRequery)
        return;
    if (const Dataset *master = m_master ? m_master->dataset() : nullptr; master && master->m_displayOnly)
        return;   // the master's lookup values were re-read, not its rows
    m_inMasterRequery = true;
    try {
        requery();
    } catch (...) {
        m_inMasterRequery = false;
        throw;
    }
    m_inMasterRequery = false;
}

// --------------------------------------------------------------------------------- reading

void Dataset::fetchInto(int offset, int limit, bool describe)
{
    const QString sql = m_native + QStringLiteral(" LIMIT %1 OFFSET %2").arg(limit).arg(offset);
    QSqlQuery q = m_engine->run(sql, bindings());
    ++m_statements;
    if (describe)
        buildFields(m_engine->describeColumns(q));
    int row = offset;
    const int columns = m_dataColumns;
    while (q.next()) {
        if (row >= m_rows.size())
            m_rows.resize(row + 1);
        if (!m_rows[row]) {
            std::vector<QVariant> raw(static_cast<size_t>(columns));
            for (int c = 0; c < columns; ++c)
                raw[size_t(c)] = q.value(c);
            storeRow(row, std::move(raw));
        }
        ++row;
    }
    const QSqlError error = q.lastError();
    q.finish();
    if (error.isValid())
        throw DbError(error.databaseText().isEmpty() ? error.text() : error.databaseText());
    m_lastFetched = row - offset;
}

void Dataset::storeRow(int row, std::vector<QVariant> raw)
{
    auto r = std::make_unique<Row>();
    r->raw = std::move(raw);
    m_rows.set(row, std::move(r));
    ++m_loaded;
    for (RowIndex &index : m_rowIndex)
        indexRow(index, row);
}

void Dataset::readFirst()
{
    m_rows.clear();
    m_loaded = 0;
    m_calcCache.clear();
    clearLookupCaches();
    ++m_generation;
    // One block first: most results (one organisation's calls) end within it.
    fetchInto(0, kBlockRows + 1, true);
    refineTypes();
    if (m_lastFetched <= kBlockRows) {
        m_count = m_lastFetched;
        m_rows.resize(m_count);
        return;
    }
    // A large result is read in blocks, each by a statement of its own: with the key closing
    // its order, rows of equal sort values come in the same order in every block.
    if (m_native != m_ordering.native) {
        m_ordering = orderingOf(m_native);
        if (m_ordering.native != m_native) {
            m_native = m_ordering.native;
            m_rows.clear();
            m_loaded = 0;
            fetchInto(0, kBlockRows + 1, false);
        }
    }
    QSqlQuery q = m_engine->run(QStringLiteral("SELECT COUNT(*) FROM (%1) vellomar_count")
                                    .arg(SqlOrderBy::withoutOuter(m_native)),
                                bindings());
    ++m_statements;
    m_count = q.next() ? q.value(0).toInt() : 0;
    q.finish();
    m_count = std::max(m_count, m_lastFetched);
    m_rows.resize(m_count);
    // A small result is read whole, in one more statement.
    if (m_count <= kWholeReadRows)
        fetchInto(m_lastFetched, m_count - m_lastFetched, false);
}

void Dataset::useStatement(const QString &statement)
{
    m_native = statement == m_ordering.statement ? m_ordering.native : statement;
}

Dataset::Ordering Dataset::orderingOf(const QString &statement) const
{
    Ordering ordering{statement, statement, {}};
    const auto clause = SqlOrderBy::findOuter(statement);
    const auto named = clause ? SqlOrderBy::columns(QStringView(statement).mid(clause->terms))
                              : std::nullopt;
    if (!named)
        return ordering;
    std::vector<Ordering::Term> terms;
    for (const SqlOrderBy::Column &c : *named) {
        const Field *f = resultField(c.table, c.column);
        if (!f)
            return ordering;
        terms.push_back({m_engine->quoteName(f->m_name), f->m_column, c.descending});
    }
    const Field *key = keyField();
    if (key && resultField(QString(), key->m_name) == key &&
        std::none_of(terms.cbegin(), terms.cend(),
                     [key](const Ordering::Term &t) { return t.column == key->m_column; })) {
        // By its place in the result: its name may be ambiguous among joined tables.
        ordering.native += QStringLiteral(", %1").arg(key->m_column + 1);
        terms.push_back({m_engine->quoteName(key->m_name), key->m_column, false});
    }
    ordering.terms = std::move(terms);
    return ordering;
}

const Field *Dataset::resultField(const QString &table, const QString &column) const
{
    // The one result column so named, or taken from that table's column; its name must be the
    // result's only one of that spelling to be usable in a statement around this one.
    const Field *found = nullptr;
    for (const auto &f : m_fields) {
        if (f->m_kind != Field::Kind::Data || !f->m_active)
            continue;
        const bool named = table.isEmpty()
                               ? f->m_name.compare(column, Qt::CaseInsensitive) == 0
                               : f->m_originTable.compare(table, Qt::CaseInsensitive) == 0 &&
                                     f->m_originColumn.compare(column, Qt::CaseInsensitive) == 0;
        if (!named)
            continue;
        if (found)
            return nullptr;
        found = f.get();
    }
    if (!found || table.isEmpty())
        return found;
    return resultField(QString(), found->m_name) == found ? found : nullptr;
}

void Dataset::refineTypes()
{
    // Expressions the engine gives no type for take the type of their first value.
    for (auto &f : m_fields) {
        if (f->m_kind != Field::Kind::Data || !f->m_active || f->m_typeKnown)
            continue;
        for (int row = 0; row < m_rows.size(); ++row) {
            const Row *r = m_rows[row];
            if (!r)
                continue;
            const QVariant &v = r->raw[size_t(f->m_column)];
            if (v.isNull())
                continue;
            switch (v.typeId()) {
            case QMetaType::Int:
            case QMetaType::LongLong:
                f->m_type = FieldType::Integer;
                break;
            case QMetaType::Double:
                f->m_type = FieldType::Float;
                break;
            default:
                break;
            }
            break;
        }
        f->m_typeKnown = true;
    }
}

void Dataset::buildFields(const std::vector<Engine::ColumnInfo> &columns)
{
    for (auto &f : m_fields)
        if (f->m_kind == Field::Kind::Data)
            f->m_active = false;
    std::vector<std::unique_ptr<Field>> data, others;
    for (auto &f : m_fields)
        (f->m_kind == Field::Kind::Data ? data : others).push_back(std::move(f));
    m_fields.clear();

    QString origin;
    for (const auto &c : columns)
        if (!c.table.isEmpty()) {
            origin = c.table;
            break;
        }
    m_updateTableFound = origin;
    const QString update = updateTable();

    std::vector<std::unique_ptr<Field>> ordered;
    for (size_t i = 0; i < columns.size(); ++i) {
        const auto &c = columns[i];
        std::unique_ptr<Field> f;
        for (auto &old : data)
            if (old && !old->m_active && old->m_name.compare(c.name, Qt::CaseInsensitive) == 0) {
                f = std::move(old);
                break;
            }
        const FieldType type = fieldTypeOf(c.type);
        if (!f)
            f.reset(new Field(this, c.name, Field::Kind::Data, type, c.size));
        f->m_type = type;
        f->m_size = c.type == SchemaCatalog::ColumnType::Text ? c.size : 0;
        f->m_typeKnown = c.typeKnown;
        f->m_columnType = c.type;
        f->m_active = true;
        f->m_column = int(i);
        f->m_originTable = c.table;
        f->m_originColumn = c.column;
        f->m_alwaysReadOnly = c.type == SchemaCatalog::ColumnType::AutoNumber || c.table.isEmpty() ||
                              c.table.compare(update, Qt::CaseInsensitive) != 0;
        ordered.push_back(std::move(f));
    }
    for (auto &old : data)
        if (old)
            ordered.push_back(std::move(old));   // no longer returned: kept inactive
    for (auto &o : others)
        ordered.push_back(std::move(o));
    m_fields = std::move(ordered);
    for (size_t i = 0; i < m_fields.size(); ++i)
        m_fields[i]->m_index = int(i);
    m_dataColumns = int(columns.size());
}

void Dataset::ensureRow(int row)
{
    if (row < 0 || row >= m_count || m_rows[row])
        return;
    readBlock(row / kBlockRows);
}

void Dataset::readBlock(int block)
{
    fetchInto(block * kBlockRows, kBlockRows, false);
}

bool Dataset::isRowLoaded(int row) const
{
    return row >= 0 && row < m_rows.size() && m_rows[row] != nullptr;
}

int Dataset::loadedRowCount() const { return m_loaded; }

// ------------------------------------------------------------------------------- lifecycle

void Dataset::open()
{
    if (isActive())
        return;
    if (!m_engine || !m_engine->isOpen())
        throw DbError(QStringLiteral("The database connection is not open."), DbError::Kind::Usage);
    useStatement(selectSql());
    applyMasterValues();
    readFirst();
    m_state = State::Browse;
    m_current = m_count > 0 ? 0 : -1;
    m_bof = true;
    m_eof = m_count == 0;
    if (!controlsDisabled()) {
        emit activeChanged(true);
        emit stateChanged(m_state);
    }
    changed(true);
    if (afterOpen)
        afterOpen(*this);
    if (afterScroll)
        afterScroll(*this);
}

void Dataset::close()
{
    if (!isActive())
        return;
    if (isEditing())
        cancel();
    m_state = State::Inactive;
    m_rows.clear();
    m_loaded = 0;
    m_count = 0;
    m_current = -1;
    m_bof = m_eof = true;
    m_calcCache.clear();
    clearLookupCaches();
    ++m_generation;
    if (!controlsDisabled()) {
        emit activeChanged(false);
        emit stateChanged(m_state);
    } else {
        m_pendingRows = true;
    }
    if (afterClose)
        afterClose(*this);
}

void Dataset::requery()
{
    if (!isActive()) {
        open();
        return;
    }
    requireBrowse();
    useStatement(selectSql());
    applyMasterValues();
    readFirst();
    m_current = m_count > 0 ? 0 : -1;
    m_bof = true;
    m_eof = m_count == 0;
    changed(true);
    if (afterScroll)
        afterScroll(*this);
}

void Dataset::refresh()
{
    requireActive();
    requireBrowse();
    Field *key = keyField();
    const QVariant keyValue = key && m_current >= 0 ? fieldValueAt(m_current, *key) : QVariant();
    const int index = m_current;
    useStatement(selectSql());
    readFirst();
    int target = m_count > 0 ? std::clamp(index, 0, m_count - 1) : -1;
    if (key && !keyValue.isNull()) {
        if (const auto found = findRow(*key, keyValue))
            target = *found;
    }
    if (target >= 0)
        ensureRow(target);
    m_current = target;
    m_bof = target <= 0;
    m_eof = m_count == 0 || target == m_count - 1;
    changed(true);
    if (afterScroll)
        afterScroll(*this);
}

void Dataset::requireActive() const
{
    if (!isActive())
        throw DbError(QStringLiteral("The dataset is not open."), DbError::Kind::Usage);
}

void Dataset::requireBrowse()
{
    if (!isEditing())
        return;
    if (m_modified)
        post();
    else
        cancel();   // a row nobody touched, new or not, is dropped
}

// ----------------------------------------------------------------------------------- cursor

void Dataset::setCurrent(int row, bool notify)
{
    ensureRow(row);
    m_current = row;
    if (notify) {
        changed(false);
        if (afterScroll)
            afterScroll(*this);
    }
}

void Dataset::first()
{
    requireActive();
    requireBrowse();
    m_bof = true;
    m_eof = m_count == 0;
    if (m_count > 0)
        setCurrent(0);
}

void Dataset::last()
{
    requireActive();
    requireBrowse();
    m_eof = true;
    m_bof = m_count == 0;
    if (m_count > 0)
        setCurrent(m_count - 1);
}

void Dataset::next()
{
    requireActive();
    requireBrowse();
    if (m_current >= m_count - 1) {
        m_eof = true;
        return;
    }
    m_bof = m_eof = false;
    setCurrent(m_current + 1);
}

void Dataset::prior()
{
    requireActive();
    requireBrowse();
    if (m_current <= 0) {
        m_bof = true;
        return;
    }
    m_bof = m_eof = false;
    setCurrent(m_current - 1);
}

void Dataset::moveBy(int rows)
{
    requireActive();
    requireBrowse();
    if (m_count == 0)
        return;
    const int target = std::clamp(m_current + rows, 0, m_count - 1);
    m_bof = rows < 0 && target == 0 && m_current + rows < 0;
    m_eof = rows > 0 && target == m_count - 1 && m_current + rows > m_count - 1;
    if (target != m_current)
        setCurrent(target);
}

int Dataset::recNo() const
{
    if (m_state == State::Insert || m_current < 0)
        return 0;
    return m_current + 1;
}

void Dataset::setRecNo(int recNo)
{
    requireActive();
    requireBrowse();
    if (recNo < 1 || recNo > m_count || recNo - 1 == m_current)
        return;
    m_bof = m_eof = false;
    setCurrent(recNo - 1);
}

std::optional<int> Dataset::findRow(const Field &f, const QVariant &typedValue)
{
    // Among the rows read: the first match counts only when no unread row lies before it.
    int firstUnread = m_count;
    for (int i = 0; i < m_count; ++i)
        if (!m_rows[i]) {
            firstUnread = i;
            break;
        }
    for (int i = 0; i < firstUnread; ++i)
        if (sameValue(fieldValueAt(i, f), typedValue))
            return i;
    if (firstUnread == m_count)
        return std::nullopt;
    if (f.m_kind != Field::Kind::Data) {
        // Lookup and calculated values exist only here: read on, block by block.
        for (int i = firstUnread; i < m_count; ++i)
            if (sameValue(fieldValueAt(i, f), typedValue))
                return i;
        return std::nullopt;
    }
    // Ask the engine for the position of the first match instead of reading every row.
    if (const auto found = findRowByOrder(f, typedValue))
        return *found < 0 ? std::nullopt : found;
    return findRowByNumber(f, typedValue);
}

std::optional<int> Dataset::findRowByOrder(const Field &f, const QVariant &typedValue)
{
    // The first row holding the value, then its position as the number of rows that sort before
    // it: a few index ranges counted, where numbering the rows reads the whole result. -1 when
    // no row holds the value; nullopt when the order cannot tell the position.
    if (m_ordering.native != m_native || m_ordering.terms.empty() ||
        m_engine->target() != SqlTarget::SQLite)
        return std::nullopt;
    const auto &terms = m_ordering.terms;
    const QString rows =
        QStringLiteral("(%1) vellomar_rows").arg(SqlOrderBy::withoutOuter(m_native));
    const QString andText = QStringLiteral(" AND ");
    QStringList order;
    for (const Ordering::Term &t : terms)
        order << t.name + (t.descending ? QStringLiteral(" DESC") : QString());
    QVariantMap params = bindings();
    params.insert(QStringLiteral("vellomar_key"), typedValue);
    QSqlQuery q = m_engine->run(
        QStringLiteral("SELECT * FROM %1 WHERE %2 = :vellomar_key ORDER BY %3")
            .arg(rows, m_engine->quoteName(f.m_name), order.join(QStringLiteral(", "))),
        params);
    ++m_statements;
    std::optional<std::vector<QVariant>> match;
    // The engine compares texts without case; the dataset looks for the exact value.
    while (!match && q.next())
        if (sameValue(typedFromRaw(f, q.value(f.m_column)), typedValue)) {
            match.emplace(size_t(m_dataColumns));
            for (int c = 0; c < m_dataColumns; ++c)
                (*match)[size_t(c)] = q.value(c);
        }
    q.finish();
    if (!match)
        return -1;

    // Before it: the rows before it on the first term, those level with it on the first and
    // before it on the second, and so on; SQLite sorts NULL below every value. Level with it on
    // every term: the rows tied with it.
    QStringList before, level;
    for (size_t i = 0; i < terms.size(); ++i) {
        const Ordering::Term &t = terms[i];
        const QVariant &v = (*match)[size_t(t.column)];
        const QString levelSoFar = level.isEmpty() ? QString() : level.join(andText) + andText;
        if (v.isNull()) {
            if (t.descending)
                before << levelSoFar + t.name + QStringLiteral(" IS NOT NULL");
            level << t.name + QStringLiteral(" IS NULL");
            continue;
        }
        const QString param = QStringLiteral("vellomar_o%1").arg(i);
        params.insert(param, v);
        if (!t.descending)
            before << levelSoFar + t.name + QStringLiteral(" IS NULL");
        const QString sortsBefore = t.descending ? QStringLiteral(" > :") : QStringLiteral(" < :");
        before << levelSoFar + t.name + sortsBefore + param;
        level << t.name + QStringLiteral(" = :") + param;
    }
    QStringList counts;
    for (const QString &condition : before)
        counts << QStringLiteral("(SELECT COUNT(*) FROM %1 WHERE %2)").arg(rows, condition);
    if (counts.isEmpty())
        counts << QStringLiteral("0");
    QSqlQuery c = m_engine->run(QStringLiteral("SELECT %1, (SELECT COUNT(*) FROM %2 WHERE %3)")
                                    .arg(counts.join(QStringLiteral(" + ")), rows, level.join(andText)),
                                params);
    ++m_statements;
    const int index = c.next() ? c.value(0).toInt() : -1;
    const int ties = index >= 0 ? c.value(1).toInt() : 0;
    c.finish();
    if (index < 0 || index >= m_count)
        return std::nullopt;
    if (ties == 1 && !m_rows[index]) {
        storeRow(index, std::move(*match));
        return index;
    }
    // Tied rows come in no set order, and rows once read stay as read: the row at that place
    // must hold the value.
    ensureRow(index);
    if (m_rows[index] && sameValue(fieldValueAt(index, f), typedValue))
        return index;
    return std::nullopt;
}

std::optional<int> Dataset::findRowByNumber(const Field &f, const QVariant &typedValue)
{
    QVariantMap params = bindings();
    params.insert(QStringLiteral("vellomar_key"), typedValue);
    QSqlQuery q = m_engine->run(
        QStringLiteral("SELECT vellomar_n FROM (SELECT row_number() OVER () AS vellomar_n, %1 AS "
                       "vellomar_v FROM (%2) vellomar_rows) vellomar_numbered WHERE vellomar_v = "
                       ":vellomar_key ORDER BY vellomar_n")
            .arg(m_engine->quoteName(f.m_name), m_native),
        params);
    ++m_statements;
    while (q.next()) {
        const int index = q.value(0).toInt() - 1;
        if (index < 0 || index >= m_count)
            break;
        ensureRow(index);
        // The engine compares texts without case; the dataset looks for the exact value.
        if (sameValue(fieldValueAt(index, f), typedValue)) {
            q.finish();
            return index;
        }
    }
    q.finish();
    return std::nullopt;
}

bool Dataset::locate(const QString &fieldName, const QVariant &value)
{
    requireActive();
    requireBrowse();
    Field &f = field(fieldName);
    QVariant typed;
    try {
        typed = f.convert(value);
    } catch (const DbError &) {
        return false;
    }
    const auto row = findRow(f, typed);
    if (!row)
        return false;
    m_bof = m_eof = false;
    setCurrent(*row);
    return true;
}

// ----------------------------------------------------------------------------------- values

QVariant Dataset::typedFromRaw(const Field &f, const QVariant &raw) const
{
    if (raw.isNull())
        return QVariant();
    if (!f.m_typeKnown || f.m_type == FieldType::Text || f.m_type == FieldType::Memo) {
        if (f.m_type == FieldType::Integer)
            return raw.toInt();
        if (f.m_type == FieldType::Float)
            return raw.toDouble();
        return raw.typeId() == QMetaType::QString ? raw : QVariant(raw.toString());
    }
    return m_engine->fromEngine(raw, f.m_columnType);
}

QVariant Dataset::fieldValueAt(int row, const Field &f)
{
    if (row < 0 || row >= m_count)
        return {};
    switch (f.m_kind) {
    case Field::Kind::Data:
        if (!f.m_active)
            return {};
        ensureRow(row);
        if (!m_rows[row])
            return {};
        return typedFromRaw(f, m_rows[row]->raw[size_t(f.m_column)]);
    case Field::Kind::Lookup: {
        Field *key = findField(f.m_keyField);
        return key ? lookupValue(f, valueAt(row, *key)) : QVariant();
    }
    case Field::Kind::Calculated:
        return calculatedValue(row, f);
    }
    return {};
}

QVariant Dataset::valueAt(int row, const Field &f)
{
    if (row == m_current && isEditing() && m_calcRow < 0)
        return fieldValue(f);
    return fieldValueAt(row, f);
}

QString Dataset::displayTextAt(int row, const Field &f) { return f.formatValue(valueAt(row, f)); }

QVariant Dataset::fieldValue(const Field &f) const
{
    auto *self = const_cast<Dataset *>(this);
    if (m_calcRow >= 0) {
        if (f.m_kind == Field::Kind::Calculated)
            return m_calcValues.size() > size_t(f.m_index) ? m_calcValues[size_t(f.m_index)] : QVariant();
        if (m_calcRow == m_current && isEditing() && f.m_kind == Field::Kind::Data)
            return f.m_active ? m_buffer[size_t(f.m_column)] : QVariant();
        return self->fieldValueAt(m_calcRow, f);
    }
    if (m_current < 0)
        return {};
    if (!isEditing())
        return self->fieldValueAt(m_current, f);
    switch (f.m_kind) {
    case Field::Kind::Data:
        return f.m_active ? m_buffer[size_t(f.m_column)] : QVariant();
    case Field::Kind::Lookup: {
        Field *key = findField(f.m_keyField);
        return key ? self->lookupValue(f, fieldValue(*key)) : QVariant();
    }
    case Field::Kind::Calculated:
        return self->calculatedValue(m_current, f);
    }
    return {};
}

QVariant Dataset::calculatedValue(int row, const Field &f)
{
    if (!onCalcFields)
        return {};
    const bool live = row == m_current && isEditing();
    if (!live) {
        auto it = m_calcCache.constFind(row);
        if (it != m_calcCache.constEnd())
            return it->size() > size_t(f.m_index) ? (*it)[size_t(f.m_index)] : QVariant();
    }
    const int savedRow = m_calcRow;
    std::vector<QVariant> savedValues = std::move(m_calcValues);
    m_calcRow = row;
    m_calcValues.assign(m_fields.size(), QVariant());
    struct Restore
    {
        Dataset &d;
        int row;
        std::vector<QVariant> &saved;
        ~Restore()
        {
            d.m_calcRow = row;
            d.m_calcValues = std::move(saved);
        }
    } restore{*this, savedRow, savedValues};
    onCalcFields(*this);
    const QVariant result = m_calcValues[size_t(f.m_index)];
    if (!live)
        m_calcCache.insert(row, m_calcValues);
    return result;
}

QVariant Dataset::lookupValue(const Field &f, const QVariant &key)
{
    if (key.isNull() || !f.m_lookupDataset || !f.m_lookupDataset->isActive())
        return {};
    const auto v = f.m_lookupDataset->lookupResult(f.m_lookupKeyField, key, f.m_lookupResultField);
    return v ? *v : QVariant();
}

std::optional<std::vector<QVariant>> Dataset::lookupRow(const QString &keyFieldName, const QVariant &key)
{
    Field *kf = findField(keyFieldName);
    if (!kf || kf->m_kind != Field::Kind::Data || !kf->m_active)
        return std::nullopt;
    QVariant typed;
    try {
        typed = kf->convert(key);
    } catch (const DbError &) {
        return std::nullopt;
    }
    const QString hk = hashKey(typed);
    auto &cache = m_lookupRows[keyFieldName.toLower()];
    if (auto it = cache.constFind(hk); it != cache.constEnd())
        return *it;

    // The rows already read, through an index kept for each key column.
    auto &index = m_rowIndex[keyFieldName.toLower()];
    if (index.field != kf) {
        index.rows.clear();
        index.field = kf;
        for (int i = 0; i < m_count; ++i)
            if (m_rows[i])
                indexRow(index, i);
    }
    const int loaded = loadedRowCount();
    if (auto it = index.rows.constFind(hk); it != index.rows.constEnd())
        return m_rows[*it]->raw;
    if (loaded == m_count) {
        cache.insert(hk, std::nullopt);
        return std::nullopt;
    }
    // Not read yet: one query for that key, remembered until the list is re-read.
    QVariantMap params = bindings();
    params.insert(QStringLiteral("vellomar_key"), typed);
    QSqlQuery q = m_engine->run(QStringLiteral("SELECT * FROM (%1) vellomar_lookup WHERE %2 = :vellomar_key LIMIT 1")
                                    .arg(m_native, m_engine->quoteName(kf->m_name)),
                                params);
    ++m_statements;
    std::optional<std::vector<QVariant>> found;
    if (q.next()) {
        std::vector<QVariant> raw;
        raw.resize(size_t(m_dataColumns));
        for (int c = 0; c < m_dataColumns; ++c)
            raw[size_t(c)] = q.value(c);
        found = std::move(raw);
    }
    q.finish();
    cache.insert(hk, found);
    return found;
}

std::optional<QVariant> Dataset::lookupResult(const QString &keyField, const QVariant &key,
                                              const QString &resultField)
{
    Field *rf = findField(resultField);
    if (!rf || rf->m_kind != Field::Kind::Data)
        return std::nullopt;
    const auto row = lookupRow(keyField, key);
    if (!row)
        return std::nullopt;
    return typedFromRaw(*rf, (*row)[size_t(rf->m_column)]);
}

void Dataset::indexRow(RowIndex &index, int row) const
{
    const QString k = hashKey(typedFromRaw(*index.field, m_rows[row]->raw[size_t(index.field->m_column)]));
    if (!index.rows.contains(k))
        index.rows.insert(k, row);
}

void Dataset::clearLookupCaches()
{
    m_lookupRows.clear();
    m_rowIndex.clear();
}

// ---------------------------------------------------------------------------------- fields

Field *Dataset::findField(const QString &name) const
{
    for (const auto &f : m_fields)
        if (f->m_active && f->m_name.compare(name, Qt::CaseInsensitive) == 0)
            return f.get();
    for (const auto &f : m_fields)
        if (f->m_name.compare(name, Qt::CaseInsensitive) == 0)
            return f.get();
    return nullptr;
}

Field &Dataset::field(const QString &name) const
{
    Field *f = findField(name);
    if (!f)
        throw DbError(QStringLiteral("%1: Field '%2' not found").arg(objectName().isEmpty() ? QStringLiteral("Dataset") : objectName(), name),
                      DbError::Kind::NotFound);
    return *f;
}

Field &Dataset::addLookupField(const QString &name, const QString &keyField, Dataset *lookup,
                               const QString &lookupKeyField, const QString &lookupResultField,
                               int size, bool editable)
{
    auto *f = new Field(this, name, Field::Kind::Lookup, FieldType::Text, size);
    f->m_keyField = keyField;
    f->m_lookupDataset = lookup;
    f->m_lookupKeyField = lookupKeyField;
    f->m_lookupResultField = lookupResultField;
    f->m_editableLookup = editable;
    f->m_index = int(m_fields.size());
    m_fields.emplace_back(f);
    if (lookup) {
        // A re-read list may hold other names: show them.
        connect(lookup, &Dataset::dataSetChanged, this, [this] {
            // Only what is shown changes: details of this dataset need not follow.
            m_calcCache.clear();
            const bool was = m_displayOnly;
            m_displayOnly = true;
            changed(true);
            m_displayOnly = was;
        });
    }
    return *f;
}

Field &Dataset::addCalculatedField(const QString &name, FieldType type, int size)
{
    auto *f = new Field(this, name, Field::Kind::Calculated, type, size);
    f->m_index = int(m_fields.size());
    m_fields.emplace_back(f);
    return *f;
}

void Dataset::setFieldValue(Field &f, const QVariant &value)
{
    if (f.m_kind == Field::Kind::Calculated) {
        if (m_calcRow < 0)
            throw DbError(QStringLiteral("The field %1 is calculated and cannot be modified.").arg(f.m_name),
                          DbError::Kind::Usage);
        m_calcValues[size_t(f.m_index)] = f.convert(value);
        return;
    }
    if (f.m_kind == Field::Kind::Lookup) {
        if (!f.m_editableLookup)
            throw DbError(QStringLiteral("The field %1 cannot be modified.").arg(f.m_name), DbError::Kind::Usage);
        Dataset *list = f.m_lookupDataset;
        const auto key = list ? list->lookupKeyOf(f.m_lookupResultField, value, f.m_lookupKeyField)
                              : std::nullopt;
        if (!key && !value.isNull())
            throw DbError(QStringLiteral("'%1' is not in the list of %2.").arg(value.toString(), f.m_name),
                          DbError::Kind::NotFound);
        field(f.m_keyField).setValue(key ? *key : QVariant());
        return;
    }
    if (!isEditing())
        throw DbError(QStringLiteral("The dataset is not in edit or insert mode."), DbError::Kind::Usage);
    if (!f.m_active || f.isReadOnly())
        throw DbError(QStringLiteral("The field %1 cannot be modified.").arg(f.m_name), DbError::Kind::Usage);
    const QVariant typed = f.convert(value);
    m_buffer[size_t(f.m_column)] = typed;
    m_touched[size_t(f.m_column)] = true;
    m_modified = true;
    if (!controlsDisabled()) {
        emit fieldChanged(&f);
        for (const auto &other : m_fields)
            if (other->m_kind == Field::Kind::Lookup &&
                other->m_keyField.compare(f.m_name, Qt::CaseInsensitive) == 0)
                emit fieldChanged(other.get());
    } else {
        m_pendingRecord = true;
    }
    if (onFieldChange)
        onFieldChange(f);
}

std::optional<QVariant> Dataset::lookupKeyOf(const QString &resultField, const QVariant &result,
                                             const QString &keyField)
{
    Field *rf = findField(resultField);
    Field *kf = findField(keyField);
    if (!rf || !kf || !isActive())
        return std::nullopt;
    for (int i = 0; i < m_count; ++i) {
        if (!m_rows[i])
            ensureRow(i);
        if (sameValue(fieldValueAt(i, *rf), result))
            return fieldValueAt(i, *kf);
    }
    return std::nullopt;
}

// ---------------------------------------------------------------------------------- editing

Field *Dataset::keyField() const
{
    const QString table = updateTable();
    const auto *t = SchemaCatalog::findTable(table);
    if (!t)
        return nullptr;
    for (const auto &c : t->columns)
        if (c.primaryKey)
            for (const auto &f : m_fields)
                if (f->m_kind == Field::Kind::Data && f->m_active &&
                    f->m_originTable.compare(table, Qt::CaseInsensitive) == 0 &&
                    f->m_originColumn.compare(QLatin1String(c.name), Qt::CaseInsensitive) == 0)
                    return f.get();
    return nullptr;
}

void Dataset::edit()
{
    requireActive();
    if (isEditing())
        return;
    if (m_count == 0) {
        insert();
        return;
    }
    requireModifiable();
    if (beforeEdit)
        beforeEdit(*this);
    ensureRow(m_current);
    m_buffer.assign(size_t(m_dataColumns), QVariant());
    for (const auto &f : m_fields)
        if (f->m_kind == Field::Kind::Data && f->m_active)
            m_buffer[size_t(f->m_column)] = fieldValueAt(m_current, *f);
    m_touched.assign(size_t(m_dataColumns), false);
    m_modified = false;
    m_state = State::Edit;
    if (!controlsDisabled())
        emit stateChanged(m_state);
    if (afterEdit)
        afterEdit(*this);
}

void Dataset::requireModifiable() const
{
    if (!canModify())
        throw DbError(QStringLiteral("The data cannot be modified here."), DbError::Kind::Usage);
}

void Dataset::insert()
{
    beginInsert();
    insertRowAt(m_current < 0 ? 0 : m_current);
}

void Dataset::append()
{
    beginInsert();
    insertRowAt(m_count);
}

void Dataset::beginInsert()
{
    requireActive();
    requireBrowse();
    requireModifiable();
    if (beforeInsert)
        beforeInsert(*this);
}

void Dataset::insertRowAt(int at)
{
    Row empty;
    empty.raw.assign(size_t(m_dataColumns), QVariant());
    m_rows.insert(at, std::make_unique<Row>(std::move(empty)));
    ++m_loaded;
    ++m_count;
    m_rowIndex.clear();   // the rows after it moved
    shiftCalcCache(at, +1);
    m_insertedAt = at;
    m_current = at;
    m_buffer.assign(size_t(m_dataColumns), QVariant());
    m_touched.assign(size_t(m_dataColumns), false);
    m_modified = false;
    m_state = State::Insert;
    // A new detail row starts with its master's values.
    Dataset *master = m_master ? m_master->dataset() : nullptr;
    if (master) {
        const QStringList names = [&] {
            QStringList n;
            if (!m_table.isEmpty())
                return m_masterFields;
            for (const Param &p : m_params)
                n << p.name;
            return n;
        }();
        for (const QString &name : names) {
            Field *mine = findField(name);
            if (mine && mine->m_kind == Field::Kind::Data && mine->m_active)
                m_buffer[size_t(mine->m_column)] = mine->convert(paramValue(name));
            if (mine && mine->m_kind == Field::Kind::Data && mine->m_active)
                m_touched[size_t(mine->m_column)] = true;
        }
    }
    if (!controlsDisabled())
        emit stateChanged(m_state);
    changed(true);
    if (afterInsert)
        afterInsert(*this);
    if (afterScroll)
        afterScroll(*this);
}

void Dataset::shiftCalcCache(int from, int by)
{
    if (m_calcCache.isEmpty())
        return;
    QHash<int, std::vector<QVariant>> shifted;
    for (auto it = m_calcCache.cbegin(); it != m_calcCache.cend(); ++it) {
        if (it.key() < from)
            shifted.insert(it.key(), it.value());
        else if (it.key() + by >= from && by > 0)
            shifted.insert(it.key() + by, it.value());
        else if (by < 0 && it.key() > from)
            shifted.insert(it.key() + by, it.value());
    }
    m_calcCache = shifted;
}

void Dataset::post()
{
    if (!isEditing())
        return;
    emit updateDataRequested();   // controls write what they hold, even while suspended
    if (beforePost)
        beforePost(*this);
    if (m_state == State::Insert)
        writeInsert();
    else if (m_modified)
        writeUpdate();
    m_state = State::Browse;
    m_insertedAt = -1;
    m_modified = false;
    m_calcCache.remove(m_current);
    clearLookupCaches();
    if (!controlsDisabled())
        emit stateChanged(m_state);
    changed(true);
    if (afterPost)
        afterPost(*this);
}

QString Dataset::originalsCondition(const Row &row, QVariantMap &params) const
{
    const QString table = updateTable();
    QStringList conditions;
    int n = 0;
    for (const auto &f : m_fields) {
        if (f->m_kind != Field::Kind::Data || !f->m_active ||
            f->m_originTable.compare(table, Qt::CaseInsensitive) != 0)
            continue;
        const QString param = QStringLiteral("vellomar_o%1").arg(n++);
        conditions << m_engine->sameValueCondition(m_engine->quoteName(f->m_originColumn), u':' + param,
                                                   f->m_type == FieldType::Text || f->m_type == FieldType::Memo);
        params.insert(param, row.raw[size_t(f->m_column)]);
    }
    return conditions.join(QStringLiteral(" AND "));
}

void Dataset::writeInsert()
{
    const QString table = updateTable();
    QStringList columns, values;
    QVariantMap params;
    int n = 0;
    for (const auto &f : m_fields) {
        if (f->m_kind != Field::Kind::Data || !f->m_active || f->m_alwaysReadOnly)
            continue;
        QVariant v = m_buffer[size_t(f->m_column)];
        if (v.isNull() && f->m_type == FieldType::Boolean)
            v = false;   // a yes/no column is never empty
        m_buffer[size_t(f->m_column)] = v;
        const QString param = QStringLiteral("vellomar_v%1").arg(n++);
        columns << m_engine->quoteName(f->m_originColumn);
        values << u':' + param;
        params.insert(param, m_engine->toEngine(v));
    }
    const QString sql = columns.isEmpty()
                            ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(m_engine->quoteName(table))
                            : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                  .arg(m_engine->quoteName(table), columns.join(QStringLiteral(", ")),
                                       values.join(QStringLiteral(", ")));
    QSqlQuery q = m_engine->run(sql, params);
    ++m_statements;
    if (Field *key = keyField(); key && key->m_alwaysReadOnly)
        m_buffer[size_t(key->m_column)] = m_engine->lastInsertId(q).toInt();
    q.finish();
    Row &row = *m_rows[m_current];
    for (const auto &f : m_fields)
        if (f->m_kind == Field::Kind::Data && f->m_active)
            row.raw[size_t(f->m_column)] = m_engine->toEngine(m_buffer[size_t(f->m_column)]);
}

void Dataset::writeUpdate()
{
    const QString table = updateTable();
    Row &row = *m_rows[m_current];
    QStringList sets;
    QVariantMap params;
    int n = 0;
    for (const auto &f : m_fields) {
        if (f->m_kind != Field::Kind::Data || !f->m_active || f->m_alwaysReadOnly ||
            !m_touched[size_t(f->m_column)])
            continue;
        const QString param = QStringLiteral("vellomar_s%1").arg(n++);
        sets << QStringLiteral("%1 = :%2").arg(m_engine->quoteName(f->m_originColumn), param);
        params.insert(param, m_engine->toEngine(m_buffer[size_t(f->m_column)]));
    }
    if (sets.isEmpty())
        return;
    const QString where = originalsCondition(row, params);
    QSqlQuery q = m_engine->run(QStringLiteral("UPDATE %1 SET %2 WHERE %3")
                                    .arg(m_engine->quoteName(table), sets.join(QStringLiteral(", ")), where),
                                params);
    ++m_statements;
    const int affected = q.numRowsAffected();
    q.finish();
    if (affected == 0)
        conflict(row);
    for (const auto &f : m_fields)
        if (f->m_kind == Field::Kind::Data && f->m_active && m_touched[size_t(f->m_column)])
            row.raw[size_t(f->m_column)] = m_engine->toEngine(m_buffer[size_t(f->m_column)]);
}

void Dataset::conflict(const Row &row)
{
    Field *key = keyField();
    bool exists = true;
    if (key) {
        QSqlQuery q = m_engine->run(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2 = :vellomar_k")
                                        .arg(m_engine->quoteName(updateTable()),
                                             m_engine->quoteName(key->m_originColumn)),
                                    {{QStringLiteral("vellomar_k"), row.raw[size_t(key->m_column)]}});
        exists = q.next() && q.value(0).toInt() > 0;
        q.finish();
    }
    if (!exists)
        throw DbError(QStringLiteral("Another user deleted this record after you read it: nothing was "
                                     "saved. Refresh the data to see the current records."),
                      DbError::Kind::Conflict);
    throw DbError(QStringLiteral("Another user changed this record after you read it: your changes "
                                 "were not saved. Refresh the data to see the current values, then "
                                 "make your changes again."),
                  DbError::Kind::Conflict);
}

void Dataset::cancel()
{
    if (!isEditing())
        return;
    if (beforeCancel)
        beforeCancel(*this);
    if (m_state == State::Insert) {
        m_rows.erase(m_insertedAt);
        --m_loaded;
        m_rowIndex.clear();
        --m_count;
        shiftCalcCache(m_insertedAt, -1);
        m_current = m_count == 0 ? -1 : std::min(m_insertedAt, m_count - 1);
        m_insertedAt = -1;
    }
    m_state = State::Browse;
    m_modified = false;
    m_buffer.clear();
    m_touched.clear();
    if (!controlsDisabled())
        emit stateChanged(m_state);
    changed(true);
    if (afterCancel)
        afterCancel(*this);
}

void Dataset::cancelUpdates() { cancel(); }

void Dataset::remove()
{
    requireActive();
    if (m_state == State::Insert) {
        cancel();
        return;
    }
    if (m_state == State::Edit)
        cancel();
    if (m_count == 0)
        throw DbError(QStringLiteral("There is no record to delete."), DbError::Kind::Usage);
    requireModifiable();
    if (beforeDelete && !beforeDelete(*this))
        return;
    try {
        ensureRow(m_current);
        const Row &row = *m_rows[m_current];
        QVariantMap params;
        const QString where = originalsCondition(row, params);
        QSqlQuery q = m_engine->run(QStringLiteral("DELETE FROM %1 WHERE %2")
                                        .arg(m_engine->quoteName(updateTable()), where),
                                    params);
        ++m_statements;
        const int affected = q.numRowsAffected();
        q.finish();
        if (affected == 0)
            conflict(row);
    } catch (const DbError &e) {
        const DeleteErrorAction action = onDeleteError ? onDeleteError(*this, e) : DeleteErrorAction::Fail;
        if (action == DeleteErrorAction::Fail)
            throw;
        return;
    }
    m_rows.erase(m_current);
    --m_loaded;
    --m_count;
    shiftCalcCache(m_current, -1);
    m_calcCache.remove(m_current);
    clearLookupCaches();
    if (m_current >= m_count)
        m_current = m_count - 1;
    m_bof = m_current <= 0;
    m_eof = m_count == 0 || m_current == m_count - 1;
    if (m_current >= 0)
        ensureRow(m_current);
    changed(true);
    if (afterDelete)
        afterDelete(*this);
    if (afterScroll)
        afterScroll(*this);
}

// ----------------------------------------------------------------------------- notification

void Dataset::changed(bool rows)
{
    if (controlsDisabled()) {
        m_pendingRows = m_pendingRows || rows;
        m_pendingRecord = true;
        return;
    }
    if (rows)
        emit dataSetChanged();
    emit recordChanged();
}

void Dataset::disableControls() { ++m_disabled; }

void Dataset::enableControls()
{
    if (m_disabled == 0)
        return;
    if (--m_disabled > 0)
        return;
    const bool rows = m_pendingRows;
    const bool record = m_pendingRecord;
    m_pendingRows = m_pendingRecord = false;
    if (rows) {
        emit activeChanged(isActive());
        emit stateChanged(m_state);
        emit dataSetChanged();
    }
    if (rows || record)
        emit recordChanged();
}
