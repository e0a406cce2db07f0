#include "toolkit/editors/kvStyles.h"

#include <algorithm>

#include "rtl/ClassRegistry.h"
#include "rtl/ColorIdents.h"
#include "rtl/Filer.h"
#include "rtl/Math.h"
#include "rtl/Reader.h"
#include "rtl/SysUtils.h"
#include "rtl/Writer.h"
#include "vcl/Controls.h"
#include "vcl/Forms.h"

using namespace kvStyles;

namespace {

template <class T>
void RemoveValue(std::vector<T>& List, T Value) {
  List.erase(std::remove(List.begin(), List.end(), Value), List.end());
}

template <class T>
void AddOnce(std::vector<T>& List, T Value) {
  if (std::find(List.begin(), List.end(), Value) == List.end()) List.push_back(Value);
}

}  // namespace

// ---- TkvCustomStyle ------------------------------------------------------------------------

TAVREN_CLASS_IMPL(TkvCustomStyle)

TkvCustomStyle::~TkvCustomStyle() {
  // A style list drops its entries for this style and stops listening, so the list shrinks.
  while (!FListeners.empty()) {
    IkvStyleObserver* listener = FListeners.back();
    listener->NotifyStyleRemoved(this);
    if (!FListeners.empty() && FListeners.back() == listener) FListeners.pop_back();
  }
  SetStyleRepository(nullptr);
}

void TkvCustomStyle::AttachObserver(IkvStyleObserver* AObserver) { AddOnce(FListeners, AObserver); }

void TkvCustomStyle::DetachObserver(IkvStyleObserver* AObserver) { RemoveValue(FListeners, AObserver); }

void TkvCustomStyle::Changed() {
  // A listener may detach while it is told: walk a copy, skipping those that left.
  std::vector<IkvStyleObserver*> listeners = FListeners;
  for (auto it = listeners.rbegin(); it != listeners.rend(); ++it) {
    if (std::find(FListeners.begin(), FListeners.end(), *it) != FListeners.end()) (*it)->NotifyStyleChanged(this);
  }
}

void TkvCustomStyle::SetStyleRepository(TkvStyleRepository* Value) {
  if (FStyleRepository == Value) return;
  if (FStyleRepository) FStyleRepository->RemoveItem(this);
  FStyleRepository = Value;
  if (FStyleRepository) FStyleRepository->AddItem(this);
}

TComponent* TkvCustomStyle::GetParentComponent() { return FStyleRepository; }

void TkvCustomStyle::SetParentComponent(TComponent* Value) {
  if (GetComponentState().Contains(csLoading)) return;
  SetStyleRepository(dynamic_cast<TkvStyleRepository*>(Value));
}

void TkvCustomStyle::ReadState(TReader* Reader) {
  if (auto* repository = dynamic_cast<TkvStyleRepository*>(Reader->GetParent())) SetStyleRepository(repository);
  inherited::ReadState(Reader);
}

// ---- TkvStyle ------------------------------------------------------------------------------

TAVREN_CLASS_IMPL_PUBLISHED(TkvStyle,
    PROPERTY(AssignedValues).Default(TkvStyleValues{}),
    PROPERTY(Color).Idents(ColorIdentMap).Stored<&TkvStyle::IsColorStored>(),
    PROPERTY(Bitmap).Stored<&TkvStyle::IsBitmapStored>(),
    PROPERTY(Font).Stored<&TkvStyle::IsFontStored>(),
    PROPERTY(TextColor).Idents(ColorIdentMap).Stored<&TkvStyle::IsTextColorStored>())

TkvStyle::TkvStyle(TComponent* AOwner)
    : TkvCustomStyle(AOwner), FBitmap(std::make_unique<TBitmap>()), FFont(std::make_unique<TFont>()) {
  FBitmap->SetOnChange(MakeEvent<&TkvStyle::BitmapChanged>(this));
  FFont->SetOnChange(MakeEvent<&TkvStyle::FontChanged>(this));
}

TkvStyle::~TkvStyle() {
  // Listeners are told while the values still stand; the owned objects go silently.
  FBitmap->SetOnChange(TNotifyEvent());
  FFont->SetOnChange(TNotifyEvent());
}

void TkvStyle::SetValueFlag(TkvStyleValue AValue, bool AAssigned) {
  if (AAssigned)
    FAssignedValues.Include(AValue);
  else
    FAssignedValues.Exclude(AValue);
}

void TkvStyle::SetAssignedValues(TkvStyleValues Value) {
  if (FAssignedValues == Value) return;
  FAssignedValues = Value;
  Changed();
}

void TkvStyle::SetBitmap(TBitmap* Value) { FBitmap->Assign(Value); }

void TkvStyle::BitmapChanged(TObject*) {
  SetValueFlag(svBitmap, !FBitmap->GetEmpty());
  Changed();
}

void TkvStyle::SetColor(TColor Value) {
  if (FColor == Value) return;
  FColor = Value;
  SetValueFlag(svColor, Value != clDefault);
  Changed();
}

void TkvStyle::SetFont(TFont* Value) { FFont->Assign(Value); }

void TkvStyle::FontChanged(TObject*) {
  FAssignedValues.Include(svFont);
  Changed();
}

void TkvStyle::SetTextColor(TColor Value) {
  if (FTextColor == Value) return;
  FTextColor = Value;
  SetValueFlag(svTextColor, Value != clDefault);
  Changed();
}

void TkvStyle::ResetValues() {
  FAssignedValues = TkvStyleValues();
  // Emptying the bitmap tells its own change, which clears svBitmap again.
  FBitmap->Assign(nullptr);
  FColor = clDefault;
  FTextColor = clDefault;
  Changed();
}

void TkvStyle::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TkvStyle*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  SetBitmap(source->GetBitmap());
  SetColor(source->GetColor());
  SetFont(source->GetFont());
  SetTextColor(source->GetTextColor());
  SetAssignedValues(source->GetAssignedValues());
}

void TkvStyle::ReadState(TReader* Reader) {
  inherited::ReadState(Reader);
  if (TkvStyleRepository* repository = GetStyleRepository()) {
    TkvStyleValues assigned = FAssignedValues;
    FFont->SetHeight(repository->ScaleValue(FFont->GetHeight()));
    // Scaling is not a choice of the user: the flags stay as they were read.
    FAssignedValues = assigned;
  }
}

// ---- TkvCustomStyles -----------------------------------------------------------------------

TAVREN_CLASS_IMPL(TkvStyleEntry)
TAVREN_CLASS_IMPL(TkvCustomStyles)

TkvCustomStyles::TkvCustomStyles(TPersistent* AOwner) : TkvInterfacedPersistent(AOwner) {}

TkvCustomStyles::~TkvCustomStyles() {
  FDestroying = true;
  Clear();
  AttachStyleSheet(nullptr);
}

void TkvCustomStyles::AddEntry(Integer AIndex, TkvCustomStyle* AStyle) {
  FItems.push_back(std::make_unique<TkvStyleEntry>(AIndex, AStyle));
  if (AStyle) AStyle->AttachObserver(this);
}

void TkvCustomStyles::Delete(Integer Index) {
  TkvCustomStyle* style = FItems[Index]->Style;
  Integer styleIndex = FItems[Index]->Index;
  FItems.erase(FItems.begin() + Index);
  // Other entries may still hold the style: keep listening while one does.
  bool stillUsed = std::any_of(FItems.begin(), FItems.end(), [style](const auto& e) { return e->Style == style; });
  if (style && !stillUsed) style->DetachObserver(this);
  DoChanged(styleIndex);
}

void TkvCustomStyles::Clear() {
  for (Integer i = Count() - 1; i >= 0; --i) Delete(i);
}

void TkvCustomStyles::NotifyStyleChanged(TkvCustomStyle* AStyle) {
  for (Integer i = 0; i < Count(); ++i) {
    if (FItems[i]->Style == AStyle) DoChanged(FItems[i]->Index);
  }
}

void TkvCustomStyles::NotifyStyleRemoved(TkvCustomStyle* AStyle) {
  for (Integer i = Count() - 1; i >= 0; --i) {
    if (i < Count() && FItems[i]->Style == AStyle) Delete(i);
  }
  AStyle->DetachObserver(this);
}

void TkvCustomStyles::DoChanged(Integer Index) {
  if (FDestroying) return;
  Changed(Index);
  if (FOwningSheet) FOwningSheet->NotifyUsers(Index);
}

bool TkvCustomStyles::IsStyleSheetAcceptable(TkvCustomStyleSheet* Value) const {
  if (!Value) return true;
  if (Value == FOwningSheet || Value->GetStylesClass() != ClassType()) return false;
  // Following the chain must never come back to the sheet this list belongs to.
  std::vector<TkvCustomStyleSheet*> visited;
  for (TkvCustomStyleSheet* sheet = Value; sheet; sheet = sheet->GetStyles()->GetStyleSheet()) {
    if (FOwningSheet && sheet == FOwningSheet) return false;
    if (std::find(visited.begin(), visited.end(), sheet) != visited.end()) break;
    visited.push_back(sheet);
  }
  return true;
}

void TkvCustomStyles::CollectChainIndexes(TkvCustomStyleSheet* ASheet, std::vector<Integer>& Indexes) {
  std::vector<TkvCustomStyleSheet*> visited;
  for (TkvCustomStyleSheet* sheet = ASheet; sheet; sheet = sheet->GetStyles()->GetStyleSheet()) {
    if (std::find(visited.begin(), visited.end(), sheet) != visited.end()) break;
    visited.push_back(sheet);
    TkvCustomStyles* styles = sheet->GetStyles();
    for (Integer i = 0; i < styles->Count(); ++i) AddOnce(Indexes, styles->Items(i)->Index);
  }
}

void TkvCustomStyles::AttachStyleSheet(TkvCustomStyleSheet* Value) {
  if (Value == FStyleSheet || !IsStyleSheetAcceptable(Value)) return;
  std::vector<Integer> indexes;
  if (FStyleSheet) {
    FStyleSheet->RemoveUser(this);
    if (!FDestroying) CollectChainIndexes(FStyleSheet, indexes);
  }
  FStyleSheet = Value;
  if (FStyleSheet) {
    FStyleSheet->AddUser(this);
    CollectChainIndexes(FStyleSheet, indexes);
  }
  for (Integer index : indexes) DoChanged(index);
}

void TkvCustomStyles::Assign(TPersistent* Source) {
  if (auto* source = dynamic_cast<TkvCustomStyles*>(Source)) {
    AttachStyleSheet(source->GetStyleSheet());
    return;
  }
  inherited::Assign(Source);
}

// ---- TkvCustomStyleSheet -------------------------------------------------------------------

TAVREN_CLASS_IMPL_PUBLISHED(TkvCustomStyleSheet, PROPERTY(Caption).Stored<&TkvCustomStyleSheet::IsCaptionStored>())

TkvCustomStyleSheet::TkvCustomStyleSheet(TComponent* AOwner) : TkvComponent(AOwner) {
  FBuiltIn = GetComponentState().Contains(csDesigning);
}

void TkvCustomStyleSheet::AfterConstruction() {
  inherited::AfterConstruction();
  // The styles class is virtual: it is known once the sheet is whole.
  FStyles.reset(static_cast<TkvCustomStyles*>(GetStylesClass().Create(this)));
  FStyles->FOwningSheet = this;
}

TkvCustomStyleSheet::~TkvCustomStyleSheet() {
  while (!FUsers.empty()) FUsers.back()->AttachStyleSheet(nullptr);
  SetStyleRepository(nullptr);
  FStyles.reset();
}

String TkvCustomStyleSheet::GetCaption() const { return FCaption.empty() ? GetName() : FCaption; }

void TkvCustomStyleSheet::SetCaption(const String& Value) {
  if (Value == GetCaption()) return;
  if (SameText(Value, GetName()))
    FCaption.clear();
  else
    FCaption = Value;
}

void TkvCustomStyleSheet::SetStyleRepository(TkvStyleRepository* Value) {
  if (FStyleRepository == Value) return;
  if (FStyleRepository) FStyleRepository->RemoveStyleSheet(this);
  FStyleRepository = Value;
  if (FStyleRepository) FStyleRepository->AddStyleSheet(this);
}

TComponent* TkvCustomStyleSheet::GetParentComponent() { return FStyleRepository; }

void TkvCustomStyleSheet::SetParentComponent(TComponent* Value) {
  if (GetComponentState().Contains(csLoading)) return;
  SetStyleRepository(dynamic_cast<TkvStyleRepository*>(Value));
}

void TkvCustomStyleSheet::ReadState(TReader* Reader) {
  if (auto* repository = dynamic_cast<TkvStyleRepository*>(Reader->GetParent())) SetStyleRepository(repository);
  inherited::ReadState(Reader);
}

void TkvCustomStyleSheet::DefineProperties(TFiler* Filer) {
  inherited::DefineProperties(Filer);
  Filer->DefineProperty(
      "BuiltIn", [this](TReader* R) { FBuiltIn = R->ReadBoolean(); }, [this](TWriter* W) { W->WriteBoolean(FBuiltIn); },
      true);
}

void TkvCustomStyleSheet::AddUser(TkvCustomStyles* AUser) { AddOnce(FUsers, AUser); }

void TkvCustomStyleSheet::RemoveUser(TkvCustomStyles* AUser) { RemoveValue(FUsers, AUser); }

void TkvCustomStyleSheet::NotifyUsers(Integer Index) {
  std::vector<TkvCustomStyles*> users = FUsers;
  for (TkvCustomStyles* user : users) {
    if (std::find(FUsers.begin(), FUsers.end(), user) != FUsers.end()) user->DoChanged(Index);
  }
  RefreshDesignerLinks();
}

void TkvCustomStyleSheet::GetFakeComponentLinks(TList* List) {
  for (Integer i = 0; i < FStyles->Count(); ++i) {
    TkvCustomStyle* style = FStyles->Items(i)->Style;
    TComponent* owner = style ? style->GetOwner() : nullptr;
    if (owner && owner != GetOwner() && List->IndexOf(owner) < 0) List->Add(owner);
  }
}

void TkvCustomStyleSheet::Assign(TPersistent* Source) {
  if (auto* source = dynamic_cast<TkvCustomStyleSheet*>(Source)) {
    SetCaption(source->GetCaption());
    SetStyles(source->GetStyles());
    return;
  }
  inherited::Assign(Source);
}

// ---- TkvStyleRepository --------------------------------------------------------------------

TAVREN_CLASS_IMPL_PUBLISHED(TkvStyleRepository, PROPERTY(Scalable).Default(false))

TkvStyleRepository::~TkvStyleRepository() {
  while (!FItems.empty()) delete FItems.back();
  while (!FStyleSheets.empty()) delete FStyleSheets.back();
}

TkvCustomStyle* TkvStyleRepository::CreateStyle(TkvCustomStyleClass AStyleClass) {
  auto* style = static_cast<TkvCustomStyle*>(AStyleClass.Create(GetOwner()));
  style->SetStyleRepository(this);
  return style;
}

TkvCustomStyleSheet* TkvStyleRepository::CreateStyleSheet(TkvCustomStyleSheetClass ASheetClass) {
  auto* sheet = static_cast<TkvCustomStyleSheet*>(ASheetClass.Create(GetOwner()));
  sheet->SetStyleRepository(this);
  return sheet;
}

Integer TkvStyleRepository::ScaleValue(Integer Value) const {
  Integer current = Screen() ? Screen()->GetPixelsPerInch() : FStoredPixelsPerInch;
  if (FScalable && FStoredPixelsPerInch != 0 && current != FStoredPixelsPerInch)
    return MulDiv(Value, current, FStoredPixelsPerInch);
  return Value;
}

void TkvStyleRepository::GetChildren(const TGetChildProc& Proc, TComponent* Root) {
  for (TkvCustomStyle* style : FItems)
    if (style->GetOwner() == Root) Proc(style);
  for (TkvCustomStyleSheet* sheet : FStyleSheets)
    if (sheet->GetOwner() == Root) Proc(sheet);
}

void TkvStyleRepository::DefineProperties(TFiler* Filer) {
  inherited::DefineProperties(Filer);
  Filer->DefineProperty(
      "PixelsPerInch", [this](TReader* R) { FStoredPixelsPerInch = R->ReadInteger(); },
      [](TWriter* W) { W->WriteInteger(Screen() ? Screen()->GetPixelsPerInch() : 96); }, !Filer->GetAncestor());
}

void TkvStyleRepository::AddItem(TkvCustomStyle* AStyle) { AddOnce(FItems, AStyle); }
void TkvStyleRepository::RemoveItem(TkvCustomStyle* AStyle) { RemoveValue(FItems, AStyle); }
void TkvStyleRepository::AddStyleSheet(TkvCustomStyleSheet* ASheet) { AddOnce(FStyleSheets, ASheet); }
void TkvStyleRepository::RemoveStyleSheet(TkvCustomStyleSheet* ASheet) { RemoveValue(FStyleSheets, ASheet); }

// ---- Unit start and end --------------------------------------------------------------------

void kvStylesStart() {
  StartClassGroup(TControl::ClassInfo());
  GroupDescendentsWith(TkvCustomStyle::ClassInfo(), TControl::ClassInfo());
  GroupDescendentsWith(TkvCustomStyleSheet::ClassInfo(), TControl::ClassInfo());
  GroupDescendentsWith(TkvStyleRepository::ClassInfo(), TControl::ClassInfo());
  RegisterClasses({TkvStyle::ClassInfo(), TkvStyleRepository::ClassInfo()});
}

void kvStylesEnd() { UnRegisterClasses({TkvStyle::ClassInfo(), TkvStyleRepository::ClassInfo()}); }
