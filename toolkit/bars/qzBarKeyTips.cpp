// Key tips: the shown entries with their windows, and the suffixes that make their texts unique.

#include "rtl/SysUtils.h"
#include "toolkit/bars/qzBarNavigation.h"

TAVREN_CLASS_IMPL(TqzBarKeyTipData)

String TqzBarKeyTipData::KeyTipUpperText() const { return AnsiUpperCase(Info.KeyTip); }

void TqzBarKeyTipData::ShowTipWindow(IqzBarKeyTipWindowsManager* AWindowsManager) {
  if (FWindow) return;
  AWindowsManager->AddKeyTipWindow(KeyTipUpperText(), Info.Anchor, Info.HorzAlign, Info.VertAlign, Info.Enabled,
                                   FWindow);
}

void TqzBarKeyTipData::HideTipWindow(IqzBarKeyTipWindowsManager* AWindowsManager) {
  if (!FWindow) return;
  AWindowsManager->RemoveKeyTipWindow(FWindow);
  FWindow = nullptr;
}

namespace {

// The 1-based position, zero-padded to the digits of the count.
String KeyTipSuffix(size_t APosition, size_t ACount) {
  String suffix = std::to_string(APosition);
  size_t digits = std::to_string(ACount).size();
  return String(digits - suffix.size(), '0') + suffix;
}

bool ResolveKeyTipCollision(TqzBarKeyTipList& AList, size_t AIndex) {
  const String text = AList[AIndex]->Info.KeyTip;
  std::vector<TqzBarKeyTipData*> equal;
  for (auto& data : AList)
    if (data->Info.KeyTip == text) equal.push_back(data.get());
  if (equal.size() >= 2) {
    for (size_t i = 0; i < equal.size(); ++i) equal[i]->Info.KeyTip += KeyTipSuffix(i + 1, equal.size());
    return true;
  }
  for (size_t i = 0; i < AList.size(); ++i)
    if (i != AIndex && AList[i]->Info.KeyTip.rfind(text, 0) == 0) {
      AList[AIndex]->Info.KeyTip += "1";
      return true;
    }
  return false;
}

}  // namespace

// Every pass lengthens a text, and equal texts part for good, so the passes end.
void MakeKeyTipsUnique(TqzBarKeyTipList& AList) {
  bool changed = true;
  while (changed) {
    changed = false;
    for (size_t i = 0; i < AList.size(); ++i)
      if (ResolveKeyTipCollision(AList, i)) changed = true;
  }
}
