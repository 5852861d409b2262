#include "cli/depfile.h"

#include "engine/output_file.h"
#include "platform/file_access.h"

std::string EscapeDependencyPath(const std::string& path) {
  std::string escaped;
  for (char c : path) {
    if (c == ' ' || c == '#' || c == ':') {
      escaped += '\\';
    } else if (c == '$') {
      escaped += '$';
    }
    escaped += c;
  }
  return escaped;
}

std::string DependencyText(const std::string& target,
                           const std::vector<std::string>& prerequisites) {
  std::string text = EscapeDependencyPath(target) + ":";
  for (const std::string& path : prerequisites) {
    text += " \\\n  ";
    text += EscapeDependencyPath(path);
  }
  text += "\n";
  for (const std::string& path : prerequisites) {
    text += "\n";
    text += EscapeDependencyPath(path);
    text += ":\n";
  }
  return text;
}

std::string WriteDependencyFile(const std::string& path, const std::string& text) {
  // The staging file goes into the same folder, so the rename stays on one
  // file system.
  size_t slash = path.find_last_of("/\\");
  std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  OutputFile file(folder, name, platform::OutputStream::Mode::kBinary);
  bool written = file.Create();
  if (written) {
    file.stream().Write(text);
    written = file.Close() && file.Commit();
  }
  if (written) return {};
  return "cannot write " + path + ": " + platform::SystemErrorText(file.error());
}
