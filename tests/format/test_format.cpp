// Number formatting, entry reading, the conversions of doubles and UTF-8 cutting.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "core/Echec.h"
#include "core/Format.h"
#include "core/Nombres.h"
#include "core/Utf8.h"
#include "entry/Lecture.h"

using namespace tarvex;

namespace {

constexpr std::string_view Defaut7 = "0.0000000E+00";
constexpr std::string_view Court = "+0.0#####E+00";
constexpr std::string_view Quatorze = "0.00000000000000";

// clang-format off
const std::tuple<double, std::string_view, std::string_view> lignesMotif[] = {
    {1234.5, Defaut7, "1.2345000E+03"}, {-0.00012, "0.00000E+00", "-1.20000E-04"},
    {0, Defaut7, "0.0000000E+00"}, {-0.0, Defaut7, "0.0000000E+00"}, {7, Defaut7, "7.0000000E+00"},
    {9.999999999, Defaut7, "1.0000000E+01"}, {1E+100, Defaut7, "1.0000000E+100"},
    {5e-324, Defaut7, "4.9406565E-324"}, {1.7976931348623157e308, Defaut7, "1.7976931E+308"},
    {0.00001234, "0.00000E+00", "1.23400E-05"}, {-9.5, "0.E+00", "-1.E+01"},
    {2, Court, "+2.0E+00"}, {1234.5, Court, "+1.2345E+03"}, {-1.5, Court, "-+1.5E+00"},
    {12.5, Court, "+1.25E+01"}, {0, Court, "+0.0E+00"}, {1.0000001, Court, "+1.0E+00"},
    {1234.5, "0.00E-00", "1.23E03"}, {0.01, "0.0E-00", "1.0E-02"},
    {3.147, "0.00", "3.15"}, {1.005, "0.00", "1.01"}, {0.125, "0.00", "0.13"},
    {99.995, "0.00", "100.00"}, {-0.0, "0.00", "0.00"}, {-0.0001, "0.00", "-0.00"},
    {123456789.123456789, "0.00", "123456789.12"}, {1e20, "0.00", "100000000000000000000.00"},
    {2.5, "0.", "3."}, {0.5, "0.", "1."}, {0.4, "0.", "0."}, {-0.5, "0.", "-1."}, {0.05, "0.", "0."},
    {3.4, "0.", "3."}, {0.1, Quatorze, "0.10000000000000"}, {1.0 / 3, Quatorze, "0.33333333333333"},
    {2.0 / 3, Quatorze, "0.66666666666667"}, {1e-15, Quatorze, "0.00000000000000"},
    {-6e-15, Quatorze, "-0.00000000000001"}, {0.5, "0.0#", "0.5"}, {5, ".00", "5.00"}, {0.5, ".00", ".50"}, {5, "00.0", "05.0"},
};
// clang-format on

TEST(Format, MotifEtGeneral)
{
    for (const auto& [v, motif, attendu] : lignesMotif)
        EXPECT_EQ(formaterMotif(v, motif), attendu) << "v=" << v << " motif=" << motif;
    // clang-format off
    const std::pair<double, std::string_view> lignes[] = {
        {0.0001, "0.0001"}, {0.00001, "1E-05"}, {123456789012345, "123456789012345"},
        {1E15, "1E+15"}, {-2.5E20, "-2.5E+20"}, {1.5E-7, "1.5E-07"}, {0.5, "0.5"}, {2, "2"},
        {1E100, "1E+100"}, {0, "0"}, {-0.0, "0"}, {-7, "-7"}, {0.1 + 0.2, "0.3"},
        {3.14159265358979, "3.14159265358979"}, {1234567.891, "1234567.891"},
        {999999999999999.9, "1E+15"}, {5e-324, "4.94065645841247E-324"},
        {1.7976931348623157e308, "1.79769313486232E+308"}, {0.000123, "0.000123"},
        {-0.000123456789012345678, "-0.000123456789012346"}, {100, "100"},
    };
    // clang-format on
    for (const auto& [v, attendu] : lignes) EXPECT_EQ(texteGeneral(v), attendu) << "v=" << v;
}

TEST(Lecture, Entree)
{
    const std::string minuscule = "0." + std::string(400, '0') + "1E+2",
                      enorme = "1" + std::string(400, '0') + "E-5";
    // clang-format off
    const std::tuple<std::string_view, bool, double> lignes[] = {
        {minuscule, true, 0}, {enorme, false, 0},
        {"5.", true, 5}, {".5", true, 0.5}, {"-.5", true, -0.5}, {"0.", true, 0}, {"-0", true, -0.0},
        {"1E+0", true, 1}, {"-3.1E+012", true, -3.1e12}, {"12E+05", true, 1.2e6}, {"0.1", true, 0.1},
        {"1E-0400", true, 0}, {"1E-330", true, 0}, {"-1E-400", true, -0.0}, {"3E-324", true, 5e-324},
        {"1E-310", true, 1e-310}, {"0.00001E+310", true, 1e305}, {"17976931348623157E+292", true, 1.7976931348623157e308},
        {"00000000000000000000001E-5", true, 1e-5}, {"0E+99999999999", true, 0},
        {"1.7976931348623158E+308", true, 1.7976931348623157e308}, {"1.797693134862316E+308", false, 0},
        {"1E+999", false, 0}, {"1E+309", false, 0}, {"-1E+309", false, 0}, {"1000E+306", false, 0},
        {"12E+", false, 0}, {"12E5", false, 0}, {"12e+5", false, 0}, {"-", false, 0}, {"-.", false, 0},
        {".", false, 0}, {"", false, 0}, {"+1", false, 0}, {" 1", false, 0}, {"1 ", false, 0},
        {"1.2.3", false, 0}, {"--1", false, 0}, {"1E+5x", false, 0}, {"E+5", false, 0},
        {"Pile Stat Vide", false, 0}, {"Nb d\xC3\xA9" "cimale?...", false, 0}, {"inf", false, 0}, {"nan", false, 0},
        {"0x10", false, 0}, {"1,5", false, 0},
    };
    // clang-format on
    for (const auto& [texte, lu, valeur] : lignes) {
        try {
            const double v = lireEntree(texte);
            EXPECT_TRUE(lu && nombres::bits(v) == nombres::bits(valeur))
                << '"' << texte << "\" read as " << v;
        } catch (const Echec& e) {
            EXPECT_TRUE(!lu && e.defaut() == Defaut::TexteNonNombre) << '"' << texte << "\" failed";
        }
    }
}

// The C library's way (WebAssembly's, where the standard library lacks the conversions of
// doubles) gives the standard library's texts and values, bit for bit: the powers of two and
// of ten with their neighbours (where the shortest digits are not the nearest ones), random
// doubles of every binade, and random decimal texts, complete or not.
TEST(Nombres, LaBibliothequeCEcritEtLitCommeLaStandard)
{
#if !defined(__cpp_lib_to_chars)
    GTEST_SKIP() << "only the C library's way here: tarvex-nombres compares it with the native";
#endif
    constexpr double Infini = std::numeric_limits<double>::infinity();
    // clang-format off
    std::vector<double> valeurs{0.0, -0.0, 1e21, 1e22, 1e23, 9007199254740993.0, 0.3,
                                123456789012345680000.0, std::numeric_limits<double>::max()};
    // clang-format on
    const auto voisins = [&](double p) {
        for (double v : {p, std::nextafter(p, 0.0), std::nextafter(p, Infini)})
            valeurs.insert(valeurs.end(), {v, -v});
    };
    for (int k = -1074; k <= 1023; ++k) voisins(std::ldexp(1.0, k));
    for (int k = -323; k <= 308; ++k) voisins(std::pow(10.0, k));
    std::mt19937_64 hasard(17);
    // The magnitudes a calculator meets most, converted exactly with integers...
    for (int i = 0; i < 30000; ++i)
        valeurs.push_back(static_cast<double>(hasard() >> 11) * 0x1p-53 *
                          std::pow(10.0, static_cast<int>(hasard() % 64) - 24));
    // ...and any double.
    while (valeurs.size() < 90000)
        if (const double v = nombres::depuisBits(hasard()); std::isfinite(v)) valeurs.push_back(v);

    const auto texte = [](char* debut, char* fin) { return std::string(debut, fin); };
    const auto lu = [](const std::string& t, double(&v)[2]) {
        v[0] = v[1] = 0.5;
        const auto a = nombres::lire(t.data(), t.data() + t.size(), v[0]);
        const auto b = nombres::libc::lire(t.data(), t.data() + t.size(), v[1]);
        return a.ec == b.ec && a.ptr == b.ptr && nombres::bits(v[0]) == nombres::bits(v[1]);
    };
    int fautes = 0;
    for (double v : valeurs) {
        char a[64], b[64];
        std::string t = texte(a, nombres::ecrireCourt(a, v));
        bool pareil = t == texte(b, nombres::libc::ecrireCourt(b, v)) &&
                      texte(a, nombres::ecrireCourtScientifique(a, v)) ==
                          texte(b, nombres::libc::ecrireCourtScientifique(b, v));
        for (int d : {0, 1, 6, 14, 16})
            pareil = pareil && texte(a, nombres::ecrireScientifique(a, v, d)) ==
                                   texte(b, nombres::libc::ecrireScientifique(b, v, d));
        double lus[2];
        pareil = pareil && lu(t, lus) && lus[0] == v;
        EXPECT_TRUE(pareil || ++fautes > 10) << "v=" << t;
    }
    // Random texts: a sign, up to 25 digits around a point, an exponent up to 400, and each
    // cut short at a random place.
    for (int i = 0; i < 20000; ++i) {
        std::string t = hasard() % 4 ? "" : "-";
        for (auto n = hasard() % 26; n > 0; --n) t += static_cast<char>('0' + hasard() % 10);
        if (hasard() % 2) t.insert(t.size() - (hasard() % (t.size() + 1)) / 2, ".");
        if (hasard() % 2)
            t += "eE"[hasard() % 2] + std::string(hasard() % 2 ? "-" : "+") +
                 std::to_string(hasard() % 401);
        double lus[2];
        EXPECT_TRUE((lu(t, lus) && lu(t.substr(0, hasard() % (t.size() + 1)), lus)) ||
                    ++fautes > 10)
            << '"' << t << '"';
    }
}

TEST(Utf8, DecoupageLongueurEtValidite)
{
    // 'g' gauche, 'd' droite, 'c' caractere; "é" is two bytes, "€" three, "😀" four.
    // clang-format off
    const std::tuple<char, std::string_view, int, std::string_view> lignes[] = {
        {'g', "h\xC3\xA9llo", 2, "h\xC3\xA9"}, {'g', "abc", 9, "abc"}, {'g', "abc", 0, ""}, {'g', "abc", -1, ""},
        {'d', "a\xE2\x82\xAC" "b", 2, "\xE2\x82\xAC" "b"}, {'d', "abc", 5, "abc"}, {'d', "abc", 0, ""},
        {'c', "x\xF0\x9F\x98\x80y", 2, "\xF0\x9F\x98\x80"}, {'c', "abc", 3, "c"}, {'c', "abc", 4, ""},
        {'c', "abc", 0, ""}, {'c', "", 1, ""},
        // Malformed: each invalid byte is one character, and a truncated sequence never runs past the end.
        {'c', "a\xE2\x82", 2, "\xE2"}, {'c', "a\xE2\x82", 3, "\x82"}, {'d', "\xF0\x9F\x98", 1, "\x98"}, {'c', std::string_view("a\xE2\x82\xAC", 3), 2, "\xE2"},
        {'g', "\xC0\xAFz", 2, "\xC0\xAF"}, {'c', "\xED\xA0\x80", 1, "\xED"},
    };
    // clang-format on
    for (const auto& [f, texte, n, attendu] : lignes) {
        const std::string_view lu = f == 'g'   ? utf8::gauche(texte, n)
                                    : f == 'd' ? utf8::droite(texte, n)
                                               : utf8::caractere(texte, n);
        EXPECT_EQ(lu, attendu) << f << "(\"" << texte << "\", " << n << ")";
    }
    // clang-format off
    const std::tuple<std::string_view, int, bool> validite[] = {
        {"", 0, true}, {"abc", 3, true}, {"h\xC3\xA9", 2, true}, {"\xE2\x82\xAC", 1, true},
        {"\xF4\x8F\xBF\xBF", 1, true}, {"\xEF\xBF\xBF", 1, true},
        {"\xC0\xAF", 2, false}, {"\xE0\x80\xAF", 3, false}, {"\xF0\x80\x80\xAF", 4, false}, // overlong
        {"\xED\xA0\x80", 3, false}, {"\xF4\x90\x80\x80", 4, false}, {"\xF5\x80\x80\x80", 4, false},
        {"\x80", 1, false}, {"a\xC3", 2, false}, {"\xFF", 1, false},
    };
    // clang-format on
    for (const auto& [texte, longueur, valide] : validite)
        EXPECT_TRUE(utf8::longueur(texte) == longueur && utf8::valide(texte) == valide)
            << '"' << texte << '"';
}

} // namespace
