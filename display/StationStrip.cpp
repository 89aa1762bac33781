#include "StationStrip.h"

#include <QDate>
#include <QLocale>
#include <mutex>

namespace orvix {

CorrectionBox& StationStrip::Box() {
  box_.text = s_.CorrectionBoxText;
  box_.calibrationOpen = s_.CalibrationOpen.load() != 0;
  return box_;
}

void StationStrip::Keep(const BarResult& bar) {
  s_.BarPixels = bar.BarPixels;
  s_.BarPixels2 = bar.BarPixels2;
  s_.BarNanometres = bar.BarNanometres;
  // A box without a number is left as the operator typed it (the previous correction was
  // used).
  if (!bar.boxReadable || bar.boxText == s_.CorrectionBoxText) return;
  s_.CorrectionBoxText = bar.boxText;
  if (boxLimited) boxLimited(bar.boxText);
}

uint8_t StationStrip::ObrazekPasek() {
  const StripsOutcome o = BurnMarkedStrips(Strip, s_, Box(), TextBitmap, DateText());
  if (o.burnt != 0) Keep(o.last.bar);
  LastBurnt = o.burnt;
  return o.burnt;
}

StripOutcome StationStrip::WykonajPasek(int k) {
  StripOutcome o = BuildAndBurnStrip(Strip, s_, k, Box(), TextBitmap, DateText());
  Keep(o.bar);
  return o;
}

void StationStrip::BurnTakingLock() {
  const std::lock_guard<std::mutex> store(s_.StoreLock);
  ObrazekPasek();
}

void StationStrip::PrepareBar() { Keep(BarLength(s_, Box())); }

std::string StationStrip::DateText() const {
  if (!FixedDate.empty()) return FixedDate;
  return QLocale::system()
      .toString(QDate::currentDate(), QLocale::ShortFormat)
      .trimmed()
      .toStdString();
}

}  // namespace orvix
