#include <gtest/gtest.h>

#include <functional>

#include "RibbonFixture.h"
#include "toolkit/bars/qzBarToolbarControl.h"
#include "toolkit/ribbon/qzRibbonGroupsDock.h"
#include "rtl/IniFiles.h"
#include "rtl/Reader.h"
#include "user/Cursors.h"
#include "user/Focus.h"
#include "user/InputEvents.h"
#include "user/VirtualKeys.h"
#include "vcl/ExtCtrls.h"
#include "vcl/Timers.h"

namespace {

class Ribbon : public RibbonOnForm {};

String MessageOf(const std::function<void()>& ACall) {
  try {
    ACall();
  } catch (const Exception& e) {
    return e.Message();
  }
  return "(nothing raised)";
}

TEST_F(Ribbon, RefusesAnOwnerOrParentThatIsNoFormAndASecondRibbon) {
  TTimer notAForm(nullptr);
  auto* lonePanel = new TPanel(nullptr);
  EXPECT_EQ(MessageOf([&] { new TqzRibbon(form); }), "There should be only one TqzRibbon instance on the form");
  EXPECT_EQ(MessageOf([&] { new TqzRibbon(&notAForm); }), "TqzRibbon should have TCustomForm as its Owner");
  EXPECT_EQ(MessageOf([&] { ribbon->SetParent(lonePanel); }), "TqzRibbon should have TCustomForm as its Parent");
  delete lonePanel;
  EXPECT_EQ(form->GetComponentCount(), 2);
}

TEST_F(Ribbon, LiesOnTheFormOfTheControlItIsPlacedOnAtTheTop) {
  auto* panel = new TPanel(form);
  panel->SetParent(form);
  panel->SetBounds(0, 200, 200, 100);
  ribbon->SetParent(panel);
  EXPECT_EQ(ribbon->GetParent(), form);
  EXPECT_EQ(ribbon->GetTop(), 0);
  EXPECT_EQ(ribbon->GetAlign(), alTop);
}

TEST_F(Ribbon, ANeighbourTakesOverFromTheActiveTabThatGoesOrHides) {
  TqzRibbonTab* a = AddTab("A");
  TqzRibbonTab* b = AddTab("B");
  TqzRibbonTab* c = AddTab("C");
  TqzRibbonTab* d = AddTab("D");
  EXPECT_EQ(ribbon->GetActiveTab(), a) << "the first tab becomes active";
  b->SetActive(true);
  delete b;
  EXPECT_EQ(ribbon->GetActiveTab(), c) << "the next tab to the right";
  d->SetActive(true);
  delete d;
  EXPECT_EQ(ribbon->GetActiveTab(), c) << "at the right end, the nearest to the left";
  c->SetVisible(false);
  EXPECT_EQ(ribbon->GetActiveTab(), a);
  c->SetActive(true);
  EXPECT_TRUE(c->GetVisible()) << "activating a hidden tab shows it";
  delete c;
  delete a;
  EXPECT_EQ(ribbon->GetActiveTab(), nullptr);
}

TEST_F(Ribbon, AFormTooSmallHidesTheRibbon) {
  AddTab("Home");
  struct Case {
    Integer width, height;
    bool hidden;
  };
  const Case kCases[] = {{299, 400, true}, {400, 249, true}, {300, 250, false}, {640, 400, false}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
    form->SetBounds(0, 0, c.width, c.height);
    ribbon->CheckHiddenState();
    EXPECT_EQ(ribbon->GetHidden(), c.hidden);
    if (c.hidden)
      EXPECT_EQ(ribbon->GetHeight(), 0);
    else
      EXPECT_GT(ribbon->GetHeight(), 0);
  }
}

TEST_F(Ribbon, TheWheelOverTheRibbonSwitchesTabsWithoutWrappingAndIsSwallowed) {
  TqzRibbonTab* first = AddTab("First");
  AddTab("Second");
  TqzRibbonTab* last = AddTab("Third");
  // The focus rests on the form, as in the program's main window, whose ribbon is no tab stop.
  ribbon->SetTabStop(false);
  SetFocus(form->GetHandle());
  Integer formWheels = 0;
  struct TCounter : TObject {
    Integer* count;
    void Wheel(TObject*, TShiftState, Integer, TPoint, bool&) { ++*count; }
  } counter;
  counter.count = &formWheels;
  form->SetOnMouseWheel(MakeEvent<&TCounter::Wheel>(&counter));
  const TPoint overRibbon = ribbon->ClientToScreen(TPoint(300, 10));
  auto wheel = [&](const TPoint& P, int ADelta) {
    InputMouseWheel(P, ADelta);
    Pump();
  };
  wheel(overRibbon, -120);
  EXPECT_EQ(ribbon->GetActiveTab()->GetCaption(), "Second");
  wheel(overRibbon, -240);
  EXPECT_EQ(ribbon->GetActiveTab(), last) << "two notches, but no tab after the last";
  wheel(overRibbon, 120 * 5);
  EXPECT_EQ(ribbon->GetActiveTab(), first) << "and none before the first";
  EXPECT_EQ(formWheels, 0);
  ribbon->SetShowTabGroups(false);
  wheel(overRibbon, -120);
  EXPECT_EQ(ribbon->GetActiveTab(), first) << "a minimized ribbon keeps its tab";
  ribbon->SetShowTabGroups(true);
  wheel(form->ClientToScreen(TPoint(300, 350)), -120);
  EXPECT_EQ(ribbon->GetActiveTab(), first);
  EXPECT_EQ(formWheels, 1) << "away from the ribbon the wheel reaches the focus";
}

TEST_F(Ribbon, CtrlF1TogglesTheMinimizedState) {
  AddTab("Home");
  Word key = VK_F1;
  ribbon->FormKeyDown(key, TShiftState{});
  EXPECT_TRUE(ribbon->GetShowTabGroups());
  EXPECT_EQ(key, VK_F1);
  ribbon->FormKeyDown(key, TShiftState{ssCtrl});
  EXPECT_FALSE(ribbon->GetShowTabGroups());
  EXPECT_EQ(key, 0);
  key = VK_F1;
  ribbon->FormKeyDown(key, TShiftState{ssCtrl});
  EXPECT_TRUE(ribbon->GetShowTabGroups());
}

struct TListener : TObject {
  Integer calls = 0;
  bool fail = false;
  void Heard(TComponent*, void*) {
    ++calls;
    if (fail) throw Exception("listener failed");
  }
};

TEST_F(Ribbon, AnotherSchemeRecoloursTheRibbonAndAnUnknownNameChangesNothing) {
  AddTab("Home");
  TListener listener;
  ribbon->GetSchemeListeners()->AttachHandler(MakeEvent<&TListener::Heard>(&listener));
  ribbon->SetColorSchemeName("Blue");
  const COLORREF blue = RibbonPixel(300, 10);
  ribbon->SetColorSchemeName("Black");
  EXPECT_EQ(ribbon->GetColorSchemeName(), "Black");
  EXPECT_EQ(listener.calls, 1);
  EXPECT_NE(RibbonPixel(300, 10), blue);
  ribbon->SetColorSchemeName("Purple");
  EXPECT_EQ(ribbon->GetColorSchemeName(), "Black");
  EXPECT_EQ(listener.calls, 1);
}

TEST_F(Ribbon, TheFormRedrawsAgainWhenASchemeChangeFails) {
  TListener listener;
  listener.fail = true;
  ribbon->GetSchemeListeners()->AttachHandler(MakeEvent<&TListener::Heard>(&listener));
  ribbon->SetColorSchemeName("Blue");
  EXPECT_EQ(MessageOf([&] { ribbon->SetColorSchemeName("Silver"); }), "listener failed");
  EXPECT_TRUE(IsWindowVisible(form->GetHandle()));
}

TEST_F(Ribbon, StoresItsStateInTheSectionNamedAfterItsOwners) {
  form->SetName("FormMain");
  ribbon->SetName("Ribbon1");
  EXPECT_EQ(ribbon->IniSection("Base"), "BaseFormMain_Ribbon1");
  TMemIniFile ini("");
  ribbon->SetShowTabGroups(false);
  ribbon->ReadLayout(&ini, "");
  EXPECT_FALSE(ribbon->GetShowTabGroups()) << "no section: nothing changes";
  ribbon->GetQuickAccessToolbar()->SetPosition(qtpBelowRibbon);
  ribbon->WriteLayout(&ini, "");
  EXPECT_EQ(ini.ReadInteger("FormMain_Ribbon1", "QuickAccessToolbarPosition", -1), 1);
  ribbon->SetShowTabGroups(true);
  ribbon->GetQuickAccessToolbar()->SetPosition(qtpAboveRibbon);
  ribbon->ReadLayout(&ini, "");
  EXPECT_FALSE(ribbon->GetShowTabGroups());
  EXPECT_EQ(ribbon->GetQuickAccessToolbar()->GetPosition(), qtpBelowRibbon);
}

// ---- Tabs and groups -------------------------------------------------------------------------

TEST_F(Ribbon, AGroupLivesWithItsToolbarAndRefusesAToolbarTakenElsewhere) {
  TqzRibbonTab* tab = AddTab("Home");
  TqzBar* file = AddBar("File");
  TqzBar* edit = AddBar("Edit");
  TqzBar* quick = AddBar("Quick");
  ribbon->GetQuickAccessToolbar()->SetToolbar(quick);
  TqzRibbonTabGroup* group = tab->GetGroups()->AddGroup();
  group->SetToolBar(file);
  EXPECT_EQ(MessageOf([&] { tab->GetGroups()->AddGroup()->SetToolBar(file); }),
            "At least one group in this tab already contains this toolbar");
  EXPECT_EQ(MessageOf([&] { tab->GetGroups()->AddGroup()->SetToolBar(quick); }),
            "This toolbar is already used as the QuickAccessToolbar");
  TForm otherForm(nullptr, 0);
  auto* other = new TqzBarManager(&otherForm);
  tab->GetGroups()->AddGroup()->SetToolBar(other->GetBars()->AddBar());
  EXPECT_EQ(tab->GetGroups()->GetGroup(3)->GetToolBar(), nullptr) << "a toolbar of another manager is ignored";
  while (tab->GetGroups()->GetCount() > 1) delete tab->GetGroups()->GetGroup(1);
  tab->GetGroups()->AddGroup()->SetToolBar(edit);
  ASSERT_EQ(tab->GetGroups()->GetCount(), 2);
  group->SetToolBar(nullptr);
  ASSERT_EQ(tab->GetGroups()->GetCount(), 1) << "a group without toolbar goes";
  delete edit;
  EXPECT_EQ(tab->GetGroups()->GetCount(), 0) << "and so does the group of a toolbar that goes";
}

TEST_F(Ribbon, ATabCaptionFollowsItsNameUntilItIsChangedByHand) {
  TqzRibbonTab* tab = ribbon->GetTabs()->Add();
  EXPECT_EQ(tab->GetName(), "Tab1") << "named after the ribbon, which has no name here";
  tab->SetCaption(tab->GetName());
  tab->SetName("Home");
  EXPECT_EQ(tab->GetCaption(), "Home");
  tab->SetCaption("Start");
  tab->SetName("Start2");
  EXPECT_EQ(tab->GetCaption(), "Start");
  EXPECT_EQ(tab->GetDisplayName(), "Start2 - 'Start'");
}

TEST_F(Ribbon, AUserFontStaysWhileTheOthersFollowTheManager) {
  TqzRibbonFonts* fonts = ribbon->GetFonts();
  TFont big;
  big.SetSize(14);
  fonts->SetGroup(&big);
  EXPECT_TRUE(fonts->GetAssignedFonts().Contains(afGroup));
  manager->GetFont()->SetName("Serif");
  EXPECT_EQ(fonts->GetGroup()->GetSize(), 14);
  EXPECT_NE(fonts->GetGroup()->GetName(), "Serif");
  EXPECT_EQ(fonts->GetTabHeader()->GetName(), "Serif");
  EXPECT_EQ(fonts->GetGroupHeader()->GetName(), "Serif");
}

// ---- Loading ---------------------------------------------------------------------------------

TEST(RibbonLoading, AFormWithOneTabOfThreeGroupsLoadsWithItsToolbarsInOrder) {
  HeadlessBackend screen;
  SetDisplayBackend(&screen);
  auto* form = new TForm(nullptr, 0);
  ReadComponentFromText(
      "object FormMain: TForm\n"
      "  Width = 760\n"
      "  Height = 480\n"
      "  object qzRibbon1: TqzRibbon\n"
      "    Left = 0\n"
      "    Top = 0\n"
      "    Width = 752\n"
      "    Height = 92\n"
      "    BarManager = qzBarManager\n"
      "    ColorSchemeName = 'Blue'\n"
      "    QuickAccessToolbar.Visible = False\n"
      "    ShowTabHeaders = False\n"
      "    TabOrder = 0\n"
      "    TabStop = False\n"
      "    object qzRibbon1Tab1: TqzRibbonTab\n"
      "      Active = True\n"
      "      Caption = 'qzRibbon1Tab1'\n"
      "      Groups = <\n"
      "        item\n"
      "          ToolbarName = 'qzBarManagerBar1'\n"
      "        end\n"
      "        item\n"
      "          ToolbarName = 'qzBarManagerBar2'\n"
      "        end\n"
      "        item\n"
      "          ToolbarName = 'qzBarManagerBar3'\n"
      "        end>\n"
      "    end\n"
      "  end\n"
      "  object qzBarManager: TqzBarManager\n"
      "    object qzBarManagerBar1: TqzBar\n"
      "      Caption = 'File'\n"
      "    end\n"
      "    object qzBarManagerBar2: TqzBar\n"
      "      Caption = 'Edit'\n"
      "    end\n"
      "    object qzBarManagerBar3: TqzBar\n"
      "      Caption = 'Help'\n"
      "    end\n"
      "  end\n"
      "end\n",
      form);
  auto* ribbon = dynamic_cast<TqzRibbon*>(form->FindComponent("qzRibbon1"));
  ASSERT_NE(ribbon, nullptr);
  EXPECT_EQ(ribbon->GetBarManager(), form->FindComponent("qzBarManager"));
  EXPECT_EQ(ribbon->GetColorSchemeName(), "Blue");
  EXPECT_FALSE(ribbon->GetShowTabHeaders());
  EXPECT_FALSE(ribbon->GetQuickAccessToolbar()->GetVisible());
  ASSERT_EQ(ribbon->GetTabs()->GetCount(), 1);
  TqzRibbonTab* tab = ribbon->GetTabs()->GetTab(0);
  EXPECT_EQ(ribbon->GetActiveTab(), tab);
  ASSERT_EQ(tab->GetGroups()->GetCount(), 3);
  const char* kCaptions[] = {"File", "Edit", "Help"};
  for (Integer i = 0; i < 3; ++i) {
    ASSERT_NE(tab->GetGroups()->GetGroup(i)->GetToolBar(), nullptr);
    EXPECT_EQ(tab->GetGroups()->GetGroup(i)->GetToolBar()->GetCaption(), kCaptions[i]);
  }
  form->Show();
  const Integer expected = 3 * ribbon->GroupRowHeight() + 2 + ribbon->GroupsCaptionHeight() + 4 + 3 + 4;
  EXPECT_EQ(ribbon->GetHeight(), expected) << "without headers the ribbon is as high as its groups";
  delete form;
  SetDisplayBackend(nullptr);
}

}  // namespace

namespace {

class RibbonGroups : public RibbonOnForm {};

TEST_F(RibbonGroups, TheActiveTabDocksItsGroupsToolbarsAndAToolbarLeavesWithItsGroup) {
  TqzRibbonTab* home = AddTab("Home");
  TqzRibbonTab* view = AddTab("View");
  TqzBar* file = AddBar("File");
  file->SetVisible(true);
  TqzBar* shared = AddBar("Shared");
  shared->SetVisible(true);
  home->GetGroups()->AddGroup()->SetToolBar(file);
  home->GetGroups()->AddGroup()->SetToolBar(shared);
  view->GetGroups()->AddGroup()->SetToolBar(shared);
  Pump();
  ASSERT_NE(file->GetBarControl(), nullptr);
  EXPECT_EQ(file->GetBarControl()->GetDockControl(), static_cast<TqzDockControl*>(home->GetDockControl()));
  EXPECT_EQ(shared->GetDockControl(), static_cast<TqzDockControl*>(home->GetDockControl())) << "the active tab keeps a shared toolbar";
  EXPECT_TRUE(home->GetDockControl()->GetVisible());
  EXPECT_FALSE(view->GetDockControl()->GetVisible());

  view->SetActive(true);
  EXPECT_EQ(shared->GetDockControl(), static_cast<TqzDockControl*>(view->GetDockControl())) << "it moves with the activation";
  EXPECT_TRUE(shared->GetVisible());
  EXPECT_FALSE(home->GetDockControl()->GetVisible());

  delete home->GetGroups()->GetGroup(0);
  EXPECT_EQ(file->GetDockControl(), nullptr) << "a released toolbar is no longer the ribbon's";
  EXPECT_EQ(file->GetDockingStyle(), dsNone);
  EXPECT_TRUE(file->GetVisible());
}

}  // namespace
