#include "AppSettings.h"
#include "DataSource.h"
#include "DBGrid.h"
#include "ReportWindowFixture.h"
#include "TKELDMainMDIForm.h"
#include "TReportsListForm.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

namespace {

// The Reports window over the seeded tblReport, its runs recorded instead of shown.
class ReportsListFormTest : public ReportWindowTest
{
protected:
    void SetUp() override
    {
        ReportWindowTest::SetUp();
        form = std::make_unique<TReportsListForm>(*e, fakes());
        form->Services.promptRange = [] {
            return ReportRunParameters::range(QDateTime(QDate(2004, 1, 1), QTime(0, 1)),
                                              QDateTime(QDate(2004, 1, 31), QTime(23, 59)));
        };
        form->Services.preview = [this](const RenderedReport &r) { shown << "preview " + r.title(); };
        form->Services.print = [this](const RenderedReport &r) { shown << "print " + r.title(); };
    }

    // Makes the row with that ListName current.
    void select(const QString &listName)
    {
        ASSERT_TRUE(form->ReportADOTable->locate(QStringLiteral("ListName"), listName));
    }

    QStringList listed() const
    {
        QStringList names;
        auto *model = form->DBGrid1->model();
        for (int r = 0; r < model->rowCount(); ++r)
            names << model->index(r, 0).data().toString();
        return names;
    }

    std::unique_ptr<TReportsListForm> form;
    QStringList shown;
};

TEST_F(ReportsListFormTest, ListsTheListNamesInTableOrderReadOnly)
{
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Reports"));
    EXPECT_EQ(listed(), QStringList({"Calls By Status in Date Range",
                                     "Calls By Organisation in Date Range",
                                     "Turnaround of Closed Calls", "Live Calls By Input Date",
                                     "Live Calls By Owner", "Calls and Actions in Date Range",
                                     "Overall Call Statistics", "Monthly Call Statistics",
                                     "Call By ID"}));
    auto *model = form->DBGrid1->model();
    EXPECT_EQ(model->columnCount(), 1);
    EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("ListName"));
    EXPECT_FALSE(model->flags(model->index(0, 0)) & Qt::ItemIsEditable);
}

TEST_F(ReportsListFormTest, ToolBarPrintPreviewThenCloseAtTheRightEnd)
{
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    const QList<QToolButton *> buttons{form->ToolButton1, form->PreViewToolButton,
                                       form->CloseToolButton};
    const QStringList hints{"Print", "Preview/Print", "Close"};
    for (int i = 0; i < buttons.size(); ++i) {
        EXPECT_EQ(buttons[i]->toolTip(), hints[i]);
        EXPECT_EQ(buttons[i]->accessibleName(), hints[i]);
    }
    EXPECT_LT(form->ToolButton1->x(), form->PreViewToolButton->x());
    EXPECT_LT(form->PreViewToolButton->x(), form->CloseToolButton->x());
    auto gapAtRight = [&] {
        const QToolButton *close = form->CloseToolButton;
        return form->ToolBar1->contentsRect().right() -
               close->mapTo(form->ToolBar1, QPoint(close->width() - 1, 0)).x();
    };
    const int rightGap = gapAtRight();
    EXPECT_LE(rightGap, 12) << "Close sits at the right end";
    form->resize(form->width() + 100, form->height());
    QApplication::processEvents();
    EXPECT_EQ(gapAtRight(), rightGap) << "and stays there when the window widens";
}

TEST_F(ReportsListFormTest, ButtonsKeysAndDoubleClickRunTheCurrentRowsReport)
{
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    select(QStringLiteral("Live Calls By Input Date"));
    form->ToolButton1->click();
    form->PreViewToolButton->click();
    select(QStringLiteral("Calls By Organisation in Date Range"));
    QTest::keyClick(form->DBGrid1, Qt::Key_Return);
    select(QStringLiteral("Calls By Status in Date Range"));
    const QModelIndex current = form->DBGrid1->model()->index(form->ReportADOTable->currentIndex(), 0);
    // A double click as the system delivers it: a click, then the second press as a double click.
    const QPoint at = form->DBGrid1->visualRect(current).center();
    QTest::mouseClick(form->DBGrid1->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(form->DBGrid1->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(shown, QStringList({"print Fake Report", "preview Fake Report",
                                  "preview Calls By Organisation in Date Range",
                                  "preview Fake Report"}));
    EXPECT_EQ(log.classNames, QStringList({"TQRLiveCallsByDate", "TQRLiveCallsByDate",
                                           "TQuickReport1", "TQuickReport1"}));
}

TEST_F(ReportsListFormTest, ARowNamingNoReportDoesNothing)
{
    e->execute(QStringLiteral("UPDATE tblReport SET ReportName = 'callstat' WHERE ReportName = 'CallStat'"));
    form = std::make_unique<TReportsListForm>(*e, fakes());
    form->Services.preview = [this](const RenderedReport &) { shown << "preview"; };
    select(QStringLiteral("Calls By Status in Date Range"));
    EXPECT_EQ(form->RunReport(true), ReportRun::Outcome::NotAReport);
    form->PreViewToolButton->click();
    EXPECT_TRUE(shown.isEmpty());
    EXPECT_TRUE(log.classNames.isEmpty());
    EXPECT_TRUE(prompter->messages.isEmpty());
}

TEST_F(ReportsListFormTest, AnOpenErrorShowsTheEngineTextAndTheWindowStays)
{
    form = std::make_unique<TReportsListForm>(
        *e, fakes(QStringLiteral("SELECT tblCall.CallID FROM tblNoSuchTable")));
    form->Services.promptRange = [] {
        return ReportRunParameters::range(QDateTime(QDate(2004, 1, 1), QTime(0, 1)),
                                          QDateTime(QDate(2004, 1, 31), QTime(23, 59)));
    };
    form->show();
    form->PreViewToolButton->click();
    ASSERT_EQ(prompter->messages.size(), 1);
    EXPECT_TRUE(prompter->messages[0].text.contains(QStringLiteral("tblNoSuchTable")))
        << prompter->messages[0].text.toStdString();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(form->isVisible());
}

TEST_F(ReportsListFormTest, EscClosesFromAnywhereInTheWindow)
{
    QPointer<TReportsListForm> window = form.release();
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    QApplication::setActiveWindow(window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    window->DBGrid1->setFocus();
    QTest::keyClick(window->DBGrid1, Qt::Key_Escape);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
}

TEST_F(ReportsListFormTest, ListReportsOpensOneFixedWindowCentredInTheMainWindow)
{
    QTemporaryDir settings;
    AppSettings::setStoreFile(settings.filePath(QStringLiteral("settings.ini")));
    form.reset();
    {
        TKELDMainMDIForm main;
        main.resize(1000, 700);
        main.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
        ListReportsExecute(main, *e, fakes());
        QPointer<QWidget> first = main.ReportsListForm;
        ASSERT_TRUE(qobject_cast<TReportsListForm *>(first));
        auto *frame = qobject_cast<QMdiSubWindow *>(first->parentWidget());
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(frame->minimumSize(), frame->maximumSize()) << "no sizing border";
        const QPoint areaCentre = main.mdiArea()->viewport()->rect().center();
        EXPECT_LE((frame->geometry().center() - areaCentre).manhattanLength(), 2);

        frame->move(0, 0);
        ListReportsExecute(main, *e, fakes());
        EXPECT_EQ(main.ReportsListForm, first);
        EXPECT_EQ(main.mdiArea()->subWindowList().size(), 1);
        EXPECT_EQ(frame->pos(), QPoint(0, 0)) << "brought to the front, not placed again";
    }
    AppSettings::setStoreFile(QString());
}

} // namespace
