// ID lists, folder objects, item information, detail columns and options of the shell controls.

#include "toolkit/editors/kvShellCommon.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cassert>
#include <cstring>
#include <ctime>

#include "rtl/DateUtils.h"
#include "rtl/MaskUtils.h"
#include "rtl/SysUtils.h"
#include "rtl/StringList.h"
#include "rtl/WideText.h"
#include "user/ShellFileInfo.h"

// ---- ID lists ------------------------------------------------------------------------------

namespace {

constexpr Integer kMaxItemIds = 260;

USHORT ItemSize(LPCITEMIDLIST Item) { return Item ? Item->mkid.cb : 0; }

// A new list of Size bytes of items followed by a zero count, from the shell allocator.
LPITEMIDLIST AllocateList(Integer Size) {
  auto* list = static_cast<BYTE*>(GetShellAllocator()->Alloc(static_cast<size_t>(Size) + 4));
  if (list) std::memset(list, 0, static_cast<size_t>(Size) + 4);
  return reinterpret_cast<LPITEMIDLIST>(list);
}

}  // namespace

IMalloc* GetShellAllocator() {
  static IMalloc* allocator = [] {
    IMalloc* shared = nullptr;
    SHGetMalloc(&shared);
    return shared;
  }();
  return allocator;
}

TInterfacePtr<IShellFolder> GetDesktopFolder() {
  IShellFolder* desktop = nullptr;
  HRESULT result = SHGetDesktopFolder(&desktop);
  if (result != S_OK || !desktop) throw EOleError("The desktop folder is not available");
  return TInterfacePtr<IShellFolder>::Attach(desktop);
}

Integer IdListSize(LPCITEMIDLIST List) {
  Integer size = 0;
  for (LPCITEMIDLIST item = List; item && item->mkid.cb; item = NextItemId(item)) size += item->mkid.cb;
  return size;
}

Integer ItemIdCount(LPCITEMIDLIST List) {
  Integer count = 0;
  for (LPCITEMIDLIST item = List; item && item->mkid.cb; item = NextItemId(item))
    if (++count > kMaxItemIds) return -1;
  return count;
}

LPITEMIDLIST NextItemId(LPCITEMIDLIST List) {
  if (!List || List->mkid.cb == 0) return nullptr;
  auto* next = reinterpret_cast<LPITEMIDLIST>(const_cast<BYTE*>(reinterpret_cast<const BYTE*>(List) + List->mkid.cb));
  return next;
}

LPITEMIDLIST LastItemId(LPCITEMIDLIST List) {
  auto* last = const_cast<LPITEMIDLIST>(List);
  for (LPITEMIDLIST item = last; item && item->mkid.cb; item = NextItemId(item)) last = item;
  return last;
}

LPITEMIDLIST CopyIdList(LPCITEMIDLIST List) {
  if (!List) return nullptr;
  const Integer size = IdListSize(List);
  LPITEMIDLIST copy = AllocateList(size);
  if (copy) std::memcpy(copy, List, static_cast<size_t>(size));
  return copy;
}

LPITEMIDLIST FirstItemId(LPCITEMIDLIST List) {
  if (!List || List->mkid.cb == 0) return nullptr;
  LPITEMIDLIST first = AllocateList(List->mkid.cb);
  if (first) std::memcpy(first, List, List->mkid.cb);
  return first;
}

LPITEMIDLIST ParentIdList(LPCITEMIDLIST List) {
  const Integer size = IdListSize(List);
  const Integer parentSize = size - ItemSize(LastItemId(List));
  LPITEMIDLIST parent = AllocateList(size);
  if (parent && parentSize > 0) std::memcpy(parent, List, static_cast<size_t>(parentSize));
  return parent;
}

LPITEMIDLIST EmptyIdList() { return AllocateList(0); }

LPITEMIDLIST ConcatIdLists(LPCITEMIDLIST First, LPCITEMIDLIST Second) {
  if (!First) return CopyIdList(Second);
  if (!Second) return CopyIdList(First);
  const Integer first = IdListSize(First), second = IdListSize(Second);
  LPITEMIDLIST list = AllocateList(first + second);
  if (!list) return nullptr;
  std::memcpy(list, First, static_cast<size_t>(first));
  std::memcpy(reinterpret_cast<BYTE*>(list) + first, Second, static_cast<size_t>(second));
  return list;
}

bool SameIdList(LPCITEMIDLIST First, LPCITEMIDLIST Second) {
  if (First == Second) return true;
  if (!First || !Second) return false;
  const Integer size = IdListSize(First);
  return size == IdListSize(Second) && std::memcmp(First, Second, static_cast<size_t>(size)) == 0;
}

bool IsIdListPrefix(LPCITEMIDLIST Prefix, LPCITEMIDLIST List) {
  const Integer size = IdListSize(Prefix);
  if (size == 0) return true;
  return IdListSize(List) >= size && std::memcmp(Prefix, List, static_cast<size_t>(size)) == 0;
}

void FreeIdList(LPITEMIDLIST List) {
  if (List) GetShellAllocator()->Free(List);
}

String IdListToPath(LPCITEMIDLIST List) {
  if (!List) return String();
  char path[MAX_PATH + 1] = {};
  return SHGetPathFromIDList(List, path) ? String(path) : String();
}

String StrRetToText(STRRET& Name, LPCITEMIDLIST Item) {
  switch (Name.uType) {
    case STRRET_WSTR: {
      if (!Name.pOleStr) return String();
      String text = UTF8Encode(WideString(Name.pOleStr));
      GetShellAllocator()->Free(Name.pOleStr);
      Name.pOleStr = nullptr;
      return text;
    }
    case STRRET_OFFSET: {
      if (!Item || Name.uOffset >= Item->mkid.cb) return String();
      const char* start = reinterpret_cast<const char*>(Item) + Name.uOffset;
      return String(start, strnlen(start, Item->mkid.cb - Name.uOffset));
    }
    default: return String(Name.cStr, strnlen(Name.cStr, sizeof Name.cStr));
  }
}

String GetItemDisplayName(IShellFolder* Folder, LPCITEMIDLIST Item) {
  STRRET name;
  if (!Folder || Folder->GetDisplayNameOf(Item, SHGDN_INFOLDER, &name) != S_OK) return String();
  return StrRetToText(name, Item);
}

TDateTime FileTimeToLocalDateTime(time_t Time) {
  std::tm local{};
  TDateTime date, time;
  if (!localtime_r(&Time, &local) ||
      !TryEncodeDate(static_cast<Word>(local.tm_year + 1900), static_cast<Word>(local.tm_mon + 1),
                     static_cast<Word>(local.tm_mday), date) ||
      !TryEncodeTime(static_cast<Word>(local.tm_hour), static_cast<Word>(local.tm_min),
                     static_cast<Word>(std::min(local.tm_sec, 59)), 0, time))
    return -1.0;
  return date + time;
}

bool HasChildItems(IShellFolder* Folder, LPCITEMIDLIST AbsoluteList, DWORD Flags) {
  if (!Folder || !AbsoluteList) return false;
  LPCITEMIDLIST last = LastItemId(AbsoluteList);
  auto has = [&](ULONG bits) {
    ULONG attributes = bits;
    return Folder->GetAttributesOf(1, &last, &attributes) == S_OK && (attributes & bits) == bits;
  };
  if (!has(SFGAO_FOLDER)) return false;
  if (!(Flags & SHCONTF_NONFOLDERS)) return has(SFGAO_HASSUBFOLDER);
  const String path = IdListToPath(AbsoluteList);
  if (!path.empty()) {
    DIR* dir = opendir(path.c_str());
    if (dir) {
      bool found = false;
      while (!found) {
        dirent* entry = readdir(dir);
        if (!entry) break;
        const String name = entry->d_name;
        if (name == "." || name == "..") continue;
        if (name[0] == '.' && !(Flags & SHCONTF_INCLUDEHIDDEN)) continue;
        struct stat status;
        const bool folder = stat((path + "/" + name).c_str(), &status) == 0 && S_ISDIR(status.st_mode);
        found = !folder || (Flags & SHCONTF_FOLDERS);
      }
      closedir(dir);
      return found;
    }
  }
  void* bound = nullptr;
  if (GetDesktopFolder()->BindToObject(AbsoluteList, nullptr, IShellFolder::IID, &bound) != S_OK || !bound)
    return false;
  auto folder = TInterfacePtr<IShellFolder>::Attach(static_cast<IShellFolder*>(bound));
  IEnumIDList* raw = nullptr;
  if (folder->EnumObjects(nullptr, Flags, &raw) != S_OK || !raw) return false;
  auto items = TInterfacePtr<IEnumIDList>::Attach(raw);
  LPITEMIDLIST first = nullptr;
  ULONG fetched = 0;
  const bool any = items->Next(1, &first, &fetched) == S_OK && fetched == 1;
  if (first) ILFree(first);
  return any;
}

namespace {

Integer PlaceholderIcon(const char* Path, DWORD Attributes, UINT Flags) {
  SHFILEINFO info{};
  if (!SHGetFileInfo(Path, Attributes, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES | Flags))
    return -1;
  return info.iIcon;
}

}  // namespace

Integer DummyFileIconIndex() {
  static const Integer index = PlaceholderIcon("C:\\KVDUMMYFILE.TXT", FILE_ATTRIBUTE_NORMAL, 0);
  return index;
}

Integer DummyFolderIconIndex() {
  static const Integer index = PlaceholderIcon("C:\\KVDUMMYFOLDER", FILE_ATTRIBUTE_DIRECTORY, 0);
  return index;
}

Integer DummyOpenFolderIconIndex() {
  static const Integer index = PlaceholderIcon("C:\\KVDUMMYFOLDER", FILE_ATTRIBUTE_DIRECTORY, SHGFI_OPENICON);
  return index;
}

// ---- Folder object -------------------------------------------------------------------------

TAVREN_CLASS_IMPL(TkvShellFolder)

TkvShellFolder::TkvShellFolder(LPCITEMIDLIST AAbsoluteIdList) : FAbsoluteIdList(AAbsoluteIdList) {
  TInterfacePtr<IShellFolder> desktop = GetDesktopFolder();
  if (ItemIdCount(AAbsoluteIdList) > 1) {
    LPITEMIDLIST parent = ParentIdList(AAbsoluteIdList);
    void* bound = nullptr;
    if (desktop->BindToObject(parent, nullptr, IShellFolder::IID, &bound) == S_OK && bound)
      FParentFolder = TInterfacePtr<IShellFolder>::Attach(static_cast<IShellFolder*>(bound));
    FreeIdList(parent);
    FRelativeIdList = CopyIdList(LastItemId(AAbsoluteIdList));
  } else {
    FParentFolder = desktop;
    FRelativeIdList = CopyIdList(AAbsoluteIdList);
  }
}

TkvShellFolder::~TkvShellFolder() { FreeIdList(FRelativeIdList); }

// ---- Detail columns ------------------------------------------------------------------------

TAVREN_CLASS_IMPL(TkvShellDetails)

TkvDetailItem* TkvShellDetails::AddColumn() {
  FColumns.push_back(std::make_unique<TkvDetailItem>());
  return FColumns.back().get();
}

void TkvShellDetails::LoadColumns(Integer CharWidth, IShellFolder*, bool InFileSystem) {
  ClearColumns();
  struct Fixed {
    const char* Title;
    Integer Chars;
    TAlignment Align;
  };
  static const Fixed kColumns[] = {
      {"Name", 25, taLeftJustify}, {"Size", 10, taRightJustify}, {"Type", 10, taLeftJustify}, {"Modified", 14, taLeftJustify}};
  const Integer count = InFileSystem ? 4 : 1;
  for (Integer i = 0; i < count; ++i) {
    TkvDetailItem* column = AddColumn();
    column->HeaderText = kColumns[i].Title;
    column->PixelWidth = kColumns[i].Chars * CharWidth;
    column->TextAlign = kColumns[i].Align;
    column->ColumnIndex = i;
  }
}

// ---- Item information ----------------------------------------------------------------------

TAVREN_CLASS_IMPL(TkvShellItemInfo)

TkvShellItemInfo::TkvShellItemInfo(TkvCustomItemProducer* AProducer, LPCITEMIDLIST AItemId,
                                   LPCITEMIDLIST ParentIdList, IShellFolder* Folder)
    : FProducer(AProducer), FDetailTexts(std::make_unique<TStringList>()) {
  FItemIdList = CopyIdList(AItemId);
  Prepare(Folder, FItemIdList);
  RebuildFullIdList(ParentIdList);
}

TkvShellItemInfo::~TkvShellItemInfo() {
  FFolderObject.reset();
  FreeIdList(FFullIdList);
  FreeIdList(FItemIdList);
}

void TkvShellItemInfo::RebuildFullIdList(LPCITEMIDLIST ParentIdList) {
  FFolderObject.reset();
  FreeIdList(FFullIdList);
  FFullIdList = ConcatIdLists(ParentIdList, FItemIdList);
  FFolderObject = std::make_unique<TkvShellFolder>(FFullIdList);
}

void TkvShellItemInfo::Prepare(IShellFolder* Folder, LPCITEMIDLIST ItemId) {
  if (Prepared) return;
  ULONG attributes = SFGAO_FOLDER;
  if (Folder && Folder->GetAttributesOf(1, &ItemId, &attributes) == S_OK) {
    IsContainer = (attributes & SFGAO_FOLDER) != 0;
  } else {
    IsContainer = false;
    InFileSystem = false;
    AcceptsDrop = true;
    Renamable = true;
  }
  MayHaveChildren = IsContainer;
  DisplayName = GetItemDisplayName(Folder, ItemId);
  ImageIndex = IsContainer ? DummyFolderIconIndex() : DummyFileIconIndex();
  OpenImageIndex = IsContainer ? DummyOpenFolderIconIndex() : DummyFileIconIndex();
  Prepared = true;
}

void TkvShellItemInfo::Fetch(IShellFolder* Folder, LPCITEMIDLIST ParentIdList) {
  assert(FItemIdList && "Item object not initialized");
  if (GetFetched() || FFetching.exchange(true)) return;
  LPCITEMIDLIST item = FItemIdList;
  ULONG attributes = 0;
  if (Folder && Folder->GetAttributesOf(1, &item, &attributes) == S_OK)
    InFileSystem = (attributes & SFGAO_FILESYSTEM) != 0;
  attributes = SFGAO_LINK | SFGAO_SHARE | SFGAO_HIDDEN | SFGAO_REMOVABLE;
  if (Folder && Folder->GetAttributesOf(1, &item, &attributes) == S_OK) {
    IsShortcut = (attributes & SFGAO_LINK) != 0;
    IsShared = (attributes & SFGAO_SHARE) != 0;
    Hidden = (attributes & SFGAO_HIDDEN) != 0;
    OnRemovableMedia = (attributes & SFGAO_REMOVABLE) != 0;
  }
  attributes = SFGAO_CAPABILITYMASK | SFGAO_DROPTARGET;
  if (Folder && Folder->GetAttributesOf(1, &item, &attributes) == S_OK) {
    AcceptsDrop = (attributes & SFGAO_DROPTARGET) != 0;
    Renamable = (attributes & SFGAO_CANRENAME) != 0;
  }
  LPITEMIDLIST absolute = ConcatIdLists(ParentIdList, FItemIdList);
  SHFILEINFO info{};
  const char* path = reinterpret_cast<const char*>(absolute);
  if (SHGetFileInfo(path, 0, &info, sizeof info, SHGFI_PIDL | SHGFI_TYPENAME | SHGFI_SYSICONINDEX)) {
    TypeName = info.szTypeName;
    ImageIndex = info.iIcon;
    OpenImageIndex = info.iIcon;
    if (IsContainer && SHGetFileInfo(path, 0, &info, sizeof info, SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_OPENICON))
      OpenImageIndex = info.iIcon;
  }
  FreeIdList(absolute);
  SetFetched(true);
  FFetching = false;
}

void TkvShellItemInfo::ReplaceIdList(IShellFolder* Folder, LPCITEMIDLIST ParentIdList, LPCITEMIDLIST NewItemId) {
  if (!NewItemId) return;
  FreeIdList(FItemIdList);
  FItemIdList = CopyIdList(NewItemId);
  // The full list, the folder object and the name follow the new ID, not only the fetched fields.
  RebuildFullIdList(ParentIdList);
  DisplayName = GetItemDisplayName(Folder, FItemIdList);
  SetFetched(false);
  Fetch(Folder, ParentIdList);
}

void TkvShellItemInfo::LoadDetailTexts(IShellFolder* Folder, TkvShellDetails*) {
  FDetailTexts->Clear();
  if (!GetFetched() || !InFileSystem || !Folder) return;
  STRRET name;
  if (Folder->GetDisplayNameOf(FItemIdList, SHGDN_FORPARSING, &name) != S_OK) return;
  const String path = StrRetToText(name, FItemIdList);
  struct stat status;
  if (path.empty() || path.size() > MAX_PATH || stat(path.c_str(), &status) != 0) return;
  // Whole kilobytes, rounded up, as the file list shows them.
  const Int64 kilobytes = (static_cast<Int64>(status.st_size) + 1023) / 1024;
  // The mask pads the number with blanks on the left; the column aligns it instead.
  FDetailTexts->Add(S_ISDIR(status.st_mode) ? String() : Trim(FormatMaskText("!### ### ### KB;0;*", std::to_string(kilobytes))));
  FDetailTexts->Add(TypeName);
  const TDateTime modified = FileTimeToLocalDateTime(status.st_mtime);
  FDetailTexts->Add(modified == -1.0 ? String() : DateTimeToStr(modified));
}

// ---- Options -------------------------------------------------------------------------------

TAVREN_CLASS_IMPL_PUBLISHED(TkvShellOptions,
    PROPERTY(ContextMenus).Default(true),
    PROPERTY(ShowFolders).Default(true),
    PROPERTY(ShowHidden).Default(false),
    PROPERTY(ShowNonFolders).Default(true),
    PROPERTY(ShowToolTip).Default(true),
    PROPERTY(TrackShellChanges).Default(true))

void TkvShellOptions::NotifyOwner() {
  if (FOwner && FOwner->HandleAllocated()) SendMessage(FOwner->GetHandle(), KVSM_OPTIONS_CHANGED, 0, 0);
}

void TkvShellOptions::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TkvShellOptions*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  FShowFolders = source->FShowFolders;
  FShowNonFolders = source->FShowNonFolders;
  FShowHidden = source->FShowHidden;
  FContextMenus = source->FContextMenus;
  FTrackShellChanges = source->FTrackShellChanges;
  SetShowToolTip(source->FShowToolTip);
  NotifyOwner();
}

DWORD TkvShellOptions::GetEnumFlags() const {
  return (FShowFolders ? SHCONTF_FOLDERS : 0) | (FShowNonFolders ? SHCONTF_NONFOLDERS : 0) |
         (FShowHidden ? SHCONTF_INCLUDEHIDDEN : 0);
}

void TkvShellOptions::SetShowFolders(bool Value) {
  FShowFolders = Value;
  NotifyOwner();
}

void TkvShellOptions::SetShowNonFolders(bool Value) {
  FShowNonFolders = Value;
  NotifyOwner();
}

void TkvShellOptions::SetShowHidden(bool Value) {
  FShowHidden = Value;
  NotifyOwner();
}

void TkvShellOptions::SetShowToolTip(bool Value) {
  if (FShowToolTip == Value) return;
  FShowToolTip = Value;
  FOnShowToolTipChanged(this);
}

bool ShowShellContextMenu(HWND Window, IShellFolder* Folder, const std::vector<LPCITEMIDLIST>& Items,
                          const TPoint& Point) {
  if (!Folder || Items.empty()) return false;
  std::vector<LPCITEMIDLIST> items(Items);
  void* raw = nullptr;
  if (Folder->GetUIObjectOf(Window, static_cast<UINT>(items.size()), items.data(), IContextMenu::IID, nullptr, &raw) !=
          S_OK ||
      !raw)
    return false;
  auto menu = TInterfacePtr<IContextMenu>::Attach(static_cast<IContextMenu*>(raw));
  constexpr UINT kFirst = 1, kLast = 0x7FFF;
  HMENU popup = CreatePopupMenu();
  bool ran = false;
  try {
    const HRESULT added = menu->QueryContextMenu(popup, 0, kFirst, kLast, CMF_NORMAL | CMF_EXPLORE);
    if (added > 0) {
      const UINT command = static_cast<UINT>(
          TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, Point.X, Point.Y, 0, Window, nullptr));
      if (command >= kFirst) {
        CMINVOKECOMMANDINFO info;
        info.hwnd = Window;
        info.lpVerb = CommandOffsetVerb(command - kFirst);
        info.nShow = SW_SHOWNORMAL;
        ran = menu->InvokeCommand(&info) == S_OK;
      }
    }
  } catch (...) {
    DestroyMenu(popup);
    throw;
  }
  DestroyMenu(popup);
  return ran;
}

// ---- Drag and drop ---------------------------------------------------------------------------

TAVREN_CLASS_IMPL_PUBLISHED(TkvDragDropSettings, PROPERTY(AllowDragObjects).Default(true), PROPERTY(DropEffect))
TAVREN_CLASS_IMPL(TkvDropSource)

void TkvDragDropSettings::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TkvDragDropSettings*>(Source);
  if (!source) return TPersistent::Assign(Source);
  FDropEffect = source->FDropEffect;
  SetAllowDragObjects(source->FAllowDragObjects);
}

void TkvDragDropSettings::SetAllowDragObjects(bool Value) {
  if (FAllowDragObjects == Value) return;
  FAllowDragObjects = Value;
  FOnAllowDragChanged(this);
}

DWORD TkvDragDropSettings::GetAllowedEffects() const {
  return (FDropEffect.Contains(deCopy) ? DROPEFFECT_COPY : 0) | (FDropEffect.Contains(deMove) ? DROPEFFECT_MOVE : 0) |
         (FDropEffect.Contains(deLink) ? DROPEFFECT_LINK : 0);
}

DWORD TkvDragDropSettings::GetDefaultEffect() const {
  const DWORD allowed = GetAllowedEffects();
  for (DWORD effect : {DROPEFFECT_MOVE, DROPEFFECT_COPY, DROPEFFECT_LINK})
    if (allowed & effect) return effect;
  return DROPEFFECT_NONE;
}

HRESULT TkvDropSource::QueryContinueDrag(BOOL EscapePressed, DWORD KeyState) {
  if (EscapePressed) return DRAGDROP_S_CANCEL;
  return KeyState & MK_LBUTTON ? S_OK : DRAGDROP_S_DROP;
}
