#include "ReportDispatch.h"

#include "SqlDateTimeLiteral.h"

ReportRunParameters ReportRunParameters::range(const QDateTime &from, const QDateTime &to)
{
    ReportRunParameters p;
    p.from = from;
    p.to = to;
    p.fromLiteral = SqlDateTimeLiteral(from);
    p.toLiteral = SqlDateTimeLiteral(to);
    return p;
}

ReportRunParameters ReportRunParameters::call(int callId)
{
    ReportRunParameters p;
    p.callId = callId;
    return p;
}

namespace ReportDispatch {

const std::vector<ReportDispatchEntry> &table()
{
    using P = ReportParameter;
    static const QString where = QStringLiteral(" WHERE tblCall.InputDate >= ");
    static const QString byStatus =
        QStringLiteral("ORDER BY tblCall.statusID, tblOrganization.OrganizationName");
    static const QString byInputDate = QStringLiteral("Order By tblCall.InputDate");
    static const std::vector<ReportDispatchEntry> entries{
        {QStringLiteral("CallStat"), QStringLiteral("TQuickReport1"), {}, P::Range, where,
         byStatus},
        {QStringLiteral("OrgCallStat"), QStringLiteral("TQuickReport1"),
         QStringLiteral("Calls By Organisation in Date Range"), P::Range, where, byStatus},
        // Its query has a WHERE of its own: the bounds are added to it.
        {QStringLiteral("Turnaround"), QStringLiteral("TQRTurnaround"), {}, P::Range,
         QStringLiteral(" AND tblCall.InputDate >= "),
         QStringLiteral("ORDER BY tblCall.[ResolvedDate]-tblCall.[InputDate] DESC")},
        {QStringLiteral("LiveCallsByDate"), QStringLiteral("TQRLiveCallsByDate"), {}, P::None, {},
         QStringLiteral(" ORDER BY tblCall.InputDate")},
        {QStringLiteral("LiveCallsByOwner"), QStringLiteral("TQRLiveCallsByOwner"), {}, P::None, {},
         QStringLiteral(" ORDER BY [tblPerson_1].[LastName], tblCall.DueDate")},
        {QStringLiteral("CallsActions"), QStringLiteral("TQRCallsActions"), {}, P::Range, where,
         QStringLiteral("ORDER BY tblOrganization.OrganizationName, tblCall.CallID, "
                        "tblAction.InputDate")},
        {QStringLiteral("OverallCallStatistics"), QStringLiteral("TQROverallCallStats"), {},
         P::Range, where, byInputDate},
        {QStringLiteral("CallStatisticsByMonth"), QStringLiteral("TQRMonthlyCallStats"), {},
         P::Range, where, byInputDate},
        {QStringLiteral("CallByID"), QStringLiteral("TQRCallByID"), {}, P::CallId,
         QStringLiteral(" WHERE tblCall.CallID = "), {}},
    };
    return entries;
}

const ReportDispatchEntry *find(const QString &reportName)
{
    for (const ReportDispatchEntry &entry : table())
        if (entry.key.compare(reportName, Qt::CaseSensitive) == 0)
            return &entry;
    return nullptr;
}

QString rangeClause(const ReportDispatchEntry &entry, const QString &fromLiteral,
                    const QString &toLiteral)
{
    return entry.lead + fromLiteral + QStringLiteral(" AND tblCall.InputDate <= ") + toLiteral +
           QStringLiteral(" ") + entry.order;
}

QString callClause(const ReportDispatchEntry &entry, int callId)
{
    return entry.lead + QString::number(callId);
}

QString clause(const ReportDispatchEntry &entry, const ReportRunParameters &parameters)
{
    switch (entry.parameter) {
    case ReportParameter::Range:
        return rangeClause(entry, parameters.fromLiteral, parameters.toLiteral);
    case ReportParameter::CallId:
        return callClause(entry, parameters.callId);
    case ReportParameter::None:
        break;
    }
    return entry.order;
}

} // namespace ReportDispatch
