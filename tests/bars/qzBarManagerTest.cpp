#include <gtest/gtest.h>

#include "BarsTestSupport.h"
#include "backend/HeadlessBackend.h"
#include "rtl/ClassRegistry.h"
#include "rtl/Math.h"
#include "rtl/Reader.h"
#include "rtl/Writer.h"
#include "toolkit/bars/qzBar.h"
#include "vcl/ExtCtrls.h"

namespace {

class TTestBarComponent : public TqzBarComponent {
  TAVREN_CLASS(TTestBarComponent, TqzBarComponent)
 public:
  TTestBarComponent(TComponent* AOwner, TqzBarManager* AManager) : TqzBarComponent(AOwner) { SetBarManager(AManager); }
  bool GetEnabled() override { return FEnabled; }
  void SetEnabled(bool Value) override { FEnabled = Value; }
  void SetVisible(TqzBarItemVisible) override {}

 private:
  bool FEnabled = true;
};
TAVREN_CLASS_IMPL(TTestBarComponent)


class BarManager : public testing::Test {
 protected:
  void SetUp() override {
    SetDisplayBackend(&screen);
    form = new TForm(nullptr, 0);
  }
  void TearDown() override {
    delete form;
    SetDisplayBackend(nullptr);
  }
  HeadlessBackend screen;
  TForm* form = nullptr;
};

TEST_F(BarManager, OwnerMustBeAWindowControlWithoutAManager) {
  auto* manager = new TqzBarManager(form);
  EXPECT_EQ(FindBarManagerOfComponent(form), manager);
  struct Case {
    TComponent* owner;
    const char* message;
  };
  TComponent plain(nullptr);
  const Case kCases[] = {{form, "A control should contain only a single TqzBarManager"},
                         {&plain, "TqzBarManager should have TWinControl as its Owner"},
                         {nullptr, "TqzBarManager should have TWinControl as its Owner"}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.message);
    try {
      new TqzBarManager(c.owner);
      ADD_FAILURE() << "no exception";
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), c.message);
    }
  }
  // The first manager is untouched and still the only live one of the form.
  EXPECT_EQ(FindBarManagerOfComponent(form), manager);
  EXPECT_EQ(BarManagerList()->GetCount(), 1);
  EXPECT_EQ(form->GetComponentCount(), 1);
  delete manager;
  EXPECT_EQ(BarManagerList()->GetCount(), 0);
  EXPECT_EQ(FindBarManagerOfComponent(form), nullptr);
}

TEST_F(BarManager, RecentPercentsClampAndGiveTheThreshold) {
  auto* manager = new TqzBarManager(form);
  struct Case {
    Byte percents, stored;
    Integer threshold;
  };
  const Case kCases[] = {{95, 95, 20}, {150, 100, 0}, {100, 100, 0}, {0, 0, 1}, {50, 50, 2}, {99, 99, 100}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.percents);
    manager->SetMostRecentItemsPercents(c.percents);
    EXPECT_EQ(manager->GetMostRecentItemsPercents(), c.stored);
    EXPECT_EQ(manager->GetRecentUseThreshold(), c.threshold);
  }
  // Out-of-range sizes and times are ignored.
  manager->SetButtonArrowWidth(1);
  manager->SetLargeButtonArrowWidth(0);
  manager->SetWaitForDockingTime(-5);
  EXPECT_EQ(manager->GetButtonArrowWidth(), 11);
  EXPECT_EQ(manager->GetLargeButtonArrowWidth(), 13);
  EXPECT_EQ(manager->GetWaitForDockingTime(), 21);
}

TEST_F(BarManager, StyleAndLookAndFeelChooseThePainterKind) {
  auto* manager = new TqzBarManager(form);
  struct Case {
    TqzBarManagerStyle style;
    TkvLookAndFeelKind kind;
    TqzBarManagerStyle effective;
    Integer painter;
  };
  // No visual styles on this platform: XP falls back to the enhanced painter.
  const Case kCases[] = {
      {bmsStandard, lfFlat, bmsStandard, 0},         {bmsEnhanced, lfFlat, bmsEnhanced, 1},
      {bmsFlat, lfFlat, bmsFlat, 2},                 {bmsXP, lfFlat, bmsXP, 1},
      {bmsOffice11, lfFlat, bmsOffice11, 4},         {bmsUseLookAndFeel, lfUltraFlat, bmsFlat, 2},
      {bmsUseLookAndFeel, lfStandard, bmsStandard, 0}, {bmsUseLookAndFeel, lfOffice11, bmsOffice11, 4},
      {bmsUseLookAndFeel, lfFlat, bmsEnhanced, 1},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << c.style << "/" << c.kind);
    manager->SetStyle(c.style);
    manager->GetLookAndFeel()->SetKind(c.kind);
    EXPECT_EQ(manager->GetEffectiveStyle(), c.effective);
    EXPECT_EQ(manager->GetPainterKind(), c.painter);
    EXPECT_EQ(manager->SupportsRecentItems(), c.effective != bmsStandard);
  }
}

TEST_F(BarManager, FlatColoursAndTheDockColour) {
  auto* manager = new TqzBarManager(form);
  const COLORREF shadow = ColorToRGB(clBtnShadow), face = ColorToRGB(clBtnFace);
  RECT pixel{0, 0, 1, 1};
  TBitmap probe;
  probe.SetSize(1, 1);
  struct Case {
    HBRUSH brush;
    COLORREF expected;
  };
  const Case kCases[] = {
      {manager->FlatBorderBrush(), RGB(MulDiv(GetRValue(shadow), 8, 10), MulDiv(GetGValue(shadow), 8, 10),
                                       MulDiv(GetBValue(shadow), 8, 10))},
      {manager->FlatFaceBrush(), RGB(GetRValue(face) + MulDiv(255 - GetRValue(face), 16, 100),
                                     GetGValue(face) + MulDiv(255 - GetGValue(face), 16, 100),
                                     GetBValue(face) + MulDiv(255 - GetBValue(face), 16, 100))},
      {manager->FlatHotBrush(), static_cast<COLORREF>(manager->GetFlatLightColor())},
  };
  for (const Case& c : kCases) {
    FillRect(probe.GetCanvas()->GetHandle(), &pixel, c.brush);
    EXPECT_EQ(probe.GetCanvas()->GetPixel(0, 0), static_cast<TColor>(c.expected));
  }
  EXPECT_EQ(manager->ThemedToolbarBrush(), nullptr);  // no visual styles here

  form->SetColor(clTeal);
  EXPECT_EQ(manager->GetDockColor(), clTeal);
  manager->SetDockColor(clNavy);
  EXPECT_FALSE(manager->GetAutoDockColor());
  EXPECT_EQ(manager->GetDockColor(), clNavy);
}

// Counts the system-font notifications a manager sends.
struct TFontWatcher : TObject {
  Integer calls = 0;
  void Changed(TComponent*, void*) { ++calls; }
};

TEST_F(BarManager, FontsFollowTheSystemUntilTheUserChoosesOne) {
  auto* manager = new TqzBarManager(form);
  NONCLIENTMETRICS metrics;
  metrics.cbSize = sizeof(metrics);
  SystemParametersInfo(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0);
  EXPECT_TRUE(manager->GetUseSystemFont());
  EXPECT_EQ(manager->GetFont()->GetName(), metrics.lfMenuFont.lfFaceName);
  EXPECT_EQ(manager->GetEditFont()->GetName(), manager->GetFont()->GetName());
  TFontWatcher watcher;
  manager->SystemFontChangedHandlers()->AttachHandler(MakeEvent<&TFontWatcher::Changed>(&watcher));
  // A font of the user's own: the system font is off; Scaled keeps the menu font's height.
  manager->GetFont()->SetName("Arial");
  manager->GetFont()->SetHeight(-30);
  EXPECT_FALSE(manager->GetUseSystemFont());
  EXPECT_EQ(manager->GetFont()->GetName(), "Arial");
  EXPECT_EQ(manager->GetFont()->GetHeight(), metrics.lfMenuFont.lfHeight);
  EXPECT_EQ(watcher.calls, 2);
  manager->SetScaled(false);
  manager->GetFont()->SetHeight(-30);
  EXPECT_EQ(manager->GetFont()->GetHeight(), -30);
  manager->SetUseSystemFont(true);
  EXPECT_EQ(manager->GetFont()->GetName(), metrics.lfMenuFont.lfFaceName);
  EXPECT_TRUE(manager->GetUseSystemFont());
  manager->SystemFontChangedHandlers()->DetachHandler(MakeEvent<&TFontWatcher::Changed>(&watcher));
}

TEST_F(BarManager, UpdatesNestAndDesignerNotificationsWaitForTheirLock) {
  auto* manager = new TqzBarManager(form);
  manager->BeginUpdate();
  manager->BeginUpdate();
  manager->EndUpdate();
  EXPECT_TRUE(manager->IsUpdateLocked());
  manager->EndUpdate();
  EXPECT_FALSE(manager->IsUpdateLocked());
  manager->EndUpdate();  // unbalanced: stays at zero
  EXPECT_EQ(manager->GetLockUpdate(), 0);

  manager->LockDesignerModified(true);
  manager->SetShowHint(false);
  EXPECT_FALSE(manager->GetModified());
  manager->LockDesignerModified(false, true);
  EXPECT_TRUE(manager->GetModified());
}

TEST_F(BarManager, BarComponentListsFollowTheirComponents) {
  auto* manager = new TqzBarManager(form);
  TChangeLog log;
  TqzBarComponentList first, second;
  first.SetOnComponentListChanged(MakeEvent<&TChangeLog::Changed>(&log));
  auto* a = new TTestBarComponent(form, manager);
  auto* b = new TTestBarComponent(form, manager);
  first.Add(a);
  first.Add(b);
  second.Add(a);
  // A plain component is refused without a change event.
  log.changes.clear();
  TComponent plain(nullptr);
  first.TObjectList::Add(&plain);
  EXPECT_EQ(first.GetCount(), 2);
  EXPECT_TRUE(log.changes.empty());
  a->NotifyChanged();
  b->NotifyChanged(true);
  using Change = std::pair<TComponent*, Integer>;
  EXPECT_EQ(log.changes, (std::vector<Change>{{a, qzclaChanged}, {nullptr, qzclaChanged}}));
  // Freed while in two lists: both let it go.
  delete a;
  EXPECT_EQ(first.GetCount(), 1);
  EXPECT_EQ(second.GetCount(), 0);
  // Without a designer every component may be deleted and none is selected.
  IqzBarSelectableItem* ref = b;
  EXPECT_TRUE(b->CanBeDeleted(true));
  EXPECT_EQ(b->SelectionStatus(), 0);
  EXPECT_EQ(b->GetBarManager(), manager);
  b->DeleteIfAllowed(ref, true);
  EXPECT_EQ(ref, nullptr);
  EXPECT_EQ(first.GetCount(), 0);
}

TEST_F(BarManager, ManagersServeTheControlsInsideTheirOwner) {
  auto* manager = new TqzBarManager(form);
  auto* panel = new TPanel(form);
  panel->SetParent(form);
  // Only a control with a window is served.
  EXPECT_EQ(ManagerServingComponent(panel), nullptr);
  panel->HandleNeeded();
  EXPECT_EQ(ManagerServingComponent(panel), manager);
  EXPECT_EQ(BarManagerOfWindow(form->GetHandle()), manager);
  EXPECT_EQ(FormOfBarManager(manager, 2), form);
  EXPECT_TRUE(IsManagerOwnerWindow(manager, form->GetHandle()));
  EXPECT_TRUE(ManagerOwnsControl(manager, panel));
  auto* other = new TForm(nullptr, 0);
  EXPECT_FALSE(ManagerOwnsControl(manager, other));
  EXPECT_EQ(ManagerServingComponent(other), nullptr);
  delete other;
}

TEST_F(BarManager, SettingsStreamWithTheForm) {
  auto* manager = new TqzBarManager(form);
  manager->SetName("BarManager1");
  manager->SetStyle(bmsOffice11);
  manager->SetMostRecentItemsPercents(80);
  manager->SetShowHint(false);
  String text = WriteComponentToText(form);
  EXPECT_NE(text.find("Style = bmsOffice11"), String::npos) << text;
  EXPECT_EQ(text.find("AllowReset"), String::npos) << text;
  auto* copy = new TForm(nullptr, 0);
  ReadComponentFromText(text, copy);
  auto* read = dynamic_cast<TqzBarManager*>(copy->FindComponent("BarManager1"));
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->GetStyle(), bmsOffice11);
  EXPECT_EQ(read->GetMostRecentItemsPercents(), 80);
  EXPECT_EQ(read->GetRecentUseThreshold(), 5);
  EXPECT_FALSE(read->GetShowHint());
  delete copy;
}

}  // namespace

namespace {

class BarGroups : public BarManager {
 protected:
  void SetUp() override {
    BarManager::SetUp();
    manager = new TqzBarManager(form);
    manager->SetName("BarManager1");
  }
  TqzBarManager* manager = nullptr;
};

TEST_F(BarGroups, GroupsSwitchTheirMembersAndRefuseRecursion) {
  TqzBarGroup* outer = manager->AddGroup();
  TqzBarGroup* inner = manager->AddGroup();
  auto* a = new TTestBarComponent(form, manager);
  auto* b = new TTestBarComponent(form, manager);
  outer->Add(a);
  outer->Add(inner);
  outer->Add(a);  // present: ignored
  inner->Add(b);
  EXPECT_EQ(outer->Count(), 2);
  const struct {
    TqzBarGroup* group;
    TqzBarComponent* member;
  } kRefused[] = {{inner, outer}, {outer, outer}, {inner, inner}};
  for (const auto& c : kRefused) {
    try {
      c.group->Add(c.member);
      ADD_FAILURE() << "no exception";
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), "You cannot create recursive groups");
    }
  }
  outer->SetEnabled(false);
  EXPECT_FALSE(a->GetEnabled());
  EXPECT_FALSE(b->GetEnabled());
  EXPECT_FALSE(inner->GetEnabled());
  EXPECT_FALSE(manager->IsUpdateLocked());
  outer->SetVisible(ivNever);
  EXPECT_EQ(inner->GetVisible(), ivNever);
  // A freed member leaves its group; groups keep their place in the manager.
  delete b;
  EXPECT_EQ(inner->Count(), 0);
  EXPECT_EQ(inner->GetGroupIndex(), 1);
  inner->MoveToGroupIndex(0);
  EXPECT_EQ(manager->GetGroup(0), inner);
}

TEST_F(BarGroups, GroupsStreamInsideTheManagerAndFindTheirMembersByName) {
  TqzBarGroup* outer = manager->AddGroup();
  outer->SetName("OuterGroup");
  TqzBarGroup* inner = manager->AddGroup();
  inner->SetName("InnerGroup");
  outer->Add(inner);
  outer->SetVisible(ivInCustomizing);
  String text = WriteComponentToText(form);
  EXPECT_NE(text.find("object OuterGroup: TqzBarGroup"), String::npos) << text;
  EXPECT_NE(text.find("'InnerGroup'"), String::npos) << text;
  auto* copy = new TForm(nullptr, 0);
  ReadComponentFromText(text, copy);
  auto* read = dynamic_cast<TqzBarManager*>(copy->FindComponent("BarManager1"));
  ASSERT_NE(read, nullptr);
  ASSERT_EQ(read->GetGroupCount(), 2);
  TqzBarGroup* readOuter = read->GetGroup(0);
  EXPECT_EQ(readOuter->GetName(), "OuterGroup");
  EXPECT_EQ(readOuter->GetOwner(), copy);
  ASSERT_EQ(readOuter->Count(), 1);
  EXPECT_EQ(readOuter->ItemAt(0), read->GetGroup(1));
  EXPECT_EQ(readOuter->GetVisible(), ivInCustomizing);
  delete copy;
}

}  // namespace
