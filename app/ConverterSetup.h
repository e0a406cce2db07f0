#pragma once
// What the program settles before its windows exist: the product globals, and where it keeps its
// settings and its log (the user's configuration folder: the program's own folder is not
// writable once installed).

#include "rtl/Types.h"

// Stores the product name, identifier, format list and the update and home addresses.
void SetProductGlobals();

// $XDG_CONFIG_HOME/tavren/, else ~/.config/tavren/, with a trailing delimiter; made when
// missing. EOSError when it cannot be made.
String ConfigFolder();

// The log file of this run in Folder, emptied: each run's log replaces the last one's. EOSError
// when it cannot be written (or is not a plain file).
String StartRunLog(const String& Folder);
