#pragma once
// Published Properties and a repository item of them, as the editor kinds declare theirs.

#include "toolkit/editors/kvEdit.h"

// Counts the change notices a Properties object sends.
struct ChangeCounter : TObject {
  Integer count = 0;
  void Changed(TObject*) { ++count; }
  void Attach(TkvCustomEditProperties* Properties) {
    Properties->SetOnPropertiesChanged(MakeEvent<&ChangeCounter::Changed>(this));
  }
};

// Publishes the bounds' flags, so that a bound of 0 is stored through them.
class TTestEditPropertiesValues : public TkvCustomEditPropertiesValues {
  TAVREN_CLASS(TTestEditPropertiesValues, TkvCustomEditPropertiesValues)
 public:
  using TkvCustomEditPropertiesValues::TkvCustomEditPropertiesValues;
};

// Lays one line of text out as the content, so that auto size gives an editor a line's height.
class TTestEditViewData : public TkvCustomEditViewData {
  TAVREN_CLASS(TTestEditViewData, TkvCustomEditViewData)
 public:
  using TkvCustomEditViewData::TkvCustomEditViewData;
  void GetEditContentSize(TkvCanvas* Canvas, const Variant&, const TkvEditSizeRequest&, TSize& Size) override {
    TSize offsets;
    GetContentOffsetSize(offsets);
    Canvas->AssignFont(GetEditStyle()->GetEffectiveFont());
    Size = TSize{0, offsets.cy + Canvas->TextHeightOf("Zg")};
  }
};

class TTestEditProperties : public TkvCustomEditProperties {
  TAVREN_CLASS(TTestEditProperties, TkvCustomEditProperties)
 public:
  using TkvCustomEditProperties::TkvCustomEditProperties;
  TClassOf<TkvCustomEditViewData> GetViewDataClass() override { return TTestEditViewData::ClassInfo(); }
  void SetAlignmentProp(TkvEditAlignment* Value) { SetAlignment(Value); }
  double GetMaxValueProp() { return GetMaxValue(); }
  double GetMinValueProp() { return GetMinValue(); }
  TkvCustomEditPropertiesValuesClass GetAssignedValuesClass() override { return TTestEditPropertiesValues::ClassInfo(); }
};

class TTestRepositoryItem : public TkvEditRepositoryItem {
  TAVREN_CLASS(TTestRepositoryItem, TkvEditRepositoryItem)
 public:
  explicit TTestRepositoryItem(TComponent* AOwner)
      : TkvEditRepositoryItem(AOwner, TTestEditProperties::ClassInfo()) {}
  TTestEditProperties* GetTestProperties() const { return static_cast<TTestEditProperties*>(GetProperties()); }
  void SetTestProperties(TTestEditProperties* Value) { SetProperties(Value); }
};
