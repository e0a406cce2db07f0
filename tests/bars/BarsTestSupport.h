#pragma once
// What the bars' tests share: a recorder of a component list's change events.

#include <utility>
#include <vector>

#include "toolkit/bars/qzBar.h"

struct TChangeLog : TObject {
  std::vector<std::pair<TComponent*, Integer>> changes;
  void Changed(TObject*, TComponent* AComponent, Integer AAction) { changes.emplace_back(AComponent, AAction); }
};
