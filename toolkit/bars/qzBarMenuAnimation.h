#pragma once
// A menu window rolling out: unfolding (both sides grow by 8 pixels a frame, keeping their
// difference) or sliding (the height grows by 17 pixels a frame) from a picture of the finished
// menu painted beforehand. The menu steps it from a window timer on the user-interface thread, one
// frame a tick, and puts the window at its final bounds when the frames are done or it is cut short.

#include "rtl/Types.h"
#include "rtl/WinTypes.h"
#include "toolkit/bars/qzBar.h"

class TqzBarSubMenuControl;

class TqzBarMenuAnimation {
 public:
  // Takes the menu's current bounds as the final ones and paints the finished menu into the picture.
  TqzBarMenuAnimation(TqzBarSubMenuControl* AMenu, TqzBarMenuAnimations AEffect);
  ~TqzBarMenuAnimation();
  TqzBarMenuAnimation(const TqzBarMenuAnimation&) = delete;
  TqzBarMenuAnimation& operator=(const TqzBarMenuAnimation&) = delete;

  // Shows the next frame; false once every frame was shown.
  bool Step();
  Integer FrameCount() const noexcept { return FTotalGrowth / FGrowthStep; }
  // The window's final bounds (screen coordinates).
  TRect FinalBounds() const;

 private:
  TqzBarSubMenuControl* FMenu;
  TqzBarMenuAnimations FEffect;
  bool FGrowsLeft;
  bool FGrowsUp;
  Integer FFinalLeft;
  Integer FFinalTop;
  Integer FFinalClientWidth;
  Integer FFinalClientHeight;
  Integer FFrameWidth;
  Integer FFrameHeight;
  Integer FStartOffset;
  Integer FTotalGrowth;
  Integer FGrowthStep;
  Integer FFrame = 0;
  HDC FPictureDC = nullptr;
  HBITMAP FPicture = nullptr;
  HGDIOBJ FPreviousBitmap = nullptr;
};
