#pragma once
// How a ribbon takes over the caption strip of its form: the form describes its frame, the helper
// lays out the caption, the border icons and the system icon, hit-tests the caption, tracks presses
// on the icons and posts their system commands, makes the form's rounded region, and paints the
// caption by asking the ribbon through IqzRibbonFormNonClientPainter.

#include <memory>

#include "rtl/Interfaces.h"
#include "rtl/Types.h"
#include "rtl/WinTypes.h"
#include "toolkit/foundation/kvGraphics.h"
#include "vcl/Forms.h"
#include "vcl/Timers.h"

class TqzCustomRibbon;

// Compared and copied as a whole.
struct TqzFormFrameInfo {
  bool IsActive = false;
  TRect WindowRect{0, 0, 0, 0};  // the window's rectangle moved to the origin
  TFormBorderStyle FormBorderStyle = bsNone;
  HWND Wnd = nullptr;
  Byte SizeState = 0;  // 0 normal, 1 minimized, 2 maximized
  TFormStyle FormStyle = fsNormal;
  bool NoGlassFrame = false;

  friend bool operator==(const TqzFormFrameInfo&, const TqzFormFrameInfo&) = default;
};

// The ribbon's side of its form's caption. Icon kinds: 0 minimize, 1 maximize, 2 restore,
// 3 close, 4 help; states: 0 normal, 1 hot, 2 pressed, 3 inactive form, 4 inactive and hot.
class IqzRibbonFormNonClientPainter : public virtual IInterface {
  TAVREN_INTERFACE(IqzRibbonFormNonClientPainter)
 public:
  virtual void DrawNonClientCaption(TCanvas* ACanvas, const TRect& ACaptionBounds, const TqzFormFrameInfo& AInfo) = 0;
  virtual void DrawNonClientBorders(TCanvas* ACanvas, const TRect& ABorderWidths, const TqzFormFrameInfo& AInfo) = 0;
  virtual void DrawNonClientBorderIcon(TCanvas* ACanvas, const TRect& R, Integer AKind, Integer AState) = 0;
  // A region the caller deletes; nullptr for none.
  virtual HRGN GetApplicationButtonRegion() = 0;
  virtual Integer GetFormCaptionHeight() = 0;
  virtual TColor GetFrameColor() = 0;
  virtual String GetFormCaptionText() = 0;
  virtual TRect GetBorderWidths() = 0;
  virtual bool HasStatusBarInBorder() = 0;
  virtual void MDIStateChanged() = 0;
  virtual void CheckHiddenState() = 0;
  virtual void FullRedraw() = 0;
};

// A status bar that draws into the bottom border of a ribbon form.
class IqzRibbonStatusBarPainter : public virtual IInterface {
  TAVREN_INTERFACE(IqzRibbonStatusBarPainter)
 public:
  virtual bool ServesForm(TCustomForm* AForm) = 0;
  virtual Integer GetStatusBarHeight() = 0;
  // The state the ribbon's scheme draws a bottom corner of the border in (0 or 1).
  virtual Integer GetCornerState(bool ALeft) = 0;
};

// Where status bars that draw into a ribbon form's border register; objects that answer
// IqzRibbonStatusBarPainter are asked, others never.
class IqzRibbonStatusBarHost : public virtual IInterface {
  TAVREN_INTERFACE(IqzRibbonStatusBarHost)
 public:
  // Answers the object's place in the list; an object listed already stays where it is.
  virtual Integer AddStatusBarPainter(TObject* AObject) = 0;
  virtual void RemoveStatusBarPainter(TObject* AObject) = 0;
};

// What a ribbon form hands its key presses to before it handles them itself.
class IqzRibbonFormKeyHandler : public virtual IInterface {
  TAVREN_INTERFACE(IqzRibbonFormKeyHandler)
 public:
  virtual void FormKeyDown(Word& Key, TShiftState Shift) = 0;
};

// Whether the frame is drawn by the desktop composition for a form of this description.
bool UsesGlassFrame(const TqzFormFrameInfo& AInfo);
// What the window's frame takes on each side (its top less the caption); empty while iconic.
TRect GetFormFrameInsets(HWND AWnd);

class TqzRibbonFormCaptionHelper : public TObject {
  TAVREN_CLASS(TqzRibbonFormCaptionHelper, TObject)
 public:
  // Icon ids for the hot and pressed icon.
  enum TIconId : Byte { iiNone, iiClose, iiMinimize, iiMaximize, iiHelp };

  explicit TqzRibbonFormCaptionHelper(TqzCustomRibbon* ARibbon);
  ~TqzRibbonFormCaptionHelper() override;

  virtual void CalculateBorderIconRects();
  virtual void CalculateSystemIconRects();
  virtual void CalculateCaptionTextRect();
  virtual HRGN ApplicationButtonRegion();
  virtual TRect CaptionWindowRect();
  virtual HRGN CreateCaptionRegion();
  virtual void RibbonWndProc(TMessage& Message);
  virtual String FormCaptionText();
  virtual TRect FormBorderWidths();
  virtual Integer FormCaptionHeight();
  // The form's WM_NCHITTEST.
  virtual void NCHitTest(TMessage& Message);
  // A region the caller owns, or nullptr.
  virtual HRGN CreateWindowRegion();
  virtual bool IsCaptionPoint(Integer X, Integer Y);
  virtual bool CaptionMouseDown(const TPoint& P, TMouseButton Button);
  virtual bool CaptionMouseUp(const TPoint& P, TMouseButton Button);

  void CalculateLayout();
  void SetFrameInfo(const TqzFormFrameInfo& AInfo);
  void SetBorderIcons(TBorderIcons AIcons);
  void RibbonRecreated();
  // Onto the canvas through the caption bitmap, or without one as the ribbon's paint does.
  void DrawCaptionArea(TCanvas* ACanvas);

  const TqzFormFrameInfo& GetFrameInfo() const noexcept { return FFrameInfo; }
  TBorderIcons GetBorderIcons() const noexcept { return FBorderIcons; }
  const TRect& GetBorderIconsArea() const noexcept { return FBorderIconsArea; }
  const TRect& GetBorderIconRect(TBorderIcon AIcon) const { return FBorderIconRects[AIcon]; }
  const TRect& GetCaptionBounds() const noexcept { return FCaptionBounds; }
  const TRect& GetCaptionTextRect() const noexcept { return FCaptionTextRect; }
  const TRect& GetFormIconRect() const noexcept { return FFormIconRect; }
  const TRect& GetSystemIconRect() const noexcept { return FSystemIconRect; }
  HRGN GetCaptionRegion() const noexcept { return FCaptionRegion; }
  HRGN GetCaptionHitRegion() const noexcept { return FCaptionHitRegion; }
  TIconId GetHotIcon() const noexcept { return FHotIcon; }
  TIconId GetPressedIcon() const noexcept { return FPressedIcon; }
  bool HasMouseLeaveTimer() const noexcept { return FMouseLeaveTimer != nullptr; }

 private:
  bool IsRibbonReady();
  bool HasFormWindow() const { return FFrameInfo.Wnd != nullptr; }
  bool IsMinimized() const { return FFrameInfo.SizeState == 1; }
  bool IsMaximized() const { return FFrameInfo.SizeState == 2; }
  TRect FormClientArea();
  void CalculateRegions();
  void DeleteRegions();
  TIconId BorderIconAt(const TPoint& P);
  TPoint ScreenToRibbon(const TPoint& P);
  // The form's system menu at the screen point, outside the border icons.
  bool ShowSystemMenu(const TPoint& AScreenPoint, const TPoint& ARibbonPoint);
  void SetHotIcon(TIconId AIcon);
  void StartMouseLeaveTimer();
  void MouseLeaveTimerTick(TObject* Sender);
  void DrawBorderIcons(TCanvas* ACanvas);
  void PaintThroughBitmap(TCanvas* ACanvas);
  void PaintCaption(TCanvas* ACanvas);
  void RepaintBorderIcons();
  void ExcludeCaptionFromClip(HDC DC);

  TqzCustomRibbon* FRibbon;
  IqzRibbonFormNonClientPainter* FPainter;
  TWndMethod FSavedWndProc;
  std::unique_ptr<TkvBitmap> FCaptionBitmap;
  TBorderIcons FBorderIcons;
  TRect FBorderIconsArea;
  TRect FCaptionBounds;
  TRect FBorderIconRects[4];
  TRect FSystemIconRect;
  TRect FFormIconRect;
  TRect FCaptionTextRect;
  HRGN FCaptionRegion = nullptr;
  HRGN FCaptionClientRegion = nullptr;
  HRGN FCaptionHitRegion = nullptr;
  TIconId FHotIcon = iiNone;
  TIconId FPressedIcon = iiNone;
  bool FClientDrawing = false;
  bool FCaptured = false;
  std::unique_ptr<TTimer> FMouseLeaveTimer;
  TqzFormFrameInfo FFrameInfo;
};
