#pragma once
// The hyperlink edit: a one-line text editor whose text is a link, drawn underlined in the link
// colour and opened through the shell by its start key (Ctrl+Enter), a double click, or in
// single-click mode a click. A prefix ("http://") goes in front of a text that lacks it, when the
// value is committed or only when the link is opened.

#include "toolkit/editors/kvTextEdit.h"

enum TkvHyperLinkEditUsePrefix { upAlways, upOnlyOnExecute, upNever };
TAVREN_ENUM_INFO(TkvHyperLinkEditUsePrefix, upAlways, upOnlyOnExecute, upNever);

// Painted without an editor window of its own (in place, in a cell) the text takes the link look
// itself; an editor's style gives it otherwise.
class TkvHyperLinkEditViewInfo : public TkvCustomTextEditViewInfo {
  TAVREN_CLASS(TkvHyperLinkEditViewInfo, TkvCustomTextEditViewInfo)
 public:
  void CopyFrom(TkvContainerViewInfo* Other) override;
  void PrepareCanvasFont(TkvCanvas* Canvas) override;

  bool LinkLook = false;
  TColor LinkColor = clBlue;
};

class TkvHyperLinkEditViewData : public TkvCustomTextEditViewData {
  TAVREN_CLASS(TkvHyperLinkEditViewData, TkvCustomTextEditViewData)
 public:
  using TkvCustomTextEditViewData::TkvCustomTextEditViewData;
  void ComputeViewInfo(TkvCanvas* Canvas, const TRect& Bounds, const TPoint& P, Integer Button, TShiftState Shift,
                       TkvCustomEditViewInfo* ViewInfo, bool IsMouseEvent) override;
};

class TkvCustomHyperLinkEditProperties : public TkvCustomTextEditProperties {
  TAVREN_CLASS(TkvCustomHyperLinkEditProperties, TkvCustomTextEditProperties)
 public:
  explicit TkvCustomHyperLinkEditProperties(TPersistent* AOwner);
  void Assign(TPersistent* Source) override;
  // "Prefix" is streamed only when it is not the standard one.
  void DefineProperties(TFiler* Filer) override;
  TClass GetEditorClass() override;
  TkvCustomEditStyleClass GetStyleClass() override;
  TClassOf<TkvCustomEditViewInfo> GetViewInfoClass() override;
  TClassOf<TkvCustomEditViewData> GetViewDataClass() override;
  Integer GetSupportedFeatures() override;
  // Under upAlways the committed text gets the prefix first.
  void CheckDisplayValue(Variant& DisplayValue, String& ErrorText, bool& Error, TkvCustomEdit* Editor) override;
  // The trimmed text, behind Prefix when it does not start with it (case-sensitive).
  virtual String AddPrefix(const String& AText);

  bool GetAutoComplete() const { return FUsePrefix != upNever; }
  void SetAutoComplete(bool Value) { FUsePrefix = Value ? upAlways : upNever; }
  TColor GetLinkColor() const { return FLinkColor; }
  void SetLinkColor(TColor Value);
  String GetPrefix() const { return FPrefix; }
  void SetPrefix(const String& Value) { FPrefix = Value; }
  bool GetSingleClick() const { return FSingleClick; }
  void SetSingleClick(bool Value);
  TShortCut GetStartKey() const { return FStartKey; }
  void SetStartKey(TShortCut Value) { FStartKey = Value; }
  TkvHyperLinkEditUsePrefix GetUsePrefix() const { return FUsePrefix; }
  void SetUsePrefix(TkvHyperLinkEditUsePrefix Value) { FUsePrefix = Value; }
  TNotifyEvent GetOnStartClick() const { return FOnStartClick; }
  void SetOnStartClick(TNotifyEvent Value) { FOnStartClick = Value; }

 private:
  TColor FLinkColor = clBlue;
  String FPrefix;
  bool FSingleClick = false;
  TShortCut FStartKey = 16397;
  TkvHyperLinkEditUsePrefix FUsePrefix = upAlways;
  TNotifyEvent FOnStartClick;
};

class TkvHyperLinkEditProperties : public TkvCustomHyperLinkEditProperties {
  TAVREN_CLASS(TkvHyperLinkEditProperties, TkvCustomHyperLinkEditProperties)
 public:
  using TkvCustomHyperLinkEditProperties::TkvCustomHyperLinkEditProperties;
  void SetAlignmentProp(TkvEditAlignment* Value) { SetAlignment(Value); }
};

// Text in the link colour of the editor's Properties, underlined.
class TkvHyperLinkStyle : public TkvEditStyle {
  TAVREN_CLASS(TkvHyperLinkStyle, TkvEditStyle)
 public:
  using TkvEditStyle::TkvEditStyle;

 protected:
  TColor ResolveTextColor() override;
  TFontStyles ResolveTextStyle() override;
};

class TkvCustomHyperLinkEdit : public TkvCustomTextEdit {
  TAVREN_CLASS(TkvCustomHyperLinkEdit, TkvCustomTextEdit)
 public:
  explicit TkvCustomHyperLinkEdit(TComponent* AOwner)
      : TkvCustomTextEdit(AOwner, false, TkvCustomHyperLinkEditProperties::ClassInfo()) {}
  static TkvCustomEditPropertiesClass GetPropertiesClass() { return TkvCustomHyperLinkEditProperties::ClassInfo(); }
  TkvCustomHyperLinkEditProperties* LinkProperties() {
    return static_cast<TkvCustomHyperLinkEditProperties*>(GetEffectiveProperties());
  }
  // The handlers of OnStartClick take the start over; else the shell opens the link.
  virtual void StartLink();
  void HandleKeyDown(Word& Key, TShiftState Shift) override;

 protected:
  using TkvCustomTextEdit::TkvCustomTextEdit;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void FireMouseEnter(TControl* AControl) override;
  void FireMouseLeave(TControl* AControl) override;

 private:
  bool InClientArea(Integer X, Integer Y);
  void SetCursors(TCursor ACursor);

  TCursor FSavedCursor = crDefault;
  bool FHandShown = false;
};

class TkvHyperLinkEdit : public TkvCustomHyperLinkEdit {
  TAVREN_CLASS(TkvHyperLinkEdit, TkvCustomHyperLinkEdit)
 public:
  explicit TkvHyperLinkEdit(TComponent* AOwner)
      : TkvCustomHyperLinkEdit(AOwner, false, TkvHyperLinkEditProperties::ClassInfo()) {}
  TkvHyperLinkEdit(TComponent* AOwner, bool AInplace)
      : TkvCustomHyperLinkEdit(AOwner, AInplace, TkvHyperLinkEditProperties::ClassInfo()) {}
  static TkvCustomEditPropertiesClass GetPropertiesClass() { return TkvHyperLinkEditProperties::ClassInfo(); }
  TkvHyperLinkEditProperties* GetHyperLinkEditProperties() const {
    return static_cast<TkvHyperLinkEditProperties*>(GetProperties());
  }
  void SetHyperLinkEditProperties(TkvHyperLinkEditProperties* Value) { SetProperties(Value); }
};

class TkvFilterHyperLinkEditHelper : public TkvFilterTextEditHelper {
  TAVREN_CLASS(TkvFilterHyperLinkEditHelper, TkvFilterTextEditHelper)
 public:
  TClass FilterEditorClass() override { return TkvHyperLinkEdit::ClassInfo(); }
};

void kvHyperLinkEditStart();
void kvHyperLinkEditEnd();
