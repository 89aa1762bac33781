#include "Layout.h"

#include <algorithm>

namespace orvix::layout {

ScreenFit FitToScreen(int w, int h) {
  ScreenFit f;
  f.accepted = !(h < kMinScreenHeight || w <= kMaxRefusedWidth);
  if (!f.accepted) return f;
  f.window = {0, 0, w, h};
  // Integer division truncates toward zero, as the placement rule wants.
  f.panel1 = {(w - (kPanel1Width + kButtonPanelWidth + kColumnMargin)) / 3, (h - 805) / 2,
              kPanel1Width, kPanel1Height};
  f.staticText1Left = f.panel1.left;
  f.staticText1Top = f.panel1.bottom() + 2;
  f.staticText3Top = f.panel1.top - 28;
  f.staticText4Top = f.panel1.bottom() + 2;
  return f;
}

PlacedPanel PlaceButtonPanel(int& y, int extra) {
  PlacedPanel p;
  p.button = {kButtonLeft, kButtonTop, kButtonWidth, kButtonHeight};
  p.panel = {kButtonPanelLeft, y, kButtonPanelWidth, extra + kButtonHeight + 2 * kButtonTop};
  y = p.panel.bottom();
  return p;
}

ColumnLayout LayoutButtons(const Rect& panel1, int w, int h) {
  ColumnLayout c;
  c.gap = std::max(kMinGap, (panel1.height + 52 - kPlannedColumn) / 6);
  const int height = kPlannedColumn + 6 * c.gap;
  const int width = kButtonPanelWidth + kColumnMargin;
  c.panel2 = {panel1.right() + (w - panel1.right() - width) / 2, (h - height + 4) / 2 - 3,
              width, height};

  int y = c.gap + 2;
  for (int s = kRECORD; s <= kVISUAL; ++s) c.panels[s] = PlaceButtonPanel(y, kModeTextExtra);
  y += c.gap;
  for (int s = kSTART; s <= kSTOP; ++s) c.panels[s] = PlaceButtonPanel(y, 0);
  y += c.gap;
  for (int s = kPic1; s <= kPicAl; ++s) c.panels[s] = PlaceButtonPanel(y, 0);
  y += c.gap;
  for (int s = kLINESCAN; s <= kWymiar; ++s) c.panels[s] = PlaceButtonPanel(y, 0);
  y += c.gap;
  c.panels[kEXIT] = PlaceButtonPanel(y, 0);

  const PlacedPanel& rec = c.panels[kRECORD];
  c.modeText = {rec.button.left, rec.button.bottom() + 3, rec.button.width - 1,
                rec.panel.height - rec.button.height - 2 * rec.button.top - 5};
  return c;
}

}  // namespace orvix::layout
