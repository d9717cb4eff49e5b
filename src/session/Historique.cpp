// Undo and redo: after each event the calculator is compared with the recorded state (the
// state record whole, the controls only where the model marks them as written), and what
// differs becomes one step.
#include "Historique.h"

#include <bit>
#include <cstdint>
#include <cstring>

#include "core/Nombres.h"

namespace tarvex {

namespace {

bool memeNombre(double a, double b) { return nombres::bits(a) == nombres::bits(b); }

bool memeCellule(const Cellule& a, const Cellule& b)
{
    if (a.estTexte() != b.estTexte()) return false;
    return a.estTexte() ? a.texteBrut() == b.texteBrut()
                        : memeNombre(a.nombreBrut(), b.nombreBrut());
}

// A field added to the record must be added to memeEtat too; this catches the omission on
// the 64-bit platforms the project builds for.
static_assert(sizeof(void*) != 8 || sizeof(EtatCalculatrice) == 696,
              "EtatCalculatrice changed: compare its new fields in memeEtat");

} // namespace

bool memeEtat(const EtatCalculatrice& a, const EtatCalculatrice& b)
{
    if (a.NbCaracteres != b.NbCaracteres || a.SaisieExposant != b.SaisieExposant ||
        a.PointDecimal != b.PointDecimal || a.EntreeParLettre != b.EntreeParLettre ||
        a.ModeTouche != b.ModeTouche || a.NbDecimales != b.NbDecimales ||
        a.ChiffreDecimales != b.ChiffreDecimales || a.Compteur != b.Compteur ||
        a.ModeRadian != b.ModeRadian || a.NbEchantillons != b.NbEchantillons)
        return false;
    const double da[] = {a.DernierX, a.Tampon,  a.FacteurAngle, a.SommeX,  a.SommeY,
                         a.SommeX2,  a.SommeY2, a.SommeXY,      a.EcartXX, a.EcartYY,
                         a.EcartXY,  a.Pente,   a.Ordonnee};
    const double db[] = {b.DernierX, b.Tampon,  b.FacteurAngle, b.SommeX,  b.SommeY,
                         b.SommeX2,  b.SommeY2, b.SommeXY,      b.EcartXX, b.EcartYY,
                         b.EcartXY,  b.Pente,   b.Ordonnee};
    if (std::memcmp(da, db, sizeof da) != 0 ||
        std::memcmp(a.Registres.data(), b.Registres.data(), sizeof a.Registres) != 0)
        return false;
    for (std::size_t i = 0; i < a.Pile.size(); ++i)
        if (!memeCellule(a.Pile[i], b.Pile[i])) return false;
    return a.FormatAffichage == b.FormatAffichage && a.Chaine == b.Chaine &&
           a.Caractere == b.Caractere;
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
