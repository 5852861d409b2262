#include <gtest/gtest.h>

#include "platform/command_args.h"
#include "platform/text_encoding.h"

namespace {

TEST(CommandLineArguments, SkipsTheProgramAndKeepsEveryByte) {
  char program[] = "rastrum", convert[] = "convert", odd[] = "b\xFFmp/\xC3\xA9";
  char* argv[] = {program, convert, odd, nullptr};
  std::vector<CString> args = platform::CommandLineArguments(3, argv);
  ASSERT_EQ(args.size(), 2u);
  EXPECT_EQ(args[0].str(), L"convert");
  EXPECT_EQ(args[1].str(), L"b\xDCFFmp/\u00e9");
  EXPECT_EQ(platform::WideToAnsi(args[1]), odd);
}

}  // namespace
