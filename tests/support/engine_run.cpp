#include "tests/support/engine_run.h"

#include <regex>

namespace testing_support {

const std::string kTableOpening = Crlf(
    "typedef struct\n{\n\tunsigned int bmpaddr;\n\tunsigned short Width;\n"
    "\tunsigned short Height;\n\tunsigned char bit;\n}_BMP_Addr;\n\n"
    "#define PIC_OFFSET 0x00\n"
    "_BMP_Addr bmpaddr[]=\n{\n");
const std::string kTableClosing = Crlf("};\n\n");
const std::string kEnumClosing = Crlf("}_PICTURE_Index_;\n\n");

EngineRun::EngineRun() {
  engine.m_strExt[0] = L"bmp";
  engine.m_nExtCount = 1;
  engine.m_strOutputStem = L"out";
}

void EngineRun::Put(const std::filesystem::path& relative, const Picture& picture) const {
  WriteFile(root() / relative, EncodeBitmap(picture));
}

void EngineRun::Put(const std::filesystem::path& relative,
                    const std::vector<uint8_t>& bytes) const {
  WriteFile(root() / relative, bytes);
}

void EngineRun::MakeFolder(const std::filesystem::path& relative) const {
  std::filesystem::create_directories(root() / relative);
}

int EngineRun::Run(const CString& folder) {
  engine.m_nFileCount = 0;
  return engine.ConvertFolder(folder, 1);
}

std::string ArrayBytes(const std::string& text) {
  std::string bytes;
  static const std::regex value("0x([0-9a-f]{2}),");
  for (auto it = std::sregex_iterator(text.begin(), text.end(), value);
       it != std::sregex_iterator(); ++it) {
    bytes += static_cast<char>(std::stoi((*it)[1].str(), nullptr, 16));
  }
  return bytes;
}

}  // namespace testing_support
