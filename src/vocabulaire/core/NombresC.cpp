// The conversions of Nombres.h through the C library, for a standard library that lacks
// std::to_chars and std::from_chars for doubles. snprintf and strtod round correctly, so the
// digits are those the standard's functions give; what is left to do here is the standard's
// choice of the shortest digits and of their notation. musl's snprintf and strtod take one or
// two microseconds in WebAssembly, as long as the rest of a key press: the numbers a
// calculator meets most are converted here exactly with integers instead, and the C
// library's functions take the others.
#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
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
// The decimal digits of n, at least `chiffres` of them, written by hand: WebAssembly's
// standard library is built without optimisation, and WebAssembly divides 64-bit integers
// slowly, so the digits come eight at a time from 32-bit parts.
char* ecrireDecimal(char* p, std::uint64_t n, int chiffres = 1)
{
    char t[24];
    int k = 0;
    for (; n >= 100000000; n /= 100000000) {
        auto bas = static_cast<std::uint32_t>(n % 100000000);
        for (int i = 0; i < 8; ++i, bas /= 10) t[k++] = static_cast<char>('0' + bas % 10);
    }
    for (auto haut = static_cast<std::uint32_t>(n); haut != 0 || k == 0; haut /= 10)
        t[k++] = static_cast<char>('0' + haut % 10);
    while (k < chiffres) t[k++] = '0';
    while (k > 0) *p++ = t[--k];
    return p;
}

char* ecrireExposant(char* p, int e)
{
    *p++ = 'e';
    *p++ = e < 0 ? '-' : '+';
    return ecrireDecimal(p, static_cast<std::uint64_t>(e < 0 ? -e : e), 2);
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

__extension__ typedef unsigned __int128 Entier128;

// 5^k for k <= 55, the largest below 2^128.
constexpr int CinqMax = 55;
constexpr auto PuissancesDeCinq = [] {
    std::array<Entier128, CinqMax + 1> t{};
    t[0] = 1;
    for (int k = 1; k <= CinqMax; ++k) t[k] = t[k - 1] * 5;
    return t;
}();

// 10^k for k <= 17: a 17-digit count fits in 64 bits.
constexpr auto PuissancesDeDix = [] {
    std::array<Entier128, 18> t{};
    t[0] = 1;
    for (std::size_t k = 1; k < t.size(); ++k) t[k] = t[k - 1] * 10;
    return t;
}();

int bitsDe(Entier128 x)
{
    const auto haut = static_cast<std::uint64_t>(x >> 64);
    return haut != 0 ? 64 + std::bit_width(haut) : std::bit_width(static_cast<std::uint64_t>(x));
}

// a * b exactly, as hi + lo: Dekker's product, from the halves of each factor.
struct Produit {
    double hi, lo;
};
Produit produitExact(double a, double b)
{
    const auto couper = [](double x, double& haut, double& bas) {
        const double c = 134217729.0 * x; // 2^27 + 1
        haut = c - (c - x);
        bas = x - haut;
    };
    double ah, al, bh, bl;
    couper(a, ah, al);
    couper(b, bh, bl);
    const double p = a * b;
    return {p, ((ah * bh - p) + ah * bl + al * bh) + al * bl};
}

// The first estimate of v's decimal exponent, from its binary one: floor(log10(2) * (q +
// bits - 1)), e or one less (78913 / 2^18 is log10(2) to 6 digits).
int estimation(std::uint64_t m, int q)
{
    return static_cast<int>((static_cast<long>(q) + std::bit_width(m) - 1) * 78913 >> 18);
}

// The digits of chiffresExacts for most numbers, without 128-bit integers: where 10^(p - e)
// is a double (p - e from 0 to 22) and the count stays below 2^52, v * 10^(p - e) is exactly
// hi + lo, and rounding it to an integer compares doubles exactly.
bool chiffresRapides(double v, int p, std::uint64_t m, int q, std::uint64_t& n, int& e)
{
    static constexpr double Dix[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                     1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                     1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    const auto min = static_cast<std::uint64_t>(PuissancesDeDix[static_cast<std::size_t>(p)]);
    e = estimation(m, q);
    for (int essai = 0; essai < 3; ++essai) {
        const int k = p - e;
        if (k < 0 || k > 22) return false;
        const Produit x = produitExact(v, Dix[k]);
        if (x.hi >= 0x1p52) return false;
        const double f = std::floor(x.hi);
        if (f >= static_cast<double>(10 * min)) {
            ++e;
            continue;
        }
        // hi + lo against f + 1/2, exactly: (hi - f) - 1/2 and -lo are both doubles.
        const double d = (x.hi - f) - 0.5;
        auto arrondi = static_cast<std::uint64_t>(f);
        if (d > -x.lo || (d == -x.lo && (arrondi & 1) != 0)) ++arrondi;
        if (arrondi < min) {
            --e;
            continue;
        }
        if (arrondi == 10 * min) arrondi = min, ++e;
        n = arrondi;
        return true;
    }
    return false;
}

// The p + 1 significant digits of v (finite, positive), rounded to nearest with ties to
// even: v = n * 10^(e - p). Exact, with 128-bit integers: v = m * 2^q, and n is
// m * 5^k * 2^(q + k) rounded, with k = p - e. False where a term would not fit.
bool chiffresExacts(double v, int p, std::uint64_t& n, int& e)
{
    const std::uint64_t b = bits(v);
    const int exposant = static_cast<int>(b >> 52);
    const std::uint64_t m =
        (b & ((std::uint64_t{1} << 52) - 1)) | (exposant != 0 ? std::uint64_t{1} << 52 : 0);
    const int q = (exposant != 0 ? exposant : 1) - 1075;
    if (p <= 15 && chiffresRapides(v, p, m, q, n, e)) return true;
    const Entier128 min = PuissancesDeDix[static_cast<std::size_t>(p)], dix = min * 10;
    e = estimation(m, q);
    for (int essai = 0; essai < 3; ++essai) {
        const int k = p - e, s = q + k;
        if (k > CinqMax || -k > CinqMax) return false;
        Entier128 a = m;
        if (k >= 0) {
            if (bitsDe(a) + bitsDe(PuissancesDeCinq[k]) > 127) return false;
            a *= PuissancesDeCinq[k];
        }
        // a / d, d being 5^-k * 2^-s: a shift where it is a power of two (numbers below
        // 10^(p + 1), most of them), a division (slow in WebAssembly) otherwise.
        Entier128 quotient, reste, d;
        if (k >= 0 && s < 0) {
            if (-s > 127) return false;
            d = Entier128{1} << -s;
            quotient = a >> -s;
            reste = a & (d - 1);
        } else {
            d = k < 0 ? PuissancesDeCinq[-k] : 1;
            if (s >= 0) {
                if (bitsDe(a) + s > 127) return false;
                a <<= s;
            } else {
                if (bitsDe(d) - s > 127) return false;
                d <<= -s;
            }
            quotient = a / d;
            reste = a % d;
        }
        // The estimate of e is off by one where v is near a power of ten: once more.
        if (quotient < min) {
            --e;
            continue;
        }
        if (quotient >= dix) {
            ++e;
            continue;
        }
        if (reste > d - reste || (reste == d - reste && (quotient & 1) != 0)) ++quotient;
        if (quotient == dix) quotient = min, ++e;
        n = static_cast<std::uint64_t>(quotient);
        return true;
    }
    return false;
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
    std::uint64_t chiffres = 0;
    int e = 0;
    if (decimales <= 16 && std::isfinite(v) &&
        (v == 0 || chiffresExacts(std::fabs(v), decimales, chiffres, e))) {
        if (std::signbit(v)) *p++ = '-';
        char c[24] = {};
        const char* fin = ecrireDecimal(c, chiffres);
        *p++ = c[0];
        if (decimales > 0) *p++ = '.';
        // Zero has one digit: the others are zeros too.
        const auto suite = static_cast<std::size_t>(fin - c - 1);
        std::memcpy(p, c + 1, suite);
        std::memset(p + suite, '0', static_cast<std::size_t>(decimales) - suite);
        return ecrireExposant(p + decimales, e);
    }
    char t[64];
    const int n = std::snprintf(t, sizeof t, "%.*e", decimales, v);
    std::memcpy(p, t, static_cast<std::size_t>(n));
    return p + n;
}

namespace {

// The fewest digits of v (finite, positive) that read back. The nearest ones fail, yet the
// next ones up read back, where the double below v is nearer than the one above (v a power
// of two).
Chiffres plusCourts(double v)
{
    char t[40];
    const auto relu = [&t] {
        double r = 0;
        lire(t, t + std::strlen(t), r);
        return r;
    };
    for (int precision = 0;; ++precision) {
        *ecrireScientifique(t, v, precision) = '\0';
        const double lu = relu();
        if (lu == v) break;
        if (lu < v) {
            augmenter(t);
            if (relu() == v) break;
        }
    }
    return decomposer(t);
}

char* ecrireEnScientifique(char* p, const Chiffres& d)
{
    *p++ = d.c[0];
    if (d.n > 1) *p++ = '.';
    std::memcpy(p, d.c + 1, static_cast<std::size_t>(d.n - 1));
    return ecrireExposant(p + d.n - 1, d.exposant);
}

} // namespace

char* ecrireCourtScientifique(char* p, double v)
{
    if (std::signbit(v)) *p++ = '-';
    v = std::fabs(v);
    if (v == 0) {
        *p++ = '0';
        return ecrireExposant(p, 0);
    }
    return ecrireEnScientifique(p, plusCourts(v));
}

char* ecrireCourt(char* p, double v)
{
    if (std::signbit(v)) *p++ = '-';
    v = std::fabs(v);
    if (v == 0) {
        *p++ = '0';
        return p;
    }
    const Chiffres d = plusCourts(v);
    const int e = d.exposant;

    // Fixed notation when it is no longer than the scientific one.
    const int scientifique = d.n + (d.n > 1) + 2 + chiffresExposant(e);
    const int fixe = e >= d.n - 1 ? e + 1 : e >= 0 ? d.n + 1 : d.n + 1 - e;
    if (fixe > scientifique) return ecrireEnScientifique(p, d);
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
    // At most 15 significant digits and a power of ten up to 10^22: both are doubles, and
    // one product or quotient rounds correctly.
    std::uint64_t entier = 0;
    int significatifs = 0, apresPoint = 0;
    bool point = false;
    const char* q = debut + (*debut == '-');
    for (; q != p && *q != 'e' && *q != 'E'; ++q) {
        if (*q == '.') {
            point = true;
            continue;
        }
        if (significatifs == 0 && *q == '0') {
            apresPoint += point;
            continue;
        }
        if (++significatifs <= 15) entier = entier * 10 + static_cast<unsigned>(*q - '0');
        apresPoint += point;
    }
    long exposant = 0;
    if (q != p) {
        ++q;
        const bool negatif = *q == '-';
        q += *q == '-' || *q == '+';
        for (; q != p; ++q) exposant = std::min(exposant * 10 + (*q - '0'), 100000L);
        if (negatif) exposant = -exposant;
    }
    const long puissance = exposant - apresPoint;
    if (significatifs <= 15 && puissance >= -22 && puissance <= 22) {
        static constexpr double Dix[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                         1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                         1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
        const auto x = static_cast<double>(entier);
        v = puissance >= 0 ? x * Dix[puissance] : x / Dix[-puissance];
        if (*debut == '-') v = -v;
        return {p, std::errc{}};
    }
    const std::string texte(debut, p);
    const double lu = std::strtod(texte.c_str(), nullptr);
    if (std::isinf(lu) || (lu == 0 && nonNul)) return {p, std::errc::result_out_of_range};
    v = lu;
    return {p, std::errc{}};
}

} // namespace tarvex::nombres::libc
