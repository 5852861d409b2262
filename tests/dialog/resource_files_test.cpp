// The generated resource script, icon file and desktop icon, read back and
// compared with the resource tables they come from.
#include <gtest/gtest.h>
#include <spng.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "platform/utf8.h"
#include "tests/support/bmp_writer.h"
#include "ui/app_icon.h"
#include "ui/dialog_templates.h"

namespace {

uint32_t U32(const std::string& bytes, size_t at) {
  uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<uint8_t>(bytes.at(at + i));
  return value;
}

// The comma-separated fields of a statement, quoted strings kept whole.
std::vector<std::string> Fields(const std::string& text) {
  std::vector<std::string> fields(1);
  bool quoted = false;
  for (char c : text) {
    if (c == '"') quoted = !quoted;
    if (c == ',' && !quoted) {
      fields.emplace_back();
    } else if (!fields.back().empty() || c != ' ') {
      fields.back() += c;
    }
  }
  return fields;
}

// A string literal of the script: quotes doubled, backslashes escaped.
std::wstring Unquote(const std::string& literal) {
  std::string text;
  for (size_t i = 1; i + 1 < literal.size(); ++i) {
    if ((literal[i] == '"' || literal[i] == '\\') && literal[i + 1] == literal[i]) ++i;
    text += literal[i];
  }
  return platform::utf8::Decode(text);
}

std::wstring Text(const wchar_t* text) {
  return text ? text : L"";
}

// A CONTROL's style as the resource compiler builds it: WS_CHILD and
// WS_VISIBLE unless the statement takes them away.
uint32_t CompiledStyle(const std::string& field) {
  uint32_t style = WS_CHILD | WS_VISIBLE | std::stoul(field, nullptr, 16);
  if (field.find("| NOT WS_VISIBLE") != std::string::npos) style &= ~WS_VISIBLE;
  return style;
}

// One DIALOGEX statement of the script.
struct ScriptDialog {
  std::string language;
  std::vector<std::string> header;  // id DIALOGEX x, y, cx, cy
  std::string style, exStyle, caption;
  std::vector<std::string> font;
  std::vector<std::vector<std::string>> controls;
};

std::vector<ScriptDialog> ReadDialogs(const std::string& script) {
  std::vector<ScriptDialog> dialogs;
  std::istringstream in(script);
  std::string line, language;
  ScriptDialog* open = nullptr;
  while (std::getline(in, line)) {
    auto after = [&line](const std::string& keyword) {
      return line.starts_with(keyword) ? line.substr(keyword.size()) : std::string();
    };
    if (line.starts_with("LANGUAGE ")) language = line;
    if (line.find(" DIALOGEX ") != std::string::npos) {
      dialogs.push_back({language, Fields(line), "", "0", "", {}, {}});
      open = &dialogs.back();
    } else if (!open) {
      continue;
    } else if (line.starts_with("STYLE ")) {
      open->style = after("STYLE ");
    } else if (line.starts_with("EXSTYLE ")) {
      open->exStyle = after("EXSTYLE ");
    } else if (line.starts_with("CAPTION ")) {
      open->caption = after("CAPTION ");
    } else if (line.starts_with("FONT ")) {
      open->font = Fields(after("FONT "));
    } else if (line.starts_with("    CONTROL ")) {
      open->controls.push_back(Fields(after("    CONTROL ")));
    } else if (line == "END") {
      open = nullptr;
    }
  }
  return dialogs;
}

// The primary language in the low ten bits, the sub-language above them.
std::string Language(uint16_t language) {
  char text[32];
  std::snprintf(text, sizeof text, "LANGUAGE 0x%02X, 0x%02X", language & 0x3FF, language >> 10);
  return text;
}

class ResourceFiles : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new testing_support::TempDir;
    std::string command = std::string(RASTRUM_MAKE_RESOURCES) + " '" + dir_->path().string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
  }
  static void TearDownTestSuite() { delete dir_; }
  static std::string Read(const char* name) {
    return testing_support::ReadFile(dir_->path() / name);
  }

  static testing_support::TempDir* dir_;
};

testing_support::TempDir* ResourceFiles::dir_ = nullptr;

}  // namespace

TEST_F(ResourceFiles, ScriptHoldsEveryTemplateOfTheTables) {
  const ResourceTable& table = AfxGetResourceTable();
  std::vector<ScriptDialog> dialogs = ReadDialogs(Read("rastrum.rc"));
  ASSERT_EQ(dialogs.size(), table.dialogs.size());
  for (size_t d = 0; d < dialogs.size(); ++d) {
    const DialogTemplate& want = table.dialogs[d];
    const ScriptDialog& got = dialogs[d];
    SCOPED_TRACE(want.id.name);
    EXPECT_EQ(got.language, Language(want.language));
    EXPECT_EQ(got.header,
              (std::vector<std::string>{
                  std::string(want.id.name) + " DIALOGEX " + std::to_string(want.x),
                  std::to_string(want.y), std::to_string(want.cx), std::to_string(want.cy)}));
    EXPECT_EQ(std::stoul(got.style, nullptr, 16), want.style);
    EXPECT_EQ(std::stoul(got.exStyle, nullptr, 16), want.exStyle);
    EXPECT_EQ(Unquote(got.caption), want.caption);
    ASSERT_EQ(got.font.size(), 5u);
    EXPECT_EQ(std::stoi(got.font[0]), want.font.pointSize);
    EXPECT_EQ(Unquote(got.font[1]), want.font.face);
    EXPECT_EQ(std::stoi(got.font[2]), want.font.weight);
    EXPECT_EQ(std::stoi(got.font[3]) != 0, want.font.italic);
    EXPECT_EQ(std::stoi(got.font[4]), want.font.charset);

    ASSERT_EQ(got.controls.size(), want.items.size());
    for (size_t i = 0; i < want.items.size(); ++i) {
      const DialogItemTemplate& item = want.items[i];
      const std::vector<std::string>& control = got.controls[i];
      SCOPED_TRACE("control " + std::to_string(i + 1));
      ASSERT_EQ(control.size(), 8u);
      if (item.iconId.name) {
        EXPECT_EQ(control[0], item.iconId.name);
      } else {
        EXPECT_EQ(Unquote(control[0]), Text(item.text));
      }
      EXPECT_EQ(control[1], item.id.name);
      EXPECT_EQ(Unquote(control[2]), platform::utf8::Decode(item.windowClass));
      EXPECT_EQ(CompiledStyle(control[3]), item.style) << control[3];
      EXPECT_EQ(control[4] + "," + control[5] + "," + control[6] + "," + control[7],
                std::to_string(item.x) + "," + std::to_string(item.y) + "," +
                    std::to_string(item.cx) + "," + std::to_string(item.cy));
    }
  }
}

TEST_F(ResourceFiles, ScriptHoldsTheStringsIconsAndManifest) {
  const ResourceTable& table = AfxGetResourceTable();
  std::wstring rc = platform::utf8::Decode(Read("rastrum.rc"));
  for (const StringResource& string : table.strings) {
    std::string entry = Language(string.language) + "\nSTRINGTABLE\nBEGIN\n    " + string.id.name +
                        " \"" + platform::utf8::Encode(string.text, false) + "\"\nEND\n";
    EXPECT_NE(rc.find(platform::utf8::Decode(entry)), std::wstring::npos) << entry;
  }
  for (const IconResource& icon : table.icons) {
    std::string file = std::filesystem::path(icon.fileName).filename().string();
    std::string entry = std::string(icon.id.name) + " ICON \"" + file + "\"\n";
    EXPECT_NE(rc.find(platform::utf8::Decode(entry)), std::wstring::npos) << entry;
    EXPECT_TRUE(std::filesystem::exists(dir_->path() / file)) << file;
  }
  EXPECT_NE(rc.find(L"\n1 24 \"rastrum.manifest\"\n"), std::wstring::npos);
  std::string manifest = Read("rastrum.manifest");
  EXPECT_NE(manifest.find("level=\"asInvoker\" uiAccess=\"false\""), std::string::npos);
  EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""),
            std::string::npos);
}

// Every picture of icon 128, smallest first, each a 32-bit image whose
// colour rows (bottom first) are the picture's and whose AND mask marks its
// transparent pixels.
TEST_F(ResourceFiles, IconFileHoldsEveryPictureOf32Bits) {
  const IconResource& icon = AfxGetResourceTable().icons[0];
  std::string ico = Read("rastrum.ico");
  ASSERT_GE(ico.size(), 6u + 16u * icon.sizes.size());
  EXPECT_EQ(ico.substr(0, 4), std::string("\0\0\1\0", 4));
  ASSERT_EQ(static_cast<uint8_t>(ico[4]), icon.sizes.size());
  size_t next = 6 + 16 * icon.sizes.size();
  for (size_t i = 0; i < icon.sizes.size(); ++i) {
    const int size = icon.sizes[i];
    SCOPED_TRACE(std::to_string(size) + " pixels");
    const size_t entry = 6 + 16 * i, stride = static_cast<size_t>(size) * 4;
    const size_t maskStride = static_cast<size_t>((size + 31) / 32 * 4);
    EXPECT_EQ(static_cast<uint8_t>(ico[entry]), size);
    EXPECT_EQ(static_cast<uint8_t>(ico[entry + 1]), size);
    EXPECT_EQ(static_cast<uint8_t>(ico[entry + 6]), 32);
    const size_t bytes = 40 + (stride + maskStride) * static_cast<size_t>(size);
    EXPECT_EQ(U32(ico, entry + 8), bytes);
    ASSERT_EQ(U32(ico, entry + 12), next);
    ASSERT_LE(next + bytes, ico.size());
    EXPECT_EQ(U32(ico, next), 40u);
    EXPECT_EQ(U32(ico, next + 4), static_cast<uint32_t>(size));
    EXPECT_EQ(U32(ico, next + 8), static_cast<uint32_t>(2 * size));  // colour and mask rows
    EXPECT_EQ(static_cast<uint8_t>(ico[next + 14]), 32);
    const uint32_t* pixels = icon.pixels(size);
    int wrong = 0;
    for (int y = 0; y < size; ++y) {
      const size_t row = next + 40 + static_cast<size_t>(size - 1 - y) * stride;
      const size_t maskRow = next + 40 + stride * static_cast<size_t>(size) +
                             static_cast<size_t>(size - 1 - y) * maskStride;
      for (int x = 0; x < size; ++x) {
        uint32_t want = pixels[y * size + x];
        bool masked =
            static_cast<uint8_t>(ico[maskRow + static_cast<size_t>(x / 8)]) & (0x80 >> (x % 8));
        wrong += U32(ico, row + static_cast<size_t>(x) * 4) != want || masked != (want >> 24 == 0);
      }
    }
    EXPECT_EQ(wrong, 0);
    next += bytes;
  }
  EXPECT_EQ(next, ico.size());
}

// Decoded by libspng: icon 128's own 96-pixel picture.
TEST_F(ResourceFiles, DesktopIconIsThe96PixelPicture) {
  std::string png = Read("zt-rastrum.png");
  std::unique_ptr<spng_ctx, decltype(&spng_ctx_free)> context(spng_ctx_new(0), spng_ctx_free);
  ASSERT_EQ(spng_set_png_buffer(context.get(), png.data(), png.size()), 0);
  spng_ihdr header = {};
  ASSERT_EQ(spng_get_ihdr(context.get(), &header), 0);
  EXPECT_EQ(header.width, 96u);
  EXPECT_EQ(header.height, 96u);
  size_t size = 0;
  ASSERT_EQ(spng_decoded_image_size(context.get(), SPNG_FMT_RGBA8, &size), 0);
  ASSERT_EQ(size, 96u * 96u * 4u);
  std::vector<uint8_t> rgba(size);
  ASSERT_EQ(spng_decode_image(context.get(), rgba.data(), size, SPNG_FMT_RGBA8, 0), 0);
  auto argb = [&rgba](int x, int y) {
    const uint8_t* p = &rgba[static_cast<size_t>(y * 96 + x) * 4];
    return static_cast<uint32_t>(p[3]) << 24 | p[0] << 16 | p[1] << 8 | p[2];
  };

  const uint32_t* icon = AppIconPixels(96);
  ASSERT_NE(icon, nullptr);
  int wrong = 0;
  for (int y = 0; y < 96; ++y) {
    for (int x = 0; x < 96; ++x) {
      uint32_t want = icon[y * 96 + x];
      if (argb(x, y) != want && wrong++ < 5) {
        ADD_FAILURE() << "pixel " << x << "," << y << ": " << std::hex << argb(x, y) << ", not "
                      << want;
      }
    }
  }
  EXPECT_EQ(wrong, 0);
}
