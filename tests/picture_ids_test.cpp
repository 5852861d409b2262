// The header's names: which NAMEs are refused, and the ids pictures get.
#include "engine/picture_ids.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/crc32.h"

namespace {

struct NameCase {
  const char* name;
  const char* problem;  // empty: accepted
};

class HeaderName : public ::testing::TestWithParam<NameCase> {};

TEST_P(HeaderName, IsAnUnreservedIdentifier) {
  EXPECT_EQ(HeaderNameProblem(GetParam().name), GetParam().problem);
}

const char* kReserved = "would make reserved identifiers (a '_' at either end, or \"__\")";

INSTANTIATE_TEST_SUITE_P(Names, HeaderName,
                         ::testing::Values(NameCase{"img", ""}, NameCase{"Img_2", ""},
                                           NameCase{"i", ""}, NameCase{"", "is not a C identifier"},
                                           NameCase{"2img", "is not a C identifier"},
                                           NameCase{"my-img", "is not a C identifier"},
                                           NameCase{"img.h", "is not a C identifier"},
                                           NameCase{"caf\xC3\xA9", "is not a C identifier"},
                                           NameCase{"int", "is a keyword of C or C++"},
                                           NameCase{"class", "is a keyword of C or C++"},
                                           NameCase{"_Bool", "is a keyword of C or C++"},
                                           NameCase{"_img", kReserved}, NameCase{"img_", kReserved},
                                           NameCase{"a__b", kReserved}));

// Ids in the order pictures come, each against the ids before it.
TEST(PictureIds, UpperCaseRunsOfOtherCharactersAndRepeatsNumbered) {
  PictureIds ids(MacroPrefix("Img"));
  const std::vector<std::pair<std::wstring, std::string>> cases = {
      {L"logo.bmp", "IMG_LOGO_BMP"},
      {L"a/logo.bmp", "IMG_A_LOGO_BMP"},
      {L"a\\logo.bmp", "IMG_A_LOGO_BMP_2"},
      {L"LOGO.BMP", "IMG_LOGO_BMP_2"},
      {L"logo.bmp_2", "IMG_LOGO_BMP_2_2"},
      {L"--icon  16--.bmp", "IMG_ICON_16_BMP"},
      {L"\u00e9t\u00e9.bmp", "IMG_T_BMP"},
      {L"\xDCFF.\u20ac", "IMG_PICTURE"},
      {L"picture", "IMG_PICTURE_2"},
      {L"alignment", "IMG_ALIGNMENT_2"},
      {L"_.h", "IMG_H_2"},
      {L"binary crc32", "IMG_BINARY_CRC32_2"},
  };
  for (const auto& [path, id] : cases) EXPECT_EQ(ids.Add(CString(path.c_str())), id);
}

TEST(Crc32, MatchesTheCheckValuesOfZlib) {
  Crc32 empty;
  EXPECT_EQ(empty.value(), 0u);
  Crc32 digits;
  digits.Update(reinterpret_cast<const uint8_t*>("123456789"), 9);
  EXPECT_EQ(digits.value(), 0xCBF43926u);
  Crc32 zeros, counted;
  const uint8_t five[5] = {};
  zeros.Update(five, 5);
  counted.UpdateZeros(5);
  EXPECT_EQ(counted.value(), zeros.value());
  EXPECT_EQ(zeros.value(), 0xC622F71Du);
}

}  // namespace
