// Layout storage: the bars' layout in the registry stand-in, in ini files and in the reset
// snapshot of the designed layout; the manager's form data and its Loaded.
//
// A stored layout is checked before it changes anything: counts that do not match the sections
// present refuse the whole layout (EqzBarLayoutError); a single value out of its range keeps the
// current value.

#include <limits>

#include "rtl/Reader.h"
#include "rtl/Registry.h"
#include "rtl/SysUtils.h"
#include "rtl/Writer.h"
#include "toolkit/bars/qzBar.h"
#include "toolkit/bars/qzBarStrs.h"
#include "toolkit/foundation/kvClasses.h"

namespace {

// Window coordinates and sizes beyond this are no screen's.
constexpr Integer kMaxCoordinate = 32767;

[[noreturn]] void LayoutDamaged(const String& ASection, const String& AKey) {
  throw EqzBarLayoutError(Format(ResourceStringText(sqzBarLayoutDamaged), AKey, ASection));
}

// An integer within [AMin, AMax]; anything else keeps ACurrent.
Integer ReadBounded(TCustomIniFile* F, const String& ASection, const String& AKey, Integer ACurrent, Integer AMin,
                    Integer AMax) {
  Integer value = F->ReadInteger(ASection, AKey, ACurrent);
  return value >= AMin && value <= AMax ? value : ACurrent;
}

String MainSection(const String& ABase, bool ARegistry) { return ARegistry ? ABase : ABase + "Main"; }

String BarSection(const String& ABase, Integer AIndex) { return ABase + "Bar" + IntToStr(AIndex); }

bool StartsWithText(const String& AText, const String& APrefix) {
  return AText.size() >= APrefix.size() && AnsiSameText(AText.substr(0, APrefix.size()), APrefix);
}

bool IsDecimal(const String& AText) {
  return !AText.empty() && std::all_of(AText.begin(), AText.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The part of a section name after the base that the manager writes: "Main", "Items",
// "Bar<n>", "SubItem_<name>", each of the last two optionally followed by "<sep>ItemLink<j>".
bool IsOwnSectionTail(const String& ATail, const String& ASeparator) {
  if (AnsiSameText(ATail, "Main") || AnsiSameText(ATail, "Items")) return true;
  String owner = ATail;
  size_t link = ATail.find(ASeparator + "ItemLink");
  if (link != String::npos) {
    if (!IsDecimal(ATail.substr(link + ASeparator.size() + 8))) return false;
    owner = ATail.substr(0, link);
  }
  if (StartsWithText(owner, "Bar")) return IsDecimal(owner.substr(3));
  return StartsWithText(owner, "SubItem_") && owner.size() > 8 && owner.find(ASeparator) == String::npos;
}

}  // namespace

// ---- Names ---------------------------------------------------------------------------------

String TqzBarManager::NormalizeRegistryPath(const String& APath) {
  if (APath.empty()) return APath;
  String result = APath;
  if (result.front() != '\\') result = "\\" + result;
  if (result.back() != '\\') result += "\\";
  return result;
}

String TqzBarManager::DefaultSectionBase() const {
  String result = GetName() + ".";
  for (TComponent* owner = const_cast<TqzBarManager*>(this)->GetOwner(); owner && !owner->GetName().empty(); owner = owner->GetOwner()) {
    result = owner->GetName() + "." + result;
    if (dynamic_cast<TCustomForm*>(owner)) break;
  }
  return result;
}

namespace {

// Erasing a layout under a path of one level would take a whole branch of the registry.
void CheckRegistryPath(const String& APath) {
  Integer levels = 0;
  size_t start = 0;
  while (start < APath.size()) {
    size_t end = APath.find('\\', start);
    if (end == String::npos) end = APath.size();
    if (end > start) ++levels;
    start = end + 1;
  }
  if (levels < 2) throw EqzBarLayoutError(Format(ResourceStringText(sqzBarRegistryPathTooShort), APath));
}

}  // namespace

// ---- Registry and ini files ----------------------------------------------------------------

void TqzBarManager::LoadFromRegistry(const String& APath) {
  String path = NormalizeRegistryPath(APath);
  if (path.empty()) return;
  CheckRegistryPath(path);
  TRegistryIniFile file(path);
  LoadLayout(&file, path, true);
}

void TqzBarManager::SaveToRegistry(const String& APath) {
  String path = NormalizeRegistryPath(APath);
  if (path.empty()) return;
  CheckRegistryPath(path);
  TRegistryIniFile file(path);
  SaveLayout(&file, path, true);
}

void TqzBarManager::LoadFromIniFile(const String& AFileName) {
  if (AFileName.empty()) return;
  TMemIniFile file(AFileName);
  LoadLayout(&file, DefaultSectionBase(), false);
}

void TqzBarManager::SaveToIniFile(const String& AFileName) {
  if (AFileName.empty()) return;
  TMemIniFile file(AFileName);
  SaveLayout(&file, DefaultSectionBase(), false);
  file.UpdateFile();
}

void TqzBarManager::LoadStoredLayout() {
  try {
    if (FStoreInRegistry) LoadFromRegistry(FRegistryPath);
    if (FStoreInIniFile) LoadFromIniFile(FIniFileName);
  } catch (const std::exception&) {
    RestoreDesignedLayout();
  }
}

void TqzBarManager::SaveStoredLayout() {
  try {
    if (FStoreInRegistry) SaveToRegistry(FRegistryPath);
    if (FStoreInIniFile) SaveToIniFile(FIniFileName);
  } catch (const std::exception&) {
    // The window is going: a layout that cannot be written is not worth stopping that for.
  }
}

void TqzBarManager::RestoreDesignedLayout() {
  if (!FSavedState) return;
  try {
    LoadLayout(FSavedState.get(), DefaultSectionBase(), false);
  } catch (const std::exception&) {
    // The snapshot was written by this manager; a failure leaves the bars as they are.
  }
}

// ---- Saving --------------------------------------------------------------------------------

void TqzBarManager::SaveLayout(TCustomIniFile* F, const String& B, bool ARegistry) {
  const String separator = PathSeparatorText(ARegistry);
  const String main = MainSection(B, ARegistry);
  // Only what an earlier save wrote goes: other keys under the same base are not the manager's.
  TStringList sections;
  F->ReadSections(&sections);
  for (Integer i = 0; i < sections.GetCount(); ++i) {
    String name = sections.GetStrings(i);
    if (ARegistry) {
      if (IsOwnSectionTail(name, separator)) F->EraseSection(B + name);
    } else if (StartsWithText(name, B) && IsOwnSectionTail(name.substr(B.size()), separator)) {
      F->EraseSection(name);
    }
  }
  if (ARegistry)
    for (const char* key : {"Version", "MenusShowRecentItemsFirst", "ShowFullMenusAfterDelay", "LargeIcons",
                            "MenuAnimations", "ShowHint", "ShowShortCutInHint", "BarCount"})
      F->DeleteKey(main, key);

  F->WriteInteger(main, "Version", 35);
  if (SupportsRecentItems()) {
    F->WriteBool(main, "MenusShowRecentItemsFirst", FMenusShowRecentItemsFirst);
    F->WriteBool(main, "ShowFullMenusAfterDelay", FShowFullMenusAfterDelay);
  }
  F->WriteBool(main, "LargeIcons", GetLargeIcons());
  F->WriteInteger(main, "MenuAnimations", FMenuAnimations);
  F->WriteBool(main, "ShowHint", FShowHint);
  F->WriteBool(main, "ShowShortCutInHint", FShowShortCutInHint);
  F->WriteInteger(main, "BarCount", FBars->GetCount());

  for (Integer i = 0; i < FBars->GetCount(); ++i) SaveBar(FBars->GetBar(i), F, BarSection(B, i));

  TqzBarIniFileEventData data{F, ARegistry, B, separator};
  IniFileWriteHandlers()->FireAll(this, &data);
}

void TqzBarManager::SaveBar(TqzBar* ABar, TCustomIniFile* F, const String& T) {
  F->WriteString(T, "Caption", ABar->GetCaption());
  F->WriteInteger(T, "DockedDockingStyle", ABar->GetDockedDockingStyle());
  F->WriteInteger(T, "DockedLeft", ABar->GetDockedLeft());
  F->WriteInteger(T, "DockedTop", ABar->GetDockedTop());
  F->WriteInteger(T, "DockingStyle", ABar->GetDockingStyle());
  F->WriteInteger(T, "FloatClientHeight", ABar->GetFloatClientHeight());
  F->WriteInteger(T, "FloatClientWidth", ABar->GetFloatClientWidth());
  F->WriteInteger(T, "FloatLeft", ABar->GetFloatLeft());
  F->WriteInteger(T, "FloatTop", ABar->GetFloatTop());
  F->WriteBool(T, "OneOnRow", ABar->GetOneOnRow());
  F->WriteInteger(T, "Row", ABar->GetRow());
  TqzBarMergeData* merge = ABar->GetMergeData();
  F->WriteBool(T, "Visible", merge->MergedWith ? merge->VisibleBeforeMerging : ABar->GetVisible());
}

void TqzBarManager::SaveSnapshot() {
  if (!FSavedState) return;
  FStateSaving = true;
  try {
    SaveLayout(FSavedState.get(), DefaultSectionBase(), false);
  } catch (...) {
    FStateSaving = false;
    throw;
  }
  FStateSaving = false;
}

Integer TqzBarManager::FindSnapshotBar(const String& ACaption) const {
  if (!FSavedState) return -1;
  const String base = DefaultSectionBase();
  Integer count = FSavedState->ReadInteger(MainSection(base, false), "BarCount", 0);
  for (Integer i = 0; i < count; ++i)
    if (FSavedState->ReadString(BarSection(base, i), "Caption", "") == ACaption) return i;
  return -1;
}

// ---- Loading -------------------------------------------------------------------------------

void TqzBarManager::CheckLayout(TCustomIniFile* F, const String& B, bool ARegistry) {
  const String main = MainSection(B, ARegistry);
  Integer barCount = F->ReadInteger(main, "BarCount", 0);
  if (barCount < 0) LayoutDamaged(main, "BarCount");
  for (Integer i = 0; i < barCount; ++i)
    if (!F->SectionExists(BarSection(B, i))) LayoutDamaged(main, "BarCount");
}

void TqzBarManager::LoadLayout(TCustomIniFile* F, const String& B, bool ARegistry) {
  CheckLayout(F, B, ARegistry);
  const String main = MainSection(B, ARegistry);
  BeginUpdate();
  try {
    if (SupportsRecentItems()) {
      SetMenusShowRecentItemsFirst(F->ReadBool(main, "MenusShowRecentItemsFirst", FMenusShowRecentItemsFirst));
      SetShowFullMenusAfterDelay(F->ReadBool(main, "ShowFullMenusAfterDelay", FShowFullMenusAfterDelay));
    }
    SetLargeIcons(F->ReadBool(main, "LargeIcons", GetLargeIcons()));
    SetMenuAnimations(
        static_cast<TqzBarMenuAnimations>(ReadBounded(F, main, "MenuAnimations", FMenuAnimations, maNone, maFade)));
    SetShowHint(F->ReadBool(main, "ShowHint", FShowHint));
    SetShowShortCutInHint(F->ReadBool(main, "ShowShortCutInHint", FShowShortCutInHint));
    Integer barCount = F->ReadInteger(main, "BarCount", 0);
    if (barCount > 0) {
      for (Integer i = 0; i < FBars->GetCount(); ++i) FBars->GetBar(i)->SetVisible(false);
      for (Integer i = 0; i < barCount; ++i) {
        while (FBars->GetCount() <= i) FBars->AddBar();
        LoadBar(FBars->GetBar(i), F, BarSection(B, i), true);
      }
    }
    TqzBarIniFileEventData data{F, ARegistry, B, PathSeparatorText(ARegistry)};
    IniFileReadHandlers()->FireAll(this, &data);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TqzBarManager::LoadBar(TqzBar* ABar, TCustomIniFile* F, const String& T, bool ALoadPosition) {
  if (!ALoadPosition) return;
  try {
    ABar->SetCaption(F->ReadString(T, "Caption", ABar->GetCaption()));
    ABar->SetDockedDockingStyle(static_cast<TqzBarDockingStyle>(
        ReadBounded(F, T, "DockedDockingStyle", ABar->GetDockedDockingStyle(), dsNone, dsBottom)));
    ABar->SetDockedLeft(ReadBounded(F, T, "DockedLeft", ABar->GetDockedLeft(), 0, kMaxCoordinate));
    ABar->SetDockedTop(ReadBounded(F, T, "DockedTop", ABar->GetDockedTop(), 0, kMaxCoordinate));
    ABar->SetOneOnRow(F->ReadBool(T, "OneOnRow", ABar->GetOneOnRow()));
    ABar->SetFloatLeft(ReadBounded(F, T, "FloatLeft", ABar->GetFloatLeft(), -kMaxCoordinate, kMaxCoordinate));
    ABar->SetFloatTop(ReadBounded(F, T, "FloatTop", ABar->GetFloatTop(), -kMaxCoordinate, kMaxCoordinate));
    ABar->SetFloatClientWidth(
        ReadBounded(F, T, "FloatClientWidth", ABar->GetFloatClientWidth(), 0, kMaxCoordinate));
    ABar->SetFloatClientHeight(
        ReadBounded(F, T, "FloatClientHeight", ABar->GetFloatClientHeight(), 0, kMaxCoordinate));
    ABar->SetDockingStyle(
        static_cast<TqzBarDockingStyle>(ReadBounded(F, T, "DockingStyle", ABar->GetDockingStyle(), dsNone, dsBottom)));
    // A dock site holds at most one row per bar: a row beyond that would only make empty rows.
    ABar->SetRow(ReadBounded(F, T, "Row", ABar->GetRow(), 0, FBars->GetCount()));
    ABar->SetVisible(F->ReadBool(T, "Visible", false));
    if (TqzBar* target = ABar->GetMergeData()->MergedWith) target->UnMergeBar(ABar, false);
  } catch (const std::exception&) {
    ABar->SetVisible(true);
  }
}

// ---- Reset ---------------------------------------------------------------------------------

void TqzBar::Reset() {
  TqzBarManager* manager = GetBarManager();
  if (!manager) return;
  Integer index = manager->FindSnapshotBar(FCaption);
  if (index < 0) return;
  manager->DoBarBeforeReset(this);
  const bool full = manager->GetUseFullReset();
  const bool wasVisible = GetVisible();
  manager->BeginUpdate();
  try {
    if (full) SetVisible(false);
    manager->LoadBar(this, manager->GetSavedState(), BarSection(manager->DefaultSectionBase(), index), full);
    if (full) SetVisible(wasVisible);
  } catch (...) {
    manager->EndUpdate();
    throw;
  }
  manager->EndUpdate();
  manager->DoBarAfterReset(this);
}

// ---- Form data and Loaded ------------------------------------------------------------------

Integer TqzBarManager::GetDockControlHeight(TqzBarDockingStyle AStyle) const {
  return AStyle == dsNone ? 0 : FDockControlHeights[AStyle - 1];
}

void TqzBarManager::SetDockControlHeight(TqzBarDockingStyle AStyle, Integer Value) {
  if (AStyle != dsNone && Value >= 0) FDockControlHeights[AStyle - 1] = Value;
}

void TqzBarManager::DefineProperties(TFiler* Filer) {
  inherited::DefineProperties(Filer);
  Filer->DefineProperty(
      "DockControlHeights", [this](TReader* R) { ReadDockControlHeights(R); },
      [this](TWriter* W) { WriteDockControlHeights(W); }, true);
}

void TqzBarManager::WriteDockControlHeights(TWriter* Writer) {
  Writer->WriteListBegin();
  for (TqzBarDockingStyle style : {dsLeft, dsRight, dsTop, dsBottom}) Writer->WriteInteger(GetDockControlHeight(style));
  Writer->WriteListEnd();
}

void TqzBarManager::ReadDockControlHeights(TReader* Reader) {
  std::vector<Integer> values;
  Reader->ReadListBegin();
  while (!Reader->EndOfList()) values.push_back(Reader->ReadInteger());
  Reader->ReadListEnd();
  // Other than four sizes, or a negative one, is not this manager's data: the sizes stay.
  if (values.size() != 4 || std::any_of(values.begin(), values.end(), [](Integer v) { return v < 0; })) return;
  const TqzBarDockingStyle styles[] = {dsLeft, dsRight, dsTop, dsBottom};
  for (size_t i = 0; i < 4; ++i) SetDockControlHeight(styles[i], values[i]);
}

void TqzBarManager::ReadState(TReader* Reader) {
  ++FReadStateCount;
  inherited::ReadState(Reader);
}

void TqzBarManager::Loaded() {
  inherited::Loaded();
  if (IsUpdateLocked()) return;
  FAfterLoading = true;
  try {
    FBarsLoading = true;
    for (Integer i = 0; i < FBars->GetCount(); ++i) FBars->GetBar(i)->ApplyLoadedValues();
    SaveSnapshot();
    if (!IsDesigning()) LoadStoredLayout();
    FBarsLoading = false;
    for (Integer i = 0; i < FCategories->GetCount(); ++i)
      if (auto* data = static_cast<TqzBarCategoryData*>(FCategories->GetObjects(i)))
        ApplyCategoryItemsVisible(i, data->LoadedItemsVisible);
  } catch (...) {
    FBarsLoading = false;
    FAfterLoading = false;
    throw;
  }
  FAfterLoading = false;
}
