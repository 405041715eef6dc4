// The printer through QPrinter: the installed printers plus a "PDF" entry,
// always listed, at 600 dots per inch; a document goes to the chosen
// printer, or into a PDF file: the file TPrinter::output_file names (laid
// out as the chosen printer would print it), or, on the PDF entry, a file
// asked for through the services' save dialog.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/printer.h"

class QPainter;
class QPrinter;

namespace gui {

class QtCanvas;

class QtPrinter : public TPrinter {
public:
    QtPrinter();
    ~QtPrinter() override;

    // The name of the PDF entry of the printer list.
    static constexpr const char* pdf_entry = "PDF";

    std::vector<std::string> Printers() override;
    int PrinterIndex() override;
    void SetPrinterIndex(int i) override;
    TPrinterOrientation Orientation() override;
    void SetOrientation(TPrinterOrientation o) override;
    int PageWidth() override;
    int PageHeight() override;
    int dpi_x() override;
    int dpi_y() override;
    int physical_width() override;
    int physical_height() override;
    int offset_x() override;
    int offset_y() override;
    void BeginDoc() override;
    void NewPage() override;
    void EndDoc() override;
    void Abort() override;
    bool Printing() override { return printing_; }
    int PageNumber() override { return page_; }
    TCanvas& Canvas() override;

    bool prints_to_file() override { return pdf_chosen(); }

    QPrinter& qprinter() { return *printer_; }
    // After the printer set-up dialog: the entry of the printer chosen there
    // becomes the current one.
    void follow_chosen_printer();
    // The resolution of the PDF entry.
    static constexpr int pdf_resolution = 600;

private:
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QPainter> painter_;
    std::unique_ptr<QtCanvas> canvas_;
    std::vector<std::string> names_;
    int index_ = -1;
    bool printing_ = false;
    int page_ = 0;
    void refresh_names();
    bool pdf_chosen() const;
};

}  // namespace gui
