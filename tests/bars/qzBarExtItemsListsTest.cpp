#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "BarsTestSupport.h"
#include "backend/ScriptedInput.h"
#include "toolkit/bars/qzBarExtItems.h"
#include "toolkit/bars/qzBarSubMenuControl.h"
#include "toolkit/bars/qzBarToolbarControl.h"
#include "user/Clock.h"
#include "user/Messages.h"
#include "user/Painting.h"
#include "user/WindowDC.h"

namespace {

struct TClickLog : TObject {
  std::vector<Integer> indexes;
  std::vector<TqzBarItemLink*> expanded, collapsing;
  void Clicked(TObject* Sender) { indexes.push_back(static_cast<TqzBarListItem*>(Sender)->GetItemIndex()); }
  void AfterExpand(TObject*, TqzBarItemLink* ALink) { expanded.push_back(ALink); }
  void BeforeCollapse(TObject*, TqzBarItemLink* ALink) { collapsing.push_back(ALink); }
};

// A main menu "File" holding Open, a recent-files list or an in-place sub-item, and Exit.
class ListItems : public BarManagerOnForm {
 protected:
  void SetUp() override {
    BarManagerOnForm::SetUp();
    form->SetBounds(40, 30, 480, 320);
    form->Show();
    bar = manager->GetBars()->AddBar();
    bar->SetCaption("Menu");
    file = new TqzBarSubItem(form);
    file->SetCaption("&File");
    bar->GetItemLinks()->AddLinkForItem(file);
    Button("&Open");
    bar->SetIsMainMenu(true);
    bar->SetDockingStyle(dsTop);
    bar->SetVisible(true);
    Pump();
    static_cast<FakeClock&>(CurrentClock()).Advance(2000);
  }
  TqzBarButton* Button(const char* ACaption, TqzBarItemLinks* ALinks = nullptr) {
    auto* item = new TqzBarButton(form);
    item->SetCaption(ACaption);
    (ALinks ? ALinks : file->GetItemLinks())->AddLinkForItem(item);
    return item;
  }
  POINT Centre(TqzBarItemLink* ALink) {
    TRect r = ALink->GetItemRect();
    TPoint p = ALink->GetBarControl()->ClientToScreen(TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
    return {p.X, p.Y};
  }
  TqzBarSubMenuControl* OpenFile() {
    ScriptClick(Centre(bar->GetItemLinks()->GetLink(0)));
    Pump();
    return dynamic_cast<TqzBarSubMenuControl*>(file->GetItemLinks()->GetBarControl());
  }
  // The captions of what the open File menu shows, group starts marked with "|".
  std::vector<String> Shown() {
    std::vector<String> captions;
    TqzBarItemLinks* links = file->GetItemLinks();
    for (Integer i = 0; i < links->GetVisibleLinkCount(); ++i) {
      TqzBarItemLink* link = links->GetVisibleLink(i);
      captions.push_back((link->GetBeginGroup() && i > 0 ? "|" : "") + link->GetCaption());
    }
    return captions;
  }

  TClickLog log;
  TqzBar* bar = nullptr;
  TqzBarSubItem* file = nullptr;
};

TEST_F(ListItems, TheRecentListKeepsAtMostMaxItemCountEntries) {
  auto* recent = new TqzBarMRUListItem(form);
  recent->SetMaxItemCount(0);
  for (const char* entry : {"a", "b", "c", "d", "e", "f", "g", "h"}) recent->GetItems()->Add(entry);
  recent->SetMaxItemCount(5);
  EXPECT_EQ(recent->GetItems()->GetCommaText(), "a,b,c,d,e");
  recent->SetMaxItemCount(0);
  EXPECT_EQ(recent->GetItems()->GetCount(), 5);
  recent->SetMaxItemCount(-3);
  EXPECT_EQ(recent->GetMaxItemCount(), 0);
  recent->GetItems()->AddObject("x", recent);
  recent->RemoveItem("c", nullptr);
  recent->RemoveItem("", recent);
  recent->RemoveItem("nowhere", nullptr);
  EXPECT_EQ(recent->GetItems()->GetCommaText(), "a,b,d,e");
}

TEST_F(ListItems, ALongPathIsShortenedInTheMiddleAndAnyLengthWorks) {
  auto* recent = new TqzBarMRUListItem(form);
  HDC screen = GetDC(nullptr);
  auto width = [&](const String& AText) {
    RECT r = {0, 0, 0, 0};
    DrawText(screen, AText.c_str(), -1, &r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    return r.Right - r.Left;
  };
  struct Case {
    String entry;
    bool shortened;
  } cases[] = {
      {"/home/user/clip.avi", false},
      {"/home/user/videos/holidays/2026/summer/beach/evening/" + String(40, 'x') + "/sunset-by-the-sea.avi", true},
      // Far longer than any fixed buffer: still shortened whole, the file name kept.
      {"/" + String(900, 'd') + "/long-entry.mkv", true},
  };
  for (const Case& c : cases) {
    String shown = recent->DisplayTextOf(c.entry);
    EXPECT_LE(width(shown), 300) << c.entry;
    if (!c.shortened) {
      EXPECT_EQ(shown, c.entry);
      continue;
    }
    EXPECT_NE(shown.find("..."), String::npos) << shown;
    String name = c.entry.substr(c.entry.rfind('/'));
    EXPECT_EQ(shown.substr(shown.size() - name.size()), name) << shown;
    EXPECT_EQ(shown.substr(0, 2), c.entry.substr(0, 2)) << shown;
  }
  ReleaseDC(nullptr, screen);
}

TEST_F(ListItems, AClickedRecentEntryIsRemovedWhenAsked) {
  auto* recent = new TqzBarMRUListItem(form);
  recent->SetOnClick(MakeEvent<&TClickLog::Clicked>(&log));
  for (const char* entry : {"one.avi", "two.avi", "three.avi", "four.avi"}) recent->GetItems()->Add(entry);
  recent->SetRemoveItemOnClick(true);
  file->GetItemLinks()->AddLinkForItem(recent);
  Button("E&xit");
  TqzBarSubMenuControl* menu = OpenFile();
  ASSERT_NE(menu, nullptr);
  // The entries stand in the list's place, numbered, the first one starting a group.
  EXPECT_EQ(Shown(), (std::vector<String>{"&Open", "|&1 one.avi", "&2 two.avi", "&3 three.avi", "&4 four.avi", "E&xit"}));
  ScriptClick(Centre(file->GetItemLinks()->GetVisibleLink(3)));
  Pump();
  EXPECT_EQ(log.indexes, std::vector<Integer>{2});
  EXPECT_EQ(recent->GetItems()->GetCommaText(), "one.avi,two.avi,four.avi");
  EXPECT_EQ(recent->GetItemIndex(), -1);
  // The menu closed with the click; opened again, it shows the list as it is now.
  OpenFile();
  EXPECT_EQ(Shown(), (std::vector<String>{"&Open", "|&1 one.avi", "&2 two.avi", "&3 four.avi", "E&xit"}));
}

class InPlaceSubItems : public ListItems {
 protected:
  void SetUp() override {
    ListItems::SetUp();
    convert = new TqzBarInPlaceSubItem(form);
    convert->SetCaption("Convert to");
    convert->SetOnAfterExpand(MakeEvent<&TClickLog::AfterExpand>(&log));
    convert->SetOnBeforeCollapse(MakeEvent<&TClickLog::BeforeCollapse>(&log));
    file->GetItemLinks()->AddLinkForItem(convert);
    Button("WMV", convert->GetItemLinks());
    Button("MP4", convert->GetItemLinks());
    Button("E&xit");
  }
  TqzBarItemLink* ConvertLink() { return convert->GetLink(0); }
  TqzBarInPlaceSubItem* convert = nullptr;
};

TEST_F(InPlaceSubItems, AClickShowsTheLinksRightBelowInTheSameMenuAndAnotherTakesThemAway) {
  TqzBarSubMenuControl* menu = OpenFile();
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(Shown(), (std::vector<String>{"&Open", "Convert to", "E&xit"}));
  Integer collapsedHeight = menu->GetHeight();
  ScriptClick(Centre(ConvertLink()));
  Pump();
  EXPECT_TRUE(convert->GetExpanded());
  EXPECT_EQ(file->GetItemLinks()->GetBarControl(), menu);
  EXPECT_EQ(Shown(), (std::vector<String>{"&Open", "Convert to", "WMV", "MP4", "E&xit"}));
  EXPECT_EQ(log.expanded, std::vector<TqzBarItemLink*>{ConvertLink()});
  // No other menu opened, and the entry is still the selected one.
  EXPECT_EQ(menu->GetOpenedBar(), nullptr);
  EXPECT_EQ(menu->GetSelectedControl(), ConvertLink()->GetControl());
  EXPECT_GT(menu->GetHeight(), collapsedHeight);
  ScriptClick(Centre(ConvertLink()));
  Pump();
  EXPECT_FALSE(convert->GetExpanded());
  EXPECT_EQ(Shown(), (std::vector<String>{"&Open", "Convert to", "E&xit"}));
  EXPECT_EQ(log.collapsing, std::vector<TqzBarItemLink*>{ConvertLink()});
}

TEST_F(InPlaceSubItems, LeftCollapsesAndRightExpands) {
  TqzBarSubMenuControl* menu = OpenFile();
  ASSERT_NE(menu, nullptr);
  // The first Down selects Open, the second the entry.
  ScriptKeyPress(VK_DOWN);
  ScriptKeyPress(VK_DOWN);
  Pump();
  ASSERT_EQ(menu->GetSelectedControl(), ConvertLink()->GetControl());
  struct Step {
    UINT key;
    bool expanded;
  } steps[] = {{VK_RIGHT, true}, {VK_RIGHT, true}, {VK_LEFT, false}, {VK_LEFT, false}, {VK_RIGHT, true}};
  for (const Step& step : steps) {
    ScriptKeyPress(step.key);
    Pump();
    EXPECT_EQ(convert->GetExpanded(), step.expanded) << step.key;
    EXPECT_EQ(menu->GetOpenedBar(), nullptr);
  }
  // Left on an expanded entry stays in this menu: the File menu is still open.
  EXPECT_EQ(file->GetItemLinks()->GetBarControl(), menu);
}

TEST_F(InPlaceSubItems, TheEntryAfterTheBlockStartsAGroupWhileExpanded) {
  convert->SetKeepBeginGroupWhileExpanded(true);
  OpenFile();
  convert->SetExpanded(true);
  Pump();
  EXPECT_EQ(Shown(), (std::vector<String>{"&Open", "Convert to", "WMV", "MP4", "|E&xit"}));
  convert->SetExpanded(false);
  Pump();
  EXPECT_EQ(Shown(), (std::vector<String>{"&Open", "Convert to", "E&xit"}));
}

TEST_F(InPlaceSubItems, OnAToolbarItOpensAMenuAsAnySubItem) {
  TqzBar* tools = manager->GetBars()->AddBar();
  tools->SetCaption("Tools");
  tools->GetItemLinks()->AddLinkForItem(convert);
  tools->SetDockingStyle(dsTop);
  tools->SetVisible(true);
  Pump();
  TqzBarItemLink* link = tools->GetItemLinks()->GetLink(0);
  ScriptClick(Centre(link));
  Pump();
  EXPECT_FALSE(convert->GetExpanded());
  auto* menu = dynamic_cast<TqzBarSubMenuControl*>(convert->GetItemLinks()->GetBarControl());
  ASSERT_NE(menu, nullptr);
  EXPECT_TRUE(IsWindowVisible(menu->GetHandle()));
}

TEST_F(InPlaceSubItems, Screenshot) {
  auto* recent = new TqzBarMRUListItem(form);
  for (const char* entry : {"/home/user/videos/holidays/2026/summer/beach/evening-at-the-harbour/sunset.avi",
                            "/home/user/clip.avi"})
    recent->GetItems()->Add(entry);
  file->GetItemLinks()->AddLinkForItem(recent)->SetIndex(1);
  convert->SetKeepBeginGroupWhileExpanded(true);
  convert->SetExpanded(true);
  OpenFile();
  ScriptMouseMove(Centre(ConvertLink()));
  Pump();
  const char* dir = std::getenv("TAVREN_TEST_OUTPUT");
  String folder = dir ? dir : "test-output";
  std::filesystem::create_directories(folder);
  EXPECT_TRUE(screen.SaveScreenPng(folder + "/bar-inplace-subitem-and-recent-list.png"));
}

}  // namespace
