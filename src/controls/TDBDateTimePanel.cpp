#include "TDBDateTimePanel.h"

#include <algorithm>

#include "DataSource.h"
#include "Dataset.h"
#include "DbError.h"
#include "Field.h"

#include <QDateEdit>
#include <QPalette>
#include <QResizeEvent>
#include <QSignalBlocker>
#include <QTimeEdit>
#include <cmath>

namespace {

constexpr qint64 kMsecsPerDay = 24 * 60 * 60 * 1000;

// Stops the panel reacting to data changes while it writes its own value into the field;
// reactions resume however the write ends.
class DataChangeSuspension
{
public:
    explicit DataChangeSuspension(int &counter) : m_counter(counter) { ++m_counter; }
    ~DataChangeSuspension() { --m_counter; }
    DataChangeSuspension(const DataChangeSuspension &) = delete;
    DataChangeSuspension &operator=(const DataChangeSuspension &) = delete;

private:
    int &m_counter;
};

void paintBase(QWidget *widget, const QColor &color)
{
    QPalette p = widget->palette();
    p.setColor(QPalette::Base, color);
    widget->setPalette(p);
}

} // namespace

TDBDateTimePanel::TDBDateTimePanel(QWidget *parent)
    : QWidget(parent), m_link(new FieldDataLink(this)), m_date(new QDateEdit(this)),
      m_time(new QTimeEdit(this))
{
    m_date->setCalendarPopup(true);
    m_date->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    m_date->setAccessibleName(tr("Date"));
    m_time->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    m_time->setAccessibleName(tr("Time"));
    setFocusProxy(m_date);
    setColor(m_color);
    showValue(now());
    layoutPickers();

    connect(m_date, &QDateEdit::dateChanged, this, &TDBDateTimePanel::datePicked);
    connect(m_time, &QTimeEdit::timeChanged, this, &TDBDateTimePanel::timePicked);
    connect(m_link, &FieldDataLink::dataChange, this, &TDBDateTimePanel::dataChange);
    connect(m_link, &FieldDataLink::activeChange, this, &TDBDateTimePanel::dataChange);
}

TDBDateTimePanel::~TDBDateTimePanel() = default;

void TDBDateTimePanel::setDataField(const QString &name)
{
    m_link->setFieldName(name);
    m_fieldName = name;
    dataChange();
}

DataSource *TDBDateTimePanel::dataSource() const
{
    return m_link->dataSource();
}

void TDBDateTimePanel::setDataSource(DataSource *source)
{
    m_link->setDataSource(source);
    dataChange();
}

bool TDBDateTimePanel::isReadOnly() const
{
    return m_link->isReadOnly();
}

void TDBDateTimePanel::setReadOnly(bool readOnly)
{
    m_link->setReadOnly(readOnly);
}

void TDBDateTimePanel::setColor(const QColor &color)
{
    m_color = color;
    paintBase(m_date, color);
    paintBase(m_time, color);
}

void TDBDateTimePanel::SetDefaultOffset(double days)
{
    m_defaultOffset = days;
}

void TDBDateTimePanel::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    layoutPickers();
}

QSize TDBDateTimePanel::sizeHint() const
{
    const QSize d = m_date->sizeHint();
    const QSize t = m_time->sizeHint();
    return QSize(2 * std::max(d.width(), t.width()) + 2, std::max(d.height(), t.height()));
}

QSize TDBDateTimePanel::minimumSizeHint() const
{
    const QSize d = m_date->minimumSizeHint();
    const QSize t = m_time->minimumSizeHint();
    return QSize(2 * std::max(d.width(), t.width()) + 2, std::max(d.height(), t.height()));
}

void TDBDateTimePanel::layoutPickers()
{
    const int pickerWidth = width() / 2 - 1;
    m_date->setGeometry(0, 0, pickerWidth, height());
    m_time->setGeometry(width() - pickerWidth, 0, pickerWidth, height());
}

QDateTime TDBDateTimePanel::proposal() const
{
    // Whole days move the calendar date and keep the clock time; the rest is time of day.
    const double wholeDays = std::floor(m_defaultOffset);
    const qint64 msecs = std::llround((m_defaultOffset - wholeDays) * double(kMsecsPerDay));
    return now().addDays(qint64(wholeDays)).addMSecs(msecs);
}

void TDBDateTimePanel::showValue(const QDateTime &value)
{
    const QSignalBlocker dateBlocker(m_date);
    const QSignalBlocker timeBlocker(m_time);
    m_date->setDateTime(value);
    m_time->setDateTime(value);
}

void TDBDateTimePanel::dataChange()
{
    if (m_dataChangeSuspended > 0)
        return;
    Field *f = m_link->field();
    if (!f)
        return;
    if (!f->isNull()) {
        m_dateTime = f->asDateTime();
        showValue(m_dateTime);
        return;
    }
    m_dateTime = proposal();
    showValue(m_dateTime);
    // A record being edited or inserted takes the proposal at once; setting it is a data change
    // of its own, which then finds the field filled.
    if (!f->dataset().isEditing() || m_proposing)
        return;
    m_proposing = true;
    try {
        f->setValue(m_dateTime);
    } catch (const DbError &e) {
        m_proposing = false;
        emit writeFailed(e.message());
        return;
    }
    m_proposing = false;
}

void TDBDateTimePanel::datePicked()
{
    // The date picker keeps the time of day last shown in it, which is DateTime's.
    const QDate date = m_date->date();
    m_dateTime = m_dateTime.isValid() ? QDateTime(date, m_dateTime.time()) : m_date->dateTime();
    {
        const QSignalBlocker blocker(m_time);
        m_time->setDateTime(m_dateTime);
    }
    write();
}

void TDBDateTimePanel::timePicked()
{
    const QTime time = m_time->time();
    m_dateTime = m_dateTime.isValid() ? QDateTime(m_dateTime.date(), time) : m_time->dateTime();
    {
        const QSignalBlocker blocker(m_date);
        m_date->setDateTime(m_dateTime);
    }
    write();
}

void TDBDateTimePanel::write()
{
    if (!m_link->field())
        return;
    m_fieldName = m_link->fieldName();
    QString failure;
    {
        const DataChangeSuspension suspension(m_dataChangeSuspended);
        try {
            m_link->edit();
            Field *f = m_link->field();
            if (!f)
                throw DbError(tr("Field '%1' not found").arg(m_fieldName), DbError::Kind::Usage);
            f->setValue(m_dateTime);
            return;
        } catch (const DbError &e) {
            failure = e.message();
        }
    }
    emit writeFailed(failure);
    // The panel goes on following the record: show what the field holds.
    dataChange();
}
