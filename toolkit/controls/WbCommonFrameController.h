#pragma once
// The frame controller: one component that holds sixteen frame and colour settings and pushes each
// change to every Wb control registered with it, through IWbFramingClient or by writing the
// control's published property of the same name. With it: the reader that accepts and drops
// properties older versions of the set stored, and the ini-or-registry store it may name.

#include <functional>
#include <memory>
#include <vector>

#include "rtl/Component.h"
#include "rtl/Reader.h"
#include "toolkit/controls/WbCommon.h"

enum TWbPathType { ptIniFile, ptRegistry };
TAVREN_ENUM_INFO(TWbPathType, ptIniFile, ptRegistry);
enum TWbRegKey {
  hkeyClassesRoot,
  hkeyCurrentUser,
  hkeyLocalMachine,
  hkeyUsers,
  hkeyPerformanceData,
  hkeyCurrentConfig,
  hkeyDynData
};
TAVREN_ENUM_INFO(TWbRegKey, hkeyClassesRoot, hkeyCurrentUser, hkeyLocalMachine, hkeyUsers, hkeyPerformanceData,
                 hkeyCurrentConfig, hkeyDynData);
enum TWbRegAccessKey {
  keyQueryValue,
  keySetValue,
  keyCreateSubKey,
  keyEnumerateSubKeys,
  keyNotify,
  keyCreateLink,
  keyRead,
  keyWrite,
  keyExecute,
  keyAllAccess
};
TAVREN_ENUM_INFO(TWbRegAccessKey, keyQueryValue, keySetValue, keyCreateSubKey, keyEnumerateSubKeys, keyNotify,
                 keyCreateLink, keyRead, keyWrite, keyExecute, keyAllAccess);
using TWbRegAccess = TSet<TWbRegAccessKey, 10>;

// Reads a value older versions of the set stored, and drops it.
class TWbOldPropReader {
 public:
  static void SkipBooleanValue(TReader* Reader);
  static void SkipIdentValue(TReader* Reader);
  static void SkipSetValue(TReader* Reader);
};

// Names a settings store: an ini file (Path) or a registry key (RegKey\Path). Nothing in the
// system reads or writes through it; the frame controller only refers to it.
class TWbRegIniFile : public TComponent {
  TAVREN_CLASS(TWbRegIniFile, TComponent)
 public:
  using TComponent::TComponent;

  String GetPath() const { return FPath; }
  virtual void SetPath(const String& Value);
  TWbPathType GetPathType() const { return FPathType; }
  virtual void SetPathType(TWbPathType Value);
  TWbRegKey GetRegKey() const { return FRegKey; }
  virtual void SetRegKey(TWbRegKey Value);
  TWbRegAccess GetRegAccess() const { return FRegAccess; }
  virtual void SetRegAccess(TWbRegAccess Value);
  // Set by every change: the next use reopens the store.
  bool GetRefreshStorage() const { return FRefreshStorage; }

 private:
  String FPath;
  TWbPathType FPathType = ptIniFile;
  TWbRegKey FRegKey = hkeyCurrentUser;
  TWbRegAccess FRegAccess{keyAllAccess};
  bool FRefreshStorage = true;
};

class TWbFrameController : public TComponent {
  TAVREN_CLASS(TWbFrameController, TComponent)
 public:
  explicit TWbFrameController(TComponent* AOwner);
  ~TWbFrameController() override;
  void Assign(TPersistent* Source) override;

  void AddControl(TControl* Control);
  void RemoveControl(TControl* Control);
  void BeginUpdate() { ++FUpdateCount; }
  // At depth 0 every setting is pushed again.
  void EndUpdate();
  Integer GetUpdateCount() const { return FUpdateCount; }
  const std::vector<TControl*>* GetControls() const { return FControls.get(); }

  TColor GetColor() const { return FColor; }
  virtual void SetColor(TColor Value);
  bool GetParentColor() const { return FParentColor; }
  virtual void SetParentColor(bool Value);
  TColor GetFlatButtonColor() const { return FFlatButtonColor; }
  virtual void SetFlatButtonColor(TColor Value);
  bool GetFlatButtons() const { return FFlatButtons; }
  virtual void SetFlatButtons(bool Value);
  TColor GetDisabledColor() const { return FDisabledColor; }
  virtual void SetDisabledColor(TColor Value);
  TColor GetReadOnlyColor() const { return FReadOnlyColor; }
  virtual void SetReadOnlyColor(TColor Value);
  bool GetReadOnlyColorOnFocus() const { return FReadOnlyColorOnFocus; }
  virtual void SetReadOnlyColorOnFocus(bool Value);
  TColor GetFocusColor() const { return FFocusColor; }
  virtual void SetFocusColor(TColor Value);
  TColor GetFrameColor() const { return FFrameColor; }
  virtual void SetFrameColor(TColor Value);
  TColor GetFrameHotColor() const { return FFrameHotColor; }
  virtual void SetFrameHotColor(TColor Value);
  bool GetFrameHotTrack() const { return FFrameHotTrack; }
  virtual void SetFrameHotTrack(bool Value);
  TFrameStyle GetFrameHotStyle() const { return FFrameHotStyle; }
  virtual void SetFrameHotStyle(TFrameStyle Value);
  TSides GetFrameSides() const { return FFrameSides; }
  virtual void SetFrameSides(TSides Value);
  TFrameStyle GetFrameStyle() const { return FFrameStyle; }
  virtual void SetFrameStyle(TFrameStyle Value);
  bool GetFrameVisible() const { return FFrameVisible; }
  virtual void SetFrameVisible(bool Value);
  TFramingPreference GetFramingPreference() const { return FFramingPreference; }
  virtual void SetFramingPreference(TFramingPreference Value);
  TWbRegIniFile* GetRegIniFile() const { return FRegIniFile; }
  virtual void SetRegIniFile(TWbRegIniFile* Value);

 protected:
  virtual void UpdateControlFrame(TControl* Control, TWbFrameControllerProperty Property);
  virtual void UpdateFrames(TWbFrameControllerProperty Property);
  void DefineProperties(TFiler* Filer) override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  bool IsColorStored() const { return !FParentColor; }
  // Writes one setting to the control's property of the same name, when it has one.
  void WriteProperty(TControl* Control, TWbFrameControllerProperty Property);

  TColor FColor = clWindow;
  TColor FFocusColor = clWindow;
  TColor FDisabledColor = clBtnFace;
  TColor FReadOnlyColor = clInfoBk;
  bool FReadOnlyColorOnFocus = false;
  bool FParentColor = false;
  TColor FFlatButtonColor = clBtnFace;
  bool FFlatButtons = true;
  TColor FFrameColor = clBtnShadow;
  TColor FFrameHotColor = clBtnShadow;
  bool FFrameHotTrack = false;
  TFrameStyle FFrameHotStyle = fsFlatBold;
  TSides FFrameSides = AllSides;
  TFrameStyle FFrameStyle = fsFlat;
  bool FFrameVisible = false;
  TFramingPreference FFramingPreference = fpXPThemes;
  TWbRegIniFile* FRegIniFile = nullptr;
  Integer FUpdateCount = 0;
  std::unique_ptr<std::vector<TControl*>> FControls;
};

// Accepts the legacy frame properties "FrameFlat", "FrameFocusStyle" and "FrameFlatStyle" (the
// frame controller and the framed edit read the same three names); none is ever written.
void DefineLegacyFrameProperties(TFiler* Filer, const std::function<void(bool)>& FrameFlat,
                                 const std::function<void(TFrameStyle)>& FrameFocusStyle);
