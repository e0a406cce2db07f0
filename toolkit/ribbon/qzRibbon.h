#pragma once
// The ribbon: a window control at the top of a form that shows a row of tab headers with the
// application button at their left and the help button at their right, the groups of the active
// tab (each group a toolbar of the bar manager) and the quick access toolbar. It hands its work
// to companions it makes through factories: layout (view info), drawing (painters), input
// (controller), tabs, fonts, application button, quick access toolbar and the groups site; it
// draws through a colour scheme taken from the bar skin manager.

#include <memory>
#include <vector>

#include "rtl/ComponentList.h"
#include "toolkit/bars/qzBar.h"
#include "toolkit/bars/qzBarApplicationMenu.h"
#include "toolkit/bars/qzBarNavigation.h"
#include "toolkit/bars/qzBarSkinIntf.h"
#include "toolkit/bars/qzFading.h"
#include "toolkit/foundation/kvControls.h"
#include "toolkit/ribbon/qzRibbonController.h"
#include "toolkit/ribbon/qzRibbonFormCaptionHelper.h"
#include "toolkit/ribbon/qzRibbonGroupBar.h"
#include "toolkit/ribbon/qzRibbonGroupsSite.h"
#include "toolkit/ribbon/qzRibbonPainter.h"
#include "toolkit/ribbon/qzRibbonSkins.h"
#include "toolkit/ribbon/qzRibbonTabGroupsPopup.h"
#include "toolkit/ribbon/qzRibbonTabs.h"
#include "toolkit/ribbon/qzRibbonViewInfo.h"

using TqzRibbonEvent = TEvent<void(TqzCustomRibbon* Sender)>;
using TqzRibbonApplicationMenuClickEvent = TEvent<void(TqzCustomRibbon* Sender, bool& AHandled)>;
using TqzRibbonHideMinimizedByClickEvent =
    TEvent<void(TqzCustomRibbon* Sender, HWND AWnd, TShiftState AShift, const TPoint& APos, bool& AAllowProcessing)>;
using TqzRibbonTabChangingEvent = TEvent<void(TqzCustomRibbon* Sender, TqzRibbonTab* ANewTab, bool& Allow)>;
using TqzRibbonTabGroupNotifyEvent = TEvent<void(TqzCustomRibbon* Sender, TqzRibbonTab* ATab, TqzRibbonTabGroup* AGroup)>;

// Posted by the application button's keyboard access once it opened the application menu.
constexpr UINT QZM_RIBBON_SELECTFIRSTINMENU = 0x807D;
constexpr UINT QZM_RIBBON_MENUKEYTIPS = 0x807E;


class TqzCustomRibbon : public TkvControl,
                        public virtual IqzBarAccessibleObject,
                        public virtual IqzRibbonFormKeyHandler,
                        public virtual IqzRibbonStatusBarHost,
                        public virtual IqzRibbonFormNonClientPainter,
                        public virtual IqzSkin {
  TAVREN_CLASS(TqzCustomRibbon, TkvControl)
  TAVREN_MESSAGES()
 public:
  // Refuses a ribbon without the graphics library, without a form as owner, or beside another
  // ribbon of the form; AClass names the class in the message.
  explicit TqzCustomRibbon(TComponent* AOwner) : TqzCustomRibbon(AOwner, ClassInfo()) {}
  ~TqzCustomRibbon() override;
  // The groups site goes with the ribbon's other children here, before the companions it paints
  // with.
  void BeforeDestruction() override;

  Integer GetFormCaptionHeight() override { return FFormCaptionHeight; }
  void MDIStateChanged() override;
  void CheckHiddenState() override;
  void FullRedraw() override;
  virtual void DoHelpButtonClick();
  virtual bool DoHideMinimizedByClick(HWND AWnd, TShiftState AShift, const TPoint& APos);
  virtual bool DoTabChanging(TqzRibbonTab* ANewTab);
  virtual void DoTabChanged();
  virtual void DoTabGroupCollapsed(TqzRibbonTab* ATab, TqzRibbonTabGroup* AGroup);
  virtual void DoTabGroupExpanded(TqzRibbonTab* ATab, TqzRibbonTabGroup* AGroup);
  virtual void DoMoreCommandsExecute();
  virtual TClassOf<TqzRibbonTab> GetTabClass();

  // The ribbon's commands of the set appended to the links (the links are emptied first unless
  // the set holds rpmiItems); the commands of the previous filling are freed. AWindow is the bar
  // window whose context menu they fill (nil for the ribbon's own menus): a ribbon window runs
  // them, another window (the application menu) closes after the ribbon ran them. Adding to or
  // removing from the quick access toolbar acts on the design controller's customizing link.
  void AddContextItems(TqzBarItemLinks* ALinks, TqzRibbonPopupMenuItems AItems,
                       TCustomqzBarControl* AWindow = nullptr);
  // A context item's click: the ribbon window of its menu runs it, while that window lives; else
  // the ribbon.
  void ContextItemClick(TObject* Sender);
  // Carries out the command a context item stands for, by its tag; AWindow is the bar window
  // whose context menu offered it, or nil.
  void ExecuteContextCommand(TqzBarItem* AItem, TqzRibbonCustomBarControl* AWindow);
  // A new group button at the end of the quick access toolbar, showing the group's toolbar.
  void AddGroupButton(TqzBar* AGroup);
  // The ribbon's context menu at the cursor: its commands without the menu's own items.
  void ShowCustomizePopup();

  // Nestable; the last EndUpdate runs Changed.
  void BeginUpdate() { ++FLockCount; }
  void EndUpdate();
  void CancelUpdate() { --FLockCount; }
  bool IsLocked();
  bool IsLoading() const { return GetComponentState().Contains(csLoading); }
  // Lays the ribbon out again and invalidates it, unless locked.
  void Changed();
  void RefreshAll();
  // Every tab's group windows take the group font again.
  void RefreshBarFonts();
  void SetRedraw(bool ARedraw);
  // Refreshes fonts and bars for a new scheme, lays out and redraws the form once.
  void SchemeChanged();
  bool IsBarManagerValid() const;
  bool IsQuickAccessToolbarValid() const;
  TqzRibbonTab* GetTabAtPoint(Integer X, Integer Y);
  Integer VisibleTabCount() const;
  TqzRibbonTab* VisibleTab(Integer Index) const;
  Integer GroupsCaptionHeight();
  Integer GroupRowHeight();
  Integer GroupsContentHeight() { return 3 * GroupRowHeight(); }
  Integer GroupsHeight();
  bool AreTabGroupsShown();
  // The groups of the active tab of a minimized ribbon, in a popup under the tab row. Opened from
  // the keyboard, the groups show their key tips or have their first element selected as the
  // popup shows (it runs its own loop until it closes).
  bool IsTabGroupsPopupShown();
  void ShowTabGroupsPopup(TqzRibbonGroupsPopupEntry AEntry = rgpeMouse);
  void CloseTabGroupsPopup();
  // Nil until the popup is first shown.
  TqzRibbonTabGroupsPopupWindow* GetTabGroupsPopup() const noexcept { return FTabGroupsPopup; }
  // Fades the group windows between their normal and hot looks; nil while the ribbon goes.
  TqzFader* GetFader() const noexcept { return FFader.get(); }
  void SetHotObject(TObject* AObject);
  TObject* GetHotObject() const noexcept { return FHotObject; }
  void SetApplicationButtonState(Byte AState);
  Byte GetApplicationButtonState() const noexcept { return FApplicationButtonState; }
  bool IsApplicationMenuOpening() const noexcept { return FApplicationMenuOpening; }
  void SetApplicationMenuOpening(bool Value) { FApplicationMenuOpening = Value; }
  bool IsApplicationMenuOpen() const noexcept { return (FState & 2) != 0; }
  // Opens the application button's menu below the button and runs it until it closes; false when
  // it is open already, OnApplicationMenuClick handled the click, or there is no menu.
  bool ShowApplicationMenu();
  // While the application menu is open its frame and header parts (APart) are followed by the
  // application button, pressed, where it lies on the screen.
  void DrawApplicationButtonOnMenu(HDC DC, Integer APart);
  bool GetHidden() const noexcept { return FHidden; }
  // A ribbon form's key-down hook: Ctrl+F1 toggles the minimized state.
  void FormKeyDown(Word& Key, TShiftState Shift) override;
  Integer AddStatusBarPainter(TObject* AObject) override;
  void RemoveStatusBarPainter(TObject* AObject) override;
  // The registered status bar that draws into the ribbon form's bottom border, if any.
  TInterfacePtr<IqzRibbonStatusBarPainter> FormStatusBar();
  void DrawStatusBarCorners(TCanvas* ACanvas, const TRect& ABorderWidths, const TqzFormFrameInfo& AInfo);
  // The ribbon's wheel handling, as the wheel hook calls it.
  bool HandleMouseWheel(TShiftState Shift, Integer WheelDelta, const TPoint& MousePos);
  // Tabs switch by the wheel only while the groups show in the ribbon and no popup is open.
  bool CanSwitchTabsByWheel();
  // Tab events.
  void TabAdded(TqzRibbonTab* ATab);
  void TabRemoved(TqzRibbonTab* ATab);
  void TabVisibleChanged(TqzRibbonTab* ATab);
  // The first visible tab at Index or after, else the last visible one before it.
  TqzRibbonTab* NeighbourTab(Integer AIndex) const;
  // The section the ribbon's values go to in a stored layout: the base, then the owners' names.
  String IniSection(const String& ABaseSection);
  void ReadLayout(TCustomIniFile* AIniFile, const String& ABaseSection);
  void WriteLayout(TCustomIniFile* AIniFile, const String& ABaseSection);
  TqzCustomRibbonSkin* GetColorScheme() const noexcept { return FColorScheme; }
  TkvEventHandlerCollection* GetSchemeListeners() const noexcept { return FSchemeListeners.get(); }
  TqzRibbonController* GetController() const noexcept { return FController.get(); }
  TqzRibbonGroupsDockControlSite* GetGroupsSite() const noexcept { return FGroupsSite; }
  TqzRibbonBarPainter* GetGroupsPainter() const noexcept { return FGroupsPainter.get(); }
  TqzRibbonPainter* GetPainter() const noexcept { return FPainter.get(); }
  TqzRibbonViewInfo* GetViewInfo() const noexcept { return FViewInfo.get(); }
  // Keyboard navigation: the ribbon's node (the root), its tab row's and its application
  // button's, made on first request.
  TqzBarAccessibilityHelper* GetAccessibilityHelper() override;
  TqzBarAccessibilityHelper* GetTabRowAccessibilityHelper();
  TqzBarAccessibilityHelper* GetApplicationButtonAccessibilityHelper();
  // Keyboard navigation has the application button selected.
  bool IsApplicationButtonSelectedByKeyboard();

  // The skin face: numbered parts drawn through the colour scheme. The ribbon is a component:
  // no reference counting.
  HRESULT QueryInterface(const TInterfaceId& IID, void** Obj) override;
  Integer _AddRef() override { return -1; }
  Integer _Release() override { return -1; }
  void DrawBackground(HDC DC, const TRect& R, Integer APart, Integer AState) override;
  void DrawCaption(HDC DC, const String& AText, const TRect& R, Integer APart, Integer AState) override;
  TRect GetCaptionRect(const TRect& R, Integer APart) override;
  TRect GetContentOffsets(Integer APart) override;
  // The ribbon's skin has no name of its own.
  String GetSkinName() override { return String(); }
  TColor GetPartColor(Integer APart, Integer AState) override;
  Integer GetPartOffset(Integer APart) override;

  // The form's side of the caption, for a form that gives its frame to the ribbon.
  void DrawNonClientCaption(TCanvas* ACanvas, const TRect& ACaptionBounds, const TqzFormFrameInfo& AInfo) override;
  void DrawNonClientBorders(TCanvas* ACanvas, const TRect& ABorderWidths, const TqzFormFrameInfo& AInfo) override;
  void DrawNonClientBorderIcon(TCanvas* ACanvas, const TRect& R, Integer AKind, Integer AState) override;
  HRGN GetApplicationButtonRegion() override;
  TColor GetFrameColor() override;
  String GetFormCaptionText() override;
  TRect GetBorderWidths() override;
  bool HasStatusBarInBorder() override;
  TqzRibbonFormCaptionHelper* GetFormCaptionHelper() const noexcept { return FFormCaptionHelper.get(); }
  // Hands the caption helper (or none) to a ribbon form owner and lays out again.
  void AttachToForm();
  // The owner, when it is a form that gives its caption to the ribbon.
  class TqzRibbonForm* RibbonForm();

  TqzRibbonTab* GetActiveTab() const noexcept { return FActiveTab; }
  void SetActiveTab(TqzRibbonTab* Value);
  TqzRibbonApplicationButton* GetApplicationButton() const { return FApplicationButton.get(); }
  void SetApplicationButton(TqzRibbonApplicationButton* Value) { FApplicationButton->Assign(Value); }
  TqzBarManager* GetBarManager() const noexcept { return FBarManager; }
  void SetBarManager(TqzBarManager* Value);
  String GetColorSchemeName() const;
  void SetColorSchemeName(const String& Value);
  String GetDocumentName() const { return FDocumentName; }
  void SetDocumentName(const String& Value);
  TqzRibbonFonts* GetFonts() const { return FFonts.get(); }
  void SetFonts(TqzRibbonFonts* Value) { FFonts->Assign(Value); }
  TqzBarScreenTip* GetHelpButtonScreenTip() const { return FHelpButtonScreenTip; }
  void SetHelpButtonScreenTip(TqzBarScreenTip* Value);
  TqzRibbonPopupMenuItems GetPopupMenuItems() const { return FPopupMenuItems; }
  void SetPopupMenuItems(TqzRibbonPopupMenuItems Value);
  TqzRibbonQuickAccessToolbar* GetQuickAccessToolbar() const { return FQuickAccessToolbar.get(); }
  void SetQuickAccessToolbar(TqzRibbonQuickAccessToolbar* Value) { FQuickAccessToolbar->Assign(Value); }
  bool GetShowTabGroups() const { return FShowTabGroups; }
  void SetShowTabGroups(bool Value);
  bool GetShowTabHeaders() const { return FShowTabHeaders; }
  void SetShowTabHeaders(bool Value);
  bool GetSupportNonClientDrawing() const { return FSupportNonClientDrawing; }
  void SetSupportNonClientDrawing(bool Value);
  TqzRibbonTabCollection* GetTabs() const { return FTabs.get(); }
  void SetTabs(TqzRibbonTabCollection* Value) { FTabs->Assign(Value); }

  TqzRibbonApplicationMenuClickEvent GetOnApplicationMenuClick() const { return FOnApplicationMenuClick; }
  void SetOnApplicationMenuClick(TqzRibbonApplicationMenuClickEvent Value) { FOnApplicationMenuClick = Value; }
  TqzRibbonEvent GetOnHelpButtonClick() const { return FOnHelpButtonClick; }
  void SetOnHelpButtonClick(TqzRibbonEvent Value);
  TqzRibbonHideMinimizedByClickEvent GetOnHideMinimizedByClick() const { return FOnHideMinimizedByClick; }
  void SetOnHideMinimizedByClick(TqzRibbonHideMinimizedByClickEvent Value) { FOnHideMinimizedByClick = Value; }
  TqzRibbonEvent GetOnMoreCommandsExecute() const { return FOnMoreCommandsExecute; }
  void SetOnMoreCommandsExecute(TqzRibbonEvent Value) { FOnMoreCommandsExecute = Value; }
  TqzRibbonEvent GetOnTabChanged() const { return FOnTabChanged; }
  void SetOnTabChanged(TqzRibbonEvent Value) { FOnTabChanged = Value; }
  TqzRibbonTabChangingEvent GetOnTabChanging() const { return FOnTabChanging; }
  void SetOnTabChanging(TqzRibbonTabChangingEvent Value) { FOnTabChanging = Value; }
  TqzRibbonTabGroupNotifyEvent GetOnTabGroupCollapsed() const { return FOnTabGroupCollapsed; }
  void SetOnTabGroupCollapsed(TqzRibbonTabGroupNotifyEvent Value) { FOnTabGroupCollapsed = Value; }
  TqzRibbonTabGroupNotifyEvent GetOnTabGroupExpanded() const { return FOnTabGroupExpanded; }
  void SetOnTabGroupExpanded(TqzRibbonTabGroupNotifyEvent Value) { FOnTabGroupExpanded = Value; }

  void SetParent(TWinControl* AParent) override;
  bool UsesScrollBars() override { return false; }
  bool WantsFocusOnClick() override { return false; }
  void ResetMouseState() override;
  void FireMouseLeave(TControl* AControl) override;
  void LookAndFeelUpdated(TkvLookAndFeel* Sender, TkvLookAndFeelValues ChangedValues) override;
  void NotifyDesignerModified() override;
  void AfterResize() override;
  void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;
  // At design time the first tab takes a name after the ribbon's.
  void SetName(const String& Value) override;

 protected:
  TqzCustomRibbon(TComponent* AOwner, TClass AClass);
  virtual TqzRibbonApplicationButton* CreateApplicationButton();
  virtual TqzRibbonController* CreateController();
  virtual TqzRibbonFormCaptionHelper* CreateFormCaptionHelper();
  virtual TqzRibbonPainter* CreatePainter();
  virtual TqzRibbonQuickAccessToolbar* CreateQuickAccessToolbar();
  virtual TqzRibbonBarPainter* CreateGroupsPainter();
  virtual TqzRibbonViewInfo* CreateViewInfo();

  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void ReadState(TReader* Reader) override;
  bool CanResize(Integer& NewWidth, Integer& NewHeight) override;
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void Paint() override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;

  void WMGetObject(TMessage& Message);
  void QZMRibbonMenuMessage(TMessage& Message);

 private:
  friend class TqzRibbonViewInfo;
  static TComponent* CheckedOwner(TComponent* AOwner, TClass AClass);
  void SelectFirstRibbonSkin();
  void IniFileRead(TComponent* Sender, void* AData);
  void IniFileWrite(TComponent* Sender, void* AData);
  void MDIStateChangedHandler(TComponent* Sender, void* AData);
  void SystemFontChangedHandler(TComponent* Sender, void* AData);
  void AttachManagerHandlers(bool AAttach);
  void SetHidden(bool Value) { FHidden = Value; }
  void ActivateNeighbourOf(Integer AIndex, bool ADestroying);
  // The hook the ribbon puts on its application menu while it opens it: the window draws with the
  // groups painter, then the menu's own hook has it.
  TqzBarSubMenuControl* PrepareApplicationMenuControl(TqzBarSubMenuControl* AMenuControl);
  void UpdateFormCaptionHeight();
  void RedrawForm();

  TqzRibbonTab* FActiveTab = nullptr;
  std::unique_ptr<TqzRibbonApplicationButton> FApplicationButton;
  bool FApplicationMenuOpening = false;
  Byte FApplicationButtonState = 0;
  TqzBarManager* FBarManager = nullptr;
  Integer FFormCaptionHeight = 0;
  TqzCustomRibbonSkin* FColorScheme = nullptr;
  std::unique_ptr<TkvEventHandlerCollection> FSchemeListeners;
  std::unique_ptr<TqzRibbonController> FController;
  std::unique_ptr<TqzFader> FFader;
  String FDocumentName;
  std::unique_ptr<TqzRibbonFonts> FFonts;
  std::unique_ptr<TqzRibbonFormCaptionHelper> FFormCaptionHelper;
  TqzRibbonGroupsDockControlSite* FGroupsSite = nullptr;
  std::unique_ptr<TqzRibbonBarPainter> FGroupsPainter;
  TqzBarScreenTip* FHelpButtonScreenTip = nullptr;
  bool FHidden = false;
  TObject* FHotObject = nullptr;
  std::unique_ptr<TComponentList> FInternalComponents;
  // The bar window whose context menu the last filling served.
  TWeakRef<TCustomqzBarControl> FContextBarControl;
  // Bit 1: the application menu is open.
  Byte FState = 0;
  Integer FLockCount = 0;
  bool FDesignerNotificationsSuppressed = false;
  // SetRedraw switched the window's redrawing off.
  bool FRedrawSwitchedOff = false;
  std::unique_ptr<TqzRibbonPainter> FPainter;
  TqzRibbonPopupMenuItems FPopupMenuItems;
  std::unique_ptr<TqzRibbonQuickAccessToolbar> FQuickAccessToolbar;
  TqzBarMenuControlHook FSavedMenuHook;
  std::vector<TObject*> FStatusBarPainters;
  bool FShowTabGroups = true;
  bool FShowTabHeaders = true;
  bool FSupportNonClientDrawing = false;
  std::unique_ptr<TqzRibbonTabCollection> FTabs;
  TqzRibbonTabGroupsPopupWindow* FTabGroupsPopup = nullptr;
  bool FTabsClearedForReading = false;
  std::unique_ptr<TqzRibbonViewInfo> FViewInfo;
  TqzBarHelperRef FAccessibilityHelper;
  TqzBarHelperRef FTabRowAccessibilityHelper;
  TqzBarHelperRef FApplicationButtonAccessibilityHelper;
  TqzRibbonApplicationMenuClickEvent FOnApplicationMenuClick;
  TqzRibbonEvent FOnHelpButtonClick;
  TqzRibbonHideMinimizedByClickEvent FOnHideMinimizedByClick;
  TqzRibbonEvent FOnMoreCommandsExecute;
  TqzRibbonEvent FOnTabChanged;
  TqzRibbonTabChangingEvent FOnTabChanging;
  TqzRibbonTabGroupNotifyEvent FOnTabGroupCollapsed;
  TqzRibbonTabGroupNotifyEvent FOnTabGroupExpanded;
};

class TqzRibbon : public TqzCustomRibbon {
  TAVREN_CLASS(TqzRibbon, TqzCustomRibbon)
 public:
  explicit TqzRibbon(TComponent* AOwner) : TqzCustomRibbon(AOwner, ClassInfo()) {}
};

// The ribbon of the window, or of the nearest parent window that is a child window; nullptr
// when none. A ribbon counts only while it is not hidden and shows tab headers or groups.
TqzCustomRibbon* FindShownRibbonOfWindow(HWND AWnd);

// Unit start and end: the ribbon classes join the streaming system; the end removes the wheel
// hook.
void qzRibbonStart();
void qzRibbonEnd();
