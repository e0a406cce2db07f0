// The large button and its control: the image index synchronisation, the hot glyph and the
// large view.

#include "rtl/Filer.h"
#include "rtl/Reader.h"
#include "rtl/Writer.h"
#include "toolkit/bars/qzBarControl.h"
#include "toolkit/bars/qzBarExtItems.h"
#include "toolkit/bars/qzBarPainter.h"
#include "toolkit/bars/qzBarToolbarControl.h"

TAVREN_CLASS_IMPL_PUBLISHED(TqzBarLargeButton,
    PROPERTY(AutoGrayScale).Default(true),
    PROPERTY(GlyphLayout).Default(glTop),
    PROPERTY(Height).Default(0),
    PROPERTY(HotGlyph),
    PROPERTY(HotImageIndex).Default(-1),
    PROPERTY(ImageIndex).Stored(false),
    PROPERTY(LargeImageIndex).Default(-1).Stored<&TqzBarItem::IsImageIndexStored>(),
    PROPERTY(ShowCaption).Default(true),
    PROPERTY(SyncImageIndex).Default(true),
    PROPERTY(Width).Default(0))
TAVREN_CLASS_IMPL(TqzBarLargeButtonControl)

// ---- Item ----------------------------------------------------------------------------------------

TqzBarLargeButton::TqzBarLargeButton(TComponent* AOwner) : TqzBarButton(AOwner), FHotGlyph(std::make_unique<TBitmap>()) {
  FShowCaption = true;
  FHotGlyph->SetOnChange(MakeEvent<&TqzBarItem::HotGlyphChanged>(this));
}

TqzBarLargeButton::~TqzBarLargeButton() { FHotGlyph->SetOnChange(TNotifyEvent()); }

void TqzBarLargeButton::Loaded() {
  inherited::Loaded();
  FImageIndexRead = false;
  FSyncImageIndexRead = false;
}

void TqzBarLargeButton::DefineProperties(TFiler* Filer) {
  inherited::DefineProperties(Filer);
  Filer->DefineProperty(
      "ImageIndex", [this](TReader* R) { SetImageIndex(R->ReadInteger()); },
      [this](TWriter* W) { W->WriteInteger(GetImageIndex()); }, !FSyncImageIndex);
}

bool TqzBarLargeButton::AccelUsableFor(TqzBarItemLink* ALink) {
  if (!inherited::AccelUsableFor(ALink)) return false;
  TqzBarItemLinks* links = ALink->GetLinks();
  // A button that shows only its glyph on a toolbar has no caption to underline.
  return !(links && dynamic_cast<TqzBar*>(links->GetOwnerComponent()) && !GetShowCaption());
}

namespace {

// Sets the flag for the duration of a copy, and clears it also when the copy raises.
class TSynchronizing {
 public:
  explicit TSynchronizing(bool& AFlag) : FFlag(AFlag) { FFlag = true; }
  ~TSynchronizing() { FFlag = false; }

 private:
  bool& FFlag;
};

}  // namespace

void TqzBarLargeButton::SetImageIndex(Integer Value) {
  if (IsLoading() && !FSynchronizing) FImageIndexRead = true;
  inherited::SetImageIndex(Value);
  if (FSynchronizing) return;
  if (IsLoading() && GetLargeImageIndex() == -1 && (FSyncImageIndex || !FSyncImageIndexRead)) {
    // A form of a plain button's time names only the small index: it becomes the large one.
    TSynchronizing sync(FSynchronizing);
    SetLargeImageIndex(Value);
  } else if (!FSyncImageIndexRead) {
    SetSyncImageIndex(false);
  }
}

void TqzBarLargeButton::LargeGlyphChanged(TObject* Sender) {
  if (!FSynchronizing && FSyncImageIndex) {
    if (IsLoading() && FImageIndexRead)
      SetSyncImageIndex(GetLargeImageIndex() == GetImageIndex());
    else
      SyncFromLargeImageIndex();
  }
  inherited::LargeGlyphChanged(Sender);
}

void TqzBarLargeButton::SyncFromLargeImageIndex() {
  TSynchronizing sync(FSynchronizing);
  SetImageIndex(GetLargeImageIndex());
}

void TqzBarLargeButton::SetSyncImageIndex(bool Value) {
  if (IsLoading() && !FSynchronizing) FSyncImageIndexRead = true;
  if (FSyncImageIndex == Value) return;
  FSyncImageIndex = Value;
  if (Value && !FSynchronizing) SyncFromLargeImageIndex();
}

void TqzBarLargeButton::SetAutoGrayScale(bool Value) {
  if (FAutoGrayScale == Value) return;
  FAutoGrayScale = Value;
  RepaintControls();
}

void TqzBarLargeButton::SetHeight(Integer Value) {
  if (Value < 0 || FHeight == Value) return;
  FHeight = Value;
  if (!IsLoading()) RebuildBarsOfKinds(qzAllBarKinds);
}

void TqzBarLargeButton::SetWidth(Integer Value) {
  if (Value < 0 || GetWidth() == Value) return;
  inherited::SetWidth(Value);
  if (!IsLoading()) RebuildBarsOfKinds(qzAllBarKinds);
}

void TqzBarLargeButton::SetHotImageIndex(Integer Value) {
  if (FHotImageIndex == Value) return;
  FHotImageIndex = Value;
  HotGlyphChanged(this);
}

// ---- Control -------------------------------------------------------------------------------------

void TqzBarLargeButtonControl::LargeGlyphChanged() {
  if (GetViewSize() != qzGlyphLarge) return;
  TqzBarLargeButton* button = GetLargeButton();
  bool fixedSize = button && button->GetWidth() != 0 && button->GetHeight() != 0;
  if (fixedSize || GetPaintType() == qzPaintMenu)
    Repaint();
  else
    RequestBarRebuild();
}

TqzBarItemViewLevels TqzBarLargeButtonControl::GetPossibleViewLevels() {
  TqzBarItemViewLevels levels = inherited::GetPossibleViewLevels();
  levels.Include(ivlLargeIconWithText);
  return levels;
}

Byte TqzBarLargeButtonControl::GetContentKind() {
  if (GetPaintType() == qzPaintMenu) return inherited::GetContentKind();
  TqzBarLargeButton* button = GetLargeButton();
  return button && button->GetShowCaption() ? qzContentIcon | qzContentText : qzContentIcon;
}

Byte TqzBarLargeButtonControl::GetDefaultViewSize() {
  if (GetPaintType() == qzPaintMenu) return inherited::GetDefaultViewSize();
  return qzGlyphLarge;
}

bool TqzBarLargeButtonControl::DrawsGlyphGray() {
  TqzBarLargeButton* button = GetLargeButton();
  return !IsDrawnSelected() && IsEnabled() && button && button->GetAutoGrayScale();
}

bool TqzBarLargeButtonControl::HotSource(Integer& AIndex, TCustomImageList*& AList, TBitmap*& AGlyph) {
  TqzBarLargeButton* button = GetLargeButton();
  TqzBarManager* manager = GetBarManager();
  if (!button) return false;
  if (!button->GetHotGlyph()->GetEmpty()) {
    AGlyph = button->GetHotGlyph();
    return true;
  }
  if (manager && button->ImageExists(manager->GetHotImages(), button->GetHotImageIndex())) {
    AList = manager->GetHotImages();
    AIndex = button->GetHotImageIndex();
    return true;
  }
  return false;
}

bool TqzBarLargeButtonControl::LargeSource(Integer& AIndex, TCustomImageList*& AList, TBitmap*& AGlyph) {
  TqzBarItem* item = GetItem();
  TqzBarManager* manager = GetBarManager();
  TBitmap* glyph = LargeGlyphOf();
  if (glyph && !glyph->GetEmpty()) {
    AGlyph = glyph;
    return true;
  }
  if (item && manager && item->ImageExists(manager->GetLargeImages(), LargeImageIndexOf())) {
    AList = LargeImages();
    AIndex = LargeImageIndexOf();
    return true;
  }
  return false;
}

bool TqzBarLargeButtonControl::GetImageSource(Byte ASize, Integer AFlags, Integer& AIndex, TCustomImageList*& AList,
                                              TBitmap*& AGlyph) {
  if (ASize != qzGlyphLarge) return inherited::GetImageSource(ASize, AFlags, AIndex, AList, AGlyph);
  AGlyph = nullptr;
  AList = nullptr;
  AIndex = -1;
  bool found = (AFlags & qzImageSourceHot) ? HotSource(AIndex, AList, AGlyph) || LargeSource(AIndex, AList, AGlyph)
                                           : LargeSource(AIndex, AList, AGlyph) || HotSource(AIndex, AList, AGlyph);
  if (found) return true;
  // Nothing to draw, but the painter may still reserve the list's image size.
  TqzBarManager* manager = GetBarManager();
  AList = LargeImages() ? LargeImages() : (manager ? manager->GetHotImages() : nullptr);
  return false;
}

Integer TqzBarLargeButtonControl::GetThicknessInBar() {
  TqzBarLargeButton* button = GetLargeButton();
  return button && button->GetHeight() != 0 ? button->GetHeight() : inherited::GetThicknessInBar();
}

Integer TqzBarLargeButtonControl::GetLengthInBar() {
  TqzBarLargeButton* button = GetLargeButton();
  return button && button->GetWidth() != 0 ? button->GetWidth() : inherited::GetLengthInBar();
}

bool TqzBarLargeButtonControl::IsInVerticalBar() {
  TqzBarLargeButton* button = GetLargeButton();
  return inherited::IsInVerticalBar() && button && button->GetShowCaption();
}

Integer TqzBarLargeButtonControl::GetDropArrowWidth() {
  if (dynamic_cast<TqzBarControl*>(GetParent())) return Painter()->ButtonGlyphSize(GetParent());
  return inherited::GetDropArrowWidth();
}
