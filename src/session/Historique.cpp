// Undo and redo: after each event the calculator is compared with the recorded state (the
// state record whole, the controls only where the model marks them as written), and what
// differs becomes one step.
#include "Historique.h"

#include <array>
#include <bit>
#include <concepts>
#include <cstdint>
#include <string>
#include <tuple>

#include "core/Nombres.h"

namespace tarvex {

namespace {

// Bit for bit: 0.0 and -0.0 differ.
bool meme(double a, double b) { return nombres::bits(a) == nombres::bits(b); }
bool meme(const Cellule& a, const Cellule& b)
{
    if (a.estTexte() != b.estTexte()) return false;
    return a.estTexte() ? a.texteBrut() == b.texteBrut() : meme(a.nombreBrut(), b.nombreBrut());
}
bool meme(const std::string& a, const std::string& b) { return a == b; }
template <std::integral T>
bool meme(T a, T b)
{
    return a == b;
}
template <class T, std::size_t N>
bool meme(const std::array<T, N>& a, const std::array<T, N>& b)
{
    for (std::size_t i = 0; i < N; ++i)
        if (!meme(a[i], b[i])) return false;
    return true;
}

} // namespace

bool memeEtat(const EtatCalculatrice& a, const EtatCalculatrice& b)
{
    return std::apply([&](const auto&... c) { return (meme(a.*c.membre, b.*c.membre) && ...); },
                      ChampsEtat);
}

Historique::Historique(const Calculatrice& calc)
    : etapes_(1), focus_(calc.controles().focus()), changes_(nombreControles())
{
    etapes_[0].etat = calc.etat();
    controles_.reserve(nombreControles());
    for (std::size_t i = 0; i < nombreControles(); ++i)
        controles_.push_back(calc.controles()[static_cast<Ctl>(i)]);
}

bool Historique::change(Calculatrice& calc)
{
    const EtatCalculatrice& e = calc.etat();
    const ModeleControles& v = calc.controles();
    nbChanges_ = 0;
    const ModeleControles::Ecritures& ecrits = v.ecritures();
    for (std::size_t mot = 0; mot < ecrits.size(); ++mot) {
        for (std::uint64_t bits = ecrits[mot]; bits != 0; bits &= bits - 1) {
            const auto c = static_cast<Ctl>(mot * 64 + std::countr_zero(bits));
            if (!(v[c] == controles_[indice(c)])) changes_[nbChanges_++] = c;
        }
    }
    calc.oublierEcritures();
    return nbChanges_ > 0 || v.focus() != focus_ || !memeEtat(e, etape(curseur_).etat);
}

void Historique::enregistrer(const Calculatrice& calc)
{
    const EtatCalculatrice& e = calc.etat();
    const ModeleControles& v = calc.controles();
    // The redo list goes; beyond Profondeur steps, the oldest one.
    taille_ = curseur_;
    if (taille_ == Profondeur) {
        debut_ = (debut_ + 1) % Anneau;
        --taille_;
    }
    const auto i = static_cast<std::size_t>((debut_ + taille_ + 1) % Anneau);
    if (i == etapes_.size()) { // the ring grows to its full size over the first 100 events
        if (etapes_.capacity() < Anneau) etapes_.reserve(Anneau);
        etapes_.emplace_back();
    }
    curseur_ = ++taille_;

    // The step keeps the controls from before the event, the recorded ones become those after.
    Etape& p = etapes_[i];
    p.etat = e;
    if (p.controles.size() < nbChanges_) p.controles.resize(nbChanges_);
    p.nbControles = nbChanges_;
    for (std::size_t k = 0; k < nbChanges_; ++k) {
        const Ctl c = changes_[k];
        p.controles[k].first = c;
        p.controles[k].second = controles_[indice(c)];
        controles_[indice(c)] = v[c];
    }
    p.focus = focus_;
    focus_ = v.focus();
}

void Historique::echanger(Etape& p, Calculatrice& calc)
{
    nbChanges_ = p.nbControles;
    for (std::size_t k = 0; k < p.nbControles; ++k) {
        auto& [c, s] = p.controles[k];
        std::swap(s, controles_[indice(c)]);
        calc.remettre(c, controles_[indice(c)]);
        changes_[k] = c;
    }
    std::swap(p.focus, focus_);
    calc.remettreFocus(focus_);
    calc.oublierEcritures();
}

bool Historique::annuler(Calculatrice& calc)
{
    if (curseur_ == 0) return false;
    echanger(etape(curseur_), calc);
    calc.remettre(etape(--curseur_).etat);
    return true;
}

bool Historique::retablir(Calculatrice& calc)
{
    if (curseur_ == taille_) return false;
    echanger(etape(++curseur_), calc);
    calc.remettre(etape(curseur_).etat);
    return true;
}

} // namespace tarvex
