#include "rtl/Registry.h"

#include <gtest/gtest.h>

#include "ScopedEnv.h"
#include "ScratchDir.h"
#include "rtl/StringList.h"

namespace {

// Points the registry at a scratch folder for the test's duration.
class RegistryTest : public testing::Test {
 protected:
  ScratchDir FDir;

 private:
  ScopedEnv FConfigDir{"TAVREN_CONFIG_DIR", FDir.File("config")};
};

String Joined(TStrings* strings) {
  String text;
  for (Integer i = 0; i < strings->GetCount(); ++i) text += (i ? "|" : "") + strings->GetStrings(i);
  return text;
}

TEST_F(RegistryTest, KeysAndValuesPersistInTheConfigFolder) {
  EXPECT_EQ(TRegistry::FileName(), FDir.File("config") + "/registry.ini");
  {
    TRegistry reg;
    EXPECT_EQ(reg.GetRootKey(), HKEY_CURRENT_USER);
    EXPECT_FALSE(reg.OpenKey("Software\\Tavren\\Bars", false));
    ASSERT_TRUE(reg.OpenKey("Software\\Tavren\\Bars", true));
    EXPECT_EQ(reg.GetCurrentPath(), "Software\\Tavren\\Bars");
    reg.WriteString("Layout", "docked");
    reg.WriteInteger("BarCount", 3);
    reg.WriteBool("Visible", true);
    reg.WriteString("", "default");
  }
  TRegistry reg;
  EXPECT_TRUE(reg.KeyExists("\\software\\tavren"));  // parents exist; names ignore letter case
  ASSERT_TRUE(reg.OpenKey("SOFTWARE\\Tavren\\bars", false));
  EXPECT_EQ(reg.ReadString("layout"), "docked");
  EXPECT_EQ(reg.ReadInteger("BarCount"), 3);
  EXPECT_TRUE(reg.ReadBool("Visible"));
  EXPECT_EQ(reg.ReadString(""), "default");
  EXPECT_EQ(reg.ReadString("Missing"), "");
  EXPECT_TRUE(reg.ValueExists("BARCOUNT"));
  EXPECT_FALSE(reg.ValueExists("Missing"));
  TStringList names;
  reg.GetValueNames(&names);
  EXPECT_EQ(Joined(&names), "Layout|BarCount|Visible|");
}

TEST_F(RegistryTest, TypeMismatchAndReadOnlyRaise) {
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey("Software\\Tavren", true));
  reg.WriteString("Name", "text");
  try {
    reg.ReadInteger("Name");
    FAIL() << "read";
  } catch (const ERegistryException& e) {
    EXPECT_EQ(e.Message(), "Invalid data type for 'Name'");
  }
  EXPECT_THROW(reg.ReadBool("Missing"), ERegistryException);
  EXPECT_EQ(reg.ReadString("Name"), "text");

  TRegistry reader;
  ASSERT_TRUE(reader.OpenKeyReadOnly("Software\\Tavren"));
  EXPECT_THROW(reader.WriteString("Name", "changed"), ERegistryException);
  EXPECT_EQ(reader.ReadString("Name"), "text");
}

TEST_F(RegistryTest, RootsAndSubkeys) {
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey("Software\\A\\One", true));
  ASSERT_TRUE(reg.OpenKey("\\Software\\A\\Two", true));
  reg.WriteInteger("x", 1);
  ASSERT_TRUE(reg.OpenKey("\\Software\\A", false));
  EXPECT_TRUE(reg.HasSubKeys());
  TStringList keys;
  reg.GetKeyNames(&keys);
  EXPECT_EQ(Joined(&keys), "One|Two");

  reg.SetRootKey(HKEY_LOCAL_MACHINE);
  EXPECT_FALSE(reg.KeyExists("Software\\A"));  // another root, another tree
  reg.SetRootKey(HKEY_CURRENT_USER);

  EXPECT_TRUE(reg.DeleteKey("\\Software\\A"));
  EXPECT_FALSE(reg.KeyExists("\\Software\\A\\Two"));
  EXPECT_TRUE(reg.KeyExists("\\Software"));
  EXPECT_FALSE(reg.DeleteKey("\\Software\\A"));
}

TEST_F(RegistryTest, DeleteValue) {
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey("Software\\Tavren", true));
  reg.WriteInteger("Count", 1);
  EXPECT_TRUE(reg.DeleteValue("count"));
  EXPECT_FALSE(reg.ValueExists("Count"));
  EXPECT_FALSE(reg.DeleteValue("Count"));
}

TEST_F(RegistryTest, IniFileInterfaceOverTheRegistry) {
  TRegistryIniFile ini("Software\\Tavren\\BarManager");
  ini.WriteInteger("Main", "BarCount", 2);
  ini.WriteBool("Bar0", "Visible", true);
  ini.WriteString("Bar0", "Caption", "Tools");
  EXPECT_EQ(ini.ReadInteger("main", "barcount", 0), 2);
  EXPECT_TRUE(ini.ReadBool("Bar0", "Visible", false));
  EXPECT_EQ(ini.ReadString("Bar1", "Caption", "none"), "none");
  TStringList list;
  ini.ReadSections(&list);
  EXPECT_EQ(Joined(&list), "Main|Bar0");
  ini.ReadSectionValues("Bar0", &list);
  EXPECT_EQ(Joined(&list), "Visible=1|Caption=Tools");

  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey("Software\\Tavren\\BarManager\\Main", false));
  reg.WriteInteger("Typed", 7);  // a typed value reads through the ini interface as its text
  EXPECT_EQ(ini.ReadString("Main", "Typed", ""), "7");
  EXPECT_EQ(reg.GetDataType("Typed"), rdInteger);
  EXPECT_EQ(reg.GetDataType("BarCount"), rdString);
  EXPECT_EQ(reg.GetDataType("Missing"), rdUnknown);

  ini.EraseSection("Bar0");
  ini.DeleteKey("Main", "Typed");
  ini.ReadSections(&list);
  EXPECT_EQ(Joined(&list), "Main");
  EXPECT_FALSE(ini.ValueExists("Main", "Typed"));
}

TEST_F(RegistryTest, IniSectionsWithALeadingBackslashAreKeyPathsFromTheRoot) {
  TRegistryIniFile ini("Software\\Tavren");
  ini.WriteInteger("\\Software\\Example\\Bar0", "Row", 3);
  ini.WriteInteger("\\Software\\Example\\", "BarCount", 1);
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey("\\Software\\Example\\Bar0", false));
  EXPECT_EQ(reg.ReadString("Row"), "3");
  EXPECT_FALSE(reg.KeyExists("\\Software\\Tavren\\Software"));
  EXPECT_EQ(ini.ReadInteger("\\Software\\Example\\", "BarCount", 0), 1);
  ini.EraseSection("\\Software\\Example\\");
  EXPECT_FALSE(reg.KeyExists("\\Software\\Example"));
}

}  // namespace
