#include "cli/command_line.h"

#include <algorithm>
#include <string>
#include <unordered_map>

#include "cli/depfile.h"
#include "engine/extension_list.h"
#include "engine/output_names.h"
#include "engine/picture_ids.h"
#include "engine/quarry_engine.h"
#include "platform/file_access.h"
#include "platform/text_encoding.h"
#include "rastrum_version.h"

namespace {

constexpr const char* kUsage =
    "usage: rastrum convert [--depth 24|16|8 | --format NAME] [--dither MODE] [--align N]\n"
    "                       [--header NAME [--embed]] [--manifest FILE] [--ext TEXT]\n"
    "                       [--name STEM] [--out DIR] [--input strict|any]\n"
    "                       [--background RRGGBB] [--depfile FILE] [FOLDER]\n";
constexpr const char* kPreviewUsage =
    "       rastrum preview [--depth 24|16|8 | --format NAME] [--dither MODE] [--align N]\n"
    "                       [--ext TEXT] [--input strict|any] [--background RRGGBB]\n"
    "                       [--page FILE] [FOLDER]\n";
constexpr const char* kHelp =
    "Converts every 24-bit BMP picture under FOLDER (default \"bmp\") whose\n"
    "extension is one of the words of TEXT into one binary image file, a table\n"
    "file, tmp.txt and bmp.c (with --header: NAME.h, NAME.c and NAME.bin).\n"
    "\n"
    "  --depth 24|16|8  output bits per pixel (default 16: RGB565)\n"
    "  --format NAME    output pixel format instead of a depth: rgb565 (= --depth 16),\n"
    "                   rgb565le, bgr565, bgr565le, rgb888 (= --depth 24), bgr888,\n"
    "                   r3g2b3 (= --depth 8), rgb332, argb8888, rgba8888, rgb565a8\n"
    "  --dither MODE    none (default), ordered (8x8 Bayer) or diffusion\n"
    "                   (Floyd-Steinberg), for channels narrower than 8 bits\n"
    "  --align N        start every picture at a multiple of N bytes in the binary\n"
    "                   image file: 1 (default), 2, 4, ... 4096; the gaps are zeros\n"
    "  --header NAME    write NAME.h (macros, picture ids, the table's type), NAME.c\n"
    "                   (the table) and NAME.bin instead of the four files; NAME is a\n"
    "                   C identifier, and --name cannot be given with it\n"
    "  --embed          with --header: NAME.c also holds all of NAME.bin as NAME_data[]\n"
    "  --manifest FILE  also write a JSON description of the run and its pictures\n"
    "  --ext TEXT       extensions, separated by blanks, case-sensitive (default \"bmp\")\n"
    "  --name STEM      name the table and binary image files STEM.txt and STEM.bin\n"
    "                   instead of the local date, time and depth\n"
    "  --out DIR        create the four files in DIR (default: current directory)\n"
    "  --input strict|any  strict (default): 24-, 16- and 32-bit BMP files with\n"
    "                   54-byte headers; any: every BMP variant, PNG and JPEG,\n"
    "                   told apart by their content\n"
    "  --background RRGGBB  the colour under transparent pixels, in hex (default 000000)\n"
    "  --depfile FILE   after exit 0 or 4, write a Make/Ninja dependency file: the\n"
    "                   binary image file depends on every selected file and folder\n"
    "  --help, --version\n"
    "\n"
    "preview converts the same pictures, with the options of convert but --name,\n"
    "--out, --depfile, --header, --embed and --manifest, but writes only one HTML\n"
    "page showing each picture beside what the display will show, and where it\n"
    "would sit in the binary image file:\n"
    "  --page FILE      the page to write (default preview.html)\n"
    "\n"
    "Exit status: 0 every selected file converted, 1 no related files, 2 usage error,\n"
    "3 an output file could not be created or written (no output file replaced),\n"
    "4 converted, but some selected files were not (for preview: the page).\n";

std::string Utf8(const CString& text) {
  return platform::WideToUtf8(text);
}

// Prints each line as the run reports it, so a long run reports as it goes;
// the outcome goes to standard error.
class StreamReport : public RunEvents {
 public:
  StreamReport(FILE* out, FILE* err, bool warnArrayNames)
      : out_(out), err_(err), warnArrayNames_(warnArrayNames) {}
  void OnFolderEntered(const std::string& path) override { inputs_.push_back(path); }
  void OnFileSelected(const std::string& path) override { inputs_.push_back(path); }
  void OnMessageLine(const CString& line) override { Print(out_, Utf8(line)); }
  void OnPictureAdded(const PictureEntry& entry, const CString& path) override;
  void OnOutputFailure(const CString& failure) override { Print(out_, Utf8(failure)); }
  void OnRunEnd(const RunSummary& summary) override {
    std::fflush(out_);
    summary_ = summary;
  }
  const RunSummary& summary() const { return summary_; }
  // Every folder entered and file selected, in walk order.
  const std::vector<std::string>& inputs() const { return inputs_; }

 private:
  static void Print(FILE* stream, std::string text) {
    text += '\n';
    std::fwrite(text.data(), 1, text.size(), stream);
  }

  FILE* out_;
  FILE* err_;
  bool warnArrayNames_;  // only a conversion to the four files writes bmp.c
  RunSummary summary_;
  std::vector<std::string> inputs_;
  // Array names in bmp.c so far, with the path of the picture that took each.
  std::unordered_map<std::string, std::string> arrayNames_;
};

bool IsIdentifierTail(const std::string& name) {
  return std::all_of(name.begin(), name.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
  });
}

// bmp.c keeps the names firmware may already use; a name that would not
// compile is pointed out instead.
void StreamReport::OnPictureAdded(const PictureEntry& entry, const CString& path) {
  if (!warnArrayNames_) return;
  std::string name = PictureIdentifier(entry.ansiName);
  name.insert(name.begin(), '_');
  std::string warning = "rastrum: warning: bmp.c: ";
  warning += Utf8(platform::AnsiToWide(name)) + " (" + Utf8(path) + ")";
  if (!IsIdentifierTail(name)) {
    Print(err_, warning + " is not a C identifier");
    return;
  }
  auto [first, added] = arrayNames_.emplace(name, Utf8(path));
  if (!added) Print(err_, warning + " repeats the name of " + first->second);
}

std::wstring FoldAsciiCase(std::wstring text) {
  for (wchar_t& c : text) {
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
  }
  return text;
}

// A STEM whose files would be another output file, or a path: refused on
// every host alike, as Windows compares names without regard to case.
std::string StemProblem(const CString& stem) {
  if (stem.Find(L'/') >= 0 || stem.Find(L'\\') >= 0) {
    return "--name STEM must not contain a path separator ('" + Utf8(stem) +
           "'): --out chooses the folder";
  }
  const std::wstring names[] = {stem.str() + L".txt", stem.str() + L".bin", L"tmp.txt", L"bmp.c"};
  for (int own = 0; own < 2; ++own) {
    for (int other = 0; other < 4; ++other) {
      if (own != other && FoldAsciiCase(names[own]) == FoldAsciiCase(names[other])) {
        return "--name " + Utf8(stem) + " would write " + Utf8(names[own]) +
               " over the output file " + Utf8(names[other]);
      }
    }
  }
  return {};
}

// Six hex digits, red, green and blue, as in "FF8000".
bool ParseBackground(const std::wstring& text, Background& background) {
  if (text.size() != 6) return false;
  uint8_t channels[3] = {};
  for (size_t i = 0; i < text.size(); ++i) {
    const wchar_t c = text[i];
    int digit = -1;
    if (c >= L'0' && c <= L'9') digit = c - L'0';
    if (c >= L'a' && c <= L'f') digit = c - L'a' + 10;
    if (c >= L'A' && c <= L'F') digit = c - L'A' + 10;
    if (digit < 0) return false;
    channels[i / 2] = static_cast<uint8_t>(channels[i / 2] * 16 + digit);
  }
  background = Background{channels[0], channels[1], channels[2]};
  return true;
}

// The commands an option belongs to. Conversion options belong to both:
// preview shows what convert would write.
enum OptionScope { kEveryCommand, kConvertOnly, kPreviewOnly };

// An option that takes a value: `apply` stores it, or returns the problem.
struct ValueOption {
  const wchar_t* name;
  std::string (*apply)(const CString& value, ConvertOptions& options);
  OptionScope scope = kEveryCommand;
};

constexpr ValueOption kValueOptions[] = {
    {L"--depth",
     [](const CString& value, ConvertOptions& options) -> std::string {
       if (value != CString(L"24") && value != CString(L"16") && value != CString(L"8")) {
         return "--depth must be 24, 16 or 8, not '" + Utf8(value) + "'";
       }
       options.depth = std::stoi(value.str());
       options.depthGiven = true;
       return {};
     }},
    {L"--format",
     [](const CString& value, ConvertOptions& options) -> std::string {
       options.format = FormatNamed(Utf8(value));
       if (!options.format) return "--format has no format '" + Utf8(value) + "' (see --help)";
       return {};
     }},
    {L"--dither",
     [](const CString& value, ConvertOptions& options) -> std::string {
       std::optional<Dither> dither = DitherNamed(Utf8(value));
       if (!dither) return "--dither must be none, ordered or diffusion, not '" + Utf8(value) + "'";
       options.dither = *dither;
       return {};
     }},
    {L"--align",
     [](const CString& value, ConvertOptions& options) -> std::string {
       for (uint32_t n = 1; n <= 4096; n *= 2) {
         if (value == CString(std::to_wstring(n).c_str())) {
           options.alignment = n;
           return {};
         }
       }
       return "--align must be a power of two from 1 to 4096, not '" + Utf8(value) + "'";
     }},
    {L"--ext",
     [](const CString& value, ConvertOptions& options) -> std::string {
       options.extensions = value;
       return {};
     }},
    {L"--name",
     [](const CString& value, ConvertOptions& options) -> std::string {
       if (value.IsEmpty()) return "--name needs a non-empty STEM";
       options.stem = value;
       return StemProblem(value);
     },
     kConvertOnly},
    {L"--depfile",
     [](const CString& value, ConvertOptions& options) -> std::string {
       if (value.IsEmpty()) return "--depfile needs a non-empty FILE";
       options.depfile = value;
       return {};
     },
     kConvertOnly},
    {L"--out",
     [](const CString& value, ConvertOptions& options) -> std::string {
       options.outputFolder = value;
       return {};
     },
     kConvertOnly},
    {L"--input",
     [](const CString& value, ConvertOptions& options) -> std::string {
       if (value == CString(L"strict")) {
         options.input = InputMode::kStrict;
       } else if (value == CString(L"any")) {
         options.input = InputMode::kAny;
       } else {
         return "--input must be strict or any, not '" + Utf8(value) + "'";
       }
       return {};
     }},
    {L"--background",
     [](const CString& value, ConvertOptions& options) -> std::string {
       if (!ParseBackground(value.str(), options.background)) {
         return "--background must be six hex digits RRGGBB, not '" + Utf8(value) + "'";
       }
       return {};
     }},
    {L"--page",
     [](const CString& value, ConvertOptions& options) -> std::string {
       wchar_t last = value.IsEmpty() ? L'/' : value.GetAt(value.GetLength() - 1);
       if (last == L'/' || last == L'\\')
         return "--page needs a FILE name, not '" + Utf8(value) + "'";
       options.page = value;
       return {};
     },
     kPreviewOnly},
    {L"--header",
     [](const CString& value, ConvertOptions& options) -> std::string {
       options.header = value;
       const std::string problem = HeaderNameProblem(Utf8(value));
       return problem.empty() ? problem : "--header " + Utf8(value) + " " + problem;
     },
     kConvertOnly},
    {L"--manifest",
     [](const CString& value, ConvertOptions& options) -> std::string {
       if (value.IsEmpty()) return "--manifest needs a non-empty FILE";
       options.manifest = value;
       return {};
     },
     kConvertOnly},
};

// A manifest path that is one of the run's other output files, as far as
// the names tell before the run (time-stamped names are not known yet).
std::string ManifestProblem(const ConvertOptions& options) {
  if (options.manifest.IsEmpty()) return {};
  std::vector<std::wstring> names;
  if (!options.header.IsEmpty()) {
    for (const wchar_t* extension : {L".h", L".c", L".bin"})
      names.push_back(options.header.str() + extension);
  } else {
    names = {L"tmp.txt", L"bmp.c"};
    if (!options.stem.IsEmpty()) {
      names.push_back(options.stem.str() + L".txt");
      names.push_back(options.stem.str() + L".bin");
    }
  }
  auto slashed = [](std::wstring path) {
    std::replace(path.begin(), path.end(), L'\\', L'/');
    return FoldAsciiCase(path);
  };
  const std::wstring folder =
      options.outputFolder.IsEmpty() ? L"" : slashed(options.outputFolder.str() + L"/");
  for (const std::wstring& name : names) {
    if (slashed(options.manifest.str()) == folder + FoldAsciiCase(name)) {
      return "--manifest " + Utf8(options.manifest) + " would write over the output file " +
             Utf8(CString(name.c_str()));
    }
  }
  return {};
}

// An option without a value.
struct FlagOption {
  const wchar_t* name;
  void (*apply)(ConvertOptions& options);
};

constexpr FlagOption kFlagOptions[] = {
    {L"--embed", [](ConvertOptions& options) { options.embed = true; }},
};

const FlagOption* FindFlag(const CString& name) {
  for (const FlagOption& flag : kFlagOptions) {
    if (name == CString(flag.name)) return &flag;
  }
  return nullptr;
}

// Options that are each fine alone but not together.
std::string CombinationProblem(const ConvertOptions& options) {
  if (options.depthGiven && options.format) return "give --depth or --format, not both";
  if (!options.header.IsEmpty() && !options.stem.IsEmpty()) {
    return "--name names the four files that --header replaces: give one of them";
  }
  if (options.embed && options.header.IsEmpty()) return "--embed needs --header NAME";
  return ManifestProblem(options);
}

const ValueOption* FindOption(const CString& name) {
  for (const ValueOption& option : kValueOptions) {
    if (name == CString(option.name)) return &option;
  }
  return nullptr;
}

int UsageError(FILE* err, const std::string& problem, bool preview = false) {
  std::fprintf(err, "rastrum: error: %s\n%s", problem.c_str(), preview ? kPreviewUsage : kUsage);
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
    std::fprintf(out, "%s%s\n%s", kUsage, kPreviewUsage, kHelp);
    exitCode = kExitConverted;
    return std::nullopt;
  }
  if (command == CString(L"--version")) {
    std::fprintf(out, "%s\n", RASTRUM_VERSION);
    exitCode = kExitConverted;
    return std::nullopt;
  }
  if (command != CString(L"convert") && command != CString(L"preview")) {
    UsageError(err, "unknown command '" + Utf8(command) + "'");
    return std::nullopt;
  }

  ConvertOptions options;
  options.preview = command == CString(L"preview");
  bool haveFolder = false;
  bool optionsEnded = false;
  for (size_t i = 1; i < args.size(); ++i) {
    const CString& arg = args[i];
    bool isOption = !optionsEnded && arg.GetLength() > 1 && arg.GetAt(0) == L'-';
    if (!isOption) {
      if (haveFolder) {
        UsageError(
            err,
            "more than one FOLDER given ('" + Utf8(options.folder) + "' and '" + Utf8(arg) + "')",
            options.preview);
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
      std::fprintf(out, "%s%s\n%s", kUsage, kPreviewUsage, kHelp);
      exitCode = kExitConverted;
      return std::nullopt;
    }
    int equals = arg.Find(L'=');
    CString name = equals < 0 ? arg : arg.Left(equals);
    CString inlineValue = equals < 0 ? CString() : arg.Right(arg.GetLength() - equals - 1);
    if (const FlagOption* flag = FindFlag(name)) {
      if (options.preview) {
        UsageError(err, Utf8(name) + " is not an option of " + Utf8(command), true);
        return std::nullopt;
      }
      if (equals >= 0) {
        UsageError(err, Utf8(name) + " takes no value");
        return std::nullopt;
      }
      flag->apply(options);
      continue;
    }
    const ValueOption* option = FindOption(name);
    if (!option) {
      UsageError(err, "unknown option '" + Utf8(name) + "'", options.preview);
      return std::nullopt;
    }
    if (option->scope == (options.preview ? kConvertOnly : kPreviewOnly)) {
      UsageError(err, Utf8(name) + " is not an option of " + Utf8(command), options.preview);
      return std::nullopt;
    }
    CString value;
    if (!TakeValue(args, i, inlineValue, equals >= 0, value)) {
      UsageError(err, Utf8(name) + " needs a value", options.preview);
      return std::nullopt;
    }
    if (std::string problem = option->apply(value, options); !problem.empty()) {
      UsageError(err, problem, options.preview);
      return std::nullopt;
    }
  }
  if (std::string problem = CombinationProblem(options); !problem.empty()) {
    UsageError(err, problem, options.preview);
    return std::nullopt;
  }
  return options;
}

int RunConvert(const ConvertOptions& options, FILE* out, FILE* err) {
  StreamReport report(out, err, !options.preview && options.header.IsEmpty());
  CQuarryEngine engine(report);
  engine.m_nDepth = static_cast<uint8_t>(options.depth);
  engine.m_format = options.format;
  engine.m_dither = options.dither;
  engine.m_nAlignment = options.alignment;
  engine.m_strHeaderName = options.header;
  engine.m_bEmbed = options.embed;
  engine.m_strManifest = options.manifest;
  engine.m_bFullPath = 1;
  engine.m_nFileCount = 0;
  engine.m_nExtCount = 0;
  if (!options.extensions.IsEmpty()) {
    ParseExtensionList(options.extensions, engine.m_strExt, engine.m_nExtCount);
  }
  engine.m_strOutputFolder = options.outputFolder;
  engine.m_strOutputStem = options.stem;
  engine.m_bReplaceWhenEmpty = false;
  engine.m_inputMode = options.input;
  engine.m_background = options.background;
  CString folder = options.folder.IsEmpty() ? CString(L"bmp") : options.folder;

  if (options.preview) {
    engine.PreviewFolder(folder, options.page.IsEmpty() ? CString(L"preview.html") : options.page);
  } else {
    engine.ConvertFolder(folder, 1);
  }
  const RunSummary& summary = report.summary();
  if (!summary.outputFailure.IsEmpty()) {
    std::fprintf(err, "rastrum: error: %s\n", Utf8(summary.outputFailure).c_str());
    return kExitOutputFailed;
  }
  if (summary.filesSelected == 0) {
    if (!platform::IdentifyFolder(folder)) {
      std::fprintf(err, "rastrum: No related files: cannot open folder '%s'\n",
                   Utf8(folder).c_str());
    } else {
      std::fprintf(err, "rastrum: No related files\n");
    }
    return kExitNoFiles;
  }
  if (!options.depfile.IsEmpty()) {
    std::string problem =
        WriteDependencyFile(platform::WideToAnsi(options.depfile),
                            DependencyText(summary.binaryImagePath, report.inputs()));
    if (!problem.empty()) {
      std::fprintf(err, "rastrum: error: %s\n", problem.c_str());
      return kExitOutputFailed;
    }
  }
  if (summary.filesNotConverted > 0) {
    std::fprintf(err, "rastrum: %d of %d selected files were not converted\n",
                 summary.filesNotConverted, summary.filesSelected);
    if (options.input == InputMode::kStrict && summary.filesRejected > 0) {
      std::fprintf(err, "rastrum: hint: --input any reads PNG, JPEG and every BMP variant\n");
    }
    return kExitNotAllConverted;
  }
  return kExitConverted;
}

int RastrumMain(const std::vector<CString>& args, FILE* out, FILE* err) {
  int exitCode = kExitUsage;
  std::optional<ConvertOptions> options = ParseCommandLine(args, out, err, exitCode);
  if (!options) return exitCode;
  return RunConvert(*options, out, err);
}
