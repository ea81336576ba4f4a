#include "ReportPrinters.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace {

std::unique_ptr<ReportPrinters> &holder()
{
    static std::unique_ptr<ReportPrinters> printers;
    return printers;
}

} // namespace

ReportPrinters &ReportPrinters::instance()
{
    auto &p = holder();
    if (!p)
        p = std::make_unique<PlatformReportPrinters>();
    return *p;
}

void ReportPrinters::install(std::unique_ptr<ReportPrinters> printers)
{
    holder() = std::move(printers);
}

std::unique_ptr<QPrinter> PlatformReportPrinters::choose(QWidget *parent, int pageCount)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setFromTo(0, 0);
    QPrintDialog dialog(printer.get(), parent);
    dialog.setMinMax(1, std::max(1, pageCount));
    dialog.setOptions(QAbstractPrintDialog::PrintPageRange | QAbstractPrintDialog::PrintToFile |
                      QAbstractPrintDialog::PrintCollateCopies |
                      QAbstractPrintDialog::PrintShowPageSize);
    if (dialog.exec() != QDialog::Accepted)
        return nullptr;
    return printer;
}

std::unique_ptr<QPrinter> PlatformReportPrinters::defaultPrinter()
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return nullptr;
    return std::make_unique<QPrinter>(info, QPrinter::HighResolution);
}
