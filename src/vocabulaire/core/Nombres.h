// Doubles to decimal text and back, the same digits on every platform and in every locale.
// Where the standard library converts doubles itself (std::to_chars, std::from_chars) these
// are those calls; where it does not (WebAssembly's standard library), the C library's
// snprintf and strtod give the same results: both are correctly rounded, and the only locale
// there is "C". Every conversion of a double in the project goes through here.
#pragma once

#include <charconv>
#include <cstdint>
#include <cstring>

namespace tarvex::nombres {

// A double's bits and back (std::bit_cast, which WebAssembly's standard library lacks).
inline std::uint64_t bits(double v)
{
    std::uint64_t b;
    std::memcpy(&b, &v, sizeof b);
    return b;
}
inline double depuisBits(std::uint64_t b)
{
    double v;
    std::memcpy(&v, &b, sizeof v);
    return v;
}

// The shortest text that reads back to v, as std::to_chars(p, p + 32, v) writes it: fixed
// or scientific notation, whichever is shorter, fixed on a tie ("7", "0.1", "1e+05",
// "1e+300", "123456789012345683968"). v finite; p has room for 32 characters. Returns the
// end.
char* ecrireCourt(char* p, double v);

// The same shortest digits, always in scientific notation, as std::to_chars(p, p + 32, v,
// scientific): "7e+00", "1.7976931348623157e+308".
char* ecrireCourtScientifique(char* p, double v);

// v in scientific notation with `decimales` digits after the point, correctly rounded (an
// exact half to the even digit), as std::to_chars(p, p + n, v, scientific, decimales):
// "1.23450000000000e+03". v finite; 0 <= decimales <= 40; p has room for decimales + 8.
char* ecrireScientifique(char* p, double v, int decimales);

// Reads the longest decimal number at the start of [debut, fin) as std::from_chars(debut,
// fin, v, general) reads it: an optional "-", digits with at most one ".", an optional
// exponent ("e" or "E", an optional sign, digits). Beyond the largest double, or a non-zero
// number below the smallest subnormal: ec is result_out_of_range and v unchanged. Neither
// "inf" nor "nan" is read.
std::from_chars_result lire(const char* debut, const char* fin, double& v);

// The same three through snprintf and strtod, for a standard library without them (and for
// the tests that hold both ways to the same texts). They assume the locale "C".
namespace libc {
char* ecrireCourt(char* p, double v);
char* ecrireCourtScientifique(char* p, double v);
char* ecrireScientifique(char* p, double v, int decimales);
std::from_chars_result lire(const char* debut, const char* fin, double& v);
} // namespace libc

} // namespace tarvex::nombres
