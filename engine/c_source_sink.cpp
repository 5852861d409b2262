#include <array>
#include <cinttypes>

#include "engine/firmware_sinks.h"

namespace {

constexpr size_t kBytesPerLine = 16;

}  // namespace

void CSourceSink::BeginRun(const std::string&) {
  platform::OutputStream& c = file_.stream();
  const std::string& name = plan_.header;
  c.Print("/* %s.c: the table of the pictures of %s.bin. */\n#include \"%s.h\"\n\n", name.c_str(),
          name.c_str(), name.c_str());
  if (!plan_.embed) return;
  // alignas and _Alignas where the language has them; GCC and Clang's
  // attribute for C99.
  const std::string aligned = MacroPrefix(name) + "DATA_ALIGNED";
  const uint32_t a = plan_.alignment;
  c.Print(
      "#if defined(__cplusplus)\n#define %s alignas(%u)\n"
      "#elif defined(__STDC_VERSION__) && __STDC_VERSION__ >= 201112L\n#define %s _Alignas(%u)\n"
      "#elif defined(__GNUC__)\n#define %s __attribute__((aligned(%u)))\n"
      "#else\n#define %s\n#endif\n\n",
      aligned.c_str(), a, aligned.c_str(), a, aligned.c_str(), a, aligned.c_str());
  c.Print("%s const uint8_t %s_data[] = {", aligned.c_str(), name.c_str());
}

void CSourceSink::PutBytes(const uint8_t* data, size_t size) {
  static constexpr char kDigits[] = "0123456789abcdef";
  text_.clear();
  for (size_t i = 0; i < size; ++i, ++written_) {
    text_ += written_ % kBytesPerLine == 0 ? "\n\t0x" : "0x";
    text_ += kDigits[data[i] >> 4];
    text_ += kDigits[data[i] & 15];
    text_ += ',';
  }
  file_.stream().Write(text_);
}

void CSourceSink::BeginPicture(const PictureEntry& entry) {
  if (!plan_.embed) return;
  static constexpr std::array<uint8_t, 256> kZeros{};
  for (uint64_t left = entry.padding; left > 0;) {
    const size_t count = left < kZeros.size() ? static_cast<size_t>(left) : kZeros.size();
    PutBytes(kZeros.data(), count);
    left -= count;
  }
}

void CSourceSink::WriteRow(const uint8_t* encoded, int bytesPerPixel, const PictureEntry& entry) {
  if (plan_.embed) PutBytes(encoded, size_t{entry.width} * static_cast<size_t>(bytesPerPixel));
}

void CSourceSink::EndRun() {
  platform::OutputStream& c = file_.stream();
  const std::string& name = plan_.header;
  // C has no empty arrays: an empty run's arrays hold one zero.
  if (plan_.embed) c.Write(written_ == 0 ? "\n\t0\n};\n\n" : "\n};\n\n");
  c.Print("const %s_picture %s_pictures[] = {\n", name.c_str(), name.c_str());
  for (size_t i = 0; i < catalog_.pictures.size(); ++i) {
    const PictureEntry& e = catalog_.pictures[i];
    c.Print("\t{0x%.8" PRIx64 "u, 0x%.8" PRIx64 "u, %uu, %uu}, /* %s */\n", e.offset, e.length,
            e.width, e.height, catalog_.ids[i].c_str());
  }
  if (catalog_.pictures.empty()) c.Write("\t{0u, 0u, 0u, 0u}\n");
  c.Write("};\n");
}
