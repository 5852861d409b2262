#include "engine/picture_source.h"

CString ResultText(const PictureHeader& header) {
  CString text;
  text.Format(L"[%.2d bit,(%.3d*%.3u),Size:%.7u]: ", int{header.sourceBits},
              static_cast<int>(header.width), header.height, header.storedSize);
  return text;
}
