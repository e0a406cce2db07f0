#pragma once
// The list view ("SysListView32") in report view: columns kept by a header child, items with
// sub-items, selection and focus, owner data (texts asked with LVN_GETDISPINFO), label editing in
// an inner EDIT, grid lines, full-row select, check boxes, owner-drawn rows, custom draw and
// scrolling, with documented values.

#include "controls/CommonNotify.h"
#include "rtl/WinTypes.h"

inline constexpr const char* WC_LISTVIEW = "SysListView32";

constexpr DWORD LVS_ICON = 0x0000;
constexpr DWORD LVS_REPORT = 0x0001;
constexpr DWORD LVS_SMALLICON = 0x0002;
constexpr DWORD LVS_LIST = 0x0003;
constexpr DWORD LVS_TYPEMASK = 0x0003;
constexpr DWORD LVS_SINGLESEL = 0x0004;
constexpr DWORD LVS_SHOWSELALWAYS = 0x0008;
constexpr DWORD LVS_SORTASCENDING = 0x0010;
constexpr DWORD LVS_SORTDESCENDING = 0x0020;
constexpr DWORD LVS_SHAREIMAGELISTS = 0x0040;
constexpr DWORD LVS_NOLABELWRAP = 0x0080;
constexpr DWORD LVS_AUTOARRANGE = 0x0100;
constexpr DWORD LVS_EDITLABELS = 0x0200;
constexpr DWORD LVS_OWNERDRAWFIXED = 0x0400;
constexpr DWORD LVS_ALIGNLEFT = 0x0800;
constexpr DWORD LVS_OWNERDATA = 0x1000;
constexpr DWORD LVS_NOSCROLL = 0x2000;
constexpr DWORD LVS_NOCOLUMNHEADER = 0x4000;
constexpr DWORD LVS_NOSORTHEADER = 0x8000;

constexpr DWORD LVS_EX_GRIDLINES = 0x00000001;
constexpr DWORD LVS_EX_SUBITEMIMAGES = 0x00000002;
constexpr DWORD LVS_EX_CHECKBOXES = 0x00000004;
constexpr DWORD LVS_EX_TRACKSELECT = 0x00000008;
constexpr DWORD LVS_EX_HEADERDRAGDROP = 0x00000010;
constexpr DWORD LVS_EX_FULLROWSELECT = 0x00000020;
constexpr DWORD LVS_EX_ONECLICKACTIVATE = 0x00000040;
constexpr DWORD LVS_EX_TWOCLICKACTIVATE = 0x00000080;
constexpr DWORD LVS_EX_INFOTIP = 0x00000400;
constexpr DWORD LVS_EX_LABELTIP = 0x00004000;
constexpr DWORD LVS_EX_DOUBLEBUFFER = 0x00010000;

constexpr UINT LVIF_TEXT = 0x0001;
constexpr UINT LVIF_IMAGE = 0x0002;
constexpr UINT LVIF_PARAM = 0x0004;
constexpr UINT LVIF_STATE = 0x0008;
constexpr UINT LVIF_INDENT = 0x0010;
constexpr UINT LVIF_NORECOMPUTE = 0x0800;
constexpr UINT LVIF_DI_SETITEM = 0x1000;

constexpr UINT LVIS_FOCUSED = 0x0001;
constexpr UINT LVIS_SELECTED = 0x0002;
constexpr UINT LVIS_CUT = 0x0004;
constexpr UINT LVIS_DROPHILITED = 0x0008;
constexpr UINT LVIS_OVERLAYMASK = 0x0F00;
constexpr UINT LVIS_STATEIMAGEMASK = 0xF000;

struct LVITEM {
  UINT mask = 0;
  int iItem = 0;
  int iSubItem = 0;
  UINT state = 0;
  UINT stateMask = 0;
  char* pszText = nullptr;
  int cchTextMax = 0;
  int iImage = 0;
  LPARAM lParam = 0;
  int iIndent = 0;
};
using LVITEMA = LVITEM;
using LV_ITEM = LVITEM;

constexpr UINT LVCF_FMT = 0x0001;
constexpr UINT LVCF_WIDTH = 0x0002;
constexpr UINT LVCF_TEXT = 0x0004;
constexpr UINT LVCF_SUBITEM = 0x0008;
constexpr UINT LVCF_IMAGE = 0x0010;
constexpr UINT LVCF_ORDER = 0x0020;
constexpr int LVCFMT_LEFT = 0x0000;
constexpr int LVCFMT_RIGHT = 0x0001;
constexpr int LVCFMT_CENTER = 0x0002;
constexpr int LVCFMT_JUSTIFYMASK = 0x0003;

struct LVCOLUMN {
  UINT mask = 0;
  int fmt = 0;
  int cx = 0;
  char* pszText = nullptr;
  int cchTextMax = 0;
  int iSubItem = 0;
  int iImage = 0;
  int iOrder = 0;
};
using LVCOLUMNA = LVCOLUMN;
using LV_COLUMN = LVCOLUMN;

constexpr int LVSCW_AUTOSIZE = -1;
constexpr int LVSCW_AUTOSIZE_USEHEADER = -2;

constexpr UINT LVNI_ALL = 0x0000;
constexpr UINT LVNI_FOCUSED = 0x0001;
constexpr UINT LVNI_SELECTED = 0x0002;
constexpr UINT LVNI_CUT = 0x0004;
constexpr UINT LVNI_DROPHILITED = 0x0008;
constexpr UINT LVNI_ABOVE = 0x0100;
constexpr UINT LVNI_BELOW = 0x0200;
constexpr UINT LVNI_TOLEFT = 0x0400;
constexpr UINT LVNI_TORIGHT = 0x0800;

constexpr int LVIR_BOUNDS = 0;
constexpr int LVIR_ICON = 1;
constexpr int LVIR_LABEL = 2;
constexpr int LVIR_SELECTBOUNDS = 3;

constexpr UINT LVHT_NOWHERE = 0x0001;
constexpr UINT LVHT_ONITEMICON = 0x0002;
constexpr UINT LVHT_ONITEMLABEL = 0x0004;
constexpr UINT LVHT_ONITEMSTATEICON = 0x0008;
constexpr UINT LVHT_ONITEM = LVHT_ONITEMICON | LVHT_ONITEMLABEL | LVHT_ONITEMSTATEICON;
constexpr UINT LVHT_ABOVE = 0x0008;
constexpr UINT LVHT_BELOW = 0x0010;
constexpr UINT LVHT_TORIGHT = 0x0020;
constexpr UINT LVHT_TOLEFT = 0x0040;

struct LVHITTESTINFO {
  POINT pt;
  UINT flags = 0;
  int iItem = -1;
  int iSubItem = 0;
};
using LV_HITTESTINFO = LVHITTESTINFO;

constexpr int LVSIL_NORMAL = 0;
constexpr int LVSIL_SMALL = 1;
constexpr int LVSIL_STATE = 2;

struct NMLISTVIEW {
  NMHDR hdr;
  int iItem = -1;
  int iSubItem = 0;
  UINT uNewState = 0;
  UINT uOldState = 0;
  UINT uChanged = 0;
  POINT ptAction;
  LPARAM lParam = 0;
};
using NM_LISTVIEW = NMLISTVIEW;

struct NMITEMACTIVATE {
  NMHDR hdr;
  int iItem = -1;
  int iSubItem = 0;
  UINT uNewState = 0;
  UINT uOldState = 0;
  UINT uChanged = 0;
  POINT ptAction;
  LPARAM lParam = 0;
  UINT uKeyFlags = 0;
};

struct NMLVDISPINFO {
  NMHDR hdr;
  LVITEM item;
};
using LV_DISPINFO = NMLVDISPINFO;

struct NMLVKEYDOWN {
  NMHDR hdr;
  WORD wVKey = 0;
  UINT flags = 0;
};

struct NMLVGETINFOTIP {
  NMHDR hdr;
  DWORD dwFlags = 0;
  char* pszText = nullptr;
  int cchTextMax = 0;
  int iItem = 0;
  int iSubItem = 0;
  LPARAM lParam = 0;
};

struct NMLVCUSTOMDRAW {
  NMCUSTOMDRAW nmcd;
  COLORREF clrText = 0;
  COLORREF clrTextBk = 0;
  int iSubItem = 0;
};

struct NMLVCACHEHINT {
  NMHDR hdr;
  int iFrom = 0;
  int iTo = 0;
};

struct NMLVODSTATECHANGE {
  NMHDR hdr;
  int iFrom = 0;
  int iTo = 0;
  UINT uNewState = 0;
  UINT uOldState = 0;
};

constexpr UINT LVFI_PARAM = 0x0001;
constexpr UINT LVFI_STRING = 0x0002;
constexpr UINT LVFI_PARTIAL = 0x0008;
constexpr UINT LVFI_WRAP = 0x0020;
constexpr UINT LVFI_NEARESTXY = 0x0040;

struct LVFINDINFO {
  UINT flags = 0;
  const char* psz = nullptr;
  LPARAM lParam = 0;
  POINT pt;
  UINT vkDirection = 0;
};

struct NMLVFINDITEM {
  NMHDR hdr;
  int iStart = 0;
  LVFINDINFO lvfi;
};

constexpr UINT LVN_FIRST = 0U - 100U;
constexpr UINT LVN_ITEMCHANGING = LVN_FIRST - 0;
constexpr UINT LVN_ITEMCHANGED = LVN_FIRST - 1;
constexpr UINT LVN_INSERTITEM = LVN_FIRST - 2;
constexpr UINT LVN_DELETEITEM = LVN_FIRST - 3;
constexpr UINT LVN_DELETEALLITEMS = LVN_FIRST - 4;
constexpr UINT LVN_BEGINLABELEDIT = LVN_FIRST - 5;
constexpr UINT LVN_ENDLABELEDIT = LVN_FIRST - 6;
constexpr UINT LVN_COLUMNCLICK = LVN_FIRST - 8;
constexpr UINT LVN_BEGINDRAG = LVN_FIRST - 9;
constexpr UINT LVN_BEGINRDRAG = LVN_FIRST - 11;
constexpr UINT LVN_ODCACHEHINT = LVN_FIRST - 13;
constexpr UINT LVN_ITEMACTIVATE = LVN_FIRST - 14;
constexpr UINT LVN_ODSTATECHANGED = LVN_FIRST - 15;
constexpr UINT LVN_GETDISPINFO = LVN_FIRST - 50;
constexpr UINT LVN_SETDISPINFO = LVN_FIRST - 51;
constexpr UINT LVN_ODFINDITEM = LVN_FIRST - 52;
constexpr UINT LVN_KEYDOWN = LVN_FIRST - 55;
constexpr UINT LVN_GETINFOTIP = LVN_FIRST - 57;
constexpr UINT LVN_BEGINLABELEDITA = LVN_BEGINLABELEDIT;
constexpr UINT LVN_ENDLABELEDITA = LVN_ENDLABELEDIT;
constexpr UINT LVN_GETDISPINFOA = LVN_GETDISPINFO;
constexpr UINT LVN_GETINFOTIPA = LVN_GETINFOTIP;

constexpr UINT LVM_FIRST = 0x1000;
constexpr UINT LVM_GETBKCOLOR = LVM_FIRST + 0;
constexpr UINT LVM_SETBKCOLOR = LVM_FIRST + 1;
constexpr UINT LVM_GETIMAGELIST = LVM_FIRST + 2;
constexpr UINT LVM_SETIMAGELIST = LVM_FIRST + 3;
constexpr UINT LVM_GETITEMCOUNT = LVM_FIRST + 4;
constexpr UINT LVM_GETITEM = LVM_FIRST + 5;
constexpr UINT LVM_SETITEM = LVM_FIRST + 6;
constexpr UINT LVM_INSERTITEM = LVM_FIRST + 7;
constexpr UINT LVM_DELETEITEM = LVM_FIRST + 8;
constexpr UINT LVM_DELETEALLITEMS = LVM_FIRST + 9;
constexpr UINT LVM_GETNEXTITEM = LVM_FIRST + 12;
constexpr UINT LVM_GETITEMRECT = LVM_FIRST + 14;
constexpr UINT LVM_GETSTRINGWIDTH = LVM_FIRST + 17;
constexpr UINT LVM_HITTEST = LVM_FIRST + 18;
constexpr UINT LVM_ENSUREVISIBLE = LVM_FIRST + 19;
constexpr UINT LVM_SCROLL = LVM_FIRST + 20;
constexpr UINT LVM_REDRAWITEMS = LVM_FIRST + 21;
constexpr UINT LVM_EDITLABEL = LVM_FIRST + 23;
constexpr UINT LVM_GETEDITCONTROL = LVM_FIRST + 24;
constexpr UINT LVM_GETCOLUMN = LVM_FIRST + 25;
constexpr UINT LVM_SETCOLUMN = LVM_FIRST + 26;
constexpr UINT LVM_INSERTCOLUMN = LVM_FIRST + 27;
constexpr UINT LVM_DELETECOLUMN = LVM_FIRST + 28;
constexpr UINT LVM_GETCOLUMNWIDTH = LVM_FIRST + 29;
constexpr UINT LVM_SETCOLUMNWIDTH = LVM_FIRST + 30;
constexpr UINT LVM_GETHEADER = LVM_FIRST + 31;
constexpr UINT LVM_GETVIEWRECT = LVM_FIRST + 34;
constexpr UINT LVM_GETTEXTCOLOR = LVM_FIRST + 35;
constexpr UINT LVM_SETTEXTCOLOR = LVM_FIRST + 36;
constexpr UINT LVM_GETTEXTBKCOLOR = LVM_FIRST + 37;
constexpr UINT LVM_SETTEXTBKCOLOR = LVM_FIRST + 38;
constexpr UINT LVM_GETTOPINDEX = LVM_FIRST + 39;
constexpr UINT LVM_GETCOUNTPERPAGE = LVM_FIRST + 40;
constexpr UINT LVM_GETORIGIN = LVM_FIRST + 41;
constexpr UINT LVM_UPDATE = LVM_FIRST + 42;
constexpr UINT LVM_SETITEMSTATE = LVM_FIRST + 43;
constexpr UINT LVM_GETITEMSTATE = LVM_FIRST + 44;
constexpr UINT LVM_GETITEMTEXT = LVM_FIRST + 45;
constexpr UINT LVM_SETITEMTEXT = LVM_FIRST + 46;
constexpr UINT LVM_SETITEMCOUNT = LVM_FIRST + 47;
constexpr UINT LVM_GETSELECTEDCOUNT = LVM_FIRST + 50;
constexpr UINT LVM_SETEXTENDEDLISTVIEWSTYLE = LVM_FIRST + 54;
constexpr UINT LVM_GETEXTENDEDLISTVIEWSTYLE = LVM_FIRST + 55;
constexpr UINT LVM_GETSUBITEMRECT = LVM_FIRST + 56;
constexpr UINT LVM_SUBITEMHITTEST = LVM_FIRST + 57;
constexpr UINT LVM_GETSELECTIONMARK = LVM_FIRST + 66;
constexpr UINT LVM_SETSELECTIONMARK = LVM_FIRST + 67;
constexpr UINT LVM_SETHOVERTIME = LVM_FIRST + 71;
constexpr UINT LVM_GETHOVERTIME = LVM_FIRST + 72;
constexpr UINT LVM_GETITEMA = LVM_GETITEM;
constexpr UINT LVM_SETITEMA = LVM_SETITEM;
constexpr UINT LVM_INSERTITEMA = LVM_INSERTITEM;
constexpr UINT LVM_GETCOLUMNA = LVM_GETCOLUMN;
constexpr UINT LVM_SETCOLUMNA = LVM_SETCOLUMN;
constexpr UINT LVM_INSERTCOLUMNA = LVM_INSERTCOLUMN;
constexpr UINT LVM_GETITEMTEXTA = LVM_GETITEMTEXT;
constexpr UINT LVM_SETITEMTEXTA = LVM_SETITEMTEXT;
constexpr UINT LVM_EDITLABELA = LVM_EDITLABEL;

// LVM_SETITEMCOUNT flags (owner data)
constexpr LPARAM LVSICF_NOINVALIDATEALL = 0x00000001;
constexpr LPARAM LVSICF_NOSCROLL = 0x00000002;

// Registers the class (at controls start).
void ListViewRegister();
