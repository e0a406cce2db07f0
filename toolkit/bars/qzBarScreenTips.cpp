// Screen tips: their bands, the tips themselves and the repository that keeps them.

#include "rtl/SysUtils.h"
#include "toolkit/bars/qzBar.h"
#include "toolkit/bars/qzBarStrs.h"

// ---- Bands ---------------------------------------------------------------------------------

TAVREN_CLASS_IMPL_PUBLISHED(TqzBarCustomScreenTipBand,
    PROPERTY(Glyph),
    PROPERTY(Text),
    PROPERTY(TextAlign).Default(stbtaRight))
TAVREN_CLASS_IMPL(TqzBarScreenTipBand)
TAVREN_CLASS_IMPL(TqzBarScreenTipFooterBand)

TqzBarCustomScreenTipBand::TqzBarCustomScreenTipBand(TqzBarScreenTipBandType ABandType)
    : FBandType(ABandType), FGlyph(std::make_unique<TBitmap>()) {
  FGlyph->SetTransparent(true);
  FGlyph->SetOnChange(MakeEvent<&TqzBarCustomScreenTipBand::GlyphChanged>(this));
}

TqzBarCustomScreenTipBand::~TqzBarCustomScreenTipBand() { FGlyph->SetOnChange(TNotifyEvent()); }

void TqzBarCustomScreenTipBand::SetGlyph(TBitmap* Value) { FGlyph->Assign(Value); }

void TqzBarCustomScreenTipBand::SetText(const String& Value) {
  if (FText == Value) return;
  FText = Value;
  Changed();
}

void TqzBarCustomScreenTipBand::SetTextAlign(TqzBarScreenTipBandTextAlign Value) {
  if (FTextAlign == Value) return;
  FTextAlign = Value;
  Changed();
}

void TqzBarCustomScreenTipBand::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TqzBarCustomScreenTipBand*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  SetText(source->FText);
  SetTextAlign(source->FTextAlign);
  SetGlyph(source->FGlyph.get());
}

TFont* TqzBarScreenTipBand::GetFont() {
  TqzBarScreenTipRepository* repository = FScreenTip ? FScreenTip->GetRepository() : nullptr;
  // A tip outside any repository draws with the plain hint font.
  return repository ? repository->GetFont(GetBandType()) : Screen()->GetHintFont();
}

TFont* TqzBarScreenTipFooterBand::GetFont() { return FRepository->GetFont(stbFooter); }

// ---- Screen tip ----------------------------------------------------------------------------

TAVREN_CLASS_IMPL_PUBLISHED(TqzBarScreenTip,
    PROPERTY(Header),
    PROPERTY(Description),
    PROPERTY(Footer),
    PROPERTY(UseHintAsHeader).Default(false),
    PROPERTY(UseStandardFooter).Default(false),
    PROPERTY(Width).Default(0))

TqzBarScreenTip::TqzBarScreenTip(TComponent* AOwner) : TkvComponentCollectionItem(AOwner) {
  for (Integer i = 0; i < 3; ++i)
    FBands[i] = std::make_unique<TqzBarScreenTipBand>(this, static_cast<TqzBarScreenTipBandType>(i));
}

TqzBarScreenTip::~TqzBarScreenTip() = default;

TqzBarScreenTipRepository* TqzBarScreenTip::GetRepository() const {
  return GetCollection() ? static_cast<TqzBarScreenTipRepository*>(GetCollection()->GetParentComponent()) : nullptr;
}

TkvComponentCollection* TqzBarScreenTip::GetCollectionFromParent(TComponent* AParentComponent) {
  auto* repository = dynamic_cast<TqzBarScreenTipRepository*>(AParentComponent);
  return repository ? repository->GetItems() : nullptr;
}

TqzBarCustomScreenTipBand* TqzBarScreenTip::BandInUse(Integer Index) const {
  if (Index == 2 && FUseStandardFooter && GetRepository()) return GetRepository()->GetStandardFooter();
  return GetBand(Index);
}

void TqzBarScreenTip::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TqzBarScreenTip*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  for (Integer i = 0; i < 3; ++i) FBands[i]->Assign(source->FBands[i].get());
  FUseHintAsHeader = source->FUseHintAsHeader;
  FUseStandardFooter = source->FUseStandardFooter;
  FWidth = source->FWidth;
}

void TqzBarScreenTip::SetName(const String& NewName) {
  auto* ownerControl = dynamic_cast<TControl*>(GetOwner());
  bool follows = !GetComponentState().Contains(csLoading) &&
                 !(ownerControl && ownerControl->GetComponentState().Contains(csLoading)) &&
                 GetHeader()->GetText() == GetName();
  inherited::SetName(NewName);
  if (follows) GetHeader()->SetText(NewName);
}

String TqzBarScreenTip::GetDisplayName() {
  return Format(ResourceStringText(sqzBarScreenTipDisplayName), GetName(), GetHeader()->GetText());
}

Integer TqzBarScreenTip::GetEffectiveWidth() const {
  if (FWidth != 0) return FWidth;
  return ScaleByScreenDPI(GetDescription()->GetGlyph()->GetEmpty() ? 210 : 318, 96);
}

// ---- Collection ----------------------------------------------------------------------------

TAVREN_CLASS_IMPL(TqzBarScreenTipCollection)

TqzBarScreenTipCollection::TqzBarScreenTipCollection(TqzBarScreenTipRepository* ARepository,
                                                     TkvComponentCollectionItemClass AItemClass)
    : TkvComponentCollection(ARepository, AItemClass) {}

void TqzBarScreenTipCollection::SetItemName(TkvComponentCollectionItem* AItem) {
  TComponent* repository = GetParentComponent();
  AItem->SetName(UniqueItemName(repository->GetOwner(), repository, AItem, "TqzBar", ""));
}

// ---- Repository ----------------------------------------------------------------------------

TAVREN_CLASS_IMPL_PUBLISHED(TqzBarScreenTipRepository,
    PROPERTY(AssignedFonts).Default(TqzScreenTipRepositoryFonts{}),
    PROPERTY(Items),
    PROPERTY(DescriptionFont).Stored<&TqzBarScreenTipRepository::IsDescriptionFontStored>(),
    PROPERTY(FooterFont).Stored<&TqzBarScreenTipRepository::IsFooterFontStored>(),
    PROPERTY(HeaderFont).Stored<&TqzBarScreenTipRepository::IsHeaderFontStored>(),
    PROPERTY(StandardFooter),
    PROPERTY(ShowDescription).Default(true))

TqzBarScreenTipRepository::TqzBarScreenTipRepository(TComponent* AOwner)
    : TComponent(AOwner),
      FWorkingFont(std::make_unique<TFont>()),
      FStandardFooter(std::make_unique<TqzBarScreenTipFooterBand>(this)) {
  for (Integer i = 0; i < 3; ++i) {
    FFonts[i] = std::make_unique<TFont>();
    SetDefaultFont(FFonts[i].get(), static_cast<TqzBarScreenTipBandType>(i));
    FFonts[i]->SetOnChange(MakeEvent<&TqzBarScreenTipRepository::FontChanged>(this));
  }
  FItems.reset(CreateItems());
}

TqzBarScreenTipRepository::~TqzBarScreenTipRepository() {
  FItems->FreeAllItems();
  for (auto& font : FFonts) font->SetOnChange(TNotifyEvent());
}

TqzBarScreenTipCollection* TqzBarScreenTipRepository::CreateItems() {
  return new TqzBarScreenTipCollection(this, TqzBarScreenTip::ClassInfo());
}

void TqzBarScreenTipRepository::SetDefaultFont(TFont* AFont, TqzBarScreenTipBandType ABandType) {
  if (Screen()) AFont->Assign(Screen()->GetHintFont());
  AFont->SetColor(ScreenTipTextColour);
  if (ABandType != stbDescription) AFont->SetStyle(AFont->GetStyle() + TFontStyles{fsBold});
}

void TqzBarScreenTipRepository::FontChanged(TObject* Sender) {
  if (GetComponentState().Contains(csLoading)) return;
  for (Integer i = 0; i < 3; ++i)
    if (Sender == FFonts[i].get()) FAssignedFonts.Include(static_cast<TqzBarScreenTipBandType>(i));
}

TFont* TqzBarScreenTipRepository::GetFont(TqzBarScreenTipBandType ABandType) {
  if (FAssignedFonts.Contains(ABandType)) return FFonts[ABandType].get();
  SetDefaultFont(FWorkingFont.get(), ABandType);
  return FWorkingFont.get();
}

void TqzBarScreenTipRepository::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TqzBarScreenTipRepository*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  FItems->Assign(source->FItems.get());
  FStandardFooter->Assign(source->FStandardFooter.get());
  SetDescriptionFont(source->GetDescriptionFont());
  SetFooterFont(source->GetFooterFont());
  SetHeaderFont(source->GetHeaderFont());
  FAssignedFonts = source->FAssignedFonts;
  FShowDescription = source->FShowDescription;
}

void TqzBarScreenTipRepository::GetChildren(const TGetChildProc& Proc, TComponent* Root) {
  for (Integer i = 0; i < FItems->ItemCount(); ++i)
    if (FItems->ItemAt(i)->GetOwner() == Root) Proc(FItems->ItemAt(i));
}
