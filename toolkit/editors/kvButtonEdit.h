#pragma once
// The button edit: a masked editor whose embedded buttons are the user's. It starts with one
// ellipsis button, the default one (Ctrl+Enter clicks it); a stored editor's buttons replace it.

#include "toolkit/editors/kvMaskEdit.h"

class TkvCustomButtonEditProperties : public TkvCustomMaskEditProperties {
  TAVREN_CLASS(TkvCustomButtonEditProperties, TkvCustomMaskEditProperties)
 public:
  explicit TkvCustomButtonEditProperties(TPersistent* AOwner);
  TClass GetEditorClass() override;
};

class TkvButtonEditProperties : public TkvCustomButtonEditProperties {
  TAVREN_CLASS(TkvButtonEditProperties, TkvCustomButtonEditProperties)
 public:
  using TkvCustomButtonEditProperties::TkvCustomButtonEditProperties;
  void SetAlignmentProp(TkvEditAlignment* Value) { SetAlignment(Value); }
};

class TkvCustomButtonEdit : public TkvCustomMaskEdit {
  TAVREN_CLASS(TkvCustomButtonEdit, TkvCustomMaskEdit)
 public:
  explicit TkvCustomButtonEdit(TComponent* AOwner)
      : TkvCustomMaskEdit(AOwner, false, TkvCustomButtonEditProperties::ClassInfo()) {}
  static TkvCustomEditPropertiesClass GetPropertiesClass() { return TkvCustomButtonEditProperties::ClassInfo(); }
  // The buttons' look and transparency and the style's button value show; the popup border and
  // the gradient stay hidden.
  TkvContainerStyleValues GetHiddenStyleValues() override;

 protected:
  using TkvCustomMaskEdit::TkvCustomMaskEdit;
};

class TkvButtonEdit : public TkvCustomButtonEdit {
  TAVREN_CLASS(TkvButtonEdit, TkvCustomButtonEdit)
 public:
  explicit TkvButtonEdit(TComponent* AOwner)
      : TkvCustomButtonEdit(AOwner, false, TkvButtonEditProperties::ClassInfo()) {}
  TkvButtonEdit(TComponent* AOwner, bool AInplace)
      : TkvCustomButtonEdit(AOwner, AInplace, TkvButtonEditProperties::ClassInfo()) {}
  static TkvCustomEditPropertiesClass GetPropertiesClass() { return TkvButtonEditProperties::ClassInfo(); }
  TkvButtonEditProperties* GetButtonEditProperties() const {
    return static_cast<TkvButtonEditProperties*>(GetProperties());
  }
  void SetButtonEditProperties(TkvButtonEditProperties* Value) { SetProperties(Value); }

 protected:
  // The stored buttons replace the default ellipsis button instead of joining it.
  void ReadState(TReader* Reader) override;

 private:
  bool FButtonsCleared = false;
};

void kvButtonEditStart();
void kvButtonEditEnd();
