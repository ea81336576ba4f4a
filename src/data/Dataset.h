#pragma once

#include "DbError.h"
#include "Engine.h"
#include "Field.h"
#include "RowTable.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class DataSource;

// A client-side snapshot of a query, a table or a saved query, with a current row.
//
// Rows are read in blocks of 50 as the cursor or a view needs them, each block by a short
// statement of its own: no statement stays open between two calls. A small result is read
// whole when opened; a large one gets its exact record count from a COUNT query and is read
// block by block, with the key closing its order so that every block sees the rows in one order.
// locate() on a large result counts the rows that sort before the one it finds. Rows once read
// stay as read until requery() or refresh().
//
// Editing works on one row at a time: post() writes it with one INSERT or UPDATE on the update
// table by its key. An UPDATE or DELETE also checks that the row still holds the values it was
// read with, so a change another workstation made meanwhile is never overwritten.
class Dataset : public QObject
{
    Q_OBJECT
public:
    enum class State { Inactive, Browse, Edit, Insert };
    enum class DeleteErrorAction { Fail, Abort };   // Fail: the error goes on to the caller

    static constexpr int kBlockRows = 50;
    static constexpr int kWholeReadRows = 250;      // results up to this size are read whole

    struct Param
    {
        QString name;
        FieldType type = FieldType::Text;
        bool typed = false;         // declared by the owner rather than taken from the text
        QVariant value;
    };

    explicit Dataset(Engine *engine, QObject *parent = nullptr);
    ~Dataset() override;

    Engine *engine() const { return m_engine; }
    void setEngine(Engine *engine);

    // --- source: one of a statement, a table or a saved query -----------------------------
    void setSql(const QString &jetSql);
    QString sql() const { return m_sql; }
    void setTableName(const QString &table);
    QString tableName() const { return m_table; }
    void setIndexName(const QString &index);        // a table sorted by that index's columns
    void setSortField(const QString &field, bool ascending = true);   // a table sorted on one column
    void setSavedQueryName(const QString &name);
    QString savedQueryName() const { return m_savedQuery; }
    // The table that post() and remove() write; found from the statement when not set.
    void setUpdateTable(const QString &table) { m_updateTableSet = table; }
    QString updateTable() const;
    bool isReadOnly() const { return m_readOnly; }
    void setReadOnly(bool readOnly) { m_readOnly = readOnly; }
    bool canModify() const;

    // --- parameters ------------------------------------------------------------------------
    // With scanning on (the default), ":Name" in the statement declares a parameter (the
    // colons of date and time literals never do). With it off, nothing is taken from the text.
    void setParamScanning(bool on);
    bool paramScanning() const { return m_paramScanning; }
    const std::vector<Param> &params() const { return m_params; }
    void clearParams() { m_params.clear(); }
    void addParam(const QString &name, FieldType type);
    void setParamValue(const QString &name, const QVariant &value);   // throws for an unknown name
    QVariant paramValue(const QString &name) const;

    // --- master and detail -----------------------------------------------------------------
    // A query detail takes each parameter from the master's field of the same name; a table
    // detail keeps the rows whose master fields equal the master's. It re-queries whenever the
    // master's current row changes, and a new row starts with the master's values.
    void setMasterSource(DataSource *master);
    DataSource *masterSource() const;
    void setMasterFields(const QStringList &fields) { m_masterFields = fields; }

    // --- lifecycle ---------------------------------------------------------------------------
    void open();
    void close();
    bool isActive() const { return m_state != State::Inactive; }
    State state() const { return m_state; }
    bool isEditing() const { return m_state == State::Edit || m_state == State::Insert; }
    void requery();     // re-run; lands on the first row
    void refresh();     // re-read; keeps the current row (by key when there is one)

    // --- cursor ------------------------------------------------------------------------------
    void first();
    void prior();
    void next();
    void last();
    void moveBy(int rows);
    bool bof() const { return m_bof; }
    bool eof() const { return m_eof; }
    int recNo() const;              // 1-based; 0 when empty or inserting a row not yet posted
    void setRecNo(int recNo);
    int recordCount() const { return m_count; }
    bool isEmpty() const { return m_count == 0; }
    int currentIndex() const { return m_current; }    // 0-based, -1 when empty
    // Exact match of one field; on failure the cursor does not move.
    bool locate(const QString &fieldName, const QVariant &value);

    // --- editing -----------------------------------------------------------------------------
    void edit();
    void insert();      // a new row at the cursor
    void append();      // a new row at the end
    void post();
    void cancel();
    void remove();
    void cancelUpdates();
    bool isModified() const { return m_modified; }

    // --- fields ------------------------------------------------------------------------------
    const std::vector<std::unique_ptr<Field>> &fields() const { return m_fields; }
    Field *findField(const QString &name) const;    // nullptr when there is none
    Field &field(const QString &name) const;        // throws DbError when there is none
    Field &addLookupField(const QString &name, const QString &keyField, Dataset *lookup,
                          const QString &lookupKeyField, const QString &lookupResultField,
                          int size = 0, bool editable = false);
    Field &addCalculatedField(const QString &name, FieldType type, int size = 0);

    // Values of any row without moving the cursor (grids); the current row's pending edits
    // show at the current index. Reads the row's block when it is not yet read.
    QVariant valueAt(int row, const Field &field);
    QString displayTextAt(int row, const Field &field);

    // Rows already read, for lookups and tests.
    bool isRowLoaded(int row) const;
    int loadedRowCount() const;

    // --- events ----------------------------------------------------------------------------
    std::function<void(Dataset &)> afterOpen, afterClose, afterScroll, beforeInsert, afterInsert,
        beforeEdit, afterEdit, beforePost, afterPost, beforeCancel, afterCancel, afterDelete,
        onCalcFields;
    std::function<bool(Dataset &)> beforeDelete;     // false abandons the delete silently
    std::function<DeleteErrorAction(Dataset &, const DbError &)> onDeleteError;
    std::function<void(Field &)> onFieldChange;

    // Bound controls stop following the dataset until the matching enableControls().
    void disableControls();
    void enableControls();
    bool controlsDisabled() const { return m_disabled > 0; }

    // Statements run since construction, for tests of the reading strategy.
    int statementCount() const { return m_statements; }

signals:
    void activeChanged(bool active);
    void stateChanged(Dataset::State state);
    void recordChanged();               // the cursor moved, or the current row was re-read
    void dataSetChanged();              // rows were re-read, added or removed
    void fieldChanged(Field *field);    // a value of the current row changed while editing
    void updateDataRequested();         // controls: write what you hold, a post follows

private:
    friend class Field;
    struct Row
    {
        std::vector<QVariant> raw;      // as the engine gave them, the originals of an update
    };
    // Rows read so far, by the value of one key column: built once when a lookup first needs it,
    // then kept up to date as blocks are read, dropped when rows move or are re-read.
    struct RowIndex
    {
        QHash<QString, int> rows;       // key value -> row holding it
        const Field *field = nullptr;
    };
    void indexRow(RowIndex &index, int row) const;

    void clearSource();                 // closes and forgets the statement, table or saved query
    QString selectSql() const;          // the engine's statement for the current source
    QVariantMap bindings() const;
    void readFirst();
    void refineTypes();
    void ensureRow(int row);
    void readBlock(int block);
    void fetchInto(int offset, int limit, bool describe);
    void storeRow(int row, std::vector<QVariant> raw);
    void buildFields(const std::vector<Engine::ColumnInfo> &columns);
    void setCurrent(int row, bool notify = true);
    void changed(bool rows);
    void requireActive() const;
    void requireBrowse();               // posts a pending change, or cancels an untouched one
    void takeParamsFromText();
    void applyMasterValues();
    void masterMoved();
    void requireModifiable() const;
    void beginInsert();                 // the checks and the event every new row starts with
    void insertRowAt(int at);
    void shiftCalcCache(int from, int by);
    std::optional<int> findRow(const Field &f, const QVariant &typedValue);
    std::optional<int> findRowByOrder(const Field &f, const QVariant &typedValue);
    std::optional<int> findRowByNumber(const Field &f, const QVariant &typedValue);

    // The order of a statement's rows in terms of its result columns: the columns its ORDER BY
    // names, then the key column when they lack it. Worked out when a statement first gives a
    // large result; later runs of the same statement read in that order from their first row.
    struct Ordering
    {
        struct Term
        {
            QString name;           // of the result column, as the engine writes it
            int column = 0;
            bool descending = false;
        };
        QString statement;          // as the source gives it
        QString native;             // what every read runs: the key added to the ORDER BY
        std::vector<Term> terms;    // empty: an order the dataset cannot read
    };
    Ordering orderingOf(const QString &statement) const;
    const Field *resultField(const QString &table, const QString &column) const;
    void useStatement(const QString &statement);
    QVariant typedFromRaw(const Field &f, const QVariant &raw) const;
    QVariant fieldValue(const Field &f) const;
    QVariant fieldValueAt(int row, const Field &f);
    void setFieldValue(Field &f, const QVariant &value);
    QVariant lookupValue(const Field &f, const QVariant &key);
    QVariant calculatedValue(int row, const Field &f);
    void writeInsert();
    void writeUpdate();
    QString originalsCondition(const Row &row, QVariantMap &params) const;
    Field *keyField() const;
    [[noreturn]] void conflict(const Row &row);
    void clearLookupCaches();
    // This dataset as a lookup list: the row whose key field holds the key.
    std::optional<std::vector<QVariant>> lookupRow(const QString &keyField, const QVariant &key);
    std::optional<QVariant> lookupResult(const QString &keyField, const QVariant &key,
                                         const QString &resultField);
    std::optional<QVariant> lookupKeyOf(const QString &resultField, const QVariant &result,
                                        const QString &keyField);

    Engine *m_engine;
    QString m_sql;
    QString m_table;
    QString m_indexName;
    QString m_sortField;
    bool m_sortAscending = true;
    QString m_savedQuery;
    QString m_updateTableSet;
    QString m_updateTableFound;
    QString m_native;                   // the statement of the current open, translated
    Ordering m_ordering;                // of the last statement that gave a large result
    bool m_readOnly = false;
    bool m_paramScanning = true;
    std::vector<Param> m_params;
    QPointer<DataSource> m_master;
    QStringList m_masterFields;
    QMetaObject::Connection m_masterConnection[3];

    State m_state = State::Inactive;
    std::vector<std::unique_ptr<Field>> m_fields;
    int m_dataColumns = 0;
    RowTable<Row, kBlockRows> m_rows;   // null: not read yet
    int m_count = 0;
    int m_current = -1;
    bool m_bof = true;
    bool m_eof = true;
    int m_generation = 0;
    int m_lastFetched = 0;
    int m_loaded = 0;                   // rows read (or inserted) so far

    // the row being edited or inserted
    std::vector<QVariant> m_buffer;     // typed values of the data fields
    std::vector<bool> m_touched;
    bool m_modified = false;
    int m_insertedAt = -1;

    QHash<int, std::vector<QVariant>> m_calcCache;
    int m_calcRow = -1;                 // the row whose calculated fields are being worked out
    std::vector<QVariant> m_calcValues;
    QHash<QString, QHash<QString, std::optional<std::vector<QVariant>>>> m_lookupRows;
    QHash<QString, RowIndex> m_rowIndex;

    int m_disabled = 0;
    bool m_pendingRows = false;
    bool m_pendingRecord = false;
    bool m_inMasterRequery = false;
    bool m_displayOnly = false;         // telling controls that looked-up values changed
    int m_statements = 0;
};
