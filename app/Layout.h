#pragma once
// Geometry of the main window: the picture panel placed on the screen, the status texts
// around it, and the button column with its stacked button panels. Plain numbers; the
// window applies them to its controls.
#include <array>
#include <string_view>

namespace orvix::layout {

struct Rect {
  int left = 0, top = 0, width = 0, height = 0;
  int right() const { return left + width; }
  int bottom() const { return top + height; }
  bool operator==(const Rect&) const = default;
};

// --- Fixed sizes ---
inline constexpr int kMinScreenHeight = 865;   // below: refused
inline constexpr int kMaxRefusedWidth = 1220;  // this wide or less: refused
inline constexpr int kPanel1Width = 1106;
inline constexpr int kPanel1Height = 806;
inline constexpr Rect kPictureRect{2, 2, 1102, 802};  // Image1 / PaintBox1 in Panel1
inline constexpr int kStartPictureWidth = 702;         // Image3
inline constexpr int kStartPictureHeight = 502;
inline constexpr int kStartPictureCentreX = 550;
inline constexpr int kStartPictureCentreY = 400;
inline constexpr int kImage5Size = 800;
inline constexpr int kIndicatorSize = 36;  // StaticText10

inline constexpr int kButtonLeft = 6, kButtonTop = 6;
inline constexpr int kButtonWidth = 105, kButtonHeight = 24;
inline constexpr int kButtonPanelWidth = 117;
inline constexpr int kButtonPanelLeft = 15;
inline constexpr int kColumnMargin = 30;    // column width = button panel width + this
inline constexpr int kPlannedColumn = 678;  // column height before the gaps
inline constexpr int kMinGap = 10;
inline constexpr int kModeTextExtra = 20;   // extra height of RECORD, ADD, VISUAL panels

// --- Screen fitting ---
struct ScreenFit {
  bool accepted = false;
  Rect window;           // the whole screen
  Rect panel1;           // picture panel
  int staticText1Left = 0, staticText1Top = 0;
  int staticText3Top = 0;  // right-aligned to Panel1
  int staticText4Top = 0;  // right-aligned to Panel1
};
ScreenFit FitToScreen(int screenWidth, int screenHeight);

// Left edge that right-aligns a label of `labelWidth` to the picture panel.
inline int RightAlignedLeft(const Rect& panel1, int labelWidth) {
  return panel1.right() - labelWidth;
}

// --- Button column ---
// The button panels in stacking order.
enum Slot {
  kRECORD, kADD, kVISUAL, kSTART, kSTOP, kPic1, kPic2, kPic3, kPic4, kPicAl,
  kLINESCAN, kCHANGE, kSAVE, kOPEN, kPRINT, kWymiar, kEXIT, kSlotCount
};

// Each slot's button: the name part of its panel and button (Panel<name>, Klawisz<name>),
// its caption in the window design, and the caption given at start-up, which the button
// shows with one blank before and after.
struct SlotDesign {
  std::string_view name, designCaption, caption;
};
inline constexpr std::array<SlotDesign, kSlotCount> kSlots = {{
    {"RECORD", "RECORD", "RECORD"},
    {"ADD", "ADD", "ADD "},
    {"VISUAL", "VISUAL", "VISUAL"},
    {"START", "START", "START"},
    {"STOP", "STOP", "STOP"},
    {"Pic1", "kan1", "Kanał 1"},
    {"Pic2", "kan2", "Kanał 2"},
    {"Pic3", "kan3", "Kanał 3"},
    {"Pic4", "kan4", "Kanał 4"},
    {"PicAl", "ALL", "Cztery kanały"},
    {"LINESCAN", "Linescan", "Linescan..."},
    {"CHANGE", "Change", "Nastawy..."},
    {"SAVE", "Save as", "Zapisz jako..."},
    {"OPEN", "Open", "Otwórz..."},
    {"PRINT", "Print", "Drukuj..."},
    {"Wymiar", "Wymiar", "Wymiar"},
    {"EXIT", "EXIT", "Zakończ"},
}};

struct PlacedPanel {
  Rect panel;   // in Panel2
  Rect button;  // in the panel
};

// One button panel at y of the column, `extra` pixels taller than a plain one; y moves
// to the panel's bottom.
PlacedPanel PlaceButtonPanel(int& y, int extra);

struct ColumnLayout {
  int gap = 0;
  Rect panel2;  // the column, on the main window
  std::array<PlacedPanel, kSlotCount> panels{};
  Rect modeText;  // Panel101..Panel103 inside the RECORD, ADD, VISUAL panels
};
ColumnLayout LayoutButtons(const Rect& panel1, int screenWidth, int screenHeight);

}  // namespace orvix::layout
