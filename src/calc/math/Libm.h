// The elementary functions of the calculator: one implementation of each, musl's (libm/),
// compiled into the calculator on every platform. The C libraries' own differ from one another
// in the last bit on a few arguments in a hundred (glibc's and musl's sine, for instance),
// and the desktop and the browser must give the same digits.
#pragma once

extern "C" {
double tarvex_sin(double);
double tarvex_cos(double);
double tarvex_tan(double);
double tarvex_asin(double);
double tarvex_acos(double);
double tarvex_atan(double);
double tarvex_exp(double);
double tarvex_log(double);
double tarvex_log10(double);
double tarvex_pow(double, double);
double tarvex_sinh(double);
double tarvex_cosh(double);
double tarvex_tanh(double);
double tarvex_asinh(double);
double tarvex_acosh(double);
double tarvex_atanh(double);
}

namespace tarvex::libm {

inline double sin(double x) { return tarvex_sin(x); }
inline double cos(double x) { return tarvex_cos(x); }
inline double tan(double x) { return tarvex_tan(x); }
inline double asin(double x) { return tarvex_asin(x); }
inline double acos(double x) { return tarvex_acos(x); }
inline double atan(double x) { return tarvex_atan(x); }
inline double exp(double x) { return tarvex_exp(x); }
inline double log(double x) { return tarvex_log(x); }
inline double log10(double x) { return tarvex_log10(x); }
inline double pow(double x, double y) { return tarvex_pow(x, y); }
inline double sinh(double x) { return tarvex_sinh(x); }
inline double cosh(double x) { return tarvex_cosh(x); }
inline double tanh(double x) { return tarvex_tanh(x); }
inline double asinh(double x) { return tarvex_asinh(x); }
inline double acosh(double x) { return tarvex_acosh(x); }
inline double atanh(double x) { return tarvex_atanh(x); }

} // namespace tarvex::libm
