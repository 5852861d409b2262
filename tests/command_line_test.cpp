#include "cli/command_line.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/file_access.h"
#include "tests/support/bmp_variants.h"
#include "tests/support/bmp_writer.h"
#include "tests/support/command_run.h"
#include "tests/support/engine_run.h"

namespace {

namespace fs = std::filesystem;
using testing_support::HostPath;
using testing_support::ReadFile;
using testing_support::ScopedCurrentDir;
using testing_support::TempDir;
using testing_support::WriteFile;
using testing_support::WriteTinyPicture;

const std::string kUsage =
    "usage: rastrum convert [--depth 24|16|8 | --format NAME] [--dither MODE] [--align N]\n"
    "                       [--header NAME [--embed]] [--manifest FILE] [--ext TEXT]\n"
    "                       [--name STEM] [--out DIR] [--input strict|any]\n"
    "                       [--background RRGGBB] [--depfile FILE] [FOLDER]\n";
const std::string kHelpStart =
    kUsage +
    "       rastrum preview [--depth 24|16|8 | --format NAME] [--dither MODE] [--align N]\n"
    "                       [--ext TEXT] [--input strict|any] [--background RRGGBB]\n"
    "                       [--page FILE] [FOLDER]\n\nConverts ";

using Outcome = testing_support::CommandOutcome;

Outcome Main(const std::vector<std::wstring>& args) {
  return testing_support::RunRastrum(args);
}

struct UsageCase {
  std::vector<std::wstring> args;
  const char* problem;
};

class UsageError : public ::testing::TestWithParam<UsageCase> {};

TEST_P(UsageError, PrintsOneLineAndTheUsageAndExitsTwo) {
  Outcome o = Main(GetParam().args);
  EXPECT_EQ(o.exitCode, 2);
  EXPECT_EQ(o.out, "");
  EXPECT_EQ(o.err, std::string("rastrum: error: ") + GetParam().problem + "\n" + kUsage);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, UsageError,
    ::testing::Values(
        UsageCase{{}, "no command given"},
        UsageCase{{L"frobnicate"}, "unknown command 'frobnicate'"},
        UsageCase{{L"--depth", L"8"}, "unknown command '--depth'"},
        UsageCase{{L"convert", L"--depth", L"12"}, "--depth must be 24, 16 or 8, not '12'"},
        UsageCase{{L"convert", L"--depth=016"}, "--depth must be 24, 16 or 8, not '016'"},
        UsageCase{{L"convert", L"--depth"}, "--depth needs a value"},
        UsageCase{{L"convert", L"--out"}, "--out needs a value"},
        UsageCase{{L"convert", L"--bogus"}, "unknown option '--bogus'"},
        UsageCase{{L"convert", L"-x=1"}, "unknown option '-x'"},
        UsageCase{{L"convert", L"a", L"b"}, "more than one FOLDER given ('a' and 'b')"},
        UsageCase{{L"convert", L"--input", L"png"}, "--input must be strict or any, not 'png'"},
        UsageCase{{L"convert", L"--background=12345"},
                  "--background must be six hex digits RRGGBB, not '12345'"},
        UsageCase{{L"convert", L"--background", L"#12345"},
                  "--background must be six hex digits RRGGBB, not '#12345'"},
        UsageCase{{L"convert", L"--background", L"12345G"},
                  "--background must be six hex digits RRGGBB, not '12345G'"},
        UsageCase{{L"convert", L"--name="}, "--name needs a non-empty STEM"},
        UsageCase{{L"convert", L"--name", L"tmp"},
                  "--name tmp would write tmp.txt over the output file tmp.txt"},
        UsageCase{{L"convert", L"--name", L"TMP"},
                  "--name TMP would write TMP.txt over the output file tmp.txt"},
        UsageCase{{L"convert", L"--name=tMp"},
                  "--name tMp would write tMp.txt over the output file tmp.txt"},
        UsageCase{{L"convert", L"--name", L"out/n"},
                  "--name STEM must not contain a path separator ('out/n'): --out chooses the "
                  "folder"},
        UsageCase{{L"convert", L"--name", L"out\\n"},
                  "--name STEM must not contain a path separator ('out\\n'): --out chooses the "
                  "folder"},
        UsageCase{{L"convert", L"--format", L"rgb565be"},
                  "--format has no format 'rgb565be' (see --help)"},
        UsageCase{{L"convert", L"--format=rgb888", L"--depth=24"},
                  "give --depth or --format, not both"},
        UsageCase{{L"convert", L"--dither", L"random"},
                  "--dither must be none, ordered or diffusion, not 'random'"},
        UsageCase{{L"convert", L"--align", L"3"},
                  "--align must be a power of two from 1 to 4096, not '3'"},
        UsageCase{{L"convert", L"--align=8192"},
                  "--align must be a power of two from 1 to 4096, not '8192'"},
        UsageCase{{L"convert", L"--align=04"},
                  "--align must be a power of two from 1 to 4096, not '04'"},
        UsageCase{{L"convert", L"--header", L"my-img"}, "--header my-img is not a C identifier"},
        UsageCase{{L"convert", L"--header=img", L"--name=img"},
                  "--name names the four files that --header replaces: give one of them"},
        UsageCase{{L"convert", L"--embed"}, "--embed needs --header NAME"},
        UsageCase{{L"convert", L"--header=img", L"--embed=yes"}, "--embed takes no value"},
        UsageCase{{L"convert", L"--manifest="}, "--manifest needs a non-empty FILE"},
        UsageCase{{L"convert", L"--manifest=BMP.C"},
                  "--manifest BMP.C would write over the output file bmp.c"},
        UsageCase{{L"convert", L"--header=img", L"--out=o", L"--manifest", L"o\\img.h"},
                  "--manifest o\\img.h would write over the output file img.h"},
        UsageCase{{L"convert", L"\u00e9\xDCFF", L"b"},
                  "more than one FOLDER given ('\xC3\xA9\xEF\xBF\xBD' and 'b')"}));

struct ParseCase {
  std::vector<std::wstring> args;
  int depth;
  const wchar_t* extensions;
  const wchar_t* stem;
  const wchar_t* outputFolder;
  const wchar_t* folder;
};

class ConvertArguments : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ConvertArguments, FillTheOptions) {
  const ParseCase& c = GetParam();
  FILE* out = std::tmpfile();
  FILE* err = std::tmpfile();
  int exitCode = -1;
  std::optional<ConvertOptions> options =
      ParseCommandLine(std::vector<CString>(c.args.begin(), c.args.end()), out, err, exitCode);
  EXPECT_EQ(testing_support::ReadAndClose(out) + testing_support::ReadAndClose(err), "");
  ASSERT_TRUE(options);
  EXPECT_EQ(options->depth, c.depth);
  EXPECT_EQ(options->extensions.str(), c.extensions);
  EXPECT_EQ(options->stem.str(), c.stem);
  EXPECT_EQ(options->outputFolder.str(), c.outputFolder);
  EXPECT_EQ(options->folder.str(), c.folder);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, ConvertArguments,
    ::testing::Values(
        ParseCase{{L"convert"}, 16, L"bmp", L"", L"", L""},
        ParseCase{{L"convert", L"--depth", L"24", L"pics"}, 24, L"bmp", L"", L"", L"pics"},
        ParseCase{{L"convert", L"pics", L"--depth", L"8"}, 8, L"bmp", L"", L"", L"pics"},
        ParseCase{{L"convert", L"--depth=8", L"--ext=bmp BMP", L"--name", L"n", L"--out=o", L"f"},
                  8,
                  L"bmp BMP",
                  L"n",
                  L"o",
                  L"f"},
        ParseCase{{L"convert", L"--ext="}, 16, L"", L"", L"", L""},
        ParseCase{{L"convert", L"--", L"--odd"}, 16, L"bmp", L"", L"", L"--odd"},
        ParseCase{{L"convert", L"-"}, 16, L"bmp", L"", L"", L"-"}));

struct InfoCase {
  std::vector<std::wstring> args;
  std::string start;
};

class Information : public ::testing::TestWithParam<InfoCase> {};

TEST_P(Information, GoesToStandardOutputAndExitsZero) {
  Outcome o = Main(GetParam().args);
  EXPECT_EQ(o.exitCode, 0);
  EXPECT_EQ(o.err, "");
  EXPECT_EQ(o.out.substr(0, GetParam().start.size()), GetParam().start);
}

INSTANTIATE_TEST_SUITE_P(
    Requests, Information,
    ::testing::Values(InfoCase{{L"--help"}, kHelpStart}, InfoCase{{L"-h"}, kHelpStart},
                      InfoCase{{L"convert", L"--depth", L"8", L"--help"}, kHelpStart},
                      InfoCase{{L"--version"}, "1.0.0.1\n"}));

class CommandRun : public ::testing::Test {
 protected:
  void PutPicture(const fs::path& relative) const { WriteTinyPicture(dir.path() / relative); }
  TempDir dir;
  ScopedCurrentDir cwd{dir.path()};
};

TEST_F(CommandRun, ConvertsAndPrintsEachMessageLine) {
  PutPicture("bmp/a.bmp");
  PutPicture("bmp/b.BMP");
  Outcome o = Main({L"convert", L"--depth", L"24", L"--ext", L"bmp BMP", L"--name", L"n"});
  EXPECT_EQ(o.exitCode, 0);
  EXPECT_EQ(o.err, "");
  EXPECT_EQ(o.out, HostPath("00001: [24 bit,(001*001),Size:0000004]: bmp/a.bmp\n"
                            "00002: [24 bit,(001*001),Size:0000004]: bmp/b.BMP\n"));
  EXPECT_EQ(ReadFile(dir.path() / "n.bin").size(), 6u);
  EXPECT_TRUE(fs::exists(dir.path() / "n.txt"));
  EXPECT_TRUE(fs::exists(dir.path() / "tmp.txt"));
  EXPECT_TRUE(fs::exists(dir.path() / "bmp.c"));
}

TEST_F(CommandRun, OutputFolderReceivesAllFourFiles) {
  PutPicture("pics/a.bmp");
  fs::create_directory(dir.path() / "o");
  Outcome o = Main({L"convert", L"--depth=8", L"--name=n", L"--out=o", L"pics"});
  EXPECT_EQ(o.exitCode, 0);
  for (const char* name : {"n.txt", "n.bin", "tmp.txt", "bmp.c"}) {
    EXPECT_TRUE(fs::exists(dir.path() / "o" / name)) << name;
    EXPECT_FALSE(fs::exists(dir.path() / name)) << name;
  }
  EXPECT_EQ(ReadFile(dir.path() / "o/n.bin").size(), 1u);
  EXPECT_NE(ReadFile(dir.path() / "o/n.txt").find("typedef enum //n.txt\r\n"), std::string::npos);
}

struct NoFilesCase {
  std::vector<std::wstring> args;
  const char* err;
};

class NoRelatedFiles : public ::testing::TestWithParam<NoFilesCase> {};

TEST_P(NoRelatedFiles, ExitsOneAndSaysWhy) {
  TempDir dir;
  ScopedCurrentDir cwd(dir.path());
  WriteFile(dir.path() / "bmp/readme.txt", std::string("x"));
  WriteFile(dir.path() / "n.txt", std::string("earlier run"));
  std::vector<std::wstring> args = {L"convert", L"--name", L"n"};
  args.insert(args.end(), GetParam().args.begin(), GetParam().args.end());
  Outcome o = Main(args);
  EXPECT_EQ(o.exitCode, 1);
  EXPECT_EQ(o.out, "");
  EXPECT_EQ(o.err, GetParam().err);
  EXPECT_EQ(ReadFile(dir.path() / "n.txt"), "earlier run") << "nothing is replaced";
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 2)
      << "nothing is created";
}

INSTANTIATE_TEST_SUITE_P(
    Runs, NoRelatedFiles,
    ::testing::Values(NoFilesCase{{}, "rastrum: No related files\n"},
                      NoFilesCase{{L"--ext="}, "rastrum: No related files\n"},
                      NoFilesCase{{L"--ext", L"BMP"}, "rastrum: No related files\n"},
                      NoFilesCase{{L"nope"},
                                  "rastrum: No related files: cannot open folder 'nope'\n"}));

TEST_F(CommandRun, RefusedStemCreatesNothing) {
  PutPicture("bmp/a.bmp");
  EXPECT_EQ(Main({L"convert", L"--name", L"Tmp"}).exitCode, 2);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST_F(CommandRun, FilesNotConvertedExitFourAndAreCounted) {
  PutPicture("bmp/a.bmp");
  WriteFile(dir.path() / "bmp/b.bmp", std::string("not a picture"));
  PutPicture("bmp/c.bmp");
  fs::create_directory(dir.path() / "bmp/d.bmp");
  Outcome o = Main({L"convert", L"--name", L"n"});
  EXPECT_EQ(o.exitCode, 4);
  EXPECT_EQ(o.err,
            "rastrum: 1 of 3 selected files were not converted\n"
            "rastrum: hint: --input any reads PNG, JPEG and every BMP variant\n");
  EXPECT_EQ(ReadFile(dir.path() / "n.bin").size(), 4u) << "the outputs are written";

  // With --input any the hint has nothing to offer.
  o = Main({L"convert", L"--name", L"n", L"--input", L"any"});
  EXPECT_EQ(o.exitCode, 4);
  EXPECT_NE(o.out.find(HostPath("00002: bmp/b.bmp not a BMP, PNG or JPEG picture\n")),
            std::string::npos)
      << o.out;
  EXPECT_EQ(o.err, "rastrum: 1 of 3 selected files were not converted\n");
}

TEST_F(CommandRun, AnyInputCompositesTransparentPixelsOverTheBackground) {
  // RLE codes that leave the second pixel out: transparent.
  testing_support::BmpVariant v;
  v.bits = 8;
  v.compression = testing_support::kBiRle8;
  v.palette = {Pixel{0xAA, 0xBB, 0xCC, 255}};
  const testing_support::RgbaPicture p{2, 1, {v.palette[0], Pixel{0, 0, 0, 0}}};
  WriteFile(dir.path() / "bmp/a.bmp", testing_support::EncodeBmpVariant(v, p));
  Outcome o = Main({L"convert", L"--name", L"n", L"--depth", L"24", L"--input", L"any",
                    L"--background", L"1020fF"});
  EXPECT_EQ(o.exitCode, 0);
  EXPECT_EQ(o.out, HostPath("00001: [08 bit,(002*001),Size:0000004]: bmp/a.bmp\n"));
  EXPECT_EQ(ReadFile(dir.path() / "n.bin"), std::string("\xAA\xBB\xCC\x10\x20\xFF", 6));
}

TEST_F(CommandRun, WarnsOfArrayNamesThatWouldNotCompile) {
  PutPicture("bmp/a/logo.bmp");
  PutPicture("bmp/b/logo.bmp");
  PutPicture("bmp/c/logo.v2.bmp");
  PutPicture("bmp/icon-16.bmp");
  PutPicture("bmp/icon_16.bmp");
  Outcome o = Main({L"convert", L"--name", L"n"});
  EXPECT_EQ(o.exitCode, 0);
  EXPECT_EQ(o.err, HostPath("rastrum: warning: bmp.c: _logo (bmp/b/logo.bmp) repeats the name of "
                            "bmp/a/logo.bmp\n"
                            "rastrum: warning: bmp.c: _logo (bmp/c/logo.v2.bmp) repeats the name "
                            "of bmp/a/logo.bmp\n"
                            "rastrum: warning: bmp.c: _icon-16 (bmp/icon-16.bmp) is not a C "
                            "identifier\n"));
}

TEST_F(CommandRun, OutputFailureExitsThree) {
  PutPicture("bmp/a.bmp");
  Outcome o = Main({L"convert", L"--name", L"n", L"--out", L"missing"});
  EXPECT_EQ(o.exitCode, 3);
  const std::string failure =
      HostPath("cannot create missing/n.txt: ") + platform::SystemErrorText(ENOENT);
  EXPECT_EQ(o.out, failure + "\n");
  EXPECT_EQ(o.err, "rastrum: error: " + failure + "\n");
}

}  // namespace
