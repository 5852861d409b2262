#include "tests/support/engine_run.h"

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

}  // namespace testing_support
