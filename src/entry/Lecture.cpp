// The entry line read as a number, strictly: the grammar is checked here and the
// conversion itself is std::from_chars, which ignores the locale.
#include "entry/Lecture.h"

#include <charconv>
#include <cstddef>
#include <system_error>

#include "core/Echec.h"

namespace tarvex {

namespace {

bool chiffre(char c) { return c >= '0' && c <= '9'; }

[[noreturn]] void refuser() { throw Echec(Defaut::TexteNonNombre); }

} // namespace

double lireEntree(std::string_view texte)
{
    const std::size_t n = texte.size();
    std::size_t i = 0;
    const bool negatif = i < n && texte[i] == '-';
    i += negatif;

    // Mantissa: digits with at most one point, at least one digit.
    std::size_t chiffres = 0;
    bool point = false;
    bool significatif = false;   // a non-zero digit was met
    long long entiers = 0;       // digits before the point, from the first non-zero one
    long long zerosFraction = 0; // zeros after the point, before the first non-zero digit
    for (; i < n; ++i) {
        const char c = texte[i];
        if (chiffre(c)) {
            ++chiffres;
            significatif = significatif || c != '0';
            if (!point && significatif) {
                ++entiers;
            } else if (point && !significatif) {
                ++zerosFraction;
            }
        } else if (c == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (chiffres == 0) {
        refuser();
    }
    // Decimal exponent of the first non-zero digit, before the "E" part.
    const long long ordre = entiers > 0 ? entiers - 1 : -(zerosFraction + 1);

    // Exponent: "E", a sign, at least one digit.
    long long exposant = 0;
    if (i < n) {
        if (texte[i] != 'E' || i + 1 >= n || (texte[i + 1] != '+' && texte[i + 1] != '-')) {
            refuser();
        }
        const bool exposantNegatif = texte[i + 1] == '-';
        i += 2;
        const std::size_t debut = i;
        for (; i < n && chiffre(texte[i]); ++i) {
            if (exposant < 100000) {
                exposant = exposant * 10 + (texte[i] - '0');
            }
        }
        if (i == debut || i != n) {
            refuser();
        }
        if (exposantNegatif) {
            exposant = -exposant;
        }
    }

    double v = 0;
    const auto res = std::from_chars(texte.data(), texte.data() + n, v, std::chars_format::general);
    if (res.ec == std::errc::result_out_of_range) {
        // Beyond the largest double fails; below the smallest subnormal rounds to zero.
        if (significatif && ordre + exposant >= 0) {
            refuser();
        }
        return negatif ? -0.0 : 0.0;
    }
    if (res.ec != std::errc() || res.ptr != texte.data() + n) {
        refuser();
    }
    return v;
}

} // namespace tarvex
