// The drop-down editors' settings, their layout and inner edit, and the look-and-feel of the
// controls inside their popups.

#include <algorithm>

#include "toolkit/editors/kvDropDownEdit.h"
#include "toolkit/foundation/kvDWMApi.h"
#include "vcl/ControlsMessages.h"

TAVREN_CLASS_IMPL(TkvCustomDropDownEditProperties)
TAVREN_CLASS_IMPL(TkvCustomDropDownEditData)
TAVREN_CLASS_IMPL(TkvCustomDropDownEditViewData)
TAVREN_CLASS_IMPL(TkvCustomDropDownInnerEdit)
TAVREN_CLASS_IMPL(TkvEditPopupControlLookAndFeel)

TAVREN_MESSAGE_TABLE(TkvCustomDropDownInnerEdit, MESSAGE_HANDLER(CM_HINTSHOW, CMHintShow))

// ---- Properties ------------------------------------------------------------------------------

TkvCustomDropDownEditProperties::TkvCustomDropDownEditProperties(TPersistent* AOwner)
    : TkvCustomMaskEditProperties(AOwner) {
  FGlyphButtonNumber = DropDownButtonIndex();
  // The drop-down button.
  GetButtons()->AddButton()->SetKind(bkDown);
}

void TkvCustomDropDownEditProperties::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TkvCustomDropDownEditProperties*>(Source);
  if (!source) return TkvCustomMaskEditProperties::Assign(Source);
  LockChanges();
  try {
    TkvCustomMaskEditProperties::Assign(Source);
    SetButtonGlyph(source->GetButtonGlyph());
    FImmediateDropDown = source->FImmediateDropDown;
    FImmediatePopup = source->FImmediatePopup;
    SetArrowButtonDownWhileOpen(source->FArrowButtonDownWhileOpen);
    FPopupAutoSize = source->FPopupAutoSize;
    SetPopupClientEdge(source->FPopupClientEdge);
    FPopupOpenDirection = source->FPopupOpenDirection;
    SetPopupHeight(source->FPopupHeight);
    FPopupHorzPlacement = source->FPopupHorzPlacement;
    FPopupMinHeight = source->FPopupMinHeight;
    FPopupMinWidth = source->FPopupMinWidth;
    SetPopupSizeable(source->FPopupSizeable);
    SetPopupSysPanelStyle(source->FPopupSysPanelStyle);
    FPopupVertPlacement = source->FPopupVertPlacement;
    SetPopupWidth(source->FPopupWidth);
    FPostPopupValueOnTab = source->FPostPopupValueOnTab;
    FOnCloseQuery = source->FOnCloseQuery;
    FOnCloseUp = source->FOnCloseUp;
    FOnInitPopup = source->FOnInitPopup;
    FOnPopup = source->FOnPopup;
  } catch (...) {
    UnlockChanges(true);
    throw;
  }
  UnlockChanges(true);
}

TClassOf<TkvCustomEditViewData> TkvCustomDropDownEditProperties::GetViewDataClass() {
  return TkvCustomDropDownEditViewData::ClassInfo();
}

TClass TkvCustomDropDownEditProperties::GetEditorClass() { return TkvCustomDropDownEdit::ClassInfo(); }

TClassOf<TkvCustomEditPopupWindow> TkvCustomDropDownEditProperties::PopupWindowClass() {
  return TkvCustomEditPopupWindow::ClassInfo();
}

namespace {

bool UsableGlyph(TkvEditButton* Button) {
  if (!Button->HasGlyph()) return false;
  TBitmap* glyph = Button->GetGlyph();
  return !glyph->GetEmpty() && glyph->GetWidth() > 0 && glyph->GetHeight() > 0;
}

}  // namespace

void TkvCustomDropDownEditProperties::NotifyChanged() {
  if (!FNotifying) {
    FNotifying = true;
    try {
      if (FGlyphButtonNumber < GetButtons()->VisibleCount()) {
        TkvEditButton* button = GetButtons()->GetButton(FGlyphButtonNumber);
        if (UsableGlyph(button))
          button->SetKind(bkGlyph);
        else if (button->GetKind() == bkGlyph)
          button->SetKind(bkDown);
      }
    } catch (...) {
      FNotifying = false;
      throw;
    }
    FNotifying = false;
  }
  TkvCustomMaskEditProperties::NotifyChanged();
}

TkvEditButton* TkvCustomDropDownEditProperties::GlyphButton() {
  TkvEditButtons* buttons = GetButtons();
  return FGlyphButtonNumber >= 0 && FGlyphButtonNumber < buttons->GetCount() ? buttons->GetButton(FGlyphButtonNumber)
                                                                             : nullptr;
}

TBitmap* TkvCustomDropDownEditProperties::GetButtonGlyph() {
  TkvEditButton* button = GlyphButton();
  return button ? button->GetGlyph() : nullptr;
}

bool TkvCustomDropDownEditProperties::IsButtonGlyphStored() {
  TkvEditButton* button = GlyphButton();
  return button && button->IsGlyphStored();
}

void TkvCustomDropDownEditProperties::SetButtonGlyph(TBitmap* Value) {
  TkvEditButton* button = GlyphButton();
  if (!button) return;
  button->SetGlyph(Value);
  button->SetKind(UsableGlyph(button) ? bkGlyph : bkDown);
}

void TkvCustomDropDownEditProperties::MoveGlyphToButton(Integer Index) {
  if (Index == FGlyphButtonNumber) return;
  TkvEditButton* old = GlyphButton();
  std::unique_ptr<TBitmap> glyph;
  if (old && old->HasGlyph()) {
    glyph = std::make_unique<TBitmap>();
    glyph->Assign(old->GetGlyph());
    old->SetGlyph(nullptr);
    if (old->GetKind() == bkGlyph) old->SetKind(bkDown);
  }
  FGlyphButtonNumber = Index;
  if (TkvEditButton* button = GlyphButton(); button && glyph) {
    button->SetGlyph(glyph.get());
    button->SetKind(bkGlyph);
  }
}

TAlignment TkvCustomDropDownEditProperties::GetPopupAlignment() const {
  switch (FPopupHorzPlacement) {
    case 1: return taCenter;
    case 2: return taRightJustify;
    default: return taLeftJustify;
  }
}

void TkvCustomDropDownEditProperties::SetPopupAlignment(TAlignment Value) {
  Byte placement = Value == taCenter ? 1 : Value == taRightJustify ? 2 : 0;
  Store(FPopupHorzPlacement, placement);
}

void TkvCustomDropDownEditProperties::SetPopupHeight(Integer Value) {
  FPopupHeight = std::max(Value, FPopupMinHeight);
}

void TkvCustomDropDownEditProperties::SetPopupWidth(Integer Value) {
  // 0 stands for the editor's width; a given width keeps to the minimum.
  FPopupWidth = Value <= 0 ? 0 : std::max(Value, FPopupMinWidth);
}

void TkvCustomDropDownEditProperties::SetPopupMinHeight(Integer Value) {
  FPopupMinHeight = std::max(Value, 0);
  SetPopupHeight(FPopupHeight);
}

void TkvCustomDropDownEditProperties::SetPopupMinWidth(Integer Value) {
  FPopupMinWidth = std::max(Value, 0);
  SetPopupWidth(FPopupWidth);
}

// ---- View data -------------------------------------------------------------------------------

void TkvCustomDropDownEditViewData::ComputeViewInfo(TkvCanvas* Canvas, const TRect& Bounds, const TPoint& P,
                                                    Integer Button, TShiftState Shift, TkvCustomEditViewInfo* ViewInfo,
                                                    bool IsMouseEvent) {
  ButtonStaysPressed = GetDropDownProperties()->GetArrowButtonDownWhileOpen() ||
                       (NativeStyle && DwmCompositionEnabled());
  TkvCustomTextEditViewData::ComputeViewInfo(Canvas, Bounds, P, Button, Shift, ViewInfo, IsMouseEvent);
  auto* info = static_cast<TkvCustomTextEditViewInfo*>(ViewInfo);
  auto* text = dynamic_cast<TkvCustomTextEdit*>(Edit);
  bool completing = GetDropDownProperties()->GetKeepCompletionSelected() && text && text->IsCompletionPending();
  info->SelectionBarShown = Focused && info->EditingStyle == kvEditingStrictList && !Inplace && !info->PopupOpen &&
                            !info->IsTransparent() && !(NativeStyle && DwmCompositionEnabled()) && !completing;
}

bool TkvCustomDropDownEditViewData::ButtonShowsState(Integer Index) {
  return !(IsHotAndPopup && Index == GetDropDownProperties()->DropDownButtonIndex());
}

Integer TkvCustomDropDownEditViewData::GetNativeState() {
  Integer state = TkvCustomTextEditViewData::GetNativeState();
  if (state == 3 && TextProperties()->EditingStyleCode() == kvEditingStrictList && !HasPopupWindow)
    state = ContainerState & kvesHot ? 2 : 1;
  return state;
}

bool TkvCustomDropDownEditViewData::IsButtonPressed(TkvCustomEditViewInfo* ViewInfo, Integer Index) {
  if (TkvCustomTextEditViewData::IsButtonPressed(ViewInfo, Index)) return true;
  return (HasPopupWindow || IsHotAndPopup) && ButtonStaysPressed &&
         Index == GetDropDownProperties()->DropDownButtonIndex();
}

// ---- Inner edit ------------------------------------------------------------------------------

void TkvCustomDropDownInnerEdit::CMHintShow(TMessage& Message) {
  // No hint over a popup's editor.
  TkvCustomEdit* owner = GetOwnerEdit();
  Message.Result = owner && owner->IsPopupOpen() ? 1 : 0;
  if (Message.Result == 0) InheritedMessage(Message);
}

// ---- Look-and-feel of the popup's controls ---------------------------------------------------

TkvEditPopupControlLookAndFeel::TkvEditPopupControlLookAndFeel(TkvCustomDropDownEdit* AEdit)
    : TkvLookAndFeel(AEdit), FEdit(AEdit) {
  FReportedKind = EffectiveKind();
  FReportedNativeStyle = EffectiveNativeStyle();
  FReportedSkinName = EffectiveSkinName();
}

TkvLookAndFeelKind TkvEditPopupControlLookAndFeel::EffectiveKind() {
  return FEdit->GetStyle()->GetLookAndFeel()->EffectiveKind();
}

bool TkvEditPopupControlLookAndFeel::EffectiveNativeStyle() { return FEdit->GetViewInfo()->NativeStyle; }

TqzSkinName TkvEditPopupControlLookAndFeel::EffectiveSkinName() {
  return FEdit->GetStyle()->GetLookAndFeel()->EffectiveSkinName();
}

void TkvEditPopupControlLookAndFeel::Recheck() {
  TkvLookAndFeelValues changed;
  const TkvLookAndFeelKind kind = EffectiveKind();
  const bool native = EffectiveNativeStyle();
  const TqzSkinName skin = EffectiveSkinName();
  if (kind != FReportedKind) changed.Include(lfvKind);
  if (native != FReportedNativeStyle) changed.Include(lfvNativeStyle);
  if (skin != FReportedSkinName) changed.Include(lfvSkinName);
  if (changed.Empty()) return;
  FReportedKind = kind;
  FReportedNativeStyle = native;
  FReportedSkinName = skin;
  MasterValuesChanged(this, changed);
}
