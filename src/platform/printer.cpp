#include "platform/printer.h"

#include "platform/exceptions.h"

void RecordingPrinter::SetPrinterIndex(int i) {
    if (i < -1 || i >= static_cast<int>(printers.size())) throw Exception("Printer selected is not valid");
    index_ = i < 0 ? 0 : i;
}

// A4 at 600 dots per inch.
int RecordingPrinter::physical_width() { return orientation_ == TPrinterOrientation::poPortrait ? 4960 : 7016; }
int RecordingPrinter::physical_height() { return orientation_ == TPrinterOrientation::poPortrait ? 7016 : 4960; }

void RecordingPrinter::BeginDoc() {
    if (printing_) throw Exception("Printing in progress");
    printing_ = true;
    pages.clear();
    pages.push_back(std::make_unique<RecordingCanvas>());
}

void RecordingPrinter::NewPage() {
    if (!printing_) throw Exception("Printer is not currently printing");
    pages.push_back(std::make_unique<RecordingCanvas>());
}

void RecordingPrinter::EndDoc() {
    if (!printing_) throw Exception("Printer is not currently printing");
    printing_ = false;
    Document d;
    d.title = Title;
    d.output_file = output_file;
    d.copies = Copies;
    d.pages = std::move(pages);
    documents.push_back(std::move(d));
    pages.clear();
}

void RecordingPrinter::Abort() {
    printing_ = false;
    pages.clear();
}

TCanvas& RecordingPrinter::Canvas() {
    if (!printing_ || pages.empty()) throw Exception("Printer is not currently printing");
    return *pages.back();
}
