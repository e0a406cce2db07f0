// Layout storage: the bars' layout in the registry stand-in, in ini files and in the reset
// snapshot of the designed layout; the manager's form data and its Loaded.
//
// A stored layout is checked before it changes anything: counts that do not match the sections
// present refuse the whole layout (EqzBarLayoutError); a single value out of its range keeps the
// current value.

#include <limits>

#include "rtl/Reader.h"
#include "rtl/Registry.h"
#include "rtl/Streams.h"
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

String SubItemSection(const String& ABase, TqzBarItem* AItem) { return ABase + "SubItem_" + AItem->GetName(); }

String LinkSection(const String& ASection, bool ARegistry, Integer AIndex) {
  return ASection + PathSeparatorText(ARegistry) + "ItemLink" + IntToStr(AIndex);
}

// The sub-items keep link lists of their own in the layout.
TCustomqzBarSubItem* StoredSubItem(TqzBarItem* AItem) {
  auto* sub = dynamic_cast<TCustomqzBarSubItem*>(AItem);
  return sub && !sub->GetName().empty() ? sub : nullptr;
}

// A one-byte set value; false when there is none or it has bits outside the set.
bool ReadSetByte(TCustomIniFile* F, const String& ASection, const String& AKey, Integer ABitCount, uint64_t& ABits) {
  TMemoryStream stream;
  if (F->ReadBinaryStream(ASection, AKey, &stream) < 1) return false;
  Byte value = static_cast<const Byte*>(stream.GetMemory())[0];
  if (value >> ABitCount) return false;
  ABits = value;
  return true;
}

void WriteSetByte(TCustomIniFile* F, const String& ASection, const String& AKey, uint64_t ABits) {
  TMemoryStream stream;
  Byte value = static_cast<Byte>(ABits);
  stream.Write(&value, 1);
  stream.SetPosition(0);
  F->WriteBinaryStream(ASection, AKey, &stream);
}

// The link sections under a section must be there for every link its count gives.
void CheckLinkSections(TCustomIniFile* F, const String& ASection, bool ARegistry, Integer ADefault) {
  Integer count = F->ReadInteger(ASection, "ItemLinkCount", ADefault);
  if (count < ADefault) LayoutDamaged(ASection, "ItemLinkCount");
  for (Integer j = 0; j < count; ++j)
    if (!F->SectionExists(LinkSection(ASection, ARegistry, j))) LayoutDamaged(ASection, "ItemLinkCount");
}

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

  const String items = B + "Items";
  F->WriteInteger(items, "ItemCount", GetItemCount());
  for (Integer i = 0; i < GetItemCount(); ++i)
    if (!GetItem(i)->GetName().empty()) F->WriteBool(items, GetItem(i)->GetName(), true);

  for (Integer i = 0; i < FBars->GetCount(); ++i) {
    String section = BarSection(B, i);
    SaveBar(FBars->GetBar(i), F, section);
    FBars->GetBar(i)->GetItemLinks()->SaveToIni(F, section, ARegistry);
  }
  for (Integer i = 0; i < GetItemCount(); ++i)
    if (TCustomqzBarSubItem* sub = StoredSubItem(GetItem(i)))
      sub->GetItemLinks()->SaveToIni(F, SubItemSection(B, sub), ARegistry);

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
  for (Integer i = 0; i < barCount; ++i) {
    if (!F->SectionExists(BarSection(B, i))) LayoutDamaged(main, "BarCount");
    CheckLinkSections(F, BarSection(B, i), ARegistry, 0);
  }
  for (Integer i = 0; i < GetItemCount(); ++i)
    if (TCustomqzBarSubItem* sub = StoredSubItem(GetItem(i))) CheckLinkSections(F, SubItemSection(B, sub), ARegistry, -1);
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
    // Items the program gained since the layout was saved keep their designed links.
    std::vector<String> newItems;
    const bool itemsKnown = F->ReadInteger(B + "Items", "ItemCount", -1) >= 0;
    if (itemsKnown)
      for (Integer i = 0; i < GetItemCount(); ++i)
        if (!F->ReadBool(B + "Items", GetItem(i)->GetName(), false)) newItems.push_back(GetItem(i)->GetName());
    if (barCount > 0) {
      for (Integer i = 0; i < FBars->GetCount(); ++i) FBars->GetBar(i)->SetVisible(false);
      for (Integer i = 0; i < barCount; ++i) {
        while (FBars->GetCount() <= i) FBars->AddBar();
        LoadBar(FBars->GetBar(i), F, BarSection(B, i), true, ARegistry, &newItems);
      }
    }
    for (Integer i = 0; i < GetItemCount(); ++i) {
      TCustomqzBarSubItem* sub = StoredSubItem(GetItem(i));
      if (sub && F->ReadInteger(SubItemSection(B, sub), "ItemLinkCount", -1) >= 0)
        sub->GetItemLinks()->LoadFromIni(F, SubItemSection(B, sub), ARegistry, &newItems);
    }
    TqzBarIniFileEventData data{F, ARegistry, B, PathSeparatorText(ARegistry)};
    IniFileReadHandlers()->FireAll(this, &data);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TqzBarManager::LoadBar(TqzBar* ABar, TCustomIniFile* F, const String& T, bool ALoadPosition, bool ARegistry,
                            const std::vector<String>* ANewItems) {
  ABar->GetItemLinks()->LoadFromIni(F, T, ARegistry, ANewItems);
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
    TMemIniFile* snapshot = manager->GetSavedState();
    const String base = manager->DefaultSectionBase();
    manager->LoadBar(this, snapshot, BarSection(base, index), full, false, nullptr);
    FItemLinks->LoadUsageFromIni(snapshot, BarSection(base, index));
    FItemLinks->ResetItemsFromSnapshot(snapshot, base);
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
  // The manager applies what was read and does not count as loading meanwhile: a link or a bar
  // that is told its loaded value while the manager loads would only keep it as loaded again.
  FBarsLoading = true;
  try {
    for (Integer i = 0; i < GetItemCount(); ++i)
      if (TqzBarItemLinks* links = GetItem(i)->GetItemLinks()) links->ResolveLoadedItems();
    for (Integer i = 0; i < FBars->GetCount(); ++i) FBars->GetBar(i)->GetItemLinks()->ResolveLoadedItems();
    for (Integer i = 0; i < GetItemCount(); ++i) GetItem(i)->SetVisible(GetItem(i)->GetLoadedVisible());
    for (Integer i = 0; i < FBars->GetCount(); ++i) FBars->GetBar(i)->ApplyLoadedValues();
    SaveSnapshot();
    if (!IsDesigning()) LoadStoredLayout();
  } catch (...) {
    FBarsLoading = false;
    throw;
  }
  FBarsLoading = false;
  FAfterLoading = true;
  try {
    for (Integer i = 0; i < FCategories->GetCount(); ++i)
      if (auto* data = static_cast<TqzBarCategoryData*>(FCategories->GetObjects(i)))
        ApplyCategoryItemsVisible(i, data->LoadedItemsVisible);
  } catch (...) {
    FAfterLoading = false;
    throw;
  }
  FAfterLoading = false;
}

// ---- Link lists ----------------------------------------------------------------------------

namespace {

void LoadLink(TqzBarItemLink* ALink, TCustomIniFile* F, const String& T, bool ARegistry, bool ABarLinks,
              bool AUsage, Integer ALinkCount, std::vector<Integer>& ARecentSeen) {
  String name = F->ReadString(T, "ItemName", "");
  if (name.empty()) return;
  TqzBarItem* item = ALink->GetLinks()->GetBarManager()->FindItemByName(name);
  if (!item) {
    delete ALink;
    return;
  }
  try {
    ALink->SetItem(item);
  } catch (const Exception&) {
    // The owner refuses the item (a menu holding itself, a separator out of place).
    delete ALink;
    return;
  }
  ALink->SetBeginGroup(F->ReadBool(T, "BeginGroup", false));
  uint64_t bits = 0;
  String oneChar = ARegistry ? String() : F->ReadString(T, "UserDefine", "");
  if (oneChar.size() == 1) {
    if (oneChar[0] >= '0' && oneChar[0] <= '9' && (oneChar[0] - '0') < 16)
      ALink->SetUserDefine(TqzBarUserDefines::FromBits(oneChar[0] - '0'));
  } else if (ReadSetByte(F, T, "UserDefine", 4, bits)) {
    ALink->SetUserDefine(TqzBarUserDefines::FromBits(bits));
  }
  TqzBarUserDefines defined = ALink->GetUserDefine();
  if (defined.Contains(udCaption)) ALink->SetUserCaption(F->ReadString(T, "UserCaption", ""));
  if (defined.Contains(udPaintStyle))
    ALink->SetUserPaintStyle(static_cast<TqzBarPaintStyle>(
        ReadBounded(F, T, "UserPaintStyle", psStandard, psStandard, psCaptionGlyph)));
  if (defined.Contains(udWidth)) ALink->SetUserWidth(ReadBounded(F, T, "UserWidth", 100, 0, kMaxCoordinate));
  if (ARegistry && defined.Contains(udGlyph)) {
    TMemoryStream stream;
    if (F->ReadBinaryStream(T, "UserGlyph", &stream) > 0) {
      TBitmap glyph;
      try {
        stream.SetPosition(0);
        glyph.LoadFromStream(&stream);
        ALink->SetUserGlyph(&glyph);
      } catch (const std::exception&) {
        // A picture that does not read leaves the item's own glyph.
      }
    }
  }
  if (ABarLinks) {
    ALink->SetButtonGroup(
        static_cast<TqzBarButtonGroupPosition>(ReadBounded(F, T, "ButtonGroup", bgpNone, bgpNone, bgpMember)));
    ALink->SetPosition(
        static_cast<TqzBarItemPosition>(ReadBounded(F, T, "Position", ipBeginsNewRow, ipBeginsNewRow, ipContinuesRow)));
    if (ReadSetByte(F, T, "ViewLevels", 4, bits)) ALink->SetViewLevels(TqzBarItemViewLevels::FromBits(bits));
    ALink->SetLoadedVisible(F->ReadBool(T, "Visible", true));
  }
  if (AUsage) {
    ALink->SetLoadedUseCount(ReadBounded(F, T, "UseCount", 0, 0, std::numeric_limits<Integer>::max()));
    Integer recent = ReadBounded(F, T, "RecentIndex", -1, -1, ALinkCount - 1);
    // Two links at one place of the recent list: the second goes to no place.
    if (recent >= 0 && std::find(ARecentSeen.begin(), ARecentSeen.end(), recent) != ARecentSeen.end()) recent = -1;
    if (recent >= 0) ARecentSeen.push_back(recent);
    ALink->SetLoadedRecentIndex(recent);
  }
}

}  // namespace

void TqzBarItemLinks::LoadFromIni(TCustomIniFile* F, const String& T, bool ARegistry,
                                  const std::vector<String>* ANewItems) {
  BeginUpdate();
  try {
    // Kept designed links of new items, each with the item its link came behind.
    std::vector<std::pair<TqzBarItemLink*, String>> kept;
    const bool hasNew = ANewItems && !ANewItems->empty();
    for (Integer i = GetCount() - 1; i >= 0; --i) {
      TqzBarItemLink* link = GetLink(i);
      TqzBarItem* item = link->GetItem();
      bool isNew = hasNew && item && std::find(ANewItems->begin(), ANewItems->end(), item->GetName()) != ANewItems->end();
      if (!isNew) {
        delete link;
        continue;
      }
      link->SetCreatedFromMergingWith(nullptr);
      TqzBarItem* before = i > 0 ? GetLink(i - 1)->GetItem() : nullptr;
      kept.emplace(kept.begin(), link, before ? before->GetName() : String());
    }
    TqzBarManager* manager = GetBarManager();
    const bool usage = manager && manager->SupportsRecentItems() && UsesRecentItems();
    const bool barLinks = !IsMenuLinks();
    Integer count = F->ReadInteger(T, "ItemLinkCount", 0);
    std::vector<Integer> recentSeen;
    for (Integer j = count - 1; j >= 0; --j)
      LoadLink(InsertLink(0), F, LinkSection(T, ARegistry, j), ARegistry, barLinks, usage, count, recentSeen);
    for (auto& [link, before] : kept) {
      Integer from = IndexOf(link);
      if (before.empty()) {
        MoveLink(from, 0);
        continue;
      }
      Integer anchor = -1;
      for (Integer i = 0; i < GetCount(); ++i)
        if (GetLink(i) != link && GetLink(i)->GetItem() && GetLink(i)->GetItem()->GetName() == before) anchor = i;
      if (anchor >= 0) MoveLink(from, anchor < from ? anchor + 1 : anchor);
    }
  } catch (...) {
    RebuildLinkLists();
    ApplyLoadedUseData(true);
    EndUpdate();
    throw;
  }
  RebuildLinkLists();
  ApplyLoadedUseData(true);
  EndUpdate();
}

void TqzBarItemLinks::SaveToIni(TCustomIniFile* F, const String& T, bool ARegistry) {
  TqzBarManager* manager = GetBarManager();
  const bool usage = manager && manager->SupportsRecentItems() && UsesRecentItems();
  const bool barLinks = !IsMenuLinks();
  Integer written = 0;
  for (Integer i = 0; i < GetCount(); ++i) {
    TqzBarItemLink* link = GetLink(i);
    TqzBarItem* item = link->GetItem();
    if (!item || item->GetName().empty() || link->GetCreatedFromMergingWith()) continue;
    const String section = LinkSection(T, ARegistry, written++);
    F->WriteString(section, "ItemName", item->GetName());
    F->WriteBool(section, "BeginGroup", link->GetBeginGroup());
    TqzBarUserDefines defined = link->GetUserDefine();
    WriteSetByte(F, section, "UserDefine", defined.ToBits());
    if (defined.Contains(udCaption)) F->WriteString(section, "UserCaption", link->GetUserCaption());
    if (defined.Contains(udPaintStyle)) F->WriteInteger(section, "UserPaintStyle", link->GetUserPaintStyle());
    if (defined.Contains(udWidth)) F->WriteInteger(section, "UserWidth", link->GetUserWidth());
    if (ARegistry && defined.Contains(udGlyph)) {
      TMemoryStream stream;
      link->GetUserGlyph()->SaveToStream(&stream);
      stream.SetPosition(0);
      F->WriteBinaryStream(section, "UserGlyph", &stream);
    }
    if (barLinks) {
      F->WriteInteger(section, "ButtonGroup", link->GetButtonGroup());
      F->WriteInteger(section, "Position", link->GetPosition());
      WriteSetByte(F, section, "ViewLevels", link->GetViewLevels().ToBits());
      F->WriteBool(section, "Visible", link->GetVisible());
    }
    if (usage) {
      F->WriteInteger(section, "UseCount", link->GetUseCount());
      F->WriteInteger(section, "RecentIndex", link->GetRecentIndex());
    }
    if (manager && manager->IsStateSaving()) F->WriteBool(section, "MostRecentlyUsed", link->GetMostRecentlyUsed());
  }
  F->WriteInteger(T, "ItemLinkCount", written);
}

void TqzBarItemLinks::LoadUsageFromIni(TCustomIniFile* F, const String& T) {
  Integer count = F->ReadInteger(T, "ItemLinkCount", 0);
  for (Integer j = 0; j < std::min(count, GetCount()); ++j)
    GetLink(j)->SetMostRecentlyUsed(F->ReadBool(LinkSection(T, false, j), "MostRecentlyUsed", true));
  ApplyLoadedUseData(false);
  CompactRecentList();
}

void TqzBarItemLinks::ResetItemsFromSnapshot(TCustomIniFile* F, const String& ABase) {
  for (Integer i = 0; i < GetCount(); ++i) {
    TCustomqzBarSubItem* sub = StoredSubItem(GetLink(i)->GetItem());
    // A menu that holds itself further down was refused when it was built; the walk ends.
    if (!sub || sub->GetItemLinks() == this) continue;
    const String section = SubItemSection(ABase, sub);
    sub->GetItemLinks()->LoadFromIni(F, section, false, nullptr);
    sub->GetItemLinks()->LoadUsageFromIni(F, section);
    sub->GetItemLinks()->ResetItemsFromSnapshot(F, ABase);
  }
}

void TqzBarManager::ResetUsageData() {
  if (!FSavedState) return;
  const String base = DefaultSectionBase();
  BeginUpdate();
  try {
    for (Integer i = 0; i < GetItemCount(); ++i)
      if (TCustomqzBarSubItem* sub = StoredSubItem(GetItem(i)))
        sub->GetItemLinks()->LoadUsageFromIni(FSavedState.get(), SubItemSection(base, sub));
    for (Integer i = 0; i < FBars->GetCount(); ++i) {
      Integer index = FindSnapshotBar(FBars->GetBar(i)->GetCaption());
      if (index >= 0) FBars->GetBar(i)->GetItemLinks()->LoadUsageFromIni(FSavedState.get(), BarSection(base, index));
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TqzBarManager::ResetUsageDataWithConfirmation() {
  if (ShowAppMessageBox(ResourceStringText(sqzBarResetUsageDataQuery), MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) ==
      IDYES)
    ResetUsageData();
}
