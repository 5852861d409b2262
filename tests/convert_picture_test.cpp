// One picture through a whole run: which files are rejected and how, where
// rows are read from, and what odd but accepted headers produce.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/engine_run.h"

namespace {

namespace fs = std::filesystem;
using testing_support::Crlf;
using testing_support::EncodeBitmap;
using testing_support::EngineRun;
using testing_support::HostPath;
using testing_support::kEnumClosing;
using testing_support::kTableClosing;
using testing_support::kTableOpening;
using testing_support::Picture;
using testing_support::PutU32;
using testing_support::Rgb;

Picture Sized(int width, int height) {
  Picture p;
  p.width = width;
  p.height = height;
  p.pixel = [](int x, int y) {
    return Rgb{static_cast<uint8_t>(16 * y + x), static_cast<uint8_t>(0x40 + x),
               static_cast<uint8_t>(0x80 + y)};
  };
  return p;
}

std::vector<uint8_t> Bytes(const Picture& p) {
  return EncodeBitmap(p);
}

struct RejectCase {
  const char* what;
  std::function<std::vector<uint8_t>()> bytes;
  const wchar_t* message;
};

class Rejection : public ::testing::TestWithParam<RejectCase> {};

TEST_P(Rejection, LeavesALineAndNothingElseAndUsesUpTheNumber) {
  EngineRun run;
  run.Put("bmp/p.bmp", GetParam().bytes());
  run.Put("bmp/q.bmp", Sized(1, 1));
  ASSERT_EQ(run.Run(), 1);

  EXPECT_EQ(run.log.lines, (std::vector<std::wstring>{
                               HostPath(L"00001: bmp/p.bmp") + GetParam().message,
                               HostPath(L"00002: [24 bit,(001*001),Size:0000004]: bmp/q.bmp"),
                           }))
      << GetParam().what;
  // q is the run's first picture: index 0 at offset 0.
  const std::string enumText =
      Crlf("typedef enum //out.txt\n{\n\tPIC_000,// q.bmp(001*001),size:4,length:0x0002\n") +
      kEnumClosing;
  EXPECT_EQ(run.Enum(), enumText);
  EXPECT_EQ(run.Table(), kTableOpening +
                             Crlf("\t{PIC_OFFSET + 0x0000,0x01,0x01,2},\t//000 (001*001)\n") +
                             kTableClosing + enumText);
  EXPECT_EQ(run.Binary().size(), 2u);
  EXPECT_EQ(run.Array().find("_p["), std::string::npos);
}

const wchar_t* const kNot54 = L"bmp image file header is not 54 bytes";
const wchar_t* const kShort = L"bmp image file is shorter than its declared size";
const wchar_t* const kMismatch = L"bmp image size does not match its width and height";
const wchar_t* const kTooLarge = L"bmp image is wider or higher than 65535 pixels";

std::vector<uint8_t> With(std::vector<uint8_t> bytes, size_t offset, uint32_t value) {
  PutU32(bytes, offset, value);
  return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Files, Rejection,
    ::testing::Values(
        RejectCase{"empty", [] { return std::vector<uint8_t>{}; }, kNot54},
        RejectCase{"53 bytes",
                   [] {
                     auto b = Bytes(Sized(0, 0));
                     b.pop_back();
                     return b;
                   },
                   kNot54},
        RejectCase{"biSizeImage left 0", [] { return With(Bytes(Sized(2, 2)), 34, 0); }, kNot54},
        RejectCase{"colour table before the pixels",
                   [] {
                     auto b = Bytes(Sized(2, 2));
                     b.insert(b.begin() + 54, 8, 0);
                     PutU32(b, 2, static_cast<uint32_t>(b.size()));
                     return b;
                   },
                   kNot54},
        RejectCase{"cut short by a byte",
                   [] {
                     auto b = Bytes(Sized(2, 2));
                     b.pop_back();
                     return b;
                   },
                   kShort},
        RejectCase{"negative width", [] { return With(Bytes(Sized(2, 1)), 18, uint32_t(-2)); },
                   kMismatch},
        RejectCase{"more rows than the pixel data holds",
                   [] { return With(Bytes(Sized(2, 1)), 22, 2); }, kMismatch},
        RejectCase{"top-down, more rows than the pixel data holds",
                   [] { return With(Bytes(Sized(2, 1)), 22, uint32_t(-2)); }, kMismatch},
        RejectCase{"wider than 65535", [] { return With(Bytes(Sized(0, 0)), 18, 65536); },
                   kTooLarge}),
    [](const auto& info) {
      std::string name;
      for (const char* p = info.param.what; *p; ++p) name += std::isalnum(*p) ? *p : '_';
      return name;
    });

TEST(ConvertPicture, AnySignatureIsAcceptedWhenTheSizesAgree) {
  EngineRun run;
  auto bytes = Bytes(Sized(1, 1));
  bytes[0] = 'X';
  bytes[1] = 'Y';
  run.Put("bmp/p.bmp", bytes);
  ASSERT_EQ(run.Run(), 1);
  EXPECT_EQ(run.log.lines, std::vector<std::wstring>{
                               HostPath(L"00001: [24 bit,(001*001),Size:0000004]: bmp/p.bmp")});
}

TEST(ConvertPicture, RowsAreTakenFromTheDeclaredEndOfTheFile) {
  // Four extra bytes counted by both sizes: the one row is read four bytes
  // later than where it is stored, taking in the padding and two extras.
  EngineRun run;
  run.engine.m_nDepth = 24;
  auto bytes = Bytes(Sized(2, 1));
  bytes[60] = 0xEE;
  bytes[61] = 0xEE;
  bytes.insert(bytes.end(), {0xA1, 0xA2, 0xA3, 0xA4});
  PutU32(bytes, 2, 66);
  PutU32(bytes, 34, 12);
  run.Put("bmp/p.bmp", bytes);
  ASSERT_EQ(run.Run(), 1);
  // File bytes 58..63: G1 R1 EE EE A1 A2, read as two blue-green-red pixels.
  const std::string expected = {char(0xEE), char(bytes[59]), char(bytes[58]),
                                char(0xA2), char(0xA1),      char(0xEE)};
  EXPECT_EQ(run.Binary(), expected);
  EXPECT_NE(run.Enum().find("// p.bmp(002*001),size:12,length:0x0006\r\n"), std::string::npos);
}

class RowOrder : public ::testing::TestWithParam<bool> {};

TEST_P(RowOrder, TopRowComesFirstWhicheverWayTheFileStoresIt) {
  EngineRun run;
  run.engine.m_nDepth = 24;
  Picture p = Sized(3, 4);
  p.topDown = GetParam();
  run.Put("bmp/p.bmp", p);
  ASSERT_EQ(run.Run(), 1);

  std::string expected;
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 3; ++x) {
      Rgb c = p.pixel(x, y);
      expected += {char(c.r), char(c.g), char(c.b)};
    }
  }
  EXPECT_EQ(run.Binary(), expected);
  EXPECT_EQ(run.log.lines, std::vector<std::wstring>{
                               HostPath(L"00001: [24 bit,(003*004),Size:0000048]: bmp/p.bmp")});
  EXPECT_NE(run.Table().find("\t{PIC_OFFSET + 0x0000,0x03,0x04,3},\t//000 (003*004)\r\n"),
            std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Storage, RowOrder, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "TopDown" : "BottomUp"; });

TEST(ConvertPicture, WidthZeroWritesOnlyRowBreaks) {
  EngineRun run;
  run.Put("bmp/w.bmp", Sized(0, 3));
  ASSERT_EQ(run.Run(), 1);
  EXPECT_EQ(run.Array(),
            Crlf("//file:out.txt\nconst unsigned char _w[]= //0x3\n{\n\t\n\t\n\t\n};\n\n"));
  EXPECT_EQ(run.Binary(), "");
  EXPECT_NE(run.Table().find("\t{PIC_OFFSET + 0x0000,0x00,0x03,2},\t//000 (000*003)\r\n"),
            std::string::npos);
}

TEST(ConvertPicture, HeightZeroStillGetsItsEntriesAndAdvancesTheIndexOnly) {
  EngineRun run;
  run.Put("bmp/a.bmp", Sized(5, 0));
  run.Put("bmp/b.bmp", Sized(40, 0));
  run.Put("bmp/c.bmp", Sized(1, 1));
  ASSERT_EQ(run.Run(), 1);
  EXPECT_EQ(run.Array(), Crlf("//file:out.txt\n"
                              "const unsigned char _a[]= //5x0\n{\n};\n\n"
                              "const unsigned char _b[]= //40x0\n{\n\t\n};\n\n"
                              "const unsigned char _c[]= //1x1\n{\n\t0x02,0x10, \n};\n\n"));
  EXPECT_EQ(run.Enum(), Crlf("typedef enum //out.txt\n{\n"
                             "\tPIC_000,// a.bmp(005*000),size:0,length:0x0000\n"
                             "\tPIC_001,// b.bmp(040*000),size:0,length:0x0000\n"
                             "\tPIC_002,// c.bmp(001*001),size:4,length:0x0002\n") +
                            kEnumClosing);
  EXPECT_NE(run.Table().find("\t{PIC_OFFSET + 0x0000,0x01,0x01,2},\t//002 (001*001)\r\n"),
            std::string::npos);
  EXPECT_EQ(run.log.lines[0], HostPath(L"00001: [24 bit,(005*000),Size:0000000]: bmp/a.bmp"));
}

// A 54-byte-header file with `bits` per pixel, rows bottom-up and padded to
// 4 bytes, written byte by byte from `rows` (top row first, as stored per pixel).
std::vector<uint8_t> HandMade(int width, uint16_t bits, std::vector<std::vector<uint8_t>> rows) {
  const size_t stride = (size_t(width) * bits / 8 + 3) / 4 * 4;
  std::vector<uint8_t> bytes(54, 0);
  for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
    row->resize(stride, 0);
    bytes.insert(bytes.end(), row->begin(), row->end());
  }
  PutU32(bytes, 2, static_cast<uint32_t>(bytes.size()));
  PutU32(bytes, 14, 40);
  PutU32(bytes, 18, static_cast<uint32_t>(width));
  PutU32(bytes, 22, static_cast<uint32_t>(rows.size()));
  bytes[26] = 1;
  bytes[28] = static_cast<uint8_t>(bits);
  PutU32(bytes, 34, static_cast<uint32_t>(bytes.size() - 54));
  return bytes;
}

TEST(ConvertPicture, SixteenAndThirtyTwoBitSourcesAreConvertedByTheirOwnLayout) {
  EngineRun run;
  run.engine.m_nDepth = 24;
  // 32 bits: blue, green, red and a fourth byte that changes nothing.
  run.Put("bmp/a.bmp", HandMade(2, 32,
                                {{0x10, 0x20, 0x30, 0x00, 0x40, 0x50, 0x60, 0xFF},
                                 {0x01, 0x02, 0x03, 0x7F, 0xFD, 0xFE, 0xFF, 0x80}}));
  // 16 bits, X1R5G5B5 little-endian: 0x7C00 red 31, 0x03E0 green 31,
  // 0x0011 blue 17, 0x4210 every channel 16.
  run.Put("bmp/b.bmp", HandMade(4, 16, {{0x00, 0x7C, 0xE0, 0x03, 0x11, 0x00, 0x10, 0x42}}));
  run.Put("bmp/c.bmp", HandMade(1, 8, {{0x05}}));
  run.Put("bmp/d.bmp", HandMade(1, 1, {{0x80}}));
  ASSERT_EQ(run.Run(), 1);

  const std::string expected = {'\x30', '\x20', '\x10', '\x60', '\x50', '\x40', '\x03', '\x02',
                                '\x01', '\xFF', '\xFE', '\xFD', '\xFF', '\x00', '\x00', '\x00',
                                '\xFF', '\x00', '\x00', '\x00', '\x8C', '\x84', '\x84', '\x84'};
  EXPECT_EQ(run.Binary(), expected);
  EXPECT_NE(run.Array().find("const unsigned char _b[]= //4x1\r\n{\r\n\t0xff,0x00,0x00, "
                             "0x00,0xff,0x00, 0x00,0x00,0x8c, 0x84,0x84,0x84, \r\n};"),
            std::string::npos);
  EXPECT_NE(run.Table().find("\t{PIC_OFFSET + 0x000c,0x04,0x01,3},\t//001 (004*001)\r\n"),
            std::string::npos);
  const std::wstring notSupported = L"bmp image is not 16, 24 or 32 bits per pixel";
  EXPECT_EQ(run.log.lines, (std::vector<std::wstring>{
                               HostPath(L"00001: [32 bit,(002*002),Size:0000016]: bmp/a.bmp"),
                               HostPath(L"00002: [16 bit,(004*001),Size:0000008]: bmp/b.bmp"),
                               HostPath(L"00003: bmp/c.bmp") + notSupported,
                               HostPath(L"00004: bmp/d.bmp") + notSupported}));
  EXPECT_EQ(run.log.summary.filesNotConverted, 2);
}

TEST(ConvertPicture, BitCountIsTestedAfterTheFileSizesAndBeforeTheRowSizes) {
  EngineRun run;
  auto shortFile = HandMade(1, 8, {{0x05}});
  shortFile.pop_back();
  run.Put("bmp/a.bmp", shortFile);
  // Four 24-bit pixels fit in 12 bytes; four 32-bit ones do not.
  auto tooFew = Bytes(Sized(4, 1));
  tooFew[28] = 32;
  run.Put("bmp/b.bmp", tooFew);
  ASSERT_EQ(run.Run(), 1);
  EXPECT_EQ(run.log.lines, (std::vector<std::wstring>{HostPath(L"00001: bmp/a.bmp") + kShort,
                                                      HostPath(L"00002: bmp/b.bmp") + kMismatch}));
}

TEST(ConvertPicture, TableFieldsGrowPastTheirMinimumDigits) {
  EngineRun run;
  run.Put("bmp/a.bmp", Sized(320, 103));  // 65920 bytes at depth 16
  run.Put("bmp/b.bmp", Sized(1, 1));
  ASSERT_EQ(run.Run(), 1);
  const std::string table = run.Table();
  EXPECT_NE(table.find("\t{PIC_OFFSET + 0x0000,0x140,0x67,2},\t//000 (320*103)\r\n"),
            std::string::npos);
  EXPECT_NE(table.find("\t{PIC_OFFSET + 0x10180,0x01,0x01,2},\t//001 (001*001)\r\n"),
            std::string::npos);
  EXPECT_NE(table.find("\tPIC_000,// a.bmp(320*103),size:98880,length:0x10180\r\n"),
            std::string::npos);
  EXPECT_EQ(run.log.lines[0], HostPath(L"00001: [24 bit,(320*103),Size:0098880]: bmp/a.bmp"));
}

TEST(ConvertPicture, IndexesPrintWithMoreDigitsPastOneThousand) {
  EngineRun run;
  const auto bytes = Bytes(Sized(1, 0));
  for (int i = 0; i <= 1000; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "bmp/p%04d.bmp", i);
    run.Put(name, bytes);
  }
  ASSERT_EQ(run.Run(), 1);
  const std::string table = run.Table();
  EXPECT_NE(table.find("\t{PIC_OFFSET + 0x0000,0x01,0x00,2},\t//1000 (001*000)\r\n"),
            std::string::npos);
  EXPECT_NE(table.find("\tPIC_1000,// p1000.bmp(001*000),size:0,length:0x0000\r\n"),
            std::string::npos);
  EXPECT_EQ(run.log.lines.back(),
            HostPath(L"01001: [24 bit,(001*000),Size:0000000]: bmp/p1000.bmp"));
}

TEST(ConvertPicture, IdentifierIsTheNameBeforeItsFirstDot) {
  EngineRun run;
  run.Put("bmp/icon.16.bmp", Sized(1, 1));
  run.Put("bmp/my pic.bmp", Sized(1, 1));
  run.Put("bmp/.bmp", Sized(1, 1));
  ASSERT_EQ(run.Run(), 1);
  const std::string arrayText = run.Array();
  EXPECT_NE(arrayText.find("\r\nconst unsigned char _[]= //1x1\r\n"), std::string::npos);
  EXPECT_NE(arrayText.find("\r\nconst unsigned char _icon[]= //1x1\r\n"), std::string::npos);
  EXPECT_NE(arrayText.find("\r\nconst unsigned char _my pic[]= //1x1\r\n"), std::string::npos);
  EXPECT_NE(run.Enum().find("\tPIC_001,// icon.16.bmp(001*001)"), std::string::npos);
}

TEST(ConvertPicture, WidePictureRunsItsValuesTogetherInLinesOf32) {
  EngineRun run;
  run.engine.m_nDepth = 8;
  Picture p;
  p.width = 33;
  p.height = 2;
  p.pixel = [](int x, int y) { return y == 0 && x == 32 ? Rgb{255, 255, 255} : Rgb{}; };
  run.Put("bmp/w.bmp", p);
  ASSERT_EQ(run.Run(), 1);
  std::string row32;
  for (int i = 0; i < 32; ++i) row32 += "0x00,";
  EXPECT_EQ(run.Array(), Crlf("//file:out.txt\nconst unsigned char _w[]= //33x2\n{\n\t" + row32 +
                              "\n\t0xff," + row32.substr(0, 31 * 5) + "\n\t0x00,0x00,\n};\n\n"));
}

}  // namespace
