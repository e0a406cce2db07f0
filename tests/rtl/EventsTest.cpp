#include "rtl/Events.h"

#include <gtest/gtest.h>

namespace {

class TReceiver : public TObject {
 public:
  void Click(TObject* Sender) { Clicks.push_back(Sender); }
  void OtherClick(TObject*) { ++Others; }
  void KeyPress(TObject*, Char& Key) { Key = 'X'; }
  Integer Measure(TObject*, Integer Width) const { return Width * 2; }

  std::vector<TObject*> Clicks;
  Integer Others = 0;
};

using TKeyPressEvent = TEvent<void(TObject* Sender, Char& Key)>;
using TMeasureEvent = TEvent<Integer(TObject* Sender, Integer Width)>;

}  // namespace

TEST(Events, CallTheBoundMethodOnItsObject) {
  TReceiver receiver;
  TObject sender;
  TNotifyEvent onClick = MakeEvent<&TReceiver::Click>(&receiver);
  ASSERT_TRUE(onClick.Assigned());
  onClick(&sender);
  EXPECT_EQ(receiver.Clicks, std::vector<TObject*>{&sender});

  Char key = 'a';
  TKeyPressEvent onKey = MakeEvent<&TReceiver::KeyPress>(&receiver);
  onKey(&sender, key);
  EXPECT_EQ(key, 'X');  // by-reference parameters reach the handler

  TMeasureEvent onMeasure = MakeEvent<&TReceiver::Measure>(&receiver);
  EXPECT_EQ(onMeasure(&sender, 21), 42);
  EXPECT_EQ(TMeasureEvent()(&sender, 21), 0);  // unassigned: nothing runs
  TNotifyEvent().operator()(&sender);
}

TEST(Events, SameHandlerNeedsTheSameObjectAndMethod) {
  TReceiver a, b;
  const TNotifyEvent aClick = MakeEvent<&TReceiver::Click>(&a);
  EXPECT_TRUE(SameEventHandler(aClick, MakeEvent<&TReceiver::Click>(&a)));
  EXPECT_FALSE(SameEventHandler(aClick, MakeEvent<&TReceiver::Click>(&b)));
  EXPECT_FALSE(SameEventHandler(aClick, MakeEvent<&TReceiver::OtherClick>(&a)));
  EXPECT_FALSE(SameEventHandler(aClick, TNotifyEvent()));
  EXPECT_TRUE(SameEventHandler(aClick.ToMethod(), MakeEvent<&TReceiver::Click>(&a).ToMethod()));
}

TEST(Events, MethodsFoundByNameBindThroughTheErasedForm) {
  // What a form's table of published methods holds, and what the reader does with it.
  struct Published { const char* Name; TMethodCode Code; };
  const Published kMethods[] = {{"Click", MethodCodeOf<&TReceiver::Click>()},
                                {"KeyPress", MethodCodeOf<&TReceiver::KeyPress>()}};
  TReceiver form;
  TObject sender;
  TNotifyEvent onClick = TNotifyEvent::FromMethod(BindMethod(kMethods[0].Code, &form));
  onClick(&sender);
  EXPECT_EQ(form.Clicks.size(), 1u);
  EXPECT_TRUE(SameEventHandler(onClick, MakeEvent<&TReceiver::Click>(&form)));

  // A handler of another signature is refused, not called with the wrong arguments.
  EXPECT_THROW(TNotifyEvent::FromMethod(BindMethod(kMethods[1].Code, &form)), EInvalidCast);
  EXPECT_FALSE(TNotifyEvent::FromMethod(TMethod{}).Assigned());
}
