#pragma once
// How the print window reaches the system's printers: the default printer, whether a
// chosen one is still there, and the printer set-up dialog. The station uses Qt's print
// support (CUPS on Linux); tests give a scripted one.
#include <QString>
#include <optional>

class QPrinter;
class QWidget;

namespace orvix {

class PrinterSeam {
 public:
  virtual ~PrinterSeam() = default;
  // The system's default printer; empty when no printer is installed.
  virtual QString DefaultPrinter() = 0;
  virtual bool PrinterExists(const QString& name) = 0;
  // Runs the set-up dialog on `printer` (printer, paper, orientation). Returns the name of
  // the printer chosen (empty when a file was chosen), nothing when cancelled.
  virtual std::optional<QString> Setup(QPrinter& printer, QWidget* parent) = 0;
};

// Qt's printers and QPrintDialog.
PrinterSeam& QtPrinters();

}  // namespace orvix
