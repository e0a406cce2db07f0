// TControlCanvas and the two painted kinds of control: TCustomControl (a window of its own) and
// TGraphicControl (painted on its parent's window).

#include <algorithm>
#include <vector>

#include "rtl/SysUtils.h"
#include "vcl/Controls.h"

namespace {
// Canvases holding a window DC, so that a window going away takes its DCs back first.
std::vector<TControlCanvas*>& CanvasesWithDC() {
  static std::vector<TControlCanvas*> list;
  return list;
}
}  // namespace

void FreeDeviceContexts(HWND Window) {
  std::vector<TControlCanvas*> list = CanvasesWithDC();
  for (TControlCanvas* canvas : list)
    if (canvas->GetWindowHandle() == Window) canvas->FreeHandle();
}

TAVREN_CLASS_IMPL(TControlCanvas)

TControlCanvas::~TControlCanvas() { FreeHandle(); }

void TControlCanvas::SetControl(TControl* Value) {
  if (FControl == Value) return;
  FreeHandle();
  FControl = Value;
}

void TControlCanvas::FreeHandle() {
  if (!FDeviceContext) return;
  SetHandle(nullptr);
  ReleaseDC(FWindowHandle, FDeviceContext);
  FDeviceContext = nullptr;
  FWindowHandle = nullptr;
  std::erase(CanvasesWithDC(), this);
}

void TControlCanvas::CreateHandle() {
  if (!FControl) {
    inherited::CreateHandle();
    return;
  }
  if (!FDeviceContext) {
    // A windowless control draws on its parent's window, moved to its origin and clipped to it.
    TControl* control = FControl;
    TPoint offset;
    while (!dynamic_cast<TWinControl*>(control)) {
      if (!control->GetParent())
        throw EInvalidOperation(Format("Control '%s' has no parent window", control->GetName()));
      offset = {offset.X + control->GetLeft(), offset.Y + control->GetTop()};
      control = control->GetParent();
    }
    auto* window = static_cast<TWinControl*>(control);
    HDC dc = GetDC(window->GetHandle());
    if (!dc) throw EOutOfResources("Error creating window device context");
    if (window != FControl) {
      SetViewportOrgEx(dc, offset.X, offset.Y, nullptr);
      IntersectClipRect(dc, 0, 0, FControl->GetWidth(), FControl->GetHeight());
    }
    FDeviceContext = dc;
    FWindowHandle = window->GetHandle();
    CanvasesWithDC().push_back(this);
  }
  SetHandle(FDeviceContext);
}

// ---- TCustomControl -----------------------------------------------------------------------------

TAVREN_MESSAGE_TABLE(TCustomControl, MESSAGE_HANDLER(WM_PAINT, WMPaint))

TCustomControl::TCustomControl(TComponent* AOwner)
    : TWinControl(AOwner), FCanvas(std::make_unique<TControlCanvas>()) {
  FCanvas->SetControl(this);
}

TCustomControl::~TCustomControl() = default;

void TCustomControl::WMPaint(TMessage& Message) {
  FControlState.Include(csCustomPaint);
  try {
    InheritedMessage(Message);
  } catch (...) {
    FControlState.Exclude(csCustomPaint);
    throw;
  }
  FControlState.Exclude(csCustomPaint);
}

void TCustomControl::PaintWindow(HDC DC) {
  FCanvas->PaintOn(DC, [this] { Paint(); });
}

// ---- TGraphicControl ----------------------------------------------------------------------------

TAVREN_MESSAGE_TABLE(TGraphicControl, MESSAGE_HANDLER(WM_PAINT, WMPaint))

TGraphicControl::TGraphicControl(TComponent* AOwner)
    : TControl(AOwner), FCanvas(std::make_unique<TControlCanvas>()) {
  FCanvas->SetControl(this);
}

TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::WMPaint(TMessage& Message) {
  if (Message.WParam == 0 || GetComponentState().Contains(csDestroying)) return;
  FCanvas->PaintOn(reinterpret_cast<HDC>(Message.WParam), [this] { Paint(); });
}
