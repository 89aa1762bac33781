#pragma once
// The print window "Drukowanie": five comment lines, the printer set-up, "Drukuj" and
// "Anuluj". It prints the main window's visible picture framed on one page with the file
// name of the view, the date and the comment (PrintPage.h gives the page). The printer is
// the system's default one until the set-up dialog picks another; with no printer at all
// the operator may print to a PDF file. Controls carry the names of the window design and
// are public for the window's tests; the main window reaches it through PrintWindowLink.
#include <QPrinter>
#include <QWidget>
#include <array>
#include <memory>
#include <optional>
#include <string>

#include "MainWindowLink.h"
#include "OperatorDialogs.h"
#include "PictureFiles.h"
#include "PictureFolders.h"
#include "PrintPage.h"
#include "PrintWindowLink.h"
#include "PrinterSeam.h"
#include "RunState.h"

class QGroupBox;
class QLineEdit;
class QPushButton;

namespace orvix {

namespace print {
inline constexpr const char* kNoPrinter =
    "Nie ma zainstalowanej żadnej drukarki.\n\n"
    "Czy zapisać wydruk do pliku PDF ?";
inline constexpr const char* kPrinterGone =
    "Drukarka  %1  jest niedostępna.\n\nObraz nie został wydrukowany.";
inline constexpr const char* kJobRefused =
    "Drukarka nie przyjęła wydruku.\n\nObraz nie został wydrukowany.";
inline constexpr const char* kPdfTitle = "Wydruk do pliku PDF";
inline constexpr const char* kPdfFilter = "PDF (*.pdf)";
inline constexpr const char* kPdfName = "wydruk.pdf";
}  // namespace print

class TDrukVid : public QWidget, public PrintWindowLink {
  Q_OBJECT
 public:
  // `main` (may be null) gives the lamps, the repaints and the picture panel's place;
  // `files` writes the picture into the print work file.
  TDrukVid(MainWindowLink* main, SharedState& s, OperatorDialogs& dialogs, PrinterSeam& printers,
           const PictureFolders& folders, PictureFiles& files, QWidget* parent = nullptr);
  ~TDrukVid() override;

  void FormCreate();  // empties the lines; 50 pixels below the picture panel's top
  void StartDruk() override;
  void KoniecDruk();
  void Button1Click();  // "Właściwości wydruku..."
  void Button2Click();  // "Drukuj"
  void Button3Click();  // "Anuluj"
  void Button4Click();  // "Czyść tekst"
  // Enter moves to the next line; true when the key was taken.
  bool Edit1KeyPress(QLineEdit* edit, int key);
  // Arrow up / down move between the lines; true when the key was taken.
  bool Edit1KeyDown(QLineEdit* edit, int key);
  // Prints the page; false when nothing reached a printer or a file.
  bool drukuj1();

  // What the last page was drawn with, in device pixels of its printer (tests).
  struct PrintedPage {
    PrintPage page;
    int dpi = 0;
    QRect printable;  // printable area on the paper, device pixels
    QString target;   // printer name, or the PDF file
  };
  const PrintedPage& LastPage() const { return last_; }

  QGroupBox* GroupBox1 = nullptr;
  std::array<QLineEdit*, print::kCommentLines> Edits{};  // Edit1..Edit5, tags 501..505
  QPushButton* Button1 = nullptr;
  QPushButton* Button2 = nullptr;
  QPushButton* Button3 = nullptr;
  QPushButton* Button4 = nullptr;
  QPrinter& Printer() { return *printer_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  int EditIndex(QLineEdit* edit) const;  // 0..4, -1 for none
  bool PrintOnto(QPrinter& printer);
  void Refresh();

  MainWindowLink* main_;
  SharedState& s_;
  OperatorDialogs& dialogs_;
  PrinterSeam& printers_;
  const PictureFolders& folders_;
  PictureFiles& files_;
  std::unique_ptr<QPrinter> printer_;
  std::optional<QString> chosen_;  // the printer picked in the set-up dialog
  PrintedPage last_;
  // False when this print could not write its work file: an older temp_dru.bmp is then
  // not printed as this picture.
  bool workFileWritten_ = true;
};

}  // namespace orvix
