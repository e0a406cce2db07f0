#pragma once
// Parses the text form format into its syntax tree. Malformed text raises EParserError whose
// message ends with " on line N"; the parser never reads past the text and limits nesting, so no
// input can crash it.

#include "rtl/Exceptions.h"
#include "rtl/FormSyntax.h"

TAVREN_DECLARE_EXCEPTION(EParserError, Exception);

// Parses one top-level object block; only white space may follow its `end`.
TFormObject ParseFormText(const String& text);
