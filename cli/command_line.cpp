#include "cli/command_line.h"

#include <string>

#include "engine/extension_list.h"
#include "engine/quarry_engine.h"
#include "platform/file_access.h"
#include "platform/text_encoding.h"
#include "rastrum_version.h"

namespace {

constexpr const char* kUsage =
    "usage: rastrum convert [--depth 24|16|8] [--ext TEXT] [--name STEM] [--out DIR] [FOLDER]\n";
constexpr const char* kHelp =
    "Converts every 24-bit BMP picture under FOLDER (default \"bmp\") whose\n"
    "extension is one of the words of TEXT into one binary image file, a table\n"
    "file, tmp.txt and bmp.c.\n"
    "\n"
    "  --depth 24|16|8  output bits per pixel (default 16: RGB565)\n"
    "  --ext TEXT       extensions, separated by blanks, case-sensitive (default \"bmp\")\n"
    "  --name STEM      name the table and binary image files STEM.txt and STEM.bin\n"
    "                   instead of the local date, time and depth\n"
    "  --out DIR        create the four files in DIR (default: current directory)\n"
    "  --help, --version\n"
    "\n"
    "Exit status: 0 converted, 1 no related files, 2 usage error,\n"
    "3 an output file could not be created or written.\n";

std::string Utf8(const CString& text) {
  return platform::WideToUtf8(text);
}

// Prints each line as the run appends it, so a long run reports as it goes.
class StreamMessageList : public MessageList {
 public:
  explicit StreamMessageList(FILE* out) : out_(out) {}
  void AddString(const CString& line) override {
    std::string text = Utf8(line);
    text += '\n';
    std::fwrite(text.data(), 1, text.size(), out_);
    ++count_;
  }
  int GetCount() const override { return count_; }
  void SetCurSel(int) override { std::fflush(out_); }

 private:
  FILE* out_;
  int count_ = 0;
};

int UsageError(FILE* err, const std::string& problem) {
  std::fprintf(err, "rastrum: error: %s\n%s", problem.c_str(), kUsage);
  return kExitUsage;
}

// Splits "--opt=value" and "--opt value"; false when the value is missing.
bool TakeValue(const std::vector<CString>& args, size_t& i, const CString& inlineValue,
               bool hasInline, CString& value) {
  if (hasInline) {
    value = inlineValue;
    return true;
  }
  if (i + 1 >= args.size()) return false;
  value = args[++i];
  return true;
}

}  // namespace

std::optional<ConvertOptions> ParseCommandLine(const std::vector<CString>& args, FILE* out,
                                               FILE* err, int& exitCode) {
  exitCode = kExitUsage;
  if (args.empty()) {
    UsageError(err, "no command given");
    return std::nullopt;
  }
  const CString& command = args[0];
  if (command == CString(L"--help") || command == CString(L"-h")) {
    std::fprintf(out, "%s\n%s", kUsage, kHelp);
    exitCode = kExitConverted;
    return std::nullopt;
  }
  if (command == CString(L"--version")) {
    std::fprintf(out, "%s\n", RASTRUM_VERSION);
    exitCode = kExitConverted;
    return std::nullopt;
  }
  if (command != CString(L"convert")) {
    UsageError(err, "unknown command '" + Utf8(command) + "'");
    return std::nullopt;
  }

  ConvertOptions options;
  bool haveFolder = false;
  bool optionsEnded = false;
  for (size_t i = 1; i < args.size(); ++i) {
    const CString& arg = args[i];
    bool isOption = !optionsEnded && arg.GetLength() > 1 && arg.GetAt(0) == L'-';
    if (!isOption) {
      if (haveFolder) {
        UsageError(err, "more than one FOLDER given ('" + Utf8(options.folder) + "' and '" +
                            Utf8(arg) + "')");
        return std::nullopt;
      }
      options.folder = arg;
      haveFolder = true;
      continue;
    }
    if (arg == CString(L"--")) {
      optionsEnded = true;
      continue;
    }
    if (arg == CString(L"--help") || arg == CString(L"-h")) {
      std::fprintf(out, "%s\n%s", kUsage, kHelp);
      exitCode = kExitConverted;
      return std::nullopt;
    }
    int equals = arg.Find(L'=');
    CString name = equals < 0 ? arg : arg.Left(equals);
    CString inlineValue = equals < 0 ? CString() : arg.Right(arg.GetLength() - equals - 1);
    CString value;
    bool known = name == CString(L"--depth") || name == CString(L"--ext") ||
                 name == CString(L"--name") || name == CString(L"--out");
    if (!known) {
      UsageError(err, "unknown option '" + Utf8(name) + "'");
      return std::nullopt;
    }
    if (!TakeValue(args, i, inlineValue, equals >= 0, value)) {
      UsageError(err, Utf8(name) + " needs a value");
      return std::nullopt;
    }
    if (name == CString(L"--depth")) {
      if (value == CString(L"24") || value == CString(L"16") || value == CString(L"8")) {
        options.depth = std::stoi(value.str());
      } else {
        UsageError(err, "--depth must be 24, 16 or 8, not '" + Utf8(value) + "'");
        return std::nullopt;
      }
    } else if (name == CString(L"--ext")) {
      options.extensions = value;
    } else if (name == CString(L"--name")) {
      if (value.IsEmpty()) {
        UsageError(err, "--name needs a non-empty STEM");
        return std::nullopt;
      }
      options.stem = value;
    } else {
      options.outputFolder = value;
    }
  }
  return options;
}

int RunConvert(const ConvertOptions& options, FILE* out, FILE* err) {
  StreamMessageList log(out);
  CQuarryEngine engine(log);
  engine.m_nDepth = static_cast<uint8_t>(options.depth);
  engine.m_bFullPath = 1;
  engine.m_nFileCount = 0;
  engine.m_nExtCount = 0;
  if (!options.extensions.IsEmpty()) {
    ParseExtensionList(options.extensions, engine.m_strExt, engine.m_nExtCount);
  }
  engine.m_strOutputFolder = options.outputFolder;
  engine.m_strOutputStem = options.stem;
  CString folder = options.folder.IsEmpty() ? CString(L"bmp") : options.folder;

  engine.ConvertFolder(folder, 1);
  std::fflush(out);
  if (!engine.m_strOutputFailure.IsEmpty()) {
    std::fprintf(err, "rastrum: error: %s\n", Utf8(engine.m_strOutputFailure).c_str());
    return kExitOutputFailed;
  }
  if (engine.m_nFileCount == 0) {
    if (!platform::IdentifyFolder(folder)) {
      std::fprintf(err, "rastrum: No related files: cannot open folder '%s'\n",
                   Utf8(folder).c_str());
    } else {
      std::fprintf(err, "rastrum: No related files\n");
    }
    return kExitNoFiles;
  }
  return kExitConverted;
}

int RastrumMain(const std::vector<CString>& args, FILE* out, FILE* err) {
  int exitCode = kExitUsage;
  std::optional<ConvertOptions> options = ParseCommandLine(args, out, err, exitCode);
  if (!options) return exitCode;
  return RunConvert(*options, out, err);
}
