#include "NavigationCommands.h"

#include "WholeNumber.h"

#include "Prompter.h"
#include "ScratchQuery.h"
#include "TDataModule1.h"
#include "TKELDStatusBar.h"

#include <QApplication>

namespace NavigationCommands {
namespace {

// The hourglass while a command works, restored however it ends.
struct BusyCursor
{
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
};

int currentKey(Dataset &d, const QString &field)
{
    if (!d.isActive() || d.isEmpty())
        return 0;
    return d.field(field).asInteger();
}

// A locate that finds nothing leaves the dataset on its first row; a dataset being edited is
// not touched at all.
void refind(Dataset &d, const QString &field, int key)
{
    if (!d.isActive() || d.state() != Dataset::State::Browse)
        return;
    if (!d.locate(field, key) && !d.isEmpty())
        d.first();
}

} // namespace

void RequeryIfBrowsing(Dataset &dataset)
{
    if (dataset.isActive() && dataset.state() == Dataset::State::Browse)
        dataset.requery();
}

void RefreshAll(TDataModule1 &dm, TKELDStatusBar *bar)
{
    BusyCursor busy;
    std::optional<TKELDStatusBar::ScopedMessage> message;
    if (bar)
        message.emplace(bar, QStringLiteral("Refreshing Data please wait"));
    for (Dataset *d : {dm.UrgencyADOTable, dm.ValueCategoryADOTable, dm.ValuesListCallTypeADOQuery,
                       dm.ValuesListPersonTypeADOQuery, dm.ValuesListResolutionTypeADOQuery,
                       dm.ValuesListCountryADOQuery, dm.ValuesListMethodADOQuery,
                       dm.ValuesListStatusADOQuery, dm.OwnerADOQuery, dm.AllPeopleNameADOQuery})
        RequeryIfBrowsing(*d);
    const int org = currentKey(*dm.OrgADOQuery, QStringLiteral("OrgId"));
    const int call = currentKey(*dm.CallsByOrgIDADOQuery, QStringLiteral("CallID"));
    const int action = currentKey(*dm.ActionsByCallIDADOQuery, QStringLiteral("ActionID"));
    // Organisations first: the calls follow the organisation, the actions the call.
    RequeryIfBrowsing(*dm.OrgADOQuery);
    refind(*dm.OrgADOQuery, QStringLiteral("OrgId"), org);
    RequeryIfBrowsing(*dm.CallsByOrgIDADOQuery);
    refind(*dm.CallsByOrgIDADOQuery, QStringLiteral("CallId"), call);
    RequeryIfBrowsing(*dm.ActionsByCallIDADOQuery);
    refind(*dm.ActionsByCallIDADOQuery, QStringLiteral("ActionID"), action);
}

std::optional<int> parseCallId(const QString &text)
{
    return parseWholeNumber(text);
}

bool locateCall(TDataModule1 &dm, int callId)
{
    if (dm.CallsByOrgIDADOQuery->isActive() && dm.CallsByOrgIDADOQuery->locate(QStringLiteral("CallId"), callId))
        return true;
    int orgId = 0;
    {
        ScratchQuery scratch(*dm.ADOQuery1, QStringLiteral("Select CallID, OrgID from tblCall"));
        scratch.query().open();
        if (!scratch.query().locate(QStringLiteral("CallId"), callId))
            return false;
        orgId = scratch.query().field(QStringLiteral("OrgID")).asInteger();
    }
    dm.OrgADOQuery->locate(QStringLiteral("OrgID"), orgId);
    return dm.CallsByOrgIDADOQuery->isActive() &&
           dm.CallsByOrgIDADOQuery->locate(QStringLiteral("CallId"), callId);
}

void FindCallByCallID(TDataModule1 &dm)
{
    QString typed;
    if (!Prompter::instance().input(QStringLiteral("User Input"), QStringLiteral("Enter CallID"), &typed))
        return;
    const auto callId = parseCallId(typed);
    if (!callId) {
        Prompter::instance().message(QStringLiteral("Please enter a valid whole number"));
        return;
    }
    BusyCursor busy;
    locateCall(dm, *callId);
}

} // namespace NavigationCommands
