#include <gtest/gtest.h>

#include "../rtl/ScopedEnv.h"
#include "../rtl/ScratchDir.h"
#include "backend/HeadlessBackend.h"
#include "rtl/Reader.h"
#include "rtl/Registry.h"
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
