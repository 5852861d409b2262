#include "engine/output_files.h"

#include <cerrno>
#include <cinttypes>
#include <cstdio>

#include "engine/run_state.h"

using platform::OutputStream;

std::string StampedName(const platform::LocalTime& t, int bits, const char* extension) {
  char name[96];
  std::snprintf(name, sizeof name, "%.2d%.2d%.2d_%.2d-%.2d_%dbit%s", t.year, t.month, t.day, t.hour,
                t.minute, bits, extension);
  return name;
}

bool OpenOutputFiles(const OutputNames& names, std::string& failedPath) {
  struct Target {
    OutputStream& stream;
    std::string path;
    OutputStream::Mode mode;
  };
  Target targets[] = {
      {g_fpTable, names.PathOf(names.table), OutputStream::Mode::kText},
      {g_fpBin, names.PathOf(names.binary), OutputStream::Mode::kBinary},
      {g_fpEnum, names.PathOf(kEnumFileName), OutputStream::Mode::kText},
      {g_fpArray, names.PathOf(kArrayFileName), OutputStream::Mode::kText},
  };
  for (Target& target : targets) {
    if (!target.stream.Open(target.path, target.mode)) {
      failedPath = target.path;
      int error = target.stream.error();
      for (Target& other : targets) other.stream.Close();
      errno = error;
      return false;
    }
  }
  return true;
}

void WriteOpeningText(const std::string& tableName) {
  g_fpTable.Write(
      "typedef struct\n{\n\tunsigned int bmpaddr;\n\tunsigned short Width;\n"
      "\tunsigned short Height;\n\tunsigned char bit;\n}_BMP_Addr;\n\n");
  g_fpTable.Write("#define PIC_OFFSET 0x00\n");
  g_fpTable.Write("_BMP_Addr bmpaddr[]=\n{\n");
  g_fpEnum.Print("typedef enum //%s\n{\n", tableName.c_str());
  g_fpArray.Print("//file:%s\n", tableName.c_str());
}

void WriteFolderComments(const std::string& ansiFolder) {
  g_fpEnum.Print("\n\t//...%s\n", ansiFolder.c_str());
  g_fpArray.Print("\n//-----------------------------------------------------%s\n",
                  ansiFolder.c_str());
}

void WriteArrayHeader(const std::string& identifier, int32_t width, uint32_t height) {
  g_fpArray.Print("const unsigned char _%s[]= //%dx%u\n{", identifier.c_str(), width, height);
}

void WriteTableEntry(int32_t width, uint32_t height, int bpp) {
  g_fpTable.Print("\t{PIC_OFFSET + 0x%.4" PRIx64 ",0x%.2x,0x%.2x,%d},\t//%.3d (%.3d*%.3u)\n",
                  g_nPicOffset, static_cast<unsigned>(width), height, bpp, g_nPicIndex, width,
                  height);
}

void WriteEnumEntry(const std::string& ansiName, int32_t width, uint32_t height, uint32_t sizeImage,
                    uint64_t length) {
  g_fpEnum.Print("\tPIC_%.3d,// %s(%.3d*%.3u),size:%u,length:0x%.4" PRIx64 "\n", g_nPicIndex,
                 ansiName.c_str(), width, height, sizeImage, length);
}

void WriteClosingText() {
  g_fpTable.Write("};\n\n");
  g_fpEnum.Write("}_PICTURE_Index_;\n\n");
}

void MergeEnumText() {
  g_fpTable.AppendContentsOf(g_fpEnum);
}

bool AnyOutputFailed() {
  return g_fpTable.failed() || g_fpBin.failed() || g_fpEnum.failed() || g_fpArray.failed();
}

bool CloseOutputFiles(const OutputNames& names, std::string& failedPath, int& error) {
  std::pair<OutputStream*, std::string> order[] = {
      {&g_fpEnum, names.PathOf(kEnumFileName)},
      {&g_fpTable, names.PathOf(names.table)},
      {&g_fpBin, names.PathOf(names.binary)},
      {&g_fpArray, names.PathOf(kArrayFileName)},
  };
  bool ok = true;
  for (auto& [stream, path] : order) {
    if (!stream->Close() && ok) {
      ok = false;
      failedPath = path;
      error = stream->error();
    }
  }
  return ok;
}
