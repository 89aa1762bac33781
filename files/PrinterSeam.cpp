#include "PrinterSeam.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace orvix {

namespace {
class QtPrinterSeam final : public PrinterSeam {
 public:
  QString DefaultPrinter() override { return QPrinterInfo::defaultPrinterName(); }
  bool PrinterExists(const QString& name) override {
    return QPrinterInfo::availablePrinterNames().contains(name);
  }
  std::optional<QString> Setup(QPrinter& printer, QWidget* parent) override {
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    // Printing to a file: no printer chosen.
    if (printer.outputFormat() == QPrinter::PdfFormat) return QString();
    return printer.printerName();
  }
};
}  // namespace

PrinterSeam& QtPrinters() {
  static QtPrinterSeam seam;
  return seam;
}

}  // namespace orvix
