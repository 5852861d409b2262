// The manifest: the run and every picture as JSON, for build scripts.
#include <nlohmann/json.hpp>

#include "engine/firmware_sinks.h"
#include "platform/file_access.h"
#include "platform/text_encoding.h"
#include "rastrum_version.h"

namespace {

// A path as valid UTF-8 with '/' between its parts. A byte of a file name
// that is no UTF-8 becomes the four characters \xHH, and so does a '\' in a
// name on hosts where it is no separator, so every name reads back exactly.
std::string ManifestPath(const CString& path) {
  const bool backslashSeparates = CString(platform::PathSeparator()) == CString(L"\\");
  std::wstring text;
  for (wchar_t c : path.str()) {
    if (c == L'\\' && backslashSeparates) {
      text += L'/';
    } else if (c == L'\\' || (c >= 0xDC80 && c <= 0xDCFF)) {
      wchar_t escape[8];
      std::swprintf(escape, 8, L"\\x%.2X", c == L'\\' ? 0x5C : c - 0xDC00);
      text += escape;
    } else {
      text += c;
    }
  }
  return platform::WideToUtf8(CString(text.c_str()));
}

std::string HexColour(const Background& b) {
  char text[8];
  std::snprintf(text, sizeof text, "%.2X%.2X%.2X", b.r, b.g, b.b);
  return text;
}

}  // namespace

void ManifestSink::EndRun() {
  nlohmann::ordered_json pictures = nlohmann::ordered_json::array();
  for (size_t i = 0; i < catalog_.pictures.size(); ++i) {
    const PictureEntry& e = catalog_.pictures[i];
    nlohmann::ordered_json picture;
    picture["index"] = e.index;
    if (i < catalog_.ids.size()) picture["enum"] = catalog_.ids[i];
    picture["path"] = ManifestPath(e.relativePath);
    picture["width"] = e.width;
    picture["height"] = e.height;
    picture["offset"] = e.offset;
    picture["length"] = e.length;
    picture["source_format"] = e.sourceFormat;
    picture["source_bits"] = e.sourceBits;
    pictures.push_back(std::move(picture));
  }
  nlohmann::ordered_json manifest;
  manifest["tool"] = "rastrum";
  manifest["version"] = RASTRUM_VERSION;
  manifest["format"] = FormatName(plan_.format);
  manifest["bytes_per_pixel"] = FormatBytesPerPixel(plan_.format);
  manifest["alignment"] = plan_.alignment;
  manifest["background"] = HexColour(plan_.background);
  manifest["dither"] = DitherName(plan_.dither);
  manifest["binary"] = {{"name", platform::WideToUtf8(platform::AnsiToWide(binaryName_))},
                        {"size", catalog_.binarySize},
                        {"crc32", catalog_.crc.value()}};
  manifest["pictures"] = std::move(pictures);
  file_.stream().Write(manifest.dump(2) + "\n");
}
