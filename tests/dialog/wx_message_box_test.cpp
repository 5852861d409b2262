// The message box of the wx backend: the icon its type calls for, and a
// width that shows the whole caption. Needs a display (run under Xvfb).
#include <gtest/gtest.h>
#include <wx/dialog.h>
#include <wx/statbmp.h>
#include <wx/timer.h>

#include "ui/framework/message_box.h"
#include "ui/framework/win_app.h"

TEST(WxMessageBox, ShowsItsIconAndItsWholeCaption) {
  for (UINT type : {static_cast<UINT>(MB_OK), static_cast<UINT>(MB_OK | MB_ICONERROR)}) {
    SCOPED_TRACE(type);
    bool seen = false;
    wxTimer timer;
    timer.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
      for (wxWindow* window : wxTopLevelWindows) {
        auto* box = dynamic_cast<wxDialog*>(window);
        if (!box || !box->IsShown()) continue;
        timer.Stop();
        seen = true;
        int icons = 0;
        for (wxWindow* child : box->GetChildren()) {
          auto* picture = dynamic_cast<wxStaticBitmap*>(child);
          if (picture && picture->GetBitmap().IsOk() && picture->GetBitmap().GetWidth() >= 32) {
            ++icons;
          }
        }
        EXPECT_EQ(icons, 1);
        wxFont bold = box->GetFont().Bold();
        int caption = 0;
        box->GetTextExtent(box->GetTitle(), &caption, nullptr, nullptr, nullptr, &bold);
        EXPECT_GT(box->GetClientSize().x, caption + 3 * box->GetCharHeight());
        box->EndModal(wxID_OK);
        return;
      }
    });
    timer.Start(50);
    EXPECT_EQ(AfxMessageBox(L"No related files", type, 0), IDOK);
    EXPECT_TRUE(seen);
  }
}
