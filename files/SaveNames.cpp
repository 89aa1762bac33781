#include "SaveNames.h"

#include "FileTexts.h"
#include "GreyBmp.h"

namespace orvix {

using namespace files;

SaveFilters SaveFilterList(uint8_t workMode, int viewMode, bool anaglyphOn, bool rotate90,
                           bool annotated) {
  const std::string g = PictureGeometry(workMode).sizeText;
  std::string c = kColourSize;
  SaveFilters f;
  f.entries = {kFilterPrefix + g + kGreyBmpSuffix, kFilterPrefix + g + kGreyJpgSuffix,
               kFilterPrefix + c + kColourBmpSuffix, kFilterPrefix + c + kColourJpgSuffix};
  f.patterns = {"*.bmp", "*.jpg", "*.bmp", "*.jpg"};
  auto colourOnly = [&] {
    f.entries = {kFilterPrefix + c + kColourBmpSuffix, kFilterPrefix + c + kColourJpgSuffix};
    f.patterns = {"*.bmp", "*.jpg"};
  };
  if (viewMode == 3 && anaglyphOn) {
    if (rotate90) c = kTurnedAnaglyphSize;
    colourOnly();
    f.colourMode = 1;
  }
  if (viewMode == kAllView || annotated) {
    colourOnly();  // with the C of the anaglyph step, as that step left it
    f.colourMode = 2;
  }
  return f;
}

std::string JoinedFilter(const SaveFilters& f) {
  std::string s;
  for (size_t i = 0; i < f.entries.size(); ++i) {
    if (i) s += "|";
    s += f.entries[i] + "|" + f.patterns[i];
  }
  return s;
}

uint8_t CheckSaveName(const std::string& fileName) {
  if (fileName.empty() || fileName[0] == '.') return kKindNoName;
  const size_t dot = fileName.find('.');
  if (dot == std::string::npos) return kKindNothing;
  const std::string ext = fileName.substr(dot);
  if (ext != ".bmp" && ext != ".jpg" && ext != ".") return kKindBadExtension;
  return kKindNothing;
}

std::string WithExtension(const std::string& name, const std::string& ext) {
  return name.substr(0, name.find('.')) + ext;
}

std::string EntryExtension(const SaveFilters& f, int index) {
  return f.patterns[size_t(index >= 0 && size_t(index) < f.patterns.size() ? index : 0)] ==
                 "*.jpg"
             ? ".jpg"
             : ".bmp";
}

bool EntryIsColour(const SaveFilters& f, int index) {
  return f.colourMode > 0 || (f.FourEntries() && index >= 2);
}

std::string ExistsQuestion(const std::string& name) {
  return kAskHead + name + kAskExists + kAskExistsTail;
}
std::string ReadOnlyQuestion(const std::string& name) {
  return kAskHead + name + kAskReadOnly + kAskReadOnlyTail;
}

std::string InFolder(const std::string& folder, const std::string& name) {
  if (!folder.empty() && folder.back() == '/') return folder + name;
  return folder + "/" + name;
}

QString ShortenCaption(const QString& text, const std::function<int(const QString&)>& width) {
  const QString caption = text.left(kCaptionMaxChars);
  if (width(caption) <= kCaptionLimit) return caption;
  const QString head = caption.left(3) + QStringLiteral("...");
  QString shown = caption;
  for (int i = 1; i <= kCaptionTailSteps; ++i) {
    shown = head + caption.right(i + 1);
    if (width(shown) > kCaptionLimit) break;
  }
  return shown;
}

}  // namespace orvix
