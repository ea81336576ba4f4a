#pragma once

#include "DataSource.h"

#include <QLabel>

class Field;

// A display-only view of one field of the current record: its display text on white.
class DBText : public QLabel
{
    Q_OBJECT
public:
    explicit DBText(QWidget *parent = nullptr);

    DataSource *dataSource() const { return m_link.dataSource(); }
    void setDataSource(DataSource *source);
    QString dataField() const { return m_link.fieldName(); }
    // Also names the control for assistive technology unless it was given a name of its own.
    void setDataField(const QString &name);

    FieldDataLink &link() { return m_link; }
    Field *field() const { return m_link.field(); }

private:
    void showField();

    FieldDataLink m_link;
};
