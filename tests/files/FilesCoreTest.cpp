// Kernels of the picture files: exact error texts and codes, the grey BMP's geometry and
// bytes (a wrong stride, padding or row order breaks every saved picture), a reader that
// stays in bounds whatever a header claims, the name and filter rules, numbered names,
// and the replacing writer under a full disk.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>
#include <filesystem>
#include <memory>
#include <tuple>

#include "AutoName.h"
#include "FileErrors.h"
#include "FileTexts.h"
#include "FileWrite.h"
#include "FilesTestSupport.h"
#include "GreyBmp.h"
#include "RunState.h"
#include "SaveNames.h"

namespace orvix {
namespace {

using namespace test;

GreyPicture ReadMemory(const std::vector<uint8_t>& b, uint8_t* kind = nullptr) {
  GreyPicture p;
  const uint8_t k = ReadGreyBmp(
      [&](uint64_t off, uint8_t* buf, size_t n) -> size_t {
        if (off >= b.size()) return 0;
        const size_t got = std::min<size_t>(n, b.size() - off);
        std::copy_n(b.data() + off, got, buf);
        return got;
      },
      p);
  if (kind) *kind = k;
  return p;
}

TEST(FileErrors, KindsAndCodesGiveTheExactBoxes) {
  auto box = ReportFileError(3, 2);
  EXPECT_TRUE(box.show);
  EXPECT_EQ(box.text,
            "   Błąd w odczycie pliku.  \r\n\r\n"
            "   Nie znaleziono pliku.                                      ");
  EXPECT_EQ(box.buttons, MsgButtons::Ok);
  EXPECT_EQ(ReportFileError(3, 87).text, "   Błąd w odczycie pliku.  \r\n\r\n");
  EXPECT_FALSE(ReportFileError(50, 5).show);
  // The code matters only for kind 3.
  EXPECT_EQ(ReportFileError(4, 5).text,
            "         Błąd w odczycie pliku           \r\n\r\nplik nie jest zgodny z paletą "
            "256 odcieni szarości ");
  EXPECT_EQ(ReportFileError(10, 0).buttons, MsgButtons::Yes);
  EXPECT_EQ(ReportFileError(12, 0).buttons, MsgButtons::Yes);
  EXPECT_EQ(ReportFileError(12, 0).text,
            "          Zbyt mało miejsca na dysku.             \r\n\r\n           Plik nie "
            "jest zapisany.             ");
  EXPECT_EQ(ReportFileError(7, 2).text, "    Błąd nieokreślony    ");
  EXPECT_EQ(ReportFileError(0, 0).text, "    Błąd nieokreślony    ");

  // Every text of the table is 62 characters; shared texts are the same.
  int withText = 0;
  for (int c = 0; c < 200; ++c) {
    const QString t = QString::fromStdString(FileErrorCodeText(uint16_t(c)));
    if (t.isEmpty()) continue;
    ++withText;
    EXPECT_EQ(t.size(), 62) << c;
  }
  EXPECT_EQ(withText, 38);
  EXPECT_EQ(FileErrorCodeText(2), FileErrorCodeText(18));
  EXPECT_EQ(FileErrorCodeText(15), FileErrorCodeText(155));
  EXPECT_EQ(FileErrorCodeText(1), "");
}

TEST(FileErrors, ErrnoOfAFailedOpenMapsOntoTheTable) {
  EXPECT_EQ(OpenErrorCode(ENOENT), 2);
  EXPECT_EQ(OpenErrorCode(ENOTDIR), 3);
  EXPECT_EQ(OpenErrorCode(EMFILE), 4);
  EXPECT_EQ(OpenErrorCode(EACCES), 5);
  EXPECT_EQ(OpenErrorCode(EPERM), 5);
  EXPECT_EQ(OpenErrorCode(EBUSY), 32);
  EXPECT_EQ(OpenErrorCode(EROFS), 150);
  EXPECT_EQ(OpenErrorCode(EDOM), kUnmappedOpenError);
  EXPECT_EQ(FileErrorCodeText(kUnmappedOpenError), "");

  // A real failed open on the file reader.
  QTemporaryDir dir;
  GreyPicture p;
  uint16_t code = 0;
  EXPECT_EQ(ReadGreyBmpFile(dir.path().toStdString() + "/missing.bmp", p, code), 3);
  EXPECT_EQ(code, 2);
  EXPECT_EQ(ReadGreyBmpFile(dir.path().toStdString() + "/no/such.bmp", p, code), 3);
  EXPECT_EQ(code, 2);
  const std::string file = dir.path().toStdString() + "/f";
  WriteBytesTo(file, {1});
  EXPECT_EQ(ReadGreyBmpFile(file + "/x.bmp", p, code), 3);
  EXPECT_EQ(code, 3);  // a file where a folder should be
}

TEST(GreyBmp, GeometryOfEveryLinesCode) {
  struct Row {
    uint8_t mode;
    int w, h, ppm, stride;
    int64_t size;
    const char* text;
  };
  const Row rows[] = {{0x10, 550, 400, 5910, 552, 221'878, "550-400"},
                      {0x12, 550, 400, 5910, 552, 221'878, "550-400"},
                      {0x20, 1100, 800, 11820, 1100, 881'078, "1100-800"},
                      {0x34, 2200, 1600, 23640, 2200, 3'521'078, "2200-1600"},
                      {0x40, 2200, 1600, 47280, 2200, 3'521'078, "2200-1600"},
                      {0x00, 1100, 1100, 11820, 1100, 1'211'078, "1100-800"},
                      {0x70, 1100, 1100, 11820, 1100, 1'211'078, "1100-800"}};
  for (const Row& r : rows) {
    const GreyGeometry g = PictureGeometry(r.mode);
    EXPECT_EQ(g.width, r.w) << int(r.mode);
    EXPECT_EQ(g.height, r.h) << int(r.mode);
    EXPECT_EQ(g.pixelsPerMetre, r.ppm) << int(r.mode);
    EXPECT_EQ(g.stride, r.stride) << int(r.mode);
    EXPECT_EQ(g.fileSize, r.size) << int(r.mode);
    EXPECT_EQ(g.sizeText, r.text) << int(r.mode);
  }
}

TEST(GreyBmp, BytesHoldHeaderPaletteAndBottomUpRowsWithStoreColumnsAsPadding) {
  auto s = std::make_unique<SharedState>();
  for (int x = 0; x < 560; ++x)
    for (int y = 0; y < 400; ++y) {
      s->ImageStore[StoreIndex(x, y, 2)] = uint8_t(x * 3 + y);
      s->ImageStore[StoreIndex(x, y, 1)] = 0x55;  // another channel must not leak in
    }
  const std::vector<uint8_t> b = GreyBmpBytes(*s, 0x10, 2);
  ASSERT_EQ(b.size(), 221'878u);
  auto u32 = [&](size_t at) {
    return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 |
           uint32_t(b[at + 3]) << 24;
  };
  EXPECT_EQ(b[0], 'B');
  EXPECT_EQ(b[1], 'M');
  EXPECT_EQ(u32(2), 221'878u);
  EXPECT_EQ(u32(6), 0u);
  EXPECT_EQ(u32(10), 1078u);
  EXPECT_EQ(u32(14), 40u);
  EXPECT_EQ(u32(18), 550u);
  EXPECT_EQ(u32(22), 400u);
  EXPECT_EQ(b[26] | b[27] << 8, 1);
  EXPECT_EQ(b[28] | b[29] << 8, 8);
  EXPECT_EQ(u32(30), 0u);
  EXPECT_EQ(u32(34), 552u * 400u);
  EXPECT_EQ(u32(38), 5910u);
  EXPECT_EQ(u32(42), 5910u);
  EXPECT_EQ(u32(46), 0u);
  EXPECT_EQ(u32(50), 0u);
  for (int i = 0; i < 256; ++i) EXPECT_EQ(u32(54 + 4 * size_t(i)), uint32_t(i * 0x010101)) << i;
  // First file row = picture row 399; bytes 550, 551 are the store's columns 550, 551.
  for (int x : {0, 1, 549, 550, 551})
    EXPECT_EQ(b[1078 + size_t(x)], uint8_t(x * 3 + 399)) << x;
  EXPECT_EQ(b[1078 + 399 * 552 + 7], uint8_t(7 * 3 + 0));  // last file row = picture row 0
  EXPECT_EQ(b[1078 + 398 * 552 + 551], uint8_t(551 * 3 + 1));
}

TEST(GreyBmp, SavedPicturesReadBackExactlyForEveryLinesCodeAndOddWidths) {
  auto s = std::make_unique<SharedState>();
  for (int x = 0; x < kStoreColumns; ++x)
    for (int y = 0; y < kStoreRows; ++y)
      s->ImageStore[StoreIndex(x, y, 3)] = uint8_t((x * 7) ^ (y * 3));
  for (uint8_t mode : {0x10, 0x20, 0x30, 0x40, 0x50}) {
    const GreyGeometry g = PictureGeometry(mode);
    uint8_t kind = 0;
    const GreyPicture p = ReadMemory(GreyBmpBytes(*s, mode, 3), &kind);
    ASSERT_EQ(kind, 50);
    ASSERT_EQ(p.columns, g.width);
    ASSERT_EQ(p.rows, g.height);
    auto t = std::make_unique<SharedState>();
    t->ImageStore[StoreIndex(g.width, 0, 3)] = 9;  // beyond the picture: cleared by open
    t->ImageStore[StoreIndex(5, 5, 4)] = 77;        // other channel: untouched
    StoreGreyPicture(*t, 3, p);
    int wrong = 0;
    for (int x = 0; x < g.width; ++x)
      for (int y = 0; y < g.height; ++y)
        wrong += t->ImageStore[StoreIndex(x, y, 3)] != s->ImageStore[StoreIndex(x, y, 3)];
    EXPECT_EQ(wrong, 0) << int(mode);
    EXPECT_EQ(t->ImageStore[StoreIndex(g.width, 0, 3)], 0);
    EXPECT_EQ(t->ImageStore[StoreIndex(5, 5, 4)], 77);
  }
  // Widths that need padding: rows of 1104 bytes for 1101 pixels, and 3 for 1..3.
  for (int w : {1, 3, 5, 1101}) {
    const auto b = MakeBmp8(w, 7, [](int x, int y) { return uint8_t(x + 40 * y); });
    const GreyPicture p = ReadMemory(b);
    ASSERT_EQ(p.columns, w);
    for (int y = 0; y < 7; ++y)
      for (int x = 0; x < w; ++x)
        ASSERT_EQ(p.pixels[size_t(y) * size_t(w) + size_t(x)], uint8_t(x + 40 * y)) << w;
  }
}

TEST(GreyBmp, ReaderStaysInsideTheFileAndTheStoreWhateverTheHeaderSays) {
  auto value = [](int x, int y) { return uint8_t(x * 5 + y * 11); };
  // Top-down rows are honoured.
  {
    const GreyPicture p = ReadMemory(MakeBmp8(6, -4, value));
    ASSERT_EQ(p.rows, 4);
    EXPECT_EQ(p.pixels[0], value(0, 0));
    EXPECT_EQ(p.pixels[3 * 6 + 5], value(5, 3));
  }
  // Pixel rows come from the file's own offset.
  {
    const GreyPicture p = ReadMemory(MakeBmp8(6, 4, value, 1200));
    EXPECT_EQ(p.pixels[0], value(0, 0));
    EXPECT_EQ(p.pixels[3 * 6 + 5], value(5, 3));
  }
  // Wider than the row buffer and the store: only the store's columns 0..2600 are kept.
  {
    const GreyPicture p = ReadMemory(MakeBmp8(12'001, 2, [](int x, int y) {
      return uint8_t(x % 251 + y);
    }));
    ASSERT_EQ(p.columns, 2601);
    EXPECT_EQ(p.pixels[2600], uint8_t(2600 % 251));
    EXPECT_EQ(p.pixels[2601 + 2600], uint8_t(2600 % 251 + 1));
  }
  // Taller than the store: the rows 0..1612 from the top are kept.
  {
    const GreyPicture p = ReadMemory(MakeBmp8(3, 1700, [](int, int y) { return uint8_t(y); }));
    ASSERT_EQ(p.rows, 1613);
    EXPECT_EQ(p.pixels[1612 * 3], uint8_t(1612));
    auto t = std::make_unique<SharedState>();
    StoreGreyPicture(*t, 1, p);
    EXPECT_EQ(t->ImageStore[StoreIndex(0, 1612, 1)], uint8_t(1612));
    EXPECT_EQ(t->ImageStore[StoreIndex(0, 1613, 1)], 0);
  }
  // A file cut short fills what it has; the rest stays 0.
  {
    auto b = MakeBmp8(8, 4, [](int, int) { return uint8_t(200); });
    b.resize(1078 + 8 * 2 + 3);  // bottom two rows and 3 pixels of the third
    uint8_t kind = 0;
    const GreyPicture p = ReadMemory(b, &kind);
    EXPECT_EQ(kind, 50);
    EXPECT_EQ(p.pixels[3 * 8 + 0], 200);  // bottom row
    EXPECT_EQ(p.pixels[1 * 8 + 2], 200);
    EXPECT_EQ(p.pixels[1 * 8 + 3], 0);
    EXPECT_EQ(p.pixels[0], 0);
  }
  // Claims that would read far beyond the file: a huge height and offset.
  {
    auto b = MakeBmp8(4, 2, value);
    Put32At(b, 22, 0x7FFFFFFF);
    Put32At(b, 10, 0xFFFFFFF0);
    uint8_t kind = 0;
    const GreyPicture p = ReadMemory(b, &kind);
    EXPECT_EQ(kind, 50);
    EXPECT_EQ(p.rows, 1613);
  }
  // Refused: not 8 bits, compressed, no header, no width.
  auto refused = [](std::vector<uint8_t> b) {
    uint8_t kind = 0;
    ReadMemory(b, &kind);
    return kind;
  };
  auto b24 = MakeBmp8(4, 4, value);
  b24[28] = 24;
  EXPECT_EQ(refused(b24), 4);
  // Compressions other than run-length, run-length of another depth, top-down run-length.
  for (const auto& [bits, compression, height] :
       {std::tuple{8, 3, 4}, {4, 1, 4}, {8, 2, 4}, {4, 0, 4}, {8, 1, -4}}) {
    auto b = MakeBmp8(4, height, value);
    b[28] = uint8_t(bits);
    b[30] = uint8_t(compression);
    EXPECT_EQ(refused(b), 4) << bits << " bits, compression " << compression;
  }
  auto noWidth = MakeBmp8(4, 4, value);
  Put32At(noWidth, 18, 0);
  EXPECT_EQ(refused(noWidth), 4);
  auto cut = MakeBmp8(4, 4, value);
  cut.resize(40);  // no complete header
  EXPECT_EQ(refused(cut), 4);
  auto notBm = MakeBmp8(4, 4, value);
  notBm[0] = 'X';
  EXPECT_EQ(refused(notBm), 4);
}

// Run-length pictures: runs, literal stretches with their padding, end of row, moves, the
// end mark, and data that runs past the width, the rows or the file.
TEST(GreyBmp, RunLengthPicturesDecodeInsideThePicture) {
  struct Case {
    const char* what;
    int bits, width, height;
    std::vector<uint8_t> data;
    std::vector<uint8_t> top_first;  // the picture, top row first
  };
  const Case cases[] = {
      {"runs, end of row, end", 8, 4, 2, {3, 9, 0, 0, 2, 7, 0, 1}, {7, 7, 0, 0, 9, 9, 9, 0}},
      {"odd literal padded", 8, 4, 2, {0, 3, 1, 2, 3, 0, 1, 4, 0, 0, 0, 3, 5, 6, 7, 0, 0, 1},
       {5, 6, 7, 0, 1, 2, 3, 4}},
      {"move", 8, 4, 2, {0, 2, 1, 1, 2, 8, 0, 1}, {0, 8, 8, 0, 0, 0, 0, 0}},
      {"run past the width", 8, 4, 2, {6, 5, 0, 0, 1, 6, 0, 1}, {6, 0, 0, 0, 5, 5, 5, 5}},
      {"cut short", 8, 4, 2, {2, 9}, {0, 0, 0, 0, 9, 9, 0, 0}},
      {"moved past the rows", 8, 4, 2, {0, 2, 0, 200, 3, 1}, {0, 0, 0, 0, 0, 0, 0, 0}},
      {"4-bit run", 4, 5, 1, {5, 0x12, 0, 1}, {1, 2, 1, 2, 1}},
      {"4-bit literal, two bytes", 4, 5, 1, {0, 3, 0x34, 0x50, 0, 1}, {3, 4, 5, 0, 0}},
      {"4-bit literal, padded", 4, 5, 1, {0, 5, 0x12, 0x34, 0x50, 0, 0, 1}, {1, 2, 3, 4, 5}},
  };
  for (const Case& c : cases) {
    auto b = MakeBmp8(c.width, c.height, [](int, int) { return uint8_t(0); });
    b.resize(1078);
    b.insert(b.end(), c.data.begin(), c.data.end());
    b[28] = uint8_t(c.bits);
    b[30] = c.bits == 8 ? 1 : 2;
    uint8_t kind = 0;
    const GreyPicture p = ReadMemory(b, &kind);
    ASSERT_EQ(kind, 50) << c.what;
    EXPECT_EQ(p.pixels, c.top_first) << c.what;
  }
}

TEST(GreyBmp, FilesOfOtherProgramsOpenWithEveryPixelInPlace) {
  const std::string data = ORVIX_FILES_DATA;
  auto pattern = [](int x, int y) { return uint8_t((x * 7 + y * 13) % 256); };
  for (const char* name :
       {"pillow_grey_37x23.bmp", "magick_grey_37x23.bmp", "magick_grey_v5_37x23.bmp"}) {
    GreyPicture p;
    uint16_t code = 9;
    ASSERT_EQ(ReadGreyBmpFile(data + "/" + name, p, code), 50) << name;
    EXPECT_EQ(code, 0);
    ASSERT_EQ(p.columns, 37);
    ASSERT_EQ(p.rows, 23);
    int wrong = 0;
    for (int y = 0; y < 23; ++y)
      for (int x = 0; x < 37; ++x) wrong += p.pixels[size_t(y * 37 + x)] != pattern(x, y);
    EXPECT_EQ(wrong, 0) << name;
  }
  // A packed grey palette: the bytes are indices and the palette gives the greys.
  GreyPicture p;
  uint16_t code = 0;
  ASSERT_EQ(ReadGreyBmpFile(data + "/magick_sparse_29x17.bmp", p, code), 50);
  int wrong = 0;
  for (int y = 0; y < 17; ++y)
    for (int x = 0; x < 29; ++x)
      wrong += p.pixels[size_t(y * 29 + x)] != uint8_t(20 + 3 * ((x + 2 * y) % 60));
  EXPECT_EQ(wrong, 0);
  EXPECT_EQ(ReadGreyBmpFile(data + "/magick_4bit_13x5.bmp", p, code), 4);
  // ImageMagick's own choice for an 8-bit grey BMP: run-length (RLE8).
  ASSERT_EQ(ReadGreyBmpFile(data + "/magick_rle8_41x19.bmp", p, code), 50);
  ASSERT_EQ(p.pixels.size(), 41u * 19u);
  wrong = 0;
  for (int y = 0; y < 19; ++y)
    for (int x = 0; x < 41; ++x)
      wrong += p.pixels[size_t(y * 41 + x)] !=
               uint8_t(y % 3 ? ((x / 5) * 30 + y * 3) % 256 : (x * 11 + y) % 256);
  EXPECT_EQ(wrong, 0);
}

TEST(SaveNames, FilterListsForEveryView) {
  EXPECT_EQ(JoinedFilter(SaveFilterList(0x10, 1, false, false, false)),
            "Obraz 550-400-grayscale (*.bmp)|*.bmp|Obraz 550-400-grayscale (*.jpg)|*.jpg|"
            "Obraz 1100-800-kolor (*.bmp)|*.bmp|Obraz 1100-800-kolor (*.jpg)|*.jpg");
  EXPECT_EQ(SaveFilterList(0x10, 1, false, false, false).colourMode, 0);
  const SaveFilters turned = SaveFilterList(0x20, 3, true, true, false);
  EXPECT_EQ(JoinedFilter(turned),
            "Obraz 800-800-kolor (*.bmp)|*.bmp|Obraz 800-800-kolor (*.jpg)|*.jpg");
  EXPECT_EQ(turned.colourMode, 1);
  EXPECT_EQ(JoinedFilter(SaveFilterList(0x20, 3, true, false, false)),
            "Obraz 1100-800-kolor (*.bmp)|*.bmp|Obraz 1100-800-kolor (*.jpg)|*.jpg");
  const SaveFilters all = SaveFilterList(0x10, 5, false, false, false);
  EXPECT_EQ(JoinedFilter(all),
            "Obraz 1100-800-kolor (*.bmp)|*.bmp|Obraz 1100-800-kolor (*.jpg)|*.jpg");
  EXPECT_EQ(all.colourMode, 2);
  EXPECT_EQ(SaveFilterList(0x10, 1, false, false, true).colourMode, 2);
  // The annotated turned anaglyph keeps the 800-800 size but is colour mode 2.
  const SaveFilters annotatedTurned = SaveFilterList(0x20, 3, true, true, true);
  EXPECT_EQ(annotatedTurned.entries[0], "Obraz 800-800-kolor (*.bmp)");
  EXPECT_EQ(annotatedTurned.colourMode, 2);
}

TEST(SaveNames, TypedNamesAndTheExtensionOfTheEntry) {
  EXPECT_EQ(CheckSaveName("probe.jpg"), 50);
  EXPECT_EQ(CheckSaveName("probe"), 50);
  EXPECT_EQ(CheckSaveName("probe."), 50);
  EXPECT_EQ(CheckSaveName("Probe.BMP"), 10);
  EXPECT_EQ(CheckSaveName("a.b.bmp"), 10);
  EXPECT_EQ(CheckSaveName("probe.png"), 10);
  EXPECT_EQ(CheckSaveName(".bmp"), 6);
  EXPECT_EQ(CheckSaveName(""), 6);

  const SaveFilters four = SaveFilterList(0x20, 1, false, false, false);
  EXPECT_EQ(WithExtension("probe.jpg", EntryExtension(four, 0)), "probe.bmp");
  EXPECT_EQ(WithExtension("probe", EntryExtension(four, 3)), "probe.jpg");
  EXPECT_FALSE(EntryIsColour(four, 1));
  EXPECT_TRUE(EntryIsColour(four, 2));
  const SaveFilters two = SaveFilterList(0x20, 5, false, false, false);
  EXPECT_EQ(EntryExtension(two, 0), ".bmp");
  EXPECT_EQ(EntryExtension(two, 1), ".jpg");
  EXPECT_TRUE(EntryIsColour(two, 0));

  EXPECT_EQ(InFolder("/", "backup-0001.bmp"), "/backup-0001.bmp");
  EXPECT_EQ(InFolder("/data/pics", "a.bmp"), "/data/pics/a.bmp");
  EXPECT_EQ(FolderPart("/a.b/c.bmp"), "/a.b");
  EXPECT_EQ(FolderPart("/c.bmp"), "/");
  EXPECT_EQ(NamePart("/a.b/c.bmp"), "c.bmp");
}

TEST(SaveNames, CaptionTooWideKeepsHeadDotsAndTail) {
  auto width = [](const QString& t) { return int(t.size()) * 10; };  // 10 px a character
  EXPECT_EQ(ShortenCaption(QStringLiteral("short"), width), QStringLiteral("short"));
  const QString fits(36, QChar('a'));  // 360 px
  EXPECT_EQ(ShortenCaption(fits, width), fits);
  const QString path = QStringLiteral("/home/op/Pictures/2026/12/Session-26-12-08/próbka-0001.bmp");
  const QString shown = ShortenCaption(path, width);
  // The first text wider than 365 px: 37 characters = "/ho" + "..." + the last 31.
  EXPECT_EQ(shown, QStringLiteral("/ho...") + path.right(31));
  EXPECT_EQ(shown.size(), 37);
  EXPECT_TRUE(shown.endsWith(QStringLiteral("próbka-0001.bmp")));  // characters, not bytes
  EXPECT_EQ(ShortenCaption(QString(300, QChar('x')), [](const QString&) { return 0; }).size(),
            255);
}

TEST(AutoName, BaseAndNumberedNames) {
  EXPECT_EQ(AutoNameBaseOf("picture.x.bmp"), "picture");
  EXPECT_EQ(AutoNameBaseOf("probe"), "probe");
  EXPECT_EQ(AutoNameBaseOf(".x"), std::nullopt);
  EXPECT_EQ(AutoNameBaseOf(""), std::nullopt);

  QTemporaryDir dir;
  const std::string folder = dir.path().toStdString() + "/";
  auto touch = [&](const std::string& name) { WriteBytesTo(folder + name, {}); };
  EXPECT_EQ(NextAutoName(folder, "backup"), "backup-0001.bmp");
  for (int n = 1; n <= 3; ++n) touch("backup-000" + std::to_string(n) + ".bmp");
  EXPECT_EQ(NextAutoName(folder, "backup"), "backup-0004.bmp");
  for (int n = 4; n <= 9; ++n) touch("backup-000" + std::to_string(n) + ".bmp");
  touch("backup-0010.jpg");  // only .bmp names hold a number
  touch("backup-0010.bak");
  EXPECT_EQ(NextAutoName(folder, "backup"), "backup-0010.bmp");
  touch("backup-0010.bmp");
  EXPECT_EQ(NextAutoName(folder, "backup"), "backup-0011.bmp");
  for (int n = 11; n <= 999; ++n) touch("backup-" + QString::asprintf("%04d", n).toStdString() + ".bmp");
  EXPECT_EQ(NextAutoName(folder, "backup"), "backup-1000.bmp");
  for (int n = 1000; n <= 9999; ++n) touch("backup-" + std::to_string(n) + ".bmp");
  EXPECT_EQ(NextAutoName(folder, "backup"), "NoName.bmp");
}

TEST(FileWrite, AFailedWriteKeepsTheOldFileAndLeavesNoTemporary) {
  QTemporaryDir dir;
  const std::string path = dir.path().toStdString() + "/probe.bmp";
  const std::vector<uint8_t> old(1000, 1);
  ASSERT_TRUE(WriteFileReplacing(path, old.data(), old.size()).ok);
  EXPECT_EQ(ReadBytes(path), old);
  const std::vector<uint8_t> big(300'000, 2);
  {
    FileSizeLimit full(100'000);
    const FileWriteResult r = WriteFileReplacing(path, big.data(), big.size());
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, EFBIG);
  }
  EXPECT_EQ(ReadBytes(path), old);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"probe.bmp"});
  // A read-only file is replaced by an ordinary one.
  ASSERT_TRUE(QFile::setPermissions(QString::fromStdString(path), QFile::ReadOwner));
  EXPECT_TRUE(IsReadOnly(path));
  ASSERT_TRUE(WriteFileReplacing(path, big.data(), big.size()).ok);
  EXPECT_EQ(ReadBytes(path), big);
  EXPECT_FALSE(IsReadOnly(path));
  // A folder that does not exist.
  EXPECT_FALSE(WriteFileReplacing(dir.path().toStdString() + "/no/x.bmp", old.data(), 10).ok);
}

// What a save killed between naming its temporary file and the rename left is removed by
// the next save of that name; other names' files, and other files that look alike, stay.
TEST(FileWrite, ASaveClearsWhatAnInterruptedSaveOfItsNameLeft) {
  QTemporaryDir dir;
  const std::string folder = dir.path().toStdString();
  const std::vector<uint8_t> bytes(5000, 3);
  for (const char* name : {"probe.bmp.orvix-Ab12Cd", "probe.bmp.orvix-zz9ZZ9",
                           "other.bmp.orvix-Ab12Cd", "probe.bmp.orvix-Ab12C",
                           "probe.bmp.orvix-Ab12Cd.x", "probe.bmp.backup"})
    WriteBytesTo(folder + "/" + name, {1, 2, 3});
  ASSERT_TRUE(WriteFileReplacing(folder + "/probe.bmp", bytes.data(), bytes.size()).ok);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files, QDir::Name),
            (QStringList{"other.bmp.orvix-Ab12Cd", "probe.bmp", "probe.bmp.backup",
                         "probe.bmp.orvix-Ab12C", "probe.bmp.orvix-Ab12Cd.x"}));
  EXPECT_EQ(ReadBytes(folder + "/probe.bmp"), bytes);
  // Replacing an existing file leaves only that file too.
  ASSERT_TRUE(WriteFileReplacing(folder + "/probe.bmp", bytes.data(), 10).ok);
  EXPECT_EQ(ReadBytes(folder + "/probe.bmp").size(), 10u);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 5);
}

// Where the file system refuses unnamed files the temporary file is named from the start:
// the same outcome, old file kept and no temporary file left on a failure.
TEST(FileWrite, NamedTemporaryFileWhereUnnamedOnesAreRefused) {
  QTemporaryDir dir;
  const std::string path = dir.path().toStdString() + "/probe.bmp";
  UseUnnamedTemporaryFiles(false);
  const std::vector<uint8_t> old(1000, 1), big(300'000, 2);
  EXPECT_TRUE(WriteFileReplacing(path, old.data(), old.size()).ok);
  {
    FileSizeLimit full(100'000);
    EXPECT_EQ(WriteFileReplacing(path, big.data(), big.size()).error, EFBIG);
  }
  EXPECT_TRUE(WriteFileReplacing(path + "x", big.data(), big.size()).ok);
  UseUnnamedTemporaryFiles(true);
  EXPECT_EQ(ReadBytes(path), old);
  EXPECT_EQ(ReadBytes(path + "x"), big);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), (QStringList{"probe.bmp", "probe.bmpx"}));
}

// Reads by name take only regular files; a link to one is read through.
TEST(FileWrite, ReadRegularFileRefusesFoldersAndFifosAtOnce) {
  QTemporaryDir dir;
  const std::string folder = dir.path().toStdString();
  std::string bytes;
  int error = 0;
  EXPECT_FALSE(ReadRegularFile(folder, bytes, error));
  EXPECT_EQ(error, EISDIR);
  ASSERT_EQ(::mkfifo((folder + "/fifo").c_str(), 0600), 0);
  EXPECT_FALSE(ReadRegularFile(folder + "/fifo", bytes, error));  // returns: nothing waits
  EXPECT_EQ(error, EACCES);
  EXPECT_FALSE(ReadRegularFile(folder + "/none", bytes, error));
  EXPECT_EQ(error, ENOENT);
  WriteBytesTo(folder + "/real", std::vector<uint8_t>(70000, 'r'));
  ASSERT_EQ(::symlink("real", (folder + "/link").c_str()), 0);
  ASSERT_TRUE(ReadRegularFile(folder + "/link", bytes, error));
  EXPECT_EQ(bytes, std::string(70000, 'r'));
  ASSERT_TRUE(ReadRegularFile(folder + "/link", bytes, error, 100));
  EXPECT_EQ(bytes.size(), 100u);
  // Its descriptor reads normally (not in non-blocking mode).
  const int fd = OpenRegularFile(folder + "/real", error);
  ASSERT_GE(fd, 0);
  EXPECT_EQ(::fcntl(fd, F_GETFL) & O_NONBLOCK, 0);
  ::close(fd);
}

}  // namespace
}  // namespace orvix
