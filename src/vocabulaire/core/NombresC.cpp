// The conversions of Nombres.h through the C library, for a standard library that lacks
// std::to_chars and std::from_chars for doubles. snprintf and strtod round correctly, so the
// digits are those the standard's functions give; what is left to do here is the standard's
// choice of the shortest digits and of their notation.
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "core/Nombres.h"

namespace tarvex::nombres::libc {

namespace {

bool chiffre(char c) { return c >= '0' && c <= '9'; }

// The digits of "d.ddde+XX" (no sign) without their trailing zeros, and its exponent.
struct Chiffres {
    char c[20];
    int n;
    int exposant;
};

Chiffres decomposer(const char* t)
{
    Chiffres d{};
    for (const char* p = t; *p != 'e'; ++p)
        if (chiffre(*p)) d.c[d.n++] = *p;
    while (d.n > 1 && d.c[d.n - 1] == '0') --d.n;
    d.exposant = std::atoi(std::strchr(t, 'e') + 1);
    return d;
}

// "e", the exponent's sign and at least two digits, as printf's "%e" writes them.
char* ecrireExposant(char* p, int e)
{
    *p++ = 'e';
    *p++ = e < 0 ? '-' : '+';
    const auto r = std::to_chars(p + (e > -10 && e < 10), p + 4, e < 0 ? -e : e);
    if (e > -10 && e < 10) *p = '0';
    return r.ptr;
}

// Adds one to the last digit of "d.ddde+XX" in place ("9.9e+00" gives "1.0e+01").
void augmenter(char* t)
{
    char* e = std::strchr(t, 'e');
    char* p = e - 1;
    for (; p >= t; --p) {
        if (!chiffre(*p)) continue;
        if (*p != '9') {
            ++*p;
            return;
        }
        *p = '0';
    }
    t[0] = '1'; // every digit carried: 10.00 is 1.000 times ten
    *ecrireExposant(e, std::atoi(e + 1) + 1) = '\0';
}

int chiffresExposant(int e)
{
    int n = 1;
    for (e = e < 0 ? -e : e; e >= 10; e /= 10) ++n;
    return n < 2 ? 2 : n;
}

} // namespace

char* ecrireScientifique(char* p, double v, int decimales)
{
    char t[64];
    const int n = std::snprintf(t, sizeof t, "%.*e", decimales, v);
    std::memcpy(p, t, static_cast<std::size_t>(n));
    return p + n;
}

char* ecrireCourt(char* p, double v)
{
    if (std::signbit(v)) *p++ = '-';
    v = std::fabs(v);
    if (v == 0) {
        *p++ = '0';
        return p;
    }
    // The fewest digits that read back. The nearest ones fail, yet the next ones up read
    // back, where the double below v is nearer than the one above (v a power of two).
    char t[40];
    for (int precision = 0;; ++precision) {
        std::snprintf(t, sizeof t, "%.*e", precision, v);
        const double lu = std::strtod(t, nullptr);
        if (lu == v) break;
        if (lu < v) {
            augmenter(t);
            if (std::strtod(t, nullptr) == v) break;
        }
    }
    const Chiffres d = decomposer(t);
    const int e = d.exposant;

    // Fixed notation when it is no longer than the scientific one.
    const int scientifique = d.n + (d.n > 1) + 2 + chiffresExposant(e);
    const int fixe = e >= d.n - 1 ? e + 1 : e >= 0 ? d.n + 1 : d.n + 1 - e;
    if (fixe > scientifique) {
        *p++ = d.c[0];
        if (d.n > 1) *p++ = '.';
        std::memcpy(p, d.c + 1, static_cast<std::size_t>(d.n - 1));
        p += d.n - 1;
        return ecrireExposant(p, e);
    }
    if (e >= d.n - 1) // an integer: all its digits, as "%.0f" writes them
        return p + std::snprintf(p, 32, "%.0f", v);
    if (e >= 0) {
        std::memcpy(p, d.c, static_cast<std::size_t>(e + 1));
        p += e + 1;
        *p++ = '.';
        std::memcpy(p, d.c + e + 1, static_cast<std::size_t>(d.n - e - 1));
        return p + d.n - e - 1;
    }
    *p++ = '0';
    *p++ = '.';
    for (int i = -1; i > e; --i) *p++ = '0';
    std::memcpy(p, d.c, static_cast<std::size_t>(d.n));
    return p + d.n;
}

std::from_chars_result lire(const char* debut, const char* fin, double& v)
{
    // The longest number at the start: the sign, the digits and the point, then an exponent
    // only when it is whole.
    const char* p = debut;
    if (p != fin && *p == '-') ++p;
    int chiffres = 0;
    bool nonNul = false;
    for (bool point = false; p != fin && (chiffre(*p) || (*p == '.' && !point)); ++p) {
        if (*p == '.') {
            point = true;
            continue;
        }
        ++chiffres;
        nonNul = nonNul || *p != '0';
    }
    if (chiffres == 0) return {debut, std::errc::invalid_argument};
    if (p != fin && (*p == 'e' || *p == 'E')) {
        const char* q = p + 1;
        if (q != fin && (*q == '+' || *q == '-')) ++q;
        if (q != fin && chiffre(*q)) {
            while (q != fin && chiffre(*q)) ++q;
            p = q;
        }
    }
    const std::string texte(debut, p);
    const double lu = std::strtod(texte.c_str(), nullptr);
    if (std::isinf(lu) || (lu == 0 && nonNul)) return {p, std::errc::result_out_of_range};
    v = lu;
    return {p, std::errc{}};
}

} // namespace tarvex::nombres::libc
