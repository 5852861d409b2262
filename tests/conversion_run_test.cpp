// Whole runs: the four output files compared byte for byte, the message
// list, the result, and what happens when an output file cannot be made.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <regex>
#include <string>

#include "engine/output_names.h"
#include "engine/pixel_encoder.h"
#include "platform/file_access.h"
#include "platform/local_clock.h"
#include "platform/text_encoding.h"
#include "tests/support/engine_run.h"

namespace {

namespace fs = std::filesystem;
using testing_support::Crlf;
using testing_support::EngineRun;
using testing_support::HostPath;
using testing_support::kEnumClosing;
using testing_support::kTableClosing;
using testing_support::kTableOpening;
using testing_support::Picture;
using testing_support::ReadFile;
using testing_support::Rgb;

std::string EnumOpening(const std::string& tableName) {
  return Crlf("typedef enum //" + tableName + "\n{\n");
}

Picture Solid(int width, int height, Rgb colour) {
  Picture p;
  p.width = width;
  p.height = height;
  p.pixel = [colour](int, int) { return colour; };
  return p;
}

// The worked example: a 2 x 1 picture whose two padding bytes are not zero,
// so a row read that took them would show.
std::vector<uint8_t> LogoBytes() {
  Picture p;
  p.width = 2;
  p.height = 1;
  p.pixel = [](int x, int) { return x == 0 ? Rgb{0xFF, 0x80, 0x00} : Rgb{0x12, 0x34, 0x56}; };
  std::vector<uint8_t> bytes = testing_support::EncodeBitmap(p);
  bytes.at(60) = 0xEE;
  bytes.at(61) = 0xEE;
  return bytes;
}

class EmptyRun : public ::testing::TestWithParam<const char*> {};

TEST_P(EmptyRun, StillWritesAllFourFiles) {
  EngineRun run;
  if (std::string(GetParam()) == "empty folder") run.MakeFolder("bmp");
  if (std::string(GetParam()) == "no matching file") {
    run.Put("bmp/readme.txt", std::vector<uint8_t>{'x'});
    run.Put("bmp/README", std::vector<uint8_t>{'x'});
  }
  EXPECT_EQ(run.Run(), 1);
  EXPECT_EQ(run.Table(), kTableOpening + kTableClosing + EnumOpening("out.txt") + kEnumClosing);
  EXPECT_EQ(run.Enum(), EnumOpening("out.txt") + kEnumClosing);
  EXPECT_EQ(run.Array(), Crlf("//file:out.txt\n"));
  EXPECT_EQ(run.Binary(), "");
  EXPECT_EQ(run.engine.m_nFileCount, 0);
  EXPECT_TRUE(run.log.lines.empty());
  EXPECT_EQ(run.log.ends, 1);
}

INSTANTIATE_TEST_SUITE_P(Folders, EmptyRun,
                         ::testing::Values("empty folder", "missing folder", "no matching file"),
                         [](const auto& info) {
                           std::string name = info.param;
                           for (char& c : name) c = c == ' ' ? '_' : c;
                           return name;
                         });

struct DepthCase {
  uint8_t depth;
  std::vector<uint8_t> binary;
  const char* values;  // the array block's one row of values
  int bpp;
};

class WorkedExample : public ::testing::TestWithParam<DepthCase> {};

TEST_P(WorkedExample, WritesEveryFileByteForByte) {
  const DepthCase& c = GetParam();
  EngineRun run;
  run.Put("bmp/logo.bmp", LogoBytes());
  run.engine.m_nDepth = c.depth;
  ASSERT_EQ(run.Run(), 1);

  const std::string length = "0x000" + std::to_string(2 * c.bpp);
  EXPECT_EQ(run.Binary(), std::string(c.binary.begin(), c.binary.end()));
  EXPECT_EQ(run.Array(), Crlf(std::string("//file:out.txt\n") +
                              "const unsigned char _logo[]= //2x1\n{\n\t" + c.values + "\n};\n\n"));
  const std::string enumText =
      EnumOpening("out.txt") +
      Crlf("\tPIC_000,// logo.bmp(002*001),size:8,length:" + length + "\n") + kEnumClosing;
  EXPECT_EQ(run.Enum(), enumText);
  EXPECT_EQ(run.Table(), kTableOpening +
                             Crlf("\t{PIC_OFFSET + 0x0000,0x02,0x01," + std::to_string(c.bpp) +
                                  "},\t//000 (002*001)\n") +
                             kTableClosing + enumText);
  EXPECT_EQ(run.log.lines, std::vector<std::wstring>{
                               HostPath(L"00001: [24 bit,(002*001),Size:0000008]: bmp/logo.bmp")});
  ASSERT_EQ(run.log.pictures.size(), 1u);
  EXPECT_EQ(run.log.pictures[0].length, uint64_t(2 * c.bpp));
  EXPECT_EQ(run.log.summary.picturesConverted, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Depths, WorkedExample,
    ::testing::Values(
        DepthCase{16, {0xFC, 0x00, 0x11, 0xAA}, "0xfc,0x00, 0x11,0xaa, ", 2},
        DepthCase{24, {0xFF, 0x80, 0x00, 0x12, 0x34, 0x56}, "0xff,0x80,0x00, 0x12,0x34,0x56, ", 3},
        DepthCase{8, {0xE8, 0x02}, "0xe8,0x02,", 1}),
    [](const auto& info) { return "Depth" + std::to_string(info.param.depth); });

TEST(ConversionRun, WalkOrderNumbersAndFolderCommentsInEveryFile) {
  EngineRun run;
  run.Put("bmp/a.bmp", Solid(1, 1, {255, 0, 0}));
  run.Put("bmp/notes.txt", std::vector<uint8_t>{'n'});
  run.Put("bmp/sub/c.bmp", Solid(1, 1, {0, 255, 0}));
  run.Put("bmp/z.bmp", Solid(1, 1, {0, 0, 255}));
  ASSERT_EQ(run.Run(), 1);

  EXPECT_EQ(run.log.lines, (std::vector<std::wstring>{
                               HostPath(L"00001: [24 bit,(001*001),Size:0000004]: bmp/a.bmp"),
                               HostPath(L"00002: [24 bit,(001*001),Size:0000004]: bmp/sub/c.bmp"),
                               HostPath(L"00003: [24 bit,(001*001),Size:0000004]: bmp/z.bmp"),
                           }));
  EXPECT_EQ(run.log.ends, 1);
  EXPECT_EQ(run.Binary(), std::string("\xF8\x00\x07\xE0\x00\x1F", 6));
  const std::string enumText = EnumOpening("out.txt") +
                               Crlf(
                                   "\tPIC_000,// a.bmp(001*001),size:4,length:0x0002\n"
                                   "\n\t//..." +
                                   HostPath("bmp/sub") +
                                   "\n"
                                   "\tPIC_001,// c.bmp(001*001),size:4,length:0x0002\n"
                                   "\tPIC_002,// z.bmp(001*001),size:4,length:0x0002\n") +
                               kEnumClosing;
  EXPECT_EQ(run.Enum(), enumText);
  EXPECT_EQ(run.Table(), kTableOpening +
                             Crlf("\t{PIC_OFFSET + 0x0000,0x01,0x01,2},\t//000 (001*001)\n"
                                  "\t{PIC_OFFSET + 0x0002,0x01,0x01,2},\t//001 (001*001)\n"
                                  "\t{PIC_OFFSET + 0x0004,0x01,0x01,2},\t//002 (001*001)\n") +
                             kTableClosing + enumText);
  EXPECT_EQ(run.Array(), Crlf("//file:out.txt\n"
                              "const unsigned char _a[]= //1x1\n{\n\t0xf8,0x00, \n};\n\n"
                              "\n//-----------------------------------------------------" +
                              HostPath("bmp/sub") +
                              "\n"
                              "const unsigned char _c[]= //1x1\n{\n\t0x07,0xe0, \n};\n\n"
                              "const unsigned char _z[]= //1x1\n{\n\t0x00,0x1f, \n};\n\n"));
}

TEST(ConversionRun, EveryNestedFolderGetsCommentLinesWithItsJoinedPath) {
  EngineRun run;
  run.MakeFolder("bmp/icons/small");
  run.MakeFolder("bmp/empty");
  ASSERT_EQ(run.Run(), 1);
  EXPECT_EQ(run.Enum(),
            EnumOpening("out.txt") +
                Crlf("\n\t//..." + HostPath("bmp/empty") + "\n\n\t//..." + HostPath("bmp/icons") +
                     "\n\n\t//..." + HostPath("bmp/icons/small") + "\n") +
                kEnumClosing);
  const std::string rule = "\n//-----------------------------------------------------";
  EXPECT_EQ(run.Array(), Crlf("//file:out.txt\n" + rule + HostPath("bmp/empty\n") + rule +
                              HostPath("bmp/icons\n") + rule + HostPath("bmp/icons/small\n")));
  EXPECT_EQ(run.engine.m_nFileCount, 0);
}

TEST(ConversionRun, SecondRunStartsAfreshAndReplacesTheFiles) {
  EngineRun run;
  run.Put("bmp/a.bmp", Solid(3, 2, {1, 2, 3}));
  run.Put("bmp/b.bmp", Solid(1, 1, {9, 9, 9}));
  ASSERT_EQ(run.Run(), 1);
  fs::remove(run.root() / "bmp/a.bmp");
  run.log.lines.clear();
  ASSERT_EQ(run.Run(), 1);

  EXPECT_EQ(run.log.lines, std::vector<std::wstring>{
                               HostPath(L"00001: [24 bit,(001*001),Size:0000004]: bmp/b.bmp")});
  EXPECT_EQ(run.Binary().size(), 2u);
  const std::string enumText = EnumOpening("out.txt") +
                               Crlf("\tPIC_000,// b.bmp(001*001),size:4,length:0x0002\n") +
                               kEnumClosing;
  EXPECT_EQ(run.Enum(), enumText);
  EXPECT_EQ(run.Table(), kTableOpening +
                             Crlf("\t{PIC_OFFSET + 0x0000,0x01,0x01,2},\t//000 (001*001)\n") +
                             kTableClosing + enumText);
}

class StampedNames : public ::testing::TestWithParam<int> {};

TEST_P(StampedNames, CarryTheTimeAndTheBitsOfTheRun) {
  EngineRun run;
  run.engine.m_strOutputStem.Empty();
  run.engine.m_nDepth = static_cast<uint8_t>(GetParam());
  run.Put("bmp/p.bmp", Solid(1, 1, {1, 2, 3}));
  const platform::LocalTime before = platform::GetLocalTime();
  ASSERT_EQ(run.Run(), 1);
  const platform::LocalTime after = platform::GetLocalTime();

  const int bits = GetParam() == 24 || GetParam() == 8 ? GetParam() : 16;
  std::string table = StampedName(before, bits, ".txt");
  if (!fs::exists(run.root() / table)) table = StampedName(after, bits, ".txt");
  const std::string binary = table.substr(0, table.size() - 4) + ".bin";
  ASSERT_TRUE(fs::exists(run.root() / table)) << table;
  ASSERT_TRUE(fs::exists(run.root() / binary)) << binary;
  EXPECT_TRUE(std::regex_match(
      table, std::regex(R"(\d{8}_\d\d-\d\d_)" + std::to_string(bits) + R"(bit\.txt)")))
      << table;
  EXPECT_EQ(ReadFile(run.root() / binary).size(), size_t(bits / 8));
  const std::string tableText = ReadFile(run.root() / table);
  EXPECT_NE(tableText.find(",0x01,0x01," + std::to_string(bits / 8) + "},"), std::string::npos);
  EXPECT_NE(tableText.find(EnumOpening(table)), std::string::npos);
  EXPECT_EQ(run.Array().substr(0, 7 + table.size() + 2), Crlf("//file:" + table + "\n"));
}

INSTANTIATE_TEST_SUITE_P(Depths, StampedNames, ::testing::Values(8, 16, 24, 32));

TEST(OutputFailure, MissingOutputFolderStopsBeforeTheWalk) {
  EngineRun run;
  run.Put("bmp/p.bmp", Solid(1, 1, {1, 2, 3}));
  run.engine.m_strOutputFolder = L"nowhere";
  EXPECT_EQ(run.Run(), 0);
  const std::wstring line = HostPath(L"cannot create nowhere/out.txt: ") +
                            platform::AnsiToWide(platform::SystemErrorText(ENOENT)).str();
  EXPECT_EQ(run.log.lines, std::vector<std::wstring>{line});
  EXPECT_EQ(run.log.failure, line);
  EXPECT_EQ(run.engine.m_nFileCount, 0);
  EXPECT_FALSE(fs::exists(run.root() / "out.txt"));
  EXPECT_FALSE(fs::exists(run.root() / "bmp.c"));
}

TEST(OutputFailure, NoFileIsCreatedWhenOneCannotBe) {
  EngineRun run;
  run.Put("bmp/p.bmp", Solid(1, 1, {1, 2, 3}));
  run.MakeFolder("tmp.txt");
  EXPECT_EQ(run.Run(), 0);
  ASSERT_EQ(run.log.lines.size(), 1u);
  const std::wstring lead = L"cannot create tmp.txt: ";
  EXPECT_EQ(run.log.lines[0].substr(0, lead.size()), lead);
  EXPECT_GT(run.log.lines[0].size(), lead.size()) << "the reason follows";
  for (const char* name : {"out.txt", "out.bin", "bmp.c"}) {
    EXPECT_FALSE(fs::exists(run.root() / name)) << name;
  }
  EXPECT_EQ(run.engine.m_nFileCount, 0);

  // The failure is not carried into the next run.
  fs::remove(run.root() / "tmp.txt");
  run.log = {};
  EXPECT_EQ(run.Run(), 1);
  EXPECT_TRUE(run.log.failure.empty());
  EXPECT_EQ(run.log.lines.size(), 1u);
}

class MixedRun : public ::testing::TestWithParam<int> {};

TEST_P(MixedRun, ArraysTablesAndBinaryImageAgree) {
  EngineRun run;
  run.engine.m_nDepth = static_cast<uint8_t>(GetParam());
  auto gradient = [](int x, int y) {
    return Rgb{static_cast<uint8_t>(x * 7), static_cast<uint8_t>(y * 40),
               static_cast<uint8_t>(x + y)};
  };
  Picture wide;
  wide.width = 33;
  wide.height = 2;
  wide.pixel = gradient;
  Picture odd = wide;
  odd.width = 5;
  odd.height = 3;
  odd.topDown = true;
  Picture exact = wide;
  exact.width = 64;
  exact.height = 1;
  run.Put("bmp/a_wide.bmp", wide);
  run.Put("bmp/b/odd.bmp", odd);
  run.Put("bmp/c.bmp", exact);
  run.Put("bmp/d.bmp", Solid(1, 1, {200, 100, 50}));
  ASSERT_EQ(run.Run(), 1);

  const int bpp = BytesPerPixel(GetParam());
  const std::string binary = run.Binary();
  EXPECT_EQ(binary.size(), size_t((66 + 15 + 64 + 1) * bpp));
  EXPECT_TRUE(testing_support::ArrayBytes(run.Array()) == binary)
      << "bmp.c and the binary image file differ";
  const std::string table = run.Table();
  for (const auto& [offset, size] : {std::pair{0, 66}, {66, 15}, {81, 64}, {145, 1}}) {
    char entry[64];
    std::snprintf(entry, sizeof entry, "{PIC_OFFSET + 0x%.4x,", offset * bpp);
    EXPECT_NE(table.find(entry), std::string::npos) << entry;
    std::snprintf(entry, sizeof entry, ",length:0x%.4x\r\n", size * bpp);
    EXPECT_NE(table.find(entry), std::string::npos) << entry;
  }
}

INSTANTIATE_TEST_SUITE_P(Depths, MixedRun, ::testing::Values(8, 16, 24));

// The table's offsets are 32-bit. The limit is lowered here so the test need
// not write 4 GiB: a picture may end exactly at it, never past it.
TEST(OutputFailure, BinaryImageFileNeverOutgrowsTheTable) {
  for (uint64_t limit : {16u, 15u}) {
    EngineRun run;
    run.Put("bmp/a.bmp", Solid(2, 2, {1, 2, 3}));
    run.Put("bmp/b.bmp", Solid(2, 2, {4, 5, 6}));
    run.engine.m_nBinaryLimit = limit;
    const bool fits = limit == 16;
    EXPECT_EQ(run.Run(), fits ? 1 : 0);
    EXPECT_EQ(run.log.failure,
              fits ? L"" : L"cannot write out.bin: the binary image file would exceed 4 GiB");
    EXPECT_EQ(fs::exists(run.root() / "out.bin"), fits) << "a failed run replaces nothing";
    EXPECT_EQ(run.log.pictures.size(), fits ? 2u : 1u);
  }
}

}  // namespace
