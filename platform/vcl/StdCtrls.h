#pragma once
// The framework's standard controls unit: labels, edits and memos, buttons, check boxes, radio
// buttons, group boxes, list boxes, combo boxes and scroll bars. Except for the label and the group
// box, each extends a standard window class of controls/ (EDIT, BUTTON, LISTBOX, COMBOBOX,
// SCROLLBAR) and hears its notifications as the CN_ messages its parent reflects to it.
//
// Item lists (TListBox.Items, TComboBox.Items, TMemo.Lines) are kept by the control itself while
// it has no window and by the window while it has one, so they can be filled before the control
// has a parent. In form text they are written as "Items.Strings = ('one' 'two')".

#include <memory>

#include "rtl/StringList.h"
#include "vcl/Buttons.h"
#include "vcl/Controls.h"
#include "vcl/Forms.h"
#include "vcl/Menus.h"

// The framework's horizontal text alignment and the vertical layout of a label's text.
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
TAVREN_ENUM_INFO(TAlignment, taLeftJustify, taRightJustify, taCenter);
enum TTextLayout { tlTop, tlCenter, tlBottom };
TAVREN_ENUM_INFO(TTextLayout, tlTop, tlCenter, tlBottom);

enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };
TAVREN_ENUM_INFO(TEditCharCase, ecNormal, ecUpperCase, ecLowerCase);
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
TAVREN_ENUM_INFO(TScrollStyle, ssNone, ssHorizontal, ssVertical, ssBoth);
enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
TAVREN_ENUM_INFO(TCheckBoxState, cbUnchecked, cbChecked, cbGrayed);
enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable, lbVirtual, lbVirtualOwnerDraw };
TAVREN_ENUM_INFO(TListBoxStyle, lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable, lbVirtual, lbVirtualOwnerDraw);
enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };
TAVREN_ENUM_INFO(TComboBoxStyle, csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable);
TAVREN_ENUM_INFO(TScrollBarKind, sbHorizontal, sbVertical);

enum TScrollCode { scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop, scBottom, scEndScroll };

using TDrawItemEvent =
    TEvent<void(TWinControl* Control, Integer Index, TRect Rect, TOwnerDrawState State)>;
using TMeasureItemEvent = TEvent<void(TWinControl* Control, Integer Index, Integer& Height)>;
// A virtual list box's text of an item, and the item whose text starts with FindString (-1: none).
using TLBGetDataEvent = TEvent<void(TWinControl* Control, Integer Index, String& Data)>;
using TLBFindDataEvent = TEvent<Integer(TWinControl* Control, const String& FindString)>;
using TScrollEvent = TEvent<void(TObject* Sender, TScrollCode ScrollCode, Integer& ScrollPos)>;

// Streams Strings in form text as its "Strings" list, for any string list a component publishes.
void DefineStringsProperty(TStrings* Strings, TFiler* Filer);

// Strings that a control holds, streamed in form text as their "Strings" list.
class TControlStrings : public TStrings {
  TAVREN_CLASS(TControlStrings, TStrings)
 protected:
  void DefineProperties(TFiler* Filer) override;
};

// ---- Label --------------------------------------------------------------------------------------

class TCustomLabel : public TGraphicControl {
  TAVREN_CLASS(TCustomLabel, TGraphicControl)
  TAVREN_MESSAGES()
 public:
  explicit TCustomLabel(TComponent* AOwner);

  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  TTextLayout GetLayout() const { return FLayout; }
  void SetLayout(TTextLayout Value);
  bool GetWordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  bool GetTransparent() const { return !FControlStyle.Contains(csOpaque); }
  void SetTransparent(bool Value);
  bool GetShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool Value);
  TWinControl* GetFocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* Value);
  void SetAutoSize(bool Value) override;

 protected:
  void Paint() override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // Fits the label to its text (keeping the edge its alignment holds) when AutoSize is on.
  virtual void AdjustBounds();
  // DrawText's format for the label's settings.
  UINT TextFormat() const;
  void CMTextChanged(TMessage& Message);
  void CMFontChanged(TMessage& Message);
  void CMDialogChar(TMessage& Message);

 private:
  TAlignment FAlignment = taLeftJustify;
  TTextLayout FLayout = tlTop;
  bool FWordWrap = false;
  bool FShowAccelChar = true;
  TWinControl* FFocusControl = nullptr;
};

class TLabel : public TCustomLabel {
  TAVREN_CLASS(TLabel, TCustomLabel)
 public:
  using TCustomLabel::TCustomLabel;
};

// ---- Edit and memo ------------------------------------------------------------------------------

class TCustomEdit : public TWinControl {
  TAVREN_CLASS(TCustomEdit, TWinControl)
  TAVREN_MESSAGES()
 public:
  explicit TCustomEdit(TComponent* AOwner);

  void Clear() { SetText(""); }
  void ClearSelection() { SetSelText(""); }
  void SelectAll();
  void CopyToClipboard();
  void CutToClipboard();
  void PasteFromClipboard();
  void Undo();
  bool GetCanUndo();
  void ClearUndo();

  Integer GetMaxLength() const { return FMaxLength; }
  void SetMaxLength(Integer Value);
  bool GetReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  Char GetPasswordChar() const { return FPasswordChar; }
  void SetPasswordChar(Char Value);
  TEditCharCase GetCharCase() const { return FCharCase; }
  void SetCharCase(TEditCharCase Value);
  bool GetHideSelection() const { return FHideSelection; }
  void SetHideSelection(bool Value);
  // Kept as the window's style only: texts are UTF-8 and are never converted.
  bool GetOEMConvert() const { return FOEMConvert; }
  void SetOEMConvert(bool Value);
  bool GetAutoSelect() const { return FAutoSelect; }
  void SetAutoSelect(bool Value) { FAutoSelect = Value; }
  TFormBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle Value);
  bool GetModified();
  void SetModified(bool Value);
  Integer GetSelStart();
  void SetSelStart(Integer Value);
  Integer GetSelLength();
  void SetSelLength(Integer Value);
  String GetSelText();
  void SetSelText(const String& Value);
  TNotifyEvent GetOnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = Value; }

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void DoEnter() override;
  virtual void Change() { FOnChange(this); }
  void Loaded() override;
  // With AutoSize, the height of one line of the font.
  void AdjustHeight();
  void CNCommand(TMessage& Message);
  void CMTextChanged(TMessage& Message);
  void CMFontChanged(TMessage& Message);

 private:
  Integer FMaxLength = 0;
  bool FReadOnly = false;
  Char FPasswordChar = '\0';
  TEditCharCase FCharCase = ecNormal;
  bool FHideSelection = true;
  bool FOEMConvert = false;
  bool FAutoSelect = true;
  TFormBorderStyle FBorderStyle = bsSingle;
  bool FModified = false;   // kept while there is no window
  bool FCreating = false;   // the new window's text is no change
  TNotifyEvent FOnChange;
};

class TEdit : public TCustomEdit {
  TAVREN_CLASS(TEdit, TCustomEdit)
 public:
  using TCustomEdit::TCustomEdit;
};

class TCustomMemo : public TCustomEdit {
  TAVREN_CLASS(TCustomMemo, TCustomEdit)
 public:
  explicit TCustomMemo(TComponent* AOwner);
  ~TCustomMemo() override;

  // The memo's lines: the text split at line breaks (CR LF, LF or CR).
  TStrings* GetLines() const { return FLines.get(); }
  void SetLines(TStrings* Value) { FLines->Assign(Value); }
  TScrollStyle GetScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle Value);
  bool GetWordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  bool GetWantReturns() const { return FWantReturns; }
  void SetWantReturns(bool Value) { FWantReturns = Value; }
  bool GetWantTabs() const { return FWantTabs; }
  void SetWantTabs(bool Value) { FWantTabs = Value; }
  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  // The caret's line (Y) and its byte offset in that line (X), both from 0.
  TPoint GetCaretPos();
  void SetCaretPos(const TPoint& Value);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void WndProc(TMessage& Message) override;
  void KeyPress(Char& Key) override;

 private:
  std::unique_ptr<TStrings> FLines;
  TScrollStyle FScrollBars = ssNone;
  bool FWordWrap = true;
  bool FWantReturns = true;
  bool FWantTabs = false;
  TAlignment FAlignment = taLeftJustify;
};

class TMemo : public TCustomMemo {
  TAVREN_CLASS(TMemo, TCustomMemo)
 public:
  using TCustomMemo::TCustomMemo;
};

// ---- Buttons ------------------------------------------------------------------------------------

class TButtonControl : public TWinControl {
  TAVREN_CLASS(TButtonControl, TWinControl)
 public:
  explicit TButtonControl(TComponent* AOwner);

 protected:
  friend class TButtonActionLink;
  TClassOf<TActionLink> GetActionLinkClass() override;
  virtual bool GetChecked() { return false; }
  virtual void SetChecked(bool) {}
  // While set, changing the state runs no OnClick (loading, or the window echoing it).
  bool FClicksDisabled = false;
};

// The link of a button control to its action: Checked as well.
class TButtonActionLink : public TWinControlActionLink {
  TAVREN_CLASS(TButtonActionLink, TWinControlActionLink)
 public:
  using TWinControlActionLink::TWinControlActionLink;
  bool IsCheckedLinked() override;
  void SetChecked(bool Value) override;
};

class TButton : public TButtonControl {
  TAVREN_CLASS(TButton, TButtonControl)
  TAVREN_MESSAGES()
 public:
  explicit TButton(TComponent* AOwner);
  void Click() override;

  // Enter runs the default button, unless another button has the focus; Escape the cancel one.
  bool GetDefault() const { return FDefault; }
  void SetDefault(bool Value);
  bool GetCancel() const { return FCancel; }
  void SetCancel(bool Value) { FCancel = Value; }
  TModalResult GetModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value) { FModalResult = Value; }

 protected:
  void CreateParams(TCreateParams& Params) override;
  virtual void SetButtonStyle(bool ADefault);
  void CNCommand(TMessage& Message);
  void CMDialogKey(TMessage& Message);
  void CMDialogChar(TMessage& Message);
  void CMFocusChanged(TMessage& Message);

 private:
  bool FDefault = false;
  bool FCancel = false;
  bool FActive = false;  // draws as the default button now
  TModalResult FModalResult = mrNone;
};

class TCustomCheckBox : public TButtonControl {
  TAVREN_CLASS(TCustomCheckBox, TButtonControl)
  TAVREN_MESSAGES()
 public:
  explicit TCustomCheckBox(TComponent* AOwner);

  TCheckBoxState GetState() const { return FState; }
  void SetState(TCheckBoxState Value);
  bool GetChecked() override { return FState == cbChecked; }
  void SetChecked(bool Value) override { SetState(Value ? cbChecked : cbUnchecked); }
  bool GetAllowGrayed() const { return FAllowGrayed; }
  void SetAllowGrayed(bool Value) { FAllowGrayed = Value; }
  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);

 protected:
  // The next state a click gives: unchecked, (grayed when allowed,) checked, unchecked ...
  virtual void Toggle();
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void CNCommand(TMessage& Message);

 private:
  TCheckBoxState FState = cbUnchecked;
  bool FAllowGrayed = false;
  TAlignment FAlignment = taRightJustify;
};

class TCheckBox : public TCustomCheckBox {
  TAVREN_CLASS(TCheckBox, TCustomCheckBox)
 public:
  using TCustomCheckBox::TCustomCheckBox;
};

class TRadioButton : public TButtonControl {
  TAVREN_CLASS(TRadioButton, TButtonControl)
  TAVREN_MESSAGES()
 public:
  explicit TRadioButton(TComponent* AOwner);
  // Checking one unchecks the other radio buttons of the same parent.
  bool GetChecked() override { return FChecked; }
  void SetChecked(bool Value) override;
  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  // The caption breaks into lines that fit the width.
  bool GetWordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void CNCommand(TMessage& Message);

 private:
  bool FChecked = false;
  bool FWordWrap = false;
  TAlignment FAlignment = taRightJustify;
};

class TCustomGroupBox : public TCustomControl {
  TAVREN_CLASS(TCustomGroupBox, TCustomControl)
  TAVREN_MESSAGES()
 public:
  explicit TCustomGroupBox(TComponent* AOwner);
  // Below the caption and inside the frame.
  void AdjustClientRect(TRect& Rect) override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;
  void CMTextChanged(TMessage& Message);
};

class TGroupBox : public TCustomGroupBox {
  TAVREN_CLASS(TGroupBox, TCustomGroupBox)
 public:
  using TCustomGroupBox::TCustomGroupBox;
};

// ---- List box -----------------------------------------------------------------------------------

class TCustomListBox : public TWinControl {
  TAVREN_CLASS(TCustomListBox, TWinControl)
  TAVREN_MESSAGES()
 public:
  explicit TCustomListBox(TComponent* AOwner);
  ~TCustomListBox() override;

  void Clear();
  void ClearSelection();
  void SelectAll();
  void DeleteSelected();
  // The item under a client point; with Existing, -1 when the point is past the last item
  // (otherwise the count).
  Integer ItemAtPos(const TPoint& Pos, bool Existing);
  // The item's rectangle in client coordinates (an empty one for an index out of range).
  TRect ItemRect(Integer Index);

  TStrings* GetItems() const { return FItems.get(); }
  void SetItems(TStrings* Value) { FItems->Assign(Value); }
  // The items, or for a virtual style the count the window was given.
  Integer GetCount();
  // Virtual styles only (lbVirtual, lbVirtualOwnerDraw): the window holds no items, only a count.
  void SetCount(Integer Value);
  bool IsVirtual() const { return FStyle == lbVirtual || FStyle == lbVirtualOwnerDraw; }
  // Whether typed characters search the items; read by the lists that search as the user types.
  bool GetAutoComplete() const { return FAutoComplete; }
  void SetAutoComplete(bool Value) { FAutoComplete = Value; }
  TLBGetDataEvent GetOnData() const { return FOnData; }
  void SetOnData(TLBGetDataEvent Value) { FOnData = Value; }
  TLBFindDataEvent GetOnDataFind() const { return FOnDataFind; }
  void SetOnDataFind(TLBFindDataEvent Value) { FOnDataFind = Value; }
  // The item of a virtual list whose text starts with FindString, through OnDataFind (-1: none).
  virtual Integer DoFindData(const String& FindString) { return FOnDataFind ? FOnDataFind(this, FindString) : -1; }
  Integer GetItemIndex();
  void SetItemIndex(Integer Value);
  bool GetSelected(Integer Index);
  void SetSelected(Integer Index, bool Value);
  Integer GetSelCount();
  Integer GetTopIndex();
  void SetTopIndex(Integer Value);
  bool GetMultiSelect() const { return FMultiSelect; }
  void SetMultiSelect(bool Value);
  bool GetExtendedSelect() const { return FExtendedSelect; }
  void SetExtendedSelect(bool Value);
  bool GetSorted() const { return FSorted; }
  void SetSorted(bool Value);
  TListBoxStyle GetStyle() const { return FStyle; }
  void SetStyle(TListBoxStyle Value);
  Integer GetItemHeight();
  void SetItemHeight(Integer Value);
  bool GetIntegralHeight() const { return FIntegralHeight; }
  void SetIntegralHeight(bool Value);
  // The width the list scrolls through horizontally (0: no horizontal scrolling).
  Integer GetScrollWidth();
  void SetScrollWidth(Integer Value);
  TFormBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle Value);
  TCanvas* GetCanvas() const { return FCanvas.get(); }
  TDrawItemEvent GetOnDrawItem() const { return FOnDrawItem; }
  void SetOnDrawItem(TDrawItemEvent Value) { FOnDrawItem = Value; }
  TMeasureItemEvent GetOnMeasureItem() const { return FOnMeasureItem; }
  void SetOnMeasureItem(TMeasureItemEvent Value) { FOnMeasureItem = Value; }

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  virtual void DrawItem(Integer Index, TRect Rect, TOwnerDrawState State);
  virtual void MeasureItem(Integer Index, Integer& Height);
  void CNCommand(TMessage& Message);
  void CNDrawItem(TMessage& Message);
  void CNMeasureItem(TMessage& Message);

 private:
  friend class TListBoxStrings;
  std::unique_ptr<TStrings> FItems;
  std::unique_ptr<TStringList> FSaveItems;  // the items while there is no window
  std::unique_ptr<TCanvas> FCanvas;
  Integer FSaveItemIndex = -1;
  Integer FSaveTopIndex = 0;
  Integer FItemHeight = 16;
  TListBoxStyle FStyle = lbStandard;
  bool FMultiSelect = false;
  bool FExtendedSelect = true;
  bool FSorted = false;
  bool FIntegralHeight = false;
  Integer FScrollWidth = 0;
  TFormBorderStyle FBorderStyle = bsSingle;
  TDrawItemEvent FOnDrawItem;
  TMeasureItemEvent FOnMeasureItem;
  bool FAutoComplete = true;
  Integer FVirtualCount = 0;
  TLBGetDataEvent FOnData;
  TLBFindDataEvent FOnDataFind;
};

class TListBox : public TCustomListBox {
  TAVREN_CLASS(TListBox, TCustomListBox)
 public:
  using TCustomListBox::TCustomListBox;
};

// ---- Combo box ----------------------------------------------------------------------------------

class TCustomComboBox : public TWinControl {
  TAVREN_CLASS(TCustomComboBox, TWinControl)
  TAVREN_MESSAGES()
 public:
  explicit TCustomComboBox(TComponent* AOwner);
  ~TCustomComboBox() override;

  void Clear();
  TStrings* GetItems() const { return FItems.get(); }
  void SetItems(TStrings* Value) { FItems->Assign(Value); }
  Integer GetItemIndex();
  void SetItemIndex(Integer Value);
  TComboBoxStyle GetStyle() const { return FStyle; }
  void SetStyle(TComboBoxStyle Value);
  Integer GetDropDownCount() const { return FDropDownCount; }
  void SetDropDownCount(Integer Value);
  bool GetDroppedDown();
  void SetDroppedDown(bool Value);
  bool GetSorted() const { return FSorted; }
  void SetSorted(bool Value);
  Integer GetMaxLength() const { return FMaxLength; }
  void SetMaxLength(Integer Value);
  Integer GetItemHeight() const { return FItemHeight; }
  void SetItemHeight(Integer Value);
  TNotifyEvent GetOnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = Value; }
  TNotifyEvent GetOnSelect() const { return FOnSelect; }
  void SetOnSelect(TNotifyEvent Value) { FOnSelect = Value; }
  TNotifyEvent GetOnDropDown() const { return FOnDropDown; }
  void SetOnDropDown(TNotifyEvent Value) { FOnDropDown = Value; }
  TNotifyEvent GetOnCloseUp() const { return FOnCloseUp; }
  void SetOnCloseUp(TNotifyEvent Value) { FOnCloseUp = Value; }

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  virtual void Change() { FOnChange(this); }
  virtual void Select();
  void CNCommand(TMessage& Message);

 private:
  friend class TComboBoxStrings;
  std::unique_ptr<TStrings> FItems;
  std::unique_ptr<TStringList> FSaveItems;
  Integer FSaveItemIndex = -1;
  TComboBoxStyle FStyle = csDropDown;
  Integer FDropDownCount = 8;
  Integer FMaxLength = 0;
  Integer FItemHeight = 16;
  bool FSorted = false;
  TNotifyEvent FOnChange;
  TNotifyEvent FOnSelect;
  TNotifyEvent FOnDropDown;
  TNotifyEvent FOnCloseUp;
};

class TComboBox : public TCustomComboBox {
  TAVREN_CLASS(TComboBox, TCustomComboBox)
 public:
  using TCustomComboBox::TCustomComboBox;
};

// ---- Scroll bar ---------------------------------------------------------------------------------

class TScrollBar : public TWinControl {
  TAVREN_CLASS(TScrollBar, TWinControl)
  TAVREN_MESSAGES()
 public:
  explicit TScrollBar(TComponent* AOwner);
  // Min is kept at or below Max; Position within them.
  void SetParams(Integer APosition, Integer AMin, Integer AMax);

  TScrollBarKind GetKind() const { return FKind; }
  void SetKind(TScrollBarKind Value);
  Integer GetPosition() const { return FPosition; }
  void SetPosition(Integer Value) { SetParams(Value, FMin, FMax); }
  Integer GetMin() const { return FMin; }
  void SetMin(Integer Value) { SetParams(FPosition, Value, FMax); }
  Integer GetMax() const { return FMax; }
  void SetMax(Integer Value) { SetParams(FPosition, FMin, Value); }
  Integer GetPageSize() const { return FPageSize; }
  void SetPageSize(Integer Value);
  Integer GetSmallChange() const { return FSmallChange; }
  void SetSmallChange(Integer Value) { FSmallChange = Value; }
  Integer GetLargeChange() const { return FLargeChange; }
  void SetLargeChange(Integer Value) { FLargeChange = Value; }
  TNotifyEvent GetOnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = Value; }
  TScrollEvent GetOnScroll() const { return FOnScroll; }
  void SetOnScroll(TScrollEvent Value) { FOnScroll = Value; }

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  virtual void Change() { FOnChange(this); }
  virtual void Scroll(TScrollCode ScrollCode, Integer& ScrollPos) { FOnScroll(this, ScrollCode, ScrollPos); }
  void CNHScroll(TMessage& Message);
  void CNVScroll(TMessage& Message);

 private:
  void DoScroll(TMessage& Message);
  void UpdateWindow();
  TScrollBarKind FKind = sbHorizontal;
  Integer FPosition = 0;
  Integer FMin = 0;
  Integer FMax = 100;
  Integer FPageSize = 0;
  Integer FSmallChange = 1;
  Integer FLargeChange = 1;
  TNotifyEvent FOnChange;
  TScrollEvent FOnScroll;
};

// The size DrawText gives Text in Font with Format (DT_CALCRECT), in a box Width wide.
TSize TextSizeInFont(TFont* Font, const String& Text, UINT Format, Integer Width);

// Whether the key is the hot key (the character after '&') of a caption.
bool IsAccel(Word VK, const String& Str);

// Registers the unit's classes for form reading.
void StdCtrlsStart();
