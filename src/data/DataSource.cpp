#include "DataSource.h"

DataSource::DataSource(Dataset *dataset, QObject *parent) : QObject(parent) { setDataset(dataset); }

void DataSource::setDataset(Dataset *dataset)
{
    for (const auto &c : std::as_const(m_connections))
        disconnect(c);
    m_connections.clear();
    m_dataset = dataset;
    if (dataset) {
        m_connections << connect(dataset, &Dataset::activeChanged, this, [this](bool a) {
            if (m_enabled)
                emit activeChanged(a);
        });
        m_connections << connect(dataset, &Dataset::stateChanged, this, [this](Dataset::State s) {
            if (m_enabled)
                emit stateChanged(s);
        });
        m_connections << connect(dataset, &Dataset::recordChanged, this, [this] {
            if (m_enabled)
                emit recordChanged();
        });
        m_connections << connect(dataset, &Dataset::dataSetChanged, this, [this] {
            if (m_enabled)
                emit dataSetChanged();
        });
        m_connections << connect(dataset, &Dataset::fieldChanged, this, [this](Field *f) {
            if (m_enabled)
                emit fieldChanged(f);
        });
        m_connections << connect(dataset, &Dataset::updateDataRequested, this, [this] {
            if (m_enabled)
                emit updateDataRequested();
        });
        m_connections << connect(dataset, &QObject::destroyed, this, [this] { setDataset(nullptr); });
    }
    emit datasetChanged();
}

void DataSource::setEnabled(bool enabled)
{
    if (m_enabled == enabled)
        return;
    m_enabled = enabled;
    emit datasetChanged();
}

Dataset::State DataSource::state() const
{
    return m_dataset && m_enabled ? m_dataset->state() : Dataset::State::Inactive;
}

FieldDataLink::FieldDataLink(QObject *parent) : QObject(parent) {}

void FieldDataLink::setDataSource(DataSource *source)
{
    m_source = source;
    rebind();
}

void FieldDataLink::setFieldName(const QString &name)
{
    m_fieldName = name;
    m_modified = false;
    emit activeChange();
    emit dataChange();
}

void FieldDataLink::rebind()
{
    for (const auto &c : std::as_const(m_connections))
        disconnect(c);
    m_connections.clear();
    m_modified = false;
    if (m_source) {
        auto all = [this] {
            m_modified = false;
            emit activeChange();
            emit dataChange();
        };
        m_connections << connect(m_source, &DataSource::datasetChanged, this, all);
        m_connections << connect(m_source, &DataSource::activeChanged, this, all);
        m_connections << connect(m_source, &DataSource::recordChanged, this, [this] {
            m_modified = false;
            emit dataChange();
        });
        m_connections << connect(m_source, &DataSource::dataSetChanged, this, [this] {
            m_modified = false;
            emit dataChange();
        });
        m_connections << connect(m_source, &DataSource::fieldChanged, this, [this](Field *f) {
            if (f && f == field()) {
                m_modified = false;
                emit dataChange();
            }
        });
        m_connections << connect(m_source, &DataSource::stateChanged, this, [this] {
            if (!isEditing())
                m_modified = false;
            emit editingChange();
            emit dataChange();
        });
        m_connections << connect(m_source, &DataSource::updateDataRequested, this, [this] {
            if (m_modified)
                emit updateData();
            m_modified = false;
        });
        m_connections << connect(m_source, &QObject::destroyed, this, [this] { setDataSource(nullptr); });
    }
    emit activeChange();
    emit dataChange();
}

Dataset *FieldDataLink::dataset() const
{
    return m_source && m_source->isEnabled() ? m_source->dataset() : nullptr;
}

Field *FieldDataLink::field() const
{
    Dataset *d = dataset();
    if (!d || !d->isActive() || m_fieldName.isEmpty())
        return nullptr;
    Field *f = d->findField(m_fieldName);
    return f && f->isActive() ? f : nullptr;
}

bool FieldDataLink::isActive() const { return field() != nullptr; }

bool FieldDataLink::isEditing() const
{
    Dataset *d = dataset();
    return d && d->isEditing();
}

bool FieldDataLink::canModify() const
{
    Field *f = field();
    return !m_readOnly && f && f->canModify();
}

bool FieldDataLink::edit()
{
    Dataset *d = dataset();
    if (!d || !canModify())
        return false;
    if (!d->isEditing() && m_source->autoEdit())
        d->edit();
    return d->isEditing();
}

void FieldDataLink::reset()
{
    m_modified = false;
    emit dataChange();
}
