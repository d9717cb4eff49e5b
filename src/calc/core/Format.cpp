// Number formatting without the C locale: every digit comes from the conversions of
// core/Nombres.h.
#include "core/Format.h"

#include <algorithm>
#include <cassert>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstring>

#include "core/Nombres.h"

namespace tarvex {

namespace {

constexpr int Significatifs = 15;

// |v| rounded to 15 significant digits: chiffres[0] is the digit of weight 10^exposant.
// Zero gives fifteen '0' and exposant 0.
struct Decimal {
    char chiffres[Significatifs];
    int exposant;

    char chiffre(int i) const { return i >= 0 && i < Significatifs ? chiffres[i] : '0'; }
    bool nul() const { return chiffres[0] == '0'; }

    // Keeps the first n digits (0 <= n < 15), rounding the rest half away from zero;
    // a carry out of the first digit renormalises to 1 followed by zeros.
    void arrondir(int n)
    {
        const bool plus = chiffres[n] >= '5';
        std::memset(chiffres + n, '0', static_cast<std::size_t>(Significatifs - n));
        if (!plus) {
            return;
        }
        int i = n - 1;
        while (i >= 0 && chiffres[i] == '9') {
            chiffres[i--] = '0';
        }
        if (i >= 0) {
            ++chiffres[i];
        } else {
            chiffres[0] = '1';
            ++exposant;
        }
    }
};

Decimal decomposer(double v)
{
    assert(std::isfinite(v));
    // "d.ddddddddddddddde+XX": the conversion rounds correctly from the exact binary value.
    char tampon[32];
    const char* fin = nombres::ecrireScientifique(tampon, std::fabs(v), Significatifs - 1);
    Decimal d;
    d.chiffres[0] = tampon[0];
    std::memcpy(d.chiffres + 1, tampon + 2, Significatifs - 1);
    const char* p = tampon + Significatifs + 1; // the 'e'
    const bool negatif = p[1] == '-';
    int e = 0;
    for (p += 2; p < fin; ++p) {
        e = e * 10 + (*p - '0');
    }
    d.exposant = negatif ? -e : e;
    return d;
}

char* ecrireEntier(char* p, unsigned n) { return std::to_chars(p, p + 10, n).ptr; }

// What the pattern asks for, found by the same walk as the writing.
struct Motif {
    int zerosEntiers = 0; // '0' positions before the point: minimum integer digits
    int decimales = 0;    // digit positions after the point
    int decimalesMin = 0; // positions up to the last '0' after the point: always shown
    bool scientifique = false;
    bool signeToujours = false; // "E+": the exponent's sign is written even when positive
    int chiffresExposant = 0;   // minimum exponent digits
};

enum class Etat { Entier, Fraction, Fini };

bool estPosition(char c) { return c == '0' || c == '#'; }

bool debutExposant(std::string_view m, std::size_t i)
{
    return (m[i] == 'E' || m[i] == 'e') && i + 1 < m.size() && (m[i + 1] == '+' || m[i + 1] == '-');
}

Motif analyser(std::string_view m)
{
    Motif r;
    Etat etat = Etat::Entier;
    for (std::size_t i = 0; i < m.size(); ++i) {
        const char c = m[i];
        if (etat == Etat::Fini) {
            break;
        }
        if (debutExposant(m, i)) {
            r.scientifique = true;
            r.signeToujours = m[i + 1] == '+';
            for (i += 2; i < m.size() && estPosition(m[i]); ++i) {
                r.chiffresExposant += m[i] == '0';
            }
            etat = Etat::Fini;
        } else if (etat == Etat::Entier) {
            if (c == '0') {
                ++r.zerosEntiers;
            } else if (c == '.') {
                etat = Etat::Fraction;
            }
        } else if (estPosition(c)) {
            ++r.decimales;
            if (c == '0') {
                r.decimalesMin = r.decimales;
            }
        }
    }
    return r;
}

// |v| rounded for the pattern: to 15 significant digits, then to the pattern's decimals.
Decimal arrondi(double v, const Motif& motif)
{
    Decimal d = decomposer(v);
    if (motif.scientifique) {
        if (1 + motif.decimales < Significatifs) {
            d.arrondir(1 + motif.decimales);
        }
    } else {
        const int gardes = d.exposant + 1 + motif.decimales; // digits down to 10^-decimales
        if (gardes < 0) {
            std::memset(d.chiffres, '0', Significatifs);
        } else if (gardes < Significatifs) {
            d.arrondir(gardes);
        }
    }
    return d;
}

// The exponent's part: `e` ("E" or "e"), its sign ("-", or "+" when the pattern says "E+"),
// then its digits, at least as many as the pattern's '0's.
char* ecrireExposant(char* p, char e, int exposant, bool signeToujours, int chiffresMin)
{
    *p++ = e;
    if (exposant < 0) {
        *p++ = '-';
    } else if (signeToujours) {
        *p++ = '+';
    }
    char tampon[12];
    const char* fin =
        ecrireEntier(tampon, static_cast<unsigned>(exposant < 0 ? -exposant : exposant));
    for (int k = static_cast<int>(fin - tampon); k < chiffresMin; ++k) {
        *p++ = '0';
    }
    std::memcpy(p, tampon, static_cast<std::size_t>(fin - tampon));
    return p + (fin - tampon);
}

// Writes the rounded value d (of sign `negatif`) through the pattern m into p, which has
// room for 3 * m.size() + 320 characters; returns the end.
char* ecrire(const Decimal& d, bool negatif, const Motif& motif, std::string_view m, char* p)
{
    const bool nul = d.nul();
    // Digit of weight 10^0 is chiffre(origine); the fraction digit j (from 1) is
    // chiffre(origine + j).
    const int origine = motif.scientifique ? 0 : d.exposant;

    // Trailing zeros at '#' positions are dropped.
    int decimalesEcrites = motif.decimales;
    while (decimalesEcrites > motif.decimalesMin && d.chiffre(origine + decimalesEcrites) == '0') {
        --decimalesEcrites;
    }

    if (negatif) {
        *p++ = '-';
    }

    bool entierEcrit = false;
    auto ecrirePartieEntiere = [&] {
        if (entierEcrit) {
            return;
        }
        entierEcrit = true;
        const int significatifs = (nul || origine < 0) ? 0 : origine + 1;
        for (int i = significatifs; i < motif.zerosEntiers; ++i) {
            *p++ = '0';
        }
        for (int i = 0; i < significatifs; ++i) {
            *p++ = d.chiffre(i);
        }
    };

    Etat etat = Etat::Entier;
    int position = 0; // fraction positions met so far
    for (std::size_t i = 0; i < m.size(); ++i) {
        const char c = m[i];
        if (etat != Etat::Fini && debutExposant(m, i)) {
            ecrirePartieEntiere();
            p = ecrireExposant(p, c, motif.scientifique ? d.exposant : 0, m[i + 1] == '+',
                               motif.chiffresExposant);
            for (++i; i + 1 < m.size() && estPosition(m[i + 1]); ++i) {
            }
            etat = Etat::Fini;
        } else if (etat == Etat::Entier && estPosition(c)) {
            ecrirePartieEntiere();
        } else if (etat == Etat::Entier && c == '.') {
            ecrirePartieEntiere();
            *p++ = '.';
            etat = Etat::Fraction;
        } else if (etat == Etat::Fraction && estPosition(c)) {
            ++position;
            if (position <= decimalesEcrites) {
                *p++ = d.chiffre(origine + position);
            }
        } else {
            *p++ = c;
        }
    }
    ecrirePartieEntiere();
    return p;
}

char* formater(double v, std::string_view m, char* p)
{
    const Motif motif = analyser(m);
    return ecrire(arrondi(v, motif), v < 0, motif, m, p);
}

} // namespace

void formaterMotif(double v, std::string_view motif, std::string& sortie)
{
    constexpr std::size_t Capacite = 512;
    const std::size_t besoin = 3 * motif.size() + 320;
    if (besoin <= Capacite) {
        char tampon[Capacite];
        const char* fin = formater(v, motif, tampon);
        sortie.assign(tampon, static_cast<std::size_t>(fin - tampon));
    } else {
        std::string tampon(besoin, '\0');
        const char* fin = formater(v, motif, tampon.data());
        sortie.assign(tampon.data(), static_cast<std::size_t>(fin - tampon.data()));
    }
}

std::string formaterMotif(double v, std::string_view motif)
{
    std::string s;
    formaterMotif(v, motif, s);
    return s;
}

void texteGeneral(double v, std::string& sortie)
{
    const Decimal d = decomposer(v);
    char tampon[40];
    char* p = tampon;
    if (d.nul()) {
        sortie.assign(1, '0');
        return;
    }
    if (v < 0) {
        *p++ = '-';
    }
    int n = Significatifs;
    while (d.chiffres[n - 1] == '0') {
        --n;
    }
    const int e = d.exposant;
    if (e > -5 && e < 15) {
        if (e >= 0) {
            for (int i = 0; i <= e; ++i) {
                *p++ = d.chiffre(i);
            }
            if (n > e + 1) {
                *p++ = '.';
                std::memcpy(p, d.chiffres + e + 1, static_cast<std::size_t>(n - e - 1));
                p += n - e - 1;
            }
        } else {
            *p++ = '0';
            *p++ = '.';
            for (int i = -1; i > e; --i) {
                *p++ = '0';
            }
            std::memcpy(p, d.chiffres, static_cast<std::size_t>(n));
            p += n;
        }
    } else {
        *p++ = d.chiffres[0];
        if (n > 1) {
            *p++ = '.';
            std::memcpy(p, d.chiffres + 1, static_cast<std::size_t>(n - 1));
            p += n - 1;
        }
        p = ecrireExposant(p, 'E', e, true, 2);
    }
    sortie.assign(tampon, static_cast<std::size_t>(p - tampon));
}

std::string texteGeneral(double v)
{
    std::string s;
    texteGeneral(v, s);
    return s;
}

std::string texteCopie(double v)
{
    std::string s = texteGeneral(v);
    double relu;
    const auto lu = nombres::lire(s.data(), s.data() + s.size(), relu);
    // Beyond the range only: a text too small would still read as the nearest subnormal.
    if (lu.ec != std::errc::result_out_of_range || std::fabs(v) < 1) return s;
    char tampon[32];
    char* fin = nombres::ecrireCourtScientifique(tampon, v);
    *std::find(tampon, fin, 'e') = 'E';
    return std::string(tampon, fin);
}

std::string texteEntier(int v)
{
    char tampon[16];
    const auto res = std::to_chars(tampon, tampon + sizeof tampon, v);
    return std::string(tampon, res.ptr);
}

} // namespace tarvex
