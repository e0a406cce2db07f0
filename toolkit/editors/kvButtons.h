#pragma once
// The toolkit's push button: a native button drawn wholly by the look-and-feel painter, with a
// picture and caption laid out by its glyph, ten assignable state colours, hot tracking, drop-down
// and split kinds that open a menu, and a speed-button mode in which the buttons of one group stay
// down like radio buttons. The glyph keeps one masked image per button state in image lists that
// every glyph of the same size shares.
//
// Sources: kvButtonsGlyph.cpp (glyph, glyph lists and cache, content layout), kvButtonsButton.cpp
// (colours, button, action link).

#include <memory>
#include <vector>

#include "controls/OwnerDraw.h"
#include "toolkit/foundation/kvControls.h"
#include "toolkit/foundation/kvGraphics.h"
#include "toolkit/foundation/kvLookAndFeels.h"
#include "vcl/Buttons.h"
#include "vcl/Menus.h"
#include "vcl/StdCtrls.h"

class TkvCustomButton;

// Private messages of the button: open the drop-down menu (posted), the menu has closed.
constexpr UINT KVM_DROPDOWNMENU = 0x8065;
constexpr UINT KVM_DROPDOWNMENUCLOSED = 0x8066;
// Width of a split button's arrow part, and what the main part gives up to it.
constexpr Integer kvSplitArrowWidth = 15;
constexpr Integer kvSplitArrowIndent = 13;

enum TkvButtonKind { kvbkStandard, kvbkDropDown, kvbkDropDownButton };
TAVREN_ENUM_INFO(TkvButtonKind, kvbkStandard, kvbkDropDown, kvbkDropDownButton);

enum TkvButtonAssignedColor {
  kvbcDefault, kvbcDefaultText, kvbcDisabled, kvbcDisabledText, kvbcHot,
  kvbcHotText, kvbcNormal, kvbcNormalText, kvbcPressed, kvbcPressedText
};
TAVREN_ENUM_INFO(TkvButtonAssignedColor, kvbcDefault, kvbcDefaultText, kvbcDisabled, kvbcDisabledText, kvbcHot,
                 kvbcHotText, kvbcNormal, kvbcNormalText, kvbcPressed, kvbcPressedText);
using TkvButtonAssignedColors = TSet<TkvButtonAssignedColor, 10>;

// ---- Glyph -----------------------------------------------------------------------------------

namespace kvButtons {

// What a glyph shows: its own bitmap, or an image of an image list.
class TkvImageInfo : public TObject {
  TAVREN_CLASS(TkvImageInfo, TObject)
 public:
  explicit TkvImageInfo(TNotifyEvent OnChange);
  ~TkvImageInfo() override;

  bool HasImage();
  TSize ImageSize();
  TBitmap* GetGlyph() const { return FGlyph.get(); }
  void SetGlyph(TBitmap* Value) { FGlyph->Assign(Value); }
  TCustomImageList* GetImages() const { return FImages; }
  void SetImages(TCustomImageList* Value);
  Integer GetImageIndex() const { return FImageIndex; }
  void SetImageIndex(Integer Value);

 private:
  std::unique_ptr<TBitmap> FGlyph;
  TCustomImageList* FImages = nullptr;
  Integer FImageIndex = -1;
  TNotifyEvent FOnChange;
};

}  // namespace kvButtons

// An image list of one size whose slots glyphs take and give back.
class TkvGlyphList : public TkvImageList {
  TAVREN_CLASS(TkvGlyphList, TkvImageList)
 public:
  TkvGlyphList(Integer AWidth, Integer AHeight) : TkvImageList(nullptr, AWidth, AHeight) {}
  Integer AllocateIndex(TBitmap* Image, TBitmap* Mask);
  void Release(Integer Index);
  Integer UsedCount() const { return FUsedCount; }

 private:
  std::vector<bool> FUsed;
  Integer FUsedCount = 0;
};

// The glyph lists of the unit, one per image size.
class TkvGlyphCache : public TObject {
  TAVREN_CLASS(TkvGlyphCache, TObject)
 public:
  ~TkvGlyphCache() override;
  TkvGlyphList* ListFor(Integer Width, Integer Height);
  // Frees the list when no glyph uses it any more.
  void ReturnList(TkvGlyphList* List);
  bool IsEmpty() const { return FLists.empty(); }
  Integer ListCount() const { return static_cast<Integer>(FLists.size()); }

 private:
  std::vector<TkvGlyphList*> FLists;
};

// The unit's cache while a glyph exists (nullptr otherwise).
TkvGlyphCache* GlyphCacheInstance();

class TkvButtonGlyph : public TObject {
  TAVREN_CLASS(TkvButtonGlyph, TObject)
 public:
  TkvButtonGlyph();
  ~TkvButtonGlyph() override;

  virtual Integer ImageIndexForState(TkvButtonState State);
  virtual void TextMargins(TkvButtonState State, TRect& R);

  void ReleaseImages();
  TBitmap* GetGlyph() const { return FImageInfo->GetGlyph(); }
  void SetGlyph(TBitmap* Value);
  Integer GetNumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(Integer Value);
  TCustomImageList* GetImages() const { return FImageInfo->GetImages(); }
  void SetImages(TCustomImageList* Value) { FImageInfo->SetImages(Value); }
  Integer GetImageIndex() const { return FImageInfo->GetImageIndex(); }
  void SetImageIndex(Integer Value) { FImageInfo->SetImageIndex(Value); }
  TSize GlyphSize();
  TColor TransparentColor();
  TkvGlyphList* GetGlyphList() const { return FGlyphList; }
  TNotifyEvent GetOnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = Value; }

  void DrawImage(TkvCanvas* Canvas, const TPoint& P, TkvButtonState State);
  void DrawCaption(TkvCanvas* Canvas, const String& Caption, const TRect& TextRect, TkvButtonState State,
                   UINT BiDiFlags, bool WordWrap);
  // Where picture and caption go inside Client.
  void ComputeLayout(TkvCanvas* Canvas, const TRect& Client, const TPoint& Offset, const String& Caption,
                     TButtonLayout Layout, Integer Margin, Integer Spacing, TkvButtonState State, UINT BiDiFlags,
                     bool WordWrap, TPoint& GlyphPos, TRect& TextRect);
  void PaintContent(TkvCanvas* Canvas, const TRect& Client, const TPoint& Offset, const String& Caption,
                    TButtonLayout Layout, Integer Margin, Integer Spacing, TkvButtonState State, UINT BiDiFlags,
                    bool WordWrap);

 private:
  void ImageChanged(TObject* Sender);
  Integer PrepareImage(Integer Slot);
  // The text flags of a caption: the glyph's word-wrap rule on top of the given ones.
  Cardinal CaptionFlags(UINT BiDiFlags, bool WordWrap);

  TkvGlyphList* FGlyphList = nullptr;
  Integer FIndexes[4] = {-1, -1, -1, -1};
  Integer FNumGlyphs = 1;
  TNotifyEvent FOnChange;
  std::unique_ptr<kvButtons::TkvImageInfo> FImageInfo;
};
using TkvButtonGlyphClass = TClassOf<TkvButtonGlyph>;

// ---- Colours -----------------------------------------------------------------------------------

class TkvButtonColors : public TPersistent {
  TAVREN_CLASS(TkvButtonColors, TPersistent)
 public:
  explicit TkvButtonColors(TkvCustomButton* AButton);
  void Assign(TPersistent* Source) override;

  TColor GetColor(TkvButtonAssignedColor Index) const { return FColors[Index]; }
  void SetColor(TkvButtonAssignedColor Index, TColor Value);
  TkvButtonAssignedColors GetAssignedColors() const { return FAssignedColors; }
  // Only while the button is being designed.
  void SetAssignedColors(TkvButtonAssignedColors Value);
  TColor FaceColorFor(TkvButtonState State);
  TColor TextColorFor(TkvButtonState State);

  TColor GetDefault() const { return FColors[kvbcDefault]; }
  void SetDefault(TColor V) { SetColor(kvbcDefault, V); }
  TColor GetDefaultText() const { return FColors[kvbcDefaultText]; }
  void SetDefaultText(TColor V) { SetColor(kvbcDefaultText, V); }
  TColor GetNormal() const { return FColors[kvbcNormal]; }
  void SetNormal(TColor V) { SetColor(kvbcNormal, V); }
  TColor GetNormalText() const { return FColors[kvbcNormalText]; }
  void SetNormalText(TColor V) { SetColor(kvbcNormalText, V); }
  TColor GetHot() const { return FColors[kvbcHot]; }
  void SetHot(TColor V) { SetColor(kvbcHot, V); }
  TColor GetHotText() const { return FColors[kvbcHotText]; }
  void SetHotText(TColor V) { SetColor(kvbcHotText, V); }
  TColor GetPressed() const { return FColors[kvbcPressed]; }
  void SetPressed(TColor V) { SetColor(kvbcPressed, V); }
  TColor GetPressedText() const { return FColors[kvbcPressedText]; }
  void SetPressedText(TColor V) { SetColor(kvbcPressedText, V); }
  TColor GetDisabled() const { return FColors[kvbcDisabled]; }
  void SetDisabled(TColor V) { SetColor(kvbcDisabled, V); }
  TColor GetDisabledText() const { return FColors[kvbcDisabledText]; }
  void SetDisabledText(TColor V) { SetColor(kvbcDisabledText, V); }
  template <TkvButtonAssignedColor Index>
  bool IsStored() const {
    return FAssignedColors.Contains(Index);
  }

 private:
  TkvCustomButton* FButton;
  TkvButtonAssignedColors FAssignedColors;
  TColor FColors[10];
};

// ---- Button --------------------------------------------------------------------------------------

using TkvButtonDropDownMenuPopupEvent = TEvent<void(TObject* Sender, TPopupMenu*& Menu, bool& Handled)>;
using TkvButtonGetDrawParamsEvent =
    TEvent<void(TkvCustomButton* Sender, TkvButtonState State, TColor& Color, TFont* Font)>;

// The painter a button draws with: the skin painter, else the look-and-feel's, with the native
// one replaced unless button themes are available.
TkvCustomLookAndFeelPainterClass ButtonPainterFor(TkvLookAndFeel* LookAndFeel);

class TkvCustomButton : public TButton {
  TAVREN_CLASS(TkvCustomButton, TButton)
  TAVREN_MESSAGES()
 public:
  explicit TkvCustomButton(TComponent* AOwner);
  ~TkvCustomButton() override;

  // Virtual operations, in the order descendants know them.
  virtual bool FireDropDownMenuPopup(TPopupMenu*& Menu);
  virtual bool PopupMenuAt(TComponent* Menu, Integer X, Integer Y);
  virtual TkvButtonGlyphClass GlyphClass() { return TkvButtonGlyph::ClassInfo(); }
  virtual TkvCustomLookAndFeelPainterClass Painter() { return ButtonPainterFor(FLookAndFeel.get()); }
  virtual bool UsesNativeDrawing() { return false; }
  virtual void OptimalSize(TSize& Size);

  TkvButtonState ButtonState();
  bool HotTrackingAllowed();
  bool InSpeedMode() { return !FCanBeFocused || FGroupIndex != 0; }
  bool CanFocus() override;
  void Click() override;

  TkvButtonGlyph* GetGlyphObject() const { return FGlyph.get(); }
  TBitmap* GetGlyph() const { return FGlyph->GetGlyph(); }
  void SetGlyph(TBitmap* Value) { FGlyph->SetGlyph(Value); }
  Integer GetNumGlyphs() const { return FGlyph->GetNumGlyphs(); }
  void SetNumGlyphs(Integer Value) { FGlyph->SetNumGlyphs(Value); }
  TkvButtonColors* GetColors() const { return FColors.get(); }
  void SetColors(TkvButtonColors* Value) { FColors->Assign(Value); }
  TkvLookAndFeel* GetLookAndFeel() const { return FLookAndFeel.get(); }
  void SetLookAndFeel(TkvLookAndFeel* Value) { FLookAndFeel->Assign(Value); }
  TkvButtonKind GetKind() const { return FKind; }
  void SetKind(TkvButtonKind Value);
  TButtonLayout GetLayout() const { return FLayout; }
  void SetLayout(TButtonLayout Value);
  Integer GetMargin() const { return FMargin; }
  void SetMargin(Integer Value);
  Integer GetSpacing() const { return FSpacing; }
  void SetSpacing(Integer Value);
  TPopupAlignment GetPopupAlignment() const { return FPopupAlignment; }
  void SetPopupAlignment(TPopupAlignment Value) { FPopupAlignment = Value; }
  TComponent* GetKvPopupMenu() const { return FPopupMenu; }
  void SetKvPopupMenu(TComponent* Value);
  TPopupMenu* GetDropDownMenu() const { return FDropDownMenu; }
  void SetDropDownMenu(TPopupMenu* Value);
  bool GetUseSystemPaint() const { return FUseSystemPaint; }
  void SetUseSystemPaint(bool Value) { FUseSystemPaint = Value; }
  bool GetAllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool Value);
  bool GetCanBeFocused() const { return FCanBeFocused; }
  void SetCanBeFocused(bool Value);
  bool GetDown() const { return FDown; }
  void SetDown(bool Value);
  Integer GetGroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(Integer Value);
  bool IsMenuOpen() const { return FMenuOpen; }
  bool IsHot() const { return FHot; }
  TkvButtonDropDownMenuPopupEvent GetOnDropDownMenuPopup() const { return FOnDropDownMenuPopup; }
  void SetOnDropDownMenuPopup(TkvButtonDropDownMenuPopupEvent Value) { FOnDropDownMenuPopup = Value; }
  TkvButtonGetDrawParamsEvent GetOnGetDrawParams() const { return FOnGetDrawParams; }
  void SetOnGetDrawParams(TkvButtonGetDrawParamsEvent Value) { FOnGetDrawParams = Value; }
  bool IsColorsStored() const { return !FColors->GetAssignedColors().Empty(); }

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void WndProc(TMessage& Message) override;
  void CreateHandle() override;
  void CreateParams(TCreateParams& Params) override;
  void DestroyWindowHandle() override;
  void SetButtonStyle(bool ADefault) override;
  void DoContextPopup(TPoint MousePos, bool& Handled) override;
  void ActionChange(TObject* Sender, bool CheckDefaults) override;
  TClassOf<TActionLink> GetActionLinkClass() override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void LookAndFeelChanged(TkvLookAndFeel* Sender, TkvLookAndFeelValues ChangedValues);

  void WMEraseBkgnd(TMessage& Message) { Message.Result = 1; }
  void CNMeasureItem(TMessage& Message);
  void CNDrawItem(TMessage& Message);
  void CNKeyDown(TMessage& Message);
  void CMDialogChar(TMessage& Message);
  void CMFontChanged(TMessage& Message);
  void CMEnabledChanged(TMessage& Message);
  void CMMouseEnter(TMessage& Message);
  void CMMouseLeave(TMessage& Message);
  void CMButtonPressed(TMessage& Message);
  void WMCaptureChanged(TMessage& Message);
  void WMContextMenu(TMessage& Message);
  void KVMDropDownMenu(TMessage& Message);
  void KVMDropDownMenuClosed(TMessage& Message);

 private:
  friend class TkvButtonActionLink;
  void GlyphChanged(TObject* Sender);
  // The DrawText reading-order flags of the control's BiDiMode.
  UINT BiDiFlags() const;
  void Paint();
  void DrawItem(const DRAWITEMSTRUCT& Item);
  void BroadcastGroup();
  void SpeedModeMessage(TMessage& Message, bool& Handled);
  void DropDownTest(const TPoint& P);
  TRect ArrowPart();
  void TakeActionImages();
  bool CursorOverButton();

  std::unique_ptr<TkvButtonGlyph> FGlyph;
  std::unique_ptr<TkvButtonColors> FColors;
  std::unique_ptr<TControlCanvas> FControlCanvas;
  std::unique_ptr<TkvCanvas> FKvCanvas;
  std::unique_ptr<TkvLookAndFeel> FLookAndFeel;
  std::unique_ptr<TkvMouseLeaveMessenger> FTrackingCaller;
  TkvButtonKind FKind = kvbkStandard;
  TButtonLayout FLayout = blGlyphLeft;
  Integer FMargin = -1;
  Integer FSpacing = 4;
  TPopupAlignment FPopupAlignment = paLeft;
  TComponent* FPopupMenu = nullptr;
  TPopupMenu* FDropDownMenu = nullptr;
  bool FUseSystemPaint = false;
  bool FAllowAllUp = false;
  bool FCanBeFocused = true;
  bool FDown = false;
  Integer FGroupIndex = 0;
  bool FPressedLook = false;
  bool FDefaultLook = false;
  bool FDefaultButtonStyle = false;
  bool FMousePressed = false;
  bool FHot = false;
  bool FMenuOpen = false;
  bool FMenuJustClosed = false;
  TkvButtonDropDownMenuPopupEvent FOnDropDownMenuPopup;
  TkvButtonGetDrawParamsEvent FOnGetDrawParams;
};

class TkvButton : public TkvCustomButton {
  TAVREN_CLASS(TkvButton, TkvCustomButton)
 public:
  using TkvCustomButton::TkvCustomButton;
};

// Keeps the button's glyph on the action's image.
class TkvButtonActionLink : public TButtonActionLink {
  TAVREN_CLASS(TkvButtonActionLink, TButtonActionLink)
 public:
  using TButtonActionLink::TButtonActionLink;
  ~TkvButtonActionLink() override;
  void SetImageIndex(Integer Value) override;
};
