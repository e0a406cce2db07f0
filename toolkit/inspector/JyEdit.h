#pragma once
// The inspector's edit controls: a plain edit with an optional glyph and preview box (TJyEdit), an
// edit with a small button on its right, an edit that drops down a popup, and a combo box that
// drops down a list of strings. The inspector edits text rows with TJyEdit, combo rows and every
// suffix with TJyComboBox; the controls also stand on forms by themselves.

#include <memory>

#include "rtl/StringList.h"
#include "toolkit/inspector/JyPopupControl.h"
#include "toolkit/inspector/JySharedCommon.h"
#include "toolkit/inspector/JyStdCtrls.h"
#include "vcl/StdCtrls.h"

class TJyCustomEdit;

// Screen cursor of an edit's left margin: a press there selects the whole text.
constexpr TCursor crReversedArrow = 100;

class TJyMargins : public TPersistent {
  TAVREN_CLASS(TJyMargins, TPersistent)
 public:
  explicit TJyMargins(TJyCustomEdit* Owner) : FOwner(Owner) {}
  void Assign(TPersistent* Source) override;
  Integer GetTop() const { return FTop; }
  void SetTop(Integer Value) { Set(FTop, Value); }
  Integer GetBottom() const { return FBottom; }
  void SetBottom(Integer Value) { Set(FBottom, Value); }
  Integer GetRight() const { return FRight; }
  void SetRight(Integer Value) { Set(FRight, Value); }
  Integer GetLeft() const { return FLeft; }
  void SetLeft(Integer Value) { Set(FLeft, Value); }

 private:
  void Set(Integer& Field, Integer Value);
  Integer FTop = 0;
  Integer FBottom = 0;
  TJyCustomEdit* FOwner;
  Integer FRight = 0;
  Integer FLeft = 0;
};

using TCustomPreviewDrawEvent = TEvent<void(TObject* Sender, TRect PreviewRect)>;

class TJyCustomEdit : public TCustomEdit {
  TAVREN_CLASS(TJyCustomEdit, TCustomEdit)
  TAVREN_MESSAGES()
 public:
  explicit TJyCustomEdit(TComponent* AOwner);
  ~TJyCustomEdit() override;

  // The text through the platform's conversions (which raise on text that does not convert).
  virtual bool GetAsBoolean();
  virtual TDateTime GetAsDateTime();
  virtual double GetAsFloat();
  virtual Integer GetAsInteger();
  virtual String GetAsString() { return GetText(); }
  // True: the window's own edit text shows; false: the control paints its content itself.
  virtual bool UsesEditText() { return true; }
  virtual TRect GetEditRect();
  virtual TRect GetPreviewRect();
  virtual void PaintContent() {}
  virtual void SetAsBoolean(bool Value) { SetText(Value ? "True" : "False"); }
  virtual void SetAsDateTime(TDateTime Value);
  virtual void SetAsFloat(double Value);
  virtual void SetAsInteger(Integer Value);
  virtual void SetAsString(const String& Value) { SetText(Value); }

  Integer TextHeight();
  // Gives the edit window its formatting rectangle.
  void UpdateEditRect();
  void UpdateGlyph();
  void InvalidatePreview();
  void DoGlyphClick() { FOnGlyphClick(this); }
  void RecreateWindow() { RecreateWnd(); }

  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  TBitmap* GetGlyph() const { return FGlyph.get(); }
  void SetGlyph(TBitmap* Value) { FGlyph->Assign(Value); }
  bool GetInplace() const { return FInplace; }
  void SetInplace(bool Value) { FInplace = Value; }
  TJyMargins* GetInnerMargins() const { return FInnerMargins.get(); }
  void SetInnerMargins(TJyMargins* Value) { FInnerMargins->Assign(Value); }
  bool GetPreviewBorder() const { return FPreviewBorder; }
  void SetPreviewBorder(bool Value);
  bool GetShowPreview() const { return FShowPreview; }
  void SetShowPreview(bool Value);
  TVerticalAlignment GetVerticalAlignment() const { return FVerticalAlignment; }
  void SetVerticalAlignment(TVerticalAlignment Value);
  bool GetWantTabs() const { return FWantTabs; }
  void SetWantTabs(bool Value) { FWantTabs = Value; }
  TNotifyEvent GetOnGlyphClick() const { return FOnGlyphClick; }
  void SetOnGlyphClick(TNotifyEvent Value) { FOnGlyphClick = Value; }
  TControlCanvas* GetCanvas() const { return FCanvas.get(); }

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  virtual void TextChanged() {}
  virtual void Painted() {}
  void WMPaint(TMessage& Message);
  void WMNCPaint(TMessage& Message);
  void WMGetDlgCode(TMessage& Message);
  void WMWindowPosChanged(TMessage& Message);
  void CMEnabledChanged(TMessage& Message);

 private:
  void GlyphChanged(TObject* Sender);

  TAlignment FAlignment = taLeftJustify;
  std::unique_ptr<TControlCanvas> FCanvas;
  std::unique_ptr<TBitmap> FGlyph;
  bool FInplace = false;
  std::unique_ptr<TJyMargins> FInnerMargins;
  bool FPreviewBorder = false;
  bool FShowPreview = false;
  TVerticalAlignment FVerticalAlignment = vaMiddle;
  bool FWantTabs = false;
  TNotifyEvent FOnGlyphClick;
};

class TJyEdit : public TJyCustomEdit {
  TAVREN_CLASS(TJyEdit, TJyCustomEdit)
  TAVREN_MESSAGES()
 public:
  using TJyCustomEdit::TJyCustomEdit;
  virtual void DrawPreview(const TRect& Rect) { FOnCustomPreviewDraw(this, Rect); }
  TCustomPreviewDrawEvent GetOnCustomPreviewDraw() const { return FOnCustomPreviewDraw; }
  void SetOnCustomPreviewDraw(TCustomPreviewDrawEvent Value) { FOnCustomPreviewDraw = Value; }

 protected:
  void KeyPress(Char& Key) override;
  void Resize() override;
  void Change() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void Painted() override;
  void CMFontChanged(TMessage& Message);

 private:
  TCustomPreviewDrawEvent FOnCustomPreviewDraw;
};

class TJySmallButton : public TCustomControl {
  TAVREN_CLASS(TJySmallButton, TCustomControl)
  TAVREN_MESSAGES()
 public:
  explicit TJySmallButton(TComponent* AOwner);
  bool GetDown() const { return FDown; }
  void SetDown(bool Value) { FDown = Value; }
  bool GetHot() const { return FHot; }
  void SetHot(bool Value);
  TNotifyEvent GetOnPress() const { return FOnPress; }
  void SetOnPress(TNotifyEvent Value) { FOnPress = Value; }
  TNotifyEvent GetOnRelease() const { return FOnRelease; }
  void SetOnRelease(TNotifyEvent Value) { FOnRelease = Value; }

 protected:
  TJyCustomEdit* OwnerEdit() const { return FOwnerEdit; }
  // Theme state of the button: 1 normal, 2 hot, 3 pressed, 4 disabled.
  Integer ThemeState() const;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseEnter() override;
  void MouseLeave() override;
  void WMEraseBkgnd(TMessage& Message);

 private:
  bool FDown = false;
  bool FHot = false;
  TJyCustomEdit* FOwnerEdit;
  TNotifyEvent FOnPress;
  TNotifyEvent FOnRelease;
};

class TJyExecuteButton : public TJySmallButton {
  TAVREN_CLASS(TJyExecuteButton, TJySmallButton)
 public:
  explicit TJyExecuteButton(TComponent* AOwner);

 protected:
  void Paint() override;
};

class TDropDownButton : public TJySmallButton {
  TAVREN_CLASS(TDropDownButton, TJySmallButton)
 public:
  explicit TDropDownButton(TComponent* AOwner);

 protected:
  void Paint() override;
};

class TJyCustomButtonEdit : public TJyEdit {
  TAVREN_CLASS(TJyCustomButtonEdit, TJyEdit)
  TAVREN_MESSAGES()
 public:
  explicit TJyCustomButtonEdit(TComponent* AOwner);
  // The popup and the button go while the edit is whole, so none of their events reaches an
  // edit that is half gone.
  void BeforeDestruction() override;
  // The button and the popup are made here rather than in the constructor, so that the classes
  // a descendant names are the ones used.
  void AfterConstruction() override;

  virtual TClassOf<TJySmallButton> ButtonClass();
  virtual TClassOf<TJyPopupControl> PopupClass();
  virtual void SetTextFromPopup(const String& Text) { SetText(Text); }
  virtual void PreparePopup(TPoint /*Point*/) {}
  virtual void PopupSelect(TObject* Sender, const String& Text);
  virtual void PlaceButton();
  TRect GetEditRect() override;

  virtual void ButtonPressed(TObject* Sender);
  void DoButtonClick(TObject* /*Sender*/) { FOnButtonClick(this); }
  TJySmallButton* GetButton() const { return FButton; }
  TJyPopupControl* GetPopup() const { return FPopup; }
  TNotifyEvent GetOnButtonClick() const { return FOnButtonClick; }
  void SetOnButtonClick(TNotifyEvent Value) { FOnButtonClick = Value; }

 protected:
  void Resize() override;
  void MouseEnter() override;
  void MouseLeave() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void WMWindowPosChanged(TMessage& Message);

 private:
  void PopupCloseUp(TObject* Sender);
  TJySmallButton* FButton = nullptr;
  TJyPopupControl* FPopup = nullptr;
  TNotifyEvent FOnButtonClick;
};

enum TDropDownStyle { dsDropDown, dsDropDownList };
TAVREN_ENUM_INFO(TDropDownStyle, dsDropDown, dsDropDownList);

class TJyPopupEdit : public TJyCustomButtonEdit {
  TAVREN_CLASS(TJyPopupEdit, TJyCustomButtonEdit)
  TAVREN_MESSAGES()
 public:
  using TJyCustomButtonEdit::TJyCustomButtonEdit;
  void BeforeDestruction() override {
    FDroppedDown = false;
    inherited::BeforeDestruction();
  }
  virtual void SetStyle(TDropDownStyle Value);
  TClassOf<TJySmallButton> ButtonClass() override;
  bool UsesEditText() override { return FStyle != dsDropDownList; }
  TRect GetEditRect() override;
  void PaintContent() override;
  void PopupSelect(TObject* Sender, const String& Text) override;
  void ButtonPressed(TObject* Sender) override;

  // Opens or closes the popup; closing releases the mouse and fires OnCloseUp.
  void SetDroppedDown(bool Value);
  bool GetDroppedDown() const { return FDroppedDown; }
  void DoCloseUp() { FOnCloseUp(this); }
  void DoSelect() { FOnSelect(this); }

  TDropDownStyle GetStyle() const { return FStyle; }
  bool GetHideFocus() const { return FHideFocus; }
  void SetHideFocus(bool Value);
  TNotifyEvent GetOnCloseUp() const { return FOnCloseUp; }
  void SetOnCloseUp(TNotifyEvent Value) { FOnCloseUp = Value; }
  TNotifyEvent GetOnSelect() const { return FOnSelect; }
  void SetOnSelect(TNotifyEvent Value) { FOnSelect = Value; }

 protected:
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void VisibleChanging() override;
  void DoEnter() override;
  void DoExit() override;
  void CMVisibleChanged(TMessage& Message);
  void WMShowWindow(TMessage& Message);
  void WMKillFocus(TMessage& Message);

 private:
  void OpenPopup();
  void CloseOpenPopup();
  TDropDownStyle FStyle = dsDropDown;
  bool FHideFocus = false;
  TNotifyEvent FOnCloseUp;
  TNotifyEvent FOnSelect;
  bool FDroppedDown = false;
};

class TJyComboBox : public TJyPopupEdit {
  TAVREN_CLASS(TJyComboBox, TJyPopupEdit)
 public:
  explicit TJyComboBox(TComponent* AOwner);
  ~TJyComboBox() override;

  TClassOf<TJyPopupControl> PopupClass() override;
  void SetTextFromPopup(const String&) override {}
  void PreparePopup(TPoint Point) override;
  void PopupSelect(TObject* Sender, const String& Text) override;
  void DrawPreview(const TRect& Rect) override;
  TJyPopupList* GetPopupList() const;

  TItemsDisplayMode GetDisplayMode() const { return FDisplayMode; }
  void SetDisplayMode(TItemsDisplayMode Value) { FDisplayMode = Value; }
  TColor GetDropDownColor() const { return FDropDownColor; }
  void SetDropDownColor(TColor Value) { FDropDownColor = Value; }
  Integer GetDropDownCount() const { return FDropDownCount; }
  void SetDropDownCount(Integer Value) { FDropDownCount = Value; }
  TColor GetHighlightTextColor() const { return FHighlightTextColor; }
  void SetHighlightTextColor(TColor Value) { FHighlightTextColor = Value; }
  TCustomImageList* GetImages() const { return FImages; }
  void SetImages(TCustomImageList* Value);
  Integer GetItemHeight() const { return FItemHeight; }
  void SetItemHeight(Integer Value) { FItemHeight = Value; }
  Integer GetItemIndex() const { return FItemIndex; }
  void SetItemIndex(Integer Value);
  TStrings* GetItems() const { return FItems.get(); }
  void SetItems(TStrings* Value) { FItems->Assign(Value); }
  TColor GetSelectionColor() const { return FSelectionColor; }
  void SetSelectionColor(TColor Value) { FSelectionColor = Value; }

 protected:
  void TextChanged() override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  TItemsDisplayMode FDisplayMode = dmDefault;
  TColor FDropDownColor = clWindow;
  Integer FDropDownCount = 8;
  TColor FHighlightTextColor = clHighlightText;
  TCustomImageList* FImages = nullptr;
  Integer FItemHeight = 16;
  Integer FItemIndex = -1;
  std::unique_ptr<TJyStrings> FItems;
  TColor FSelectionColor = clHighlight;
};

// Registers the edit controls for form reading.
void JyEditStart();
