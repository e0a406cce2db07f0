// Item ID lists: building, walking, copying and comparing them.

#include "user/ShellIdList.h"

#include <cstdlib>
#include <cstring>

namespace {

constexpr UINT kCountBytes = sizeof(USHORT);

USHORT CountAt(const BYTE* p) {
  USHORT count;
  std::memcpy(&count, p, sizeof count);
  return count;
}

const BYTE* Bytes(LPCITEMIDLIST list) { return reinterpret_cast<const BYTE*>(list); }

LPITEMIDLIST Allocate(UINT size) { return static_cast<LPITEMIDLIST>(std::calloc(1, size)); }

}  // namespace

UINT ILGetSize(LPCITEMIDLIST list) {
  if (!list) return 0;
  const BYTE* p = Bytes(list);
  UINT size = 0;
  while (USHORT count = CountAt(p + size)) size += count;
  return size + kCountBytes;
}

LPITEMIDLIST ILGetNext(LPCITEMIDLIST list) {
  if (!list || list->mkid.cb == 0) return nullptr;
  return const_cast<LPITEMIDLIST>(reinterpret_cast<LPCITEMIDLIST>(Bytes(list) + list->mkid.cb));
}

LPITEMIDLIST ILFindLastID(LPCITEMIDLIST list) {
  if (!list) return nullptr;
  LPCITEMIDLIST last = list;
  for (LPCITEMIDLIST p = list; p->mkid.cb != 0; p = ILGetNext(p)) last = p;
  return const_cast<LPITEMIDLIST>(last);
}

BOOL ILRemoveLastID(LPITEMIDLIST list) {
  if (!list || list->mkid.cb == 0) return FALSE;
  LPITEMIDLIST last = ILFindLastID(list);
  last->mkid.cb = 0;
  return TRUE;
}

LPITEMIDLIST ILClone(LPCITEMIDLIST list) {
  if (!list) return nullptr;
  UINT size = ILGetSize(list);
  LPITEMIDLIST copy = Allocate(size);
  if (copy) std::memcpy(copy, list, size);
  return copy;
}

LPITEMIDLIST ILCloneFirst(LPCITEMIDLIST list) {
  if (!list) return nullptr;
  UINT first = list->mkid.cb;
  LPITEMIDLIST copy = Allocate(first + kCountBytes);
  if (copy) std::memcpy(copy, list, first);
  return copy;
}

LPITEMIDLIST ILCombine(LPCITEMIDLIST first, LPCITEMIDLIST second) {
  if (!first && !second) return nullptr;
  UINT a = first ? ILGetSize(first) - kCountBytes : 0;
  UINT b = second ? ILGetSize(second) : kCountBytes;
  LPITEMIDLIST list = Allocate(a + b);
  if (!list) return nullptr;
  if (a) std::memcpy(list, first, a);
  if (second) std::memcpy(reinterpret_cast<BYTE*>(list) + a, second, b);
  return list;
}

BOOL ILIsEqual(LPCITEMIDLIST first, LPCITEMIDLIST second) {
  if (!first || !second) return first == second;
  UINT size = ILGetSize(first);
  return size == ILGetSize(second) && std::memcmp(first, second, size) == 0;
}

BOOL ILIsEmpty(LPCITEMIDLIST list) { return !list || list->mkid.cb == 0; }

void ILFree(LPITEMIDLIST list) { std::free(list); }

LPITEMIDLIST ILFromNames(const std::vector<ShellItemName>& names) {
  UINT size = kCountBytes;
  for (const ShellItemName& n : names) {
    UINT id = kCountBytes + 1 + static_cast<UINT>(n.Name.size()) + 1;
    if (id > 0xFFFF || n.Name.find('\0') != String::npos) return nullptr;
    size += id;
  }
  LPITEMIDLIST list = Allocate(size);
  if (!list) return nullptr;
  BYTE* p = reinterpret_cast<BYTE*>(list);
  for (const ShellItemName& n : names) {
    USHORT count = static_cast<USHORT>(kCountBytes + 1 + n.Name.size() + 1);
    std::memcpy(p, &count, kCountBytes);
    p[kCountBytes] = static_cast<BYTE>(n.Kind);
    std::memcpy(p + kCountBytes + 1, n.Name.data(), n.Name.size());
    p += count;  // the terminating zero comes from calloc
  }
  return list;
}

bool ILToNames(LPCITEMIDLIST list, std::vector<ShellItemName>* names) {
  names->clear();
  if (!list) return false;
  for (const BYTE* p = Bytes(list); USHORT count = CountAt(p); p += count) {
    if (count < kCountBytes + 2 || p[count - 1] != 0) return false;
    const char* text = reinterpret_cast<const char*>(p + kCountBytes + 1);
    names->push_back({static_cast<ShellItemKind>(p[kCountBytes]), String(text, count - kCountBytes - 2)});
  }
  return true;
}
