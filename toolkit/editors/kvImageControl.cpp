// The image editor: the picture as the edit value, its changes, the clipboard keys and commands,
// and scrolling a picture shown at natural size.

#include <algorithm>

#include "gdi/SysMetrics.h"
#include "rtl/Resources.h"
#include "rtl/SysUtils.h"
#include "user/Clipboard.h"
#include "user/VirtualKeys.h"
#include "vcl/Clipbrd.h"
#include "vcl/Jpeg.h"
#include "toolkit/editors/kvImage.h"

TAVREN_CLASS_IMPL(TkvCustomImage)
TAVREN_CLASS_IMPL_PUBLISHED(TkvImage, PROPERTY(AutoSize).Default(false), PROPERTY(Picture),
                            PROPERTY_AS(PopupMenu, GetKvPopupMenu, SetKvPopupMenu),
                            PROPERTY_AS(Properties, GetImageEditProperties, SetImageEditProperties),
                            PROPERTY_AS(Style, GetEditStyle, SetEditStyle),
                            PROPERTY_AS(StyleDisabled, GetEditStyleDisabled, SetEditStyleDisabled),
                            PROPERTY_AS(StyleFocused, GetEditStyleFocused, SetEditStyleFocused),
                            PROPERTY_AS(StyleHot, GetEditStyleHot, SetEditStyleHot),
                            PROPERTY(Transparent).Default(false), PROPERTY(OnEditing), PROPERTY(OnGetGraphicClass))

namespace {

constexpr Integer kScrollStep = 8;

bool IsClass(TGraphicClass A, TClass B) { return static_cast<TClass>(A) == B; }

}  // namespace

TkvCustomImage::TkvCustomImage(TComponent* AOwner, bool AInplace, TkvCustomEditPropertiesClass APropertiesClass)
    : TkvCustomEdit(AOwner, AInplace, APropertiesClass),
      FPicture(std::make_unique<TPicture>()),
      FClipboardFormat(CF_PICTURE) {
  SetAutoSize(false);
  SetBounds(GetLeft(), GetTop(), 140, 100);
  FPicture->SetOnChange(MakeEvent<&TkvCustomImage::PictureChanged>(this));
  ImageViewInfo()->Picture = FPicture.get();
}

TkvCustomImage::~TkvCustomImage() {
  // The picture goes first: its change must not reach an editor half gone.
  FPicture->SetOnChange(TNotifyEvent());
}

TkvCustomEditViewData* TkvCustomImage::MakeViewData() {
  TkvCustomEditViewData* data = TkvCustomEdit::MakeViewData();
  static_cast<TkvImageViewData*>(data)->EditorPicture = FPicture.get();
  return data;
}

void TkvCustomImage::AsUserAction(const std::function<void()>& Action) {
  const bool keyboard = IsKeyboardAction();
  SetKeyboardAction(true);
  TWeakRef<TkvCustomImage> guard(this);
  try {
    Action();
  } catch (...) {
    if (guard) SetKeyboardAction(keyboard);
    throw;
  }
  if (guard) SetKeyboardAction(keyboard);
}

bool TkvCustomImage::CanModifyPicture() { return !IsEffectivelyReadOnly() && ModificationAllowed(); }

bool TkvCustomImage::CanCopyPicture() {
  TGraphic* graphic = FPicture->GetGraphic();
  // An icon writes nothing to the clipboard: a cut would lose it.
  return graphic && !graphic->GetEmpty() && !dynamic_cast<TIcon*>(graphic);
}

// ---- Value -----------------------------------------------------------------------------------

void TkvCustomImage::GetEditValue(Variant& Value) {
  TGraphic* graphic = FPicture->GetGraphic();
  if (graphic && !graphic->GetEmpty())
    Value = Variant(SavePictureToValue(FPicture.get()));
  else
    Value = VarIsNull(FUndecodedValue) ? Null() : FUndecodedValue;
}

void TkvCustomImage::StoreEditValue(const Variant& Value) {
  if (IsKeyboardAction() && !RequestEdit()) return;
  FLoadingValue = true;
  try {
    FUndecodedValue = Null();
    if (VarIsStr(Value)) {
      // A value that does not decode shows nothing, but stays the edit value until the picture
      // changes: a post must not lose stored bytes.
      if (!LoadPictureFromValue(FPicture.get(), GetGraphicClass(false), Value)) FUndecodedValue = Value;
    } else {
      FPicture->Assign(nullptr);
    }
  } catch (...) {
    FLoadingValue = false;
    throw;
  }
  FLoadingValue = false;
  SetModifiedFlag(false);
}

void TkvCustomImage::AssignResetValue(const Variant& Value) {
  // The clear key empties the picture as the user's change.
  if (IsKeyboardAction() && VarIsNull(Value)) return DeletePicture();
  TkvCustomEdit::AssignResetValue(Value);
}

void TkvCustomImage::PictureChanged(TObject*) {
  TkvChangeEventsLock lock(this);
  TkvCustomImageProperties* properties = ImageProperties();
  TGraphic* graphic = FPicture->GetGraphic();
  if (graphic && !graphic->GetEmpty() && properties->GetGraphicTransparency() != gtDefault) {
    FPicture->SetOnChange(TNotifyEvent());
    graphic->SetTransparent(properties->GetGraphicTransparency() == gtTransparent);
    FPicture->SetOnChange(MakeEvent<&TkvCustomImage::PictureChanged>(this));
  }
  TWeakRef<TkvCustomImage> guard(this);
  if (!GetComponentState().Contains(csReading)) {
    ImageViewInfo()->TopLeft = TPoint(0, 0);
    AlignInnerControl();
  }
  if (!FLoadingValue) {
    FUndecodedValue = Null();
    if (IsKeyboardAction()) MarkModifiedByUser(true);
    RaiseChange();
    if (!guard) return;
    if (properties->GetImmediatePost() && CanPostValue() && RunValidation(false)) CommitEditValue(false);
    if (!guard) return;
  }
  RefreshView();
  RefreshScrollBars();
  Invalidate();
}

void TkvCustomImage::ApplyPropertiesChange(TObject* Properties) {
  TkvCustomEdit::ApplyPropertiesChange(Properties);
  RefreshScrollBars();
  Invalidate();
}

bool TkvCustomImage::AutoSizeAllowed() {
  TGraphic* graphic = FPicture ? FPicture->GetGraphic() : nullptr;
  return TkvCustomEdit::AutoSizeAllowed() && graphic && !graphic->GetEmpty();
}

bool TkvCustomImage::HasFocusWithin() { return FDialogOpen || TkvCustomEdit::HasFocusWithin(); }

TGraphicClass TkvCustomImage::GetGraphicClass(bool APastingFromClipboard) {
  if (IsInplace()) return ImageProperties()->GetInplaceGraphicClass(this, -1, APastingFromClipboard);
  TGraphicClass result = ImageProperties()->GetGraphicClassRef();
  if (!result && APastingFromClipboard) result = TBitmap::ClassInfo();
  FOnGetGraphicClass(this, APastingFromClipboard, result);
  return result;
}

// ---- Keys and clipboard ----------------------------------------------------------------------

void TkvCustomImage::HandleKeyDown(Word& Key, TShiftState Shift) {
  const bool shift = Shift.Contains(ssShift), ctrl = Shift.Contains(ssCtrl);
  if (Key == VK_INSERT && shift) {
    AsUserAction([this] { ClipboardPaste(); });
  } else if (Key == VK_INSERT && ctrl) {
    AsUserAction([this] { ClipboardCopy(); });
  } else if (Key == VK_DELETE && shift) {
    AsUserAction([this] { ClipboardCut(); });
  } else {
    return TkvCustomEdit::HandleKeyDown(Key, Shift);
  }
  Key = 0;
}

void TkvCustomImage::HandleKeyPress(Char& Character) {
  switch (Character) {
    case 3:
      AsUserAction([this] { ClipboardCopy(); });
      break;
    case 22:
      AsUserAction([this] { ClipboardPaste(); });
      break;
    case 24:
      AsUserAction([this] { ClipboardCut(); });
      break;
    default:
      return TkvCustomEdit::HandleKeyPress(Character);
  }
  Character = 0;
}

bool TkvCustomImage::RefiresKeyDownEvent(Word Key, TShiftState Shift) {
  return (Key == VK_INSERT && !Shift.Contains(ssShift) && !Shift.Contains(ssCtrl)) ||
         (Key == VK_DELETE && !Shift.Contains(ssShift));
}

void TkvCustomImage::ClipboardCopy() {
  if (CanCopyPicture()) Clipboard()->Assign(FPicture.get());
}

void TkvCustomImage::ClipboardCut() {
  if (!CanCopyPicture()) return;
  ClipboardCopy();
  DeletePicture();
}

void TkvCustomImage::DeletePicture() {
  if (!RequestEdit()) return;
  // An empty picture that stands for undecoded bytes changes too: the bytes go.
  if (!FPicture->GetGraphic() && !VarIsNull(FUndecodedValue))
    PictureChanged(FPicture.get());
  else
    FPicture->Assign(nullptr);
}

bool TkvCustomImage::CanPasteFromClipboard() {
  TGraphicClass graphicClass = GetGraphicClass(true);
  TClipboard* clipboard = Clipboard();
  if (!graphicClass) return clipboard->HasFormat(CF_PICTURE);
  if (IsClass(graphicClass, TBitmap::ClassInfo()) || IsClass(graphicClass, TJPEGImage::ClassInfo()))
    return clipboard->HasFormat(CF_BITMAP);
  if (IsClass(graphicClass, TIcon::ClassInfo())) return false;
  if (IsClass(graphicClass, TMetafile::ClassInfo())) return clipboard->HasFormat(CF_METAFILEPICT);
  return clipboard->HasFormat(FClipboardFormat);
}

void TkvCustomImage::ClipboardPaste() {
  if (!CanPasteFromClipboard()) return;
  TGraphicClass graphicClass = GetGraphicClass(true);
  TClipboard* clipboard = Clipboard();
  const bool bitmapClass =
      IsClass(graphicClass, TBitmap::ClassInfo()) || IsClass(graphicClass, TJPEGImage::ClassInfo());
  // Read first: a paste that fails leaves the editor as it was, not even in edit mode.
  TPicture pasted;
  try {
    // A picture of its own format (a PNG image with its alpha) is taken whole rather than as the
    // bitmap that travels beside it.
    if (!clipboard->HasFormat(CF_BITMAP) || (!bitmapClass && clipboard->HasFormat(FClipboardFormat))) {
      pasted.Assign(clipboard);
    } else if (IsClass(graphicClass, TJPEGImage::ClassInfo())) {
      TJPEGImage jpeg;
      jpeg.Assign(clipboard);
      jpeg.JPEGNeeded();
      pasted.SetGraphic(&jpeg);
    } else {
      TBitmap bitmap;
      bitmap.Assign(clipboard);
      pasted.SetGraphic(&bitmap);
    }
  } catch (EOutOfResources&) {
    throw;
  } catch (Exception& e) {
    // Damaged data may fail in the decoder's own way; it is still a picture that cannot be read.
    throw EInvalidGraphic(Format(ResourceStringText(skvEditPictureUnreadable), "on the clipboard", e.Message()));
  }
  if (RequestEdit()) FPicture->Assign(&pasted);
}

// ---- Scrolling -------------------------------------------------------------------------------

TRect TkvCustomImage::ScrollClientRect() {
  // The view was computed with the bars that show now; the settling asks for the bars it tries.
  TRect client = ImageViewInfo()->ClientRect;
  if (GetHScrollBar() && GetHScrollBar()->IsShown()) client.Bottom += GetSystemMetrics(SM_CYHSCROLL);
  if (GetVScrollBar() && GetVScrollBar()->IsShown()) client.Right += GetSystemMetrics(SM_CXVSCROLL);
  if (HorzScrollBarShown()) client.Bottom -= GetSystemMetrics(SM_CYHSCROLL);
  if (VertScrollBarShown()) client.Right -= GetSystemMetrics(SM_CXVSCROLL);
  return client;
}

void TkvCustomImage::ComputeScrollBarParams() {
  TkvCustomImageProperties* properties = ImageProperties();
  const TRect client = ScrollClientRect();
  const Integer width = FPicture->GetWidth(), height = FPicture->GetHeight();
  const bool allowed = !IsInplace() && !GetAutoSize() && client.Width() > 0 && client.Height() > 0 && width > 0 &&
                       height > 0 && !properties->GetCenter() && !properties->GetStretch();
  const TPoint& topLeft = ImageViewInfo()->TopLeft;
  StoreScrollBarParams(sbHorizontal, 0, width - 1, kScrollStep, client.Width(), topLeft.X, allowed, true);
  StoreScrollBarParams(sbVertical, 0, height - 1, kScrollStep, client.Height(), topLeft.Y, allowed, true);
}

void TkvCustomImage::ScrollContent(TScrollBarKind Kind, TScrollCode ScrollCode, Integer& Position) {
  TkvImageViewInfo* info = ImageViewInfo();
  const bool horizontal = Kind == sbHorizontal;
  Integer& offset = horizontal ? info->TopLeft.X : info->TopLeft.Y;
  const Integer size = horizontal ? FPicture->GetWidth() : FPicture->GetHeight();
  const Integer page = horizontal ? info->ClientRect.Width() : info->ClientRect.Height();
  switch (ScrollCode) {
    case scLineUp: Position = offset - kScrollStep; break;
    case scLineDown: Position = offset + kScrollStep; break;
    case scPageUp: Position = offset - page; break;
    case scPageDown: Position = offset + page; break;
    case scTop: Position = 0; break;
    case scBottom: Position = size; break;
    case scEndScroll: Position = offset; break;
    default: break;
  }
  Position = std::clamp(Position, 0, std::max(size - page, 0));
  if (Position == offset) return;
  offset = Position;
  if (HandleAllocated()) InvalidateRect(GetHandle(), &info->ClientRect, false);
}

void TkvCustomImage::RefreshScrollBars() {
  const bool horizontal = HorzScrollBarShown(), vertical = VertScrollBarShown();
  TkvCustomEdit::RefreshScrollBars();
  if (horizontal == HorzScrollBarShown() && vertical == VertScrollBarShown()) return;
  // The client rectangle follows the bars, and the bars the client rectangle.
  RefreshView();
  PlaceScrollBars();
}
