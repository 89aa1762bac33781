// Start-up of the main window: the single-instance guard, the first show (folders,
// screen fitting, button column) and the delayed start step.
#include <QCoreApplication>
#include <QDateTime>
#include <QLabel>
#include <QLinearGradient>
#include <QDir>
#include <QLocale>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>

#include "Collector.h"
#include "Colours.h"
#include "QtText.h"
#include "ScanUnit.h"
#include "RunState.h"
#include "TVideo.h"
#include "OperatorDialogs.h"
#include "PictureFolders.h"
#include "FileTexts.h"
#include "SaveFiles.h"
#include "SettingsConstants.h"
#include "ScreenGeometry.h"
#include "ScreenSaver.h"
#include "SingleInstance.h"

namespace orvix {

namespace {

const char* const kAlreadyRunningTitle = "Informacja";
const char* const kAlreadyRunningText = "Program ORVIX jest już uruchomiony";
const char* const kScreenTooSmallText =
    "                            Zbyt mała rozdzielczość ekranu        \r\n\r\n"
    "należy zwiększyć rozdzielczość ekranu i ponownie uruchomić program";
const char* const kStationLine =
    "ORVIX  \u2013  cyfrowa akwizycja obrazu z mikroskopu skaningowego";
const char* const kStartCaption = "Program START";

// The start-up picture: the station's name on a grey gradient, drawn once.
QPixmap StartPicture() {
  const int w = layout::kStartPictureWidth, h = layout::kStartPictureHeight;
  QImage img(w, h, QImage::Format_RGB32);
  QPainter p(&img);
  QLinearGradient g(0, 0, 0, h);
  g.setColorAt(0.0, QColor(40, 40, 40));
  g.setColorAt(0.55, QColor(150, 150, 150));
  g.setColorAt(1.0, QColor(70, 70, 70));
  p.fillRect(0, 0, w, h, g);
  p.setPen(QPen(QColor(200, 200, 200), 2));
  p.drawRect(1, 1, w - 3, h - 3);
  QFont title(QStringLiteral("Arial"), 72);
  title.setBold(true);
  p.setFont(title);
  p.setPen(QColor(20, 20, 20));
  p.drawText(QRect(4, 4, w, h - 120), Qt::AlignCenter, QStringLiteral("ORVIX"));
  p.setPen(QColor(245, 245, 245));
  p.drawText(QRect(0, 0, w, h - 120), Qt::AlignCenter, QStringLiteral("ORVIX"));
  QFont sub(QStringLiteral("Arial"), 16);
  sub.setBold(true);
  p.setFont(sub);
  p.setPen(QColor(15, 15, 15));
  p.drawText(QRect(0, h - 200, w, 40), Qt::AlignCenter,
             QStringLiteral("Cyfrowa akwizycja obrazu SEM"));
  QFont small(QStringLiteral("Arial"), 11);
  p.setFont(small);
  p.drawText(QRect(0, h - 150, w, 30), Qt::AlignCenter,
             QStringLiteral("kan1  \u00b7  kan2  \u00b7  kan3  \u00b7  kan4"));
  p.end();
  return QPixmap::fromImage(img);
}

}  // namespace

// The single-instance guard: a second station tells the operator and ends.
void TVideo::FormCreate() {
  instanceMapping_ = std::make_unique<InstanceLock>("ApplicationTestMap", options_.lockFolder);
  if (!instanceMapping_->TryAcquire()) {
    instanceRefused_ = true;
    instanceMapping_.reset();
    dialogs_.Message(MsgType::Information, kAlreadyRunningText, MsgButtons::Ok, {},
                      kAlreadyRunningTitle);
    QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    return;
  }
  // Only another live station refuses this one; a lock that cannot be taken at all (an
  // unusable runtime folder, a foreign file under its name) lets the station run unguarded.
  if (instanceMapping_->State() == LockState::Unavailable)
    qWarning("ORVIX: single-instance lock not taken: %s", instanceMapping_->Failure().c_str());
  screenSaver_ = std::make_unique<ScreenSaverInhibit>();
  if (options_.inhibitScreenSaver) screenSaver_->Inhibit();
}

void TVideo::FormShow() {
  if (instanceRefused_) return;
  SharedState& s = s_;
  s.DetectorCount = 4;

  PictureFolders& f = folders_;
  // The program's own folder, or the operator's data folder when the program is installed
  // where the operator may not write. A data folder that cannot be used is told once and
  // nothing is made elsewhere: the saves into it fail and say so.
  ProgramFolderChoice program{options_.programDir, {}};
  if (program.folder.empty())
    program = ChooseProgramDir(QCoreApplication::applicationDirPath().toStdString(),
                               qEnvironmentVariable("XDG_DATA_HOME").toStdString(),
                               QDir::homePath().toStdString());
  f.ProgramDir = program.folder;
  f.SaveDir = f.OpenDir = f.ProgramDir;
  if (!program.error.empty()) {
    dialogs_.Message(MsgType::Error, program.error, MsgButtons::Ok);
  } else {
    // A station killed in the middle of saving its settings or a JPEG / print work file
    // left the temporary file. Only while this station holds the lock can no other one be
    // saving right now.
    if (instanceMapping_ && instanceMapping_->State() == LockState::Held) {
      for (const char* name :
           {settings::kConfigFileName, files::kJpegWorkFile, files::kPrintWorkFile})
        RemoveStaleSaveFiles(f.ProgramDir, name);
    }
    const QDate today = options_.today.isValid() ? options_.today : QDate::currentDate();
    for (const std::string& error :
         MakeSessionFolders(f, today.year(), today.month(), today.day()))
      dialogs_.Message(MsgType::Error, error, MsgButtons::Ok);
  }

  if (!FitToScreen()) return;
  LayoutButtons();
  PrepareOtherWindows();

  Image3->setPixmap(StartPicture());
  Image3->move(layout::kStartPictureCentreX - layout::kStartPictureWidth / 2,
               layout::kStartPictureCentreY - layout::kStartPictureHeight / 2);
  Image3->raise();
  Image3->show();
  Image4->resize(layout::kPictureRect.width, layout::kPictureRect.height);
  Image5->resize(layout::kImage5Size, layout::kImage5Size);

  QPalette p = Panel1->palette();
  p.setColor(QPalette::Window, Qt::black);
  Panel1->setPalette(p);
  SetRecordIndicator(" ");

  s.FileBusy = 0;
  s.AcquisitionOn = 0;
  s.AddOn = 0;
  s.DeviceOpen = 0;
  s.AcquisitionBusy = 0;
  s.ClosingDown = 0;
  s.TestPictureOn = 0;
  s.PrintBusy = 0;
  s.SettingsOpen = 0;
  s.UnsavedChannels = 0;
  s.SavedChannels = 0;
  s.RegNumber = 0;
  s.AnaglyphOn = 0;
  s.ViewMode = 1;
  s.LastSingleView = 1;
  s.AnaglyphSource = 1;

  PanelEXIT->show();
  Panel2->show();
  Start->setInterval(options_.startDelayMs);
  Start->start();
}

bool TVideo::FitToScreen() {
  const QSize screen = options_.screenSize.isValid() ? options_.screenSize : ScreenSizeOf(this);
  fit_ = layout::FitToScreen(screen.width(), screen.height());
  if (!fit_.accepted) {
    dialogs_.Message(MsgType::Warning, kScreenTooSmallText, MsgButtons::Ok);
    QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
    return false;
  }
  setGeometry(fit_.window.left, fit_.window.top, fit_.window.width, fit_.window.height);
  const layout::Rect& p1 = fit_.panel1;
  Panel1->setGeometry(p1.left, p1.top, p1.width, p1.height);
  const layout::Rect& pic = layout::kPictureRect;
  PictureSlot->setGeometry(pic.left, pic.top, pic.width, pic.height);

  StaticText1->setText(QString::fromUtf8(kStationLine));
  StaticText1->adjustSize();
  StaticText1->move(fit_.staticText1Left, fit_.staticText1Top);

  const QLocale locale = QLocale::system();
  const QDateTime now = QDateTime::currentDateTime();
  StaticText3->setText(locale.toString(now.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
                       locale.toString(now.time(), QLocale::LongFormat));
  StaticText3->adjustSize();
  StaticText3->move(layout::RightAlignedLeft(p1, StaticText3->width()), fit_.staticText3Top);

  StaticText4->setText(QString::fromUtf8(kStartCaption));
  StaticText4->adjustSize();
  StaticText4->move(layout::RightAlignedLeft(p1, StaticText4->width()), fit_.staticText4Top);

  SharedState& s = s_;
  for (int k = 1; k <= 4; ++k) s.ViewCaptions[k] = "Picture " + std::to_string(k) + " clear  ";
  s.ViewCaptions[5] = " ";
  return true;
}

void TVideo::LayoutButtons() {
  column_ = layout::LayoutButtons(fit_.panel1, fit_.window.width, fit_.window.height);
  const layout::Rect& c = column_.panel2;
  Panel2->setGeometry(c.left, c.top, c.width, c.height);
  for (int slot = 0; slot < layout::kSlotCount; ++slot) {
    QWidget* panel = SlotPanel(slot);
    TLampButton* button = SlotButton(slot);
    const layout::PlacedPanel& pp = column_.panels[slot];
    panel->setGeometry(pp.panel.left, pp.panel.top, pp.panel.width, pp.panel.height);
    button->setGeometry(pp.button.left, pp.button.top, pp.button.width, pp.button.height);
    button->setText(QLatin1Char(' ') + Q(layout::kSlots[size_t(slot)].caption) + QLatin1Char(' '));
    const QColor colour = slot == layout::kEXIT ? QColor(0, 255, 0) : QColor(kSilver);
    QPalette p = panel->palette();
    p.setColor(QPalette::Window, colour);
    panel->setPalette(p);
    button->SetLampColour(colour);
    panel->hide();
  }
  const layout::Rect& m = column_.modeText;
  for (QLabel* t : {Panel101, Panel102, Panel103}) t->setGeometry(m.left, m.top, m.width, m.height);
}

// First show: the settings window's set-up, the strip texts and the first free file name.
void TVideo::PrepareOtherWindows() {
  strip_.UstawDaneNapisow();
  if (!Settings) return;
  Settings->SetUpAtFirstShow(QRect(Panel1->mapToGlobal(QPoint(0, 0)), Panel1->size()));
  Settings->ShowNextAutoName(folders_.SaveDir + "/", folders_.AutoNameBase);
}

// Start step: load and apply the configuration (VISUAL selected), the settings tabs.
void TVideo::LoadSettingsAtStart() {
  if (!Settings) return;
  Settings->ReloadConfig();
  Settings->AdaptToDetectorCount();
}

// Start step: the channel variables from the channel switches; the settings "Frame" page.
void TVideo::SelectChannelsAtStart() {
  UpdateChannels();
  if (Settings) Settings->ShowStartControls(PanelRECORD->isVisible());
}

// The delayed start step, 2 s after the first show.
void TVideo::StartTimer() {
  Start->stop();
  Image3->hide();
  SharedState& s = s_;
  unit_.Open(s);
  s.ChannelMask = 15;
  ClearChannels(s, 15, true);
  LoadSettingsAtStart();
  unit_.SendSettings(s);
  for (int slot = 0; slot < layout::kSlotCount; ++slot) SlotPanel(slot)->show();
  Panel2->update();
  SelectChannelsAtStart();
  UpdateLamps();
  StaticText3->show();
}

}  // namespace orvix
