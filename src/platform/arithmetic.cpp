// The random generator, degree trigonometry, truncation and the text
// conversions of the service layer.  None of these depend on a backend.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "platform/services.h"

namespace {
constexpr int32_t kModulus = 0x7FFFFFFF;
constexpr int32_t kDefaultSeed = 4660;
int32_t RandomState = kDefaultSeed;

// One step of the Lehmer generator s = 48271 * s mod (2^31 - 1), computed
// with Schrage's method so that nothing overflows 32 bits.
int32_t StepRandom() {
  int32_t s = RandomState;
  s = 48271 * (s % 44488) - 3399 * (s / 44488);
  if (s < 0) s += kModulus;
  RandomState = s;
  return s;
}

// A unit value in [0, 1) from two steps.
double UnitRandom() {
  int32_t s1 = StepRandom();
  int32_t s2 = StepRandom();
  return (static_cast<double>(s1 & 0x1FFFFFFC) +
          static_cast<double>(s2 & 0x1FFFFFF8) / 134217728.0) /
         536870912.0;
}
}  // namespace

void SeedRandom(int seed) {
  int32_t s = static_cast<int32_t>(static_cast<uint32_t>(seed) & 0x7FFFFFFFu);
  if (s == 0 || s == kModulus) s = kDefaultSeed;
  RandomState = s;
}

float RandomFloat(float a, float b) {
  double lo = a < b ? a : b;
  double hi = a < b ? b : a;
  return static_cast<float>(lo + UnitRandom() * (hi - lo));
}

int RandomInt(int a, int b) {
  long long d = static_cast<long long>(b) - a;
  double u = UnitRandom();
  if (d > 0) return static_cast<int>(a + TruncToInt(u * static_cast<double>(d + 1)));
  return static_cast<int>(b + TruncToInt(u * static_cast<double>(1 - d)));
}

float SinDeg(float angle) { return static_cast<float>(std::sin(angle * 0.017453292519943295)); }
float CosDeg(float angle) { return static_cast<float>(std::cos(angle * 0.017453292519943295)); }
float Atan2Deg(float y, float x) {
  return static_cast<float>(std::atan2(static_cast<double>(y), static_cast<double>(x)) *
                            57.29577951308232);
}
float SquareRoot(float value) { return std::sqrt(value); }
float AbsoluteValue(float value) { return std::fabs(value); }
float FloatRemainder(float a, float b) { return std::fmod(a, b); }

// Toward zero.  Values beyond the int range saturate and NaN gives 0, where a
// bare cast would be undefined.
int TruncToInt(double value) {
  if (std::isnan(value)) return 0;
  if (value >= 2147483647.0) return std::numeric_limits<int>::max();
  if (value <= -2147483648.0) return std::numeric_limits<int>::min();
  return static_cast<int>(value);
}

std::string IntToText(long long value) { return std::to_string(value); }

std::string DoubleToText(double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%#.17lg", value);
  return buffer;
}

// Leading blanks, an optional sign, then digits up to the first other
// character; no digits give 0.  Numbers too large for an int saturate.
int TextToInt(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' ||
                             text[i] == '\r' || text[i] == '\v' || text[i] == '\f'))
    ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  long long value = 0;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
    if (value <= 2147483648LL) value = value * 10 + (text[i] - '0');
    ++i;
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  if (value < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
  return static_cast<int>(value);
}

double TextToFloat(const std::string& text) { return std::atof(text.c_str()); }
