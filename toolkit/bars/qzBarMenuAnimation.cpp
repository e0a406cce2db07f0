// The frames of a menu's unfold and slide: each frame sizes the window round the part of the
// finished picture it shows and copies that part in.

#include "toolkit/bars/qzBarMenuAnimation.h"

#include <algorithm>

#include "gdi/Bitmaps.h"
#include "gdi/DeviceContexts.h"
#include "gdi/Drawing.h"
#include "toolkit/bars/qzBarSubMenuControl.h"
#include "user/Messages.h"
#include "user/Painting.h"
#include "user/Rects.h"
#include "user/WindowPos.h"

TqzBarMenuAnimation::TqzBarMenuAnimation(TqzBarSubMenuControl* AMenu, TqzBarMenuAnimations AEffect)
    : FMenu(AMenu), FEffect(AEffect) {
  HWND wnd = AMenu->GetHandle();
  RECT window{};
  ::GetWindowRect(wnd, &window);
  RECT client{};
  ::GetClientRect(wnd, &client);
  // The window ended up opening to the left or upwards: that edge moves, the other stays.
  FGrowsLeft = AMenu->OpensLeft();
  FGrowsUp = AMenu->OpensUp();
  FFinalLeft = window.Left;
  FFinalTop = window.Top;
  FFinalClientWidth = client.Width();
  FFinalClientHeight = client.Height();
  FFrameWidth = window.Width() - FFinalClientWidth;
  FFrameHeight = window.Height() - FFinalClientHeight;
  if (AEffect == maSlide) {
    FStartOffset = 0;
    FTotalGrowth = FFinalClientHeight;
    FGrowthStep = 17;
  } else {
    FStartOffset = FFinalClientHeight - FFinalClientWidth;
    FTotalGrowth = std::min(FFinalClientWidth, FFinalClientHeight);
    FGrowthStep = 8;
  }
  HDC screen = GetDC(wnd);
  FPictureDC = CreateCompatibleDC(screen);
  FPicture = CreateCompatibleBitmap(screen, std::max(FFinalClientWidth, 1), std::max(FFinalClientHeight, 1));
  ReleaseDC(wnd, screen);
  FPreviousBitmap = SelectObject(FPictureDC, FPicture);
  AMenu->Perform(WM_PAINT, reinterpret_cast<WPARAM>(FPictureDC), 0);
}

TqzBarMenuAnimation::~TqzBarMenuAnimation() {
  SelectObject(FPictureDC, FPreviousBitmap);
  DeleteObject(FPicture);
  DeleteDC(FPictureDC);
}

TRect TqzBarMenuAnimation::FinalBounds() const {
  return TRect(FFinalLeft, FFinalTop, FFinalLeft + FFinalClientWidth + FFrameWidth,
               FFinalTop + FFinalClientHeight + FFrameHeight);
}

bool TqzBarMenuAnimation::Step() {
  if (FFrame >= FrameCount()) return false;
  ++FFrame;
  Integer a = FFrame * FGrowthStep;
  Integer w, h;
  if (FStartOffset >= 0) {
    w = FEffect == maSlide ? FFinalClientWidth : a;
    h = a + FStartOffset;
  } else {
    w = a - FStartOffset;
    h = a;
  }
  HWND wnd = FMenu->GetHandle();
  RECT window{};
  ::GetWindowRect(wnd, &window);
  RECT client{};
  ::GetClientRect(wnd, &client);
  Integer x = FGrowsLeft ? window.Left + client.Width() - w : window.Left;
  Integer y = FGrowsUp ? window.Top + client.Height() - h : window.Top;
  SetWindowPos(wnd, nullptr, x, y, w + FFrameWidth, h + FFrameHeight,
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  // The part of the picture this frame shows.
  Integer sx = 0, sy = 0;
  if (!FGrowsUp) {
    sy = FFinalClientHeight - h;
    if (FGrowsLeft) sx = FFinalClientWidth - w;
  }
  HDC DC = GetDC(wnd);
  BitBlt(DC, 0, 0, w, h, FPictureDC, sx, sy, SRCCOPY);
  ReleaseDC(wnd, DC);
  return true;
}
