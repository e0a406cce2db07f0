#pragma once
// What the bars' tests share: a recorder of a component list's change events, and a form with a
// bar manager on the headless screen.

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "backend/HeadlessBackend.h"
#include "toolkit/bars/qzBar.h"
#include "vcl/Forms.h"

struct TChangeLog : TObject {
  std::vector<std::pair<TComponent*, Integer>> changes;
  void Changed(TObject*, TComponent* AComponent, Integer AAction) { changes.emplace_back(AComponent, AAction); }
};

class BarManagerOnForm : public testing::Test {
 protected:
  void SetUp() override {
    SetDisplayBackend(&screen);
    form = new TForm(nullptr, 0);
    manager = new TqzBarManager(form);
  }
  void TearDown() override {
    delete form;
    SetDisplayBackend(nullptr);
  }
  HeadlessBackend screen;
  TForm* form = nullptr;
  TqzBarManager* manager = nullptr;
};
