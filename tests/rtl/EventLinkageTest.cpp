// Handlers of classes local to a source file stay apart from a same-named class of another source.

#include <gtest/gtest.h>

#include "rtl/Events.h"
#include "rtl/Object.h"

TNotifyEvent OtherSourceProbeEvent(String& Seen);  // EventLinkageOtherSource.cpp

namespace {
struct Probe : TObject {
  int Calls = 0;
  void Note(TObject*) { ++Calls; }
};
}  // namespace

TEST(Events, MethodsOfLocalClassesOfOneNameInTwoSourcesStayApart) {
  Probe probe;
  const TNotifyEvent mine = MakeEvent<&Probe::Note>(&probe);
  String seen;
  const TNotifyEvent other = OtherSourceProbeEvent(seen);
  mine(nullptr);
  other(nullptr);
  EXPECT_EQ(probe.Calls, 1);
  EXPECT_EQ(seen, "other");
}
