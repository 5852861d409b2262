// Writes the two picture trees of the golden-output test: "varied" (every
// rejection, both row orders, widths around the 32-byte line wrap, nested
// folders, names with blanks, several extensions) and "good" (only pictures
// that convert). They were generated once and committed with the outputs
// rastrum wrote for them at commit 723b117; rerun this only to extend them,
// then record the expected outputs again with that commit's rastrum
// (check.cmake -DRECORD=ON).
// Usage: rastrum_make_golden_trees FOLDER   (writes FOLDER/varied and FOLDER/good)
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/bmp_writer.h"

namespace {

namespace fs = std::filesystem;
using testing_support::EncodeBitmap;
using testing_support::Picture;
using testing_support::PutU32;
using testing_support::Rgb;
using testing_support::WriteFile;

constexpr size_t kFileSize = 2, kWidth = 18, kHeight = 22;

// Every channel varies with x and y, so a swapped channel, a mirrored row or
// a wrong row order changes the output.
std::vector<uint8_t> Bitmap(int32_t width, int32_t height, bool topDown = false, int seed = 0) {
  Picture picture;
  picture.width = width;
  picture.height = height;
  picture.topDown = topDown;
  picture.pixel = [seed](int x, int y) {
    return Rgb{static_cast<uint8_t>(x * 37 + y * 11 + seed * 53),
               static_cast<uint8_t>(x * 5 + y * 71 + seed * 29),
               static_cast<uint8_t>((x ^ y) * 13 + seed * 7)};
  };
  return EncodeBitmap(picture);
}

void WriteVaried(const fs::path& root) {
  WriteFile(root / "a_1x1.bmp", Bitmap(1, 1));
  WriteFile(root / "B_32x2.bmp", Bitmap(32, 2, false, 1));
  WriteFile(root / "c_33x3_topdown.bmp", Bitmap(33, 3, true, 2));
  WriteFile(root / "d_64x1.bmp", Bitmap(64, 1, false, 3));
  WriteFile(root / "e_height0.bmp", Bitmap(5, 0));
  WriteFile(root / "f_width0.bmp", Bitmap(0, 3));
  WriteFile(root / "my logo.bmp", Bitmap(4, 4, false, 4));
  WriteFile(root / "upper.BMP", Bitmap(3, 2, true, 5));
  WriteFile(root / "pic.old.bmp", Bitmap(2, 2, false, 6));
  WriteFile(root / "icon.pic", Bitmap(6, 1, false, 7));
  std::vector<uint8_t> trailing = Bitmap(2, 1, false, 8);
  trailing.insert(trailing.end(), {0xDE, 0xAD, 0xBE, 0xEF});
  WriteFile(root / "trailing_bytes.bmp", trailing);
  // Not selected: another extension, another case, no extension, a bare dot.
  WriteFile(root / "mixed.Bmp", Bitmap(1, 1));
  WriteFile(root / "notes.txt", std::string("not a picture\n"));
  WriteFile(root / "noext", Bitmap(1, 1));
  WriteFile(root / "trailingdot.", Bitmap(1, 1));

  WriteFile(root / "reject_short_header.bmp", std::string("BM too short"));
  std::vector<uint8_t> header = Bitmap(2, 2);
  PutU32(header, kFileSize, static_cast<uint32_t>(header.size() + 1));
  WriteFile(root / "reject_header_size.bmp", header);
  std::vector<uint8_t> truncated = Bitmap(4, 3);
  truncated.resize(truncated.size() - 5);
  WriteFile(root / "reject_truncated.bmp", truncated);
  std::vector<uint8_t> negative = Bitmap(2, 2);
  PutU32(negative, kWidth, static_cast<uint32_t>(-2));
  WriteFile(root / "reject_negative_width.bmp", negative);
  std::vector<uint8_t> rows = Bitmap(3, 3);
  PutU32(rows, kHeight, 4);
  WriteFile(root / "reject_rows_exceed.bmp", rows);
  // No rows, so the pixel data is empty and only the side is too large.
  std::vector<uint8_t> wide = Bitmap(0, 0);
  PutU32(wide, kWidth, 65536);
  WriteFile(root / "reject_wide.bmp", wide);
  std::vector<uint8_t> high = Bitmap(0, 0);
  PutU32(high, kHeight, static_cast<uint32_t>(-65536));
  WriteFile(root / "reject_high.bmp", high);
  std::vector<uint8_t> widest = Bitmap(0, 0);
  PutU32(widest, kWidth, 65535);
  WriteFile(root / "widest_no_rows.bmp", widest);

  WriteFile(root / "sub folder/b 2.bmp", Bitmap(7, 2, false, 9));
  WriteFile(root / "sub folder/notes.txt", std::string("folder notes\n"));
  WriteFile(root / "sub folder/deeper/deep_7x5.bmp", Bitmap(7, 5, true, 10));
  WriteFile(root / "sub folder/deeper/z.BMP", Bitmap(1, 2, false, 11));
  WriteFile(root / "sub folder/deeper/deepest/last.bmp", Bitmap(33, 1, false, 12));
  WriteFile(root / "zz/x.bmp", Bitmap(2, 3, false, 13));
  WriteFile(root / "zz/no pictures/readme.txt", std::string("nothing to convert here\n"));
  // After the folder "zz" in the walk: a file that follows a sub-folder.
  WriteFile(root / "zz_last.bmp", Bitmap(1, 3, true, 14));
}

void WriteGood(const fs::path& root) {
  WriteFile(root / "logo.bmp", Bitmap(16, 8, false, 20));
  WriteFile(root / "A.bmp", Bitmap(3, 3, true, 21));
  WriteFile(root / "wide.bmp", Bitmap(64, 2, false, 22));
  WriteFile(root / "icons/i1.bmp", Bitmap(8, 8, false, 23));
  WriteFile(root / "icons/i2.bmp", Bitmap(33, 1, true, 24));
  WriteFile(root / "icons/small/s.bmp", Bitmap(1, 1, false, 25));
  WriteFile(root / "icons/small/t 32.bmp", Bitmap(32, 1, false, 26));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: rastrum_make_golden_trees FOLDER\n");
    return 2;
  }
  const fs::path folder = argv[1];
  WriteVaried(folder / "varied");
  WriteGood(folder / "good");
  return 0;
}
