#include "toolkit/foundation/qzThemeManager.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "rtl/SysUtils.h"
#include "rtl/WideText.h"
#include "toolkit/foundation/qzUxTheme.h"
#include "user/Messages.h"
#include "user/MessageNumbers.h"
#include "vcl/AllocateHWnd.h"

TAVREN_CLASS_IMPL(TqzThemeChangedNotificator)

namespace {

const char16_t* const kDefaultClassLists[kThemedObjectTypeCount] = {
    u"Button", u"Clock",   u"ComboBox",   u"Edit",     u"ExplorerBar", u"Header",  u"ListBox",
    u"ListView", u"Menu",  u"Page",       u"Progress", u"Rebar",       u"ScrollBar", u"Spin",
    u"StartPanel", u"Status", u"Tab",     u"TaskBand", u"TaskBar",     u"ToolBar", u"ToolTip",
    u"TrackBar", u"TrayNotify", u"TreeView", u"Window",
};

struct TqzThemeData {
  HTHEME Handle = nullptr;
  WideString ClassList;
};

TqzThemeData themeData[kThemedObjectTypeCount];
bool visualStyles = false;
std::vector<TqzThemeChangedNotificator*>* notificators = nullptr;

bool SameClassList(const WideString& A, const WideString& B) {
  return AnsiUpperCase(UTF8Encode(A)) == AnsiUpperCase(UTF8Encode(B));
}

}  // namespace

// Owns the hidden window that hears theme switches.
class TqzThemeChangedEventReceiver : public TObject {
  TAVREN_CLASS(TqzThemeChangedEventReceiver, TObject)
 public:
  TqzThemeChangedEventReceiver() : FWindow(AllocateHWnd(MakeEvent<&TqzThemeChangedEventReceiver::WndProc>(this))) {}
  ~TqzThemeChangedEventReceiver() override {
    visualStyles = false;
    DeallocateHWnd(FWindow);
  }

 private:
  void WndProc(TMessage& Message);
  HWND FWindow;
};

TAVREN_CLASS_IMPL(TqzThemeChangedEventReceiver)

namespace {
std::unique_ptr<TqzThemeChangedEventReceiver> receiver;
}

void TqzThemeChangedEventReceiver::WndProc(TMessage& Message) {
  if (Message.Msg != WM_THEMECHANGED) {
    Message.Result = DefWindowProc(FWindow, Message.Msg, Message.WParam, Message.LParam);
    return;
  }
  CloseAllThemeHandles();
  DefWindowProc(FWindow, Message.Msg, Message.WParam, Message.LParam);
  visualStyles = UxIsThemeActive() != 0;
  Message.Result = 0;
  if (!notificators) return;
  Integer count = static_cast<Integer>(notificators->size());
  // A handler may free notificators: the bound is checked again on every step.
  for (Integer i = 0; i < count && i < static_cast<Integer>(notificators->size()); ++i) {
    TqzThemeChangedEvent handler = (*notificators)[i]->FOnThemeChanged;
    if (handler) handler();
  }
}

bool VisualStylesInUse() { return visualStyles; }

const char16_t* DefaultThemeClassList(TqzThemedObjectType Kind) { return kDefaultClassLists[Kind]; }

bool ThemesAvailableFor(TqzThemedObjectTypes Kinds) {
  if (!visualStyles || !ThemeLibraryLoaded()) return false;
  for (Integer kind = 0; kind < kThemedObjectTypeCount; ++kind) {
    if ((Kinds & (1u << kind)) && !ObtainTheme(static_cast<TqzThemedObjectType>(kind))) return false;
  }
  return true;
}

bool ThemeAvailableFor(TqzThemedObjectType Kind) {
  return visualStyles && ThemeLibraryLoaded() && ObtainTheme(Kind) != nullptr;
}

HTHEME ObtainTheme(TqzThemedObjectType Kind, const char16_t* ClassList) {
  if (!ThemesAvailableFor(0)) return nullptr;
  TqzThemeData& data = themeData[Kind];
  if (data.Handle) {
    if (!ClassList || SameClassList(ClassList, data.ClassList)) return data.Handle;
    CloseThemeOfKind(Kind);
  }
  WideString list = ClassList ? WideString(ClassList)
                              : !data.ClassList.empty() ? data.ClassList : WideString(kDefaultClassLists[Kind]);
  data.Handle = UxOpenThemeData(nullptr, list.c_str());
  if (data.Handle)
    data.ClassList = list;
  else
    data.ClassList.clear();
  return data.Handle;
}

HRESULT CloseThemeOfKind(TqzThemedObjectType Kind) {
  if (!ThemesAvailableFor(0)) return 1;
  TqzThemeData& data = themeData[Kind];
  if (!data.Handle) return 0;
  HRESULT result = UxCloseThemeData(data.Handle);
  data.Handle = nullptr;
  data.ClassList.clear();
  return result;
}

void CloseAllThemeHandles() {
  for (TqzThemeData& data : themeData) {
    if (data.Handle && ThemeLibraryLoaded()) UxCloseThemeData(data.Handle);
    data.Handle = nullptr;
  }
}

TqzThemeChangedNotificator::TqzThemeChangedNotificator() {
  if (ThemeLibraryLoaded() && notificators) notificators->push_back(this);
}

TqzThemeChangedNotificator::~TqzThemeChangedNotificator() {
  if (ThemeLibraryLoaded() && notificators)
    notificators->erase(std::remove(notificators->begin(), notificators->end(), this), notificators->end());
}

void qzThemeManagerStart() {
  if (!ThemeLibraryLoaded()) return;
  visualStyles = UxIsThemeActive() != 0;
  receiver = std::make_unique<TqzThemeChangedEventReceiver>();
  notificators = new std::vector<TqzThemeChangedNotificator*>;
}

void qzThemeManagerEnd() {
  if (ThemeLibraryLoaded()) {
    receiver.reset();
    CloseAllThemeHandles();
    delete notificators;
    notificators = nullptr;
  }
  for (TqzThemeData& data : themeData) data = TqzThemeData{};
}
