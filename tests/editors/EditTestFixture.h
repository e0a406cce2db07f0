#pragma once
// A shown form for editors that log their events: the exceptions the message loop hands to the
// application join the watched editor's log, and typing and keys run through the real input.

#include "EditTestEditor.h"
#include "EditorsTestSupport.h"
#include "backend/ScriptedInput.h"

class EditEventsTest : public EditorsTest {
 protected:
  void SetUp() override {
    EditorsTest::SetUp();
    form->Show();
    Application()->SetOnException(MakeEvent<&Catcher::Caught>(&catcher));
  }
  void TearDown() override {
    Application()->SetOnException(TExceptionEvent());
    EditorsTest::TearDown();
  }
  void Watch(TTestEdit* Edit) { catcher.edit = Edit; }
  // Focuses Edit and forgets what it logged so far.
  void Focus(TTestEdit* Edit) {
    Edit->SetFocus();
    Pump();
    Edit->log.clear();
  }
  void Key(UINT VirtualKey, UINT Modifiers = 0) {
    ScriptKeyPress(VirtualKey, Modifiers);
    Pump();
  }
  void Type(const String& Text) {
    ScriptTypeText(Text);
    Pump();
  }

 private:
  struct Catcher : TObject {
    TTestEdit* edit = nullptr;
    void Caught(TObject*, Exception* E) {
      if (edit) edit->log.push_back("error " + E->Message());
    }
  } catcher;
};
