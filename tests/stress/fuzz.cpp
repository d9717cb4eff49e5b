// The fuzz target: any input is a replay script. The reader must find the same first bad line
// whether the script comes whole or in pieces; a good script is played on a session whose
// state is checked after every event: its invariants, and after each undo or redo the state
// recorded before or after the event it takes back or brings back. Built with clang as a
// libFuzzer binary (tarvex-fuzz); with any compiler, tarvex-stress gives it the seed corpus
// and long random scripts (docs/fuzz.md).
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "Collage.h"
#include "EtatJson.h"
#include "Historique.h"
#include "Script.h"
#include "core/Utf8.h"
#include "session/Session.h"

using namespace tarvex;

namespace {

// What must hold after every event: empty, or what is broken. No legitimate caption contains
// "inf" or "nan", so every caption is checked for them.
std::string verifier(const Session& c)
{
    const EtatCalculatrice& e = c.etat();
    for (IdControle id = 0; id < Session::nombreControles(); ++id) {
        const DefinitionControle& d = Session::definition(id);
        const EtatControle& s = c.etat(id);
        if (!utf8::valide(s.legende) || !utf8::valide(s.infobulle))
            return std::string(d.nom) + ": caption or tooltip is not valid UTF-8";
        std::string bas = s.legende;
        for (char& ch : bas) ch = static_cast<char>(ch >= 'A' && ch <= 'Z' ? ch + 32 : ch);
        if (bas.find("inf") != std::string::npos || bas.find("nan") != std::string::npos)
            return std::string(d.nom) + " shows \"" + s.legende + "\"";
    }
    if (e.NbCaracteres < 0 || e.NbCaracteres > 14) return "NbCaracteres out of 0 to 14";
    static const IdControle fixe = *Session::controle("lblfixe");
    static const IdControle scien = *Session::controle("lblscien");
    if (c.etat(fixe).visible == c.etat(scien).visible)
        return "lblfixe and lblscien are both visible or both hidden";
    // Every number of the record is finite, but Pente, infinite for a vertical line.
    std::string faute;
    pourChaqueChamp([&](const auto& champ) {
        const auto& v = e.*champ.membre;
        using T = std::remove_cvref_t<decltype(v)>;
        bool fini = true;
        if constexpr (std::is_same_v<T, double>)
            fini = champ.nom == "Pente" ? !std::isnan(v) && v != -INFINITY : std::isfinite(v);
        else if constexpr (std::is_same_v<T, std::array<double, 28>>)
            fini = std::ranges::all_of(v, [](double x) { return std::isfinite(x); });
        else if constexpr (std::is_same_v<T, std::array<Cellule, 5>>)
            fini = std::ranges::all_of(
                v, [](const Cellule& x) { return x.estTexte() || std::isfinite(x.nombreBrut()); });
        if (!fini && faute.empty()) faute = std::string(champ.nom) + " is not finite";
    });
    return faute;
}

// The recorded part of a session: everything but the counts of beeps and manual requests.
struct Instantane {
    EtatCalculatrice e;
    std::vector<EtatControle> v;
    IdControle focus;
    explicit Instantane(const Session& s) : e(s.etat()), focus(s.focus())
    {
        for (IdControle id = 0; id < Session::nombreControles(); ++id) v.push_back(s.etat(id));
    }
    bool operator==(const Instantane& o) const
    {
        return memeEtat(e, o.e) && v == o.v && focus == o.focus;
    }
};

class Banc {
public:
    // Plays one event (a dump writes the state as JSON); empty, or what is broken.
    std::string jouer(const replay::Evenement& ev)
    {
        const long bips = session_.bips();
        if (ev.verbe == replay::Verbe::Dump) {
            replay::etatJson(session_, pressePapier_, "C", json_);
            if (!utf8::valide(json_) || std::ranges::any_of(json_, [](char c) {
                    return static_cast<unsigned char>(c) < 0x20;
                }))
                return "the JSON is not valid UTF-8 or holds a control character";
        } else {
            replay::jouer(session_, ev, pressePapier_); // an escaped exception ends in abort()
        }
        std::string faute = verifier(session_);
        return faute.empty() ? historique(ev, bips) : faute;
    }

private:
    // What undo, redo and copy must have done, against the states before and after each
    // recorded event, or empty.
    std::string historique(const replay::Evenement& ev, long bipsAvant)
    {
        using replay::Verbe;
        const Instantane maintenant(session_);
        const long bips = session_.bips() - bipsAvant;
        if (ev.verbe == Verbe::Annuler || ev.verbe == Verbe::Retablir) {
            const bool arriere = ev.verbe == Verbe::Annuler;
            const bool possible = arriere ? curseur_ > 0 : curseur_ + 1 < etats_.size();
            if (possible) curseur_ += arriere ? -1 : 1;
            if (bips != !possible) return "undo or redo: wrong number of beeps";
            if (!(maintenant == etats_[curseur_])) return "undo or redo: not the recorded state";
        } else if (ev.verbe == Verbe::Copie) { // copier() is const: what it copies must paste back
            const Cellule& x = session_.etat().X();
            const auto relu = lireCollage(pressePapier_);
            if (session_.etat().NbCaracteres == 0 && !x.estTexte() &&
                !(relu && std::fabs(*relu - x.nombreBrut()) <= 1e-14 * std::fabs(x.nombreBrut())))
                return "copy of X does not paste back as X: " + pressePapier_;
        } else if (!(maintenant == etats_[curseur_])) { // a recorded event
            etats_.erase(etats_.begin() + static_cast<long>(curseur_) + 1, etats_.end());
            etats_.push_back(maintenant);
            if (etats_.size() > 101) etats_.pop_front();
            curseur_ = etats_.size() - 1;
        }
        if (session_.annulables() != static_cast<int>(curseur_) ||
            session_.retablissables() != static_cast<int>(etats_.size() - 1 - curseur_))
            return "wrong undo or redo depth";
        return {};
    }

    Session session_;
    std::string pressePapier_, json_;
    std::deque<Instantane> etats_{Instantane(session_)}; // etats_[curseur_] is the current one
    std::size_t curseur_ = 0;
};

} // namespace

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
    const auto dire = [](const std::optional<replay::ErreurScript>& r) {
        return r ? "line " + std::to_string(r->ligne) + ": " + r->message : std::string("ok");
    };
    if (dire(e) != dire(erreur))
        std::fprintf(stderr, "whole: %s; in pieces: %s\n", dire(erreur).c_str(), dire(e).c_str()),
            std::abort();
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
