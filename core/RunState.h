#pragma once
// The station's shared run state: every run-state variable under its own name and width,
// the three large buffers and the configuration table. One process-wide instance serves
// the windows, the timers and the acquisition thread; tests build a fresh one each.
//
// Threads: the acquisition thread and the user-interface thread both read and write many
// of these scalars (the thread's collector, the timers, the buttons), so every scalar is an
// atomic; plain loads and stores on them are cheap and keep the hand-over well defined.
//
// Who may touch the buffers, and when:
//  * RawStream: written only by the acquisition thread's stream writers (and zeroed by the
//    UI at START, before the run's thread exists). Each finished line is published through
//    StreamPublished with release order; a reader on another thread loads it with acquire
//    order and reads nothing beyond it.
//  * ImageStore and AddStore: every reader and writer holds StoreLock, on either thread:
//    the thread's collector while it collects a frame, the UI while it clears planes at
//    START, collects a RECORD frame (Timer3, Timer4), runs a frame's display step (Timer1:
//    marks, strip, redraw) or redraws a view. StoreLock is never held across a wait for the
//    other thread, a pause or a dialog.
//  * DisplayPending paces the hand-over on top of that: the thread sets it after it has
//    collected a frame and collects no further frame while it is set; the display step
//    clears it when that frame has been shown. A display step that finds it clear has no
//    frame to show and does nothing.
#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>

#include "ConfigTable.h"

namespace orvix {

// --- Buffer geometry -------------------------------------------------------------------
inline constexpr size_t kRawStreamSize = 51'612'888;
inline constexpr int32_t kRawStreamMaxBytes = 51'612'887;  // any frame byte count is clamped here

inline constexpr int kStoreColumns = 2602;
inline constexpr int kStoreRows = 1614;
inline constexpr int kCellBytes = 5;                            // kan1..kan4 + one unused byte
inline constexpr size_t kColumnStride = kStoreRows * kCellBytes;  // 8070
inline constexpr size_t kImageStoreSize = kStoreColumns * kColumnStride;  // 20,998,140
inline constexpr int kStoreParkingRow = kStoreRows - 1;                  // 1613

inline constexpr int kAddColumns = 1102;
inline constexpr int kAddRows = 802;
inline constexpr int kAddSlots = 51;
inline constexpr size_t kAddColumnStride = size_t(kAddRows) * kAddSlots;  // 40,902
inline constexpr size_t kAddStoreSize = kAddColumns * kAddColumnStride;   // 45,074,004
inline constexpr int kAddParkingRow = kAddRows - 1;                       // 801

static_assert(kColumnStride == 8070);
static_assert(kImageStoreSize == 20'998'140);
static_assert(kAddColumnStride == 40'902);
static_assert(kAddStoreSize == 45'074'004);

// Byte offset of pixel (x, y) of channel k (1..4) in ImageStore.
constexpr size_t StoreIndex(int x, int y, int k) {
  return size_t(x) * kColumnStride + size_t(y) * kCellBytes + size_t(k - 1);
}
// Byte offset of slot s of pixel (x, y) in AddStore.
constexpr size_t AddIndex(int x, int y, int s) {
  return size_t(x) * kAddColumnStride + size_t(y) * kAddSlots + size_t(s);
}

// ViewMode of the four-quadrant view (views 1..4 are the channels kan1..kan4).
inline constexpr int kAllView = 5;

// --- Frame tables, indexed by FrameFormat ---------------------------------------------
inline constexpr std::array<int32_t, 8> StreamPixels = {1060, 650, 1300, 2600, 2600, 100, 100, 100};
inline constexpr std::array<int32_t, 8> StreamLines = {802, 403, 806, 1612, 1612, 10, 10, 10};
inline constexpr std::array<int32_t, 8> VisiblePixels = {1000, 550, 1100, 2200, 2200, 100, 100, 100};
inline constexpr std::array<int32_t, 8> VisibleLines = {800, 400, 800, 1600, 1600, 10, 10, 10};

// A zero-filled byte buffer allocated once and never resized. calloc hands out zero pages
// lazily, so a fresh state for a test costs nothing until its buffers are touched.
class ZeroedBuffer {
 public:
  explicit ZeroedBuffer(size_t size);
  ~ZeroedBuffer();
  ZeroedBuffer(const ZeroedBuffer&) = delete;
  ZeroedBuffer& operator=(const ZeroedBuffer&) = delete;

  uint8_t* data() { return data_; }
  const uint8_t* data() const { return data_; }
  size_t size() const { return size_; }
  uint8_t& operator[](size_t i) { return data_[i]; }
  const uint8_t& operator[](size_t i) const { return data_[i]; }
  void Zero();

 private:
  uint8_t* data_;
  size_t size_;
};

struct SharedState {
  SharedState();
  SharedState(const SharedState&) = delete;
  SharedState& operator=(const SharedState&) = delete;

  // --- Buffers ---
  ZeroedBuffer RawStream{kRawStreamSize};     // stream writers (thread); see StreamPublished
  ZeroedBuffer ImageStore{kImageStoreSize};   // under StoreLock: collector, display, START
  ZeroedBuffer AddStore{kAddStoreSize};       // under StoreLock: ADD collector, START

  // Guards ImageStore and AddStore (see the rules at the top of this file).
  std::mutex StoreLock;

  // Bytes of RawStream, counted from its start, that hold finished lines. The writers
  // publish each line after its samples and header with release order; readers on
  // another thread load it with acquire order and read nothing beyond it.
  std::atomic<int32_t> StreamPublished{0};

  ConfigTable Config;  // UI thread only

  // --- Working mode (UI writes; thread reads) ---
  std::atomic<uint8_t> WorkMode{0};
  std::atomic<uint8_t> RecordWorkMode{0};
  std::atomic<uint8_t> VisualWorkMode{0};
  std::atomic<uint8_t> AddWorkMode{0};
  std::atomic<int16_t> OffsetH{0};
  std::atomic<int16_t> OffsetV{0};
  std::atomic<uint16_t> SampleDivider{0};

  // --- Run mode and run flags ---
  std::atomic<int32_t> RecordOn{0};         // -1 while RECORD is selected (UI)
  std::atomic<uint8_t> AddOn{0};            // 1 while ADD is selected (UI)
  std::atomic<int32_t> AcquisitionBusy{0};  // -1 from START until the thread ends (UI, thread)
  std::atomic<uint8_t> AcquisitionOn{0};    // frames are to be acquired (UI, thread)
  std::atomic<uint8_t> DisplayPending{0};   // a collected frame waits for its display (UI, thread)
  std::atomic<uint8_t> DeviceOpen{0};       // scan unit opened (UI)
  std::atomic<uint8_t> AddFramesDone{0};    // frames of the ADD run so far (thread; UI resets)

  // --- Channels ---
  std::atomic<uint8_t> UnsavedChannels{0};
  std::atomic<uint8_t> SavedChannels{0};
  std::atomic<uint8_t> ChannelCode{0};
  std::atomic<uint8_t> ChannelMask{0};
  std::atomic<uint8_t> ChannelCount{0};
  std::atomic<uint8_t> AddChannelCode{0};

  // --- View ---
  std::atomic<uint8_t> ViewMode{1};
  std::atomic<uint8_t> LastSingleView{1};
  std::atomic<uint8_t> LinescanOn{0};
  std::atomic<int32_t> LinescanLine{0};

  // --- Line counters (collector and RECORD writer write; display reads) ---
  std::atomic<int32_t> CurrentLine{0};
  std::atomic<int32_t> LastDrawnLine{0};
  std::atomic<int32_t> PrevFrameLines{0};
  std::atomic<int32_t> HeaderLines{0};
  std::atomic<int32_t> HeaderTimeCode{0};

  // --- Switches and windows ---
  std::atomic<uint8_t> TestPictureOn{0};
  // Mirror of the settings window's "Autoidentyfikacja" box (CheckBox10), kept by its
  // handler, so the acquisition thread never reads a widget.
  std::atomic<uint8_t> AutoIdentOn{0};
  // Mirror of the "Mix 4 to " switches of channels 1..3 (bit k-1), kept by the settings
  // handlers and the apply step through RefreshMixMirror: the collector on the
  // acquisition thread reads this, never the table.
  std::atomic<uint8_t> MixChannelBits{0};
  // Mirror of the settings window's "Autonumerowanie zbiorów zapisywanych" box (CheckBox1),
  // kept by its handler; the SAVE lamp and the SAVE button read it. UI thread.
  std::atomic<uint8_t> AutoNumberingOn{0};
  // Mirror of the file page's "Wykonać kopie zapasową w wybranym katalogu" box (CheckBox5),
  // which the table does not store; kept by its handler, read by the saves. UI thread.
  std::atomic<uint8_t> BackupCopiesOn{0};
  std::atomic<uint8_t> AnaglyphOn{0};
  std::atomic<uint8_t> AnaglyphSource{1};
  std::atomic<uint16_t> RegNumber{0};
  std::atomic<int32_t> DetectorCount{4};
  std::atomic<uint8_t> SettingsOpen{0};
  std::atomic<uint8_t> FileBusy{0};
  std::atomic<uint8_t> SaveBusy{0};
  std::atomic<uint8_t> OpenBusy{0};
  std::atomic<int32_t> PrintBusy{0};
  std::atomic<uint8_t> CalibrationOpen{0};
  std::atomic<uint8_t> MeasureOn{0};
  std::atomic<uint8_t> PictureAnnotated{0};
  std::atomic<int32_t> ClosingDown{0};

  // Captions of views 1..5 (index 0 unused); UI thread only.
  std::array<std::string, 6> ViewCaptions;

  // --- Scan-unit readings (thread writes before every frame; the strip reads) ---
  std::atomic<int32_t> UnitStatusWord{0};
  std::atomic<double> UnitScale{0.0};
  std::atomic<int32_t> UnitKV{0};

  // --- Dimension calibration (UI thread only) ---
  // Run-time copy of the table's DimCalibration rows, percent per magnification range
  // 1..14 at index 0..13; filled by the apply step, edited by the calibration window.
  std::array<int32_t, 14> CorrectionTable{};
  // The calibration window's correction box (Edit22) as its text stands, kept by the box's
  // own handler: the strip reads it while that window is open.
  std::string CorrectionBoxText = "100";
  // The scale bar of the last strip (or calibration): its length in strip columns and in
  // pixels of the 1100-wide picture, and the length it stands for in nm. The measurement
  // and the calibration window read them.
  int32_t BarPixels = 0;
  int32_t BarPixels2 = 0;
  double BarNanometres = 0.0;

  // Mirror of the anaglyph page's two flip boxes (CheckBox7 top to bottom, CheckBox17 left
  // to right), which the table does not store; kept by their handler. UI thread.
  std::atomic<uint8_t> AnaglyphFlipVertical{0};
  std::atomic<uint8_t> AnaglyphFlipHorizontal{0};
};

// Table index of the current frame geometry: 0 for the test picture, else the LINES choice.
inline int FrameFormat(const SharedState& s) {
  if (s.TestPictureOn.load() != 0) return 0;
  return (s.WorkMode.load() >> 4) & 7;
}

// Recomputes MixChannelBits from the table's mix switches (UI thread, after any change).
inline void RefreshMixMirror(SharedState& s) {
  uint8_t bits = 0;
  for (int k = 1; k <= 3; ++k)
    if (s.Config.MixChannel(k)) bits = static_cast<uint8_t>(bits | (1u << (k - 1)));
  s.MixChannelBits = bits;
}

// The registration number after `n`: 1..999, wrapping from 999 back to 1.
inline uint16_t NextRegNumber(uint16_t n) { return n >= 999 ? 1 : static_cast<uint16_t>(n + 1); }

}  // namespace orvix
