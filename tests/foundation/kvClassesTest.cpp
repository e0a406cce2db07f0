#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "rtl/ClassRegistry.h"
#include "toolkit/foundation/kvClasses.h"

namespace {

// ---- Class-to-class registry --------------------------------------------------------------

TEST(RegisteredClassList, MostDerivedRegisteredAncestorAnswersInEitherOrder) {
  // TPersistent <- TComponent <- TkvComponent; TList is unrelated.
  TClass a = TPersistent::ClassInfo(), b = TComponent::ClassInfo();
  TClass x = TList::ClassInfo(), y = TObject::ClassInfo();
  for (bool ancestorFirst : {true, false}) {
    SCOPED_TRACE(ancestorFirst);
    TkvRegisteredClassList list;
    if (ancestorFirst) {
      list.AddPair(a, x);
      list.AddPair(b, y);
    } else {
      list.AddPair(b, y);
      list.AddPair(a, x);
    }
    EXPECT_EQ(list.PairedClassOf(b), y);
    EXPECT_EQ(list.PairedClassOf(TkvComponent::ClassInfo()), y);
    EXPECT_EQ(list.PairedClassOf(a), x);
    EXPECT_EQ(list.PairedClassOf(TkvObjectList::ClassInfo()), nullptr);
  }
}

TEST(RegisteredClassList, LaterPairForTheSameClassWinsUntilRemoved) {
  TkvRegisteredClassList list;
  TClass a = TComponent::ClassInfo();
  list.AddPair(a, TList::ClassInfo());
  list.AddPair(a, TObject::ClassInfo());
  EXPECT_EQ(list.PairedClassOf(a), TObject::ClassInfo());
  list.RemovePair(a, TObject::ClassInfo());
  EXPECT_EQ(list.PairedClassOf(a), TList::ClassInfo());
  list.RemovePair(a, TObject::ClassInfo());  // absent: nothing happens
  EXPECT_EQ(list.ClassCount(), 1);
}

// ---- Described classes --------------------------------------------------------------------

TEST(RegisteredClasses, KeepsFirstDescriptionAndSortsByShortName) {
  TkvRegisteredClasses classes;
  classes.AddClass(TkvObjectList::ClassInfo(), "TextEdit|Represents a single line text editor");
  classes.AddClass(TkvObjectList::ClassInfo(), "Other|ignored");
  classes.AddClass(TkvObjectLink::ClassInfo(), "button");
  classes.AddClass(TkvComponent::ClassInfo(), "Memo|x");
  ASSERT_EQ(classes.Count(), 3);
  EXPECT_EQ(classes.DescriptionAt(0), "TextEdit");
  classes.SetSortedFlag(true);
  EXPECT_EQ(classes.DescriptionAt(0), "button");
  EXPECT_EQ(classes.DescriptionAt(1), "Memo");
  EXPECT_EQ(classes.ClassAt(2), TkvObjectList::ClassInfo());
  classes.RemoveClass(TkvObjectLink::ClassInfo());
  EXPECT_EQ(classes.IndexOfClass(TkvObjectLink::ClassInfo()), -1);
}

class TRegisteredByList : public TkvComponent {
  TAVREN_CLASS(TRegisteredByList, TkvComponent)
 public:
  using TkvComponent::TkvComponent;
};
TAVREN_CLASS_IMPL(TRegisteredByList)

TEST(RegisteredClasses, RegistersStreamableClassesWhenAsked) {
  TkvRegisteredClasses classes(true);
  classes.AddClass(TRegisteredByList::ClassInfo(), "Registered");
  EXPECT_EQ(static_cast<TClass>(GetClass("TRegisteredByList")), TRegisteredByList::ClassInfo());
  UnRegisterClass(TRegisteredByList::ClassInfo());
}

// ---- Multicast events ---------------------------------------------------------------------

class TListener : public TObject {
 public:
  void Handle(TComponent*, void* Data) {
    static_cast<std::vector<TListener*>*>(Data)->push_back(this);
    if (Collection && DetachOnCall) {
      for (TListener* victim : DetachOnCall->Victims)
        Collection->DetachHandler(MakeEvent<&TListener::Handle>(victim));
    }
  }
  TkvEventHandlerCollection* Collection = nullptr;
  struct Plan {
    std::vector<TListener*> Victims;
  }* DetachOnCall = nullptr;
};

TEST(EventHandlerCollection, StoresEachHandlerOnceAndFiresInOrder) {
  TListener a, b;
  TkvEventHandlerCollection handlers;
  handlers.AttachHandler(MakeEvent<&TListener::Handle>(&a));
  handlers.AttachHandler(MakeEvent<&TListener::Handle>(&b));
  handlers.AttachHandler(MakeEvent<&TListener::Handle>(&a));
  handlers.DetachHandler(MakeEvent<&TListener::Handle>(static_cast<TListener*>(nullptr)));
  std::vector<TListener*> calls;
  handlers.FireAll(nullptr, &calls);
  EXPECT_EQ(calls, (std::vector<TListener*>{&a, &b}));
}

TEST(EventHandlerCollection, HandlersThatDetachDuringFiringEndItSafely) {
  TListener a, b, c;
  TkvEventHandlerCollection handlers;
  for (TListener* l : {&a, &b, &c}) handlers.AttachHandler(MakeEvent<&TListener::Handle>(l));
  // The first handler takes itself and the last one out: the array shrinks below the count read
  // before firing, and nothing past its end may be touched.
  TListener::Plan plan{{&a, &c}};
  a.Collection = &handlers;
  a.DetachOnCall = &plan;
  std::vector<TListener*> calls;
  handlers.FireAll(nullptr, &calls);
  EXPECT_EQ(calls, (std::vector<TListener*>{&a}));
  EXPECT_EQ(handlers.Count(), 1);
}

// ---- Weak links and free notification -----------------------------------------------------

TEST(ObjectLinks, ClearWhenTheirComponentGoesAndReleaseAfterwards) {
  auto* component = new TkvComponent(nullptr);
  TObject other;
  TkvObjectLink* link = LinkToObject(component);
  TkvObjectLink* kept = LinkToObject(&other);
  EXPECT_EQ(LinkToObject(nullptr), nullptr);
  EXPECT_EQ(ObjectLinkCount(), 2);
  delete component;
  EXPECT_EQ(link->Ref, nullptr);
  EXPECT_EQ(kept->Ref, &other);
  ReleaseObjectLink(link);
  ReleaseObjectLink(nullptr);
  InvalidateObjectLinks(&other);
  EXPECT_EQ(kept->Ref, nullptr);
  ReleaseObjectLink(kept);
  EXPECT_EQ(ObjectLinkCount(), 0);
}

class TFreedRecorder : public TObject {
 public:
  void Freed(TComponent* Sender) { Names.push_back(Sender->GetName()); }
  std::vector<String> Names;
};

TEST(FreeNotificator, ReportsWatchedComponentsOnly) {
  TFreedRecorder recorder;
  TkvFreeNotificator notificator(nullptr);
  notificator.SetOnFreeNotification(MakeEvent<&TFreedRecorder::Freed>(&recorder));
  auto* watched = new TComponent(nullptr);
  watched->SetName("Watched");
  auto* unwatched = new TComponent(nullptr);
  notificator.Watch(watched);
  notificator.Watch(unwatched);
  notificator.Unwatch(unwatched);
  delete watched;
  delete unwatched;
  EXPECT_EQ(recorder.Names, (std::vector<String>{"Watched"}));
}

// ---- Component collections ----------------------------------------------------------------

class TTestItem;

class TTestHost : public TComponent {
  TAVREN_CLASS(TTestHost, TComponent)
 public:
  explicit TTestHost(TComponent* AOwner);
  ~TTestHost() override { delete Items; }
  TkvComponentCollection* Items;
};

class TTestItem : public TkvComponentCollectionItem {
  TAVREN_CLASS(TTestItem, TkvComponentCollectionItem)
 public:
  using TkvComponentCollectionItem::TkvComponentCollectionItem;
  void Assign(TPersistent* Source) override { Value = static_cast<TTestItem*>(Source)->Value; }
  Integer Value = 0;

 protected:
  TkvComponentCollection* GetCollectionFromParent(TComponent* Parent) override {
    auto* host = dynamic_cast<TTestHost*>(Parent);
    return host ? host->Items : nullptr;
  }
};

TTestHost::TTestHost(TComponent* AOwner)
    : TComponent(AOwner), Items(new TkvComponentCollection(this, TTestItem::ClassInfo())) {}

TAVREN_CLASS_IMPL(TTestHost)
TAVREN_CLASS_IMPL(TTestItem)

class TChangeLog : public TObject {
 public:
  void Changed(TObject*, TkvComponentCollectionItem* Item, TkvCollectionAction Action) {
    Entries.push_back({Item, Action});
  }
  std::vector<std::pair<TkvComponentCollectionItem*, TkvCollectionAction>> Entries;
};

TEST(ComponentCollection, ItemsJoinThroughTheirParentAndReportChanges) {
  TChangeLog log;  // outlives the form: the items report their leaving when it goes
  TComponent form(nullptr);
  auto* host = new TTestHost(&form);
  host->Items->SetOnChange(MakeEvent<&TChangeLog::Changed>(&log));
  TkvComponentCollectionItem* first = host->Items->AppendItem();
  TkvComponentCollectionItem* second = host->Items->AppendItem();
  EXPECT_EQ(first->GetOwner(), &form);  // items belong to the parent's owner
  EXPECT_EQ(first->GetParentComponent(), host);
  EXPECT_EQ(second->GetID(), 1);
  EXPECT_EQ(second->PositionInCollection(), 1);

  second->SetIndex(0);
  EXPECT_EQ(host->Items->ItemAt(0), second);
  delete first;
  using Entry = std::pair<TkvComponentCollectionItem*, TkvCollectionAction>;
  EXPECT_EQ(log.Entries, (std::vector<Entry>{{first, ccnAdded}, {second, ccnAdded}, {nullptr, ccnChanged},
                                             {first, ccnExtracted}}));
  EXPECT_EQ(host->Items->ItemCount(), 1);
}

TEST(ComponentCollection, AssignCopiesItemsInOneChangeAndWrongClassesStayOut) {
  TChangeLog log;
  TComponent form(nullptr);
  auto* source = new TTestHost(&form);
  auto* target = new TTestHost(&form);
  for (Integer v : {7, 9}) static_cast<TTestItem*>(source->Items->AppendItem())->Value = v;
  target->Items->AppendItem();
  target->Items->SetOnChange(MakeEvent<&TChangeLog::Changed>(&log));
  target->Items->Assign(source->Items);
  ASSERT_EQ(target->Items->ItemCount(), 2);
  EXPECT_EQ(static_cast<TTestItem*>(target->Items->ItemAt(1))->Value, 9);
  ASSERT_EQ(log.Entries.size(), 1u);
  EXPECT_EQ(log.Entries[0].first, nullptr);

  class TStranger : public TkvComponentCollectionItem {
   public:
    using TkvComponentCollectionItem::TkvComponentCollectionItem;
    TkvComponentCollection* GetCollectionFromParent(TComponent* P) override { return static_cast<TTestHost*>(P)->Items; }
  } stranger(nullptr);
  // TStranger shares its parent's class record, which is not the collection's item class.
  stranger.SetParentComponent(target);
  EXPECT_EQ(stranger.GetCollection(), nullptr);
  EXPECT_EQ(target->Items->ItemCount(), 2);
}

// ---- Names and small routines -------------------------------------------------------------

TEST(UniqueItemName, BuildsFromParentClassAndBaseName) {
  TComponent form(nullptr);
  auto* parent = new TTestHost(&form);
  parent->SetName("Bar");
  auto* taken = new TComponent(&form);
  taken->SetName("Bar1");
  auto* item = new TTestItem(&form);
  struct Case {
    const char* prefix;
    const char* base;
    const char* expected;
  };
  const Case cases[] = {
      {"TTestItem", "", "Bar2"},        // counter from 1, Bar1 is taken
      {"", "", "BarTestItem1"},         // the class name without its T
      {"TTest", "9x", "BarItem9x"},     // a leading digit brings the class name in front
      {"", "Se-l ect", "BarSelect"},    // only identifier characters stay
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.base);
    EXPECT_EQ(UniqueItemName(&form, parent, item, c.prefix, c.base), c.expected);
  }
  taken->SetName("BarSelect");
  EXPECT_EQ(UniqueItemName(&form, parent, item, "", "Select"), "BarSelect1");
}

TEST(SmallRoutines, MidpointsBytesAndText) {
  const Integer mids[][3] = {{-2, -1, -2}, {1, 2, 1}, {-3, 0, -2}, {-1, 0, -1}, {0, 0, 0},
                             {2147483647, 2147483647, 2147483647}};
  for (auto& m : mids) EXPECT_EQ(RangeMidpoint(m[0], m[1]), m[2]) << m[0] << " " << m[1];
  Byte buffer[4] = {1, 2, 3, 4};
  CopyBytes(buffer, buffer, -5, 1, 2);  // negative offsets count as 0; overlap allowed
  EXPECT_EQ((std::vector<Byte>(buffer, buffer + 4)), (std::vector<Byte>{1, 1, 2, 4}));
  WriteByteAt(buffer, 9, 3);
  EXPECT_EQ(ReadByteAt(buffer, 3), 9);
  EXPECT_EQ(TextBeforeBar("TextEdit|Represents a single line text editor"), "TextEdit");
  EXPECT_EQ(TextBeforeBar("Plain"), "Plain");
  const String text = "a\xC3\xA9z";  // a, e-acute (two bytes), z
  EXPECT_EQ(CharByteLength(text, 2), 2);
  EXPECT_EQ(NextCharPosition(text, 2), 4);
  EXPECT_EQ(PrevCharPosition(text, 4), 2);
  EXPECT_EQ(FloatSign(0.0), 1);
  EXPECT_EQ(FloatSign(-0.5), -1);
  EXPECT_EQ(LocaleInfoOrDefault(LOCALE_USER_DEFAULT, 0x7FFF, "fallback"), "fallback");
}

}  // namespace
