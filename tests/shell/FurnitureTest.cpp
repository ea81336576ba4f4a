#include "Clock.h"
#include "DesktopShell.h"
#include "KeyboardLocks.h"
#include "Prompter.h"
#include "TAboutInfo.h"
#include "THelpContentsForm.h"
#include "TKELDAboutForm.h"
#include "TKELDSplashForm.h"
#include "TKELDStatusBar.h"
#include "TQuickHelpForm.h"
#include "TScrollTextPanel.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <QWindow>
#include <gtest/gtest.h>

namespace {

const QDateTime kNow(QDate(2024, 3, 5), QTime(21, 7, 45));

// The widgets a user can reach with the keyboard that have no name for a screen reader.
QStringList unnamedControls(QWidget *window)
{
    QStringList unnamed;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        const bool reachable = w->focusPolicy() != Qt::NoFocus && w->isVisibleTo(window);
        if (!reachable)
            continue;
        QAccessibleInterface *a = QAccessible::queryAccessibleInterface(w);
        if (!a || a->text(QAccessible::Name).trimmed().isEmpty())
            unnamed << (w->objectName().isEmpty() ? w->metaObject()->className() : w->objectName());
    }
    return unnamed;
}

// Clock, locale and keyboard source set by a test and put back afterwards.
class FurnitureFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Clock::set([this] { return now; });
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
        KeyboardLocks::instance().setSource([this] { return locks; });
        KeyboardLocks::instance().setOverwrite(false);
    }
    void TearDown() override
    {
        Clock::set(nullptr);
        QLocale::setDefault(QLocale::system());
        KeyboardLocks::instance().setSource(nullptr);
        KeyboardLocks::instance().setOverwrite(false);
    }

    QDateTime now = kNow;
    KeyboardLocks::State locks{false, false};
};

// ---------------------------------------------------------------------------------------------
// Status bar

using FurnitureStatusBar = FurnitureFixture;

TEST_F(FurnitureStatusBar, ClockShowsLocaleShortDateThreeBlanksAnd24HourTime)
{
    struct Case
    {
        QLocale locale;
        QDateTime at;
        const char *expected;
    };
    const Case cases[] = {
        {QLocale(QLocale::English, QLocale::UnitedKingdom), kNow, "05/03/2024   21:07"},
        {QLocale(QLocale::English, QLocale::UnitedStates), kNow, "3/5/24   21:07"},
        {QLocale(QLocale::German, QLocale::Germany), QDateTime(QDate(2024, 12, 31), QTime(7, 5)),
         "31.12.24   07:05"},
    };
    for (const Case &c : cases) {
        QLocale::setDefault(c.locale);
        now = c.at;
        TKELDStatusBar bar;   // filled on creation, before the first tick
        EXPECT_EQ(bar.panelText(0), QString::fromUtf8(c.expected)) << c.locale.name().toStdString();
    }
}

TEST_F(FurnitureStatusBar, TimerTicksEverySecondAndOnTimerRunsBeforeThePanelsChange)
{
    auto *bar = TKELDStatusBar::createMainWindowBar(nullptr);
    std::unique_ptr<TKELDStatusBar> owner(bar);
    EXPECT_EQ(bar->tickTimer()->interval(), 1000);
    EXPECT_TRUE(bar->tickTimer()->isActive());

    QString seenByOnTimer;
    int calls = 0;
    bar->OnTimer = [&] {
        ++calls;
        seenByOnTimer = bar->panelText(0);
    };
    now = kNow.addSecs(60);
    bar->tick();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(seenByOnTimer, QStringLiteral("05/03/2024   21:07"));
    EXPECT_EQ(bar->panelText(0), QStringLiteral("05/03/2024   21:08"));
}

TEST_F(FurnitureStatusBar, MainBarHasClockKeyStatesAndMessagePanels)
{
    struct Case
    {
        KeyboardLocks::State locks;
        bool overwrite;
        QStringList panels;   // 1 to 3
    };
    const Case cases[] = {
        {{false, true}, false, {"", "NUM", "INS"}},
        {{true, false}, true, {"CAPS", "", "OVR"}},
        {{true, true}, false, {"CAPS", "NUM", "INS"}},
        {{std::nullopt, std::nullopt}, false, {"", "", "INS"}},   // platform cannot tell
    };
    std::unique_ptr<TKELDStatusBar> bar(TKELDStatusBar::createMainWindowBar(nullptr));
    ASSERT_EQ(bar->panelCount(), 5);
    for (const Case &c : cases) {
        locks = c.locks;
        KeyboardLocks::instance().setOverwrite(c.overwrite);
        bar->tick();
        EXPECT_EQ((QStringList{bar->panelText(1), bar->panelText(2), bar->panelText(3)}), c.panels);
    }
    EXPECT_EQ(bar->panelText(4), QString());
    EXPECT_EQ(bar->messagePanelIndex(), 4);
    // A screen reader hears what each panel is and what it shows.
    EXPECT_EQ(bar->panel(1)->accessibleName(), QStringLiteral("Caps Lock"));
    EXPECT_EQ(bar->panel(3)->accessibleName(), QStringLiteral("Insert or overwrite: INS"));
}

TEST_F(FurnitureStatusBar, InsertKeyFlipsInsertAndOverwriteOncePerPress)
{
    // The focused edit sits inside a frame, as in the real windows: the press passes through
    // several widgets on its way up and must still flip the toggle once.
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *frame = new QFrame(&window);
    auto *edit = new QLineEdit(frame);
    (new QVBoxLayout(frame))->addWidget(edit);
    layout->addWidget(frame);
    auto *bar = TKELDStatusBar::createMainWindowBar(&window);
    layout->addWidget(bar);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    edit->setFocus();
    QWindow *handle = window.windowHandle();

    EXPECT_EQ(bar->panelText(3), QStringLiteral("INS"));
    QTest::keyClick(handle, Qt::Key_Insert);   // shown at once, not at the next tick
    EXPECT_EQ(bar->panelText(3), QStringLiteral("OVR"));
    QTest::keyClick(handle, Qt::Key_Insert, Qt::ShiftModifier);   // paste, not the mode key
    QTest::keyClick(handle, Qt::Key_Insert, Qt::ControlModifier);  // copy
    EXPECT_EQ(bar->panelText(3), QStringLiteral("OVR"));
    QTest::keyClick(handle, Qt::Key_Insert);
    EXPECT_EQ(bar->panelText(3), QStringLiteral("INS"));
}

TEST_F(FurnitureStatusBar, TurningPanelsOffAndOnMovesTheOthers)
{
    locks = {true, true};
    std::unique_ptr<TKELDStatusBar> bar(TKELDStatusBar::createMainWindowBar(nullptr));
    bar->setMessageText(QStringLiteral("busy"));

    bar->setShowTime(false);
    bar->tick();
    ASSERT_EQ(bar->panelCount(), 4);
    EXPECT_EQ((QStringList{bar->panelText(0), bar->panelText(1), bar->panelText(2)}),
              (QStringList{"CAPS", "NUM", "INS"}));
    EXPECT_EQ(bar->messageText(), QStringLiteral("busy"));
    EXPECT_EQ(bar->panelText(3), QStringLiteral("busy"));

    bar->setShowTime(false);   // unchanged: nothing removed
    EXPECT_EQ(bar->panelCount(), 4);

    bar->setShowShiftKeys(false);
    ASSERT_EQ(bar->panelCount(), 1);
    EXPECT_EQ(bar->messageText(), QStringLiteral("busy"));

    bar->setShowTime(true);
    bar->setShowShiftKeys(true);
    bar->tick();
    ASSERT_EQ(bar->panelCount(), 5);
    EXPECT_EQ(bar->panelText(0), QStringLiteral("05/03/2024   21:07"));
    EXPECT_EQ(bar->panelText(3), QStringLiteral("INS"));
    EXPECT_EQ(bar->panelText(4), QStringLiteral("busy"));
    EXPECT_TRUE(bar->tickTimer()->isActive());
}

TEST_F(FurnitureStatusBar, ScopedMessageIsClearedAlsoWhenTheWorkFails)
{
    std::unique_ptr<TKELDStatusBar> bar(TKELDStatusBar::createMainWindowBar(nullptr));
    const QString text = QStringLiteral("Refreshing Data please wait");
    try {
        TKELDStatusBar::ScopedMessage message(bar.get(), text);
        EXPECT_EQ(bar->panelText(4), text);
        bar->tick();   // the clock does not touch the message
        EXPECT_EQ(bar->panelText(4), text);
        throw std::runtime_error("engine failed");
    } catch (const std::runtime_error &) {
    }
    EXPECT_EQ(bar->panelText(4), QString());
    // The last panel takes the rest of the bar, so a long status text is not cut to 90 pixels.
    bar->resize(600, bar->sizeHint().height());
    bar->show();
    EXPECT_GT(bar->panel(4)->width(), 200);
}

// ---------------------------------------------------------------------------------------------
// Splash and about box

class FurnitureAbout : public FurnitureFixture
{
protected:
    void SetUp() override
    {
        FurnitureFixture::SetUp();
        auto scripted = std::make_unique<ScriptedPrompter>();
        prompter = scripted.get();
        Prompter::install(std::move(scripted));
        DesktopShell::setUrlOpener([this](const QUrl &url) {
            opened << url.toString();
            return openSucceeds;
        });
        DesktopShell::setProgramStarter([this](const QString &program, QString *) {
            started << program;
            return true;
        });
        savedPath = qgetenv("PATH");
    }
    void TearDown() override
    {
        qputenv("PATH", savedPath);
        DesktopShell::setUrlOpener(nullptr);
        DesktopShell::setProgramStarter(nullptr);
        Prompter::install(nullptr);
        FurnitureFixture::TearDown();
    }

    // A search path holding only the given programs.
    void pathWith(const QStringList &programs)
    {
        for (const QString &name : programs) {
            QFile f(bin.filePath(name));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write("#!/bin/sh\n");
            f.setPermissions(f.permissions() | QFile::ExeOwner | QFile::ExeUser);
        }
        qputenv("PATH", bin.path().toLocal8Bit());
    }

    static void move(QWidget *w, QPoint at)
    {
        QMouseEvent e(QEvent::MouseMove, at, w->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                      Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    }

    ScriptedPrompter *prompter = nullptr;
    QStringList opened;
    QStringList started;
    bool openSucceeds = true;
    QTemporaryDir bin;
    QByteArray savedPath;
};

TEST_F(FurnitureAbout, SplashShowsTheProductIdentityAboveAllWindows)
{
    const TAboutInfo &info = TAboutInfo::product();
    EXPECT_EQ(info.applicationName, QStringLiteral("Vellomar"));
    EXPECT_EQ(info.version, QStringLiteral("1.00"));
    EXPECT_TRUE(info.emailLink.startsWith(QStringLiteral("mailto:")));

    QPointer<TKELDSplashForm> shown;
    {
        std::unique_ptr<TKELDSplashForm> splash = TKELDSplashForm::showSplash();
        shown = splash.get();
        EXPECT_TRUE(splash->isVisible());
        EXPECT_EQ(splash->windowTitle(), QStringLiteral("Loading..."));
        EXPECT_TRUE(splash->windowFlags() & Qt::WindowStaysOnTopHint);
        EXPECT_TRUE(splash->windowFlags() & Qt::FramelessWindowHint);
        EXPECT_TRUE(splash->VersionLabel->text().contains(info.version));
        EXPECT_EQ(splash->HeadingLabel->text(), info.headingCompany);
        EXPECT_EQ(splash->CompanyLabel->text(), info.companyName);
        EXPECT_EQ(splash->CopyrightLabel->text(), info.copyright);
        EXPECT_EQ(splash->PlatformLabel->text(), QStringLiteral("Win95/98/NT"));
        EXPECT_EQ(splash->WarningLabel->text(), info.warning);
        EXPECT_FALSE(splash->TitleImage->pixmap().isNull());
        const QRect screen = splash->screen()->availableGeometry();
        EXPECT_LE((splash->frameGeometry().center() - screen.center()).manhattanLength(), 2);
    }
    EXPECT_TRUE(shown.isNull());   // released, and with it closed
}

TEST_F(FurnitureAbout, BoxShowsTheIdentityTextsWithBlueLinks)
{
    pathWith({});
    TKELDAboutForm box;
    const TAboutInfo &info = TAboutInfo::product();
    EXPECT_EQ(box.windowTitle(), QStringLiteral("About KELD"));
    EXPECT_TRUE(box.VersionLabel->text().contains(QStringLiteral("1.00")));
    EXPECT_EQ(box.CompanyLabel->text(), info.companyName);
    EXPECT_EQ(box.WebLabel->text(), info.webText);
    EXPECT_EQ(box.EmailLabel->text(), info.emailText);
    EXPECT_EQ(box.CopyrightLabel->text(), info.copyright);
    EXPECT_EQ(box.WarningLabel->text(), info.warning);
    EXPECT_EQ(box.OkButton->text(), QStringLiteral("&Ok"));
    EXPECT_EQ(box.linkColor(box.WebLabel), QColor(0, 0, 255));
    EXPECT_EQ(box.linkColor(box.EmailLabel), QColor(0, 0, 255));
    EXPECT_EQ(box.WebLabel->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(box.EmailLabel->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(box.SystemInfoButton, nullptr);   // no tool on the path: the button is left out
    EXPECT_EQ(unnamedControls(&box), QStringList());

    box.show();
    QTest::keyClick(&box, Qt::Key_Escape);
    EXPECT_FALSE(box.isVisible());
}

TEST_F(FurnitureAbout, LinkTurnsFuchsiaOnlyWellInsideItsEdges)
{
    TKELDAboutForm box;
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    QLabel *web = box.WebLabel;
    QLabel *mail = box.EmailLabel;
    const int w = web->width();
    const int h = web->height();
    const QColor blue(0, 0, 255);
    const QColor fuchsia(255, 0, 255);
    struct Case
    {
        QPoint at;
        QColor expected;
    };
    const Case cases[] = {
        {{w / 2, h / 2}, fuchsia}, {{1, h / 2}, blue},     {{2, h / 2}, fuchsia},
        {{w - 2, h / 2}, blue},    {{w - 3, h / 2}, fuchsia}, {{w / 2, 0}, blue},
        {{w / 2, h - 2}, blue},    {{w / 2, 2}, fuchsia},
    };
    for (const Case &c : cases) {
        move(web, c.at);
        EXPECT_EQ(box.linkColor(web), c.expected) << c.at.x() << "," << c.at.y();
    }

    // Onto the other link: the first goes back to blue.
    move(web, {w / 2, h / 2});
    move(mail, {mail->width() / 2, mail->height() / 2});
    EXPECT_EQ(box.linkColor(web), blue);
    EXPECT_EQ(box.linkColor(mail), fuchsia);

    // Anywhere else in the box, a label or the bare dialog: both blue.
    move(box.CopyrightLabel, {5, 5});
    EXPECT_EQ(box.linkColor(mail), blue);
    move(web, {w / 2, h / 2});
    move(&box, {3, 3});
    EXPECT_EQ(box.linkColor(web), blue);
}

TEST_F(FurnitureAbout, LinksOpenThroughTheDesktopAndFailuresAreShown)
{
    TKELDAboutForm box;
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    QTest::mouseClick(box.WebLabel, Qt::LeftButton);
    box.EmailLabel->setFocus();
    QTest::keyClick(box.EmailLabel, Qt::Key_Return);
    EXPECT_EQ(opened, (QStringList{TAboutInfo::product().webLink,
                                   TAboutInfo::product().emailLink}));
    EXPECT_TRUE(box.isVisible());

    openSucceeds = false;
    QTest::mouseClick(box.WebLabel, Qt::LeftButton);
    ASSERT_EQ(prompter->messages.size(), 1);
    EXPECT_TRUE(prompter->messages[0].text.contains(TAboutInfo::product().webLink));
}

TEST_F(FurnitureAbout, SystemInfoRunsTheToolFoundOnThePath)
{
    pathWith({"gnome-system-monitor", "hardinfo"});
    TKELDAboutForm box;
    ASSERT_NE(box.SystemInfoButton, nullptr);
    EXPECT_EQ(box.SystemInfoButton->text(), QStringLiteral("&System Info..."));
    box.SystemInfoButton->click();
    EXPECT_EQ(started, QStringList{bin.filePath(QStringLiteral("hardinfo"))});
    EXPECT_TRUE(prompter->messages.isEmpty());

    DesktopShell::setProgramStarter([](const QString &, QString *error) {
        *error = QStringLiteral("Permission denied");
        return false;
    });
    box.SystemInfoButton->click();
    ASSERT_EQ(prompter->messages.size(), 1);
    EXPECT_TRUE(prompter->messages[0].text.contains(QStringLiteral("Permission denied")));
}

// ---------------------------------------------------------------------------------------------
// Quick help

using FurnitureQuickHelp = FurnitureFixture;

TEST_F(FurnitureQuickHelp, CopyPutsEveryLineIncludingTheEmptyOnesOnTheClipboard)
{
    TQuickHelpForm form;
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Quick Help"));
    QGuiApplication::clipboard()->clear();
    form.Copy1->trigger();
    const QString text = QGuiApplication::clipboard()->text();
    EXPECT_TRUE(text.startsWith(QStringLiteral("Quick Help:\n\nHOT KEYS:\n\n4 Keys you must know:\n"
                                               "Adding Viewing and closing\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("\nArrow down: One Row down \n")));
    EXPECT_TRUE(text.contains(QStringLiteral("\nGrids independangly.  \nClick on grid after \n")));
    EXPECT_TRUE(text.contains(QStringLiteral("\nand cancels edits\n\nOn Grids:\n")));
    EXPECT_TRUE(text.endsWith(QStringLiteral("8 Press Enter\n\nRight Click Grid Notes field\n"
                                             "for pop up view\n ")));
    EXPECT_EQ(text.split(QLatin1Char('\n')).size(), 80);
    EXPECT_EQ(text.split(QLatin1Char('\n')).count(QString()), 5);
    EXPECT_EQ(form.ScrollPanel->lines(), text.split(QLatin1Char('\n')));
}

TEST_F(FurnitureQuickHelp, ScrollsWhileShownAndSlowsToOneStepASecond)
{
    TQuickHelpForm form;
    TScrollTextPanel *panel = form.ScrollPanel;
    EXPECT_FALSE(panel->isRunning());
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    EXPECT_TRUE(panel->isRunning());
    EXPECT_EQ(panel->interval(), 30);
    for (int waited = 0; panel->textTop() == 0 && waited < 1000; waited += 10)
        QTest::qWait(10);
    EXPECT_LT(panel->textTop(), 0);   // the timer really moves the text up

    form.SlowButton->click();
    EXPECT_EQ(form.SlowButton->toolTip(), QStringLiteral("Slow"));
    EXPECT_TRUE(form.SlowButton->isChecked());
    EXPECT_EQ(panel->interval(), 1000);
    form.SlowButton->click();
    EXPECT_EQ(panel->interval(), 30);

    EXPECT_EQ(unnamedControls(&form), QStringList());
    EXPECT_TRUE(form.CloseButton->isDefault());
    QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(panel->isRunning());
}

TEST_F(FurnitureQuickHelp, TextLeavesAtTheTopAndComesBackFromTheBottom)
{
    TScrollTextPanel panel;
    panel.setLines(TQuickHelpForm::helpLines());
    panel.resize(240, 200);
    auto blank = [&panel] {
        const QImage image = panel.grab().toImage();
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixelColor(x, y) != QColor(Qt::black))
                    return false;
        return true;
    };

    EXPECT_EQ(panel.textTop(), 0);   // first line readable at once
    EXPECT_FALSE(blank());
    for (int i = 0; i < 5; ++i)
        panel.step();
    EXPECT_EQ(panel.textTop(), -5);

    const int cycle = panel.cycleLength();
    const int textHeight = cycle - panel.height();
    ASSERT_GT(textHeight, panel.height());
    while (panel.textTop() > -textHeight + 1)
        panel.step();
    panel.step();   // last line gone: the text waits just below the bottom edge
    EXPECT_EQ(panel.textTop(), panel.height());
    EXPECT_TRUE(blank());
    for (int i = 0; i < panel.height(); ++i)
        panel.step();
    EXPECT_EQ(panel.textTop(), 0);   // a full round brings it back to the start
    EXPECT_FALSE(blank());
}

// ---------------------------------------------------------------------------------------------
// Help contents

TEST(FurnitureHelp, GuideCoversTheDailyTasksAndItsLinksLand)
{
    QFile page(QLatin1Char(':') + THelpContentsForm::contentsUrl().path());
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(page.readAll());
    for (const char *heading :
         {"Logging a call", "Adding an action", "Closing an action or a call",
          "Finding an organisation", "Finding calls", "Organisations and people",
          "Running reports", "Keys"})
        EXPECT_TRUE(html.contains(QStringLiteral("<h2>%1</h2>").arg(QLatin1String(heading))))
            << heading;

    const QRegularExpression href(QStringLiteral("href=\"#([^\"]+)\""));
    int links = 0;
    for (auto it = href.globalMatch(html); it.hasNext(); ++links) {
        const QString target = it.next().captured(1);
        EXPECT_TRUE(html.contains(QStringLiteral("<a name=\"%1\">").arg(target)))
            << qPrintable(target);
    }
    EXPECT_GE(links, 10);
}

TEST(FurnitureHelp, ContentsCommandOpensOneViewerOnTheGuide)
{
    QWidget main;
    QPointer<THelpContentsForm> help = showHelpContents(&main);
    ASSERT_TRUE(help);
    EXPECT_TRUE(help->isVisible());
    EXPECT_TRUE(help->Browser->toPlainText().contains(QStringLiteral("Logging a call")));
    EXPECT_EQ(unnamedControls(help), QStringList());

    help->Browser->setSource(QUrl(THelpContentsForm::contentsUrl().toString()
                                  + QStringLiteral("#reports")));
    EXPECT_EQ(showHelpContents(&main), help.data());   // the open one, back at the contents
    EXPECT_EQ(help->Browser->source(), THelpContentsForm::contentsUrl());

    ASSERT_TRUE(QTest::qWaitForWindowActive(help));
    QTest::keyClick(help->windowHandle(), Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(help.isNull());
}

} // namespace
