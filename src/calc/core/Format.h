// The number-formatting service: a double through a display pattern, the general text
// form of the stack labels, and 16-bit integers. Independent of the locale: "." always.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tarvex {

// Writes v through a pattern such as "0.0000000E+00", "0.00", "0." or "+0.0#####E+00".
// The value is first rounded to 15 significant digits, then to the pattern's decimals,
// an exact half of that 15-digit decimal going away from zero. A negative value gets
// "-" in front of the whole result; zero (negative zero included) has no sign.
// v must be finite.
void formaterMotif(double v, std::string_view motif, std::string& sortie);
std::string formaterMotif(double v, std::string_view motif);

// The general text form of a stack label: 15 significant digits, trailing zeros removed,
// plain decimal when the decimal exponent e satisfies -5 < e < 15, otherwise a mantissa,
// "E", a sign and at least two exponent digits ("1E+15", "1.5E-07"). v must be finite.
void texteGeneral(double v, std::string& sortie);
std::string texteGeneral(double v);

// The text a copy puts on the clipboard: texteGeneral's, except where those 15 digits lie
// beyond the largest double (the four largest doubles of each sign), which could not be read
// back: there the shortest digits that read back as v, in the same form
// ("1.7976931348623157E+308"). v must be finite.
std::string texteCopie(double v);

// The decimal text of a 16-bit integer: "-" when negative, no leading blank or zero.
std::string texteEntier(int v);

} // namespace tarvex
