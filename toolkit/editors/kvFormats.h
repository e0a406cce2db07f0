#pragma once
// The format controller: the user's locale formats (dates, times, currency, first day of the
// week) turned into what the date, time and currency editors need: parsed formats, edit masks in
// the standard and the regular-expression mask language, display formats matching the masks and
// a currency display format. It reads them again when the regional settings change and tells its
// listeners, and passes on changes of the system time.

#include <vector>

#include "rtl/Interfaces.h"
#include "rtl/Types.h"
#include "vcl/ControlsMessages.h"

// Kinds of the parsed format items.
constexpr Byte kvdfLiteral = 0;
constexpr Byte kvdfYear = 1;
constexpr Byte kvdfMonth = 2;
constexpr Byte kvdfDay = 3;
constexpr Byte kvdfHour = 4;         // text "12H".."24HH" once parsed
constexpr Byte kvdfMinute = 5;
constexpr Byte kvdfSecond = 6;
constexpr Byte kvdfMillisecond = 7;
constexpr Byte kvdfAmPm = 8;
constexpr Byte kvdfDateSeparator = 9;
constexpr Byte kvdfTimeSeparator = 10;

struct TkvDateTimeFormatItem {
  Byte Kind = kvdfLiteral;
  String Text;
  friend bool operator==(const TkvDateTimeFormatItem&, const TkvDateTimeFormatItem&) = default;
};

struct TkvDateTimeFormatInfo {
  bool Defined[11] = {};
  std::vector<TkvDateTimeFormatItem> Items;
};

struct TkvFormatItemPlace {
  Byte Kind = 0;
  Integer Start = 0;   // 1-based character position
  Integer Length = 0;
  Byte AmPmStyle = 0;  // 0 "A/P", 1 "AM/PM", 2 the locale's strings; for an AM/PM item only
};

class IkvFormatListener : public virtual IInterface {
  TAVREN_INTERFACE(IkvFormatListener)
 public:
  virtual void FormatChanged() = 0;
};

class IkvTimeListener : public virtual IInterface {
  TAVREN_INTERFACE(IkvTimeListener)
 public:
  virtual void TimeChanged() = 0;
};

class TkvFormatController : public TObject {
  TAVREN_CLASS(TkvFormatController, TObject)
 public:
  TkvFormatController();
  ~TkvFormatController() override;

  virtual void WndProc(TMessage& Message);
  // Listeners are not counted references; the message window lives while there are any.
  virtual void AddListener(IkvFormatListener* Listener);
  virtual void RemoveListener(IkvFormatListener* Listener);

  void Reload();
  Integer FormatTextWidth(const TkvDateTimeFormatInfo& Info);
  bool FindFormatItemAt(const TkvDateTimeFormatInfo& Info, Integer Position, TkvFormatItemPlace& Place);

  // Values that other editors may fix instead of the locale's; nothing here sets them.
  bool AssignedCurrencyFormat = false;
  bool AssignedRegExDateEditMask = false;
  bool AssignedRegExDateTimeEditMask = false;
  bool AssignedStandardDateEditMask = false;
  bool AssignedStandardDateTimeEditMask = false;
  bool AssignedStartOfWeek = false;

  const String& CurrencyFormat() const noexcept { return FCurrencyFormat; }
  const String& DateEditFormat() const noexcept { return FDateEditFormat; }
  const String& DateStandardMaskSource() const noexcept { return FDateStandardMaskSource; }
  const TkvDateTimeFormatInfo& DateFormatInfo() const noexcept { return FDateFormatInfo; }
  const TkvDateTimeFormatInfo& DateTimeFormatInfo() const noexcept { return FDateTimeFormatInfo; }
  const TkvDateTimeFormatInfo& TimeFormatInfo() const noexcept { return FTimeFormatInfo; }
  Byte FirstWeekOfYear() const noexcept { return FFirstWeekOfYear; }
  const String& DateMaskDisplayFormat() const noexcept { return FDateMaskDisplayFormat; }
  const String& DateTimeMaskDisplayFormat() const noexcept { return FDateTimeMaskDisplayFormat; }
  const String& DateRegexMask() const noexcept { return FDateRegexMask; }
  const String& DateTimeRegexMask() const noexcept { return FDateTimeRegexMask; }
  const String& DateStandardMask() const noexcept { return FDateStandardMask; }
  const String& DateTimeStandardMask() const noexcept { return FDateTimeStandardMask; }
  // 0 Sunday .. 6 Saturday.
  Byte StartOfWeek() const noexcept { return FStartOfWeek; }
  bool UseFrameworkFormats() const noexcept { return FUseFrameworkFormats; }
  HWND WindowHandle() const noexcept { return FWindow; }
  Integer ListenerCount() const noexcept { return static_cast<Integer>(FListeners.size()); }

 private:
  String FCurrencyFormat;
  String FDateEditFormat;
  String FDateStandardMaskSource;
  TkvDateTimeFormatInfo FDateFormatInfo;
  TkvDateTimeFormatInfo FDateTimeFormatInfo;
  Byte FFirstWeekOfYear = 0;
  std::vector<IkvFormatListener*> FListeners;
  String FDateMaskDisplayFormat;
  String FDateTimeMaskDisplayFormat;
  String FDateRegexMask;
  String FDateTimeRegexMask;
  String FDateStandardMask;
  String FDateTimeStandardMask;
  Byte FStartOfWeek = 0;
  TkvDateTimeFormatInfo FTimeFormatInfo;
  bool FUseFrameworkFormats = false;
  HWND FWindow = nullptr;
};

// The shared controller, made on first use; nullptr once the unit has ended.
TkvFormatController* TheFormatController();

// Parses a format of the framework's date and time letters (empty means "C"); a format it cannot
// read (an era letter "g") gives an empty info.
void BuildFormatInfo(const String& Format, TkvDateTimeFormatInfo& Info);
Integer FormatItemWidth(const TkvDateTimeFormatItem& Item);
// 0 for "A/P", 1 for "AM/PM", 2 otherwise, in any letter case.
Byte AmPmStyle(const String& Text);
// 0 Sunday .. 6 Saturday.
Byte LocaleStartOfWeek();

void kvFormatsStart();
void kvFormatsEnd();
