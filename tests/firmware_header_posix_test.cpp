// The header, its C source and the embedded binary image, generated for a
// tree of hostile file names and compiled the ways firmware builds do: GCC
// and Clang in every C standard and as C++17, two translation units at once,
// and GCC for a Cortex-M4. A small reader links with them and checks every
// picture and the CRC against NAME.bin.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "tests/support/command_run.h"
#include "tests/support/engine_run.h"

namespace {

namespace fs = std::filesystem;
using testing_support::EngineRun;
using testing_support::Picture;
using testing_support::Rgb;
using testing_support::RunRastrum;
using testing_support::WriteFile;

// In walk order, with the id each must get: a hyphen and a blank, a leading
// digit, a keyword, two logo.bmp, a repeat after upper-casing, a name taken
// by a macro, and a name of nothing but non-ASCII before its extension.
struct HostileFile {
  const char* path;
  const char* id;
};
const HostileFile kTree[] = {
    {"3d.bmp", "IMG_3D_BMP"},           {"a/logo.bmp", "IMG_A_LOGO_BMP"},
    {"b/logo.bmp", "IMG_B_LOGO_BMP"},   {"binary.size", "IMG_BINARY_SIZE_2"},
    {"icon-16.bmp", "IMG_ICON_16_BMP"}, {"icon_16.bmp", "IMG_ICON_16_BMP_2"},
    {"int.bmp", "IMG_INT_BMP"},         {"my  logo.bmp", "IMG_MY_LOGO_BMP"},
    {"x--y.bmp", "IMG_X_Y_BMP"},        {"\xC3\xA9\xE2\x82\xAC.bmp", "IMG_BMP"},
};

Rgb ColourOf(int i) {
  return Rgb{static_cast<uint8_t>(20 * i), static_cast<uint8_t>(255 - 20 * i),
             static_cast<uint8_t>(7 * i)};
}

// Reads img.bin whole, checks it against the macros, the table and the
// embedded copy, then prints each picture's id, size and first pixel's bytes.
std::string ReaderSource() {
  std::string ids;
  for (const HostileFile& file : kTree) ids += std::string("\t\t") + file.id + ",\n";
  return R"(#include <stdio.h>
#include <string.h>
#include "img.h"

uint32_t reader_crc32(const uint8_t* data, size_t size);

static uint8_t bin[IMG_BINARY_SIZE + 1];

int main(void) {
	static const int ids[] = {
)" + ids +
         R"(	};
	size_t i, size;
	FILE* f = fopen("img.bin", "rb");
	if (!f) return 10;
	size = fread(bin, 1, sizeof bin, f);
	fclose(f);
	if (size != IMG_BINARY_SIZE) return 11;
	if (reader_crc32(bin, size) != IMG_BINARY_CRC32) return 12;
	if (memcmp(bin, img_data, size) != 0) return 13;
	if (sizeof ids / sizeof ids[0] != IMG_PICTURE_COUNT) return 14;
	for (i = 0; i < IMG_PICTURE_COUNT; ++i) {
		const img_picture* p = &img_pictures[ids[i]];
		if (p->offset % IMG_ALIGNMENT != 0) return 15;
		if (p->length != (uint32_t)p->width * p->height * IMG_BYTES_PER_PIXEL) return 16;
		if (p->offset + p->length > size) return 17;
		printf("%d %u %u %02x%02x\n", ids[i], (unsigned)p->width, (unsigned)p->height,
		       bin[p->offset], bin[p->offset + 1]);
	}
	return 0;
}
)";
}

// The second translation unit: it includes the header too.
const char* kCrcSource = R"(#include "img.h"
#include <stddef.h>

uint32_t reader_crc32(const uint8_t* data, size_t size) {
	uint32_t c = 0xFFFFFFFFu;
	size_t i;
	int k;
	for (i = 0; i < size; ++i) {
		c ^= data[i];
		for (k = 0; k < 8; ++k) c = (c & 1u) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
	}
	return ~c;
}
)";

bool Have(const std::string& program) {
  return std::system(("command -v " + program + " >/dev/null 2>&1").c_str()) == 0;
}

std::string Output(const std::string& command) {
  std::string text;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return text;
  char chunk[4096];
  for (size_t got; (got = std::fread(chunk, 1, sizeof chunk, pipe)) > 0;) text.append(chunk, got);
  return pclose(pipe) == 0 ? text : text + "(failed: " + command + ")";
}

class HeaderBuild : public ::testing::Test {
 protected:
  void SetUp() override {
    for (size_t i = 0; i < std::size(kTree); ++i) {
      Picture p;
      p.width = static_cast<int>(i) + 1;
      p.height = 2;
      p.pixel = [i](int, int) { return ColourOf(static_cast<int>(i)); };
      run_.Put(fs::path("bmp") / kTree[i].path, p);
    }
    const auto outcome =
        RunRastrum({L"convert", L"--format", L"rgb565le", L"--align", L"16", L"--header", L"img",
                    L"--embed", L"--ext", L"bmp size", L"bmp"});
    ASSERT_EQ(outcome.exitCode, 0) << outcome.err;
    EXPECT_EQ(outcome.err, "") << "no warnings about bmp.c names: there is no bmp.c";
    for (const char* absent : {"bmp.c", "tmp.txt"}) EXPECT_FALSE(fs::exists(absent)) << absent;
    WriteFile(run_.root() / "reader.c", ReaderSource());
    WriteFile(run_.root() / "reader_crc.c", std::string(kCrcSource));
  }

  // What the reader prints: each picture's index, size and first pixel.
  static std::string Expected() {
    std::string text;
    for (int i = 0; i < static_cast<int>(std::size(kTree)); ++i) {
      const Rgb c = ColourOf(i);
      const int v = (c.r >> 3) << 11 | (c.g >> 2) << 5 | c.b >> 3;
      char line[64];
      std::snprintf(line, sizeof line, "%d %d 2 %02x%02x\n", i, i + 1, v & 0xFF, v >> 8);
      text += line;
    }
    return text;
  }

  EngineRun run_;
};

struct Toolchain {
  const char* compiler;
  const char* flags;
};

TEST_F(HeaderBuild, CompilesWithoutWarningAndFindsEveryPicture) {
  const Toolchain toolchains[] = {
      {"gcc", "-std=c99"},          {"gcc", "-std=c11"},
      {"gcc", "-std=c17"},          {"clang", "-std=c99"},
      {"clang", "-std=c11"},        {"clang", "-std=c17"},
      {"g++", "-x c++ -std=c++17"}, {"clang++", "-x c++ -std=c++17"},
  };
  int built = 0;
  for (const Toolchain& t : toolchains) {
    if (!Have(t.compiler)) continue;
    ++built;
    const std::string command = std::string(t.compiler) + " " + t.flags +
                                " -Wall -Wextra -Wpedantic -Werror -o reader img.c reader.c "
                                "reader_crc.c && ./reader";
    EXPECT_EQ(Output(command + " 2>&1"), Expected()) << command;
  }
  EXPECT_GE(built, 4) << "gcc, g++, clang and clang++ are part of the test tools";
}

// The table and the embedded data are constant: in flash, not in RAM.
TEST_F(HeaderBuild, CortexM4BuildKeepsTableAndDataInReadOnlyData) {
  if (!Have("arm-none-eabi-gcc")) GTEST_SKIP() << "no arm-none-eabi-gcc (gcc-arm-none-eabi)";
  for (const char* standard : {"-std=c99", "-std=c11", "-std=c17"}) {
    const std::string flags = std::string("-mcpu=cortex-m4 -mthumb -Os ") + standard +
                              " -Wall -Wextra -Wpedantic -Werror -c";
    ASSERT_EQ(Output("arm-none-eabi-gcc " + flags + " img.c reader.c reader_crc.c 2>&1"), "")
        << standard;
    const std::string symbols = Output("arm-none-eabi-objdump -t img.o");
    for (const char* symbol : {"img_pictures", "img_data"}) {
      const size_t at = symbols.find(std::string(" ") + symbol + "\n");
      ASSERT_NE(at, std::string::npos) << symbols;
      const size_t line = symbols.rfind('\n', at) + 1;
      EXPECT_NE(symbols.substr(line, at - line).find(" .rodata"), std::string::npos)
          << symbols.substr(line, at - line + 20);
    }
  }
}

// File names on POSIX are bytes: the manifest stays valid UTF-8 and keeps
// every byte readable, a backslash in a name included.
TEST(ManifestPath, EscapesBytesThatAreNoUtf8) {
  EngineRun run;
  Picture p;
  p.width = p.height = 1;
  run.Put("bmp/x\xFF\\y\xC3\xA9.bmp", p);
  const auto outcome = RunRastrum({L"convert", L"--name", L"out", L"--manifest", L"m.json"});
  ASSERT_EQ(outcome.exitCode, 0) << outcome.err;
  const auto m = nlohmann::json::parse(testing_support::ReadFile(run.root() / "m.json"));
  EXPECT_EQ(m["pictures"][0]["path"], "x\\xFF\\x5Cy\xC3\xA9.bmp");
}

}  // namespace
