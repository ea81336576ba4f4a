#pragma once

#include <QColor>
#include <QDateTime>
#include <QString>
#include <QWidget>
#include <functional>

class DataSource;
class FieldDataLink;
class QDateEdit;
class QTimeEdit;

// Edits one date-time field of the current record with a date picker (left) and a time picker
// (right), each half the panel's width less one pixel.
//
// An empty field shows "now" plus DefaultOffset (in days, the fraction being the time of day);
// when the record is being edited or inserted that proposal is written into the field at once.
// Changing the date keeps the time and changing the time keeps the date; either change puts
// the dataset into Edit state through the link, when the link allows it, and sets the field.
class TDBDateTimePanel : public QWidget
{
    Q_OBJECT
    Q_MOC_INCLUDE("DataSource.h")
    Q_PROPERTY(QString DataField READ dataField WRITE setDataField)
    Q_PROPERTY(DataSource *DataSource READ dataSource WRITE setDataSource)
    Q_PROPERTY(bool ReadOnly READ isReadOnly WRITE setReadOnly)
    Q_PROPERTY(QColor Color READ color WRITE setColor)
    Q_PROPERTY(QDateTime DateTime READ dateTime)
    Q_PROPERTY(double DefaultOffset READ defaultOffset WRITE SetDefaultOffset)

public:
    explicit TDBDateTimePanel(QWidget *parent = nullptr);
    ~TDBDateTimePanel() override;

    QString dataField() const { return m_fieldName; }
    void setDataField(const QString &name);
    DataSource *dataSource() const;
    void setDataSource(DataSource *source);
    bool isReadOnly() const;
    void setReadOnly(bool readOnly);
    QColor color() const { return m_color; }
    void setColor(const QColor &color);
    QDateTime dateTime() const { return m_dateTime; }
    double defaultOffset() const { return m_defaultOffset; }
    // Sets the offset and nothing else: the shown value changes at the next data change.
    void SetDefaultOffset(double days);

    QDateEdit *datePicker() const { return m_date; }
    QTimeEdit *timePicker() const { return m_time; }
    FieldDataLink *dataLink() const { return m_link; }

    // Where "now" comes from.
    std::function<QDateTime()> now = [] { return QDateTime::currentDateTime(); };

signals:
    // Writing the field failed (read-only panel or dataset, closed dataset, refused value); the
    // data layer's message.
    void writeFailed(const QString &message);

protected:
    void resizeEvent(QResizeEvent *event) override;
    // Tall enough for the pickers, wide enough for both side by side.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

private:
    void layoutPickers();
    void dataChange();
    void datePicked();
    void timePicked();
    void write();
    void showValue(const QDateTime &value);
    QDateTime proposal() const;

    FieldDataLink *m_link;
    QDateEdit *m_date;
    QTimeEdit *m_time;
    QDateTime m_dateTime;
    double m_defaultOffset = 0.0;
    QString m_fieldName;
    QColor m_color = Qt::white;
    int m_dataChangeSuspended = 0;
    bool m_proposing = false;
};
