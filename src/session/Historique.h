// Undo and redo: the last 100 events that changed the calculator, each kept as only what it
// changed. Used by the session alone.
#pragma once

#include <array>
#include <utility>
#include <vector>

#include "core/Controles.h"
#include "core/Etat.h"

namespace tarvex {

// Two state records alike in every field, bit for bit (0.0 and -0.0 differ). A cell is a
// number or a text: only the one it holds counts.
bool memeEtat(const EtatCalculatrice& a, const EtatCalculatrice& b);

class Historique {
public:
    static constexpr int Profondeur = 100; // steps kept; the oldest goes first

    // The history starts empty, with the calculator as it is as its recorded state.
    Historique(const EtatCalculatrice& e, const ModeleControles& v);

    // After an event: true when the state record, a control or the focus differs from the
    // recorded state. Looks only at the controls that v marks as written, and forgets the
    // marks. When true, enregistrer() must follow before anything else changes.
    bool change(const EtatCalculatrice& e, ModeleControles& v);
    // Records the event that change() found: its step empties the redo list, and beyond
    // Profondeur steps the oldest one goes.
    void enregistrer(const EtatCalculatrice& e, const ModeleControles& v);
    // A control as recorded: until enregistrer(), as it was before the event.
    const EtatControle& enregistre(Ctl c) const { return controles_[indice(c)]; }

    // Takes back the last recorded step, or brings back the last one taken back, into e and
    // v (beeps and manual requests aside). False when there is none.
    bool annuler(EtatCalculatrice& e, ModeleControles& v);
    bool retablir(EtatCalculatrice& e, ModeleControles& v);
    int annulables() const { return curseur_; }
    int retablissables() const { return taille_ - curseur_; }

private:
    // Recorded state number k of the history: the state record after event k, and what
    // event k changed in the controls and the focus, on one side of it: the values before
    // the event while it can be undone, those after it while it can be redone (undo and
    // redo swap them with the recorded controls). State 0 has no event.
    struct Etape {
        EtatCalculatrice etat;
        std::vector<std::pair<Ctl, EtatControle>> controles; // the first nbControles count
        std::size_t nbControles = 0; // (the others keep their memory for a later event)
        Ctl focus = Ctl::cmdEnter;
    };
    Etape& etape(int k) { return etapes_[static_cast<std::size_t>((debut_ + k) % Anneau)]; }
    void echanger(Etape& p, ModeleControles& v);

    static constexpr int Anneau = Profondeur + 1; // 100 steps join 101 states

    // A ring of taille_ + 1 states from debut_; state curseur_ is the recorded state.
    std::vector<Etape> etapes_;
    int debut_ = 0, taille_ = 0, curseur_ = 0;
    // The recorded controls and focus.
    std::array<EtatControle, NbControles> controles_;
    Ctl focus_;

    // What change() found.
    std::array<Ctl, NbControles> changes_{};
    std::size_t nbChanges_ = 0;
};

} // namespace tarvex
