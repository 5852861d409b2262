#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/file_access.h"
#include "platform/text_encoding.h"

namespace platform {

const wchar_t* PathSeparator() {
  return L"/";
}

FILE* OpenPictureFile(const std::string& ansiPath) {
  // O_NONBLOCK keeps open() itself from waiting on a FIFO with no writer.
  int fd = open(ansiPath.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat info;
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    close(fd);
    errno = EINVAL;
    return nullptr;
  }
  int flags = fcntl(fd, F_GETFL);
  if (flags >= 0) fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  FILE* file = fdopen(fd, "rb");
  if (!file) close(fd);
  return file;
}

int64_t FileLength(FILE* file) {
  struct stat info;
  if (fstat(fileno(file), &info) != 0) return -1;
  return static_cast<int64_t>(info.st_size);
}

bool SeekTo(FILE* file, uint64_t offset) {
  if (offset > static_cast<uint64_t>(INT64_MAX)) return false;
  return fseeko(file, static_cast<off_t>(offset), SEEK_SET) == 0;
}

std::optional<FolderIdentity> IdentifyFolder(const CString& folder) {
  struct stat info;
  if (stat(WideToAnsi(folder).c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return std::nullopt;
  return FolderIdentity{static_cast<uint64_t>(info.st_dev), static_cast<uint64_t>(info.st_ino)};
}

int CheckReplaceable(const std::string& ansiPath) {
  struct stat info;
  if (stat(ansiPath.c_str(), &info) != 0) return 0;
  if (S_ISDIR(info.st_mode)) return EISDIR;
  return access(ansiPath.c_str(), W_OK) == 0 ? 0 : errno;
}

int RenameOver(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

void RemoveFile(const std::string& ansiPath) {
  unlink(ansiPath.c_str());
}

std::string SystemErrorText(int error) {
  return std::strerror(error);
}

}  // namespace platform
