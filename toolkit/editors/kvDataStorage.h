#pragma once
// Value types: class-level descriptors of the kinds of value the editors' record storage keeps in
// fixed-size buffers (size, buffer <-> variant, order, release, stream form, display-text cell),
// and the base data binding between a control and a data source.
//
// A value type is used only as a class reference: each class has one static instance
// (ValueTypeClassOf<T>()) and every operation is a virtual method of it. Text, wide-text and
// variant buffers hold one pointer to a heap cell (nullptr until a value is stored; an empty cell
// reads as Null and releases nothing); an object buffer holds the object pointer and owns it.

#include <memory>
#include <vector>

#include "rtl/Component.h"
#include "rtl/Events.h"
#include "rtl/Persistent.h"
#include "rtl/Streams.h"
#include "rtl/Variants.h"
#include "vcl/ActnList.h"

class TkvValueType : public TObject {
  TAVREN_CLASS(TkvValueType, TObject)
 public:
  virtual Integer OrderBuffers(void* A, void* B);
  virtual void ReleaseBuffer(void* Buffer);
  // Cell is the variable holding a display-text cell; it is cleared.
  virtual void ReleaseTextCell(String*& Cell);
  virtual Integer BufferSize();
  virtual Variant BufferToVariant(void* Buffer);
  virtual String DefaultText(void* Buffer);
  virtual String CellText(String* Cell);
  virtual void LoadBuffer(void* Buffer, TStream* Stream);
  virtual void ReadCellText(String*& Cell, TStream* Stream);
  virtual void VariantToBuffer(void* Buffer, const Variant& Value);
  virtual void SetCellText(String*& Cell, const String& Text);
  virtual void SaveBuffer(void* Buffer, TStream* Stream);
  virtual void WriteCellText(String* Cell, TStream* Stream);
  // The class name without "Tkv" and "ValueType": "DateTime" for TkvDateTimeValueType.
  virtual String Caption();
  // Value pointers: the buffer of a by-value type, the cell of a by-reference one (ResolveBuffer).
  virtual Integer OrderValues(void* A, void* B);
  virtual Variant ValueFromPointer(void* Value);
  virtual TVarType VariantKind();
  // Converts Value to VariantKind in place; False (Value untouched) when it cannot.
  virtual bool IsValueAcceptable(Variant& Value);
  virtual bool IsTextType();
  virtual void ResolveBuffer(void*& Pointer);
};

// The class reference of a value type: its static instance.
using TkvValueTypeClass = TkvValueType*;

template <class T>
T* ValueTypeClassOf() noexcept {
  static T instance;
  return &instance;
}

class TkvStringValueType : public TkvValueType {
  TAVREN_CLASS(TkvStringValueType, TkvValueType)
 public:
  Integer OrderBuffers(void* A, void* B) override;
  void ReleaseBuffer(void* Buffer) override;
  Integer BufferSize() override;
  Variant BufferToVariant(void* Buffer) override;
  void LoadBuffer(void* Buffer, TStream* Stream) override;
  void VariantToBuffer(void* Buffer, const Variant& Value) override;
  void SaveBuffer(void* Buffer, TStream* Stream) override;
  Integer OrderValues(void* A, void* B) override;
  Variant ValueFromPointer(void* Value) override;
  TVarType VariantKind() override;
  bool IsTextType() override;
  void ResolveBuffer(void*& Pointer) override;
};

class TkvWideStringValueType : public TkvStringValueType {
  TAVREN_CLASS(TkvWideStringValueType, TkvStringValueType)
 public:
  void ReleaseBuffer(void* Buffer) override;
  Variant BufferToVariant(void* Buffer) override;
  void LoadBuffer(void* Buffer, TStream* Stream) override;
  void VariantToBuffer(void* Buffer, const Variant& Value) override;
  void SaveBuffer(void* Buffer, TStream* Stream) override;
  Integer OrderValues(void* A, void* B) override;
  Variant ValueFromPointer(void* Value) override;
  TVarType VariantKind() override;
};

class TkvSmallintValueType : public TkvValueType {
  TAVREN_CLASS(TkvSmallintValueType, TkvValueType)
 public:
  Integer BufferSize() override;
  Variant BufferToVariant(void* Buffer) override;
  void LoadBuffer(void* Buffer, TStream* Stream) override;
  void VariantToBuffer(void* Buffer, const Variant& Value) override;
  void SaveBuffer(void* Buffer, TStream* Stream) override;
  Integer OrderValues(void* A, void* B) override;
  TVarType VariantKind() override;
};

class TkvIntegerValueType : public TkvValueType {
  TAVREN_CLASS(TkvIntegerValueType, TkvValueType)
 public:
  Integer BufferSize() override;
  Variant BufferToVariant(void* Buffer) override;
  void LoadBuffer(void* Buffer, TStream* Stream) override;
  void VariantToBuffer(void* Buffer, const Variant& Value) override;
  void SaveBuffer(void* Buffer, TStream* Stream) override;
  Integer OrderValues(void* A, void* B) override;
  TVarType VariantKind() override;
};

class TkvWordValueType : public TkvValueType {
  TAVREN_CLASS(TkvWordValueType, TkvValueType)
 public:
  Integer BufferSize() override;
  Variant BufferToVariant(void* Buffer) override;
  void LoadBuffer(void* Buffer, TStream* Stream) override;
  void VariantToBuffer(void* Buffer, const Variant& Value) override;
  void SaveBuffer(void* Buffer, TStream* Stream) override;
  Integer OrderValues(void* A, void* B) override;
  TVarType VariantKind() override;
};

class TkvBooleanValueType : public TkvValueType {
  TAVREN_CLASS(TkvBooleanValueType, TkvValueType)
 public:
  Integer BufferSize() override;
  Variant BufferToVariant(void* Buffer) override;
  String DefaultText(void* Buffer) override;
  void LoadBuffer(void* Buffer, TStream* Stream) override;
  void VariantToBuffer(void* Buffer, const Variant& Value) override;
  void SaveBuffer(void* Buffer, TStream* Stream) override;
  Integer OrderValues(void* A, void* B) override;
  TVarType VariantKind() override;
};

class TkvFloatValueType : public TkvValueType {
  TAVREN_CLASS(TkvFloatValueType, TkvValueType)
 public:
  Integer BufferSize() override;
  Variant BufferToVariant(void* Buffer) override;
  void LoadBuffer(void* Buffer, TStream* Stream) override;
  void VariantToBuffer(void* Buffer, const Variant& Value) override;
  void SaveBuffer(void* Buffer, TStream* Stream) override;
  Integer OrderValues(void* A, void* B) override;
  TVarType VariantKind() override;
};

class TkvCurrencyValueType : public TkvValueType {
  TAVREN_CLASS(TkvCurrencyValueType, TkvValueType)
 public:
  Integer BufferSize() override;
  Variant BufferToVariant(void* Buffer) override;
  void LoadBuffer(void* Buffer, TStream* Stream) override;
  void VariantToBuffer(void* Buffer, const Variant& Value) override;
  void SaveBuffer(void* Buffer, TStream* Stream) override;
  Integer OrderValues(void* A, void* B) override;
  TVarType VariantKind() override;
};

class TkvDateTimeValueType : public TkvValueType {
  TAVREN_CLASS(TkvDateTimeValueType, TkvValueType)
 public:
  Integer BufferSize() override;
  Variant BufferToVariant(void* Buffer) override;
  String DefaultText(void* Buffer) override;
  void LoadBuffer(void* Buffer, TStream* Stream) override;
  void VariantToBuffer(void* Buffer, const Variant& Value) override;
  void SaveBuffer(void* Buffer, TStream* Stream) override;
  Integer OrderValues(void* A, void* B) override;
  TVarType VariantKind() override;
};

class TkvLargeIntValueType : public TkvValueType {
  TAVREN_CLASS(TkvLargeIntValueType, TkvValueType)
 public:
  Integer BufferSize() override;
  Variant BufferToVariant(void* Buffer) override;
  void LoadBuffer(void* Buffer, TStream* Stream) override;
  void VariantToBuffer(void* Buffer, const Variant& Value) override;
  void SaveBuffer(void* Buffer, TStream* Stream) override;
  Integer OrderValues(void* A, void* B) override;
  TVarType VariantKind() override;
};

// Kept on streams as tagged variants: the decimal as its text.
class TkvFMTBcdValueType : public TkvValueType {
  TAVREN_CLASS(TkvFMTBcdValueType, TkvValueType)
 public:
  Integer BufferSize() override;
  Variant BufferToVariant(void* Buffer) override;
  String DefaultText(void* Buffer) override;
  void VariantToBuffer(void* Buffer, const Variant& Value) override;
  Integer OrderValues(void* A, void* B) override;
  TVarType VariantKind() override;
};

// Kept on streams as tagged variants: the time stamp as a date.
class TkvSQLTimeStampValueType : public TkvValueType {
  TAVREN_CLASS(TkvSQLTimeStampValueType, TkvValueType)
 public:
  Integer BufferSize() override;
  Variant BufferToVariant(void* Buffer) override;
  void VariantToBuffer(void* Buffer, const Variant& Value) override;
  Integer OrderValues(void* A, void* B) override;
  TVarType VariantKind() override;
};

class TkvVariantValueType : public TkvValueType {
  TAVREN_CLASS(TkvVariantValueType, TkvValueType)
 public:
  Integer OrderBuffers(void* A, void* B) override;
  void ReleaseBuffer(void* Buffer) override;
  Integer BufferSize() override;
  Variant BufferToVariant(void* Buffer) override;
  void VariantToBuffer(void* Buffer, const Variant& Value) override;
  Integer OrderValues(void* A, void* B) override;
  Variant ValueFromPointer(void* Value) override;
  void ResolveBuffer(void*& Pointer) override;
};

// The buffer owns the object. Its variant is the pointer as a 64-bit integer; no stream form.
class TkvObjectValueType : public TkvIntegerValueType {
  TAVREN_CLASS(TkvObjectValueType, TkvIntegerValueType)
 public:
  void ReleaseBuffer(void* Buffer) override;
  Integer BufferSize() override;
  Variant BufferToVariant(void* Buffer) override;
  void LoadBuffer(void* Buffer, TStream* Stream) override;
  void VariantToBuffer(void* Buffer, const Variant& Value) override;
  void SaveBuffer(void* Buffer, TStream* Stream) override;
  Integer OrderValues(void* A, void* B) override;
  TVarType VariantKind() override;
};

class TkvValueTypeClassList : public TObject {
  TAVREN_CLASS(TkvValueTypeClassList, TObject)
 public:
  // Adds the class unless it is listed already.
  void Register(TkvValueTypeClass ValueTypeClass);
  void Unregister(TkvValueTypeClass ValueTypeClass);
  Integer Count() const noexcept { return static_cast<Integer>(FItems.size()); }
  TkvValueTypeClass Items(Integer Index) const { return FItems.at(static_cast<size_t>(Index)); }

 private:
  std::vector<TkvValueTypeClass> FItems;
};

// Created on first use; nullptr once the unit has ended.
TkvValueTypeClassList* ValueTypeClasses();

using TkvDataBindingEvent = TEvent<void()>;

// The least link between a control and a data source; data-aware descendants override.
class TkvCustomDataBinding : public TPersistent {
  TAVREN_CLASS(TkvCustomDataBinding, TPersistent)
 public:
  TkvCustomDataBinding(TComponent* AOwner, TComponent* ADataComponent);

  virtual void DataChanged();
  virtual void StateChanged();
  virtual bool ReadOnlyState();
  virtual void ChangeReadOnly(bool Value);
  virtual void RequestUpdate();
  virtual void ControlChanged();
  virtual bool CanModify();
  virtual bool ExecuteAction(TBasicAction* Action);
  virtual Variant GetStoredValue();
  virtual bool IsDataReadOnly();
  virtual bool CanEdit();
  virtual bool UpdateAction(TBasicAction* Action);
  // Called by the control when it loses the focus.
  virtual void CommitOnExit();

  TPersistent* GetOwner() override { return FOwner; }
  TComponent* GetDataComponent() const noexcept { return FDataComponent; }

  TkvDataBindingEvent GetOnDataChanged() const { return FOnDataChanged; }
  void SetOnDataChanged(TkvDataBindingEvent Value) { FOnDataChanged = Value; }
  TkvDataBindingEvent GetOnStateChanged() const { return FOnStateChanged; }
  void SetOnStateChanged(TkvDataBindingEvent Value) { FOnStateChanged = Value; }
  TkvDataBindingEvent GetOnUpdateData() const { return FOnUpdateData; }
  void SetOnUpdateData(TkvDataBindingEvent Value) { FOnUpdateData = Value; }

 private:
  TComponent* FDataComponent;
  TComponent* FOwner;
  bool FReadOnly = false;
  TkvDataBindingEvent FOnDataChanged;
  TkvDataBindingEvent FOnStateChanged;
  TkvDataBindingEvent FOnUpdateData;
};

void kvDataStorageStart();
void kvDataStorageEnd();
