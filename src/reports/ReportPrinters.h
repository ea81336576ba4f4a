#pragma once

#include <memory>

class QPrinter;
class QWidget;

// Where reports are printed: the platform's print dialog and printers. The program uses the
// platform's; tests install their own, so that no dialog opens and nothing reaches a printer.
class ReportPrinters
{
public:
    virtual ~ReportPrinters() = default;

    // The print dialog for a report of pageCount pages: printer, copies and page range, all
    // left on the printer returned. nullptr when the user cancelled.
    virtual std::unique_ptr<QPrinter> choose(QWidget *parent, int pageCount) = 0;
    // The printer a report goes to without a question; nullptr when there is none.
    virtual std::unique_ptr<QPrinter> defaultPrinter() = 0;

    static ReportPrinters &instance();
    static void install(std::unique_ptr<ReportPrinters> printers);   // nullptr: the platform's
};

// The platform's print dialog and default printer.
class PlatformReportPrinters final : public ReportPrinters
{
public:
    std::unique_ptr<QPrinter> choose(QWidget *parent, int pageCount) override;
    std::unique_ptr<QPrinter> defaultPrinter() override;
};
