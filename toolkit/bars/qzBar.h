#pragma once
// The bar unit: the bar manager, its toolbars, items and their links, layout storage, hints and
// the routines every part of the bars shares.
//
// Sources: qzBarLists.cpp (the bars' object and component lists), qzBarCanvas.cpp (the shared bar
// canvas and the system controller), qzBarRoutines.cpp (lookups between windows, controls and forms; keys, mouse, sounds
// and message pumping), qzBarDrawing.cpp (clip backups, fills, tiling, frames, drop arrows and
// fonts), qzBarUnit.cpp (the unit globals, start and end).

#include <vector>

#include "gdi/Gdi.h"
#include "rtl/ComponentList.h"
#include "rtl/TypInfo.h"
#include "user/User.h"
#include "vcl/Controls.h"
#include "vcl/Forms.h"
#include "vcl/Graphics.h"
#include "vcl/Menus.h"
#include "toolkit/foundation/kvControls.h"
#include "toolkit/foundation/kvGraphics.h"
#include "toolkit/foundation/qzOffice11.h"  // NearestScreenColor

// ---- Lists -----------------------------------------------------------------------------------

// An object list that never owns its objects.
class TqzObjectList : public TObjectList {
  TAVREN_CLASS(TqzObjectList, TObjectList)
 public:
  TqzObjectList() : TObjectList(false) {}
  // Appends an object not yet in the list; answers its index (-1 for nil).
  Integer AddUnique(TObject* AObject);
  // nullptr out of range.
  TObject* GetObject(Integer Index) const;
  TObject* GetLastObject() const { return GetObject(GetCount() - 1); }
  // Clears, takes the other list's capacity and copies its entries (each once).
  void Assign(TList* ASource);
};

// Action codes of a component list's change event.
constexpr Integer qzclaAdded = 0;
constexpr Integer qzclaChanged = 1;
constexpr Integer qzclaExtracted = 3;
constexpr Integer qzclaDeleted = 4;

class TqzComponentList;
using TqzComponentListChangeEvent = TEvent<void(TObject* Sender, TComponent* AComponent, Integer AAction)>;
using TqzComponentListNotifyEvent = TEvent<void(TObject* Sender, TObject* AObject, TListNotification AAction)>;

// A component list that does not own its components and tells of each change; objects of
// other classes than the accepted one are taken out again at once.
class TqzComponentList : public TComponentList {
  TAVREN_CLASS(TqzComponentList, TComponentList)
 public:
  TqzComponentList() : TComponentList(false) {}
  ~TqzComponentList() override;

  void BeginUpdate() { ++FUpdateCount; }
  // With ANotify the change event tells of a change of the whole list.
  void EndUpdate(bool ANotify = true);
  Integer GetUpdateCount() const noexcept { return FUpdateCount; }
  TqzComponentListChangeEvent GetOnComponentListChanged() const { return FOnComponentListChanged; }
  void SetOnComponentListChanged(TqzComponentListChangeEvent Value) { FOnComponentListChanged = Value; }
  TqzComponentListNotifyEvent GetOnNotify() const { return FOnNotify; }
  void SetOnNotify(TqzComponentListNotifyEvent Value) { FOnNotify = Value; }

 protected:
  void Notify(void* Ptr, TListNotification Action) override;
  virtual void NotifyAccepted(TObject* AObject, TListNotification AAction);
  virtual TClass AcceptedClass() const { return TComponent::ClassInfo(); }
  void DoComponentListChanged(TComponent* AComponent, Integer AAction);

 private:
  Integer FUpdateCount = 0;
  TqzComponentListChangeEvent FOnComponentListChanged;
  TqzComponentListNotifyEvent FOnNotify;
};

// ---- The shared canvas -----------------------------------------------------------------------

// The one canvas all bar windows paint through; a paint redirects it to a device context or to
// another canvas and puts it back, in strict stack order.
class TqzBarCanvas : public TkvCanvas {
  TAVREN_CLASS(TqzBarCanvas, TkvCanvas)
 public:
  TqzBarCanvas();
  ~TqzBarCanvas() override;

  void PushPaintDC(HDC DC);
  void PushPaintCanvas(TCanvas* ACanvas);
  void PopPaintState();
  Integer PaintStateCount() const { return static_cast<Integer>(FStates.size()); }

 private:
  struct TqzBarCanvasState {
    TCanvas* PrevCanvas = nullptr;
    HDC PrevDC = nullptr;
    HDC DC = nullptr;
    int SavedDC = 0;
  };
  std::unique_ptr<TCanvas> FOwnCanvas;
  std::vector<TqzBarCanvasState> FStates;
};

// The bars' hidden message window. It would wake the user-interface thread for worker threads
// when the bars run inside a library module; this program is never one, so it is the window only.
class TqzBarSystemController : public TkvMessageWindow {
  TAVREN_CLASS(TqzBarSystemController, TkvMessageWindow)
};

// ---- Unit routines ---------------------------------------------------------------------------

enum TqzBarSoundKind { bskMenuPopup, bskMenuCommand, bskStop };

// The corner of a drop-down window that carries its size grip.
enum TqzGripCorner { gcTopLeft, gcTopRight, gcBottomLeft, gcBottomRight };
TAVREN_ENUM_INFO(TqzGripCorner, gcTopLeft, gcTopRight, gcBottomLeft, gcBottomRight);

// Lookups between components, controls, windows and forms.
TWinControl* OwnerWinControlOf(TComponent* AComponent);
TWinControl* FindParentWinControlOfChild(HWND AWnd);
TWinControl* ControlOfWindowChain(HWND AWnd);
// The last form found going up from the control's window; the walk stops at a top-level window
// or at a form of the kind (0 none, 1 an MDI child, 2 any form).
TCustomForm* FormAboveControl(TWinControl* AControl, Integer AFormKind);
TCustomForm* FormOfComponent(TComponent* AComponent);
bool IsControlInside(TWinControl* AContainer, TControl* AControl);
TCustomForm* ActiveFormOfBars();
bool IsControlFormActive(TWinControl* AControl);
bool IsMDIChildForm(TWinControl* AControl);
bool IsMDIFrameForm(TWinControl* AControl);
HWND GetActiveMDIChildWindow();
bool IsLoadingAsAncestor(TComponent* AComponent);
bool IsControlWindowVisible(TWinControl* AControl);
bool IsWindowEnabledUpChain(HWND AWnd);
bool IsFocusOrChildOfFocus(HWND AWnd);
bool IsWindowDescendantOf(HWND AWnd, HWND AAncestor);
HWND FindWindowAtScreenPoint(const TPoint& P);
bool IsOtherProcessWindow(HWND AWnd);
void CancelModeOfActiveForm();
void ActivateTopLevelWindow(HWND AWnd);

// Text, keys, mouse and sounds.
TShortCut ShortCutFromCharKey(Word ACharCode, LPARAM AKeyData);
String ShortCutHintSuffix(TShortCut AShortCut);
// The 1-based position of the last accelerator character of the caption, 0 when none; "&&" is a
// literal "&". With ARemoveMarkers the markers are taken out of the caption.
Integer AccelCharIndex(String& ACaption, bool ARemoveMarkers);
String StripAccelChars(const String& ACaption);
bool IsKeyTipChar(Word AKey);
bool IsButtonDownMessage(UINT AMsg);
bool IsMouseButtonDown(Integer AButtonKey, Integer ASwappedButtonKey);
bool IsPrimaryMouseButtonDown();
bool IsSecondaryMouseButtonDown();
void PlayBarSound(TqzBarSoundKind ASound);
void StopBarSound();
void DispatchPendingMouseMessages();
void DispatchPendingPaints();
bool DiscardPendingCharMessages(HWND AWnd);
Integer ShowAppMessageBox(const String& AText, Integer AFlags);
void EnumNamesToStringArray(const TTypeInfo* ATypeInfo, std::vector<String>& ANames);
void SetElementNamesToArray(const TTypeInfo* ASetTypeInfo, std::vector<String>& ANames);
String PathSeparatorText(bool ARegistry);
Integer BoolToTwo(bool AValue);
Integer ScaleByScreenDPI(Integer AValue, Integer ABaseDPI);
void EnsureMinWidth(Integer& AWidth, Integer AMinWidth);
TBitmap* CreateNotifyingBitmap(TNotifyEvent AOnChange);

// Windows, timers and GDI objects.
void SetWindowZOrder(HWND AWnd, HWND AInsertAfter, bool AActivate, UINT AExtraFlags);
void SetWindowAlphaBlend(HWND AWnd, Byte AAlpha);
void ClearWindowHandle(HWND& AWnd, bool ADestroy);
bool KillTimerAndClear(HWND AWnd, UINT_PTR& ATimerID);
template <class H>
void FreeGDIHandle(H& AObject) {
  if (AObject) DeleteObject(AObject);
  AObject = nullptr;
}
void SelectBackAndDelete(HDC DC, HGDIOBJ APrevious);

// Drawing.
void FillPolygonWithColors(HDC DC, const POINT* APoints, Integer ALastIndex, TColor AFillColor, TColor APenColor);
Integer BackupClipRegion(HDC DC, HRGN& ARegion, bool& AExisted);
void RestoreClipRegionBackup(HDC DC, HRGN& ARegion, bool AExisted);
void AddRectToClip(HDC DC, const TRect& R);
void FillAreaSolidOrTiled(HDC DC, const TRect& R, const TRect& AOrigin, TBitmap* ABitmap, TColor AColor,
                          HBRUSH ABrush);
// Tiles the bitmap over R as if the tiling started at AOrigin's top-left corner.
void TileBitmap(HDC DC, const TRect& R, const TRect& AOrigin, TBitmap* ABitmap);
void RefreshScreenBitsPerPixel();
Integer ScreenBitsPerPixel();
void RebuildCheckerBrush();
// The pattern brush of half-tone areas (checks of clBtnFace and clBtnHighlight).
HBRUSH BarCheckerBrush();
void BlendAreaWithBtnFace(HDC DC, const TRect& R);
void FrameWithHighlightColor(HDC DC, const TRect& R);
void DrawDoubleSysColorFrame(HDC DC, const TRect& R, Integer ASysColorIndex);
void DrawDoubleFocusRect(HDC DC, const TRect& R);
void WorkAreaAtPoint(const TPoint& P, TRect& AWorkArea);
// A drop arrow: direction 1 points down, any other direction right.
void DrawItemArrowSized(HDC DC, const TRect& R, Integer ADirection, TColor AColor, bool AEnabled, bool ASelected,
                        bool AFlat, Integer ASize);
void DrawItemArrowInRect(HDC DC, const TRect& R, Integer ADirection, TColor AColor, bool AEnabled, bool ASelected,
                         bool AFlat);
void DrawMaskedSizeGrip(HDC DC, const TRect& R);
HFONT CreateSmallCaptionFont(TFont* AFont, bool AKeepSystemFont);
void AssignBarFont(TFont* ASource, TFont* ATarget, bool AUseIconTitleHeight);

// The shared canvas: made on first use; after the unit has ended, only an existing one answers.
TqzBarCanvas* BarCanvasInstance();

// Unit start and end.
bool IsBarUnitFinalized();
void qzBarStart();
void qzBarEnd();
