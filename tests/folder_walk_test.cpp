// The walk: which files are selected, in what order, how they are numbered
// and named, and how links and unreadable entries are met.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/engine_run.h"

namespace {

namespace fs = std::filesystem;
using testing_support::EngineRun;
using testing_support::HostPath;
using testing_support::Picture;
using testing_support::Rgb;

Picture Pixel(Rgb colour, int height = 1) {
  Picture p;
  p.width = 1;
  p.height = height;
  p.pixel = [colour](int, int) { return colour; };
  return p;
}

const std::wstring kNot54 = L"bmp image file header is not 54 bytes";

struct SelectionCase {
  const char* what;
  std::vector<std::wstring> words;  // entries 0, 1, ... of m_strExt
  int count;                        // m_nExtCount
  std::vector<std::wstring> selected;
};

class Selection : public ::testing::TestWithParam<SelectionCase> {};

// Every file is empty, so each selected one shows as a numbered rejection.
TEST_P(Selection, MatchesTheWholeExtensionCaseSensitively) {
  const SelectionCase& c = GetParam();
  EngineRun run;
  for (const char* name : {"PIC.BMP", "pic.bmp2", "pic.old.bmp", ".bmp", "README", "x.", "a.bmp",
                           "b.BMP", "c.Bmp", "z.bmp"}) {
    run.Put(fs::path("bmp") / name, std::vector<uint8_t>{});
  }
  run.MakeFolder("bmp/dir.bmp");
  for (size_t i = 0; i < c.words.size(); ++i) run.engine.m_strExt[i] = c.words[i];
  run.engine.m_nExtCount = static_cast<uint8_t>(c.count);
  ASSERT_EQ(run.Run(), 1);

  std::vector<std::wstring> expected;
  for (size_t i = 0; i < c.selected.size(); ++i) {
    wchar_t prefix[16];
    std::swprintf(prefix, 16, L"%.5zu: ", i + 1);
    expected.push_back(prefix + HostPath(L"bmp/" + c.selected[i]) + kNot54);
  }
  EXPECT_EQ(run.log.lines, expected) << c.what;
  EXPECT_EQ(run.engine.m_nFileCount, static_cast<int>(c.selected.size()));
  EXPECT_NE(run.Enum().find("\t//..." + HostPath("bmp/dir.bmp") + "\r\n"), std::string::npos)
      << "a folder is walked whatever its name";
}

INSTANTIATE_TEST_SUITE_P(
    Words, Selection,
    ::testing::Values(
        SelectionCase{"bmp", {L"bmp"}, 1, {L".bmp", L"a.bmp", L"pic.old.bmp", L"z.bmp"}},
        SelectionCase{"BMP", {L"BMP"}, 1, {L"b.BMP", L"PIC.BMP"}},
        SelectionCase{"both cases",
                      {L"BMP", L"bmp"},
                      2,
                      {L".bmp", L"a.bmp", L"b.BMP", L"PIC.BMP", L"pic.old.bmp", L"z.bmp"}},
        SelectionCase{"mixed case and longer words", {L"bmp2", L"Bmp"}, 2, {L"c.Bmp", L"pic.bmp2"}},
        SelectionCase{"a word with a dot", {L".bmp", L"old.bmp"}, 2, {}},
        SelectionCase{"not a pattern", {L"*", L"*.*", L"bm?"}, 3, {}},
        SelectionCase{"no words", {L"bmp"}, 0, {}},
        SelectionCase{"entries beyond the count", {L"BMP", L"bmp"}, 1, {L"b.BMP", L"PIC.BMP"}},
        SelectionCase{"an empty word matches no name ending in a dot", {L""}, 1, {}}),
    [](const auto& info) {
      std::string name;
      for (const char* p = info.param.what; *p; ++p) name += std::isalnum(*p) ? *p : '_';
      return name;
    });

TEST(FolderWalk, TrailingSeparatorIsKeptInEveryJoinedPath) {
  EngineRun run;
  run.Put("bmp/a.bmp", Pixel({1, 2, 3}));
  run.Put("bmp/sub/b.bmp", Pixel({1, 2, 3}));
  ASSERT_EQ(run.Run(HostPath(L"bmp/")), 1);
  EXPECT_EQ(run.log.lines, (std::vector<std::wstring>{
                               HostPath(L"00001: [24 bit,(001*001),Size:0000004]: bmp//a.bmp"),
                               HostPath(L"00002: [24 bit,(001*001),Size:0000004]: bmp//sub/b.bmp"),
                           }));
  EXPECT_NE(run.Enum().find("\r\n\t//..." + HostPath("bmp//sub") + "\r\n"), std::string::npos);
}

}  // namespace
