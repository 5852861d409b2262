// CQuarryApp: the application. Its one object runs the main dialog and ends
// the application when the dialog closes.
#pragma once

#include "ui/framework/framework.h"

class CQuarryApp : public CWinApp {
 public:
  CQuarryApp();
  ~CQuarryApp() override;

  BOOL InitInstance() override;

 protected:
  DECLARE_MESSAGE_MAP()
};

extern CQuarryApp theApp;
