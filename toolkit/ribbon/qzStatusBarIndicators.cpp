// The state-indicator panel style: a row of coloured lamps.
#include "rtl/Resources.h"
#include "toolkit/ribbon/qzStatusBar.h"

TAVREN_CLASS_IMPL_PUBLISHED(TqzStatusBarStateIndicatorItem, PROPERTY(IndicatorType).Default(sitOff),
                            PROPERTY(Visible).Default(true))
TAVREN_CLASS_IMPL(TqzStatusBarStateIndicators)
TAVREN_CLASS_IMPL_PUBLISHED(TqzStatusBarStateIndicatorPanelStyle,
                            PROPERTY(Color).Stored<&TqzStatusBarPanelStyle::IsColorStored>(),
                            PROPERTY(Indicators), PROPERTY(Spacing).Default(4))

void LoadStateIndicatorBitmap(TBitmap* Bitmap, TqzStatusBarStateIndicatorType IndicatorType) {
  static const char* const kNames[] = {"QZSTATUSBAR_GRAY", "QZSTATUSBAR_YELLOW", "QZSTATUSBAR_BLUE",
                                       "QZSTATUSBAR_GREEN", "QZSTATUSBAR_RED", "QZSTATUSBAR_TEAL",
                                       "QZSTATUSBAR_PURPLE"};
  Bitmap->LoadFromResourceName(HInstance, kNames[IndicatorType]);
  // The lamp's corner colour lets the status bar show through.
  Bitmap->SetTransparent(true);
}

// ---- Items ------------------------------------------------------------------------------------

TqzStatusBarStateIndicatorItem::TqzStatusBarStateIndicatorItem(TCollection* Collection)
    : TCollectionItem(Collection), FIndicatorBitmap(std::make_unique<TBitmap>()) {
  LoadStateIndicatorBitmap(FIndicatorBitmap.get(), FIndicatorType);
}

TqzStatusBarStateIndicatorItem::~TqzStatusBarStateIndicatorItem() = default;

void TqzStatusBarStateIndicatorItem::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TqzStatusBarStateIndicatorItem*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  SetIndicatorType(source->FIndicatorType);
  SetVisible(source->FVisible);
}

void TqzStatusBarStateIndicatorItem::SetIndicatorType(TqzStatusBarStateIndicatorType Value) {
  if (FIndicatorType == Value) return;
  FIndicatorType = Value;
  LoadStateIndicatorBitmap(FIndicatorBitmap.get(), Value);
  Changed(false);
}

void TqzStatusBarStateIndicatorItem::SetVisible(bool Value) {
  if (FVisible == Value) return;
  FVisible = Value;
  Changed(false);
}

TqzStatusBarStateIndicators::TqzStatusBarStateIndicators()
    : TCollection(TqzStatusBarStateIndicatorItem::ClassInfo()) {}

void TqzStatusBarStateIndicators::Update(TCollectionItem* Item) {
  inherited::Update(Item);
  if (OnChange) OnChange(this);
}

// ---- Style ------------------------------------------------------------------------------------

TqzStatusBarStateIndicatorPanelStyle::TqzStatusBarStateIndicatorPanelStyle(TqzStatusBarPanel* AOwner)
    : TqzStatusBarPanelStyle(AOwner), FIndicators(std::make_unique<TqzStatusBarStateIndicators>()) {
  FIndicators->OnChange = TNotifyEvent::Of<&TqzStatusBarStateIndicatorPanelStyle::IndicatorsChanged>(this);
}

TqzStatusBarStateIndicatorPanelStyle::~TqzStatusBarStateIndicatorPanelStyle() { FIndicators->OnChange = {}; }

void TqzStatusBarStateIndicatorPanelStyle::IndicatorsChanged(TObject*) { PanelChanged(false); }

bool TqzStatusBarStateIndicatorPanelStyle::AllowsFreeWidth() { return false; }

void TqzStatusBarStateIndicatorPanelStyle::RestoreDefaults() {
  FSpacing = 4;
  inherited::RestoreDefaults();
}

void TqzStatusBarStateIndicatorPanelStyle::DoAssign(TqzStatusBarPanelStyle* Source) {
  inherited::DoAssign(Source);
  if (auto* source = dynamic_cast<TqzStatusBarStateIndicatorPanelStyle*>(Source)) {
    SetSpacing(source->FSpacing);
    SetIndicators(source->FIndicators.get());
  }
}

void TqzStatusBarStateIndicatorPanelStyle::SetIndicators(TqzStatusBarStateIndicators* Value) {
  FIndicators->Assign(Value);
}

void TqzStatusBarStateIndicatorPanelStyle::SetSpacing(Integer Value) {
  if (FSpacing == Value) return;
  FSpacing = Value;
  PanelChanged(false);
}

void TqzStatusBarStateIndicatorPanelStyle::DrawContent(TkvCanvas* Canvas, TRect R, TqzStatusBarPainter* Painter) {
  inherited::DrawContent(Canvas, R, Painter);
  Integer x = R.Left + FSpacing;
  for (Integer i = 0; i < FIndicators->GetCount(); ++i) {
    TqzStatusBarStateIndicatorItem* item = FIndicators->GetItem(i);
    TBitmap* lamp = item->GetIndicatorBitmap();
    if (!item->GetVisible() || lamp->GetEmpty()) continue;
    Canvas->DrawGraphic(x, (R.Top + R.Bottom) / 2 - lamp->GetHeight() / 2, lamp);
    x += lamp->GetWidth() + FSpacing;
  }
}

Integer TqzStatusBarStateIndicatorPanelStyle::GetMinWidth() {
  if (FIndicators->GetCount() == 0) return 20;
  Integer width = FSpacing;
  for (Integer i = 0; i < FIndicators->GetCount(); ++i) {
    TqzStatusBarStateIndicatorItem* item = FIndicators->GetItem(i);
    if (item->GetVisible() && !item->GetIndicatorBitmap()->GetEmpty())
      width += item->GetIndicatorBitmap()->GetWidth() + FSpacing;
  }
  return width;
}
