#pragma once

#include <QDialog>
#include <QStringList>

class QPushButton;
class QToolButton;
class TScrollTextPanel;

// The quick help window: the program's key strokes scrolling up a black panel without end,
// "Slow" to slow the scrolling down to a step a second, "&Edit" / "&Copy" to put the whole
// text on the clipboard.
class TQuickHelpForm : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kStepInterval = 30;
    static constexpr int kSlowStepInterval = 1000;

    explicit TQuickHelpForm(QWidget *parent = nullptr);

    // The Quick Help command: shows the window modally and releases it.
    static void showQuickHelp(QWidget *parent);

    // The help text, line by line.
    static QStringList helpLines();

    TScrollTextPanel *ScrollPanel = nullptr;
    QToolButton *SlowButton = nullptr;
    QPushButton *CloseButton = nullptr;
    QAction *Copy1 = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void Copy1Click();
    void SlowButtonToggled(bool slow);
};
