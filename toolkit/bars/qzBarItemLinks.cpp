// A link: one place of an item, with its overrides, layout and recent-use data.

#include <cctype>

#include "rtl/Reader.h"
#include "rtl/Writer.h"
#include "user/KeyboardLayout.h"
#include "toolkit/bars/qzBar.h"
#include "toolkit/bars/qzBarSubMenuControl.h"
#include "toolkit/bars/qzBarControl.h"
#include "toolkit/bars/qzBarDesignController.h"

TAVREN_CLASS_IMPL_PUBLISHED(TqzBarItemLink,
    PROPERTY(BeginGroup).Default(false),
    PROPERTY(ButtonGroup).Default(bgpNone),
    PROPERTY(MostRecentlyUsed).Default(true),
    PROPERTY(Position).Default(ipBeginsNewRow),
    PROPERTY(UserCaption).Stored<&TqzBarItemLink::IsUserCaptionStored>(),
    PROPERTY(UserDefine).Default(TqzBarUserDefines()),
    PROPERTY(UserGlyph).Stored<&TqzBarItemLink::IsUserGlyphStored>(),
    PROPERTY(UserPaintStyle).Default(psStandard),
    PROPERTY(UserWidth).Default(0),
    PROPERTY(ViewLevels).Default(TqzBarItemViewLevels{ivlLargeIconWithText, ivlSmallIconWithText, ivlSmallIcon,
                                                       ivlControlOnly}),
    PROPERTY(Visible))

TqzBarItemLink::TqzBarItemLink(TCollection* Collection)
    : TCollectionItem(Collection),
      FUserGlyph(std::make_unique<TBitmap>()),
      FViewLevels{ivlLargeIconWithText, ivlSmallIconWithText, ivlSmallIcon, ivlControlOnly} {
  if (TqzBarManager* manager = GetBarManager()) FUseCount = manager->GetRecentUseThreshold();
  FUserGlyph->SetOnChange(MakeEvent<&TqzBarItemLink::UserGlyphChanged>(this));
  if (TqzBarItemLinks* links = Links()) links->FRecentLinks.push_back(this);
  TqzBarManager* manager = GetBarManager();
  if (manager && !manager->IsLoading()) manager->GetOnItemLinkAdd()(manager, this);
}

TqzBarItemLink::~TqzBarItemLink() {
  // A click that freed the link it came through learns it through its weak link.
  InvalidateObjectLinks(this);
  if (TqzBarDesignController* controller = ExistingDesignController()) controller->ForgetLastSelected(this);
  DestroyControl();
  // A link freed by setting its item to nil gets here too: the event sees the whole link.
  TqzBarManager* manager = GetBarManager();
  if (manager && !manager->IsDestroying()) {
    try {
      manager->GetOnItemLinkDelete()(manager, this);
    } catch (...) {
    }
  }
  if (FItem) {
    std::erase(FItem->FLinks, this);
    if (FItem->FClickedLink == this) FItem->FClickedLink = nullptr;
  }
  FItem = nullptr;
  FUserGlyph->SetOnChange(TNotifyEvent());
  if (TqzBarItemLinks* links = Links()) {
    links->RecentRemove(this);
    std::erase(links->FItemVisibleLinks, this);
    std::erase(links->FFullMenuLinks, this);
    std::erase(links->FVisibleLinks, this);
    // Generated links standing for this one lose their source.
    for (Integer i = 0; i < links->GetCount(); ++i)
      if (links->GetLink(i)->FSourceLink == this) links->GetLink(i)->FSourceLink = nullptr;
  }
}

HRESULT TqzBarItemLink::QueryInterface(const TInterfaceId& IID, void** Obj) {
  return GetInterface(this, IID, Obj) ? S_OK : E_NOINTERFACE;
}

Integer TqzBarItemLink::_AddRef() { return ++FRefCount; }

Integer TqzBarItemLink::_Release() { return --FRefCount; }

TqzBarItemLinks* TqzBarItemLink::Links() const { return static_cast<TqzBarItemLinks*>(GetCollection()); }

TqzBarItemLinks* TqzBarItemLink::GetLinks() const { return Links(); }

TqzBarManager* TqzBarItemLink::GetBarManager() { return Links() ? Links()->GetBarManager() : nullptr; }

TCustomqzBarControl* TqzBarItemLink::GetBarControl() const { return Links() ? Links()->GetBarControl() : nullptr; }

void TqzBarItemLink::AttachToCollection(TqzBarItemLinks* ALinks) {
  if (ALinks == Links()) return;
  if (TqzBarItemLinks* old = Links()) old->RecentRemove(this);
  SetCollection(ALinks);
  if (ALinks) ALinks->FRecentLinks.push_back(this);
}

// ---- Effective values ----------------------------------------------------------------------

String TqzBarItemLink::GetCaption() const {
  TqzBarItem* item = GetItem();
  return item && !FUserDefine.Contains(udCaption) ? item->GetCaption() : FUserCaption;
}

TBitmap* TqzBarItemLink::GetGlyph() const {
  TqzBarItem* item = GetItem();
  return item && !FUserDefine.Contains(udGlyph) ? item->GetGlyph() : FUserGlyph.get();
}

TqzBarPaintStyle TqzBarItemLink::GetPaintStyle() const {
  TqzBarItem* item = GetItem();
  return item && !FUserDefine.Contains(udPaintStyle) ? item->GetPaintStyle() : FUserPaintStyle;
}

Integer TqzBarItemLink::GetWidth() const {
  if (FUserDefine.Contains(udWidth)) return FUserWidth;
  if (auto* edit = dynamic_cast<TqzCustomBarEdit*>(GetItem())) return edit->GetWidth();
  return 0;
}

Integer TqzBarItemLink::GetVisibleIndex() const {
  if (!Links()) return -1;
  const auto& list = Links()->FVisibleLinks;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<Integer>(it - list.begin());
}

Integer TqzBarItemLink::GetFullMenuIndex() const {
  if (!Links()) return -1;
  const auto& list = Links()->FFullMenuLinks;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<Integer>(it - list.begin());
}

bool TqzBarItemLink::IsShown() const {
  TqzBarItem* item = GetItem();
  return item && item->IsAvailable() && FVisible;
}

TPoint TqzBarItemLink::ScreenToItemPoint(const TPoint& P) const {
  return TPoint(P.X - FItemRect.Left, P.Y - FItemRect.Top);
}

TqzBarItemLink* TqzBarItemLink::GetNextLink() {
  TqzBarItemLink* next = Links() ? Links()->NextSelectableLink(this, true) : nullptr;
  return next == this ? nullptr : next;
}

// ---- User values ---------------------------------------------------------------------------

void TqzBarItemLink::MarkUserDefine(TqzBarUserDefine AFlag) {
  TqzBarUserDefines without = FUserDefine;
  without.Exclude(AFlag);
  FUserDefine = without;
  TqzBarUserDefines with = without;
  with.Include(AFlag);
  // From the set without the flag, so that SetUserDefine sees the flag enter and tells the control.
  SetUserDefine(with);
}

void TqzBarItemLink::SetUserCaption(const String& Value) {
  if (FUserCaption == Value && FUserDefine.Contains(udCaption)) return;
  FUserCaption = Value;
  MarkUserDefine(udCaption);
}

void TqzBarItemLink::SetUserGlyph(TBitmap* Value) {
  if (Value == FUserGlyph.get()) return;
  FUserGlyph->Assign(Value);
  MarkUserDefine(udGlyph);
}

void TqzBarItemLink::SetUserPaintStyle(TqzBarPaintStyle Value) {
  if (FUserPaintStyle == Value && FUserDefine.Contains(udPaintStyle)) return;
  FUserPaintStyle = Value;
  MarkUserDefine(udPaintStyle);
}

void TqzBarItemLink::SetUserWidth(Integer Value) {
  if (FUserWidth == Value && FUserDefine.Contains(udWidth)) return;
  FUserWidth = Value;
  MarkUserDefine(udWidth);
}

Integer TqzBarItemLink::GetEffectiveWidth() const {
  if (FUserDefine.Contains(udWidth)) return FUserWidth;
  auto* edit = dynamic_cast<TqzBarEdit*>(GetItem());
  return edit ? edit->GetWidth() : 0;
}

void TqzBarItemLink::SetUserDefine(TqzBarUserDefines Value) {
  if (FUserDefine == Value) return;
  for (TqzBarUserDefine flag : {udCaption, udGlyph, udPaintStyle, udWidth}) {
    bool had = FUserDefine.Contains(flag);
    bool has = Value.Contains(flag);
    if (had && !has) {
      FUserDefine.Exclude(flag);
      switch (flag) {
        case udCaption: FUserCaption.clear(); break;
        case udGlyph: {
          TBitmap empty;
          FUserGlyph->Assign(&empty);
          break;
        }
        case udPaintStyle: FUserPaintStyle = psStandard; break;
        case udWidth: FUserWidth = 0; break;
      }
    } else if (!had && has) {
      FUserDefine.Include(flag);
    }
  }
  Changed(false);
}

void TqzBarItemLink::UserGlyphChanged(TObject*) {}

// ---- Layout --------------------------------------------------------------------------------

bool TqzBarItemLink::GetBeginGroup() const {
  Integer visibleIndex = GetVisibleIndex();
  if (FBeginGroup && visibleIndex != 0) return true;
  if (visibleIndex <= 0) return false;
  // A group start of hidden links just before this one passes on to it.
  TqzBarItemLinks* links = Links();
  Integer from = links->GetVisibleLink(visibleIndex - 1)->GetIndex();
  Integer to = GetIndex();
  for (Integer i = from + 1; i < to; ++i)
    if (links->GetLink(i)->FBeginGroup) return true;
  return false;
}

void TqzBarItemLink::SetBeginGroup(bool Value) {
  FBeginGroup = Value;
  Changed(false);
}

void TqzBarItemLink::PassGroupStartOn() {
  TqzBarItemLinks* links = Links();
  Integer index = GetFullMenuIndex();
  if (!GetItem() || !links || index < 0 || index == links->GetFullMenuLinkCount() - 1) return;
  TqzBarItemLink* next = links->GetFullMenuLink(index + 1);
  if (index == 0) {
    if (next->GetBeginGroup()) next->SetBeginGroup(false);
  } else if (GetBeginGroup() && !next->GetBeginGroup()) {
    next->SetBeginGroup(true);
  }
}

void TqzBarItemLink::SetButtonGroup(TqzBarButtonGroupPosition Value) {
  if (FButtonGroup == Value) return;
  FButtonGroup = Value;
  Changed(false);
}

void TqzBarItemLink::SetPosition(TqzBarItemPosition Value) {
  if (FPosition == Value) return;
  FPosition = Value;
  Changed(false);
}

void TqzBarItemLink::SetViewLevels(TqzBarItemViewLevels Value) {
  if (FViewLevels == Value) return;
  FViewLevels = Value;
  Changed(false);
}

void TqzBarItemLink::SetVisible(bool Value) {
  TqzBarManager* manager = GetBarManager();
  // While the form is read; the manager's Loaded applies the values then.
  bool reading = manager && manager->GetComponentState().Contains(csLoading);
  if (reading || (Links() && Links()->IsAssigning())) {
    FLoadedVisible = Value;
    return;
  }
  if (FVisible == Value) return;
  FVisible = Value;
  if (!manager || !manager->IsDesigning()) {
    if (Links()) Links()->RebuildLinkLists();
    if (Value)
      RegisterUse(false);
    else
      SendToRecentEnd();
  }
  Changed(false);
}

// ---- Item ----------------------------------------------------------------------------------

TqzBarItem* TqzBarItemLink::GetItem() const {
  TqzBarItemLinks* links = Links();
  if (links && !FLoadedItemName.empty() && links->GetBarManager() &&
      IsLoadingAsAncestor(links->GetOwnerComponent()))
    return links->GetBarManager()->FindItemByName(FLoadedItemName);
  return FItem;
}

void TqzBarItemLink::SetItem(TqzBarItem* Value) {
  if (FItem == Value) return;
  if (!Value) {
    // The destructor leaves the item and fires the delete event; nothing touches the link after.
    delete this;
    return;
  }
  TqzBarItemLinks* links = Links();
  if (links) links->BeginUpdate();
  try {
    if (FItem) std::erase(FItem->FLinks, this);
    FItem = nullptr;
    String message;
    if (links && !links->AcceptsItem(Value, message)) throw Exception(message);
    FItem = Value;
    Value->FLinks.push_back(this);
    if (links) {
      links->RebuildLinkLists();
      TComponent* owner = links->GetOwnerComponent();
      if (owner && !owner->GetComponentState().Contains(csLoading)) ResetUseFromFlag();
    }
  } catch (...) {
    if (links) links->EndUpdate();
    throw;
  }
  if (!links) return;
  links->EndUpdate();
  TqzBarManager* manager = links->GetBarManager();
  if (links->GetUpdateCount() == 0 && manager && !manager->IsLoading()) manager->GetOnItemLinkChange()(manager, this);
}

void TqzBarItemLink::ResolveLoadedItemName() {
  if (FLoadedItemName.empty()) return;
  String name = std::exchange(FLoadedItemName, String());
  TqzBarManager* manager = GetBarManager();
  if (TqzBarItem* item = manager ? manager->FindItemByName(name) : nullptr) SetItem(item);
}

// ---- Recent use ----------------------------------------------------------------------------

Integer TqzBarItemLink::GetRecentIndex() const {
  if (!Links()) return FPrevRecentIndex;
  const auto& list = Links()->FRecentLinks;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<Integer>(it - list.begin());
}

void TqzBarItemLink::SetRecentIndex(Integer Value) {
  if (!Links()) {
    FPrevRecentIndex = Value;
    return;
  }
  Links()->RecentMove(this, Value);
}

void TqzBarItemLink::RegisterUse(bool AIncrement) {
  if (!IsShown()) return;
  bool wasVisible = GetVisibleIndex() >= 0;
  TqzBarItemLinks* links = Links();
  if (!links || links->UsesRecentItems()) {
    if (links) links->RecentMove(this, 0);
    if (AIncrement) ++FUseCount;
  }
  if (!links || GetFullMenuIndex() < 0) return;
  TCustomqzBarControl* window = links->GetBarControl();
  if (!wasVisible && window) window->Rebuild();
  // The use counts for the link that opened this menu as well.
  auto* menu = dynamic_cast<TqzBarSubMenuControl*>(window);
  TqzBarItemControl* opener = menu ? menu->GetOpenerControl() : nullptr;
  if (opener && opener->GetLink()) opener->GetLink()->GetSourceLink()->RegisterUse(AIncrement);
}

void TqzBarItemLink::SendToRecentEnd() {
  if (TqzBarItemLinks* links = Links()) links->RecentMove(this, links->GetRecentLinkCount() - 1);
}

void TqzBarItemLink::CopyUseFrom(TqzBarItemLink* ALink) {
  FUseCount = ALink->FUseCount;
  SetRecentIndex(ALink->GetRecentIndex());
}

void TqzBarItemLink::ResetUseFromFlag() {
  TqzBarManager* manager = GetBarManager();
  if (FMostRecentlyUsed) {
    FUseCount = manager ? manager->GetRecentUseThreshold() : 0;
    RegisterUse(false);
  } else {
    FUseCount = 0;
    SendToRecentEnd();
  }
  Changed(false);
}

void TqzBarItemLink::SetMostRecentlyUsed(bool Value) {
  if (FMostRecentlyUsed == Value) return;
  FMostRecentlyUsed = Value;
  ResetUseFromFlag();
}

// ---- Accelerators --------------------------------------------------------------------------

bool TqzBarItemLink::MatchesAccel(Word AKey, TShiftState AShift) const {
  String caption = GetCaption();
  Integer position = AccelCharIndex(caption, false);
  if (position <= 0) return false;
  unsigned char accel = static_cast<unsigned char>(caption[position - 1]);
  unsigned char lower = static_cast<unsigned char>(std::tolower(accel));
  if (lower != accel) AShift.Exclude(ssShift);
  if (lower >= '0' && lower <= '9' && lower == AKey) return AShift.Empty();
  SHORT scan = VkKeyScan(static_cast<char>(lower));
  if (scan == -1 || (scan & 0xFF) != AKey) return false;
  TShiftState needed;
  if (scan & 0x100) needed.Include(ssShift);
  if (scan & 0x200) needed.Include(ssCtrl);
  return needed == AShift;
}

// ---- Copying and streaming -----------------------------------------------------------------

void TqzBarItemLink::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TqzBarItemLink*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  FData = source->FData;
  FUserCaption = source->FUserCaption;
  FUserGlyph->Assign(source->FUserGlyph.get());
  FUserPaintStyle = source->FUserPaintStyle;
  FUserWidth = source->FUserWidth;
  TqzBarItem* item = source->GetItem();
  TqzBarManager* manager = GetBarManager();
  if (item && manager && IsLoadingAsAncestor(Links()->GetOwnerComponent()))
    item = manager->FindItemByName(item->GetName());
  if (item != FItem) {
    if (item) {
      SetItem(item);
    } else if (FItem) {
      std::erase(FItem->FLinks, this);
      FItem = nullptr;
    }
  }
  SetUserDefine(source->FUserDefine);
  SetBeginGroup(source->GetBeginGroup());
  SetButtonGroup(source->FButtonGroup);
  SetPosition(source->FPosition);
  SetViewLevels(source->FViewLevels);
  SetVisible(source->FVisible);
  FCreatedFromMergingWith = BarBeingMerged();
}

void TqzBarItemLink::DefineProperties(TFiler* Filer) {
  inherited::DefineProperties(Filer);
  Filer->DefineProperty(
      "ItemName", [this](TReader* R) { ReadItemName(R); }, [this](TWriter* W) { WriteItemName(W); },
      HasItemNameToWrite(dynamic_cast<TqzBarItemLink*>(Filer->GetAncestor())));
}

void TqzBarItemLink::ReadItemName(TReader* Reader) { FLoadedItemName = Reader->ReadString(); }

void TqzBarItemLink::WriteItemName(TWriter* Writer) { Writer->WriteString(FItem ? FItem->GetName() : String()); }

bool TqzBarItemLink::HasItemNameToWrite(TqzBarItemLink* AAncestor) {
  if (!AAncestor) return FItem != nullptr;
  TqzBarItem* other = AAncestor->GetItem();
  if ((FItem == nullptr) != (other == nullptr)) return true;
  return FItem && FItem->GetName() != other->GetName();
}

// ---- Design selection ----------------------------------------------------------------------

void TqzBarItemLink::DeleteIfAllowed(IqzBarSelectableItem*& ARef, bool) {
  ARef = nullptr;
  delete this;
}

void TqzBarItemLink::CollectOwner(TList* AList) {
  TComponent* owner = Links() ? Links()->GetOwnerComponent() : nullptr;
  if (owner && AList->IndexOf(owner) < 0) AList->Add(owner);
  if (FItem && AList->IndexOf(FItem) < 0) AList->Add(FItem);
}

void TqzBarItemLink::GetNextSelectable(IqzBarSelectableItem*& ARef) { ARef = GetNextLink(); }

TPersistent* TqzBarItemLink::DesignOwner() { return Links() ? Links()->GetOwnerComponent() : nullptr; }

Integer TqzBarItemLink::SelectionStatus() {
  TqzBarManager* manager = GetBarManager();
  return manager ? manager->GetSelectionStatus(this) : 0;
}

Integer TqzBarItemLink::EditOperations() { return FItem ? FItem->EditOperations() : 0; }

void TqzBarItemLink::RepaintSelection() {
  if (FControl) FControl->Repaint();
}

bool TqzBarItemLink::IsSelectedInDesigner() {
  TqzBarManager* manager = GetBarManager();
  return manager && (manager->IsSelected(this) || (FItem && manager->IsSelected(FItem)));
}

void TqzBarItemLink::SelectInDesigner(Integer AMode) {
  TqzBarManager* manager = GetBarManager();
  if (!manager) return;
  if (AMode == 1) manager->SelectComponent(this, AMode);
  if (FItem) manager->SelectComponent(FItem, AMode);
}
