#pragma once
// The month calendar: a grid of six weeks under a header with arrows and the month caption,
// optional week numbers, a bar of buttons (Today, Now, Clear, OK) and, in the date-and-time kind,
// a time panel with an analogue clock and a time edit; the small list of months that opens over
// the month caption; the clock. And the date edit, which drops the calendar down.
//
// Sources: kvCalendarLayout.cpp (metrics, layout, painting), kvCalendarInput.cpp (keys, mouse,
// arrows, buttons, the clock), kvCalendarMonthList.cpp (the month list),
// kvCalendarDateEditProperties.cpp (the date edit's settings, texts and validation),
// kvCalendarDateEdit.cpp (the date edit, its popup and popup calendar, the unit).

#include <memory>

#include "rtl/DateUtils.h"
#include "rtl/Sets.h"
#include "toolkit/editors/kvButtons.h"
#include "toolkit/editors/kvDropDownEdit.h"
#include "toolkit/editors/kvDateUtils.h"
#include "toolkit/editors/kvTimeEdit.h"

enum TkvCalendarKind { ckDate, ckDateTime };
TAVREN_ENUM_INFO(TkvCalendarKind, ckDate, ckDateTime);
enum TCalendarButton { btnClear, btnNow, btnToday, btnOk };
TAVREN_ENUM_INFO(TCalendarButton, btnClear, btnNow, btnToday, btnOk);
using TDateButton = TCalendarButton;
using TDateButtons = TSet<TDateButton, 3>;

// Whether the calendar can take a date: the null date, or one from the first day of the base year
// to the end of 9999.
bool IsCalendarDateUsable(TDateTime Value);

// An analogue clock face, drawn by the look-and-feel painter.
class TkvClock : public TkvControl {
  TAVREN_CLASS(TkvClock, TkvControl)
 public:
  explicit TkvClock(TComponent* AOwner);
  TColor GetMinuteDotColor() const { return FMinuteDotColor; }
  void SetMinuteDotColor(TColor Value);
  // Only the time of day is kept.
  TDateTime GetTime() const { return FTime; }
  void SetTime(TDateTime Value);

 protected:
  void Paint() override;

 private:
  TColor FMinuteDotColor = clWindow;
  TDateTime FTime = 0;
};

class TkvCustomCalendar;

// The popup list of months over the calendar's month caption: a scrolling list of seven months
// around the one shown, or a pick list of the months of the year shown.
class TkvMonthListBox : public TkvCustomPopupWindow {
  TAVREN_CLASS(TkvMonthListBox, TkvCustomPopupWindow)
 public:
  explicit TkvMonthListBox(TkvCustomCalendar* ACalendar);
  ~TkvMonthListBox() override;

  void Open();
  // Releases the mouse, stops scrolling and, in the scrolling list, shows the hot row's month.
  void CloseList();
  bool IsScrolling() const { return FScrolling; }
  Integer GetHotRow() const { return FHotRow; }
  Integer RowCount() const { return FScrolling ? 7 : FMonthCount; }
  // The month a row stands for (its first day), or the null date when the table cannot show it.
  TDateTime RowMonth(Integer Row);
  TkvTimer* GetScrollTimer() const { return FTimer.get(); }
  // The month the scrolling list is centred on.
  TDateTime GetTopMonth() const { return FCentre; }

 protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void KeyDown(Word& Key, TShiftState Shift) override;

 private:
  void SetHotRow(Integer Row);
  void ScrollTick(TObject*);
  Integer RowHeight() const { return FRowHeight; }

  TkvCustomCalendar* FCalendar;
  std::unique_ptr<TkvTimer> FTimer;
  bool FScrolling = true;
  Integer FMonthCount = 12;
  Integer FHotRow = -1;
  Integer FRowHeight = 12;
  Integer FScrollDirection = 0;
  TDateTime FCentre = 0;
};

// The layout the calendar computes from its font.
struct TkvCalendarMetrics {
  Integer WeekNumberWidth = 0;
  Integer ColumnWidth = 0;
  Integer SideMargin = 0;
  Integer RowHeight = 0;
  Integer HeaderHeight = 0;
  Integer DayNamesHeight = 0;
  Integer ButtonWidth = 0;
  Integer ButtonHeight = 0;
  Integer Gap = 0;
  Integer BarHeight = 0;
  Integer PanelOffset = 0;
  Integer BarGap = 0;
  Integer WeekColumn = 0;
  Integer GridWidth = 0;
  Integer ClockSize = 0;
  Integer PanelWidth = 0;
  TSize Size;
};

// Hot header parts.
constexpr Integer chpNone = 0;
constexpr Integer chpMonth = 1;
constexpr Integer chpYear = 2;

// Header arrows.
enum TkvCalendarArrow { caNoArrow = -1, caPrevMonth, caNextMonth, caPrevYear, caNextYear };

class TkvCustomCalendar : public TkvControl {
  TAVREN_CLASS(TkvCustomCalendar, TkvControl)
  TAVREN_MESSAGES()
 public:
  explicit TkvCustomCalendar(TComponent* AOwner);
  ~TkvCustomCalendar() override;

  bool CanResize(Integer& NewWidth, Integer& NewHeight) override;
  bool ErasesBackground() override;
  void SetParent(TWinControl* AParent) override;

  // New operations, in the order descendants know them.
  virtual void CalcLayout();
  virtual void UpdateHotPart();
  Integer GapSize() { return FMetrics.Gap; }
  virtual TDateTime LastDayOfMonthShown();
  virtual TDateTime FirstGridDate();
  virtual TDateTime LastGridDate();
  virtual TSize CalcSize() { return FMetrics.Size; }
  // Stops the timers and closes a showing month list.
  virtual void CloseUp(TkvEditCloseUpReason Reason);
  // The day under a client point of the grid, else the null date.
  virtual TDateTime DateAtPoint(const TPoint& P);
  virtual void SetDisplayedMonth(TDateTime Value);
  // Selects the date and shows its month.
  virtual void SetSelectedDate(TDateTime Value);

  // Selects without moving the month shown.
  void SelectDate(TDateTime Value, bool FollowMonth);
  void PressArrow(TkvCalendarArrow Arrow);
  // The button of a tag acts as clicked: 0 Clear, 1 Now, 2 Today, 3 OK.
  void ClickButton(Integer Tag);
  TkvCustomCalendarTable* GetTable() const { return FTable.get(); }
  TDateTime GetDisplayedMonth() const { return FDisplayedMonth; }
  TDateTime GetSelectedDate() const { return FSelectedDate; }
  TkvCalendarKind GetKind() const { return FKind; }
  void SetKind(TkvCalendarKind Value);
  bool GetArrowsForYear() const { return FArrowsForYear; }
  void SetArrowsForYear(bool Value);
  TDateButtons GetDateButtons() const { return FDateButtons; }
  void SetDateButtons(TDateButtons Value);
  bool GetFlat() const { return FFlat; }
  void SetFlat(bool Value);
  bool GetWeekNumbers() const { return FWeekNumbers; }
  void SetWeekNumbers(bool Value);
  bool GetYearsInMonthList() const { return FYearsInMonthList; }
  void SetYearsInMonthList(bool Value) { FYearsInMonthList = Value; }
  // The time panel's layout.
  void SetTimeFormat(TkvTimeEditTimeFormat Format, bool Use24Hour);
  Integer GetHotPart() const { return FHotPart; }
  const TkvCalendarMetrics& GetMetrics() const { return FMetrics; }
  TkvButton* GetButton(TCalendarButton Button) const { return FButtons[Button]; }
  TkvTimeEdit* GetTimeEdit() const { return FTimeEdit; }
  TkvClock* GetClock() const { return FClock; }
  TkvMonthListBox* GetMonthList() const { return FMonthList.get(); }
  TkvTimer* GetArrowTimer() const { return FArrowTimer.get(); }
  TRect GetArrowRect(TkvCalendarArrow Arrow) const { return Arrow == caNoArrow ? TRect() : FArrowRects[Arrow]; }
  TRect GetMonthCaptionRect() const { return FMonthCaption; }
  TRect GetYearCaptionRect() const { return FYearCaption; }
  // The client rectangle of the day grid (below the day names).
  TRect GetGridRect() const;
  TkvCustomLookAndFeelPainterClass Painter();
  // Run when a date is chosen (buttons, Enter, a click on a day).
  TNotifyEvent GetOnDateChosen() const { return FOnDateChosen; }
  void SetOnDateChosen(TNotifyEvent Value) { FOnDateChosen = Value; }

 protected:
  void Paint() override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void DblClick() override;
  bool DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos) override;
  void FireMouseEnter(TControl* AControl) override;
  void FireMouseLeave(TControl* AControl) override;
  void CMFontChanged(TMessage& Message);
  void LookAndFeelUpdated(TkvLookAndFeel* Sender, TkvLookAndFeelValues ChangedValues) override;
  void FireDateChosen() { FOnDateChosen(this); }
  // Whether the header's hot part follows the mouse now.
  virtual bool TracksHotPart() { return true; }

 private:
  void ButtonClicked(TObject* Sender);
  void TimeChanged(TObject* Sender);
  void ArrowTick(TObject* Sender);
  TkvCalendarArrow ArrowAt(const TPoint& P) const;
  void PlaceChildren();
  void PlaceHeader();
  bool ShowsButtonBar();
  // The Office-11 painter's calendar has a flatter header standing apart as a band.
  bool PaintsOffice11();
  // Whether the header strips are drawn by the skin or the native theme.
  bool HasThemedHeader();
  void PaintHeaderBackground(TkvCanvas* Canvas, const TRect& R);
  void PaintTimeCaption(TkvCanvas* Canvas);
  void PaintHeader(TkvCanvas* Canvas);
  void PaintDayNames(TkvCanvas* Canvas);
  void PaintDays(TkvCanvas* Canvas);
  void PaintWeekNumbers(TkvCanvas* Canvas);
  void PaintButtonBar(TkvCanvas* Canvas);
  TColor HeaderColor();
  TDateTime ClockTime();

  std::unique_ptr<TkvCustomCalendarTable> FTable;
  TDateTime FDisplayedMonth = 0;
  TDateTime FSelectedDate = 0;
  TkvCalendarKind FKind = ckDate;
  bool FArrowsForYear = true;
  TDateButtons FDateButtons{btnClear, btnToday};
  bool FFlat = true;
  bool FWeekNumbers = false;
  bool FYearsInMonthList = true;
  TkvButton* FButtons[4] = {};
  TkvTimeEdit* FTimeEdit = nullptr;
  TkvClock* FClock = nullptr;
  std::unique_ptr<TkvMonthListBox> FMonthList;
  std::unique_ptr<TkvTimer> FArrowTimer;
  TkvCalendarArrow FPressedArrow = caNoArrow;
  Integer FHotPart = chpNone;
  TkvCalendarMetrics FMetrics;
  TRect FHeader, FMonthCaption, FYearCaption, FTimeCaption;
  TRect FArrowRects[4];
  TRect FBar;
  bool FLayingOut = false;
  TNotifyEvent FOnDateChosen;
};

// ---- Date edit -------------------------------------------------------------------------------

// What an unreadable text becomes when no OnValidate handler decides.
enum TDateOnError { deNoChange, deToday, deNull };
TAVREN_ENUM_INFO(TDateOnError, deNoChange, deToday, deNull);
// Free text read by the smart date input, the locale's fixed-width mask, or its
// regular-expression mask.
enum TkvInputKind { ikStandard, ikMask, ikRegExpr };
TAVREN_ENUM_INFO(TkvInputKind, ikStandard, ikMask, ikRegExpr);

class TkvCustomDateEdit;

// The calendar in the date edit's popup: its keys close the popup, and a drag that leaves it puts
// the edit's date back.
class TkvPopupCalendar : public TkvCustomCalendar {
  TAVREN_CLASS(TkvPopupCalendar, TkvCustomCalendar)
 public:
  using TkvCustomCalendar::TkvCustomCalendar;
  // Then the close-up event with the reason.
  void CloseUp(TkvEditCloseUpReason Reason) override;
  // The keys that close the popup (Enter, Esc, Alt+Up, Alt+Down, F4), also when they reach the
  // popup from another of its controls.
  void PopupKey(Word& Key, TShiftState Shift);

  TkvCustomDateEdit* GetDateEdit() const { return FDateEdit; }
  void SetDateEdit(TkvCustomDateEdit* Value) { FDateEdit = Value; }
  TkvEditClosePopupEvent GetOnCloseUp() const { return FOnCloseUp; }
  void SetOnCloseUp(TkvEditClosePopupEvent Value) { FOnCloseUp = Value; }

 protected:
  void KeyDown(Word& Key, TShiftState Shift) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  bool TracksHotPart() override;

 private:
  TkvCustomDateEdit* FDateEdit = nullptr;
  TkvEditClosePopupEvent FOnCloseUp;
};

// Adds the DateButtons and InputKind flags to the text editor's.
class TkvDateEditPropertiesValues : public TkvTextEditPropertiesValues {
  TAVREN_CLASS(TkvDateEditPropertiesValues, TkvTextEditPropertiesValues)
 public:
  using TkvTextEditPropertiesValues::TkvTextEditPropertiesValues;
  void Assign(TPersistent* Source) override;
  void ClearAssigned() override;

  bool GetDateButtons() const { return FDateButtons; }
  void SetDateButtons(bool Value);
  bool GetInputKind() const { return FInputKind; }
  void SetInputKind(bool Value);

 private:
  bool FDateButtons = false;
  bool FInputKind = false;
};

// The standard-mask mode of the date edit: the time items of a date-and-time mask blank to '0'
// (the designator to nothing), so the time shows as zeros.
class TkvDateEditMaskStandardMode : public TkvMaskEditStandardMode {
  TAVREN_CLASS(TkvDateEditMaskStandardMode, TkvMaskEditStandardMode)
 public:
  using TkvMaskEditStandardMode::TkvMaskEditStandardMode;
  String BlankFor(Integer Position) override;
};

class TkvCustomDateEditProperties : public TkvCustomPopupEditProperties {
  TAVREN_CLASS(TkvCustomDateEditProperties, TkvCustomPopupEditProperties)
 public:
  explicit TkvCustomDateEditProperties(TPersistent* AOwner);
  void Assign(TPersistent* Source) override;
  TkvCustomEditPropertiesValuesClass GetAssignedValuesClass() override;
  TClass GetEditorClass() override;
  // Rebuilds the mask unless changes are locked.
  void NotifyChanged() override;
  // Null, dates and numbers; texts that read as a date.
  bool AcceptsEditValue(const Variant& Value) override;
  // Null and the null date show nothing; a value that is no date raises EConvertError "Could not
  // convert to date".
  void MakeDisplayValue(const Variant& EditValue, Variant& DisplayValue, bool Editing) override;
  // Whether the display conversion takes a value: no value, a date, a number, or a text that
  // reads as a date.
  bool CanShowEditValue(const Variant& EditValue);
  // "Invalid Date", settled by OnValidate or DateOnError; a date outside the bounds in force is
  // the range error. The text of a date that passes is rewritten as the date's text.
  void CheckDisplayValue(Variant& DisplayValue, String& ErrorText, bool& Error, TkvCustomEdit* Editor) override;
  // A bound of 0 is no bound; with both set, both hold exactly when MaxDate > MinDate.
  bool IsBoundDefined(Integer Which) override;
  // The value has a range: the editor pulls its date back inside when the bounds change.
  bool IsValueNumeric() override { return true; }
  bool AcceptsTextValue(Variant& Value, bool Editing) override;
  TkvMaskEditModeClass GetModeClass(TkvEditMaskKind Kind) override;
  bool PostsAfterClose() override { return true; }
  TClassOf<TkvCustomEditPopupWindow> PopupWindowClass() override;
  bool PopupFitsWorkArea() override { return false; }

  // The date a text stands for: Null for the empty texts and, unless DateOnError is deToday, for
  // a text that is no date.
  Variant TextToDate(const String& Text);
  // The text of a value, focused or not (the display conversion as a string).
  String DateText(const Variant& Value, bool Focused);
  // The text of an empty editor; focused under the locale's date-and-time mask its time shows as
  // zeros.
  String EmptyText(bool Focused);
  // Whether a value's time of day shows.
  bool ShowsTime(bool Focused, TDateTime Value);
  // Whether the mask is the locale's standard date-and-time mask, whose time items type as the
  // time edit's; the time item at a 1-based position (false outside them).
  bool HasTimeItems();
  bool TimeItemAt(Integer Position, TkvTimeItemPlace& Place);
  // The smart date input: the smart parser first where the calendar takes masks, then the
  // locale conversion.
  bool ReadDate(const String& Text, TDateTime& Value);

  TkvDateEditPropertiesValues* GetDateAssignedValues();
  bool GetArrowsForYear() const { return FArrowsForYear; }
  void SetArrowsForYear(bool Value) { Store(FArrowsForYear, Value); }
  // By Kind unless assigned: Clear and Today for dates, Clear and Now with the time.
  TDateButtons GetDateButtons();
  void SetDateButtons(TDateButtons Value);
  bool IsDateButtonsStored() { return GetDateAssignedValues()->GetDateButtons(); }
  TDateOnError GetDateOnError() const { return FDateOnError; }
  void SetDateOnError(TDateOnError Value) { Store(FDateOnError, Value); }
  // ikStandard whenever the locale's calendar cannot take masks; else the assigned kind, or by
  // Kind.
  TkvInputKind GetInputKind();
  void SetInputKind(TkvInputKind Value);
  bool IsInputKindStored() { return GetDateAssignedValues()->GetInputKind(); }
  TkvCalendarKind GetKind() const { return FKind; }
  void SetKind(TkvCalendarKind Value) { Store(FKind, Value); }
  TDateTime GetMaxDate() { return GetMaxValue(); }
  void SetMaxDate(TDateTime Value) { SetMaxValue(Value); }
  TDateTime GetMinDate() { return GetMinValue(); }
  void SetMinDate(TDateTime Value) { SetMinValue(Value); }
  bool GetSaveTime() const { return FSaveTime; }
  void SetSaveTime(bool Value) { Store(FSaveTime, Value); }
  bool GetShowTime() const { return FShowTime; }
  void SetShowTime(bool Value) { Store(FShowTime, Value); }
  bool GetWeekNumbers() const { return FWeekNumbers; }
  void SetWeekNumbers(bool Value) { Store(FWeekNumbers, Value); }
  bool GetYearsInMonthList() const { return FYearsInMonthList; }
  void SetYearsInMonthList(bool Value) { Store(FYearsInMonthList, Value); }

 private:
  void BuildMask();
  // The date a value that is no empty value stands for; false when it stands for none.
  bool ValueToDate(const Variant& EditValue, TDateTime& Value);

  bool FArrowsForYear = true;
  TDateButtons FDateButtons{btnClear, btnToday};
  TDateOnError FDateOnError = deNoChange;
  TkvInputKind FInputKind = ikRegExpr;
  TkvCalendarKind FKind = ckDate;
  bool FSaveTime = true;
  bool FShowTime = true;
  bool FWeekNumbers = false;
  bool FYearsInMonthList = true;
  bool FBuildingMask = false;
};

class TkvDateEditProperties : public TkvCustomDateEditProperties {
  TAVREN_CLASS(TkvDateEditProperties, TkvCustomDateEditProperties)
 public:
  using TkvCustomDateEditProperties::TkvCustomDateEditProperties;
  void SetAlignmentProp(TkvEditAlignment* Value) { SetAlignment(Value); }
};

// The date edit's popup: the closing keys reach the calendar from its buttons and time edit too.
class TkvDateEditPopupWindow : public TkvPopupEditPopupWindow {
  TAVREN_CLASS(TkvDateEditPopupWindow, TkvPopupEditPopupWindow)
 public:
  using TCreateArg = TControl*;
  explicit TkvDateEditPopupWindow(TControl* OwnerControl);

 protected:
  void KeyDown(Word& Key, TShiftState Shift) override;
};

// A drop-down editor of a date, or a date and time: typed, or picked in the calendar.
class TkvCustomDateEdit : public TkvCustomPopupEdit {
  TAVREN_CLASS(TkvCustomDateEdit, TkvCustomPopupEdit)
 public:
  explicit TkvCustomDateEdit(TComponent* AOwner)
      : TkvCustomDateEdit(AOwner, false, TkvCustomDateEditProperties::ClassInfo()) {}
  ~TkvCustomDateEdit() override;
  static TkvCustomEditPropertiesClass GetPropertiesClass() { return TkvCustomDateEditProperties::ClassInfo(); }
  TkvCustomDateEditProperties* DateProperties() {
    return static_cast<TkvCustomDateEditProperties*>(GetEffectiveProperties());
  }

  void EditingValueToEditValue(Variant& Value) override;
  // In ckDate kind the value's time of day is kept for SaveTime. A value that stands for no date
  // leaves the editor empty and raises EConvertError, so the editor never holds what it cannot show.
  void StoreEditValue(const Variant& Value) override;
  void ResetEditValue() override { SetDate(kvNullDate); }
  // Texts as the text editor takes them; a value (a date, or Null for no date) is set as the edit
  // value without touching the modified flags.
  void ApplyDisplayValue(const Variant& Value) override;
  // The text's date; in ckDate kind with SaveTime its time is the kept one.
  void ConvertDisplayToEditValue(const Variant& Display, Variant& Value, bool EditFocused) override;
  // Keys in the time items of a date-and-time mask follow the time edit's rules.
  bool AcceptsCharAt(String& Ch, Integer Position) override;
  bool CanOpenPopup() override { return true; }
  // Makes the calendar on first use and hosts it.
  void PreparePopup() override;
  // Sets the calendar up for the editor's date and settings.
  void ConfigurePopupWindow() override;
  void AfterPopupShow(TObject* Sender) override;
  void AfterPopupClose(TObject* Sender) override;
  // The value is the date, never the text: a form's text is made again from the value read.
  void ReformatText() override { UpdateDisplayFromEditValue(); }
  // The mask shapes the text only while the editor has the focus: unfocused, a date shows as the
  // locale writes it and no date as nothing, for the mask's blanks are a typing aid.
  void SetDisplayValue(const Variant& Value) override;
  // A date outside the bounds in force becomes the bound it crossed, as the user's change when the
  // user has edited the value.
  void ValueBoundsDefined() override;

  // New operations, in the order descendants know them.
  virtual void CreateCalendar();
  // The null date for no value.
  TDateTime GetDate();
  void SetDate(TDateTime Value);

  TkvPopupCalendar* GetCalendar() const { return FCalendar; }
  TDateTime GetSavedDate() const { return FSavedDate; }
  TDateTime GetSavedTime() const { return FSavedTime; }
  void SetSavedTime(TDateTime Value) { FSavedTime = Value; }

 protected:
  TkvCustomDateEdit(TComponent* AOwner, bool AInplace, TkvCustomEditPropertiesClass APropertiesClass);

 private:
  // The date shown now: while the user edits, the text's.
  TDateTime CurrentDate();
  void DateChosen(TObject* Sender);
  void CalendarClosed(TObject* Sender, TkvEditCloseUpReason Reason);

  TkvPopupCalendar* FCalendar = nullptr;
  TDateTime FSavedDate = kvNullDate;
  TDateTime FSavedTime = 0;
};

class TkvDateEdit : public TkvCustomDateEdit {
  TAVREN_CLASS(TkvDateEdit, TkvCustomDateEdit)
 public:
  explicit TkvDateEdit(TComponent* AOwner) : TkvCustomDateEdit(AOwner, false, TkvDateEditProperties::ClassInfo()) {}
  TkvDateEdit(TComponent* AOwner, bool AInplace)
      : TkvCustomDateEdit(AOwner, AInplace, TkvDateEditProperties::ClassInfo()) {}
  static TkvCustomEditPropertiesClass GetPropertiesClass() { return TkvDateEditProperties::ClassInfo(); }
  TkvDateEditProperties* GetDateEditProperties() const { return static_cast<TkvDateEditProperties*>(GetProperties()); }
  void SetDateEditProperties(TkvDateEditProperties* Value) { SetProperties(Value); }
};

class TkvFilterDateEditHelper : public TkvFilterDropDownEditHelper {
  TAVREN_CLASS(TkvFilterDateEditHelper, TkvFilterDropDownEditHelper)
 public:
  TClass FilterEditorClass() override { return TkvDateEdit::ClassInfo(); }
  TkvFilterOperators FilterOperatorSet(TkvValueTypeClass ValueType, bool Extended) override;
  // Clear and Today, an unreadable text as no date, the regular-expression mask, SaveTime.
  void InitFilterProperties(TkvCustomEditProperties* Properties, TkvCustomEditProperties* Source,
                            bool KeepButtons) override;
};

void kvCalendarStart();
void kvCalendarEnd();
