#pragma once
// File types from the shared MIME database (shared-mime-info) in the XDG data folders
// ($XDG_DATA_HOME, then $XDG_DATA_DIRS): what type a file name has, how the type is described to
// the user and which generic icon stands for it. Safe to call from any thread.

#include "rtl/Types.h"

// The type the name's globs give ("clip.MP4" -> "video/mp4"): the highest weight wins, then the
// longest pattern; patterns match ignoring case unless marked case-sensitive. Empty when none
// matches.
String MimeTypeOfName(const String& fileName);

// The type's description in English ("video/mp4" -> "MPEG-4 video"); empty for an unknown type.
String MimeTypeComment(const String& mimeType);

// The name of the generic icon of a type: the database's choice, else the media's
// ("video/x-foo" -> "video-x-generic"). Empty for an empty type.
String MimeGenericIcon(const String& mimeType);
