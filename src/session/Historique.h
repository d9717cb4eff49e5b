// Undo and redo: the last 100 events that changed the calculator, each kept as only what it
// changed. The session's own part, not its door (the fuzz target also checks states with
// memeEtat). Once the ring is full its steps are reused in place, their lists and strings
// keeping their memory: an event allocates only when a step receives more controls or a longer
// text than it ever held, so the memory is bounded by the ring's size times the largest step
// (tarvex-bench measures both, docs/performance.md).
#pragma once

#include <span>
#include <utility>
#include <vector>

#include "core/Calculatrice.h"

namespace tarvex {

// Two state records alike in every field of ChampsEtat, bit for bit (0.0 and -0.0 differ). A
// cell is a number or a text: only the one it holds counts.
bool memeEtat(const EtatCalculatrice& a, const EtatCalculatrice& b);

class Historique {
public:
    static constexpr int Profondeur = 100; // steps kept; the oldest goes first

    // The history starts empty, with the calculator as it is as its recorded state.
    explicit Historique(const Calculatrice& calc);

    // After an event: true when the state record, a control or the focus differs from the
    // recorded state. Looks only at the controls that the calculator marks as written, and
    // forgets the marks. When true, enregistrer() must follow before anything else changes.
    bool change(Calculatrice& calc);
    // Records the event that change() found: its step empties the redo list, and beyond
    // Profondeur steps the oldest one goes.
    void enregistrer(const Calculatrice& calc);
    // A control as recorded: until enregistrer(), as it was before the event.
    const EtatControle& enregistre(Ctl c) const { return controles_[indice(c)]; }
    // The controls that the last change(), annuler() or retablir() found changed or put back.
    std::span<const Ctl> changes() const { return {changes_.data(), nbChanges_}; }

    // Takes back the last recorded step, or brings back the last one taken back, into the
    // calculator (beeps and manual requests aside). False when there is none.
    bool annuler(Calculatrice& calc);
    bool retablir(Calculatrice& calc);
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
    void echanger(Etape& p, Calculatrice& calc);

    static constexpr int Anneau = Profondeur + 1; // 100 steps join 101 states

    // A ring of taille_ + 1 states from debut_; state curseur_ is the recorded state.
    std::vector<Etape> etapes_;
    int debut_ = 0, taille_ = 0, curseur_ = 0;
    // The recorded controls and focus.
    std::vector<EtatControle> controles_;
    Ctl focus_;

    // What change() found, or what undo or redo put back.
    std::vector<Ctl> changes_;
    std::size_t nbChanges_ = 0;
};

} // namespace tarvex
