#include "user/DragDrop.h"

#include <cstring>
#include <map>
#include <vector>

#include "user/Clipboard.h"
#include "user/GlobalMemory.h"
#include "user/Input.h"
#include "user/Messages.h"
#include "user/MessageNumbers.h"
#include "user/ShellIdList.h"
#include "user/VirtualKeys.h"
#include "user/WindowPos.h"
#include "user/WindowTree.h"

namespace {

std::map<HWND, TInterfacePtr<IDropTarget>>& Targets() {
  static std::map<HWND, TInterfacePtr<IDropTarget>> targets;
  return targets;
}

// The registered target of the window or of its nearest ancestor.
IDropTarget* TargetAt(POINT point) {
  for (HWND window = WindowFromPoint(point); window; window = GetParent(window)) {
    auto found = Targets().find(window);
    if (found != Targets().end()) {
      if (IsWindow(window)) return found->second.Get();
      Targets().erase(found);
      return nullptr;
    }
  }
  return nullptr;
}

DWORD ModifierState() {
  DWORD state = 0;
  if (GetKeyState(VK_CONTROL) < 0) state |= MK_CONTROL;
  if (GetKeyState(VK_SHIFT) < 0) state |= MK_SHIFT;
  return state;
}

class TShellIdListData : public TInterfacedObject, public IDataObject {
  TAVREN_CLASS(TShellIdListData, TInterfacedObject)
 public:
  TShellIdListData(LPCITEMIDLIST folder, UINT count, LPCITEMIDLIST* items) {
    FLists.push_back(ILClone(folder));
    for (UINT i = 0; i < count; ++i) FLists.push_back(ILClone(items[i]));
  }
  ~TShellIdListData() override {
    for (LPITEMIDLIST list : FLists) ILFree(list);
  }
  HRESULT QueryGetData(const FORMATETC* format) override {
    return format && format->cfFormat == ShellIdListFormat() && (format->tymed & TYMED_HGLOBAL) ? S_OK : DV_E_FORMATETC;
  }
  HRESULT GetData(const FORMATETC* format, STGMEDIUM* medium) override {
    if (!medium) return E_INVALIDARG;
    if (QueryGetData(format) != S_OK) return DV_E_FORMATETC;
    const UINT count = static_cast<UINT>(FLists.size()) - 1;
    size_t offset = sizeof(UINT) * (count + 2);
    size_t total = offset;
    for (LPITEMIDLIST list : FLists) total += ILGetSize(list);
    HGLOBAL memory = GlobalAlloc(0, total);
    auto* bytes = static_cast<char*>(GlobalLock(memory));
    if (!bytes) return E_FAIL;
    auto* header = reinterpret_cast<UINT*>(bytes);
    header[0] = count;
    for (size_t i = 0; i < FLists.size(); ++i) {
      header[i + 1] = static_cast<UINT>(offset);
      const UINT size = ILGetSize(FLists[i]);
      std::memcpy(bytes + offset, FLists[i], size);
      offset += size;
    }
    GlobalUnlock(memory);
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = memory;
    return S_OK;
  }

 private:
  std::vector<LPITEMIDLIST> FLists;
};

TAVREN_CLASS_IMPL(TShellIdListData)

}  // namespace

void ReleaseStgMedium(STGMEDIUM* medium) {
  if (!medium) return;
  if (medium->hGlobal) GlobalFree(medium->hGlobal);
  medium->hGlobal = nullptr;
  medium->tymed = 0;
}

UINT ShellIdListFormat() {
  static const UINT format = RegisterClipboardFormat("Shell IDList Array");
  return format;
}

HRESULT RegisterDragDrop(HWND window, IDropTarget* target) {
  if (!IsWindow(window) || !target) return E_INVALIDARG;
  auto& targets = Targets();
  if (targets.count(window)) return DRAGDROP_E_ALREADYREGISTERED;
  targets[window] = TInterfacePtr<IDropTarget>(target);
  return S_OK;
}

HRESULT RevokeDragDrop(HWND window) {
  return Targets().erase(window) ? S_OK : DRAGDROP_E_NOTREGISTERED;
}

HRESULT DoDragDrop(IDataObject* data, IDropSource* source, DWORD allowedEffects, DWORD* effect) {
  if (!data || !source || !effect) return E_INVALIDARG;
  *effect = DROPEFFECT_NONE;
  TInterfacePtr<IDropTarget> current;
  DWORD buttons = MK_LBUTTON;
  POINT where{0, 0};
  GetCursorPos(&where);
  bool escape = false;
  auto hover = [&] {
    TInterfacePtr<IDropTarget> target(TargetAt(where));
    DWORD wanted = allowedEffects;
    if (target.Get() != current.Get()) {
      if (current) current->DragLeave();
      current = target;
      if (current && current->DragEnter(data, buttons | ModifierState(), where, &wanted) != S_OK) wanted = DROPEFFECT_NONE;
    } else if (current) {
      if (current->DragOver(buttons | ModifierState(), where, &wanted) != S_OK) wanted = DROPEFFECT_NONE;
    }
    if (!current) wanted = DROPEFFECT_NONE;
    source->GiveFeedback(wanted & allowedEffects);
  };
  hover();
  for (;;) {
    MSG msg;
    bool moved = false;
    while (PeekMessage(&msg, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE) ||
           PeekMessage(&msg, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        escape = true;
        break;
      }
      if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST) {
        where = msg.pt;
        buttons = static_cast<DWORD>(msg.wParam) & (MK_LBUTTON | MK_RBUTTON);
        if (msg.message == WM_LBUTTONUP) buttons &= ~MK_LBUTTON;
        if (msg.message == WM_RBUTTONUP) buttons &= ~MK_RBUTTON;
        moved = true;
      } else if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
        escape = true;
      }
      const HRESULT go = source->QueryContinueDrag(escape, buttons | ModifierState());
      if (go == DRAGDROP_S_DROP || go == DRAGDROP_S_CANCEL) {
        TInterfacePtr<IDropTarget> target(TargetAt(where));
        if (target.Get() != current.Get()) hover();
        if (go == DRAGDROP_S_DROP && current) {
          DWORD dropped = allowedEffects;
          if (current->Drop(data, buttons | ModifierState(), where, &dropped) != S_OK) dropped = DROPEFFECT_NONE;
          *effect = dropped & allowedEffects;
          return *effect ? DRAGDROP_S_DROP : DRAGDROP_S_CANCEL;
        }
        if (current) current->DragLeave();
        return DRAGDROP_S_CANCEL;
      }
      if (moved) hover();
      moved = false;
    }
    WaitMessage();
  }
}

IDataObject* CreateShellIdListData(LPCITEMIDLIST folder, UINT count, LPCITEMIDLIST* items) {
  if (!folder || (count && !items)) return nullptr;
  auto* data = new TShellIdListData(folder, count, items);
  data->_AddRef();
  return data;
}

bool ShellIdListsOf(IDataObject* data, std::vector<LPITEMIDLIST>* lists) {
  if (!data || !lists) return false;
  FORMATETC format;
  format.cfFormat = ShellIdListFormat();
  STGMEDIUM medium;
  if (data->GetData(&format, &medium) != S_OK) return false;
  const size_t size = GlobalSize(medium.hGlobal);
  auto* bytes = static_cast<const char*>(GlobalLock(medium.hGlobal));
  bool ok = bytes && size >= sizeof(UINT);
  if (ok) {
    const auto* header = reinterpret_cast<const UINT*>(bytes);
    const UINT count = header[0];
    ok = size >= sizeof(UINT) * (count + 2);
    for (UINT i = 0; ok && i < count; ++i) {
      if (header[1] >= size || header[i + 2] >= size) {
        ok = false;
        break;
      }
      lists->push_back(ILCombine(reinterpret_cast<LPCITEMIDLIST>(bytes + header[1]),
                                 reinterpret_cast<LPCITEMIDLIST>(bytes + header[i + 2])));
    }
  }
  if (bytes) GlobalUnlock(medium.hGlobal);
  ReleaseStgMedium(&medium);
  return ok && !lists->empty();
}
