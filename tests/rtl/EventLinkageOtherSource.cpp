// The other source of EventLinkageTest.cpp: a local class of the same name and method.

#include "rtl/Events.h"
#include "rtl/Object.h"

namespace {
struct Probe : TObject {
  String* Seen = nullptr;
  void Note(TObject*) { *Seen = "other"; }
};
Probe probe;
}  // namespace

TNotifyEvent OtherSourceProbeEvent(String& Seen) {
  probe.Seen = &Seen;
  return MakeEvent<&Probe::Note>(&probe);
}
