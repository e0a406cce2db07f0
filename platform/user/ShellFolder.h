#pragma once
// Folders of the shell namespace as objects: the desktop folder and the folders bound below it
// answer parsing, enumeration, attributes, names and renaming for their own items. Item IDs
// handed in are relative to the folder; lists handed out are the caller's to free (ILFree or the
// shell allocator). Names are UTF-8.

#include "rtl/Interfaces.h"
#include "user/DragDrop.h"
#include "user/PopupMenus.h"
#include "user/ShellNamespace.h"


// The shell's task allocator; lists and texts from the shell are freed through it.
class IMalloc : public virtual IInterface {
  TAVREN_INTERFACE(IMalloc)
 public:
  virtual void* Alloc(size_t size) = 0;
  virtual void* Realloc(void* block, size_t size) = 0;
  virtual void Free(void* block) = 0;
};
HRESULT SHGetMalloc(IMalloc** allocator);

enum : UINT { STRRET_WSTR = 0, STRRET_OFFSET = 1, STRRET_CSTR = 2 };

// A name from GetDisplayNameOf: UTF-8 in cStr when it fits, else a UTF-16 copy in pOleStr that
// the shell allocator frees.
struct STRRET {
  UINT uType;
  union {
    WideChar* pOleStr;
    UINT uOffset;
    char cStr[MAX_PATH];
  };
};

class IEnumIDList : public virtual IInterface {
  TAVREN_INTERFACE(IEnumIDList)
 public:
  // Up to count items as new single-ID lists; S_OK when count came, S_FALSE when fewer did.
  virtual HRESULT Next(ULONG count, LPITEMIDLIST* items, ULONG* fetched) = 0;
  virtual HRESULT Skip(ULONG count) = 0;
  virtual HRESULT Reset() = 0;
};

// The tip a view shows for an item: its type, size and modification time, one a line.
class IQueryInfo : public virtual IInterface {
  TAVREN_INTERFACE(IQueryInfo)
 public:
  // *tip: a UTF-16 copy that the shell allocator frees.
  virtual HRESULT GetInfoTip(DWORD flags, WideChar** tip) = 0;
  virtual HRESULT GetInfoFlags(DWORD* flags) = 0;
};

// The shell's menu for items: "Open", "New Folder" (inside one folder) and "Move to Trash"
// (into the freedesktop trash, never over a name there).
constexpr UINT CMF_NORMAL = 0x0000;
constexpr UINT CMF_DEFAULTONLY = 0x0001;
constexpr UINT CMF_EXPLORE = 0x0004;
constexpr UINT CMF_CANRENAME = 0x0010;
// The commands' offsets from the first id a menu was given, and their verbs.
constexpr UINT kvcmdOpen = 0;
constexpr UINT kvcmdNewFolder = 1;
constexpr UINT kvcmdMoveToTrash = 2;

struct CMINVOKECOMMANDINFO {
  DWORD cbSize = sizeof(CMINVOKECOMMANDINFO);
  DWORD fMask = 0;
  HWND hwnd = nullptr;
  // A command offset (a value below 0x10000) or a verb: "open", "newfolder", "delete".
  const char* lpVerb = nullptr;
  const char* lpParameters = nullptr;
  const char* lpDirectory = nullptr;
  int nShow = 0;
};

// The verb pointer that stands for a command offset.
inline const char* CommandOffsetVerb(UINT Offset) { return reinterpret_cast<const char*>(static_cast<uintptr_t>(Offset)); }

class IContextMenu : public virtual IInterface {
  TAVREN_INTERFACE(IContextMenu)
 public:
  // Adds the commands at index with ids from first (at most up to last); answers the number of
  // ids used as a success code.
  virtual HRESULT QueryContextMenu(HMENU menu, UINT index, UINT first, UINT last, UINT flags) = 0;
  virtual HRESULT InvokeCommand(CMINVOKECOMMANDINFO* info) = 0;
  // The verb of a command offset into name (UTF-8).
  virtual HRESULT GetCommandString(UINT_PTR command, UINT type, UINT* reserved, char* name, UINT max) = 0;
};

class IContextMenu2 : public virtual IContextMenu {
  TAVREN_INTERFACE(IContextMenu2)
 public:
  // Menus here draw their own items: nothing to hand on.
  virtual HRESULT HandleMenuMsg(UINT message, WPARAM wParam, LPARAM lParam) = 0;
};

// The effect a drop into Folder (a path) has for the keys held: Ctrl+Shift links, Ctrl copies,
// Shift moves, else a move on the same volume and a copy across volumes; limited to Allowed.
DWORD FolderDropEffect(const String& Folder, const std::vector<String>& Sources, DWORD KeyState, DWORD Allowed);
// Copies, moves or links Sources into Folder; a name taken there is left alone (that item
// fails). Answers the effect when at least one item went.
DWORD DropIntoFolder(const String& Folder, const std::vector<String>& Sources, DWORD Effect);

// Moves the item at path into the trash, with its .trashinfo record; false when it cannot.
bool MoveToTrash(const String& Path);

class IShellFolder : public virtual IInterface {
  TAVREN_INTERFACE(IShellFolder)
 public:
  // A path (absolute, or relative to this folder) as a list relative to this folder; attributes,
  // when given, asks for those SFGAO bits and receives them.
  virtual HRESULT ParseDisplayName(HWND window, void* bindContext, const char* name, ULONG* eaten,
                                   LPITEMIDLIST* list, ULONG* attributes) = 0;
  virtual HRESULT EnumObjects(HWND window, DWORD flags, IEnumIDList** items) = 0;
  // The folder a relative list names, as IShellFolder.
  virtual HRESULT BindToObject(LPCITEMIDLIST list, void* bindContext, const TInterfaceId& iid, void** folder) = 0;
  // Negative, 0 or positive in the low 16 bits: item by item, the kinds, then the names byte by
  // byte; a list that is a prefix of the other comes first. Every column compares the same way.
  virtual HRESULT CompareIDs(LPARAM column, LPCITEMIDLIST first, LPCITEMIDLIST second) = 0;
  // Keeps in *attributes the bits every item has; a request of 0 gets all the items share.
  virtual HRESULT GetAttributesOf(UINT count, LPCITEMIDLIST* items, ULONG* attributes) = 0;
  virtual HRESULT GetDisplayNameOf(LPCITEMIDLIST item, DWORD flags, STRRET* name) = 0;
  // Renames a file-system item of this folder; the new relative list in *renamed when given.
  virtual HRESULT SetNameOf(HWND window, LPCITEMIDLIST item, const char* name, DWORD flags,
                            LPITEMIDLIST* renamed) = 0;
  // An object for the folder itself: IDropTarget for a folder of the file system.
  virtual HRESULT CreateViewObject(HWND window, const TInterfaceId& iid, void** object) = 0;
  // An object for items of this folder: IQueryInfo or IDropTarget (a folder) for one item,
  // IContextMenu or IDataObject for one or more; E_NOINTERFACE for anything else.
  virtual HRESULT GetUIObjectOf(HWND window, UINT count, LPCITEMIDLIST* items, const TInterfaceId& iid,
                                UINT* reserved, void** object) = 0;
};

HRESULT SHGetDesktopFolder(IShellFolder** folder);
