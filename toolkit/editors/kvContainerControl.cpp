// The container's view info and the container control.

#include <algorithm>

#include "gdi/Regions.h"
#include "gdi/UxTheme.h"
#include "rtl/Math.h"
#include "toolkit/foundation/kvGeometry.h"
#include "toolkit/editors/kvContainer.h"
#include "toolkit/foundation/kvDWMApi.h"
#include "toolkit/foundation/qzOffice11.h"
#include "toolkit/foundation/qzThemeManager.h"
#include "toolkit/foundation/qzUxTheme.h"
#include "user/Painting.h"
#include "vcl/ControlsMessages.h"

// The mouse-leave watch calls the container back through this.
class TkvContainerTrackingCaller : public TkvIUnknownObject, public IkvMouseTrackingCaller {
 public:
  explicit TkvContainerTrackingCaller(TkvContainer* AContainer) : FContainer(AContainer) {}
  void MouseLeave() override { FContainer->MouseTrackingLeave(); }
  HRESULT QueryInterface(const TInterfaceId& IID, void** Obj) override {
    return TkvIUnknownObject::QueryInterface(IID, Obj);
  }
  Integer _AddRef() override { return -1; }
  Integer _Release() override { return -1; }

 private:
  TkvContainer* FContainer;
};

// ---- TkvContainerViewInfo ------------------------------------------------------------------

TAVREN_CLASS_IMPL(TkvContainerViewInfo)

void TkvContainerViewInfo::DrawBorder(TkvCanvas* Canvas, const TRect& R) {
  if (Painter) {
    Canvas->PaintFrame(R, BorderColor, BorderWidth);
    return;
  }
  switch (BorderStyle) {
    case cbsNone: break;
    case cbsSingle:
    case cbsThick:
    case cbsUltraFlat:
    case cbsOffice11: Canvas->PaintFrame(R, BorderColor, BorderWidth); break;
    case cbsFlat: {
      Canvas->PaintBevel(R, true, true, Edges);
      TRect inner = R;
      inner = RectInflated(inner, -1, -1);
      Canvas->PaintFrame(inner, clBtnFace, 1);
      break;
    }
    case cbs3D: {
      Canvas->PaintBevel(R, true, true, Edges);
      TRect inner = R;
      inner = RectInflated(inner, -1, -1);
      Canvas->PaintTwoColorFrame(inner, cl3DDkShadow, cl3DLight, Edges);
      break;
    }
  }
}

void TkvContainerViewInfo::PaintContent(TkvCanvas* Canvas) {
  if (NativeStyle) {
    if (BorderStyle == cbsNone) {
      Canvas->FillWithColor(Bounds, BackgroundColor);
      return;
    }
    TRect content = Bounds;
    if (HTHEME theme = ObtainTheme(static_cast<TqzThemedObjectType>(ThemedObjectType)))
      UxGetThemeBackgroundContentRect(theme, Canvas->DCHandle(), 1, NativeState, &Bounds, &content);
    Canvas->FillWithColor(content, BackgroundColor);
    // The frame takes the border colour of a list box's (composited) or a combo box's theme.
    const bool composited = DwmCompositionEnabled();
    COLORREF border = ColorToRGB(clBtnShadow);
    if (HTHEME frame = ObtainTheme(composited ? totListBox : totComboBox))
      UxGetThemeColor(frame, composited ? 3 : 1, 1, TMT_BORDERCOLOR, &border);
    FillRectOutside(Canvas, Bounds, content, static_cast<TColor>(border));
    return;
  }
  TRect r = BorderRect;
  r.Left -= BorderWidth;
  r.Top -= BorderWidth;
  if (Edges.Contains(bRight)) r.Right += BorderWidth;
  if (Edges.Contains(bBottom)) r.Bottom += BorderWidth;
  if (Shadow) PaintShadowStrips(Canvas, r);
  if (!Edges.Contains(bRight)) r.Right += BorderWidth;
  if (!Edges.Contains(bBottom)) r.Bottom += BorderWidth;
  DrawBorder(Canvas, r);
  Canvas->FillWithColor(BorderRect, BackgroundColor);
}

void TkvContainerViewInfo::CopyFrom(TkvContainerViewInfo* Other) {
  if (Other) ClientRect = Other->ClientRect;
}

TkvRegion* TkvContainerViewInfo::ChangedArea(TkvContainerViewInfo*) { return new TkvRegion(); }

void TkvContainerViewInfo::MoveBy(Integer DX, Integer DY) {
  BorderRect = RectShifted(BorderRect, DX, DY);
  Bounds = RectShifted(Bounds, DX, DY);
  ClientRect = RectShifted(ClientRect, DX, DY);
}

// ---- TkvContainer --------------------------------------------------------------------------

TAVREN_CLASS_IMPL_PUBLISHED(TkvContainer, PROPERTY(FakeStyleController).Stored(false),
                            PROPERTY(TabStop).Default(true))

TAVREN_MESSAGE_TABLE(TkvContainer, MESSAGE_HANDLER(WM_SETFOCUS, WMSetFocus),
                     MESSAGE_HANDLER(WM_KILLFOCUS, WMKillFocus), MESSAGE_HANDLER(WM_SETCURSOR, WMSetCursor),
                     MESSAGE_HANDLER(WM_WINDOWPOSCHANGING, WMWindowPosChanging),
                     MESSAGE_HANDLER(WM_WINDOWPOSCHANGED, WMWindowPosChanged),
                     MESSAGE_HANDLER(WM_NCPAINT, WMNCPaint),
                     MESSAGE_HANDLER(CM_PARENTCOLORCHANGED, CMParentColorChanged),
                     MESSAGE_HANDLER(CM_PARENTFONTCHANGED, CMParentFontChanged),
                     MESSAGE_HANDLER(CM_ENABLEDCHANGED, CMEnabledChanged),
                     MESSAGE_HANDLER(CM_FONTCHANGED, CMFontChanged), MESSAGE_HANDLER(CM_CTL3DCHANGED, CMCtl3DChanged),
                     MESSAGE_HANDLER(CM_SYSCOLORCHANGE, CMSysColorChange),
                     MESSAGE_HANDLER(KVM_CONTAINERCREATED, KVMContainerCreated),
                     MESSAGE_HANDLER(KVM_UPDATEINNERSCROLLBARS, KVMUpdateInnerScrollBars))

TkvContainer::TkvContainer(TComponent* AOwner, const TClasses& Classes)
    : TkvControl(AOwner), FClasses(Classes) {
  FCreating = true;
  FTrackingCaller = std::make_unique<TkvContainerTrackingCaller>(this);
  TkvContainerStylesArgs args(this, StyleClass());
  FStyles.reset(StyleSetClass().Create(&args));
  FStyles->BindOnChanged(MakeEvent<&TkvContainer::ApplyStyle>(this));
  FActiveStyleState = TkvContainerState{csNormal};
  FActiveStyle = GetStyle();
  FViewInfo.reset(ViewInfoClass().Create());
  GetLookAndFeelObject()->AttachToMaster(GetStyle()->GetLookAndFeel());
  FControlStyle = FControlStyle + TControlStyle{csCaptureMouse, csSetCaption};
  SetTabStop(true);
  SetParentColor(DefaultParentColor() && !IsInplace() && !GetStyle()->IsValueAssigned(svColor));
  if (!GetParentColor()) SetColor(clWindow);
  ResetInnerControlBounds();
  FCreating = false;
}

void TkvContainer::UseStyleClass(TkvContainerStyleClass AStyleClass) {
  if (AStyleClass == FClasses.Style) return;
  GetLookAndFeelObject()->AttachToMaster(nullptr);
  FStyles->BindOnChanged({});
  FClasses.Style = AStyleClass;
  TkvContainerStylesArgs args(this, StyleClass());
  FStyles.reset(StyleSetClass().Create(&args));
  FStyles->BindOnChanged(MakeEvent<&TkvContainer::ApplyStyle>(this));
  FActiveStyle = GetStyle();
  GetLookAndFeelObject()->AttachToMaster(GetStyle()->GetLookAndFeel());
}

TkvContainer::~TkvContainer() {
  StopMouseLeaveWatch(FTrackingCaller.get());
  FDestroying = true;
  FViewInfo.reset();
  FStyles->BindOnChanged({});
  // The control's look-and-feel follows the normal style's: let go before the styles go.
  GetLookAndFeelObject()->AttachToMaster(nullptr);
  FStyles.reset();
}

IkvMouseTrackingCaller* TkvContainer::TrackingCaller() const { return FTrackingCaller.get(); }

bool TkvContainer::IsBeingDestroyed() const {
  return GetComponentState().Contains(csDestroying) || FDestroying;
}

bool TkvContainer::RefreshViewInfo(bool IsMouseEvent) {
  if (!HandleAllocated() || IsBeingDestroyed() || FRefreshing) return false;
  FRefreshing = true;
  TPoint p{-1, -1};
  POINT cursor;
  GetCursorPos(&cursor);
  if (IsSelfOrChildWindow(GetHandle(), WindowFromPoint(cursor))) p = ScreenToClient(cursor);
  bool result = CalculateViewInfoAt(p, 0, CurrentShiftState(), IsMouseEvent);
  FRefreshing = false;
  return result;
}

void TkvContainer::EnsureViewInfo() {
  if (!FViewInfoCalculated) RefreshViewInfo(false);
}

void TkvContainer::PostRefresh() {
  if (IsBeingDestroyed() || !HandleAllocated() || !FInnerControl) return;
  PostMessage(GetHandle(), KVM_UPDATEINNERSCROLLBARS, 0, 0);
}

void TkvContainer::SetInnerControl(TWinControl* Control) {
  if (Control == FInnerControl) return;
  if (FInnerControl) FInnerControl->RemoveFreeNotification(this);
  FInnerControl = Control;
  if (FInnerControl) FInnerControl->FreeNotification(this);
}

void TkvContainer::Notification(TComponent* AComponent, TOperation Operation) {
  TkvControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FInnerControl) FInnerControl = nullptr;
}

void TkvContainer::LockAlignControls(bool Lock) {
  if (Lock)
    ++FAlignControlsLock;
  else if (FAlignControlsLock > 0)
    --FAlignControlsLock;
}

bool TkvContainer::IsStylePropertyStored(const String& Name, bool ForStateStyle) {
  if (ForStateStyle && !GetStyle()->PublishesStyleProperty(Name)) return false;
  TkvContainerStyleValue value;
  if (GetStyle()->FindStyleValue(Name, value)) return !GetHiddenStyleValues().Contains(value);
  return true;
}

void TkvContainer::SetDragMode(TDragMode Value) {
  TkvControl::SetDragMode(Value);
  if (FInnerControl) FInnerControl->SetDragMode(Value);
}

void TkvContainer::SetDragKind(TDragKind Value) {
  FDragKind = Value;
  if (FInnerControl) FInnerControl->SetDragKind(Value);
}

// ---- Virtual slots ---------------------------------------------------------------------------

void TkvContainer::SyncInnerControlLook() {
  if (!FInnerControl) return;
  FInnerControl->SetColor(FViewInfo->BackgroundColor);
  FInnerControl->GetFont()->Assign(ActiveStyle()->GetEffectiveFont());
}

bool TkvContainer::IsBorderCustomDrawn() {
  return !(FViewInfo->NativeStyle && FViewInfo->BorderStyle != cbsNone);
}

TkvContainerStyle* TkvContainer::CurrentStateStyle() {
  if (FActiveStyle && FActiveStyleState == FViewInfo->ContainerState) return FActiveStyle;
  FActiveStyle = SelectStateStyle();
  FActiveStyleState = FViewInfo->ContainerState;
  return FActiveStyle;
}

TkvContainerStyle* TkvContainer::SelectStateStyle() {
  const TkvContainerState& state = FViewInfo->ContainerState;
  if (state.Contains(csDisabled)) return GetStyleDisabled();
  if (state.Contains(csActive)) return GetStyleFocused();
  if (GetStyle()->GetHotTrack() && state.Contains(csHot)) return GetStyleHot();
  return GetStyle();
}

bool TkvContainer::DrawsShadow() { return ActiveStyle()->GetShadow() && !UsesNativeTheme(); }

void TkvContainer::PassToInnerWndProc(TMessage& Message) {
  if (FSavedInnerWndProc && FInnerControl && FInnerControl->HandleAllocated())
    Message.Result = CallWindowProc(FSavedInnerWndProc, FInnerControl->GetHandle(), Message.Msg, Message.WParam,
                                    Message.LParam);
}

void TkvContainer::MouseTrackingLeave() {
  TkvControl::FireMouseLeave(this);
  StopMouseLeaveWatch(FTrackingCaller.get());
}

void TkvContainer::BorderExtension(TRect& Margins) {
  TkvContainerStyle* style = ActiveStyle();
  if (style->GetTransparentBorder() && !FViewInfo->Painter) {
    Margins = TRect(2, 2, 2, 2);
  } else if (!style->ShowsBorder() || (UsesNativeTheme() && GetStyle()->GetBorderStyle() == cbsNone)) {
    Margins = TRect(0, 0, 0, 0);
  } else if (UsesNativeTheme()) {
    Margins = TRect(2, 2, 2, 2);
  } else {
    Integer w = BorderWidthOf(FViewInfo->BorderStyle);
    TkvBorders edges = style->GetEdges();
    Margins = TRect(edges.Contains(bLeft) ? w : 0, edges.Contains(bTop) ? w : 0, edges.Contains(bRight) ? w : 0,
                    edges.Contains(bBottom) ? w : 0);
  }
  if (DrawsShadow()) {
    Margins.Right += 3;
    Margins.Bottom += 3;
  }
}

void TkvContainer::ComputeInnerControlClip(const TRect& ClientRect, TControl* Control, TkvInnerControlClip& Clip) {
  Clip = TkvInnerControlClip();
  if (!Control) return;
  Clip.VisibleRect = LocalBoundsOf(Control);
  TRect bounds = Control->GetBoundsRect();
  bool cut = false;
  if (bounds.Left < ClientRect.Left) {
    Clip.VisibleRect.Left += ClientRect.Left - bounds.Left;
    cut = true;
  }
  if (bounds.Top < ClientRect.Top) {
    Clip.VisibleRect.Top += ClientRect.Top - bounds.Top;
    cut = true;
  }
  if (bounds.Right > ClientRect.Right) {
    Clip.VisibleRect.Right -= bounds.Right - ClientRect.Right;
    cut = true;
  }
  if (bounds.Bottom > ClientRect.Bottom) {
    Clip.VisibleRect.Bottom -= bounds.Bottom - ClientRect.Bottom;
    cut = true;
  }
  Clip.FullyVisible = !cut;
}

void TkvContainer::GetOuterBounds(TRect& R) {
  TRect margins;
  BorderExtension(margins);
  R = FViewInfo->Bounds;
  R.Left += margins.Left;
  R.Top += margins.Top;
  R.Right -= margins.Right;
  R.Bottom -= margins.Bottom;
  GrowRectOnEdges(R, BorderWidthOf(FViewInfo->EffectiveBorderStyle()), ActiveStyle()->GetEdges());
}

void TkvContainer::GetMouseTrackingBounds(TRect& R) {
  R = LocalBoundsOf(this);
  if (IsInplace()) return;
  if (FViewInfo->Shadow) {
    R.Right -= 3;
    R.Bottom -= 3;
  }
  TkvContainerStyle* normal = GetStyle();
  if (normal->ShowsBorder()) {
    if (FViewInfo->NativeStyle) {
      if (normal->GetTransparentBorder() && normal->GetBorderStyle() == cbsNone) R = RectInflated(R, -2, -2);
    } else if (normal->GetTransparentBorder()) {
      Integer w = BorderWidthOf(FViewInfo->BorderStyle);
      R = RectInflated(R, w - 2, w - 2);
      ShrinkRectOffEdges(R, w, FViewInfo->Edges);
    }
  } else if (normal->GetTransparentBorder()) {
    R = RectInflated(R, -2, -2);
  }
  if (R.Bottom < R.Top) R.Top = R.Bottom = 0;
}

bool TkvContainer::CalculateViewInfoAt(const TPoint& P, Integer, TShiftState Shift, bool) {
  if (FRefreshLocked || IsBeingDestroyed()) return true;
  FViewInfoCalculated = true;
  bool hotAllowed = Shift.Empty() && ActiveStyle()->GetHotTrack();
  ComputeViewInfo(P, hotAllowed);
  AlignInnerControl();
  SyncInnerControlLook();
  UpdateWindowRegion();
  if (FInnerControl) {
    InvalidateRectOutside(GetHandle(), LocalBoundsOf(this), FViewInfo->BorderRect, false);
  } else {
    InvalidateArea(nullptr, false);
  }
  if (FViewInfo->ContainerState.Contains(csHot)) {
    TRect bounds;
    GetMouseTrackingBounds(bounds);
    StartMouseLeaveWatch(this, bounds, FTrackingCaller.get());
  }
  return true;
}

void TkvContainer::ComputeViewInfo(const TPoint& P, bool HotAllowed) {
  TkvContainerViewInfo* vi = FViewInfo.get();
  vi->NativeStyle = UsesNativeTheme();
  vi->Painter = GetStyle()->GetLookAndFeel()->GetSkinPainter();
  Integer oldWidth = BorderWidthOf(vi->BorderStyle);
  for (int pass = 0; pass < 2; ++pass) {
    TkvContainerState state;
    if (!GetEnabled()) {
      state = {csDisabled};
    } else if (IsDesignTime()) {
      state = {csNormal};
    } else {
      state = Focused() ? TkvContainerState{csActive} : TkvContainerState{csNormal};
      TRect tracking;
      GetMouseTrackingBounds(tracking);
      if (HotAllowed && RectHoldsPoint(tracking, P)) state.Include(csHot);
    }
    vi->ContainerState = state;
    TkvContainerStyle* style = ActiveStyle();
    if (!style->GetHotTrack())
      vi->HotTrack = 0;
    else
      vi->HotTrack = (state.Contains(csActive) || state.Contains(csHot)) ? 2 : 1;
    if (vi->NativeStyle) {
      vi->BorderStyle = GetStyle()->GetBorderStyle();
    } else {
      TkvContainerBorderStyle bs = style->GetBorderStyle();
      vi->BorderStyle = (bs == cbsUltraFlat || bs == cbsOffice11) ? cbsSingle : bs;
    }
    if (vi->NativeStyle || BorderWidthOf(vi->BorderStyle) >= oldWidth) break;
    oldWidth = BorderWidthOf(vi->BorderStyle);
  }
  if (vi->NativeStyle) {
    vi->ThemedObjectType = NativeThemeKind();
    vi->NativePart = ThemePartId();
    vi->NativeState = ThemeStateId();
  }
  vi->Bounds = LocalBoundsOf(this);
  TRect margins;
  BorderExtension(margins);
  vi->BorderRect = TRect(vi->Bounds.Left + margins.Left, vi->Bounds.Top + margins.Top,
                         vi->Bounds.Right - margins.Right, vi->Bounds.Bottom - margins.Bottom);
  vi->ClientRect = vi->BorderRect;
  vi->BorderWidth = vi->Painter ? 1 : BorderWidthOf(vi->BorderStyle);
  vi->Edges = ActiveStyle()->GetEdges();
  vi->Shadow = DrawsShadow();
  BorderColorAndBackground();
}

void TkvContainer::BorderColorAndBackground() {
  TkvContainerViewInfo* vi = FViewInfo.get();
  TkvContainerStyle* style = ActiveStyle();
  const TkvContainerState& state = vi->ContainerState;
  bool highlighted = state.Contains(csActive) || (state.Contains(csHot) && style->GetHotTrack()) ||
                     (IsDesignTime() && GetEnabled());
  TkvContainerBorderStyle bs = style->GetBorderStyle();
  if (vi->Painter) {
    vi->BorderColor = vi->Painter->ContainerFrameColor(highlighted);
  } else if (bs != cbsUltraFlat && bs != cbsOffice11) {
    vi->BorderColor = style->GetBorderColor();
  } else if (!highlighted) {
    vi->BorderColor = clBtnShadow;
  } else {
    vi->BorderColor = bs == cbsUltraFlat ? clHighlight : Office11Color(41);
  }
  TColor background = style->ResolveColor();
  if (vi->NativeStyle && !GetEnabled() && !style->IsValueAssigned(svColor)) {
    COLORREF fill;
    if (HTHEME theme = ObtainTheme(static_cast<TqzThemedObjectType>(vi->ThemedObjectType));
        theme && UxGetThemeColor(theme, vi->NativePart, vi->NativeState, TMT_FILLCOLOR, &fill) == S_OK)
      background = static_cast<TColor>(fill);
  }
  vi->AssignBackgroundColor(background);
}

void TkvContainer::UpdateWindowRegion() {
  if (!HandleAllocated()) return;
  TRect r;
  GetOuterBounds(r);
  SetWindowRegionIfChanged(GetHandle(), r, !IsBorderCustomDrawn(), FViewInfo->Shadow, TRect());
}

void TkvContainer::AlignInnerControl() {
  if (!FInnerControl) return;
  const TRect& client = FViewInfo->ClientRect;
  if (FInnerControl->GetBoundsRect() == client) return;
  bool locked = FRefreshLocked;
  FRefreshLocked = true;
  FInnerControl->SetBounds(client.Left, client.Top, client.Right - client.Left, client.Bottom - client.Top);
  FRefreshLocked = locked;
}

void TkvContainer::ClipToWindowRegion() {
  TRect r;
  GetOuterBounds(r);
  HRGN region = BuildContainerRegion(GetHandle(), r, !IsBorderCustomDrawn(), FViewInfo->Shadow, TRect());
  if (!region) return;
  GetKvCanvas()->ApplyClipRegion(new TkvRegion(region), roIntersect, true, true);
}

Integer TkvContainer::ThemePartId() { return DwmCompositionEnabled() ? 3 : 1; }

Integer TkvContainer::ThemeStateId() {
  if (!GetEnabled()) return 4;
  if (IsReadOnlyLook()) return 6;
  if (Focused()) return 5;
  if (FViewInfo->ContainerState.Contains(csHot)) return 2;
  return 1;
}

bool TkvContainer::UsesNativeTheme() { return NativeThemeOpen(GetStyle()->GetLookAndFeel()->GetNativeStyle(), NativeThemeKind()); }

void TkvContainer::FocusInnerControl() {
  if (FInnerControl) FInnerControl->SetFocus();
}

// ---- Inner scroll bars ---------------------------------------------------------------------

void TkvContainer::ScrollBarClientRect(const TRect& ScreenRect, TRect& R) {
  TPoint topLeft = ScreenToClient(TPoint(ScreenRect.Left, ScreenRect.Top));
  Integer width = ScreenRect.Right - ScreenRect.Left;
  Integer height = ScreenRect.Bottom - ScreenRect.Top;
  if (topLeft.X < 0 || topLeft.Y < 0 || width > GetWidth() || height > GetHeight()) {
    R = TRect();
    return;
  }
  R = TRect(topLeft.X, topLeft.Y, width, height);
}

bool TkvContainer::ScrollBarEnabled(TkvControlScrollBar* Bar, const SCROLLBARINFO& Info) {
  TControl* owner = Bar->GetParent() ? static_cast<TControl*>(Bar->GetParent()) : this;
  return owner->GetEnabled() && !(Info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE);
}

bool TkvContainer::GetInnerScrollBarInfo(SCROLLBARINFO& Info, TScrollBarKind Kind) {
  if (IsBeingDestroyed() || !GetParent() || !HandleAllocated() || !FInnerControl || !FInnerControl->HandleAllocated())
    return false;
  return QueryScrollBarInfo(FInnerControl->GetHandle(), Kind == sbHorizontal ? OBJID_HSCROLL : OBJID_VSCROLL, Info);
}

bool TkvContainer::InnerScrollBarVisible(const SCROLLBARINFO& Info) {
  return !(Info.rgstate[0] & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN));
}

void TkvContainer::ShowScrollBar(TkvControlScrollBar* Bar, bool Visible) {
  Bar->SetVisible(Visible);
  if (!Visible) return;
  Bar->SetCtl3D(false);
  Bar->BringToFront();
}

void TkvContainer::PlaceScrollBarFromInner(TkvControlScrollBar* Bar) {
  SCROLLBARINFO info;
  if (GetInnerScrollBarInfo(info, Bar->GetKind()) && InnerScrollBarVisible(info)) {
    Bar->SetEnabled(ScrollBarEnabled(Bar, info));
    TRect r;
    ScrollBarClientRect(info.rcScrollBar,
                        r);
    // r holds left, top, width and height.
    Bar->SetBounds(r.Left, r.Top, r.Right, r.Bottom);
    ShowScrollBar(Bar, r.Right > 0 && r.Bottom > 0);
  } else {
    ShowScrollBar(Bar, false);
  }
}

void TkvContainer::UpdateInnerScrollBars(bool OnlyParams) {
  if (!FInnerControl || !UsesScrollBars() || IsBeingDestroyed() || !ScrollBarInfoAvailable) return;
  TkvControlScrollBar* bars[] = {GetHScrollBar(), GetVScrollBar()};
  if (!bars[0] || !bars[1]) return;
  FScrollBarsCalculating = true;
  for (TkvControlScrollBar* bar : bars) {
    if (!OnlyParams) PlaceScrollBarFromInner(bar);
    if (!bar->GetVisible() || !FInnerControl->HandleAllocated()) continue;
    SCROLLINFO info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;
    GetScrollInfo(FInnerControl->GetHandle(), bar->GetKind() == sbHorizontal ? SB_HORZ : SB_VERT, &info);
    Integer page = std::min<Integer>(static_cast<Integer>(info.nPage), info.nMax);
    bar->SetRangeAndPosition(info.nMin, info.nMax, info.nPos, page, true);
  }
  UpdateSizeGrip();
  FScrollBarsCalculating = false;
}

void TkvContainer::UpdateSizeGrip() {
  TRect r;
  bool visible = GetHScrollBar()->GetVisible() && GetVScrollBar()->GetVisible() && FInnerControl->HandleAllocated() &&
                 Supports<IkvContainerInnerControl>(FInnerControl);
  if (visible) SizeGripScreenRect(FInnerControl, r);
  if (visible && (!FSizeGripVisible || r != FSizeGripRect)) {
    HRGN region = CreateRectRgn(r.Left, r.Top, r.Right, r.Bottom);
    SendMessage(FInnerControl->GetHandle(), WM_NCPAINT, reinterpret_cast<WPARAM>(region), 0);
    DeleteObject(region);
  }
  FSizeGripVisible = visible;
  FSizeGripRect = r;
}

// ---- Inner control messages ----------------------------------------------------------------

bool TkvContainer::PreviewInnerMessage(TMessage& Message) {
  switch (Message.Msg) {
    case WM_CONTEXTMENU:
      Message.Result = Perform(WM_CONTEXTMENU, Message.WParam, Message.LParam);
      return Message.Result != 0;
    case KVM_BUFFEREDREPAINT:
      if (FInnerRepaintPending && FInnerControl && FInnerControl->HandleAllocated())
        PaintBufferedWindow(FInnerControl->GetHandle());
      FInnerRepaintPending = false;
      return false;
    case CN_CTLCOLOREDIT:
      if (FOnGlass && DwmCompositionEnabled() && !FInnerRepaintPending && FInnerControl) {
        FInnerRepaintPending = true;
        PostMessage(FInnerControl->GetHandle(), KVM_BUFFEREDREPAINT, 0, 0);
      }
      return false;
    default: return false;
  }
}

bool TkvContainer::HandleInnerCNKey(TMessage& Message) {
  if (Message.Msg != CN_KEYDOWN && Message.Msg != CN_SYSKEYDOWN) return false;
  TMessage copy = Message;
  if (!ShortCutByPopupMenus(copy)) return false;
  Message.Result = 1;
  return true;
}

// ---- Framework overrides -------------------------------------------------------------------

bool TkvContainer::Focused() {
  if (IsDesignTime() || GetControlState().Contains(csDestroyingHandle)) return false;
  if (HandleAllocated() && GetFocus() == GetHandle()) return true;
  return FInnerControl && FInnerControl->Focused();
}

void TkvContainer::SetFocus() {
  if (IsDesignTime() || IsFocusedNow()) return;
  TkvControl::SetFocus();
  if (FInnerControl && FInnerControl->HandleAllocated() && HandleAllocated() && GetFocus() == GetHandle()) {
    FocusInnerControl();
    if (TCustomForm* form = GetParentForm()) form->FocusControl(FInnerControl);
  }
}

void TkvContainer::Invalidate() {
  TkvControl::Invalidate();
  if (FInnerControl) FInnerControl->Invalidate();
}

void TkvContainer::Update() {
  TkvControl::Update();
  if (FInnerControl) FInnerControl->Update();
}

void TkvContainer::AdjustClientRect(TRect& Rect) {
  if (!IsBeingDestroyed() && FViewInfo) Rect = FViewInfo->ClientRect;
}

TDragImageList* TkvContainer::GetDragImages() {
  return FInnerControl ? FInnerControl->GetDragImages() : TkvControl::GetDragImages();
}

void TkvContainer::DragCanceled() {
  TkvControl::DragCanceled();
  if (FInnerControl) _TkvContainerAccess::DragCanceled(FInnerControl);
}

void TkvContainer::RememberCursor() {
  TkvControl::RememberCursor();
  if (FInnerControl) FInnerControl->SetCursor(GetCursor());
}

void TkvContainer::GetTabOrderList(std::vector<TWinControl*>& List) {
  TkvControl::GetTabOrderList(List);
  if (HostsChildControls() || !FInnerControl) return;
  TCustomForm* form = GetParentForm();
  if (!form || form->GetActiveControl() != FInnerControl || FInnerControl == this || !CanFocus()) return;
  auto self = std::find(List.begin(), List.end(), static_cast<TWinControl*>(this));
  auto inner = std::find(List.begin(), List.end(), FInnerControl);
  if (inner != List.end()) List.erase(inner);
  self = std::find(List.begin(), List.end(), static_cast<TWinControl*>(this));
  if (self != List.end())
    *self = FInnerControl;
  else
    List.push_back(FInnerControl);
}

bool TkvContainer::WantsFocusOnClick() {
  if (FInnerControl && FInnerControl->HandleAllocated() && (FInnerControl->Focused() || FInnerMouseDown)) return false;
  return TkvControl::WantsFocusOnClick();
}

bool TkvContainer::FocusOnMouseDownAt(Integer X, Integer Y) {
  if (FInnerControl && FInnerControl->Focused()) return false;
  return TkvControl::FocusOnMouseDownAt(X, Y);
}

void TkvContainer::AlignControls(TControl* AControl, TRect& Rect) {
  if (HostsChildControls()) {
    TkvControl::AlignControls(AControl, Rect);
    return;
  }
  if (FAlignControlsLock > 0 || IsOwnScrollControl(AControl)) return;
  if (!AControl) {
    TkvControl::AlignControls(AControl, Rect);
    return;
  }
  auto* control = dynamic_cast<TWinControl*>(AControl);
  if (!control || !control->HandleAllocated() || FCreating) return;
  TkvInnerControlClip clip;
  ComputeInnerControlClip(Rect, control, clip);
  if (control != FInnerControl) {
    ApplyInnerControlRegion(control, clip);
    return;
  }
  bool same = FInnerClipEmpty ? clip.FullyVisible
                              : (clip.FullyVisible && FInnerClip.FullyVisible) ||
                                    (clip.FullyVisible == FInnerClip.FullyVisible &&
                                     clip.VisibleRect == FInnerClip.VisibleRect);
  if (same) return;
  ApplyInnerControlRegion(control, clip);
  FInnerClip = clip;
  FInnerClipEmpty = false;
}

void TkvContainer::ApplyStyle(TObject*) {
  if (FCreating || ComponentIsLoading(this)) return;
  RefreshViewInfo(false);
  TkvContainerStyle* normal = GetStyle();
  if (!GetParentColor() || normal->GetAssignedValues().Contains(svColor)) {
    FInternalSetting = true;
    SetColor(normal->ControlColor());
    FInternalSetting = false;
  }
  FInternalSetting = true;
  SetFont(normal->GetFont());
  FInternalSetting = false;
  if (normal->IsValueAssigned(svFont)) SetParentFont(false);
}

void TkvContainer::AfterColorChange() {
  if (FInternalSetting) {
    TkvControl::AfterColorChange();
    RefreshViewInfo(false);
    return;
  }
  GetStyle()->SetColor(GetColor());
}

void TkvContainer::CMFontChanged(TMessage& Message) {
  if (FInternalSetting) {
    InheritedMessage(Message);
    AlignInnerControl();
    UpdateInnerScrollBars(false);
    RefreshViewInfo(false);
    return;
  }
  TkvContainerStyle* normal = GetStyle();
  bool wasAssigned = normal->GetAssignedValues().Contains(svFont);
  normal->SetFont(GetFont());
  if (!wasAssigned) normal->DropAssignedValue(svFont);
  InheritedMessage(Message);
}

void TkvContainer::CMParentColorChanged(TMessage& Message) {
  TkvContainerStyle* normal = GetStyle();
  bool hadColor = normal->GetAssignedValues().Contains(svColor);
  InheritedMessage(Message);
  if (!hadColor || GetParentColor()) normal->DropAssignedValue(svColor);
  if (normal->ResolveColor() != GetColor()) ApplyStyle(normal);
  if (DependsOnParentBackground() && !GetParentColor()) Invalidate();
}

void TkvContainer::CMParentFontChanged(TMessage& Message) {
  TkvContainerStyle* normal = GetStyle();
  bool hadFont = normal->GetAssignedValues().Contains(svFont);
  InheritedMessage(Message);
  if (!GetParentFont()) normal->SyncFont();
  if (!hadFont || GetParentFont()) normal->DropAssignedValue(svFont);
}

void TkvContainer::CMSysColorChange(TMessage& Message) {
  InheritedMessage(Message);
  RefreshViewInfo(false);
}

void TkvContainer::CMCtl3DChanged(TMessage& Message) {
  InheritedMessage(Message);
  RefreshViewInfo(false);
}

void TkvContainer::CMEnabledChanged(TMessage& Message) {
  InheritedMessage(Message);
  AfterEnabledChange();
}

void TkvContainer::AfterEnabledChange() {
  for (Integer i = 0; i < GetControlCount(); ++i) {
    if (auto* bar = dynamic_cast<TkvScrollBar*>(GetControls(i))) bar->SetEnabled(GetEnabled());
  }
  RefreshViewInfo(false);
}

void TkvContainer::ChangeScale(Integer M, Integer D) {
  TkvContainerStyle* normal = GetStyle();
  bool scaleFont = M != D && normal->IsValueAssigned(svFont) &&
                   (!ComponentIsLoading(this) || FScalingFlags.Contains(sfFont));
  FInternalSetting = !GetParentFont();
  TkvControl::ChangeScale(M, D);
  FInternalSetting = false;
  if (!scaleFont) return;
  if (normal->GetAssignedValues().Contains(svFont)) {
    normal->GetFont()->SetSize(MulDiv(normal->GetFont()->GetSize(), M, D));
  } else if (ComponentIsLoading(this)) {
    if (TkvStyleController* controller = normal->EffectiveStyleController()) controller->Scale(M, D);
  }
}

void TkvContainer::Loaded() {
  TkvControl::Loaded();
  ApplyStyle(GetStyle());
}

// ---- Mouse and hot tracking ----------------------------------------------------------------

void TkvContainer::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TkvControl::MouseDown(Button, Shift, X, Y);
  CalculateViewInfoAt(TPoint(X, Y), MapMouseButton(Button), Shift, true);
}

void TkvContainer::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  TkvControl::MouseUp(Button, Shift, X, Y);
  CalculateViewInfoAt(TPoint(X, Y), MapMouseButton(Button), Shift, true);
}

void TkvContainer::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  TkvControl::MouseMove(Shift, X, Y);
  CalculateViewInfoAt(TPoint(X, Y), 0, Shift, true);
  TRect bounds;
  GetMouseTrackingBounds(bounds);
  StartMouseLeaveWatch(this, bounds, FTrackingCaller.get());
}

void TkvContainer::FireMouseEnter(TControl* AControl) {
  TkvControl::FireMouseEnter(AControl);
  RefreshViewInfo(true);
  TRect bounds;
  GetMouseTrackingBounds(bounds);
  StartMouseLeaveWatch(this, bounds, FTrackingCaller.get());
}

void TkvContainer::FireMouseLeave(TControl* AControl) {
  TkvControl::FireMouseLeave(AControl);
  RefreshViewInfo(true);
  StopMouseLeaveWatch(FTrackingCaller.get());
}

void TkvContainer::FireFocusChanged() {
  TkvControl::FireFocusChanged();
  RefreshViewInfo(false);
}

void TkvContainer::Resize() {
  TkvControl::Resize();
  if (FCreating) return;
  FRefreshing = false;
  RefreshViewInfo(false);
}

void TkvContainer::WMWindowPosChanged(TMessage& Message) {
  InheritedMessage(Message);
  if (!IsBeingDestroyed() && DependsOnParentBackground()) RefreshViewInfo(false);
}

void TkvContainer::WMSetCursor(TMessage& Message) {
  if (FInnerControl && reinterpret_cast<HWND>(Message.WParam) == GetHandle() && LOWORD(Message.LParam) == HTCLIENT) {
    POINT cursor;
    GetCursorPos(&cursor);
    if (!RectHoldsPoint(FViewInfo->ClientRect, ScreenToClient(cursor))) {
      ::SetCursor(Screen()->GetCursors(crArrow));
      Message.Result = 1;
      return;
    }
  }
  InheritedMessage(Message);
}

// ---- Keyboard and focus --------------------------------------------------------------------

void TkvContainer::WndProc(TMessage& Message) {
  const UINT msg = Message.Msg;
  if (FInnerControl && ((msg >= WM_KEYDOWN && msg <= WM_CHAR) || (msg >= CN_KEYDOWN && msg <= CN_CHAR))) {
    if (FInnerControl->HandleAllocated())
      Message.Result = SendMessage(FInnerControl->GetHandle(), msg, Message.WParam, Message.LParam);
    return;
  }
  if ((msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK) && GetDragMode() == dmAutomatic && !IsDesignTime()) {
    BeginAutoDrag();
    return;
  }
  if (msg == WM_SETFOCUS && !GetVisible()) return;
  if (msg == KVM_BUFFEREDREPAINT) {
    if (FRepaintOnGlassPending && HandleAllocated()) PaintBufferedWindow(GetHandle());
    FRepaintOnGlassPending = false;
    return;
  }
  if (msg == WM_PAINT && FOnGlass && DwmCompositionEnabled()) {
    PaintBufferedOnPaint(GetHandle());
    Message.Result = 0;
    return;
  }
  TkvControl::WndProc(Message);
  if ((msg == CN_CTLCOLOREDIT || msg == CN_CTLCOLORSTATIC) && !FRepaintOnGlassPending && FOnGlass &&
      DwmCompositionEnabled() && HandleAllocated()) {
    FRepaintOnGlassPending = true;
    PostMessage(GetHandle(), KVM_BUFFEREDREPAINT, 0, 0);
  }
}

void TkvContainer::KeyDown(Word& Key, TShiftState Shift) {
  TkvControl::KeyDown(Key, Shift);
  if (Key != VK_TAB || !Focused() || Shift.Contains(ssAlt) || Shift.Contains(ssCtrl) || !MovesFocusOnTab()) return;
  Key = 0;
  if (TCustomForm* form = GetParentForm()) {
    form->SelectNext(form->GetActiveControl(), !Shift.Contains(ssShift), true);
    if (HandleAllocated() && GetFocus() == GetHandle() && FInnerControl) FInnerControl->SetFocus();
  }
}

// The focus entering or leaving the container (not moving between it and its inner control)
// changes its look: the view is recomputed through the focus-changed event.
void TkvContainer::WMSetFocus(TMessage& Message) {
  if (IsBeingDestroyed() || !HandleAllocated() || !FInnerControl || !FInnerControl->HandleAllocated()) {
    InheritedMessage(Message);
    if (!IsBeingDestroyed()) FireFocusChanged();
    return;
  }
  if (reinterpret_cast<HWND>(Message.WParam) == FInnerControl->GetHandle()) {
    Message.Result = 0;
    return;
  }
  InheritedMessage(Message);
  // The inner control reports no focus that comes from here: the change is reported now.
  if (!IsBeingDestroyed()) FireFocusChanged();
  if (FInnerControl && FInnerControl->CanFocus()) FInnerControl->SetFocus();
}

void TkvContainer::WMKillFocus(TMessage& Message) {
  if (FInnerControl && FInnerControl->HandleAllocated() &&
      reinterpret_cast<HWND>(Message.WParam) == FInnerControl->GetHandle()) {
    Message.Result = 0;
    return;
  }
  InheritedMessage(Message);
  if (!IsBeingDestroyed() && !FInnerControl) FireFocusChanged();
}

void TkvContainer::WMWindowPosChanging(TMessage& Message) {
  if (IsBeingDestroyed()) {
    Message.Result = 0;
    return;
  }
  InheritedMessage(Message);
  if (HandleAllocated() && GetFocus() == GetHandle() && FInnerControl && FInnerControl->HandleAllocated() &&
      FInnerControl->CanFocus()) {
    if (TCustomForm* form = GetParentForm()) form->FocusControl(FInnerControl);
  }
}

void TkvContainer::DoContextPopup(TPoint MousePos, bool& Handled) {
  if (FPopupMenuLockCount == 0 && ((MousePos.X == -1 && MousePos.Y == -1) || AcceptsContextPopupAt(MousePos)))
    TkvControl::DoContextPopup(MousePos, Handled);
  else
    Handled = true;
}

// ---- Painting and window creation ----------------------------------------------------------

void TkvContainer::Paint() {
  TkvCanvas* canvas = GetKvCanvas();
  if (!canvas->AreaVisible(FViewInfo->Bounds)) return;
  if (GetControlState().Contains(csPaintCopy)) ClipToWindowRegion();
  EnsureViewInfo();
  if (FViewInfo->Painter) {
    canvas->PushClip();
    canvas->ClipOutRect(FViewInfo->BorderRect);
    CopyParentImage(this, canvas, FViewInfo->Bounds, false);
    canvas->PopClip();
  }
  FViewInfo->Draw(canvas);
}

void TkvContainer::CreateParams(TCreateParams& Params) {
  TkvControl::CreateParams(Params);
  Params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TkvContainer::CreateWindowHandle(const TCreateParams& Params) {
  TCreateParams params = Params;
  // The text is set once the window exists; asked for then, it would come from the new, empty
  // window.
  const String caption = params.Caption;
  params.Caption.clear();
  TkvControl::CreateWindowHandle(params);
  if (HandleAllocated()) DefWindowProc(GetHandle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(caption.c_str()));
}

void TkvContainer::CreateHandle() {
  TkvControl::CreateHandle();
  if (HandleAllocated()) PostMessage(GetHandle(), KVM_CONTAINERCREATED, 0, 0);
}
