#pragma once
// The framework's scalar types and its geometry records. Win32 names for the same records
// (RECT, POINT, SIZE) are aliases of these, declared in rtl/WinTypes.h.

#include <cstdint>
#include <string>

using Integer = int32_t;
using Cardinal = uint32_t;
using LongInt = int32_t;
using LongWord = uint32_t;
using ShortInt = int8_t;
using SmallInt = int16_t;
using Int64 = int64_t;
using UInt64 = uint64_t;
using Byte = uint8_t;
using Word = uint16_t;
using Boolean = bool;
using Single = float;
using Double = double;
using Extended = double;
using Currency = int64_t;  // fixed point, value * 10000
using Char = char;
using WideChar = char16_t;

// The system's 8-bit text: UTF-8 plays the role of the multi-byte code page.
using String = std::string;
using AnsiString = std::string;
using WideString = std::u16string;

// 0x00BBGGRR; system colours carry 0x80 in the high byte.
using TColor = int32_t;

// The constructors are spelled out so that TPoint(x, y) and the like build with every compiler,
// not only those that take parentheses for an aggregate's braces.
struct TPoint {
  Integer X = 0;
  Integer Y = 0;

  constexpr TPoint() = default;
  constexpr TPoint(Integer AX, Integer AY) : X(AX), Y(AY) {}
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
  Integer cx = 0;
  Integer cy = 0;

  constexpr TSize() = default;
  constexpr TSize(Integer Acx, Integer Acy) : cx(Acx), cy(Acy) {}
  friend bool operator==(const TSize&, const TSize&) = default;
};

struct TRect {
  Integer Left = 0;
  Integer Top = 0;
  Integer Right = 0;
  Integer Bottom = 0;

  constexpr TRect() = default;
  constexpr TRect(Integer ALeft, Integer ATop, Integer ARight, Integer ABottom)
      : Left(ALeft), Top(ATop), Right(ARight), Bottom(ABottom) {}

  Integer Width() const { return Right - Left; }
  Integer Height() const { return Bottom - Top; }
  TPoint TopLeft() const { return {Left, Top}; }
  TPoint BottomRight() const { return {Right, Bottom}; }
  friend bool operator==(const TRect&, const TRect&) = default;
};

inline TPoint Point(Integer x, Integer y) { return {x, y}; }
inline TRect Rect(Integer left, Integer top, Integer right, Integer bottom) {
  return {left, top, right, bottom};
}
inline TRect Bounds(Integer left, Integer top, Integer width, Integer height) {
  return {left, top, left + width, top + height};
}
