// The tab control class: construction, properties and their effect on layout or painting,
// streaming, colours from the parent and the alignment of child controls in the page rectangle.

#include "rtl/ClassRegistry.h"
#include "rtl/Filer.h"
#include "rtl/Reader.h"
#include "rtl/Writer.h"
#include "toolkit/controls/WbTabs.h"
#include "user/Messages.h"
#include "vcl/Timers.h"

TAVREN_CLASS_IMPL(TWbCustomTabControl)
TAVREN_MESSAGE_TABLE(TWbCustomTabControl,
    MESSAGE_HANDLER(WM_ERASEBKGND, WMEraseBkgnd),
    MESSAGE_HANDLER(WM_GETDLGCODE, WMGetDlgCode),
    MESSAGE_HANDLER(WM_TIMER, WMTimer),
    MESSAGE_HANDLER(WM_SIZE, WMSize),
    MESSAGE_HANDLER(WM_SETFOCUS, WMFocusChanged),
    MESSAGE_HANDLER(WM_KILLFOCUS, WMFocusChanged),
    MESSAGE_HANDLER(CM_DIALOGCHAR, CMDialogChar),
    MESSAGE_HANDLER(CM_FONTCHANGED, CMFontChanged),
    MESSAGE_HANDLER(CM_COLORCHANGED, CMColorChanged),
    MESSAGE_HANDLER(CM_PARENTCOLORCHANGED, CMParentColorChanged),
    MESSAGE_HANDLER(CM_MOUSELEAVE, CMMouseLeave))

TWbCustomTabControl::TWbCustomTabControl(TComponent* AOwner)
    : TCustomControl(AOwner),
      FTabs(std::make_unique<TWbTabDataList>()),
      FRegionCache(std::make_unique<TWbTabRegionCache>()),
      FBitmap(std::make_unique<TBitmap>()),
      FTabColors(std::make_unique<TWbTabColors>(this)),
      FTextColors(std::make_unique<TWbTextColors>(this)),
      FImageChangeLink(std::make_unique<TChangeLink>()) {
  FControlStyle.Include(csAcceptsControls);
  FControlStyle.Include(csCaptureMouse);
  FControlStyle.Include(csClickEvents);
  FControlStyle.Include(csDoubleClicks);
  SetBounds(GetLeft(), GetTop(), 300, 100);
  SetTabStop(true);
  FImageChangeLink->SetOnChange(MakeEvent<&TWbCustomTabControl::ImagesChanged>(this));
}

TWbCustomTabControl::~TWbCustomTabControl() {
  StopHoverTimer();
  if (FImages) FImages->UnRegisterChanges(FImageChangeLink.get());
}

bool TWbCustomTabControl::IsLoadingOrReading() const {
  return GetComponentState().Contains(csLoading) || GetComponentState().Contains(csReading);
}

void TWbCustomTabControl::RequestLayout() {
  if (!FLayoutStale) FHotTrackOnly = false;
  FLayoutStale = true;
  Invalidate();
}

void TWbCustomTabControl::InvalidateTabs() {
  FHotTrackOnly = false;
  Invalidate();
}

// ---- Setters ----------------------------------------------------------------------------------

#define WB_TABS_LAYOUT_SETTER(Name, Type)          \
  void TWbCustomTabControl::Set##Name(Type Value) { \
    if (Value == F##Name) return;                  \
    F##Name = Value;                               \
    RequestLayout();                               \
  }
#define WB_TABS_SIZE_SETTER(Name)                      \
  void TWbCustomTabControl::Set##Name(Integer Value) { \
    if (Value < 0 || Value == F##Name) return;         \
    F##Name = Value;                                   \
    RequestLayout();                                   \
  }
#define WB_TABS_PAINT_SETTER(Name, Type)           \
  void TWbCustomTabControl::Set##Name(Type Value) { \
    if (Value == F##Name) return;                  \
    F##Name = Value;                               \
    InvalidateTabs();                              \
  }
WB_TABS_LAYOUT_SETTER(TabSequence, TWbTabSequence)
WB_TABS_LAYOUT_SETTER(TabStyle, TWbTabStyle)
WB_TABS_LAYOUT_SETTER(SoftCorners, bool)
WB_TABS_LAYOUT_SETTER(TabOverlap, Integer)
WB_TABS_LAYOUT_SETTER(MultiLine, bool)
WB_TABS_LAYOUT_SETTER(TextAlignment, TWbHorizontalAlignment)
WB_TABS_LAYOUT_SETTER(TextAlignmentVertical, TWbVerticalAlignment)
WB_TABS_LAYOUT_SETTER(ImagePosition, TWbImagePosition)
WB_TABS_LAYOUT_SETTER(ImageAlignment, TWbHorizontalAlignment)
WB_TABS_LAYOUT_SETTER(ImageAlignmentVertical, TWbVerticalAlignment)
WB_TABS_LAYOUT_SETTER(BoldCurrentTab, bool)
WB_TABS_LAYOUT_SETTER(CardVisible, bool)
WB_TABS_LAYOUT_SETTER(ShowCardFrame, bool)
WB_TABS_SIZE_SETTER(TabWidth)
WB_TABS_SIZE_SETTER(TabHeight)
WB_TABS_SIZE_SETTER(Margin)
WB_TABS_SIZE_SETTER(RowIndent)
WB_TABS_SIZE_SETTER(RowOverlap)
WB_TABS_SIZE_SETTER(ImageMargin)
WB_TABS_PAINT_SETTER(UseColoredTabs, bool)
WB_TABS_PAINT_SETTER(ShowFocusRect, bool)
WB_TABS_PAINT_SETTER(HotTrackColor, TColor)
WB_TABS_PAINT_SETTER(HotTrackColorType, TWbHotTrackColorType)
WB_TABS_PAINT_SETTER(HotTrackStyle, TWbTabHotTrackStyle)
WB_TABS_PAINT_SETTER(Transparent, bool)
WB_TABS_PAINT_SETTER(UseGradients, bool)
#undef WB_TABS_LAYOUT_SETTER
#undef WB_TABS_SIZE_SETTER
#undef WB_TABS_PAINT_SETTER

void TWbCustomTabControl::SetTabOrientation(TWbTabOrientation Value) {
  if (Value == FTabOrientation) return;
  FTabOrientation = Value;
  if (!IsLoadingOrReading()) RequestLayout();
}

void TWbCustomTabControl::SetCutCornerSize(Integer Value) {
  if (Value < 0 || Value == FCutCornerSize) return;
  FCutCornerSize = Value;
  if (FTabStyle == tsCutCorner) RequestLayout();
}

void TWbCustomTabControl::SetAlignTabs(bool Value) {
  if (Value == FAlignTabs) return;
  FAlignTabs = Value;
  if (FMultiLine) RequestLayout();
}

void TWbCustomTabControl::SetTextOrientation(TOrientation Value) {
  if (Value == FTextOrientation) return;
  FTextOrientation = Value;
  // Rotated text needs an outline font.
  if (!IsLoadingOrReading() && Value == orVertical && !FontIsTrueType(GetFont())) GetFont()->SetName("Verdana");
  RequestLayout();
}

void TWbCustomTabControl::SetImages(TCustomImageList* Value) {
  if (Value == FImages) return;
  if (FImages) {
    FImages->UnRegisterChanges(FImageChangeLink.get());
    FImages->RemoveFreeNotification(this);
  }
  FImages = Value;
  if (FImages) {
    FImages->RegisterChanges(FImageChangeLink.get());
    FImages->FreeNotification(this);
  }
  RequestLayout();
}

void TWbCustomTabControl::ImagesChanged(TObject*) { InvalidateTabs(); }

void TWbCustomTabControl::SetBackgroundColor(TColor Value) {
  FParentBackgroundColor = false;
  if (Value == FBackgroundColor) return;
  FBackgroundColor = Value;
  InvalidateTabs();
}

void TWbCustomTabControl::SetParentBackgroundColor(bool Value) {
  FParentBackgroundColor = Value;
  if (Value && GetParent()) {
    FBackgroundColor = GetParent()->GetColor();
    InvalidateTabs();
  }
}

void TWbCustomTabControl::SetShowFullFrame(bool Value) {
  if (Value == FShowFullFrame) return;
  FShowFullFrame = Value;
  if (!Value) FShowShadow = false;
  RequestLayout();
}

void TWbCustomTabControl::SetShowShadow(bool Value) {
  if (Value == FShowShadow) return;
  FShowShadow = Value;
  if (Value) FShowFullFrame = true;
  RequestLayout();
}

void TWbCustomTabControl::CreateButton(bool Close) {
  if (Close && !FCloseButton) {
    FCloseButton = new TWbTabCloseButton(this);
    FCloseButton->SetFrameColor(AdjustedFlatColor());
    FCloseButton->SetOnClose(MakeEvent<&TWbCustomTabControl::CloseButtonClick>(this));
  }
  if (!Close && !FMenuButton) {
    FMenuButton = new TWbTabMenuButton(this);
    FMenuButton->SetFrameColor(AdjustedFlatColor());
  }
}

void TWbCustomTabControl::SetShowCloseButton(bool Value) {
  if (Value == FShowCloseButton) return;
  FShowCloseButton = Value;
  CreateButton(true);
  FCloseButton->SetVisible(Value);
  RequestLayout();
}

void TWbCustomTabControl::SetShowMenuButton(bool Value) {
  if (Value == FShowMenuButton) return;
  FShowMenuButton = Value;
  CreateButton(false);
  FMenuButton->SetVisible(Value);
  RequestLayout();
}

void TWbCustomTabControl::CreateScroller() {
  FScroller = new TWbTabScroller(this);
  FScroller->SetFrameColor(AdjustedFlatColor());
  FScroller->SetOnDownLeftClick(MakeEvent<&TWbCustomTabControl::ScrollerDownLeft>(this));
  FScroller->SetOnUpRightClick(MakeEvent<&TWbCustomTabControl::ScrollerUpRight>(this));
}

void TWbCustomTabControl::SetFlatColor(TColor Value) {
  if (Value == FFlatColor) return;
  FFlatColor = Value;
  UpdateButtonFrames();
}

void TWbCustomTabControl::SetFlatColorAdjustment(Integer Value) {
  if (Value == FFlatColorAdjustment) return;
  FFlatColorAdjustment = Value;
  UpdateButtonFrames();
}

void TWbCustomTabControl::UpdateButtonFrames() {
  for (TWbTabButton* b : {static_cast<TWbTabButton*>(FScroller), static_cast<TWbTabButton*>(FCloseButton),
                          static_cast<TWbTabButton*>(FMenuButton)})
    if (b) b->SetFrameColor(AdjustedFlatColor());
  InvalidateTabs();
}

void TWbCustomTabControl::SetHotTrack(bool Value) {
  if (Value == FHotTrack) return;
  FHotTrack = Value;
  if (!Value && !FTabHints) StopHoverTimer();
}

void TWbCustomTabControl::SetTabHints(bool Value) {
  if (Value == FTabHints) return;
  FTabHints = Value;
  if (!Value && !FHotTrack) StopHoverTimer();
}

void TWbCustomTabControl::SetRegionCacheCapacity(Integer Value) {
  if ((Value == -1 || Value > 0) && Value != FRegionCache->GetCapacity()) FRegionCache->SetCapacity(Value);
}

// ---- Streaming and notifications --------------------------------------------------------------

void TWbCustomTabControl::DefineProperties(TFiler* Filer) {
  inherited::DefineProperties(Filer);
  Filer->DefineProperty(
      "FixedDimension", [this](TReader* R) { FFixedDimension = R->ReadInteger(); },
      [this](TWriter* W) { W->WriteInteger(FFixedDimension); }, true);
}

void TWbCustomTabControl::Loaded() {
  inherited::Loaded();
  FControlHint = GetHint();
  RequestLayout();
  if (FTextOrientation == orVertical && !FontIsTrueType(GetFont())) GetFont()->SetName("Verdana");
  SetTabIndex(FTabIndex);
}

void TWbTabControl::Loaded() {
  // The form holds no tabs: they are added after loading, so the streamed index waits for them
  // and the first layout selects it (or the nearest tab that can be selected).
  const Integer streamed = FTabIndex;
  TWbCustomTabControl::Loaded();
  if (FTabIndex == -1 && streamed >= FTabs->GetCount()) FTabIndex = streamed;
}

void TWbCustomTabControl::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FImages) SetImages(nullptr);
}

void TWbCustomTabControl::AlignControls(TControl* AControl, TRect& Rect) {
  PlaceButtons();
  Rect = PageRect();
  FAlignedPageRect = Rect;
  inherited::AlignControls(AControl, Rect);
}

// ---- Messages ---------------------------------------------------------------------------------

void TWbCustomTabControl::WMEraseBkgnd(TMessage& Message) { Message.Result = 1; }

void TWbCustomTabControl::WMGetDlgCode(TMessage& Message) { Message.Result = DLGC_WANTARROWS; }

void TWbCustomTabControl::WMSize(TMessage& Message) {
  InheritedMessage(Message);
  RequestLayout();
}

void TWbCustomTabControl::WMFocusChanged(TMessage& Message) {
  InheritedMessage(Message);
  InvalidateTabs();
}

void TWbCustomTabControl::CMFontChanged(TMessage& Message) {
  InheritedMessage(Message);
  RequestLayout();
}

void TWbCustomTabControl::CMColorChanged(TMessage& Message) {
  if (FUseColoredTabs) {
    NotifyControls(CM_PARENTCOLORCHANGED);
    return;
  }
  InheritedMessage(Message);
  InvalidateTabs();
}

void TWbCustomTabControl::CMParentColorChanged(TMessage& Message) {
  InheritedMessage(Message);
  if (FParentBackgroundColor && GetParent()) {
    FBackgroundColor = GetParent()->GetColor();
    InvalidateTabs();
  }
}
