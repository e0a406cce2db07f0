// Tables of editors lent to Properties objects, and the unit's list of them.

#include <algorithm>

#include "toolkit/editors/kvEdit.h"

namespace {

std::vector<TkvEditorPropertiesSlots*>& Tables() {
  static std::vector<TkvEditorPropertiesSlots*> tables;
  return tables;
}

}  // namespace

TkvEditorPropertiesSlots::TkvEditorPropertiesSlots() { Tables().push_back(this); }

TkvEditorPropertiesSlots::~TkvEditorPropertiesSlots() { std::erase(Tables(), this); }

Integer TkvEditorPropertiesSlots::AddEditor(TkvCustomEdit* Editor) {
  FEntries.push_back({Editor, nullptr});
  return Count() - 1;
}

Integer TkvEditorPropertiesSlots::FindEntry(TkvCustomEditProperties* Properties, bool Create) {
  auto held = std::ranges::find(FEntries, Properties, &TEntry::Properties);
  if (held != FEntries.end()) return static_cast<Integer>(held - FEntries.begin());
  if (!Create || !Properties) return -1;
  TClass editorClass = Properties->GetEditorClass();
  for (size_t i = 0; i < FEntries.size(); ++i) {
    TEntry& entry = FEntries[i];
    // Exactly that class: a descendant editor may want settings the Properties lack.
    if (entry.Properties || !entry.Editor || entry.Editor->ClassType() != editorClass) continue;
    entry.Properties = Properties;
    return static_cast<Integer>(i);
  }
  return -1;
}

void TkvEditorPropertiesSlots::ClearEntry(TkvCustomEditProperties* Properties) {
  for (TEntry& entry : FEntries)
    if (entry.Properties == Properties) entry.Properties = nullptr;
}

void ClearEditorPropertiesSlots(TkvCustomEditProperties* Properties) {
  for (TkvEditorPropertiesSlots* table : Tables()) table->ClearEntry(Properties);
}
