// The extra items unit's start and end: the registration of the kinds with their controls.

#include "toolkit/bars/qzBarExtItems.h"
#include "toolkit/bars/qzBarExtItemsCombos.h"
#include "toolkit/bars/qzBarExtItemsDates.h"
#include "toolkit/bars/qzBarExtItemsTree.h"
#include "user/LocaleInfo.h"

namespace {

// Starts minus ends: only the first start registers and only the matching end unregisters.
Integer gStartCount = 0;

struct TExtItemClass {
  TPersistentClass ItemClass;
  TClass ControlClass;
};

// In the order the designer lists them.
const TExtItemClass kExtItemClasses[] = {
    {TqzBarStatic::ClassInfo(), TqzBarStaticControl::ClassInfo()},
    {TqzBarLargeButton::ClassInfo(), TqzBarLargeButtonControl::ClassInfo()},
    {TqzBarColorCombo::ClassInfo(), TqzBarColorComboControl::ClassInfo()},
    {TqzBarFontNameCombo::ClassInfo(), TqzBarComboControl::ClassInfo()},
    {TqzBarDateCombo::ClassInfo(), TqzBarDateComboControl::ClassInfo()},
    {TqzBarTreeViewCombo::ClassInfo(), TqzBarTreeViewComboControl::ClassInfo()},
    {TqzBarImageCombo::ClassInfo(), TqzBarImageComboControl::ClassInfo()},
    {TqzBarToolbarsListItem::ClassInfo(), TqzBarToolbarsListItemControl::ClassInfo()},
    {TqzBarSpinEdit::ClassInfo(), TqzBarSpinEditControl::ClassInfo()},
    {TqzBarControlContainerItem::ClassInfo(), TqzBarControlContainerControl::ClassInfo()},
    {TqzBarProgressItem::ClassInfo(), TqzBarProgressControl::ClassInfo()},
    // A menu shows the entries in the list's place; toolbars wait for the container's control.
    {TqzBarMRUListItem::ClassInfo(), nullptr},
    {TqzBarInPlaceSubItem::ClassInfo(), TqzBarInPlaceSubItemControl::ClassInfo()},
};

// The locale's first week day (its "0" is Monday) counted from Sunday.
Integer LocaleFirstWeekDay() {
  char value[8] = {};
  GetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_IFIRSTDAYOFWEEK, value, sizeof value);
  Integer day = value[0] >= '0' && value[0] <= '6' ? value[0] - '0' + 1 : 1;
  return day > 6 ? 0 : day;
}

}  // namespace

void qzBarExtItemsStart() {
  if (gStartCount++ != 0) return;
  LoadBarFontKindBitmaps();
  SetBarFirstWeekDay(LocaleFirstWeekDay());
  for (const TExtItemClass& entry : kExtItemClasses) RegisterBarItemClass(entry.ItemClass, entry.ControlClass, true);
}

void qzBarExtItemsEnd() {
  if (gStartCount == 0 || --gStartCount != 0) return;
  for (const TExtItemClass& entry : kExtItemClasses) UnregisterBarItemClass(entry.ItemClass);
  FreeBarExtItemsShared();
}
