// Host file services the engine needs beyond the output streams: opening a
// picture safely, its length, absolute seeks, folder identity and error texts.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

#include "platform/cstring.h"

namespace platform {

// The separator the host joins folder and name with ("/" or "\\").
const wchar_t* PathSeparator();

// Opens a picture for reading in binary mode. Only a regular file (after
// following links) is opened: a FIFO, socket or device is refused without
// being opened for real, so reading can never block. Returns null on failure.
FILE* OpenPictureFile(const std::string& ansiPath);

// The length of an open file in bytes, or -1 when the host cannot tell.
int64_t FileLength(FILE* file);

// Positions `file` at `offset` bytes from its start; false on failure.
bool SeekTo(FILE* file, uint64_t offset);

// What tells two folders apart even when they are reached by different
// paths (through links): device and node on POSIX, volume and index on Win32.
struct FolderIdentity {
  uint64_t volume = 0;
  uint64_t node = 0;
  friend bool operator==(const FolderIdentity&, const FolderIdentity&) = default;
};
std::optional<FolderIdentity> IdentifyFolder(const CString& folder);

// 0 when a file may be put at `ansiPath` by RenameOver: nothing is there, or
// a file this process may write. Otherwise an errno value (EISDIR for a
// folder, EACCES for a file it may not write).
int CheckReplaceable(const std::string& ansiPath);

// Moves the file `from` onto `to`, replacing what is there in one step;
// returns 0 or an errno value.
int RenameOver(const std::string& from, const std::string& to);

// Removes a file if it is there.
void RemoveFile(const std::string& ansiPath);

// The host's text for an errno value.
std::string SystemErrorText(int error);

}  // namespace platform
