// The print window: the lamps follow PrintBusy through every way out, the comment lines
// move and keep their text as the operator expects, no printer or a lost one is told and
// never reported as printed, and a page that reaches a PDF file (Qt's, and a real CUPS
// queue when the test server runs) shows its frame, picture and text where the page
// geometry puts them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTransform>
#include <chrono>
#include <thread>

#include "FakeMainWindowLink.h"
#include "PrintTestSupport.h"
#include "RunState.h"
#include "ScriptedDialogs.h"

namespace orvix {
namespace {

using test::FakeMainWindowLink;
using test::ScriptedDialogs;
using test::ScriptedPrinters;

struct PrintFixture : ::testing::Test {
  QTemporaryDir dir;
  SharedState s;
  ScriptedDialogs dialogs;
  ScriptedPrinters printers;
  PictureFolders folders;
  FakeMainWindowLink main;
  PictureSurfaces picture;  // mid-grey: the print window's work picture
  StationStrip strip{s};
  std::unique_ptr<PictureFiles> files;
  std::unique_ptr<TDrukVid> w;

  void SetUp() override {
    folders.ProgramDir = dir.path().toStdString();
    folders.SaveDir = folders.ProgramDir + "/";
    main.panel = {100, 40, 1100, 800};
    picture.Image1.fill(QColor(128, 128, 128));
    files = std::make_unique<PictureFiles>(s, dialogs, folders, picture, strip);
    w = std::make_unique<TDrukVid>(&main, s, dialogs, printers, folders, *files);
  }
  bool WorkFileWritten() const { return QFileInfo::exists(QString::fromStdString(Path("temp_dru.bmp"))); }
  std::string Path(const char* name) const { return folders.ProgramDir + "/" + name; }
  void Type(const std::array<const char*, 5>& lines) {
    for (int i = 0; i < 5; ++i) w->Edits[size_t(i)]->setText(QString::fromUtf8(lines[size_t(i)]));
  }
};

TEST_F(PrintFixture, WindowAndLampsFollowPrintBusy) {
  EXPECT_EQ(w->windowTitle(), QStringLiteral("Drukowanie"));
  EXPECT_EQ(w->size(), QSize(687, 193));
  EXPECT_TRUE(w->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(w->Button1->text(), QString::fromUtf8("Właściwości wydruku..."));
  EXPECT_EQ(w->Edits[2]->property("tag").toInt(), 503);
  EXPECT_EQ(w->Edits[0]->maxLength(), 80);
  EXPECT_EQ(w->y(), 40 + 50);

  // The main window laid out after the print window was made: placed over the panel now.
  main.panel = {101, 70, 1101, 800};
  w->StartDruk();
  EXPECT_EQ(s.PrintBusy.load(), -1);
  EXPECT_TRUE(w->isVisible());
  EXPECT_EQ(w->pos(), QPoint(101 + 1101 / 2 - 687 / 2, 70 + 50));
  EXPECT_EQ(main.runButtons, 1);
  QTest::mouseClick(w->Button3, Qt::LeftButton);  // "Anuluj"
  EXPECT_EQ(s.PrintBusy.load(), 0);
  EXPECT_FALSE(w->isVisible());
  EXPECT_EQ(main.runButtons, 2);
  EXPECT_FALSE(WorkFileWritten());

  // "Drukuj" with no printer and the PDF offer declined: nothing printed, lamps back.
  w->StartDruk();
  dialogs.answers.push_back(MsgResult::No);
  QTest::mouseClick(w->Button2, Qt::LeftButton);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, print::kNoPrinter);
  EXPECT_EQ(dialogs.shown[0].buttons, MsgButtons::YesNo);
  EXPECT_EQ(s.PrintBusy.load(), 0);
  EXPECT_FALSE(w->isVisible());
  EXPECT_TRUE(WorkFileWritten());

  // The set-up dialog leaves the window open.
  w->StartDruk();
  QTest::mouseClick(w->Button1, Qt::LeftButton);
  EXPECT_EQ(printers.setups, 1);
  EXPECT_TRUE(w->isVisible());
  EXPECT_EQ(s.PrintBusy.load(), -1);
}

TEST_F(PrintFixture, CommentLinesMoveByKeysAndKeepTheirText) {
  w->StartDruk();
  QApplication::setActiveWindow(w.get());
  auto key = [&](int from, Qt::Key k) {
    w->Edits[size_t(from)]->setFocus();
    QTest::keyClick(w->Edits[size_t(from)], k);
    for (int i = 0; i < 5; ++i)
      if (w->focusWidget() == w->Edits[size_t(i)]) return i;
    return -1;
  };
  EXPECT_EQ(key(2, Qt::Key_Return), 3);
  EXPECT_EQ(key(0, Qt::Key_Enter), 1);
  EXPECT_EQ(key(4, Qt::Key_Return), 4);
  EXPECT_EQ(key(0, Qt::Key_Up), 0);
  EXPECT_EQ(key(3, Qt::Key_Up), 2);
  EXPECT_EQ(key(3, Qt::Key_Down), 4);
  EXPECT_EQ(key(4, Qt::Key_Down), 4);
  // Enter and the arrows never reach the line's text; other keys do.
  EXPECT_TRUE(w->Edits[0]->text().isEmpty());
  QTest::keyClicks(w->Edits[1], QStringLiteral("ab"));
  EXPECT_EQ(w->Edits[1]->text(), QStringLiteral("ab"));
  QTest::keyClicks(w->Edits[1], QString(100, QLatin1Char('x')));
  EXPECT_EQ(w->Edits[1]->text().size(), 80);

  // The comment stays through a print and a reopening; "Czyść tekst" empties it.
  dialogs.answers.push_back(MsgResult::No);
  w->Button2Click();
  w->StartDruk();
  EXPECT_EQ(w->Edits[1]->text().left(2), QStringLiteral("ab"));
  QTest::mouseClick(w->Button4, Qt::LeftButton);
  for (QLineEdit* e : w->Edits) EXPECT_TRUE(e->text().isEmpty());
  EXPECT_EQ(w->focusWidget(), w->Edits[0]);
}

TEST_F(PrintFixture, LostPrinterAndCancelledFileAreToldNotPrinted) {
  // A printer chosen in the set-up dialog that has gone since.
  printers.printers = {QStringLiteral("Inna"), QStringLiteral("Stara")};
  printers.choose = QStringLiteral("Stara");
  w->StartDruk();
  w->Button1Click();
  printers.printers.pop_back();
  w->Button2Click();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].type, MsgType::Error);
  EXPECT_EQ(dialogs.shown[0].text,
            "Drukarka  Stara  jest niedostępna.\n\nObraz nie został wydrukowany.");
  EXPECT_EQ(s.PrintBusy.load(), 0);

  // No printer, PDF offered and accepted, file dialog cancelled: nothing written.
  printers.printers.clear();
  printers.choose.clear();
  w = std::make_unique<TDrukVid>(&main, s, dialogs, printers, folders, *files);
  dialogs.shown.clear();
  dialogs.answers.push_back(MsgResult::Yes);
  dialogs.fileAnswers.push_back(std::nullopt);
  EXPECT_FALSE(w->drukuj1());
  ASSERT_EQ(dialogs.fileRequests.size(), 1u);
  EXPECT_EQ(dialogs.fileRequests[0].filters, std::vector<std::string>{print::kPdfFilter});
  EXPECT_EQ(dialogs.shown.size(), 1u);

  // A PDF file that cannot be created is a refused job, not a print.
  dialogs.shown.clear();
  dialogs.answers.push_back(MsgResult::Yes);
  dialogs.fileAnswers.push_back(FileDialogAnswer{Path("brak/folderu/w.pdf"), 0});
  EXPECT_FALSE(w->drukuj1());
  ASSERT_EQ(dialogs.shown.size(), 2u);
  EXPECT_EQ(dialogs.shown[1].text, print::kJobRefused);
}

// Checks a printed PDF against the geometry the window printed it with.
void ExpectPageAsLaidOut(const std::string& pdf, const TDrukVid::PrintedPage& printed,
                         const std::string& outBase, bool nameLine) {
  constexpr int kDpi = 150;
  QImage g = test::RasterisePdf(pdf, kDpi, outBase);
  ASSERT_FALSE(g.isNull()) << "pdftoppm could not read " << pdf;
  // A spooler may put a landscape page on the sheet turned, its top along the sheet's left.
  const bool landscape = printed.printable.width() > printed.printable.height();
  if (landscape && g.height() > g.width()) g = g.transformed(QTransform().rotate(90));
  const double s = double(kDpi) / printed.dpi;
  const PrintPage& p = printed.page;
  const QPoint o = printed.printable.topLeft();
  const test::FoundPage f = test::FindPage(g, printed, kDpi);
  // The frame's 4-pixel pen is centred on the outline 16 device pixels outside.
  EXPECT_NEAR(f.frameLeft, (o.x() + p.X1 - print::kFrameGap - 2) * s, 2);
  EXPECT_NEAR(f.frameTop, (o.y() + p.Y1 - print::kFrameGap - 2) * s, 2);
  EXPECT_NEAR(f.pictureLeft, (o.x() + p.X1) * s, 2);
  EXPECT_NEAR(f.pictureTop, (o.y() + p.Y1) * s, 2);
  EXPECT_NEAR(f.pictureRight, (o.x() + p.X2) * s, 2);
  // The same distance from the sheet's top on every printer: 30 mm, 20 mm in landscape.
  EXPECT_NEAR(f.pictureTop * 25.4 / kDpi, landscape ? 20.0 : 30.0, 0.5);
  // Text where the lines are; nothing in the two empty comment lines.
  const size_t first = nameLine ? 4 : 2;
  ASSERT_EQ(p.lines.size(), first + 5);
  if (nameLine) {
    EXPECT_GT(test::InkInLine(g, printed, kDpi, p.lines[0].x, p.lines[0].y, 20), 0);
  }
  EXPECT_GT(test::InkInLine(g, printed, kDpi, p.lines[first - 2].x, p.lines[first - 2].y, 20), 0);
  EXPECT_GT(test::InkInLine(g, printed, kDpi, p.lines[first].x, p.lines[first].y, 20), 0);
  EXPECT_EQ(test::InkInLine(g, printed, kDpi, p.lines[first + 1].x, p.lines[first + 1].y, 100), 0);
  EXPECT_GT(test::InkInLine(g, printed, kDpi, p.lines[first + 2].x, p.lines[first + 2].y, 20), 0);
  EXPECT_EQ(test::InkInLine(g, printed, kDpi, p.lines[first + 3].x, p.lines[first + 3].y, 100), 0);
  EXPECT_GT(test::InkInLine(g, printed, kDpi, p.lines[first + 4].x, p.lines[first + 4].y, 20), 0);
}

TEST_F(PrintFixture, NoPrinterPrintsToPdfFile) {
  s.ViewMode = 2;
  s.ViewCaptions[2] = "kan2-0001.bmp";
  Type({"Próbka 17", "", "powiększenie 12000", "", "koniec"});
  dialogs.answers.push_back(MsgResult::Yes);
  dialogs.fileAnswers.push_back(FileDialogAnswer{Path("wydruk.pdf"), 0});
  w->StartDruk();
  w->Button2Click();
  EXPECT_EQ(dialogs.shown.size(), 1u);  // only the offer: no failure
  EXPECT_EQ(s.PrintBusy.load(), 0);
  EXPECT_EQ(w->LastPage().target, QString::fromStdString(Path("wydruk.pdf")));
  ASSERT_TRUE(QFileInfo::exists(QString::fromStdString(Path("wydruk.pdf"))));
  if (!test::HavePdftoppm()) GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
  ExpectPageAsLaidOut(Path("wydruk.pdf"), w->LastPage(), Path("page"), true);

  // The ALL view: no file-name line.
  s.ViewMode = 5;
  dialogs.answers.push_back(MsgResult::Yes);
  dialogs.fileAnswers.push_back(FileDialogAnswer{Path("all.pdf"), 0});
  ASSERT_TRUE(w->drukuj1());
  ExpectPageAsLaidOut(Path("all.pdf"), w->LastPage(), Path("all"), false);
}

// The folder cups-pdf writes the PDFs of this user to ("Out" in cups-pdf.conf).
QString CupsPdfOut() {
  QString out = QStringLiteral("${HOME}/PDF");
  QFile conf(QStringLiteral("/etc/cups/cups-pdf.conf"));
  if (conf.open(QIODevice::ReadOnly))
    for (const QByteArray& line : conf.readAll().split('\n')) {
      if (line.startsWith("Out ")) out = QString::fromUtf8(line.mid(4).trimmed());
    }
  return out.replace(QStringLiteral("${HOME}"), QDir::homePath());
}

TEST_F(PrintFixture, RealCupsQueuePrintsThePage) {
  const QString queue = QPrinterInfo::defaultPrinterName();
  if (queue != QStringLiteral("ORVIX_PDF"))
    GTEST_SKIP() << "no CUPS server with the cups-pdf queue ORVIX_PDF as default printer "
                    "(start it with scripts/cups-test-server.sh start)";
  const QDir out(CupsPdfOut());
  const auto before = out.entryList({QStringLiteral("*.pdf")}, QDir::Files);
  s.ViewMode = 1;
  s.ViewCaptions[1] = "kan1.bmp";
  Type({"cups", "", "trzecia", "", "piąta"});
  TDrukVid real(&main, s, dialogs, QtPrinters(), folders, *files);
  for (int i = 0; i < 5; ++i) real.Edits[size_t(i)]->setText(w->Edits[size_t(i)]->text());
  // Portrait, then landscape: each page is the queue's next new PDF.
  QStringList seen = before;
  for (const auto orientation : {QPageLayout::Portrait, QPageLayout::Landscape}) {
    real.Printer().setPageOrientation(orientation);
    real.StartDruk();
    real.Button2Click();
    EXPECT_TRUE(dialogs.shown.empty()) << dialogs.shown[0].text;
    EXPECT_EQ(real.LastPage().target, queue);
    QString pdf;
    for (int i = 0; i < 300 && pdf.isEmpty(); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
      for (const QString& f : out.entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Time))
        if (!seen.contains(f)) {
          pdf = out.filePath(f);
          seen << f;
          break;
        }
    }
    ASSERT_FALSE(pdf.isEmpty()) << "no PDF from the queue in " << out.path().toStdString();
    std::this_thread::sleep_for(std::chrono::milliseconds(500));  // written to its end
    ExpectPageAsLaidOut(pdf.toStdString(), real.LastPage(), Path("cups"), true);
  }
}

}  // namespace
}  // namespace orvix
