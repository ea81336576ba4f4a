#include "ReportDocument.h"

#include "TQRCallByID.h"
#include "TQRCallsActions.h"
#include "TQRLiveCallsByDate.h"
#include "TQRLiveCallsByOwner.h"
#include "TQRMonthlyCallStats.h"
#include "TQROverallCallStats.h"
#include "TQRTurnaround.h"
#include "TQuickReport1.h"

namespace {

template <typename Document>
std::unique_ptr<ReportDocument> make(Engine &engine)
{
    return std::make_unique<Document>(engine);
}

struct Entry
{
    const char *className;
    std::unique_ptr<ReportDocument> (*create)(Engine &);
};

constexpr Entry kDocuments[] = {
    {"TQuickReport1", &make<TQuickReport1>},
    {"TQRLiveCallsByDate", &make<TQRLiveCallsByDate>},
    {"TQRLiveCallsByOwner", &make<TQRLiveCallsByOwner>},
    {"TQRCallsActions", &make<TQRCallsActions>},
    {"TQRCallByID", &make<TQRCallByID>},
    {"TQRTurnaround", &make<TQRTurnaround>},
    {"TQROverallCallStats", &make<TQROverallCallStats>},
    {"TQRMonthlyCallStats", &make<TQRMonthlyCallStats>},
};

} // namespace

std::unique_ptr<ReportDocument> createReportDocument(const QString &className, Engine &engine)
{
    for (const Entry &entry : kDocuments)
        if (className == QLatin1String(entry.className))
            return entry.create(engine);
    return nullptr;
}
