// Runs one date-range report to PDF the way `vellomar-admin report` does, and tells where its
// time and memory go: opening the report's query, laying out the pages (which reads the rest of
// the rows), painting the PDF; the heap the pages of primitives hold, the heap the report's
// dataset holds, and the resident memory after each step.
//
//   report_bench --database DB --workgroup WG --user NAME --name KEY
//                --from "YYYY-MM-DD HH:MM:SS" --to "YYYY-MM-DD HH:MM:SS" --pdf FILE
//
// The password comes from VELLOMAR_PASSWORD. Prints one line per measurement.
#include "Dataset.h"
#include "PdfExport.h"
#include "RenderedReport.h"
#include "ReportError.h"
#include "ReportDocument.h"
#include "ReportRun.h"
#include "ResidentMemory.h"
#include "SqliteEngine.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QSet>

#include <algorithm>
#include <cstdio>
#include <malloc.h>
#include <optional>
#include <type_traits>

namespace {

// Heap in use: small blocks plus the large ones malloc maps on their own.
long long heapInUse()
{
    const struct mallinfo2 m = mallinfo2();
    return static_cast<long long>(m.uordblks + m.hblkhd);
}

long peakKb()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

// The bytes a report's pages and CSV rows take on the heap: every vector and every text's own
// block, counted once however many copies share it.
class HeapWalk
{
public:
    long long bytes = 0;

    // A Qt container's block: its header and its capacity, as malloc rounds the request.
    template <typename Container> void add(const Container &c)
    {
        const void *data = c.constData();
        if (c.capacity() == 0 || m_seen.contains(data))
            return;
        m_seen.insert(data);
        const long long request =
            16 + static_cast<long long>(c.capacity()) * static_cast<long long>(sizeof(*c.constData()));
        bytes += std::max(32LL, (request + 8 + 15) & ~15LL);
    }
    void add(const QStringList &list)
    {
        add<QStringList>(list);
        for (const QString &s : list)
            add<QString>(s);
    }
    void add(const QImage &image)
    {
        if (!image.isNull() && !m_images.contains(image.cacheKey())) {
            m_images.insert(image.cacheKey());
            bytes += image.sizeInBytes();
        }
    }

private:
    QSet<const void *> m_seen;
    QSet<qint64> m_images;
};

struct PageCensus
{
    long long texts = 0, lines = 0, rects = 0, pictures = 0;
    long long pageBytes = 0, csvBytes = 0;
    long long primitives() const { return texts + lines + rects + pictures; }
};

PageCensus census(const RenderedReport &report)
{
    PageCensus c;
    HeapWalk pages;
    pages.bytes += static_cast<long long>(report.pages().capacity() * sizeof(RenderedPage));
    for (const RenderedPage &page : report.pages()) {
        pages.bytes += static_cast<long long>(page.items().capacity() * sizeof(PagePrimitive));
        for (const PagePrimitive &p : page.items())
            std::visit(
                [&](const auto &item) {
                    using T = std::decay_t<decltype(item)>;
                    if constexpr (std::is_same_v<T, TextItem>) {
                        ++c.texts;
                        pages.add<QString>(item.text);
                        pages.add(item.lines);
                    } else if constexpr (std::is_same_v<T, LineItem>) {
                        ++c.lines;
                    } else if constexpr (std::is_same_v<T, RectItem>) {
                        ++c.rects;
                    } else {
                        ++c.pictures;
                        pages.add(item.image);
                    }
                },
                p);
    }
    c.pageBytes = pages.bytes;
    // The CSV rows hold the texts the pages print: only what they do not share counts.
    pages.bytes += static_cast<long long>(report.csv().rows.capacity() * sizeof(QStringList));
    for (const QStringList &row : report.csv().rows)
        pages.add(row);
    c.csvBytes = pages.bytes - c.pageBytes;
    return c;
}

double mb(long long bytes) { return double(bytes) / (1024.0 * 1024.0); }

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    auto option = [&](const QString &name) {
        const int i = int(args.indexOf(name));
        return i >= 0 && i + 1 < args.size() ? args[i + 1] : QString();
    };
    const ReportDispatchEntry *entry = ReportDispatch::find(option(QStringLiteral("--name")));
    const QString format = QStringLiteral("yyyy-MM-dd HH:mm:ss");
    const QDateTime from = QDateTime::fromString(option(QStringLiteral("--from")), format);
    const QDateTime to = QDateTime::fromString(option(QStringLiteral("--to")), format);
    const QString pdf = option(QStringLiteral("--pdf"));
    if (!entry || entry->parameter != ReportParameter::Range || !from.isValid() || !to.isValid() ||
        pdf.isEmpty()) {
        std::fprintf(stderr, "usage: report_bench --database DB --workgroup WG --user NAME --name "
                             "KEY --from \"YYYY-MM-DD HH:MM:SS\" --to \"...\" --pdf FILE\n"
                             "(KEY: a date-range report)\n");
        return 2;
    }
    try {
        SqliteEngine engine;
        engine.open({QStringLiteral("SQLite"), option(QStringLiteral("--database")),
                     option(QStringLiteral("--workgroup"))},
                    option(QStringLiteral("--user")), qEnvironmentVariable("VELLOMAR_PASSWORD"));
        const long baseKb = residentKb();
        const long long heapStart = heapInUse();
        QElapsedTimer t;
        t.start();
        std::unique_ptr<ReportDocument> document = ReportRun::prepare(
            *entry, ReportRunParameters::range(from, to),
            [&engine](const QString &className) { return createReportDocument(className, engine); });
        const double openMs = t.nsecsElapsed() / 1e6;
        const int openStatements = document->ReportADOQuery().statementCount();
        const long openKb = residentKb();

        t.restart();
        std::optional<RenderedReport> report(document->render());
        const double renderMs = t.nsecsElapsed() / 1e6;
        const long renderKb = residentKb();
        const long long heapRendered = heapInUse();

        t.restart();
        ReportOutput::writePdf(*report, pdf);
        const double pdfMs = t.nsecsElapsed() / 1e6;
        const long pdfKb = residentKb();

        const PageCensus c = census(*report);
        const int pages = report->pageCount();
        const int rows = document->ReportADOQuery().recordCount();
        const int statements = document->ReportADOQuery().statementCount();
        report.reset();
        const long long heapWithoutReport = heapInUse();
        document.reset();
        const long long heapEnd = heapInUse();

        std::printf("rows: %d, read by %d statements (%d while opening)\n", rows, statements,
                    openStatements);
        std::printf("open: %.1f ms\n", openMs);
        std::printf("render: %.1f ms, %d pages\n", renderMs, pages);
        std::printf("pdf: %.1f ms\n", pdfMs);
        std::printf("primitives: %lld (%lld texts, %lld lines, %lld rectangles, %lld pictures), "
                    "%.1f per page\n",
                    c.primitives(), c.texts, c.lines, c.rects, c.pictures,
                    pages ? double(c.primitives()) / pages : 0.0);
        std::printf("heap of the pages: %.1f MB (%.0f bytes per primitive); of the CSV rows: "
                    "%.1f MB more; released with the report: %.1f MB\n",
                    mb(c.pageBytes), c.primitives() ? double(c.pageBytes) / c.primitives() : 0.0,
                    mb(c.csvBytes), mb(heapRendered - heapWithoutReport));
        std::printf("heap released with the report's dataset and definition: %.1f MB; "
                    "left over: %.1f MB\n",
                    mb(heapWithoutReport - heapEnd), mb(heapEnd - heapStart));
        std::printf("resident memory: connected %ld MB, opened %ld MB, rendered %ld MB, "
                    "pdf written %ld MB, peak %ld MB\n",
                    baseKb / 1024, openKb / 1024, renderKb / 1024, pdfKb / 1024, peakKb() / 1024);
    } catch (const DbError &e) {
        std::fprintf(stderr, "report_bench: %s\n", qPrintable(e.message()));
        return 1;
    } catch (const ReportError &e) {
        std::fprintf(stderr, "report_bench: %s\n", qPrintable(e.message()));
        return 1;
    } catch (const std::exception &e) {
        std::fprintf(stderr, "report_bench: %s\n", e.what());
        return 1;
    }
    return 0;
}
