#pragma once
// A small tree of navigation nodes with rectangles and key tips, and a key-tip windows manager
// that records what it shows.

#include <algorithm>
#include <functional>
#include <map>
#include <set>
#include <vector>

#include "toolkit/bars/qzBarNavigation.h"
#include "user/VirtualKeys.h"

// Records the windows it was asked for; a window object stands for one shown key tip.
class TRecordingKeyTipWindows : public TObject, public IqzBarKeyTipWindowsManager {
  TAVREN_CLASS(TRecordingKeyTipWindows, TObject)
 public:
  ~TRecordingKeyTipWindows() override {
    for (auto& [window, text] : windows) delete window;
  }
  HRESULT QueryInterface(const TInterfaceId& IID, void** Obj) override {
    return GetInterface(this, IID, Obj) ? S_OK : E_NOINTERFACE;
  }
  Integer _AddRef() override { return -1; }
  Integer _Release() override { return -1; }
  void AddKeyTipWindow(const String& AText, const TPoint& AAnchor, Byte, Byte, bool, TObject*& AWindow) override {
    AWindow = new TObject;
    windows[AWindow] = AText;
    anchors[AText] = AAnchor;
  }
  void RemoveKeyTipWindow(TObject* AWindow) override {
    windows.erase(AWindow);
    delete AWindow;
  }
  void ShowKeyTipWindows() override { ++shows; }
  // The texts shown now, sorted.
  std::vector<String> Texts() const {
    std::vector<String> texts;
    for (auto& [window, text] : windows) texts.push_back(text);
    std::sort(texts.begin(), texts.end());
    return texts;
  }

  std::map<TObject*, String> windows;
  std::map<String, TPoint> anchors;
  Integer shows = 0;
};

// A node of the test tree: a leaf is selectable unless told otherwise, a group is not.
class TTestNavNode : public TqzBarAccessibilityHelper {
  TAVREN_CLASS(TTestNavNode, TqzBarAccessibilityHelper)
 public:
  explicit TTestNavNode(TTestNavNode* AParent = nullptr) : TqzBarAccessibilityHelper(nullptr), parent(AParent) {}

  TTestNavNode* Add(const String& AKeyTip = "", TRect ARect = TRect()) {
    children.emplace_back(new TTestNavNode(this));
    TTestNavNode* child = children.back().Get();
    child->keyTip = AKeyTip;
    child->rect = ARect;
    return child;
  }
  TTestNavNode* Group(TRect ARect = TRect()) {
    TTestNavNode* group = Add("", ARect);
    group->selectable = false;
    return group;
  }

  TkvAccessibilityHelper* ChildAt(Integer AIndex) override { return children.at(AIndex).Get(); }
  Integer ChildTotal() override { return static_cast<Integer>(children.size()); }
  Integer IndexOfChild(TkvAccessibilityHelper* AChild) override {
    for (size_t i = 0; i < children.size(); ++i)
      if (children[i].Get() == AChild) return static_cast<Integer>(i);
    return -1;
  }
  TkvAccessibilityHelper* ParentNode() override { return parent; }
  TRect ScreenRect(Integer) override { return rect; }
  bool IsSelectableTarget() override { return selectable && IsVisible(); }
  Integer StateFlags(Integer) override { return visible ? 0 : STATE_SYSTEM_INVISIBLE; }
  TqzBarManager* OwningBarManager() override { return parent ? parent->OwningBarManager() : manager; }
  TqzBarHelperRef DefaultNavigationObject() override { return BarHelperRef(FirstSelectableDescendant()); }
  bool KeyTipsAvailable(TInterfacePtr<IqzBarKeyTipWindowsManager>& AWindows) override {
    if (!keyTipWindows) return TqzBarAccessibilityHelper::KeyTipsAvailable(AWindows);
    AWindows = keyTipWindows;
    return true;
  }
  bool AcceptsKey(Word AKey) override { return AKey == VK_ESCAPE; }
  String AssignedKeyTip() override { return keyTip; }
  String DefaultKeyTip() override { return defaultKeyTip; }
  void FillKeyTipInfo(TqzBarKeyTipInfo& AInfo) override {
    TqzBarAccessibilityHelper::FillKeyTipInfo(AInfo);
    AInfo.Enabled = enabled;
  }
  void KeyTipExecute() override {
    ++executed;
    if (onExecute) onExecute();
  }

  std::vector<TInterfacePtr<TTestNavNode>> children;
  TTestNavNode* parent;
  TRect rect;
  bool selectable = true;
  bool visible = true;
  bool enabled = true;
  String keyTip;
  String defaultKeyTip = "Y";
  Integer executed = 0;
  std::function<void()> onExecute;
  IqzBarKeyTipWindowsManager* keyTipWindows = nullptr;
  TqzBarManager* manager = nullptr;
};
