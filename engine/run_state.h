// The state of the run under way: the four output streams and the running
// picture index and byte offset. A top-level ConvertFolder call sets them up
// afresh; they keep their values after the run ends.
#pragma once

#include <cstdint>

#include "platform/output_stream.h"

extern platform::OutputStream g_fpTable;  // the table file (.txt), text
extern platform::OutputStream g_fpBin;    // the binary image file (.bin)
extern platform::OutputStream g_fpEnum;   // "tmp.txt", text
extern platform::OutputStream g_fpArray;  // "bmp.c", text

// Index of the next accepted picture.
extern int32_t g_nPicIndex;
// Offset in the binary image file where the next accepted picture begins.
// 64 bits wide, so a large run can never wrap it back onto earlier pictures.
extern uint64_t g_nPicOffset;
