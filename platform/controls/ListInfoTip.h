#pragma once
// The small window in which the list and tree views show an item's info tip: a yellow box near
// the mouse that never takes activation or clicks.

#include <string>

#include "rtl/WinTypes.h"

class ListInfoTip {
 public:
  ListInfoTip() = default;
  ListInfoTip(const ListInfoTip&) = delete;
  ListInfoTip& operator=(const ListInfoTip&) = delete;
  ~ListInfoTip();

  // Shows text below and right of the screen point, in the owner's font.
  void Show(HWND owner, POINT screen, const std::string& text, HFONT font);
  void Hide();
  HWND Window() const { return tip_; }
  bool Visible() const;

  // Asks for WM_MOUSEHOVER and WM_MOUSELEAVE over owner, once until ResetHover: the owner shows
  // the tip when the hover comes.
  void ArmHover(HWND owner);
  void ResetHover() { hoverArmed_ = false; }

 private:
  HWND tip_ = nullptr;
  bool hoverArmed_ = false;
};

// Registers the tip's window class (at controls start).
void ListInfoTipRegister();
