// How a console program's standard output and error carry its text.
#pragma once

namespace platform {

// Makes stdout and stderr pass bytes through unchanged, so every "\n" the
// program writes stays one byte and UTF-8 text reaches pipes and files as is.
// Win32 would otherwise store "\n" as CR LF; a console window there is also
// switched to UTF-8 for the life of the process. Call once, before any output.
void UseByteStandardStreams();

}  // namespace platform
