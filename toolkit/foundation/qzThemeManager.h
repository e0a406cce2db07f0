#pragma once
// One open theme handle per kind of themed object, whether visual styles are in use, and the
// notice of a theme switch. The toolkit asks ObtainTheme for handles and never opens themes
// itself.

#include <cstdint>

#include "rtl/Events.h"
#include "rtl/Object.h"
#include "rtl/Types.h"
#include "rtl/WinTypes.h"

enum TqzThemedObjectType {
  totButton, totClock, totComboBox, totEdit, totExplorerBar, totHeader, totListBox, totListView,
  totMenu, totPage, totProgress, totRebar, totScrollBar, totSpin, totStartPanel, totStatus, totTab,
  totTaskBand, totTaskBar, totToolBar, totToolTip, totTrackBar, totTrayNotify, totTreeView, totWindow,
};
constexpr Integer kThemedObjectTypeCount = 25;

// A set of kinds: bit N for kind N.
using TqzThemedObjectTypes = uint32_t;
constexpr TqzThemedObjectTypes ThemedKindBit(TqzThemedObjectType Kind) { return 1u << Kind; }

// False unless visual styles are in use and the library is loaded; with kinds given, each of them
// must open as well.
bool ThemesAvailableFor(TqzThemedObjectTypes Kinds);
bool ThemeAvailableFor(TqzThemedObjectType Kind);
// The kind's theme, opened on first need with ClassList, else the list used last, else the kind's
// default list; 0 when it does not open or visual styles are off. A different ClassList reopens.
HTHEME ObtainTheme(TqzThemedObjectType Kind, const char16_t* ClassList = nullptr);
// 1 when visual styles are not available, 0 when the kind is not open, else the close result.
HRESULT CloseThemeOfKind(TqzThemedObjectType Kind);
// Closes every kind; their class lists are kept for the next ObtainTheme.
void CloseAllThemeHandles();
// The class list a kind opens with by default ("Button", "Clock" ...).
const char16_t* DefaultThemeClassList(TqzThemedObjectType Kind);
bool VisualStylesInUse();

using TqzThemeChangedEvent = TEvent<void()>;

// Told when the user switches themes (while the theme library is loaded).
class TqzThemeChangedNotificator : public TObject {
  TAVREN_CLASS(TqzThemeChangedNotificator, TObject)
 public:
  TqzThemeChangedNotificator();
  ~TqzThemeChangedNotificator() override;
  TqzThemeChangedEvent GetOnThemeChanged() const { return FOnThemeChanged; }
  void SetOnThemeChanged(TqzThemeChangedEvent Value) { FOnThemeChanged = Value; }

 private:
  friend class TqzThemeChangedEventReceiver;
  TqzThemeChangedEvent FOnThemeChanged;
};

// Unit start: default lists; with the theme library, the visual-styles flag and the hidden window
// that hears WM_THEMECHANGED. End: the window and every handle go.
void qzThemeManagerStart();
void qzThemeManagerEnd();
