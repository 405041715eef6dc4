// The printer: installed printers, page geometry in device units, and
// documents of pages drawn through a canvas.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/graphics.h"

enum class TPrinterOrientation { poPortrait, poLandscape };

class TPrinter {
public:
    virtual ~TPrinter() = default;

    virtual std::vector<std::string> Printers() = 0;
    virtual int PrinterIndex() = 0;
    // -1 chooses the default printer.
    virtual void SetPrinterIndex(int i) = 0;
    virtual TPrinterOrientation Orientation() = 0;
    virtual void SetOrientation(TPrinterOrientation o) = 0;

    // Printable area in device pixels.
    virtual int PageWidth() = 0;
    virtual int PageHeight() = 0;
    // Device resolution, whole paper size and the offset of the printable
    // area from the paper's corner, in device pixels.
    virtual int dpi_x() = 0;
    virtual int dpi_y() = 0;
    virtual int physical_width() = 0;
    virtual int physical_height() = 0;
    virtual int offset_x() = 0;
    virtual int offset_y() = 0;

    std::string Title;
    // When not empty, the document goes into this PDF file instead of the printer.
    std::string output_file;
    // Copies of each document a printer makes (a file takes none).
    int Copies = 1;
    // The current entry writes its documents into a file rather than onto
    // paper; a print run then gives one document of all its pages.
    virtual bool prints_to_file() { return false; }

    // Raises Exception when the printer cannot start a document.
    virtual void BeginDoc() = 0;
    virtual void NewPage() = 0;
    virtual void EndDoc() = 0;
    virtual void Abort() = 0;
    virtual bool Printing() = 0;
    virtual int PageNumber() = 0;
    // The page being drawn (valid between BeginDoc and EndDoc).
    virtual TCanvas& Canvas() = 0;
};

// A printer that records the pages it is given (headless runs and tests):
// one printer "Headless A4" at 600 dots per inch.
class RecordingPrinter : public TPrinter {
public:
    std::vector<std::string> Printers() override { return printers; }
    int PrinterIndex() override { return index_; }
    void SetPrinterIndex(int i) override;
    TPrinterOrientation Orientation() override { return orientation_; }
    void SetOrientation(TPrinterOrientation o) override { orientation_ = o; }
    int PageWidth() override { return physical_width() - 2 * offset_x(); }
    int PageHeight() override { return physical_height() - 2 * offset_y(); }
    int dpi_x() override { return 600; }
    int dpi_y() override { return 600; }
    int physical_width() override;
    int physical_height() override;
    int offset_x() override { return 100; }
    int offset_y() override { return 100; }
    void BeginDoc() override;
    void NewPage() override;
    void EndDoc() override;
    void Abort() override;
    bool Printing() override { return printing_; }
    int PageNumber() override { return static_cast<int>(pages.size()); }
    TCanvas& Canvas() override;

    std::vector<std::string> printers{"Headless A4"};
    // The entry of this index writes into a file (-1: none does).
    int file_entry = -1;
    bool prints_to_file() override { return index_ == file_entry; }
    // Finished documents: title and pages.
    struct Document {
        std::string title;
        std::string output_file;
        int copies = 1;
        std::vector<std::unique_ptr<RecordingCanvas>> pages;
    };
    std::vector<Document> documents;
    std::vector<std::unique_ptr<RecordingCanvas>> pages;  // of the document in progress

private:
    int index_ = 0;
    TPrinterOrientation orientation_ = TPrinterOrientation::poPortrait;
    bool printing_ = false;
};
