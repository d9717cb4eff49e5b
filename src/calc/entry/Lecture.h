// Reading the entry line as a number: a strict, locale-independent conversion.
#pragma once

#include <string_view>

namespace tarvex {

// Reads an optional "-", digits with at most one "." (at least one digit in all), and an
// optional exponent "E", a sign and at least one digit. Anything else, or a value beyond
// the largest double, fails with Echec(Defaut::TexteNonNombre). A value too small for a
// double becomes the nearest double (zero or subnormal).
double lireEntree(std::string_view texte);

} // namespace tarvex
