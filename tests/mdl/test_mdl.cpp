// The arc and hyperbolic helpers, digit for digit: each value is what the written order of
// operations gives in double precision, cancellations and roundings included, not the
// mathematically exact function.
#include <gtest/gtest.h>

#include <string_view>
#include <tuple>

#include "core/Cellule.h"
#include "core/Echec.h"
#include "math/mdlFonctions.h"

using namespace tarvex;
using namespace tarvex::mdlFonctions;

namespace {

using Fonction = double (*)(const Cellule&);

// clang-format off
const std::tuple<std::string_view, Fonction, double, double> lignes[] = {
    {"ArcSin", ArcSin, 0.5, 0.5235987755982989}, // one ulp above pi/6
    {"ArcSin", ArcSin, -0.9, -1.1197695149986342},
    {"ArcCos", ArcCos, 0.0, 1.5707963267948966}, {"ArcCos", ArcCos, 0.5, 1.0471975511965976},
    {"ArcCos", ArcCos, -0.99, 3.0000531802653656},
    {"SinH", SinH, 1.0, 1.1752011936438014}, {"SinH", SinH, -0.5, -0.5210953054937474},
    {"SinH", SinH, 709.0, 4.109203730777486e+307},
    {"CosH", CosH, 1.0, 1.5430806348152437}, {"CosH", CosH, -3.0, 10.067661995777765},
    {"TanH", TanH, 20.0, 1.0}, {"TanH", TanH, 0.5, 0.4621171572600098},
    {"TanH", TanH, -1.0, -0.7615941559557649},
    {"ArgSinH", ArgSinH, 1.0, 0.8813735870195429}, {"ArgSinH", ArgSinH, 0.0, 0.0},
    {"ArgSinH", ArgSinH, 1e150, 346.0809111296668},
    {"ArgSinH", ArgSinH, -1e7, -16.805431370234086}, // x + sqrt(x*x + 1) cancels: not -16.8112
    {"ArgCosH", ArgCosH, 1.0, 0.0}, {"ArgCosH", ArgCosH, 2.0, 1.3169578969248166},
    {"ArgTanH", ArgTanH, 0.5, 0.5493061443340549}, {"ArgTanH", ArgTanH, -0.25, -0.25541281188299536},
};
// clang-format on

// sqrt(1 - x*x) divides (1 and -1), or is of a negative (-1.5); exp overflows (710, and TanH has
// no shortcut to 1); x + sqrt(x*x + 1) rounds to 0 (-1e8); x*x overflows (1e155);
// sqrt(-0.75) (0.5); the logarithm of a negative (-2, 2) or of zero (-1); 1 - x is zero (1).
// clang-format off
const std::tuple<std::string_view, Fonction, double> refus[] = {
    {"ArcSin", ArcSin, 1.0}, {"ArcSin", ArcSin, -1.5}, {"ArcCos", ArcCos, -1.0},
    {"SinH", SinH, -710.0}, {"CosH", CosH, 710.0}, {"TanH", TanH, 710.0},
    {"ArgSinH", ArgSinH, -1e8}, {"ArgSinH", ArgSinH, 1e155}, {"ArgCosH", ArgCosH, 0.5},
    {"ArgCosH", ArgCosH, -2.0}, {"ArgTanH", ArgTanH, 1.0}, {"ArgTanH", ArgTanH, -1.0},
    {"ArgTanH", ArgTanH, 2.0},
};
// clang-format on

TEST(MdlFonctions, ValeursExactesEtEchecsHorsDomaine)
{
    for (const auto& [nom, f, x, attendu] : lignes)
        EXPECT_EQ(f(Cellule(x)), attendu) << nom << "(" << x << ")";
    for (const auto& [nom, f, x] : refus)
        EXPECT_THROW(f(Cellule(x)), Echec) << nom << "(" << x << ")";
}

} // namespace
