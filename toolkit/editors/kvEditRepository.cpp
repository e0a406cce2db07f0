// The repository of shared editor settings, and the buttons inside editors.

#include <algorithm>

#include "rtl/Reader.h"
#include "rtl/TypInfo.h"
#include "toolkit/editors/kvEdit.h"
#include "toolkit/foundation/kvControls.h"

// ---- Repository item -----------------------------------------------------------------------

TAVREN_CLASS_IMPL_PUBLISHED(TkvEditRepositoryItem, PROPERTY(PropertiesEvents))

TkvEditRepositoryItem::TkvEditRepositoryItem(TComponent* AOwner, TkvCustomEditPropertiesClass APropertiesClass)
    : TComponent(AOwner) {
  FProperties.reset(APropertiesClass.Create(this));
  FProperties->SetOnPropertiesChanged(MakeEvent<&TkvEditRepositoryItem::PropertiesChanged>(this));
}

TkvEditRepositoryItem::~TkvEditRepositoryItem() {
  // A listener may leave the list while it hears of the end: walk from the end, re-clamped.
  for (size_t i = FListeners.size(); i > 0; i = std::min(i - 1, FListeners.size()))
    FListeners[i - 1]->ItemRemoved(this);
  SetRepository(nullptr);
  FProperties.reset();
}

void TkvEditRepositoryItem::PropertiesChanged(TObject*) {
  for (size_t i = FListeners.size(); i > 0; i = std::min(i - 1, FListeners.size()))
    FListeners[i - 1]->ItemPropertiesChanged(this);
}

void TkvEditRepositoryItem::AddListener(IkvEditRepositoryItemListener* Listener) {
  if (std::find(FListeners.begin(), FListeners.end(), Listener) == FListeners.end()) FListeners.push_back(Listener);
}

void TkvEditRepositoryItem::RemoveListener(IkvEditRepositoryItemListener* Listener) {
  std::erase(FListeners, Listener);
}

void TkvEditRepositoryItem::GetBaseName(String& Name) {
  static const String prefix = "TkvEditRepository";
  String className = ClassName();
  size_t at = className.find(prefix);
  if (at == String::npos) {
    Name.clear();
    return;
  }
  Name = (FRepository ? FRepository->GetName() : String()) + className.substr(at + prefix.size());
}

void TkvEditRepositoryItem::SetRepository(TkvEditRepository* Value) {
  if (FRepository == Value) return;
  if (FRepository) FRepository->RemoveItem(this);
  FRepository = Value;
  if (FRepository) FRepository->AddItem(this);
}

void TkvEditRepositoryItem::ReadState(TReader* Reader) {
  TComponent::ReadState(Reader);
  SetRepository(dynamic_cast<TkvEditRepository*>(Reader->GetParent()));
}

TComponent* TkvEditRepositoryItem::GetParentComponent() { return FRepository; }

void TkvEditRepositoryItem::SetParentComponent(TComponent* Value) {
  if (GetComponentState().Contains(csLoading)) return;
  SetRepository(dynamic_cast<TkvEditRepository*>(Value));
}

// ---- Repository ----------------------------------------------------------------------------

TAVREN_CLASS_IMPL(TkvEditRepository)

TkvEditRepository::~TkvEditRepository() {
  while (!FItems.empty()) delete FItems.back();
}

TkvEditRepositoryItem* TkvEditRepository::CreateItem(TkvEditRepositoryItemClass ItemClass) {
  return CreateItemEx(ItemClass, this);
}

TkvEditRepositoryItem* TkvEditRepository::CreateItemEx(TkvEditRepositoryItemClass ItemClass, TComponent* AOwner) {
  TkvEditRepositoryItem* item = ItemClass.Create(AOwner);
  item->SetRepository(this);
  return item;
}

void TkvEditRepository::AddItem(TkvEditRepositoryItem* Item) {
  if (std::find(FItems.begin(), FItems.end(), Item) == FItems.end()) FItems.push_back(Item);
}

void TkvEditRepository::RemoveItem(TkvEditRepositoryItem* Item) { std::erase(FItems, Item); }

void TkvEditRepository::GetChildren(const TGetChildProc& Proc, TComponent* Root) {
  for (TkvEditRepositoryItem* item : FItems)
    if (item->GetOwner() == Root) Proc(item);
}

// ---- Button --------------------------------------------------------------------------------

TAVREN_CLASS_IMPL_PUBLISHED(TkvEditButton, PROPERTY(Caption), PROPERTY(ContentAlignment).Default(taCenter),
                            PROPERTY(Default).Default(false), PROPERTY(Enabled).Default(true),
                            PROPERTY(Glyph).Stored<&TkvEditButton::IsGlyphStored>(), PROPERTY(Hint),
                            PROPERTY(Kind).Default(bkDown), PROPERTY(LeftAlignment).Default(false),
                            PROPERTY(Stretchable).Default(true), PROPERTY(Tag).Stored<&TkvEditButton::IsTagStored>(),
                            PROPERTY(Visible).Default(true), PROPERTY(Width).Default(0))

TkvEditButton::TkvEditButton(TCollection* Collection) : TCollectionItem(Collection) {}

TkvEditButton::~TkvEditButton() = default;

void TkvEditButton::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TkvEditButton*>(Source);
  if (!source) return TCollectionItem::Assign(Source);
  TCollection* collection = GetCollection();
  if (collection) collection->BeginUpdate();
  SetCaption(source->FCaption);
  FVisibleCaption = source->FVisibleCaption;
  FContentAlignment = source->FContentAlignment;
  FDefault = source->FDefault;
  FEnabled = source->FEnabled;
  SetGlyph(source->GetGlyph());
  FKind = source->FKind;
  FLeftAlignment = source->FLeftAlignment;
  FStretchable = source->FStretchable;
  FTag = source->FTag;
  FTextColor = source->FTextColor;
  FVisible = source->FVisible;
  FWidth = source->FWidth;
  FHint = source->FHint;
  if (collection) collection->EndUpdate();
}

void TkvEditButton::SetCaption(const String& Value) {
  if (FCaption == Value) return;
  FCaption = Value;
  StripAccelChar(Value, true, FVisibleCaption);
  Changed(false);
}

void TkvEditButton::SetDefault(bool Value) {
  if (FDefault == Value) return;
  auto* buttons = dynamic_cast<TkvEditButtons*>(GetCollection());
  if (Value && buttons)
    for (Integer i = 0; i < buttons->GetCount(); ++i) buttons->GetButton(i)->FDefault = false;
  FDefault = Value;
  Changed(true);
}

TBitmap* TkvEditButton::GetGlyph() {
  if (!FGlyph) {
    FGlyph = std::make_unique<TBitmap>();
    FGlyph->SetOnChange(MakeEvent<&TkvEditButton::GlyphChanged>(this));
  }
  return FGlyph.get();
}

void TkvEditButton::SetGlyph(TBitmap* Value) {
  if (Value)
    GetGlyph()->Assign(Value);
  else
    FGlyph.reset();
  Changed(false);
}

void TkvEditButton::SetWidth(Integer Value) {
  // A negative width marks a button whose width its editor fixes.
  if (FWidth < 0 || FWidth == Value) return;
  FWidth = Value;
  Changed(false);
}

// ---- Buttons -------------------------------------------------------------------------------

TAVREN_CLASS_IMPL(TkvEditButtonsArgs)
TAVREN_CLASS_IMPL(TkvEditButtons)

TkvEditButtons::TkvEditButtons(TkvEditButtonsArgs* Args) : TCollection(Args->ItemClass), FOwner(Args->Owner) {
  delete Args;
}

Integer TkvEditButtons::VisibleCount() const {
  Integer count = 0;
  for (Integer i = 0; i < GetCount(); ++i)
    if (GetButton(i)->GetVisible()) ++count;
  return count;
}

void TkvEditButtons::Update(TCollectionItem*) { FOnChange(this); }

// ---- Button view info ----------------------------------------------------------------------

TAVREN_CLASS_IMPL(TkvEditButtonViewInfo)

void TkvEditButtonViewInfo::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TkvEditButtonViewInfo*>(Source);
  if (!source) return TPersistent::Assign(Source);
  NativeState = source->NativeState;
  BackgroundColor = source->BackgroundColor;
  Bounds = source->Bounds;
  ButtonStyle = source->ButtonStyle;
  State = source->State;
}

bool TkvEditButtonViewInfo::LooksLike(const TkvEditButtonViewInfo* Older) const {
  return Older->ButtonStyle == ButtonStyle && Older->State == State && Older->BackgroundColor == BackgroundColor &&
         Older->NativeState == NativeState;
}

TkvRegion* TkvEditButtonViewInfo::GetUpdateRegion(TkvEditButtonViewInfo* Older) {
  return LooksLike(Older) ? new TkvRegion() : new TkvRegion(Bounds);
}

bool TkvEditButtonViewInfo::Repaint(TWinControl* Control, TkvEditButtonViewInfo* Older, const TPoint& Origin) {
  if (LooksLike(Older)) return false;
  TRect r = Bounds;
  r = TRect(r.Left + Origin.X, r.Top + Origin.Y, r.Right + Origin.X, r.Bottom + Origin.Y);
  InvalidateWindowRect(Control, r, HasBackground);
  return true;
}
