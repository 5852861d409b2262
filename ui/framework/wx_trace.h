// A record of what the dialog shows, for scripted tests that drive the
// program from outside: with RASTRUM_DIALOG_TRACE naming a file, the wx
// backend appends one line per list change, field text set by the program
// and message box. Without it nothing is written.
#pragma once

#include <wx/string.h>

void TraceDialog(const wxString& line);
