#pragma once
// The tree view ("SysTreeView32"): items in a hierarchy with lines and buttons, children on
// demand (cChildren = I_CHILDRENCALLBACK and TVN_ITEMEXPANDING), expand and collapse, selection,
// keyboard navigation, images, label editing in an inner EDIT, with the documented values.

#include <cstring>

#include "controls/CommonNotify.h"
#include "rtl/WinTypes.h"
#include "user/Messages.h"

inline constexpr const char* WC_TREEVIEW = "SysTreeView32";

struct TreeItemHandle;
using HTREEITEM = TreeItemHandle*;

inline HTREEITEM const TVI_ROOT = reinterpret_cast<HTREEITEM>(static_cast<intptr_t>(-0x10000));
inline HTREEITEM const TVI_FIRST = reinterpret_cast<HTREEITEM>(static_cast<intptr_t>(-0x0FFFF));
inline HTREEITEM const TVI_LAST = reinterpret_cast<HTREEITEM>(static_cast<intptr_t>(-0x0FFFE));
inline HTREEITEM const TVI_SORT = reinterpret_cast<HTREEITEM>(static_cast<intptr_t>(-0x0FFFD));

constexpr DWORD TVS_HASBUTTONS = 0x0001;
constexpr DWORD TVS_HASLINES = 0x0002;
constexpr DWORD TVS_LINESATROOT = 0x0004;
constexpr DWORD TVS_EDITLABELS = 0x0008;
constexpr DWORD TVS_DISABLEDRAGDROP = 0x0010;
constexpr DWORD TVS_SHOWSELALWAYS = 0x0020;
constexpr DWORD TVS_RTLREADING = 0x0040;
constexpr DWORD TVS_NOTOOLTIPS = 0x0080;
constexpr DWORD TVS_CHECKBOXES = 0x0100;
constexpr DWORD TVS_TRACKSELECT = 0x0200;
constexpr DWORD TVS_SINGLEEXPAND = 0x0400;
constexpr DWORD TVS_INFOTIP = 0x0800;
constexpr DWORD TVS_FULLROWSELECT = 0x1000;
constexpr DWORD TVS_NOSCROLL = 0x2000;
constexpr DWORD TVS_NONEVENHEIGHT = 0x4000;
constexpr DWORD TVS_NOHSCROLL = 0x8000;

constexpr UINT TVIF_TEXT = 0x0001;
constexpr UINT TVIF_IMAGE = 0x0002;
constexpr UINT TVIF_PARAM = 0x0004;
constexpr UINT TVIF_STATE = 0x0008;
constexpr UINT TVIF_HANDLE = 0x0010;
constexpr UINT TVIF_SELECTEDIMAGE = 0x0020;
constexpr UINT TVIF_CHILDREN = 0x0040;
constexpr UINT TVIF_INTEGRAL = 0x0080;
constexpr UINT TVIF_DI_SETITEM = 0x1000;

constexpr UINT TVIS_SELECTED = 0x0002;
constexpr UINT TVIS_CUT = 0x0004;
constexpr UINT TVIS_DROPHILITED = 0x0008;
constexpr UINT TVIS_BOLD = 0x0010;
constexpr UINT TVIS_EXPANDED = 0x0020;
constexpr UINT TVIS_EXPANDEDONCE = 0x0040;
constexpr UINT TVIS_EXPANDPARTIAL = 0x0080;
constexpr UINT TVIS_OVERLAYMASK = 0x0F00;
constexpr UINT TVIS_STATEIMAGEMASK = 0xF000;
constexpr UINT TVIS_USERMASK = 0xF000;

constexpr int I_CHILDRENCALLBACK = -1;

struct TVITEM {
  UINT mask = 0;
  HTREEITEM hItem = nullptr;
  UINT state = 0;
  UINT stateMask = 0;
  char* pszText = nullptr;
  int cchTextMax = 0;
  int iImage = 0;
  int iSelectedImage = 0;
  int cChildren = 0;
  LPARAM lParam = 0;
};
using TVITEMA = TVITEM;
using TV_ITEM = TVITEM;

struct TVINSERTSTRUCT {
  HTREEITEM hParent = nullptr;
  HTREEITEM hInsertAfter = nullptr;
  TVITEM item;
};
using TVINSERTSTRUCTA = TVINSERTSTRUCT;
using TV_INSERTSTRUCT = TVINSERTSTRUCT;

constexpr UINT TVE_COLLAPSE = 0x0001;
constexpr UINT TVE_EXPAND = 0x0002;
constexpr UINT TVE_TOGGLE = 0x0003;
constexpr UINT TVE_EXPANDPARTIAL = 0x4000;
constexpr UINT TVE_COLLAPSERESET = 0x8000;

constexpr UINT TVGN_ROOT = 0x0000;
constexpr UINT TVGN_NEXT = 0x0001;
constexpr UINT TVGN_PREVIOUS = 0x0002;
constexpr UINT TVGN_PARENT = 0x0003;
constexpr UINT TVGN_CHILD = 0x0004;
constexpr UINT TVGN_FIRSTVISIBLE = 0x0005;
constexpr UINT TVGN_NEXTVISIBLE = 0x0006;
constexpr UINT TVGN_PREVIOUSVISIBLE = 0x0007;
constexpr UINT TVGN_DROPHILITE = 0x0008;
constexpr UINT TVGN_CARET = 0x0009;
constexpr UINT TVGN_LASTVISIBLE = 0x000A;

constexpr UINT TVC_UNKNOWN = 0x0000;
constexpr UINT TVC_BYMOUSE = 0x0001;
constexpr UINT TVC_BYKEYBOARD = 0x0002;

constexpr UINT TVHT_NOWHERE = 0x0001;
constexpr UINT TVHT_ONITEMICON = 0x0002;
constexpr UINT TVHT_ONITEMLABEL = 0x0004;
constexpr UINT TVHT_ONITEMINDENT = 0x0008;
constexpr UINT TVHT_ONITEMBUTTON = 0x0010;
constexpr UINT TVHT_ONITEMRIGHT = 0x0020;
constexpr UINT TVHT_ONITEMSTATEICON = 0x0040;
constexpr UINT TVHT_ONITEM = TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMSTATEICON;
constexpr UINT TVHT_ABOVE = 0x0100;
constexpr UINT TVHT_BELOW = 0x0200;
constexpr UINT TVHT_TORIGHT = 0x0400;
constexpr UINT TVHT_TOLEFT = 0x0800;

struct TVHITTESTINFO {
  POINT pt;
  UINT flags = 0;
  HTREEITEM hItem = nullptr;
};
using TV_HITTESTINFO = TVHITTESTINFO;

constexpr int TVSIL_NORMAL = 0;
constexpr int TVSIL_STATE = 2;

using PFNTVCOMPARE = int (*)(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort);
struct TVSORTCB {
  HTREEITEM hParent = nullptr;
  PFNTVCOMPARE lpfnCompare = nullptr;
  LPARAM lParam = 0;
};

struct NMTREEVIEW {
  NMHDR hdr;
  UINT action = 0;
  TVITEM itemOld;
  TVITEM itemNew;
  POINT ptDrag;
};
using NM_TREEVIEW = NMTREEVIEW;

struct NMTVDISPINFO {
  NMHDR hdr;
  TVITEM item;
};
using TV_DISPINFO = NMTVDISPINFO;

struct NMTVKEYDOWN {
  NMHDR hdr;
  WORD wVKey = 0;
  UINT flags = 0;
};

struct NMTVGETINFOTIP {
  NMHDR hdr;
  char* pszText = nullptr;
  int cchTextMax = 0;
  HTREEITEM hItem = nullptr;
  LPARAM lParam = 0;
};

constexpr UINT TVN_FIRST = 0U - 400U;
constexpr UINT TVN_SELCHANGING = TVN_FIRST - 1;
constexpr UINT TVN_SELCHANGED = TVN_FIRST - 2;
constexpr UINT TVN_GETDISPINFO = TVN_FIRST - 3;
constexpr UINT TVN_SETDISPINFO = TVN_FIRST - 4;
constexpr UINT TVN_ITEMEXPANDING = TVN_FIRST - 5;
constexpr UINT TVN_ITEMEXPANDED = TVN_FIRST - 6;
constexpr UINT TVN_BEGINDRAG = TVN_FIRST - 7;
constexpr UINT TVN_BEGINRDRAG = TVN_FIRST - 8;
constexpr UINT TVN_DELETEITEM = TVN_FIRST - 9;
constexpr UINT TVN_BEGINLABELEDIT = TVN_FIRST - 10;
constexpr UINT TVN_ENDLABELEDIT = TVN_FIRST - 11;
constexpr UINT TVN_KEYDOWN = TVN_FIRST - 12;
constexpr UINT TVN_GETINFOTIP = TVN_FIRST - 13;
constexpr UINT TVN_SELCHANGINGA = TVN_SELCHANGING;
constexpr UINT TVN_SELCHANGEDA = TVN_SELCHANGED;
constexpr UINT TVN_GETDISPINFOA = TVN_GETDISPINFO;
constexpr UINT TVN_ITEMEXPANDINGA = TVN_ITEMEXPANDING;
constexpr UINT TVN_ITEMEXPANDEDA = TVN_ITEMEXPANDED;
constexpr UINT TVN_BEGINDRAGA = TVN_BEGINDRAG;
constexpr UINT TVN_BEGINRDRAGA = TVN_BEGINRDRAG;
constexpr UINT TVN_DELETEITEMA = TVN_DELETEITEM;
constexpr UINT TVN_BEGINLABELEDITA = TVN_BEGINLABELEDIT;
constexpr UINT TVN_ENDLABELEDITA = TVN_ENDLABELEDIT;
constexpr UINT TVN_GETINFOTIPA = TVN_GETINFOTIP;

constexpr UINT TV_FIRST = 0x1100;
constexpr UINT TVM_INSERTITEM = TV_FIRST + 0;
constexpr UINT TVM_DELETEITEM = TV_FIRST + 1;
constexpr UINT TVM_EXPAND = TV_FIRST + 2;
constexpr UINT TVM_GETITEMRECT = TV_FIRST + 4;
constexpr UINT TVM_GETCOUNT = TV_FIRST + 5;
constexpr UINT TVM_GETINDENT = TV_FIRST + 6;
constexpr UINT TVM_SETINDENT = TV_FIRST + 7;
constexpr UINT TVM_GETIMAGELIST = TV_FIRST + 8;
constexpr UINT TVM_SETIMAGELIST = TV_FIRST + 9;
constexpr UINT TVM_GETNEXTITEM = TV_FIRST + 10;
constexpr UINT TVM_SELECTITEM = TV_FIRST + 11;
constexpr UINT TVM_GETITEM = TV_FIRST + 12;
constexpr UINT TVM_SETITEM = TV_FIRST + 13;
constexpr UINT TVM_EDITLABEL = TV_FIRST + 14;
constexpr UINT TVM_GETEDITCONTROL = TV_FIRST + 15;
constexpr UINT TVM_GETVISIBLECOUNT = TV_FIRST + 16;
constexpr UINT TVM_HITTEST = TV_FIRST + 17;
constexpr UINT TVM_SORTCHILDREN = TV_FIRST + 19;
constexpr UINT TVM_ENSUREVISIBLE = TV_FIRST + 20;
constexpr UINT TVM_SORTCHILDRENCB = TV_FIRST + 21;
constexpr UINT TVM_ENDEDITLABELNOW = TV_FIRST + 22;
constexpr UINT TVM_SETITEMHEIGHT = TV_FIRST + 27;
constexpr UINT TVM_GETITEMHEIGHT = TV_FIRST + 28;
constexpr UINT TVM_SETBKCOLOR = TV_FIRST + 29;
constexpr UINT TVM_SETTEXTCOLOR = TV_FIRST + 30;
constexpr UINT TVM_GETBKCOLOR = TV_FIRST + 31;
constexpr UINT TVM_GETTEXTCOLOR = TV_FIRST + 32;
constexpr UINT TVM_INSERTITEMA = TVM_INSERTITEM;
constexpr UINT TVM_GETITEMA = TVM_GETITEM;
constexpr UINT TVM_SETITEMA = TVM_SETITEM;
constexpr UINT TVM_EDITLABELA = TVM_EDITLABEL;

// TVM_GETITEMRECT takes the item in the first bytes of the rectangle it fills.
inline BOOL TreeView_GetItemRect(HWND tree, HTREEITEM item, RECT* rect, BOOL textOnly) {
  std::memcpy(static_cast<void*>(rect), &item, sizeof item);
  return static_cast<BOOL>(SendMessage(tree, TVM_GETITEMRECT, static_cast<WPARAM>(textOnly), reinterpret_cast<LPARAM>(rect)));
}

// Registers the class (at controls start).
void TreeViewRegister();
