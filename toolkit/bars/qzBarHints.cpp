// Plain hints and the hint window shared by every bar manager.

#include "toolkit/bars/qzBar.h"
#include "toolkit/bars/qzBarControl.h"
#include "toolkit/bars/qzBarPainter.h"
#include "vcl/MessageMap.h"

namespace {

TqzBarHintWindow* gHintWindow = nullptr;

}  // namespace

TqzBarHintWindow* BarHintWindow() { return gHintWindow; }

void CreateBarHintWindow() {
  if (!gHintWindow) gHintWindow = new TqzBarHintWindow(nullptr);
}

void FreeBarHintWindow() {
  delete gHintWindow;
  gHintWindow = nullptr;
}

// ---- View infos ----------------------------------------------------------------------------

TAVREN_CLASS_IMPL(TqzBarCustomHintViewInfo)
TAVREN_CLASS_IMPL(TqzBarHintViewInfo)

void TqzBarCustomHintViewInfo::InitWindow(TqzBarHintWindow* AWindow) {
  AWindow->SetScreenTipMode(IsScreenTip());
  AWindow->HandleNeeded();
}

TqzBarHintViewInfo::TqzBarHintViewInfo(TqzBarManager* AManager, const String& AHint, const String& AShortCut,
                                       const TPoint& APos)
    : TqzBarCustomHintViewInfo(AManager), FText(AHint.empty() ? String() : AHint + AShortCut), FPos(APos) {}

void TqzBarHintViewInfo::Calculate(TCanvas* ACanvas) {
  if (FText.empty()) {
    FBounds = TRect();
    return;
  }
  TRect workArea;
  WorkAreaAtPoint(FPos, workArea);
  RECT r{0, 0, workArea.Width(), 0};
  ::DrawText(ACanvas->GetHandle(), FText.c_str(), -1, &r, DT_CALCRECT | DT_NOPREFIX | DT_WORDBREAK);
  TSize size{r.Right - r.Left, r.Bottom - r.Top};
  AdjustSize(size);
  FBounds = TRect(0, 0, size.cx, size.cy);
}

void TqzBarHintViewInfo::AdjustSize(TSize& ASize) {
  ASize.cx += 6;
  ASize.cy += 6;
}

void TqzBarHintViewInfo::GetTextRect(TRect& ARect) {
  ARect = TRect(FBounds.Left + 3, FBounds.Top + 3, FBounds.Right - 1, FBounds.Bottom - 1);
}

void TqzBarHintViewInfo::DrawText(TCanvas* ACanvas) {
  TRect textRect;
  GetTextRect(textRect);
  RECT r = textRect;
  ACanvas->GetBrush()->SetStyle(bsClear);
  ACanvas->RequiredState(TCanvasState{csHandleValid, csFontValid, csBrushValid});
  ::DrawText(ACanvas->GetHandle(), FText.c_str(), -1, &r, DT_NOPREFIX | DT_NOCLIP | DT_WORDBREAK);
}

void TqzBarHintViewInfo::Paint(TCanvas* ACanvas) {
  RECT r = FBounds;
  DrawEdge(ACanvas->GetHandle(), &r, BDR_RAISEDOUTER, BF_RECT);
  DrawText(ACanvas);
}

void TqzBarHintViewInfo::InitWindow(TqzBarHintWindow* AWindow) {
  TqzBarCustomHintViewInfo::InitWindow(AWindow);
  AWindow->SetCaption(FText);
  ApplyFont(AWindow);
  AWindow->SetColor(Application()->GetHintColor());
}

void TqzBarHintViewInfo::ApplyFont(TqzBarHintWindow* AWindow) {
  TFont* font = AWindow->GetFont();
  if (!FManager || FManager->GetUseSystemFont()) {
    NONCLIENTMETRICS metrics;
    metrics.cbSize = sizeof(metrics);
    if (SystemParametersInfo(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0))
      font->SetHandle(CreateFontIndirect(&metrics.lfStatusFont));
    else
      font->SetSize(8);
  } else {
    font->Assign(FManager->GetFont());
  }
  font->SetColor(Screen()->GetHintFont()->GetColor());
}

// ---- Hint window ---------------------------------------------------------------------------

TAVREN_CLASS_IMPL(TqzBarHintWindow)
TAVREN_MESSAGE_TABLE(TqzBarHintWindow, MESSAGE_HANDLER(WM_SHOWWINDOW, WMShowWindow), MESSAGE_HANDLER(WM_SIZE, WMSize))

TqzBarHintWindow::TqzBarHintWindow(TComponent* AOwner) : TkvBaseHintWindow(AOwner) {
  SetColor(clInfoBk);
  SetNeedEraseBackground(true);
  // No animation.
  SetAnimationStyle(9);
}

TqzBarHintWindow::~TqzBarHintWindow() = default;

void TqzBarHintWindow::SetScreenTipMode(bool Value) {
  if (FScreenTipMode == Value) return;
  if (HandleAllocated()) ShowWindow(GetHandle(), SW_HIDE);
  FScreenTipMode = Value;
  FRegionSize = TSize{};
  SetDoubleBuffered(Value);
  RecreateForMode();
}

void TqzBarHintWindow::RecreateForMode() {
  // The window style depends on the mode: the window is made again.
  if (HandleAllocated()) RecreateWnd();
}

bool TqzBarHintWindow::ShowHint(TqzBarManager* AManager, const String& AHint, const String& AShortCut) {
  FViewInfo.reset();
  TObject* hintObject = AManager ? AManager->GetHintObject() : nullptr;
  IqzBarHintProvider* provider = hintObject ? dynamic_cast<IqzBarHintProvider*>(hintObject) : nullptr;
  TPoint cursor;
  GetCursorPos(&cursor);
  auto* barWindow = dynamic_cast<TCustomqzBarControl*>(hintObject);
  std::unique_ptr<TqzBarCustomHintViewInfo> info;
  if (provider)
    info.reset(provider->CreateHintViewInfo(AHint, AShortCut));
  else if (barWindow)
    info.reset(barWindow->Painter()->CreateHintViewInfo(AManager, AHint, nullptr, AShortCut));
  else
    info = std::make_unique<TqzBarHintViewInfo>(AManager, AHint, AShortCut, cursor);
  // Switching the mode hides the window, and hiding frees the shown view info: the new one joins
  // the window only after that.
  info->InitWindow(this);
  FViewInfo = std::move(info);
  FViewInfo->Calculate(PreparedCanvas());
  TRect bounds = FViewInfo->GetBounds();
  if (bounds.Width() <= 0 || bounds.Height() <= 0) return false;
  TPoint pos = cursor;
  if (provider)
    provider->GetHintPosition(cursor, bounds.Height(), pos);
  else if (barWindow)
    barWindow->Painter()->ClassRef()->PlaceHint(barWindow, TRect(), cursor, bounds.Height(), pos);
  SetWindowZOrder(GetHandle(), HWND_TOPMOST, false, 0);
  ActivateHint(TRect(pos.X, pos.Y, pos.X + bounds.Width(), pos.Y + bounds.Height()), GetCaption());
  FitClientToViewInfo();
  return true;
}

TCanvas* TqzBarHintWindow::PreparedCanvas() {
  TCanvas* canvas = GetCanvas();
  canvas->GetFont()->Assign(GetFont());
  canvas->RequiredState(TCanvasState{csHandleValid, csFontValid, csBrushValid});
  return canvas;
}

void TqzBarHintWindow::FitClientToViewInfo() {
  const TRect& bounds = FViewInfo->GetBounds();
  if (GetClientWidth() != bounds.Width()) SetClientWidth(bounds.Width());
  if (GetClientHeight() != bounds.Height()) SetClientHeight(bounds.Height());
}

void TqzBarHintWindow::Paint() {
  if (!FViewInfo) return;
  // Normally sized when shown already: a resize here would change the surface being painted.
  FitClientToViewInfo();
  FViewInfo->Paint(PreparedCanvas());
}

void TqzBarHintWindow::WMShowWindow(TMessage& Message) {
  if (!Message.WParam) FViewInfo.reset();
  InheritedMessage(Message);
}

void TqzBarHintWindow::WMSize(TMessage& Message) {
  InheritedMessage(Message);
  if (!FScreenTipMode || !HandleAllocated()) return;
  // Setting the region may report the size again: shape the window once per size.
  TSize size{GetWidth(), GetHeight()};
  if (size.cx == FRegionSize.cx && size.cy == FRegionSize.cy) return;
  FRegionSize = size;
  SetWindowRgn(GetHandle(), CreateRoundRectRgn(0, 0, size.cx + 1, size.cy + 1, 2, 2), TRUE);
}
