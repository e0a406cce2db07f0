#include "toolkit/editors/kvShellDlgs.h"

#include "rtl/TypInfo.h"

TAVREN_CLASS_IMPL_PUBLISHED(TkvDlgShellOptions, PROPERTY(ContextMenus).Default(true),
                            PROPERTY(ShowFolders).Default(true), PROPERTY(ShowHidden).Default(false),
                            PROPERTY(ShowNonFolders).Default(false), PROPERTY(ShowToolTip).Default(true),
                            PROPERTY(TrackShellChanges).Default(true))

void TkvDlgShellOptions::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TkvDlgShellOptions*>(Source);
  if (!source) return TPersistent::Assign(Source);
  FContextMenus = source->FContextMenus;
  FShowFolders = source->FShowFolders;
  FShowHidden = source->FShowHidden;
  FShowNonFolders = source->FShowNonFolders;
  FShowToolTip = source->FShowToolTip;
  FTrackShellChanges = source->FTrackShellChanges;
}

TAVREN_CLASS_IMPL_PUBLISHED(TkvDlgShellRoot, PROPERTY(BrowseFolder).Default(bfDesktop), PROPERTY(CustomPath))

void TkvDlgShellRoot::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TkvDlgShellRoot*>(Source);
  if (!source) return TPersistent::Assign(Source);
  FBrowseFolder = source->FBrowseFolder;
  FCustomPath = source->FCustomPath;
}
