#include <cinttypes>

#include "engine/output_sink.h"

void TableSink::BeginRun(const std::string& tableName) {
  platform::OutputStream& table = table_.stream();
  table.Write(
      "typedef struct\n{\n\tunsigned int bmpaddr;\n\tunsigned short Width;\n"
      "\tunsigned short Height;\n\tunsigned char bit;\n}_BMP_Addr;\n\n");
  table.Write("#define PIC_OFFSET 0x00\n");
  table.Write("_BMP_Addr bmpaddr[]=\n{\n");
  enum_.stream().Print("typedef enum //%s\n{\n", tableName.c_str());
}

void TableSink::EnterFolder(const std::string& ansiFolder) {
  enum_.stream().Print("\n\t//...%s\n", ansiFolder.c_str());
}

void TableSink::EndPicture(const PictureEntry& e) {
  table_.stream().Print("\t{PIC_OFFSET + 0x%.4" PRIx64 ",0x%.2x,0x%.2x,%d},\t//%.3d (%.3u*%.3u)\n",
                        e.offset, e.width, e.height, e.bytesPerPixel, e.index, e.width, e.height);
  enum_.stream().Print("\tPIC_%.3d,// %s(%.3u*%.3u),size:%u,length:0x%.4" PRIx64 "\n", e.index,
                       e.ansiName.c_str(), e.width, e.height, e.storedSize, e.length);
}

void TableSink::EndRun() {
  table_.stream().Write("};\n\n");
  enum_.stream().Write("}_PICTURE_Index_;\n\n");
  table_.stream().AppendContentsOf(enum_.stream());
}
