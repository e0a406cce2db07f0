#pragma once
// The text editor kind's settings, also the base of every editor that types text:
//  - TkvTextEditPropertiesValues: which display format, edit format and max length were set;
//  - TkvCustomTextEditProperties: character case, password echo, max length, lookup items,
//    display and edit formats, value bounds and the rules that turn an edit value into text;
//  - TkvTextEditProperties: the settings the text editor publishes;
//  - TkvCustomTextEditLookupData: the lookup texts behind a text editor, its current key and the
//    prefix search of incremental search and completion;
//  - TkvCustomInnerTextEdit / TkvInnerTextEdit: the native EDIT inside every text editor, with
//    TkvCustomInnerTextEditHelper, its side the framework talks to (IkvInnerTextEdit);
//  - TkvFilterTextEditHelper: the text editor as the value field of a filter row;
//  - thousand separators for numeric editing texts;
//  - the unit's start and end.
//
// Sources: kvTextEditProperties.cpp, kvTextEditLookupData.cpp, kvTextEditNumbers.cpp,
// kvTextEditInner.cpp (inner edit), kvTextEditInnerHelper.cpp (its helper and saved state),
// kvTextEditUnit.cpp.

#include <bitset>
#include <utility>
#include <memory>

#include "rtl/FormatSettings.h"
#include "rtl/StringList.h"
#include "vcl/ImeTypes.h"
#include "toolkit/editors/kvDrawTextUtils.h"
#include "toolkit/editors/kvEdit.h"
#include "toolkit/editors/kvEditFilterHelpers.h"
#include "toolkit/editors/kvFormats.h"
#include "vcl/StdCtrls.h"

constexpr Integer skvEditValueOutOfBounds = 64410;
constexpr Integer skvEditCannotConvertToNumeric = 64411;

// ---- Numeric editing texts ------------------------------------------------------------------

// Cuts Text at its first "E" (either case): Text keeps the mantissa, the exponent part is returned.
String SplitExponent(String& Text);
// Text without the locale's thousand separators.
String StripThousandSeparators(const String& Text, const TFormatSettings& Settings);
// Groups the integer digits of a number text by three; blanks around it and an exponent stay.
String InsertThousandSeparators(const String& Text, const TFormatSettings& Settings);

// ---- Characters of editing texts -----------------------------------------------------------------

// Limits on typed text count wide (UTF-16) characters: one for every UTF-8 character but those of
// four bytes, which count two. Cuts never split a character.
Integer WideCharCount(const String& Text);
// The longest head of Text of at most Count wide characters.
String WideCharHead(const String& Text, Integer Count);
// The longest head of Text of at most Bytes bytes.
String WholeCharHead(const String& Text, size_t Bytes);
// Text without its last character.
String DropLastChar(const String& Text);

// ---- Properties -------------------------------------------------------------------------------

enum TkvEditEchoMode { eemNormal, eemPassword };
TAVREN_ENUM_INFO(TkvEditEchoMode, eemNormal, eemPassword);

enum TkvTextEditViewStyle { vsNormal, vsHideCursor, vsButtonsOnly, vsButtonsAutoWidth };
TAVREN_ENUM_INFO(TkvTextEditViewStyle, vsNormal, vsHideCursor, vsButtonsOnly, vsButtonsAutoWidth);

// How typing meets the lookup items.
enum : Byte {
  kvEditingFreeText = 0,     // items only complete
  kvEditingListText = 1,     // typing completes from the items; other texts are refused
  kvEditingStrictList = 2,   // typing only searches; the text is an item or empty
  kvEditingNoTyping = 3,
};

using TkvNewLookupDisplayTextEvent = TEvent<void(TObject* Sender, const String& AText)>;

class TkvCustomTextEditProperties;
class TkvCustomTextEditLookupData;

// The lookup texts, streamed in form text as their "Strings" list.
class TkvLookupItems : public TStringList {
  TAVREN_CLASS(TkvLookupItems, TStringList)
 public:
  void DefineProperties(TFiler* Filer) override;
};

// Adds the display format, edit format and max length flags to the base's.
class TkvTextEditPropertiesValues : public TkvCustomEditPropertiesValues {
  TAVREN_CLASS(TkvTextEditPropertiesValues, TkvCustomEditPropertiesValues)
 public:
  using TkvCustomEditPropertiesValues::TkvCustomEditPropertiesValues;
  void Assign(TPersistent* Source) override;
  void ClearAssigned() override;

  bool GetDisplayFormat() const { return FDisplayFormat; }
  void SetDisplayFormat(bool Value);
  bool GetEditFormat() const { return FEditFormat; }
  void SetEditFormat(bool Value);
  bool GetMaxLength() const { return FMaxLength; }
  void SetMaxLength(bool Value);
  bool IsDisplayFormatStored();
  bool IsEditFormatStored();

 private:
  TkvCustomTextEditProperties* TextOwner();
  bool FDisplayFormat = false;
  bool FEditFormat = false;
  bool FMaxLength = false;
};

// What ResolveEditFormat finds for an editing text.
struct TkvEditFormatChoice {
  bool IsCurrency = false;
  bool UseGetText = false;
  String Format;
};

class TkvCustomTextEditProperties : public TkvCustomEditProperties, public IkvFormatListener {
  TAVREN_CLASS(TkvCustomTextEditProperties, TkvCustomEditProperties)
 public:
  explicit TkvCustomTextEditProperties(TPersistent* AOwner);
  ~TkvCustomTextEditProperties() override;
  void Assign(TPersistent* Source) override;
  void DefineProperties(TFiler* Filer) override;

  void AlignmentChanged(TObject* Sender) override;
  void SetAlignment(TkvEditAlignment* Value) override;
  bool CanValidate() override { return true; }
  // Text changes raise OnChange themselves: a changed edit value found from the text does not again.
  bool InnerEditReportsChanges() override { return true; }
  TkvCustomEditPropertiesValuesClass GetAssignedValuesClass() override;
  Byte GetDisplayFormatOptions() override { return 1; }
  String DefaultValidationErrorText(Integer Kind) override;
  bool CanCompareEditValues() override { return true; }
  bool DisplayValuesEqual(const Variant& A, const Variant& B) override;
  Integer GetSupportedFeatures() override;
  TClassOf<TkvCustomEditViewData> GetViewDataClass() override;
  TClassOf<TkvCustomEditViewInfo> GetViewInfoClass() override;
  TClass GetEditorClass() override;
  bool AcceptsEditValue(const Variant& Value) override;
  void MakeDisplayValue(const Variant& EditValue, Variant& DisplayValue, bool Editing) override;
  String EditValueToDisplayText(const Variant& EditValue, bool Focused) override;
  void CheckDisplayValue(Variant& DisplayValue, String& ErrorText, bool& Error, TkvCustomEdit* Editor) override;
  void FormatChanged() override { ReapplyLocaleFormats(); }

  virtual void ReapplyLocaleFormats();
  // Sets Error and ErrorText when the value Editor makes of DisplayValue lies outside the bounds.
  virtual void CheckValueRange(const Variant& DisplayValue, String& ErrorText, TkvCustomEdit* Editor, bool& Error);
  virtual String EmptyDisplayValue() { return String(); }
  virtual bool LookupContainsText(const String& Text);
  virtual String KindDisplayFormat() { return String(); }
  virtual Integer KindMaxLength();
  virtual Integer LookupPageRows() { return 8; }
  virtual Byte EditingStyleCode();
  virtual bool UsesThousandSeparators(bool) { return false; }
  virtual TkvEditFormatChoice ResolveEditFormat(TkvCustomEdit* Editor);
  virtual bool IsValueNumeric() { return false; }
  virtual bool ShowsLookupInPopup() { return false; }
  virtual bool DrawsOwnTextLayout() { return false; }
  virtual bool KeyBelongsToPopup(Word, TShiftState) { return false; }
  // Which 0 = lower, 1 = upper.
  virtual bool IsBoundDefined(Integer Which);
  bool IsRangeDefined() { return IsBoundDefined(0) || IsBoundDefined(1); }
  virtual void NotifyItemsChanged() { NotifyChanged(); }
  virtual void MaxLengthUpdated() { NotifyChanged(); }
  virtual void SetCharCase(TEditCharCase Value);
  // The lookup behind the kind's editors; nil for a kind without one.
  virtual TClassOf<TkvCustomTextEditLookupData> LookupDataClass();
  bool HasLookup() { return static_cast<bool>(LookupDataClass()); }
  virtual void ShapeDisplayText(String& Text);
  virtual bool AcceptsTextValue(Variant& Value, bool Editing);

  TkvTextEditPropertiesValues* GetTextAssignedValues();
  bool IsReapplyingFormats() const { return FReapplyingFormats; }

  TEditCharCase GetCharCase() const { return FCharCase; }
  String GetDisplayFormat();
  void SetDisplayFormat(const String& Value);
  bool IsDisplayFormatStored() { return GetTextAssignedValues()->GetDisplayFormat(); }
  TkvEditEchoMode GetEchoMode() const { return FEchoMode; }
  void SetEchoMode(TkvEditEchoMode Value);
  String GetEditFormat() { return ResolveEditFormat(nullptr).Format; }
  void SetEditFormat(const String& Value);
  bool IsEditFormatStored() { return GetTextAssignedValues()->GetEditFormat(); }
  bool GetKeepCompletionSelected() const { return FKeepCompletionSelected; }
  void SetKeepCompletionSelected(bool Value);
  bool GetHideCursor() const { return FHideCursor; }
  void SetHideCursor(bool Value);
  bool GetHideSelection() const { return FHideSelection; }
  void SetHideSelection(bool Value);
  TImeMode GetImeMode() const { return FImeMode; }
  void SetImeMode(TImeMode Value);
  TImeName GetImeName() const { return FImeName; }
  void SetImeName(const TImeName& Value);
  bool GetImmediateUpdateText() const { return FImmediateUpdateText; }
  void SetImmediateUpdateText(bool Value) { FImmediateUpdateText = Value; }
  bool GetIncrementalSearch() const { return FIncrementalSearch; }
  void SetIncrementalSearch(bool Value);
  TStrings* GetLookupItems() const { return FLookupItems.get(); }
  void SetLookupItems(TStrings* Value) { FLookupItems->Assign(Value); }
  bool GetLookupItemsSorted() const { return FLookupItems->GetSorted(); }
  void SetLookupItemsSorted(bool Value) { FLookupItems->SetSorted(Value); }
  Integer GetMaxLength();
  void SetMaxLength(Integer Value);
  bool IsMaxLengthStored() { return GetTextAssignedValues()->GetMaxLength(); }
  bool GetExactLookup() const { return FExactLookup; }
  void SetExactLookup(bool Value);
  bool GetOEMConvert() const { return FOEMConvert; }
  void SetOEMConvert(bool Value);
  Char GetPasswordChar() const { return FPasswordChar; }
  void SetPasswordChar(Char Value);
  bool GetUseDisplayFormatWhenEditing() const { return FUseDisplayFormatWhenEditing; }
  void SetUseDisplayFormatWhenEditing(bool Value);
  const std::bitset<256>& GetAcceptedChars() const { return FAcceptedChars; }
  void SetAcceptedChars(const std::bitset<256>& Value) { FAcceptedChars = Value; }
  TkvTextEditViewStyle GetViewStyle();
  void SetViewStyle(TkvTextEditViewStyle Value);
  TkvNewLookupDisplayTextEvent GetOnNewLookupDisplayText() const { return FOnNewLookupDisplayText; }
  void SetOnNewLookupDisplayText(TkvNewLookupDisplayTextEvent Value) { FOnNewLookupDisplayText = Value; }

 private:
  void LookupItemsChanged(TObject*) { NotifyItemsChanged(); }
  String NumericDisplayText(const Variant& Value, bool Editing);

  TEditCharCase FCharCase = ecNormal;
  String FDisplayFormat;
  TkvEditEchoMode FEchoMode = eemNormal;
  String FEditFormat;
  bool FKeepCompletionSelected = true;
  bool FReapplyingFormats = false;
  bool FHideCursor = false;
  bool FHideSelection = true;
  TImeMode FImeMode = imDontCare;
  TImeName FImeName;
  bool FImmediateUpdateText = false;
  bool FIncrementalSearch = true;
  std::unique_ptr<TkvLookupItems> FLookupItems;
  Integer FMaxLength = 0;
  bool FExactLookup = false;
  bool FOEMConvert = false;
  Char FPasswordChar = '\0';
  bool FUseDisplayFormatWhenEditing = false;
  std::bitset<256> FAcceptedChars;
  TkvNewLookupDisplayTextEvent FOnNewLookupDisplayText;
};

// The settings the text editor publishes.
class TkvTextEditProperties : public TkvCustomTextEditProperties {
  TAVREN_CLASS(TkvTextEditProperties, TkvCustomTextEditProperties)
 public:
  using TkvCustomTextEditProperties::TkvCustomTextEditProperties;
  void SetAlignmentProp(TkvEditAlignment* Value) { SetAlignment(Value); }
};

// ---- Lookup data ------------------------------------------------------------------------------

// The ways the keyboard and the wheel move through lookup items.
enum TkvLookupStep : Byte { lsFirst, lsLast, lsNext, lsPrevious, lsPageUp, lsPageDown };

// The row a step from Base (-1: none) reaches among Count items; Cycle wraps at the ends.
Integer LookupStepTarget(Integer Base, TkvLookupStep Direction, Integer Count, Integer PageRows, bool Cycle);

class TkvCustomEditListBox;
using TkvCustomEditListBoxClass = TClassOf<TkvCustomEditListBox>;

// The lookup behind a text editor as the editors and their popups use it. Keys are item indexes
// (-1: none) and travel as integer variants.
class IkvTextEditLookupData : public virtual IInterface {
  TAVREN_INTERFACE(IkvTextEditLookupData)
 public:
  virtual bool ListResizable() = 0;
  // The highlighted row goes back to the current key.
  virtual void RehighlightCurrentKey() = 0;
  virtual void EditorDestroying() = 0;
  virtual void BeforeListShown() = 0;
  virtual void AfterListShown() = 0;
  virtual bool ContainsText(const String& Text) = 0;
  virtual TWinControl* ListControl() = 0;
  virtual Variant GetCurrentKey() = 0;
  virtual String KeyText(const Variant& Key) = 0;
  virtual TNotifyEvent GetOnCurrentKeyChanged() = 0;
  virtual TNotifyEvent GetOnItemPicked() = 0;
  virtual TSize PreferredListSize() = 0;
  virtual void Step(TkvLookupStep Direction, bool Cycle) = 0;
  virtual void PrepareList(TWinControl* Parent) = 0;
  virtual bool HasNoItems() = 0;
  virtual bool PointOverList(const TPoint& ScreenPoint) = 0;
  virtual bool SearchText(String& Text, String& Tail, bool FromCurrent) = 0;
  virtual void PlaceList(const TRect& R) = 0;
  virtual void SettingsChanged() = 0;
  // The user chose the highlighted row.
  virtual void PickHighlightedRow() = 0;
  virtual void MoveCurrentKey(const Variant& Key) = 0;
  virtual void SetOnCurrentKeyChanged(TNotifyEvent Value) = 0;
  virtual void SetOnItemPicked(TNotifyEvent Value) = 0;
  // The editor's text changed: the current key follows it.
  virtual void EditorTextChanged() = 0;
};

class TkvCustomTextEditLookupData : public TkvInterfacedPersistent, public IkvTextEditLookupData {
  TAVREN_CLASS(TkvCustomTextEditLookupData, TkvInterfacedPersistent)
 public:
  explicit TkvCustomTextEditLookupData(TPersistent* AOwner)
      : TkvInterfacedPersistent(AOwner), FOwnerEdit(dynamic_cast<TkvCustomEdit*>(AOwner)) {}
  ~TkvCustomTextEditLookupData() override;

  virtual String ItemText(Integer Index);
  virtual Integer ItemCount();
  // Nil: the kind shows no list.
  virtual TkvCustomEditListBoxClass ListBoxClass();
  // The list's selection-changed handler.
  virtual void ListRowChanged(TObject* Sender);
  // A prefix search (or, when Exact and the Properties ask for it, a whole-text search): Text
  // becomes the matched part in the item's spelling and Tail the rest of the item.
  virtual bool Locate(String& Text, String& Tail, bool Exact, bool FromCurrent);
  virtual void ItemListChanged();
  bool ListResizable() override { return true; }
  void BeforeListShown() override {}
  void AfterListShown() override {}
  bool ContainsText(const String& Text) override { return FindText(Text) != -1; }
  TSize PreferredListSize() override { return TSize{0, 0}; }
  void PrepareList(TWinControl* Parent) override;
  void PlaceList(const TRect& R) override;
  void SettingsChanged() override { ItemListChanged(); }
  void EditorTextChanged() override;

  void RehighlightCurrentKey() override;
  void EditorDestroying() override {}
  TWinControl* ListControl() override;
  Variant GetCurrentKey() override { return Variant(FCurrentKey); }
  String KeyText(const Variant& Key) override;
  void Step(TkvLookupStep Direction, bool Cycle) override;
  bool HasNoItems() override { return ItemCount() == 0; }
  bool PointOverList(const TPoint& ScreenPoint) override;
  bool SearchText(String& Text, String& Tail, bool FromCurrent) override {
    return Locate(Text, Tail, false, FromCurrent);
  }
  void PickHighlightedRow() override;
  void MoveCurrentKey(const Variant& Key) override;
  TNotifyEvent GetOnCurrentKeyChanged() override { return FOnCurrentKeyChanged; }
  void SetOnCurrentKeyChanged(TNotifyEvent Value) override { FOnCurrentKeyChanged = Value; }
  TNotifyEvent GetOnItemPicked() override { return FOnItemPicked; }
  void SetOnItemPicked(TNotifyEvent Value) override { FOnItemPicked = Value; }

  TkvCustomEdit* GetOwnerEdit();
  TkvCustomTextEditProperties* GetOwnerProperties();
  TkvCustomEditListBox* GetList() const { return FList; }
  // The first item equal to Text ignoring case; -1 when none is.
  Integer FindText(const String& Text);
  // The item text of Key; empty outside the items.
  String KeyText(Integer Key);
  Integer GetCurrentIndex() const { return FCurrentKey; }
  // Ignored outside -1 .. ItemCount - 1; the highlight follows.
  void StoreCurrentKey(Integer Key);
  Integer GetHighlightedRow() const { return FHighlightedRow; }
  void HighlightRow(Integer Index);
  void MoveCurrentKey(Integer Key);
  // While set, a change of the editor's text leaves the current key alone (the editor sets it
  // while it writes a text the lookup chose).
  bool GetTextChangeLock() const { return FTextChangeLock; }
  void SetTextChangeLock(bool Value) { FTextChangeLock = Value; }

 private:
  bool EditorSwitchingEditMode();
  String EditorText();
  void SyncListRowCount();

  // Searches read every item in a row: for the length of one, the owner's properties are
  // looked up once instead of once per item.
  struct TScan {
    explicit TScan(TkvCustomTextEditLookupData* Data);
    ~TScan();
    TkvCustomTextEditLookupData* FData;
    TkvCustomTextEditProperties* FSaved;
  };

  // The owner, resolved once: searches ask for it once per item.
  TkvCustomEdit* FOwnerEdit;
  TkvCustomTextEditProperties* FScanProperties = nullptr;
  Integer FCurrentKey = -1;
  Integer FHighlightedRow = -1;
  TkvCustomEditListBox* FList = nullptr;
  bool FTextChangeLock = false;
  TNotifyEvent FOnCurrentKeyChanged;
  TNotifyEvent FOnItemPicked;
};

// The owner-drawn list of lookup and popup lists: one row per text of Items, hot tracking, no
// border, no item data.
class TkvCustomEditListBox : public TkvCustomInnerListBox {
  TAVREN_CLASS(TkvCustomEditListBox, TkvCustomInnerListBox)
  TAVREN_MESSAGES()
 public:
  explicit TkvCustomEditListBox(TComponent* AOwner);

  // The editor the list serves (its owner).
  TkvCustomEdit* GetOwnerEdit();
  virtual Integer RowHeight();
  Integer RowsHeight(Integer Count) { return Count * RowHeight(); }
  Integer RowTextWidth(Integer Index);
  // The text row Index shows: its text of Items, or what the list's owner keeps for it.
  virtual String RowText(Integer Index) { return GetItems()->GetStrings(Index); }
  bool IsVisible();
  // Appends empty rows or deletes rows from the end.
  void SetRowCount(Integer Count);
  void SetItemIndex(Integer Value);
  bool UsesStrictStyle();
  // The hook the list's owner runs before it shows the list.
  virtual void PrepareForShowing() {}
  bool GetHotTrack() const { return FHotTrack; }
  void SetHotTrack(bool Value) { FHotTrack = Value; }
  TNotifyEvent GetOnSelectionChanged() const { return FOnSelectionChanged; }
  void SetOnSelectionChanged(TNotifyEvent Value) { FOnSelectionChanged = Value; }

 protected:
  void CreateParams(TCreateParams& Params) override;
  void Click() override;
  void DrawItem(Integer Index, TRect Rect, TOwnerDrawState State) override;
  void MeasureItem(Integer Index, Integer& Height) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  bool DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos) override;
  // Whether the owner draws Index itself.
  virtual bool DrawsItemItself(Integer, const TRect&, TOwnerDrawState) { return false; }
  virtual void SelectionChanged() {}
  void WMEraseBkgnd(TMessage& Message);
  void CMShowingChanged(TMessage& Message);

 private:
  void FireSelectionChanged();
  bool FHotTrack = true;
  TNotifyEvent FOnSelectionChanged;
};

// ---- View data and view info -------------------------------------------------------------------

// The rows of a text laid out for painting, kept until the view is computed again.
struct TkvTextOutData {
  bool Initialized = false;
  TRect Rect;
  TkvTextParams Params;
  TkvTextRows Rows;
  Integer RowCount = 0;
  Integer SelStart = 0;
  Integer SelLength = 0;
  TColor SelTextColor = clHighlightText;
  TColor SelBackgroundColor = clHighlight;
  bool ForceEndEllipsis = false;
  Integer RowHeight = 0;
};

class TkvCustomTextEditViewInfo;
using TkvTextEditDrawEvent = TEvent<void(TkvCustomTextEditViewInfo* Sender, TkvCanvas* Canvas, const TRect& R)>;

// What a text editor paints: its display text, where, with which selection, in which flags.
class TkvCustomTextEditViewInfo : public TkvCustomEditViewInfo {
  TAVREN_CLASS(TkvCustomTextEditViewInfo, TkvCustomEditViewInfo)
 public:
  TkvCustomTextEditViewInfo() = default;
  void CopyFrom(TkvContainerViewInfo* Other) override;
  void PaintContent(TkvCanvas* Canvas) override;
  void MoveBy(Integer DX, Integer DY) override;
  // Whether the text at Point (view info coordinates) is cut: then Text, its rectangle on screen
  // terms of the view info's position and whether it is multi-line. Bounds empty: the text
  // rectangle is the hint's area.
  virtual bool TruncatedTextHint(const TPoint& Point, String& HintText, TRect& HintRect, bool& MultiLine,
                                 const TRect& HintBounds);
  virtual void PaintText(TkvCanvas* Canvas);

  String Text;
  TRect TextRect;
  Byte EditingStyle = kvEditingFreeText;
  bool InnerEditShown = false;
  bool SelectionBarShown = false;
  bool PopupOpen = false;
  Integer MaxLineCount = 0;
  TColor BackgroundColorOfText = clWindow;
  Integer SelStart = 0;
  Integer SelLength = 0;
  TColor SelTextColor = clHighlightText;
  TColor SelBackgroundColor = clHighlight;
  Cardinal TextFlags = 0;
  bool NativeTextLook = false;
  TkvTextEditDrawEvent OnDrawText;
  TkvTextOutData TextOut;

 private:
  void PrepareTextOut(TkvCanvas* Canvas);
};

// Lays a text editor's text out: text rectangle, flags, selection colours, the size a text needs.
class TkvCustomTextEditViewData : public TkvCustomEditViewData {
  TAVREN_CLASS(TkvCustomTextEditViewData, TkvCustomEditViewData)
 public:
  using TkvCustomEditViewData::TkvCustomEditViewData;

  void InitFromProperties() override;
  void EditValueToDisplayText(const Variant& Value, String& Text) override;
  void GetEditContentSize(TkvCanvas* Canvas, const Variant& Value, const TkvEditSizeRequest& Request,
                          TSize& Size) override;
  void ComputeViewInfo(TkvCanvas* Canvas, const TRect& Bounds, const TPoint& P, Integer Button, TShiftState Shift,
                       TkvCustomEditViewInfo* ViewInfo, bool IsMouseEvent) override;
  void LoadDisplayValue(TkvCanvas* Canvas, const Variant& Value, TkvCustomEditViewInfo* ViewInfo) override;
  // A strict-list editor's themed button under composition shows normal unless disabled.
  void FillButtonNativeState(TkvEditButtonViewInfo* Button) override;
  // A native text look whose theme draws the edit part takes one pixel more on the right.
  void GetClientExtent(TkvCanvas* Canvas, TkvCustomEditViewInfo* ViewInfo, TRect& R) override;

  virtual bool HasShownInnerEdit();
  virtual Integer MaxLines() { return MaxLineCount; }
  virtual bool UsesNativeTextLook() { return false; }
  virtual void CalculateTextFlags(TkvCanvas* Canvas, TkvCustomTextEditViewInfo* ViewInfo);
  virtual void SetViewInfoText(const Variant& Value, TkvCustomTextEditViewInfo* ViewInfo);
  virtual Cardinal TextFlags();
  virtual TRect ContentOffsets() { return TextEditContentOffsets(); }

  TkvCustomTextEditProperties* TextProperties() { return static_cast<TkvCustomTextEditProperties*>(Properties); }
  // The stored content offsets, widened by a pixel for the list styles' text.
  TRect TextEditContentOffsets();
  // Copies the editor's selection into ViewInfo with its colours.
  void SelectionData(TkvCustomTextEditViewInfo* ViewInfo);

  Integer SelStart = 0;
  Integer SelLength = 0;
  TColor SelTextColor = clDefault;
  TColor SelBackgroundColor = clDefault;
  Integer MaxLineCount = 0;
  bool FormatsByDataBinding = false;
};

// What an editor of ViewData needs for Text: Size. Request (-1: not given) may fix a width and a
// line count; LineCount > 0 caps the rows; WithOffsets grows a measured width by the content
// offsets.
void MeasureEditText(TkvCanvas* Canvas, TkvCustomTextEditViewData* ViewData, const String& Text, TSize& Size,
                     Cardinal Flags, Integer LineCount, const TkvEditSizeRequest& Request, bool WithOffsets);

// ---- Inner text edit --------------------------------------------------------------------------

// The framework's view of a text editor's inner edit: the inner-edit operations and the native
// edit's settings, selection and clipboard.
class IkvInnerTextEdit : public virtual IkvCustomInnerEdit {
  TAVREN_INTERFACE(IkvInnerTextEdit)
 public:
  virtual void ClearSelection() = 0;
  virtual void CopyToClipboard() = 0;
  virtual TAlignment GetAlignment() = 0;
  virtual bool GetAutoSelect() = 0;
  virtual TEditCharCase GetCharCase() = 0;
  virtual TkvEditEchoMode GetEchoMode() = 0;
  virtual bool GetHideSelection() = 0;
  // The lead byte of a double-byte character still on its way; #0 when none is.
  virtual Char GetPendingLeadByte() = 0;
  virtual TImeMode GetImeMode() = 0;
  virtual TImeName GetImeName() = 0;
  // Set while the owner processes a key, and left set when the owner consumed it.
  virtual bool GetKeyHandledByOwner() = 0;
  virtual Integer GetMaxLength() = 0;
  virtual bool IsMultiLineControl() = 0;
  virtual bool GetOEMConvert() = 0;
  virtual TNotifyEvent GetSelectionChangedHandler() = 0;
  virtual Char GetPasswordChar() = 0;
  virtual Integer GetSelLength() = 0;
  virtual Integer GetSelStart() = 0;
  virtual String GetSelText() = 0;
  virtual void SelectAll() = 0;
  virtual void SetAlignment(TAlignment Value) = 0;
  virtual void SetAutoSelect(bool Value) = 0;
  virtual void SetCharCase(TEditCharCase Value) = 0;
  virtual void SetEchoMode(TkvEditEchoMode Value) = 0;
  virtual void SetHideSelection(bool Value) = 0;
  virtual void SetKeyHandledByOwner(bool Value) = 0;
  virtual void SetImeMode(TImeMode Value) = 0;
  virtual void SetImeName(const TImeName& Value) = 0;
  virtual void SetMaxLength(Integer Value) = 0;
  virtual void SetOEMConvert(bool Value) = 0;
  virtual void SetSelectionChangedHandler(TNotifyEvent Value) = 0;
  virtual void SetPasswordChar(Char Value) = 0;
  virtual void SetSelLength(Integer Value) = 0;
  virtual void SetSelStart(Integer Value) = 0;
  virtual void SetSelText(const String& Value) = 0;
};

// What the inner text edit asks of its owner beyond the edit framework's editor; the text editor
// implements it. An owner without it beeps on Enter and keeps no popup, completion or lookup.
class IkvInnerTextEditOwner : public virtual IInterface {
  TAVREN_INTERFACE(IkvInnerTextEditOwner)
 public:
  virtual bool GetBeepOnEnter() = 0;
  // Answers whether a popup has just closed, and forgets it.
  virtual bool TakePopupJustClosed() = 0;
  virtual bool IsCompletionPending() = 0;
  virtual void SetCompletionPending(bool Value) = 0;
  virtual void ClearLookupTextChangeLock() = 0;
  virtual void DeleteSelectedText() = 0;
  // Runs after the native edit undid its last change.
  virtual void UndoHook() = 0;
  // The open popup's list, which takes the keys the Properties give it; none without one.
  virtual TWinControl* LookupListControl() = 0;
};

// The selection and, when asked, the text of an inner edit, to tell whether a key changed them.
struct TkvCustomInnerTextEditPrevState {
  bool TextSaved = false;
  String Text;
  Integer SelStart = 0;
  Integer SelLength = 0;
};

class TkvCustomInnerTextEdit;

// The inner edit's side the framework talks to.
class TkvCustomInnerTextEditHelper : public TObject, public IkvInnerTextEdit {
  TAVREN_CLASS(TkvCustomInnerTextEditHelper, TObject)
 public:
  using TCreateArg = TkvCustomInnerTextEdit*;
  explicit TkvCustomInnerTextEditHelper(TkvCustomInnerTextEdit* AEdit) : FEdit(AEdit) {}

  HRESULT QueryInterface(const TInterfaceId& IID, void** Obj) override {
    return GetInterface(this, IID, Obj) ? S_OK : E_NOINTERFACE;
  }
  Integer _AddRef() override { return -1; }
  Integer _Release() override { return -1; }

  TWinControl* InnerControl() override;
  TkvContainer* HostContainer() override;
  LRESULT DefaultWindowProc(UINT Msg, WPARAM WParam, LPARAM LParam) override;
  void ReadInnerValue(Variant& Value) override;
  TNotifyEvent GetChangeHandler() override;
  bool IsInnerReadOnly() override;
  void FreezeBounds(bool Freeze) override;
  void SetFocusSafely() override;
  void WriteInnerValue(const Variant& Value) override;
  void SetEditorParent(TWinControl* Editor) override;
  void SetChangeHandler(TNotifyEvent Handler) override;
  void SetInnerReadOnly(bool Value) override;

  void ClearSelection() override;
  void CopyToClipboard() override;
  TAlignment GetAlignment() override;
  bool GetAutoSelect() override;
  TEditCharCase GetCharCase() override;
  TkvEditEchoMode GetEchoMode() override;
  bool GetHideSelection() override;
  Char GetPendingLeadByte() override;
  TImeMode GetImeMode() override;
  TImeName GetImeName() override;
  bool GetKeyHandledByOwner() override;
  Integer GetMaxLength() override;
  bool IsMultiLineControl() override { return false; }
  bool GetOEMConvert() override;
  TNotifyEvent GetSelectionChangedHandler() override;
  Char GetPasswordChar() override;
  Integer GetSelLength() override;
  Integer GetSelStart() override;
  String GetSelText() override;
  void SelectAll() override;
  void SetAlignment(TAlignment Value) override;
  void SetAutoSelect(bool Value) override;
  void SetCharCase(TEditCharCase Value) override;
  void SetEchoMode(TkvEditEchoMode Value) override;
  void SetHideSelection(bool Value) override;
  void SetKeyHandledByOwner(bool Value) override;
  void SetImeMode(TImeMode Value) override;
  void SetImeName(const TImeName& Value) override;
  void SetMaxLength(Integer Value) override;
  void SetOEMConvert(bool Value) override;
  void SetSelectionChangedHandler(TNotifyEvent Value) override;
  void SetPasswordChar(Char Value) override;
  void SetSelLength(Integer Value) override;
  void SetSelStart(Integer Value) override;
  void SetSelText(const String& Value) override;

  // The owner's effective Properties ask for left alignment while focused.
  bool UseLeftAlignmentOnEditing();
  bool IsAlignmentChanging() const { return FAlignmentChanging; }
  // The selection an IME character found, applied once its WM_CHAR has run.
  void SaveImeSelection();
  void ApplyImeSelection();

 private:
  friend class TkvCustomInnerTextEdit;
  TkvCustomInnerTextEdit* FEdit;
  bool FAlignmentChanging = false;
  Integer FImeSelStart = 0;
  Integer FImeSelLength = 0;
};

// The native single-line EDIT inside a text editor: it does the typing, caret and selection,
// hands focus, keys, mouse, drag and clipboard traffic to its owner, draws no frame nor
// background, and turns left-aligned while focused when the Properties ask for it.
class TkvCustomInnerTextEdit : public TCustomEdit, public IkvContainerInnerControl, public IkvInnerEditProvider {
  TAVREN_CLASS(TkvCustomInnerTextEdit, TCustomEdit)
  TAVREN_MESSAGES()
 public:
  explicit TkvCustomInnerTextEdit(TComponent* AOwner);
  ~TkvCustomInnerTextEdit() override;

  HRESULT QueryInterface(const TInterfaceId& IID, void** Obj) override;
  Integer _AddRef() override { return -1; }
  Integer _Release() override { return -1; }
  TWinControl* InnerControl() override { return this; }
  TkvContainer* HostContainer() override { return GetOwnerEdit(); }
  IkvCustomInnerEdit* ProvidedInnerEdit() override { return FHelper.get(); }

  virtual void InnerMouseEnter(TControl*) {}
  virtual void InnerMouseLeave(TControl* AControl);

  TkvCustomEdit* GetOwnerEdit() const { return FOwnerEdit; }
  TkvCustomInnerTextEditHelper* GetHelper() const { return FHelper.get(); }
  TAlignment GetAlignment() const { return FAlignment; }
  // The alignment the window shows now: left while focused when the switch applies.
  TAlignment GetShownAlignment() const { return FShownAlignment; }
  TkvEditEchoMode GetEchoMode() const { return FEchoMode; }
  Char GetStoredPasswordChar() const { return FStoredPasswordChar; }
  TImeMode GetImeMode() const { return FImeMode; }
  TImeName GetImeName() const { return FImeName; }
  bool GetKeyHandledByOwner() const { return FKeyHandledByOwner; }
  void SetKeyHandledByOwner(bool Value) { FKeyHandledByOwner = Value; }
  TNotifyEvent GetOnSelectionChanged() const { return FOnSelectionChanged; }
  void SetOnSelectionChanged(TNotifyEvent Value) { FOnSelectionChanged = Value; }
  bool IsDoubleClickTimerRunning() const { return FDoubleClickTimer->GetEnabled(); }
  // The character index under the caret, found from the characters' positions.
  Integer CaretCharIndex();
  void SaveState(TkvCustomInnerTextEditPrevState& State, bool WithText);
  bool StateChanged(const TkvCustomInnerTextEditPrevState& State);
  void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;
  bool CanFocus() override;
  void DefaultHandler(TMessage& Message) override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWindowHandle(const TCreateParams& Params) override;
  void CreateHandle() override;
  void WndProc(TMessage& Message) override;
  void Click() override;
  void DblClick() override;
  void DragDrop(TObject* Source, Integer X, Integer Y) override;
  void DragOver(TObject* Source, Integer X, Integer Y, TDragState State, bool& Accept) override;
  bool DoMouseWheel(TShiftState, Integer, TPoint) override { return false; }
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  void KeyUp(Word& Key, TShiftState Shift) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;

  void WMChar(TMessage& Message);
  void WMKeyDown(TMessage& Message);
  void WMImeChar(TMessage& Message);
  void WMImeComposition(TMessage& Message);
  void WMCut(TMessage& Message);
  void WMPaste(TMessage& Message);
  void WMClear(TMessage& Message);
  void WMUndo(TMessage& Message);
  void WMGetDlgCode(TMessage& Message);
  void WMEraseBkgnd(TMessage& Message) { Message.Result = 1; }
  void WMNCPaint(TMessage& Message) { Message.Result = 0; }
  void WMPaint(TMessage& Message);
  void WMSize(TMessage& Message);
  void WMSetFocus(TMessage& Message);
  void WMKillFocus(TMessage& Message);
  void WMLButtonDown(TMessage& Message);
  void WMLButtonDblClk(TMessage& Message);
  void CMMouseEnter(TMessage& Message);
  void CMMouseLeave(TMessage& Message);
  void EMSetSel(TMessage& Message);

 private:
  friend class TkvCustomInnerTextEditHelper;
  IkvInnerTextEditOwner* OwnerExtras();
  bool IsDestroying() const;
  // Left while focused when the switch applies, else the stored alignment; shown at once.
  void UpdateShownAlignment();
  void ApplyShownAlignment(TAlignment Value);
  // The native password character: with echo, the stored one or "*"; without, none.
  void UpdateNativePasswordChar();
  void SetMargins();
  // With automatic drag outside design time, the owner drags instead of the click.
  bool StartedOwnerDrag();
  void DoubleClickTimerTick(TObject*) { FDoubleClickTimer->SetEnabled(false); }

  TkvCustomEdit* FOwnerEdit = nullptr;
  std::unique_ptr<TkvCustomInnerTextEditHelper> FHelper;
  std::unique_ptr<TkvTimer> FDoubleClickTimer;
  TAlignment FAlignment = kvEditDefaultHorzAlignment;
  TAlignment FShownAlignment = kvEditDefaultHorzAlignment;
  TkvEditEchoMode FEchoMode = eemNormal;
  Char FStoredPasswordChar = '\0';
  // Kept and handed on: no input method exists here.
  TImeMode FImeMode = imDontCare;
  TImeName FImeName;
  Integer FBoundsHoldCount = 0;
  // 2 while a double-byte character's lead byte waits, 1 for a single-byte IME character.
  Integer FImeCount = 0;
  Char FPendingLeadByte = '\0';
  bool FKeyHandledByOwner = false;
  bool FCreating = true;
  TNotifyEvent FOnSelectionChanged;
};

class TkvInnerTextEdit : public TkvCustomInnerTextEdit {
  TAVREN_CLASS(TkvInnerTextEdit, TkvCustomInnerTextEdit)
 public:
  using TkvCustomInnerTextEdit::TkvCustomInnerTextEdit;
};

// ---- Editor -----------------------------------------------------------------------------------

// What a text change typed, pasted or cut would give: the text and where the caret goes.
struct TkvTextChange {
  bool Accepted = false;
  String Text;
  Integer Caret = 0;
};

// The single-line text editor, and the base of every editor that types text: the edit value's
// link with the inner edit's text, lookup items with incremental search and completion, the item
// index, clipboard and selection operations.
class TkvCustomTextEdit : public TkvCustomEdit, public IkvFormatListener, public IkvInnerTextEditOwner {
  TAVREN_CLASS(TkvCustomTextEdit, TkvCustomEdit)
  TAVREN_MESSAGES()
 public:
  explicit TkvCustomTextEdit(TComponent* AOwner)
      : TkvCustomTextEdit(AOwner, false, TkvCustomTextEditProperties::ClassInfo()) {}
  ~TkvCustomTextEdit() override;
  HRESULT QueryInterface(const TInterfaceId& IID, void** Obj) override {
    return GetInterface(this, IID, Obj) ? S_OK : E_NOINTERFACE;
  }
  Integer _AddRef() override { return -1; }
  Integer _Release() override { return -1; }
  void FormatChanged() override { PropertiesFormatsChanged(); }

  // What the inner text edit asks of its owner.
  bool GetBeepOnEnter() override { return FBeepOnEnter; }
  bool TakePopupJustClosed() override { return std::exchange(FPopupJustClosed, false); }
  bool IsCompletionPending() override { return FCompletionPending; }
  void SetCompletionPending(bool Value) override;
  void ClearLookupTextChangeLock() override {
    if (FLookupData) FLookupData->SetTextChangeLock(false);
  }
  void DeleteSelectedText() override;
  void UndoHook() override {}
  TWinControl* LookupListControl() override { return FLookupData ? FLookupData->ListControl() : nullptr; }

  // Framework operations.
  void PlaceInnerEdit() override;
  // The container's look sync is the text editor's own.
  void SyncInnerControlLook() override { SyncInnerEditLook(); }
  void GetSizeRequest(TkvEditSizeRequest& Request) override;
  bool InnerEditDisplaysValue() override { return IsInnerEditShown(); }
  bool IsModifyingKey(Word Key, TShiftState Shift) override;
  bool IsModifyingChar(Char Character) override;
  // The arrows, paging, Home and End are the text editor's own (caret, lookup items).
  bool KeepsNavigationKeys() override { return true; }
  void HandleInnerEditChange() override;
  void HandleKeyDown(Word& Key, TShiftState Shift) override;
  void HandleKeyPress(Char& Character) override;
  void ReadDisplayText(String& Text) override;
  bool EditingAllowed() override;
  void EditingValueToEditValue(Variant& Value) override;
  void PutDisplayValue(const Variant& Value) override;
  void ApplyDisplayValue(const Variant& Value) override;
  bool IsCharAllowed(Char Character) override;
  void ApplyPropertiesChange(TObject* Properties) override;
  bool TrySetDisplayText(const String& Text) override;
  void SetDisplayValue(const Variant& Value) override;
  void UpdateDisplayFromEditValue() override;
  void UpdateEditValueFromDisplay() override;
  void RefreshDisplayText() override;
  void BeginInplaceEdit(TkvCustomEditData*& Data) override;
  void ClipboardCopy() override;
  void ClipboardCut() override;
  void ClipboardPaste() override;
  void ConvertDisplayToEditValue(const Variant& Display, Variant& Value, bool EditFocused) override;
  void SelectWholeText() override;
  static TkvCustomEditPropertiesClass GetPropertiesClass() { return TkvCustomTextEditProperties::ClassInfo(); }

  // New operations, in the order descendants know them.
  virtual void PropertiesFormatsChanged();
  virtual void SyncInnerEditLook();
  // What replacing the selection (the whole text in the strict-list style) by NewPart gives.
  virtual TkvTextChange PrepareTextChange(const String& NewPart);
  virtual void CheckValueBounds();
  virtual void ValueBoundsDefined() {}
  virtual void FireNewLookupDisplayText(const String& Text);
  virtual Integer InnerEditTextHeight();
  virtual Integer ItemIndexRead();
  virtual TObject* CurrentItemObject();
  // Whether keys and the wheel move through the lookup items (the combo box's do).
  virtual bool LookupKeysScroll(bool) { return false; }
  virtual void ApplyLookupSelection(TObject* Sender);
  virtual String TextForMessage();
  virtual bool SetTextFromMessage(const String& Text) { return TrySetDisplayText(Text); }
  virtual Variant ItemIndexToKey(Integer Index) { return Variant(Index); }
  virtual Variant LookupKeyToEditValue(const Variant& Key);
  virtual Integer KeyToItemIndex(const Variant& Key);
  virtual bool NeedsFullSynchronize();
  virtual void ResetCompletion();
  virtual void SelectionChangedHook(TObject*) {}
  virtual void SetTextAsUser(const String& Text);
  virtual void ItemIndexWrite(Integer Index);
  virtual void SetDisplayTextAsUser(const String& Text);
  virtual void ResyncDisplay();
  virtual Integer TextLength();
  virtual bool IsInnerEditShown();

  // Selection and caret.
  Integer CurrentSelStart();
  Integer CurrentSelLength();
  void PlaceCaret(Integer Position);
  void SetSelectionLength(Integer Length);
  void SelectRange(Integer Start, Integer Length);
  String SelectedText();
  Integer CaretIndex();

  TkvCustomTextEditProperties* TextProperties() {
    return static_cast<TkvCustomTextEditProperties*>(GetEffectiveProperties());
  }
  TkvCustomTextEditViewInfo* GetTextViewInfo() { return static_cast<TkvCustomTextEditViewInfo*>(GetEditViewInfo()); }
  IkvTextEditLookupData* GetLookupDataIntf() { return FLookupData.get(); }
  TkvCustomTextEditLookupData* GetLookupData() const { return FLookupData.get(); }
  Integer GetItemIndex() { return ItemIndexRead(); }
  void SetItemIndex(Integer Value) { ItemIndexWrite(Value); }
  String GetText();
  void SetText(const String& Value);
  void SetBeepOnEnter(bool Value) { FBeepOnEnter = Value; }
  void SetPopupJustClosed(bool Value) { FPopupJustClosed = Value; }
  void SetCompletionLock(bool Value) { FCompletionLock = Value; }
  void SetHideInnerEdit(bool Value) { FHideInnerEdit = Value; }
  void SetShowInnerEdit(bool Value) { FShowInnerEdit = Value; }
  bool IsDisplaySynchronising() const { return FDisplaySynchronising; }
  bool IsLookupScrolling() const { return FLookupScrolling; }

 protected:
  TkvCustomTextEdit(TComponent* AOwner, bool AInplace, TkvCustomEditPropertiesClass APropertiesClass,
                    TClassOf<TWinControl> AInnerEditClass = TkvInnerTextEdit::ClassInfo());
  void Loaded() override;
  void DoExit() override;
  bool DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos) override;
  void KeyPress(Char& Key) override;
  bool UsesLookup() { return FLookupData && !FLookupData->HasNoItems(); }
  IkvInnerTextEdit* InnerTextEdit() { return dynamic_cast<IkvInnerTextEdit*>(GetInnerEdit()); }
  TCustomEdit* InnerTextControl() { return dynamic_cast<TCustomEdit*>(GetInnerControl()); }
  // Moves the lookup's current item as a user change (keys and the wheel).
  void StepLookup(TkvLookupStep Direction);

  void WMGetText(TMessage& Message);
  void WMGetTextLength(TMessage& Message);
  void WMSetText(TMessage& Message);
  void WMClear(TMessage& Message);

 private:
  bool SearchAllowed();
  // Incremental search of Text; answers whether an item was found.
  bool Search(const String& Text);
  void ApplyCompletion(const String& Typed, const String& Tail);
  void ReformatThousands();

  bool FBeepOnEnter = true;
  bool FCompletionLock = false;
  bool FCompletionPending = false;
  bool FHideInnerEdit = false;
  bool FInternalTextSetting = false;
  bool FDisplaySynchronising = false;
  bool FLookupScrolling = false;
  bool FShowInnerEdit = false;
  String FSavedText;
  bool FPlacing = false;
  bool FPopupJustClosed = false;
  std::unique_ptr<TkvCustomTextEditLookupData> FLookupData;
};

// The text editor as forms and the program use it.
class TkvTextEdit : public TkvCustomTextEdit {
  TAVREN_CLASS(TkvTextEdit, TkvCustomTextEdit)
 public:
  explicit TkvTextEdit(TComponent* AOwner) : TkvCustomTextEdit(AOwner, false, TkvTextEditProperties::ClassInfo()) {}
  TkvTextEdit(TComponent* AOwner, bool AInplace)
      : TkvCustomTextEdit(AOwner, AInplace, TkvTextEditProperties::ClassInfo()) {}
  static TkvCustomEditPropertiesClass GetPropertiesClass() { return TkvTextEditProperties::ClassInfo(); }
  TkvTextEditProperties* GetTextEditProperties() const {
    return static_cast<TkvTextEditProperties*>(GetProperties());
  }
  void SetTextEditProperties(TkvTextEditProperties* Value) { SetProperties(Value); }
  TkvTextEditProperties* GetActiveTextEditProperties() {
    return static_cast<TkvTextEditProperties*>(GetEffectiveProperties());
  }
};

// ---- Filter rows ------------------------------------------------------------------------------

class TkvFilterTextEditHelper : public TkvCustomFilterEditHelper {
  TAVREN_CLASS(TkvFilterTextEditHelper, TkvCustomFilterEditHelper)
 public:
  // Also selects the whole text on entry, hides the selection outside focus and shows the text.
  void InitFilterProperties(TkvCustomEditProperties* Properties, TkvCustomEditProperties* Source,
                            bool KeepButtons) override;
  void WriteFilterValue(TkvCustomEdit* Editor, TkvCustomEditProperties*, const Variant& Value) override {
    Editor->SetEditValue(Value);
  }
};

// ---- Unit -------------------------------------------------------------------------------------

// After kvEditStart: registers the text Properties and their filter helper.
void kvTextEditStart();
void kvTextEditEnd();
