#include "toolkit/editors/kvDataStorage.h"

#include <algorithm>
#include <cstring>

#include "rtl/FMTBcd.h"
#include "rtl/SqlTimSt.h"
#include "rtl/SysUtils.h"
#include "toolkit/editors/kvVariants.h"

TAVREN_CLASS_IMPL(TkvValueType)
TAVREN_CLASS_IMPL(TkvStringValueType)
TAVREN_CLASS_IMPL(TkvWideStringValueType)
TAVREN_CLASS_IMPL(TkvSmallintValueType)
TAVREN_CLASS_IMPL(TkvIntegerValueType)
TAVREN_CLASS_IMPL(TkvWordValueType)
TAVREN_CLASS_IMPL(TkvBooleanValueType)
TAVREN_CLASS_IMPL(TkvFloatValueType)
TAVREN_CLASS_IMPL(TkvCurrencyValueType)
TAVREN_CLASS_IMPL(TkvDateTimeValueType)
TAVREN_CLASS_IMPL(TkvLargeIntValueType)
TAVREN_CLASS_IMPL(TkvFMTBcdValueType)
TAVREN_CLASS_IMPL(TkvSQLTimeStampValueType)
TAVREN_CLASS_IMPL(TkvVariantValueType)
TAVREN_CLASS_IMPL(TkvObjectValueType)
TAVREN_CLASS_IMPL(TkvValueTypeClassList)
TAVREN_CLASS_IMPL(TkvCustomDataBinding)

namespace {

template <class T>
T Load(const void* Buffer) {
  T value;
  std::memcpy(&value, Buffer, sizeof(T));
  return value;
}

template <class T>
void Store(void* Buffer, T Value) {
  std::memcpy(Buffer, &Value, sizeof(T));
}

template <class T>
Integer Compare(T A, T B) {
  return A < B ? -1 : (A > B ? 1 : 0);
}

// The heap cell a by-reference buffer points to (nullptr while empty).
template <class Cell>
Cell*& CellOf(void* Buffer) {
  return *static_cast<Cell**>(Buffer);
}

// Empty cells order before filled ones; filled ones by their code units.
template <class Cell>
Integer OrderCells(const Cell* A, const Cell* B) {
  if (!A || !B) return Compare(A != nullptr, B != nullptr);
  int order = A->compare(*B);
  return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

template <class Cell>
void ReleaseCell(void* Buffer) {
  delete CellOf<Cell>(Buffer);
  CellOf<Cell>(Buffer) = nullptr;
}

template <class Cell>
void StoreCell(void* Buffer, Cell Value) {
  Cell*& cell = CellOf<Cell>(Buffer);
  if (cell) *cell = std::move(Value);
  else cell = new Cell(std::move(Value));
}

bool gValueTypesEnded = false;
std::unique_ptr<TkvValueTypeClassList>& ValueTypeList() {
  static std::unique_ptr<TkvValueTypeClassList> list;
  return list;
}

// The fourteen types in their registration order.
std::vector<TkvValueTypeClass> RegisteredTypes() {
  return {ValueTypeClassOf<TkvStringValueType>(),    ValueTypeClassOf<TkvWideStringValueType>(),
          ValueTypeClassOf<TkvSmallintValueType>(),  ValueTypeClassOf<TkvIntegerValueType>(),
          ValueTypeClassOf<TkvWordValueType>(),      ValueTypeClassOf<TkvBooleanValueType>(),
          ValueTypeClassOf<TkvFloatValueType>(),     ValueTypeClassOf<TkvCurrencyValueType>(),
          ValueTypeClassOf<TkvDateTimeValueType>(),  ValueTypeClassOf<TkvLargeIntValueType>(),
          ValueTypeClassOf<TkvFMTBcdValueType>(),    ValueTypeClassOf<TkvSQLTimeStampValueType>(),
          ValueTypeClassOf<TkvVariantValueType>(),   ValueTypeClassOf<TkvObjectValueType>()};
}

}  // namespace

// ---- Base ---------------------------------------------------------------------------------

Integer TkvValueType::OrderBuffers(void* A, void* B) {
  ResolveBuffer(A);
  ResolveBuffer(B);
  return OrderValues(A, B);
}

void TkvValueType::ReleaseBuffer(void*) {}

void TkvValueType::ReleaseTextCell(String*& Cell) {
  delete Cell;
  Cell = nullptr;
}

Integer TkvValueType::BufferSize() { return 0; }
Variant TkvValueType::BufferToVariant(void*) { return Null(); }

String TkvValueType::DefaultText(void* Buffer) {
  try {
    return VarToStr(BufferToVariant(Buffer));
  } catch (const EVariantError&) {
    return "";
  }
}

String TkvValueType::CellText(String* Cell) { return Cell ? *Cell : String(); }

void TkvValueType::LoadBuffer(void* Buffer, TStream* Stream) { VariantToBuffer(Buffer, StreamReadVariant(Stream)); }

void TkvValueType::ReadCellText(String*& Cell, TStream* Stream) { SetCellText(Cell, StreamReadText(Stream)); }

void TkvValueType::VariantToBuffer(void*, const Variant&) {}

void TkvValueType::SetCellText(String*& Cell, const String& Text) {
  if (!Cell) Cell = new String;
  *Cell = Text;
}

void TkvValueType::SaveBuffer(void* Buffer, TStream* Stream) { StreamWriteVariant(Stream, BufferToVariant(Buffer)); }

void TkvValueType::WriteCellText(String* Cell, TStream* Stream) { StreamWriteText(Stream, CellText(Cell)); }

String TkvValueType::Caption() {
  String name = ClassName();
  if (name.starts_with("Tkv")) name.erase(0, 3);
  size_t at = name.find("ValueType");
  if (at != String::npos) name.erase(at, 9);
  return name;
}

Integer TkvValueType::OrderValues(void* A, void* B) {
  return VariantOrder(ValueFromPointer(A), ValueFromPointer(B));
}

Variant TkvValueType::ValueFromPointer(void* Value) { return BufferToVariant(Value); }
TVarType TkvValueType::VariantKind() { return varVariant; }

bool TkvValueType::IsValueAcceptable(Variant& Value) {
  if (VarIsNull(Value) || VariantKind() == varVariant) return true;
  try {
    Value = VarAsType(Value, VariantKind());
    return true;
  } catch (const EVariantError&) {
    return false;
  } catch (const EConvertError&) {
    return false;
  }
}

bool TkvValueType::IsTextType() { return false; }
void TkvValueType::ResolveBuffer(void*&) {}

// ---- Text ---------------------------------------------------------------------------------

Integer TkvStringValueType::OrderBuffers(void* A, void* B) {
  return OrderCells(CellOf<String>(A), CellOf<String>(B));
}
void TkvStringValueType::ReleaseBuffer(void* Buffer) { ReleaseCell<String>(Buffer); }
Integer TkvStringValueType::BufferSize() { return sizeof(void*); }
Variant TkvStringValueType::BufferToVariant(void* Buffer) { return ValueFromPointer(CellOf<String>(Buffer)); }
void TkvStringValueType::LoadBuffer(void* Buffer, TStream* Stream) { StoreCell<String>(Buffer, StreamReadText(Stream)); }
void TkvStringValueType::VariantToBuffer(void* Buffer, const Variant& Value) {
  StoreCell<String>(Buffer, VarToStr(Value));
}
void TkvStringValueType::SaveBuffer(void* Buffer, TStream* Stream) {
  const String* cell = CellOf<String>(Buffer);
  StreamWriteText(Stream, cell ? *cell : String());
}
Integer TkvStringValueType::OrderValues(void* A, void* B) {
  return OrderCells(static_cast<String*>(A), static_cast<String*>(B));
}
Variant TkvStringValueType::ValueFromPointer(void* Value) {
  return Value ? Variant(*static_cast<String*>(Value)) : Null();
}
TVarType TkvStringValueType::VariantKind() { return varString; }
bool TkvStringValueType::IsTextType() { return true; }
void TkvStringValueType::ResolveBuffer(void*& Pointer) { Pointer = *static_cast<void**>(Pointer); }

void TkvWideStringValueType::ReleaseBuffer(void* Buffer) { ReleaseCell<WideString>(Buffer); }
Variant TkvWideStringValueType::BufferToVariant(void* Buffer) { return ValueFromPointer(CellOf<WideString>(Buffer)); }
void TkvWideStringValueType::LoadBuffer(void* Buffer, TStream* Stream) {
  StoreCell<WideString>(Buffer, StreamReadWideText(Stream));
}
void TkvWideStringValueType::VariantToBuffer(void* Buffer, const Variant& Value) {
  StoreCell<WideString>(Buffer, VarToWideStr(Value));
}
void TkvWideStringValueType::SaveBuffer(void* Buffer, TStream* Stream) {
  // As UTF-16 as it is: a detour through 8-bit text would lose nothing here but costs a copy.
  const WideString* cell = CellOf<WideString>(Buffer);
  StreamWriteWideText(Stream, cell ? *cell : WideString());
}
Integer TkvWideStringValueType::OrderValues(void* A, void* B) {
  return OrderCells(static_cast<WideString*>(A), static_cast<WideString*>(B));
}
Variant TkvWideStringValueType::ValueFromPointer(void* Value) {
  return Value ? Variant(*static_cast<WideString*>(Value)) : Null();
}
TVarType TkvWideStringValueType::VariantKind() { return varOleStr; }

// ---- Numbers ------------------------------------------------------------------------------

Integer TkvSmallintValueType::BufferSize() { return 2; }
Variant TkvSmallintValueType::BufferToVariant(void* Buffer) { return Variant(Load<SmallInt>(Buffer)); }
void TkvSmallintValueType::LoadBuffer(void* Buffer, TStream* Stream) { Store(Buffer, StreamReadSmallint(Stream)); }
void TkvSmallintValueType::VariantToBuffer(void* Buffer, const Variant& Value) {
  Store(Buffer, static_cast<SmallInt>(Value.AsInteger()));
}
void TkvSmallintValueType::SaveBuffer(void* Buffer, TStream* Stream) { StreamWriteSmallint(Stream, Load<SmallInt>(Buffer)); }
Integer TkvSmallintValueType::OrderValues(void* A, void* B) { return Compare(Load<SmallInt>(A), Load<SmallInt>(B)); }
TVarType TkvSmallintValueType::VariantKind() { return varSmallint; }

Integer TkvIntegerValueType::BufferSize() { return 4; }
Variant TkvIntegerValueType::BufferToVariant(void* Buffer) { return Variant(Load<Integer>(Buffer)); }
void TkvIntegerValueType::LoadBuffer(void* Buffer, TStream* Stream) { Store(Buffer, StreamReadInteger(Stream)); }
void TkvIntegerValueType::VariantToBuffer(void* Buffer, const Variant& Value) { Store(Buffer, Value.AsInteger()); }
void TkvIntegerValueType::SaveBuffer(void* Buffer, TStream* Stream) { StreamWriteInteger(Stream, Load<Integer>(Buffer)); }
Integer TkvIntegerValueType::OrderValues(void* A, void* B) { return Compare(Load<Integer>(A), Load<Integer>(B)); }
TVarType TkvIntegerValueType::VariantKind() { return varInteger; }

Integer TkvWordValueType::BufferSize() { return 2; }
Variant TkvWordValueType::BufferToVariant(void* Buffer) { return Variant(Load<Word>(Buffer)); }
void TkvWordValueType::LoadBuffer(void* Buffer, TStream* Stream) { Store(Buffer, StreamReadWord(Stream)); }
void TkvWordValueType::VariantToBuffer(void* Buffer, const Variant& Value) {
  Store(Buffer, static_cast<Word>(Value.AsInteger()));
}
void TkvWordValueType::SaveBuffer(void* Buffer, TStream* Stream) { StreamWriteWord(Stream, Load<Word>(Buffer)); }
Integer TkvWordValueType::OrderValues(void* A, void* B) { return Compare(Load<Word>(A), Load<Word>(B)); }
TVarType TkvWordValueType::VariantKind() { return varWord; }

Integer TkvBooleanValueType::BufferSize() { return 1; }
Variant TkvBooleanValueType::BufferToVariant(void* Buffer) { return Variant(Load<Byte>(Buffer) != 0); }
String TkvBooleanValueType::DefaultText(void* Buffer) { return BoolToStr(Load<Byte>(Buffer) != 0, true); }
void TkvBooleanValueType::LoadBuffer(void* Buffer, TStream* Stream) {
  Store<Byte>(Buffer, StreamReadBoolean(Stream) ? 1 : 0);
}
void TkvBooleanValueType::VariantToBuffer(void* Buffer, const Variant& Value) {
  Store<Byte>(Buffer, Value.AsBoolean() ? 1 : 0);
}
void TkvBooleanValueType::SaveBuffer(void* Buffer, TStream* Stream) { StreamWriteBoolean(Stream, Load<Byte>(Buffer) != 0); }
Integer TkvBooleanValueType::OrderValues(void* A, void* B) {
  return Compare(Load<Byte>(A) != 0, Load<Byte>(B) != 0);
}
TVarType TkvBooleanValueType::VariantKind() { return varBoolean; }

Integer TkvFloatValueType::BufferSize() { return 8; }
Variant TkvFloatValueType::BufferToVariant(void* Buffer) { return Variant(Load<Double>(Buffer)); }
void TkvFloatValueType::LoadBuffer(void* Buffer, TStream* Stream) { Store(Buffer, StreamReadExtended(Stream)); }
void TkvFloatValueType::VariantToBuffer(void* Buffer, const Variant& Value) { Store(Buffer, Value.AsDouble()); }
void TkvFloatValueType::SaveBuffer(void* Buffer, TStream* Stream) { StreamWriteExtended(Stream, Load<Double>(Buffer)); }
Integer TkvFloatValueType::OrderValues(void* A, void* B) { return Compare(Load<Double>(A), Load<Double>(B)); }
TVarType TkvFloatValueType::VariantKind() { return varDouble; }

Integer TkvCurrencyValueType::BufferSize() { return 8; }
Variant TkvCurrencyValueType::BufferToVariant(void* Buffer) { return VarFromCurrency(Load<Currency>(Buffer)); }
void TkvCurrencyValueType::LoadBuffer(void* Buffer, TStream* Stream) { Store(Buffer, StreamReadCurrency(Stream)); }
void TkvCurrencyValueType::VariantToBuffer(void* Buffer, const Variant& Value) { Store(Buffer, Value.AsCurrency()); }
void TkvCurrencyValueType::SaveBuffer(void* Buffer, TStream* Stream) { StreamWriteCurrency(Stream, Load<Currency>(Buffer)); }
Integer TkvCurrencyValueType::OrderValues(void* A, void* B) { return Compare(Load<Currency>(A), Load<Currency>(B)); }
TVarType TkvCurrencyValueType::VariantKind() { return varCurrency; }

Integer TkvDateTimeValueType::BufferSize() { return 8; }
Variant TkvDateTimeValueType::BufferToVariant(void* Buffer) { return VarFromDateTime(Load<Double>(Buffer)); }
String TkvDateTimeValueType::DefaultText(void* Buffer) {
  try {
    return VarToStr(BufferToVariant(Buffer));
  } catch (const Exception&) {
    return DateTimeToStr(Load<Double>(Buffer));
  }
}
void TkvDateTimeValueType::LoadBuffer(void* Buffer, TStream* Stream) { Store(Buffer, StreamReadDateTime(Stream)); }
void TkvDateTimeValueType::VariantToBuffer(void* Buffer, const Variant& Value) { Store(Buffer, Value.AsDateTime()); }
void TkvDateTimeValueType::SaveBuffer(void* Buffer, TStream* Stream) { StreamWriteDateTime(Stream, Load<Double>(Buffer)); }
Integer TkvDateTimeValueType::OrderValues(void* A, void* B) { return Compare(Load<Double>(A), Load<Double>(B)); }
TVarType TkvDateTimeValueType::VariantKind() { return varDate; }

Integer TkvLargeIntValueType::BufferSize() { return 8; }
Variant TkvLargeIntValueType::BufferToVariant(void* Buffer) { return Variant(Load<Int64>(Buffer)); }
void TkvLargeIntValueType::LoadBuffer(void* Buffer, TStream* Stream) { Store(Buffer, StreamReadInt64(Stream)); }
void TkvLargeIntValueType::VariantToBuffer(void* Buffer, const Variant& Value) { Store(Buffer, Value.AsInt64()); }
void TkvLargeIntValueType::SaveBuffer(void* Buffer, TStream* Stream) { StreamWriteInt64(Stream, Load<Int64>(Buffer)); }
Integer TkvLargeIntValueType::OrderValues(void* A, void* B) { return Compare(Load<Int64>(A), Load<Int64>(B)); }
TVarType TkvLargeIntValueType::VariantKind() { return varInt64; }

// ---- Decimals and time stamps -------------------------------------------------------------

Integer TkvFMTBcdValueType::BufferSize() { return sizeof(TBcd); }
Variant TkvFMTBcdValueType::BufferToVariant(void* Buffer) { return VarFMTBcdCreate(Load<TBcd>(Buffer)); }
String TkvFMTBcdValueType::DefaultText(void* Buffer) { return BcdToStrF(Load<TBcd>(Buffer), ffGeneral, 0, 0); }
void TkvFMTBcdValueType::VariantToBuffer(void* Buffer, const Variant& Value) { Store(Buffer, VarToBcd(Value)); }
Integer TkvFMTBcdValueType::OrderValues(void* A, void* B) { return BcdCompare(Load<TBcd>(A), Load<TBcd>(B)); }
TVarType TkvFMTBcdValueType::VariantKind() { return VarFMTBcd(); }

Integer TkvSQLTimeStampValueType::BufferSize() { return sizeof(TSQLTimeStamp); }
Variant TkvSQLTimeStampValueType::BufferToVariant(void* Buffer) {
  return VarFromDateTime(SQLTimeStampToDateTime(Load<TSQLTimeStamp>(Buffer)));
}
void TkvSQLTimeStampValueType::VariantToBuffer(void* Buffer, const Variant& Value) {
  Store(Buffer, VarToSQLTimeStamp(Value));
}
Integer TkvSQLTimeStampValueType::OrderValues(void* A, void* B) {
  TSQLTimeStamp a = Load<TSQLTimeStamp>(A), b = Load<TSQLTimeStamp>(B);
  const Int64 fa[] = {a.Year, a.Month, a.Day, a.Hour, a.Minute, a.Second, a.Fractions};
  const Int64 fb[] = {b.Year, b.Month, b.Day, b.Hour, b.Minute, b.Second, b.Fractions};
  for (int i = 0; i < 7; ++i) {
    if (fa[i] != fb[i]) return Compare(fa[i], fb[i]);
  }
  return 0;
}
TVarType TkvSQLTimeStampValueType::VariantKind() { return VarSQLTimeStamp(); }

// ---- Variants and objects -----------------------------------------------------------------

Integer TkvVariantValueType::OrderBuffers(void* A, void* B) { return OrderValues(CellOf<Variant>(A), CellOf<Variant>(B)); }
void TkvVariantValueType::ReleaseBuffer(void* Buffer) { ReleaseCell<Variant>(Buffer); }
Integer TkvVariantValueType::BufferSize() { return sizeof(void*); }
Variant TkvVariantValueType::BufferToVariant(void* Buffer) { return ValueFromPointer(CellOf<Variant>(Buffer)); }
void TkvVariantValueType::VariantToBuffer(void* Buffer, const Variant& Value) { StoreCell<Variant>(Buffer, Value); }
Integer TkvVariantValueType::OrderValues(void* A, void* B) {
  auto* a = static_cast<Variant*>(A);
  auto* b = static_cast<Variant*>(B);
  if (!a || !b) return Compare(a != nullptr, b != nullptr);
  return VariantOrder(*a, *b);
}
Variant TkvVariantValueType::ValueFromPointer(void* Value) { return Value ? *static_cast<Variant*>(Value) : Null(); }
void TkvVariantValueType::ResolveBuffer(void*& Pointer) { Pointer = *static_cast<void**>(Pointer); }

void TkvObjectValueType::ReleaseBuffer(void* Buffer) {
  delete Load<TObject*>(Buffer);
  Store<TObject*>(Buffer, nullptr);
}
Integer TkvObjectValueType::BufferSize() { return sizeof(void*); }
Variant TkvObjectValueType::BufferToVariant(void* Buffer) {
  return Variant(static_cast<Int64>(reinterpret_cast<intptr_t>(Load<TObject*>(Buffer))));
}
void TkvObjectValueType::LoadBuffer(void*, TStream*) {}
void TkvObjectValueType::VariantToBuffer(void* Buffer, const Variant& Value) {
  Store(Buffer, reinterpret_cast<TObject*>(static_cast<intptr_t>(Value.AsInt64())));
}
void TkvObjectValueType::SaveBuffer(void*, TStream*) {}
Integer TkvObjectValueType::OrderValues(void* A, void* B) {
  return Compare(reinterpret_cast<intptr_t>(Load<TObject*>(A)), reinterpret_cast<intptr_t>(Load<TObject*>(B)));
}
TVarType TkvObjectValueType::VariantKind() { return varInt64; }

// ---- Class list ---------------------------------------------------------------------------

void TkvValueTypeClassList::Register(TkvValueTypeClass ValueTypeClass) {
  if (std::find(FItems.begin(), FItems.end(), ValueTypeClass) == FItems.end()) FItems.push_back(ValueTypeClass);
}

void TkvValueTypeClassList::Unregister(TkvValueTypeClass ValueTypeClass) { std::erase(FItems, ValueTypeClass); }

TkvValueTypeClassList* ValueTypeClasses() {
  if (gValueTypesEnded) return nullptr;
  std::unique_ptr<TkvValueTypeClassList>& list = ValueTypeList();
  if (!list) list = std::make_unique<TkvValueTypeClassList>();
  return list.get();
}

// ---- Data binding -------------------------------------------------------------------------

TkvCustomDataBinding::TkvCustomDataBinding(TComponent* AOwner, TComponent* ADataComponent)
    : FDataComponent(ADataComponent), FOwner(AOwner) {}

void TkvCustomDataBinding::DataChanged() {
  if (FOnDataChanged) FOnDataChanged();
}
void TkvCustomDataBinding::StateChanged() {
  if (FOnStateChanged) FOnStateChanged();
}
bool TkvCustomDataBinding::ReadOnlyState() { return FReadOnly; }
void TkvCustomDataBinding::ChangeReadOnly(bool Value) {
  if (Value == FReadOnly) return;
  FReadOnly = Value;
  StateChanged();
}
void TkvCustomDataBinding::RequestUpdate() {
  if (FOnUpdateData) FOnUpdateData();
}
void TkvCustomDataBinding::ControlChanged() {}
bool TkvCustomDataBinding::CanModify() { return !ReadOnlyState(); }
bool TkvCustomDataBinding::ExecuteAction(TBasicAction*) { return false; }
Variant TkvCustomDataBinding::GetStoredValue() { return Null(); }
bool TkvCustomDataBinding::IsDataReadOnly() { return ReadOnlyState(); }
bool TkvCustomDataBinding::CanEdit() { return CanModify(); }
bool TkvCustomDataBinding::UpdateAction(TBasicAction*) { return false; }
void TkvCustomDataBinding::CommitOnExit() {}

// ---- Unit ---------------------------------------------------------------------------------

void kvDataStorageStart() {
  gValueTypesEnded = false;
  for (TkvValueTypeClass type : RegisteredTypes()) ValueTypeClasses()->Register(type);
}

void kvDataStorageEnd() {
  std::vector<TkvValueTypeClass> types = RegisteredTypes();
  for (auto it = types.rbegin(); it != types.rend(); ++it) ValueTypeClasses()->Unregister(*it);
  ValueTypeList().reset();
  gValueTypesEnded = true;
}
