#pragma once
// Drag and drop inside the process: data objects, drop sources and drop targets as the shell and
// its views use them, and the loop that carries a drag from window to window. Windows register
// their drop target; the loop asks the target under the mouse, and the source decides when the
// drag ends.

#include <vector>

#include "rtl/Interfaces.h"
#include "rtl/Types.h"
#include "rtl/WinTypes.h"
#include "user/ShellIdList.h"

constexpr DWORD DROPEFFECT_NONE = 0;
constexpr DWORD DROPEFFECT_COPY = 1;
constexpr DWORD DROPEFFECT_MOVE = 2;
constexpr DWORD DROPEFFECT_LINK = 4;

constexpr HRESULT DRAGDROP_S_DROP = 0x00040100;
constexpr HRESULT DRAGDROP_S_CANCEL = 0x00040101;
constexpr HRESULT DRAGDROP_S_USEDEFAULTCURSORS = 0x00040102;
constexpr HRESULT DRAGDROP_E_NOTREGISTERED = static_cast<HRESULT>(0x80040100);
constexpr HRESULT DRAGDROP_E_ALREADYREGISTERED = static_cast<HRESULT>(0x80040101);
constexpr HRESULT DV_E_FORMATETC = static_cast<HRESULT>(0x80040064);

constexpr DWORD TYMED_HGLOBAL = 1;

struct FORMATETC {
  UINT cfFormat = 0;
  DWORD tymed = TYMED_HGLOBAL;
};

struct STGMEDIUM {
  DWORD tymed = 0;
  HGLOBAL hGlobal = nullptr;
};
// Frees the medium's memory.
void ReleaseStgMedium(STGMEDIUM* medium);

// The clipboard format of a "Shell IDList Array": a count, count + 1 offsets, then the folder's
// absolute list and each item's list relative to it.
UINT ShellIdListFormat();

class IDataObject : public virtual IInterface {
  TAVREN_INTERFACE(IDataObject)
 public:
  virtual HRESULT GetData(const FORMATETC* format, STGMEDIUM* medium) = 0;
  virtual HRESULT QueryGetData(const FORMATETC* format) = 0;
};

class IDropSource : public virtual IInterface {
  TAVREN_INTERFACE(IDropSource)
 public:
  // S_OK to go on, DRAGDROP_S_DROP to drop, DRAGDROP_S_CANCEL to end without dropping.
  virtual HRESULT QueryContinueDrag(BOOL escapePressed, DWORD keyState) = 0;
  virtual HRESULT GiveFeedback(DWORD effect) = 0;
};

class IDropTarget : public virtual IInterface {
  TAVREN_INTERFACE(IDropTarget)
 public:
  virtual HRESULT DragEnter(IDataObject* data, DWORD keyState, POINT point, DWORD* effect) = 0;
  virtual HRESULT DragOver(DWORD keyState, POINT point, DWORD* effect) = 0;
  virtual HRESULT DragLeave() = 0;
  virtual HRESULT Drop(IDataObject* data, DWORD keyState, POINT point, DWORD* effect) = 0;
};

// A window's target, held (with a reference) until it is revoked or the window goes.
HRESULT RegisterDragDrop(HWND window, IDropTarget* target);
HRESULT RevokeDragDrop(HWND window);

// Carries the drag until the source drops or cancels: the target under the mouse (the window or
// its nearest ancestor with one) gets DragEnter, DragOver, DragLeave and Drop; *effect is what the
// drop did. Answers DRAGDROP_S_DROP or DRAGDROP_S_CANCEL.
HRESULT DoDragDrop(IDataObject* data, IDropSource* source, DWORD allowedEffects, DWORD* effect);

// A data object holding copies of the folder's absolute list and of the items' relative lists.
IDataObject* CreateShellIdListData(LPCITEMIDLIST folder, UINT count, LPCITEMIDLIST* items);
// The absolute lists the data holds (each the caller's to free with ILFree); false when it holds
// none.
bool ShellIdListsOf(IDataObject* data, std::vector<LPITEMIDLIST>* lists);
