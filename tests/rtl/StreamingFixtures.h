#pragma once
// Small component classes that publish one property of every kind, for the reader and writer
// tests. Controls nest by parent as a form's controls do; every Loaded call is logged.

#include <memory>
#include <vector>

#include "rtl/Collection.h"
#include "rtl/Component.h"
#include "rtl/Events.h"
#include "rtl/TypInfo.h"

enum TTestFontStyle { tfsBold, tfsItalic, tfsUnderline };
TAVREN_ENUM_INFO(TTestFontStyle, tfsBold, tfsItalic, tfsUnderline);
using TTestFontStyles = TSet<TTestFontStyle>;

enum TTestKind { tkdNormal, tkdDefault, tkdCancel };
TAVREN_ENUM_INFO(TTestKind, tkdNormal, tkdDefault, tkdCancel);

class TTestFont : public TPersistent {
  TAVREN_CLASS(TTestFont, TPersistent)
 public:
  Integer GetSize() const { return FSize; }
  void SetSize(Integer v) { FSize = v; }
  TTestFontStyles GetStyle() const { return FStyle; }
  void SetStyle(TTestFontStyles v) { FStyle = v; }
  TColor GetColor() const { return FColor; }
  void SetColor(TColor v) { FColor = v; }

 private:
  Integer FSize = 8;
  TTestFontStyles FStyle;
  TColor FColor;
};

class TTestColumn : public TCollectionItem {
  TAVREN_CLASS(TTestColumn, TCollectionItem)
 public:
  using TCollectionItem::TCollectionItem;
  const String& GetCaption() const { return FCaption; }
  void SetCaption(const String& v) { FCaption = v; }
  Integer GetWidth() const { return FWidth; }
  void SetWidth(Integer v) { FWidth = v; }

 private:
  String FCaption;
  Integer FWidth = 50;
};

// Log of Loaded calls: "Name" or "Name->Buddy" when the control's reference was set by then.
std::vector<String>& LoadedLog();

class TTestControl : public TComponent {
  TAVREN_CLASS(TTestControl, TComponent)
 public:
  explicit TTestControl(TComponent* AOwner);
  ~TTestControl() override;

  Integer GetLeft() const { return FLeft; }
  void SetLeft(Integer v) { FLeft = v; }
  Integer GetTop() const { return FTop; }
  void SetTop(Integer v) { FTop = v; }
  Integer GetWidth() const { return FWidth; }
  void SetWidth(Integer v) { FWidth = v; }
  const String& GetCaption() const { return FCaption; }
  void SetCaption(const String& v) { FCaption = v; }
  TColor GetColor() const { return FColor; }
  void SetColor(TColor v) { FColor = v; }
  bool GetVisible() const { return FVisible; }
  void SetVisible(bool v) { FVisible = v; }
  TTestKind GetKind() const { return FKind; }
  void SetKind(TTestKind v) { FKind = v; }
  Double GetRatio() const { return FRatio; }
  void SetRatio(Double v) { FRatio = v; }
  Int64 GetBig() const { return FBig; }
  void SetBig(Int64 v) { FBig = v; }
  TTestFont* GetFont() const { return FFont.get(); }
  TTestControl* GetBuddy() const { return FBuddy; }
  void SetBuddy(TTestControl* v) { FBuddy = v; }
  TOwnedCollection* GetColumns() const { return FColumns.get(); }
  Variant GetValue() const { return FValue; }
  void SetValue(const Variant& v) { FValue = v; }
  TNotifyEvent GetOnClick() const { return FOnClick; }
  void SetOnClick(TNotifyEvent v) { FOnClick = v; }

  TTestControl* GetParent() const { return FParent; }
  const std::vector<TTestControl*>& Controls() const { return FControls; }
  std::vector<Integer> Numbers;  // streamed as the defined list "Numbers"
  String Data;                   // streamed as the defined binary "Data"
  Integer LoadedCalls = 0;
  bool LoadingWhenRead = false;  // csLoading and csReading were set when Caption was read

  bool HasParent() override { return true; }
  TComponent* GetParentComponent() override { return FParent; }

 protected:
  void SetParentComponent(TComponent* Value) override;
  void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;
  void DefineProperties(TFiler* Filer) override;
  void Loaded() override;

 private:
  void SetCaptionChecked(const String& v);

  Integer FLeft = 0;
  Integer FTop = 0;
  Integer FWidth = 100;
  String FCaption;
  TColor FColor;
  bool FVisible = true;
  TTestKind FKind = tkdNormal;
  Double FRatio = 0;
  Int64 FBig = 0;
  std::unique_ptr<TTestFont> FFont;
  TTestControl* FBuddy = nullptr;
  std::unique_ptr<TOwnedCollection> FColumns;
  Variant FValue;
  TNotifyEvent FOnClick;
  TTestControl* FParent = nullptr;
  std::vector<TTestControl*> FControls;
};

// A form: the root. It publishes its Button1 field and two handlers.
class TTestForm : public TTestControl {
  TAVREN_CLASS(TTestForm, TTestControl)
 public:
  using TTestControl::TTestControl;
  TTestControl* Button1 = nullptr;
  Integer Clicks = 0;
  void Button1Click(TObject* Sender);
  void Other(TObject* Sender, Integer Value);  // not a TNotifyEvent
};

// A frame: its constructor reads its own form; inline blocks override what that form set.
class TTestFrame : public TTestControl {
  TAVREN_CLASS(TTestFrame, TTestControl)
 public:
  explicit TTestFrame(TComponent* AOwner);
  static const char* const kText;

 protected:
  TComponent* GetChildOwner() override { return this; }
};

// A form whose ancestor TTestForm has a form resource of its own.
class TTestInheritedForm : public TTestForm {
  TAVREN_CLASS(TTestInheritedForm, TTestForm)
 public:
  using TTestForm::TTestForm;
};

void RegisterStreamingFixtures();
