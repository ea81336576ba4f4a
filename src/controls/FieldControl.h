#pragma once

#include "DataSource.h"

class Field;
class QWidget;

// What every data-aware control bound to one field of the current record has in common: the link
// to its data source and field, the binding properties, and the accessible name taken from the
// field's name.
//
// A control derives from its widget class first and from this second. The link's changes (another
// record, value or state) and every rebinding call followField(); a change of the read-only
// property calls updateEditability().
class FieldControl
{
public:
    FieldControl(const FieldControl &) = delete;
    FieldControl &operator=(const FieldControl &) = delete;

    DataSource *dataSource() const { return m_link.dataSource(); }
    void setDataSource(DataSource *source);
    QString dataField() const { return m_link.fieldName(); }
    // Also names the control for assistive technology unless it was given a name of its own.
    void setDataField(const QString &name);
    bool isDataReadOnly() const { return m_link.isReadOnly(); }
    void setDataReadOnly(bool readOnly);

    FieldDataLink &link() { return m_link; }
    Field *field() const { return m_link.field(); }

protected:
    // control is the widget deriving from this; it is only stored here.
    explicit FieldControl(QWidget *control);
    virtual ~FieldControl() = default;

    // Show the field's value (and whether it may be changed) again.
    virtual void followField() = 0;
    virtual void updateEditability() {}
    // A caption of the control's own counts as its name for assistive technology.
    virtual bool hasCaption() const { return false; }

    FieldDataLink m_link;

private:
    QWidget *m_control;
};
