// The resources ZT_Rastrum.exe carries, read from the executable itself and
// compared with the resource tables: templates 100 and 102 byte for byte,
// string 101, icon 128; the manifest and the version resource; and that it
// is one GUI file that needs only DLLs every Windows has.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>
#include <vector>

#include "tests/dialog/win32_driver.h"
#include "ui/dialog_templates.h"

namespace {

// The executable mapped for its resources only: nothing of it runs.
class ExecutableResources : public ::testing::Test {
 protected:
  void SetUp() override {
    module_ = LoadLibraryExW(RASTRUM_ZT_RASTRUM_EXE, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module_, nullptr) << "cannot load " << GetLastError();
  }
  void TearDown() override {
    if (module_) FreeLibrary(module_);
  }

  // The bytes of a resource in exactly this language; empty if there is none.
  std::vector<uint8_t> Resource(LPCWSTR type, LPCWSTR name, WORD language) const {
    HRSRC found = FindResourceExW(module_, type, name, language);
    if (!found) return {};
    auto* bytes = static_cast<const uint8_t*>(LockResource(LoadResource(module_, found)));
    return std::vector<uint8_t>(bytes, bytes + SizeofResource(module_, found));
  }

  HMODULE module_ = nullptr;
};

// Reads a DLGTEMPLATEEX and its DLGITEMTEMPLATEEX entries.
class TemplateReader {
 public:
  explicit TemplateReader(const std::vector<uint8_t>& bytes) : bytes_(bytes) {}

  uint16_t U16() {
    uint16_t value = 0;
    if (at_ + 2 <= bytes_.size()) value = static_cast<uint16_t>(bytes_[at_] | bytes_[at_ + 1] << 8);
    at_ += 2;
    return value;
  }
  uint32_t U32() {
    uint32_t low = U16();
    return low | static_cast<uint32_t>(U16()) << 16;
  }
  uint8_t U8() { return at_ < bytes_.size() ? bytes_[at_++] : (at_++, 0); }
  int16_t S16() { return static_cast<int16_t>(U16()); }
  std::wstring Text() {
    std::wstring text;
    for (uint16_t c = U16(); c != 0 && at_ <= bytes_.size(); c = U16()) text += wchar_t(c);
    return text;
  }
  // A name or an ordinal: 0xFFFF then the number, written "#number".
  std::wstring TextOrOrdinal() {
    if (at_ + 2 <= bytes_.size() && bytes_[at_] == 0xFF && bytes_[at_ + 1] == 0xFF) {
      U16();
      return L"#" + std::to_wstring(U16());
    }
    return Text();
  }
  void AlignDword() { at_ = (at_ + 3) & ~size_t{3}; }
  bool Ended() const { return at_ > bytes_.size(); }

 private:
  const std::vector<uint8_t>& bytes_;
  size_t at_ = 0;
};

std::wstring Wide(const char* ascii) {
  return std::wstring(ascii, ascii + std::strlen(ascii));
}

void ExpectTemplate(const std::vector<uint8_t>& bytes, const DialogTemplate& want) {
  ASSERT_FALSE(bytes.empty()) << "no template " << want.id.value << " in language " << std::hex
                              << want.language;
  TemplateReader in(bytes);
  EXPECT_EQ(in.U16(), 1);  // DLGTEMPLATEEX
  EXPECT_EQ(in.U16(), 0xFFFF);
  EXPECT_EQ(in.U32(), 0u);  // help id
  EXPECT_EQ(in.U32(), want.exStyle);
  EXPECT_EQ(in.U32(), want.style) << std::hex;
  uint16_t count = in.U16();
  EXPECT_EQ(count, want.items.size());
  EXPECT_EQ(in.S16(), want.x);
  EXPECT_EQ(in.S16(), want.y);
  EXPECT_EQ(in.S16(), want.cx);
  EXPECT_EQ(in.S16(), want.cy);
  EXPECT_EQ(in.TextOrOrdinal(), L"");  // no menu
  EXPECT_EQ(in.TextOrOrdinal(), L"");  // the dialog class
  EXPECT_EQ(in.Text(), want.caption);
  EXPECT_EQ(in.U16(), want.font.pointSize);
  EXPECT_EQ(in.U16(), want.font.weight);
  EXPECT_EQ(in.U8(), want.font.italic ? 1 : 0);
  EXPECT_EQ(in.U8(), want.font.charset);
  EXPECT_EQ(in.Text(), want.font.face);
  for (size_t i = 0; i < count && i < want.items.size(); ++i) {
    const DialogItemTemplate& item = want.items[i];
    SCOPED_TRACE("control " + std::to_string(i + 1));
    in.AlignDword();
    EXPECT_EQ(in.U32(), 0u);  // help id
    EXPECT_EQ(in.U32(), 0u);  // extended style
    EXPECT_EQ(in.U32(), item.style) << std::hex;
    EXPECT_EQ(in.S16(), item.x);
    EXPECT_EQ(in.S16(), item.y);
    EXPECT_EQ(in.S16(), item.cx);
    EXPECT_EQ(in.S16(), item.cy);
    EXPECT_EQ(static_cast<int>(in.U32()), item.id.value);
    // The class by its name, as the resource script spells it, or by the
    // system's number for it; the dialog manager takes either.
    std::wstring className = in.TextOrOrdinal();
    if (className.starts_with(L"#")) {
      EXPECT_EQ(className,
                L"#" + std::to_wstring(win32_testing::SystemClassOf(item.windowClass).atom));
    } else {
      EXPECT_EQ(className, Wide(item.windowClass));
    }
    std::wstring text = item.iconId.name ? L"#" + std::to_wstring(item.iconId.value)
                                         : std::wstring(item.text ? item.text : L"");
    EXPECT_EQ(in.TextOrOrdinal(), text);
    EXPECT_EQ(in.U16(), 0);  // no creation data
  }
  EXPECT_FALSE(in.Ended());
}

std::string Utf8(const std::vector<uint8_t>& bytes) {
  return std::string(bytes.begin(), bytes.end());
}

std::wstring VersionString(const std::vector<uint8_t>& info, const std::wstring& name) {
  void* value = nullptr;
  UINT length = 0;
  std::wstring path = L"\\StringFileInfo\\080403a8\\" + name;
  if (!VerQueryValueW(info.data(), path.c_str(), &value, &length) || length == 0) return L"<none>";
  return std::wstring(static_cast<const wchar_t*>(value));
}

}  // namespace

TEST_F(ExecutableResources, TemplatesAreThoseOfTheTables) {
  for (const DialogTemplate& dialog : AfxGetResourceTable().dialogs) {
    SCOPED_TRACE(dialog.id.name);
    ExpectTemplate(Resource(RT_DIALOG, MAKEINTRESOURCEW(dialog.id.value), dialog.language), dialog);
  }
}

TEST_F(ExecutableResources, StringsAreThoseOfTheTables) {
  for (const StringResource& string : AfxGetResourceTable().strings) {
    SCOPED_TRACE(string.id.name);
    // Strings are stored sixteen to a block, numbered from 1.
    EXPECT_FALSE(
        Resource(RT_STRING, MAKEINTRESOURCEW(string.id.value / 16 + 1), string.language).empty());
    wchar_t text[256] = {};
    ASSERT_GT(LoadStringW(module_, static_cast<UINT>(string.id.value), text, 256), 0);
    EXPECT_STREQ(text, string.text);
  }
}

// Icon 128 holds each of its pictures, and Windows makes an icon of each at
// its own size.
TEST_F(ExecutableResources, IconHoldsEveryPictureOf32Bits) {
  ASSERT_EQ(AfxGetResourceTable().icons.size(), 1u);
  const IconResource& want = AfxGetResourceTable().icons[0];
  HRSRC group = FindResourceW(module_, MAKEINTRESOURCEW(want.id.value), RT_GROUP_ICON);
  ASSERT_NE(group, nullptr);
  auto* directory = static_cast<const uint8_t*>(LockResource(LoadResource(module_, group)));
  ASSERT_GE(SizeofResource(module_, group), 6u + 14u * want.sizes.size());
  EXPECT_EQ(directory[2] | directory[3] << 8, 1);  // icons, not cursors
  ASSERT_EQ(directory[4] | directory[5] << 8, static_cast<int>(want.sizes.size()));
  for (size_t i = 0; i < want.sizes.size(); ++i) {
    const int size = want.sizes[i];
    SCOPED_TRACE(std::to_string(size) + " pixels");
    const uint8_t* entry = directory + 6 + 14 * i;
    EXPECT_EQ(entry[0], size);
    EXPECT_EQ(entry[1], size);
    EXPECT_EQ(entry[6] | entry[7] << 8, 32);
    int imageId = entry[12] | entry[13] << 8;

    HRSRC image = FindResourceW(module_, MAKEINTRESOURCEW(imageId), RT_ICON);
    ASSERT_NE(image, nullptr);
    auto* bits = static_cast<BYTE*>(LockResource(LoadResource(module_, image)));
    auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(bits);
    EXPECT_EQ(header->biWidth, size);
    EXPECT_EQ(header->biHeight, 2 * size);  // colour rows and mask rows
    EXPECT_EQ(header->biBitCount, 32);
    HICON icon = CreateIconFromResourceEx(bits, SizeofResource(module_, image), TRUE, 0x00030000, 0,
                                          0, LR_DEFAULTCOLOR);
    ASSERT_NE(icon, nullptr);
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP colour = {};
    GetObjectW(info.hbmColor, sizeof colour, &colour);
    EXPECT_EQ(colour.bmWidth, size);
    EXPECT_EQ(colour.bmHeight, size);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
  }
}

TEST_F(ExecutableResources, ManifestAsksForCommonControls6AndTheUsersRights) {
  std::string manifest = Utf8(Resource(RT_MANIFEST, MAKEINTRESOURCEW(1), 0x0409));
  ASSERT_FALSE(manifest.empty()) << "no manifest 1 in English (United States)";
  for (const char* part : {
           "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
           "processorArchitecture=\"" RASTRUM_MANIFEST_ARCH "\"",
           "publicKeyToken=\"6595b64144ccf1df\" language=\"*\"",
           "<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>",
           ">true</dpiAware>",
       }) {
    EXPECT_NE(manifest.find(part), std::string::npos) << part;
  }
}

TEST_F(ExecutableResources, VersionResourceNamesTheProgram) {
  DWORD ignored = 0;
  DWORD size = GetFileVersionInfoSizeW(RASTRUM_ZT_RASTRUM_EXE, &ignored);
  ASSERT_GT(size, 0u);
  std::vector<uint8_t> info(size);
  ASSERT_TRUE(GetFileVersionInfoW(RASTRUM_ZT_RASTRUM_EXE, 0, size, info.data()));

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0x00000001u);
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwProductVersionLS, 0x00000001u);
  EXPECT_EQ(fixed->dwFileFlags, 0u);
  EXPECT_EQ(fixed->dwFileOS, static_cast<DWORD>(VOS__WINDOWS32));
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

  WORD* translation = nullptr;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation",
                             reinterpret_cast<void**>(&translation), &length));
  ASSERT_GE(length, 4u);
  EXPECT_EQ(translation[0], 0x0804);
  EXPECT_EQ(translation[1], 936);

  EXPECT_EQ(VersionString(info, L"CompanyName"), L"<ZT>");
  EXPECT_EQ(VersionString(info, L"FileDescription"), L"<ZT_Rastrum>");
  EXPECT_EQ(VersionString(info, L"FileVersion"), L"1.0.0.1");
  EXPECT_EQ(VersionString(info, L"InternalName"), L"ZT_Rastrum.exe");
  EXPECT_EQ(VersionString(info, L"OriginalFilename"), L"ZT_Rastrum.exe");
  EXPECT_EQ(VersionString(info, L"ProductName"), L"<ZT_Rastrum>");
  EXPECT_EQ(VersionString(info, L"ProductVersion"), L"1.0.0.1");
  EXPECT_NE(VersionString(info, L"LegalCopyright"), L"<none>");
}

// A GUI program that runs as one file: the C and C++ runtimes are linked
// in, so it imports only DLLs that come with Windows.
TEST(Executable, IsOneGuiFileNeedingOnlySystemDlls) {
  HMODULE image = LoadLibraryExW(RASTRUM_ZT_RASTRUM_EXE, nullptr, DONT_RESOLVE_DLL_REFERENCES);
  ASSERT_NE(image, nullptr);
  auto* base = reinterpret_cast<const uint8_t*>(image);
  auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  EXPECT_EQ(nt->OptionalHeader.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);

  const IMAGE_DATA_DIRECTORY& imports =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  ASSERT_NE(imports.VirtualAddress, 0u);
  std::vector<std::string> names;
  for (auto* entry =
           reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
       entry->Name != 0; ++entry) {
    std::string name = reinterpret_cast<const char*>(base + entry->Name);
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    names.push_back(name);
  }
  const std::vector<std::string> system = {"advapi32.dll", "comctl32.dll", "gdi32.dll",
                                           "kernel32.dll", "msvcrt.dll",   "ole32.dll",
                                           "shell32.dll",  "user32.dll"};
  EXPECT_FALSE(names.empty());
  for (const std::string& name : names) {
    EXPECT_NE(std::find(system.begin(), system.end(), name), system.end()) << name;
  }
  FreeLibrary(image);
}
