#include <gtest/gtest.h>

#include "BarControlTestSupport.h"
#include "toolkit/bars/qzBarStandardPainter.h"
#include "BarsTestSupport.h"
#include "toolkit/bars/qzBarControl.h"
#include "toolkit/bars/qzBarItemControlSubItems.h"
#include "user/Focus.h"
#include "user/Input.h"
#include "user/Messages.h"
#include "user/VirtualKeys.h"
#include "user/WindowPos.h"
#include "vcl/Forms.h"
#include "vcl/Menus.h"

TAVREN_CLASS_IMPL(TTestBarControl)

namespace {


// An item control that draws its caption, so that drawing reaches it.
class TTestItemControl : public TqzBarItemControl {
  TAVREN_CLASS(TTestItemControl, TqzBarItemControl)
 public:
  using TqzBarItemControl::TqzBarItemControl;
  // At the default level it shows its caption, and its glyph when it has one, as buttons do.
  Byte GetContentKind() override { return (HasImage(GetViewSize()) ? qzContentIcon : 0) | (iconOnly ? 0 : qzContentText); }
  void DrawInRect(const TRect& R, Byte) override {
    ++draws;
    GetCanvas()->PaintText(GetDrawParams()->CaptionText, R, 0);
  }
  static inline Integer draws = 0;
  static inline bool iconOnly = false;
};
TAVREN_CLASS_IMPL(TTestItemControl)

struct TClicks : TObject {
  Integer count = 0;
  TCustomqzBarControl* freeOnClick = nullptr;
  void Clicked(TObject*) {
    ++count;
    if (freeOnClick) {
      delete freeOnClick;
      freeOnClick = nullptr;
    }
  }
};

class BarControl : public BarManagerOnForm {
 protected:
  void SetUp() override {
    BarManagerOnForm::SetUp();
    TqzBarItemList* list = ItemClassListInstance();
    for (Integer i = 0; i < list->GetCount(); ++i)
      if (list->GetRecord(i)->ItemClass == TqzBarButton::ClassInfo()) {
        record = list->GetRecord(i);
        saved = record->ControlClass;
        record->ControlClass = TTestItemControl::ClassInfo();
      }
    form->SetBounds(0, 0, 300, 300);
    menu = new TqzBarSubItem(form);
    links = menu->GetItemLinks();
    window = new TTestBarControl(manager);
    window->SetParent(form);
    window->SetBounds(10, 10, 120, 200);
    window->SetVisible(true);
    form->Show();
  }
  void TearDown() override {
    delete window;
    window = nullptr;
    if (record) record->ControlClass = saved;
    BarManagerOnForm::TearDown();
  }
  TqzBarButton* Add(const char* ACaption) {
    auto* item = new TqzBarButton(form);
    item->SetCaption(ACaption);
    item->SetOnClick(MakeEvent<&TClicks::Clicked>(&clicks));
    links->AddLinkForItem(item);
    return item;
  }
  void Show(std::initializer_list<const char*> ACaptions) {
    for (const char* caption : ACaptions) Add(caption);
    window->SetItemLinks(links);
    window->Refresh(false);
  }
  TqzBarItemControl* Control(Integer AIndex) { return links->GetVisibleLink(AIndex)->GetControl(); }
  void Key(Word AKey) { SendMessage(window->GetHandle(), WM_KEYDOWN, AKey, 0); }
  // A press and release at the centre of a control, the cursor there as a user's would be.
  // Puts the cursor over the centre of a control and answers that point in client coordinates.
  TPoint CursorOver(TqzBarItemControl* AControl) {
    TRect r = AControl->GetItemRect();
    TPoint p((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    TPoint s = window->ClientToScreen(p);
    SetCursorPos(s.X, s.Y);
    return p;
  }
  void ClickOn(TqzBarItemControl* AControl) {
    TRect r = AControl->GetItemRect();
    TPoint p((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    TPoint s = window->ClientToScreen(p);
    SetCursorPos(s.X, s.Y);
    LPARAM lp = MAKELPARAM(p.X, p.Y);
    HWND wnd = window->GetHandle();
    SendMessage(wnd, WM_MOUSEMOVE, 0, lp);
    SendMessage(wnd, WM_LBUTTONDOWN, MK_LBUTTON, lp);
    if (IsBarControlLive(window)) SendMessage(wnd, WM_LBUTTONUP, 0, lp);
  }

  TRegItemRecord* record = nullptr;
  TClass saved = nullptr;
  TqzBarSubItem* menu = nullptr;
  TqzBarItemLinks* links = nullptr;
  TTestBarControl* window = nullptr;
  TClicks clicks;
};

TEST_F(BarControl, PainterClassOperationsAnswerAlikeThroughTheClassAndAnInstance) {
  TqzBarPainter* painter = manager->GetDefaultPainter();
  ASSERT_NE(painter, nullptr);
  EXPECT_EQ(painter, manager->GetDefaultPainter());
  TqzBarPainterClass cls = painter->ClassRef();
  EXPECT_NE(cls, painter);
  // The manager's default style is Enhanced.
  EXPECT_EQ(cls, BarPainterClassOf<TqzBarEnhancedPainter>());
  EXPECT_EQ(cls->ReferenceTextSize(), painter->ReferenceTextSize());
  EXPECT_EQ(cls->ToolbarBrush(window), painter->ToolbarBrush(window));
  TSize size;
  painter->GetButtonSize(16, 0, size);
  EXPECT_EQ(size, TSize(23, 22));
  EXPECT_EQ(painter->ButtonHeightFor(13), 19);
  EXPECT_EQ(painter->SeparatorOffset(), 2);
  EXPECT_EQ(painter->MarkSize(window), 11);
  EXPECT_EQ(cls->FloatingCaptionHeight(), cls->SmallCaptionHeight() + 1);
  EXPECT_EQ(painter->ComboArrowWidthFor(window, 7), 13);
  EXPECT_EQ(cls->EditControlHeight(window, 13), painter->EditControlHeight(window, 13));
  TRect margins;
  cls->GetMenuTextMargins(margins);
  EXPECT_EQ(margins, TRect(3, 0, 3, 0));
  // A window's own painter wins over the manager's.
  TqzBarPainter own(nullptr);
  window->SetOwnPainter(&own);
  EXPECT_EQ(window->Painter(), &own);
  window->SetOwnPainter(nullptr);
  EXPECT_EQ(window->Painter(), painter);
}

TEST_F(BarControl, ShowsOneControlPerLinkAndFreesThemWithTheLinksOrTheWindow) {
  Show({"&Open", "&Save", "E&xit"});
  for (Integer i = 0; i < 3; ++i) {
    ASSERT_NE(Control(i), nullptr);
    EXPECT_EQ(Control(i)->GetParent(), window);
    EXPECT_EQ(Control(i)->GetLink(), links->GetVisibleLink(i));
  }
  EXPECT_EQ(window->GetLayoutInfo()->GetItemViewInfoCount(), 3);
  // A link that goes takes its control with it, out of the layout and the selection at once:
  // painting before the next rebuild skips it.
  window->ChangeActive(true);
  window->SetSelectedControl(Control(1));
  delete links->GetLink(1);
  EXPECT_EQ(links->GetVisibleLinkCount(), 2);
  EXPECT_EQ(window->GetLayoutInfo()->GetItemViewInfoCount(), 2);
  EXPECT_EQ(window->GetSelectedControl(), nullptr);
  TTestItemControl::draws = 0;
  window->Repaint();
  EXPECT_EQ(TTestItemControl::draws, 2);
  window->Rebuild();
  EXPECT_EQ(window->GetLayoutInfo()->GetItemViewInfoCount(), 2);
  window->SetItemLinks(nullptr);
  EXPECT_EQ(links->GetLink(0)->GetControl(), nullptr);
  EXPECT_EQ(links->GetBarControl(), nullptr);
}

TEST_F(BarControl, OwnerBoundsTouchOnAnEdgeTheyShare) {
  TPoint o = window->ClientToScreen(TPoint(0, 0));
  TRect r(o.X, o.Y, o.X + window->GetWidth(), o.Y + window->GetHeight());
  struct Case {
    TRect owner;
    bool touches;
  } cases[] = {
      {TRect(r.Left, r.Top - 20, r.Left + 50, r.Top), true},        // a toolbar entry above a menu
      {TRect(r.Right, r.Top + 5, r.Right + 30, r.Top + 25), true},  // a menu item beside a sub-menu
      {TRect(r.Right + 1, r.Top, r.Right + 30, r.Top + 25), false},
      {TRect(r.Right, r.Top - 20, r.Right + 50, r.Top), false},  // only a corner
      {TRect(), false},
  };
  for (const Case& c : cases) {
    window->SetOwnerBounds(c.owner, form);
    EXPECT_EQ(window->TouchesOwnerBounds(), c.touches) << c.owner.Left << "," << c.owner.Top;
    EXPECT_EQ(window->OwnerControl(), c.touches || c.owner != TRect() ? form : nullptr);
  }
}

TEST_F(BarControl, TheJoinStripLiesWhereTheWindowMeetsItsOwner) {
  TPoint o = window->ClientToScreen(TPoint(0, 0));
  TRect join;
  // An entry above the window, narrower than it.
  window->SetOwnerBounds(TRect(o.X, o.Y - 20, o.X + 50, o.Y), form);
  window->GetOwnerJoinRect(false, join);
  EXPECT_EQ(join, TRect(1, 0, 49, 1));
  window->GetOwnerJoinRect(true, join);
  EXPECT_EQ(join, TRect(o.X + 1, o.Y - 1, o.X + 49, o.Y));
  // A menu item left of the window, taller than it.
  Integer h = window->GetHeight();
  window->SetOwnerBounds(TRect(o.X - 30, o.Y - 10, o.X, o.Y + h + 10), form);
  window->GetOwnerJoinRect(false, join);
  EXPECT_EQ(join, TRect(0, 1, 1, h - 1));
  window->SetOwnerBounds(TRect(), nullptr);
  window->GetOwnerJoinRect(false, join);
  EXPECT_EQ(join, TRect());
}

TEST_F(BarControl, APopupThatWouldLeaveTheWorkAreaGoesAboveTheWindow) {
  TRect work;
  WorkAreaAtPoint(TPoint(5, 5), work);
  TPoint fits(5, work.Top + 10);
  window->FitOnScreen(fits, 50);
  EXPECT_EQ(fits, TPoint(5, work.Top + 10));
  TPoint low(5, work.Bottom - 20);
  window->FitOnScreen(low, 50);
  EXPECT_EQ(low.Y, window->GetClientOrigin().Y - 50);
}

TEST_F(BarControl, NeverKeepsTheFocus) {
  Show({"One"});
  ::SetFocus(window->GetHandle());
  EXPECT_EQ(GetFocus(), form->GetHandle());
}

TEST_F(BarControl, ContainerLinksExpandInPlaceAndCollapseBack) {
  auto* container = new TqzBarContainerItem(form);
  container->SetCaption("Recent");
  for (const char* caption : {"A", "B"}) {
    auto* item = new TqzBarButton(form);
    item->SetCaption(caption);
    container->GetItemLinks()->AddLinkForItem(item);
  }
  Add("X");
  links->AddLinkForItem(container);
  Add("Y");
  window->SetItemLinks(links);
  auto shown = [&] {
    std::vector<String> result;
    for (Integer i = 0; i < links->GetVisibleLinkCount(); ++i) result.push_back(links->GetVisibleLink(i)->GetCaption());
    return result;
  };
  window->ExpandContainerLinks();
  EXPECT_EQ(shown(), (std::vector<String>{"X", "A", "B", "Y"}));
  window->CollapseContainerLinks();
  EXPECT_EQ(shown(), (std::vector<String>{"X", "Recent", "Y"}));
  // Twice in a row gives the same.
  window->ExpandContainerLinks();
  EXPECT_EQ(shown(), (std::vector<String>{"X", "A", "B", "Y"}));
  // A window that goes while expanded puts the container's link back.
  window->SetItemLinks(nullptr);
  EXPECT_EQ(shown(), (std::vector<String>{"X", "Recent", "Y"}));
}

TEST_F(BarControl, EmptyWindowCreatesNothingAndKeysSelectNothing) {
  window->SetItemLinks(links);
  window->ChangeActive(true);
  for (Word key : {VK_HOME, VK_END, VK_TAB, VK_RIGHT, VK_LEFT}) Key(key);
  EXPECT_EQ(window->GetSelectedControl(), nullptr);
  EXPECT_EQ(window->GetLayoutInfo()->GetItemViewInfoCount(), 0);
}

TEST_F(BarControl, MetricsKeepTheRatioAndMenuArrowAtTheirMinimum) {
  struct Case {
    Integer height;
    bool aboveOne;
  } cases[] = {{-6, false}, {-11, false}, {-40, true}};
  for (const Case& c : cases) {
    window->GetFont()->SetHeight(c.height);
    window->CalcMetrics();
    SCOPED_TRACE(c.height);
    EXPECT_GE(window->GetRatio(), 1.0);
    EXPECT_EQ(window->GetRatio() > 1.0, c.aboveOne);
    EXPECT_GE(window->GetMenuArrowHeight(), 4);
    EXPECT_EQ(window->GetTextSizeValue(), window->ActiveCanvas()->TextHeightOf("Wg") + 6);
  }
}

TEST_F(BarControl, StackedLinksThatDoNotFitKeepEmptyRectangles) {
  window->SetBounds(10, 10, 120, 50);
  Show({"One", "Two", "Three", "Four"});
  Integer fitted = 0;
  Integer bottom = 0;
  for (Integer i = 0; i < links->GetVisibleLinkCount(); ++i) {
    TRect r = links->GetVisibleLink(i)->GetItemRect();
    if (r == TRect()) continue;
    ++fitted;
    EXPECT_EQ(r.Top, bottom);
    EXPECT_LE(r.Bottom, 50);
    bottom = r.Bottom;
  }
  EXPECT_GT(fitted, 0);
  EXPECT_LT(fitted, 4);
  EXPECT_EQ(window->GetLayoutInfo()->GetItemViewInfoCount(), fitted);
}

TEST_F(BarControl, ViewLevelsFollowTheImageAndRefuseWhatIsNotPermitted) {
  Show({"Plain"});
  TqzBarItemControlViewInfo* info = Control(0)->GetViewInfo();
  EXPECT_EQ(info->GetPermittedLevels(), TqzBarItemViewLevels{ivlSmallIconWithText});
  EXPECT_GT(info->GetWidth(ivlSmallIconWithText), 0);
  try {
    info->GetWidth(ivlSmallIcon);
    FAIL() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Testing! The level is not allowed");
  }
  // The kind's own parts are always measured, never refused.
  EXPECT_GT(info->GetWidth(ivlDefault), 0);
  EXPECT_EQ(info->GetViewLevel(), ivlDefault);

  // A link whose levels share none with the possible ones falls back to the possible ones.
  TqzBarButton* pictured = Add("Pictured");
  pictured->GetGlyph()->SetSize(16, 16);
  links->GetLink(1)->SetViewLevels({ivlLargeIconWithText});
  window->Rebuild();
  TqzBarItemControlViewInfo* second = Control(1)->GetViewInfo();
  EXPECT_EQ(second->GetPermittedLevels(), (TqzBarItemViewLevels{ivlSmallIconWithText, ivlSmallIcon}));
  EXPECT_EQ(second->GetMostCompactLevel(), ivlSmallIcon);
  EXPECT_EQ(second->GetButtonGroupLevel(), ivlSmallIcon);
  EXPECT_LT(second->GetWidth(ivlSmallIcon), second->GetWidth(ivlSmallIconWithText));
}

TEST_F(BarControl, LargeViewMeasuresGlyphAndCaptionByLayout) {
  TqzBarButton* item = Add("Caption");
  TBitmap glyph;
  glyph.SetSize(32, 32);
  item->SetLargeGlyph(&glyph);
  window->SetItemLinks(links);
  TqzBarItemControl* control = Control(0);
  control->GetViewInfo()->SetViewLevel(ivlLargeIconWithText);
  Integer caption = control->CaptionWidth();
  Integer textHeight = control->TextHeightOfSample();
  ASSERT_GT(caption, 0);
  struct Case {
    TqzBarGlyphLayout layout;
    Integer width, height;
  } cases[] = {
      {glTop, std::max(32, caption + 6) + 10, 32 + textHeight + 7},
      {glLeft, 32 + caption + 16, std::max(32, textHeight) + 6},
  };
  for (const Case& c : cases) {
    item->SetGlyphLayout(c.layout);
    SCOPED_TRACE(static_cast<int>(c.layout));
    // A layout change rebuilds the window and with it the controls.
    control = Control(0);
    control->GetViewInfo()->SetViewLevel(ivlLargeIconWithText);
    EXPECT_EQ(control->CalcWidth(), c.width);
    EXPECT_EQ(control->CalcHeight(), c.height);
  }
  // Large menu items at the kind's own level, showing the glyph alone.
  TTestItemControl::iconOnly = true;
  links->GetItemOptions()->SetSize(misLarge);
  control->GetViewInfo()->SetViewLevel(ivlDefault);
  EXPECT_EQ(control->CalcWidth(), 42);
  EXPECT_EQ(control->CalcHeight(), 38);
  TTestItemControl::iconOnly = false;
  // Without any image a large view measures a 20 x 20 glyph.
  item->SetLargeGlyph(nullptr);
  TBitmap empty;
  item->SetLargeGlyph(&empty);
  EXPECT_EQ(Control(0)->GlyphSize(qzGlyphLarge, 0), TSize(20, 20));
}

TEST_F(BarControl, HotPartsAndHitTesting) {
  Show({"One", "Two"});
  TqzBarItemControl* control = Control(0);
  TRect r = control->GetItemRect();
  EXPECT_EQ(control->HitTestPart(TPoint(r.Left + 1, r.Top + 1)), 0);
  EXPECT_EQ(control->HitTestPart(TPoint(r.Right + 5, r.Bottom + 50)), qzNoHotPart);
  EXPECT_EQ(window->ControlAtPoint(TPoint(r.Left + 1, r.Top + 1)), control);
  EXPECT_EQ(window->ControlAtPoint(TPoint(-5, -5)), nullptr);
}

TEST_F(BarControl, KeysWalkTheSelectionAndAcceleratorsPressOrCycle) {
  Show({"&Open", "&Save", "&Send", "&Close"});
  window->ChangeActive(true);
  ASSERT_TRUE(window->GetActive());
  EXPECT_EQ(ActiveBarControl(), window);
  Key(VK_HOME);
  EXPECT_EQ(window->GetSelectedControl(), Control(0));
  Key(VK_END);
  EXPECT_EQ(window->GetSelectedControl(), Control(3));
  Key(VK_TAB);  // wraps round
  EXPECT_EQ(window->GetSelectedControl(), Control(0));
  // "S" is shared: the selection only moves, and moves on at the next press.
  Key('S');
  EXPECT_EQ(window->GetSelectedControl(), Control(1));
  Key('S');
  EXPECT_EQ(window->GetSelectedControl(), Control(2));
  EXPECT_EQ(clicks.count, 0);
  // "C" is unique: the item runs.
  Key('C');
  EXPECT_EQ(clicks.count, 1);
  // A disabled item is no accelerator target.
  window->ChangeActive(true);
  links->GetVisibleLink(0)->GetItem()->SetEnabled(false);
  Key(VK_END);
  Key('O');
  EXPECT_EQ(window->GetSelectedControl(), Control(3));
  EXPECT_EQ(clicks.count, 1);
}

TEST_F(BarControl, KeyboardSelectionIsReportedAndKeepsASubItemsMenuFromRollingOut) {
  Add("One");
  auto* sub = new TqzBarSubItem(form);
  sub->SetCaption("More");
  links->AddLinkForItem(sub);
  window->SetItemLinks(links);
  window->Refresh(false);
  auto* subControl = dynamic_cast<TqzBarSubItemControl*>(Control(1));
  ASSERT_NE(subControl, nullptr);
  subControl->SetAnimateNextOpen(true);
  window->SetSelectedControl(subControl);
  EXPECT_EQ(window->GetSelectedControl(), subControl);
  EXPECT_FALSE(subControl->GetAnimateNextOpen());
  EXPECT_EQ(window->selectionChanges, 1);
  // Selecting it again, or clearing the selection, reports nothing.
  window->SetSelectedControl(subControl);
  window->SetSelectedControl(nullptr);
  EXPECT_EQ(window->selectionChanges, 1);
}

TEST_F(BarControl, OpenerWalksEndAtADetachedPopupOpenedFromAnOrdinaryWindow) {
  auto* middle = new TTestBarControl(manager);
  auto* inner = new TTestBarControl(manager);
  middle->SetOpenerBar(window);
  inner->SetOpenerBar(middle);
  EXPECT_EQ(RootBarControl(inner), window);
  EXPECT_EQ(RootBarControl(window), window);
  EXPECT_EQ(RootBarControl(nullptr), nullptr);
  middle->detached = true;
  EXPECT_EQ(RootBarControl(inner), middle);
  delete inner;
  delete middle;
}

TEST_F(BarControl, EscapeClosesAndLeavesTheChain) {
  Show({"One"});
  window->ChangeActive(true);
  Key(VK_ESCAPE);
  EXPECT_TRUE(window->GetClosedByEsc());
  EXPECT_FALSE(window->GetActive());
  EXPECT_EQ(ActiveBarControl(), nullptr);
}

TEST_F(BarControl, EscapeInAnOpenedWindowLeavesItsOpenerOpen) {
  Show({"One"});
  window->ChangeActive(true);
  auto* opened = new TTestBarControl(manager);
  opened->SetParent(form);
  opened->SetOpenerBar(window);
  EXPECT_EQ(window->GetOpenedBar(), opened);
  opened->ChangeActive(true);
  EXPECT_EQ(ActiveBarControl(), opened);
  SendMessage(opened->GetHandle(), WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_FALSE(opened->GetActive());
  EXPECT_TRUE(window->GetActive());
  EXPECT_EQ(ActiveBarControl(), window);
  // Closed any other way, the opener chain closes too.
  opened->ChangeActive(true);
  opened->CloseOnce();
  EXPECT_FALSE(window->GetActive());
  EXPECT_EQ(ActiveBarControl(), nullptr);
  // Freeing the opener frees the window it opened.
  TkvObjectLink* link = LinkToObject(opened);
  delete window;
  window = nullptr;
  EXPECT_EQ(link->Ref, nullptr);
  ReleaseObjectLink(link);
}

// A bar window that closes on cancel, as the menus do.
class TClosingBar : public TTestBarControl {
  TAVREN_CLASS(TClosingBar, TTestBarControl)
 public:
  using TTestBarControl::TTestBarControl;
  Word KindFlags() override { return qzKindRoot & ~qzKindCancelClearsSelection; }
};
TAVREN_CLASS_IMPL(TClosingBar)

TEST_F(BarControl, CancelModeOnlyClearsARootsSelectionAndClosesOthers) {
  Show({"One"});
  window->ChangeActive(true);
  window->SetSelectedControl(Control(0));
  SendMessage(window->GetHandle(), WM_CANCELMODE, 0, 0);
  EXPECT_TRUE(window->GetActive());
  EXPECT_EQ(window->GetSelectedControl(), nullptr);

  auto* closing = new TClosingBar(manager);
  closing->SetParent(form);
  closing->SetVisible(true);
  window->SetItemLinks(nullptr);
  closing->SetItemLinks(links);
  closing->Refresh(false);
  closing->ChangeActive(true);
  closing->SetSelectedControl(links->GetVisibleLink(0)->GetControl());
  SendMessage(closing->GetHandle(), WM_CANCELMODE, 0, 0);
  EXPECT_FALSE(closing->GetActive());
  EXPECT_TRUE(closing->GetClosedByEsc());
  delete closing;
}

TEST_F(BarControl, AltAndF10LeaveMenuModeAsTheManagerSays) {
  Show({"One"});
  struct Case {
    Word key;
    bool useF10;
    bool leaves;
  } cases[] = {{VK_MENU, false, true}, {VK_F10, true, true}, {VK_F10, false, false}};
  for (const Case& c : cases) {
    manager->SetUseF10ForMenu(c.useF10);
    window->ChangeActive(true);
    Key(c.key);
    EXPECT_EQ(window->GetActive(), !c.leaves) << c.key << " " << c.useF10;
  }
}

TEST_F(BarControl, ClickRunsTheItemOnceAndSurvivesAWindowFreedByIt) {
  Show({"One", "Two"});
  window->ChangeActive(true);
  ClickOn(Control(1));
  EXPECT_EQ(clicks.count, 1);
  // The click closed the chain.
  EXPECT_FALSE(window->GetActive());

  window->ChangeActive(true);
  clicks.freeOnClick = window;
  ClickOn(Control(0));
  window = nullptr;
  EXPECT_EQ(clicks.count, 2);
}

TEST_F(BarControl, HoverMakesTheControlHotAndLeavingClearsIt) {
  Show({"One", "Two"});
  TPoint p = CursorOver(Control(1));
  SendMessage(window->GetHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(p.X, p.Y));
  EXPECT_EQ(window->GetSelectedControl(), Control(1));
  EXPECT_TRUE(Control(1)->GetSelectedByMouse());
  EXPECT_EQ(Control(1)->GetHotPart(), 0);
  EXPECT_EQ(window->GetViewState(), 1);
  window->MouseLeave();
  EXPECT_EQ(window->GetSelectedControl(), nullptr);
  EXPECT_EQ(window->GetViewState(), 0);
  EXPECT_EQ(Control(1)->GetHotPart(), qzNoHotPart);
}

TEST_F(BarControl, DoubleClickCountsAsAPress) {
  Show({"One", "Two"});
  window->ChangeActive(true);
  TPoint p = CursorOver(Control(0));
  LPARAM lp = MAKELPARAM(p.X, p.Y);
  SendMessage(window->GetHandle(), WM_LBUTTONDBLCLK, MK_LBUTTON, lp);
  EXPECT_EQ(window->GetSelectedControl(), Control(0));
  EXPECT_EQ(clicks.count, 0);
  SendMessage(window->GetHandle(), WM_LBUTTONUP, 0, lp);
  EXPECT_EQ(clicks.count, 1);
}

TEST_F(BarControl, HintTextsTakeTheShortHintAndTheShortCut) {
  TqzBarButton* open = Add("Open");
  open->SetHint("Open a file|Opens an existing file");
  open->SetShortCut(ShortCut('O', TShiftState{ssCtrl}));
  Add("Other");
  window->SetItemLinks(links);
  window->Refresh(false);
  String hint, shortCut;
  bool vetoed = true;
  CursorOver(Control(0));
  ASSERT_TRUE(Control(0)->GetHintTexts(hint, shortCut, vetoed));
  EXPECT_EQ(hint, "Open a file");
  EXPECT_EQ(shortCut, " (Ctrl+O)");
  EXPECT_FALSE(vetoed);
  // Not while another control is under the mouse, nor while the window is active.
  CursorOver(Control(1));
  EXPECT_FALSE(Control(0)->GetHintTexts(hint, shortCut, vetoed));
  EXPECT_EQ(hint, "");
  CursorOver(Control(0));
  window->ChangeActive(true);
  EXPECT_FALSE(Control(0)->GetHintTexts(hint, shortCut, vetoed));
}

TEST_F(BarControl, PaintingDrawsEveryLaidOutControl) {
  Show({"One", "Two", "Three"});
  TTestItemControl::draws = 0;
  window->Repaint();
  EXPECT_EQ(TTestItemControl::draws, 3);
}

}  // namespace
