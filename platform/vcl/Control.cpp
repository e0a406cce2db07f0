// TControl: bounds, parent, state properties and the notifications their changes send.

#include <algorithm>

#include "rtl/Math.h"
#include "rtl/Reader.h"
#include "rtl/SysUtils.h"
#include "vcl/Controls.h"
#include "vcl/Forms.h"

TAVREN_MESSAGE_TABLE_ROOT(TControl,
    MESSAGE_HANDLER(WM_LBUTTONDOWN, WMLButtonDown),
    MESSAGE_HANDLER(WM_LBUTTONDBLCLK, WMLButtonDblClk),
    MESSAGE_HANDLER(WM_LBUTTONUP, WMLButtonUp),
    MESSAGE_HANDLER(WM_RBUTTONDOWN, WMRButtonDown),
    MESSAGE_HANDLER(WM_RBUTTONDBLCLK, WMRButtonDblClk),
    MESSAGE_HANDLER(WM_RBUTTONUP, WMRButtonUp),
    MESSAGE_HANDLER(WM_MBUTTONDOWN, WMMButtonDown),
    MESSAGE_HANDLER(WM_MBUTTONDBLCLK, WMMButtonDblClk),
    MESSAGE_HANDLER(WM_MBUTTONUP, WMMButtonUp),
    MESSAGE_HANDLER(WM_MOUSEMOVE, WMMouseMove),
    MESSAGE_HANDLER(WM_MOUSEWHEEL, WMMouseWheel),
    MESSAGE_HANDLER(WM_CONTEXTMENU, WMContextMenu),
    MESSAGE_HANDLER(WM_CANCELMODE, WMCancelMode),
    MESSAGE_HANDLER(CM_ENABLEDCHANGED, CMEnabledChanged),
    MESSAGE_HANDLER(CM_VISIBLECHANGED, CMVisibleChanged),
    MESSAGE_HANDLER(CM_FONTCHANGED, CMFontChanged),
    MESSAGE_HANDLER(CM_COLORCHANGED, CMColorChanged),
    MESSAGE_HANDLER(CM_PARENTFONTCHANGED, CMParentFontChanged),
    MESSAGE_HANDLER(CM_PARENTCOLORCHANGED, CMParentColorChanged),
    MESSAGE_HANDLER(CM_PARENTSHOWHINTCHANGED, CMParentShowHintChanged),
    MESSAGE_HANDLER(CM_HITTEST, CMHitTest),
    MESSAGE_HANDLER(CM_MOUSEENTER, CMMouseEnter),
    MESSAGE_HANDLER(CM_MOUSELEAVE, CMMouseLeave),
    MESSAGE_HANDLER(CM_MOUSEWHEEL, CMMouseWheel),
    MESSAGE_HANDLER(CM_DRAG, CMDrag),
    MESSAGE_HANDLER(CM_BIDIMODECHANGED, CMBiDiModeChanged))

TControl::TControl(TComponent* AOwner)
    : TComponent(AOwner),
      FControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks},
      FColor(clWindow),
      FFont(std::make_unique<TFont>()),
      FConstraints(std::make_unique<TSizeConstraints>(this)) {
  FWindowProc = MakeEvent<&TControl::WndProc>(this);
  FFont->SetOnChange(MakeEvent<&TControl::FontChanged>(this));
}

// A control that was not deleted (one on the stack) never ran BeforeDestruction: it lets go of
// its parent and of the application here, so that nothing keeps pointing at it.
TControl::~TControl() {
  if (Application()) Application()->ControlDestroyed(this);
  if (FParent) FParent->Remove(this);
}

void TControl::BeforeDestruction() {
  inherited::BeforeDestruction();
  if (Application()) Application()->ControlDestroyed(this);
  if (GetCaptureControl() == this) SetCaptureControl(nullptr);
  if (FParent) FParent->RemoveControl(this);
}

// ---- Messages -----------------------------------------------------------------------------------

LRESULT TControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam) {
  TMessage message{Msg, WParam, LParam, 0};
  // A copy: the handler may delete the control (and its WindowProc with it).
  TWndMethod proc = FWindowProc;
  proc(message);
  return message.Result;
}

void TControl::Dispatch(TMessage& Message) { DispatchFrom(GetMessageTable(), Message); }

void TControl::DispatchFrom(const TMessageTable* Table, TMessage& Message) {
  if (TMessageThunk handler = Table ? Table->Find(Message.Msg) : nullptr)
    handler(this, Message);
  else
    DefaultHandler(Message);
}

void TControl::DefaultHandler(TMessage& Message) {
  // A windowless control answers the text messages from its own text.
  switch (Message.Msg) {
    case WM_GETTEXT: {
      char* buffer = reinterpret_cast<char*>(Message.LParam);
      size_t size = Message.WParam;
      if (!buffer || size == 0) {
        Message.Result = 0;
        return;
      }
      size_t n = std::min(FText.size(), size - 1);
      std::copy_n(FText.data(), n, buffer);
      buffer[n] = '\0';
      Message.Result = static_cast<LRESULT>(n);
      return;
    }
    case WM_GETTEXTLENGTH:
      Message.Result = static_cast<LRESULT>(FText.size());
      return;
    case WM_SETTEXT: {
      const char* text = reinterpret_cast<const char*>(Message.LParam);
      FText = text ? text : "";
      Message.Result = 1;
      return;
    }
  }
}

// ---- Geometry -----------------------------------------------------------------------------------

void TControl::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  CheckNewSize(AWidth, AHeight);
  if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
  if (!CanResize(AWidth, AHeight)) return;
  if (FParent && FVisible && FParent->HandleAllocated()) {
    // The old place shows the parent again.
    TRect old = GetBoundsRect();
    InvalidateRect(FParent->GetHandle(), &old, TRUE);
  }
  FLeft = ALeft;
  FTop = ATop;
  FWidth = AWidth;
  FHeight = AHeight;
  UpdateAnchorRules();
  Invalidate();
  Perform(WM_WINDOWPOSCHANGED, 0, 0);
  RequestAlign();
  if (!GetComponentState().Contains(csLoading)) Resize();
}

void TControl::CheckNewSize(Integer& NewWidth, Integer& NewHeight) {
  // A negative size is no size; the window manager would refuse it too.
  NewWidth = std::max(NewWidth, 0);
  NewHeight = std::max(NewHeight, 0);
  Integer minWidth = FConstraints->GetMinWidth(), minHeight = FConstraints->GetMinHeight();
  Integer maxWidth = FConstraints->GetMaxWidth(), maxHeight = FConstraints->GetMaxHeight();
  ConstrainedResize(minWidth, minHeight, maxWidth, maxHeight);
  if (maxWidth > 0 && NewWidth > maxWidth) NewWidth = maxWidth;
  if (minWidth > 0 && NewWidth < minWidth) NewWidth = minWidth;
  if (maxHeight > 0 && NewHeight > maxHeight) NewHeight = maxHeight;
  if (minHeight > 0 && NewHeight < minHeight) NewHeight = minHeight;
}

bool TControl::CanResize(Integer& NewWidth, Integer& NewHeight) {
  bool resize = true;
  FOnCanResize(this, NewWidth, NewHeight, resize);
  return resize;
}

bool TControl::CanAutoSize(Integer&, Integer&) { return true; }

void TControl::SetAutoSize(bool Value) {
  if (FAutoSize == Value) return;
  FAutoSize = Value;
  if (Value) AdjustSize();
}

void TControl::AdjustSize() {
  if (GetComponentState().Contains(csLoading)) return;
  Integer width = FWidth, height = FHeight;
  if (FAutoSize && CanAutoSize(width, height)) SetBounds(FLeft, FTop, width, height);
}

void TControl::UpdateBoundsRect(const TRect& R) {
  UpdateAnchorRules();
  FLeft = R.Left;
  FTop = R.Top;
  FWidth = R.Width();
  FHeight = R.Height();
}

TRect TControl::GetClientRect() { return {0, 0, FWidth, FHeight}; }

void TControl::SetClientSize(const TSize& Value) {
  TRect client = GetClientRect();
  SetBounds(FLeft, FTop, FWidth - client.Right + Value.cx, FHeight - client.Bottom + Value.cy);
}

TPoint TControl::GetClientOrigin() {
  if (!FParent) throw EInvalidOperation(Format("Control '%s' has no parent window", GetName()));
  TPoint origin = FParent->GetClientOrigin();
  return {origin.X + FLeft, origin.Y + FTop};
}

TPoint TControl::ClientToScreen(const TPoint& Point) {
  TPoint origin = GetClientOrigin();
  return {Point.X + origin.X, Point.Y + origin.Y};
}

TPoint TControl::ScreenToClient(const TPoint& Point) {
  TPoint origin = GetClientOrigin();
  return {Point.X - origin.X, Point.Y - origin.Y};
}

TAnchors AnchorAlign(TAlign Align) {
  switch (Align) {
    case alTop: return {akLeft, akTop, akRight};
    case alBottom: return {akLeft, akRight, akBottom};
    case alLeft: return {akLeft, akTop, akBottom};
    case alRight: return {akRight, akTop, akBottom};
    case alClient: return {akLeft, akTop, akRight, akBottom};
    default: return {akLeft, akTop};
  }
}

void TControl::SetAlign(TAlign Value) {
  if (FAlign != Value) {
    TAlign old = FAlign;
    FAlign = Value;
    SetAnchors(AnchorAlign(Value));
    // Turning from a top or bottom bar into a side bar (or back) swaps width and height.
    auto horizontal = [](TAlign a) { return a == alTop || a == alBottom; };
    auto vertical = [](TAlign a) { return a == alLeft || a == alRight; };
    auto free = [](TAlign a) { return a == alNone || a == alClient; };
    if (!GetComponentState().Contains(csLoading)) {
      if (horizontal(old) == vertical(Value) && !free(old) && !free(Value))
        SetBounds(FLeft, FTop, FHeight, FWidth);
      else
        AdjustSize();
    }
  }
  RequestAlign();
}

void TControl::SetAnchors(TAnchors Value) {
  if (FAnchors == Value) return;
  FAnchors = Value;
  if (!GetComponentState().Contains(csLoading)) UpdateAnchorRules();
}

bool TControl::IsAnchorsStored() const { return FAnchors != AnchorAlign(FAlign); }

void TControl::UpdateAnchorRules() {
  if (FAnchorMove || GetComponentState().Contains(csLoading)) return;
  if (FAnchors == TAnchors{akLeft, akTop}) {
    FOriginalParentSize = {0, 0};
    return;
  }
  if (FAnchors.Contains(akRight))
    FAnchorRules.X = FAnchors.Contains(akLeft) ? FWidth : FLeft;
  else
    FAnchorRules.X = FLeft + FWidth / 2;
  if (FAnchors.Contains(akBottom))
    FAnchorRules.Y = FAnchors.Contains(akTop) ? FHeight : FTop;
  else
    FAnchorRules.Y = FTop + FHeight / 2;
  if (FParent) FOriginalParentSize = FParent->GetClientRect().BottomRight();
}

void TControl::RequestAlign() {
  if (FParent) FParent->AlignControl(this);
}

void TControl::Resize() { FOnResize(this); }

// ---- Tree ---------------------------------------------------------------------------------------

void TControl::SetParent(TWinControl* AParent) {
  if (FParent == AParent) return;
  if (AParent == this) throw EInvalidOperation("A control cannot have itself as its parent");
  // A control inside this one cannot become its parent: the tree would close into a ring.
  for (TWinControl* p = AParent; p; p = p->FParent)
    if (p == this) throw EInvalidOperation("A control cannot have one of its children as its parent");
  if (FParent) FParent->RemoveControl(this);
  if (AParent) {
    AParent->InsertControl(this);
    UpdateAnchorRules();
  }
}

bool TControl::HasParent() { return true; }

TComponent* TControl::GetParentComponent() { return FParent; }

void TControl::SetParentComponent(TComponent* Value) {
  if (auto* parent = dynamic_cast<TWinControl*>(Value)) SetParent(parent);
}

void TControl::SetZOrder(bool TopMost) {
  if (FParent) FParent->SetZOrderOfChild(this, TopMost);
}

void TControl::BringToFront() { SetZOrder(true); }
void TControl::SendToBack() { SetZOrder(false); }

TCustomForm* TControl::GetParentForm() { return ::GetParentForm(this); }

void TControl::ScaleBy(Integer M, Integer D) {
  FScalingFlags = TScalingFlags{sfLeft, sfTop, sfWidth, sfHeight, sfFont};
  ChangeScale(M, D);
  FScalingFlags = {};
}

void TControl::ChangeScale(Integer M, Integer D) {
  if (M == D) return;
  Integer left = FScalingFlags.Contains(sfLeft) ? MulDiv(FLeft, M, D) : FLeft;
  Integer top = FScalingFlags.Contains(sfTop) ? MulDiv(FTop, M, D) : FTop;
  Integer width = FScalingFlags.Contains(sfWidth) ? MulDiv(FLeft + FWidth, M, D) - MulDiv(FLeft, M, D) : FWidth;
  Integer height = FScalingFlags.Contains(sfHeight) ? MulDiv(FTop + FHeight, M, D) - MulDiv(FTop, M, D) : FHeight;
  SetBounds(left, top, width, height);
  if (FScalingFlags.Contains(sfFont) && !FParentFont) FFont->SetSize(MulDiv(FFont->GetSize(), M, D));
}

TCustomForm* GetParentForm(TControl* Control) {
  while (Control && Control->GetParent()) Control = Control->GetParent();
  return dynamic_cast<TCustomForm*>(Control);
}

TCustomForm* ValidParentForm(TControl* Control) {
  TCustomForm* form = GetParentForm(Control);
  if (!form) throw EInvalidOperation(Format("Control '%s' has no parent window", Control ? Control->GetName() : String()));
  return form;
}

// ---- State properties ---------------------------------------------------------------------------

void TControl::SetVisible(bool Value) {
  if (FVisible == Value) return;
  VisibleChanging();
  FVisible = Value;
  Perform(CM_VISIBLECHANGED, Value, 0);
  RequestAlign();
}

bool TControl::IsVisibleInParents() {
  for (TControl* c = this; c; c = c->FParent)
    if (!c->FVisible) return false;
  return true;
}

void TControl::SetEnabled(bool Value) {
  if (FEnabled == Value) return;
  FEnabled = Value;
  Perform(CM_ENABLEDCHANGED, 0, 0);
}

void TControl::SetColor(TColor Value) {
  if (FColor == Value) return;
  FColor = Value;
  FParentColor = false;
  Perform(CM_COLORCHANGED, 0, 0);
}

void TControl::SetParentColor(bool Value) {
  if (FParentColor == Value) return;
  FParentColor = Value;
  if (FParent && !GetComponentState().Contains(csReading)) Perform(CM_PARENTCOLORCHANGED, 0, 0);
}

void TControl::FontChanged(TObject*) {
  FParentFont = false;
  if (!FSettingParentFont) Perform(CM_FONTCHANGED, 0, 0);
}

void TControl::SetParentFont(bool Value) {
  if (FParentFont == Value) return;
  FParentFont = Value;
  if (FParent && !GetComponentState().Contains(csReading)) Perform(CM_PARENTFONTCHANGED, 0, 0);
}

TCaption TControl::GetText() { return GetTextBuf(); }

void TControl::SetText(const TCaption& Value) {
  if (GetText() != Value) SetTextBuf(Value);
}

String TControl::GetTextBuf() {
  Integer length = static_cast<Integer>(Perform(WM_GETTEXTLENGTH, 0, 0));
  String text(static_cast<size_t>(std::max(length, 0)) + 1, '\0');
  Integer copied = static_cast<Integer>(Perform(WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
  text.resize(static_cast<size_t>(std::clamp(copied, 0, length)));
  return text;
}

void TControl::SetTextBuf(const String& Value) {
  // A handler the new text fires may free the control.
  TWeakRef<TControl> self(this);
  Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Value.c_str()));
  if (self) Perform(CM_TEXTCHANGED, 0, 0);
}

void TControl::SetShowHint(bool Value) {
  if (FShowHint == Value && !FParentShowHint) return;
  FShowHint = Value;
  FParentShowHint = false;
  Perform(CM_SHOWHINTCHANGED, 0, 0);
}

void TControl::SetParentShowHint(bool Value) {
  if (FParentShowHint == Value) return;
  FParentShowHint = Value;
  if (FParent && !GetComponentState().Contains(csReading)) Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
}

void TControl::SetCursor(TCursor Value) {
  if (FCursor == Value) return;
  FCursor = Value;
  Perform(CM_CURSORCHANGED, 0, 0);
}

void TControl::SetBiDiMode(TBiDiMode Value) {
  if (FBiDiMode == Value) return;
  FBiDiMode = Value;
  Perform(CM_BIDIMODECHANGED, 0, 0);
}

void TControl::SetPopupMenu(TPopupMenu* Value) {
  if (FPopupMenu == Value) return;
  auto asComponent = [](TPopupMenu* menu) -> TComponent* {
    return menu && PopupMenuHooks.AsComponent ? PopupMenuHooks.AsComponent(menu) : nullptr;
  };
  if (TComponent* old = asComponent(FPopupMenu)) old->RemoveFreeNotification(this);
  FPopupMenu = Value;
  if (TComponent* menu = asComponent(Value)) menu->FreeNotification(this);
}

void TControl::SetName(const String& Value) {
  // A control whose caption is its name follows a rename, as a new control shows its name.
  bool changeText = FControlStyle.Contains(csSetCaption) && !GetComponentState().Contains(csLoading) &&
                    GetName() == GetText() && (!GetOwner() || !GetOwner()->GetComponentState().Contains(csLoading));
  inherited::SetName(Value);
  if (changeText) SetText(Value);
}

void TControl::Loaded() {
  inherited::Loaded();
  if (FParent) {
    if (FParentColor) Perform(CM_PARENTCOLORCHANGED, 0, 0);
    if (FParentFont) Perform(CM_PARENTFONTCHANGED, 0, 0);
    if (FParentShowHint) Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
  }
  UpdateAnchorRules();
  RequestAlign();
}

void TControl::ReadState(TReader* Reader) {
  FControlState.Include(csReadingState);
  // Inherited values come first: what the text sets afterwards clears the Parent* flags itself.
  // The root being read is its own reader's parent: it keeps the parent it has.
  if (auto* parent = dynamic_cast<TWinControl*>(Reader->GetParent()); parent && parent != this) SetParent(parent);
  try {
    inherited::ReadState(Reader);
  } catch (...) {
    FControlState.Exclude(csReadingState);
    throw;
  }
  FControlState.Exclude(csReadingState);
  if (FParent) {
    if (FParentColor) Perform(CM_PARENTCOLORCHANGED, 0, 0);
    if (FParentFont) Perform(CM_PARENTFONTCHANGED, 0, 0);
    if (FParentShowHint) Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
  }
}

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  // The link goes with its action (it may have let go of it already).
  if (Operation == opRemove && FActionLink && (AComponent == GetAction() || !GetAction())) FActionLink.reset();
  if (Operation == opRemove && FPopupMenu && PopupMenuHooks.AsComponent &&
      PopupMenuHooks.AsComponent(FPopupMenu) == AComponent)
    FPopupMenu = nullptr;
}

// ---- Painting -----------------------------------------------------------------------------------

void TControl::Invalidate() {
  if (!FParent || !FParent->HandleAllocated() || !FVisible) return;
  TRect rect = GetBoundsRect();
  InvalidateRect(FParent->GetHandle(), &rect, !FControlStyle.Contains(csOpaque));
}

void TControl::Update() {
  if (FParent) FParent->Update();
}

void TControl::Repaint() {
  if (!FVisible || !FParent || !FParent->HandleAllocated()) return;
  if (FControlStyle.Contains(csOpaque)) {
    HDC dc = GetDC(FParent->GetHandle());
    int saved = SaveDC(dc);
    IntersectClipRect(dc, FLeft, FTop, FLeft + FWidth, FTop + FHeight);
    FParent->PaintControls(dc, this);
    RestoreDC(dc, saved);
    ReleaseDC(FParent->GetHandle(), dc);
  } else {
    Invalidate();
    Update();
  }
}

void TControl::PaintTo(HDC DC, Integer X, Integer Y) {
  if (auto* win = dynamic_cast<TWinControl*>(this)) {
    win->PaintTo(DC, X, Y);
    return;
  }
  int saved = SaveDC(DC);
  POINT origin;
  GetWindowOrgEx(DC, &origin);
  SetWindowOrgEx(DC, origin.X - X, origin.Y - Y, nullptr);
  IntersectClipRect(DC, 0, 0, FWidth, FHeight);
  Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
  RestoreDC(DC, saved);
}

// ---- Notifications ------------------------------------------------------------------------------

void TControl::CMEnabledChanged(TMessage&) { Invalidate(); }

void TControl::CMVisibleChanged(TMessage&) {
  // A windowless control shows and hides by repainting its place on the parent.
  if (FParent && FParent->HandleAllocated()) {
    TRect rect = GetBoundsRect();
    InvalidateRect(FParent->GetHandle(), &rect, TRUE);
  }
}

void TControl::CMFontChanged(TMessage&) { Invalidate(); }
void TControl::CMColorChanged(TMessage&) { Invalidate(); }

void TControl::CMParentFontChanged(TMessage& Message) {
  if (!FParentFont) return;
  // WParam non-zero: LParam is the font to take (a parent hands its own font down).
  TFont* source = Message.WParam ? reinterpret_cast<TFont*>(Message.LParam) : (FParent ? FParent->GetFont() : nullptr);
  if (!source) return;
  FSettingParentFont = true;
  try {
    FFont->Assign(source);
  } catch (...) {
    FSettingParentFont = false;
    throw;
  }
  FSettingParentFont = false;
  FParentFont = true;
  Perform(CM_FONTCHANGED, 0, 0);
}

void TControl::CMParentColorChanged(TMessage& Message) {
  if (!FParentColor) return;
  TColor color = Message.WParam ? static_cast<TColor>(Message.LParam) : (FParent ? FParent->GetColor() : FColor);
  if (color == FColor) return;
  FColor = color;
  Perform(CM_COLORCHANGED, 0, 0);
}

void TControl::CMParentShowHintChanged(TMessage&) {
  if (!FParentShowHint || !FParent) return;
  bool value = FParent->GetShowHint();
  if (value == FShowHint) return;
  FShowHint = value;
  Perform(CM_SHOWHINTCHANGED, 0, 0);
}

void TControl::CMHitTest(TMessage& Message) { Message.Result = HTCLIENT; }

// ---- Size constraints ---------------------------------------------------------------------------

TAVREN_CLASS_IMPL_PUBLISHED(TSizeConstraints,
    PROPERTY(MaxHeight).Default(0),
    PROPERTY(MaxWidth).Default(0),
    PROPERTY(MinHeight).Default(0),
    PROPERTY(MinWidth).Default(0))

TSizeConstraints::TSizeConstraints(TControl* Control) : FControl(Control) {}

TPersistent* TSizeConstraints::GetOwner() { return FControl; }

void TSizeConstraints::Assign(TPersistent* Source) {
  auto* other = dynamic_cast<TSizeConstraints*>(Source);
  if (!other) {
    inherited::Assign(Source);
    return;
  }
  FMinHeight = other->FMinHeight;
  FMaxHeight = other->FMaxHeight;
  FMinWidth = other->FMinWidth;
  FMaxWidth = other->FMaxWidth;
  FOnChange(this);
  if (FControl) FControl->SetBounds(FControl->GetLeft(), FControl->GetTop(), FControl->GetWidth(), FControl->GetHeight());
}

void TSizeConstraints::SetConstraint(TConstraintSize& Field, TConstraintSize Value) {
  Value = std::max(Value, 0);
  if (Field == Value) return;
  Field = Value;
  // A maximum below the minimum pulls the minimum down with it, and the other way round.
  if (&Field == &FMaxHeight && FMaxHeight > 0 && FMinHeight > FMaxHeight) FMinHeight = FMaxHeight;
  if (&Field == &FMinHeight && FMaxHeight > 0 && FMinHeight > FMaxHeight) FMaxHeight = FMinHeight;
  if (&Field == &FMaxWidth && FMaxWidth > 0 && FMinWidth > FMaxWidth) FMinWidth = FMaxWidth;
  if (&Field == &FMinWidth && FMaxWidth > 0 && FMinWidth > FMaxWidth) FMaxWidth = FMinWidth;
  FOnChange(this);
  if (FControl && !FControl->GetComponentState().Contains(csLoading))
    FControl->SetBounds(FControl->GetLeft(), FControl->GetTop(), FControl->GetWidth(), FControl->GetHeight());
}

void TSizeConstraints::Apply(Integer& Width, Integer& Height) const {
  if (FMaxWidth > 0 && Width > FMaxWidth) Width = FMaxWidth;
  if (FMinWidth > 0 && Width < FMinWidth) Width = FMinWidth;
  if (FMaxHeight > 0 && Height > FMaxHeight) Height = FMaxHeight;
  if (FMinHeight > 0 && Height < FMinHeight) Height = FMinHeight;
}
