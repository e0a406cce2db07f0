#include "toolkit/bars/kvAccessibility.h"

#include <gtest/gtest.h>

#include <vector>

#include "rtl/Exceptions.h"
#include "vcl/Menus.h"

namespace {

// A node of a small tree: children side by side in rectangles, navigation one step left or right.
class TTestNode : public TkvAccessibilityHelper {
 public:
  explicit TTestNode(TTestNode* AParent = nullptr) : TkvAccessibilityHelper(nullptr), parent(AParent) {}

  TTestNode* Add(TRect ARect = TRect()) {
    children.emplace_back(new TTestNode(this));
    children.back()->rect = ARect;
    return children.back().Get();
  }

  std::vector<TInterfacePtr<TTestNode>> children;
  TTestNode* parent;
  TkvAccessibilityFeatures features = 0;
  bool selectable = true;
  bool nameRaises = false;
  String name;
  Word shortCut = 0;
  String caption;
  TRect rect;
  HWND window = nullptr;
  int childTotalCalls = 0;

  TkvAccessibilityHelper* ChildAt(Integer AIndex) override { return children.at(AIndex).Get(); }
  Integer ChildTotal() override {
    ++childTotalCalls;
    return static_cast<Integer>(children.size());
  }
  Integer IndexOfChild(TkvAccessibilityHelper* AChild) override {
    for (size_t i = 0; i < children.size(); ++i)
      if (children[i].Get() == AChild) return static_cast<Integer>(i);
    return -1;
  }
  TkvAccessibilityHelper* ParentNode() override { return parent; }
  TkvAccessibilityFeatures SupportedFeatures(Integer) override { return features; }
  bool IsSelectableTarget() override { return selectable; }
  String AccessibleName(Integer) override {
    if (nameRaises) throw Exception("broken");
    return name;
  }
  void GetKeyboardAccess(Integer, Word& AShortCut, String& ACaption) override {
    AShortCut = shortCut;
    ACaption = caption;
  }
  TRect ScreenRect(Integer) override { return rect; }
  HWND OwnerWindow() override { return window; }
  Integer NavigateChild(Integer AStart, Integer ADirection) override {
    Integer step = ADirection == kvNavigateRight || ADirection == kvNavigateNext ? 1
                   : ADirection == kvNavigateLeft || ADirection == kvNavigatePrevious ? -1
                                                                                     : 0;
    Integer next = AStart + step;
    return next >= 0 && next < ChildTotal() ? next : AStart;
  }
  Integer HitTestChild(Integer AX, Integer AY, Integer& AIndex) override {
    for (size_t i = 0; i < children.size(); ++i) {
      const TRect& r = children[i]->rect;
      if (AX >= r.Left && AX < r.Right && AY >= r.Top && AY < r.Bottom) {
        AIndex = static_cast<Integer>(i);
        return kvHitChild;
      }
    }
    return kvHitSelf;
  }
};

IDispatch* AsDispatch(TTestNode* ANode) { return static_cast<IDispatch*>(ANode); }

class Accessibility : public testing::Test {
 protected:
  TInterfacePtr<TTestNode> root{new TTestNode};
};

TEST_F(Accessibility, AHelperWhoseOwnerIsGoneAnswersWithoutAskingIt) {
  root->name = "Toolbar";
  root->Add();
  root->NotifyOwnerFreed();
  root->childTotalCalls = 0;
  TOwnedBSTR name;
  EXPECT_EQ(root->get_accName(VARIANT::I4(CHILDID_SELF), name), S_OK);
  EXPECT_TRUE(name.IsNull());
  LONG count = 5;
  EXPECT_EQ(root->get_accChildCount(&count), S_OK);
  EXPECT_EQ(count, 0);
  VARIANT state = VARIANT::I4(7);
  EXPECT_EQ(root->get_accState(VARIANT::I4(1), state), S_OK);
  EXPECT_EQ(state.vt, VT_EMPTY);
  VARIANT end;
  EXPECT_EQ(root->accNavigate(NAVDIR_FIRSTCHILD, VARIANT::I4(CHILDID_SELF), end), S_OK);
  EXPECT_EQ(end.vt, VT_EMPTY);
  EXPECT_EQ(root->childTotalCalls, 0);
}

TEST_F(Accessibility, ChildIdsAreCheckedAgainstTheChildren) {
  TTestNode* first = root->Add();
  TTestNode* second = root->Add();
  struct Case {
    const char* name;
    VARIANT id;
    HRESULT result;
    TTestNode* child;
  };
  const Case kCases[] = {
      {"empty", VARIANT(), E_INVALIDARG, nullptr},   {"above the count", VARIANT::I4(3), E_INVALIDARG, nullptr},
      {"negative", VARIANT::I4(-1), E_INVALIDARG, nullptr}, {"the node itself", VARIANT::I4(0), E_INVALIDARG, nullptr},
      {"first", VARIANT::I4(1), S_OK, first},          {"second", VARIANT::I4(2), S_OK, second},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    TInterfacePtr<IDispatch> child;
    EXPECT_EQ(root->get_accChild(c.id, child), c.result);
    EXPECT_EQ(child.Get(), c.child ? AsDispatch(c.child) : nullptr);
  }
  // Children have helpers of their own: asking the parent about them by id is refused.
  TOwnedBSTR name;
  EXPECT_EQ(root->get_accName(VARIANT::I4(1), name), E_INVALIDARG);
  EXPECT_EQ(root->get_accName(VARIANT::I4(-4), name), E_INVALIDARG);
  root->name = "Standard";
  EXPECT_EQ(root->get_accName(VARIANT::I4(CHILDID_SELF), name), S_OK);
  EXPECT_EQ(name.Text(), "Standard");
  root->name.clear();
  EXPECT_EQ(root->get_accName(VARIANT::I4(CHILDID_SELF), name), S_FALSE);
}

TEST_F(Accessibility, NavigationToChildrenNeighboursAndSiblings) {
  root->features = afLocationAndNavigation;
  VARIANT end;
  EXPECT_EQ(root->accNavigate(NAVDIR_FIRSTCHILD, VARIANT::I4(CHILDID_SELF), end), S_FALSE);  // no children
  TTestNode* first = root->Add();
  root->Add();
  TTestNode* last = root->Add();
  EXPECT_EQ(root->accNavigate(NAVDIR_FIRSTCHILD, VARIANT::I4(1), end), E_INVALIDARG);
  ASSERT_EQ(root->accNavigate(NAVDIR_FIRSTCHILD, VARIANT::I4(CHILDID_SELF), end), S_OK);
  EXPECT_EQ(end.vt, VT_DISPATCH);
  EXPECT_EQ(end.pdispVal.Get(), AsDispatch(first));
  ASSERT_EQ(root->accNavigate(NAVDIR_LASTCHILD, VARIANT::I4(CHILDID_SELF), end), S_OK);
  EXPECT_EQ(end.pdispVal.Get(), AsDispatch(last));

  // From a child id through NavigateChild; the same index answers S_FALSE.
  ASSERT_EQ(root->accNavigate(NAVDIR_RIGHT, VARIANT::I4(2), end), S_OK);
  EXPECT_EQ(end.pdispVal.Get(), AsDispatch(last));
  EXPECT_EQ(root->accNavigate(NAVDIR_NEXT, VARIANT::I4(3), end), S_FALSE);
  EXPECT_EQ(root->accNavigate(NAVDIR_RIGHT, VARIANT::I4(9), end), E_INVALIDARG);

  // From the node itself among its parent's children.
  ASSERT_EQ(first->accNavigate(NAVDIR_NEXT, VARIANT::I4(CHILDID_SELF), end), S_OK);
  EXPECT_EQ(end.pdispVal.Get(), AsDispatch(root->children[1].Get()));
  EXPECT_EQ(root->accNavigate(NAVDIR_NEXT, VARIANT::I4(CHILDID_SELF), end), S_FALSE);  // a root has none

  root->features = 0;
  EXPECT_EQ(root->accNavigate(NAVDIR_FIRSTCHILD, VARIANT::I4(CHILDID_SELF), end), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(first->accNavigate(NAVDIR_NEXT, VARIANT::I4(CHILDID_SELF), end), S_FALSE);
}

TEST_F(Accessibility, NextSelectableChildWalksOneWayAndEndsOutside) {
  for (int i = 0; i < 4; ++i) root->Add();
  root->children[3]->selectable = false;
  struct Case {
    Integer start;
    bool forward;
    Integer expected;
  };
  const Case kCases[] = {{-1, false, 2}, {-1, true, 0}, {0, true, 1}, {2, true, -1}, {0, false, -1}, {3, false, 2}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << c.start << (c.forward ? " forward" : " backward"));
    EXPECT_EQ(root->NextSelectableChildIndex(c.start, c.forward), c.expected);
  }
  EXPECT_THROW(root->NextSelectableChildIndex(4, true), Exception);
  TInterfacePtr<TTestNode> empty(new TTestNode);
  EXPECT_EQ(empty->NextSelectableChildIndex(-1, true), -1);
}

TEST_F(Accessibility, KeyboardShortcutPrefersTheAcceleratorLetter) {
  root->features = afKeyboardShortcut;
  struct Case {
    const char* caption;
    Word shortCut;
    const char* text;
    HRESULT result;
  };
  const Case kCases[] = {
      {"&open", ShortCut('O', {ssCtrl}), "O", S_OK},
      {"Save", ShortCut('S', {ssCtrl}), "Ctrl+S", S_OK},
      {"Fish && &chips", 0, "C", S_OK},
      {"Plain", 0, "", S_FALSE},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.caption);
    root->caption = c.caption;
    root->shortCut = c.shortCut;
    TOwnedBSTR text;
    EXPECT_EQ(root->get_accKeyboardShortcut(VARIANT::I4(CHILDID_SELF), text), c.result);
    EXPECT_EQ(text.Text(), c.text);
  }
  root->features = 0;
  TOwnedBSTR text;
  EXPECT_EQ(root->get_accKeyboardShortcut(VARIANT::I4(CHILDID_SELF), text), DISP_E_MEMBERNOTFOUND);
}

TEST_F(Accessibility, NoFailureLeavesAnInterfaceMethod) {
  root->nameRaises = true;
  TOwnedBSTR name;
  EXPECT_EQ(root->get_accName(VARIANT::I4(CHILDID_SELF), name), E_FAIL);
  // The abstract value of the base raises inside; the caller gets E_FAIL.
  root->features = afValue;
  TOwnedBSTR value;
  EXPECT_EQ(root->get_accValue(VARIANT::I4(CHILDID_SELF), value), E_FAIL);
  TInterfacePtr<TkvAccessibilityHelper> bare(new TkvAccessibilityHelper(nullptr));
  EXPECT_THROW(bare->NavigateChild(0, kvNavigateNext), Exception);
  EXPECT_THROW(bare->IndexOfChild(nullptr), Exception);
  EXPECT_FALSE(bare->ChildIsSimpleElement(0));
}

TEST_F(Accessibility, ParentRootVisibilityAndWindow) {
  TTestNode* child = root->Add();
  TTestNode* grandChild = child->Add();
  EXPECT_EQ(grandChild->RootNode(), root.Get());
  EXPECT_TRUE(grandChild->IsVisible());
  TInterfacePtr<IDispatch> parent;
  EXPECT_EQ(grandChild->get_accParent(parent), S_OK);
  EXPECT_EQ(parent.Get(), AsDispatch(child));
  // No accessibility library here: a root's window object cannot be had.
  root->window = reinterpret_cast<HWND>(uintptr_t{0x1234});
  EXPECT_EQ(root->get_accParent(parent), S_FALSE);
  EXPECT_EQ(parent.Get(), nullptr);
  HWND window = nullptr;
  EXPECT_EQ(root->GetWindow(&window), S_OK);
  EXPECT_EQ(window, root->window);
  TOwnedBSTR help;
  EXPECT_EQ(root->get_accHelp(VARIANT::I4(CHILDID_SELF), help), DISP_E_MEMBERNOTFOUND);
  UINT count = 9;
  EXPECT_EQ(root->GetTypeInfoCount(&count), E_NOTIMPL);
}

TEST_F(Accessibility, HitTestAndLocationAnswerInScreenCoordinates) {
  root->rect = TRect(100, 100, 300, 130);
  root->features = afLocationAndNavigation;
  TTestNode* button = root->Add(TRect(110, 102, 150, 128));
  VARIANT hit;
  ASSERT_EQ(root->accHitTest(120, 110, hit), S_OK);
  EXPECT_EQ(hit.pdispVal.Get(), AsDispatch(button));
  ASSERT_EQ(root->accHitTest(200, 110, hit), S_OK);
  EXPECT_EQ(hit.vt, VT_I4);
  EXPECT_EQ(hit.lVal, CHILDID_SELF);
  EXPECT_EQ(root->accHitTest(50, 50, hit), S_FALSE);
  LONG left, top, width, height;
  ASSERT_EQ(root->accLocation(&left, &top, &width, &height, VARIANT::I4(CHILDID_SELF)), S_OK);
  EXPECT_EQ((std::vector<LONG>{left, top, width, height}), (std::vector<LONG>{100, 100, 200, 30}));
  root->features = 0;
  EXPECT_EQ(root->accHitTest(120, 110, hit), DISP_E_MEMBERNOTFOUND);
}

}  // namespace
