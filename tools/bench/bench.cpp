// Events per second through Form_KeyPress and cliquer(), for three mixes of events, each
// replayed in a loop for about a second on one calculator.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string_view>
#include <vector>

#include "core/Calculatrice.h"

using namespace tarvex;

namespace {

struct Evenement {
    bool clic;
    Ctl ctl;
    std::int32_t code;
};

// A mix written as keys; "[name]" is a click on that control, "~" is Escape, "\r" Return.
std::vector<Evenement> lire(std::string_view texte)
{
    std::vector<Evenement> mix;
    for (std::size_t i = 0; i < texte.size(); ++i) {
        if (texte[i] == '[') {
            const std::size_t fin = texte.find(']', i);
            mix.push_back({true, *controleParNom(texte.substr(i + 1, fin - i - 1)), 0});
            i = fin;
        } else {
            mix.push_back({false, Ctl::cmdEnter, texte[i] == '~' ? 27 : texte[i]});
        }
    }
    return mix;
}

// A session: numbers typed and entered, arithmetic, functions (x^2, ln, sin, cos, y^x,
// exp), stack keys (swap, roll, drop), display formats chosen by click, Escape at the end.
constexpr std::string_view Realiste =
    "12.5\r3+2*c7\r4/nj2di[cmdFixe]3a1234.5678\r1.5e3o+"
    "[cmdScient]5k[cmdEraseLonP]2.75\r0.25b*n-[cmdFixe]99.81\r60*[cmdPermutation]-~";
// Numbers typed into the stack: digits, point, exponent, sign, then Return.
constexpr std::string_view Saisie =
    "12345.678\r9.81e3o\r42\r0.000125\r6.02214e23\r3o.5\r1.6e19o\r299792458\r~";
// The same kind of session, every event a click.
constexpr std::string_view Clics =
    "[cmdChiffre(1)][cmdChiffre(2)][cmdDecimale][cmdChiffre(5)][cmdEnter][cmdChiffre(3)]"
    "[cmdPlus][cmdRacine][cmdChiffre(4)][cmdMul][cmdSin][cmdFixe][cmdChiffre(4)]"
    "[cmdChiffre(7)][cmdPuissance][cmdChiffre(2)][cmdSigne][cmdEnter][cmdInverse]"
    "[cmdPermutation][cmdDiv][Option2][cmdCos][Option1][cmdScient][cmdChiffre(6)]"
    "[cmdChiffre(2)][cmdYtoX][cmdLog][cmdEraseLonP][cmdEraseP]";

struct Mesure {
    long evenements;
    double secondes;
};

Mesure mesurer(const std::vector<Evenement>& mix)
{
    using Horloge = std::chrono::steady_clock;
    Calculatrice c;
    long n = 0;
    const auto debut = Horloge::now();
    std::chrono::duration<double> ecoule{};
    do {
        for (int tour = 0; tour < 200; ++tour) {
            for (const Evenement& e : mix) {
                if (e.clic)
                    c.cliquer(e.ctl);
                else
                    c.Form_KeyPress(e.code);
            }
        }
        n += 200 * static_cast<long>(mix.size());
        ecoule = Horloge::now() - debut;
    } while (ecoule.count() < 1.0);
    if (c.controles().bips() != 0) std::fprintf(stderr, "warning: the mix beeps\n");
    return {n, ecoule.count()};
}

} // namespace

int main()
{
    std::printf("%-10s %12s %9s %14s %10s\n", "mix", "events", "seconds", "events/s", "ns/event");
    for (const auto& [nom, texte] : {std::pair{"realistic", Realiste}, std::pair{"typing", Saisie},
                                     std::pair{"clicks", Clics}}) {
        const Mesure m = mesurer(lire(texte));
        std::printf("%-10s %12ld %9.3f %14.0f %10.1f\n", nom, m.evenements, m.secondes,
                    m.evenements / m.secondes, 1e9 * m.secondes / m.evenements);
    }
    return 0;
}
