#include <gtest/gtest.h>

#include <vector>

#include "gdi/UxTheme.h"
#include "toolkit/foundation/kvLookAndFeels.h"
#include "user/MessageNumbers.h"
#include "user/Messages.h"

namespace {

// Themes active with every class opening.
class ActiveTheme : public ThemeProvider {
 public:
  BOOL IsThemeActive() override { return TRUE; }
  HTHEME OpenThemeData(HWND, const char16_t*) override { return reinterpret_cast<HTHEME>(1); }
  HRESULT CloseThemeData(HTHEME) override { return S_OK; }
};

void SwitchTheme(ThemeProvider* Provider) {
  SetThemeProvider(Provider);
  SendMessage(HWND_BROADCAST, WM_THEMECHANGED, 0, 0);
}

// Stands for a skin's painter.
class TSkinPainter : public TkvOffice11LookAndFeelPainter {};

TkvCustomLookAndFeelPainterClass Skin() { return PainterClassOf<TSkinPainter>(); }
TkvCustomLookAndFeelPainterClass Flat() { return PainterClassOf<TkvFlatLookAndFeelPainter>(); }
TkvCustomLookAndFeelPainterClass Standard() { return PainterClassOf<TkvStandardLookAndFeelPainter>(); }
TkvCustomLookAndFeelPainterClass UltraFlat() { return PainterClassOf<TkvUltraFlatLookAndFeelPainter>(); }
TkvCustomLookAndFeelPainterClass Office11() { return PainterClassOf<TkvOffice11LookAndFeelPainter>(); }
TkvCustomLookAndFeelPainterClass Themed() { return PainterClassOf<TkvWinXPLookAndFeelPainter>(); }

// Records what a look-and-feel tells its listeners; can leave in the middle of a notice.
class RecordingListener : public TObject, public IkvLookAndFeelListener {
 public:
  TObject* ListenerObject() override { return this; }
  void MasterValuesChanged(TkvLookAndFeel* Sender, TkvLookAndFeelValues ChangedValues) override {
    Changes.push_back(ChangedValues);
    if (DetachOnChange) Sender->DetachListener(this);
  }
  void MasterDestroying(TkvLookAndFeel*) override { ++Destroyings; }
  HRESULT QueryInterface(const TInterfaceId& IID, void** Obj) override {
    return GetInterface(this, IID, Obj) ? S_OK : E_NOINTERFACE;
  }
  Integer _AddRef() override { return -1; }
  Integer _Release() override { return -1; }

  std::vector<TkvLookAndFeelValues> Changes;
  Integer Destroyings = 0;
  bool DetachOnChange = false;
};

class LookAndFeelTest : public testing::Test {
 protected:
  void TearDown() override {
    TopLookAndFeel()->ClearAssignedValues();
    ExtendedStylePaintersInstance()->RemovePainter("Skin13");
    UseSkins = true;
    SwitchTheme(nullptr);
  }
  static void RegisterSkin() { ASSERT_TRUE(ExtendedStylePaintersInstance()->AddPainter("Skin13", Skin(), nullptr)); }
};

TEST_F(LookAndFeelTest, FreshLookAndFeelTakesTheDefaults) {
  TkvLookAndFeel lf(nullptr);
  EXPECT_EQ(lf.GetKind(), lfUltraFlat);
  EXPECT_FALSE(lf.GetNativeStyle());
  EXPECT_EQ(lf.GetSkinName(), "");
  EXPECT_EQ(lf.ActivePainter(), UltraFlat());
  EXPECT_TRUE(lf.GetAssignedValues().Empty());
}

TEST_F(LookAndFeelTest, ValuesResolveThroughMasterThenRoot) {
  TkvLookAndFeel master(nullptr), child(nullptr);
  child.AttachToMaster(&master);
  TopLookAndFeel()->SetKind(lfOffice11);
  EXPECT_EQ(child.GetKind(), lfOffice11);
  master.SetKind(lfFlat);
  EXPECT_EQ(child.GetKind(), lfFlat);
  EXPECT_EQ(child.ActivePainter(), Flat());
  child.SetKind(lfStandard);
  master.SetKind(lfUltraFlat);
  EXPECT_EQ(child.GetKind(), lfStandard);
  master.ClearAssignedValues();
  child.ClearAssignedValues();
  EXPECT_EQ(child.GetKind(), lfOffice11);
  // The master goes: the child follows the root again.
  {
    TkvLookAndFeel inner(nullptr);
    inner.SetKind(lfFlat);
    child.AttachToMaster(&inner);
    EXPECT_EQ(child.GetKind(), lfFlat);
  }
  EXPECT_EQ(child.GetMaster(), nullptr);
  EXPECT_EQ(child.GetKind(), lfOffice11);
}

TEST_F(LookAndFeelTest, PainterChoiceForEachCombination) {
  struct Case {
    TkvLookAndFeelKind Kind;
    bool Native;
    const char* SkinName;
    bool Skins;
    bool Themes;
    TkvCustomLookAndFeelPainterClass (*Expected)();
  };
  const Case cases[] = {
      {lfFlat, false, "", true, false, Flat},
      {lfStandard, false, "", true, false, Standard},
      {lfUltraFlat, false, "", true, false, UltraFlat},
      {lfOffice11, false, "", true, false, Office11},
      {lfOffice11, false, "", true, true, Office11},
      {lfStandard, true, "", true, false, Standard},
      {lfStandard, true, "", true, true, Themed},
      {lfStandard, false, "skin13", true, false, Skin},
      {lfStandard, false, "Skin13", true, true, Skin},
      {lfStandard, false, "Skin13", false, false, Standard},
      {lfStandard, true, "Skin13", true, false, Standard},
      {lfStandard, true, "Skin13", true, true, Themed},
      {lfFlat, false, "NoSuchSkin", true, false, Flat},
  };
  RegisterSkin();
  ActiveTheme theme;
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.Kind << " native " << c.Native << " skin '" << c.SkinName << "' skins "
                                    << c.Skins << " themes " << c.Themes);
    SwitchTheme(c.Themes ? &theme : nullptr);
    UseSkins = c.Skins;
    TkvLookAndFeel lf(nullptr);
    lf.SetKind(c.Kind);
    lf.SetNativeStyle(c.Native);
    lf.SetSkinName(c.SkinName);
    lf.NotifyAllValuesChanged();
    EXPECT_EQ(lf.ActivePainter(), c.Expected());
  }
}

TEST_F(LookAndFeelTest, RootSkinReachesEveryUnassignedLookAndFeel) {
  RegisterSkin();
  TkvLookAndFeel plain(nullptr), native(nullptr), own(nullptr);
  own.SetKind(lfFlat);
  own.SetSkinName("");
  TopLookAndFeel()->SetSkinName("Skin13");
  EXPECT_EQ(plain.ActivePainter(), Skin());
  EXPECT_EQ(own.ActivePainter(), Flat());
  ActiveTheme theme;
  SwitchTheme(&theme);
  native.SetNativeStyle(true);
  EXPECT_EQ(native.ActivePainter(), Themed());
  EXPECT_EQ(plain.ActivePainter(), Skin());
}

TEST_F(LookAndFeelTest, SkinsComingAndGoingReResolve) {
  TkvLookAndFeel lf(nullptr);
  lf.SetSkinName("Skin13");
  EXPECT_EQ(lf.ActivePainter(), UltraFlat());
  RegisterSkin();
  // Not yet listening: a name without a painter does not ask the registry.
  lf.NotifyAllValuesChanged();
  EXPECT_EQ(lf.ActivePainter(), Skin());
  ExtendedStylePaintersInstance()->RemovePainter("SKIN13");
  EXPECT_EQ(lf.ActivePainter(), UltraFlat());
}

TEST_F(LookAndFeelTest, SettingTheResolvedValueMarksItAssignedWithoutReporting) {
  TkvLookAndFeel lf(nullptr);
  RecordingListener listener;
  lf.AttachListener(&listener);
  lf.SetKind(lfUltraFlat);
  EXPECT_TRUE(lf.IsKindStored());
  EXPECT_TRUE(listener.Changes.empty());
  lf.SetKind(lfFlat);
  ASSERT_EQ(listener.Changes.size(), 1u);
  EXPECT_EQ(listener.Changes[0], TkvLookAndFeelValues{lfvKind});
  lf.DetachListener(&listener);
}

TEST_F(LookAndFeelTest, MasterChangesReachListenersExceptForAssignedValues) {
  TkvLookAndFeel child(nullptr);
  RecordingListener listener;
  child.AttachListener(&listener);
  child.SetKind(lfFlat);
  listener.Changes.clear();
  TopLookAndFeel()->SetKind(lfStandard);
  EXPECT_TRUE(listener.Changes.empty());
  TopLookAndFeel()->SetNativeStyle(true);
  ASSERT_EQ(listener.Changes.size(), 1u);
  EXPECT_EQ(listener.Changes[0], TkvLookAndFeelValues{lfvNativeStyle});
  child.DetachListener(&listener);
}

TEST_F(LookAndFeelTest, ListenerLeavingDuringNoticeDoesNotSkipItsNeighbour) {
  TkvLookAndFeel lf(nullptr);
  RecordingListener first, second, third;
  first.DetachOnChange = true;
  for (RecordingListener* l : {&first, &second, &third}) lf.AttachListener(l);
  lf.SetKind(lfFlat);
  EXPECT_EQ(first.Changes.size(), 1u);
  EXPECT_EQ(second.Changes.size(), 1u);
  EXPECT_EQ(third.Changes.size(), 1u);
  lf.DetachListener(&second);
  lf.DetachListener(&third);
}

TEST_F(LookAndFeelTest, ListenersHearTheMasterGoAndStayCounted) {
  RecordingListener listener;
  {
    TkvLookAndFeel lf(nullptr);
    lf.AttachListener(&listener);
    lf.AttachListener(&listener);
  }
  EXPECT_EQ(listener.Destroyings, 1);
}

TEST_F(LookAndFeelTest, AssignCopiesOwnValuesAndMaster) {
  TkvLookAndFeel master(nullptr), source(nullptr), dest(nullptr);
  master.SetNativeStyle(true);
  source.AttachToMaster(&master);
  source.SetKind(lfFlat);
  dest.Assign(&source);
  EXPECT_EQ(dest.GetMaster(), &master);
  EXPECT_EQ(dest.GetAssignedValues(), TkvLookAndFeelValues{lfvKind});
  EXPECT_EQ(dest.GetKind(), lfFlat);
  EXPECT_TRUE(dest.GetNativeStyle());
}

TEST_F(LookAndFeelTest, OlderStylesMapToNativeAndKind) {
  struct Case {
    Integer Style;
    bool Native;
    TkvLookAndFeelKind Kind;
  };
  const Case cases[] = {{0, false, lfFlat}, {1, false, lfStandard}, {2, false, lfUltraFlat},
                        {3, true, lfUltraFlat}, {4, false, lfOffice11}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Style);
    TkvLookAndFeel lf(nullptr);
    lf.ApplyStyle(c.Style);
    EXPECT_EQ(lf.GetNativeStyle(), c.Native);
    EXPECT_EQ(lf.GetKind(), c.Kind);
  }
}

TEST_F(LookAndFeelTest, ControllersEditTheRootUntilTheLastGoes) {
  TkvLookAndFeel child(nullptr);
  auto* first = new TkvLookAndFeelController(nullptr);
  auto* second = new TkvLookAndFeelController(nullptr);
  first->SetKind(lfOffice11);
  second->SetSkinName("Skin13");
  EXPECT_EQ(child.GetKind(), lfOffice11);
  EXPECT_EQ(second->GetKind(), lfOffice11);
  delete first;
  EXPECT_EQ(child.GetKind(), lfOffice11);
  delete second;
  EXPECT_TRUE(TopLookAndFeel()->GetAssignedValues().Empty());
  EXPECT_EQ(child.GetKind(), lfUltraFlat);
  EXPECT_EQ(child.GetSkinName(), "");
}

TEST_F(LookAndFeelTest, ControllerOnlyCountsOnTheRoot) {
  TkvLookAndFeel other(nullptr);
  TkvLookAndFeelController controller(nullptr);
  other.AttachListener(&controller);
  other.DetachListener(&controller);
  controller.SetKind(lfFlat);
  EXPECT_EQ(TopLookAndFeel()->GetKind(), lfFlat);
}

// ---- Palette listener ---------------------------------------------------------------------

class PaletteRecorder : public TObject {
 public:
  void Primary() { Order.push_back("primary"); }
  void OtherA() { Order.push_back("a"); }
  void OtherB() { Order.push_back("b"); }
  std::vector<String> Order;
};

TEST(PaletteListener, FiresPrimaryNotifiersFirstThenOthersLastToFirst) {
  PaletteRecorder recorder;
  TkvSystemPaletteChangedNotifier a(false), primary(true), b(false);
  a.SetOnPaletteChanged(MakeEvent<&PaletteRecorder::OtherA>(&recorder));
  b.SetOnPaletteChanged(MakeEvent<&PaletteRecorder::OtherB>(&recorder));
  primary.SetOnPaletteChanged(MakeEvent<&PaletteRecorder::Primary>(&recorder));
  ASSERT_NE(PaletteListenerWindow(), nullptr);
  SendMessage(PaletteListenerWindow(), WM_SYSCOLORCHANGE, 0, 0);
  // The painters' own primary notifier (radio images) is there as well, without a visible mark.
  const std::vector<String> expected{"primary", "b", "a"};
  EXPECT_EQ(recorder.Order, expected);
}

TEST(PaletteListener, ColourChangeReResolvesLookAndFeels) {
  TkvLookAndFeel lf(nullptr);
  RecordingListener listener;
  lf.AttachListener(&listener);
  SendMessage(HWND_BROADCAST, WM_SYSCOLORCHANGE, 0, 0);
  // Its own notice and the one passed down from the root.
  ASSERT_FALSE(listener.Changes.empty());
  for (const TkvLookAndFeelValues& changed : listener.Changes) EXPECT_EQ(changed, TkvLookAndFeelValues{lfvNativeStyle});
  lf.DetachListener(&listener);
}

// ---- Extended-style painter registry --------------------------------------------------------

class CountingPainterListener : public TObject, public IkvLookAndFeelPainterListener {
 public:
  void PaintersChanged(TkvCustomLookAndFeelPainterClass) override { ++Calls; }
  HRESULT QueryInterface(const TInterfaceId& IID, void** Obj) override {
    return GetInterface(this, IID, Obj) ? S_OK : E_NOINTERFACE;
  }
  Integer _AddRef() override { return -1; }
  Integer _Release() override { return -1; }
  Integer Calls = 0;
};

class TrackedInfo : public TObject {
 public:
  explicit TrackedInfo(bool& Freed) : FFreed(Freed) {}
  ~TrackedInfo() override { FFreed = true; }

 private:
  bool& FFreed;
};

TEST(ExtendedStylePainters, NamesCollideIgnoringCaseAndSortCaseSensitively) {
  TkvExtendedStylePainters registry;
  CountingPainterListener listener;
  registry.RegisterListener(&listener);
  registry.RegisterListener(&listener);
  EXPECT_TRUE(registry.AddPainter("beta", Skin(), nullptr));
  EXPECT_TRUE(registry.AddPainter("Alpha", Flat(), nullptr));
  EXPECT_TRUE(registry.AddPainter("alpha2", Standard(), nullptr));
  bool refusedFreed = false;
  auto* refused = new TrackedInfo(refusedFreed);
  EXPECT_FALSE(registry.AddPainter("BETA", Office11(), refused));
  EXPECT_FALSE(refusedFreed);
  delete refused;
  EXPECT_EQ(listener.Calls, 3);
  ASSERT_EQ(registry.GetCount(), 3);
  EXPECT_EQ(registry.PainterNameAt(0), "Alpha");
  EXPECT_EQ(registry.PainterNameAt(1), "alpha2");
  EXPECT_EQ(registry.PainterNameAt(2), "beta");

  TkvCustomLookAndFeelPainterClass painter = Themed();
  EXPECT_TRUE(registry.LookupPainter("ALPHA", painter));
  EXPECT_EQ(painter, Flat());
  painter = Themed();
  EXPECT_FALSE(registry.LookupPainter("gamma", painter));
  EXPECT_EQ(painter, Themed());
  String name = "x";
  EXPECT_TRUE(registry.NameOfPainter(Skin(), name));
  EXPECT_EQ(name, "beta");
  EXPECT_FALSE(registry.NameOfPainter(Themed(), name));
  EXPECT_EQ(name, "");
  registry.UnregisterListener(&listener);
}

TEST(ExtendedStylePainters, RemovingFreesTheInfoAndTellsListeners) {
  TkvExtendedStylePainters registry;
  CountingPainterListener listener;
  bool freed = false;
  auto* info = new TrackedInfo(freed);
  ASSERT_TRUE(registry.AddPainter("Skin", Skin(), info));
  TObject* found = nullptr;
  EXPECT_TRUE(registry.InfoOfPainter(Skin(), found));
  EXPECT_EQ(found, info);
  registry.RegisterListener(&listener);
  EXPECT_FALSE(registry.RemovePainter("Other"));
  EXPECT_EQ(listener.Calls, 0);
  EXPECT_TRUE(registry.RemovePainter("SKIN"));
  EXPECT_TRUE(freed);
  EXPECT_EQ(listener.Calls, 1);
  EXPECT_EQ(registry.GetCount(), 0);
  registry.UnregisterListener(&listener);
}

}  // namespace
