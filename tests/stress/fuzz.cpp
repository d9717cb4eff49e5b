// The fuzz target: any input is a replay script. The reader must find the same first bad line
// whether the script comes whole or in pieces; a good script is played on the bench (Banc.h),
// every invariant checked after every event. Built with clang as a libFuzzer binary
// (tarvex-fuzz); with any compiler, `tarvex-stress --corpus` runs it on the seed corpus
// (docs/fuzz.md).
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "Banc.h"

using namespace tarvex;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille)
{
    const std::string_view texte(reinterpret_cast<const char*>(donnees), taille);
    const auto erreur = replay::Lecteur().lire(texte, true);

    // Pieces of 1 to 16 bytes (the first byte says), each incomplete line judged every time.
    replay::Lecteur morceaux(1);
    std::optional<replay::ErreurScript> e;
    for (std::size_t lu = 0; !e && lu < taille;) {
        lu = std::min(taille, lu + 1 + donnees[0] % 16);
        e = morceaux.lire(texte.substr(0, lu), false);
    }
    if (!e) e = morceaux.lire(texte, true);
    if (e.has_value() != erreur.has_value() ||
        (e && (e->ligne != erreur->ligne || e->message != erreur->message))) {
        const auto dire = [](const std::optional<replay::ErreurScript>& r) {
            return r ? "line " + std::to_string(r->ligne) + ": " + r->message : std::string("ok");
        };
        std::fprintf(stderr, "whole: %s; in pieces: %s\n", dire(erreur).c_str(), dire(e).c_str());
        std::abort();
    }
    if (erreur) return 0;

    Banc banc;
    replay::Lecteur().lire(texte, true, [&](const replay::Evenement& ev) {
        if (const std::string faute = banc.jouer(ev); !faute.empty()) {
            std::fprintf(stderr, "line %llu: %s\n", static_cast<unsigned long long>(ev.ligne),
                         faute.c_str());
            std::abort();
        }
    });
    return 0;
}
