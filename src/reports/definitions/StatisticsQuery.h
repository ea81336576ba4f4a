#pragma once

// The calls the statistics reports count: every call of the range, whatever its status, with
// its turnaround in days.
inline constexpr auto kStatisticsSql = "SELECT tblCall.CallID,\n"
                                       "tblCall.InputDate,\n"
                                       "tblCall.DueDate,\n"
                                       "tblCall.ResolvedDate,\n"
                                       "tblCall.[ResolvedDate]-tblCall.[InputDate] AS TurnAround\n"
                                       "FROM tblCall";
