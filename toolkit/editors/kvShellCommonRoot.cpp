// The root of a shell control: a special folder or a custom path resolved to a folder.

#include "toolkit/editors/kvEdit.h"
#include "toolkit/editors/kvShellCommon.h"

namespace {

constexpr Integer kCsidls[] = {-1, 7, 10, 25, 46, 31, 23, 22, 24, 45, 3, 0, 16, 17, 4, 6, 20, 34, 13, 39, 18, 40,
                               38, 2, 8, 11, 7, 21};

}  // namespace

Integer BrowseFolderCsidl(TkvBrowseFolder Folder) { return kCsidls[Folder]; }

TAVREN_CLASS_IMPL_PUBLISHED(TkvCustomShellRoot,
    PROPERTY(BrowseFolder).Default(bfDesktop),
    PROPERTY(CustomPath))

TkvCustomShellRoot::TkvCustomShellRoot(TWinControl* AOwner, HWND AParentWindow)
    : FOwner(AOwner), FParentWindow(AParentWindow) {}

TkvCustomShellRoot::~TkvCustomShellRoot() {
  FFolderObject.reset();
  FreeIdList(FIdList);
}

void TkvCustomShellRoot::ResolveRoot() {
  if (FResolving) return;
  FValid = false;
  FFolderIntf = nullptr;
  FreeIdList(FIdList);
  FIdList = nullptr;
  TkvBrowseFolder folder = FBrowseFolder;
  if (folder == bfCustomPath && FCustomPath.empty()) folder = bfDesktop;
  FResolving = true;
  LPITEMIDLIST list = nullptr;
  try {
    HRESULT result;
    if (folder != bfCustomPath) {
      result = SHGetSpecialFolderLocation(FParentWindow, BrowseFolderCsidl(folder), &list);
    } else {
      ULONG eaten = 0;
      result = GetDesktopFolder()->ParseDisplayName(FParentWindow, nullptr, FCustomPath.c_str(), &eaten, &list, nullptr);
    }
    if (result != S_OK || !list)
      throw EOleError(folder == bfCustomPath ? "The folder \"" + FCustomPath + "\" cannot be found"
                                             : String("This special folder does not exist here"));
  } catch (const Exception& error) {
    FResolving = false;
    if (list) ILFree(list);
    if (FChangeLevel > 0) throw EkvEditError(error.Message());
    AfterResolve();
    return;
  }
  FResolving = false;
  if (folder == bfDesktop) {
    FFolderIntf = GetDesktopFolder();
    FIdList = CopyIdList(list);
    FValid = true;
    FAttributes = SFGAO_FILESYSTEM;
    AfterResolve();
  } else {
    AssignIdList(list);
  }
  ILFree(list);
}

void TkvCustomShellRoot::AssignIdList(LPCITEMIDLIST List) {
  if (!List) return;
  FreeIdList(FIdList);
  FIdList = nullptr;
  FValid = false;
  FAttributes = 0;
  TInterfacePtr<IShellFolder> desktop = GetDesktopFolder();
  void* bound = nullptr;
  if (desktop->BindToObject(List, nullptr, IShellFolder::IID, &bound) == S_OK && bound) {
    FFolderIntf = TInterfacePtr<IShellFolder>::Attach(static_cast<IShellFolder*>(bound));
    FIdList = CopyIdList(List);
    FValid = true;
    ULONG attributes = 0;
    FAttributes = desktop->GetAttributesOf(1, &List, &attributes) == S_OK ? attributes : 0;
  } else {
    FFolderIntf = desktop;
    FIdList = CopyIdList(List);
    FValid = true;
    FAttributes = SFGAO_FILESYSTEM;
  }
  AfterResolve();
}

void TkvCustomShellRoot::AfterResolve() { FFolderObject = std::make_unique<TkvShellFolder>(FIdList); }

template <class Change>
void TkvCustomShellRoot::ChangeSettings(Change&& Apply) {
  const TkvBrowseFolder oldFolder = FBrowseFolder;
  const String oldPath = FCustomPath;
  ++FChangeLevel;
  try {
    Apply();
  } catch (...) {
    --FChangeLevel;
    FBrowseFolder = oldFolder;
    FCustomPath = oldPath;
    ResolveRoot();
    throw;
  }
  --FChangeLevel;
  if (!FSynchronizing) FOnChanged(this);
}

void TkvCustomShellRoot::SetBrowseFolder(TkvBrowseFolder Value) {
  ChangeSettings([&] {
    if (FBrowseFolder != Value) {
      FBrowseFolder = Value;
      ResolveRoot();
    } else if (!FIdList) {
      ResolveRoot();
    }
  });
}

void TkvCustomShellRoot::SetCustomPath(const String& Value) {
  ChangeSettings([&] {
    if (FCustomPath != Value) {
      FCustomPath = Value;
      if (FBrowseFolder == bfCustomPath) ResolveRoot();
    } else if (!FIdList && FBrowseFolder == bfCustomPath) {
      ResolveRoot();
    }
  });
}

void TkvCustomShellRoot::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TkvCustomShellRoot*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  ChangeSettings([&] {
    FBrowseFolder = source->FBrowseFolder;
    FCustomPath = source->FCustomPath;
    ResolveRoot();
  });
}

void TkvCustomShellRoot::UpdateFrom(TkvCustomShellRoot* Source) {
  if (FSynchronizing) return;
  FSynchronizing = true;
  try {
    Assign(Source);
  } catch (...) {
    FSynchronizing = false;
    throw;
  }
  FSynchronizing = false;
}

String TkvCustomShellRoot::GetParsingPath() {
  if (!FIdList) return String();
  STRRET name;
  if (GetDesktopFolder()->GetDisplayNameOf(FIdList, SHGDN_FORPARSING, &name) != S_OK) return String();
  return StrRetToText(name, FIdList);
}
