#include <gtest/gtest.h>

#include "VclTestSupport.h"
#include "rtl/Reader.h"
#include "vcl/ActnList.h"
#include "vcl/StdCtrls.h"

namespace {

using ActionsTest = VclTest;

struct Counter : TObject {
  int executed = 0;
  int clicked = 0;
  void Execute(TObject*) { ++executed; }
  void Click(TObject*) { ++clicked; }
};

TEST_F(ActionsTest, ControlShowsItsActionUntilItTakesAValueOfItsOwn) {
  TForm* form = NewForm();
  auto* action = new TAction(form);
  Counter counter;
  action->SetCaption("Convert");
  action->SetOnExecute(MakeEvent<&Counter::Execute>(&counter));
  auto* panel = new TTestPanel(form);
  panel->SetParent(form);
  panel->SetAction(action);
  EXPECT_EQ(panel->GetCaption(), "Convert");
  panel->Click();
  EXPECT_EQ(counter.executed, 1);

  action->SetEnabled(false);
  EXPECT_FALSE(panel->GetEnabled());
  panel->Click();  // a disabled action does not run
  EXPECT_EQ(counter.executed, 1);
  action->SetEnabled(true);

  action->SetCaption("Start");
  EXPECT_EQ(panel->GetCaption(), "Start");

  // A click handler of its own runs instead of the action.
  panel->SetOnClick(MakeEvent<&Counter::Click>(&counter));
  panel->Click();
  EXPECT_EQ(counter.clicked, 1);
  EXPECT_EQ(counter.executed, 1);

  delete action;
  EXPECT_EQ(panel->GetAction(), nullptr);
  EXPECT_EQ(panel->GetActionLink(), nullptr);
  panel->Click();
  EXPECT_EQ(counter.clicked, 2);
}

TEST_F(ActionsTest, AutoCheckInAGroupLeavesOneChecked) {
  TForm* form = NewForm();
  TAction* actions[3];
  for (auto*& a : actions) {
    a = new TAction(form);
    a->SetGroupIndex(1);
    a->SetAutoCheck(true);
  }
  actions[0]->Execute();
  actions[2]->Execute();
  EXPECT_FALSE(actions[0]->GetChecked());
  EXPECT_FALSE(actions[1]->GetChecked());
  EXPECT_TRUE(actions[2]->GetChecked());
  actions[2]->Execute();  // a checked radio action stays checked
  EXPECT_TRUE(actions[2]->GetChecked());
}

// Takes one component as its target and logs what it does there.
class TTargetAction : public TAction {
 public:
  using TAction::TAction;
  TComponent* target = nullptr;
  std::vector<String> log;
  bool HandlesTarget(TObject* Target) override { return Target && Target == target; }
  void ExecuteTarget(TObject* Target) override { log.push_back("execute " + static_cast<TComponent*>(Target)->GetName()); }
  void UpdateTarget(TObject* Target) override { log.push_back("update " + static_cast<TComponent*>(Target)->GetName()); }
};

TEST_F(ActionsTest, AnActionWithoutHandlersIsOfferedToTheActiveFormsControls) {
  TForm* form = NewForm();
  form->SetName("form");
  auto* active = new TEdit(form);
  active->SetName("active");
  active->SetParent(form);
  auto* box = new TTestPanel(form);
  box->SetName("box");
  box->SetParent(form);
  box->SetBounds(0, 40, 200, 100);
  auto* inner = new TTestPanel(form);
  inner->SetName("inner");
  inner->SetParent(box);
  auto* hidden = new TTestPanel(form);
  hidden->SetName("hidden");
  hidden->SetParent(form);
  hidden->SetVisible(false);
  auto* deep = new TTestPanel(form);
  deep->SetName("deep");
  deep->SetParent(hidden);
  form->Show();
  active->SetFocus();
  Settle();
  ASSERT_EQ(form->GetActiveControl(), active);

  auto* action = new TTargetAction(form);
  Counter counter;
  struct Case {
    TComponent* target;
    std::vector<String> log;  // Execute updates first
  };
  const Case cases[] = {
      {active, {"update active", "execute active"}},
      {form, {"update form", "execute form"}},
      {inner, {"update inner", "execute inner"}},
      // Hidden controls, and what they hold, are no targets.
      {hidden, {}},
      {deep, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.target->GetName());
    action->target = c.target;
    action->log.clear();
    EXPECT_EQ(action->Execute(), !c.log.empty());
    EXPECT_EQ(action->log, c.log);
  }

  // A disabled action is updated but runs nowhere; one with handlers of its own is offered to
  // no target.
  action->target = active;
  action->log.clear();
  action->SetEnabled(false);
  EXPECT_FALSE(action->Execute());
  EXPECT_EQ(action->log, std::vector<String>{"update active"});
  action->SetEnabled(true);
  action->log.clear();
  action->SetOnExecute(MakeEvent<&Counter::Execute>(&counter));
  action->SetOnUpdate(MakeEvent<&Counter::Click>(&counter));
  EXPECT_TRUE(action->Execute());
  EXPECT_EQ(counter.executed, 1);
  EXPECT_EQ(counter.clicked, 1);
  EXPECT_TRUE(action->log.empty());
}

struct UpdateLog : TObject {
  std::vector<String> updated;
  void Update(TObject* Sender) { updated.push_back(static_cast<TComponent*>(Sender)->GetName()); }
};

TEST_F(ActionsTest, AnActionListStreamsItsActionsAndUpdatesThemWhileItsFormShows) {
  TForm* form = NewForm();
  ReadComponentFromText(R"(object ListForm: TForm
  object Actions: TActionList
    object aFirst: TAction
      Caption = 'First'
    end
    object aSecond: TAction
      Caption = 'Second'
    end
  end
end)", form);
  auto* list = static_cast<TActionList*>(form->FindComponent("Actions"));
  ASSERT_TRUE(list);
  ASSERT_EQ(list->GetActionCount(), 2);
  EXPECT_EQ(list->GetAction(1)->GetCaption(), "Second");
  EXPECT_EQ(list->GetAction(0)->GetOwner(), form);
  EXPECT_EQ(list->GetAction(0)->GetParentComponent(), list);

  UpdateLog log;
  for (Integer i = 0; i < 2; ++i) list->GetAction(i)->SetOnUpdate(MakeEvent<&UpdateLog::Update>(&log));
  Settle();
  EXPECT_TRUE(log.updated.empty());  // the form is not shown
  form->Show();
  Settle();
  ASSERT_GE(log.updated.size(), 2u);
  EXPECT_EQ(log.updated[0], "aFirst");
  EXPECT_EQ(log.updated[1], "aSecond");

  // An action freed leaves its list.
  delete list->GetAction(0);
  EXPECT_EQ(list->GetActionCount(), 1);
}

}  // namespace
