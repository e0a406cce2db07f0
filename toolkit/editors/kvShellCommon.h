#pragma once
// What the shell controls share to talk to the shell namespace:
//  - ID-list functions over the shell's task allocator;
//  - TkvShellFolder, an item as its parent folder and relative ID;
//  - TkvShellItemInfo, one item of a folder with its two-stage information: a cheap first stage
//    at enumeration, a costly second (attributes, type) done later;
//  - TkvShellDetails, the detail columns of a folder, and the detail texts of an item;
//  - TkvShellOptions, what a view shows;
//  - TkvCustomItemProducer, which enumerates a folder into a sorted item list behind a
//    multi-reader lock and reports changes to its owner control;
//  - TkvShellItemsInfoGatherer, the worker thread that completes the second stage from a queue.
//
// Sources: kvShellCommon.cpp (ID lists, folder, items, details, options), kvShellCommonProducer.cpp
// (producers), kvShellCommonGatherer.cpp (the worker).

#include <atomic>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "rtl/StringList.h"
#include "rtl/SyncObjs.h"
#include "user/ShellFolder.h"
#include "vcl/Controls.h"
#include "vcl/StdCtrls.h"

class TkvCustomItemProducer;
class TkvShellItemsInfoGatherer;

// A shell call that failed where the caller needs an answer.
TAVREN_DECLARE_EXCEPTION(EOleError, Exception);

// Private messages between the producers, the worker and the shell views.
constexpr UINT KVSM_ITEMS_ENUMERATED = 0xB13B;
constexpr UINT KVSM_ITEM_FETCHED = 0xB13C;
constexpr UINT KVSM_ITEM_REMOVED = 0xB13E;
constexpr UINT KVSM_ITEM_ADDED = 0xB13F;
constexpr UINT KVSM_OPTIONS_CHANGED = 0xB140;
constexpr UINT KVSM_SHELL_NOTIFY = 0xB141;
constexpr UINT KVSM_SELECT_FOLDER = 0xB142;
constexpr UINT KVSM_ROOT_CHANGED = 0xB143;
constexpr UINT KVSM_TREE_SHELL_NOTIFY = 0xB144;
constexpr UINT KVSM_RESELECT = 0xB145;

// ---- ID lists ------------------------------------------------------------------------------

IMalloc* GetShellAllocator();
TInterfacePtr<IShellFolder> GetDesktopFolder();
// Sizes never count the terminating zero count.
Integer IdListSize(LPCITEMIDLIST List);
// At most 260 items are counted: a longer list answers -1.
Integer ItemIdCount(LPCITEMIDLIST List);
LPITEMIDLIST NextItemId(LPCITEMIDLIST List);
LPITEMIDLIST LastItemId(LPCITEMIDLIST List);
// New lists through the shell allocator, freed with FreeIdList.
LPITEMIDLIST CopyIdList(LPCITEMIDLIST List);
LPITEMIDLIST FirstItemId(LPCITEMIDLIST List);
LPITEMIDLIST ParentIdList(LPCITEMIDLIST List);
LPITEMIDLIST EmptyIdList();
LPITEMIDLIST ConcatIdLists(LPCITEMIDLIST First, LPCITEMIDLIST Second);
bool SameIdList(LPCITEMIDLIST First, LPCITEMIDLIST Second);
bool IsIdListPrefix(LPCITEMIDLIST Prefix, LPCITEMIDLIST List);
void FreeIdList(LPITEMIDLIST List);
String IdListToPath(LPCITEMIDLIST List);
String StrRetToText(STRRET& Name, LPCITEMIDLIST Item);
String GetItemDisplayName(IShellFolder* Folder, LPCITEMIDLIST Item);
// -1.0 when the time cannot be converted.
TDateTime FileTimeToLocalDateTime(time_t Time);
// The icons freshly enumerated items show until their second stage: a file, a folder, an open
// folder (indexes of the shell icon table, asked once).
Integer DummyFileIconIndex();
Integer DummyFolderIconIndex();
Integer DummyOpenFolderIconIndex();

// Whether the item (absolute list; Folder its parent folder) is a folder with anything to show
// under the enumeration flags.
bool HasChildItems(IShellFolder* Folder, LPCITEMIDLIST AbsoluteList, DWORD Flags);

// ---- Drag and drop ---------------------------------------------------------------------------

enum TkvDropEffect { deCopy, deMove, deLink };
TAVREN_ENUM_INFO(TkvDropEffect, deCopy, deMove, deLink);
using TkvDropEffectSet = TSet<TkvDropEffect, 3>;

// What a shell view lets its items do when they are dragged out.
class TkvDragDropSettings : public TPersistent {
  TAVREN_CLASS(TkvDragDropSettings, TPersistent)
 public:
  TkvDragDropSettings() = default;
  void Assign(TPersistent* Source) override;
  // The DROPEFFECT bits of DropEffect; the default one is the first of move, copy, link allowed.
  DWORD GetAllowedEffects() const;
  DWORD GetDefaultEffect() const;

  bool GetAllowDragObjects() const { return FAllowDragObjects; }
  void SetAllowDragObjects(bool Value);
  TkvDropEffectSet GetDropEffect() const { return FDropEffect; }
  void SetDropEffect(TkvDropEffectSet Value) { FDropEffect = Value; }
  TNotifyEvent GetOnAllowDragChanged() const { return FOnAllowDragChanged; }
  void SetOnAllowDragChanged(TNotifyEvent Value) { FOnAllowDragChanged = Value; }

 private:
  bool FAllowDragObjects = true;
  TkvDropEffectSet FDropEffect{deCopy, deMove, deLink};
  TNotifyEvent FOnAllowDragChanged;
};

// The drag's source: the left button's release drops, Esc cancels.
class TkvDropSource : public TInterfacedObject, public IDropSource {
  TAVREN_CLASS(TkvDropSource, TInterfacedObject)
 public:
  HRESULT QueryContinueDrag(BOOL EscapePressed, DWORD KeyState) override;
  HRESULT GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

// A shell view that takes drops: each drop goes to the shell's own target under the pointer,
// which the view finds and highlights; the drag's steps around it are the same for every view.
class TkvShellDropSite {
 public:
  virtual ~TkvShellDropSite() = default;
  HRESULT DropDragEnter(IDataObject* Data, DWORD KeyState, POINT Point, DWORD* Effect);
  HRESULT DropDragOver(DWORD KeyState, POINT Point, DWORD* Effect);
  HRESULT DropDragLeave();
  HRESULT DropDrop(IDataObject* Data, DWORD KeyState, POINT Point, DWORD* Effect);
  // Lets go of the target and its highlight.
  void DropLeave();
  // A drag entering is first offered the default effect of these settings.
  virtual TkvDragDropSettings* GetDragDropSettings() const = 0;

 protected:
  void RegisterDrops(HWND Window);
  void RevokeDrops(HWND Window);
  // Makes the target under the screen point FDropTarget and highlights it; answers whether the
  // target changed.
  virtual bool DropHover(const TPoint& ScreenPoint) = 0;
  virtual void ClearDropHighlight() = 0;
  // A drop with an effect, while the target's highlight still shows.
  virtual void Dropped() {}

  TInterfacePtr<IDropTarget> FDropTarget;
  // The data of the drag over the view, for the targets it meets after entering.
  TInterfacePtr<IDataObject> FDragData;

 private:
  TInterfacePtr<IDropTarget> FRegisteredTarget;
};

// The shell's menu for Items (relative to Folder) at the screen point; the chosen command runs.
// Answers whether one ran.
bool ShowShellContextMenu(HWND Window, IShellFolder* Folder, const std::vector<LPCITEMIDLIST>& Items,
                          const TPoint& Point);

// ---- Folder and items ----------------------------------------------------------------------

class TkvShellFolder : public TObject {
  TAVREN_CLASS(TkvShellFolder, TObject)
 public:
  // AAbsoluteIdList is borrowed: it must outlive the folder object.
  explicit TkvShellFolder(LPCITEMIDLIST AAbsoluteIdList);
  ~TkvShellFolder() override;
  LPCITEMIDLIST GetAbsoluteIdList() const { return FAbsoluteIdList; }
  IShellFolder* GetParentFolder() const { return FParentFolder.Get(); }
  LPCITEMIDLIST GetRelativeIdList() const { return FRelativeIdList; }

 private:
  LPCITEMIDLIST FAbsoluteIdList;
  TInterfacePtr<IShellFolder> FParentFolder;
  LPITEMIDLIST FRelativeIdList = nullptr;
};

struct TkvDetailItem {
  String HeaderText;
  Integer PixelWidth = 0;
  TAlignment TextAlign = taLeftJustify;
  Integer ColumnIndex = 0;
};

class TkvShellDetails : public TObject {
  TAVREN_CLASS(TkvShellDetails, TObject)
 public:
  TkvDetailItem* AddColumn();
  void ClearColumns() { FColumns.clear(); }
  Integer ColumnCount() const { return static_cast<Integer>(FColumns.size()); }
  TkvDetailItem* Column(Integer Index) const { return FColumns[static_cast<size_t>(Index)].get(); }
  // Folders here offer no column objects of their own: the fixed set, Name and, for a folder of
  // the file system, Size, Type and Modified; CharWidth is one character in pixels.
  void LoadColumns(Integer CharWidth, IShellFolder* Folder, bool InFileSystem);

 private:
  std::vector<std::unique_ptr<TkvDetailItem>> FColumns;
};

class TkvShellItemInfo : public TObject {
  TAVREN_CLASS(TkvShellItemInfo, TObject)
 public:
  // AItemId is copied; the first stage runs at once.
  TkvShellItemInfo(TkvCustomItemProducer* AProducer, LPCITEMIDLIST AItemId, LPCITEMIDLIST ParentIdList,
                   IShellFolder* Folder);
  ~TkvShellItemInfo() override;

  // The first stage: the container bit and the display name. Runs once.
  void Prepare(IShellFolder* Folder, LPCITEMIDLIST ItemId);
  // The second stage; safe from two threads at once under the producer's read lock.
  void Fetch(IShellFolder* Folder, LPCITEMIDLIST ParentIdList);
  // After a rename: the new ID, and the full list, folder object and name rebuilt to match.
  void ReplaceIdList(IShellFolder* Folder, LPCITEMIDLIST ParentIdList, LPCITEMIDLIST NewItemId);
  // One text per detail column other than the name: size, type, modified for a file.
  void LoadDetailTexts(IShellFolder* Folder, TkvShellDetails* Columns);

  // First-stage fields: fixed once the item is in its producer's list.
  bool IsContainer = false;
  // The tree's worker may find out later that a folder has no children after all.
  std::atomic<bool> MayHaveChildren{false};
  bool Prepared = false;
  String DisplayName;
  // Placeholders from the first stage, the real icons from the second (either thread writes them).
  std::atomic<Integer> ImageIndex{-1};
  std::atomic<Integer> OpenImageIndex{-1};
  // Second-stage fields: read them only once GetFetched answers true.
  bool Renamable = false;
  bool AcceptsDrop = false;
  bool InFileSystem = false;
  bool Hidden = false;
  bool IsShortcut = false;
  bool OnRemovableMedia = false;
  bool IsShared = false;
  String TypeName;

  bool GetFetched() const { return FFetched.load(std::memory_order_acquire); }
  void SetFetched(bool Value) { FFetched.store(Value, std::memory_order_release); }
  TkvCustomItemProducer* GetProducer() const { return FProducer; }
  LPCITEMIDLIST GetItemIdList() const { return FItemIdList; }
  LPCITEMIDLIST GetFullIdList() const { return FFullIdList; }
  TkvShellFolder* GetFolderObject() const { return FFolderObject.get(); }
  TStringList* GetDetailTexts() const { return FDetailTexts.get(); }

 private:
  void RebuildFullIdList(LPCITEMIDLIST ParentIdList);
  TkvCustomItemProducer* FProducer;
  std::unique_ptr<TStringList> FDetailTexts;
  std::unique_ptr<TkvShellFolder> FFolderObject;
  LPITEMIDLIST FFullIdList = nullptr;
  LPITEMIDLIST FItemIdList = nullptr;
  std::atomic<bool> FFetched{false};
  std::atomic<bool> FFetching{false};
};

// ---- Root ----------------------------------------------------------------------------------

// The folder a shell control is rooted at: a special folder, or a custom path.
enum TkvBrowseFolder {
  bfCustomPath, bfAltStartup, bfBitBucket, bfCommonDesktopDirectory, bfCommonDocuments, bfCommonFavorites,
  bfCommonPrograms, bfCommonStartMenu, bfCommonStartup, bfCommonTemplates, bfControls, bfDesktop,
  bfDesktopDirectory, bfDrives, bfPrinters, bfFavorites, bfFonts, bfHistory, bfMyMusic, bfMyPictures, bfNetHood,
  bfProfile, bfProgramFiles, bfPrograms, bfRecent, bfStartMenu, bfStartUp, bfTemplates
};
TAVREN_ENUM_INFO(TkvBrowseFolder, bfCustomPath, bfAltStartup, bfBitBucket, bfCommonDesktopDirectory,
                 bfCommonDocuments, bfCommonFavorites, bfCommonPrograms, bfCommonStartMenu, bfCommonStartup,
                 bfCommonTemplates, bfControls, bfDesktop, bfDesktopDirectory, bfDrives, bfPrinters, bfFavorites,
                 bfFonts, bfHistory, bfMyMusic, bfMyPictures, bfNetHood, bfProfile, bfProgramFiles, bfPrograms,
                 bfRecent, bfStartMenu, bfStartUp, bfTemplates);
// The special-folder number of a value (-1 for bfCustomPath).
Integer BrowseFolderCsidl(TkvBrowseFolder Folder);

class TkvCustomShellRoot : public TPersistent {
  TAVREN_CLASS(TkvCustomShellRoot, TPersistent)
 public:
  TkvCustomShellRoot(TWinControl* AOwner, HWND AParentWindow);
  ~TkvCustomShellRoot() override;

  void Assign(TPersistent* Source) override;
  // Virtual operations, in the order descendants know them.
  virtual void ResolveRoot();
  virtual void AfterResolve();

  void AssignIdList(LPCITEMIDLIST List);
  // Copies another root's settings without telling anybody back (two linked roots).
  void UpdateFrom(TkvCustomShellRoot* Source);
  String GetParsingPath();
  void EnsureResolved() {
    if (!FFolderIntf) ResolveRoot();
  }

  TkvBrowseFolder GetBrowseFolder() const { return FBrowseFolder; }
  void SetBrowseFolder(TkvBrowseFolder Value);
  String GetCustomPath() const { return FCustomPath; }
  void SetCustomPath(const String& Value);
  DWORD GetAttributes() const { return FAttributes; }
  TkvShellFolder* GetFolderObject() const { return FFolderObject.get(); }
  LPCITEMIDLIST GetIdList() const { return FIdList; }
  IShellFolder* GetFolderIntf() const { return FFolderIntf.Get(); }
  bool GetValid() const { return FValid; }
  TWinControl* GetOwnerControl() const { return FOwner; }
  TNotifyEvent GetOnChanged() const { return FOnChanged; }
  void SetOnChanged(TNotifyEvent Value) { FOnChanged = Value; }

 private:
  // Runs a change of the settings; on failure puts the old ones back, resolves again and raises.
  template <class Change>
  void ChangeSettings(Change&& Apply);

  DWORD FAttributes = 0;
  TkvBrowseFolder FBrowseFolder = bfDesktop;
  String FCustomPath;
  std::unique_ptr<TkvShellFolder> FFolderObject;
  bool FResolving = false;
  TWinControl* FOwner;
  HWND FParentWindow;
  LPITEMIDLIST FIdList = nullptr;
  Integer FChangeLevel = 0;
  TInterfacePtr<IShellFolder> FFolderIntf;
  bool FSynchronizing = false;
  bool FValid = false;
  TNotifyEvent FOnChanged;
};

// ---- Options -------------------------------------------------------------------------------

class TkvShellOptions : public TPersistent {
  TAVREN_CLASS(TkvShellOptions, TPersistent)
 public:
  using TCreateArg = TWinControl*;
  explicit TkvShellOptions(TWinControl* AOwner) : FOwner(AOwner) {}
  void Assign(TPersistent* Source) override;
  // The enumeration flags the options ask for.
  DWORD GetEnumFlags() const;

  bool GetShowFolders() const { return FShowFolders; }
  void SetShowFolders(bool Value);
  bool GetShowNonFolders() const { return FShowNonFolders; }
  void SetShowNonFolders(bool Value);
  bool GetShowHidden() const { return FShowHidden; }
  void SetShowHidden(bool Value);
  bool GetContextMenus() const { return FContextMenus; }
  void SetContextMenus(bool Value) { FContextMenus = Value; }
  bool GetTrackShellChanges() const { return FTrackShellChanges; }
  void SetTrackShellChanges(bool Value) { FTrackShellChanges = Value; }
  bool GetShowToolTip() const { return FShowToolTip; }
  void SetShowToolTip(bool Value);
  TNotifyEvent GetOnShowToolTipChanged() const { return FOnShowToolTipChanged; }
  void SetOnShowToolTipChanged(TNotifyEvent Value) { FOnShowToolTipChanged = Value; }

 protected:
  void NotifyOwner();

 private:
  TWinControl* FOwner;
  bool FShowFolders = true;
  bool FShowNonFolders = true;
  bool FShowHidden = false;
  bool FContextMenus = true;
  bool FTrackShellChanges = true;
  bool FShowToolTip = true;
  TNotifyEvent FOnShowToolTipChanged;
};

// ---- Producers -----------------------------------------------------------------------------

// A fetch request of the worker's queue.
struct TkvFetchRequest {
  Integer ItemIndex = 0;
  TkvCustomItemProducer* RequestProducer = nullptr;
  Integer Priority = 0;  // 1: queued at the front
};

// Descendants call ClearItems in their destructors: the base destructor cannot withdraw queued
// requests, since the gatherer is found through a virtual.
class TkvCustomItemProducer : public TObject {
  TAVREN_CLASS(TkvCustomItemProducer, TObject)
 public:
  using TCreateArg = TWinControl*;
  explicit TkvCustomItemProducer(TWinControl* AOwnerControl);
  ~TkvCustomItemProducer() override;

  // Virtual operations, in the order descendants know them.
  virtual bool WantsBackgroundFetch() = 0;
  virtual bool CanAddFolder(TkvShellFolder*) { return true; }
  virtual bool CompareItems(TkvShellFolder*, TkvShellFolder*, Integer&) { return false; }
  virtual DWORD GetEnumFlags() = 0;
  virtual TkvShellItemsInfoGatherer* GetGatherer() = 0;
  virtual bool ShowsInfoTips() = 0;
  virtual void InitItem(TkvShellItemInfo*) {}
  virtual void ItemFetched(TkvShellItemInfo*) {}
  virtual void ProcessItems(IShellFolder* Folder, LPCITEMIDLIST AbsoluteIdList, Integer PrefetchCount);
  virtual void LoadDetails(IShellFolder* Folder, Integer CharWidth);
  virtual void NotifyItemCount(Integer Count);
  virtual void NotifyItemFetched(const TkvFetchRequest& Request) = 0;
  virtual void NotifyItemRemoved(Integer Index);
  virtual void NotifyItemAdded(Integer Index);

  void ClearItems();
  void BeginRead() { FListLock->BeginRead(); }
  void EndRead() { FListLock->EndRead(); }
  void BeginWrite() { FListLock->BeginWrite(); }
  void EndWrite() { FListLock->EndWrite(); }
  void EnumerateItems(Integer PrefetchCount);
  void FetchAll();
  Integer IndexOfId(LPCITEMIDLIST ItemId);
  void RequestFetch(Integer Index, bool Priority);
  void CancelFetches();
  // The shell's tip for item Index into Buffer (UTF-8, cut at a whole character to fit with its
  // terminator); an empty text while tips are off; the buffer untouched when there is no tip.
  void GetInfoTip(HWND Window, Integer Index, Integer BufferSize, char* Buffer);
  // Takes the list of the folder the producer stands for (copied), before it is processed.
  void SetFolderIdList(LPCITEMIDLIST List);

  // Under the read lock (or the write lock) only.
  Integer ItemCount() const { return static_cast<Integer>(FItemList.size()); }
  TkvShellItemInfo* Item(Integer Index) const { return FItemList[static_cast<size_t>(Index)].get(); }
  TkvShellDetails* GetColumns() const { return FColumns.get(); }
  LPCITEMIDLIST GetFolderIdList() const { return FFolderIdList; }
  IShellFolder* GetFolderIntf() const { return FFolderIntf.Get(); }
  TWinControl* GetOwnerControl() const { return FOwnerControl; }

 protected:
  void SortItems(std::vector<std::unique_ptr<TkvShellItemInfo>>& Items, bool WithUserOrder);
  // The folder's items as the shell lists them now, each prepared; empty names left out.
  bool EnumerateInto(std::vector<std::unique_ptr<TkvShellItemInfo>>& Items);
  void SendToOwner(UINT Message, WPARAM WParam, LPARAM LParam);

  std::vector<std::unique_ptr<TkvShellItemInfo>> FItemList;

 private:
  std::unique_ptr<TkvShellDetails> FColumns;
  LPITEMIDLIST FFolderIdList = nullptr;
  std::unique_ptr<TMultiReadExclusiveWriteSynchronizer> FListLock;
  TWinControl* FOwnerControl;
  TInterfacePtr<IShellFolder> FFolderIntf;
};
using TkvCustomItemProducerClass = TClassOf<TkvCustomItemProducer>;

// ---- The information gatherer --------------------------------------------------------------

// One worker thread per view completes the second stage of queued items. The queue is guarded by
// a mutex; a pause returns only once the worker has acknowledged that pause, between two requests,
// so the user-interface thread may change producers and their items while it holds the pause.
class TkvShellItemsInfoGatherer : public TObject {
  TAVREN_CLASS(TkvShellItemsInfoGatherer, TObject)
 public:
  explicit TkvShellItemsInfoGatherer(TWinControl* AOwner);
  ~TkvShellItemsInfoGatherer() override;

  // Pauses nest; only the outermost resume lets the worker go on; an extra resume does nothing.
  void PauseWorker();
  void ResumeWorker();
  void Enqueue(TkvCustomItemProducer* Producer, Integer Index, bool Priority);
  // Withdraws the producer's requests; a nil producer withdraws them all.
  void CancelRequests(TkvCustomItemProducer* Producer);
  // Ends the worker; a second call does nothing.
  void StopWorker();

  // A copy of the queue as it stands (for tests and diagnostics).
  std::vector<TkvFetchRequest> QueuedRequests();
  TWinControl* GetOwner() const { return FOwner; }

 private:
  void WorkerLoop();
  void RunRequest(const TkvFetchRequest& Request);

  std::mutex FMutex;
  std::condition_variable FWake;      // to the worker: pause, resume, new work, quit
  std::condition_variable FIdleSeen;  // to the pausing thread: the worker stands still
  std::deque<TkvFetchRequest> FQueue;
  bool FPaused = false;
  bool FQuit = false;
  uint64_t FPauseGeneration = 0;
  uint64_t FIdleGeneration = 0;
  Integer FPauseCount = 0;  // user-interface thread only
  bool FClearingQueue = false;
  TWinControl* FOwner;
  std::thread FWorkerThread;
};

// Stops the worker of every live gatherer (the unit's end).
void StopAllGatherers();
void kvShellCommonEnd();
