#include "FileErrors.h"

#include <cerrno>
#include <utility>

#include "FileTexts.h"

namespace orvix {

namespace {

// The result numbers of a failed file operation and their texts.
constexpr std::pair<uint16_t, const char*> kCodeTexts[] = {
    {2, "   Nie znaleziono pliku.                                      "},
    {3, "   Nie znaleziono ścieżki.                                    "},
    {4, "   Zbyt wiele otwartych plików.                               "},
    {5, "   Zabroniony dostęp do pliku.                                "},
    {6, "   Błędna operacja na pliku.                                  "},
    {12, "   Niewłaściwy dostęp do pliku.                               "},
    {15, "   Błędne oznaczenie napędu.                                  "},
    {16, "   Niewykonalne usunięcie katalogu.                           "},
    {17, "   Niewykonalna zmiana nazwy pliku.                           "},
    {18, "   Nie znaleziono pliku.                                      "},
    {19, "   Plik zabezpieczono przed zapisem.                          "},
    {21, "   Plik niegotowy do operacji (np. brak dyskietki w stacji).  "},
    {25, "   Błędna pozycja w pliku (procedura Seek).                   "},
    {29, "   Błąd zapisu.                                               "},
    {30, "   Błąd odczytu.                                              "},
    {32, "   Plik jest już otwarty, niemożliwy wspólny dostęp do pliku. "},
    {33, "   Zablokowany dostęp do pliku.                               "},
    {34, "   Błąd dysku.                                                "},
    {39, "   Dysk jest pełny.                                           "},
    {100, "   Błąd odczytu z dysku.                                      "},
    {101, "   Błąd zapisu na dysk.                                       "},
    {102, "   Nie skojarzono zmiennej plikowej z pliem fizycznym.        "},
    {103, "   Nie otwarty plik.                                          "},
    {104, "   Nie otwarty plik do operacji wejścia.                      "},
    {105, "   Nie otwarty plik do operacji wyjścia.                      "},
    {106, "   Nieprawidłowa dana liczbowa dla operacji wejścia.          "},
    {150, "   Dysk zabezpieczony przed zapisem.                          "},
    {151, "   Nieznane urządzenie.                                       "},
    {152, "   Napęd nie jest gotowy.                                     "},
    {153, "   Nieznane polecenie.                                        "},
    {154, "   Błędna dana.                                               "},
    {155, "   Błędne oznaczenie napędu.                                  "},
    {156, "   Błąd podczas przeszukiwania dysku.                         "},
    {157, "   Nieznany typ urządzenia.                                   "},
    {158, "   Nie znaleziony sektor.                                     "},
    {160, "   Błąd urządzenia dla operacji wyjścia.                      "},
    {161, "   Błąd urządzenia dla operacji wejścia.                      "},
    {162, "   Awaria sprzętu.                                            "},
};

}  // namespace

std::string FileErrorCodeText(uint16_t code) {
  for (const auto& [c, text] : kCodeTexts)
    if (c == code) return text;
  return {};
}

FileErrorBox ReportFileError(uint8_t kind, uint16_t code) {
  using namespace files;
  switch (kind) {
    case kKindNothing: return {};
    case kKindReadError:
      return {true, std::string(kReadErrorHead) + FileErrorCodeText(code), MsgButtons::Ok};
    case kKindNotGrey: return {true, kNotGreyText, MsgButtons::Ok};
    case kKindNoName: return {true, kNoNameText, MsgButtons::Ok};
    case kKindBadExtension: return {true, kBadExtensionText, MsgButtons::Yes};
    case kKindNoSpace: return {true, kNoSpaceText, MsgButtons::Yes};
    default: return {true, kUnknownErrorText, MsgButtons::Ok};
  }
}

uint16_t OpenErrorCode(int errnum) {
  switch (errnum) {
    case 0: return 0;
    case ENOENT: return 2;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP: return 3;
    case EMFILE:
    case ENFILE: return 4;
    case EACCES:
    case EPERM:
    case EISDIR: return 5;  // a folder cannot be read as a picture
    case EINVAL: return 12;
    case ENOMEDIUM: return 21;
    case EBUSY:
    case ETXTBSY: return 32;
    case EAGAIN: return 33;
    case ENOSPC: return 39;
    case EIO: return 100;
    case EROFS: return 150;
    case ENXIO:
    case ENODEV: return 151;
    default: return kUnmappedOpenError;
  }
}

}  // namespace orvix
