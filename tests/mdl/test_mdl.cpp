// The function keys against the correctly rounded values of their functions, clicked in
// radian and in degree mode: within one ulp (the arcs, divided by the degree factor, within
// two), failing exactly outside their domain or where the value lies beyond the double range.
// The references come from 300-bit arithmetic (scripts/valeurs-de-reference.py).
#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "core/Controles.h"
#include "session/Session.h"

using namespace tarvex;

namespace {

struct Touche {
    Ctl touche;
    std::vector<double> refus;                         // the arguments the key refuses
    std::vector<std::pair<double, double>> radian;     // x and the correctly rounded f(x)
    std::vector<std::pair<double, double>> degre = {}; // the arcs in degrees; else as in radians
};

// Small arguments (where a difference of nearly equal terms would cancel), large ones, the
// edges of the domain and of the double range.
// clang-format off
const Touche touches[] = {
    {Ctl::cmdAsin, {1.0000000000000002, -1.0000000000000002, 2.0},
     {{0.0, 0.0}, {5e-324, 5e-324}, {1e-08, 1e-08}, {0.5, 0.5235987755982989},
      {-0.5, -0.5235987755982989}, {0.9, 1.1197695149986342}, {0.99999, 1.5663241871131188},
      {0.9999999999999999, 1.5707963118937354}, {-0.9999999999999999, -1.5707963118937354},
      {1.0, 1.5707963267948966}, {-1.0, -1.5707963267948966}},
     {{5e-324, 2.8e-322}, {0.5, 30.000000000000032}, {-0.5, -30.000000000000032},
      {0.9999999999999999, 89.99999914622644}, {-0.9999999999999999, -89.99999914622644},
      {1.0, 90.00000000000009}, {-1.0, -90.00000000000009}}},
    {Ctl::cmdAcos, {1.0000000000000002, -1e+300},
     {{0.0, 1.5707963267948966}, {1e-08, 1.5707963167948966}, {0.5, 1.0471975511965979},
      {-0.5, 2.0943951023931957}, {0.99, 0.1415394733244273},
      {0.9999999999999999, 1.4901161193847656e-08}, {-0.9999999999999999, 3.141592638688632},
      {1.0, 0.0}, {-1.0, 3.141592653589793}},
     {{0.5, 60.000000000000064}, {-0.5, 120.00000000000013},
      {0.9999999999999999, 8.537736462515947e-07}, {-0.9999999999999999, 179.99999914622654},
      {1.0, 0.0}, {-1.0, 180.00000000000017}}},
    {Ctl::cndLog10, {0.0, -0.0, -1.0},
     {{2.0, 0.3010299956639812}, {0.5, -0.3010299956639812},
      {0.9999999999999999, -4.821637332766436e-17}, {1.0000000000000002, 9.64327466553287e-17},
      {5e-324, -323.3062153431158}, {1.7976931348623157e+308, 308.25471555991675}}},
    {Ctl::cmdHsin, {710.475860073944, -710.475860073944},
     {{1.743830416181688e-12, 1.743830416181688e-12}, {5e-324, 5e-324}, {1e-08, 1e-08},
      {-1e-05, -1.0000000000166668e-05}, {0.1, 0.10016675001984403}, {1.0, 1.1752011936438014},
      {20.0, 242582597.70489514}, {-710.0, -1.1169973830808555e+308},
      {710.4758600739439, 1.7976931348621744e+308}, {-710.4758600739439, -1.7976931348621744e+308}}},
    {Ctl::cmdHcos, {710.475860073944, -1e+300},
     {{0.0, 1.0}, {-3.0, 10.067661995777765}, {710.0, 1.1169973830808555e+308},
      {710.4758600739439, 1.7976931348621744e+308}, {-710.4758600739439, 1.7976931348621744e+308}}},
    {Ctl::cmdHtan, {},
     {{1e-12, 1e-12}, {0.5, 0.46211715726000974}, {-1.0, -0.7615941559557649},
      {19.0, 0.9999999999999999}, {710.0, 1.0}, {-1.7976931348623157e+308, -1.0}}},
    {Ctl::cmdAHsin, {},
     {{5e-324, 5e-324}, {1e-12, 1e-12}, {-1e-10, -1e-10}, {1.0, 0.881373587019543},
      {-10000000.0, -16.811242831518268}, {-100000000.0, -19.11382792451231},
      {2e+154, 355.98439868220294}, {1.7976931348623157e+308, 710.475860073944},
      {-1.7976931348623157e+308, -710.475860073944}}},
    {Ctl::cmdAHcos, {0.9999999999999999, 0.0, -2.0},
     {{1.0, 0.0}, {1.0000000000000002, 2.1073424255447014e-08},
      {1.000000001, 4.4721361396399915e-05}, {2.0, 1.3169578969248168},
      {10000000000.0, 23.7189981105004}, {1.7976931348623157e+308, 710.475860073944}}},
    {Ctl::cmdAHtan, {1.0, -1.0, 1.0000000000000002, 2.0},
     {{5e-324, 5e-324}, {1e-12, 1e-12}, {0.5, 0.5493061443340549}, {-0.25, -0.25541281188299536},
      {0.9999999999999999, 18.714973875118524}, {-0.9999999999999999, -18.714973875118524}}},
};
// clang-format on

// The distance of two finite doubles in units in the last place: 1 for neighbours, across zero
// too.
std::int64_t ulps(double a, double b)
{
    const auto rang = [](double v) {
        const auto bits = std::bit_cast<std::int64_t>(v);
        return bits < 0 ? -(bits & INT64_MAX) : bits;
    };
    return std::llabs(rang(a) - rang(b));
}

// X pasted as its shortest decimal, then the key clicked.
const Cellule& presser(Session& s, Ctl touche, double x)
{
    char texte[32];
    *std::to_chars(texte, texte + sizeof texte - 1, x).ptr = '\0';
    EXPECT_TRUE(s.coller(texte)) << texte;
    s.cliquer(touche);
    return s.etat().Pile[IdxX];
}

TEST(Fonctions, ValeursCorrectementArrondiesEtRefus)
{
    for (const bool degre : {false, true}) {
        Session s;
        if (degre) s.cliquer(Ctl::Option2);
        for (const Touche& t : touches) {
            const bool arc = t.touche == Ctl::cmdAsin || t.touche == Ctl::cmdAcos;
            for (const auto& [x, attendu] : degre && !t.degre.empty() ? t.degre : t.radian) {
                const Cellule& r = presser(s, t.touche, x);
                EXPECT_TRUE(!r.estTexte() && ulps(r.nombreBrut(), attendu) <= (arc ? 2 : 1))
                    << definition(t.touche).nom << "(" << x << ") in " << (degre ? "deg" : "rad")
                    << ": "
                    << (r.estTexte() ? r.texteBrut() : testing::PrintToString(r.nombreBrut()));
            }
            for (const double x : t.refus)
                EXPECT_EQ(presser(s, t.touche, x).texteBrut(),
                          t.touche == Ctl::cndLog10 ? "Log(Neg)" : "Erreur")
                    << definition(t.touche).nom << "(" << x << ")";
        }
    }
}

// Log of a typed power of ten is its exponent, exactly (below 1E-311 the doubles are too coarse
// for that).
TEST(Fonctions, LogExactAuxPuissancesDeDix)
{
    Session s;
    for (int k = -311; k <= 308; ++k) {
        for (const char c : "1e" + std::to_string(std::abs(k))) s.appuyer(c);
        if (k < 0) s.appuyer('o');
        s.cliquer(Ctl::cndLog10);
        EXPECT_EQ(s.etat().Pile[IdxX].nombreBrut(), k);
    }
}

} // namespace
