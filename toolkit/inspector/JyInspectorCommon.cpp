#include "toolkit/inspector/JyInspectorCommon.h"

#include "gdi/Gdi.h"

void DrawExpandBox(TCanvas* Canvas, TPoint P, bool Expanded, bool IsCategory, TColor Color) {
  TBrush* brush = Canvas->GetBrush();
  TPen* pen = Canvas->GetPen();
  if (IsCategory) {
    brush->SetColor(Color);
    pen->SetColor(Color == 0 ? clWindow : clWindowText);
  } else if (Color == 0) {
    pen->SetColor(clWindow);
    brush->SetColor(Color);
  } else {
    brush->SetColor(clWindow);
    pen->SetColor(clWindowText);
  }
  Canvas->Rectangle(P.X, P.Y, P.X + 9, P.Y + 9);
  Canvas->MoveTo(P.X + 2, P.Y + 4);
  Canvas->LineTo(P.X + 7, P.Y + 4);
  if (!Expanded) {
    Canvas->MoveTo(P.X + 4, P.Y + 2);
    Canvas->LineTo(P.X + 4, P.Y + 7);
  }
}

void SetClipRect(TCanvas* Canvas, const TRect& Rect) {
  HRGN region = CreateRectRgn(Rect.Left, Rect.Top, Rect.Right, Rect.Bottom);
  SelectClipRgn(Canvas->GetHandle(), region);
  DeleteObject(region);
}
