// The session: the one door through which the front ends (the window, tarvex-replay, the
// tests) reach the calculator. Events go in; the state record, the control model, the undo
// history and the journal come out. One session per window; it never blocks and owns no
// thread: each call runs to completion.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "core/Controles.h"
#include "core/Etat.h"
#include "session/Journal.h"

namespace tarvex {

class Session {
public:
    // A calculator as the window opens it, with an empty history and an empty journal.
    Session();
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // --- Events ------------------------------------------------------------------------
    // An event that changes the state record, a control or the focus becomes one step of
    // the undo history and one line of the journal, and empties the redo list; an event
    // that changes none of them (a beep, the manual's double click) is neither.

    // A mouse click on a control, from the window's buttons and tarvex-replay's `click`.
    // Returns false, doing nothing, for a control that takes no click (accepteClic).
    bool cliquer(Ctl c);
    // A double click, from the manual's icon (and F1). Only OLE1 has one: false elsewhere.
    bool doubleCliquer(Ctl c);
    // One key press by the code point of its character (13 for Return, 27 for Escape, 8 for
    // Backspace), from the window's key events and tarvex-replay's `key` and `type`.
    void appuyer(std::int32_t code);
    // The clipboard's text pasted (Ctrl+V, `paste`). It is read by lireCollage and accepted
    // only when the calculator waits for no prefix's key (ModeNormal): an entry in progress
    // goes onto the stack, the stack is lifted and X takes the number. Otherwise one beep and
    // nothing else: no step, no journal line, the redo list kept. True when accepted.
    bool coller(std::string_view texte);

    // The text Ctrl+C puts on the clipboard: during an entry the main display's caption (the
    // entry, or a message written over it), otherwise X as texteNiveau writes it. Changes
    // nothing: no beep, no focus, no step.
    std::string copier() const;
    // Stack level `niveau` (IdxY0 to IdxX) as text: a number in the stack labels' general
    // form (15 significant digits, ".", zero without a sign), a message as written.
    std::string texteNiveau(int niveau) const;

    // Ctrl+Z and Ctrl+Shift+Z: take back the last step, or bring back the last step taken
    // back: the whole state record and every control, focus included (the counts of beeps
    // and manual requests stay). Each is a journal line ("Annuler", "Rétablir") but no step.
    // With nothing to take or bring back: one beep, and false.
    bool annuler();
    bool retablir();
    // How many steps annuler() and retablir() can still take back and bring back (at most
    // 100 in all).
    int annulables() const;
    int retablissables() const;

    // --- State out ---------------------------------------------------------------------
    // What the front ends mirror after every call: the record and the control model
    // (captions, tooltips, visibility, enabled state, colours, selection, focus, and the
    // counts of beeps and manual requests the window plays).
    const EtatCalculatrice& etat() const;
    const ModeleControles& controles() const;

    // The journal, for the window's journal list; effacerJournal() is its "Effacer".
    const Journal& journal() const;
    void effacerJournal();

private:
    struct Interieur;
    // After an event: records it if it changed anything, with its journal line (what was
    // pressed: `prefixe` then `touche`).
    void conclure(std::string_view prefixe, std::string_view touche);
    bool revenir(bool arriere); // annuler() or retablir()

    std::unique_ptr<Interieur> d_;
};

} // namespace tarvex
