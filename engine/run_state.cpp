#include "engine/run_state.h"

platform::OutputStream g_fpTable;
platform::OutputStream g_fpBin;
platform::OutputStream g_fpEnum;
platform::OutputStream g_fpArray;
int32_t g_nPicIndex = 0;
uint64_t g_nPicOffset = 0;
