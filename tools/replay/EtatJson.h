// The calculator state and the control model as one line of JSON, written with the standard
// library alone: numbers by core/Nombres.h, so that nothing depends on the locale.
#pragma once

#include "session/Session.h"

#include <string>
#include <string_view>

namespace tarvex::replay {

// Appends a double: the shortest form that reads back to the same double ("7", "0.1",
// "1e+300"), -0.0 for negative zero, and for a value that is not finite the strings
// "Infinity", "-Infinity" and "NaN".
void nombreJson(double v, std::string& sortie);

// Appends a text as a JSON string; a byte that is not part of well-formed UTF-8 becomes
// U+FFFD.
void texteJson(std::string_view texte, std::string& sortie);

// Replaces `sortie` by the whole state, without a line end: the record, the controls,
// focus, beeps and manual requests, the clipboard (what the last copy gave), the depths of
// undo and redo, localeNumeric (the LC_NUMERIC locale the run uses), and annonce (what a
// screen reader is told of the last event).
void etatJson(const Session& session, std::string_view pressePapier, std::string_view localeNumeric,
              std::string& sortie);

} // namespace tarvex::replay
