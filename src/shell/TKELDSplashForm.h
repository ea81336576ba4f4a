#pragma once

#include <QWidget>
#include <memory>

class QLabel;
struct TAboutInfo;

// The window shown while the program loads: the product picture and title, version, maker,
// copyright line, platform and copyright notice. No caption bar, above every other window,
// centred on the screen.
class TKELDSplashForm : public QWidget
{
    Q_OBJECT
public:
    explicit TKELDSplashForm(QWidget *parent = nullptr);

    void fill(const TAboutInfo &info);
    // Shows the window above all others, centred, and paints it before returning.
    void showNow();

    // Creates the splash filled from the product's identity and shows it at once. Release it
    // (reset the pointer) to close it.
    static std::unique_ptr<TKELDSplashForm> showSplash();

    QLabel *ProgramIcon = nullptr;
    QLabel *TitleImage = nullptr;
    QLabel *VersionLabel = nullptr;
    QLabel *HeadingLabel = nullptr;
    QLabel *CopyrightLabel = nullptr;
    QLabel *PlatformLabel = nullptr;
    QLabel *WarningLabel = nullptr;
    QLabel *CompanyLabel = nullptr;
};
