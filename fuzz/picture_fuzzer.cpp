// Any bytes as a picture file, at any depth, through a whole conversion run.
// The first input byte is the depth (m_nDepth takes any value; only 24, 16
// and 8 are meant); the rest is the file. The run sees it twice, as a.bmp and
// b.bmp, so the second picture's offset depends on the first one's length.
//
// Beyond what the sanitizers catch, every run must keep the outputs in step:
// one message line per file; a rejected file leaves nothing anywhere; the
// binary image file is exactly as long as the table's pictures together, and
// the array text holds exactly the binary's bytes.
#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "engine/quarry_engine.h"
#include "engine/strict_bmp_source.h"
#include "platform/text_encoding.h"

namespace {

namespace fs = std::filesystem;

class Log : public RunEvents {
 public:
  void OnFolderEntered(const std::string&) override {}
  void OnFileSelected(const std::string&) override {}
  void OnMessageLine(const CString& line) override { lines.push_back(line.str()); }
  void OnPictureAdded(const PictureEntry&, const CString&) override {}
  void OnOutputFailure(const CString& text) override { failure = text.str(); }
  void OnRunEnd(const RunSummary&) override {}
  std::vector<std::wstring> lines;
  std::wstring failure;
};

void Require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

std::string Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void Write(const fs::path& path, const uint8_t* data, size_t size) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  Require(static_cast<bool>(out), "the input file could be written");
}

size_t Count(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

bool StartsWith(const std::wstring& text, const std::wstring& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

bool EndsWith(const std::wstring& text, const std::wstring& suffix) {
  return text.size() >= suffix.size() &&
         text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

struct Workspace {
  fs::path root;
  fs::path in;
  fs::path out;
  Workspace() {
    std::string pattern = (fs::temp_directory_path() / "rastrum-fuzz-XXXXXX").string();
    Require(mkdtemp(pattern.data()) != nullptr, "a temporary folder could be made");
    root = pattern;
    in = root / "in";
    out = root / "out";
    fs::create_directory(in);
    fs::create_directory(out);
  }
  ~Workspace() {
    std::error_code ignored;
    fs::remove_all(root, ignored);
  }
};

struct Entry {
  uint64_t offset = 0;
  unsigned width = 0, height = 0;
  int bpp = 0;
};

std::vector<Entry> TableEntries(const std::string& table) {
  std::vector<Entry> entries;
  const std::string mark = "\t{PIC_OFFSET + 0x";
  for (size_t at = table.find(mark); at != std::string::npos; at = table.find(mark, at + 1)) {
    Entry e;
    int fields = std::sscanf(table.c_str() + at, "\t{PIC_OFFSET + 0x%" SCNx64 ",0x%x,0x%x,%d}",
                             &e.offset, &e.width, &e.height, &e.bpp);
    Require(fields == 4, "a table entry line parses");
    entries.push_back(e);
  }
  return entries;
}

// The bytes the array text spells out as "0x.." values, in order. Values
// stand on lines that begin with a tab; the header line's "//WxH" does not.
std::string ArrayBytes(const std::string& array) {
  std::string bytes;
  std::istringstream lines(array);
  for (std::string line; std::getline(lines, line);) {
    if (line.empty() || line[0] != '\t') continue;
    for (size_t at = line.find("0x"); at != std::string::npos; at = line.find("0x", at + 1)) {
      bytes.push_back(static_cast<char>(std::strtoul(line.substr(at + 2, 2).c_str(), nullptr, 16)));
    }
  }
  return bytes;
}

bool IsRejection(const std::wstring& line, const std::wstring& path) {
  const Verdict rejections[] = {Verdict::kHeaderNot54, Verdict::kShorterThanDeclared,
                                Verdict::kUnsupportedBits, Verdict::kSizeMismatch,
                                Verdict::kTooLarge};
  for (Verdict v : rejections) {
    if (EndsWith(line, path + RejectionText(v))) return true;
  }
  return false;
}

void CheckRun(const Workspace& ws, const Log& log, const uint8_t* file, size_t size) {
  const std::string table = Read(ws.out / "f.txt");
  const std::string binary = Read(ws.out / "f.bin");
  const std::string array = Read(ws.out / "bmp.c");
  const std::string enums = Read(ws.out / "tmp.txt");
  Require(log.lines.size() == 2, "one message line per file");

  const std::wstring a = platform::AnsiToWide((ws.in / "a.bmp").string()).str();
  const std::wstring b = platform::AnsiToWide((ws.in / "b.bmp").string()).str();
  Require(StartsWith(log.lines[0], L"00001: ") && StartsWith(log.lines[1], L"00002: "),
          "files are numbered 1 and 2");
  const bool rejectedA = IsRejection(log.lines[0], a);
  const bool rejectedB = IsRejection(log.lines[1], b);
  Require(rejectedA == rejectedB, "the same bytes get the same verdict");
  Require(!EndsWith(log.lines[0], L"changed while it was read"), "a file at rest is not changed");

  std::vector<Entry> entries = TableEntries(table);
  if (rejectedA) {
    Require(entries.empty() && binary.empty(), "a rejected file adds no table entry or bytes");
    Require(Count(array, "const unsigned char") == 0, "a rejected file adds no array");
    Require(Count(enums, "\tPIC_") == 0, "a rejected file adds no enum entry");
    return;
  }
  Require(EndsWith(log.lines[0], L"]: " + a), "an accepted file gets its result line");
  Require(entries.size() == 2, "two table entries");
  Require(Count(enums, "\tPIC_") == 2, "two enum entries");
  Require(Count(array, "const unsigned char") == 2, "two arrays");
  uint64_t offset = 0;
  for (const Entry& e : entries) {
    Require(e.offset == offset, "each picture starts where the one before ends");
    Require(e.width <= kMaxDimension && e.height <= kMaxDimension, "sides fit the table");
    offset += uint64_t{e.width} * e.height * static_cast<unsigned>(e.bpp);
  }
  Require(binary.size() == offset, "the binary is as long as the table's pictures");

  Require(size >= static_cast<size_t>(kHeadersSize), "an accepted file holds both headers");
  uint8_t headers[kHeadersSize];
  std::copy(file, file + kHeadersSize, headers);
  BitmapFileHeader fh;
  BitmapInfoHeader ih;
  ParseHeaders(headers, fh, ih);
  Require(fh.bfSize <= size, "an accepted file is as long as it declares");
  const std::string values = ArrayBytes(array);
  Require(values == binary, "the array text spells the binary's bytes");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Workspace ws;
  static Log log;
  static CQuarryEngine engine(log);
  if (size < 1) return 0;

  Write(ws.in / "a.bmp", data + 1, size - 1);
  Write(ws.in / "b.bmp", data + 1, size - 1);
  log.lines.clear();
  log.failure.clear();
  engine.m_nDepth = data[0];
  engine.m_strExt[0] = L"bmp";
  engine.m_nExtCount = 1;
  engine.m_nFileCount = 0;
  engine.m_strOutputFolder = platform::AnsiToWide(ws.out.string());
  engine.m_strOutputStem = L"f";

  int result = engine.ConvertFolder(platform::AnsiToWide(ws.in.string()), 1);
  Require(result == 1 && log.failure.empty(), "the run succeeds");
  CheckRun(ws, log, data + 1, size - 1);
  return 0;
}
