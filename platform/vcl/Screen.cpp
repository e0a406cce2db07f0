// TScreen: the forms of the application in activation order, the cursor table and the global
// cursor, the system fonts, the screen's size, work area and monitors.

#include <algorithm>

#include "rtl/SysUtils.h"
#include "vcl/Forms.h"

TScreen::TScreen(TComponent* AOwner)
    : TComponent(AOwner),
      FMenuFont(std::make_unique<TFont>()),
      FHintFont(std::make_unique<TFont>()),
      FIconFont(std::make_unique<TFont>()) {
  NONCLIENTMETRICS metrics;
  metrics.cbSize = sizeof(metrics);
  if (SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
    FMenuFont->SetHandle(CreateFontIndirect(&metrics.lfMenuFont));
    FHintFont->SetHandle(CreateFontIndirect(&metrics.lfStatusFont));
    FIconFont->SetHandle(CreateFontIndirect(&metrics.lfMessageFont));
  }
  LoadSystemCursors();
  UpdateMonitors();
}

TScreen::~TScreen() = default;

// ---- Cursors ------------------------------------------------------------------------------------

void TScreen::LoadSystemCursors() {
  struct Entry {
    TCursor Id;
    const char* Name;
  };
  const Entry kCursors[] = {
      {crDefault, IDC_ARROW},     {crArrow, IDC_ARROW},        {crCross, IDC_CROSS},       {crIBeam, IDC_IBEAM},
      {crSizeNESW, IDC_SIZENESW}, {crSizeNS, IDC_SIZENS},      {crSizeNWSE, IDC_SIZENWSE}, {crSizeWE, IDC_SIZEWE},
      {crUpArrow, IDC_UPARROW},   {crHourGlass, IDC_WAIT},     {crDrag, IDC_ARROW},        {crNoDrop, IDC_NO},
      {crHSplit, IDC_SIZEWE},     {crVSplit, IDC_SIZENS},      {crMultiDrag, IDC_ARROW},   {crSQLWait, IDC_WAIT},
      {crNo, IDC_NO},             {crAppStart, IDC_APPSTARTING}, {crHelp, IDC_HELP},       {crHandPoint, IDC_HAND},
      {crSizeAll, IDC_SIZEALL},
  };
  for (const Entry& e : kCursors) FCursors[e.Id] = LoadCursor(nullptr, e.Name);
  FCursors[crNone] = nullptr;
}

HCURSOR TScreen::GetCursors(Integer Index) const {
  auto it = FCursors.find(Index);
  if (it != FCursors.end()) return it->second;
  return FCursors.at(crDefault);
}

void TScreen::SetCursors(Integer Index, HCURSOR Handle) {
  if (Index == crDefault && !Handle) Handle = LoadCursor(nullptr, IDC_ARROW);
  FCursors[Index] = Handle;
}

void TScreen::SetCursor(TCursor Value) {
  if (Value == FCursor) return;
  FCursor = Value;
  if (Value == crDefault) {
    // The window under the cursor sets its own again.
    POINT p;
    GetCursorPos(&p);
    HWND window = WindowFromPoint(p);
    if (window && GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId()) {
      LRESULT hit = SendMessage(window, WM_NCHITTEST, 0, PointToLParam(p));
      SendMessage(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), MAKELPARAM(static_cast<WORD>(hit), WM_MOUSEMOVE));
      return;
    }
  }
  ::SetCursor(GetCursors(Value));
}

// ---- Forms --------------------------------------------------------------------------------------

// Forms join while their constructor runs, before they are of their final class: which of them
// are TForms is asked when someone wants to know.
void TScreen::AddForm(TCustomForm* AForm) { FCustomForms.push_back(AForm); }

void TScreen::RemoveForm(TCustomForm* AForm) {
  std::erase(FCustomForms, AForm);
  if (FFocusedForm == AForm) FFocusedForm = nullptr;
  if (FActiveCustomForm == AForm) {
    FActiveCustomForm = nullptr;
    FActiveForm = nullptr;
    FActiveControl = nullptr;
    FOnActiveFormChange(this);
  }
}

void TScreen::SetFocusedForm(TCustomForm* Form, TWinControl* Control) {
  bool formChanged = FActiveCustomForm != Form;
  bool controlChanged = FActiveControl != Control;
  FActiveControl = Control;
  FActiveCustomForm = Form;
  FActiveForm = dynamic_cast<TForm*>(Form);
  std::erase(FCustomForms, Form);
  FCustomForms.insert(FCustomForms.begin(), Form);
  if (controlChanged) FOnActiveControlChange(this);
  if (formChanged) FOnActiveFormChange(this);
}

Integer TScreen::GetFormCount() const {
  Integer count = 0;
  for (TCustomForm* form : FCustomForms)
    if (dynamic_cast<TForm*>(form)) ++count;
  return count;
}

TForm* TScreen::GetForms(Integer Index) const {
  Integer i = 0;
  for (TCustomForm* form : FCustomForms)
    if (auto* f = dynamic_cast<TForm*>(form); f && i++ == Index) return f;
  throw EListError(Format("List index out of bounds (%d)", Index));
}

TCustomForm* TScreen::GetCustomForms(Integer Index) const {
  if (Index < 0 || static_cast<size_t>(Index) >= FCustomForms.size())
    throw EListError(Format("List index out of bounds (%d)", Index));
  return FCustomForms[static_cast<size_t>(Index)];
}

// ---- Geometry -----------------------------------------------------------------------------------

Integer TScreen::GetWidth() const { return GetSystemMetrics(SM_CXSCREEN); }
Integer TScreen::GetHeight() const { return GetSystemMetrics(SM_CYSCREEN); }

TRect TScreen::GetDesktopRect() const {
  return Bounds(GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN));
}

TRect TScreen::GetWorkAreaRect() const {
  RECT rect{0, 0, GetWidth(), GetHeight()};
  SystemParametersInfo(SPI_GETWORKAREA, 0, &rect, 0);
  return rect;
}

namespace {
BOOL CollectMonitor(HMONITOR monitor, HDC, RECT*, LPARAM data) {
  reinterpret_cast<std::vector<HMONITOR>*>(data)->push_back(monitor);
  return TRUE;
}
}  // namespace

void TScreen::UpdateMonitors() {
  std::vector<HMONITOR> handles;
  EnumDisplayMonitors(nullptr, nullptr, &CollectMonitor, reinterpret_cast<LPARAM>(&handles));
  std::vector<MONITORINFO> infos;
  for (HMONITOR handle : handles) {
    MONITORINFO info;
    info.cbSize = sizeof(info);
    if (GetMonitorInfo(handle, &info)) infos.push_back(info);
  }
  // The primary monitor is number 0.
  std::stable_partition(infos.begin(), infos.end(),
                        [](const MONITORINFO& info) { return (info.dwFlags & MONITORINFOF_PRIMARY) != 0; });
  FMonitors.clear();
  for (const MONITORINFO& info : infos)
    FMonitors.push_back(std::make_unique<TMonitor>(static_cast<Integer>(FMonitors.size()), info.rcMonitor, info.rcWork));
  if (FMonitors.empty()) FMonitors.push_back(std::make_unique<TMonitor>(0, TRect{0, 0, GetWidth(), GetHeight()}, GetWorkAreaRect()));
}

TMonitor* TScreen::GetMonitors(Integer Index) const {
  if (Index < 0 || static_cast<size_t>(Index) >= FMonitors.size())
    throw EListError(Format("List index out of bounds (%d)", Index));
  return FMonitors[static_cast<size_t>(Index)].get();
}

TMonitor* TScreen::MonitorFromPoint(const TPoint& Point) const {
  for (const auto& monitor : FMonitors) {
    TRect r = monitor->GetBoundsRect();
    if (Point.X >= r.Left && Point.X < r.Right && Point.Y >= r.Top && Point.Y < r.Bottom) return monitor.get();
  }
  return FMonitors.front().get();
}

TMonitor* TScreen::MonitorFromRect(const TRect& Rect) const {
  return MonitorFromPoint({Rect.Left + Rect.Width() / 2, Rect.Top + Rect.Height() / 2});
}

TMonitor* TScreen::MonitorFromWindow(HWND Handle) const {
  RECT rect;
  if (!GetWindowRect(Handle, &rect)) return FMonitors.front().get();
  return MonitorFromRect(rect);
}
