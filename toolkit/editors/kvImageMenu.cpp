// The image editor's context menu and its commands: loading a picture from a file, saving it, and
// the custom command.

#include "rtl/FileUtils.h"
#include "rtl/Resources.h"
#include "rtl/SysUtils.h"
#include "toolkit/editors/kvEditUtils.h"
#include "toolkit/editors/kvImage.h"
#include "vcl/ExtDlgs.h"
#include "vcl/Forms.h"

namespace {

enum TMenuCommand { mcCut, mcCopy, mcPaste, mcDelete, mcLoad, mcSave, mcCustom };

struct TMenuEntry {
  Integer Caption;  // resource string; 0 for a separator, -1 for the custom caption
  Integer Command;  // the tag, -1 for a separator
  Integer Image;    // in the unit's menu images, -1 none
};

const TMenuEntry kEntries[] = {
    {skvEditCut, mcCut, 0},    {skvEditCopy, mcCopy, 1},     {skvEditPaste, mcPaste, 2},
    {skvEditDelete, mcDelete, 3}, {0, -1, -1},               {skvEditLoad, mcLoad, 4},
    {skvEditSaveAs, mcSave, 5},   {0, -1, -1},               {-1, mcCustom, -1},
};

}  // namespace

void TkvCustomImage::PrepareContextMenu() {
  if (!FContextMenu) {
    FContextMenu = std::make_unique<TPopupMenu>(nullptr);
    FContextMenu->SetImages(ImageMenuImages());
    for (const TMenuEntry& entry : kEntries) {
      auto* item = new TMenuItem(FContextMenu.get());
      item->SetTag(entry.Command);
      item->SetImageIndex(entry.Image);
      if (entry.Caption == 0) item->SetCaption("-");
      else item->SetOnClick(MakeEvent<&TkvCustomImage::MenuItemClick>(this));
      FContextMenu->GetItems()->Add(item);
    }
  }
  TkvPopupMenuLayout* layout = ImageProperties()->GetPopupMenuLayout();
  const TkvPopupMenuItems shown = layout->GetMenuItems();
  TGraphic* graphic = FPicture->GetGraphic();
  const bool hasPicture = graphic && !graphic->GetEmpty();
  const bool modifiable = CanModifyPicture();
  TMenuItem* items = FContextMenu->GetItems();
  auto item = [items](Integer Position) { return items->GetItem(Position); };
  // Captions are read again at every opening, so that changed texts show.
  for (Integer i = 0; i < items->GetCount(); ++i)
    if (kEntries[i].Caption > 0) item(i)->SetCaption(ResourceStringText(kEntries[i].Caption));
  const bool notIcon = !dynamic_cast<TIcon*>(graphic);
  const bool states[][2] = {
      {shown.Contains(pmiCut), modifiable && hasPicture && notIcon},
      {shown.Contains(pmiCopy), hasPicture && notIcon},
      {shown.Contains(pmiPaste), modifiable && CanPasteFromClipboard()},
      {shown.Contains(pmiDelete), modifiable && hasPicture},
      {shown.Contains(pmiLoad) || shown.Contains(pmiSave), true},
      {shown.Contains(pmiLoad), modifiable},
      {shown.Contains(pmiSave), hasPicture},
      {shown.Contains(pmiCustom), true},
      {shown.Contains(pmiCustom), true},
  };
  for (Integer i = 0; i < items->GetCount(); ++i) {
    item(i)->SetVisible(states[i][0]);
    item(i)->SetEnabled(states[i][1]);
  }
  TMenuItem* custom = item(8);
  custom->SetCaption(layout->GetCustomMenuItemCaption());
  if (layout->HasCustomMenuItemGlyph()) {
    custom->SetBitmap(layout->GetCustomMenuItemGlyph());
    custom->GetBitmap()->SetTransparent(true);
  } else {
    custom->SetBitmap(nullptr);
  }
}

void TkvCustomImage::DoContextPopup(TPoint MousePos, bool& Handled) {
  if (GetKvPopupMenu() || ImageProperties()->GetPopupMenuLayout()->GetMenuItems().Empty())
    return TkvCustomEdit::DoContextPopup(MousePos, Handled);
  // From the keyboard the menu opens near the top-left corner.
  if (MousePos.X == -1 && MousePos.Y == -1) MousePos = TPoint(10, 10);
  PrepareContextMenu();
  const TPoint p = ClientToScreen(MousePos);
  Handled = true;
  FContextMenu->Popup(p.X, p.Y);
}

void TkvCustomImage::MenuItemClick(TObject* Sender) {
  RunMenuCommand(static_cast<Integer>(static_cast<TMenuItem*>(Sender)->GetTag()));
}

void TkvCustomImage::RunMenuCommand(Integer Command) {
  AsUserAction([this, Command] {
    switch (Command) {
      case mcCut: ClipboardCut(); break;
      case mcCopy: ClipboardCopy(); break;
      case mcPaste: ClipboardPaste(); break;
      case mcDelete: DeletePicture(); break;
      case mcLoad: LoadPictureFromFile(); break;
      case mcSave: SavePictureToFile(); break;
      case mcCustom: CustomClick(); break;
      default: break;
    }
  });
}

void TkvCustomImage::CustomClick() {
  TWeakRef<TkvCustomImage> guard(this);
  if (auto* own = dynamic_cast<TkvCustomImageProperties*>(GetProperties())) own->GetOnCustomClick()(this);
  if (!guard || !GetRepositoryItem()) return;
  if (auto* shared = dynamic_cast<TkvCustomImageProperties*>(GetRepositoryItem()->GetProperties()))
    shared->GetOnCustomClick()(this);
}

void TkvCustomImage::LoadPictureFromFile() {
  if (!CanModifyPicture()) return;
  TkvCustomImageProperties* properties = ImageProperties();
  TOpenPictureDialog dialog(nullptr);
  TGraphicClass filterClass = properties->GetGraphicClassRef();
  dialog.SetFilter(!properties->GetCustomFilter().empty()
                       ? properties->GetCustomFilter()
                       : GraphicFilter(filterClass ? filterClass : TGraphicClass(TGraphic::ClassInfo())));
  TWeakRef<TkvCustomImage> guard(this);
  FDialogOpen = true;
  bool chosen;
  try {
    chosen = dialog.Execute();
  } catch (...) {
    if (guard) FDialogOpen = false;
    throw;
  }
  if (!guard) return;
  FDialogOpen = false;
  if (!chosen) {
    FireClosePopup(crCancel);
  } else {
    // Read first: a file that fails leaves the editor as it was, not even in edit mode.
    const String fileName = dialog.GetFileName();
    const String quoted = "\"" + fileName + "\"";
    TGraphicClass graphicClass = TPicture::FileFormatClass(ExtractFileExt(fileName));
    if (!graphicClass)
      throw EInvalidGraphic(Format(ResourceStringText(skvEditPictureUnreadable), quoted,
                                   "unknown picture file extension " + ExtractFileExt(fileName)));
    std::unique_ptr<TGraphic> graphic;
    {
      TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
      graphic = ReadGraphicOrRaise(graphicClass, &file, quoted);
    }
    if (RequestEdit() && guard) {
      FPicture->SetGraphic(graphic.get());
      if (guard) FireClosePopup(crEnter);
    } else if (guard) {
      FireClosePopup(crCancel);
    }
  }
  if (guard) Application()->ProcessMessages();
}

void TkvCustomImage::SavePictureToFile() {
  TGraphic* graphic = FPicture->GetGraphic();
  if (!graphic || graphic->GetEmpty()) return;
  TkvCustomImageProperties* properties = ImageProperties();
  auto dialog = std::make_unique<TSavePictureDialog>(Application());
  const TGraphicClass graphicClass(graphic->ClassType());
  dialog->SetFilter(!properties->GetCustomFilter().empty() ? properties->GetCustomFilter()
                                                           : GraphicFilter(graphicClass));
  dialog->SetDefaultExt(GraphicExtension(graphicClass));
  TWeakRef<TkvCustomImage> guard(this);
  if (dialog->Execute() && guard) FPicture->SaveToFile(dialog->GetFileName());
  if (guard) Application()->ProcessMessages();
}
