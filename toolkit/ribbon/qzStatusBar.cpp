// Status-bar panel styles: the base style, the text style and the registry of styles.
#include "toolkit/ribbon/qzStatusBar.h"

#include "rtl/ClassRegistry.h"
#include "toolkit/ribbon/qzRibbonStrs.h"

TAVREN_CLASS_IMPL(TqzStatusBarPanel)
TAVREN_CLASS_IMPL(TqzStatusBarPainter)
TAVREN_CLASS_IMPL(TqzStatusBarPanelStyle)
TAVREN_CLASS_IMPL_PUBLISHED(TqzStatusBarTextPanelStyle, PROPERTY(Alignment).Default(taLeftJustify),
                            PROPERTY(AutoHint).Default(false),
                            PROPERTY(Color).Stored<&TqzStatusBarPanelStyle::IsColorStored>(),
                            PROPERTY(ImageIndex).Default(-1), PROPERTY(EllipsisType).Default(qzetNone),
                            PROPERTY(Font).Stored<&TqzStatusBarPanelStyle::IsFontStored>(),
                            PROPERTY(ParentFont).Default(true), PROPERTY(OnGetText))

namespace {

TkvRegisteredClasses* registeredStyles = nullptr;
bool unitFinalized = false;

}  // namespace

IqzStatusBarSite* TqzStatusBarPanel::StatusBar() const {
  TCollection* panels = GetCollection();
  return panels ? dynamic_cast<IqzStatusBarSite*>(panels->GetOwner()) : nullptr;
}

// ---- Base style -------------------------------------------------------------------------------

TqzStatusBarPanelStyle::TqzStatusBarPanelStyle(TqzStatusBarPanel* AOwner)
    : FOwner(AOwner), FFont(std::make_unique<TFont>()) {
  FFont->SetOnChange(TNotifyEvent::Of<&TqzStatusBarPanelStyle::OwnFontChanged>(this));
  FParentFont = true;
  ParentFontChanged();
}

TqzStatusBarPanelStyle::~TqzStatusBarPanelStyle() {
  FFont->SetOnChange(TNotifyEvent());
  FOwner = nullptr;
}

TPersistent* TqzStatusBarPanelStyle::GetOwner() { return FOwner; }

IqzStatusBarSite* TqzStatusBarPanelStyle::GetStatusBar() const { return FOwner ? FOwner->StatusBar() : nullptr; }

void TqzStatusBarPanelStyle::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TqzStatusBarPanelStyle*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  BeginPanelsUpdate();
  try {
    DoAssign(source);
  } catch (...) {
    EndPanelsUpdate();
    throw;
  }
  EndPanelsUpdate();
}

void TqzStatusBarPanelStyle::BeginPanelsUpdate() {
  if (FOwner && FOwner->GetCollection()) FOwner->GetCollection()->BeginUpdate();
}

void TqzStatusBarPanelStyle::EndPanelsUpdate() {
  if (FOwner && FOwner->GetCollection()) FOwner->GetCollection()->EndUpdate();
}

void TqzStatusBarPanelStyle::PanelChanged(bool AllItems) {
  if (FOwner) FOwner->PanelChanged(AllItems);
}

void TqzStatusBarPanelStyle::AdjustTextColor(TColor& AColor, bool Active) {
  if (AColor != clDefault) return;
  if (IqzStatusBarSite* bar = GetStatusBar()) bar->GetDefaultTextColor(AColor, Active);
}

bool TqzStatusBarPanelStyle::CanBeRemoved() { return true; }
bool TqzStatusBarPanelStyle::AllowsFreeWidth() { return true; }

void TqzStatusBarPanelStyle::NotifyPanel() {
  if (FOwner) FOwner->UpdatePanel();
}

void TqzStatusBarPanelStyle::AdjustContentRect(TRect& R) {
  IqzStatusBarSite* bar = GetStatusBar();
  if (!bar || !FOwner) return;
  TCollection* panels = bar->StatusBarPanels();
  if (panels && FOwner->GetIndex() == panels->GetCount() - 1 && bar->ShowsSizeGrip())
    R.Right -= bar->StatusBarPainter()->SizeGripSize(bar).cx;
}

TColor TqzStatusBarPanelStyle::GetDefaultColor() {
  IqzStatusBarSite* bar = GetStatusBar();
  return bar ? bar->StatusBarColor() : clBtnFace;
}

void TqzStatusBarPanelStyle::DoAssign(TqzStatusBarPanelStyle* Source) {
  RestoreDefaults();
  FAlignment = Source->FAlignment;
  if (Source->FColorAssigned) SetColor(Source->FColor);
  if (!Source->GetParentFont())
    SetFont(Source->GetFont());
  else
    ParentFontChanged();
}

void TqzStatusBarPanelStyle::DrawContent(TkvCanvas* Canvas, TRect R, TqzStatusBarPainter* Painter) {
  if (IqzStatusBarSite* bar = GetStatusBar()) Painter->DrawPanel(bar, FOwner, Canvas, R);
}

Integer TqzStatusBarPanelStyle::GetMinWidth() { return 20; }
Integer TqzStatusBarPanelStyle::ExtraQuery() { return 0; }
bool TqzStatusBarPanelStyle::DrawsItemFrames() { return false; }
void TqzStatusBarPanelStyle::ExtraNotification() {}
void TqzStatusBarPanelStyle::VisibleChanged() {}

void TqzStatusBarPanelStyle::ParentFontChanged() {
  if (!FParentFont) return;
  IqzStatusBarSite* bar = GetStatusBar();
  if (bar && bar->StatusBarFont()) {
    FFont->Assign(bar->StatusBarFont());
    FParentFont = true;  // the copy's change notification switched it off
  }
}

void TqzStatusBarPanelStyle::RestoreDefaults() {
  FAlignment = taLeftJustify;
  FColorAssigned = false;
  SetParentFont(true);
  PanelChanged(false);
}

void TqzStatusBarPanelStyle::SetAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  PanelChanged(false);
}

TColor TqzStatusBarPanelStyle::GetColor() { return FColorAssigned ? FColor : GetDefaultColor(); }

void TqzStatusBarPanelStyle::SetColor(TColor Value) {
  // Setting the stored value changes nothing: black on a new style leaves the colour unassigned.
  if (FColor == Value) return;
  FColor = Value;
  FColorAssigned = true;
  PanelChanged(false);
}

void TqzStatusBarPanelStyle::SetFont(TFont* Value) { FFont->Assign(Value); }

void TqzStatusBarPanelStyle::SetParentFont(bool Value) {
  if (FParentFont == Value) return;
  FParentFont = Value;
  ParentFontChanged();
}

void TqzStatusBarPanelStyle::OwnFontChanged(TObject*) {
  FParentFont = false;
  PanelChanged(false);
}

// ---- Text -------------------------------------------------------------------------------------

TqzStatusBarTextPanelStyle::TqzStatusBarTextPanelStyle(TqzStatusBarPanel* AOwner) : TqzStatusBarPanelStyle(AOwner) {
  FImageIndex = -1;
}

void TqzStatusBarTextPanelStyle::RestoreDefaults() {
  FAutoHint = false;
  FImageIndex = -1;
  FEllipsisType = qzetNone;
  inherited::RestoreDefaults();
}

void TqzStatusBarTextPanelStyle::DoAssign(TqzStatusBarPanelStyle* Source) {
  inherited::DoAssign(Source);
  if (auto* source = dynamic_cast<TqzStatusBarTextPanelStyle*>(Source)) {
    SetAutoHint(source->FAutoHint);
    SetImageIndex(source->FImageIndex);
    SetEllipsisType(source->FEllipsisType);
  }
}

void TqzStatusBarTextPanelStyle::SetAutoHint(bool Value) {
  if (FAutoHint == Value) return;
  if (IqzStatusBarSite* bar = GetStatusBar()) {
    TCollection* panels = bar->StatusBarPanels();
    for (Integer i = 0; panels && i < panels->GetCount(); ++i) {
      auto* panel = static_cast<TqzStatusBarPanel*>(panels->GetItems(i));
      if (auto* text = dynamic_cast<TqzStatusBarTextPanelStyle*>(panel->GetPanelStyle())) text->FAutoHint = false;
    }
  }
  FAutoHint = Value;
}

void TqzStatusBarTextPanelStyle::SetImageIndex(Integer Value) {
  if (FImageIndex == Value) return;
  FImageIndex = Value;
  PanelChanged(false);
}

void TqzStatusBarTextPanelStyle::SetEllipsisType(TqzStatusBarEllipsisType Value) {
  if (FEllipsisType == Value) return;
  FEllipsisType = Value;
  PanelChanged(false);
}

void TqzStatusBarTextPanelStyle::DrawContent(TkvCanvas* Canvas, TRect R, TqzStatusBarPainter* Painter) {
  inherited::DrawContent(Canvas, R, Painter);
  IqzStatusBarSite* bar = GetStatusBar();
  if (!bar) return;
  const bool enabled = bar->StatusBarControl()->GetEnabled();
  TCustomImageList* images = bar->StatusBarImages();
  if (images && FImageIndex >= 0 && FImageIndex < images->GetCount()) {
    images->Draw(Canvas->GetCanvas(), R.Left + 1, (R.Top + R.Bottom) / 2 - images->GetHeight() / 2, FImageIndex,
                 enabled);
    R.Left += images->GetWidth() + 2;
  }
  Canvas->CurrentBrush()->SetStyle(bsClear);
  TColor color = GetFont()->GetColor();
  Painter->AdjustTextColor(bar, color, true);
  AdjustTextColor(color, true);
  Canvas->AssignFont(GetFont());
  Canvas->CurrentFont()->SetColor(color);
  R.Left += 2;
  R.Right -= 2;
  String text = GetPanel()->GetText();
  TRect textRect = R;
  Painter->GetPanelTextRect(bar, GetPanel(), R, textRect);
  if (FOnGetText) FOnGetText(this, textRect, text);
  static constexpr Integer kAlign[] = {ktfAlignLeft, ktfAlignRight, ktfAlignHCenter};
  static constexpr Integer kEllipsis[] = {0, ktfEndEllipsis, ktfPathEllipsis};
  Canvas->PaintText(text, textRect, ktfSingleLine | ktfAlignVCenter | kAlign[GetAlignment()] | kEllipsis[FEllipsisType],
                    enabled);
  Canvas->CurrentBrush()->SetStyle(bsSolid);
}

// ---- Registry ---------------------------------------------------------------------------------

TkvRegisteredClasses* RegisteredStatusBarPanelStyles() {
  if (!registeredStyles && !unitFinalized) registeredStyles = new TkvRegisteredClasses(false);
  return registeredStyles;
}

void qzStatusBarStart() {
  unitFinalized = false;
  TkvRegisteredClasses* styles = RegisteredStatusBarPanelStyles();
  styles->AddClass(TqzStatusBarTextPanelStyle::ClassInfo(), ResourceStringText(sqzStatusBarTextPanelStyle));
  styles->AddClass(TqzStatusBarContainerPanelStyle::ClassInfo(),
                   ResourceStringText(sqzStatusBarContainerPanelStyle));
  styles->AddClass(TqzStatusBarKeyboardStatePanelStyle::ClassInfo(),
                   ResourceStringText(sqzStatusBarKeyboardStatePanelStyle));
  styles->AddClass(TqzStatusBarStateIndicatorPanelStyle::ClassInfo(),
                   ResourceStringText(sqzStatusBarStateIndicatorPanelStyle));
  RegisterClasses({TqzStatusBarContainerControl::ClassInfo()});
}

void qzStatusBarEnd() {
  if (registeredStyles) {
    registeredStyles->RemoveClass(TqzStatusBarTextPanelStyle::ClassInfo());
    registeredStyles->RemoveClass(TqzStatusBarContainerPanelStyle::ClassInfo());
    registeredStyles->RemoveClass(TqzStatusBarKeyboardStatePanelStyle::ClassInfo());
    registeredStyles->RemoveClass(TqzStatusBarStateIndicatorPanelStyle::ClassInfo());
  }
  UnRegisterClass(TqzStatusBarContainerControl::ClassInfo());
  delete registeredStyles;
  registeredStyles = nullptr;
  unitFinalized = true;
}
