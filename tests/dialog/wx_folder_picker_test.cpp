// The folder picker of the wx backend with GTK's chooser: the chosen
// folder's path comes back whole even when its name is not UTF-8. Needs a
// display (run under Xvfb).
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <wx/timer.h>

#include <filesystem>
#include <string>

#include "platform/text_encoding.h"
#include "tests/support/bmp_writer.h"
#include "ui/framework/folder_picker.h"

namespace {

// GTK's own calls, from the library wx has loaded: what a user does in the
// chooser, without GTK's headers.
template <typename Function>
Function Gtk(const char* name) {
  return reinterpret_cast<Function>(dlsym(RTLD_DEFAULT, name));
}

struct GList {
  void* data;
  GList* next;
  GList* prev;
};

// The chooser window on the screen, or null.
void* ShownChooser() {
  auto toplevels = Gtk<GList* (*)()>("gtk_window_list_toplevels");
  auto chooserType = Gtk<size_t (*)()>("gtk_file_chooser_get_type");
  auto isA = Gtk<int (*)(void*, size_t)>("g_type_check_instance_is_a");
  auto visible = Gtk<int (*)(void*)>("gtk_widget_get_visible");
  auto freeList = Gtk<void (*)(GList*)>("g_list_free");
  void* found = nullptr;
  GList* list = toplevels();
  for (GList* node = list; node; node = node->next) {
    if (isA(node->data, chooserType()) && visible(node->data)) found = node->data;
  }
  freeList(list);
  return found;
}

}  // namespace

TEST(WxFolderPicker, NameThatIsNotUtf8ComesBackWhole) {
  testing_support::TempDir temp;
  const std::string bytes = temp.path().string() + "/pics\xff\xfe";
  std::filesystem::create_directory(bytes);

  // Selects the folder in its parent's view once the chooser shows, and
  // presses Select once the chooser has loaded the view and taken it (until
  // then it names the folder it shows).
  wxTimer timer;
  int polls = 0;
  bool selected = false;
  timer.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
    void* chooser = ShownChooser();
    if (chooser && !selected) {
      selected = Gtk<int (*)(void*, const char*)>("gtk_file_chooser_select_filename")(
          chooser, bytes.c_str());
    } else if (chooser) {
      char* name = Gtk<char* (*)(void*)>("gtk_file_chooser_get_filename")(chooser);
      bool taken = name && name == bytes;
      if (name) Gtk<void (*)(void*)>("g_free")(name);
      if (taken) {
        timer.Stop();
        constexpr int kGtkResponseAccept = -3;
        Gtk<void (*)(void*, int)>("gtk_dialog_response")(chooser, kGtkResponseAccept);
      }
    }
    if (++polls > 200) {
      timer.Stop();
      constexpr int kGtkResponseCancel = -6;
      if (chooser) Gtk<void (*)(void*, int)>("gtk_dialog_response")(chooser, kGtkResponseCancel);
    }
  });
  timer.Start(50);
  CString path;
  ASSERT_TRUE(AfxBrowseForFolder(nullptr, L"Please select the folder", 0, path));
  EXPECT_EQ(platform::WideToAnsi(path), bytes);
}
