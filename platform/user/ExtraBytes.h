#pragma once
// The extra bytes a class or a window carries for its program (cbClsExtra, cbWndExtra): a value
// is read or written at any byte offset that keeps it wholly inside them; anything else fails.

#include <cstring>
#include <vector>

#include "rtl/Types.h"

template <class T>
bool ReadExtraBytes(const std::vector<Byte>& bytes, int index, T& value) {
  if (index < 0 || static_cast<size_t>(index) + sizeof(T) > bytes.size()) return false;
  std::memcpy(&value, bytes.data() + index, sizeof value);
  return true;
}

template <class T>
bool WriteExtraBytes(std::vector<Byte>& bytes, int index, const T& value) {
  if (index < 0 || static_cast<size_t>(index) + sizeof(T) > bytes.size()) return false;
  std::memcpy(bytes.data() + index, &value, sizeof value);
  return true;
}
