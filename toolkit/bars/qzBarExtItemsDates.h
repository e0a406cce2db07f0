#pragma once
// The date items: the date combo (a date as text with bounds, the week day in front, "+" and "-"
// to step it) and the month calendar it drops down and shows in its dialog, with the list of
// months that opens over the calendar's caption.

#include <memory>

#include "toolkit/bars/qzBarItemControlCombos.h"
#include "vcl/Controls.h"

// No date at all.
constexpr TDateTime NullDate = -700000;

class TqzBarDateCombo;
class TAMonthListBox;

// ---- Calendar windows -----------------------------------------------------------------------

// The selection model of a calendar window: the first month shown, the selected range, the date
// a drag started from; a press picks the date under it.
class TqzBarCustomCalendar : public TCustomControl {
  TAVREN_CLASS(TqzBarCustomCalendar, TCustomControl)
 public:
  explicit TqzBarCustomCalendar(TComponent* AOwner);

  virtual Byte GetStyle() { return FStyle; }
  virtual TDateTime GetFirstVisibleDate() { return FFirstDate; }
  virtual TDateTime GetLastVisibleDate() { return GetLastDate(); }
  virtual TDateTime GetLastDate() = 0;
  // The smaller and the larger end of the selection.
  virtual TDateTime GetSelStart();
  virtual TDateTime GetSelFinish();
  virtual void SetFirstDate(TDateTime ADate);
  virtual void SelectDate(TDateTime ADate);
  virtual void SetSelFinish(TDateTime ADate);
  virtual void EnsureSelectionVisible() = 0;
  // The date under a client point, NullDate for none.
  virtual TDateTime PosToDateTime(const TPoint& P) = 0;

  TDateTime GetFirstDate() const noexcept { return FFirstDate; }
  // 0 plain with a sunken client edge, 1 framed with a 3-D edge, 2 flat with a single line.
  Byte GetStyleValue() const noexcept { return FStyle; }
  void SetStyle(Byte Value);
  TNotifyEvent GetOnDateSelected() const { return FOnDateSelected; }
  void SetOnDateSelected(TNotifyEvent Value) { FOnDateSelected = Value; }

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  virtual void DateSelected() { FOnDateSelected(this); }

  TDateTime FFirstDate;
  TDateTime FSelStart;
  TDateTime FSelFinish;
  TDateTime FDragDate = NullDate;
  Byte FStyle = 1;
  // Set by a double click until the next press.
  bool FDoubleClicked = false;

 private:
  TNotifyEvent FOnDateSelected;
};

// One month with a header and its arrows, the week days and six weeks, and in the popup the
// "Today" and "Clear" buttons.
class TqzBarDateNavigator : public TqzBarCustomCalendar {
  TAVREN_CLASS(TqzBarDateNavigator, TqzBarCustomCalendar)
  TAVREN_MESSAGES()
 public:
  TqzBarDateNavigator(TComponent* AOwner, TqzBarDateCombo* ACombo, bool AIsPopup);
  ~TqzBarDateNavigator() override;

  Byte GetStyle() override;
  TDateTime GetFirstVisibleDate() override;
  TDateTime GetLastDate() override;
  TDateTime GetLastVisibleDate() override;
  void SetFirstDate(TDateTime ADate) override;
  void SetSelFinish(TDateTime ADate) override;
  void EnsureSelectionVisible() override;
  TDateTime PosToDateTime(const TPoint& P) override;

  // 0 is the column of the locale's first week day.
  Integer WeekdayIndex(TDateTime ADate);
  // Ends a press: the capture goes, the arrow timer stops, the month list closes, the buttons
  // are released.
  void CancelMode();

  TqzBarDateCombo* GetCombo() const noexcept { return FCombo; }
  bool GetIsPopup() const noexcept { return FIsPopup; }
  bool GetShowTodayButton() const noexcept { return FShowTodayButton; }
  void SetShowTodayButton(bool Value);
  bool GetShowClearButton() const noexcept { return FShowClearButton; }
  void SetShowClearButton(bool Value);
  TAMonthListBox* GetMonthList() const noexcept { return FMonthList.get(); }
  // The popup belongs to the bar window it drops from; a new owner makes the window anew.
  void SetOwnerWindow(HWND AWindow);
  // The arrow timer's identifier (1 back, 2 on), 0 while none runs.
  UINT_PTR GetArrowTimer() const noexcept { return FArrowTimer; }

  // Rectangles in client coordinates.
  TRect HeaderRect();
  TRect CalendarRect();
  TRect MonthCaptionRect();
  TRect LeftArrowRect();
  TRect RightArrowRect();
  TRect TodayButtonRect();
  TRect ClearButtonRect();
  Integer GetButtonHeight() const noexcept { return FButtonHeight; }
  Integer GetTodayButtonWidth() const noexcept { return FTodayWidth; }

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void DblClick() override;
  void KeyDown(Word& Key, TShiftState Shift) override;

 private:
  bool ShowsButtons() const { return FIsPopup && (FShowTodayButton || FShowClearButton); }
  // Recomputes the metrics from the font and sizes the window.
  void UpdateMetrics();
  // The months the arrow steps: -1 back, 1 on.
  void StepMonth(Integer ADelta);
  void OpenMonthList(const TRect& ACaption);
  void StopArrowTimer();
  class TqzBarPainter* Painter();
  void PaintHeader(TCanvas* ACanvas, HRGN ARest);
  void PaintDays(TCanvas* ACanvas, HRGN ARest);
  void PaintButtons(TCanvas* ACanvas, HRGN ARest);
  TColor SelectedCellColor();
  void WMNCCalcSize(TMessage& Message);
  void WMNCPaint(TMessage& Message);
  void WMCancelMode(TMessage& Message);
  void WMCaptureChanged(TMessage& Message);
  void CMFontChanged(TMessage& Message);
  void WMMouseActivate(TMessage& Message);
  void WMTimer(TMessage& Message);

  TqzBarDateCombo* FCombo;
  bool FIsPopup;
  bool FShowTodayButton = true;
  bool FShowClearButton = false;
  Integer FColWidth = 0;
  Integer FSideWidth = 0;
  Integer FRowHeight = 0;
  Integer FHeaderHeight = 0;
  Integer FDaysHeight = 0;
  Integer FTodayWidth = 0;
  Integer FClearWidth = 0;
  Integer FButtonOffset = 0;
  Integer FButtonHeight = 0;
  Integer FButtonRegionHeight = 0;
  std::unique_ptr<TAMonthListBox> FMonthList;
  // The month the list's rows count from lies this many months before the pressed one.
  Integer FListOffset = 0;
  UINT_PTR FArrowTimer = 0;
  HWND FOwnerWindow = nullptr;
  bool FTodayActive = false;
  bool FTodayPressed = false;
  bool FClearActive = false;
  bool FClearPressed = false;
};

// Seven months in a row that scroll while the mouse is held above or below the list.
class TAMonthListBox : public TCustomControl {
  TAVREN_CLASS(TAMonthListBox, TCustomControl)
  TAVREN_MESSAGES()
 public:
  explicit TAMonthListBox(TComponent* AOwner);
  ~TAMonthListBox() override;

  TDateTime GetTopDate() const noexcept { return FTopDate; }
  void SetTopDate(TDateTime Value);
  Integer GetItemIndex() const noexcept { return FItemIndex; }
  Integer GetItemHeight() const noexcept { return FItemHeight; }
  // The highlighted month (its first day), NullDate without one.
  TDateTime GetDate();
  // The scroll timer's interval, 0 while none runs.
  UINT GetScrollInterval() const noexcept { return FTimerInterval; }
  // A move in client coordinates: a row highlights, or the list scrolls from outside.
  void TrackMouse(const TPoint& P);
  // The row height the calendar's header gives; the list sizes itself to seven rows six of the
  // calendar's columns wide.
  void SetMetrics(Integer AItemHeight, Integer AColumnWidth);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;

 private:
  void SetItemIndex(Integer AIndex);
  void StopTimer();
  void WMTimer(TMessage& Message);
  void WMEraseBkgnd(TMessage& Message);
  void WMMouseActivate(TMessage& Message);

  TDateTime FTopDate = NullDate;
  Integer FItemIndex = -1;
  Integer FItemHeight = 0;
  UINT_PTR FTimerId = 0;
  UINT FTimerInterval = 0;
};

// ---- Date combo -----------------------------------------------------------------------------

enum TqzBarDateOnStart { bdsToday, bdsNullDate, bdsCustom };
TAVREN_ENUM_INFO(TqzBarDateOnStart, bdsToday, bdsNullDate, bdsCustom);

class TqzBarDateCombo : public TCustomqzBarCombo {
  TAVREN_CLASS(TqzBarDateCombo, TCustomqzBarCombo)
 public:
  explicit TqzBarDateCombo(TComponent* AOwner);
  ~TqzBarDateCombo() override;

  // The short day name and a blank when ShowDayText, then the locale's date; empty for NullDate.
  String FormatDateText(TDateTime ADate) const;
  // A leading short day name with its blank is dropped; what is not a date gives NullDate.
  TDateTime ParseDateText(const String& AText) const;
  // Within the bounds that are set (a bound of 0 is none).
  TDateTime ClampDate(TDateTime ADate) const;
  TDateTime GetDate() const { return ParseDateText(GetText()); }
  void SetDate(TDateTime ADate);

  // Stored normalized; a text from outside makes the item start with it.
  void SetText(const String& Value) override;
  bool KeyGoesToDropDown(Word AKey, TShiftState AShift) override;
  HWND GetDropDownHandle() override;
  void OpenDropDownAt(Integer X, Integer Y) override;
  void FireCloseUp() override;
  // With no OnClick and not read-only, the "Select the date" dialog.
  void FireClick() override;

  TqzBarDateNavigator* GetDatePopup() const noexcept { return FDatePopup.get(); }
  TqzBarDateOnStart GetDateOnStart() const noexcept { return FDateOnStart; }
  void SetDateOnStart(TqzBarDateOnStart Value);
  TDateTime GetMaxDate() const noexcept { return FMaxDate; }
  // Kept at or above MinDate; the date moves in.
  void SetMaxDate(TDateTime Value);
  TDateTime GetMinDate() const noexcept { return FMinDate; }
  // Kept at or below MaxDate (so with MaxDate 0 only 0 and below); the date moves in.
  void SetMinDate(TDateTime Value);
  bool GetShowClearButton() const noexcept { return FShowClearButton; }
  void SetShowClearButton(bool Value) { FShowClearButton = Value; }
  bool GetShowDayText() const noexcept { return FShowDayText; }
  void SetShowDayText(bool Value);
  bool GetShowTodayButton() const noexcept { return FShowTodayButton; }
  void SetShowTodayButton(bool Value) { FShowTodayButton = Value; }

 protected:
  void Loaded() override;

 private:
  bool IsTextStored() const { return FDateOnStart == bdsCustom; }
  void ApplyDateOnStart();
  // Writes the date as the item itself, so that DateOnStart stays.
  void SetDateInternally(TDateTime ADate);
  void PopupDateSelected(TObject* Sender);
  void RunDialog();

  TqzBarDateOnStart FDateOnStart = bdsToday;
  TDateTime FMaxDate = 0;
  TDateTime FMinDate = 0;
  bool FShowClearButton = true;
  bool FShowDayText = true;
  bool FShowTodayButton = true;
  bool FInternalUpdate = false;
  std::unique_ptr<TqzBarDateNavigator> FDatePopup;
};

class TqzBarDateComboControl : public TCustomqzBarComboControl {
  TAVREN_CLASS(TqzBarDateComboControl, TCustomqzBarComboControl)
 public:
  using TCustomqzBarComboControl::TCustomqzBarComboControl;
  TqzBarDateCombo* GetDateCombo() const { return dynamic_cast<TqzBarDateCombo*>(GetItem()); }
  // "+" and "-" step the editor's date by a day and are not typed.
  void InnerWndProc(TMessage& Message) override;
};
