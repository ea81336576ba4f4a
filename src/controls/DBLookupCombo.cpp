#include "DBLookupCombo.h"

#include "ControlColors.h"
#include "Dataset.h"
#include "Field.h"
#include "WriteRefusal.h"

#include <QKeyEvent>
#include <QWheelEvent>

namespace {

// Keys read from different columns may come as int, long long or double.
bool sameKey(const QVariant &a, const QVariant &b)
{
    if (a.isNull() || b.isNull())
        return false;
    bool numberA = false;
    bool numberB = false;
    const double da = a.toDouble(&numberA);
    const double db = b.toDouble(&numberB);
    if (numberA && numberB)
        return da == db;
    return a.toString() == b.toString();
}

bool isNoKey(const QVariant &key)
{
    if (key.isNull())
        return true;
    bool number = false;
    const double value = key.toDouble(&number);
    return number && value == -1;
}

} // namespace

DBLookupCombo::DBLookupCombo(QWidget *parent) : QComboBox(parent), FieldControl(this)
{
    setEditable(false);
    setInsertPolicy(QComboBox::NoInsert);
    connect(this, &QComboBox::activated, this, &DBLookupCombo::choose);
    followField();
}

void DBLookupCombo::followField()
{
    showField();
    updateEditability();
}

void DBLookupCombo::setListSource(DataSource *source)
{
    for (const auto &c : std::as_const(m_listConnections))
        disconnect(c);
    m_listConnections.clear();
    m_listSource = source;
    if (source) {
        m_listConnections << connect(source, &DataSource::datasetChanged, this,
                                     &DBLookupCombo::reloadList)
                          << connect(source, &DataSource::activeChanged, this,
                                     &DBLookupCombo::reloadList)
                          << connect(source, &DataSource::dataSetChanged, this,
                                     &DBLookupCombo::reloadList);
    }
    reloadList();
}

void DBLookupCombo::setKeyField(const QString &name)
{
    m_keyField = name;
    reloadList();
}

void DBLookupCombo::setListField(const QString &name)
{
    m_listField = name;
    reloadList();
}

void DBLookupCombo::reloadList()
{
    const QSignalBlocker quiet(this);
    clear();
    Dataset *list = m_listSource && m_listSource->isEnabled() ? m_listSource->dataset() : nullptr;
    if (list && list->isActive()) {
        const Field *key = list->findField(m_keyField);
        const Field *shown = list->findField(m_listField);
        if (key && shown) {
            for (int row = 0; row < list->recordCount(); ++row)
                addItem(list->displayTextAt(row, *shown), list->valueAt(row, *key));
        }
    }
    showField();
}

QVariant DBLookupCombo::currentKey() const
{
    const Field *f = field();
    if (!f)
        return {};
    if (f->kind() == Field::Kind::Lookup) {
        const Field *key = f->dataset().findField(f->keyFieldName());
        return key ? key->value() : QVariant();
    }
    return f->value();
}

void DBLookupCombo::showField()
{
    const QVariant key = currentKey();
    int index = -1;
    if (!isNoKey(key)) {
        for (int i = 0; i < count(); ++i) {
            if (sameKey(itemData(i), key)) {
                index = i;
                break;
            }
        }
    }
    if (currentIndex() != index) {
        const QSignalBlocker quiet(this);
        setCurrentIndex(index);
    }
}

bool DBLookupCombo::editable() const
{
    return m_link.canModify();
}

void DBLookupCombo::updateEditability()
{
    const bool can = editable();
    ControlColors::applyEditable(this, can);
    // A closed choose-only list is drawn in the button colour by most styles.
    QPalette p = palette();
    p.setColor(QPalette::Button, p.color(QPalette::Base));
    setPalette(p);
}

void DBLookupCombo::choose(int index)
{
    Field *f = field();
    if (!f || index < 0 || !editable()) {
        showField();
        return;
    }
    const QVariant key = itemData(index);
    const auto refusal = WriteRefusal::of([&] {
        if (!m_link.isEditing() && !m_link.edit())
            return;
        if (f->kind() == Field::Kind::Lookup)
            f->setLookupKey(key);
        else
            f->setValue(key);
    });
    showField();
    if (refusal)
        emit writeFailed(*refusal);
}

void DBLookupCombo::keyPressEvent(QKeyEvent *event)
{
    if (!editable()) {
        QWidget::keyPressEvent(event);   // Tab and Esc still move on
        return;
    }
    QComboBox::keyPressEvent(event);
}

void DBLookupCombo::wheelEvent(QWheelEvent *event)
{
    if (!editable()) {
        event->ignore();
        return;
    }
    QComboBox::wheelEvent(event);
}

void DBLookupCombo::showPopup()
{
    if (editable())
        QComboBox::showPopup();
}
