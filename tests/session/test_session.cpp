// The paste reader as data rows, the journal's lines, and the walk back through a full history.
#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cstdint>
#include <optional>
#include <string>

#include "session/Collage.h"
#include "session/Session.h"

using namespace tarvex;

namespace {

constexpr std::optional<double> Refus;

TEST(Collage, LecturesEtRefus)
{
    const std::string chiffres64(64, '1');
    const struct {
        std::string texte;
        std::optional<double> valeur;
    } lignes[] = {
        // blanks around, signs, nothing between the sign and the number
        {" \t\r\n 42 \u00A0\u202F", 42},
        {"+5", 5},
        {"\u22125", -5},
        {"-0", -0.0},
        {"- 5", Refus},
        {"+-5", Refus},
        {"5-", Refus},
        {"", Refus},
        {" \u00A0", Refus},
        // groups of three in the integer part, separators of every kind mixed
        {"1 234", 1234},
        {"1\u00A0234\u202F567'890", 1234567890},
        {"1234 567", Refus},
        {"12 34", Refus},
        {"1  234", Refus},
        {" 1 234,567 8", Refus},
        {"1\t234", Refus},
        // "." and ","
        {"1,234", 1.234},
        {"1.234", 1.234},
        {"1.234.567", 1234567},
        {"1,234,567.5", 1234567.5},
        {"1.234.567,5", 1234567.5},
        {"1,23,4", Refus},
        {"1.5,3", Refus},
        {"1.234,5.6", Refus},
        {".5", 0.5},
        {"5.", 5},
        {"-,5", -0.5},
        {".", Refus},
        {"1.2.3", Refus},
        // exponent
        {"2,5e\u22122", 0.025},
        {"1E+3", 1000},
        {"1e", Refus},
        {"e3", Refus},
        {"1e3.5", Refus},
        {"1e 3", Refus},
        {"1e3e3", Refus},
        // ASCII digits only, 64 characters at most
        {"\u0661\u0662", Refus},
        {"12a", Refus},
        {"0x10", Refus},
        {" " + chiffres64 + " ", 1.1111111111111111e63},
        {chiffres64 + "1", Refus},
        // the double range: the largest double, overflow refused, underflow to the nearest
        {"1.7976931348623157e308", DBL_MAX},
        {"1.7976931348623158e308", DBL_MAX},
        {"1.7976931348623159e308", Refus},
        {"-1e400", Refus},
        {"1e-400", 0.0},
        {"-1e-400", -0.0},
        {"3e-324", 5e-324},
        {"2e-324", 0.0},
    };
    for (const auto& [texte, valeur] : lignes) {
        const std::optional<double> lu = lireCollage(texte);
        EXPECT_EQ(lu.has_value(), valeur.has_value()) << texte;
        if (lu && valeur) {
            EXPECT_EQ(std::bit_cast<std::uint64_t>(*lu), std::bit_cast<std::uint64_t>(*valeur))
                << texte << " read " << *lu;
        }
    }
}

TEST(Journal, UneLigneParEvenementEnregistreEtParRetour)
{
    Session s;
    for (char c : std::string("1f2f\tX")) s.appuyer(c); // Tab beeps: no line
    s.cliquer(Ctl::cmdCos);                             // pressed as "sx", shown as "Cos"
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
    for (int i = 0; i < 10005; ++i) s.appuyer(i % 2 ? '+' : '1');
    EXPECT_EQ(s.journal().taille(), Journal::Capacite);
    EXPECT_EQ(s.journal()[0].touche, "+"); // the 16 lines above and the first 5 are gone
    s.effacerJournal();
    EXPECT_EQ(s.journal().taille(), 0u);
}

TEST(Historique, CentPasGardesLesPlusAnciensOublies)
{
    Session s;
    for (int i = 0; i < 105; ++i) s.appuyer(i % 2 ? '+' : '1'); // 1+1+...: 105 steps
    Session cinq;
    for (char c : std::string("1+1+1")) cinq.appuyer(c);
    int annules = 0;
    while (s.annuler()) ++annules;
    EXPECT_EQ(annules, 100);
    EXPECT_EQ(s.controles().bips(), 1);
    EXPECT_EQ(s.controles()[Ctl::lblResultat].legende, cinq.controles()[Ctl::lblResultat].legende);
    EXPECT_EQ(s.etat().Pile[IdxX].nombreBrut(), cinq.etat().Pile[IdxX].nombreBrut());
    EXPECT_EQ(s.retablissables(), 100);
}

} // namespace
