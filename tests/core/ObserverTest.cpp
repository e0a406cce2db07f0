#include <gtest/gtest.h>

#include "core/Observer.h"

namespace {

class TCountingObserver : public TObject, public IObserver {
 public:
  explicit TCountingObserver(std::vector<std::string>* Log, std::string Name) : FLog(Log), FName(Name) {}
  void Update() override { FLog->push_back(FName); }
  HRESULT QueryInterface(const TInterfaceId&, void** Obj) override {
    *Obj = nullptr;
    return E_NOINTERFACE;
  }
  Integer _AddRef() override { return -1; }
  Integer _Release() override { return -1; }

 private:
  std::vector<std::string>* FLog;
  std::string FName;
};

}  // namespace

TEST(Subject, AttachNotifiesEveryObserverOnceInOrder) {
  std::vector<std::string> log;
  TCountingObserver a(&log, "a"), b(&log, "b");
  TSubject subject;
  subject.Notify();
  EXPECT_TRUE(log.empty());
  subject.Attach(&a);
  subject.Attach(&b);
  EXPECT_EQ(log, (std::vector<std::string>{"a", "a", "b"}));
}

TEST(Subject, DuplicatesAreNotifiedTwiceAndDetachedOneAtATime) {
  std::vector<std::string> log;
  TCountingObserver a(&log, "a"), b(&log, "b");
  TSubject subject;
  subject.Attach(&a);
  subject.Attach(&b);
  subject.Attach(&a);
  log.clear();
  subject.Notify();
  EXPECT_EQ(log, (std::vector<std::string>{"a", "b", "a"}));
  log.clear();
  subject.Detach(&a);
  EXPECT_TRUE(log.empty());  // detaching notifies nobody
  subject.Notify();
  EXPECT_EQ(log, (std::vector<std::string>{"b", "a"}));
  subject.Detach(&a);
  EXPECT_THROW(subject.Detach(&a), EListError);
}

TEST(Subject, AnObserverMayDetachItselfWhileNotified) {
  std::vector<std::string> log;
  TSubject subject;
  class TLeaving : public TCountingObserver {
   public:
    TLeaving(std::vector<std::string>* Log, TSubject* Subject) : TCountingObserver(Log, "leaving"), FSubject(Subject) {}
    void Update() override {
      TCountingObserver::Update();
      FSubject->Detach(this);
    }
    TSubject* FSubject;
  } leaving(&log, &subject);
  TCountingObserver stays(&log, "stays");
  subject.Attach(&stays);
  subject.Attach(&leaving);
  EXPECT_EQ(log, (std::vector<std::string>{"stays", "stays", "leaving"}));
  log.clear();
  subject.Notify();
  EXPECT_EQ(log, (std::vector<std::string>{"stays"}));
}
