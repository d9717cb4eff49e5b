// Reading a pasted text as a number, written the French way or the English way.
#pragma once

#include <optional>
#include <string_view>

namespace tarvex {

// The text without the blanks around it: spaces, tabs, CR, LF, U+00A0 and U+202F.
std::string_view sansBlancsAutour(std::string_view texte);

// The number that a pasted UTF-8 text writes, or nothing when it writes none. Called by the
// session for a paste; pure, so that every reading rule is tested on its own.
//
// Around the text, blanks are ignored. What remains (at most 64 characters) is an optional
// sign (+, - or U+2212) followed at once by digits (ASCII only) with at most one decimal
// sign, "." or ",", with a digit on at least one side; then an optional exponent: E or e,
// an optional sign, digits. The integer part may be cut into groups of three digits (the
// first group of one to three) by spaces, U+00A0, U+202F or apostrophes, in any mix, and by
// "." or ",": when both are present the last one is the decimal sign and the other one
// separates groups; one of them alone is the decimal sign when it occurs once ("1,234" is
// 1.234) and separates groups when it occurs several times. The value is the nearest double;
// a text beyond the largest double gives nothing, one below the smallest gives zero or the
// nearest subnormal.
std::optional<double> lireCollage(std::string_view texte);

} // namespace tarvex
