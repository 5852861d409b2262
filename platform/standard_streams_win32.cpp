#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "platform/standard_streams.h"

namespace platform {
namespace {

UINT g_consoleCodePage = 0;

void RestoreConsoleCodePage() {
  SetConsoleOutputCP(g_consoleCodePage);
}

// The console keeps its code page after the process ends, so the one it had
// is put back at exit.
void UseUtf8Console() {
  DWORD mode;
  if (!GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode)) return;
  g_consoleCodePage = GetConsoleOutputCP();
  if (g_consoleCodePage == CP_UTF8 || !SetConsoleOutputCP(CP_UTF8)) return;
  std::atexit(RestoreConsoleCodePage);
}

}  // namespace

void UseByteStandardStreams() {
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  UseUtf8Console();
}

}  // namespace platform
