#include <gtest/gtest.h>

#include <vector>

#include "EditTestProperties.h"
#include "rtl/ClassRegistry.h"
#include "rtl/Reader.h"
#include "rtl/Writer.h"
#include "vcl/Forms.h"

namespace {

// A listener that logs what it hears; one of them leaves the item while it hears of its end.
class LoggingListener : public TkvIUnknownObject, public IkvEditRepositoryItemListener {
  TAVREN_CLASS(LoggingListener, TkvIUnknownObject)
 public:
  LoggingListener(std::vector<String>* ALog, String AName) : log(ALog), name(std::move(AName)) {}
  void ItemRemoved(TkvEditRepositoryItem* Sender) override {
    log->push_back(name + " removed");
    if (!leaveOnRemove) return;
    Sender->RemoveListener(leaveOnRemove);
    Sender->RemoveListener(this);
  }
  void ItemPropertiesChanged(TkvEditRepositoryItem*) override { log->push_back(name + " changed"); }
  std::vector<String>* log;
  String name;
  IkvEditRepositoryItemListener* leaveOnRemove = nullptr;
};
TAVREN_CLASS_IMPL(LoggingListener)

TEST(EditRepository, ItemTellsEachListenerOnceFromTheLast) {
  std::vector<String> log;
  LoggingListener a(&log, "a"), b(&log, "b"), c(&log, "c");
  auto* repository = new TkvEditRepository(nullptr);
  TkvEditRepositoryItem* item = repository->CreateItem(TTestRepositoryItem::ClassInfo());
  EXPECT_EQ(repository->Count(), 1);
  for (LoggingListener* l : {&a, &b, &c, &a}) item->AddListener(l);
  EXPECT_EQ(item->ListenerCount(), 3);
  item->GetProperties()->SetAutoSelect(false);
  EXPECT_EQ(log, (std::vector<String>{"c changed", "b changed", "a changed"}));
  log.clear();
  // c takes b and itself out while it hears; a still hears once.
  c.leaveOnRemove = &b;
  delete item;
  EXPECT_EQ(log, (std::vector<String>{"c removed", "a removed"}));
  EXPECT_EQ(repository->Count(), 0);
  delete repository;
}

TEST(EditRepository, RepositoryFreesItsItemsAndNamesThem) {
  auto* repository = new TkvEditRepository(nullptr);
  repository->SetName("R1");
  TkvEditRepositoryItem* item = repository->CreateItem(TTestRepositoryItem::ClassInfo());
  String name;
  item->GetBaseName(name);
  EXPECT_EQ(name, "");
  EXPECT_TRUE(item->HasParent());
  EXPECT_EQ(item->GetParentComponent(), repository);
  delete repository;
}

TEST(EditButtons, DefaultIsExclusiveAndAssignCopiesTheGlyph) {
  TTestEditProperties properties(nullptr);
  TkvEditButtons* buttons = properties.GetButtons();
  for (int i = 0; i < 3; ++i) buttons->AddButton();
  buttons->GetButton(0)->SetDefault(true);
  buttons->GetButton(1)->SetDefault(true);
  EXPECT_FALSE(buttons->GetButton(0)->GetDefault());
  EXPECT_TRUE(buttons->GetButton(1)->GetDefault());
  buttons->GetButton(2)->SetVisible(false);
  EXPECT_EQ(buttons->VisibleCount(), 2);

  TkvEditButton* source = buttons->GetButton(0);
  source->SetCaption("&Go");
  EXPECT_EQ(source->GetVisibleCaption(), "Go");
  source->SetKind(bkGlyph);
  source->GetGlyph()->SetSize(4, 3);
  TkvEditButton* target = buttons->GetButton(2);
  target->Assign(source);
  EXPECT_EQ(target->GetGlyph()->GetWidth(), 4);
  EXPECT_EQ(target->GetKind(), bkGlyph);
  EXPECT_EQ(target->GetCaption(), "&Go");
  // A source without a glyph gets an empty one made for the copy.
  TkvEditButton* plain = buttons->GetButton(1);
  EXPECT_FALSE(plain->HasGlyph());
  target->Assign(plain);
  EXPECT_TRUE(plain->HasGlyph());
  EXPECT_TRUE(target->GetGlyph()->GetEmpty());
}

TEST(EditButtons, ViewInfoRepaintsOnlyWhatLooksDifferent) {
  struct Case {
    const char* change;
    void (*apply)(TkvEditButtonViewInfo&);
    bool differs;
  };
  const Case cases[] = {
      {"nothing", [](TkvEditButtonViewInfo&) {}, false},
      {"caption", [](TkvEditButtonViewInfo& v) { v.Caption = "x"; }, false},
      {"state", [](TkvEditButtonViewInfo& v) { v.State = ebsSelected; }, true},
      {"style", [](TkvEditButtonViewInfo& v) { v.ButtonStyle = btsFlat; }, true},
      {"colour", [](TkvEditButtonViewInfo& v) { v.BackgroundColor = clRed; }, true},
      {"native state", [](TkvEditButtonViewInfo& v) { v.NativeState = 3; }, true},
  };
  for (const Case& c : cases) {
    TkvEditButtonViewInfo older, newer;
    older.Bounds = newer.Bounds = TRect(2, 3, 12, 13);
    c.apply(newer);
    std::unique_ptr<TkvRegion> region(newer.GetUpdateRegion(&older));
    EXPECT_EQ(!region->IsEmpty(), c.differs) << c.change;
  }
}

TEST(EditRepository, StyleControllerRepositoryAndItemRoundTripThroughFormText) {
  RegisterClass(TTestRepositoryItem::ClassInfo());
  auto* root = new TForm(nullptr, 0);
  auto* controller = new TkvEditStyleController(root);
  controller->SetName("Controller");
  controller->GetStyle()->SetButtonStyle(btsUltraFlat);
  controller->GetStyle()->SetShadow(true);
  auto* repository = new TkvEditRepository(root);
  repository->SetName("Repository");
  auto* item = static_cast<TTestRepositoryItem*>(repository->CreateItemEx(TTestRepositoryItem::ClassInfo(), root));
  item->SetName("Item");
  TTestEditProperties* properties = item->GetTestProperties();
  properties->SetMaxValue(0);
  properties->SetReadOnly(true);
  properties->GetAlignment()->SetVert(taVCenter);
  TkvEditButton* button = properties->GetButtons()->AddButton();
  button->SetKind(bkGlyph);
  button->GetGlyph()->SetSize(2, 2);
  button->SetDefault(true);
  String text = WriteComponentToText(root);
  SCOPED_TRACE(text);
  EXPECT_NE(text.find("Alignment.Vert = taVCenter"), String::npos);
  // Only assigned alignment values are written.
  EXPECT_EQ(text.find("Alignment.Horz"), String::npos);
  EXPECT_EQ(text.find("AutoSelect"), String::npos);
  delete root;

  auto* copy = new TForm(nullptr, 0);
  ReadComponentFromText(text, copy);
  auto* readController = dynamic_cast<TkvEditStyleController*>(copy->FindComponent("Controller"));
  auto* readRepository = dynamic_cast<TkvEditRepository*>(copy->FindComponent("Repository"));
  auto* readItem = dynamic_cast<TTestRepositoryItem*>(copy->FindComponent("Item"));
  ASSERT_NE(readController, nullptr);
  ASSERT_NE(readRepository, nullptr);
  ASSERT_NE(readItem, nullptr);
  EXPECT_EQ(readController->GetStyle()->GetButtonStyle(), btsUltraFlat);
  EXPECT_TRUE(readController->GetStyle()->GetShadow());
  EXPECT_EQ(readItem->GetRepository(), readRepository);
  EXPECT_EQ(readRepository->Count(), 1);
  TTestEditProperties* read = readItem->GetTestProperties();
  EXPECT_TRUE(read->GetAssignedValues()->GetMaxValue());
  EXPECT_TRUE(read->GetReadOnly());
  EXPECT_EQ(read->GetAlignment()->GetVert(), taVCenter);
  ASSERT_EQ(read->GetButtons()->GetCount(), 1);
  EXPECT_EQ(read->GetButtons()->GetButton(0)->GetKind(), bkGlyph);
  EXPECT_TRUE(read->GetButtons()->GetButton(0)->GetDefault());
  EXPECT_EQ(read->GetButtons()->GetButton(0)->GetGlyph()->GetWidth(), 2);
  delete copy;
  UnRegisterClass(TTestRepositoryItem::ClassInfo());
}

}  // namespace
