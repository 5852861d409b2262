// rastrum_make_pictures: writes folder trees of well-formed 24-bit bitmaps
// for the benchmark and for the bundled samples. The content is the same on
// every run and every host: gradients overlaid with noise from a counter-based
// generator with a fixed seed, so the pixels neither repeat nor compress.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/bmp_writer.h"

namespace {

namespace fs = std::filesystem;
using testing_support::Picture;
using testing_support::Rgb;

constexpr const char* kUsage =
    "usage: rastrum_make_pictures corpus DIR [SCALE]\n"
    "       rastrum_make_pictures samples DIR\n";

// splitmix64's finaliser: a good 64-bit mix, so hashing (seed, x, y) gives
// noise that does not depend on the order in which pixels are asked for.
uint64_t Mix(uint64_t z) {
  z += 0x9E3779B97F4A7C15ull;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

uint64_t Noise(uint64_t seed, int x, int y) {
  return Mix(seed ^ (uint64_t(uint32_t(x)) << 32 | uint32_t(y)));
}

uint8_t Clamp(int v) {
  return static_cast<uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v);
}

// The drawing styles; each adds noise of `amount` (0 to 255) to a gradient.
enum class Style { kHorizontal, kVertical, kDiagonal, kRings, kNoise };
constexpr Style kStyles[] = {Style::kHorizontal, Style::kVertical, Style::kDiagonal, Style::kRings,
                             Style::kNoise};

Picture Draw(int32_t width, int32_t height, Style style, uint64_t seed, int amount) {
  Picture p;
  p.width = width;
  p.height = height;
  p.pixel = [=](int x, int y) {
    const int w = width > 1 ? width - 1 : 1;
    const int h = height > 1 ? height - 1 : 1;
    int base = 0;
    switch (style) {
      case Style::kHorizontal:
        base = 255 * x / w;
        break;
      case Style::kVertical:
        base = 255 * y / h;
        break;
      case Style::kDiagonal:
        base = 255 * (x + y) / (w + h);
        break;
      case Style::kRings:
        base = ((x - w / 2) * (x - w / 2) + (y - h / 2) * (y - h / 2)) / 8 % 256;
        break;
      case Style::kNoise:
        base = 128;
        break;
    }
    const uint64_t n = Noise(seed, x, y);
    auto jitter = [&](int shift) { return int((n >> shift) & 0xFF) * amount / 255 - amount / 2; };
    return Rgb{Clamp(base + jitter(0)), Clamp(255 - base + jitter(8)),
               Clamp((base * 3 + 64) % 256 + jitter(16))};
  };
  return p;
}

void Write(const fs::path& path, const Picture& picture) {
  testing_support::WriteFile(path, testing_support::EncodeBitmap(picture));
}

// About 40 pictures of 800 x 480 in a few nested folders and 4 of 1920 x 1080,
// each count multiplied by `scale`.
void MakeCorpus(const fs::path& dir, int scale) {
  struct Group {
    const char* folder;
    const char* stem;
    int count;
    int32_t width, height;
  };
  const Group groups[] = {
      {"screens", "screen", 16, 800, 480},
      {"menus", "menu", 12, 800, 480},
      {"menus/dialogs", "dialog", 12, 800, 480},
      {"full", "full", 4, 1920, 1080},
  };
  uint64_t seed = 1;
  for (const Group& g : groups) {
    for (int i = 0; i < g.count * scale; ++i, ++seed) {
      char name[64];
      std::snprintf(name, sizeof name, "%s_%03d.bmp", g.stem, i);
      Style style = kStyles[seed % std::size(kStyles)];
      Write(dir / g.folder / name, Draw(g.width, g.height, style, seed, 160));
    }
  }
}

// The bundled samples: small, of the widths that matter to the array text
// (up to 32 pixels a row to a line, from 33 on wrapped), one stored top row
// first, and the 2 x 1 picture whose bytes are easy to check by hand.
void MakeSamples(const fs::path& dir) {
  Picture logo;
  logo.width = 2;
  logo.height = 1;
  logo.pixel = [](int x, int) { return x == 0 ? Rgb{0xFF, 0x80, 0x00} : Rgb{0x12, 0x34, 0x56}; };
  Write(dir / "logo.bmp", logo);
  Write(dir / "tile16.bmp", Draw(16, 16, Style::kDiagonal, 11, 24));
  Write(dir / "strip33.bmp", Draw(33, 7, Style::kHorizontal, 12, 24));
  Write(dir / "button64.bmp", Draw(64, 40, Style::kRings, 13, 16));
  Write(dir / "banner.bmp", Draw(100, 50, Style::kVertical, 14, 32));
  Picture topDown = Draw(40, 30, Style::kVertical, 15, 0);
  topDown.topDown = true;
  Write(dir / "topdown.bmp", topDown);
  Write(dir / "icons" / "battery.bmp", Draw(24, 12, Style::kHorizontal, 16, 8));
  Write(dir / "icons" / "signal.bmp", Draw(20, 20, Style::kNoise, 17, 255));
}

bool ParseScale(const char* text, int& scale) {
  char* end = nullptr;
  long value = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || value < 1 || value > 100) return false;
  scale = static_cast<int>(value);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  int scale = 1;
  bool corpus = args.size() >= 2 && args.size() <= 3 && args[0] == "corpus";
  bool samples = args.size() == 2 && args[0] == "samples";
  if (corpus && args.size() == 3 && !ParseScale(args[2].c_str(), scale)) {
    std::fprintf(stderr, "rastrum_make_pictures: error: SCALE must be 1 to 100, not '%s'\n%s",
                 args[2].c_str(), kUsage);
    return 2;
  }
  if (!corpus && !samples) {
    std::fprintf(stderr, "rastrum_make_pictures: error: bad arguments\n%s", kUsage);
    return 2;
  }
  try {
    if (corpus) {
      MakeCorpus(args[1], scale);
    } else {
      MakeSamples(args[1]);
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "rastrum_make_pictures: error: %s\n", e.what());
    return 1;
  }
  return 0;
}
