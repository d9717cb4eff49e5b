// Text functions of the entry line that count characters, not bytes, and clamp like
// classic string functions: a position beyond the text gives the empty string.
#pragma once

#include <string>
#include <string_view>

namespace tarvex::utf8 {

// Number of characters (code points) of a UTF-8 text.
int longueur(std::string_view s);
// The first n characters (all of them when n exceeds the length, none when n <= 0).
std::string_view gauche(std::string_view s, int n);
// The last n characters.
std::string_view droite(std::string_view s, int n);
// Character number i, counted from 1; empty when i is outside 1..longueur(s).
std::string_view caractere(std::string_view s, int i);
// True when s is well-formed UTF-8.
bool valide(std::string_view s);

} // namespace tarvex::utf8
