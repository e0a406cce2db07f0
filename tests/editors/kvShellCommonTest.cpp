// ID lists, item information, producers and the information gatherer over a scratch home
// folder set through the environment.

#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <fstream>
#include <limits>
#include <thread>

#include "EditorsTestSupport.h"
#include "ShellScratchHome.h"
#include "rtl/FileUtils.h"
#include "toolkit/editors/kvShellCommon.h"

namespace {

struct ListDeleter {
  void operator()(ITEMIDLIST* list) const { FreeIdList(list); }
};
using List = std::unique_ptr<ITEMIDLIST, ListDeleter>;

List Names(std::initializer_list<const char*> names) {
  std::vector<ShellItemName> items;
  for (const char* name : names) items.push_back({ShellItemKind::Entry, name});
  return List(ILFromNames(items));
}

TEST(ShellIdLists, CountsCopiesAndCompares) {
  EXPECT_EQ(ItemIdCount(nullptr), 0);
  std::vector<const char*> many(261, "a");
  std::vector<ShellItemName> items;
  for (const char* name : many) items.push_back({ShellItemKind::Entry, name});
  List long_(ILFromNames(items));
  EXPECT_EQ(ItemIdCount(long_.get()), -1);
  items.pop_back();
  List limit(ILFromNames(items));
  EXPECT_EQ(ItemIdCount(limit.get()), 260);

  List empty(EmptyIdList());
  List ab = Names({"a", "b"});
  EXPECT_FALSE(SameIdList(nullptr, empty.get()));
  EXPECT_TRUE(SameIdList(nullptr, nullptr));
  EXPECT_TRUE(IsIdListPrefix(empty.get(), ab.get()));
  EXPECT_TRUE(IsIdListPrefix(nullptr, ab.get()));
  List a = Names({"a"});
  EXPECT_TRUE(IsIdListPrefix(a.get(), ab.get()));
  EXPECT_FALSE(IsIdListPrefix(ab.get(), a.get()));

  List copy(ConcatIdLists(nullptr, ab.get()));
  EXPECT_TRUE(SameIdList(copy.get(), ab.get()));
  EXPECT_NE(copy.get(), ab.get());
  List parent(ParentIdList(ab.get()));
  EXPECT_TRUE(SameIdList(parent.get(), a.get()));
  List first(FirstItemId(ab.get()));
  EXPECT_TRUE(SameIdList(first.get(), a.get()));
  List b = Names({"b"});
  List joined(ConcatIdLists(a.get(), b.get()));
  EXPECT_TRUE(SameIdList(joined.get(), ab.get()));
  EXPECT_EQ(ItemIdCount(LastItemId(ab.get())), 1);
  EXPECT_EQ(IdListSize(ab.get()), IdListSize(a.get()) + IdListSize(b.get()));
  EXPECT_EQ(NextItemId(empty.get()), nullptr);
}

TEST(ShellIdLists, AFailedTimeIsMinusOne) {
  EXPECT_EQ(FileTimeToLocalDateTime(std::numeric_limits<time_t>::max()), -1.0);
  EXPECT_GT(FileTimeToLocalDateTime(1700000000), 40000.0);
}

// A producer of a test view: records what it tells its owner and fetches through its own worker.
class TTestProducer : public TkvCustomItemProducer {
  TAVREN_CLASS(TTestProducer, TkvCustomItemProducer)
 public:
  TTestProducer(TWinControl* Owner, TkvShellItemsInfoGatherer* AGatherer)
      : TkvCustomItemProducer(Owner), gatherer(AGatherer) {}
  ~TTestProducer() override { ClearItems(); }
  bool WantsBackgroundFetch() override { return background; }
  DWORD GetEnumFlags() override { return flags; }
  TkvShellItemsInfoGatherer* GetGatherer() override { return gatherer; }
  bool ShowsInfoTips() override { return tips; }
  void NotifyItemCount(Integer Count) override { counts.push_back(Count); }
  void NotifyItemFetched(const TkvFetchRequest& Request) override {
    fetched.fetch_add(1);
    if (Request.Priority) priorityFetched.fetch_add(1);
  }
  TkvShellItemsInfoGatherer* gatherer;
  bool background = true;
  bool tips = true;
  DWORD flags = SHCONTF_FOLDERS | SHCONTF_NONFOLDERS;
  std::vector<Integer> counts;
  std::atomic<int> fetched{0};
  std::atomic<int> priorityFetched{0};
};
TAVREN_CLASS_IMPL(TTestProducer)

class ShellProducers : public EditorsTest {
 protected:
  void SetUp() override {
    EditorsTest::SetUp();
    scratch = std::make_unique<ScratchHome>(
        std::initializer_list<const char*>{"Videos/Old", "Videos/private", "Videos/zoo"},
        std::initializer_list<std::pair<const char*, std::string>>{
            {"Videos/clip.mp4", String(1536, 'x')}, {"Videos/Beach.avi", "x"}, {"Videos/.secret", ""},
            {"Videos/.hidden", "private\n"}});
    home = scratch->home;
    ASSERT_EQ(symlink("Old", (home + "/Videos/Latest").c_str()), 0);
    gatherer = std::make_unique<TkvShellItemsInfoGatherer>(form);
    producer = std::make_unique<TTestProducer>(form, gatherer.get());
  }
  void TearDown() override {
    producer.reset();
    gatherer.reset();
    scratch.reset();
    EditorsTest::TearDown();
  }
  void Process(const String& Path, Integer Prefetch) {
    LPITEMIDLIST raw = nullptr;
    ASSERT_EQ(ShellParsePath(Path, &raw), S_OK);
    List list(CopyIdList(raw));
    ILFree(raw);
    void* folder = nullptr;
    ASSERT_EQ(GetDesktopFolder()->BindToObject(list.get(), nullptr, IShellFolder::IID, &folder), S_OK);
    auto bound = TInterfacePtr<IShellFolder>::Attach(static_cast<IShellFolder*>(folder));
    producer->ProcessItems(bound.Get(), list.get(), Prefetch);
  }
  // The worker runs on its own: wait, without asserting any time, until it is done.
  void WaitForAllFetched() {
    for (int i = 0; i < 2000; ++i) {
      producer->BeginRead();
      bool done = true;
      for (Integer j = 0; j < producer->ItemCount(); ++j) done = done && producer->Item(j)->GetFetched();
      producer->EndRead();
      if (done) return;
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    FAIL() << "the worker never finished";
  }
  std::vector<String> DisplayNames() {
    std::vector<String> names;
    producer->BeginRead();
    for (Integer i = 0; i < producer->ItemCount(); ++i) names.push_back(producer->Item(i)->DisplayName);
    producer->EndRead();
    return names;
  }
  std::unique_ptr<ScratchHome> scratch;
  String home;
  std::unique_ptr<TkvShellItemsInfoGatherer> gatherer;
  std::unique_ptr<TTestProducer> producer;
};

TEST_F(ShellProducers, EnumeratesFoldersFirstWithoutHiddenAndPrefetchesTheFirst) {
  producer->background = false;
  Process(home + "/Videos", 2);
  EXPECT_EQ(DisplayNames(), (std::vector<String>{"Latest", "Old", "zoo", "Beach.avi", "clip.mp4"}));
  EXPECT_EQ(producer->counts, std::vector<Integer>{5});
  // The first two the shell enumerated (by name: "Beach.avi", "Latest") are complete at once.
  producer->BeginRead();
  EXPECT_TRUE(producer->Item(0)->GetFetched());
  EXPECT_FALSE(producer->Item(1)->GetFetched());
  EXPECT_TRUE(producer->Item(3)->GetFetched());
  EXPECT_FALSE(producer->Item(4)->GetFetched());
  EXPECT_TRUE(producer->Item(0)->IsShortcut);
  EXPECT_TRUE(producer->Item(0)->IsContainer);
  producer->EndRead();
  ASSERT_EQ(producer->GetColumns()->ColumnCount(), 4);
  EXPECT_EQ(producer->GetColumns()->Column(1)->HeaderText, "Size");
  EXPECT_EQ(producer->GetColumns()->Column(1)->TextAlign, taRightJustify);

  producer->flags |= SHCONTF_INCLUDEHIDDEN;
  producer->ClearItems();
  Process(home + "/Videos", 0);
  EXPECT_EQ(DisplayNames().size(), 8u);  // .hidden, .secret and private join in
}

TEST_F(ShellProducers, TheWorkerCompletesEveryItemAndTheDetailsFollow) {
  Process(home + "/Videos", 0);
  WaitForAllFetched();
  EXPECT_EQ(producer->fetched.load(), 5);
  Integer clip = -1;
  List id = Names({"clip.mp4"});
  clip = producer->IndexOfId(id.get());
  ASSERT_EQ(clip, 4);
  producer->BeginRead();
  TkvShellItemInfo* item = producer->Item(clip);
  EXPECT_TRUE(item->InFileSystem);
  EXPECT_TRUE(item->Renamable);
  item->LoadDetailTexts(producer->GetFolderIntf(), producer->GetColumns());
  ASSERT_EQ(item->GetDetailTexts()->GetCount(), 3);
  EXPECT_EQ(item->GetDetailTexts()->GetStrings(0), "2 KB");
  EXPECT_EQ(item->GetDetailTexts()->GetStrings(1), "MPEG-4 video");
  producer->EndRead();
}

TEST_F(ShellProducers, InfoTipsFitTheirBufferWithTheTerminator) {
  producer->background = false;
  Process(home + "/Videos", 0);
  List id = Names({"clip.mp4"});
  const Integer clip = producer->IndexOfId(id.get());
  char buffer[64];
  producer->GetInfoTip(nullptr, clip, sizeof buffer, buffer);
  EXPECT_EQ(String(buffer).substr(0, 32), "Type: MPEG-4 video\nSize: 2 KB\nDa");
  char small[8];
  std::memset(small, 'x', sizeof small);
  producer->GetInfoTip(nullptr, clip, sizeof small, small);
  EXPECT_STREQ(small, "Type: M");
  std::memset(small, 'x', sizeof small);
  producer->GetInfoTip(nullptr, 99, sizeof small, small);  // no such item: untouched
  EXPECT_EQ(small[0], 'x');
  producer->tips = false;
  producer->GetInfoTip(nullptr, clip, sizeof small, small);
  EXPECT_STREQ(small, "");
}

TEST_F(ShellProducers, ARenamedItemTakesItsNewNameListAndFolderObject) {
  producer->background = false;
  Process(home + "/Videos", 0);
  List oldId = Names({"Beach.avi"});
  const Integer index = producer->IndexOfId(oldId.get());
  ASSERT_GE(index, 0);
  LPITEMIDLIST renamed = nullptr;
  ASSERT_EQ(producer->GetFolderIntf()->SetNameOf(nullptr, oldId.get(), "Sea.avi", 0, &renamed), S_OK);
  producer->BeginWrite();
  TkvShellItemInfo* item = producer->Item(index);
  item->ReplaceIdList(producer->GetFolderIntf(), producer->GetFolderIdList(), renamed);
  EXPECT_EQ(item->DisplayName, "Sea.avi");
  EXPECT_EQ(IdListToPath(item->GetFullIdList()), home + "/Videos/Sea.avi");
  EXPECT_EQ(item->GetFolderObject()->GetAbsoluteIdList(), item->GetFullIdList());
  EXPECT_TRUE(item->GetFetched());
  producer->EndWrite();
  ILFree(renamed);
}

TEST_F(ShellProducers, QueueKeepsOneRequestPerItemAndPriorityMovesItFirst) {
  producer->background = false;
  Process(home + "/Videos", 0);
  gatherer->PauseWorker();
  gatherer->PauseWorker();  // nested
  producer->RequestFetch(3, false);
  producer->RequestFetch(4, false);
  producer->RequestFetch(3, false);
  EXPECT_EQ(gatherer->QueuedRequests().size(), 2u);
  producer->RequestFetch(4, true);
  auto queue = gatherer->QueuedRequests();
  ASSERT_EQ(queue.size(), 2u);
  EXPECT_EQ(queue[0].ItemIndex, 4);
  EXPECT_EQ(queue[0].Priority, 0);  // promoted, but keeps the mark it was queued with
  producer->RequestFetch(1, true);
  EXPECT_EQ(gatherer->QueuedRequests()[0].Priority, 1);
  gatherer->ResumeWorker();
  // Still paused: one resume is owed.
  EXPECT_EQ(gatherer->QueuedRequests().size(), 3u);
  gatherer->CancelRequests(nullptr);
  EXPECT_TRUE(gatherer->QueuedRequests().empty());
  gatherer->ResumeWorker();
  gatherer->ResumeWorker();  // one too many does nothing
  producer->RequestFetch(2, true);
  for (int i = 0; i < 2000 && producer->priorityFetched.load() == 0; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  EXPECT_EQ(producer->priorityFetched.load(), 1);
  producer->BeginRead();
  EXPECT_TRUE(producer->Item(2)->GetFetched());
  EXPECT_FALSE(producer->Item(3)->GetFetched());  // its request was withdrawn
  producer->EndRead();
}

// Pauses, queue changes and reads of the user-interface thread against a worker that always has
// work: every pause must find the worker standing still (run under ThreadSanitizer too).
TEST_F(ShellProducers, PauseAndResumeHoldAgainstABusyWorker) {
  ASSERT_TRUE(ForceDirectories(home + "/Many"));
  for (int i = 0; i < 400; ++i) std::ofstream(home + "/Many/file" + std::to_string(1000 + i) + ".mp4") << "x";
  producer->background = false;
  Process(home + "/Many", 0);
  ASSERT_EQ(producer->ItemCount(), 400);
  producer->FetchAll();
  for (int round = 0; round < 300; ++round) {
    gatherer->PauseWorker();
    const auto before = gatherer->QueuedRequests();
    // Paused: the worker takes nothing while the queue is looked at twice.
    EXPECT_EQ(gatherer->QueuedRequests().size(), before.size());
    producer->RequestFetch((round * 37) % 400, round % 3 == 0);
    if (round % 50 == 49) {
      producer->CancelFetches();
      producer->FetchAll();
    }
    gatherer->ResumeWorker();
    producer->BeginRead();
    for (Integer i = 0; i < producer->ItemCount(); i += 40) {
      TkvShellItemInfo* item = producer->Item(i);
      if (item->GetFetched()) {
        EXPECT_TRUE(item->InFileSystem);
      }
    }
    producer->EndRead();
  }
  WaitForAllFetched();
  producer->BeginRead();
  for (Integer i = 0; i < producer->ItemCount(); ++i) ASSERT_TRUE(producer->Item(i)->GetFetched()) << i;
  producer->EndRead();
}

}  // namespace
