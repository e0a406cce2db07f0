#pragma once
// Parses the text form format into its syntax tree. Malformed text raises EParserError whose
// message ends with " on line N"; the parser never reads past the text and limits nesting, so no
// input can crash it.

#include "rtl/Exceptions.h"
#include "rtl/FormSyntax.h"

TAVREN_DECLARE_EXCEPTION(EParserError, Exception);

// Deeper nesting than any real form has: the bound keeps hostile input from exhausting the stack.
// It counts object blocks inside one another, and separately values inside one another (lists,
// collections); the writer refuses what the parser would.
constexpr int FormMaxNesting = 200;

// Parses one top-level object block; only white space may follow its `end`.
TFormObject ParseFormText(const String& text);
