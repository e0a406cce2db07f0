// The item control base: construction, view levels, measuring, drawing entry, hot parts and the
// click.

#include "toolkit/bars/qzBarItemControl.h"

#include "toolkit/bars/qzBarControl.h"
#include "toolkit/bars/qzBarItemControlButtons.h"
#include "toolkit/bars/qzBarSubMenuControl.h"
#include "user/Input.h"
#include "user/Rects.h"
#include "user/VirtualKeys.h"
#include "vcl/Menus.h"

TAVREN_CLASS_IMPL(TqzBarItemControlDrawParams)
TAVREN_CLASS_IMPL(TqzBarItemControl)

TqzBarItemControl::TqzBarItemControl(TqzBarItemLink* ALink) : FLink(ALink), FParent(ALink->GetBarControl()) {}

void TqzBarItemControl::Initialize() {
  FDrawParams.reset(static_cast<TqzBarItemControlDrawParams*>(DrawParamsClass()->Factory(this)));
  FViewInfo.reset(static_cast<TqzBarItemControlViewInfo*>(ViewInfoClass()->Factory(this)));
  CalcWithItemFont();
  FHotPart = qzNoHotPart;
  FillDrawParams(true);
  FViewInfo->SetViewLevel(static_cast<TqzBarItemViewLevel>(FParent ? FParent->ControlViewLevel(this) : ivlDefault));
}

TqzBarItemControl::~TqzBarItemControl() {
  ReleaseAccessibilityHelper(FAccessibilityHelper);
  if (FLink && FLink->GetControl() == this) FLink->ForgetControl();
  if (FParent && IsBarControlLive(FParent)) {
    TqzBarManager* manager = FParent->GetControlBarManager();
    if (manager && manager->GetSelectedItemControl() == this) manager->SetSelectedItemControl(nullptr);
    FParent->ForgetControl(this);
  }
  if (FOwnBrush) DeleteObject(FOwnBrush);
  InvalidateObjectLinks(this);
}

// ---- Measuring ----------------------------------------------------------------------------------

namespace {

// Selects the item font around a measurement and puts the canvas font back on every path.
class TItemFontScope {
 public:
  explicit TItemFontScope(TqzBarItemControl* AControl) : FControl(AControl) {
    TqzBarItem* item = AControl->GetItem();
    AControl->SelectItemFont(nullptr, item ? item->GetStyle() : nullptr, FSaved);
  }
  ~TItemFontScope() { FControl->RestoreFont(FSaved); }

 private:
  TqzBarItemControl* FControl;
  TqzSavedItemFont FSaved;
};

}  // namespace

Integer TqzBarItemControl::CalcHeight() {
  FillDrawParams(false);
  TItemFontScope font(this);
  Integer h = GetHeight();
  if (GetAlign() == iaClient && FParent && FParent->IsVertical())
    h = FParent->RotatesText() ? MinimumWidth() : MinimumHeight();
  return h;
}

Integer TqzBarItemControl::CalcWidth() {
  FillDrawParams(false);
  TItemFontScope font(this);
  Integer w = GetWidth();
  if (GetAlign() == iaClient && FParent && (FParent->KindFlags() & qzKindStretchesClient) && !FParent->IsVertical())
    return MinimumWidth();
  return std::max(w, MinimumWidth());
}

TqzBarItemViewLevels TqzBarItemControl::PermittedLevels() {
  TqzBarItemViewLevels possible = GetPossibleViewLevels();
  if (possible.Empty()) throw Exception(String(ClassName()) + ".GetPossibleViewLevels = []");
  TqzBarItemViewLevels permitted = FLink ? possible * FLink->GetViewLevels() : TqzBarItemViewLevels();
  return permitted.Empty() ? possible : permitted;
}

Integer TqzBarItemControl::GetHeight() {
  if (GetPaintType() == qzPaintMenu) return MenuHeight();
  return IsInVerticalBar() ? GetLengthInBar() : GetThicknessInBar();
}

Integer TqzBarItemControl::GetWidth() {
  if (FDrawParams->PaintKind == qzPaintMenu) return MenuWidth();
  return IsInVerticalBar() ? GetThicknessInBar() : GetLengthInBar();
}

Integer TqzBarItemControl::NormalWidth() { return GlyphPartWidth() + TextPartWidth() + ExtraWidth(); }

TSize TqzBarItemControl::RotatedSize(const TSize& S) const {
  return IsInVerticalBarConst() ? TSize(S.cy, S.cx) : S;
}

Integer TqzBarItemControl::NormalHeight() {
  Integer t = (FDrawParams->ContentParts & qzContentText) ? std::max(0, GetSizeBase()) : 0;
  if (FDrawParams->ContentParts & qzContentIcon) return std::max(t, RotatedSize(FDrawParams->GlyphExtent).cy);
  return t;
}

Integer TqzBarItemControl::LargeHeight() {
  Integer g = RotatedSize(GlyphSize(qzGlyphLarge, 0)).cy;
  if (!(FDrawParams->ContentParts & qzContentText)) return g + 6;
  TqzBarItem* item = GetItem();
  TqzBarGlyphLayout layout = item ? item->GetGlyphLayout() : glLeft;
  if (layout == glLeft || layout == glRight) return std::max(g, TextHeightOfSample()) + 6;
  return g + TextHeightOfSample() + 7;
}

Integer TqzBarItemControl::LargeWidth() {
  Integer g = RotatedSize(GlyphSize(qzGlyphLarge, 0)).cx;
  if (!(FDrawParams->ContentParts & qzContentText)) return g + 10;
  TqzBarItem* item = GetItem();
  TqzBarGlyphLayout layout = item ? item->GetGlyphLayout() : glLeft;
  if (layout == glTop || layout == glBottom) return std::max(g, CaptionWidth() + 6) + 10;
  return g + CaptionWidth() + 16;
}

Integer TqzBarItemControl::GlyphPartWidth() {
  if (FDrawParams->PaintKind == qzPaintMenu) return FParent ? FParent->GetIconAreaSizeValue() : 0;
  if (FDrawParams->ContentParts & qzContentIcon) return RotatedSize(FDrawParams->GlyphExtent).cx;
  return 0;
}

Integer TqzBarItemControl::TextPartWidth() {
  if (!(FDrawParams->ContentParts & qzContentText)) return 0;
  if (FDrawParams->PaintKind == qzPaintMenu) {
    Integer width = CaptionWidth();
    TqzBarItemLinks* links = FLink ? FLink->GetLinks() : nullptr;
    // The shortcut is drawn right-aligned before the row's end gap; half the text size more keeps
    // the widest caption apart from it, so that the two read as columns.
    if (links && links->GetEffectiveShowShortCuts() && ShortCutOf() != 0 && FParent) {
      Integer textSize = FParent->GetTextSizeValue();
      width += TextExtent(FDrawParams->ShortCutText).cx + MenuShortCutEndGap(textSize) + textSize / 2;
    }
    TRect margins;
    GetTextMargins(qzPaintMenu, margins);
    return width + margins.Left + margins.Right;
  }
  if (!(FDrawParams->ContentParts & qzContentIcon)) return CaptionWidth() + 2 * TextIndent();
  TRect margins;
  Painter()->ClassRef()->GetTextMargins(margins);
  return CaptionWidth() + margins.Left;
}

Integer TqzBarItemControl::TextIndent() {
  return FParent ? FParent->GetFont()->GetSize() / 2 : 0;
}

Integer TqzBarItemControl::MenuHeight() {
  Integer height = FParent ? FParent->ItemHeightFor(this) : 0;
  Painter()->ClassRef()->AdjustMenuItemHeight(height);
  return height;
}

Integer TqzBarItemControl::MenuWidth() {
  Integer width = NormalWidth();
  Painter()->ClassRef()->AdjustMenuItemWidth(width);
  return width;
}

Integer TqzBarItemControl::GetThicknessInBar() {
  return FDrawParams->GlyphSizeKind == qzGlyphLarge ? LargeHeight() : NormalHeight();
}

Integer TqzBarItemControl::GetLengthInBar() {
  return FDrawParams->GlyphSizeKind == qzGlyphLarge ? LargeWidth() : NormalWidth();
}

Integer TqzBarItemControl::CaptionWidth() {
  TItemFontScope font(this);
  TRect r;
  Painter()->ClassRef()->GetCaptionExtent(FDrawParams.get(), r);
  return r.Width();
}

void TqzBarItemControl::GetTextMargins(Byte, TRect& AMargins) { Painter()->ClassRef()->GetMenuTextMargins(AMargins); }

// ---- Images -------------------------------------------------------------------------------------

bool TqzBarItemControl::LargeImagesApply(Byte ASize) {
  if (ASize == qzGlyphLarge) return true;
  TqzBarManager* manager = GetBarManager();
  return FDrawParams->PaintKind != qzPaintMenu && manager && manager->GetLargeIcons() &&
         Painter()->AllowsLargeIcons() && manager->GetUseLargeImagesForLargeIcons();
}

bool TqzBarItemControl::GetImageSource(Byte ASize, Integer, Integer& AIndex, TCustomImageList*& AList,
                                       TBitmap*& AGlyph) {
  AList = ImageListFor(ASize);
  AIndex = ImageIndexFor(ASize);
  bool large = LargeImagesApply(ASize);
  TBitmap* largeGlyph = LargeGlyphOf();
  TqzBarItem* item = GetItem();
  if (largeGlyph && !largeGlyph->GetEmpty() && large)
    AGlyph = largeGlyph;
  else if (large && item && item->ImageExists(LargeImages(), LargeImageIndexOf()))
    AGlyph = nullptr;
  else
    AGlyph = LinkGlyph();
  if (AGlyph && AGlyph->GetEmpty()) AGlyph = nullptr;
  // No bar window lends a default glyph yet.
  return AGlyph || (item && item->ImageExists(AList, AIndex));
}

bool TqzBarItemControl::HasImage(Byte ASize) {
  Integer index;
  TCustomImageList* list;
  TBitmap* glyph;
  return GetImageSource(ASize, 0, index, list, glyph);
}

Integer TqzBarItemControl::ImageIndexFor(Byte ASize) {
  if (LargeImagesApply(ASize) && LargeImages() && LargeImageIndexOf() != -1) return LargeImageIndexOf();
  return ImageIndexOf();
}

TSize TqzBarItemControl::GlyphSize(Byte ASize, Integer AFlags) {
  Integer index;
  TCustomImageList* list;
  TBitmap* glyph;
  if (GetImageSource(ASize, AFlags, index, list, glyph)) {
    if (glyph) return TSize(glyph->GetWidth(), glyph->GetHeight());
    return TSize(list->GetWidth(), list->GetHeight());
  }
  if (ASize == qzGlyphLarge) return TSize(20, 20);
  TqzBarManager* manager = GetBarManager();
  Integer size = manager ? manager->GetGlyphSize() : 16;
  return TSize(size, size);
}

TCustomImageList* TqzBarItemControl::ImageListFor(Byte ASize) {
  return LargeImagesApply(ASize) ? LargeImages() : SmallImages();
}

TCustomImageList* TqzBarItemControl::SmallImages() {
  TqzBarManager* manager = GetBarManager();
  if (!manager) return nullptr;
  if (!IsEnabled() && manager->GetDisabledImages()) return manager->GetDisabledImages();
  return manager->GetImages();
}

TCustomImageList* TqzBarItemControl::LargeImages() {
  TqzBarManager* manager = GetBarManager();
  if (!manager) return nullptr;
  if (!IsEnabled() && manager->GetImageOptions()->GetDisabledLargeImages()) return manager->GetImageOptions()->GetDisabledLargeImages();
  return manager->GetLargeImages();
}

TBitmap* TqzBarItemControl::LinkGlyph() { return FLink ? FLink->GetGlyph() : nullptr; }

Integer TqzBarItemControl::ImageIndexOf() { return GetItem() ? GetItem()->GetImageIndex() : -1; }

TBitmap* TqzBarItemControl::LargeGlyphOf() { return GetItem() ? GetItem()->GetLargeGlyph() : nullptr; }

Integer TqzBarItemControl::LargeImageIndexOf() { return GetItem() ? GetItem()->GetLargeImageIndex() : -1; }

// ---- View levels --------------------------------------------------------------------------------

TqzBarItemViewLevels TqzBarItemControl::GetPossibleViewLevels() {
  if (HasImage(qzGlyphSmall)) return {ivlSmallIconWithText, ivlSmallIcon};
  return {ivlSmallIconWithText};
}

Byte TqzBarItemControl::GetViewSize() {
  switch (FViewInfo ? FViewInfo->GetViewLevel() : ivlDefault) {
    case ivlLargeIconWithText:
      return qzGlyphLarge;
    case ivlSmallIconWithText:
    case ivlSmallIcon:
      return qzGlyphSmall;
    default:
      return GetDefaultViewSize();
  }
}

Byte TqzBarItemControl::GetViewStructure() {
  TqzBarItemViewLevel level = FViewInfo ? FViewInfo->GetViewLevel() : ivlDefault;
  switch (level) {
    case ivlLargeIconWithText:
    case ivlSmallIconWithText:
    case ivlSmallIcon: {
      Byte parts = level == ivlSmallIcon ? 0 : qzContentText;
      if (HasImage(GetViewSize())) parts |= qzContentIcon;
      return parts;
    }
    case ivlControlOnly:
      return 0;
    default:
      return GetContentKind();
  }
}

Byte TqzBarItemControl::GetDefaultViewSize() {
  if (GetMenuItemSize() == misLarge) return qzGlyphLarge;
  TqzBarManager* manager = GetBarManager();
  if (manager && manager->GetLargeIcons() && Painter()->AllowsLargeIcons()) return qzGlyphLargeIcons;
  return qzGlyphSmall;
}

Integer TqzBarItemControl::GetMenuItemSize() {
  TqzBarItemLinks* links = FLink ? FLink->GetLinks() : nullptr;
  return links ? links->GetEffectiveItemSize() : misNormal;
}

Byte TqzBarItemControl::GetPaintType() { return FParent ? FParent->GetItemPaintKind() : qzPaintHorizontal; }

TClassOf<TqzBarItemControlViewInfo> TqzBarItemControl::ViewInfoClass() { return TqzBarItemControlViewInfo::ClassInfo(); }

TClassOf<TqzBarItemControlDrawParams> TqzBarItemControl::DrawParamsClass() {
  return TqzBarItemControlDrawParams::ClassInfo();
}

// ---- Draw parameters and drawing ---------------------------------------------------------------

void TqzBarItemControl::FillDrawParams(bool ARefresh) {
  TqzBarItemControlDrawParams* params = FDrawParams.get();
  if (ARefresh) {
    params->CaptionText = GetCaption();
    params->DescriptionText = GetItem() ? GetItem()->GetDescription() : String();
    params->ShortCutText = "";
    params->PaintKind = GetPaintType();
    params->EnabledLook = IsEnabled();
    params->SelectableLook = CanSelect();
    params->SelectedLook = IsDrawnSelected();
    params->HasDropDownPart = HasDropDown();
    params->HotPartIndex = FHotPart;
    params->CustomizingLook = FParent && FParent->IsCustomizing();
    params->KeyboardSelection = params->SelectedLook && !FSelectedByMouse;
  }
  params->TargetCanvas = GetCanvas();
  params->GlyphSizeKind = GetViewSize();
  params->ContentParts = GetViewStructure();
  TqzBarManager* manager = GetBarManager();
  Painter()->GetButtonSize(manager ? manager->GetGlyphSize() : 16, GetSizeBase(), params->GlyphExtent);
}

void TqzBarItemControl::DrawOnCanvas(TkvCanvas* ACanvas, const TRect& R, Byte AState) {
  if (IsRectEmpty(&R)) return;
  ACanvas->PushState();
  struct TRestore {
    TqzBarItemControl* Control;
    TkvCanvas* Canvas;
    ~TRestore() {
      Control->FOwnCanvas = nullptr;
      Control->FillDrawParams(false);
      Canvas->PopState();
    }
  } restore{this, ACanvas};
  if (ACanvas != GetCanvas() && GetCanvas()) ACanvas->AssignFont(GetCanvas()->CurrentFont());
  FOwnCanvas = ACanvas;
  TItemFontScope font(this);
  FillDrawParams(true);
  DrawInRect(R, AState);
}

void TqzBarItemControl::SelectItemFont(TFont* AFont, TkvStyle* AStyle, TqzSavedItemFont& ASaved) {
  bool styleFont = AStyle && AStyle->GetAssignedValues().Contains(kvStyles::svFont);
  ASaved.Changed = styleFont || AFont;
  TkvCanvas* canvas = GetCanvas();
  if (!ASaved.Changed || !canvas) {
    ASaved.Changed = false;
    return;
  }
  ASaved.Font = std::make_unique<TFont>();
  ASaved.Font->Assign(canvas->CurrentFont());
  TFont* source = styleFont ? AStyle->GetFont() : AFont;
  // A font turned for a vertical bar stays turned.
  Integer orientation = canvas->CurrentFont()->GetOrientation();
  canvas->AssignFont(source);
  canvas->CurrentFont()->SetOrientation(orientation);
}

void TqzBarItemControl::RestoreFont(TqzSavedItemFont& ASaved) {
  if (!ASaved.Changed) return;
  if (TkvCanvas* canvas = GetCanvas()) canvas->AssignFont(ASaved.Font.get());
  ASaved.Changed = false;
  ASaved.Font.reset();
}

void TqzBarItemControl::CalcWithItemFont() {
  TItemFontScope font(this);
  UpdateBrushes();
}

void TqzBarItemControl::UpdateBrushes() {
  if (FOwnBrush) DeleteObject(FOwnBrush);
  FOwnBrush = nullptr;
  TqzBarItem* item = GetItem();
  TkvStyle* style = item ? item->GetStyle() : nullptr;
  if (style && style->GetAssignedValues().Contains(kvStyles::svColor) && style->GetColor() != clDefault)
    FOwnBrush = CreateSolidBrush(ColorToRGB(style->GetColor()));
  FTextSize = FParent && GetCanvas() ? FParent->Painter()->ClassRef()->BarTextSize(GetCanvas()) : 0;
}

void TqzBarItemControl::CalcPartRects() { FPartRects.assign(GetPartCount(), GetItemRect()); }

// ---- Queries ------------------------------------------------------------------------------------

TqzBarManager* TqzBarItemControl::GetBarManager() const { return FLink ? FLink->GetBarManager() : nullptr; }

TqzBarItem* TqzBarItemControl::GetItem() const { return FLink ? FLink->GetItem() : nullptr; }

TRect TqzBarItemControl::GetItemRect() const { return FLink ? FLink->GetItemRect() : TRect(); }

TkvCanvas* TqzBarItemControl::GetCanvas() const {
  if (FOwnCanvas) return FOwnCanvas;
  return FParent ? FParent->ActiveCanvas() : nullptr;
}

HBRUSH TqzBarItemControl::GetBackgroundBrush() const {
  return FOwnBrush ? FOwnBrush : (FParent ? FParent->BackgroundBrush() : nullptr);
}

bool TqzBarItemControl::IsSelected() const {
  return FParent && FParent->GetSelectedControl() == this &&
         (const_cast<TqzBarItemControl*>(this)->IsEnabled() || !FSelectedByMouse);
}

TqzBarItemAlign TqzBarItemControl::GetAlign() const {
  // Only the toolbar window honours alignment, for the last link of a bar with UseRestSpace.
  return iaLeft;
}

bool TqzBarItemControl::ClickClosesMenu() const {
  TqzBarItem* item = GetItem();
  if (auto* button = dynamic_cast<TqzBarButton*>(item)) return button->GetUnclickAfterDoing();
  return true;
}

Integer TqzBarItemControl::PickForOrientation(Integer AFirst, Integer ASecond) const {
  return IsInVerticalBarConst() ? ASecond : AFirst;
}

Integer TqzBarItemControl::GetSizeBase() const {
  TqzBarItem* item = GetItem();
  TkvStyle* style = item ? item->GetStyle() : nullptr;
  if (style && style->GetAssignedValues().Contains(kvStyles::svFont)) return FTextSize;
  return FParent ? FParent->GetTextSizeValue() : 0;
}

TSize TqzBarItemControl::TextExtent(const String& AText) {
  TItemFontScope font(this);
  TkvCanvas* canvas = GetCanvas();
  return canvas ? canvas->MeasureText(AText) : TSize();
}

Integer TqzBarItemControl::TextHeightOfSample() { return TextExtent("Qq").cy; }

bool TqzBarItemControl::IsEnabled() {
  TqzBarItem* item = GetItem();
  return item && item->GetEnabled();
}

bool TqzBarItemControl::IsOfOwnManager() {
  TqzBarItem* item = GetItem();
  return item && item->BarManager() == GetBarManager();
}

bool TqzBarItemControl::CanSelect() {
  return !(FParent && FParent->IsCustomizing() && !IsOfOwnManager());
}

String TqzBarItemControl::GetCaption() { return FLink ? FLink->GetCaption() : String(); }

String TqzBarItemControl::GetHint() { return GetItem() ? GetItem()->GetHint() : String(); }

TqzBarPainter* TqzBarItemControl::Painter() { return FParent->Painter(); }

TShortCut TqzBarItemControl::ShortCutOf() { return GetItem() ? GetItem()->GetShortCut() : 0; }

bool TqzBarItemControl::ShowsHint() { return !GetHint().empty() && FParent && FParent->BarKind() == 0; }

bool TqzBarItemControl::IsInVerticalBar() { return IsInVerticalBarConst(); }

bool TqzBarItemControl::IsInVerticalBarConst() const { return FParent && FParent->RotatesText(); }

// ---- Changes ------------------------------------------------------------------------------------

void TqzBarItemControl::RequestBarRebuild() {
  if (FParent) FParent->Rebuild();
}

void TqzBarItemControl::UpdateInBar() {
  if (GetAlign() == iaClient && FParent && (FParent->KindFlags() & qzKindStretchesClient))
    Repaint();
  else
    RequestBarRebuild();
}

void TqzBarItemControl::EnabledChanged() {
  if (!IsEnabled() && FParent && FParent->GetSelectedControl() == this) FParent->ForgetSelection();
  Repaint();
}

void TqzBarItemControl::LargeGlyphChanged() {
  if (FDrawParams->GlyphSizeKind == qzGlyphSmall) return;
  if (FDrawParams->PaintKind == qzPaintMenu)
    Repaint();
  else
    RequestBarRebuild();
}

void TqzBarItemControl::RefreshNow() {
  FillDrawParams(false);
  CalcPartRects();
  Repaint();
}

void TqzBarItemControl::SetClickState(bool Value) {
  if (FClickState == Value) return;
  FClickState = Value;
  ClickStateChanged();
}

void TqzBarItemControl::ClickStateChanged() {
  if (!FClickState) Repaint();
}

void TqzBarItemControl::VisibleChanged() { RequestBarRebuild(); }

void TqzBarItemControl::WidthChanged() {
  if (FParent && FParent->BarKind() == 0) RequestBarRebuild();
}

void TqzBarItemControl::Repaint() {
  if (FParent) FParent->RepaintControl(this);
}

// ---- Mouse and click ----------------------------------------------------------------------------

Integer TqzBarItemControl::HitTestPart(const TPoint& P) {
  TRect bounds = GetItemRect();
  if (!PtInRect(&bounds, P)) return qzNoHotPart;
  for (size_t i = 0; i < FPartRects.size(); ++i)
    if (PtInRect(&FPartRects[i], P)) return static_cast<Integer>(i);
  return qzHotPartInside;
}

void TqzBarItemControl::TrackHotPart(const TPoint& P) {
  if (!IsEnabled()) {
    FHotPart = qzNoHotPart;
    return;
  }
  Integer part = HitTestPart(P);
  if (part == FHotPart) return;
  FHotPart = part;
  Repaint();
}

void TqzBarItemControl::PressAt(TMouseButton, TShiftState) {
  if (!IsEnabled()) return;
  UserActivate(false);
  if (FParent && IsBarControlLive(FParent) && FParent->HasLinkControl(this)) DoClick();
}

void TqzBarItemControl::DoClick() {
  if (dynamic_cast<TqzBarButtonControl*>(this) && dynamic_cast<TqzBarSubMenuControl*>(FParent))
    PlayBarSound(bskMenuCommand);
  TqzBarItemLink* source = FLink->GetSourceLink();
  TqzBarItem* item = GetItem();
  bool fires = ClickFiresItem();
  bool uses = CountsUse();
  // Recording the use, closing the menus and the handler may free the links, the item or this
  // control: weak links tell what is left. A source link freed by the closing reaches the
  // handler as nil.
  TqzObjectGuard self(this);
  TqzObjectGuard sourceAlive(source);
  TqzObjectGuard itemAlive(item);
  if (uses) {
    try {
      source->RegisterUse(true);
      if (FLink != source) FLink->RegisterUse(true);
    } catch (const Exception&) {
    }
  }
  bool armed = self.Alive() && ClickClosesMenu() && (!uses || !FParent->ClaimsFinalClicks());
  if (armed) SetClickState(true);
  if (uses && self.Alive()) FParent->CloseOnce();
  if (fires && itemAlive.Alive()) {
    item->SetClickedLink(sourceAlive.Alive() ? source : nullptr);
    item->Click();
    if (itemAlive.Alive()) item->SetClickedLink(nullptr);
  }
  if (armed && self.Alive()) SetClickState(false);
}

void TqzBarItemControl::SelectInBar(bool, bool&) {
  if (!FParent) return;
  FParent->SetKeptDown(false);
  FParent->SetSelectedControl(this);
}

// ---- The link's control -------------------------------------------------------------------------

void TqzBarItemLink::CreateControl() {
  TCustomqzBarControl* window = GetBarControl();
  if (FControl || !GetItem() || !window || window->IsDestroying()) return;
  TClass controlClass = GetItem()->ControlClass(window->RotatesText());
  if (!controlClass || !controlClass->Factory) return;
  FControl = static_cast<TqzBarItemControl*>(controlClass->Factory(this));
  FControl->Initialize();
}

void TqzBarItemLink::DestroyControl() {
  TqzBarItemControl* control = FControl;
  FControl = nullptr;
  delete control;
}

bool TqzBarItemControl::IsPressedUnderMouse() {
  if (!IsEnabled() || !FParent || !FParent->HandleAllocated()) return false;
  POINT cursor{};
  GetCursorPos(&cursor);
  TRect r = GetItemRect();
  return PtInRect(&r, FParent->ScreenToClient(cursor)) && (GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0;
}

TqzBarCustomHintViewInfo* TqzBarItemControl::CreateHintViewInfo(const String& AHint, const String& AShortCut) {
  TqzBarItem* item = GetItem();
  return Painter()->CreateHintViewInfo(GetBarManager(), AHint, item ? item->GetScreenTip() : nullptr, AShortCut);
}

void TqzBarItemControl::GetHintPosition(const TPoint& ACursorPos, Integer AWindowHeight, TPoint& APos) {
  Painter()->ClassRef()->PlaceHint(FParent, GetItemRect(), ACursorPos, AWindowHeight, APos);
}

bool TqzBarItemControl::GetHintTexts(String& AHint, String& AShortCut, bool& AVetoed) {
  AHint.clear();
  AShortCut.clear();
  AVetoed = false;
  if (!FParent || !FParent->IsInactive() || FParent->ControlAtCursor() != this) return false;
  AHint = GetShortHint(GetHint());
  AShortCut = ShortCutHintSuffix(ShortCutOf());
  return true;
}
