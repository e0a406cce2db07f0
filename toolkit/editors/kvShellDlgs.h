#pragma once
// The settings a shell dialog component keeps between its runs: which items its folder tree shows
// and where the tree starts.

#include "rtl/Persistent.h"
#include "toolkit/editors/kvShellCommon.h"

class TkvDlgShellOptions : public TPersistent {
  TAVREN_CLASS(TkvDlgShellOptions, TPersistent)
 public:
  TkvDlgShellOptions() = default;
  void Assign(TPersistent* Source) override;

  bool GetContextMenus() const { return FContextMenus; }
  void SetContextMenus(bool Value) { FContextMenus = Value; }
  bool GetShowFolders() const { return FShowFolders; }
  void SetShowFolders(bool Value) { FShowFolders = Value; }
  bool GetShowHidden() const { return FShowHidden; }
  void SetShowHidden(bool Value) { FShowHidden = Value; }
  bool GetShowNonFolders() const { return FShowNonFolders; }
  void SetShowNonFolders(bool Value) { FShowNonFolders = Value; }
  bool GetShowToolTip() const { return FShowToolTip; }
  void SetShowToolTip(bool Value) { FShowToolTip = Value; }
  bool GetTrackShellChanges() const { return FTrackShellChanges; }
  void SetTrackShellChanges(bool Value) { FTrackShellChanges = Value; }

 private:
  bool FContextMenus = true;
  bool FShowFolders = true;
  bool FShowHidden = false;
  bool FShowNonFolders = false;
  bool FShowToolTip = true;
  bool FTrackShellChanges = true;
};

class TkvDlgShellRoot : public TPersistent {
  TAVREN_CLASS(TkvDlgShellRoot, TPersistent)
 public:
  TkvDlgShellRoot() = default;
  void Assign(TPersistent* Source) override;

  TkvBrowseFolder GetBrowseFolder() const { return FBrowseFolder; }
  void SetBrowseFolder(TkvBrowseFolder Value) { FBrowseFolder = Value; }
  String GetCustomPath() const { return FCustomPath; }
  void SetCustomPath(const String& Value) { FCustomPath = Value; }

 private:
  TkvBrowseFolder FBrowseFolder = bfDesktop;
  String FCustomPath;
};
