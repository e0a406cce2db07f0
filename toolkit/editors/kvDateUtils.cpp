#include "toolkit/editors/kvDateUtils.h"

#include "toolkit/foundation/kvClasses.h"

std::vector<String> SmartDateWords() {
  std::vector<String> words;
  words.reserve(kvSmartWordCount);
  for (Integer i = 0; i < kvSmartWordCount; ++i) words.push_back(ResourceStringText(skvSmartWordFirst + i));
  return words;
}
