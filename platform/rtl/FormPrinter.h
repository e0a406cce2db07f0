#pragma once
// Prints a form syntax tree as text in the one canonical layout: two spaces of indent per level,
// properties before children, one list item per line, binary data in lines of 32 bytes. Parsing
// the printed text gives the same tree back.

#include "rtl/FormSyntax.h"

String PrintFormText(const TFormObject& root);
