#pragma once
// Adapters that prepare an editor of a given kind as the value field of a filter row, and the
// controller that pairs each editor Properties class with its adapter.

#include <bitset>
#include <map>

#include "toolkit/editors/kvDataStorage.h"
#include "toolkit/editors/kvEdit.h"

// Filter operator codes 0 .. 39.
using TkvFilterOperators = std::bitset<40>;

// The operators of kinds whose value is one of a list: equal, not equal, blank, not blank
// (1, 2, 9, 10), and extended in list and not in list (13, 14).
TkvFilterOperators ListFilterOperators(bool Extended);

// Stateless: each helper kind is used through its one instance (FilterEditHelperOf).
class TkvCustomFilterEditHelper : public TObject {
  TAVREN_CLASS(TkvCustomFilterEditHelper, TObject)
 public:
  // Drops OnButtonClick, OnChange, OnEditValueChanged and OnValidate.
  virtual void ClearPropertiesEvents(TkvCustomEditProperties* Properties);
  virtual void InitEditorForFilter(TkvCustomEdit* Editor, TkvCustomEditProperties* Source);
  virtual bool KeepsProvider(TkvCustomEditProperties*) { return true; }
  virtual bool KeepsButtons() { return false; }
  // The editor a filter row makes for this kind; nil when the kind has none.
  virtual TClass FilterEditorClass() { return nullptr; }
  virtual void ReadFilterValue(TkvCustomEdit* Editor, TkvCustomEditProperties* Properties, Variant& Value,
                               String& Text);
  // Operators 1 .. 10 (1 .. 14 extended); 7 and 8 only for a text value type.
  virtual TkvFilterOperators FilterOperatorSet(TkvValueTypeClass ValueType, bool Extended);
  // A copy of Source, left-aligned, without beeps, events, read-only state and (unless asked) buttons.
  virtual void InitFilterProperties(TkvCustomEditProperties* Properties, TkvCustomEditProperties* Source,
                                    bool KeepButtons);
  virtual bool ValueFitsType(TkvValueTypeClass ValueType, const Variant& Value);
  virtual void WriteFilterValue(TkvCustomEdit*, TkvCustomEditProperties*, const Variant&) {}
  virtual bool FiltersByDisplayText() { return false; }
};
using TkvFilterEditHelperClass = TkvCustomFilterEditHelper*;

template <class T>
T* FilterEditHelperOf() noexcept {
  static T instance;
  return &instance;
}

// Pairs are keyed by the parent of the Properties class given, so that a kind's helper also
// serves the kind's published descendants.
class TkvFilterEditsController : public TkvRegisteredClassList {
  TAVREN_CLASS(TkvFilterEditsController, TkvRegisteredClassList)
 public:
  static TClass KeyClassOf(TClass PropertiesClass) { return PropertiesClass->Parent; }
  void AddHelper(TClass PropertiesClass, TkvFilterEditHelperClass Helper);
  // Frees the controller when no pair is left.
  void RemoveHelper(TClass PropertiesClass, TkvFilterEditHelperClass Helper);
  // The helper of the Properties class or its nearest registered ancestor; nil when none.
  TkvFilterEditHelperClass FindHelper(TClass PropertiesClass);

 private:
  std::map<TClass, TkvFilterEditHelperClass> FHelpers;
};

// Made on first use.
TkvFilterEditsController* TheFilterEditsController();
// Whether the controller lives now (without making it).
bool FilterEditsControllerExists();
