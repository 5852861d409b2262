// Whole runs over folder trees nobody made for this tool, with what only
// POSIX hosts have: sockets and device nodes named like pictures, links that
// lead nowhere or to endless devices, folders the user may not read or
// search, names at the length limit and paths beyond it, very deep trees,
// sparse 4 GiB pictures, and pictures that shrink while they are read.
#include <dirent.h>
#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <stdio.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "engine/byte_source.h"
#include "engine/conversion_run.h"
#include "engine/strict_bmp_source.h"
#include "platform/text_encoding.h"
#include "tests/support/engine_run.h"
#include "tests/support/host_paths.h"

namespace {

namespace fs = std::filesystem;
using testing_support::EncodeBitmap;
using testing_support::EngineRun;
using testing_support::Picture;
using testing_support::PutU32;
using testing_support::RecordingLog;
using testing_support::Rgb;

constexpr const wchar_t* kOpenFailed = L" bmp Image opening failed";

Picture Gradient(int width, int height) {
  Picture p;
  p.width = width;
  p.height = height;
  p.pixel = [](int x, int y) {
    return Rgb{static_cast<uint8_t>(x * 5 + y), static_cast<uint8_t>(y * 3),
               static_cast<uint8_t>(x ^ y)};
  };
  return p;
}

std::wstring Converted(int number, int width, int height, const std::wstring& path) {
  CString line;
  line.Format(L"%.5d: [24 bit,(%.3d*%.3d),Size:%.7d]: ", number, width, height,
              (width * 3 + 3) / 4 * 4 * height);
  return line.str() + path;
}

std::wstring OpenFailed(int number, const std::wstring& path) {
  CString line;
  line.Format(L"%.5d: ", number);
  return line.str() + path + kOpenFailed;
}

// --- Entries that are not regular files --------------------------------------

struct Special {
  const char* name;
  // Makes the entry at `path`; false when this host does not allow it.
  std::function<bool(const fs::path& path)> make;
};

bool MakeSocket(const fs::path& path) {
  int fd = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (fd < 0 || path.string().size() >= sizeof address.sun_path) return false;
  std::strcpy(address.sun_path, path.c_str());
  bool bound = bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
  close(fd);
  return bound;
}

class NotARegularFile : public ::testing::TestWithParam<Special> {};

// Each is counted, gets the open-failure line and is never read, so neither a
// FIFO without writer nor an endless device can stall or flood the run.
TEST_P(NotARegularFile, IsCountedAndFailsToOpenWithoutBlocking) {
  EngineRun run;
  run.Put("bmp/a.bmp", Gradient(2, 2));
  run.Put("bmp/z.bmp", Gradient(1, 1));
  if (!GetParam().make(run.root() / "bmp/m.bmp")) {
    GTEST_SKIP() << "this host refuses to make a " << GetParam().name;
  }
  ASSERT_EQ(run.Run(), 1);
  EXPECT_EQ(run.log.lines, (std::vector<std::wstring>{
                               Converted(1, 2, 2, L"bmp/a.bmp"),
                               OpenFailed(2, L"bmp/m.bmp"),
                               Converted(3, 1, 1, L"bmp/z.bmp"),
                           }));
  EXPECT_EQ(run.Binary().size(), 2u * 2 * 2 + 1 * 2);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, NotARegularFile,
    ::testing::Values(
        Special{"fifo", [](const fs::path& p) { return mkfifo(p.c_str(), 0644) == 0; }},
        Special{"socket", MakeSocket},
        Special{"device_node",
                [](const fs::path& p) {
                  return mknod(p.c_str(), S_IFCHR | 0644, makedev(1, 5)) == 0;  // like /dev/zero
                }},
        Special{"link_to_dev_zero",
                [](const fs::path& p) { return symlink("/dev/zero", p.c_str()) == 0; }},
        Special{"link_to_dev_urandom",
                [](const fs::path& p) { return symlink("/dev/urandom", p.c_str()) == 0; }}),
    [](const ::testing::TestParamInfo<Special>& info) { return std::string(info.param.name); });

TEST(HostileTree, LinksThatLeadNowhereFailToOpenAndNeverStopTheRun) {
  EngineRun run;
  run.Put("bmp/a.bmp", Gradient(1, 1));
  fs::create_symlink("nowhere.bmp", run.root() / "bmp/dangling.bmp");
  fs::create_symlink("loop2.bmp", run.root() / "bmp/loop1.bmp");
  fs::create_symlink("loop1.bmp", run.root() / "bmp/loop2.bmp");
  fs::create_symlink("missing-folder", run.root() / "bmp/gone");
  fs::create_symlink("missing-folder/x.bmp", run.root() / "bmp/through-gone.bmp");
  ASSERT_EQ(run.Run(), 1);
  EXPECT_EQ(run.log.lines, (std::vector<std::wstring>{
                               Converted(1, 1, 1, L"bmp/a.bmp"),
                               OpenFailed(2, L"bmp/dangling.bmp"),
                               OpenFailed(3, L"bmp/loop1.bmp"),
                               OpenFailed(4, L"bmp/loop2.bmp"),
                               OpenFailed(5, L"bmp/through-gone.bmp"),
                           }));
  EXPECT_EQ(run.Enum().find("gone\r\n"), std::string::npos);
}

// --- Folders and files the user may not read ---------------------------------

// Runs `body` in a child process as the unprivileged user nobody (65534)
// when this process is root, so root's rights cannot hide a refusal; as the
// user itself otherwise. The child hands its message lines back through a
// pipe; returns the child's exit status.
int RunAsUnprivileged(const std::function<int(RecordingLog&)>& body,
                      std::vector<std::string>& lines) {
  int channel[2];
  if (pipe(channel) != 0) return -1;
  pid_t child = fork();
  if (child == 0) {
    close(channel[0]);
    if (geteuid() == 0 &&
        (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0)) {
      _exit(90);
    }
    RecordingLog log;
    int status = body(log);
    for (const std::wstring& line : log.lines) {
      std::string text = platform::WideToAnsi(line) + "\n";
      if (write(channel[1], text.data(), text.size()) != static_cast<ssize_t>(text.size())) {
        _exit(91);
      }
    }
    _exit(status);
  }
  close(channel[1]);
  std::string text;
  char chunk[4096];
  for (ssize_t got; (got = read(channel[0], chunk, sizeof chunk)) > 0;) text.append(chunk, got);
  close(channel[0]);
  int status = 0;
  waitpid(child, &status, 0);
  for (size_t at = 0, end; (end = text.find('\n', at)) != std::string::npos; at = end + 1) {
    lines.push_back(text.substr(at, end - at));
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(HostileTree, FoldersAndFilesWithoutRightsAreReportedOrPassedOver) {
  EngineRun run;
  run.Put("bmp/a.bmp", Gradient(1, 1));
  run.Put("bmp/noread/b.bmp", Gradient(1, 1));
  run.Put("bmp/nosearch/c.bmp", Gradient(1, 1));
  run.MakeFolder("bmp/nosearch/inner");
  run.Put("bmp/secret.bmp", Gradient(1, 1));
  run.Put("bmp/z.bmp", Gradient(2, 1));
  fs::permissions(run.root(), fs::perms::all);  // nobody writes the outputs here
  fs::permissions(run.root() / "bmp/noread",
                  fs::perms::owner_write | fs::perms::owner_exec | fs::perms::others_exec);
  fs::permissions(run.root() / "bmp/nosearch", fs::perms::owner_read | fs::perms::others_read);
  fs::permissions(run.root() / "bmp/secret.bmp", fs::perms::owner_write);

  std::vector<std::string> lines;
  int status = RunAsUnprivileged(
      [&](RecordingLog& log) {
        CQuarryEngine engine(log);
        engine.m_strExt[0] = L"bmp";
        engine.m_nExtCount = 1;
        engine.m_strOutputStem = L"out";
        return engine.ConvertFolder(L"bmp", 1) == 1 ? 0 : 1;
      },
      lines);
  ASSERT_EQ(status, 0);
  auto ansi = [](const std::wstring& line) { return platform::WideToAnsi(line); };
  EXPECT_EQ(lines, (std::vector<std::string>{
                       ansi(Converted(1, 1, 1, L"bmp/a.bmp")),
                       ansi(OpenFailed(2, L"bmp/nosearch/c.bmp")),
                       ansi(OpenFailed(3, L"bmp/secret.bmp")),
                       ansi(Converted(4, 2, 1, L"bmp/z.bmp")),
                   }));
  // Folders that cannot be listed still get their comment lines.
  const std::string enumText = run.Enum();
  EXPECT_NE(enumText.find("\t//...bmp/noread\r\n"), std::string::npos);
  EXPECT_NE(enumText.find("\t//...bmp/nosearch/inner\r\n"), std::string::npos);
  EXPECT_EQ(run.Binary().size(), 1u * 2 + 2 * 2);
}

// --- Names and paths at and beyond the host's limits -------------------------

// Makes the folders of `names`, each inside the one before, under `base`,
// by handles rather than paths, since the whole path may be longer than any
// path the host accepts; puts `picture` in every one of them.
void MakeChain(const fs::path& base, const std::vector<std::string>& names,
               const std::vector<uint8_t>& picture) {
  int dir = open(base.c_str(), O_RDONLY | O_DIRECTORY);
  ASSERT_GE(dir, 0);
  for (const std::string& name : names) {
    ASSERT_EQ(mkdirat(dir, name.c_str(), 0755), 0) << std::strerror(errno);
    int inner = openat(dir, name.c_str(), O_RDONLY | O_DIRECTORY);
    close(dir);
    ASSERT_GE(dir = inner, 0);
    int file = openat(dir, "p.bmp", O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(file, 0);
    ASSERT_EQ(write(file, picture.data(), picture.size()), static_cast<ssize_t>(picture.size()));
    close(file);
  }
  close(dir);
}

// Removes the folder `name` in `parent` and all it holds, by handles, one
// level open at a time: a path-based removal fails beyond the host's path
// limit, and a handle per level runs out of handles in a deep tree.
void RemoveTree(int parent, const std::string& name) {
  std::vector<std::string> names{name};
  int dir = openat(parent, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW);
  while (dir >= 0) {
    std::string subfolder;
    if (DIR* listing = fdopendir(dup(dir))) {
      while (dirent* entry = readdir(listing)) {
        std::string child = entry->d_name;
        if (child == "." || child == "..") continue;
        if (entry->d_type == DT_DIR) {
          subfolder = child;
        } else {
          unlinkat(dir, child.c_str(), 0);
        }
      }
      closedir(listing);
    }
    int next = -1;
    if (!subfolder.empty()) {
      next = openat(dir, subfolder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW);
      if (next >= 0) names.push_back(subfolder);
    } else if (names.size() > 1) {
      next = openat(dir, "..", O_RDONLY | O_DIRECTORY);
      if (next >= 0) unlinkat(next, names.back().c_str(), AT_REMOVEDIR);
      names.pop_back();
    }
    close(dir);
    dir = next;
  }
  unlinkat(parent, name.c_str(), AT_REMOVEDIR);
}

struct ChainGuard {
  fs::path base;
  std::string first;
  ~ChainGuard() {
    int dir = open(base.c_str(), O_RDONLY | O_DIRECTORY);
    RemoveTree(dir, first);
    close(dir);
  }
};

TEST(HostileTree, NamesOfTheLongestLengthConvert) {
  EngineRun run;
  const std::string ascii = std::string(251, 'n') + ".bmp";
  std::string wide;
  while (wide.size() + 3 <= 251) wide += "\xE5\x9B\xBE";  // 图, 3 bytes
  wide += ".bmp";
  run.Put("bmp/" + ascii, Gradient(1, 1));
  run.Put("bmp/" + wide, Gradient(1, 1));
  ASSERT_EQ(run.Run(), 1);
  ASSERT_EQ(run.log.lines.size(), 2u);
  EXPECT_EQ(run.log.lines[0], Converted(1, 1, 1, L"bmp/" + platform::AnsiToWide(ascii).str()));
  EXPECT_EQ(run.log.lines[1], Converted(2, 1, 1, L"bmp/" + platform::AnsiToWide(wide).str()));
  EXPECT_NE(run.Enum().find("// " + ascii + "(001*001)"), std::string::npos);
  EXPECT_NE(run.Array().find("_" + wide.substr(0, wide.size() - 4) + "[]"), std::string::npos);
}

// 20 folders of 250-byte names: the deeper half of the tree lies beyond the
// longest path the host opens. What fits converts; what does not is an
// open-failure line or, for a folder that cannot be listed, nothing; the run
// ends and its files agree.
TEST(HostileTree, PathsLongerThanTheHostAcceptsEndTheRunCleanly) {
  EngineRun run;
  run.MakeFolder("bmp");
  std::vector<std::string> names;
  for (char c = 'a'; c < 'a' + 20; ++c) names.push_back(std::string(250, c));
  const std::vector<uint8_t> picture = EncodeBitmap(Gradient(1, 1));
  ChainGuard guard{run.root() / "bmp", names[0]};
  MakeChain(run.root() / "bmp", names, picture);

  ASSERT_EQ(run.Run(), 1);
  const long pathMax = pathconf(run.root().c_str(), _PC_PATH_MAX);
  size_t converted = 0;
  std::wstring folder = L"bmp";
  for (size_t level = 0; level < names.size(); ++level) {
    folder += L"/" + platform::AnsiToWide(names[level]).str();
    const std::wstring path = folder + L"/p.bmp";
    bool listed = std::any_of(run.log.lines.begin(), run.log.lines.end(),
                              [&](const std::wstring& l) { return l.find(path) != l.npos; });
    if (static_cast<long>(path.size()) < pathMax - 1) {
      EXPECT_TRUE(listed) << "level " << level;
      ++converted;
    }
  }
  ASSERT_LT(converted, names.size()) << "the tree never passed the host's path limit";
  size_t accepted = 0;
  for (const std::wstring& line : run.log.lines) {
    bool ok = line.find(L"[24 bit,(001*001)") != line.npos;
    EXPECT_TRUE(ok || line.find(kOpenFailed) != line.npos) << platform::WideToUtf8(line);
    accepted += ok;
  }
  EXPECT_EQ(accepted, converted);
  EXPECT_EQ(run.Binary().size(), accepted * 2);
  EXPECT_EQ(run.log.pictures.size(), accepted);
}

TEST(HostileTree, AVeryDeepTreeIsWalkedToItsBottom) {
  EngineRun run;
  run.MakeFolder("bmp");
  const std::vector<std::string> names(1500, "d");
  ChainGuard guard{run.root() / "bmp", "d"};
  MakeChain(run.root() / "bmp", names, EncodeBitmap(Gradient(1, 1)));

  ASSERT_EQ(run.Run(), 1);
  ASSERT_EQ(run.log.lines.size(), names.size());
  std::wstring bottom = L"bmp";
  for (size_t i = 0; i < names.size(); ++i) bottom += L"/d";
  // Each folder comes before its own picture, so the bottom one is first.
  EXPECT_EQ(run.log.lines.front(), Converted(1, 1, 1, bottom + L"/p.bmp"));
  EXPECT_EQ(run.log.lines.back(), Converted(1500, 1, 1, L"bmp/d/p.bmp"));
  EXPECT_EQ(run.Binary().size(), names.size() * 2);
}

// --- Declared sizes near 4 GiB -----------------------------------------------

// A sparse file of 4 GiB - 1 bytes whose single row, 65535 pixels wide, lies
// at its very end: every offset needs more than 32 bits of file position.
TEST(HostileTree, SparsePictureOfNearly4GiBIsReadAtItsDeclaredEnd) {
  EngineRun run;
  run.engine.m_nDepth = 24;
  const uint32_t fileSize = 0xFFFFFFFFu;
  const size_t stride = 65535 * 3 + 3;
  std::vector<uint8_t> headers = EncodeBitmap(Picture{});
  PutU32(headers, 2, fileSize);
  PutU32(headers, 18, 65535);
  PutU32(headers, 22, 1);
  PutU32(headers, 34, fileSize - 54);
  std::vector<uint8_t> row(stride);
  for (size_t i = 0; i < row.size(); ++i) row[i] = static_cast<uint8_t>(i * 7 + i / 251);
  run.MakeFolder("bmp");
  {
    int fd = open((run.root() / "bmp/huge.bmp").c_str(), O_WRONLY | O_CREAT, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(ftruncate(fd, fileSize), 0);
    ASSERT_EQ(pwrite(fd, headers.data(), headers.size(), 0), 54);
    ASSERT_EQ(pwrite(fd, row.data(), row.size(), fileSize - stride),
              static_cast<ssize_t>(row.size()));
    close(fd);
  }
  ASSERT_EQ(run.Run(), 1);
  ASSERT_EQ(run.log.lines,
            std::vector<std::wstring>{L"00001: [24 bit,(65535*001),Size:4294967241]: " +
                                      testing_support::HostPath(L"bmp/huge.bmp")});
  std::string expected;
  for (size_t j = 0; j < 65535; ++j) {
    expected += static_cast<char>(row[3 * j + 2]);
    expected += static_cast<char>(row[3 * j + 1]);
    expected += static_cast<char>(row[3 * j]);
  }
  EXPECT_TRUE(run.Binary() == expected);
  EXPECT_NE(run.Enum().find("size:4294967241,length:0x2fffd"), std::string::npos);
}

// --- Pictures that change while they are read --------------------------------

// Picture bytes whose reads go through this test, so they can be cut short,
// or fail, at an exact read: after the headers and the length check, before
// the rows.
class InterferingBytes : public ByteSource {
 public:
  // `interfere` runs before every read with the bytes and the offset the read
  // starts at; it returns false to fail that read.
  InterferingBytes(std::vector<uint8_t> bytes,
                   std::function<bool(std::vector<uint8_t>& bytes, size_t at)> interfere)
      : bytes_(std::move(bytes)), interfere_(std::move(interfere)) {}
  int64_t Length() const override { return static_cast<int64_t>(bytes_.size()); }
  size_t ReadAt(uint64_t offset, uint8_t* data, size_t size) override {
    if (!interfere_(bytes_, static_cast<size_t>(offset))) return 0;
    return MemoryByteSource(bytes_).ReadAt(offset, data, size);
  }

 private:
  std::vector<uint8_t> bytes_;
  std::function<bool(std::vector<uint8_t>&, size_t)> interfere_;
};

struct Interference {
  const char* name;
  std::function<bool(std::vector<uint8_t>& bytes, size_t at)> interfere;
  std::function<bool(size_t offset)> readable;  // else the engine sees a zero
};

// 16 x 8 pixels: stride 48, rows stored bottom row first from offset 54.
constexpr int kWidth = 16, kHeight = 8, kStride = 48;

class ChangedWhileRead : public ::testing::TestWithParam<Interference> {};

TEST_P(ChangedWhileRead, MissingBytesBecomeZerosAndTheLineSaysSo) {
  EngineRun run;
  const std::vector<uint8_t> bytes = EncodeBitmap(Gradient(kWidth, kHeight));
  OutputPlan plan;
  plan.names.table = "out.txt";
  plan.names.binary = "out.bin";
  plan.format = PixelFormat::kRgb888;
  ConversionRun conversion(plan, run.log);
  ASSERT_TRUE(conversion.Open());
  InterferingBytes changing(bytes, GetParam().interfere);
  StrictBmpSource p(changing);
  run.engine.ConvertPicture(conversion, p, L"00001: ", L"p.bmp", "p.bmp");
  const std::vector<uint8_t> small = EncodeBitmap(Gradient(1, 1));
  MemoryByteSource steady(small);
  StrictBmpSource q(steady);
  run.engine.ConvertPicture(conversion, q, L"00002: ", L"q.bmp", "q.bmp");
  const RunSummary summary = conversion.Finish(2, true);
  ASSERT_TRUE(summary.outputFailure.IsEmpty());
  EXPECT_EQ(summary.filesNotConverted, 1);

  EXPECT_EQ(run.log.lines,
            (std::vector<std::wstring>{L"00001: p.bmpbmp image file changed while it was read",
                                       L"00002: [24 bit,(001*001),Size:0000004]: q.bmp"}));
  // Row k of the output is stored at 54 + (kHeight - 1 - k) * kStride.
  std::string expected;
  for (int k = 0; k < kHeight; ++k) {
    size_t row = 54 + size_t(kHeight - 1 - k) * kStride;
    for (int j = 0; j < kWidth; ++j) {
      for (int c : {2, 1, 0}) {
        size_t at = row + 3 * j + c;
        expected += GetParam().readable(at) ? static_cast<char>(bytes[at]) : '\0';
      }
    }
  }
  const std::string binary = run.Binary();
  ASSERT_EQ(binary.size(), expected.size() + 3);
  EXPECT_TRUE(binary.substr(0, expected.size()) == expected);
  const std::string table = run.Table();
  EXPECT_NE(table.find("{PIC_OFFSET + 0x0000,0x10,0x08,3}"), std::string::npos);
  EXPECT_NE(table.find("{PIC_OFFSET + 0x0180,0x01,0x01,3}"), std::string::npos);
}

// Rows start at offset 54 or later; the headers are read before the checks,
// the rows after them.
constexpr size_t kRows = 54;
// Cut inside the fourth stored row, so one row is partly there.
constexpr size_t kCut = kRows + 3 * kStride + 20;

INSTANTIATE_TEST_SUITE_P(
    Ways, ChangedWhileRead,
    ::testing::Values(Interference{"cut_after_the_checks",
                                   [](std::vector<uint8_t>& b, size_t at) {
                                     if (at >= kRows && b.size() > kCut) b.resize(kCut);
                                     return true;
                                   },
                                   [](size_t at) { return at < kCut; }},
                      Interference{"emptied_after_the_checks",
                                   [](std::vector<uint8_t>& b, size_t at) {
                                     if (at >= kRows) b.clear();
                                     return true;
                                   },
                                   [](size_t) { return false; }},
                      // The four rows stored first, shown last, cannot be read.
                      Interference{"read_error_midway",
                                   [](std::vector<uint8_t>&, size_t at) {
                                     return !(at >= kRows && at < kRows + 4 * kStride);
                                   },
                                   [](size_t at) { return at >= kRows + 4 * kStride; }}),
    [](const ::testing::TestParamInfo<Interference>& info) {
      return std::string(info.param.name);
    });

// --- Memory -------------------------------------------------------------------

// Peak resident memory of one `rastrum convert` of `folder`, in KiB.
long PeakKiBOfConvert(const fs::path& cwd, const char* folder) {
  pid_t child = fork();
  if (child == 0) {
    if (chdir(cwd.c_str()) != 0) _exit(90);
    int null = open("/dev/null", O_WRONLY);
    dup2(null, 1);
    dup2(null, 2);
    execl(RASTRUM_BINARY, RASTRUM_BINARY, "convert", "--name", "out", folder, nullptr);
    _exit(91);
  }
  int status = 0;
  rusage usage{};
  if (wait4(child, &status, 0, &usage) != child || !WIFEXITED(status)) return -1;
  // A run with rejected pictures still completes: exit 4.
  const int code = WEXITSTATUS(status);
  return code == 0 || code == 4 ? usage.ru_maxrss : -code;
}

// Headers may declare anything; a run holds one row of at most 65535 pixels
// and its text, never what a header claims.
TEST(HostileTree, PeakMemoryDoesNotFollowWhatHeadersDeclare) {
  EngineRun run;
  run.Put("plain/p.bmp", Gradient(1, 1));
  auto declare = [](uint32_t bfSize, int32_t width, int32_t height, uint32_t sizeImage,
                    size_t pixelBytes) {
    std::vector<uint8_t> bytes = EncodeBitmap(Picture{});
    bytes.resize(54 + pixelBytes);
    PutU32(bytes, 2, bfSize);
    PutU32(bytes, 18, static_cast<uint32_t>(width));
    PutU32(bytes, 22, static_cast<uint32_t>(height));
    PutU32(bytes, 34, sizeImage);
    return bytes;
  };
  run.Put("hostile/p.bmp", Gradient(1, 1));
  run.Put("hostile/wide.bmp", declare(54, INT32_MAX, 0, 0, 0));
  run.Put("hostile/tall.bmp", declare(54, 0, INT32_MIN, 0, 0));
  run.Put("hostile/huge.bmp", declare(0xFFFFFFFFu, 60000, 60000, 0xFFFFFFFFu - 54, 0));
  // Sparse files as long as they declare: one rejected for its sides, one
  // converted, a single row at the widest the table allows.
  run.Put("hostile/gigabyte.bmp", declare(54 + (1u << 30), 65535, 65535, 1u << 30, 0));
  run.Put("hostile/widest.bmp", declare(54 + 196608, 65535, 1, 196608, 0));
  fs::resize_file(run.root() / "hostile/gigabyte.bmp", 54 + (1u << 30));
  fs::resize_file(run.root() / "hostile/widest.bmp", 54 + 196608);
  const long plain = PeakKiBOfConvert(run.root(), "plain");
  const long hostile = PeakKiBOfConvert(run.root(), "hostile");
  ASSERT_GT(plain, 0);
  ASSERT_GT(hostile, 0);
  EXPECT_LT(hostile - plain, 64 * 1024) << "plain " << plain << " KiB, hostile " << hostile;
}

}  // namespace
