// How the wx backend turns a template's dialog units into pixels. A Windows
// template is laid out for its own font; here the dialog takes the
// desktop's font, and the units follow that font, widened where a label of
// the template would otherwise run into what stands beside it.
#pragma once

#include <wx/font.h>
#include <wx/gdicmn.h>

#include "ui/framework/resources.h"

class wxWindow;

// The template's font on this desktop: the desktop's face at the template's
// size scaled by the desktop's size, so the dialog grows with the desktop.
wxFont DesktopDialogFont(const DialogFont& font);

class DialogUnits {
 public:
  // Until measured: a pixel per unit.
  DialogUnits() = default;
  // Measures the template's texts in `window`'s font.
  DialogUnits(const wxWindow& window, const DialogTemplate& tmpl);

  // Each corner is converted on its own, so controls that meet in the
  // template meet in pixels.
  wxRect ToPixels(int x, int y, int cx, int cy) const;
  wxSize ToPixels(int cx, int cy) const { return ToPixels(0, 0, cx, cy).GetSize(); }

 private:
  double baseX_ = 4;  // pixels per 4 horizontal units
  double baseY_ = 8;  // pixels per 8 vertical units
};
