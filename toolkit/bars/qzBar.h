#pragma once
// The bar unit: the bar manager, its toolbars, items and their links, layout storage, hints and
// the routines every part of the bars shares.
//
// Sources: qzBarRoutines.cpp (lookups between windows, controls and forms; keys, mouse, sounds
// and message pumping), qzBarDrawing.cpp (clip backups, fills, tiling, frames, drop arrows and
// fonts), qzBarUnit.cpp (the unit globals, start and end).

#include <vector>

#include "gdi/Gdi.h"
#include "rtl/TypInfo.h"
#include "user/User.h"
#include "vcl/Controls.h"
#include "vcl/Forms.h"
#include "vcl/Graphics.h"
#include "vcl/Menus.h"
#include "toolkit/foundation/qzOffice11.h"  // NearestScreenColor

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

// Unit start and end.
bool IsBarUnitFinalized();
void qzBarStart();
void qzBarEnd();
