// The replay script: its lines read into a list of calculator events, checked as a whole
// before anything runs.
#pragma once

#include "core/Controles.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

// One event; a `type` line gives one Touche per character, all with its line number.
struct Evenement {
    Verbe verbe;
    int ligne;
    Ctl controle = Ctl::cmdEnter; // Clic, DoubleClic
    std::int32_t code = 0;        // Touche; for Coller, its text in Script::textes
};

struct Script {
    std::vector<Evenement> evenements;
    std::vector<std::string> textes; // the texts of the `paste` lines
    int nbDumps = 0;
};

// The first bad line: its number (from 1) and what is wrong with it.
struct ErreurScript {
    int ligne;
    std::string message;
};

struct Lecture {
    Script script;
    std::optional<ErreurScript> erreur; // when set, the script must not run
};

Lecture lireScript(std::string_view texte);

// The character code of the argument of `key`: one UTF-8 character, a key name
// (Return, Escape, Backspace, Tab, Space) or U+XXXX. Nothing for anything else.
std::optional<std::int32_t> codeTouche(std::string_view argument);

// The code points of a UTF-8 text; nothing when the text is not well-formed UTF-8
// (overlong forms, surrogates and values beyond U+10FFFF included).
std::optional<std::vector<char32_t>> decoderUtf8(std::string_view texte);

} // namespace tarvex::replay
