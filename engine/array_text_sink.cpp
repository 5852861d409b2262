#include "engine/output_names.h"
#include "engine/output_sink.h"

void ArrayTextSink::BeginRun(const std::string& tableName) {
  file_.stream().Print("//file:%s\n", tableName.c_str());
}

void ArrayTextSink::EnterFolder(const std::string& ansiFolder) {
  file_.stream().Print("\n//-----------------------------------------------------%s\n",
                       ansiFolder.c_str());
}

void ArrayTextSink::BeginPicture(const PictureEntry& entry) {
  file_.stream().Print("const unsigned char _%s[]= //%ux%u\n{",
                       PictureIdentifier(entry.ansiName).c_str(), entry.width, entry.height);
  file_.stream().Write(text_.Begin(entry.width));
}

void ArrayTextSink::WriteRow(const uint8_t* encoded, int bytesPerPixel, const PictureEntry& entry) {
  rowText_.clear();
  text_.AppendRow(encoded, entry.width, bytesPerPixel, rowText_);
  file_.stream().Write(rowText_);
}

void ArrayTextSink::EndPicture(const PictureEntry&) {
  file_.stream().Write("\n};\n\n");
}
