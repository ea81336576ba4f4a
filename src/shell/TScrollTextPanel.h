#pragma once

#include <QStringList>
#include <QWidget>

class QTimer;

// A black panel whose raised lettering scrolls upward without end: the text starts with its
// first line at the top, moves up one pixel per step and, once its last line has left the
// top, comes in again from the bottom. A timer makes the steps while the panel runs.
class TScrollTextPanel : public QWidget
{
    Q_OBJECT
public:
    explicit TScrollTextPanel(QWidget *parent = nullptr);

    void setLines(const QStringList &lines);
    QStringList lines() const { return m_lines; }

    // Milliseconds between two steps.
    void setInterval(int ms);
    int interval() const;
    void start();
    void stop();
    bool isRunning() const;

    // One step up; what the timer does.
    void step();
    // Where the text's first line is drawn, relative to the top of the panel.
    int textTop() const;
    // Steps in one full round, after which the text is back where it started.
    int cycleLength() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    int lineHeight() const;
    int textHeight() const;

    QStringList m_lines;
    QTimer *m_timer = nullptr;
    int m_position = 0;   // pixels scrolled in the current round
};
