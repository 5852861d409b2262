// One picture: headers, checks, rows top row first through the encoders into
// the binary image file and the array block, then its entry lines.
#include <cstring>

#include "engine/bitmap_intake.h"
#include "engine/output_files.h"
#include "engine/pixel_encoders.h"
#include "engine/quarry_engine.h"
#include "engine/run_state.h"

void CQuarryEngine::ConvertPicture(FILE* picture, const CString& linePrefix, const CString& path,
                                   const std::string& ansiName) {
  uint8_t headers[kHeadersSize];
  bool complete = std::fread(headers, 1, sizeof headers, picture) == sizeof headers;
  if (complete) ParseHeaders(headers, g_bmfh, g_bmih);
  Verdict verdict = complete ? CheckPicture(g_bmfh, g_bmih, platform::FileLength(picture))
                             : Verdict::kHeaderNot54;
  if (verdict != Verdict::kAccepted) {
    m_listLog.AddString(linePrefix + path + RejectionText(verdict));
    std::fclose(picture);
    return;
  }

  const int32_t width = g_bmih.biWidth;
  const uint32_t height = PictureHeight(g_bmih);
  const int depth = m_nDepth;
  const int bpp = BytesPerPixel(depth);
  const bool convert = g_bmih.biBitCount == 24;
  const RowGeometry geometry = ComputeRowGeometry(width);
  const size_t rowBytes = static_cast<size_t>(geometry.rowBytes);
  const size_t outBytes = static_cast<size_t>(width) * static_cast<size_t>(bpp);

  WriteArrayHeader(PictureIdentifier(ansiName), width, height);
  ArrayText text;
  g_fpArray.Write(text.Begin(width));
  // The checks above guarantee every row lies inside the file as it was
  // measured; a file that shrinks meanwhile reads short, and the missing
  // bytes become zeros so the binary image file still matches the table.
  bool changed = false;
  uint8_t* row = m_rowBuffer.data();
  for (uint32_t k = 0; k < height; ++k) {
    size_t got = 0;
    if (platform::SeekTo(picture, RowOffset(g_bmfh, g_bmih, geometry, k))) {
      got = std::fread(row, 1, rowBytes, picture);
    }
    if (got < rowBytes) {
      changed = true;
      std::memset(row + got, 0, rowBytes - got);
    }
    if (convert) EncodeRow(row, static_cast<uint32_t>(width), depth);
    m_arrayText.clear();
    text.AppendRow(row, static_cast<uint32_t>(width), depth, convert, m_arrayText);
    g_fpArray.Write(m_arrayText);
    g_fpBin.Write(row, outBytes);
  }
  g_fpArray.Write("\n};\n\n");

  const uint64_t length = uint64_t{height} * outBytes;
  WriteTableEntry(width, height, bpp);
  WriteEnumEntry(ansiName, width, height, g_bmih.biSizeImage, length);
  ++g_nPicIndex;
  g_nPicOffset += length;

  if (changed) {
    m_listLog.AddString(linePrefix + path + L"bmp image file changed while it was read");
  } else {
    m_listLog.AddString(linePrefix + ResultText(g_bmih) + path);
  }
  std::fclose(picture);
}
