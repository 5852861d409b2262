#include <cinttypes>

#include "engine/firmware_sinks.h"
#include "rastrum_version.h"

namespace {

// A picture's path in a comment, the same on every host: '/' between its
// parts, printable ASCII but '*' (so no "*/" or "/*" can form), everything
// else as '?'.
std::string CommentText(const CString& path) {
  std::string text;
  for (wchar_t c : path.str()) {
    if (c == L'\\') c = L'/';
    text += c >= 0x20 && c < 0x7F && c != L'*' ? static_cast<char>(c) : '?';
  }
  return text;
}

}  // namespace

void HeaderSink::EndRun() {
  platform::OutputStream& h = file_.stream();
  const std::string& name = plan_.header;
  const std::string macro = MacroPrefix(name);
  h.Print("/* %s.h: the pictures of %s.bin, written by rastrum %s. */\n", name.c_str(),
          name.c_str(), RASTRUM_VERSION);
  h.Print("#ifndef %sH\n#define %sH\n\n#include <stdint.h>\n\n", macro.c_str(), macro.c_str());
  h.Write("#ifdef __cplusplus\nextern \"C\" {\n#endif\n\n");
  h.Print("#define %sFORMAT \"%s\"\n", macro.c_str(), FormatName(plan_.format));
  h.Print("#define %sBYTES_PER_PIXEL %du\n", macro.c_str(), FormatBytesPerPixel(plan_.format));
  h.Print("#define %sALIGNMENT %uu\n", macro.c_str(), plan_.alignment);
  h.Print("#define %sPICTURE_COUNT %zuu\n", macro.c_str(), catalog_.pictures.size());
  h.Print("#define %sBINARY_SIZE %" PRIu64 "u\n", macro.c_str(), catalog_.binarySize);
  h.Print("/* CRC-32 (IEEE, as zlib's crc32()) of all %sBINARY_SIZE bytes of %s.bin */\n",
          macro.c_str(), name.c_str());
  h.Print("#define %sBINARY_CRC32 0x%.8" PRIX32 "u\n\n", macro.c_str(), catalog_.crc.value());
  h.Print(
      "/* A picture's pixels in %s.bin: `length` bytes from `offset`, top row first. */\n"
      "typedef struct %s_picture {\n\tuint32_t offset;\n\tuint32_t length;\n"
      "\tuint16_t width;\n\tuint16_t height;\n} %s_picture;\n\n",
      name.c_str(), name.c_str(), name.c_str());
  if (!catalog_.ids.empty()) {
    h.Print("/* Indexes into %s_pictures[]. */\nenum %s_picture_id {\n", name.c_str(),
            name.c_str());
    for (size_t i = 0; i < catalog_.ids.size(); ++i) {
      h.Print("\t%s = %zu, /* %s */\n", catalog_.ids[i].c_str(), i,
              CommentText(catalog_.pictures[i].relativePath).c_str());
    }
    h.Write("};\n\n");
  }
  h.Print("extern const %s_picture %s_pictures[];\n", name.c_str(), name.c_str());
  if (plan_.embed) {
    h.Print("/* All of %s.bin. */\nextern const uint8_t %s_data[];\n", name.c_str(), name.c_str());
  }
  h.Print("\n#ifdef __cplusplus\n}\n#endif\n\n#endif /* %sH */\n", macro.c_str());
}
