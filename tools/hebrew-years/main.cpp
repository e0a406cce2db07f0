// Writes the Hebrew year table: for each Gregorian year G from 1583 to 2239, the Hebrew date of
// 1 January G (as a code: c = day c of Tevet; 0, 31, 32 = 1, 2, 3 Shevat; 30, 33 = 30, 29 Kislev)
// and the type 1..6 of Hebrew year G + 3760 (353, 354, 355, 383, 384, 385 days).
//
// Years start at 1 Tishrei, found from the mean new moon (molad) of Tishrei with the four
// postponements; days are counted as R.D. day numbers (day 1 = 1 January 1 of the proleptic
// Gregorian calendar).

#include <cstdio>
#include <stdexcept>

namespace {

constexpr int kFirstYear = 1583;
constexpr int kLastYear = 2239;
constexpr long kHebrewEpoch = -1373428;  // turns elapsed days into R.D. day numbers

bool IsHebrewLeap(long year) { return (7 * year + 1) % 19 < 7; }

// Days from the epoch to 1 Tishrei of the year, postponements applied.
long ElapsedDays(long year) {
  long months = 235 * ((year - 1) / 19) + 12 * ((year - 1) % 19) + (7 * ((year - 1) % 19) + 1) / 19;
  long parts = 204 + 793 * (months % 1080);
  long hours = 5 + 12 * months + 793 * (months / 1080) + parts / 1080;
  long day = 1 + 29 * months + hours / 24;
  long moladParts = 1080 * (hours % 24) + parts % 1080;
  // The molad at or after noon; a common year's molad on Tuesday from 9h 204p; after a leap year,
  // a molad on Monday from 15h 589p.
  if (moladParts >= 19440 || (day % 7 == 2 && moladParts >= 9924 && !IsHebrewLeap(year)) ||
      (day % 7 == 1 && moladParts >= 16789 && IsHebrewLeap(year - 1)))
    ++day;
  // Never on Sunday, Wednesday or Friday.
  if (day % 7 == 0 || day % 7 == 3 || day % 7 == 5) ++day;
  return day;
}

long NewYear(long year) { return kHebrewEpoch + ElapsedDays(year); }

int YearType(long year) {
  switch (NewYear(year + 1) - NewYear(year)) {
    case 353: return 1;
    case 354: return 2;
    case 355: return 3;
    case 383: return 4;
    case 384: return 5;
    case 385: return 6;
    default: throw std::runtime_error("impossible Hebrew year length");
  }
}

const int kMonthLengths[6][13] = {
    {30, 29, 29, 29, 30, 29, 30, 29, 30, 29, 30, 29, 0}, {30, 29, 30, 29, 30, 29, 30, 29, 30, 29, 30, 29, 0},
    {30, 30, 30, 29, 30, 29, 30, 29, 30, 29, 30, 29, 0}, {30, 29, 29, 29, 30, 30, 29, 30, 29, 30, 29, 30, 29},
    {30, 29, 30, 29, 30, 30, 29, 30, 29, 30, 29, 30, 29}, {30, 30, 30, 29, 30, 30, 29, 30, 29, 30, 29, 30, 29},
};

long GregorianDayNumber(long year, int month, int day) {
  static const int kBefore[12] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
  long y = year - 1;
  bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return 365 * y + y / 4 - y / 100 + y / 400 + kBefore[month - 1] + (month > 2 && leap ? 1 : 0) + day;
}

// The code of 1 January of Gregorian year g in Hebrew year g + 3760.
int JanuaryCode(long g) {
  long hebrew = g + 3760;
  long offset = GregorianDayNumber(g, 1, 1) - NewYear(hebrew);
  const int* lengths = kMonthLengths[YearType(hebrew) - 1];
  int month = 0;
  while (offset >= lengths[month]) offset -= lengths[month++];
  int day = static_cast<int>(offset) + 1;
  if (month == 3) return day;  // Tevet
  if (month == 4) return day == 1 ? 0 : day == 2 ? 31 : day == 3 ? 32 : -1;
  if (month == 2) return day == 29 ? 33 : day == 30 ? 30 : -1;
  return -1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: hebrew-years OUTPUT.cpp\n");
    return 2;
  }
  FILE* out = std::fopen(argv[1], "w");
  if (!out) {
    std::perror(argv[1]);
    return 1;
  }
  std::fprintf(out, "// Made by tools/hebrew-years at build time: do not edit.\n");
  int rows = kLastYear - kFirstYear + 1;
  std::fprintf(out, "extern const unsigned char kvHebrewYearTable[%d][2];\n", rows);
  std::fprintf(out, "const unsigned char kvHebrewYearTable[%d][2] = {\n", rows);
  for (long g = kFirstYear; g <= kLastYear; ++g) {
    int code = JanuaryCode(g);
    if (code < 0) {
      std::fprintf(stderr, "hebrew-years: 1 January %ld falls outside Kislev..Shevat\n", g);
      std::fclose(out);
      std::remove(argv[1]);
      return 1;
    }
    std::fprintf(out, "    {%d, %d},  // %ld\n", code, YearType(g + 3760), g);
  }
  std::fprintf(out, "};\n");
  return std::fclose(out) == 0 ? 0 : 1;
}
