/// @file
/// @brief The runtime's numeric helpers and its random numbers. Angles are
/// degrees; conversions to integers truncate toward zero.
#pragma once
#include <cstdint>

/// @addtogroup texts
/// @{

/// The remainder of a whole-number division. Both operands are truncated
/// toward zero to 32-bit integers first; the result takes the sign of
/// @p a, as C's % does (Mod(-7, 3) is -1).
/// @param a the dividend, within the 32-bit range (-2^31 .. 2^31 - 1).
/// @param b the divisor, within the 32-bit range, and not between -1 and 1.
/// @return the remainder; 0 when b truncates to 0 or is -1, or when either
///         operand is NaN or outside the 32-bit range. No log line.
double Mod(double a, double b);
/// The absolute value.
/// @param x any number.
/// @return |x| (NaN stays NaN).
double Abs(double x);
/// The square root (not the square).
/// @param x 0 or above.
/// @return the root; NaN for x below 0. No log line.
double Sqr(double x);
/// x to the power y, as C's pow.
/// @param x the base.
/// @param y the exponent.
/// @return the power: NaN for a negative base with a fractional exponent,
///         infinity for 0 to a negative power. No log line.
double Pow(double x, double y);
/// The sine of an angle.
/// @param degrees the angle in degrees, any size.
/// @return -1 .. 1. The runtime's degree constant (57.2957795 per radian)
///         is short of pi's digits: Sin(180) is about -7e-10, not 0.
double Sin(double degrees);
/// The cosine of an angle.
/// @param degrees the angle in degrees, any size.
/// @return -1 .. 1 (Cos(90) is about -4e-10, not 0).
double Cos(double degrees);
/// The tangent of an angle.
/// @param degrees the angle in degrees, any size.
/// @return the tangent; near 90 + k * 180 degrees it is very large, never
///         infinite.
double Tan(double degrees);
/// The direction of the point (x, y) from the origin, as C's atan2.
/// @param y the point's y.
/// @param x the point's x.
/// @return the angle in degrees, -180 .. 180; 0 for (0, 0).
double Atan(double y, double x);
/// The angle whose sine is x.
/// @param x -1 .. 1; values beyond are taken as -1 or 1.
/// @return the angle in degrees, -90 .. 90 (NaN for NaN).
double Asin(double x);
/// The angle whose cosine is x.
/// @param x -1 .. 1; values beyond are taken as -1 or 1.
/// @return the angle in degrees, 0 .. 180 (NaN for NaN).
double Acos(double x);
/// A random whole number from 0 to n, both included.
/// @param n the largest number wanted, 0 .. 2^31 - 1; a fraction is cut off.
/// @return 0 .. trunc(n); 0 for n below 0, NaN or 2^31 and above. No log
///         line.
double Rnd(double n);
/// Seeds the runtime's random generator: the same seed gives the same
/// numbers from Rnd again. Start-up seeds it from the clock once.
/// @param seed any 32-bit value.
void SeedRandom(uint32_t seed);

/// @}
