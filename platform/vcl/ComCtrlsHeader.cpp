// TCustomHeaderControl: sections over the SysHeader32 window class.

#include <algorithm>

#include "controls/Header.h"
#include "controls/OwnerDraw.h"
#include "vcl/ComCtrls.h"

THeaderSection::THeaderSection(TCollection* Collection) : TCollectionItem(Collection) {}

void THeaderSection::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<THeaderSection*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  FText = source->FText;
  FWidth = source->FWidth;
  FMinWidth = source->FMinWidth;
  FMaxWidth = source->FMaxWidth;
  FAlignment = source->FAlignment;
  FStyle = source->FStyle;
  FAllowClick = source->FAllowClick;
  Changed(false);
}

void THeaderSection::SetText(const String& Value) {
  FText = Value;
  Changed(false);
}

void THeaderSection::SetWidth(Integer Value) {
  FWidth = std::clamp(Value, FMinWidth, std::max(FMinWidth, FMaxWidth));
  Changed(false);
}

void THeaderSection::SetMinWidth(Integer Value) {
  FMinWidth = std::max(Value, 0);
  if (FWidth < FMinWidth) SetWidth(FMinWidth);
}

void THeaderSection::SetMaxWidth(Integer Value) {
  FMaxWidth = std::max(Value, FMinWidth);
  if (FWidth > FMaxWidth) SetWidth(FMaxWidth);
}

void THeaderSection::SetAlignment(TAlignment Value) {
  FAlignment = Value;
  Changed(false);
}

void THeaderSection::SetStyle(THeaderSectionStyle Value) {
  FStyle = Value;
  Changed(false);
}

Integer THeaderSection::GetLeft() {
  Integer left = 0;
  auto* sections = static_cast<THeaderSections*>(GetCollection());
  for (Integer i = 0; i < GetIndex(); ++i) left += sections->GetItems(i)->GetWidth();
  return left;
}

THeaderSections::THeaderSections(TCustomHeaderControl* AOwner)
    : TOwnedCollection(AOwner, THeaderSection::ClassInfo()), FHeaderControl(AOwner) {}

void THeaderSections::Update(TCollectionItem*) { FHeaderControl->UpdateSections(); }

TAVREN_MESSAGE_TABLE(TCustomHeaderControl,
    MESSAGE_HANDLER(CN_NOTIFY, CNNotify),
    MESSAGE_HANDLER(CN_DRAWITEM, CNDrawItem))

TCustomHeaderControl::TCustomHeaderControl(TComponent* AOwner)
    : TWinControl(AOwner),
      FSections(std::make_unique<THeaderSections>(this)),
      FCanvas(std::make_unique<TCanvas>()) {
  FControlStyle = TControlStyle{csDoubleClicks};
  SetBounds(0, 0, 170, 17);
  SetAlign(alTop);
}

TCustomHeaderControl::~TCustomHeaderControl() = default;

void TCustomHeaderControl::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  CreateSubClass(Params, WC_HEADER);
  Params.Style |= HDS_BUTTONS | (FHotTrack ? HDS_HOTTRACK : 0);
}

void TCustomHeaderControl::CreateWnd() {
  inherited::CreateWnd();
  UpdateSections();
}

void TCustomHeaderControl::SetHotTrack(bool Value) {
  if (FHotTrack == Value) return;
  FHotTrack = Value;
  RecreateWnd();
}

void TCustomHeaderControl::UpdateSections() {
  if (!HandleAllocated()) return;
  while (SendMessage(FHandle, HDM_GETITEMCOUNT, 0, 0) > 0) SendMessage(FHandle, HDM_DELETEITEM, 0, 0);
  static constexpr int kFormats[] = {HDF_LEFT, HDF_RIGHT, HDF_CENTER};
  for (Integer i = 0; i < FSections->GetCount(); ++i) {
    THeaderSection* section = FSections->GetItems(i);
    HDITEM item;
    item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
    item.cxy = section->FWidth;
    item.pszText = const_cast<char*>(section->FText.c_str());
    item.fmt = kFormats[section->FAlignment] | (section->FStyle == hsOwnerDraw ? HDF_OWNERDRAW : HDF_STRING);
    SendMessage(FHandle, HDM_INSERTITEM, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
  }
}

void TCustomHeaderControl::DrawSection(THeaderSection* Section, const TRect& Rect, bool Pressed) {
  if (FOnDrawSection)
    FOnDrawSection(this, Section, Rect, Pressed);
  else
    FCanvas->FillRect(Rect);
}

void TCustomHeaderControl::CNNotify(TMessage& Message) {
  auto* header = reinterpret_cast<NMHEADER*>(Message.LParam);
  THeaderSection* section =
      header->iItem >= 0 && header->iItem < FSections->GetCount() ? FSections->GetItems(header->iItem) : nullptr;
  if (!section) return;
  switch (header->hdr.code) {
    case HDN_ITEMCLICK:
      if (section->FAllowClick) SectionClick(section);
      break;
    case HDN_ITEMCHANGING:
      // The section keeps within its own limits.
      if (header->pitem && (header->pitem->mask & HDI_WIDTH) &&
          (header->pitem->cxy < section->FMinWidth || header->pitem->cxy > section->FMaxWidth))
        Message.Result = TRUE;
      break;
    case HDN_ITEMCHANGED:
      if (header->pitem && (header->pitem->mask & HDI_WIDTH) && header->pitem->cxy != section->FWidth) {
        section->FWidth = header->pitem->cxy;
        SectionResize(section);
      }
      break;
  }
}

void TCustomHeaderControl::CNDrawItem(TMessage& Message) {
  auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
  if (static_cast<Integer>(item->itemID) >= FSections->GetCount()) return;
  FCanvas->SetHandle(item->hDC);
  FCanvas->SetFont(GetFont());
  FCanvas->SetBrush(GetBrush());
  DrawSection(FSections->GetItems(static_cast<Integer>(item->itemID)), item->rcItem, (item->itemState & ODS_SELECTED) != 0);
  FCanvas->SetHandle(nullptr);
  Message.Result = TRUE;
}
