// The date combo: its text form of a date, the bounds, the start date, the popup calendar, the
// "Select the date" dialog and the "+" and "-" keys of its control.

#include <cmath>

#include "rtl/DateUtils.h"
#include "rtl/FormatSettings.h"
#include "rtl/Math.h"
#include "rtl/SysUtils.h"
#include "toolkit/bars/qzBarControl.h"
#include "toolkit/bars/qzBarExtItemsCombos.h"
#include "toolkit/bars/qzBarExtItemsDates.h"
#include "toolkit/bars/qzBarStrs.h"
#include "toolkit/editors/kvDateUtils.h"
#include "toolkit/foundation/kvClasses.h"
#include "user/Messages.h"
#include "user/VirtualKeys.h"
#include "user/WindowPos.h"
#include "vcl/DialogForm.h"

TAVREN_CLASS_IMPL_PUBLISHED(TqzBarDateCombo,
    PROPERTY(DateOnStart).Default(bdsToday),
    PROPERTY(MaxDate),
    PROPERTY(MinDate),
    PROPERTY(ShowClearButton).Default(true),
    PROPERTY(ShowDayText).Default(true),
    PROPERTY(ShowTodayButton).Default(true),
    PROPERTY(Text).Stored<&TqzBarDateCombo::IsTextStored>())
TAVREN_CLASS_IMPL(TqzBarDateComboControl)

namespace {

// Sets the flag for the scope, also when a step fails.
class TFlagScope {
 public:
  explicit TFlagScope(bool& AFlag) : FFlag(AFlag), FWas(AFlag) { FFlag = true; }
  ~TFlagScope() { FFlag = FWas; }
  TFlagScope(const TFlagScope&) = delete;
  TFlagScope& operator=(const TFlagScope&) = delete;

 private:
  bool& FFlag;
  bool FWas;
};

// The modal "Select the date": the date as text over a calendar, OK, Cancel, Today and Clear. The
// responder knows it as "SelectDateDialog", its edit as DateEdit and its calendar as Navigator.
class TDateComboDialog : public TDialogForm {
  TAVREN_CLASS(TDateComboDialog, TDialogForm)
 public:
  explicit TDateComboDialog(TqzBarDateCombo* ACombo);
  TEdit* Edit = nullptr;
  TqzBarDateNavigator* Navigator = nullptr;

 private:
  void EditChange(TObject*);
  void NavigatorSelected(TObject*) { ShowDate(Navigator->GetSelStart()); }
  void TodayClick(TObject*) {
    Navigator->SelectDate(Date());
    ShowDate(Navigator->GetSelStart());
  }
  void ClearClick(TObject*) {
    Navigator->SelectDate(NullDate);
    ShowDate(Navigator->GetSelStart());
  }
  void ShowDate(TDateTime ADate);

  TqzBarDateCombo* FCombo;
  // Set while the edit is written from the calendar, so that it does not select back.
  bool FShowing = false;
};

TAVREN_CLASS_IMPL(TDateComboDialog)

TDateComboDialog::TDateComboDialog(TqzBarDateCombo* ACombo)
    : TDialogForm("SelectDateDialog", ResourceStringText(sqzBarSelectDate), 0, 0), FCombo(ACombo) {
  if (TqzBarManager* manager = ACombo->GetBarManager()) GetFont()->Assign(manager->GetFont());
  Edit = AddControl<TEdit>("DateEdit", 0, 0, 100, 21);
  Navigator = new TqzBarDateNavigator(this, ACombo, false);
  Navigator->SetName("Navigator");
  Navigator->SetStyle(0);
  Navigator->SetParent(this);
  Navigator->SetVisible(true);
  Navigator->HandleNeeded();
  Navigator->SetOnDateSelected(MakeEvent<&TDateComboDialog::NavigatorSelected>(this));
  Edit->SetOnChange(MakeEvent<&TDateComboDialog::EditChange>(this));

  Integer g = Navigator->GetButtonHeight() / 4;
  Integer w = MulDiv(Navigator->GetTodayButtonWidth(), 3, 2);
  Integer h = MulDiv(Navigator->GetButtonHeight(), 7, 6);
  SetClientWidth(Navigator->GetWidth() + w + 3 * g);
  SetClientHeight(3 * g + Edit->GetHeight() + Navigator->GetHeight());
  Edit->SetBounds(g, g, Navigator->GetWidth(), Edit->GetHeight());
  Navigator->SetBounds(g, Edit->GetTop() + Edit->GetHeight() + g, Navigator->GetWidth(), Navigator->GetHeight());
  Integer left = Edit->GetLeft() + Edit->GetWidth() + g;
  GetOkButton()->SetCaption(ResourceStringText(sqzBarOK));
  GetOkButton()->SetBounds(left, g, w, h);
  GetCancelButton()->SetCaption(ResourceStringText(sqzBarCancel));
  GetCancelButton()->SetBounds(left, g + h + g, w, h);
  if (ACombo->GetShowTodayButton()) {
    auto* today = AddControl<TButton>("TodayButton", left, GetClientHeight() - 2 * g - 2 * h, w, h);
    today->SetCaption(ResourceStringText(sqzBarToday));
    today->SetOnClick(MakeEvent<&TDateComboDialog::TodayClick>(this));
  }
  if (ACombo->GetShowClearButton()) {
    auto* clear = AddControl<TButton>("ClearButton", left, GetClientHeight() - g - h, w, h);
    clear->SetCaption(ResourceStringText(sqzBarClear));
    clear->SetOnClick(MakeEvent<&TDateComboDialog::ClearClick>(this));
  }
  Edit->SetText(ACombo->FormatDateText(ACombo->GetDate()));
  SetActiveControl(Edit);
}

void TDateComboDialog::EditChange(TObject*) {
  if (FShowing) return;
  String text = Edit->GetText();
  TDateTime date = FCombo->ParseDateText(text);
  if (date != NullDate || Trim(text).empty()) Navigator->SelectDate(date);
}

void TDateComboDialog::ShowDate(TDateTime ADate) {
  TFlagScope showing(FShowing);
  Edit->SetText(FCombo->FormatDateText(ADate));
}

}  // namespace

// ---- Item ----------------------------------------------------------------------------------------

TqzBarDateCombo::TqzBarDateCombo(TComponent* AOwner) : TCustomqzBarCombo(AOwner) {
  LoadBarItemGlyph(this, "QZBARDATECOMBO");
  SetDateInternally(Date());
  FDatePopup = std::make_unique<TqzBarDateNavigator>(nullptr, this, true);
  FDatePopup->SetOnDateSelected(MakeEvent<&TqzBarDateCombo::PopupDateSelected>(this));
}

TqzBarDateCombo::~TqzBarDateCombo() = default;

String TqzBarDateCombo::FormatDateText(TDateTime ADate) const {
  if (ADate == NullDate) return String();
  return (FShowDayText ? FormatDateTime("ddd ", ADate) : String()) + CalendarDateTimeText(ADate);
}

TDateTime TqzBarDateCombo::ParseDateText(const String& AText) const {
  String text = Trim(AText);
  for (const String& day : FormatSettings.ShortDayNames) {
    if (text.find(day + " ") == String::npos) continue;
    text = Trim(text.substr(text.find(' ') + 1));
    break;
  }
  TDateTime date;
  return !text.empty() && TryStrToDateTime(text, date) ? date : NullDate;
}

TDateTime TqzBarDateCombo::ClampDate(TDateTime ADate) const {
  // A bound of 0 is none: a lone upper bound leaves "no date" and earlier dates alone.
  if (FMinDate != 0 && ADate < FMinDate) ADate = FMinDate;
  if (FMaxDate != 0 && ADate > FMaxDate) ADate = FMaxDate;
  return ADate;
}

void TqzBarDateCombo::SetDate(TDateTime ADate) { SetText(FormatDateText(ClampDate(ADate))); }

void TqzBarDateCombo::SetDateInternally(TDateTime ADate) {
  TFlagScope internal(FInternalUpdate);
  SetDate(ADate);
}

void TqzBarDateCombo::SetText(const String& Value) {
  String text = FormatDateText(ClampDate(ParseDateText(Value)));
  // While loading the start rule is read as it was stored; Loaded applies it.
  if (!FInternalUpdate && !IsLoading()) FDateOnStart = bdsCustom;
  inherited::SetText(text);
}

void TqzBarDateCombo::SetDateOnStart(TqzBarDateOnStart Value) {
  if (FDateOnStart == Value) return;
  FDateOnStart = Value;
  if (!IsLoading()) ApplyDateOnStart();
}

void TqzBarDateCombo::ApplyDateOnStart() {
  switch (FDateOnStart) {
    case bdsToday:
      SetDateInternally(Date());
      break;
    case bdsNullDate:
      SetDateInternally(NullDate);
      break;
    case bdsCustom:
      SetDateInternally(GetDate());
      break;
  }
}

void TqzBarDateCombo::Loaded() {
  ApplyDateOnStart();
  inherited::Loaded();
}

void TqzBarDateCombo::SetMinDate(TDateTime Value) {
  Value = std::min(Value, FMaxDate);
  if (Value == FMinDate) return;
  FMinDate = Value;
  TDateTime date = GetDate();
  if (ClampDate(date) != date) SetDateInternally(ClampDate(date));
}

void TqzBarDateCombo::SetMaxDate(TDateTime Value) {
  Value = std::max(Value, FMinDate);
  if (Value == FMaxDate) return;
  FMaxDate = Value;
  TDateTime date = GetDate();
  if (ClampDate(date) != date) SetDateInternally(ClampDate(date));
}

void TqzBarDateCombo::SetShowDayText(bool Value) {
  if (FShowDayText == Value) return;
  // The date is read in the old form and written in the new.
  TDateTime date = GetDate();
  FShowDayText = Value;
  SetDateInternally(date);
}

bool TqzBarDateCombo::KeyGoesToDropDown(Word AKey, TShiftState AShift) {
  return AKey == VK_RETURN || inherited::KeyGoesToDropDown(AKey, AShift);
}

HWND TqzBarDateCombo::GetDropDownHandle() {
  if (HWND window = inherited::GetDropDownHandle()) return window;
  return FDatePopup->GetHandle();
}

void TqzBarDateCombo::OpenDropDownAt(Integer X, Integer Y) {
  TDateTime date = GetDate();
  if (date == NullDate) date = Date();
  FDatePopup->SetFirstDate(date);
  FDatePopup->SelectDate(date);
  FDatePopup->SetShowTodayButton(FShowTodayButton);
  FDatePopup->SetShowClearButton(FShowClearButton);
  TqzBarItemLink* link = GetActiveLink();
  TCustomqzBarControl* bar = link ? link->GetBarControl() : nullptr;
  FDatePopup->SetOwnerWindow(bar && bar->HandleAllocated() ? bar->GetHandle() : nullptr);
  inherited::OpenDropDownAt(X, Y);
}

void TqzBarDateCombo::FireCloseUp() {
  if (FDatePopup->HandleAllocated() && IsWindowVisible(FDatePopup->GetHandle())) FDatePopup->CancelMode();
  inherited::FireCloseUp();
  FDatePopup->SetOwnerWindow(nullptr);
}

void TqzBarDateCombo::PopupDateSelected(TObject*) {
  if (TqzBarItemLink* link = GetActiveLink()) {
    link->GetSourceLink()->RegisterUse(true);
    HideActiveBarControl();
  }
  SetDate(FDatePopup->GetSelStart());
}

void TqzBarDateCombo::FireClick() {
  inherited::FireClick();
  if (GetOnClick() || GetReadOnly()) return;
  RunDialog();
}

void TqzBarDateCombo::RunDialog() {
  auto dialog = std::make_unique<TDateComboDialog>(this);
  if (dialog->ShowModal() == mrOk) SetDate(ParseDateText(dialog->Edit->GetText()));
}

// ---- Control -------------------------------------------------------------------------------------

void TqzBarDateComboControl::InnerWndProc(TMessage& Message) {
  TqzBarDateCombo* combo = GetDateCombo();
  if (combo && Message.Msg == WM_CHAR && (Message.WParam == '+' || Message.WParam == '-')) {
    String text;
    GetInnerText(text);
    TDateTime date = combo->ParseDateText(text);
    // Stepped as typed: the bounds apply when the text is taken.
    if (date != NullDate) SetInnerText(combo->FormatDateText(date + (Message.WParam == '+' ? 1 : -1)));
    Message.WParam = 0;
  }
  inherited::InnerWndProc(Message);
}
