// The runtime's numeric helpers. Angles are degrees; conversions to
// integers truncate toward zero.
#pragma once
#include <cstdint>

double Mod(double a, double b);
double Abs(double x);
double Sqr(double x);
double Pow(double x, double y);
double Sin(double degrees);
double Cos(double degrees);
double Tan(double degrees);
double Atan(double y, double x);
double Asin(double x);
double Acos(double x);
// A random integer from 0 to n; 0 for n below 0 or not a number.
double Rnd(double n);
// Seeds the runtime's random generator (done once at start-up).
void SeedRandom(uint32_t seed);
