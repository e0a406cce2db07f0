#pragma once
// The text editor kind's settings, also the base of every editor that types text:
//  - TkvTextEditPropertiesValues: which display format, edit format and max length were set;
//  - TkvCustomTextEditProperties: character case, password echo, max length, lookup items,
//    display and edit formats, value bounds and the rules that turn an edit value into text;
//  - TkvTextEditProperties: the settings the text editor publishes;
//  - TkvCustomTextEditLookupData: the lookup texts behind a text editor, its current key and the
//    prefix search of incremental search and completion;
//  - TkvFilterTextEditHelper: the text editor as the value field of a filter row;
//  - thousand separators for numeric editing texts;
//  - the unit's start and end.
//
// Sources: kvTextEditProperties.cpp, kvTextEditLookupData.cpp, kvTextEditNumbers.cpp,
// kvTextEditUnit.cpp.

#include <bitset>
#include <memory>

#include "rtl/FormatSettings.h"
#include "rtl/StringList.h"
#include "vcl/ImeTypes.h"
#include "toolkit/editors/kvDrawTextUtils.h"
#include "toolkit/editors/kvEdit.h"
#include "toolkit/editors/kvEditFilterHelpers.h"
#include "toolkit/editors/kvFormats.h"

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
  explicit TkvCustomTextEditLookupData(TPersistent* AOwner) : TkvInterfacedPersistent(AOwner) {}
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

  virtual bool HasShownInnerEdit();
  virtual Integer MaxLines() { return MaxLineCount; }
  virtual bool UsesNativeTextLook() { return false; }
  virtual void CalculateTextFlags(TkvCanvas* Canvas, TkvCustomTextEditViewInfo* ViewInfo);
  virtual void SetViewInfoText(const Variant& Value, TkvCustomTextEditViewInfo* ViewInfo);
  virtual Cardinal TextFlags();
  virtual TRect ContentOffsets() { return TextEditContentOffsets(); }
  // Whether the editor's popup is open; only drop-down editors have one.
  virtual bool EditorPopupOpen() { return false; }

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
