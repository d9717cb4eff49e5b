// The entry line read as a number, strictly: the grammar is checked here and the
// conversion itself is nombres::lire, which ignores the locale.
#include "entry/Lecture.h"

#include <cstddef>
#include <optional>
#include <system_error>

#include "core/Echec.h"
#include "core/Nombres.h"

namespace tarvex {

namespace {

bool chiffre(char c) { return c >= '0' && c <= '9'; }

[[noreturn]] void refuser() { throw Echec(Defaut::TexteNonNombre); }

// The mantissa from texte[i]: digits with at most one point, at least one digit. Returns
// the decimal exponent of its first non-zero digit (nothing when it has none), i moved past
// it.
std::optional<long long> lireMantisse(std::string_view texte, std::size_t& i)
{
    std::size_t chiffres = 0;
    bool point = false;
    bool significatif = false;   // a non-zero digit was met
    long long entiers = 0;       // digits before the point, from the first non-zero one
    long long zerosFraction = 0; // zeros after the point, before the first non-zero digit
    for (; i < texte.size(); ++i) {
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
    if (!significatif) {
        return std::nullopt;
    }
    return entiers > 0 ? entiers - 1 : -(zerosFraction + 1);
}

// The exponent from texte[i] to the end: nothing, or "E", a sign, at least one digit (its
// value held below 100000, which is already beyond any double).
long long lireExposant(std::string_view texte, std::size_t i)
{
    const std::size_t n = texte.size();
    if (i == n) {
        return 0;
    }
    if (texte[i] != 'E' || i + 1 >= n || (texte[i + 1] != '+' && texte[i + 1] != '-')) {
        refuser();
    }
    const bool negatif = texte[i + 1] == '-';
    i += 2;
    const std::size_t debut = i;
    long long exposant = 0;
    for (; i < n && chiffre(texte[i]); ++i) {
        if (exposant < 100000) {
            exposant = exposant * 10 + (texte[i] - '0');
        }
    }
    if (i == debut || i != n) {
        refuser();
    }
    return negatif ? -exposant : exposant;
}

} // namespace

double lireEntree(std::string_view texte)
{
    std::size_t i = 0;
    const bool negatif = texte.starts_with('-');
    i += negatif;
    const std::optional<long long> ordre = lireMantisse(texte, i);
    const long long exposant = lireExposant(texte, i);

    double v = 0;
    const auto res = nombres::lire(texte.data(), texte.data() + texte.size(), v);
    if (res.ec == std::errc::result_out_of_range) {
        // Beyond the largest double fails; below the smallest subnormal rounds to zero.
        if (ordre && *ordre + exposant >= 0) {
            refuser();
        }
        return negatif ? -0.0 : 0.0;
    }
    if (res.ec != std::errc() || res.ptr != texte.data() + texte.size()) {
        refuser();
    }
    return v;
}

} // namespace tarvex
