// The arc and hyperbolic functions, from the calculator's library of functions (math/Libm.h):
// a textbook formula such as ln(x + sqrt(x*x + 1)) cancels for small or negative arguments
// and overflows for large ones, where the library's functions stay within an ulp. Each fails
// only outside its domain or where its true value lies beyond the double range.
#include "math/mdlFonctions.h"

#include <cmath>

#include "core/Echec.h"
#include "math/Libm.h"
#include "math/Verifie.h"

namespace tarvex::mdlFonctions {

using verifie::fini;

namespace {

void exiger(bool dansLeDomaine)
{
    if (!dansLeDomaine) throw Echec(Defaut::ArgumentInvalide);
}

} // namespace

// asin(1) and acos(-1) are pi/2 and pi, not failures.
double ArcSin(const Cellule& cx)
{
    const double x = cx.nombre();
    exiger(std::fabs(x) <= 1.0);
    return libm::asin(x);
}

double ArcCos(const Cellule& cx)
{
    const double x = cx.nombre();
    exiger(std::fabs(x) <= 1.0);
    return libm::acos(x);
}

// Finite up to |x| of about 710.4759, a little beyond the exponential's own limit.
double SinH(const Cellule& cx) { return fini(libm::sinh(cx.nombre())); }
double CosH(const Cellule& cx) { return fini(libm::cosh(cx.nombre())); }
double TanH(const Cellule& cx) { return libm::tanh(cx.nombre()); }
double ArgSinH(const Cellule& cx) { return libm::asinh(cx.nombre()); }

double ArgCosH(const Cellule& cx)
{
    const double x = cx.nombre();
    exiger(x >= 1.0);
    return libm::acosh(x);
}

// -1 and 1 are poles: no value there either.
double ArgTanH(const Cellule& cx)
{
    const double x = cx.nombre();
    exiger(std::fabs(x) < 1.0);
    return libm::atanh(x);
}

} // namespace tarvex::mdlFonctions
