#include "gdi/TextLayout.h"

#include <algorithm>
#include <cstddef>

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// A visible character of a paragraph and where it came from in the caller's text.
struct Source {
  char32_t ch;
  size_t offset;
  bool underlined;
};

struct Paragraph {
  std::vector<Source> chars;
  size_t begin = 0;  // byte range of the paragraph in the text
  size_t end = 0;
};

// A line before placement: its characters, with the byte range they cover.
struct Line {
  std::vector<Source> chars;
  size_t begin = 0;
  size_t end = 0;
};

bool IsSpace(char32_t ch) { return ch == U' ' || ch == U'\t'; }

// Full-width characters may be broken between, unless DT_NOFULLWIDTHCHARBREAK.
bool IsFullWidth(char32_t ch) {
  return (ch >= 0x1100 && ch <= 0x11FF) || (ch >= 0x2E80 && ch <= 0xA4CF) || (ch >= 0xAC00 && ch <= 0xD7A3) ||
         (ch >= 0xF900 && ch <= 0xFAFF) || (ch >= 0xFE30 && ch <= 0xFE4F) || (ch >= 0xFF00 && ch <= 0xFF60) ||
         (ch >= 0xFFE0 && ch <= 0xFFE6);
}

class Layout {
 public:
  Layout(std::string_view text, const TRect& rect, UINT format, TextMeasure& measure, const TextLayoutOptions& options)
      : text_(text), rect_(rect), format_(format), measure_(measure), options_(options) {
    available_ = rect.Width() - options.leftMargin - options.rightMargin;
    tabWidth_ = std::max(1, options.tabLength) * std::max(1, measure.AverageCharWidth());
    lineHeight_ = measure.LineHeight((format & DT_EXTERNALLEADING) != 0);
  }

  TextLayoutResult Run() {
    TextLayoutResult result;
    result.bounds = rect_;
    if (text_.empty()) return result;
    std::vector<Line> lines;
    for (Paragraph& paragraph : SplitParagraphs()) {
      if ((format_ & DT_WORDBREAK) && !(format_ & DT_SINGLELINE)) {
        Wrap(paragraph, lines);
      } else {
        lines.push_back({std::move(paragraph.chars), paragraph.begin, paragraph.end});
      }
    }
    bool calculating = (format_ & DT_CALCRECT) != 0;
    bool cutShort = false;
    if (!calculating && (format_ & DT_EDITCONTROL) && !(format_ & DT_SINGLELINE)) {
      // An edit control never shows a partly visible last line.
      size_t fitting = std::max<size_t>(1, static_cast<size_t>(std::max(0, rect_.Height()) / std::max(1, lineHeight_)));
      if (lines.size() > fitting) {
        lines.resize(fitting);
        cutShort = true;
      }
    }
    int widest = 0;
    int top = rect_.Top;
    if ((format_ & DT_SINGLELINE) && (format_ & (DT_VCENTER | DT_BOTTOM))) {
      top = (format_ & DT_VCENTER) ? rect_.Top + (rect_.Height() - lineHeight_) / 2 : rect_.Bottom - lineHeight_;
    }
    for (size_t i = 0; i < lines.size(); ++i) {
      bool forceEllipsis = cutShort && i + 1 == lines.size() && (format_ & DT_END_ELLIPSIS);
      LaidLine laid = Place(lines[i], forceEllipsis, result.shortened);
      laid.top = top + static_cast<int>(i) * lineHeight_;
      widest = std::max(widest, laid.width);
      result.lines.push_back(std::move(laid));
    }
    for (LaidLine& line : result.lines) line.left = LineLeft(line.width);
    int textHeight = static_cast<int>(lines.size()) * lineHeight_;
    result.height = (format_ & DT_SINGLELINE) && (format_ & (DT_VCENTER | DT_BOTTOM)) ? top - rect_.Top + lineHeight_
                                                                                      : textHeight;
    result.bounds.Right = rect_.Left + options_.leftMargin + widest + options_.rightMargin;
    result.bounds.Bottom = rect_.Top + textHeight;
    if (result.shortened) result.shortenedText = std::move(shortened_);
    return result;
  }

 private:
  std::vector<Paragraph> SplitParagraphs() {
    std::vector<size_t> offsets;
    std::u32string chars = DecodeUtf8(text_, &offsets);
    std::vector<Paragraph> paragraphs(1);
    bool prefixes = !(format_ & DT_NOPREFIX);
    for (size_t i = 0; i < chars.size(); ++i) {
      char32_t ch = chars[i];
      if (ch == U'\r' || ch == U'\n') {
        if (format_ & DT_SINGLELINE) continue;
        paragraphs.back().end = offsets[i];
        if (ch == U'\r' && i + 1 < chars.size() && chars[i + 1] == U'\n') ++i;
        paragraphs.emplace_back();
        paragraphs.back().begin = i + 1 < offsets.size() ? offsets[i + 1] : text_.size();
        continue;
      }
      if (prefixes && ch == U'&') {
        if (i + 1 >= chars.size()) break;  // a lone trailing prefix shows nothing
        if (chars[i + 1] == U'&') {
          paragraphs.back().chars.push_back({U'&', offsets[i], false});
          ++i;
          continue;
        }
        // Only the last prefixed character of a paragraph is underlined.
        for (Source& earlier : paragraphs.back().chars) earlier.underlined = false;
        ++i;
        if (chars[i] == U'\r' || chars[i] == U'\n') {
          --i;
          continue;
        }
        paragraphs.back().chars.push_back({chars[i], offsets[i], !(format_ & DT_HIDEPREFIX)});
        continue;
      }
      paragraphs.back().chars.push_back({ch, offsets[i], false});
    }
    paragraphs.back().end = text_.size();
    return paragraphs;
  }

  int AdvanceAt(char32_t ch, int x) {
    if (ch == U'\t') return (format_ & DT_EXPANDTABS) ? (x / tabWidth_ + 1) * tabWidth_ - x : 0;
    return measure_.Advance(ch);
  }

  // Greedy breaking: after blanks, around full-width characters, and inside a word only for an
  // edit control (otherwise an over-long word runs past the edge, as DrawText does).
  void Wrap(Paragraph& paragraph, std::vector<Line>& lines) {
    const std::vector<Source>& chars = paragraph.chars;
    size_t n = chars.size();
    bool fullWidthBreaks = !(format_ & DT_NOFULLWIDTHCHARBREAK);
    size_t start = 0;
    do {
      size_t breakAt = start;
      size_t end = n;
      int x = 0;
      for (size_t j = start; j < n; ++j) {
        char32_t ch = chars[j].ch;
        if (j > start && fullWidthBreaks && (IsFullWidth(ch) || IsFullWidth(chars[j - 1].ch))) breakAt = j;
        int advance = AdvanceAt(ch, x);
        if (!IsSpace(ch) && j > start && x + advance > available_) {
          if (breakAt > start) {
            end = breakAt;
          } else if (format_ & DT_EDITCONTROL) {
            end = j;
          } else {
            end = j;
            while (end < n && !IsSpace(chars[end].ch) && !(fullWidthBreaks && IsFullWidth(chars[end].ch))) ++end;
          }
          break;
        }
        x += advance;
        if (IsSpace(ch)) breakAt = j + 1;
      }
      size_t shown = end;
      while (shown > start && chars[shown - 1].ch == U' ') --shown;  // blanks before a break show nothing
      Line line;
      line.chars.assign(chars.begin() + static_cast<std::ptrdiff_t>(start), chars.begin() + static_cast<std::ptrdiff_t>(shown));
      line.begin = start < n ? chars[start].offset : paragraph.end;
      line.end = end < n ? chars[end].offset : paragraph.end;
      lines.push_back(std::move(line));
      start = end;
      while (start < n && chars[start].ch == U' ') ++start;  // blanks at a break are consumed
    } while (start < n);
  }

  struct Positions {
    std::vector<int> x;  // x of each character, then the end
    int width = 0;       // without trailing blanks
  };

  Positions Measure(const std::vector<Source>& chars) {
    Positions positions;
    int x = 0;
    for (const Source& source : chars) {
      positions.x.push_back(x);
      x += AdvanceAt(source.ch, x);
      if (!IsSpace(source.ch)) positions.width = x;
    }
    positions.x.push_back(x);
    return positions;
  }

  LaidLine Place(Line& line, bool forceEllipsis, bool& shortened) {
    Positions positions = Measure(line.chars);
    bool wantsEllipsis = (format_ & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS | DT_PATH_ELLIPSIS)) != 0;
    if (wantsEllipsis && (positions.width > available_ || forceEllipsis)) {
      Ellipsize(line, positions);
      positions = Measure(line.chars);
      shortened = true;
    }
    LaidLine laid;
    laid.width = positions.width;
    bool prefixOnly = (format_ & DT_PREFIXONLY) != 0;
    for (size_t i = 0; i < line.chars.size(); ++i) {
      const Source& source = line.chars[i];
      if (source.underlined) {
        laid.underlineLeft = positions.x[i];
        laid.underlineRight = positions.x[i + 1];
      }
      if (prefixOnly || source.ch == U'\t') continue;
      laid.chars.push_back({source.ch, positions.x[i]});
    }
    return laid;
  }

  // Replaces the line's characters by a head, "..." and a tail (the file name for a path
  // ellipsis), within the width and within the room of the caller's buffer.
  void Ellipsize(Line& line, const Positions& positions) {
    const std::vector<Source>& chars = line.chars;
    size_t n = chars.size();
    int ellipsisWidth = 3 * measure_.Advance(U'.');
    size_t tailStart = n;
    if (format_ & DT_PATH_ELLIPSIS) {
      for (size_t i = n; i-- > 0;) {
        if (chars[i].ch == U'\\' || chars[i].ch == U'/') {
          tailStart = i;
          break;
        }
      }
    }
    int tailWidth = positions.x[n] - positions.x[tailStart];
    auto offsetOf = [&](size_t i) { return i < n ? chars[i].offset : line.end; };
    if (!shortenedStarted_) {
      shortened_ = std::string(text_);
      shortenedStarted_ = true;
    }
    // Bytes the shortened text keeps outside this line.
    size_t before = shortenedPrefix_ + (line.begin - consumed_);
    size_t after = text_.size() - line.end;
    size_t tailBytes = line.end - offsetOf(tailStart);
    size_t head = tailStart;
    while (head > 0) {
      bool fits = positions.x[head] + ellipsisWidth + tailWidth <= available_;
      size_t bytes = before + (offsetOf(head) - line.begin) + 3 + tailBytes + after;
      if (fits && bytes <= options_.maxShortenedBytes) break;
      --head;
    }
    // Build the shortened text for DT_MODIFYSTRING from the caller's bytes, prefixes kept.
    std::string& out = shortened_;
    std::string rebuilt = out.substr(0, before);
    rebuilt.append(text_.substr(line.begin, offsetOf(head) - line.begin));
    size_t room = options_.maxShortenedBytes >= rebuilt.size() ? options_.maxShortenedBytes - rebuilt.size() : 0;
    rebuilt.append(std::string("...").substr(0, std::min<size_t>(3, room)));
    rebuilt.append(text_.substr(offsetOf(tailStart), tailBytes));
    size_t lineEndInRebuilt = rebuilt.size();
    rebuilt.append(text_.substr(line.end));
    if (rebuilt.size() > options_.maxShortenedBytes) {
      size_t cut = options_.maxShortenedBytes;
      while (cut > 0 && (static_cast<unsigned char>(rebuilt[cut]) & 0xC0) == 0x80) --cut;  // whole characters only
      rebuilt.resize(cut);
    }
    out = std::move(rebuilt);
    shortenedPrefix_ = std::min(lineEndInRebuilt, out.size());
    consumed_ = line.end;

    std::vector<Source> result(chars.begin(), chars.begin() + static_cast<std::ptrdiff_t>(head));
    for (int i = 0; i < 3; ++i) result.push_back({U'.', offsetOf(head), false});
    result.insert(result.end(), chars.begin() + static_cast<std::ptrdiff_t>(tailStart), chars.end());
    line.chars = std::move(result);
  }

  int LineLeft(int width) const {
    int left = rect_.Left + options_.leftMargin;
    if (format_ & DT_CENTER) return left + (available_ - width) / 2;
    if (format_ & DT_RIGHT) return left + available_ - width;
    return left;
  }

  std::string_view text_;
  TRect rect_;
  UINT format_;
  TextMeasure& measure_;
  TextLayoutOptions options_;
  int available_ = 0;
  int tabWidth_ = 1;
  int lineHeight_ = 0;
  std::string shortened_;
  bool shortenedStarted_ = false;
  size_t shortenedPrefix_ = 0;  // bytes of shortened_ already final (up to the last shortened line)
  size_t consumed_ = 0;         // the caller's bytes those stand for
};

}  // namespace

TextLayoutResult LayOutText(std::string_view text, const TRect& rect, UINT format, TextMeasure& measure,
                            const TextLayoutOptions& options) {
  return Layout(text, rect, format, measure, options).Run();
}

std::u32string DecodeUtf8(std::string_view text, std::vector<size_t>* offsets) {
  std::u32string result;
  result.reserve(text.size());
  if (offsets) offsets->reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    auto byte = static_cast<unsigned char>(text[i]);
    int length = byte < 0x80 ? 1 : (byte >> 5) == 0x6 ? 2 : (byte >> 4) == 0xE ? 3 : (byte >> 3) == 0x1E ? 4 : 0;
    char32_t ch = kReplacement;
    if (length == 1) {
      ch = byte;
    } else if (length > 1 && i + length <= text.size()) {
      ch = byte & (0x7F >> length);
      for (int k = 1; k < length; ++k) {
        auto next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0) != 0x80) {
          length = 0;
          break;
        }
        ch = (ch << 6) | (next & 0x3F);
      }
      if (length == 0) ch = kReplacement;
    } else {
      length = 0;
    }
    if (offsets) offsets->push_back(i);
    result.push_back(ch);
    i += length > 0 ? length : 1;
  }
  return result;
}

void AppendUtf8(std::string& out, char32_t ch) {
  if (ch < 0x80) {
    out.push_back(static_cast<char>(ch));
  } else if (ch < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (ch >> 6)));
    out.push_back(static_cast<char>(0x80 | (ch & 0x3F)));
  } else if (ch < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (ch >> 12)));
    out.push_back(static_cast<char>(0x80 | ((ch >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (ch & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (ch >> 18)));
    out.push_back(static_cast<char>(0x80 | ((ch >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((ch >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (ch & 0x3F)));
  }
}
