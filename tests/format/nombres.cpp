// tarvex-nombres N: what the calculator writes and reads for N random doubles and N random
// texts, and what its elementary functions give for N random arguments, one line each. Every
// build must print the same lines: the test web/nombres compares the WebAssembly build's with
// the native build's. Everything comes from mt19937_64's raw output, which the standard fixes.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "core/Echec.h"
#include "core/Format.h"
#include "core/Nombres.h"
#include "entry/Lecture.h"
#include "math/Libm.h"

using namespace tarvex;

namespace {

std::string court(double v)
{
    if (!std::isfinite(v)) return std::isnan(v) ? "nan" : v > 0 ? "inf" : "-inf";
    char t[32];
    return std::string(t, nombres::ecrireCourt(t, v));
}

} // namespace

int main(int argc, char** argv)
{
    const long n = argc > 1 ? std::atol(argv[1]) : 1000;
    std::mt19937_64 hasard(2026);
    const auto uniforme = [&] { return static_cast<double>(hasard() >> 11) * 0x1p-53; };
    for (long i = 0; i < n; ++i) {
        const double v = nombres::depuisBits(hasard());
        if (!std::isfinite(v)) continue;
        char t[64];
        std::printf("%s %s %s %s %s\n", court(v).c_str(),
                    std::string(t, nombres::ecrireScientifique(t, v, 14)).c_str(),
                    texteGeneral(v).c_str(), formaterMotif(v, "0.0000000E+00").c_str(),
                    formaterMotif(v, "+0.0#####E+00").c_str());
    }
    for (long i = 0; i < n; ++i) {
        std::string texte = hasard() % 4 ? "" : "-";
        for (auto k = 1 + hasard() % 20; k > 0; --k)
            texte += static_cast<char>('0' + hasard() % 10);
        if (hasard() % 2) texte.insert(texte.size() / 2, ".");
        // One draw per statement: the order of two in one expression is the compiler's.
        const char* signe = hasard() % 2 ? "-" : "+";
        texte += "E" + std::string(signe) + std::to_string(hasard() % 330);
        try {
            std::printf("%s %s\n", texte.c_str(), court(lireEntree(texte)).c_str());
        } catch (const Echec&) {
            std::printf("%s refus\n", texte.c_str());
        }
    }
    for (long i = 0; i < n; ++i) {
        const double u = uniforme(),
                     x = (2 * u - 1) * std::ldexp(1.0, static_cast<int>(hasard() % 14) - 4);
        const double y = 4 * uniforme();
        // clang-format off
        const double r[] = {libm::sin(x), libm::cos(x), libm::tan(x), libm::asin(u), libm::acos(u),
                            libm::atan(x), libm::exp(x), libm::log(u), libm::log10(u),
                            libm::pow(std::fabs(x), y), libm::sinh(x), libm::cosh(x), libm::tanh(x),
                            libm::asinh(x), libm::acosh(1 + u * x * x), libm::atanh(u * 0.999)};
        // clang-format on
        for (double z : r) std::printf("%s ", court(z).c_str());
        std::printf("\n");
    }
    return 0;
}
