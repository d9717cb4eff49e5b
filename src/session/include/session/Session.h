// The session: the one door through which the front ends (the window, tarvex-replay, the
// bench, the tests) reach the calculator, and the only folder of headers the build gives them.
// Events go in; the state record, the controls, the undo history and the journal come out,
// and after each event a notification says what changed. One session per window; it never
// blocks and owns no thread: each call runs to completion.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Controle.h"
#include "core/Etat.h"
#include "session/Journal.h"

namespace tarvex {

// What one event changed, as the session tells it after the event: a front end redraws the
// controls named, moves the focus, beeps and opens the manual as often as said, and brings
// its view of the journal up to date.
struct Changements {
    std::vector<IdControle> controles; // caption, tooltip, visibility, enabled state, colour
                                       // or selection differ from before the event
    bool focus = false;                // the focus moved
    int bips = 0;                      // beeps the event sounded
    int manuels = 0;                   // times the event asked for the manual
    bool journal = false;              // the event added a line to the journal
    // What a screen reader is told of the event, empty for nothing; every front end says the
    // same. Where the main display shows X through the display pattern, or is blank, X as its
    // stack line writes it ("15", not "1.5000000E+01"); otherwise the display's own text
    // ("Division par 0", "Sauve...A-Z", a register line). Nothing while the display shows
    // the entry being typed (the screen reader echoes the keys), after an event that beeped
    // (the beep is the answer) or that asked for the manual. After an undo or a redo, the
    // display whatever it shows, the entry included.
    std::string annonce;
};

class Session {
public:
    // A calculator as the window opens it, with an empty history and an empty journal.
    Session();
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // --- The controls by design, the same in every session ------------------------------
    // A control is known by its number, 0 to nombreControles() - 1, the order in which a
    // front end builds them (parents first); a front end finds it by the control's name and
    // never writes the number itself.
    static Taille tailleFenetre(); // the inside of the window, in twips
    static int nombreControles();
    static std::optional<IdControle> controle(std::string_view nom); // "cmdChiffre(3)"
    // The design row: name, kind, parent, geometry in twips, font, design colours, whether
    // the control paints its background, and its design caption, tooltip and state.
    static const DefinitionControle& definition(IdControle c);
    // Buttons and option buttons take a click; only the manual's icon (OLE1) a double click.
    static bool accepteClic(IdControle c);
    static bool accepteDoubleClic(IdControle c);

    // --- Events ------------------------------------------------------------------------
    // An event that changes the state record, a control or the focus becomes one step of
    // the undo history and one line of the journal, and empties the redo list; an event
    // that changes none of them (a beep, the manual's double click) is neither. After each
    // one, even one that changes nothing, the listener hears what changed (ecouter).

    // A mouse click on a control, from the window's buttons and tarvex-replay's `click`.
    // Returns false, doing nothing, for a control that takes no click (accepteClic).
    bool cliquer(IdControle c);
    // A double click, from the manual's icon (and F1). Only OLE1 has one: false elsewhere.
    bool doubleCliquer(IdControle c);
    // One key press by the code point of its character (13 for Return, 27 for Escape, 8 for
    // Backspace), from the window's key events and tarvex-replay's `key` and `type`.
    void appuyer(std::int32_t code);
    // The clipboard's text pasted (Ctrl+V, `paste`). It is read as a number written the
    // French or the English way, and accepted only when the calculator waits for no prefix's
    // key: an entry in progress goes onto the stack, the stack is lifted and X takes the
    // number. Otherwise one beep and nothing else: no step, no journal line, the redo list
    // kept. True when accepted.
    bool coller(std::string_view texte);

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

    // The one listener told after each event; none by default.
    void ecouter(std::function<void(const Changements&)> ecouteur);
    // What the last event changed, for a front end that asks rather than listens.
    const Changements& changements() const;

    // --- What the calculator shows -----------------------------------------------------
    // The main display, and stack level `niveau` (IdxY0 to IdxX) as its line shows it.
    std::string_view affichage() const;
    std::string_view lignePile(int niveau) const;
    // The display format's label ("scientifique" or "Virgule fixe"), the count of decimals
    // beside it, and the angle unit's label ("radian", "Degré", "Grade").
    std::string_view libelleFormat() const;
    std::string_view decimales() const;
    std::string_view libelleAngle() const;

    // Each control as it is now, its French name for a screen reader (a key relabelled by
    // the statistics mode is named after its statistic), and the one that has the focus.
    const EtatControle& etat(IdControle c) const;
    std::string_view nomAccessible(IdControle c) const;
    IdControle focus() const;
    // How many beeps have sounded and how many times the manual was asked for, since the
    // start (undo and redo take neither back).
    long bips() const;
    long manuelsOuverts() const;

    // The display's menu as it is now: the submenus that reach every control without a key
    // (format, angle unit, functions, trigonometry, hyperbolic functions, corrections), each
    // item a click on its control (cliquer), named and checked as the controls show now.
    std::vector<SousMenu> menuControles() const;

    // The text Ctrl+C puts on the clipboard: during an entry the main display's caption (the
    // entry, or a message written over it), otherwise X as texteNiveau writes it. Changes
    // nothing: no beep, no focus, no step.
    std::string copier() const;
    // Stack level `niveau` (IdxY0 to IdxX) as a copy writes it: a number in the stack labels'
    // general form (15 significant digits, ".", zero without a sign) unless those digits lie
    // beyond the largest double, then the shortest digits that read back exactly
    // ("1.7976931348623157E+308"), so that coller() reads it back; a message as written.
    std::string texteNiveau(int niveau) const;

    // The state record, whole (tarvex-replay writes every field of it).
    const EtatCalculatrice& etat() const;

    // The journal, for the window's journal list; effacerJournal() is its "Effacer".
    const Journal& journal() const;
    void effacerJournal();

private:
    struct Interieur;
    // After an event: records it if it changed anything, with its journal line (what was
    // pressed: `prefixe` then `touche`), then tells the listener.
    void conclure(std::string_view prefixe, std::string_view touche);
    // Tells the listener what the event changed: the controls the history found changed or
    // put back (none when `compare` is false: the event was refused), and the focus, beeps,
    // manual requests and journal lines since the last time, and the announcement (`retour`:
    // after an undo or a redo).
    void annoncer(bool compare, bool retour = false);
    bool revenir(bool arriere); // annuler() or retablir()

    std::unique_ptr<Interieur> d_;
};

} // namespace tarvex
