#include <gtest/gtest.h>

#include "backend/HeadlessBackend.h"
#include "rtl/ClassRegistry.h"
#include "toolkit/bars/qzBar.h"

namespace {

// Item and control classes standing for the registry's entries.
class TRegTestItem : public TComponent {
  TAVREN_CLASS(TRegTestItem, TComponent)
 public:
  using TComponent::TComponent;
};
TAVREN_CLASS_IMPL(TRegTestItem)
class TRegTestDerivedItem : public TRegTestItem {
  TAVREN_CLASS(TRegTestDerivedItem, TRegTestItem)
 public:
  using TRegTestItem::TRegTestItem;
};
TAVREN_CLASS_IMPL(TRegTestDerivedItem)
class TRegTestOtherItem : public TComponent {
  TAVREN_CLASS(TRegTestOtherItem, TComponent)
 public:
  using TComponent::TComponent;
};
TAVREN_CLASS_IMPL(TRegTestOtherItem)
class TRegTestControl : public TObject {
  TAVREN_CLASS(TRegTestControl, TObject)
};
TAVREN_CLASS_IMPL(TRegTestControl)
class TRegTestOtherControl : public TObject {
  TAVREN_CLASS(TRegTestOtherControl, TObject)
};
TAVREN_CLASS_IMPL(TRegTestOtherControl)

class BarImageOptions : public testing::Test {
 protected:
  void SetUp() override {
    SetDisplayBackend(&screen);
    form = new TForm(nullptr, 0);
    manager = new TqzBarManager(form);
  }
  void TearDown() override {
    delete form;
    SetDisplayBackend(nullptr);
  }
  TImageList* NewList(Integer Size) {
    auto* list = new TImageList(form);
    list->SetWidth(Size);
    list->SetHeight(Size);
    return list;
  }
  HeadlessBackend screen;
  TForm* form = nullptr;
  TqzBarManager* manager = nullptr;
};

TEST_F(BarImageOptions, GlyphSizeFollowsLargeIconsAndLargeImages) {
  TImageList* large = NewList(24);
  struct Case {
    bool largeIcons, useLarge;
    TImageList* largeImages;
    Integer size;
  };
  const Case kCases[] = {{false, true, large, 16}, {true, true, large, 24}, {true, true, nullptr, 32},
                         {true, false, large, 32}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << c.largeIcons << c.useLarge << (c.largeImages != nullptr));
    manager->SetUseLargeImagesForLargeIcons(c.useLarge);
    manager->SetLargeImages(c.largeImages);
    manager->SetLargeIcons(c.largeIcons);
    manager->GetImageOptions()->UpdateGlyphSize();
    EXPECT_EQ(manager->GetGlyphSize(), c.size);
  }
}

TEST_F(BarImageOptions, FreedListsLeaveEveryProperty) {
  TImageList* shared = NewList(16);
  manager->SetImages(shared);
  manager->SetHotImages(shared);
  EXPECT_EQ(manager->GetImages(), shared);
  delete shared;
  EXPECT_EQ(manager->GetImages(), nullptr);
  EXPECT_EQ(manager->GetHotImages(), nullptr);

  // Assign copies everything but the glyph cache switch.
  TImageList* list = NewList(16);
  TqzBarImageOptions source(manager);
  source.SetImages(list);
  source.SetImageListBkColor(clLime);
  source.SetCacheGlyphs(false);
  source.SetStretchGlyphs(false);
  manager->GetImageOptions()->Assign(&source);
  EXPECT_EQ(manager->GetImages(), list);
  EXPECT_EQ(manager->GetImageListBkColor(), clLime);
  EXPECT_FALSE(manager->GetStretchGlyphs());
  EXPECT_TRUE(manager->GetImageOptions()->GetCacheGlyphs());
  source.SetImages(nullptr);
}

TEST(BarItemRegistry, ExactClassesAndListedEntries) {
  TqzBarItemList* registry = ItemClassListInstance();
  ASSERT_NE(registry, nullptr);
  const Integer before = registry->GetCount(), listedBefore = registry->ListedItemClassCount();
  RegisterBarItemClass(TRegTestItem::ClassInfo(), TRegTestControl::ClassInfo(), true);
  RegisterBarItemClass(TRegTestOtherItem::ClassInfo(), TRegTestOtherControl::ClassInfo(), false);
  RegisterBarItemClass(TRegTestItem::ClassInfo(), TRegTestOtherControl::ClassInfo(), true);
  EXPECT_EQ(registry->GetCount(), before + 3);
  EXPECT_EQ(registry->ListedItemClassCount(), listedBefore + 2);
  EXPECT_EQ(registry->ListedItemClassAt(listedBefore), TRegTestItem::ClassInfo());
  EXPECT_EQ(registry->ListedItemClassAt(listedBefore + 2), nullptr);
  // The first record of the exact class answers; a derived class has no control of its own.
  EXPECT_EQ(registry->ControlClassOf(TRegTestItem::ClassInfo()), TRegTestControl::ClassInfo());
  EXPECT_EQ(registry->ControlClassOf(TRegTestDerivedItem::ClassInfo()), nullptr);
  EXPECT_EQ(FindClass("TRegTestOtherItem"), TRegTestOtherItem::ClassInfo());
  // Unregistering removes the first record only.
  UnregisterBarItemClass(TRegTestItem::ClassInfo());
  EXPECT_EQ(registry->ControlClassOf(TRegTestItem::ClassInfo()), TRegTestOtherControl::ClassInfo());
  UnregisterBarItemClass(TRegTestItem::ClassInfo());
  UnregisterBarItemClass(TRegTestOtherItem::ClassInfo());
  EXPECT_EQ(registry->GetCount(), before);
  EXPECT_EQ(GetClass("TRegTestOtherItem"), nullptr);
}

TEST(BarCursors, TheUnitPutsItsCursorsOnTheScreen) {
  for (TCursor id : {crqzBarDrag, crqzBarDragCopy, crqzBarDragNoDrop, crqzBarEditSizing}) {
    SCOPED_TRACE(id);
    EXPECT_NE(Screen()->GetCursors(id), Screen()->GetCursors(crDefault));
  }
}

}  // namespace
