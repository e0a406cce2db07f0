// A link collection's merging of another collection's links, and its recursion check.

#include "toolkit/bars/qzBar.h"

namespace {

TqzBar* gBarBeingMerged = nullptr;

bool SameKinds(TqzBarItem* A, TqzBarItem* B) { return A->SameKindAs(B) && B->SameKindAs(A); }

}  // namespace

TqzBar* BarBeingMerged() { return gBarBeingMerged; }

void SetBarBeingMerged(TqzBar* ABar) { gBarBeingMerged = ABar; }

bool TqzBarItemLinks::ContainsOwner(IqzBarLinksOwner* AOwner) {
  if (FOwner == AOwner) return true;
  for (Integer i = 0; i < GetCount(); ++i) {
    auto* owner = dynamic_cast<IqzBarLinksOwner*>(GetLink(i)->GetItem());
    if (!owner) continue;
    if (owner == AOwner) return true;
    // A collection holding itself was refused when it was built, so the walk ends.
    TqzBarItemLinks* links = owner->GetItemLinks();
    if (links && links != this && links->ContainsOwner(AOwner)) return true;
  }
  return false;
}

void TqzBarItemLinks::MergeFrom(TqzBarItemLinks* ASource) {
  for (Integer s = 0; s < ASource->GetCount(); ++s) {
    TqzBarItemLink* source = ASource->GetLink(s);
    TqzBarItem* sourceItem = source->GetItem();
    if (!sourceItem) continue;
    TqzBarItemMergeKind kind = sourceItem->GetMergeKind();
    Integer index = -1;
    if (kind == mkMergeByCaption) {
      for (Integer i = 0; i < GetCount(); ++i) {
        TqzBarItem* item = GetLink(i)->GetItem();
        if (item && item->GetMergeKind() == mkMergeByCaption && GetLink(i)->GetCaption() == source->GetCaption() &&
            SameKinds(item, sourceItem))
          index = i;
      }
    }
    if (kind == mkAdd || (kind == mkMergeByCaption && index < 0)) {
      Integer best = -1;
      for (Integer i = 0; i < GetCount(); ++i) {
        TqzBarItem* item = GetLink(i)->GetItem();
        if (!item || item->GetMergeOrder() > sourceItem->GetMergeOrder()) continue;
        if (best < 0 || item->GetMergeOrder() >= GetLink(best)->GetItem()->GetMergeOrder()) best = i;
      }
      index = best + 1;
      kind = mkAdd;
    }
    if (FBarManager) FBarManager->GetOnMergeItemLink()(FBarManager, this, ASource, source, kind, index);
    if (index < 0) kind = mkNone;
    if (kind == mkMergeByCaption) {
      TqzBarItem* item = index < GetCount() ? GetLink(index)->GetItem() : nullptr;
      if (!item || !SameKinds(item, sourceItem)) kind = mkNone;
    }
    if (kind == mkAdd && index > GetCount()) kind = mkNone;
    if (kind == mkMergeByCaption) {
      TqzBarItemLinks* target = GetLink(index)->GetItem()->GetItemLinks();
      TqzBarItemLinks* from = sourceItem->GetItemLinks();
      if (target && from && target != from) target->MergeFrom(from);
    } else if (kind == mkAdd) {
      InsertLink(index)->Assign(source);
    }
  }
}

void TqzBarItemLinks::Unmerge(TqzBar* ABar) {
  for (Integer i = GetCount() - 1; i >= 0; --i) {
    if (i >= GetCount()) continue;
    TqzBarItemLink* link = GetLink(i);
    TqzBar* mergedWith = link->GetCreatedFromMergingWith();
    if (mergedWith && (!ABar || mergedWith == ABar)) {
      delete link;
    } else if (TqzBarItem* item = link->GetItem()) {
      if (TqzBarItemLinks* links = item->GetItemLinks(); links && links != this) links->Unmerge(ABar);
    }
  }
}
