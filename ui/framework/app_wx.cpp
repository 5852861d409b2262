// Application services of the wx backend: icons, message boxes, the folder
// chooser and the busy pointer.
// wxGenericMessageDialog needs wxMessageDialogBase first.
// clang-format off
#include <wx/msgdlg.h>
#include <wx/generic/msgdlgg.h>
// clang-format on
#include <wx/dirdlg.h>
#include <wx/sizer.h>
#include <wx/utils.h>

#include <algorithm>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "platform/text_encoding.h"
#include "ui/framework/folder_picker.h"
#include "ui/framework/message_box.h"
#include "ui/framework/wait_cursor.h"
#include "ui/framework/win_app.h"
#include "ui/framework/wnd.h"
#include "ui/framework/wx_host.h"
#include "ui/framework/wx_trace.h"

namespace {

wxImage ImageOf(const uint32_t* pixels, int size) {
  wxImage image(size, size);
  image.InitAlpha();
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      uint32_t argb = pixels[y * size + x];
      image.SetRGB(x, y, (argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF);
      image.SetAlpha(x, y, static_cast<unsigned char>(argb >> 24));
    }
  }
  return image;
}

// The window that owns modal boxes: the innermost open dialog.
wxWindow* ActiveOwner() {
  wxWindow* active = wxGetActiveWindow();
  if (active) return wxGetTopLevelParent(active);
  CWinApp* app = AfxGetApp();
  return app && app->m_pMainWnd ? ToWx(app->m_pMainWnd->m_hWnd) : nullptr;
}

// wxDirDialog decodes the chosen path as UTF-8 and has none for a name that
// is not; GTK's own chooser, from the library wx has loaded, gives the
// path's bytes. Empty when this wx is not built on GTK.
std::optional<std::optional<std::string>> ChooseFolderWithGtk(wxWindow* owner,
                                                              const wxString& title) {
  auto create = GtkCall<void* (*)(const char*, void*, int, const char*, const char*)>(
      "gtk_file_chooser_native_new");
  auto run = GtkCall<int (*)(void*)>("gtk_native_dialog_run");
  auto getFilename = GtkCall<char* (*)(void*)>("gtk_file_chooser_get_filename");
  auto release = GtkCall<void (*)(void*)>("g_free");
  auto unref = GtkCall<void (*)(void*)>("g_object_unref");
  if (!create || !run || !getFilename || !release || !unref) return std::nullopt;
  constexpr int kSelectFolder = 2;     // GTK_FILE_CHOOSER_ACTION_SELECT_FOLDER
  constexpr int kResponseAccept = -3;  // GTK_RESPONSE_ACCEPT
  void* parent = owner ? owner->GetHandle() : nullptr;
  void* chooser = create(title.utf8_str(), parent, kSelectFolder, nullptr, nullptr);
  std::optional<std::string> path;
  if (run(chooser) == kResponseAccept) {
    if (char* name = getFilename(chooser)) {
      path = name;
      release(name);
    }
  }
  unref(chooser);
  return path;
}

// A message box wide enough for its title bar: the caption in a bold face
// and room for the frame's buttons beside it.
class MessageBox : public wxGenericMessageDialog {
 public:
  using wxGenericMessageDialog::wxGenericMessageDialog;

 protected:
  void AddMessageDialogDetails(wxSizer* sizer) override {
    wxFont bold = GetFont().Bold();
    int captionWidth = 0;
    GetTextExtent(GetTitle(), &captionWidth, nullptr, nullptr, nullptr, &bold);
    sizer->Add(captionWidth + 6 * GetCharHeight(), 0);
  }
};

}  // namespace

wxImage WxIcon::At(int size) const {
  auto fits = std::find_if(images.begin(), images.end(),
                           [size](const wxImage& image) { return image.GetWidth() >= size; });
  const wxImage& source = fits != images.end() ? *fits : images.back();
  return source.GetWidth() == size ? source : source.Scale(size, size, wxIMAGE_QUALITY_HIGH);
}

// The bundle's own size is the first bitmap's; wx picks the one that
// matches the window's scale, and scales the nearest where none does.
wxBitmapBundle WxIcon::Bundle(int size) const {
  wxVector<wxBitmap> bitmaps(1, wxBitmap(At(size)));
  for (const wxImage& image : images) {
    if (image.GetWidth() > size) bitmaps.push_back(wxBitmap(image));
  }
  return wxBitmapBundle::FromBitmaps(bitmaps);
}

HICON CWinApp::LoadIcon(UINT nIDResource) const {
  static std::map<UINT, std::unique_ptr<WxIcon>> loaded;
  auto found = loaded.find(nIDResource);
  if (found != loaded.end()) return reinterpret_cast<HICON>(found->second.get());
  const IconResource* resource = AfxFindIcon(nIDResource);
  if (!resource || resource->sizes.empty()) return nullptr;
  auto icon = std::make_unique<WxIcon>();
  for (int size : resource->sizes) icon->images.push_back(ImageOf(resource->pixels(size), size));
  HICON handle = reinterpret_cast<HICON>(icon.get());
  loaded.emplace(nIDResource, std::move(icon));
  return handle;
}

// GTK registers its widget classes itself.
BOOL AfxInitCommonControls(UINT) {
  return TRUE;
}

// Without an icon flag, an OK box shows the exclamation icon, as the
// framework's boxes do. GTK's own message dialog shows no icon and is as
// narrow as its text, so the box is wx's generic one.
int AfxMessageBox(const wchar_t* lpszText, UINT nType, UINT) {
  CWinApp* app = AfxGetApp();
  wxString caption = app ? ToWxString(app->m_strAppName) : wxString();
  long icon = (nType & MB_ICONMASK) == MB_ICONERROR ? wxICON_ERROR : wxICON_EXCLAMATION;
  long style = wxCENTRE | icon | ((nType & 0xF) == MB_OK ? wxOK : wxOK | wxCANCEL);
  wxString text = ToWxString(lpszText);
  MessageBox box(ActiveOwner(), text, caption, style);
  TraceDialog("messagebox " + caption + "|" + text + (icon == wxICON_ERROR ? " (error)" : ""));
  return box.ShowModal() == wxID_OK ? IDOK : IDCANCEL;
}

BOOL AfxBrowseForFolder(CWnd* pOwner, const wchar_t* lpszTitle, UINT, CString& rPath) {
  wxWindow* owner = pOwner ? ToWx(pOwner->m_hWnd) : nullptr;
  owner = owner ? wxGetTopLevelParent(owner) : ActiveOwner();
  if (auto chosen = ChooseFolderWithGtk(owner, wxString(lpszTitle))) {
    if (!*chosen) return FALSE;
    rPath = platform::AnsiToWide(**chosen);
    return TRUE;
  }
  wxDirDialog chooser(owner, wxString(lpszTitle), wxEmptyString,
                      wxDD_DEFAULT_STYLE | wxDD_DIR_MUST_EXIST);
  if (chooser.ShowModal() != wxID_OK) return FALSE;
  rPath = FromWxString(chooser.GetPath());
  return TRUE;
}

CWaitCursor::CWaitCursor() {
  wxBeginBusyCursor();
}

CWaitCursor::~CWaitCursor() {
  wxEndBusyCursor();
}
