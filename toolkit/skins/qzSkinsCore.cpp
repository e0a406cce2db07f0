#include "toolkit/skins/qzSkinsCore.h"

#include <algorithm>

#include "rtl/ClassRegistry.h"
#include "rtl/Resources.h"
#include "rtl/SysUtils.h"
#include "toolkit/skins/qzSkinsStrs.h"
#include "vcl/Graphics.h"

TAVREN_CLASS_IMPL(TqzSkinCustomPersistentObject)
TAVREN_CLASS_IMPL(TqzSkinPersistent)
TAVREN_CLASS_IMPL(TqzSkin)
TAVREN_CLASS_IMPL(TqzSkinControlGroup)
TAVREN_CLASS_IMPL(TqzSkinElement)
TAVREN_CLASS_IMPL(TqzSkinEmptyElement)

Word SkinStatesToWord(const TqzSkinElementStates& States) {
  Word bits = 0;
  for (Integer s = 0; s < kqzSkinElementStateCount; ++s)
    if (States.Contains(static_cast<TqzSkinElementState>(s))) bits |= static_cast<Word>(1u << s);
  return bits;
}

TqzSkinElementStates SkinStatesFromWord(Word Bits) {
  TqzSkinElementStates states;
  for (Integer s = 0; s < kqzSkinElementStateCount; ++s)
    if (Bits & (1u << s)) states.Include(static_cast<TqzSkinElementState>(s));
  return states;
}

Cardinal SkinColorToARGB(TColor AColor, Byte AAlpha) {
  COLORREF rgb = ColorToRGB(AColor);
  return (Cardinal{AAlpha} << 24) | (Cardinal{GetRValue(rgb)} << 16) | (Cardinal{GetGValue(rgb)} << 8) |
         GetBValue(rgb);
}

// ---- Lookup by name -----------------------------------------------------------------------

namespace {

const String& NameOf(void* Item) { return static_cast<TqzSkinCustomPersistentObject*>(Item)->GetName(); }

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; }

// The locale order of AnsiCompareStr, without its case-folded copies while the names are plain
// ASCII: binding a skin compares names some thousands of times. Case folding maps a prefix to a
// prefix, so a name that ends first still comes first.
Integer CompareSkinNames(const String& A, const String& B) {
  const size_t common = std::min(A.size(), B.size());
  for (size_t i = 0; i < common; ++i) {
    if ((A[i] | B[i]) & 0x80) return AnsiCompareStr(A, B);
    char a = AsciiLower(A[i]), b = AsciiLower(B[i]);
    if (a != b) return static_cast<unsigned char>(a) < static_cast<unsigned char>(b) ? -1 : 1;
  }
  if (A.size() != B.size()) return A.size() < B.size() ? -1 : 1;
  for (size_t i = 0; i < common; ++i)
    if (A[i] != B[i]) return static_cast<unsigned char>(A[i]) > static_cast<unsigned char>(B[i]) ? -1 : 1;
  return 0;
}

void SortByName(TkvObjectList* AList) {
  // Skins are written in this order: a stream read back is sorted already.
  const std::vector<void*>& items = AList->List();
  if (std::is_sorted(items.begin(), items.end(),
                     [](void* A, void* B) { return CompareSkinNames(NameOf(A), NameOf(B)) < 0; }))
    return;
  AList->Sort([](void* A, void* B) { return CompareSkinNames(NameOf(A), NameOf(B)); });
}

// Binary search of a list sorted by SortByName.
void* FindSkinObjectByName(TkvObjectList* AList, const String& AName) {
  const std::vector<void*>& items = AList->List();
  auto it = std::lower_bound(items.begin(), items.end(), AName,
                             [](void* Item, const String& Name) { return CompareSkinNames(NameOf(Item), Name) < 0; });
  if (it != items.end() && CompareSkinNames(NameOf(*it), AName) == 0) return *it;
  return nullptr;
}

TqzSkinEmptyElement* emptyElement = nullptr;

}  // namespace

TqzSkinElement* SkinElementOrEmpty(TqzSkinElement* AElement) { return AElement ? AElement : emptyElement; }

// ---- TqzSkinCustomPersistentObject --------------------------------------------------------

TqzSkinCustomPersistentObject::TqzSkinCustomPersistentObject(TPersistent* AOwner, const String& AName)
    : FName(AName), FOwner(AOwner) {}

void TqzSkinCustomPersistentObject::DoChange() {
  if (FOnChange) FOnChange(this);
}

TqzSkinCustomPersistentObject* TqzSkinCustomPersistentObject::Clone() {
  std::unique_ptr<TqzSkinCustomPersistentObject> clone(NewSkinObject(ClassType(), nullptr, FName));
  clone->Assign(this);
  return clone.release();
}

TqzSkinCustomPersistentObject* NewSkinObject(TClass AClass, TPersistent* AOwner, const String& AName) {
  auto* object = static_cast<TqzSkinCustomPersistentObject*>(
      TClassOf<TqzSkinCustomPersistentObject>(AClass).Create(AOwner));
  object->SetName(AName);
  return object;
}

// ---- TqzSkinPersistent --------------------------------------------------------------------

TqzSkinPersistent::TqzSkinPersistent(TPersistent* AOwner, const String& AName)
    : TqzSkinCustomPersistentObject(AOwner, AName) {}

TqzSkinPersistent::~TqzSkinPersistent() = default;

void TqzSkinPersistent::EndUpdate() {
  if (--FUpdateCount == 0) Changed();
}

void TqzSkinPersistent::Changed() {
  FSorted = false;
  if (FUpdateCount == 0) DoChange();
}

void TqzSkinPersistent::Sort() {
  if (FProperties) SortByName(FProperties.get());
}

// Most skin objects have no properties: their list is made with the first.
TkvObjectList* TqzSkinPersistent::PropertyList() {
  if (!FProperties) FProperties = std::make_unique<TkvObjectList>();
  return FProperties.get();
}

void TqzSkinPersistent::CheckSorted() {
  if (FSorted) return;
  FSorted = true;
  Sort();
}

void TqzSkinPersistent::SubItemChanged(TObject*) { Changed(); }

void TqzSkinPersistent::Adopt(TkvObjectList* AList, TqzSkinCustomPersistentObject* AItem) {
  AItem->SetOwner(this);
  AItem->SetOnChange(MakeEvent<&TqzSkinPersistent::SubItemChanged>(this));
  AList->Add(AItem);
  Changed();
}

void TqzSkinPersistent::Reown(TkvObjectList* AList) {
  if (!AList) return;
  for (void* item : AList->List()) {
    auto* object = static_cast<TqzSkinCustomPersistentObject*>(item);
    object->SetOwner(this);
    object->SetOnChange(MakeEvent<&TqzSkinPersistent::SubItemChanged>(this));
  }
}

void TqzSkinPersistent::Delete(TObject* AItem) {
  if (!FProperties || FProperties->Remove(AItem) < 0) return;
  delete AItem;
  Changed();
}

void TqzSkinPersistent::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TqzSkinPersistent*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  BeginUpdate();
  try {
    if (source->FProperties)
      for (void* item : source->FProperties->List())
        Adopt(PropertyList(), static_cast<TqzSkinProperty*>(item)->Clone());
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

TqzSkinProperty* TqzSkinPersistent::AddProperty(const String& AName, TqzSkinPropertyClass AClass) {
  auto* property = static_cast<TqzSkinProperty*>(NewSkinObject(AClass, this, AName));
  Adopt(PropertyList(), property);
  return property;
}

TqzSkinProperty* TqzSkinPersistent::GetPropertyByName(const String& AName) {
  if (!FProperties) return nullptr;
  CheckSorted();
  return static_cast<TqzSkinProperty*>(FindSkinObjectByName(FProperties.get(), AName));
}

TqzSkinProperty* TqzSkinPersistent::Properties(Integer Index) const {
  static TkvObjectList none;  // answers the list's range error
  return static_cast<TqzSkinProperty*>((FProperties ? FProperties.get() : &none)->GetItems(Index));
}

// ---- TqzSkin ------------------------------------------------------------------------------

TqzSkin::TqzSkin(const String& AName, bool ALoadOnCreate, HINSTANCE AInstance)
    : TqzSkinPersistent(nullptr, AName),
      FColors(std::make_unique<TkvObjectList>()),
      FGroups(std::make_unique<TkvObjectList>()) {
  if (ALoadOnCreate) LoadFromResource(AInstance);
}

TqzSkin::~TqzSkin() = default;

TqzSkinCustomPersistentObject* TqzSkin::Clone() {
  auto clone = std::make_unique<TqzSkin>(GetName(), false, nullptr);
  clone->Assign(this);
  return clone.release();
}

void TqzSkin::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TqzSkin*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  BeginUpdate();
  try {
    for (void* item : source->FColors->List())
      Adopt(FColors.get(), static_cast<TqzSkinColor*>(item)->Clone());
    for (void* item : source->FGroups->List())
      Adopt(FGroups.get(), static_cast<TqzSkinControlGroup*>(item)->Clone());
    inherited::Assign(Source);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TqzSkin::Delete(TObject* AItem) {
  if (FColors->Remove(AItem) >= 0 || FGroups->Remove(AItem) >= 0) {
    delete AItem;
    Changed();
    return;
  }
  inherited::Delete(AItem);
}

void TqzSkin::DoChange() {
  BeginUpdate();
  try {
    // A listener may remove itself while it is told.
    std::vector<IqzSkinChangeListener*> listeners = FListeners;
    for (IqzSkinChangeListener* listener : listeners)
      if (std::find(FListeners.begin(), FListeners.end(), listener) != FListeners.end()) listener->SkinChanged(this);
  } catch (...) {
    CancelUpdate();
    throw;
  }
  CancelUpdate();
  inherited::DoChange();
}

void TqzSkin::Sort() {
  inherited::Sort();
  SortByName(FGroups.get());
  SortByName(FColors.get());
}

TqzSkinColor* TqzSkin::AddColor(const String& AName, TColor AValue) {
  auto* color = new TqzSkinColor(this, AName);
  BeginUpdate();
  Adopt(FColors.get(), color);
  EndUpdate();
  color->SetValue(AValue);
  return color;
}

TqzSkinControlGroup* TqzSkin::AddGroup(const String& AName) {
  auto* group = new TqzSkinControlGroup(this, AName);
  Adopt(FGroups.get(), group);
  return group;
}

TqzSkinColor* TqzSkin::GetColorByName(const String& AName) {
  CheckSorted();
  return static_cast<TqzSkinColor*>(FindSkinObjectByName(FColors.get(), AName));
}

TqzSkinControlGroup* TqzSkin::GetGroupByName(const String& AName) {
  CheckSorted();
  return static_cast<TqzSkinControlGroup*>(FindSkinObjectByName(FGroups.get(), AName));
}

TqzSkinColor* TqzSkin::Colors(Integer Index) const { return static_cast<TqzSkinColor*>(FColors->GetItems(Index)); }

TqzSkinControlGroup* TqzSkin::Groups(Integer Index) const {
  return static_cast<TqzSkinControlGroup*>(FGroups->GetItems(Index));
}

void TqzSkin::Clear() {
  FGroups->Clear();
  FColors->Clear();
  FProperties.reset();
  FSorted = false;
}

void TqzSkin::AddListener(IqzSkinChangeListener* AListener) {
  if (AListener && std::find(FListeners.begin(), FListeners.end(), AListener) == FListeners.end())
    FListeners.push_back(AListener);
}

void TqzSkin::RemoveListener(IqzSkinChangeListener* AListener) {
  auto it = std::find(FListeners.begin(), FListeners.end(), AListener);
  if (it != FListeners.end()) FListeners.erase(it);
}

void TqzSkin::LoadFromResource(HINSTANCE AInstance) {
  String type = SkinStr(sqzSkinResourceType);
  TResourceStream stream(AInstance, GetName(), type.c_str());
  LoadFromStream(&stream);
}

// ---- TqzSkinControlGroup ------------------------------------------------------------------

TqzSkinControlGroup::TqzSkinControlGroup(TPersistent* AOwner, const String& AName)
    : TqzSkinPersistent(AOwner, AName), FElements(std::make_unique<TkvObjectList>()) {}

TqzSkinControlGroup::~TqzSkinControlGroup() = default;

void TqzSkinControlGroup::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TqzSkinControlGroup*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  BeginUpdate();
  try {
    for (void* item : source->FElements->List())
      Adopt(FElements.get(), static_cast<TqzSkinElement*>(item)->Clone());
    inherited::Assign(Source);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TqzSkinControlGroup::Delete(TObject* AItem) {
  if (FElements->Remove(AItem) >= 0) {
    delete AItem;
    Changed();
    return;
  }
  inherited::Delete(AItem);
}

void TqzSkinControlGroup::Sort() {
  inherited::Sort();
  SortByName(FElements.get());
}

TqzSkinElement* TqzSkinControlGroup::AddElement(const String& AName) {
  return AddElementOfClass(AName, TqzSkinElement::ClassInfo());
}

TqzSkinElement* TqzSkinControlGroup::AddElementOfClass(const String& AName, TClassOf<TqzSkinElement> AClass) {
  auto* element = static_cast<TqzSkinElement*>(NewSkinObject(AClass, this, AName));
  Adopt(FElements.get(), element);
  return element;
}

TqzSkinElement* TqzSkinControlGroup::GetElementByName(const String& AName) {
  CheckSorted();
  return static_cast<TqzSkinElement*>(FindSkinObjectByName(FElements.get(), AName));
}

TqzSkinElement* TqzSkinControlGroup::Elements(Integer Index) const {
  return static_cast<TqzSkinElement*>(FElements->GetItems(Index));
}

// ---- TqzSkinElement -----------------------------------------------------------------------

TqzSkinElement::TqzSkinElement(TPersistent* AOwner, const String& AName)
    : TqzSkinPersistent(AOwner, AName),
      FBorders(this, "Borders"),
      FContentOffset(this),
      FGlyph(this),
      FImage(this),
      FMinSize(this) {
  TNotifyEvent changed = MakeEvent<&TqzSkinElement::SubObjectChanged>(this);
  FBorders->SetOnChange(changed);
  FContentOffset->SetOnChange(changed);
  FGlyph->SetOnChange(changed);
  FImage->SetOnChange(changed);
  FMinSize->SetOnChange(changed);
}

TqzSkinElement::~TqzSkinElement() {
  FCanvas.reset();
  if (FBrush && GdiPlus().GdipDeleteBrush) GdiPlus().GdipDeleteBrush(FBrush);  // a destructor reports nothing
}

TqzSkin* TqzSkinElement::Skin() {
  TqzSkinControlGroup* group = Group();
  return group ? group->Skin() : nullptr;
}

String TqzSkinElement::Path() {
  TqzSkinControlGroup* group = Group();
  return (group ? group->GetName() : String()) + "\\";
}

String TqzSkinElement::GetImageName(TqzSkinImage* AImage) {
  return GetName() + (AImage == FImage.get() ? "_Image.png" : "_Glyph.png");
}

bool TqzSkinElement::HasAlpha() {
  if (FImage->Empty()) return FAlpha < 255;
  TqzPNGImage* picture = FImage->Picture();
  return !picture->GetEmpty() && picture->HasAlphaChannel();
}

void TqzSkinElement::SetAlpha(Byte AValue) {
  if (AValue == FAlpha) return;
  FAlpha = AValue;
  SetColor(FColor);
}

void TqzSkinElement::SetColor(TColor AValue) {
  FColor = AValue;
  FIsColorAssigned = AValue != clDefault && AValue != clNone;
  // The brush is made at the first translucent fill: most elements never need one.
  if (FIsColorAssigned && FBrush)
    GpCheckStatus(GdiPlus().GdipSetSolidFillColor(FBrush, SkinColorToARGB(AValue, FAlpha)));
  DoChange();
}

void TqzSkinElement::SetImageCount(Integer AValue) {
  AValue = std::max(AValue, 1);
  if (AValue == FImageCount) return;
  FImageCount = AValue;
  FImage->Invalidate();
  FGlyph->Invalidate();
  DoChange();
}

void TqzSkinElement::SetTextColor(TColor AValue) {
  FTextColor = AValue;
  DoChange();
}

void TqzSkinElement::Assign(TPersistent* Source) {
  if (auto* source = dynamic_cast<TqzSkinElement*>(Source)) {
    FImage->Assign(source->FImage.get());
    FGlyph->Assign(source->FGlyph.get());
    FAlpha = source->FAlpha;
    SetColor(source->FColor);
    FContentOffset->Assign(source->FContentOffset.get());
    SetImageCount(source->FImageCount);
    FBorders->Assign(source->FBorders.get());
    FMinSize->Assign(source->FMinSize.get());
    SetTextColor(source->FTextColor);
  }
  inherited::Assign(Source);
}

bool TqzSkinElement::CompareProperties(TqzSkinElement* AElement) {
  if (PropertyCount() != AElement->PropertyCount()) return false;
  for (Integer i = 0; i < PropertyCount(); ++i)
    if (!Properties(i)->Compare(AElement->Properties(i))) return false;
  return true;
}

bool TqzSkinElement::Compare(TqzSkinElement* AElement) {
  return GetName() == AElement->GetName() && FColor == AElement->FColor && FImageCount == AElement->FImageCount &&
         FAlpha == AElement->FAlpha && FTextColor == AElement->FTextColor &&
         FMinSize->EqualsSizeObject(AElement->FMinSize.get()) &&
         FContentOffset->EqualsRectObject(AElement->FContentOffset.get()) &&
         FBorders->Compare(AElement->FBorders.get()) && CompareProperties(AElement) &&
         FImage->Compare(AElement->FImage.get()) && FGlyph->Compare(AElement->FGlyph.get());
}

// ---- Unit ---------------------------------------------------------------------------------

namespace {

std::vector<TClass>* propertyClasses = nullptr;
TqzSkinPartStream* sharedPartStream = nullptr;

void StartSkinsCore() {
  emptyElement = new TqzSkinEmptyElement(nullptr);
  propertyClasses = new std::vector<TClass>;
  sharedPartStream = new TqzSkinPartStream(nullptr);
  RegisterClasses({TqzSkinControlGroup::ClassInfo(), TqzSkinElement::ClassInfo(), TqzSkinImage::ClassInfo()});
  RegisterSkinPropertyClass(TqzSkinIntegerProperty::ClassInfo());
  RegisterSkinPropertyClass(TqzSkinColor::ClassInfo());
  RegisterSkinPropertyClass(TqzSkinRectProperty::ClassInfo());
  RegisterSkinPropertyClass(TqzSkinSizeProperty::ClassInfo());
  RegisterSkinPropertyClass(TqzSkinBooleanProperty::ClassInfo());
  RegisterSkinPropertyClass(TqzSkinStringProperty::ClassInfo());
  if (GdiPlusReady()) EnsurePngEncoderId();
}

void EndSkinsCore() {
  delete propertyClasses;
  propertyClasses = nullptr;
  UnRegisterClasses({TqzSkinControlGroup::ClassInfo(), TqzSkinElement::ClassInfo(), TqzSkinImage::ClassInfo(),
                     TqzSkinIntegerProperty::ClassInfo(), TqzSkinColor::ClassInfo(), TqzSkinRectProperty::ClassInfo(),
                     TqzSkinSizeProperty::ClassInfo(), TqzSkinBooleanProperty::ClassInfo(),
                     TqzSkinStringProperty::ClassInfo()});
  delete sharedPartStream;
  sharedPartStream = nullptr;
  delete emptyElement;
  emptyElement = nullptr;
}

}  // namespace

TqzSkinPartStream* SharedSkinPartStream() { return sharedPartStream; }

void RegisterSkinPropertyClass(TqzSkinPropertyClass AClass) {
  if (std::find(propertyClasses->begin(), propertyClasses->end(), AClass) == propertyClasses->end())
    propertyClasses->push_back(AClass);
  RegisterClass(TPersistentClass(static_cast<TClass>(AClass)));
}

TqzSkinPropertyClass FindSkinPropertyClass(const String& AName) {
  if (!propertyClasses) return nullptr;
  for (TClass c : *propertyClasses)
    if (SameText(c->Name, AName)) return c;
  return nullptr;
}

void qzSkinsCoreStart() { UnitsLoaderInstance()->RegisterUnitProcs(&StartSkinsCore, &EndSkinsCore); }

void qzSkinsCoreEnd() { UnitsLoaderInstance()->UnregisterUnitProcs(&EndSkinsCore); }
