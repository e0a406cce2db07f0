#include "controls/ListControlWindow.h"

#include "rtl/SysUtils.h"

void ListControlBase::Command(WORD code) const {
  HWND parent = Parent();
  if (parent) SendMessage(parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(Id()), code), reinterpret_cast<LPARAM>(window_));
}

LRESULT ListControlBase::Notify(UINT code, NMHDR* header) const {
  header->hwndFrom = window_;
  header->idFrom = Id();
  header->code = code;
  HWND parent = Parent();
  if (!parent) return 0;
  return SendMessage(parent, WM_NOTIFY, static_cast<WPARAM>(header->idFrom), reinterpret_cast<LPARAM>(header));
}

int ListControlBase::FontHeight() const {
  HDC dc = GetDC(window_);
  HGDIOBJ old = SelectObject(dc, Font());
  TEXTMETRIC metrics{};
  GetTextMetrics(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(window_, dc);
  return metrics.tmHeight > 0 ? metrics.tmHeight : 13;
}

int ListControlBase::TextWidth(const std::string& text) const {
  HDC dc = GetDC(window_);
  HGDIOBJ old = SelectObject(dc, Font());
  SIZE size{};
  GetTextExtentPoint32(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(window_, dc);
  return size.cx;
}

void ListControlBase::SetFont(HFONT font, bool redraw) {
  font_ = font;
  if (redraw) Invalidate();
}

bool RegisterListControlClass(const char* name, WNDPROC procedure, UINT classStyle, int background) {
  WNDCLASS c;
  c.style = classStyle | CS_GLOBALCLASS;
  c.lpfnWndProc = procedure;
  c.cbWndExtra = sizeof(void*);
  c.hbrBackground = SysColorClassBrush(background);
  c.lpszClassName = name;
  return RegisterClass(&c) != 0;
}

bool TextStartsWith(const std::string& text, const std::string& prefix) {
  if (prefix.size() > text.size()) return false;
  return AnsiSameText(text.substr(0, prefix.size()), prefix);
}

bool TextEquals(const std::string& a, const std::string& b) { return AnsiSameText(a, b); }
