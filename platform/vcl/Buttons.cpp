#include "vcl/Buttons.h"

#include "rtl/ColorIdents.h"
#include "vcl/ExtCtrls.h"
#include "vcl/Graphics.h"

namespace {
TRect Shrunk(const TRect& R, Integer d) { return {R.Left + d, R.Top + d, R.Right - d, R.Bottom - d}; }
}

TRect DrawButtonFace(TCanvas* Canvas, const TRect& Client, Integer BevelWidth, TButtonStyle Style, bool IsRounded,
                     bool IsDown, bool IsFocused) {
  TRect r = Client;
  TBrush* brush = Canvas->GetBrush();
  brush->SetStyle(bsSolid);
  if (Style == bsNew) {
    if (IsFocused || IsDown) {
      brush->SetColor(clWindowFrame);
      Canvas->FrameRect(r);
      r = Shrunk(r, 1);
    }
    if (IsDown) {
      brush->SetColor(clBtnShadow);
      Canvas->FrameRect(r);
      r = Shrunk(r, 1);
    } else {
      Frame3D(Canvas, r, clBtnHighlight, cl3DDkShadow, 1);
      Frame3D(Canvas, r, cl3DLight, clBtnShadow, 1);
    }
    brush->SetColor(clBtnFace);
    Canvas->FillRect(r);
    return r;
  }
  // The older look: a black outline, then the bevels.
  Canvas->GetPen()->SetColor(clWindowFrame);
  Canvas->GetPen()->SetWidth(1);
  const Integer inset = IsRounded ? 1 : 0;
  Canvas->MoveTo(r.Left + inset, r.Top);
  Canvas->LineTo(r.Right - inset, r.Top);
  Canvas->MoveTo(r.Left + inset, r.Bottom - 1);
  Canvas->LineTo(r.Right - inset, r.Bottom - 1);
  Canvas->MoveTo(r.Left, r.Top + inset);
  Canvas->LineTo(r.Left, r.Bottom - inset);
  Canvas->MoveTo(r.Right - 1, r.Top + inset);
  Canvas->LineTo(r.Right - 1, r.Bottom - inset);
  r = Shrunk(r, 1);
  if (IsFocused) {
    brush->SetColor(clWindowFrame);
    Canvas->FrameRect(r);
    r = Shrunk(r, 1);
  }
  if (IsDown)
    Frame3D(Canvas, r, clBtnShadow, clBtnFace, BevelWidth);
  else
    Frame3D(Canvas, r, clBtnHighlight, clBtnShadow, BevelWidth);
  brush->SetColor(clBtnFace);
  Canvas->FillRect(r);
  return r;
}
