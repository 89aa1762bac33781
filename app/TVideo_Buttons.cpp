// The button lamps and the picture-selection buttons of the main window.
#include <QLabel>
#include <QPalette>
#include <QPushButton>

#include "RunState.h"
#include "TVideo.h"

namespace orvix {

namespace {
QColor ToQColor(Rgb c) { return QColor(c.r, c.g, c.b); }
constexpr size_t kMaxCaption = 255;
}  // namespace

void TVideo::ApplyLamp(QWidget* panel, TLampButton* button, const Lamp& lamp) {
  const QColor c = ToQColor(ToRgb(lamp.colour));
  if (!panel->autoFillBackground() || panel->palette().color(QPalette::Window) != c) {
    QPalette p = panel->palette();
    p.setColor(QPalette::Window, c);
    panel->setPalette(p);
    panel->setAutoFillBackground(true);
  }
  button->SetLampColour(c);
  if (button->isEnabled() != lamp.enabled) button->setEnabled(lamp.enabled);
}

void TVideo::UpdateRunButtons() {
  SettingsFacts facts;
  facts.AutoNumbering = s_.AutoNumberingOn.load() != 0;
  const RunButtonLamps L = ComputeRunButtons(s_, facts);
  ApplyLamp(PanelRECORD, KlawiszRECORD, L.Record);
  ApplyLamp(PanelADD, KlawiszADD, L.Add);
  ApplyLamp(PanelVISUAL, KlawiszVISUAL, L.Visual);
  const QColor text = ToQColor(L.ModeTextGrey ? kGrey : kBlack);
  for (QLabel* t : {Panel101, Panel102, Panel103}) {
    if (t->palette().color(QPalette::WindowText) == text) continue;
    QPalette p = t->palette();
    p.setColor(QPalette::WindowText, text);
    t->setPalette(p);
  }
  ApplyLamp(PanelSTART, KlawiszSTART, L.Start);
  ApplyLamp(PanelSTOP, KlawiszSTOP, L.Stop);
  ApplyLamp(PanelPRINT, KlawiszPRINT, L.Print);
  ApplyLamp(PanelCHANGE, KlawiszCHANGE, L.Change);
  ApplyLamp(PanelSAVE, KlawiszSAVE, L.Save);
  ApplyLamp(PanelOPEN, KlawiszOPEN, L.Open);
  ApplyLamp(PanelWymiar, KlawiszWymiar, L.Wymiar);
  ApplyLamp(PanelEXIT, KlawiszEXIT, L.Exit);
  Panel2->update();
}

void TVideo::UpdateViewButtons() {
  const ViewButtonLamps L = ComputeViewButtons(s_);
  ApplyLamp(PanelPic1, KlawiszPic1, L.Pic[0]);
  ApplyLamp(PanelPic2, KlawiszPic2, L.Pic[1]);
  ApplyLamp(PanelPic3, KlawiszPic3, L.Pic[2]);
  ApplyLamp(PanelPic4, KlawiszPic4, L.Pic[3]);
  ApplyLamp(PanelPicAl, KlawiszPicAl, L.PicAl);
  ApplyLamp(PanelLINESCAN, KlawiszLINESCAN, L.Linescan);
  Panel2->update();
}

// kan1 and kan2 also choose which channel an anaglyph run fills, but not during a run.
void TVideo::KlawiszPic1Click() {
  if (s_.AcquisitionBusy.load() == 0) s_.AnaglyphSource = 1;
  UstawObrazek(1, 'b');
}

void TVideo::KlawiszPic2Click() {
  if (s_.AcquisitionBusy.load() == 0) s_.AnaglyphSource = 2;
  UstawObrazek(2, 'b');
}

void TVideo::KlawiszPic3Click() { UstawObrazek(3, 'b'); }
void TVideo::KlawiszPic4Click() { UstawObrazek(4, 'b'); }
void TVideo::KlawiszPicAlClick() { UstawObrazek(5, 'b'); }

void TVideo::UstawObrazek(int view, char letter) {
  SharedState& s = s_;
  s.ViewMode = static_cast<uint8_t>(view);
  if (view < 5) s.LastSingleView = static_cast<uint8_t>(view);
  // The anaglyph takes the place of kan3 and has no linescan: close it as its own close
  // button does.
  if (s.AnaglyphOn.load() != 0 && view == 3 && s.LinescanOn.load() != 0) {
    Image2->hide();
    s.LinescanOn = 0;
    if (Linescan) Linescan->CloseLinescan();
    update();
  }
  UpdateViewButtons();
  UpdateRunButtons();
  RedrawPicture(s.ViewMode.load(), s.WorkMode.load(), std::string(1, letter));
}

void TVideo::ShowRunCaption() {
  SharedState& s = s_;
  if (s.AddOn.load() != 0) return;
  const std::string text = s.RecordOn.load() != 0 ? "RECORD  " : "VISUAL  ";
  const uint8_t mask = s.ChannelMask.load();
  for (int k = 1; k <= 4; ++k)
    if (mask & (1u << (k - 1))) s.ViewCaptions[k] = text;
  for (int k = 1; k <= 3; ++k) {
    if (!s.Config.MixChannel(k)) continue;
    std::string& c = s.ViewCaptions[k];
    c += "MIX ";
    if (c.size() > kMaxCaption) c.resize(kMaxCaption);
  }
  ShowViewCaption();
}

void TVideo::ShowViewCaption() {
  const SharedState& s = s_;
  const int v = s.ViewMode.load();
  ShowCaption(s.ViewCaptions[v >= 1 && v <= 5 ? v : 1]);
}

void TVideo::ShowCaption(const std::string& caption) {
  StaticText4->setText(QString::fromStdString(caption));
  StaticText4->adjustSize();
  StaticText4->move(layout::RightAlignedLeft(fit_.panel1, StaticText4->width()),
                    fit_.staticText4Top);
}

void TVideo::SetRecordIndicator(const std::string& text) {
  StaticText10->setText(QString::fromStdString(text));
}

void TVideo::KlawiszEXITClick() { close(); }

}  // namespace orvix
