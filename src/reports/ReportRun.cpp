#include "ReportRun.h"

#include "DbError.h"
#include "Prompter.h"
#include "RenderedReport.h"
#include "ReportDocument.h"
#include "ReportError.h"

#include <QCursor>
#include <QGuiApplication>
#include <stdexcept>

namespace {

class BusyCursor
{
public:
    BusyCursor() { QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;
};

} // namespace

namespace ReportRun {

std::unique_ptr<ReportDocument> prepare(const ReportDispatchEntry &entry,
                                        const ReportRunParameters &parameters,
                                        const ReportDocumentFactory &create)
{
    std::unique_ptr<ReportDocument> document = create ? create(entry.className) : nullptr;
    if (!document)
        throw std::runtime_error(
            QStringLiteral("The report %1 is not available.").arg(entry.className).toStdString());
    if (!entry.title.isEmpty())
        document->setTitle(entry.title);
    if (document->ValuesListUserLabelADOQuery())
        document->openUserLabels();
    document->appendClause(ReportDispatch::clause(entry, parameters));
    if (entry.parameter == ReportParameter::Range)
        document->setRange(parameters.from, parameters.to);
    return document;
}

Outcome run(const QString &reportName, bool preview, const Services &services)
{
    const ReportDispatchEntry *entry = ReportDispatch::find(reportName);
    if (!entry)
        return Outcome::NotAReport;

    ReportRunParameters parameters;
    if (entry->parameter == ReportParameter::Range) {
        const auto range = services.promptRange ? services.promptRange() : std::nullopt;
        if (!range)
            return Outcome::Cancelled;
        parameters = *range;
    } else if (entry->parameter == ReportParameter::CallId) {
        const auto callId = services.promptCallId ? services.promptCallId() : std::nullopt;
        if (!callId)
            return Outcome::Cancelled;
        parameters = ReportRunParameters::call(*callId);
    }

    std::optional<BusyCursor> busy(std::in_place);
    const std::unique_ptr<ReportDocument> document =
        prepare(*entry, parameters, services.createDocument);
    std::optional<QString> failure;
    try {
        const RenderedReport report = document->render();
        // The preview and the printer's progress window take the normal cursor.
        busy.reset();
        if (preview)
            services.preview(report);
        else
            services.print(report);
    } catch (const ReportError &e) {
        failure = e.message();
    } catch (const DbError &e) {
        failure = e.message();
    } catch (const std::exception &e) {
        failure = QString::fromLocal8Bit(e.what());
    }
    if (failure) {
        busy.reset();
        Prompter::instance().message(*failure, Prompter::Kind::Error);
        return Outcome::OutputFailed;
    }
    return Outcome::Shown;
}

} // namespace ReportRun
