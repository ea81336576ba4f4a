#pragma once

#include "SchemaCatalog.h"

#include <QDateTime>
#include <QString>
#include <QVariant>

class Dataset;

enum class FieldType { Integer, Float, Boolean, DateTime, Text, Memo };

// One column of a dataset, seen at the dataset's current row (or, for the calculation of
// calculated fields, at the row being calculated). Fields are found by name without regard to
// letter case and live as long as their dataset; a field that a changed statement no longer
// returns keeps existing, inactive, so that no one holds a dangling pointer.
class Field
{
public:
    enum class Kind { Data, Lookup, Calculated };

    QString name() const { return m_name; }
    Kind kind() const { return m_kind; }
    FieldType type() const { return m_type; }
    int size() const { return m_size; }             // characters, 0 when unbounded
    int index() const { return m_index; }
    Dataset &dataset() const { return *m_dataset; }
    bool isActive() const { return m_active; }     // returned by the dataset's current statement

    // Read-only: set by the owner, and always for auto-numbers, expressions, joined columns and
    // (unless editable) lookups.
    bool isReadOnly() const;
    void setReadOnly(bool readOnly) { m_readOnly = readOnly; }
    bool canModify() const;

    QString displayLabel() const { return m_label.isEmpty() ? m_name : m_label; }
    void setDisplayLabel(const QString &label) { m_label = label; }
    // A date-time format in the "dd/mm/yyyy hh:nn:ss" notation (mm after hh is minutes; nn is
    // always minutes), or a number format such as "0.00".
    QString displayFormat() const { return m_displayFormat; }
    void setDisplayFormat(const QString &format) { m_displayFormat = format; }
    int displayWidth() const { return m_displayWidth; }   // characters
    void setDisplayWidth(int chars) { m_displayWidth = chars; }
    bool isVisible() const { return m_visible; }
    void setVisible(bool visible) { m_visible = visible; }

    // Where a data field comes from; empty for an expression.
    QString originTable() const { return m_originTable; }
    QString originColumn() const { return m_originColumn; }

    // Lookup fields: the key field of this dataset, the list to look in, its key and result
    // columns; an editable lookup writes the chosen key into the key field.
    QString keyFieldName() const { return m_keyField; }
    Dataset *lookupDataset() const { return m_lookupDataset; }
    QString lookupKeyField() const { return m_lookupKeyField; }
    QString lookupResultField() const { return m_lookupResultField; }
    bool isEditableLookup() const { return m_editableLookup; }

    // Values of the current row.
    QVariant value() const;
    bool isNull() const { return value().isNull(); }
    int asInteger() const;
    double asFloat() const;
    bool asBoolean() const;
    QDateTime asDateTime() const;
    QString asString() const;       // plain text of the value, empty for null
    QString displayText() const;    // formatted with displayFormat

    // Changing a value needs the dataset in Edit or Insert state (or a calculation in progress
    // for calculated fields). A value of the wrong type or an over-long text is refused with a
    // clear DbError naming the field, and the field keeps its value.
    void setValue(const QVariant &value);
    void clear() { setValue(QVariant()); }
    // An editable lookup: the lookup list's row with this key becomes the chosen one.
    void setLookupKey(const QVariant &key);

    // Converts a value to this field's type; throws DbError when it cannot.
    QVariant convert(const QVariant &value) const;
    // The text of a value as this field displays it.
    QString formatValue(const QVariant &value) const;

private:
    friend class Dataset;
    Field(Dataset *dataset, const QString &name, Kind kind, FieldType type, int size);

    Dataset *m_dataset;
    QString m_name;
    Kind m_kind;
    FieldType m_type;
    int m_size;
    int m_index = -1;
    bool m_active = true;
    bool m_readOnly = false;
    bool m_alwaysReadOnly = false;
    QString m_label;
    QString m_displayFormat;
    int m_displayWidth = 0;
    bool m_visible = true;
    QString m_originTable;
    QString m_originColumn;
    int m_column = -1;   // position in the stored row, for data fields
    bool m_typeKnown = true;
    SchemaCatalog::ColumnType m_columnType = SchemaCatalog::ColumnType::Text;
    QString m_keyField;
    Dataset *m_lookupDataset = nullptr;
    QString m_lookupKeyField;
    QString m_lookupResultField;
    bool m_editableLookup = false;
};

// "dd/mm/yyyy hh:nn:ss" -> the Qt form "dd/MM/yyyy HH:mm:ss".
QString qtDateTimeFormat(const QString &format);
