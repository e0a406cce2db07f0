// The program under a window manager: it moves forms by their captions, sizes sizable forms by
// their borders within their constraints, lists them by their captions, and drop-downs still work.

#include <algorithm>

#include "DesktopFixture.h"
#include "user/User.h"

TEST_F(WindowManagerTest, FormMovesByItsCaptionAndResizesByItsCornerWithinItsConstraints) {
  TForm* form = ShowForm("Sizable", Bounds(100, 100, 400, 300));
  form->GetConstraints()->SetMaxWidth(560);
  XWindow window = ShowAndWait(form);
  ASSERT_NE(window, 0u);
  const RECT start = X().Geometry(window);
  const POINT caption{start.Left + 120, start.Top + 10};
  EXPECT_TRUE(Drive(
      [&](XDriver& x) {
        // The window manager takes the keyboard once it moves the window.
        EXPECT_TRUE(x.Drag(caption, {caption.X + 140, caption.Y + 90}, [&] { return x.KeyboardGrabbed(); }));
        EXPECT_TRUE(x.WaitFor([&] { return x.Geometry(window).Left == start.Left + 140; }));
      },
      [&] { return form->GetLeft() == start.Left + 140 && form->GetTop() == start.Top + 90; }))
      << "form at " << form->GetLeft() << ", " << form->GetTop();
  Shot("moved");

  const RECT moved = X().Geometry(window);
  const POINT corner{moved.Right - 2, moved.Bottom - 2};
  EXPECT_TRUE(Drive(
      [&](XDriver& x) {
        EXPECT_TRUE(x.Drag(corner, {corner.X + 300, corner.Y + 60}, [&] { return x.KeyboardGrabbed(); }));
        EXPECT_TRUE(x.WaitFor([&] { return x.Geometry(window).Height() == moved.Height() + 60; }));
      },
      [&] { return form->GetWidth() == 560 && form->GetHeight() == moved.Height() + 60; }))
      << "form of " << form->GetWidth() << " x " << form->GetHeight();
  // The grown part shows the form's face, not what was behind it.
  const RECT grown = X().Geometry(window);
  EXPECT_EQ(grown.Width(), 560);
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const uint32_t expected = (GetRValue(face) << 16) | (GetGValue(face) << 8) | GetBValue(face);
  EXPECT_TRUE(RunUntil([&] { return X().Pixel({grown.Right - 40, grown.Bottom - 30}) == expected; }))
      << std::hex << X().Pixel({grown.Right - 40, grown.Bottom - 30});
  Shot("resized");
}

TEST_F(WindowManagerTest, WindowListShowsTheFormsCaption) {
  TForm* form = ShowForm("Listed form", Bounds(80, 80, 300, 160));
  ASSERT_NE(ShowAndWait(form), 0u);
  EXPECT_TRUE(RunUntil([&] {
    std::vector<XWindow> listed = X().ClientList();
    return std::any_of(listed.begin(), listed.end(), [&](XWindow w) { return X().Title(w) == "Listed form"; });
  }));
}

TEST_F(WindowManagerTest, DropDownChoosesAnItem) { ChooseFromDropDown(); }
