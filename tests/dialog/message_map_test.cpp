// Message maps: dispatch to the most derived handler, base maps, commands
// by id and notification code, and the default processing.
#include <gtest/gtest.h>

#include "ui/framework/dialog.h"

namespace {

class BaseTarget : public CWnd {
 public:
  int baseClicks = 0;
  int painted = 0;

 protected:
  afx_msg void OnBaseButton() { ++baseClicks; }
  afx_msg void OnPaint() { ++painted; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(BaseTarget, CWnd)
ON_BN_CLICKED(7, &BaseTarget::OnBaseButton)
ON_WM_PAINT()
END_MESSAGE_MAP()

class DerivedTarget : public BaseTarget {
 public:
  int derivedClicks = 0;
  UINT lastSysCommand = 0;
  INT_PTR lastParam = 0;

 protected:
  afx_msg void OnDerivedButton() { ++derivedClicks; }
  afx_msg void OnSysCommand(UINT nID, INT_PTR lParam) {
    lastSysCommand = nID;
    lastParam = lParam;
  }
  afx_msg HCURSOR OnQueryDragIcon() { return reinterpret_cast<HCURSOR>(0x1234); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DerivedTarget, BaseTarget)
ON_BN_CLICKED(7, &DerivedTarget::OnDerivedButton)
ON_BN_CLICKED(8, &DerivedTarget::OnDerivedButton)
ON_WM_SYSCOMMAND()
ON_WM_QUERYDRAGICON()
END_MESSAGE_MAP()

BOOL Send(CCmdTarget& target, UINT message, WPARAM wParam, INT_PTR lParam = 0,
          INT_PTR* result = nullptr) {
  INT_PTR ignored = 0;
  return target.OnWndMsg(message, wParam, lParam, result ? result : &ignored);
}

}  // namespace

TEST(MessageMap, DerivedEntriesWinAndBaseEntriesStillApply) {
  DerivedTarget target;
  EXPECT_TRUE(Send(target, WM_COMMAND, MAKEWPARAM(7, BN_CLICKED)));
  EXPECT_TRUE(Send(target, WM_COMMAND, MAKEWPARAM(8, BN_CLICKED)));
  EXPECT_TRUE(Send(target, WM_PAINT, 0));
  EXPECT_EQ(target.derivedClicks, 2);
  EXPECT_EQ(target.baseClicks, 0);
  EXPECT_EQ(target.painted, 1);

  BaseTarget base;
  EXPECT_TRUE(Send(base, WM_COMMAND, MAKEWPARAM(7, BN_CLICKED)));
  EXPECT_EQ(base.baseClicks, 1);
}

TEST(MessageMap, CommandsMatchIdAndNotificationCode) {
  DerivedTarget target;
  EXPECT_FALSE(Send(target, WM_COMMAND, MAKEWPARAM(9, BN_CLICKED)));
  EXPECT_FALSE(Send(target, WM_COMMAND, MAKEWPARAM(7, 1)));
  EXPECT_FALSE(Send(target, WM_COMMAND, 7 + (7 << 16)));
  EXPECT_FALSE(Send(target, WM_ICONERASEBKGND, 0));
  EXPECT_EQ(target.derivedClicks, 0);
}

TEST(MessageMap, HandlersReceiveParametersAndReturnResults) {
  DerivedTarget target;
  INT_PTR result = 0;
  EXPECT_TRUE(Send(target, WM_SYSCOMMAND, 0xF065, 42));
  EXPECT_EQ(target.lastSysCommand, 0xF065u);
  EXPECT_EQ(target.lastParam, 42);
  EXPECT_TRUE(Send(target, WM_QUERYDRAGICON, 0, 0, &result));
  EXPECT_EQ(result, 0x1234);
}

TEST(MessageMap, DialogMapsOkAndCancelToVirtualHandlers) {
  struct Dialog : CDialog {
    Dialog() : CDialog(0) {}
    int ok = 0, cancel = 0;
    void OnOK() override { ++ok; }
    void OnCancel() override { ++cancel; }
  } dialog;
  EXPECT_TRUE(Send(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED)));
  EXPECT_TRUE(Send(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED)));
  EXPECT_EQ(dialog.ok, 1);
  EXPECT_EQ(dialog.cancel, 1);
}
