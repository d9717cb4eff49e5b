// Text functions that count characters, not bytes, and clamp like classic string functions
// (a position beyond the text gives the empty string); and the two small text jobs every
// layer shares: blanks cut off, a byte written in hexadecimal.
#pragma once

#include <cstddef>
#include <span>
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

// The code point that starts at byte i of s (i < s.size()), and i moved past it; for a byte
// that starts no well-formed sequence, Invalide, and i moved past that one byte.
constexpr char32_t Invalide = 0xFFFFFFFF;
char32_t lire(std::string_view s, std::size_t& i);
// Appends the UTF-8 form of code point p (at most U+10FFFF, no surrogate).
void ecrire(char32_t p, std::string& sortie);

// The text without the blanks at its ends (at the left, at the right, or both), a blank being
// any of the sequences of `blancs`.
std::string_view sansBlancs(std::string_view texte, std::span<const std::string_view> blancs,
                            bool gauche = true, bool droite = true);
// Appends a byte as two hexadecimal digits, upper case ("1F") or lower case ("1f").
void ajouterHex(unsigned char octet, std::string& sortie, bool minuscules = false);

} // namespace tarvex::utf8
