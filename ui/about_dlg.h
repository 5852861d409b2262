// CAboutDlg: the About box, opened from the system menu.
#pragma once

#include "ui/framework/framework.h"
#include "ui/resource.h"

class CAboutDlg : public CDialog {
 public:
  enum { IDD = IDD_ABOUTBOX };

  CAboutDlg();
  ~CAboutDlg() override;

 protected:
  DECLARE_MESSAGE_MAP()
};
