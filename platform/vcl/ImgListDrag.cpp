// The drag image: a layered popup window that shows one image of the list, translucent, with its
// masked pixels keyed out, never takes activation and lets mouse messages through.

#include "user/User.h"
#include "vcl/Controls.h"
#include "vcl/ImgList.h"

namespace {

constexpr char kDragImageClass[] = "TavrenDragImage";
constexpr COLORREF kKeyColour = RGB(1, 2, 3);  // a colour images do not use
constexpr BYTE kDragAlpha = 160;

}  // namespace

LRESULT DragImageWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* list = reinterpret_cast<TDragImageList*>(GetWindowLongPtr(window, GWLP_USERDATA));
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      RECT client;
      GetClientRect(window, &client);
      HBRUSH key = CreateSolidBrush(kKeyColour);
      FillRect(dc, &client, key);
      DeleteObject(key);
      if (list && list->HandleAllocated())
        ImageList_DrawEx(list->GetHandle(), list->FDragIndex, dc, 0, 0, 0, 0, CLR_NONE, CLR_NONE, ILD_TRANSPARENT);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_ERASEBKGND: return 1;
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_NCHITTEST: return HTTRANSPARENT;
    default: return DefWindowProc(window, message, wParam, lParam);
  }
}

TAVREN_CLASS_IMPL(TDragImageList)

TDragImageList::~TDragImageList() { EndDrag(); }

bool TDragImageList::SetDragImage(Integer Index, Integer HotSpotX, Integer HotSpotY) {
  if (Index < 0 || Index >= GetCount()) return false;
  FDragIndex = Index;
  FHotSpot = Point(HotSpotX, HotSpotY);
  if (FDragWindow) InvalidateRect(FDragWindow, nullptr, FALSE);
  return true;
}

bool TDragImageList::BeginDrag(HWND, Integer X, Integer Y) {
  EndDrag();
  if (FDragIndex < 0 || FDragIndex >= GetCount()) return false;
  FDragWindow = CreateWindowEx(WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOPMOST | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW,
                               kDragImageClass, "", WS_POPUP, X - FHotSpot.X, Y - FHotSpot.Y, GetWidth(), GetHeight(),
                               nullptr, nullptr, nullptr, nullptr);
  if (!FDragWindow) return false;
  SetWindowLongPtr(FDragWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetLayeredWindowAttributes(FDragWindow, kKeyColour, kDragAlpha, LWA_ALPHA | LWA_COLORKEY);
  ShowDragImage();
  return true;
}

bool TDragImageList::DragMove(Integer X, Integer Y) {
  if (!FDragWindow) return false;
  SetWindowPos(FDragWindow, HWND_TOPMOST, X - FHotSpot.X, Y - FHotSpot.Y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
  return true;
}

bool TDragImageList::EndDrag() {
  if (!FDragWindow) return false;
  HWND window = FDragWindow;
  FDragWindow = nullptr;
  DestroyWindow(window);
  return true;
}

void TDragImageList::ShowDragImage() {
  if (!FDragWindow) return;
  ShowWindow(FDragWindow, SW_SHOWNOACTIVATE);
  UpdateWindow(FDragWindow);
}

void TDragImageList::HideDragImage() {
  if (FDragWindow) ShowWindow(FDragWindow, SW_HIDE);
}

namespace {

void ShowForDrag(TDragImageList* Images, HWND Window, Integer X, Integer Y) { Images->BeginDrag(Window, X, Y); }
void MoveForDrag(TDragImageList* Images, Integer X, Integer Y) { Images->DragMove(X, Y); }
void HideForDrag(TDragImageList* Images) { Images->EndDrag(); }

}  // namespace

void ImgListStart() {
  WNDCLASS windowClass;
  windowClass.lpfnWndProc = &DragImageWindowProc;
  windowClass.lpszClassName = kDragImageClass;
  RegisterClass(&windowClass);
  DragImageHooks.ShowDragImage = &ShowForDrag;
  DragImageHooks.MoveDragImage = &MoveForDrag;
  DragImageHooks.HideDragImage = &HideForDrag;
}

void ImgListEnd() {
  DragImageHooks = TDragImageHooks{};
  UnregisterClass(kDragImageClass, nullptr);
}
