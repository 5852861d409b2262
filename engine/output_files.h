// The four output files of a run: their names, their fixed texts and the
// per-picture lines, written through the run state's streams.
#pragma once

#include <cstdint>
#include <string>

#include "platform/local_clock.h"

// "YYYYMMDD_hh-mm_<bits>bit" + extension, e.g. 20240305_09-07_16bit.bin.
std::string StampedName(const platform::LocalTime& time, int bits, const char* extension);

inline constexpr const char* kEnumFileName = "tmp.txt";
inline constexpr const char* kArrayFileName = "bmp.c";

// The names and where they go. Texts carry the bare names; the files are
// created at folder + name (folder empty: the current directory).
struct OutputNames {
  std::string folder;  // ANSI, ends with the separator when not empty
  std::string table;
  std::string binary;
  std::string PathOf(const std::string& name) const { return folder + name; }
};

// Creates the four files in order: table, binary, enum scratch, array. On the
// first failure, closes what was opened, fills `failedPath` and returns false.
bool OpenOutputFiles(const OutputNames& names, std::string& failedPath);

void WriteOpeningText(const std::string& tableName);
void WriteFolderComments(const std::string& ansiFolder);
void WriteArrayHeader(const std::string& identifier, int32_t width, uint32_t height);
void WriteTableEntry(int32_t width, uint32_t height, int bpp);
void WriteEnumEntry(const std::string& ansiName, int32_t width, uint32_t height, uint32_t sizeImage,
                    uint64_t length);
void WriteClosingText();
// Copies the whole enum scratch text onto the end of the table file.
void MergeEnumText();

// Closes the four files (enum, table, binary, array). Returns false when any
// write, flush or close of any of them failed; then `failedPath` names the
// first such file and `error` holds its errno value.
bool CloseOutputFiles(const OutputNames& names, std::string& failedPath, int& error);

// True when a write to any of the four files has failed so far.
bool AnyOutputFailed();
