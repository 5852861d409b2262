#include "ui/framework/dialog_units_wx.h"

#include <wx/control.h>
#include <wx/settings.h>
#include <wx/window.h>

#include <algorithm>
#include <cmath>

#include "ui/framework/dialog_manager.h"

namespace {

// The size of the Windows desktop's own text, for which templates give
// theirs: a 9 pt template shows at the desktop's size.
constexpr double kWindowsDesktopPoints = 9;
// A box lower than two lines holds one line of text.
constexpr int kTwoLinesHigh = 16;

// The mean width of the letters, which sets the horizontal dialog unit on
// Windows too.
double AverageLetterWidth(const wxWindow& window) {
  const wxString letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  return window.GetTextExtent(letters).x / static_cast<double>(letters.size());
}

bool IsOneLineLabel(const DialogItemTemplate& item) {
  return dialog_manager::KindOf(item) == dialog_manager::ControlKind::kText && item.text &&
         item.cy < kTwoLinesHigh;
}

wxString ShownText(const DialogItemTemplate& item) {
  wxString text(item.text);
  return (item.style & SS_NOPREFIX) ? text : wxControl::RemoveMnemonics(text);
}

bool SharesRows(const DialogItemTemplate& a, const DialogItemTemplate& b) {
  return a.y < b.y + b.cy && b.y < a.y + a.cy;
}

// Units from a label's left edge to the end of its box, or to the first
// shown control that starts beside it, whichever comes first.
int Room(const DialogTemplate& tmpl, const DialogItemTemplate& label) {
  int right = std::min(label.x + label.cx, tmpl.cx);
  for (const DialogItemTemplate& other : tmpl.items) {
    bool beside = other.x > label.x && SharesRows(label, other) && (other.style & WS_VISIBLE);
    if (beside) right = std::min(right, other.x);
  }
  return right - label.x;
}

// The horizontal base at which every one-line label's text, one average
// letter of space and a pixel for rounding fit in its room.
double FittingBaseX(const wxWindow& window, const DialogTemplate& tmpl, double letterWidth) {
  double base = letterWidth;
  for (const DialogItemTemplate& item : tmpl.items) {
    int room = Room(tmpl, item);
    if (!IsOneLineLabel(item) || room <= 0) continue;
    double needed = window.GetTextExtent(ShownText(item)).x + letterWidth + 1;
    base = std::max(base, 4 * needed / room);
  }
  return base;
}

}  // namespace

wxFont DesktopDialogFont(const DialogFont& font) {
  wxFont chosen = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
  chosen.SetFractionalPointSize(chosen.GetFractionalPointSize() * font.pointSize /
                                kWindowsDesktopPoints);
  if (font.italic) chosen.SetStyle(wxFONTSTYLE_ITALIC);
  if (font.weight >= 700) chosen.SetWeight(wxFONTWEIGHT_BOLD);
  return chosen;
}

DialogUnits::DialogUnits(const wxWindow& window, const DialogTemplate& tmpl)
    : baseX_(FittingBaseX(window, tmpl, AverageLetterWidth(window))),
      baseY_(window.GetCharHeight()) {}

wxRect DialogUnits::ToPixels(int x, int y, int cx, int cy) const {
  auto across = [this](int units) { return static_cast<int>(std::lround(units * baseX_ / 4)); };
  auto down = [this](int units) { return static_cast<int>(std::lround(units * baseY_ / 8)); };
  wxPoint topLeft(across(x), down(y));
  return wxRect(topLeft, wxPoint(across(x + cx) - 1, down(y + cy) - 1));
}
