// Shared set-up of the dialog suites: the headless backend, a fresh current
// directory per test, pictures on disk and a way to run the main dialog.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/quarry_app.h"
#include "tests/support/bmp_writer.h"
#include "ui/framework/headless.h"
#include "ui/quarry_dlg.h"

class DialogTest : public ::testing::Test {
 protected:
  using Steps = std::function<void(headless::ModalView&)>;

  DialogTest() : cwd_(temp_.path()) {
    headless::Reset();
    g_bRanOnce = 0;
    // What the entry point does for an executable named ZT_Rastrum.
    theApp.SetAppName(L"ZT_Rastrum");
  }
  ~DialogTest() override { headless::Reset(); }

  // Runs the main dialog modally: `steps` act while it is open, then Escape
  // closes it unless a step did. The About box, when opened, runs `about`
  // (by default: Enter, its OK button). Returns DoModal's result.
  INT_PTR RunMainDialog(const Steps& steps, const Steps& about = {}) {
    headless::SetModalDriver([&](headless::ModalView& view) {
      if (view.TemplateId() == IDD_ABOUTBOX) {
        ++aboutBoxes_;
        about ? about(view) : view.PressEnter();
        return;
      }
      steps(view);
      if (!view.Ended()) view.PressEscape();
    });
    CQuarryDlg dialog;
    return dialog.DoModal();
  }

  // A 24-bit picture whose pixels depend on its position, so outputs differ.
  static void WritePicture(const std::filesystem::path& path, int width, int height) {
    testing_support::Picture picture;
    picture.width = width;
    picture.height = height;
    picture.pixel = [](int x, int y) {
      return testing_support::Rgb{static_cast<uint8_t>(40 * x), static_cast<uint8_t>(30 * y), 99};
    };
    std::filesystem::create_directories(path.parent_path());
    testing_support::WriteFile(path, testing_support::EncodeBitmap(picture));
  }

  // Names of the files in the current directory, sorted.
  static std::vector<std::string> FilesHere() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(".")) {
      if (entry.is_regular_file()) names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  // The four files a run at `bits` leaves: [table, binary, "bmp.c", "tmp.txt"]
  // matched by their endings; the time stamp in front varies.
  static bool HasRunOutputs(int bits) {
    std::string tail = "_";
    tail += std::to_string(bits);
    tail += "bit";
    bool table = false, binary = false, array = false, scratch = false;
    for (const std::string& name : FilesHere()) {
      table |= name.ends_with(tail + ".txt");
      binary |= name.ends_with(tail + ".bin");
      array |= name == "bmp.c";
      scratch |= name == "tmp.txt";
    }
    return table && binary && array && scratch;
  }

  testing_support::TempDir temp_;
  testing_support::ScopedCurrentDir cwd_;
  int aboutBoxes_ = 0;
};

inline std::vector<std::wstring> Texts(const std::vector<CString>& lines) {
  std::vector<std::wstring> texts;
  for (const CString& line : lines) texts.push_back(line.str());
  return texts;
}
