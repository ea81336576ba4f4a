#pragma once

#include <QColor>
#include <QDialog>

class QLabel;
class QPushButton;
struct TAboutInfo;

// The about box: the product picture and title, version, maker, web and e-mail links, the
// copyright line and notice, "&Ok" and, where the desktop has a system-information tool,
// "&System Info...".
//
// The two links are drawn blue; while the mouse is more than one pixel inside a link it turns
// fuchsia, and back to blue near its edges or anywhere else in the box. A click (or Enter or
// Space on the focused link) opens it through the desktop.
class TKELDAboutForm : public QDialog
{
    Q_OBJECT
public:
    static const QColor kLinkColor;    // blue, RGB 0, 0, 255
    static const QColor kHoverColor;   // fuchsia, RGB 255, 0, 255

    explicit TKELDAboutForm(QWidget *parent = nullptr);

    // The About command: shows the box modally, centred on the screen, and releases it.
    static void showAbout(QWidget *parent);

    QLabel *ProgramIcon = nullptr;
    QLabel *TitleImage = nullptr;
    QLabel *VersionLabel = nullptr;
    QLabel *CompanyLabel = nullptr;
    QLabel *WebLabel = nullptr;
    QLabel *EmailLabel = nullptr;
    QLabel *CopyrightLabel = nullptr;
    QLabel *WarningLabel = nullptr;
    QPushButton *OkButton = nullptr;
    QPushButton *SystemInfoButton = nullptr;   // nullptr where there is no tool to run

    QColor linkColor(const QLabel *link) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    void fill(const TAboutInfo &info);
    void setLinkColor(QLabel *link, const QColor &color);
    void openLink(const QLabel *link);
    void SystemInfoButtonClick();

    QString m_webLink;
    QString m_emailLink;
    QString m_systemInfoTool;
    QLabel *m_pressedLink = nullptr;
};
