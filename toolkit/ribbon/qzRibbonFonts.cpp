// The ribbon's persistent parts: its fonts (following the bar manager's font until the user sets
// one) and the application button.

#include "gdi/Fonts.h"
#include "gdi/SysMetrics.h"
#include "rtl/ColorIdents.h"
#include "toolkit/ribbon/qzRibbon.h"
#include "toolkit/ribbon/qzRibbonMenus.h"

TAVREN_CLASS_IMPL_PUBLISHED(TqzRibbonFonts,
    PROPERTY(AssignedFonts),
    PROPERTY(DocumentNameColor).Idents(ColorIdentMap).Default(clDefault),
    PROPERTY(Group).Stored<&TqzRibbonFonts::IsGroupStored>(),
    PROPERTY(GroupHeader).Stored<&TqzRibbonFonts::IsGroupHeaderStored>(),
    PROPERTY(TabHeader).Stored<&TqzRibbonFonts::IsTabHeaderStored>())
TAVREN_CLASS_IMPL_PUBLISHED(TqzRibbonApplicationButton,
    PROPERTY(Glyph),
    PROPERTY(KeyTip),
    PROPERTY(Menu),
    PROPERTY(ScreenTip),
    PROPERTY(StretchGlyph).Default(true),
    PROPERTY(Visible).Default(true))

// ---- Fonts -----------------------------------------------------------------------------------

TqzRibbonFonts::TqzRibbonFonts(TqzCustomRibbon* ARibbon)
    : FRibbon(ARibbon), FCaptionFont(std::make_unique<TFont>()), FScratchFont(std::make_unique<TFont>()) {
  for (auto& font : FFonts) {
    font = std::make_unique<TFont>();
    font->SetOnChange(MakeEvent<&TqzRibbonFonts::FontChanged>(this));
  }
}

TqzRibbonFonts::~TqzRibbonFonts() = default;

TPersistent* TqzRibbonFonts::GetOwner() { return FRibbon; }

TColor TqzRibbonFonts::SchemeColor(Integer APart, Integer AState) const {
  TqzCustomRibbonSkin* scheme = FRibbon->GetColorScheme();
  return scheme ? scheme->GetPartColor(APart, AState) : clDefault;
}

void TqzRibbonFonts::UpdateFonts() {
  NONCLIENTMETRICS metrics{};
  metrics.cbSize = sizeof(metrics);
  if (SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
    FCaptionFont->SetHandle(CreateFontIndirect(&metrics.lfCaptionFont));
  FInternalChange = true;
  try {
    for (Integer i = afTabHeader; i <= afGroupHeader; ++i) {
      const auto index = static_cast<TqzRibbonAssignedFont>(i);
      if (FAssignedFonts.Contains(index)) continue;
      TFont* font = FFonts[i].get();
      font->Assign(FRibbon->GetFont());
      if (FRibbon->IsBarManagerValid()) font->Assign(FRibbon->GetBarManager()->GetFont());
      const TColor color = index == afGroup ? SchemeColor(10133, 0) : index == afGroupHeader ? SchemeColor(10134, 0) : clDefault;
      if (color != clDefault) font->SetColor(color);
    }
  } catch (...) {
    FInternalChange = false;
    throw;
  }
  FInternalChange = false;
}

TFont* TqzRibbonFonts::GetFormCaptionFont(bool AIsActive) {
  FScratchFont->Assign(FCaptionFont.get());
  if (TqzCustomRibbonSkin* scheme = FRibbon->GetColorScheme())
    FScratchFont->SetSize(scheme->ScaleFontSize(FScratchFont->GetSize()));
  const TColor color = SchemeColor(10130, AIsActive ? 0 : 1);
  if (color != clDefault) FScratchFont->SetColor(color);
  return FScratchFont.get();
}

TFont* TqzRibbonFonts::GetGroupFont() {
  FScratchFont->Assign(FFonts[afGroup].get());
  return FScratchFont.get();
}

TFont* TqzRibbonFonts::GetGroupHeaderFont() {
  FScratchFont->Assign(FFonts[afGroupHeader].get());
  const TColor color = SchemeColor(10134, 0);
  if (color != clDefault) FScratchFont->SetColor(color);
  return FScratchFont.get();
}

TFont* TqzRibbonFonts::GetTabHeaderFont(Integer AState) {
  FScratchFont->Assign(FFonts[afTabHeader].get());
  const TColor color = SchemeColor(10132, AState);
  if (color != clDefault) FScratchFont->SetColor(color);
  return FScratchFont.get();
}

void TqzRibbonFonts::FontChanged(TObject* Sender) {
  if (FInternalChange || FRibbon->IsLoading()) return;
  for (Integer i = afTabHeader; i <= afGroupHeader; ++i)
    if (Sender == FFonts[i].get()) ApplyUserChange(static_cast<TqzRibbonAssignedFont>(i));
}

// A font the user set stays his: it no longer follows the manager's font.
void TqzRibbonFonts::ApplyUserChange(TqzRibbonAssignedFont AFont) {
  FAssignedFonts.Include(AFont);
  FontsChanged();
}

// The group windows take the fonts again, and the active tab's groups are fitted to what they
// measure now.
void TqzRibbonFonts::FontsChanged() {
  FRibbon->BeginUpdate();
  try {
    FRibbon->RefreshBarFonts();
  } catch (...) {
    FRibbon->EndUpdate();
    throw;
  }
  FRibbon->EndUpdate();
  if (FRibbon->GetVisible() && FRibbon->GetActiveTab()) FRibbon->GetActiveTab()->RefreshGroups();
}

void TqzRibbonFonts::SetAssignedFonts(TqzRibbonAssignedFonts Value) {
  if (Value == FAssignedFonts) return;
  FAssignedFonts = Value;
  UpdateFonts();
  FontsChanged();
}

void TqzRibbonFonts::SetDocumentNameColor(TColor Value) {
  if (Value == FDocumentNameColor) return;
  FDocumentNameColor = Value;
  if (FRibbon->HandleAllocated()) FRibbon->Invalidate();
}

void TqzRibbonFonts::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TqzRibbonFonts*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  FRibbon->BeginUpdate();
  try {
    SetDocumentNameColor(source->GetDocumentNameColor());
    for (Integer i = afTabHeader; i <= afGroupHeader; ++i) FFonts[i]->Assign(source->FFonts[i].get());
    FAssignedFonts = source->GetAssignedFonts();
  } catch (...) {
    FRibbon->EndUpdate();
    throw;
  }
  FRibbon->EndUpdate();
}

// ---- Application button ----------------------------------------------------------------------

TqzRibbonApplicationButton::TqzRibbonApplicationButton(TqzCustomRibbon* ARibbon)
    : FRibbon(ARibbon), FGlyph(std::make_unique<TBitmap>()) {
  FGlyph->SetOnChange(MakeEvent<&TqzRibbonApplicationButton::GlyphChanged>(this));
}

TqzRibbonApplicationButton::~TqzRibbonApplicationButton() = default;

TPersistent* TqzRibbonApplicationButton::GetOwner() { return FRibbon; }

void TqzRibbonApplicationButton::Changed() {
  FRibbon->Changed();
  FRibbon->RefreshAll();
}

void TqzRibbonApplicationButton::GlyphChanged(TObject*) { Changed(); }

void TqzRibbonApplicationButton::SetGlyph(TBitmap* Value) {
  if (Value && !Value->GetEmpty() && Value->GetPixelFormat() != pf32bit)
    ClearTransparentPixels(Value, FGlyph.get());
  else
    FGlyph->Assign(Value);
}

void TqzRibbonApplicationButton::SetMenu(TqzBarApplicationMenu* Value) {
  if (Value == FMenu) return;
  if (FMenu) FMenu->RemoveFreeNotification(FRibbon);
  FMenu = Value;
  if (FMenu) FMenu->FreeNotification(FRibbon);
}

void TqzRibbonApplicationButton::SetScreenTip(TqzBarScreenTip* Value) {
  if (Value == FScreenTip) return;
  if (FScreenTip) FScreenTip->RemoveFreeNotification(FRibbon);
  FScreenTip = Value;
  if (FScreenTip) FScreenTip->FreeNotification(FRibbon);
}

void TqzRibbonApplicationButton::SetStretchGlyph(bool Value) {
  if (Value == FStretchGlyph) return;
  FStretchGlyph = Value;
  Changed();
}

void TqzRibbonApplicationButton::SetVisible(bool Value) {
  if (Value == FVisible) return;
  FVisible = Value;
  Changed();
}

void TqzRibbonApplicationButton::Forget(TComponent* AComponent) {
  if (AComponent == FMenu) FMenu = nullptr;
  if (AComponent == FScreenTip) FScreenTip = nullptr;
}

void TqzRibbonApplicationButton::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TqzRibbonApplicationButton*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  FRibbon->BeginUpdate();
  try {
    SetGlyph(source->GetGlyph());
    SetKeyTip(source->GetKeyTip());
    SetMenu(source->GetMenu());
    SetVisible(source->GetVisible());
    SetScreenTip(source->GetScreenTip());
    SetStretchGlyph(source->GetStretchGlyph());
  } catch (...) {
    FRibbon->EndUpdate();
    throw;
  }
  FRibbon->EndUpdate();
}
