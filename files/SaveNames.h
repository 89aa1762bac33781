#pragma once
// The rules of the save dialog: its filter entries for the view shown, the checks of a
// typed name, the extension a filter entry gives, the two questions before a file is
// replaced, and the shortening of the caption over the picture.
#include <QString>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace orvix {

// What the save dialog offers for the view shown.
struct SaveFilters {
  std::vector<std::string> entries;   // as shown, e.g. "Obraz 550-400-grayscale (*.bmp)"
  std::vector<std::string> patterns;  // "*.bmp" or "*.jpg", one per entry
  int colourMode = 0;  // 0 grey or colour chosen by entry, 1 anaglyph, 2 ALL or annotated
  bool FourEntries() const { return entries.size() == 4; }
};

// The list for lines code `workMode` AND 0x70, view `viewMode`, the anaglyph switches and
// PictureAnnotated. The anaglyph on view 3 offers only colour (800-800 when turned); the
// ALL view and an annotated picture offer only colour 1100-800.
SaveFilters SaveFilterList(uint8_t workMode, int viewMode, bool anaglyphOn, bool rotate90,
                           bool annotated);
// The list as one string: entry|pattern|entry|pattern...
std::string JoinedFilter(const SaveFilters& f);

// The kind (6, 10) a typed file name is refused with, or 50 when it may be used: a name
// that is empty or begins with "." has no name; the text from its first "." must be
// exactly ".bmp", ".jpg" or "." (case matters) when there is a dot.
uint8_t CheckSaveName(const std::string& fileName);
// The name with everything from its first "." replaced by `ext`.
std::string WithExtension(const std::string& name, const std::string& ext);
// The extension filter entry `index` (0-based) gives: ".bmp" or ".jpg".
std::string EntryExtension(const SaveFilters& f, int index);
// The entry (0-based) chooses a colour picture.
bool EntryIsColour(const SaveFilters& f, int index);

// The questions asked before `name` is replaced.
std::string ExistsQuestion(const std::string& name);
std::string ReadOnlyQuestion(const std::string& name);

// folder + "/" + name without a doubled separator at the root folder.
std::string InFolder(const std::string& folder, const std::string& name);

// The caption stored and shown for `text` on a label of the given width rule: at most
// 255 characters; when wider than 365 pixels, the first three characters, "..." and the
// tail that first makes the label wider than 365 pixels. `width` measures a text in the
// label's own font.
QString ShortenCaption(const QString& text, const std::function<int(const QString&)>& width);

}  // namespace orvix
