#include "Tmodul_zew.h"

#include <QDate>
#include <QLineEdit>
#include <QLocale>

namespace orvix {

Tmodul_zew::Tmodul_zew(SharedState& s, QWidget* parent) : QWidget(parent, Qt::Window), s_(s) {
  setObjectName(QStringLiteral("modul_zew"));
  setWindowTitle(QStringLiteral("Wprowadzanie kalibracji paska"));
  Edit22 = new QLineEdit(QStringLiteral("100"), this);
  Edit22->setObjectName(QStringLiteral("Edit22"));
}

std::string Tmodul_zew::DateText() const {
  if (!FixedDate.empty()) return FixedDate;
  return QLocale::system()
      .toString(QDate::currentDate(), QLocale::ShortFormat)
      .trimmed()
      .toStdString();
}

void Tmodul_zew::ReadCorrectionBox() {
  box_.text = Edit22->text().toStdString();
  box_.calibrationOpen = s_.CalibrationOpen.load() != 0;
}

// The limited correction goes back into the box; a box without a number is left as the
// operator typed it (the previous correction was used).
void Tmodul_zew::ShowCorrectionBox(const BarResult& bar) {
  if (bar.boxReadable) Edit22->setText(QString::fromStdString(bar.boxText));
}

StripOutcome Tmodul_zew::WykonajPasek(int k) {
  ReadCorrectionBox();
  StripOutcome o = BuildAndBurnStrip(Strip, s_, k, box_, StripTextBitmap, DateText());
  ShowCorrectionBox(o.bar);
  s_.BarPixels = o.bar.BarPixels;
  s_.BarPixels2 = o.bar.BarPixels2;
  s_.BarNanometres = o.bar.BarNanometres;
  return o;
}

uint8_t Tmodul_zew::ObrazekPasek() {
  ReadCorrectionBox();
  const StripsOutcome o = BurnMarkedStrips(Strip, s_, box_, StripTextBitmap, DateText());
  if (o.burnt != 0) ShowCorrectionBox(o.last.bar);
  return o.burnt;
}

void Tmodul_zew::BurnStripTakingLock() {
  const std::lock_guard<std::mutex> store(s_.StoreLock);
  ObrazekPasek();
}

void Tmodul_zew::UstawDaneNapisow() { StripTextBitmap.Prepare(); }

void Tmodul_zew::NumeracjaZdjecia() { orvix::NumeracjaZdjecia(s_); }

void Tmodul_zew::FormOtwieraj() {
  // Placeholder until the calibration window's pages exist: nothing is shown.
}

}  // namespace orvix
