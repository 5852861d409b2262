#include "platform/utf8.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

TEST(Utf8, AnyBytesSurviveTheRoundTrip) {
  std::mt19937 random(20240305);
  std::uniform_int_distribution<int> byte(0, 255), length(0, 24);
  for (int i = 0; i < 20000; ++i) {
    std::string bytes(static_cast<size_t>(length(random)), '\0');
    // Bias towards the bytes that start and continue multi-byte sequences.
    for (char& b : bytes)
      b = static_cast<char>(i % 2 ? byte(random) : 0x80 | (byte(random) & 0x7F));
    ASSERT_EQ(platform::utf8::Encode(platform::utf8::Decode(bytes), true), bytes);
  }
}

}  // namespace
