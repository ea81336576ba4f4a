#pragma once

#include <QFlags>
#include <QPointer>
#include <QWidget>
#include <array>
#include <functional>

class DataSource;
class Dataset;
class QToolButton;

// A row of record buttons over a data source: First, Prior, Next, Last, Insert, Delete, Edit,
// Post, Cancel and Refresh. The buttons follow the dataset: moving back is off at the first
// row, moving on at the last, changing the rows needs a modifiable dataset that is not being
// edited, and Post and Cancel are there only while it is. A button shows the hourglass while it
// acts. Left and Right move between the buttons, Space presses one.
class DBNavigator : public QWidget
{
    Q_OBJECT
public:
    enum Button {
        First = 0x001,
        Prior = 0x002,
        Next = 0x004,
        Last = 0x008,
        Insert = 0x010,
        Delete = 0x020,
        Edit = 0x040,
        Post = 0x080,
        Cancel = 0x100,
        Refresh = 0x200
    };
    Q_ENUM(Button)
    Q_DECLARE_FLAGS(Buttons, Button)

    static constexpr Buttons kAllButtons = Buttons(0x3FF);
    static constexpr Buttons kMoveButtons = Buttons(First | Prior | Next | Last);

    explicit DBNavigator(QWidget *parent = nullptr);

    DataSource *dataSource() const { return m_source; }
    void setDataSource(DataSource *source);

    Buttons visibleButtons() const { return m_visible; }
    void setVisibleButtons(Buttons buttons);
    QToolButton *button(Button which) const;
    // The hint of a button, also its accessible name.
    static QString hint(Button which);

    // Does what the button does, as a press of it would; a DbError goes on to the caller.
    void doAction(Button which);

    // Asked before a delete with the question; false keeps the row. Unset: no question.
    std::function<bool(const QString &question)> confirmDelete;
    // Receives the message of an engine error raised by a pressed button. Unset: a warning in
    // the log.
    std::function<void(const QString &message)> onError;

signals:
    // A pressed button has done its work.
    void clicked(DBNavigator::Button which);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    static constexpr int kButtonCount = 10;
    static int indexOf(Button which);
    Dataset *activeDataset() const;
    void updateButtons();
    void press(Button which);
    void report(const QString &message);

    QPointer<DataSource> m_source;
    QList<QMetaObject::Connection> m_connections;
    Buttons m_visible = kAllButtons;
    std::array<QToolButton *, kButtonCount> m_buttons{};
};

Q_DECLARE_OPERATORS_FOR_FLAGS(DBNavigator::Buttons)
