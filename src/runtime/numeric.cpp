#include "aerox/numbers.h"

#include <cmath>

#include "runtime/isaac.h"

namespace {
// Degrees per radian, as the runtime has always used it.
constexpr double kDegreesPerRadian = 57.2957795;
Isaac g_random;

// Truncation to 32 bits for Mod; NaN and out-of-range values give 0 so that
// the remainder is defined.
bool ToInt32(double v, int32_t& out) {
    if (!(v > -2147483649.0 && v < 2147483648.0)) return false;
    out = static_cast<int32_t>(v);
    return true;
}
}  // namespace

double Mod(double a, double b) {
    if (b == 0) return 0;
    int32_t ia = 0, ib = 0;
    if (!ToInt32(a, ia) || !ToInt32(b, ib) || ib == 0) return 0;
    if (ib == -1) return 0;  // also keeps INT32_MIN % -1 defined
    return static_cast<double>(ia % ib);
}

double Abs(double x) { return x >= 0 ? x : -x; }
double Sqr(double x) { return std::sqrt(x); }
double Pow(double x, double y) { return std::pow(x, y); }
double Sin(double degrees) { return std::sin(degrees / kDegreesPerRadian); }
double Cos(double degrees) { return std::cos(degrees / kDegreesPerRadian); }
double Tan(double degrees) { return std::tan(degrees / kDegreesPerRadian); }
double Atan(double y, double x) { return std::atan2(y, x) * kDegreesPerRadian; }

double Asin(double x) {
    if (x >= 1) return 90;
    if (x <= -1) return -90;
    return std::asin(x) * kDegreesPerRadian;
}

double Acos(double x) {
    if (x >= 1) return 0;
    if (x <= -1) return 180;
    return std::acos(x) * kDegreesPerRadian;
}

double Rnd(double n) {
    int32_t limit = 0;
    if (!ToInt32(n, limit) || limit < 0) return 0;
    const uint32_t divisor = static_cast<uint32_t>(limit) + 1u;
    return static_cast<double>(g_random.Next() % divisor);
}

void SeedRandom(uint32_t seed) { g_random.Seed(seed); }
