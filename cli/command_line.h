// `rastrum`: the command-line front end over the conversion engine.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <vector>

#include "engine/picture_sources.h"
#include "engine/pixel_format.h"
#include "platform/cstring.h"

// What `rastrum convert`, or `rastrum preview`, was asked to do.
struct ConvertOptions {
  bool preview = false;  // `preview`: write only the page, not the four files
  CString page;          // preview: the page's path (empty: preview.html)
  int depth = 16;
  bool depthGiven = false;
  std::optional<PixelFormat> format;  // overrides depth
  Dither dither = Dither::kNone;
  uint32_t alignment = 1;
  CString header;  // NAME: NAME.h, NAME.c and NAME.bin instead of the four files
  bool embed = false;
  CString manifest;  // empty: no manifest
  CString extensions = L"bmp";
  CString stem;          // empty: time-stamped names
  CString outputFolder;  // empty: the current directory
  CString folder;        // empty: "bmp"
  InputMode input = InputMode::kStrict;
  Background background;  // black
  CString depfile;        // empty: no dependency file
};

// Exit codes of `rastrum`.
enum ExitCode {
  kExitConverted = 0,
  kExitNoFiles = 1,
  kExitUsage = 2,
  kExitOutputFailed = 3,
  kExitNotAllConverted = 4,
};

// Parses the arguments after the program name. Returns the options of a
// convert command, or nothing when the process should end now with
// `exitCode` (help, version, or a usage error already reported on `err`).
std::optional<ConvertOptions> ParseCommandLine(const std::vector<CString>& args, FILE* out,
                                               FILE* err, int& exitCode);

// Runs a conversion, or a preview: message lines to `out`, the outcome to `err`.
int RunConvert(const ConvertOptions& options, FILE* out, FILE* err);

// The whole program, for main and for tests.
int RastrumMain(const std::vector<CString>& args, FILE* out, FILE* err);
