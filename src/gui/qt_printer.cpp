#include "gui/qt_printer.h"

#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>

#include "gui/qt_canvas.h"
#include "gui/qt_text.h"
#include "platform/exceptions.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/services.h"

namespace gui {

QtPrinter::QtPrinter() : printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    refresh_names();
    SetPrinterIndex(-1);
}

QtPrinter::~QtPrinter() {
    if (printing_) Abort();
}

void QtPrinter::refresh_names() {
    names_.clear();
    for (const QString& n : QPrinterInfo::availablePrinterNames()) names_.push_back(cp(n));
    names_.push_back(pdf_entry);
}

std::vector<std::string> QtPrinter::Printers() {
    if (!printing_) {
        const std::string current = index_ >= 0 && index_ < static_cast<int>(names_.size()) ? names_[static_cast<std::size_t>(index_)] : "";
        refresh_names();
        index_ = static_cast<int>(names_.size()) - 1;
        for (std::size_t i = 0; i < names_.size(); ++i)
            if (names_[i] == current) index_ = static_cast<int>(i);
    }
    return names_;
}

int QtPrinter::PrinterIndex() { return index_; }

bool QtPrinter::pdf_chosen() const { return index_ == static_cast<int>(names_.size()) - 1; }

void QtPrinter::SetPrinterIndex(int i) {
    if (i < -1 || i >= static_cast<int>(names_.size())) throw Exception("Printer selected is not valid");
    if (i == -1) {
        const QString def = QPrinterInfo::defaultPrinterName();
        i = static_cast<int>(names_.size()) - 1;
        for (std::size_t k = 0; k + 1 < names_.size(); ++k)
            if (qs(names_[k]) == def) i = static_cast<int>(k);
    }
    index_ = i;
    printer_->setFullPage(false);
    if (pdf_chosen()) {
        printer_->setOutputFormat(QPrinter::PdfFormat);
        printer_->setResolution(pdf_resolution);
    } else {
        printer_->setOutputFormat(QPrinter::NativeFormat);
        printer_->setPrinterName(qs(names_[static_cast<std::size_t>(i)]));
    }
}

void QtPrinter::follow_chosen_printer() {
    refresh_names();
    if (printer_->outputFormat() == QPrinter::PdfFormat) {
        index_ = static_cast<int>(names_.size()) - 1;
        printer_->setResolution(pdf_resolution);
        return;
    }
    for (std::size_t k = 0; k + 1 < names_.size(); ++k)
        if (qs(names_[k]) == printer_->printerName()) index_ = static_cast<int>(k);
}

TPrinterOrientation QtPrinter::Orientation() {
    return printer_->pageLayout().orientation() == QPageLayout::Landscape ? TPrinterOrientation::poLandscape
                                                                          : TPrinterOrientation::poPortrait;
}

void QtPrinter::SetOrientation(TPrinterOrientation o) {
    printer_->setPageOrientation(o == TPrinterOrientation::poLandscape ? QPageLayout::Landscape : QPageLayout::Portrait);
}

int QtPrinter::PageWidth() { return static_cast<int>(printer_->pageRect(QPrinter::DevicePixel).width()); }
int QtPrinter::PageHeight() { return static_cast<int>(printer_->pageRect(QPrinter::DevicePixel).height()); }
int QtPrinter::dpi_x() { return printer_->resolution(); }
int QtPrinter::dpi_y() { return printer_->resolution(); }
int QtPrinter::physical_width() { return static_cast<int>(printer_->paperRect(QPrinter::DevicePixel).width()); }
int QtPrinter::physical_height() { return static_cast<int>(printer_->paperRect(QPrinter::DevicePixel).height()); }
int QtPrinter::offset_x() {
    return static_cast<int>(printer_->pageRect(QPrinter::DevicePixel).left() - printer_->paperRect(QPrinter::DevicePixel).left());
}
int QtPrinter::offset_y() {
    return static_cast<int>(printer_->pageRect(QPrinter::DevicePixel).top() - printer_->paperRect(QPrinter::DevicePixel).top());
}

void QtPrinter::BeginDoc() {
    if (printing_) throw Exception("Printing in progress");
    printer_->setDocName(qs(Title));
    // Where the chosen printer's printable area starts, for a file laid out
    // as that printer would print it.
    QPoint origin;
    if (!output_file.empty()) {
        const QPageLayout layout = printer_->pageLayout();
        const int resolution = printer_->resolution();
        origin = QPoint(offset_x(), offset_y());
        printer_->setOutputFormat(QPrinter::PdfFormat);
        printer_->setResolution(resolution);
        printer_->setPageSize(layout.pageSize());
        printer_->setPageOrientation(layout.orientation());
        printer_->setFullPage(true);
        printer_->setOutputFileName(os_path(output_file));
        printer_->setCopyCount(1);
    } else if (pdf_chosen()) {
        // Asked once for the run: the print command makes one document of it.
        TSaveDialog dialog(nullptr);
        dialog.Filter = "PDF (*.pdf)|*.pdf";
        dialog.DefaultExt = "pdf";
        dialog.FileName = Title.empty() ? "print.pdf" : ChangeFileExt(Title, ".pdf");
        dialog.Options |= ofOverwritePrompt;
        if (!services().open_dialog(dialog, true)) throw EAbort();
        printer_->setOutputFileName(os_path(dialog.FileName));
        printer_->setCopyCount(1);
    } else {
        printer_->setOutputFormat(QPrinter::NativeFormat);
        printer_->setOutputFileName(QString());
        printer_->setCopyCount(std::max(1, Copies));
    }
    painter_ = std::make_unique<QPainter>();
    if (!painter_->begin(printer_.get())) {
        painter_.reset();
        if (!output_file.empty()) SetPrinterIndex(index_);
        throw Exception("Printer is not available");
    }
    painter_->translate(origin);
    canvas_ = std::make_unique<QtCanvas>(*painter_, printer_->resolution());
    printing_ = true;
    page_ = 1;
}

void QtPrinter::NewPage() {
    if (!printing_) throw Exception("Printer is not currently printing");
    canvas_->flush();  // the lines held belong to the page that ends
    const QTransform origin = painter_->transform();
    printer_->newPage();
    painter_->setTransform(origin);
    ++page_;
}

void QtPrinter::EndDoc() {
    if (!printing_) throw Exception("Printer is not currently printing");
    canvas_.reset();
    const bool ok = painter_->end();
    painter_.reset();
    printing_ = false;
    page_ = 0;
    if (!output_file.empty() || pdf_chosen()) SetPrinterIndex(index_);
    if (!ok) throw Exception("Printing failed");
}

void QtPrinter::Abort() {
    if (!printing_) return;
    printer_->abort();
    canvas_.reset();
    if (painter_->isActive()) painter_->end();
    painter_.reset();
    printing_ = false;
    page_ = 0;
    SetPrinterIndex(index_);
}

TCanvas& QtPrinter::Canvas() {
    if (!printing_ || !canvas_) throw Exception("Printer is not currently printing");
    return *canvas_;
}

}  // namespace gui
