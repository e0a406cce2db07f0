#pragma once
// The Wb track bar: a slider whose thumb is one of seven bitmap sets from the resources, recoloured
// at load time to the system's button colours, the highlight and a hot-track colour. It draws a
// framed track and tick marks (or lets the owner draw them), moves the thumb by keyboard, dragging
// and paging with auto-repeat, shows a hot thumb under the mouse, and lets the owner veto moves.

#include <memory>

#include "toolkit/controls/WbCommon.h"
#include "vcl/Controls.h"
#include "vcl/Graphics.h"

class TTimer;
class TWbTrackBar;

enum TThumbStyle { tsBox, tsCustom, tsMixer, tsPointer, tsFlat, tsXPPointer, tsXPBox };
TAVREN_ENUM_INFO(TThumbStyle, tsBox, tsCustom, tsMixer, tsPointer, tsFlat, tsXPPointer, tsXPBox);
enum TTickStyle { tkStandard, tkOwnerDraw };
TAVREN_ENUM_INFO(TTickStyle, tkStandard, tkOwnerDraw);
enum TPointerType { ptStandard, ptWin95 };
TAVREN_ENUM_INFO(TPointerType, ptStandard, ptWin95);
using TDrawTickEvent = TEvent<void(TWbTrackBar* TrackBar, TCanvas* Canvas, TPoint Location, Integer Index)>;

class TWbTrackBar : public TCustomControl {
  TAVREN_CLASS(TWbTrackBar, TCustomControl)
  TAVREN_MESSAGES()
 public:
  explicit TWbTrackBar(TComponent* AOwner);
  ~TWbTrackBar() override;

  TBitmap* GetCustomThumb() const { return FCustomThumb.get(); }
  virtual void SetCustomThumb(TBitmap* Value);
  TColor GetHighlightColor() const { return FHighlightColor; }
  virtual void SetHighlightColor(TColor Value);
  TColor GetHotTrackColor() const { return FHotTrackColor; }
  virtual void SetHotTrackColor(TColor Value);
  TWbHotTrackColorType GetHotTrackColorType() const { return FHotTrackColorType; }
  virtual void SetHotTrackColorType(TWbHotTrackColorType Value);
  Integer GetMax() const { return FMax; }
  virtual void SetMax(Integer Value);
  Integer GetMin() const { return FMin; }
  virtual void SetMin(Integer Value);
  TOrientation GetOrientation() const { return FOrientation; }
  virtual void SetOrientation(TOrientation Value);
  Word GetPageSize() const { return FPageSize; }
  void SetPageSize(Word Value) { FPageSize = Value; }
  TPointerType GetPointerType() const { return FPointerType; }
  virtual void SetPointerType(TPointerType Value);
  Integer GetPosition() const { return FPosition; }
  virtual void SetPosition(Integer Value);
  bool GetShowFocusRect() const { return FShowFocusRect; }
  void SetShowFocusRect(bool Value) { FShowFocusRect = Value; }
  bool GetShowTicks() const { return FShowTicks; }
  virtual void SetShowTicks(bool Value);
  bool GetTabOnEnter() const { return FTabOnEnter; }
  void SetTabOnEnter(bool Value) { FTabOnEnter = Value; }
  TThumbStyle GetThumbStyle() const { return FThumbStyle; }
  virtual void SetThumbStyle(TThumbStyle Value);
  TColor GetTickColor() const { return FTickColor; }
  virtual void SetTickColor(TColor Value);
  TPositiveInteger GetTickStep() const { return FTickStep; }
  virtual void SetTickStep(TPositiveInteger Value);
  TTickStyle GetTickStyle() const { return FTickStyle; }
  virtual void SetTickStyle(TTickStyle Value);
  TColor GetTrackColor() const { return FTrackColor; }
  virtual void SetTrackColor(TColor Value);
  Word GetTrackOffset() const { return FTrackOffset; }
  virtual void SetTrackOffset(Word Value);
  TFrameStyle GetTrackFrame() const { return FTrackFrame; }
  virtual void SetTrackFrame(TFrameStyle Value);
  TColor GetTrackFrameColor() const { return FTrackFrameColor; }
  virtual void SetTrackFrameColor(TColor Value);
  Word GetTrackWidth() const { return FTrackWidth; }
  virtual void SetTrackWidth(Word Value);
  bool GetTransparent() const { return FTransparent; }
  virtual void SetTransparent(bool Value);
  TNotifyEvent GetOnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = Value; }
  TPositionChangingEvent GetOnChanging() const { return FOnChanging; }
  void SetOnChanging(TPositionChangingEvent Value) { FOnChanging = Value; }
  TDrawTickEvent GetOnDrawTick() const { return FOnDrawTick; }
  void SetOnDrawTick(TDrawTickEvent Value) { FOnDrawTick = Value; }

  // The state the painting and the input work with.
  TRect GetThumbRect() const { return FThumbRect; }
  TRect GetTrackRect() const { return FTrackRect; }
  Integer GetThumbWidth() const { return FThumbWidth; }
  Integer GetThumbHeight() const { return FThumbHeight; }
  TBitmap* GetThumbImage() const { return FThumb.get(); }
  TBitmap* GetHotThumbImage() const { return FThumbHot.get(); }
  bool IsSliding() const { return FSliding; }
  bool IsPaging() const { return FPaging; }
  bool IsHot() const { return FHot; }
  TTimer* GetRepeatTimer() const { return FTimer; }
  // The tick values DrawTicks would draw and where, for tests and owners.
  void TickPositions(std::vector<std::pair<Integer, Integer>>& Ticks);

 protected:
  virtual void DrawTrack(TCanvas* Canvas);
  virtual void DrawTicks(TCanvas* Canvas);
  virtual void DrawThumb(TCanvas* Canvas);
  virtual bool CanMoveTo(Integer) { return true; }
  virtual void Change() { FOnChange(this); }
  virtual bool DoChanging(Integer NewPos);
  virtual void DrawTick(TCanvas* Canvas, TPoint Location, Integer Index) { FOnDrawTick(this, Canvas, Location, Index); }

  void Paint() override;
  void Loaded() override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;

 private:
  void LoadThumbBitmaps();
  TThumbStyle EffectiveStyle() const;
  void UpdateBackground();
  // Travel of the thumb's left (or bottom) edge; 0 and no ticks, paging or dragging when the
  // control is too small for the thumb.
  Integer TrackLength() const;
  void MarkStale();
  void ThumbsChanged();
  void CustomThumbChanged(TObject* Sender);
  void TimerTick(TObject* Sender);
  void MoveTo(Int64 Value);
  void EndPaging();
  void RedrawThumb();
  void WMEraseBkgnd(TMessage& Message);
  void WMGetDlgCode(TMessage& Message);
  void WMSetCursor(TMessage& Message);
  void WMSize(TMessage& Message);
  void WMFocusChanged(TMessage& Message);
  void CMEnabledChanged(TMessage& Message);
  void CMParentColorChanged(TMessage& Message);
  void CMMouseLeave(TMessage& Message);

  std::unique_ptr<TBitmap> FCustomThumb;
  TColor FHighlightColor = clHighlight;
  TColor FHotTrackColor = 1350640;
  TWbHotTrackColorType FHotTrackColorType = htctActual;
  Integer FMax = 10;
  Integer FMin = 0;
  TOrientation FOrientation = orHorizontal;
  Word FPageSize = 1;
  TPointerType FPointerType = ptStandard;
  Integer FPosition = 0;
  bool FShowFocusRect = true;
  bool FShowTicks = true;
  bool FTabOnEnter = false;
  TThumbStyle FThumbStyle = tsPointer;
  TColor FTickColor = clBtnShadow;
  TPositiveInteger FTickStep = 1;
  TTickStyle FTickStyle = tkStandard;
  TColor FTrackColor = cl3DLight;
  Word FTrackOffset = 20;
  TFrameStyle FTrackFrame = fsStatus;
  TColor FTrackFrameColor = clBtnShadow;
  Word FTrackWidth = 8;
  bool FTransparent = false;
  TNotifyEvent FOnChange;
  TPositionChangingEvent FOnChanging;
  TDrawTickEvent FOnDrawTick;

  std::unique_ptr<TBitmap> FThumb, FThumbHot, FThumbMask, FThumbDisabled, FBackground;
  Integer FThumbWidth = 0, FThumbHeight = 0, FHalfWidth = 0;
  TRect FTrackRect, FThumbRect;
  bool FStale = true;
  bool FSliding = false;
  bool FPaging = false;
  bool FPagingUp = false;
  bool FHot = false;
  TPoint FGrab;
  TPoint FPressPoint;
  TTimer* FTimer = nullptr;  // owned as a component
  HCURSOR FHorizontalCursor = nullptr;
  HCURSOR FVerticalCursor = nullptr;
};

void WbTrkBarStart();
