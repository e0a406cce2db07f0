#pragma once
// Keyboard navigation of the bars: the navigation nodes every dock site, bar window and item
// control owns, the one controller that knows which node the keyboard selected, and the key tips
// (the short letters shown over items after Alt) that a host with a key-tip windows manager shows.

#include <memory>
#include <vector>

#include "toolkit/bars/kvAccessibility.h"
#include "rtl/Events.h"

class TqzBarAccessibilityHelper;
class TqzBarKeyTipData;
class TqzBarManager;
class TCustomqzBarControl;
class TkvTimer;

// The display side of key tips, supplied by a host (the ribbon); the bars only call it. The
// alignment codes and the look of the windows are the host's.
class IqzBarKeyTipWindowsManager : public virtual IInterface {
  TAVREN_INTERFACE(IqzBarKeyTipWindowsManager)
 public:
  virtual void AddKeyTipWindow(const String& AText, const TPoint& AAnchor, Byte AHorzAlign, Byte AVertAlign,
                               bool AEnabled, TObject*& AWindow) = 0;
  virtual void RemoveKeyTipWindow(TObject* AWindow) = 0;
  virtual void ShowKeyTipWindows() = 0;
};

class IqzBarAccessibilityHelper;
using TqzBarHelperRef = TInterfacePtr<IqzBarAccessibilityHelper>;

// How other parts hold a navigation node.
class IqzBarAccessibilityHelper : public virtual IkvAccessibilityHelper {
  TAVREN_INTERFACE(IqzBarAccessibilityHelper)
 public:
  virtual bool KeyTipsAvailable(TInterfacePtr<IqzBarKeyTipWindowsManager>& AWindowsManager) = 0;
  virtual bool MayEnterChildren(Word AKey) = 0;
  virtual TqzBarAccessibilityHelper* BarHelperObject() = 0;
  virtual TqzBarManager* OwningBarManager() = 0;
  virtual TqzBarHelperRef DefaultNavigationObject() = 0;
  virtual TqzBarHelperRef NeighbourInDirection(Integer ADirection) = 0;
  virtual TqzBarHelperRef RootBarHelper() = 0;
  virtual bool ProcessNavKey(Word& AKey) = 0;
  virtual bool AcceptsKey(Word AKey) = 0;
  virtual bool IsCurrentSelection() = 0;
  virtual TqzBarHelperRef AdjacentSibling(bool AForward) = 0;
  virtual void BecomeSelected(bool ASetFocus) = 0;
  virtual void LoseSelection(const TqzBarHelperRef& ANextSelected) = 0;
};

// An object that is no bar window yet stands in the navigation tree (the ribbon): menus it opens
// find their level of key tips above through it.
class IqzBarAccessibleObject : public virtual IInterface {
  TAVREN_INTERFACE(IqzBarAccessibleObject)
 public:
  virtual TqzBarAccessibilityHelper* GetAccessibilityHelper() = 0;
};

// One key tip as a node describes it.
struct TqzBarKeyTipInfo {
  // Before uniqueness suffixes.
  String KeyTip;
  // Screen coordinates.
  TPoint Anchor{0, 0};
  Byte HorzAlign = 0;
  Byte VertAlign = 0;
  // The node was visible when the record was filled.
  bool Visible = false;
  // A disabled key tip shows but does nothing.
  bool Enabled = false;
  TEvent<void()> Action;
};

// A key tip in a shown list: the node's description and the window that shows it.
class TqzBarKeyTipData : public TObject {
  TAVREN_CLASS(TqzBarKeyTipData, TObject)
 public:
  explicit TqzBarKeyTipData(const TqzBarKeyTipInfo& AInfo) : Info(AInfo) {}
  String KeyTipUpperText() const;
  void ShowTipWindow(IqzBarKeyTipWindowsManager* AWindowsManager);
  void HideTipWindow(IqzBarKeyTipWindowsManager* AWindowsManager);
  bool HasWindow() const noexcept { return FWindow != nullptr; }

  TqzBarKeyTipInfo Info;

 private:
  TObject* FWindow = nullptr;
};
using TqzBarKeyTipList = std::vector<std::unique_ptr<TqzBarKeyTipData>>;

// The key tips on show: the container whose tips they are (nil while none show), the tips, and
// what was typed of them so far (upper case).
struct TqzBarKeyTipsShowingState {
  TqzBarHelperRef ActiveContainer;
  TqzBarKeyTipList KeyTips;
  String TypedText;
};

// The node class of the bars' navigation tree.
class TqzBarAccessibilityHelper : public TkvAccessibilityHelper, public IqzBarAccessibilityHelper {
  TAVREN_CLASS(TqzBarAccessibilityHelper, TkvAccessibilityHelper)
 public:
  using TkvAccessibilityHelper::TkvAccessibilityHelper;

  // The controller forgets the node as its owner goes.
  void NotifyOwnerFreed() override;
  TkvAccessibilityHelper* HelperObject() override { return this; }

  // IqzBarAccessibilityHelper, in the order of the node's operations.
  bool KeyTipsAvailable(TInterfacePtr<IqzBarKeyTipWindowsManager>& AWindowsManager) override;
  bool MayEnterChildren(Word) override { return true; }
  TqzBarAccessibilityHelper* BarHelperObject() override { return this; }
  // Raise here: every node asked for them answers.
  TqzBarManager* OwningBarManager() override;
  TqzBarHelperRef DefaultNavigationObject() override;
  // The nearest selectable node of the tree in the direction, with wrap-around in the row.
  TqzBarHelperRef NeighbourInDirection(Integer ADirection) override;
  TqzBarHelperRef RootBarHelper() override;
  bool ProcessNavKey(Word&) override { return false; }
  bool AcceptsKey(Word) override { return false; }
  bool IsCurrentSelection() override;
  TqzBarHelperRef AdjacentSibling(bool AForward) override;
  void BecomeSelected(bool ASetFocus) override;
  void LoseSelection(const TqzBarHelperRef& ANextSelected) override;

  virtual String AssignedKeyTip() { return String(); }
  virtual String DefaultKeyTip() { return String(); }
  // The assigned key tip, else the default one, cut to three characters.
  virtual String KeyTipText();
  virtual std::unique_ptr<TqzBarKeyTipData> NewKeyTipData();
  virtual void FillKeyTipInfo(TqzBarKeyTipInfo& AInfo);
  virtual void AddOwnKeyTipData(TqzBarKeyTipList& AList);
  // One entry per selectable descendant, depth first, not below a selectable node; nothing from
  // an invisible subtree.
  virtual void CollectChildKeyTipData(TqzBarKeyTipList& AList);
  virtual TqzBarAccessibilityHelper* KeyTipParent() { return ParentHelper(); }
  virtual bool HasKeyTip() { return IsSelectableTarget(); }
  virtual void KeyTipExecute() {}
  // Back to the key tips of the level above, or out of keyboard handling at the top.
  virtual void LeaveKeyTipLevel();
  virtual TqzBarAccessibilityHelper* NavChildAt(Integer AIndex) { return ChildByIndex(AIndex); }
  virtual Integer NavChildTotal() { return ChildTotal(); }
  virtual Integer NavIndexOfChild(TqzBarAccessibilityHelper* AChild) { return IndexOfChild(AChild); }

  TqzBarAccessibilityHelper* ChildByIndex(Integer AIndex);
  TqzBarAccessibilityHelper* ParentHelper();
  // Nil when invisible; the node itself when selectable; else the first of its children's.
  TqzBarAccessibilityHelper* FirstSelectableDescendant();
  // Collects the selectable nodes of the subtree from this node that lie in the direction of the
  // reference rectangle, skipping the excluded node's subtree and invisible subtrees.
  void CollectNavigationTargets(TqzBarAccessibilityHelper* AExcluded, std::vector<TqzBarAccessibilityHelper*>& AList,
                                bool ARequireOverlap, Integer ADirection, const TRect& AReference);
  bool IsInDirection(bool ARequireOverlap, Integer ADirection, const TRect& AReference);
  // The node's key tips, made unique.
  void CollectKeyTips(TqzBarKeyTipList& AList);
  // The first (or last) selectable node among ANode's descendants.
  static TqzBarAccessibilityHelper* SelectableInSubtree(TqzBarAccessibilityHelper* ANode, bool AForward);
  // The next selectable node after the child at AIndex, across the tree; at the root the walk
  // wraps round once.
  TqzBarAccessibilityHelper* NextSelectableAcrossTree(Integer AIndex, bool AForward);
};

// The helper's interface; nil for none.
TqzBarHelperRef BarHelperRef(TqzBarAccessibilityHelper* AHelper);
// The object's navigation interface, nil when it has none.
TqzBarHelperRef QueryAccessibilityHelper(TObject* AObject);
// Owners call it as they go: the helper hears that its owner is freed, the variable is cleared.
void ReleaseAccessibilityHelper(TqzBarHelperRef& AHelper);
// The first node up the key-tip parents of AHelper that has a key tip itself or no key-tip
// parent; nil when AHelper has no key-tip parent.
TqzBarAccessibilityHelper* KeyTipLevelAbove(TqzBarAccessibilityHelper* AHelper);
void LeaveKeyTipContainer(const TqzBarHelperRef& AContainer);

// Suffixes the texts until no two are equal and none is the start of another: members of a set of
// equal texts get their position (zero-padded to the set's size), a text that starts another
// gets "1".
void MakeKeyTipsUnique(TqzBarKeyTipList& AList);
// The candidate nearest to ACurrent in the direction (left, up, right or down): the smallest
// distance along it, then the smallest angle off it. With AWrapRow, left and right that find
// nothing take the far end of the row.
TqzBarAccessibilityHelper* FindNearestNavigationTarget(TqzBarAccessibilityHelper* ACurrent,
                                                       const std::vector<TqzBarAccessibilityHelper*>& ACandidates,
                                                       Integer ADirection, bool AWrapRow);

// The keyboard state of all bars: what the keyboard selected, navigation mode, the key-tip wait
// and the key tips shown.
class TqzBarNavigationController : public TObject {
  TAVREN_CLASS(TqzBarNavigationController, TObject)
 public:
  TqzBarNavigationController();
  ~TqzBarNavigationController() override;

  // The active bar window when the keyboard drives it, else the open quick control, else none.
  TCustomqzBarControl* NavigationBarControl();
  // The selected item control's node of that bar window, else the selected node kept here.
  TqzBarHelperRef CurrentSelection();
  TqzBarHelperRef CurrentSelectionParent();
  bool IsNavigatedBarWindow(TCustomqzBarControl* AWindow);
  static bool IsArrowOrTabKey(Word AKey);
  bool IsNavigationKeyForSelection(Word AKey);
  bool WantsKey(Word AKey);
  bool IsKeyTipKey(Word AKey);
  void HandleKey(Word AKey, TqzBarHelperRef ASelectionParent = nullptr, TqzBarHelperRef ASelection = nullptr);
  void MoveSelection(bool ASetFocus, const TqzBarHelperRef& ANew, TqzBarHelperRef AOld = nullptr);
  void EnterNavigation(const TqzBarHelperRef& ARoot);
  void DeselectCurrent();
  void ForgetNode(TqzBarAccessibilityHelper* ANode);
  void LeaveNavigationMode() { FNavigationMode = false; }
  bool InNavigationMode() const noexcept { return FNavigationMode; }
  void EndKeyboardNavigation();
  void ResetKeyTips();
  // Starts the 500 ms wait after which the root's key tips show, while Alt stays the last key.
  // A wait for another root (the focus moved) starts anew for it.
  void StartKeyTipsWaiting(const TqzBarHelperRef& ARoot);
  void EndKeyTipsWaiting(bool AShow);
  bool IsWaitingForKeyTips() const { return static_cast<bool>(FWaitingRoot); }
  bool AreKeyTipsShown() const { return static_cast<bool>(FKeyTipState.ActiveContainer); }
  void SetKeyTipContainer(const TqzBarHelperRef& AContainer, const String& ATyped);
  void LeaveActiveKeyTipContainer();
  // Whether the key belongs to the key tips; APrefixFound when a tip starts with the typed text
  // and the key, AExact the tip that equals it.
  bool MatchKeyTip(Word AKey, bool& APrefixFound, std::unique_ptr<TqzBarKeyTipInfo>& AExact);
  void TypeKeyTipChar(Word AKey);
  // What the key types with the current keyboard state: one character or nothing.
  static String KeyToText(Word AKey);

  // The selection kept when no bar window drives it.
  void SetSelection(const TqzBarHelperRef& AObject, const TqzBarHelperRef& AParent) {
    FSelectedObject = AObject;
    FSelectedParent = AParent;
  }
  // Alt went down alone and no other key followed yet.
  bool GetAltPressed() const noexcept { return FAltPressed; }
  void SetAltPressed(bool Value) { FAltPressed = Value; }
  const TqzBarHelperRef& GetActiveContainer() const noexcept { return FKeyTipState.ActiveContainer; }
  const TqzBarKeyTipList& GetKeyTips() const noexcept { return FKeyTipState.KeyTips; }
  const String& GetTypedText() const noexcept { return FKeyTipState.TypedText; }

 private:
  void WaitTimerTick(TObject* Sender);
  void ClearWait();
  void RefreshKeyTipWindows();
  void FreeKeyTips();

  TqzBarHelperRef FSelectedObject;
  TqzBarHelperRef FSelectedParent;
  TqzBarKeyTipsShowingState FKeyTipState;
  TqzBarHelperRef FWaitingRoot;
  std::unique_ptr<TkvTimer> FWaitTimer;
  bool FNavigationMode = false;
  bool FHandlingKey = false;
  bool FAltPressed = false;
};

// Sets a flag of the keyboard state for the lifetime of a scope and puts the previous value back.
class TqzBarFlagScope {
 public:
  explicit TqzBarFlagScope(bool& AFlag) : FFlag(AFlag), FSaved(AFlag) { FFlag = true; }
  ~TqzBarFlagScope() { FFlag = FSaved; }
  TqzBarFlagScope(const TqzBarFlagScope&) = delete;
  TqzBarFlagScope& operator=(const TqzBarFlagScope&) = delete;

 private:
  bool& FFlag;
  bool FSaved;
};

// The controller of all managers, made and freed with the bar unit.
TqzBarNavigationController* NavigationControllerInstance();
void CreateNavigationController();
void FreeNavigationController();
