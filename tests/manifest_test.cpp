// The manifest read back with a JSON parser and held against the run's
// other outputs.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

#include "engine/crc32.h"
#include "tests/support/engine_run.h"

namespace {

using testing_support::EngineRun;
using testing_support::Picture;
using testing_support::ReadFile;
using testing_support::Rgb;

Picture Sized(int width, int height) {
  Picture p;
  p.width = width;
  p.height = height;
  p.pixel = [](int x, int y) { return Rgb{uint8_t(x * 9), uint8_t(y * 5), 77}; };
  return p;
}

class Manifest : public ::testing::TestWithParam<bool> {};

// With the four files or with a header: the same pictures, offsets and
// CRC; ids only where a header names them.
TEST_P(Manifest, DescribesEveryPictureAsTheTableDoes) {
  const bool header = GetParam();
  EngineRun run;
  run.Put("bmp/a b.bmp", Sized(3, 2));
  run.Put("bmp/sub/c.bmp", Sized(1, 5));
  run.Put("bmp/~-.bmp", Sized(2, 2));
  run.engine.m_format = PixelFormat::kBgr565Le;
  run.engine.m_dither = Dither::kDiffusion;
  run.engine.m_nAlignment = 8;
  run.engine.m_background = Background{0x12, 0xAB, 0x0F};
  run.engine.m_strManifest = L"run.json";
  if (header) run.engine.m_strHeaderName = L"pics";
  ASSERT_EQ(run.Run(), 1);

  const auto m = nlohmann::json::parse(ReadFile(run.root() / "run.json"));
  EXPECT_EQ(m["tool"], "rastrum");
  EXPECT_EQ(m["format"], "bgr565le");
  EXPECT_EQ(m["bytes_per_pixel"], 2);
  EXPECT_EQ(m["alignment"], 8);
  EXPECT_EQ(m["background"], "12AB0F");
  EXPECT_EQ(m["dither"], "diffusion");
  const std::string binaryName = header ? "pics.bin" : "out.bin";
  const std::string binary = ReadFile(run.root() / binaryName);
  EXPECT_EQ(m["binary"]["name"], binaryName);
  EXPECT_EQ(m["binary"]["size"], binary.size());
  Crc32 crc;
  crc.Update(reinterpret_cast<const uint8_t*>(binary.data()), binary.size());
  EXPECT_EQ(m["binary"]["crc32"], crc.value());
  const std::string text = ReadFile(run.root() / (header ? "pics.c" : "out.txt"));
  const char* paths[] = {"a b.bmp", "sub/c.bmp", "~-.bmp"};
  const char* ids[] = {"PICS_A_B_BMP", "PICS_SUB_C_BMP", "PICS_BMP"};
  ASSERT_EQ(m["pictures"].size(), 3u);
  for (size_t i = 0; i < 3; ++i) {
    const auto& p = m["pictures"][i];
    const PictureEntry& e = run.log.pictures[i];
    EXPECT_EQ(p["index"], i);
    EXPECT_EQ(p["path"], paths[i]);
    EXPECT_EQ(p["width"], e.width);
    EXPECT_EQ(p["height"], e.height);
    EXPECT_EQ(p["offset"], e.offset);
    EXPECT_EQ(p["offset"].get<uint64_t>() % 8, 0u);
    EXPECT_EQ(p["length"], e.width * e.height * 2);
    EXPECT_EQ(p["source_format"], "bmp");
    EXPECT_EQ(p["source_bits"], 24);
    char entry[64];
    if (header) {
      EXPECT_EQ(p["enum"], ids[i]);
      std::snprintf(entry, sizeof entry, "{0x%.8xu, 0x%.8xu, %uu, %uu}, /* %s */",
                    unsigned(e.offset), unsigned(e.length), e.width, e.height, ids[i]);
    } else {
      EXPECT_FALSE(p.contains("enum"));
      std::snprintf(entry, sizeof entry, "{PIC_OFFSET + 0x%.4x,0x%.2x,0x%.2x,2}",
                    unsigned(e.offset), e.width, e.height);
    }
    EXPECT_NE(text.find(entry), std::string::npos) << entry << "\n" << text;
  }
}

INSTANTIATE_TEST_SUITE_P(Outputs, Manifest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Header" : "FourFiles"; });

}  // namespace
