#pragma once
// The inner EDIT in which the list and tree views edit an item's label: Enter keeps the text,
// Esc drops it, and losing the focus keeps it. The owner hears the end once, before the edit goes.

#include <functional>
#include <string>

#include "rtl/WinTypes.h"
#include "user/Messages.h"

class ListLabelEdit {
 public:
  using EndHandler = std::function<void(bool save, const std::string& text)>;

  // A focused edit over rect (owner's client coordinates) with the text selected; false when it
  // cannot be made (no EDIT class).
  bool Begin(HWND owner, const RECT& rect, const std::string& text, HFONT font, EndHandler onEnd);
  // Ends the edit (nothing when none is open).
  void End(bool save);
  HWND Window() const { return edit_; }

 private:
  static LRESULT EditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND owner_ = nullptr;
  HWND edit_ = nullptr;
  WNDPROC previous_ = nullptr;
  EndHandler onEnd_;
  bool ending_ = false;
};
