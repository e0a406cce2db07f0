#pragma once
// The month calendar: a grid of six weeks under a header with arrows and the month caption,
// optional week numbers, a bar of buttons (Today, Now, Clear, OK) and, in the date-and-time kind,
// a time panel with an analogue clock and a time edit; the small list of months that opens over
// the month caption; the clock.
//
// Sources: kvCalendarLayout.cpp (metrics, layout, painting), kvCalendarInput.cpp (keys, mouse,
// arrows, buttons, the clock), kvCalendarMonthList.cpp (the month list).

#include <memory>

#include "rtl/DateUtils.h"
#include "rtl/Sets.h"
#include "toolkit/editors/kvButtons.h"
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
  void FireDateChosen() { FOnDateChosen(this); }

 private:
  void ButtonClicked(TObject* Sender);
  void TimeChanged(TObject* Sender);
  void ArrowTick(TObject* Sender);
  TkvCalendarArrow ArrowAt(const TPoint& P) const;
  void PlaceChildren();
  void PlaceHeader();
  bool ShowsButtonBar();
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
