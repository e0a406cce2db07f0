// The item base class: its properties, notifications, streaming and binding to a published
// property of the inspector's Associate component.

#include "toolkit/inspector/JyPropertyItems.h"

#include <algorithm>

#include "rtl/Filer.h"
#include "rtl/Reader.h"
#include "rtl/TypInfo.h"
#include "rtl/WideText.h"
#include "rtl/Writer.h"
#include "toolkit/inspector/JyEdit.h"
#include "toolkit/inspector/JyInspector.h"
#include "toolkit/inspector/JyPropertyItemDisplay.h"

TJyPropertyItem::TJyPropertyItem(TComponent* AOwner)
    : TComponent(AOwner),
      FFont(std::make_unique<TFont>()),
      FSuffixes(std::make_unique<TJyStrings>()),
      FValueFont(std::make_unique<TFont>()) {
  FFont->SetOnChange(MakeEvent<&TJyPropertyItem::FontChanged>(this));
  FValueFont->SetOnChange(MakeEvent<&TJyPropertyItem::ValueFontChanged>(this));
  FSuffixEditor = new TJyComboBox(this);
  FSuffixEditor->AfterConstruction();
  FSuffixEditor->SetVisible(false);
}

void TJyPropertyItem::EnsureParts() {
  if (FPartsMade) return;
  FPartsMade = true;
  FDisplay.reset(DisplayClass().Create(this));
  if (TClassOf<TJyCustomEdit> editorClass = EditorClass()) {
    FEditor = editorClass.Create(this);
    FEditor->SetVisible(false);
    FEditor->SetAutoSize(false);
    EditorMade();
  }
}

void TJyPropertyItem::BeforeDestruction() {
  // Leaving the collection first: descendants go, each reported while the inspector can still
  // drop every reference to it, then the item itself.
  if (FCollection) {
    TJyPropertyItems* collection = FCollection;
    collection->DeleteChildren(this);
    collection->Remove(this);
    ItemChanged(ickDeleted);
    FCollection = nullptr;
    FAttached = false;
  }
  // The editors go while the item is whole: their events call back into it.
  delete FEditor;
  FEditor = nullptr;
  delete FSuffixEditor;
  FSuffixEditor = nullptr;
  FPartsMade = true;
  inherited::BeforeDestruction();
}

TJyPropertyItem::~TJyPropertyItem() {
  // The editors are components of the item and go with it; the display is the item's own.
  FDisplay.reset();
}

TClassOf<TJyItemDisplay> TJyPropertyItem::DisplayClass() { return TJyItemDisplay::ClassInfo(); }

TJyCustomInspector* TJyPropertyItem::Inspector() const { return FCollection ? FCollection->Inspector() : nullptr; }

void TJyPropertyItem::Assign(TPersistent* Source) {
  if (auto* other = dynamic_cast<TJyPropertyItem*>(Source)) {
    SetCaption(other->FCaption);
    SetEmptyValue(other->FEmptyValue);
    SetEnabled(other->FEnabled);
    SetExpanded(other->FExpanded);
    SetFont(other->FFont.get());
    SetImageIndex(other->FImageIndex);
    SetReadOnly(other->FReadOnly);
    SetSuffixes(other->FSuffixes.get());
    SetSuffixValue(other->FSuffixValue);
    SetAsString(other->GetAsString());
    SetValueFont(other->FValueFont.get());
    return;
  }
  inherited::Assign(Source);
}

// ---- Notifications ------------------------------------------------------------------------------

void TJyPropertyItem::Changed() {
  ItemChanged(ickValue);
  WriteToAssociate();
}

void TJyPropertyItem::ItemChanged(Integer Kind, Integer Index) {
  if (!FAttached || Reading() || !FCollection || !FCollection->Inspector()) return;
  FCollection->FOnItemChange(FCollection, this, Index, Kind);
}

void TJyPropertyItem::FontChanged(TObject*) { ItemChanged(ickRepaint); }
void TJyPropertyItem::ValueFontChanged(TObject*) { ItemChanged(ickRepaint); }

Integer TJyPropertyItem::RowTop() {
  TJyCustomInspector* inspector = Inspector();
  return inspector ? inspector->RowTopOf(this) : -1;
}

bool TJyPropertyItem::AllAncestorsExpanded() const {
  for (TJyPropertyItem* p = FParent; p; p = p->FParent)
    if (!p->FExpanded) return false;
  return true;
}

Integer TJyPropertyItem::GetAbsoluteIndex() const {
  return FCollection ? TJyPropertyItems::IndexIn(FCollection->FTree, this) : -1;
}

Integer TJyPropertyItem::GetSortedIndex() const {
  return FCollection ? TJyPropertyItems::IndexIn(FCollection->FSorted, this) : -1;
}

Integer TJyPropertyItem::GetNodeIndex() const {
  return FCollection ? TJyPropertyItems::IndexIn(FCollection->Active(), this) : -1;
}

// ---- Editors ------------------------------------------------------------------------------------

void TJyPropertyItem::PrepareEditor() {
  TJyCustomEdit* editor = Editor();
  if (!editor) return;
  editor->SetBorderStyle(bsNone);
  editor->SetPreviewBorder(true);
  editor->SetColor(FColor);
  editor->SetFont(FValueFont.get());
  editor->SetInplace(true);
  editor->GetInnerMargins()->SetLeft(3);
  editor->SelectAll();
}

void TJyPropertyItem::ShowSuffixEditor() {
  FSuffixEditor->SetBorderStyle(bsNone);
  FSuffixEditor->SetColor(FColor);
  FSuffixEditor->SetFont(FValueFont.get());
  FSuffixEditor->SetItems(FSuffixes.get());
  FSuffixEditor->GetInnerMargins()->SetLeft(2);
  FSuffixEditor->Show();
}

void TJyPropertyItem::HideEditor() {
  if (FEditor) FEditor->Hide();
}

void TJyPropertyItem::HideSuffixEditor() { FSuffixEditor->Hide(); }

// ---- Properties ---------------------------------------------------------------------------------

void TJyPropertyItem::SetCaption(const String& Value) {
  FCaption = Value;
  if (FLevel == 1) SortByCaption();
  ItemChanged(ickRepaint);
}

void TJyPropertyItem::SetColor(TColor Value) {
  FColor = Value;
  ItemChanged(ickRepaint);
  ItemChanged(ickRepaintValue);
}

void TJyPropertyItem::SetDefaultValue(const String& Value) {
  FDefaultValue = Value;
  ItemChanged(ickRepaintValue);
}

void TJyPropertyItem::SetEmptyValue(const String& Value) {
  FEmptyValue = Value;
  if (Value.empty()) ItemChanged(ickRepaintValue);
}

void TJyPropertyItem::SetEnabled(bool Value) {
  FEnabled = Value;
  ItemChanged(ickEnabled);
}

void TJyPropertyItem::SetReadOnly(bool Value) {
  FReadOnly = Value;
  ItemChanged(ickRepaintValue);
}

void TJyPropertyItem::SetShowPreview(bool Value) {
  FShowPreview = Value;
  ItemChanged(ickRepaintValue);
}

void TJyPropertyItem::SetFont(TFont* Value) {
  FFont->Assign(Value);
  ItemChanged(ickRepaint);
}

void TJyPropertyItem::SetValueFont(TFont* Value) {
  FValueFont->Assign(Value);
  ItemChanged(ickRepaintValue);
}

void TJyPropertyItem::SetImageIndex(Integer Value) {
  FImageIndex = Value;
  ItemChanged(ickRepaint);
}

void TJyPropertyItem::SetMapProperty(const String& Value) {
  FMapProperty = Value;
  ReadFromAssociate();
}

void TJyPropertyItem::SetOptions(TItemOptions Value) {
  FOptions = Value;
  ItemChanged(ickOptions);
}

void TJyPropertyItem::SetShowSuffix(bool Value) {
  if (Value == FShowSuffix) return;
  FShowSuffix = Value;
  ItemChanged(ickRepaintValue);
}

void TJyPropertyItem::SetSuffixValue(const String& Value) {
  FSuffixValue = Value;
  ItemChanged(ickSuffixValue);
}

void TJyPropertyItem::SetExpanded(bool Value) {
  if (FExpandLock || Value == FExpanded) return;
  FExpanded = Value;
  if (FCollection) {
    const auto& tree = FCollection->FTree;
    const Integer at = TJyPropertyItems::IndexIn(tree, this);
    if (at >= 0) {
      for (Integer i = at + 1; i < static_cast<Integer>(tree.size()) && tree[i]->FLevel > FLevel;) {
        TJyPropertyItem* entry = tree[i];
        if (!Value) {
          entry->FHidden = true;
          ++i;
          continue;
        }
        if (entry->FVisible) entry->FHidden = false;
        // Below a collapsed entry its own subtree stays as it is.
        i += 1 + (entry->FExpanded ? 0 : TJyPropertyItems::DescendantCount(tree, entry));
      }
    }
  }
  if (FChildCount > 0) ItemChanged(Value ? ickExpanded : ickCollapsed);
}

void TJyPropertyItem::SetVisible(bool Value) {
  FVisible = Value;
  FHidden = !Value;
  if (FExpanded && FCollection) {
    const auto& tree = FCollection->FTree;
    const Integer at = TJyPropertyItems::IndexIn(tree, this);
    if (at >= 0)
      for (Integer i = at + 1; i < static_cast<Integer>(tree.size()) && tree[i]->FLevel > FLevel; ++i)
        tree[i]->FHidden = !Value;
  }
  ItemChanged(ickVisibility);
}

void TJyPropertyItem::SortByCaption() {
  if (!FCollection || FLevel > 1) return;
  auto& sorted = FCollection->FSorted;
  const Integer current = TJyPropertyItems::IndexIn(sorted, this);
  if (current < 0) return;
  const WideString caption = UTF8Decode(FCaption);
  Integer target = 0;
  for (TJyPropertyItem* entry : sorted) {
    if (entry->FLevel == 1 && entry != this && UTF8Decode(entry->FCaption) > caption) break;
    if (entry != this) ++target;
  }
  // Entries passed include this item's own descendants when it stands before the stop.
  const Integer block = 1 + TJyPropertyItems::DescendantCount(sorted, this);
  if (target > current) target -= block - 1;
  if (target == current) return;
  std::vector<TJyPropertyItem*> moving(sorted.begin() + current, sorted.begin() + current + block);
  sorted.erase(sorted.begin() + current, sorted.begin() + current + block);
  target = std::clamp<Integer>(target, 0, static_cast<Integer>(sorted.size()));
  sorted.insert(sorted.begin() + target, moving.begin(), moving.end());
}

// ---- Streaming ----------------------------------------------------------------------------------

TComponent* TJyPropertyItem::GetParentComponent() {
  if (FParent) return FParent;
  return FCollection ? static_cast<TComponent*>(FCollection->Inspector()) : nullptr;
}

void TJyPropertyItem::SetParentComponent(TComponent* Value) {
  if (auto* inspector = dynamic_cast<TJyCustomInspector*>(Value)) {
    inspector->GetItems()->AddItem(nullptr, this, true);
  } else if (auto* parent = dynamic_cast<TJyPropertyItem*>(Value)) {
    if (parent->FCollection) parent->FCollection->AddItem(parent, this, true);
  }
}

void TJyPropertyItem::GetChildren(const TGetChildProc& Proc, TComponent*) {
  if (!FCollection) return;
  for (TJyPropertyItem* item : FCollection->FTree)
    if (item->FParent == this) Proc(item);
}

void TJyPropertyItem::DefineProperties(TFiler* Filer) {
  inherited::DefineProperties(Filer);
  Filer->DefineProperty(
      "ParentIndex", [this](TReader* Reader) { FParentIndex = Reader->ReadInteger(); },
      [this](TWriter* Writer) { Writer->WriteInteger(FParent ? FParent->GetAbsoluteIndex() : -1); }, true);
}

namespace {

bool SameFont(TFont* A, TFont* B) {
  return A->GetCharset() == B->GetCharset() && A->GetColor() == B->GetColor() && A->GetHeight() == B->GetHeight() &&
         A->GetName() == B->GetName() && A->GetPitch() == B->GetPitch() && A->GetSize() == B->GetSize() &&
         A->GetStyle() == B->GetStyle();
}

}  // namespace

bool TJyPropertyItem::IsFontStored() const {
  TJyCustomInspector* inspector = Inspector();
  return !inspector || !SameFont(FFont.get(), inspector->GetFont());
}

bool TJyPropertyItem::IsValueFontStored() const {
  TJyCustomInspector* inspector = Inspector();
  return !inspector || !SameFont(FValueFont.get(), inspector->GetFont());
}

// ---- Binding to the Associate -------------------------------------------------------------------

bool TJyPropertyItem::ResolveMap(TObject*& Instance, const TPropInfo*& Info, String& Name) {
  TJyCustomInspector* inspector = Inspector();
  if (!inspector || !inspector->GetAssociate() || FMapProperty.empty()) return false;
  TObject* current = inspector->GetAssociate();
  String path = FMapProperty;
  for (auto dot = path.find('.'); dot != String::npos; dot = path.find('.')) {
    const TPropInfo* objectProp = GetPropInfo(current, path.substr(0, dot));
    if (!objectProp || objectProp->PropType->Kind != tkClass) return false;
    current = GetObjectProp(current, objectProp);
    if (!current) return false;
    path.erase(0, dot + 1);
  }
  Info = GetPropInfo(current, path);
  if (!Info) return false;
  Instance = current;
  Name = path;
  return true;
}

void TJyPropertyItem::ReadFromAssociate() {
  TObject* instance = nullptr;
  const TPropInfo* info = nullptr;
  String name;
  if (!ResolveMap(instance, info, name)) return;
  FReadingAssociate = true;
  try {
    switch (info->PropType->Kind) {
      case tkInteger:
        SetAsInteger(static_cast<Integer>(GetOrdProp(instance, info)));
        break;
      case tkEnumeration:
        SetAsString(GetEnumName(info->PropType, static_cast<Integer>(GetOrdProp(instance, info))));
        break;
      case tkFloat:
        SetAsFloat(GetFloatProp(instance, info));
        break;
      case tkString:
        SetAsString(GetStrProp(instance, info));
        break;
      case tkSet:
        SetAsString(SetToString(info->PropType, GetOrdProp(instance, info), false));
        break;
      default:
        break;
    }
  } catch (...) {
    FReadingAssociate = false;
    throw;
  }
  FReadingAssociate = false;
  if (FCaption.empty()) SetCaption(name);
}

void TJyPropertyItem::WriteToAssociate() {
  if (FReadingAssociate) return;
  TObject* instance = nullptr;
  const TPropInfo* info = nullptr;
  String name;
  if (!ResolveMap(instance, info, name)) return;
  switch (info->PropType->Kind) {
    case tkInteger:
      SetOrdProp(instance, info, GetAsInteger());
      break;
    case tkEnumeration: {
      const Integer value = GetEnumValue(info->PropType, GetAsString());
      if (value >= 0) SetOrdProp(instance, info, value);
      break;
    }
    case tkFloat:
      SetFloatProp(instance, info, GetAsFloat());
      break;
    case tkString:
      SetStrProp(instance, info, GetAsString());
      break;
    case tkSet:
      SetOrdProp(instance, info, StringToSet(info->PropType, GetAsString()));
      break;
    default:
      break;
  }
}
