// The paste reader as data rows, copies read back, the journal's lines, the walk back
// through a full history, and what the session tells a front end after each event.
#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "Collage.h"
#include "session/Session.h"

using namespace tarvex;

namespace {

TEST(Collage, LecturesEtRefus)
{
    const std::string un64(64, '1');
    // clang-format off
    const std::pair<std::string, double> lus[] = {
        // blanks around, signs; groups of three in the integer part, separators mixed
        {" \t\r\n 42 \u00A0\u202F", 42}, {"+5", 5}, {"\u22125", -5}, {"-0", -0.0},
        {"1 234", 1234}, {"1\u00A0234\u202F567'890", 1234567890},
        // "." and ",": the last of both, one alone once, or several times
        {"1,234", 1.234}, {"1.234", 1.234}, {"1.234.567", 1234567}, {"1,234,567.5", 1234567.5},
        {"1.234.567,5", 1234567.5}, {".5", 0.5}, {"5.", 5}, {"-,5", -0.5},
        // exponent, 64 characters, the largest double, underflow to the nearest double
        {"2,5e\u22122", 0.025}, {"1E+3", 1000}, {" " + un64 + " ", 1.1111111111111111e63},
        {"1.7976931348623157e308", DBL_MAX}, {"1.7976931348623158e308", DBL_MAX},
        {"1e-400", 0.0}, {"-1e-400", -0.0}, {"3e-324", 5e-324}, {"2e-324", 0.0}};
    const std::string refus[] = {
        "", " \u00A0", "- 5", "+-5", "5-", "1234 567", "12 34", "1  234", " 1 234,567 8", "1\t234",
        "1,23,4", "1.5,3", "1.234,5.6", ".", "1.2.3", "1e", "e3", "1e3.5", "1e 3", "1e3e3",
        "\u0661\u0662", "12a", "0x10", un64 + "1", "1.7976931348623159e308", "-1e400"};
    // clang-format on
    for (const auto& [texte, valeur] : lus) {
        const std::optional<double> lu = lireCollage(texte);
        EXPECT_TRUE(lu && std::bit_cast<std::uint64_t>(*lu) == std::bit_cast<std::uint64_t>(valeur))
            << texte << " read " << lu.value_or(-1);
    }
    for (const std::string& texte : refus) EXPECT_FALSE(lireCollage(texte)) << texte;
}

// Every copied number pastes back as itself or as its 15-digit rounding, and copies again
// as the same text: the largest doubles of each sign, the smallest, random ones.
TEST(Collage, CopieRelue)
{
    std::vector<double> nombres{-0.0, DBL_MIN, std::nextafter(DBL_MIN, 0.0)};
    for (double v = DBL_MAX, i = 0; i < 5; ++i, v = std::nextafter(v, 0.0))
        nombres.insert(nombres.end(), {v, -v, (i + 1) * 5e-324, -(i + 1) * 5e-324});
    for (std::mt19937_64 g(12); nombres.size() < 20000;)
        if (const double v = std::bit_cast<double>(g()); std::isfinite(v)) nombres.push_back(v);
    Session s;
    const auto x = [&s] { return s.etat().Pile[IdxX].nombreBrut(); };
    for (double v : nombres) {
        char t[32];
        s.coller(std::string(t, std::to_chars(t, t + 32, v).ptr)); // v, exactly
        const std::string copie = s.copier();
        double arrondi = 0; // the 15-digit rounding, as the C++ library writes and reads it
        std::from_chars(t, std::to_chars(t, t + 32, v, std::chars_format::scientific, 14).ptr,
                        arrondi);
        ASSERT_TRUE(x() == v && s.coller(copie) && (x() == v || x() == arrondi) &&
                    s.copier() == copie)
            << copie << " for " << v;
    }
}

// The journal names each key as pressed. (Its ring of 10,000 lines, and a clear after the ring
// has turned, are checked through the window's list of it, in the window's tests.)
TEST(Journal, UneLigneParEvenementEnregistreEtParRetour)
{
    Session s;
    for (char c : std::string("1f2f\tX")) s.appuyer(c); // Tab beeps: no line
    s.cliquer(*Session::controle("cmdCos"));            // pressed as "sx", shown as "Cos"
    s.appuyer(13);
    s.coller("abc");
    s.coller(" 1 234,5\n");
    s.appuyer(27);
    s.annuler();
    s.retablir();
    EXPECT_EQ(s.journal().texte(), "1\t1\nf\t1\n2\t2\nf\t2\nX\t2\nsx\t7.0710678E-01\n"
                                   "Entrée\t0.0000000E+00\nColler 1 234,5\t1.2345000E+03\n"
                                   "Échap\t1.2345000E+03\nAnnuler\t1.2345000E+03\n"
                                   "Rétablir\t1.2345000E+03\n");
}

TEST(Historique, CentPasGardesLesPlusAnciensOublies)
{
    Session s;
    for (int i = 0; i < 105; ++i) s.appuyer(i % 2 ? '+' : '1'); // 1+1+...: 105 steps
    int annules = 0;
    while (s.annuler()) ++annules;
    // back to the state after the fifth event: 1+1+ and the entry 1; the 101st undo beeps
    EXPECT_EQ(std::tuple(annules, s.bips(), s.affichage(), s.etat().Pile[IdxX].nombreBrut(),
                         s.retablissables()),
              std::tuple(100, 1, std::string("1"), 2.0, 100));
}

// The notification names the controls an event changed (or undo put back), and counts its
// beeps, manual requests and journal lines; the window redraws and beeps from it alone.
TEST(Session, CeQueChaqueEvenementChange)
{
    Session s;
    std::vector<std::string> vus;
    s.ecouter([&](const Changements& c) {
        std::string v;
        for (IdControle id : c.controles) v += std::string(Session::definition(id).nom) + ' ';
        v += "focus=" + std::to_string(c.focus) + " bips=" + std::to_string(c.bips) +
             " manuels=" + std::to_string(c.manuels) + " journal=" + std::to_string(c.journal);
        vus.push_back(v);
    });
    s.appuyer('7');
    s.cliquer(*Session::controle("cmdFixe"));
    s.appuyer('\t');
    s.doubleCliquer(*Session::controle("OLE1"));
    s.coller("x");
    s.annuler();
    // The decimals prompt: the display, the format labels, the digits and E coloured; undo
    // puts back the same controls and the focus.
    const std::string prompt = "lblResultat lblscien lblfixe cmdChiffre(0) cmdChiffre(1) "
                               "cmdChiffre(2) cmdChiffre(3) cmdChiffre(4) cmdChiffre(5) "
                               "cmdChiffre(6) cmdChiffre(7) cmdChiffre(8) cmdChiffre(9) "
                               "cmdPuissance focus=1 bips=0 manuels=0 journal=1";
    const std::vector<std::string> attendus = {
        "lblResultat focus=0 bips=0 manuels=0 journal=1",
        prompt,
        "focus=0 bips=1 manuels=0 journal=0",
        "focus=0 bips=0 manuels=1 journal=0",
        "focus=0 bips=1 manuels=0 journal=0",
        prompt,
    };
    EXPECT_EQ(vus, attendus);
    EXPECT_EQ(s.libelleFormat(), "scientifique");
    EXPECT_EQ(Session::definition(s.focus()).nom, "cmdEnter");
}

} // namespace
