#include "TDrukVid.h"

#include <QDate>
#include <QFontMetrics>
#include <QGroupBox>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QPushButton>

#include "Colours.h"
#include "QtText.h"
#include "FileTexts.h"
#include "PictureEncoders.h"

namespace orvix {

namespace {
constexpr int kFirstTag = 501;
}  // namespace

TDrukVid::TDrukVid(MainWindowLink* main, SharedState& s, OperatorDialogs& dialogs,
                   PrinterSeam& printers, const PictureFolders& folders, PictureFiles& files,
                   QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint),
      main_(main),
      s_(s),
      dialogs_(dialogs),
      printers_(printers),
      folders_(folders),
      files_(files),
      printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
  setObjectName(QStringLiteral("DrukVid"));
  setWindowTitle(QStringLiteral("Drukowanie"));
  setAutoFillBackground(true);
  QPalette p = palette();
  p.setColor(QPalette::Window, QColor(kSilver));
  setPalette(p);
  setFixedSize(687, 193);
  // The anaglyph is a colour picture: colour unless the set-up dialog says otherwise.
  printer_->setColorMode(QPrinter::Color);

  GroupBox1 = new QGroupBox(Q("  Komentarz do wydruku obrazu  "), this);
  GroupBox1->setGeometry(16, 16, 656, 110);
  GroupBox1->setAutoFillBackground(true);
  QPalette white = GroupBox1->palette();
  white.setColor(QPalette::Window, Qt::white);
  white.setColor(QPalette::Base, Qt::white);
  GroupBox1->setPalette(white);
  QFont courier(QStringLiteral("Courier New"));
  courier.setPixelSize(13);
  for (int i = 0; i < print::kCommentLines; ++i) {
    auto* e = new QLineEdit(GroupBox1);
    e->setObjectName(QStringLiteral("Edit%1").arg(i + 1));
    e->setGeometry(6, 18 + 16 * i, 643, 17);
    e->setFrame(false);
    e->setFont(courier);
    e->setMaxLength(80);
    e->setFocusPolicy(Qt::ClickFocus);  // no tab stop
    e->setProperty("tag", kFirstTag + i);
    e->installEventFilter(this);
    Edits[size_t(i)] = e;
  }
  auto button = [this](const char* text, int left) {
    auto* b = new QPushButton(Q(text), this);
    b->move(left, 152);
    b->adjustSize();
    return b;
  };
  Button4 = button("Czyść tekst", 16);
  Button1 = button("Właściwości wydruku...", 147);
  Button2 = button("Drukuj", 494);
  Button3 = button("Anuluj", 590);
  connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
  connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
  connect(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
  connect(Button4, &QPushButton::clicked, this, [this] { Button4Click(); });
  FormCreate();
}

TDrukVid::~TDrukVid() = default;

void TDrukVid::FormCreate() {
  for (QLineEdit* e : Edits) e->clear();
  if (main_) move(x(), main_->PicturePanelGeometry().top() + 50);
}

void TDrukVid::Refresh() {
  if (main_) main_->UpdateLamps();
}

void TDrukVid::StartDruk() {
  s_.PrintBusy = -1;
  Refresh();
  if (main_) {
    // The panel has its place only once the main window is shown, after FormCreate ran
    // at start: the 50 pixels below its top are taken again here.
    const QRect panel = main_->PicturePanelGeometry();
    move(panel.left() + panel.width() / 2 - width() / 2, panel.top() + 50);
  }
  show();
  raise();
  activateWindow();
  Edits[0]->setFocus();
}

void TDrukVid::KoniecDruk() {
  s_.PrintBusy = 0;
  Refresh();
  hide();
}

void TDrukVid::Button1Click() {
  if (const auto name = printers_.Setup(*printer_, this)) chosen_ = *name;
}

void TDrukVid::Button2Click() {
  hide();
  if (main_) main_->RepaintViews();
  drukuj1();
  KoniecDruk();
}

void TDrukVid::Button3Click() {
  hide();
  if (main_) main_->RepaintViews();
  KoniecDruk();
}

void TDrukVid::Button4Click() {
  for (QLineEdit* e : Edits) e->clear();
  Edits[0]->setFocus();
}

int TDrukVid::EditIndex(QLineEdit* edit) const {
  for (int i = 0; i < print::kCommentLines; ++i)
    if (Edits[size_t(i)] == edit) return i;
  return -1;
}

bool TDrukVid::Edit1KeyPress(QLineEdit* edit, int key) {
  const int i = EditIndex(edit);
  if (i < 0 || (key != Qt::Key_Return && key != Qt::Key_Enter)) return false;
  if (i + 1 < print::kCommentLines) Edits[size_t(i + 1)]->setFocus();
  return true;
}

bool TDrukVid::Edit1KeyDown(QLineEdit* edit, int key) {
  const int i = EditIndex(edit);
  if (i < 0 || (key != Qt::Key_Up && key != Qt::Key_Down)) return false;
  const int to = key == Qt::Key_Up ? i - 1 : i + 1;
  if (to >= 0 && to < print::kCommentLines) Edits[size_t(to)]->setFocus();
  return true;
}

bool TDrukVid::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    auto* edit = qobject_cast<QLineEdit*>(watched);
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (edit && (Edit1KeyPress(edit, key) || Edit1KeyDown(edit, key))) return true;
  }
  return QWidget::eventFilter(watched, event);
}

bool TDrukVid::drukuj1() {
  if (main_) main_->RepaintViews();
  workFileWritten_ = files_.WritePrintPicture();
  // A file chosen in the set-up dialog is printed as it is. Otherwise the printer chosen
  // there, or until then the system's default printer of the moment. (With no printer
  // installed Qt sets a new QPrinter to PDF output by itself: that is not a choice.)
  if (chosen_ && chosen_->isEmpty() && !printer_->outputFileName().isEmpty())
    return PrintOnto(*printer_);
  const QString name = chosen_ ? *chosen_ : printers_.DefaultPrinter();
  if (chosen_ && !printers_.PrinterExists(name)) {
    // The printer picked in the set-up dialog has gone since.
    dialogs_.Message(MsgType::Error, Q(print::kPrinterGone).arg(name).toStdString(),
                     MsgButtons::Ok);
    return false;
  }
  if (name.isEmpty()) {
    if (dialogs_.Message(MsgType::Confirmation, print::kNoPrinter, MsgButtons::YesNo) !=
        MsgResult::Yes)
      return false;
    FileDialogRequest request;
    request.title = print::kPdfTitle;
    request.folder = folders_.SaveDir;
    request.fileName = print::kPdfName;
    request.filters = {print::kPdfFilter};
    const auto answer = dialogs_.SaveFile(request);
    if (main_) main_->RepaintViews();
    if (!answer) return false;
    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setColorMode(QPrinter::Color);
    pdf.setPageLayout(printer_->pageLayout());
    pdf.setOutputFileName(Q(answer->path));
    return PrintOnto(pdf);
  }
  printer_->setOutputFormat(QPrinter::NativeFormat);
  printer_->setPrinterName(name);
  return PrintOnto(*printer_);
}

bool TDrukVid::PrintOnto(QPrinter& printer) {
  using namespace print;
  const int view = s_.ViewMode.load();
  std::array<std::string, kCommentLines> comments;
  for (int i = 0; i < kCommentLines; ++i)
    comments[size_t(i)] = Edits[size_t(i)]->text().toStdString();
  const std::string name = view >= 1 && view <= 5 ? s_.ViewCaptions[size_t(view)] : "";
  const std::string date =
      QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat).toStdString();

  // The page is laid out in the printer's own printable area: its hardware margins, not
  // Qt's default ones, so the picture sits as far from the sheet's top on every printer.
  QPageLayout layout = printer.pageLayout();
  layout.setMargins(layout.minimumMargins());
  printer.setPageLayout(layout);
  const int dpi = printer.resolution();
  const QRect printable = printer.pageRect(QPrinter::DevicePixel).toRect();
  const PrintPage page =
      LayOutPrintPage(dpi, printable.width(), printable.height(), view, name, date, comments);
  last_ = {page, dpi, printable,
           printer.outputFormat() == QPrinter::PdfFormat ? printer.outputFileName()
                                                         : printer.printerName()};

  printer.setDocName(QStringLiteral("ORVIX"));
  QPainter painter;
  if (page.k <= 0 || !painter.begin(&printer)) {
    dialogs_.Message(MsgType::Error, kJobRefused, MsgButtons::Ok);
    return false;
  }
  // The origin is the printable area's top left corner.
  // The work file is read only when it is a regular file (a FIFO there would never end).
  const QImage picture = workFileWritten_
                             ? LoadBmpFile(folders_.ProgramDir + "/" + files::kPrintWorkFile)
                             : QImage();
  if (!picture.isNull())
    painter.drawImage(QRect(page.X1, page.Y1, page.X2 - page.X1, page.Y2 - page.Y1), picture);

  QPen pen(Qt::black, kFramePen, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
  painter.setPen(pen);
  painter.setBrush(Qt::NoBrush);
  const int l = page.X1 - kFrameGap, t = page.Y1 - kFrameGap;
  const int r = page.X2 + kFrameGap, b = page.Y2 + kFrameGap;
  const QPoint frame[] = {{l, t}, {r, t}, {r, b}, {l, b}, {l, t}};
  painter.drawPolyline(frame, 5);

  painter.setPen(Qt::black);
  QFont font(Q(kFont));
  font.setStyleHint(QFont::TypeWriter);
  font.setPointSize(kFooterPoints);
  painter.setFont(font);
  const QString footer = Q(kFooter);
  const QFontMetrics footerMetrics(font, &printer);
  painter.drawText(FooterLeft(printable.width(), footerMetrics.horizontalAdvance(footer)),
                   page.footerTop + footerMetrics.ascent(), footer);

  font.setPointSize(kTextPoints);
  painter.setFont(font);
  const QFontMetrics metrics(font, &printer);
  for (const PrintTextLine& line : page.lines)
    if (!line.text.empty()) painter.drawText(line.x, line.y + metrics.ascent(), Q(line.text));

  if (!painter.end() || printer.printerState() == QPrinter::Error) {
    dialogs_.Message(MsgType::Error, kJobRefused, MsgButtons::Ok);
    return false;
  }
  return true;
}

}  // namespace orvix
