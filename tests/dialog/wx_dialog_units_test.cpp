// The wx dialogs on this desktop: every one-line label ends at least an
// average letter short of whatever stands beside it, so no two labels read
// as one line, and the dialogs take the desktop's font size. Each label's
// measures are printed. Needs a display (run under Xvfb).
#include <gtest/gtest.h>
#include <wx/settings.h>
#include <wx/stattext.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>

#include "ui/dialog_templates.h"
#include "ui/framework/dialog.h"
#include "ui/framework/wx_host.h"

namespace {

// The desktop's font, as a settings daemon sets it, for as long as the
// object lives.
class DesktopFont {
 public:
  explicit DesktopFont(const std::string& name) {
    auto settings = GtkCall<void* (*)()>("gtk_settings_get_default");
    get_ = GtkCall<void (*)(void*, const char*, ...)>("g_object_get");
    set_ = GtkCall<void (*)(void*, const char*, ...)>("g_object_set");
    settings_ = settings ? settings() : nullptr;
    if (!settings_ || !get_ || !set_) return;
    char* old = nullptr;
    get_(settings_, "gtk-font-name", &old, nullptr);
    old_ = old ? old : "";
    GtkCall<void (*)(void*)>("g_free")(old);
    set_(settings_, "gtk-font-name", name.c_str(), nullptr);
  }
  ~DesktopFont() {
    if (settings_) set_(settings_, "gtk-font-name", old_.c_str(), nullptr);
  }
  bool Set() const { return settings_ != nullptr; }

 private:
  void* settings_ = nullptr;
  void (*get_)(void*, const char*, ...) = nullptr;
  void (*set_)(void*, const char*, ...) = nullptr;
  std::string old_;
};

struct OpenDialog {
  explicit OpenDialog(const DialogTemplate& tmpl)
      : owner(static_cast<UINT>(tmpl.id.value)),
        window(CreateDialogWindow(owner, tmpl, nullptr)),
        dialog(dynamic_cast<HostDialog*>(ToWx(window->Handle()))) {}
  CDialog owner;
  std::unique_ptr<DialogWindow> window;
  HostDialog* dialog;
};

bool SharesRows(const wxRect& a, const wxRect& b) {
  return a.GetTop() <= b.GetBottom() && b.GetTop() <= a.GetBottom();
}

// Where the label's text must end: the end of its box, the dialog's edge,
// or the first shown control that starts beside it.
int Limit(const wxWindow& dialog, const wxWindow& label) {
  wxRect box = label.GetRect();
  int limit = std::min(box.GetRight() + 1, dialog.GetClientSize().x);
  for (wxWindow* other : dialog.GetChildren()) {
    wxRect place = other->GetRect();
    bool beside = other != &label && other->IsShown() && place.x > box.x && SharesRows(box, place);
    if (beside) limit = std::min(limit, place.x);
  }
  return limit;
}

// Every one-line label of every template: text end, limit and gap.
void ExpectLabelsClearOfTheirNeighbours() {
  for (const DialogTemplate& tmpl : AfxGetResourceTable().dialogs) {
    OpenDialog open(tmpl);
    ASSERT_NE(open.dialog, nullptr);
    const wxWindowList& children = open.dialog->GetChildren();
    for (size_t i = 0; i < tmpl.items.size(); ++i) {
      auto* label = dynamic_cast<wxStaticText*>(children[i]);
      if (!label || tmpl.items[i].cy >= 16) continue;
      const wxString letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
      double letter = label->GetTextExtent(letters).x / 52.0;
      int end = label->GetPosition().x + label->GetTextExtent(label->GetLabelText()).x;
      int limit = Limit(*open.dialog, *label);
      std::printf("%s %-45s %.1f pt: text ends at %d px, limit %d px, gap %d px (letter %.1f)\n",
                  tmpl.id.name, label->GetLabelText().utf8_str().data(),
                  label->GetFont().GetFractionalPointSize(), end, limit, limit - end, letter);
      EXPECT_GE(limit - end, letter) << label->GetLabelText() << " in " << tmpl.id.name;
    }
  }
}

}  // namespace

TEST(WxDialogUnits, LabelsEndAnAverageLetterBeforeWhatStandsBesideThem) {
  ExpectLabelsClearOfTheirNeighbours();
}

// The templates give 9 pt, the Windows desktop's own size: the dialog's
// text is the desktop's size, and the layout grows with it.
TEST(WxDialogUnits, DialogsFollowTheDesktopFontSize) {
  const DialogTemplate& tmpl = MainDialogTemplate();
  wxSize usual = OpenDialog(tmpl).dialog->GetClientSize();
  double usualPoints = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT).GetFractionalPointSize();
  DesktopFont larger("Sans " + std::to_string(std::lround(usualPoints * 1.5)));
  ASSERT_TRUE(larger.Set()) << "GTK's settings are not reachable";
  wxFont desktop = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
  ASSERT_GT(desktop.GetFractionalPointSize(), usualPoints);

  OpenDialog open(tmpl);
  EXPECT_EQ(open.dialog->GetFont().GetFractionalPointSize(), desktop.GetFractionalPointSize());
  wxSize grown = open.dialog->GetClientSize();
  std::printf("client area %dx%d at %.1f pt, %dx%d at %.1f pt\n", usual.x, usual.y, usualPoints,
              grown.x, grown.y, desktop.GetFractionalPointSize());
  EXPECT_GE(grown.x, usual.x * 1.3);
  EXPECT_GE(grown.y, usual.y * 1.3);
  ExpectLabelsClearOfTheirNeighbours();
}
