#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cerrno>
#include <cstdint>
#include <cstring>

#include "platform/file_access.h"

namespace platform {
namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Reserved names (CON, NUL, COM1, and before Windows 11 also nul.bmp in any
// folder) resolve into the device namespace \\.\; so does a path typed in it.
bool NamesDevice(const std::string& ansiPath) {
  DWORD size = GetFullPathNameA(ansiPath.c_str(), 0, nullptr, nullptr);
  if (size == 0) return true;
  std::string full(size, '\0');
  DWORD length = GetFullPathNameA(ansiPath.c_str(), size, full.data(), nullptr);
  if (length == 0 || length >= size) return true;
  return full.compare(0, 4, "\\\\.\\") == 0;
}

bool IsRegularFile(HANDLE handle) {
  BY_HANDLE_FILE_INFORMATION info;
  return GetFileType(handle) == FILE_TYPE_DISK && GetFileInformationByHandle(handle, &info) &&
         (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// The handle of a regular file, opened for reading. The first open asks for
// attributes only, so whatever is not a regular file is refused before any of
// its data is touched; the reopen reads the very file that was checked.
HANDLE OpenRegularFile(const std::string& ansiPath) {
  if (NamesDevice(ansiPath)) return INVALID_HANDLE_VALUE;
  HANDLE query = CreateFileA(ansiPath.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr,
                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (query == INVALID_HANDLE_VALUE) return INVALID_HANDLE_VALUE;
  HANDLE data = INVALID_HANDLE_VALUE;
  if (IsRegularFile(query)) data = ReOpenFile(query, GENERIC_READ, kShareAll, 0);
  CloseHandle(query);
  return data;
}

int ErrnoOf(DWORD error) {
  switch (error) {
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return EACCES;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return ENOENT;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return ENOSPC;
    case ERROR_NOT_SAME_DEVICE:
      return EXDEV;
    default:
      return EIO;
  }
}

}  // namespace

const wchar_t* PathSeparator() {
  return L"\\";
}

FILE* OpenPictureFile(const std::string& ansiPath) {
  HANDLE handle = OpenRegularFile(ansiPath);
  if (handle == INVALID_HANDLE_VALUE) {
    errno = EINVAL;
    return nullptr;
  }
  int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_RDONLY | _O_BINARY);
  if (fd < 0) {
    CloseHandle(handle);
    return nullptr;
  }
  FILE* file = _fdopen(fd, "rb");
  if (!file) _close(fd);
  return file;
}

int64_t FileLength(FILE* file) {
  return _filelengthi64(_fileno(file));
}

bool SeekTo(FILE* file, uint64_t offset) {
  if (offset > static_cast<uint64_t>(INT64_MAX)) return false;
  return _fseeki64(file, static_cast<int64_t>(offset), SEEK_SET) == 0;
}

std::optional<FolderIdentity> IdentifyFolder(const CString& folder) {
  // Backup semantics let CreateFileW open a folder; links are followed.
  HANDLE handle = CreateFileW(folder.GetString(), FILE_READ_ATTRIBUTES, kShareAll, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return std::nullopt;
  BY_HANDLE_FILE_INFORMATION info;
  bool known = GetFileInformationByHandle(handle, &info) &&
               (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  CloseHandle(handle);
  if (!known) return std::nullopt;
  return FolderIdentity{info.dwVolumeSerialNumber,
                        (uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow};
}

int CheckReplaceable(const std::string& ansiPath) {
  DWORD attributes = GetFileAttributesA(ansiPath.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return 0;
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return EISDIR;
  return (attributes & FILE_ATTRIBUTE_READONLY) ? EACCES : 0;
}

int RenameOver(const std::string& from, const std::string& to) {
  if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return 0;
  }
  return ErrnoOf(GetLastError());
}

void RemoveFile(const std::string& ansiPath) {
  DeleteFileA(ansiPath.c_str());
}

std::string SystemErrorText(int error) {
  return std::strerror(error);
}

}  // namespace platform
