// Icon 128 on the wx backend at the screen's density (GDK_SCALE): the
// About box and the window manager get the picture drawn for that many
// pixels, not an enlargement of a smaller one. Needs a display.
#include <gtest/gtest.h>
#include <wx/iconbndl.h>
#include <wx/statbmp.h>

#include <cmath>
#include <cstdlib>
#include <memory>

#include "ui/dialog_templates.h"
#include "ui/framework/dialog.h"
#include "ui/framework/win_app.h"
#include "ui/framework/wx_host.h"
#include "ui/resource.h"

namespace {

// Pixels of `image` that differ from the resource's picture of its size:
// alpha everywhere, colour where opaque (the toolkit may premultiply).
int DifferingPixels(const wxImage& image) {
  const IconResource* icon = AfxFindIcon(IDR_MAINFRAME);
  const int size = image.GetWidth();
  const uint32_t* want = icon->pixels(size);
  if (!want || image.GetHeight() != size || !image.HasAlpha()) return size * size;
  int differing = 0;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      uint32_t argb = want[y * size + x];
      uint32_t got = static_cast<uint32_t>(image.GetAlpha(x, y)) << 24 |
                     static_cast<uint32_t>(image.GetRed(x, y)) << 16 |
                     static_cast<uint32_t>(image.GetGreen(x, y)) << 8 | image.GetBlue(x, y);
      bool opaque = (argb >> 24) == 0xFF;
      differing += opaque ? got != argb : (got >> 24) != (argb >> 24);
    }
  }
  return differing;
}

// Pixels the screen has for a system-sized icon, checked against the
// scale the test run asked GDK for.
int DevicePixels(const wxWindow& window) {
  double scale = window.GetContentScaleFactor();
  if (const char* asked = std::getenv("GDK_SCALE")) {
    EXPECT_EQ(scale, std::atof(asked));
  }
  return static_cast<int>(std::lround(SystemIconSize() * scale));
}

}  // namespace

TEST(WxIcons, AboutBoxShowsThePictureDrawnForTheScreensDensity) {
  const DialogTemplate& tmpl = AboutDialogTemplate();
  CDialog owner(static_cast<UINT>(tmpl.id.value));
  std::unique_ptr<DialogWindow> window = CreateDialogWindow(owner, tmpl, nullptr);
  wxWindow* dialog = ToWx(window->Handle());
  wxStaticBitmap* picture = nullptr;
  for (wxWindow* child : dialog->GetChildren()) {
    if (!picture) picture = dynamic_cast<wxStaticBitmap*>(child);
  }
  ASSERT_NE(picture, nullptr);
  int pixels = DevicePixels(*dialog);
  wxBitmap shown = picture->GetBitmap();
  EXPECT_EQ(shown.GetWidth(), pixels);
  EXPECT_EQ(shown.GetHeight(), pixels);
  EXPECT_EQ(picture->GetSize(), wxSize(SystemIconSize(), SystemIconSize()));
  EXPECT_EQ(DifferingPixels(shown.ConvertToImage()), 0);
}

TEST(WxIcons, WindowIconsHoldThePictureDrawnForTheScreensDensity) {
  const DialogTemplate& tmpl = MainDialogTemplate();
  CDialog owner(static_cast<UINT>(tmpl.id.value));
  std::unique_ptr<DialogWindow> window = CreateDialogWindow(owner, tmpl, nullptr);
  HICON icon = AfxGetApp()->LoadIcon(IDR_MAINFRAME);
  window->SetIcon(icon, true);
  window->SetIcon(icon, false);
  auto* dialog = dynamic_cast<wxTopLevelWindow*>(ToWx(window->Handle()));
  ASSERT_NE(dialog, nullptr);
  int pixels = DevicePixels(*dialog);
  wxIcon big = dialog->GetIcons().GetIcon(wxSize(pixels, pixels), wxIconBundle::FALLBACK_NONE);
  ASSERT_TRUE(big.IsOk()) << "no " << pixels << "-pixel window icon";
  wxBitmap bitmap;
  bitmap.CopyFromIcon(big);
  EXPECT_EQ(DifferingPixels(bitmap.ConvertToImage()), 0);
}
