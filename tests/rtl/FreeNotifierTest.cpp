#include "rtl/FreeNotifier.h"

#include <gtest/gtest.h>

TEST(FreeNotifier, TellsAHolderThatIsNotAComponent) {
  std::vector<TComponent*> freed;
  TFreeNotifier notifier([&](TComponent* c) { freed.push_back(c); });
  auto* watched = new TComponent(nullptr);
  auto* unwatched = new TComponent(nullptr);
  notifier.Watch(watched);
  notifier.Watch(watched);
  notifier.Watch(unwatched);
  notifier.Unwatch(unwatched);
  delete unwatched;
  delete watched;
  EXPECT_EQ(freed, std::vector<TComponent*>{watched});

  // The notifier going first leaves nothing behind in the component.
  auto* survivor = new TComponent(nullptr);
  {
    TFreeNotifier shortLived([](TComponent*) { FAIL() << "called after its end"; });
    shortLived.Watch(survivor);
  }
  delete survivor;
}
