// The names a screen reader gives the controls of Affichage: French words for the captions
// that are symbols ("./.", "x^2", "AHsin"), one row per control in the order of Ctl. The keys
// that the statistics mode relabels carry a second name, that of the statistic they show,
// for as long as they show its caption.
#include "core/Controles.h"

namespace tarvex {

namespace {

struct Nom {
    Ctl id;
    std::string_view nom;
    std::string_view legendeStat = {}; // the caption the statistics mode gives the key
    std::string_view nomStat = {};     // the name while the key shows that caption
};

// clang-format off
constexpr std::array<Nom, NbControles> Noms{{
    {Ctl::Label6, "Pile"},
    {Ctl::Label1, "Y(0)"},
    {Ctl::Label2, "T"},
    {Ctl::Label3, "Z"},
    {Ctl::Label4, "Y"},
    {Ctl::Label5, "X"},
    {Ctl::lblResultat, "Affichage"},
    {Ctl::lbli, "Unité imaginaire"},
    {Ctl::lblCmplx, "Affichage complexe"},
    {Ctl::Frame1, "Affichage nombres"},
    {Ctl::cmdScient, "Scientifique"},
    {Ctl::cmdFixe, "Virgule fixe"},
    {Ctl::lblscien, "Format scientifique"},
    {Ctl::lblfixe, "Format virgule fixe"},
    {Ctl::lblChiffre, "Nombre de décimales"},
    {Ctl::cmdCmplx, "Complexe"},
    {Ctl::lblDecl, "Déclinaison"},
    {Ctl::lblEncl, "Enclenché"},
    {Ctl::Frame2, "Affichage angles"},
    {Ctl::Option1, "Radian"},
    {Ctl::Option2, "Degré"},
    {Ctl::Option3, "Grade"},
    {Ctl::lblDegRadGra, "Unité d'angle"},
    {Ctl::Frame3, "Pavé numérique"},
    {Ctl::cmdChiffre0, "Chiffre 0"},
    {Ctl::cmdChiffre1, "Chiffre 1"},
    {Ctl::cmdChiffre2, "Chiffre 2"},
    {Ctl::cmdChiffre3, "Chiffre 3"},
    {Ctl::cmdChiffre4, "Chiffre 4"},
    {Ctl::cmdChiffre5, "Chiffre 5"},
    {Ctl::cmdChiffre6, "Chiffre 6"},
    {Ctl::cmdChiffre7, "Chiffre 7"},
    {Ctl::cmdChiffre8, "Chiffre 8"},
    {Ctl::cmdChiffre9, "Chiffre 9"},
    {Ctl::cmdDecimale, "Point décimal"},
    {Ctl::cmdSigne, "Changement de signe", "r", "Coefficient de corrélation"},
    {Ctl::cmdPuissance, "Exposant", "m", "Pente de la droite"},
    {Ctl::cmdEnter, "Entrer", "x'", "Valeur de X connaissant Y"},
    {Ctl::cmdDiv, "Diviser"},
    {Ctl::cmdMul, "Multiplier"},
    {Ctl::cmdPlus, "Additionner"},
    {Ctl::cmdMoins, "Soustraire"},
    {Ctl::Frame4, "Fonctions supérieures"},
    {Ctl::cmdRacine, "Racine carrée de X", "n", "Nombre d'échantillons"},
    {Ctl::cmdExp, "Exponentielle de X", "x", "Somme des X"},
    {Ctl::cmdLog, "Logarithme népérien", "y", "Somme des Y"},
    {Ctl::cmdSin, "Sinus de X"},
    {Ctl::cmdCos, "Cosinus de X", "sx", "Écart type sur X"},
    {Ctl::cmdTan, "Tangente de X", "sy", "Écart type sur Y"},
    {Ctl::CmdSquare, "Carré de X"},
    {Ctl::cmdDix, "Dix puissance X"},
    {Ctl::cndLog10, "Logarithme décimal"},
    {Ctl::cmdAsin, "Arc sinus"},
    {Ctl::cmdAcos, "Arc cosinus"},
    {Ctl::cmdAtan, "Arc tangente"},
    {Ctl::cmdInverse, "Inverse de X", "y^2", "Somme des carrés de Y"},
    {Ctl::cmdYtoX, "Y puissance X", "x^2", "Somme des carrés de X"},
    {Ctl::cmdxfact, "Factorielle"},
    {Ctl::cmdPi, "Pi"},
    {Ctl::cmdHsin, "Sinus hyperbolique"},
    {Ctl::cmdHcos, "Cosinus hyperbolique"},
    {Ctl::cmdHtan, "Tangente hyperbolique"},
    {Ctl::cmdEe, "Constante e"},
    {Ctl::cmdAHsin, "Arc sinus hyperbolique"},
    {Ctl::cmdAHcos, "Arc cosinus hyperbolique"},
    {Ctl::cmdAHtan, "Arc tangente hyperbolique"},
    {Ctl::Frame5, "Corrections"},
    {Ctl::cmdPermutation, "Permute X et Y", "y'", "Valeur de Y connaissant X"},
    {Ctl::cmdClear, "Efface l'affichage"},
    {Ctl::cmdEraseLonP, "Efface le dernier de la pile"},
    {Ctl::cmdEraseP, "Efface toute la pile"},
    {Ctl::Label7, "Aide"},
    {Ctl::OLE1, "Manuel d'utilisation"},
    {Ctl::Label8, "Double clic"},
    {Ctl::Label9, "Tarvex V2.0, aide : voir le manuel"},
}};
// clang-format on

constexpr bool nomsEnOrdre()
{
    for (std::size_t i = 0; i < Noms.size(); ++i)
        if (indice(Noms[i].id) != i || Noms[i].nom.empty()) return false;
    return true;
}
static_assert(nomsEnOrdre(), "one name for every control, in the order of Ctl");

} // namespace

std::string_view nomAccessible(Ctl c, std::string_view legende)
{
    const Nom& n = Noms[indice(c)];
    return !n.nomStat.empty() && legende == n.legendeStat ? n.nomStat : n.nom;
}

} // namespace tarvex
