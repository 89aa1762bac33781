#include "PrintPage.h"

namespace orvix {

namespace {
int Px(double mm, double k) { return static_cast<int>(mm * k); }
}  // namespace

PrintPage LayOutPrintPage(int dpi, int width, int height, int viewMode,
                          const std::string& fileName, const std::string& date,
                          const std::array<std::string, print::kCommentLines>& comments) {
  using namespace print;
  PrintPage p;
  if (dpi <= 0) return p;
  p.k = dpi / 25.4;
  const double k = p.k;
  // Centred across the printable width in whole device pixels, then back to millimetres.
  p.leftMm = ((width - Px(kPictureWidthMm, k)) / 2) / k;
  p.topMm = width < height ? kTopPortraitMm : kTopLandscapeMm;
  p.X1 = Px(p.leftMm, k);
  p.Y1 = Px(p.topMm, k);
  p.X2 = Px(p.leftMm + kPictureWidthMm, k);
  p.Y2 = Px(p.topMm + kPictureHeightMm, k);
  p.footerTop = height - kFooterRise;

  const int labelX = Px(p.leftMm + kLabelMm, k);
  const int valueX = Px(p.leftMm + kValueMm, k);
  double t = p.topMm + kPictureHeightMm;
  auto labelled = [&](double step, const char* label, const std::string& value) {
    t += step;
    p.lines.push_back({labelX, Px(t, k), label});
    p.lines.push_back({valueX, Px(t, k), std::string(kValuePrefix) + value});
  };
  if (viewMode >= 1 && viewMode <= 4) labelled(kNameStepMm, kNameLabel, fileName);
  labelled(kDateStepMm, kDateLabel, date);
  for (int i = 0; i < kCommentLines; ++i) {
    t += i == 0 ? kFirstCommentStepMm : kCommentStepMm;
    p.lines.push_back({labelX, Px(t, k), comments[size_t(i)]});
  }
  return p;
}

int FooterLeft(int width, int textWidth) { return (width - textWidth) / 2; }

}  // namespace orvix
