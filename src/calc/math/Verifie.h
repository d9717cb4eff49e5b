// Checked double arithmetic: every helper tests its domain and the finiteness of its
// result and raises Echec instead of returning an infinity or a NaN. Underflow is no
// failure: a result too small for a double is the nearest double.
#pragma once

#include <cmath>
#include <cstdint>

#include "core/Echec.h"
#include "math/Libm.h"

namespace tarvex::verifie {

inline double fini(double v)
{
    if (std::isnan(v)) throw Echec(Defaut::ArgumentInvalide);
    if (std::isinf(v)) throw Echec(Defaut::Depassement);
    return v;
}

inline double somme(double a, double b) { return fini(a + b); }
inline double difference(double a, double b) { return fini(a - b); }
inline double produit(double a, double b) { return fini(a * b); }

inline double quotient(double a, double b)
{
    if (b == 0.0) throw Echec(Defaut::DiviseurNul);
    return fini(a / b);
}

inline double racine(double x)
{
    if (x < 0.0) throw Echec(Defaut::ArgumentInvalide);
    return std::sqrt(x);
}

inline double ln(double x)
{
    if (x <= 0.0) throw Echec(Defaut::ArgumentInvalide);
    return libm::log(x);
}

// Exact at the powers of ten, where ln(x) / ln(10) is not (1000 gives 2.9999999999999996).
inline double logDecimal(double x)
{
    if (x <= 0.0) throw Echec(Defaut::ArgumentInvalide);
    return libm::log10(x);
}

inline double exponentielle(double x) { return fini(libm::exp(x)); }

// y to the power x: a negative y needs an integer x, and a zero y a non-negative x.
inline double puissance(double y, double x)
{
    if (y < 0.0 && std::trunc(x) != x) throw Echec(Defaut::ArgumentInvalide);
    if (y == 0.0 && x < 0.0) throw Echec(Defaut::ArgumentInvalide);
    return fini(libm::pow(y, x));
}

inline double sinus(double x) { return fini(libm::sin(x)); }
inline double cosinus(double x) { return fini(libm::cos(x)); }
inline double tangente(double x) { return fini(libm::tan(x)); }
inline double arcTangente(double x) { return fini(libm::atan(x)); }

// A 16-bit counter result, checked.
inline std::int16_t entier16(long v)
{
    if (v < INT16_MIN || v > INT16_MAX) throw Echec(Defaut::Depassement);
    return static_cast<std::int16_t>(v);
}

} // namespace tarvex::verifie
