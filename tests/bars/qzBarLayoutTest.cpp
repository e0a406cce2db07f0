#include <gtest/gtest.h>

#include "../rtl/ScopedEnv.h"
#include "../rtl/ScratchDir.h"
#include "backend/HeadlessBackend.h"
#include "rtl/Reader.h"
#include "rtl/Registry.h"
#include "rtl/SysUtils.h"
#include "rtl/Writer.h"
#include "toolkit/bars/qzBar.h"

namespace {

// A form with a manager and two toolbars, as the form resource gives it.
const char* const kFormText = R"(object MainForm: TForm
  object BarManager1: TqzBarManager
    object BarManager1Bar1: TqzBar
      Caption = 'Standard'
      DockingStyle = dsTop
      DockedLeft = 10
      Row = 0
      Visible = True
    end
    object BarManager1Bar2: TqzBar
      Caption = 'Tools'
      DockingStyle = dsNone
      FloatLeft = 120
      FloatTop = 80
      FloatClientWidth = 90
      FloatClientHeight = 40
      Visible = True
    end
  end
end
)";

class Layouts : public testing::Test {
 protected:
  void SetUp() override { SetDisplayBackend(&screen); }
  void TearDown() override {
    for (TForm* form : forms) delete form;
    SetDisplayBackend(nullptr);
  }
  // A form read from the text, after the given change of the text.
  TqzBarManager* LoadForm(const String& AExtra = "") {
    String text = kFormText;
    if (!AExtra.empty()) text.insert(text.find("    object BarManager1Bar1"), AExtra);
    auto* form = new TForm(nullptr, 0);
    forms.push_back(form);
    ReadComponentFromText(text, form);
    return static_cast<TqzBarManager*>(form->FindComponent("BarManager1"));
  }
  static String Sections(TCustomIniFile* AFile) {
    TStringList list;
    AFile->ReadSections(&list);
    String text;
    for (Integer i = 0; i < list.GetCount(); ++i) text += (i ? "|" : "") + list.GetStrings(i);
    return text;
  }
  static String Values(TCustomIniFile* AFile, const String& ASection) {
    TStringList list;
    AFile->ReadSectionValues(ASection, &list);
    String text;
    for (Integer i = 0; i < list.GetCount(); ++i) text += list.GetStrings(i) + "\n";
    return text;
  }
  static TqzBar* Bar(TqzBarManager* AManager, Integer AIndex) { return AManager->GetBars()->GetBar(AIndex); }

  HeadlessBackend screen;
  ScratchDir dir;
  ScopedEnv config{"TAVREN_CONFIG_DIR", dir.File("config")};
  std::vector<TForm*> forms;
};

TEST_F(Layouts, IniFilesHoldTheManagersSectionsAndKeys) {
  TqzBarManager* manager = LoadForm();
  EXPECT_EQ(manager->DefaultSectionBase(), "MainForm.BarManager1.");
  manager->SaveToIniFile(dir.File("layout.ini"));
  TMemIniFile file(dir.File("layout.ini"));
  EXPECT_EQ(Sections(&file), "MainForm.BarManager1.Main|MainForm.BarManager1.Items|MainForm.BarManager1.Bar0|"
                             "MainForm.BarManager1.Bar1");
  EXPECT_EQ(Values(&file, "MainForm.BarManager1.Main"),
            "Version=35\nMenusShowRecentItemsFirst=1\nShowFullMenusAfterDelay=1\nLargeIcons=0\nMenuAnimations=0\n"
            "ShowHint=1\nShowShortCutInHint=0\nBarCount=2\n");
  EXPECT_EQ(Values(&file, "MainForm.BarManager1.Bar1"),
            "Caption=Tools\nDockedDockingStyle=2\nDockedLeft=0\nDockedTop=0\nDockingStyle=0\nFloatClientHeight=40\n"
            "FloatClientWidth=90\nFloatLeft=120\nFloatTop=80\nOneOnRow=0\nRow=0\nVisible=1\nItemLinkCount=0\n");

  // The standard style has no recent items: their keys are neither written nor read.
  manager->SetStyle(bmsStandard);
  TMemIniFile plain("");
  manager->SaveLayout(&plain, manager->DefaultSectionBase(), false);
  EXPECT_FALSE(plain.ValueExists("MainForm.BarManager1.Main", "MenusShowRecentItemsFirst"));
  EXPECT_FALSE(plain.ValueExists("MainForm.BarManager1.Main", "ShowFullMenusAfterDelay"));
}

TEST_F(Layouts, TheRegistryHoldsTheSameUnderItsPath) {
  TqzBarManager* manager = LoadForm();
  manager->SetRegistryPath("Software\\Example");
  EXPECT_EQ(manager->GetRegistryPath(), "\\Software\\Example\\");
  manager->SaveToRegistry(manager->GetRegistryPath());
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey("\\Software\\Example", false));
  EXPECT_EQ(reg.ReadString("Version"), "35");
  EXPECT_EQ(reg.ReadString("BarCount"), "2");
  ASSERT_TRUE(reg.OpenKey("\\Software\\Example\\Bar0", false));
  EXPECT_EQ(reg.ReadString("Caption"), "Standard");
  // Another program's key under the same path is not the manager's and stays.
  ASSERT_TRUE(reg.OpenKey("\\Software\\Example\\Other", true));
  reg.WriteString("Kept", "yes");
  Bar(manager, 0)->SetDockedLeft(33);
  manager->SaveToRegistry("\\Software\\Example\\");
  EXPECT_TRUE(reg.KeyExists("\\Software\\Example\\Other"));

  TqzBarManager* fresh = LoadForm();
  fresh->LoadFromRegistry("Software\\Example");
  EXPECT_EQ(Bar(fresh, 0)->GetDockedLeft(), 33);
  // A path of one level would take a whole branch with it.
  for (const char* path : {"Software", "\\Software\\"}) {
    EXPECT_THROW(manager->SaveToRegistry(path), EqzBarLayoutError) << path;
    EXPECT_THROW(manager->LoadFromRegistry(path), EqzBarLayoutError) << path;
  }
  manager->SaveToRegistry("");  // nothing to do
  EXPECT_TRUE(reg.KeyExists("\\Software\\Example\\Bar1"));
}

TEST_F(Layouts, SavingTwiceLeavesNoStaleSectionsAndKeepsOthers) {
  TqzBarManager* manager = LoadForm();
  TMemIniFile file("");
  file.WriteString("MainForm.BarManager1.Notes", "Text", "mine");
  file.WriteString("MainForm.BarManager12.Main", "Version", "35");
  manager->GetBars()->AddBar()->SetCaption("Third");
  manager->SaveLayout(&file, manager->DefaultSectionBase(), false);
  EXPECT_TRUE(file.SectionExists("MainForm.BarManager1.Bar2"));
  delete Bar(manager, 2);
  manager->SaveLayout(&file, manager->DefaultSectionBase(), false);
  EXPECT_FALSE(file.SectionExists("MainForm.BarManager1.Bar2"));
  EXPECT_EQ(file.ReadString("MainForm.BarManager1.Notes", "Text", ""), "mine");
  EXPECT_TRUE(file.SectionExists("MainForm.BarManager12.Main"));
}

TEST_F(Layouts, ALayoutSavedToAnIniFileLoadsIntoAFreshForm) {
  TqzBarManager* manager = LoadForm();
  Bar(manager, 0)->SetDockingStyle(dsLeft);
  Bar(manager, 0)->SetRow(1);
  Bar(manager, 1)->SetVisible(false);
  Bar(manager, 1)->SetCaption("Tools and more");
  TqzBar* added = manager->CreateToolbar(false);
  added->SetFloatLeft(-40);
  manager->SetMenuAnimations(maFade);
  manager->SaveToIniFile(dir.File("layout.ini"));

  TqzBarManager* fresh = LoadForm();
  fresh->LoadFromIniFile(dir.File("layout.ini"));
  ASSERT_EQ(fresh->GetBars()->GetCount(), 3);
  for (Integer i = 0; i < 3; ++i) {
    TqzBar* a = Bar(manager, i);
    TqzBar* b = Bar(fresh, i);
    SCOPED_TRACE(a->GetCaption());
    EXPECT_EQ(b->GetCaption(), a->GetCaption());
    EXPECT_EQ(b->GetDockingStyle(), a->GetDockingStyle());
    EXPECT_EQ(b->GetRow(), a->GetRow());
    EXPECT_EQ(b->GetVisible(), a->GetVisible());
    EXPECT_EQ(b->GetFloatLeft(), a->GetFloatLeft());
    EXPECT_EQ(b->GetDockedLeft(), a->GetDockedLeft());
  }
  EXPECT_EQ(fresh->GetMenuAnimations(), maFade);
}

TEST_F(Layouts, ResetBringsBackTheDesignedBarOfTheSameCaption) {
  TqzBarManager* manager = LoadForm();
  manager->SetUseFullReset(true);
  TqzBar* bar = Bar(manager, 1);
  bar->SetFloatLeft(500);
  bar->SetDockingStyle(dsBottom);
  std::vector<String> events;
  struct Log : TObject {
    std::vector<String>* events;
    void Before(TqzBarManager*, TqzBar* ABar) { events->push_back("before " + ABar->GetCaption()); }
    void After(TqzBarManager*, TqzBar* ABar) { events->push_back("after " + ABar->GetCaption()); }
  } log;
  log.events = &events;
  manager->SetOnBarBeforeReset(MakeEvent<&Log::Before>(&log));
  manager->SetOnBarAfterReset(MakeEvent<&Log::After>(&log));
  bar->Reset();
  EXPECT_EQ(bar->GetFloatLeft(), 120);
  EXPECT_EQ(bar->GetDockingStyle(), dsNone);
  EXPECT_TRUE(bar->GetVisible());
  // A bar the user renamed is no longer the designed one: nothing to reset it to.
  bar->SetCaption("Mine");
  bar->SetFloatLeft(600);
  bar->Reset();
  EXPECT_EQ(bar->GetFloatLeft(), 600);
  EXPECT_EQ(events, (std::vector<String>{"before Tools", "after Tools"}));
}

// ---- Damaged layouts -----------------------------------------------------------------------

struct Damage {
  const char* name;
  const char* section;  // under MainForm.BarManager1.
  const char* key;
  const char* value;
  bool refused;  // the whole layout; otherwise the value alone keeps the current one
};

const Damage kDamages[] = {
    {"negative bar count", "Main", "BarCount", "-1", true},
    {"more bars than sections", "Main", "BarCount", "5", true},
    {"menu animation out of range", "Main", "MenuAnimations", "9", false},
    {"docking style out of range", "Bar0", "DockingStyle", "7", false},
    {"negative docking style", "Bar0", "DockingStyle", "-2", false},
    {"docked docking style out of range", "Bar0", "DockedDockingStyle", "5", false},
    {"row beyond the rows", "Bar0", "Row", "100000", false},
    {"negative float width", "Bar1", "FloatClientWidth", "-5", false},
    {"oversized float height", "Bar1", "FloatClientHeight", "99999999", false},
    {"oversized docked position", "Bar0", "DockedLeft", "2147483647", false},
    {"float position far off", "Bar1", "FloatLeft", "-2147483647", false},
};

TEST_F(Layouts, ADamagedLayoutIsRefusedOrKeepsTheValuesItCannotGive) {
  TqzBarManager* manager = LoadForm();
  manager->SaveToIniFile(dir.File("good.ini"));
  for (const Damage& d : kDamages) {
    SCOPED_TRACE(d.name);
    TMemIniFile file(dir.File("good.ini"));
    file.WriteString(String("MainForm.BarManager1.") + d.section, d.key, d.value);
    TqzBarManager* target = LoadForm();
    if (d.refused) {
      EXPECT_THROW(target->LoadLayout(&file, target->DefaultSectionBase(), false), EqzBarLayoutError);
    } else {
      target->LoadLayout(&file, target->DefaultSectionBase(), false);
    }
    // Either way the bars are the designed ones.
    ASSERT_EQ(target->GetBars()->GetCount(), 2);
    EXPECT_EQ(target->GetMenuAnimations(), maNone);
    EXPECT_EQ(Bar(target, 0)->GetDockingStyle(), dsTop);
    EXPECT_EQ(Bar(target, 0)->GetDockedDockingStyle(), dsTop);
    EXPECT_EQ(Bar(target, 0)->GetRow(), 0);
    EXPECT_EQ(Bar(target, 0)->GetDockedLeft(), 10);
    EXPECT_EQ(Bar(target, 1)->GetFloatClientWidth(), 90);
    EXPECT_EQ(Bar(target, 1)->GetFloatClientHeight(), 40);
    EXPECT_EQ(Bar(target, 1)->GetFloatLeft(), 120);
  }
}

TEST_F(Layouts, TheLayoutLoadedWithTheFormFallsBackToTheDesignedOne) {
  TqzBarManager* designed = LoadForm();
  designed->SaveToIniFile(dir.File("good.ini"));
  String good = dir.Read("good.ini");
  struct Case {
    const char* name;
    String bytes;
  };
  String random;
  for (Integer i = 0; i < 4096; ++i) random += static_cast<char>((i * 7919 + 13) % 256);
  const Case kCases[] = {
      {"truncated file", good.substr(0, good.find("[MainForm.BarManager1.Bar1]") + 20)},
      {"random bytes", random},
      {"bar count beyond the sections", "[MainForm.BarManager1.Main]\nBarCount=3\n[MainForm.BarManager1.Bar0]\n"
                                        "Caption=Standard\nDockingStyle=4\n"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    dir.Write("stored.ini", c.bytes);
    String extra = "    StoreInIniFile = True\n    IniFileName = '" + dir.File("stored.ini") + "'\n";
    TqzBarManager* manager = nullptr;
    ASSERT_NO_THROW(manager = LoadForm(extra));
    ASSERT_GE(manager->GetBars()->GetCount(), 2);
    EXPECT_EQ(Bar(manager, 0)->GetCaption(), "Standard");
    EXPECT_EQ(Bar(manager, 0)->GetDockingStyle(), dsTop);
    EXPECT_TRUE(Bar(manager, 0)->GetVisible());
    EXPECT_TRUE(Bar(manager, 1)->GetVisible());
    // Explicit loads tell the caller.
    if (c.bytes.find("BarCount=3") != String::npos) {
      EXPECT_THROW(manager->LoadFromIniFile(dir.File("stored.ini")), EqzBarLayoutError);
    }
  }
}

TEST_F(Layouts, TheLayoutIsSavedWhenTheOwnerWindowGoes) {
  String extra = "    StoreInIniFile = True\n    IniFileName = '" + dir.File("auto.ini") + "'\n";
  TqzBarManager* manager = LoadForm(extra);
  Bar(manager, 1)->SetFloatTop(222);
  TComponent* owner = manager->GetOwner();
  owner->Destroying();
  manager->HandleOwnerMessage(nullptr, WM_DESTROY, 0, 0);
  TMemIniFile file(dir.File("auto.ini"));
  EXPECT_EQ(file.ReadInteger("MainForm.BarManager1.Bar1", "FloatTop", 0), 222);
  // A file that cannot be written does not stop the window going.
  manager->SetIniFileName(dir.File("missing/folder/auto.ini"));
  EXPECT_NO_THROW(manager->HandleOwnerMessage(nullptr, WM_DESTROY, 0, 0));
}

}  // namespace

namespace {

// The links of a collection as "name" with "+" for a group start, "*" for a hidden link and
// "=caption" for a caption of the place's own.
String Describe(TqzBarItemLinks* ALinks) {
  String text;
  for (Integer i = 0; i < ALinks->GetCount(); ++i) {
    TqzBarItemLink* link = ALinks->GetLink(i);
    text += String(i ? " " : "") + (link->GetBeginGroup() ? "+" : "") + (link->GetVisible() ? "" : "*") +
            (link->GetItem() ? link->GetItem()->GetName() : "?");
    if (link->GetUserDefine().Contains(udCaption)) text += "=" + link->GetUserCaption();
  }
  return text;
}

class LayoutRoundTrip : public Layouts {
 protected:
  // A form with a manager, two toolbars and items of each kind, as its resource text.
  String DesignedForm() {
    auto* form = new TForm(nullptr, 0);
    forms.push_back(form);
    form->SetName("MainForm");
    auto* manager = new TqzBarManager(form);
    manager->SetName("BarManager1");
    auto make = [&](TqzBarItem* AItem, const char* AName, const char* ACaption) {
      AItem->SetName(AName);
      AItem->SetCaption(ACaption);
      return AItem;
    };
    TqzBarItem* open = make(new TqzBarButton(form), "Open", "&Open");
    TqzBarItem* file = make(new TqzBarSubItem(form), "FileMenu", "&File");
    TqzBarItem* find = make(new TqzBarEdit(form), "Find", "Find");
    TqzBarItem* zoom = make(new TqzBarCombo(form), "Zoom", "Zoom");
    TqzBarItem* recent = make(new TqzBarListItem(form), "Recent", "Recent");
    TqzBarItem* more = make(new TqzBarContainerItem(form), "More", "More");
    TqzBarItem* line = make(new TqzBarSeparator(form), "Line", "");
    TqzBar* menu = manager->GetBars()->AddBar();
    menu->SetCaption("Menu");
    menu->SetIsMainMenu(true);
    menu->SetVisible(true);
    menu->GetItemLinks()->AddLinkForItem(file);
    TqzBar* tools = manager->GetBars()->AddBar();
    tools->SetCaption("Tools");
    tools->SetDockingStyle(dsTop);
    tools->SetRow(1);
    tools->SetVisible(true);
    for (TqzBarItem* item : {open, zoom, find, recent, more}) tools->GetItemLinks()->AddLinkForItem(item);
    for (TqzBarItem* item : {open, line, recent}) file->GetItemLinks()->AddLinkForItem(item);
    return WriteComponentToText(form);
  }
  TqzBarManager* ReadForm(const String& AText) {
    auto* form = new TForm(nullptr, 0);
    forms.push_back(form);
    ReadComponentFromText(AText, form);
    return static_cast<TqzBarManager*>(form->FindComponent("BarManager1"));
  }
  static TqzBarItemLinks* SubLinks(TqzBarManager* AManager) {
    return AManager->FindItemByName("FileMenu")->GetItemLinks();
  }
};

TEST_F(LayoutRoundTrip, TheFormsBarsLinksAndKeysComeBackFromAnIniFile) {
  String text = DesignedForm();
  TqzBarManager* manager = ReadForm(text);
  ASSERT_NE(manager, nullptr);
  ASSERT_EQ(manager->GetBars()->GetCount(), 2);
  EXPECT_EQ(manager->GetMainMenuBar(), Bar(manager, 0));
  EXPECT_EQ(Describe(Bar(manager, 0)->GetItemLinks()), "FileMenu");
  EXPECT_EQ(Describe(Bar(manager, 1)->GetItemLinks()), "Open Zoom Find Recent More");
  EXPECT_EQ(Describe(SubLinks(manager)), "Open Line Recent");

  // The user's changes.
  TqzBarItemLinks* tools = Bar(manager, 1)->GetItemLinks();
  tools->GetLink(1)->SetBeginGroup(true);
  tools->GetLink(0)->SetUserCaption("Open a file");
  tools->GetLink(2)->SetVisible(false);
  tools->MoveLink(4, 0);
  SubLinks(manager)->MoveLink(2, 0);
  Bar(manager, 1)->SetDockingStyle(dsBottom);
  TqzBar* own = manager->CreateToolbar(false);
  own->GetItemLinks()->AddLinkForItem(manager->FindItemByName("Zoom"));
  manager->SaveToIniFile(dir.File("user.ini"));

  TqzBarManager* fresh = ReadForm(text);
  fresh->LoadFromIniFile(dir.File("user.ini"));
  ASSERT_EQ(fresh->GetBars()->GetCount(), 3);
  for (Integer i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(Bar(fresh, i)->GetCaption(), Bar(manager, i)->GetCaption());
    EXPECT_EQ(Bar(fresh, i)->GetDockingStyle(), Bar(manager, i)->GetDockingStyle());
    EXPECT_EQ(Describe(Bar(fresh, i)->GetItemLinks()), Describe(Bar(manager, i)->GetItemLinks()));
  }
  EXPECT_EQ(Describe(Bar(fresh, 1)->GetItemLinks()), "More Open=Open a file +Zoom *Find Recent");
  EXPECT_EQ(Describe(SubLinks(fresh)), "Recent Open Line");
  // Saved again, the layout has the same sections, keys and values (the place of a hidden link in
  // the recent-use order aside: it goes to the end of that order when hidden again).
  fresh->SaveToIniFile(dir.File("again.ini"));
  auto withoutRecentIndexes = [](String AText) {
    for (size_t at; (at = AText.find("RecentIndex=")) != String::npos;) AText.erase(at, AText.find('\n', at) - at + 1);
    return AText;
  };
  EXPECT_EQ(withoutRecentIndexes(dir.Read("again.ini")), withoutRecentIndexes(dir.Read("user.ini")));
}

TEST_F(LayoutRoundTrip, NewItemsKeepTheirDesignedPlaceAndUnknownOnesAreDropped) {
  String text = DesignedForm();
  TqzBarManager* manager = ReadForm(text);
  manager->SaveToIniFile(dir.File("old.ini"));
  TMemIniFile file(dir.File("old.ini"));
  // As if "Open" and "Zoom" had come to the program after the layout was saved ("Open" stands
  // first in the designed toolbar, "Zoom" behind it), and as if the stored one's "Recent" link
  // named an item that has gone since.
  file.DeleteKey("MainForm.BarManager1.Items", "Open");
  file.DeleteKey("MainForm.BarManager1.Items", "Zoom");
  for (Integer j = 0; j < 5; ++j) {
    String section = "MainForm.BarManager1.Bar1.ItemLink" + IntToStr(j);
    String name = file.ReadString(section, "ItemName", "");
    if (name == "Open" || name == "Zoom") file.WriteString(section, "ItemName", "Find");
    if (name == "Recent") file.WriteString(section, "ItemName", "Gone");
  }
  TqzBarManager* fresh = ReadForm(text);
  fresh->LoadLayout(&file, fresh->DefaultSectionBase(), false);
  EXPECT_EQ(Describe(Bar(fresh, 1)->GetItemLinks()), "Open Zoom Find Find Find More");
  // Without "ItemCount" the stored links alone stand.
  file.DeleteKey("MainForm.BarManager1.Items", "ItemCount");
  fresh->LoadLayout(&file, fresh->DefaultSectionBase(), false);
  EXPECT_EQ(Describe(Bar(fresh, 1)->GetItemLinks()), "Find Find Find More");
}

TEST_F(LayoutRoundTrip, DamagedLinkValuesLeaveTheLinksUsable) {
  String text = DesignedForm();
  TqzBarManager* manager = ReadForm(text);
  manager->SaveToIniFile(dir.File("good.ini"));
  struct Case {
    const char* name;
    const char* key;
    const char* value;
    bool refused;
  };
  const Case kCases[] = {
      {"negative link count", "ItemLinkCount", "-3", true},
      {"more links than sections", "ItemLinkCount", "9", true},
      {"one-character user define not a digit", "ItemLink0.UserDefine", "x", false},
      {"user define with bits outside the set", "ItemLink0.UserDefine", "F0", false},
      {"empty user define", "ItemLink0.UserDefine", "", false},
      {"view levels outside the set", "ItemLink0.ViewLevels", "FF", false},
      {"button group out of range", "ItemLink0.ButtonGroup", "7", false},
      {"position out of range", "ItemLink0.Position", "-1", false},
      {"negative use count", "ItemLink0.UseCount", "-5", false},
      {"recent index out of range", "ItemLink0.RecentIndex", "40", false},
      {"repeated recent index", "ItemLink1.RecentIndex", "0", false},
      {"unknown item", "ItemLink0.ItemName", "NoSuchItem", false},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    TMemIniFile file(dir.File("good.ini"));
    String key = c.key;
    String section = "MainForm.BarManager1.Bar1";
    if (key.find('.') != String::npos) {
      section += "." + key.substr(0, key.find('.'));
      key = key.substr(key.find('.') + 1);
    }
    file.WriteString(section, key, c.value);
    if (String(c.name) == "repeated recent index") file.WriteString("MainForm.BarManager1.Bar1.ItemLink0", "RecentIndex", "0");
    TqzBarManager* target = ReadForm(text);
    if (c.refused) {
      EXPECT_THROW(target->LoadLayout(&file, target->DefaultSectionBase(), false), EqzBarLayoutError);
      EXPECT_EQ(Describe(Bar(target, 1)->GetItemLinks()), "Open Zoom Find Recent More");
      continue;
    }
    target->LoadLayout(&file, target->DefaultSectionBase(), false);
    TqzBarItemLinks* links = Bar(target, 1)->GetItemLinks();
    String expected = String(c.name) == "unknown item" ? "Zoom Find Recent More" : "Open Zoom Find Recent More";
    EXPECT_EQ(Describe(links), expected);
    EXPECT_TRUE(links->GetLink(0)->GetUserDefine().ToBits() < 16);
    EXPECT_GE(links->GetLink(0)->GetUseCount(), 0);
    EXPECT_LE(links->GetRecentLinkCount(), links->GetCount());
  }
}

}  // namespace

namespace {

TEST_F(LayoutRoundTrip, OneCharacterUserDefinesAndRegistryGlyphs) {
  String text = DesignedForm();
  TqzBarManager* manager = ReadForm(text);
  // Few links, as every value reaches the registry file on its own.
  TqzBarItemLinks* tools = Bar(manager, 1)->GetItemLinks();
  while (tools->GetCount() > 1) delete tools->GetLink(1);
  while (SubLinks(manager)->GetCount() > 0) delete SubLinks(manager)->GetLink(0);
  TqzBarItemLink* link = tools->GetLink(0);
  TBitmap glyph;
  glyph.SetSize(16, 16);
  glyph.GetCanvas()->GetBrush()->SetColor(clRed);
  glyph.GetCanvas()->FillRect(TRect(0, 0, 16, 16));
  link->SetUserGlyph(&glyph);
  ASSERT_TRUE(link->GetUserDefine().Contains(udGlyph));
  manager->SaveToRegistry("Software\\Example");
  TqzBarManager* fresh = ReadForm(text);
  fresh->LoadFromRegistry("Software\\Example");
  TqzBarItemLink* read = Bar(fresh, 1)->GetItemLinks()->GetLink(0);
  EXPECT_TRUE(read->GetUserDefine().Contains(udGlyph));
  EXPECT_EQ(read->GetUserGlyph()->GetWidth(), 16);
  EXPECT_EQ(read->GetUserGlyph()->GetCanvas()->GetPixel(3, 3), clRed);
  // A picture that does not read leaves the place without a glyph of its own.
  TRegistryIniFile registry("Software\\Example");
  registry.WriteString("\\Software\\Example\\Bar1\\ItemLink0", "UserGlyph", "424D00FF");
  TqzBarManager* damaged = ReadForm(text);
  EXPECT_NO_THROW(damaged->LoadFromRegistry("Software\\Example"));
  EXPECT_TRUE(Bar(damaged, 1)->GetItemLinks()->GetLink(0)->GetUserGlyph()->GetEmpty());

  // An ini file may give the set as one decimal digit.
  manager->SaveToIniFile(dir.File("digit.ini"));
  TMemIniFile file(dir.File("digit.ini"));
  file.WriteString("MainForm.BarManager1.Bar1.ItemLink0", "UserDefine", "1");
  file.WriteString("MainForm.BarManager1.Bar1.ItemLink0", "UserCaption", "Mine");
  fresh->LoadLayout(&file, fresh->DefaultSectionBase(), false);
  read = Bar(fresh, 1)->GetItemLinks()->GetLink(0);
  EXPECT_EQ(read->GetUserDefine().ToBits(), 1u);
  EXPECT_EQ(read->GetCaption(), "Mine");
}

}  // namespace

namespace {

TEST_F(LayoutRoundTrip, ResetBringsBackTheDesignedLinksOfTheBarAndItsMenus) {
  TqzBarManager* manager = ReadForm(DesignedForm());
  TqzBarItemLinks* tools = Bar(manager, 1)->GetItemLinks();
  delete tools->GetLink(1);
  tools->GetLink(0)->SetUserCaption("Mine");
  TqzBarItemLinks* menu = Bar(manager, 0)->GetItemLinks();
  SubLinks(manager)->MoveLink(0, 2);
  Bar(manager, 1)->Reset();
  EXPECT_EQ(Describe(tools), "Open Zoom Find Recent More");
  // The menu bar was not reset: its sub-menu keeps the user's order.
  EXPECT_EQ(Describe(SubLinks(manager)), "Line Recent Open");
  Bar(manager, 0)->Reset();
  EXPECT_EQ(Describe(menu), "FileMenu");
  EXPECT_EQ(Describe(SubLinks(manager)), "Open Line Recent");

  // The use data as designed: every link counts as recently used again.
  tools->GetLink(2)->SetMostRecentlyUsed(false);
  EXPECT_FALSE(tools->GetLink(2)->GetMostRecentlyUsed());
  manager->ResetUsageData();
  EXPECT_TRUE(tools->GetLink(2)->GetMostRecentlyUsed());
}

}  // namespace

namespace {

TEST_F(LayoutRoundTrip, HiddenPlacesStayHiddenThroughTheFormAndTheStoredLayout) {
  String text = DesignedForm();
  const String kLink = "ItemName = 'Find'";
  ASSERT_NE(text.find(kLink), String::npos) << text;
  text.insert(text.find(kLink), "Visible = False\n          ");
  TqzBarManager* manager = ReadForm(text);
  TqzBarItemLinks* tools = Bar(manager, 1)->GetItemLinks();
  EXPECT_EQ(Describe(tools), "Open Zoom *Find Recent More");
  tools->GetLink(0)->SetVisible(false);
  manager->SaveToIniFile(dir.File("stored.ini"));
  String extra = "    StoreInIniFile = True\n    IniFileName = '" + dir.File("stored.ini") + "'\n";
  text.insert(text.find("    object BarManager1Bar1"), extra);
  TqzBarManager* loaded = ReadForm(text);
  EXPECT_EQ(Describe(Bar(loaded, 1)->GetItemLinks()), "*Open Zoom *Find Recent More");
}

}  // namespace
