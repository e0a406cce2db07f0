#include "ControlsFixture.h"
#include "controls/Static.h"

namespace {

using Static = ControlsTest;

TEST_F(Static, ClicksPassThroughUnlessItNotifies) {
  HWND quiet = Child("STATIC", "quiet", SS_LEFT, Bounds(10, 10, 100, 20), 1);
  HWND notifying = Child("STATIC", "notify", SS_LEFT | SS_NOTIFY, Bounds(10, 40, 100, 20), 2);
  POINT p{20, 20};
  ClientToScreen(parent, &p);
  EXPECT_EQ(SendMessage(quiet, WM_NCHITTEST, 0, MAKELPARAM(p.X, p.Y)), HTTRANSPARENT);
  EXPECT_EQ(SendMessage(quiet, WM_GETDLGCODE, 0, 0), DLGC_STATIC);
  Click(notifying, 5, 5);
  EXPECT_EQ(Commands(notifying), std::vector<WORD>{STN_CLICKED});
  EnableWindow(notifying, FALSE);
  EXPECT_EQ(Commands(notifying).back(), STN_DISABLE);
}

TEST_F(Static, ImagesSizeTheControl) {
  HWND picture = Child("STATIC", "", SS_BITMAP, Bounds(10, 10, 5, 5), 1);
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 32, 24);
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(SendMessage(picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)), 0);
  RECT r;
  GetClientRect(picture, &r);
  EXPECT_EQ(r, Bounds(0, 0, 32, 24));
  EXPECT_EQ(SendMessage(picture, STM_GETIMAGE, IMAGE_BITMAP, 0), reinterpret_cast<LRESULT>(bitmap));
  EXPECT_EQ(SendMessage(picture, STM_SETIMAGE, IMAGE_BITMAP, 0), reinterpret_cast<LRESULT>(bitmap));
  DestroyWindow(picture);
  DeleteObject(bitmap);
}

TEST_F(Static, Screenshot) {
  Child("STATIC", "Left aligned text that wraps onto a second line", SS_LEFT, Bounds(10, 10, 150, 34), 1);
  Child("STATIC", "Centred", SS_CENTER, Bounds(10, 50, 150, 16), 2);
  Child("STATIC", "Right", SS_RIGHT | SS_SUNKEN, Bounds(10, 70, 150, 16), 3);
  Child("STATIC", "A long caption cut with an ellipsis", SS_LEFT | SS_ENDELLIPSIS, Bounds(10, 90, 150, 16), 4);
  Child("STATIC", "/home/user/videos/holiday/clip.avi", SS_LEFT | SS_PATHELLIPSIS, Bounds(10, 110, 150, 16), 5);
  Child("STATIC", "&Prefix and && no prefix", SS_LEFT, Bounds(10, 130, 150, 16), 6);
  Child("STATIC", "", SS_ETCHEDHORZ, Bounds(10, 155, 150, 2), 7);
  Child("STATIC", "", SS_ETCHEDVERT, Bounds(170, 10, 2, 150), 8);
  Child("STATIC", "", SS_BLACKRECT, Bounds(190, 10, 40, 30), 9);
  Child("STATIC", "", SS_GRAYRECT, Bounds(240, 10, 40, 30), 10);
  Child("STATIC", "", SS_WHITERECT, Bounds(290, 10, 40, 30), 11);
  Child("STATIC", "", SS_BLACKFRAME, Bounds(190, 50, 40, 30), 12);
  Child("STATIC", "", SS_ETCHEDFRAME, Bounds(240, 50, 90, 30), 13);
  HWND off = Child("STATIC", "Disabled", SS_LEFT, Bounds(190, 90, 100, 16), 14);
  EnableWindow(off, FALSE);
  Pump();
  Screenshot(parent, "statics");
}

}  // namespace
