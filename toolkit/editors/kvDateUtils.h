#pragma once
// Date routines of the date, time and calendar editors: smart date words, text to date-time and
// back in the user's calendar, calendar choice and texts, month and week arithmetic.

#include <vector>

#include "rtl/Types.h"

// Resource numbers of the twenty smart words: today, yesterday, tomorrow, the seven week days
// (Sunday first), first .. seventh day of the week, bom, eom, now.
constexpr Integer skvSmartWordFirst = 64300;
constexpr Integer kvSmartWordCount = 20;

// The smart words in table order, read from the string table each time.
std::vector<String> SmartDateWords();
