// The navigation controller: the keyboard selection, navigation mode, the key-tip wait and the key
// tips shown.

#include "toolkit/bars/qzBarNavigation.h"

#include "rtl/Exceptions.h"
#include "rtl/SysUtils.h"
#include "toolkit/bars/qzBar.h"
#include "toolkit/bars/qzBarControl.h"
#include "toolkit/bars/qzBarQuickControl.h"
#include "toolkit/foundation/kvControls.h"
#include "user/Input.h"
#include "user/KeyboardLayout.h"
#include "user/WindowEffects.h"

TAVREN_CLASS_IMPL(TqzBarNavigationController)

namespace {

TqzBarNavigationController* gController = nullptr;

constexpr Cardinal kKeyTipWaitMs = 500;

bool SameNode(const TqzBarHelperRef& A, const TqzBarHelperRef& B) {
  return (A ? A->BarHelperObject() : nullptr) == (B ? B->BarHelperObject() : nullptr);
}

Integer DirectionOfArrowKey(Word AKey) {
  switch (AKey) {
    case VK_LEFT:
      return kvNavigateLeft;
    case VK_UP:
      return kvNavigateUp;
    case VK_RIGHT:
      return kvNavigateRight;
    case VK_DOWN:
      return kvNavigateDown;
  }
  return -1;
}

}  // namespace

TqzBarNavigationController* NavigationControllerInstance() { return gController; }

void CreateNavigationController() {
  if (!gController) gController = new TqzBarNavigationController();
}

void FreeNavigationController() {
  delete gController;
  gController = nullptr;
}

TqzBarNavigationController::TqzBarNavigationController() = default;

TqzBarNavigationController::~TqzBarNavigationController() {
  FreeKeyTips();
  EndKeyTipsWaiting(false);
}

// ---- Selection -------------------------------------------------------------------------------------

// With no bar window active, an open quick control still takes the keys: the arrows walk its links.
TCustomqzBarControl* TqzBarNavigationController::NavigationBarControl() {
  TCustomqzBarControl* active = ActiveBarControl();
  if (!active) return OpenQuickControl();
  if (!active->IsUsable() || active->IsCustomizing()) return nullptr;
  return active;
}

TqzBarHelperRef TqzBarNavigationController::CurrentSelection() {
  if (TCustomqzBarControl* bar = NavigationBarControl())
    if (TqzBarItemControl* control = bar->GetSelectedControl()) return BarHelperRef(control->GetAccessibilityHelper());
  return FSelectedObject;
}

TqzBarHelperRef TqzBarNavigationController::CurrentSelectionParent() {
  if (TCustomqzBarControl* bar = NavigationBarControl()) return BarHelperRef(bar->GetAccessibilityHelper());
  return FSelectedParent;
}

bool TqzBarNavigationController::IsNavigatedBarWindow(TCustomqzBarControl* AWindow) {
  return FNavigationMode && AWindow && AWindow == NavigationBarControl();
}

bool TqzBarNavigationController::IsArrowOrTabKey(Word AKey) {
  return (AKey >= VK_LEFT && AKey <= VK_DOWN) || (AKey == VK_TAB && GetKeyState(VK_CONTROL) >= 0);
}

bool TqzBarNavigationController::IsNavigationKeyForSelection(Word AKey) {
  bool result = true;
  TqzBarHelperRef parent = CurrentSelectionParent();
  if (!IsArrowOrTabKey(AKey)) {
    if (ActiveBarControl() || OpenQuickControl())
      result = false;
    else if (AKey == VK_MENU)
      result = true;
    else if (AKey == VK_F10)
      result = parent && parent->OwningBarManager()->GetUseF10ForMenu();
    else
      result = false;
  }
  if (result) return true;
  TqzBarHelperRef selection = CurrentSelection();
  if (selection) return selection->AcceptsKey(AKey);
  return parent && parent->AcceptsKey(AKey);
}

bool TqzBarNavigationController::WantsKey(Word AKey) {
  if (IsNavigationKeyForSelection(AKey)) {
    TqzBarHelperRef parent = CurrentSelectionParent();
    if (parent && parent->MayEnterChildren(AKey)) return true;
  }
  if (IsWaitingForKeyTips() || AreKeyTipsShown()) return IsKeyTipKey(AKey);
  return false;
}

bool TqzBarNavigationController::IsKeyTipKey(Word AKey) {
  bool prefix;
  std::unique_ptr<TqzBarKeyTipInfo> exact;
  return MatchKeyTip(AKey, prefix, exact);
}

void TqzBarNavigationController::HandleKey(Word AKey, TqzBarHelperRef ASelectionParent, TqzBarHelperRef ASelection) {
  TqzBarFlagScope handling(FHandlingKey);
  bool prefix;
  std::unique_ptr<TqzBarKeyTipInfo> exact;
  if (IsWaitingForKeyTips()) {
    FAltPressed = false;
    if (MatchKeyTip(AKey, prefix, exact)) {
      if (prefix) {
        TypeKeyTipChar(AKey);
        EndKeyTipsWaiting(false);
      }
      return;
    }
  }
  if (AreKeyTipsShown() && AKey != VK_ESCAPE) {
    if (MatchKeyTip(AKey, prefix, exact)) {
      if (prefix) TypeKeyTipChar(AKey);
      return;
    }
    ResetKeyTips();
  }
  if (!ASelectionParent) ASelectionParent = CurrentSelectionParent();
  if (!ASelection) ASelection = CurrentSelection();
  if (AKey == VK_ESCAPE && AreKeyTipsShown()) {
    LeaveActiveKeyTipContainer();
    return;
  }
  TqzBarHelperRef target = ASelection ? ASelection : ASelectionParent;
  if (!target) return;
  Word key = AKey;
  if (AKey == VK_MENU || AKey == VK_ESCAPE || AKey == VK_F10) {
    if (AKey == VK_ESCAPE && target->ProcessNavKey(key)) return;
    FNavigationMode = false;
    target->LoseSelection(nullptr);
    return;
  }
  if (target->ProcessNavKey(key)) return;
  TqzBarHelperRef next;
  if (!ASelection) {
    if (ASelectionParent) next = BarHelperRef(ASelectionParent->BarHelperObject()->FirstSelectableDescendant());
  } else if (AKey == VK_TAB) {
    next = ASelection->AdjacentSibling(GetKeyState(VK_SHIFT) >= 0);
  } else if (Integer direction = DirectionOfArrowKey(AKey); direction >= 0) {
    next = ASelection->NeighbourInDirection(direction);
  }
  MoveSelection(AKey == VK_TAB, next, ASelection);
}

void TqzBarNavigationController::MoveSelection(bool ASetFocus, const TqzBarHelperRef& ANew, TqzBarHelperRef AOld) {
  if (!ANew) return;
  if (!AOld) AOld = CurrentSelection();
  if (SameNode(ANew, AOld)) return;
  if (AOld) AOld->LoseSelection(ANew);
  ANew->BecomeSelected(ASetFocus);
}

void TqzBarNavigationController::EnterNavigation(const TqzBarHelperRef& ARoot) {
  TqzBarHelperRef object = ARoot->DefaultNavigationObject();
  if (!object) return;
  FNavigationMode = true;
  object->BecomeSelected(false);
}

void TqzBarNavigationController::DeselectCurrent() {
  if (TqzBarHelperRef selected = FSelectedObject) selected->LoseSelection(nullptr);
}

void TqzBarNavigationController::ForgetNode(TqzBarAccessibilityHelper* ANode) {
  auto is = [ANode](const TqzBarHelperRef& ARef) { return ARef && ARef->BarHelperObject() == ANode; };
  if (is(FSelectedObject)) FSelectedObject = nullptr;
  if (is(FSelectedParent)) {
    FSelectedObject = nullptr;
    FSelectedParent = nullptr;
  }
  if (is(FKeyTipState.ActiveContainer)) SetKeyTipContainer(nullptr, String());
  // A wait for a node that goes would show the key tips of nothing.
  if (is(FWaitingRoot)) ClearWait();
}

// Leaving keyboard handling also leaves navigation mode: nothing is selected any more.
void TqzBarNavigationController::EndKeyboardNavigation() {
  FAltPressed = false;
  if (TqzBarHelperRef selection = CurrentSelection())
    if (TqzBarManager* manager = selection->OwningBarManager()) manager->HideHint();
  DeselectCurrent();
  if (TqzBarHelperRef selection = CurrentSelection()) selection->LoseSelection(nullptr);
  FNavigationMode = false;
  ResetKeyTips();
}

// ---- Key tips --------------------------------------------------------------------------------------

void TqzBarNavigationController::ResetKeyTips() {
  EndKeyTipsWaiting(false);
  SetKeyTipContainer(nullptr, String());
}

void TqzBarNavigationController::StartKeyTipsWaiting(const TqzBarHelperRef& ARoot) {
  if (!ARoot) throw Exception("");
  if (AreKeyTipsShown()) return;
  if (IsWaitingForKeyTips()) {
    if (SameNode(ARoot, FWaitingRoot)) return;
    ClearWait();
  }
  FWaitingRoot = ARoot;
  FWaitTimer = std::make_unique<TkvTimer>(nullptr);
  FWaitTimer->SetInterval(kKeyTipWaitMs);
  FWaitTimer->SetOnTimer(MakeEvent<&TqzBarNavigationController::WaitTimerTick>(this));
}

void TqzBarNavigationController::WaitTimerTick(TObject*) {
  if (FAltPressed)
    EndKeyTipsWaiting(true);
  else
    FWaitTimer.reset();
}

void TqzBarNavigationController::ClearWait() {
  FWaitTimer.reset();
  FWaitingRoot = nullptr;
}

void TqzBarNavigationController::EndKeyTipsWaiting(bool AShow) {
  FAltPressed = false;
  TqzBarHelperRef root = FWaitingRoot;
  ClearWait();
  if (root && AShow) SetKeyTipContainer(root, String());
}

void TqzBarNavigationController::FreeKeyTips() {
  TInterfacePtr<IqzBarKeyTipWindowsManager> windows;
  if (FKeyTipState.ActiveContainer && FKeyTipState.ActiveContainer->KeyTipsAvailable(windows))
    for (auto& data : FKeyTipState.KeyTips) data->HideTipWindow(windows.Get());
  FKeyTipState.KeyTips.clear();
}

void TqzBarNavigationController::SetKeyTipContainer(const TqzBarHelperRef& AContainer, const String& ATyped) {
  if (!SameNode(AContainer, FKeyTipState.ActiveContainer)) {
    if (FKeyTipState.ActiveContainer) FreeKeyTips();
    FKeyTipState.ActiveContainer = AContainer;
    FKeyTipState.TypedText.clear();
    if (AContainer) {
      FKeyTipState.TypedText = AnsiUpperCase(ATyped);
      AContainer->BarHelperObject()->CollectKeyTips(FKeyTipState.KeyTips);
      RefreshKeyTipWindows();
    }
  } else if (AContainer && !AnsiSameText(FKeyTipState.TypedText, ATyped)) {
    FKeyTipState.TypedText = AnsiUpperCase(ATyped);
    RefreshKeyTipWindows();
  }
}

void TqzBarNavigationController::RefreshKeyTipWindows() {
  TInterfacePtr<IqzBarKeyTipWindowsManager> windows;
  if (!FKeyTipState.ActiveContainer || !FKeyTipState.ActiveContainer->KeyTipsAvailable(windows) || !windows) return;
  for (auto& data : FKeyTipState.KeyTips) {
    if (!data->Info.Visible) continue;
    if (!FKeyTipState.TypedText.empty() && data->KeyTipUpperText().rfind(FKeyTipState.TypedText, 0) != 0)
      data->HideTipWindow(windows.Get());
    else
      data->ShowTipWindow(windows.Get());
  }
  windows->ShowKeyTipWindows();
}

void TqzBarNavigationController::LeaveActiveKeyTipContainer() { LeaveKeyTipContainer(FKeyTipState.ActiveContainer); }

bool TqzBarNavigationController::MatchKeyTip(Word AKey, bool& APrefixFound, std::unique_ptr<TqzBarKeyTipInfo>& AExact) {
  APrefixFound = false;
  AExact.reset();
  if (AreKeyTipsShown() && AKey == VK_ESCAPE) return true;
  if (!IsKeyTipChar(AKey)) return false;
  TqzBarKeyTipList waitingList;
  const TqzBarKeyTipList* list = &FKeyTipState.KeyTips;
  String typed = FKeyTipState.TypedText;
  if (!AreKeyTipsShown()) {
    typed.clear();
    if (FWaitingRoot) FWaitingRoot->BarHelperObject()->CollectKeyTips(waitingList);
    list = &waitingList;
  }
  String candidate = typed + AnsiUpperCase(KeyToText(AKey));
  for (const auto& data : *list) {
    String text = data->KeyTipUpperText();
    if (text.rfind(candidate, 0) != 0) continue;
    APrefixFound = true;
    if (text == candidate) AExact = std::make_unique<TqzBarKeyTipInfo>(data->Info);
    break;
  }
  if (!APrefixFound && FHandlingKey) MessageBeep(BEEP_SIMPLE);
  return true;
}

// The typed text grows by what the key typed, the text that matched: a key code is no character
// (the numeric keypad's digits are not their codes).
void TqzBarNavigationController::TypeKeyTipChar(Word AKey) {
  bool prefix;
  std::unique_ptr<TqzBarKeyTipInfo> exact;
  MatchKeyTip(AKey, prefix, exact);
  if (exact) {
    ClearWait();
    if (exact->Enabled && exact->Action) exact->Action();
    return;
  }
  TqzBarHelperRef container = FKeyTipState.ActiveContainer;
  if (!container) {
    container = FWaitingRoot;
    ClearWait();
  }
  if (container) SetKeyTipContainer(container, FKeyTipState.TypedText + AnsiUpperCase(KeyToText(AKey)));
}

String TqzBarNavigationController::KeyToText(Word AKey) {
  BYTE state[256];
  GetKeyboardState(state);
  WORD chars[2] = {0, 0};
  if (ToAscii(AKey, MapVirtualKey(AKey, MAPVK_VK_TO_VSC), state, chars, 0) != 1) return String();
  return String(1, static_cast<char>(chars[0]));
}
