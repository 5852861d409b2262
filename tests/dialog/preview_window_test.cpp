// The preview window: opened by a double click on a picture's result line,
// it shows that picture's source and converted pixels at the dialog's depth,
// zoomed, with the picture's number, size and offset; Escape and the close
// box close it. Also the zoom of a picture control, which every backend shows.
#include <string>

#include "tests/dialog/dialog_fixture.h"
#include "ui/framework/pixel_view.h"

namespace {

struct Rgb {
  int r, g, b;
  bool operator==(const Rgb&) const = default;
};

// Pixel (x, y) of what a picture control shows.
Rgb At(const ZoomedPixels& shown, int x, int y) {
  const uint8_t* p = shown.rgb.data() + (static_cast<size_t>(y) * shown.width + x) * 3;
  return {p[0], p[1], p[2]};
}

const Rgb kMargin = {kMarginGrey, kMarginGrey, kMarginGrey};

bool StartsWith(const CString& text, const std::wstring& prefix) {
  return text.str().rfind(prefix, 0) == 0;
}

class PreviewWindowTest : public DialogTest {
 protected:
  // Runs the main dialog with `steps`; every preview window it opens runs
  // `preview`, which must close it.
  void Run(const Steps& steps, const Steps& preview) {
    headless::SetModalDriver([&](headless::ModalView& view) {
      if (view.TemplateId() == IDD_PREVIEW) {
        ++previews_;
        preview(view);
        EXPECT_TRUE(view.Ended());
        return;
      }
      steps(view);
      if (!view.Ended()) view.PressEscape();
    });
    CQuarryDlg dialog;
    dialog.DoModal();
  }

  int previews_ = 0;
};

}  // namespace

// Lines 0-2 are the notes, 3 and 4 the pictures a.bmp (3 x 2) and b.bmp.
TEST_F(PreviewWindowTest, ShowsTheDoubleClickedPictureAtTheDialogsDepth) {
  WritePicture("pics/a.bmp", 3, 2);
  WritePicture("pics/b.bmp", 2, 2);
  Run(
      [&](headless::ModalView& view) {
        view.Type(IDC_FOLDER, L"pics");
        view.Click(IDC_DEPTH24);
        view.Click(IDC_CONVERT);
        view.Click(IDC_DEPTH8);
        view.DoubleClick(IDC_LOG, 4);
        EXPECT_FALSE(view.Ended()) << "closing the preview closed the main dialog";
      },
      [&](headless::ModalView& view) {
        EXPECT_EQ(view.Caption().str(), L"Picture preview");
        EXPECT_EQ(view.Text(IDC_PREVIEW_NAME).str(), L"PIC_001: pics/b.bmp");
        EXPECT_EQ(
            view.Text(IDC_PREVIEW_PLACE).str(),
            L"2 x 2 pixels, offset 0x00000012 (18), 12 bytes in the 24-bit binary image file");
        EXPECT_EQ(view.Text(IDC_PREVIEW_SOURCE_LABEL).str(), L"Source");
        EXPECT_TRUE(StartsWith(view.Text(IDC_PREVIEW_SHOWN_LABEL),
                               L"On the display (8 bit): colour error mean "))
            << view.Text(IDC_PREVIEW_SHOWN_LABEL).str();

        // 2 x 2 pixels fit the 205 x 190 pane at the largest zoom, centred.
        EXPECT_EQ(view.Text(IDC_ZOOM).str(), L"8x");
        const ZoomedPixels& source = view.Picture(IDC_PREVIEW_SOURCE);
        const ZoomedPixels& shown = view.Picture(IDC_PREVIEW_SHOWN);
        ASSERT_EQ(source.width, 205);
        ASSERT_EQ(source.height, 190);
        ASSERT_EQ(shown.width, 205);
        const int left = (205 - 16) / 2, top = (190 - 16) / 2;
        EXPECT_EQ(At(source, left - 1, top), kMargin);
        EXPECT_EQ(At(source, left, top), (Rgb{0, 0, 99}));
        EXPECT_EQ(At(source, left + 15, top + 7), (Rgb{40, 0, 99}));
        EXPECT_EQ(At(source, left + 15, top + 8), (Rgb{40, 30, 99}));
        EXPECT_EQ(At(source, left + 16, top + 8), kMargin);
        // At 8 bits: red and blue levels L of 3 bits as L * 255 / 7, green
        // levels of 2 bits as L * 85.
        EXPECT_EQ(At(shown, left, top), (Rgb{0, 0, 73}));
        EXPECT_EQ(At(shown, left + 15, top + 15), (Rgb{36, 0, 73}));

        view.Click(IDC_ZOOM_IN);
        EXPECT_EQ(view.Text(IDC_ZOOM).str(), L"8x");
        for (int i = 0; i < 8; ++i) view.Click(IDC_ZOOM_OUT);
        EXPECT_EQ(view.Text(IDC_ZOOM).str(), L"1x");
        const ZoomedPixels& small = view.Picture(IDC_PREVIEW_SOURCE);
        EXPECT_EQ(At(small, 101, 94), (Rgb{0, 0, 99}));
        EXPECT_EQ(At(small, 102, 95), (Rgb{40, 30, 99}));
        EXPECT_EQ(At(small, 103, 95), kMargin);
        view.Click(IDC_ZOOM_IN);
        EXPECT_EQ(view.Text(IDC_ZOOM).str(), L"2x");
        view.PressEscape();
        EXPECT_EQ(view.Result(), IDCANCEL);
      });
  EXPECT_EQ(previews_, 1);
}

TEST_F(PreviewWindowTest, OnlyPictureLinesOfTheCurrentRunOpenOne) {
  WritePicture("pics/a.bmp", 3, 2);
  testing_support::WriteFile("pics/b.bmp", std::string("not a picture"));
  WritePicture("pics/c.bmp", 1, 1);
  std::vector<std::wstring> opened;
  Run(
      [&](headless::ModalView& view) {
        view.Type(IDC_FOLDER, L"pics");
        view.Click(IDC_CONVERT);
        ASSERT_EQ(view.Lines(IDC_LOG).size(), 6u);
        view.DoubleClick(IDC_LOG, 0);  // a note
        view.DoubleClick(IDC_LOG, 4);  // b.bmp, rejected
        EXPECT_EQ(previews_, 0);
        view.DoubleClick(IDC_LOG, 5);
        // A second run starts on an empty list: its lines are a.bmp, b.bmp,
        // c.bmp, then d.bmp (rejected), where a.bmp's line was before.
        testing_support::WriteFile("pics/d.bmp", std::string("not a picture"));
        WritePicture("pics/e.bmp", 1, 1);
        view.Click(IDC_CONVERT);
        view.DoubleClick(IDC_LOG, 0);
        view.DoubleClick(IDC_LOG, 2);
        view.DoubleClick(IDC_LOG, 1);
        view.DoubleClick(IDC_LOG, 3);
      },
      [&](headless::ModalView& view) {
        const std::wstring place = view.Text(IDC_PREVIEW_PLACE).str();
        opened.push_back(view.Text(IDC_PREVIEW_NAME).str() + L" " +
                         place.substr(0, place.find(L')') + 1));
        view.ChooseSystemCommand(SC_CLOSE);
      });
  EXPECT_EQ(opened, (std::vector<std::wstring>{
                        L"PIC_001: pics/c.bmp 1 x 1 pixels, offset 0x0000000C (12)",
                        L"PIC_000: pics/a.bmp 3 x 2 pixels, offset 0x00000000 (0)",
                        L"PIC_001: pics/c.bmp 1 x 1 pixels, offset 0x0000000C (12)",
                    }));
}

// A picture longer than 512 pixels is shown 1 pixel in n; one that the
// program can no longer read shows why, and empty panes.
TEST_F(PreviewWindowTest, SaysWhenAPictureIsDownscaledOrNoLongerReads) {
  WritePicture("pics/long.bmp", 600, 3);
  WritePicture("pics/short.bmp", 2, 1);
  std::vector<std::wstring> places;
  Run(
      [&](headless::ModalView& view) {
        view.Type(IDC_FOLDER, L"pics");
        view.Click(IDC_CONVERT);
        view.DoubleClick(IDC_LOG, 3);
        testing_support::WriteFile("pics/short.bmp", std::string("gone"));
        view.DoubleClick(IDC_LOG, 4);
      },
      [&](headless::ModalView& view) {
        places.push_back(view.Text(IDC_PREVIEW_PLACE).str());
        if (places.size() == 1) {
          EXPECT_EQ(view.Text(IDC_PREVIEW_SOURCE_LABEL).str(), L"Source, shown 1 pixel in 2");
          EXPECT_EQ(view.Text(IDC_ZOOM).str(), L"1x");
          // 300 x 2 shown pixels: the pane's 205 columns show the first
          // ones, its rows 94 and 95 the picture's rows 0 and 2.
          const ZoomedPixels& source = view.Picture(IDC_PREVIEW_SOURCE);
          EXPECT_EQ(At(source, 204, 94), (Rgb{(40 * 408) & 255, 0, 99}));
          EXPECT_EQ(At(source, 204, 95), (Rgb{(40 * 408) & 255, 60, 99}));
          EXPECT_EQ(At(source, 204, 96), kMargin);
        } else {
          EXPECT_EQ(At(view.Picture(IDC_PREVIEW_SHOWN), 102, 95), kMargin);
        }
        view.PressEscape();
      });
  ASSERT_EQ(places.size(), 2u);
  EXPECT_EQ(places[0],
            L"600 x 3 pixels, offset 0x00000000 (0), 3600 bytes in the 16-bit binary image file");
  EXPECT_TRUE(StartsWith(places[1], L"Not shown, the file no longer reads as a picture: "))
      << places[1];
}

TEST(PixelZoom, CentresWhatFitsAndCutsWhatDoesNot) {
  // 3 x 1 pixels: red, green, blue.
  const uint8_t rgba[] = {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255};
  ZoomedPixels wide = ZoomPixels(rgba, 3, 1, 4, 10, 7);
  ASSERT_EQ(wide.width, 10);
  ASSERT_EQ(wide.height, 7);
  ASSERT_EQ(wide.rgb.size(), 10u * 7 * 3);
  // 4 rows of 7, from row 1; 10 columns of 12, from column 0.
  EXPECT_EQ(At(wide, 0, 0), kMargin);
  EXPECT_EQ(At(wide, 0, 1), (Rgb{255, 0, 0}));
  EXPECT_EQ(At(wide, 3, 4), (Rgb{255, 0, 0}));
  EXPECT_EQ(At(wide, 4, 4), (Rgb{0, 255, 0}));
  EXPECT_EQ(At(wide, 9, 1), (Rgb{0, 0, 255}));
  EXPECT_EQ(At(wide, 9, 5), kMargin);

  ZoomedPixels none = ZoomPixels(nullptr, 0, 0, 1, 2, 2);
  EXPECT_EQ(none.rgb, std::vector<uint8_t>(12, kMarginGrey));
}
