#include "controls/Header.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "controls/ListControlWindow.h"
#include "controls/OwnerDraw.h"

namespace {

struct HeaderSection {
  std::string text;
  int width = 0;
  int fmt = HDF_LEFT | HDF_STRING;
  LPARAM param = 0;
  int image = 0;
};

// How near a divider (in pixels, each side) the mouse grabs it.
constexpr int kDividerGrip = 4;

class Header : public ListControlBase {
 public:
  Header(HWND window, const CREATESTRUCT*) : ListControlBase(window) {}
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  int Count() const { return static_cast<int>(sections_.size()); }
  bool Valid(int i) const { return i >= 0 && i < Count(); }
  RECT SectionRect(int index) const;
  void HitTest(HDHITTESTINFO* info) const;
  LRESULT NotifyItem(UINT code, int index, HDITEM* item, int button = 0);
  LRESULT Insert(int index, const HDITEM* item);
  bool Set(int index, const HDITEM* item, bool notify);
  void Get(int index, HDITEM* item) const;
  void Paint(HDC dc);
  void DrawSection(HDC dc, int index, const RECT& rect, bool pressed);
  void MouseDown(POINT p, bool doubleClick);
  void MouseMove(POINT p);
  void MouseUp(POINT p);
  int Height() const { return (Style() & HDS_HIDDEN) ? 0 : FontHeight() + 4; }

  std::vector<HeaderSection> sections_;
  HIMAGELIST images_ = nullptr;
  int tracking_ = -1;   // section whose divider is dragged
  int trackStart_ = 0;  // mouse x where the drag began
  int trackWidth_ = 0;  // width at the start
  int pressed_ = -1;    // section button held down
};

RECT Header::SectionRect(int index) const {
  RECT client = Client();
  int x = 0;
  for (int i = 0; i < index && i < Count(); ++i) x += sections_[i].width;
  return {x, 0, x + (Valid(index) ? sections_[index].width : 0), client.Bottom};
}

void Header::HitTest(HDHITTESTINFO* info) const {
  const RECT client = Client();
  const POINT p = info->pt;
  info->flags = 0;
  info->iItem = -1;
  if (p.Y < 0) info->flags |= HHT_ABOVE;
  if (p.Y >= client.Bottom) info->flags |= HHT_BELOW;
  if (p.X < 0) info->flags |= HHT_TOLEFT;
  if (p.X >= client.Right) info->flags |= HHT_TORIGHT;
  if (info->flags) return;
  int x = 0;
  for (int i = 0; i < Count(); ++i) {
    const int right = x + sections_[i].width;
    // The grip of a divider belongs to the section on its left; a zero-width section's
    // divider opens it.
    if (p.X >= right - kDividerGrip && p.X < right + kDividerGrip) {
      int last = i;
      while (last + 1 < Count() && sections_[last + 1].width == 0 && p.X >= right) ++last;
      info->iItem = last;
      info->flags = last != i ? HHT_ONDIVOPEN : HHT_ONDIVIDER;
      return;
    }
    if (p.X >= x && p.X < right) {
      info->iItem = i;
      info->flags = HHT_ONHEADER;
      return;
    }
    x = right;
  }
  info->flags = HHT_NOWHERE;
}

LRESULT Header::NotifyItem(UINT code, int index, HDITEM* item, int button) {
  NMHEADER header;
  header.iItem = index;
  header.iButton = button;
  header.pitem = item;
  return Notify(code, &header.hdr);
}

LRESULT Header::Insert(int index, const HDITEM* item) {
  if (!item) return -1;
  index = std::clamp(index, 0, Count());
  sections_.insert(sections_.begin() + index, HeaderSection{});
  Set(index, item, false);
  Invalidate();
  return index;
}

bool Header::Set(int index, const HDITEM* item, bool notify) {
  if (!Valid(index) || !item) return false;
  HDITEM copy = *item;
  if (notify && NotifyItem(HDN_ITEMCHANGING, index, &copy)) return false;
  if (Dead() || !Valid(index)) return false;
  HeaderSection& s = sections_[index];
  if (item->mask & HDI_WIDTH) s.width = std::max(item->cxy, 0);
  if (item->mask & HDI_TEXT) s.text = item->pszText && item->pszText != LPSTR_TEXTCALLBACK ? item->pszText : "";
  if (item->mask & HDI_FORMAT) s.fmt = item->fmt;
  if (item->mask & HDI_LPARAM) s.param = item->lParam;
  if (item->mask & HDI_IMAGE) s.image = item->iImage;
  Invalidate();
  if (notify) NotifyItem(HDN_ITEMCHANGED, index, &copy);
  return true;
}

void Header::Get(int index, HDITEM* item) const {
  const HeaderSection& s = sections_[index];
  if (item->mask & HDI_WIDTH) item->cxy = s.width;
  if ((item->mask & HDI_TEXT) && item->pszText && item->cchTextMax > 0) {
    const size_t n = std::min(s.text.size(), static_cast<size_t>(item->cchTextMax - 1));
    std::memcpy(item->pszText, s.text.data(), n);
    item->pszText[n] = 0;
  }
  if (item->mask & HDI_FORMAT) item->fmt = s.fmt;
  if (item->mask & HDI_LPARAM) item->lParam = s.param;
  if (item->mask & HDI_IMAGE) item->iImage = s.image;
  if (item->mask & HDI_ORDER) item->iOrder = index;
}

void Header::DrawSection(HDC dc, int index, const RECT& rect, bool pressed) {
  const HeaderSection& s = sections_[index];
  if (s.fmt & HDF_OWNERDRAW) {
    DRAWITEMSTRUCT draw;
    draw.CtlType = ODT_HEADER;
    draw.CtlID = static_cast<UINT>(Id());
    draw.itemID = static_cast<UINT>(index);
    draw.itemAction = ODA_DRAWENTIRE;
    draw.itemState = pressed ? ODS_SELECTED : 0;
    draw.hwndItem = window_;
    draw.hDC = dc;
    draw.rcItem = rect;
    draw.itemData = static_cast<ULONG_PTR>(s.param);
    SendMessage(GetParent(window_), WM_DRAWITEM, draw.CtlID, reinterpret_cast<LPARAM>(&draw));
    return;
  }
  RECT r = rect;
  FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
  DrawEdge(dc, &r, pressed ? BDR_SUNKENOUTER : EDGE_RAISED, BF_RECT | (pressed ? BF_FLAT : 0));
  RECT text = rect;
  text.Left += 6;
  text.Right -= 6;
  if (pressed) {
    text.Left += 1;
    text.Right += 1;
    text.Top += 1;
    text.Bottom += 1;
  }
  const bool arrow = (s.fmt & (HDF_SORTUP | HDF_SORTDOWN)) != 0;
  if (arrow) text.Right -= 14;
  UINT format = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX;
  if ((s.fmt & HDF_JUSTIFYMASK) == HDF_RIGHT) format |= DT_RIGHT;
  else if ((s.fmt & HDF_JUSTIFYMASK) == HDF_CENTER) format |= DT_CENTER;
  if (text.Right > text.Left) DrawText(dc, s.text.c_str(), static_cast<int>(s.text.size()), &text, format);
  if (arrow && rect.Width() > 20) {
    // A small triangle: up for ascending, down for descending.
    const int cx = text.Right + 7, cy = (rect.Top + rect.Bottom) / 2;
    const bool up = (s.fmt & HDF_SORTUP) != 0;
    POINT points[3] = {{cx - 4, up ? cy + 2 : cy - 2}, {cx + 4, up ? cy + 2 : cy - 2}, {cx, up ? cy - 2 : cy + 2}};
    HGDIOBJ oldBrush = SelectObject(dc, GetSysColorBrush(COLOR_BTNSHADOW));
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    Polygon(dc, points, 3);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
  }
}

void Header::Paint(HDC dc) {
  const RECT client = Client();
  HGDIOBJ oldFont = SelectObject(dc, Font());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  int x = 0;
  for (int i = 0; i < Count(); ++i) {
    RECT r = SectionRect(i);
    if (r.Width() > 0) DrawSection(dc, i, r, i == pressed_);
    x = r.Right;
  }
  // The part after the last section is an empty button face.
  if (x < client.Right) {
    RECT rest{x, 0, client.Right, client.Bottom};
    FillRect(dc, &rest, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(dc, &rest, EDGE_RAISED, BF_RECT);
  }
  SelectObject(dc, oldFont);
}

void Header::MouseDown(POINT p, bool doubleClick) {
  HDHITTESTINFO hit;
  hit.pt = p;
  HitTest(&hit);
  if (hit.flags & (HHT_ONDIVIDER | HHT_ONDIVOPEN)) {
    if (doubleClick) {
      NotifyItem(HDN_DIVIDERDBLCLICK, hit.iItem, nullptr);
      return;
    }
    HDITEM item;
    item.mask = HDI_WIDTH;
    item.cxy = sections_[hit.iItem].width;
    if (NotifyItem(HDN_BEGINTRACK, hit.iItem, &item) || Dead() || !Valid(hit.iItem)) return;
    tracking_ = hit.iItem;
    trackStart_ = p.X;
    trackWidth_ = sections_[hit.iItem].width;
    SetCapture(window_);
    return;
  }
  if ((hit.flags & HHT_ONHEADER) && (Style() & HDS_BUTTONS)) {
    if (doubleClick) {
      NotifyItem(HDN_ITEMDBLCLICK, hit.iItem, nullptr);
      return;
    }
    pressed_ = hit.iItem;
    SetCapture(window_);
    Invalidate();
  }
}

void Header::MouseMove(POINT p) {
  if (tracking_ < 0 || !Valid(tracking_)) return;
  HDITEM item;
  item.mask = HDI_WIDTH;
  item.cxy = std::max(trackWidth_ + p.X - trackStart_, 0);
  if (NotifyItem(HDN_TRACK, tracking_, &item) || Dead()) return;
  if (Style() & HDS_FULLDRAG) Set(tracking_, &item, true);
}

void Header::MouseUp(POINT p) {
  if (tracking_ >= 0) {
    const int index = tracking_;
    tracking_ = -1;
    ReleaseCapture();
    if (!Valid(index)) return;
    HDITEM item;
    item.mask = HDI_WIDTH;
    item.cxy = std::max(trackWidth_ + p.X - trackStart_, 0);
    NotifyItem(HDN_ENDTRACK, index, &item);
    if (!Dead() && Valid(index) && sections_[index].width != item.cxy) Set(index, &item, true);
    return;
  }
  if (pressed_ >= 0) {
    const int index = pressed_;
    pressed_ = -1;
    ReleaseCapture();
    Invalidate();
    HDHITTESTINFO hit;
    hit.pt = p;
    HitTest(&hit);
    if (hit.iItem == index && (hit.flags & HHT_ONHEADER)) NotifyItem(HDN_ITEMCLICK, index, nullptr);
  }
}

LRESULT Header::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT:
    case WM_PRINTCLIENT: {
      if (message == WM_PRINTCLIENT || wParam) {
        Paint(reinterpret_cast<HDC>(wParam));
        return 0;
      }
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window_, &ps);
      Paint(dc);
      EndPaint(window_, &ps);
      return 0;
    }
    case WM_SETFONT: SetFont(reinterpret_cast<HFONT>(wParam), LOWORD(lParam) != 0); return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(font_);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      MouseDown({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, message == WM_LBUTTONDBLCLK);
      return 0;
    case WM_MOUSEMOVE: MouseMove({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}); return 0;
    case WM_LBUTTONUP: MouseUp({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}); return 0;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lParam) != window_) {
        tracking_ = -1;
        if (pressed_ >= 0) Invalidate();
        pressed_ = -1;
      }
      return 0;

    case HDM_GETITEMCOUNT: return Count();
    case HDM_INSERTITEM: return Insert(static_cast<int>(wParam), reinterpret_cast<const HDITEM*>(lParam));
    case HDM_DELETEITEM: {
      const int i = static_cast<int>(wParam);
      if (!Valid(i)) return FALSE;
      sections_.erase(sections_.begin() + i);
      Invalidate();
      return TRUE;
    }
    case HDM_GETITEM: {
      const int i = static_cast<int>(wParam);
      if (!Valid(i) || !lParam) return FALSE;
      Get(i, reinterpret_cast<HDITEM*>(lParam));
      return TRUE;
    }
    case HDM_SETITEM: return Set(static_cast<int>(wParam), reinterpret_cast<const HDITEM*>(lParam), true);
    case HDM_GETITEMRECT: {
      const int i = static_cast<int>(wParam);
      if (!Valid(i) || !lParam) return FALSE;
      *reinterpret_cast<RECT*>(lParam) = SectionRect(i);
      return TRUE;
    }
    case HDM_HITTEST: {
      auto* info = reinterpret_cast<HDHITTESTINFO*>(lParam);
      if (!info) return -1;
      HitTest(info);
      return info->iItem;
    }
    case HDM_LAYOUT: {
      auto* layout = reinterpret_cast<HDLAYOUT*>(lParam);
      if (!layout || !layout->prc || !layout->pwpos) return FALSE;
      const int height = Height();
      *layout->pwpos = WINDOWPOS{window_, nullptr, layout->prc->Left, layout->prc->Top, layout->prc->Width(), height, 0};
      layout->prc->Top += height;
      return TRUE;
    }
    // An order past the last names no section and comes back as it is, as the common control answers.
    case HDM_ORDERTOINDEX: return static_cast<LRESULT>(wParam);
    case HDM_GETORDERARRAY: {
      auto* out = reinterpret_cast<int*>(lParam);
      if (!out || static_cast<int>(wParam) < Count()) return FALSE;
      for (int i = 0; i < Count(); ++i) out[i] = i;
      return TRUE;
    }
    case HDM_SETIMAGELIST: {
      HIMAGELIST old = images_;
      images_ = reinterpret_cast<HIMAGELIST>(lParam);
      return reinterpret_cast<LRESULT>(old);
    }
    case HDM_GETIMAGELIST: return reinterpret_cast<LRESULT>(images_);
    default: break;
  }
  return DefWindowProc(window_, message, wParam, lParam);
}

}  // namespace

void HeaderRegister() { RegisterListControlClass(WC_HEADER, ListControlProc<Header>, CS_DBLCLKS, COLOR_BTNFACE); }
