// Whole runs over pictures that lie about themselves: every rejection, sizes
// near 4 GiB, widths near 2^31, sides at the table's limit. A picture that
// cannot be converted is one line; the pictures around it still convert and
// the binary image file keeps matching the table.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "tests/support/engine_run.h"
#include "tests/support/host_paths.h"

namespace {

using testing_support::EncodeBitmap;
using testing_support::EngineRun;
using testing_support::HostPath;
using testing_support::Picture;
using testing_support::PutU32;

constexpr const wchar_t* kHeaderNot54 = L"bmp image file header is not 54 bytes";
constexpr const wchar_t* kShorter = L"bmp image file is shorter than its declared size";
constexpr const wchar_t* kMismatch = L"bmp image size does not match its width and height";
constexpr const wchar_t* kTooLarge = L"bmp image is wider or higher than 65535 pixels";

// 54 header bytes with the given fields and `pixelBytes` bytes after them.
std::vector<uint8_t> Headers(uint32_t bfSize, int32_t width, int32_t height, uint32_t sizeImage,
                             size_t pixelBytes = 0) {
  std::vector<uint8_t> bytes = EncodeBitmap(Picture{});
  bytes.resize(54 + pixelBytes, 0x5A);
  PutU32(bytes, 2, bfSize);
  PutU32(bytes, 18, static_cast<uint32_t>(width));
  PutU32(bytes, 22, static_cast<uint32_t>(height));
  PutU32(bytes, 34, sizeImage);
  return bytes;
}

std::vector<uint8_t> Cut(std::vector<uint8_t> bytes, size_t size) {
  bytes.resize(size);
  return bytes;
}

std::vector<uint8_t> Good4x4() {
  return EncodeBitmap(Picture{4, 4});
}

struct Rejection {
  const char* name;
  std::vector<uint8_t> bytes;
  const wchar_t* text;
};

class Rejected : public ::testing::TestWithParam<Rejection> {};

// b.bmp stands between two good pictures: it gets its line and nothing
// else, and c.bmp takes the index and offset b.bmp would have had.
TEST_P(Rejected, IsOneLineAndLeavesNoTrace) {
  EngineRun run;
  run.Put("bmp/a.bmp", Picture{2, 1});
  run.Put("bmp/b.bmp", GetParam().bytes);
  run.Put("bmp/c.bmp", Picture{1, 1});
  ASSERT_EQ(run.Run(), 1);

  const std::vector<std::wstring> lines = {
      L"00001: [24 bit,(002*001),Size:0000008]: " + HostPath(L"bmp/a.bmp"),
      L"00002: " + HostPath(L"bmp/b.bmp") + GetParam().text,
      L"00003: [24 bit,(001*001),Size:0000004]: " + HostPath(L"bmp/c.bmp"),
  };
  EXPECT_EQ(run.log.lines, lines);
  EXPECT_EQ(run.Binary().size(), 2u * 2 + 1 * 2);
  const std::string table = run.Table();
  EXPECT_NE(table.find("\t{PIC_OFFSET + 0x0004,0x01,0x01,2},\t//001 (001*001)"), std::string::npos);
  EXPECT_EQ(table.find("//002"), std::string::npos);
  EXPECT_EQ(run.Array().find("_b[]"), std::string::npos);
  EXPECT_EQ(run.Enum().find("b.bmp"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    EveryCheck, Rejected,
    ::testing::Values(
        Rejection{"empty_file", {}, kHeaderNot54},
        Rejection{"53_bytes", Cut(Good4x4(), 53), kHeaderNot54},
        Rejection{"size_image_left_0", Headers(54 + 48, 4, 4, 0, 48), kHeaderNot54},
        // 0xFFFFFFFF + 54 wraps to 53 in 32 bits: only a wider sum refuses it.
        Rejection{"sum_wraps_in_32_bits", Headers(53, 1, 1, 0xFFFFFFFFu), kHeaderNot54},
        Rejection{"declares_4_GiB", Headers(0xFFFFFFFFu, 1, 1, 0xFFFFFFFFu - 54), kShorter},
        Rejection{"cut_short", Cut(Good4x4(), 54 + 47), kShorter},
        Rejection{"negative_width", Headers(54 + 16, -1, 1, 16, 16), kMismatch},
        Rejection{"rows_beyond_size_image", Headers(54 + 16, 4, 4, 16, 16), kMismatch},
        Rejection{"width_near_2_31_height_1", Headers(54, INT32_MAX, 1, 0), kMismatch},
        Rejection{"width_near_2_31_height_min", Headers(54, INT32_MAX, INT32_MIN, 0), kMismatch},
        Rejection{"width_near_2_31_top_down", Headers(54, INT32_MAX - 3, -1, 0), kMismatch},
        Rejection{"width_near_2_31_height_0", Headers(54, INT32_MAX, 0, 0), kTooLarge},
        Rejection{"height_min_width_0", Headers(54, 0, INT32_MIN, 0), kTooLarge},
        Rejection{"width_65536", Headers(54, 65536, 0, 0), kTooLarge},
        Rejection{"height_65536", Headers(54, 0, 65536, 0), kTooLarge},
        Rejection{"top_down_65536", Headers(54, 0, -65536, 0), kTooLarge}),
    [](const ::testing::TestParamInfo<Rejection>& info) { return std::string(info.param.name); });

struct Extreme {
  const char* name;
  std::vector<uint8_t> bytes;
  const wchar_t* sides;  // as the result line shows them
  size_t binaryBytes;    // at depth 16
};

class AtTheLimit : public ::testing::TestWithParam<Extreme> {};

TEST_P(AtTheLimit, IsConvertedWithinItsDeclaredSize) {
  EngineRun run;
  run.Put("bmp/x.bmp", GetParam().bytes);
  ASSERT_EQ(run.Run(), 1);
  ASSERT_EQ(run.log.lines.size(), 1u);
  EXPECT_NE(run.log.lines[0].find(GetParam().sides), std::wstring::npos) << run.log.lines[0];
  EXPECT_EQ(run.Binary().size(), GetParam().binaryBytes);
}

INSTANTIATE_TEST_SUITE_P(
    Sides, AtTheLimit,
    ::testing::Values(Extreme{"width_65535_height_0", Headers(54, 65535, 0, 0), L"(65535*000)", 0},
                      Extreme{"width_0_height_65535", Headers(54, 0, 65535, 0), L"(000*65535)", 0},
                      Extreme{"width_65535_height_1",
                              Headers(54 + 196608, 65535, 1, 196608, 196608), L"(65535*001)",
                              65535 * 2},
                      Extreme{"width_65535_top_down",
                              Headers(54 + 196608, 65535, -1, 196608, 196608), L"(65535*001)",
                              65535 * 2}),
    [](const ::testing::TestParamInfo<Extreme>& info) { return std::string(info.param.name); });

}  // namespace
