// The replay script: its lines read one at a time into calculator events. The driver reads a
// script twice: once to check it whole before anything runs, storing nothing, and once to
// run its events; memory never depends on the number of events. Either reading may see the
// script in pieces (a file read from its start again, a pipe's text kept in memory).
#pragma once

#include "session/Session.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tarvex::replay {

enum class Verbe : std::uint8_t {
    Clic,
    DoubleClic,
    Touche,
    Dump,
    Copie,
    Coller,
    Annuler,
    Retablir
};

// One event; a `type` line gives one Touche per character.
struct Evenement {
    Verbe verbe;
    IdControle controle = SansControle; // Clic, DoubleClic
    std::int32_t code = 0;              // Touche
    std::string_view texte;             // Coller: the text pasted
    std::uint64_t ligne = 0;            // its line in the script, from 1
};

// The first bad line: its number (from 1) and what is wrong with it.
struct ErreurScript {
    std::uint64_t ligne;
    std::string message;
};

using Visiteur = std::function<void(const Evenement&)>;

// Reads a script that may arrive in pieces: each call to lire() reads the lines that are
// complete in `texte` (the script so far; later calls see it longer), gives their events to
// `visiteur` (if any) in order, and stops at the first bad line.
class Lecteur {
public:
    // An incomplete line is first looked at once it is `premierExamen` bytes long, then each
    // time its length has doubled, so that an endless line costs linear time.
    explicit Lecteur(std::size_t premierExamen = 4096)
        : premierExamen_(premierExamen), examen_(premierExamen)
    {}

    // `fin`: texte is the whole script, so its last line needs no line end. Before that, a
    // line still incomplete is already refused when what has come of it can lead to no valid
    // line (an unknown command, a bad argument, a name longer than any, a CR inside it), with
    // the message its whole line would get, so that an endless bad line ends the reading.
    std::optional<ErreurScript> lire(std::string_view texte, bool fin,
                                     const Visiteur& visiteur = {});
    std::uint64_t nbDumps() const { return dumps_; }
    // How many bytes of the text are complete lines read; oublier(n) says that the first n of
    // them are gone from the text that later calls see (n <= lu()).
    std::size_t lu() const { return debut_; }
    void oublier(std::size_t n)
    {
        debut_ -= n;
        recherche_ = recherche_ > n ? recherche_ - n : 0;
    }

private:
    std::size_t premierExamen_;
    std::size_t debut_ = 0;     // where the first line not yet read starts
    std::size_t recherche_ = 0; // where the search for its line end goes on
    std::size_t examen_;        // its length when it is next looked at
    std::uint64_t ligne_ = 0;   // lines read so far
    std::uint64_t dumps_ = 0;
};

// Plays one event other than Dump on the session; a copy puts its text into pressePapier.
void jouer(Session& session, const Evenement& ev, std::string& pressePapier);

// The character code of the argument of `key`: one UTF-8 character, a key name
// (Return, Escape, Backspace, Tab, Space) or U+XXXX. Nothing for anything else.
std::optional<std::int32_t> codeTouche(std::string_view argument);

// A text of the script as an error message shows it, between quotes, so that what it shows
// is what the script holds: a byte that is not UTF-8 and a control character as \xNN, an
// invisible or format character (a mark that reorders the line, a zero-width space, a byte
// order mark...) as \u{XXXX}, a backslash doubled; beyond 80 characters cut, with "…".
std::string cite(std::string_view texte);

} // namespace tarvex::replay
