#pragma once
// The fixed texts, names and numbers of the picture files, in one place. Texts are UTF-8
// and exact to the blank; "\r\n" is the station's line break inside a box.
#include <cstdint>

namespace orvix::files {

// --- Outcomes of a save or an open (the kind byte handed to ReportFileError) -----------
inline constexpr uint8_t kKindReadError = 3;   // open failed; the code says why
inline constexpr uint8_t kKindNotGrey = 4;     // not an 8-bit grey picture
inline constexpr uint8_t kKindNoName = 6;      // no usable file name
inline constexpr uint8_t kKindBadExtension = 10;
inline constexpr uint8_t kKindNoSpace = 12;
inline constexpr uint8_t kKindNothing = 50;    // completed or cancelled: nothing to report

inline constexpr const char* kReadErrorHead = "   Błąd w odczycie pliku.  \r\n\r\n";
inline constexpr const char* kNotGreyText =
    "         Błąd w odczycie pliku           \r\n\r\nplik nie jest zgodny z paletą 256 odcieni "
    "szarości ";
inline constexpr const char* kNoNameText =
    "             Brak nazwy pliku.                    \r\n\r\n          Zbiór nie jest "
    "zapisany.             ";
inline constexpr const char* kBadExtensionText =
    "  Plik o podanej nazwie ma złe rozszerzenie      \r\n\r\n          Plik nie jest "
    "zapisany.             ";
inline constexpr const char* kNoSpaceText =
    "          Zbyt mało miejsca na dysku.             \r\n\r\n           Plik nie jest "
    "zapisany.             ";
inline constexpr const char* kUnknownErrorText = "    Błąd nieokreślony    ";

// The writers' own failure (no channel to save, the file cannot be made or written).
inline constexpr const char* kNotSavedText = "   ERROR ??? - not saved    ";

// --- Save dialog ------------------------------------------------------------------------
inline constexpr const char* kSaveTitle = " SAVE PICTURE";
inline constexpr const char* kFilterPrefix = "Obraz ";
inline constexpr const char* kGreyBmpSuffix = "-grayscale (*.bmp)";
inline constexpr const char* kGreyJpgSuffix = "-grayscale (*.jpg)";
inline constexpr const char* kColourBmpSuffix = "-kolor (*.bmp)";
inline constexpr const char* kColourJpgSuffix = "-kolor (*.jpg)";
inline constexpr const char* kColourSize = "1100-800";
inline constexpr const char* kTurnedAnaglyphSize = "800-800";

// The two questions before a file is replaced.
inline constexpr const char* kAskHead = "  Plik   \" ";
inline constexpr const char* kAskExists = " \"   już istnieje   \r\n\r\n";
inline constexpr const char* kAskExistsTail = "             Czy zapisać ?              ";
inline constexpr const char* kAskReadOnly = " \"   jest tylko do odczytu   \r\n\r\n";
inline constexpr const char* kAskReadOnlyTail = "                 Czy zapisać ?                   ";

// --- Open dialog ------------------------------------------------------------------------
inline constexpr const char* kOpenTitle = " OPEN PICTURE ";
inline constexpr const char* kOpenFilter = "Obrazy - grayscale (*.bmp)";

// --- Files ------------------------------------------------------------------------------
inline constexpr const char* kJpegWorkFile = "temp_obr.bmp";   // in ProgramDir
inline constexpr const char* kPrintWorkFile = "temp_dru.bmp";  // in ProgramDir

// --- Numbers ----------------------------------------------------------------------------
inline constexpr int kGreyHeaderBytes = 1078;  // file header, information header, palette
inline constexpr int kInfoHeaderBytes = 40;
inline constexpr int kFileHeaderBytes = 14;
inline constexpr double kFreeSpaceFactor = 2.1;  // free space needed: 2.1 x the grey file
inline constexpr int kJpegQuality = 90;
inline constexpr int kCaptionLimit = 365;     // caption label width in pixels
inline constexpr int kCaptionMaxChars = 255;
inline constexpr int kCaptionTailSteps = 256;
// Open: the store positions a file can fill (the last row and column stay untouched).
inline constexpr int kOpenMaxColumn = 2600;
inline constexpr int kOpenMaxRow = 1612;

}  // namespace orvix::files
