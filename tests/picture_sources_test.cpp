#include "engine/picture_sources.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/support/engine_run.h"
#include "tests/support/jpeg_writer.h"
#include "tests/support/png_writer.h"

namespace {

using testing_support::EngineRun;
using testing_support::HostPath;

std::wstring Size(size_t size) {
  wchar_t text[16];
  std::swprintf(text, 16, L"%07zu", size);
  return text;
}

// Files named .bmp whatever they hold: --input any goes by their content,
// the strict intake reads every one as a 54-byte BMP.
TEST(PictureSources, AnyInputTellsFormatsByContent) {
  EngineRun run;
  testing_support::PngSpec spec;
  spec.width = 3;
  spec.height = 2;
  const std::vector<uint8_t> png = testing_support::EncodePng(spec, std::vector<uint16_t>(18, 7));
  const std::vector<uint8_t> jpeg =
      testing_support::EncodeJpeg(2, 2, testing_support::JpegKind::kGrey);
  run.Put("bmp/a.bmp", png);
  run.Put("bmp/b.bmp", jpeg);
  run.Put("bmp/c.bmp", std::vector<uint8_t>{'G', 'I', 'F', '8', '9', 'a'});
  run.Put("bmp/d.bmp", std::vector<uint8_t>{});

  run.engine.m_inputMode = InputMode::kAny;
  ASSERT_EQ(run.Run(), 1);
  EXPECT_EQ(run.log.lines,
            (std::vector<std::wstring>{
                HostPath(L"00001: [24 bit,(003*002),Size:" + Size(png.size()) + L"]: bmp/a.bmp"),
                HostPath(L"00002: [08 bit,(002*002),Size:" + Size(jpeg.size()) + L"]: bmp/b.bmp"),
                HostPath(L"00003: bmp/c.bmp not a BMP, PNG or JPEG picture"),
                HostPath(L"00004: bmp/d.bmp not a BMP, PNG or JPEG picture"),
            }));
  EXPECT_EQ(run.Binary().size(), 2u * (6 + 4));
  EXPECT_EQ(run.log.summary.filesRejected, 2);

  run.engine.m_inputMode = InputMode::kStrict;
  ASSERT_EQ(run.Run(), 1);
  EXPECT_EQ(run.log.summary.filesRejected, 4);
  EXPECT_EQ(run.log.lines.back(),
            HostPath(L"00004: bmp/d.bmpbmp image file header is not 54 bytes"));
}

}  // namespace
