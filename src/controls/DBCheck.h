#pragma once

#include "DataSource.h"

#include <QCheckBox>

class Field;

// A tick box over a yes/no field of the current record. Ticking it (mouse or Space) puts the
// dataset into Edit state and writes the new value at once; an empty field shows unticked.
class DBCheck : public QCheckBox
{
    Q_OBJECT
public:
    explicit DBCheck(QWidget *parent = nullptr);
    explicit DBCheck(const QString &text, QWidget *parent = nullptr);

    DataSource *dataSource() const { return m_link.dataSource(); }
    void setDataSource(DataSource *source);
    QString dataField() const { return m_link.fieldName(); }
    // Also names the control for assistive technology unless it has a caption or a name of its
    // own.
    void setDataField(const QString &name);
    bool isDataReadOnly() const { return m_link.isReadOnly(); }
    void setDataReadOnly(bool readOnly);

    FieldDataLink &link() { return m_link; }
    Field *field() const { return m_link.field(); }

signals:
    void writeFailed(const QString &message);

protected:
    void nextCheckState() override;

private:
    void init();
    void showField();
    void updateEditability();

    FieldDataLink m_link;
};
