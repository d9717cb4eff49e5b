// The window table: every control of Affichage with its design values and the operation its
// click runs.
#include "core/Controles.h"

#include <algorithm>

#include "core/Calculatrice.h"

namespace tarvex {

namespace {

using namespace couleurs;
constexpr Police Gras975{9.75f, true};
constexpr Police Petit{8.25f, true};
constexpr Police Gras12{12.0f, true};
constexpr Police Gras135{13.5f, true};
constexpr Police Grand24{24.0f, false};

constexpr DefinitionControle label(Ctl id, std::string_view nom, std::optional<Ctl> parent, int l,
                                   int t, int w, int h, std::string_view legende,
                                   std::string_view infobulle, Couleur texte, Couleur fond,
                                   Police police, bool visible = true)
{
    return {id,        nom,   Genre::Label, parent, l,     t,       w,    h,     legende,
            infobulle, texte, fond,         police, false, visible, true, false, nullptr};
}

constexpr DefinitionControle bouton(Ctl id, std::string_view nom, Operation clic, Ctl parent, int l,
                                    int t, int w, int h, std::string_view legende,
                                    std::string_view infobulle, Police police, bool peint,
                                    Couleur fond = FaceBouton, bool actif = true)
{
    return {id,        nom,         Genre::Bouton, parent, l,     t,    w,     h,     legende,
            infobulle, TexteBouton, fond,          police, peint, true, actif, false, clic};
}

constexpr DefinitionControle cadre(Ctl id, std::string_view nom, int l, int t, int w, int h,
                                   std::string_view legende, Couleur texte)
{
    return {id, nom,   Genre::Cadre, std::nullopt, l,     t,    w,    h,     legende,
            {}, texte, Gris,         Gras975,      false, true, true, false, nullptr};
}

constexpr DefinitionControle option(Ctl id, std::string_view nom, Operation clic, int t,
                                    std::string_view legende, bool selectionne)
{
    return {id, nom,   Genre::Option, Ctl::Frame2, 240,   t,    1455, 255,         legende,
            {}, Jaune, Gris,          Gras975,     false, true, true, selectionne, clic};
}

constexpr DefinitionControle pave(Ctl id, std::string_view nom, Operation clic, int l, int t, int h,
                                  std::string_view legende, Police police = Gras975,
                                  std::string_view infobulle = {}, bool peint = true, int w = 495)
{
    return bouton(id, nom, clic, Ctl::Frame3, l, t, w, h, legende, infobulle, police, peint);
}

// Keys of "Fonctions supérieures": 300 high; the hyperbolic names are 735 wide, the rest 615.
constexpr DefinitionControle fonction(Ctl id, std::string_view nom, Operation clic, int l, int t,
                                      std::string_view legende, Police police, bool peint,
                                      std::string_view infobulle = {}, int w = 615)
{
    return bouton(id, nom, clic, Ctl::Frame4, l, t, w, 300, legende, infobulle, police, peint);
}

// The product's name and where help is found: no publisher, person, address or web site.
constexpr std::string_view TexteAide = "Tarvex V2.0\nAide : voir le manuel (double clic)";

constexpr bool enOrdre(const std::array<DefinitionControle, NbControles>& table)
{
    for (std::size_t i = 0; i < table.size(); ++i)
        if (indice(table[i].id) != i) return false;
    return true;
}

} // namespace

// The table lives inside this function, a friend of the calculator: its click column names
// the calculator's operations, which only the calculator and its friends may name.
const std::array<DefinitionControle, NbControles>& tableControles()
{
    using C = Calculatrice;
    // clang-format off
    static constexpr std::array<DefinitionControle, NbControles> Table{{
        label(Ctl::Label6, "Label6", {}, 120, 240, 735, 255, "Pile", {}, TexteSurligne, Gris, Gras975),
        label(Ctl::Label1, "Label1", {}, 180, 600, 2055, 255, "y(0)", "Visualisation de la pile: Y(0)", Blanc, Gris, Gras975),
        label(Ctl::Label2, "Label2", {}, 180, 840, 2055, 255, "t", "Visualisation de la pile: T", Blanc, Gris, Gras975),
        label(Ctl::Label3, "Label3", {}, 180, 1080, 2055, 255, "z", "Visualisation de la pile: Z", Blanc, Gris, Gras975),
        label(Ctl::Label4, "Label4", {}, 180, 1320, 2055, 255, "y", "Visualisation de la pile: Y", Blanc, Gris, Gras975),
        label(Ctl::Label5, "Label5", {}, 180, 1560, 2055, 255, "x", "Visualisation de la pile: X", Blanc, Gris, Gras975),
        label(Ctl::lblResultat, "lblResultat", {}, 120, 2400, 4335, 495, "+0.0", "Zone d'affichage", TexteFenetre, Blanc, Grand24),
        label(Ctl::lbli, "lbli", {}, 4800, 2400, 255, 495, "i", {}, TexteSurligne, Gris, Grand24, false),
        label(Ctl::lblCmplx, "lblCmplx", {}, 5040, 2400, 4335, 495, "+0.0", {}, TexteFenetre, TexteSurligne, Grand24, false),

        cadre(Ctl::Frame1, "Frame1", 4560, 240, 2295, 1815, "Affichage nombres", Jaune),
        bouton(Ctl::cmdScient, "cmdScient", &C::cmdScient_Click, Ctl::Frame1, 120, 360, 975, 255, "Scientifique", {}, Gras975, true, Jaune),
        bouton(Ctl::cmdFixe, "cmdFixe", &C::cmdFixe_Click, Ctl::Frame1, 1200, 360, 975, 255, "Virgule fixe", {}, Gras975, true, Jaune),
        label(Ctl::lblscien, "lblscien", Ctl::Frame1, 240, 720, 975, 255, "scientifique", {}, Cyan, Gris, Petit),
        label(Ctl::lblfixe, "lblfixe", Ctl::Frame1, 240, 720, 1095, 255, "Virgule fixe", {}, Cyan, Gris, Petit),
        label(Ctl::lblChiffre, "lblChiffre", Ctl::Frame1, 1800, 720, 315, 255, "3", {}, CyanPale, Gris, Gras975),
        bouton(Ctl::cmdCmplx, "cmdCmplx", nullptr, Ctl::Frame1, 120, 1200, 975, 255, "Complexe", {}, Gras975, true, Jaune, false),
        label(Ctl::lblDecl, "lblDecl", Ctl::Frame1, 1440, 1200, 495, 255, "Decl", {}, Jaune, Gris, Petit, false),
        label(Ctl::lblEncl, "lblEncl", Ctl::Frame1, 1440, 1200, 735, 255, "Encl.", {}, Jaune, Gris, Petit, false),

        cadre(Ctl::Frame2, "Frame2", 7440, 240, 2295, 1815, "Affichage angles", Jaune),
        option(Ctl::Option1, "Option1", &C::Option1_Click, 360, "Radian", true),
        option(Ctl::Option2, "Option2", &C::Option2_Click, 720, "Degré", false),
        option(Ctl::Option3, "Option3", &C::Option3_Click, 1080, "Grade", false),
        label(Ctl::lblDegRadGra, "lblDegRadGra", Ctl::Frame2, 480, 1440, 615, 195, "radian", "Témoin du choix radian - degré", Magenta, Gris, Petit),

        cadre(Ctl::Frame3, "Frame3", 120, 3120, 3975, 3375, "Pavé numérique", TexteSurligne),
        pave(Ctl::cmdChiffre0, "cmdChiffre(0)", &C::chiffreClic<0>, 240, 2160, 420, "0"),
        pave(Ctl::cmdChiffre1, "cmdChiffre(1)", &C::chiffreClic<1>, 240, 1560, 420, "1"),
        pave(Ctl::cmdChiffre2, "cmdChiffre(2)", &C::chiffreClic<2>, 1080, 1560, 420, "2"),
        pave(Ctl::cmdChiffre3, "cmdChiffre(3)", &C::chiffreClic<3>, 1920, 1560, 420, "3"),
        pave(Ctl::cmdChiffre4, "cmdChiffre(4)", &C::chiffreClic<4>, 240, 960, 420, "4"),
        pave(Ctl::cmdChiffre5, "cmdChiffre(5)", &C::chiffreClic<5>, 1080, 960, 420, "5"),
        pave(Ctl::cmdChiffre6, "cmdChiffre(6)", &C::chiffreClic<6>, 1920, 960, 420, "6"),
        pave(Ctl::cmdChiffre7, "cmdChiffre(7)", &C::chiffreClic<7>, 240, 360, 420, "7"),
        pave(Ctl::cmdChiffre8, "cmdChiffre(8)", &C::chiffreClic<8>, 1080, 360, 420, "8"),
        pave(Ctl::cmdChiffre9, "cmdChiffre(9)", &C::chiffreClic<9>, 1920, 360, 420, "9"),
        pave(Ctl::cmdDecimale, "cmdDecimale", &C::cmdDecimale_Click, 1080, 2160, 420, ".", Gras975, {}, false),
        pave(Ctl::cmdSigne, "cmdSigne", &C::cmdSigne_Click, 1965, 2160, 420, "+/-", Gras12, "Changement de signe"),
        pave(Ctl::cmdPuissance, "cmdPuissance", &C::cmdPuissance_Click, 240, 2760, 420, "E", Gras975, "Exposant"),
        pave(Ctl::cmdEnter, "cmdEnter", &C::cmdEnter_Click, 2520, 2760, 420, "Entrer", Gras975, "Entrer dans la pile", true, 1215),
        pave(Ctl::cmdDiv, "cmdDiv", &C::cmdDiv_Click, 3240, 360, 420, "./.", Gras975, {}, false),
        pave(Ctl::cmdMul, "cmdMul", &C::cmdMul_Click, 3240, 960, 420, "x", Gras12, {}, false),
        pave(Ctl::cmdPlus, "cmdPlus", &C::cmdPlus_Click, 3240, 1620, 360, "+", Gras135, {}, false),
        pave(Ctl::cmdMoins, "cmdMoins", &C::cmdMoins_Click, 3240, 2160, 420, "-", Gras135, {}, false),

        cadre(Ctl::Frame4, "Frame4", 4440, 3120, 5295, 3375, "Fonctions supérieures", TexteSurligne),
        fonction(Ctl::cmdRacine, "cmdRacine", &C::cmdRacine_Click, 240, 360, "Sqr", Petit, true, "Racine carrée de \"X\""),
        fonction(Ctl::cmdExp, "cmdExp", &C::cmdExp_Click, 1080, 360, "e^x", Gras975, true, "Exponentiel \"X\""),
        fonction(Ctl::cmdLog, "cmdLog", &C::cmdLog_Click, 1800, 360, "Ln", Gras975, true, "Logarithme néperien"),
        fonction(Ctl::cmdSin, "cmdSin", &C::cmdSin_Click, 2640, 360, "Sin", Gras975, true, "Sinus \"X\""),
        fonction(Ctl::cmdCos, "cmdCos", &C::cmdCos_Click, 3480, 360, "Cos", Petit, true, "Cosinus \"X\""),
        fonction(Ctl::cmdTan, "cmdTan", &C::cmdTan_Click, 4320, 360, "Tan", Petit, true, "Tangente \"X\""),
        fonction(Ctl::CmdSquare, "CmdSquare", &C::CmdSquare_Click, 240, 720, "x^2", Petit, false),
        fonction(Ctl::cmdDix, "cmdDix", &C::cmdDix_Click, 1080, 720, "10^x", Petit, false),
        fonction(Ctl::cndLog10, "cndLog10", &C::cndLog10_Click, 1800, 720, "Log", Gras975, false),
        fonction(Ctl::cmdAsin, "cmdAsin", &C::cmdAsin_Click, 2640, 720, "Asin", Gras975, false),
        fonction(Ctl::cmdAcos, "cmdAcos", &C::cmdAcos_Click, 3480, 720, "Acos", Petit, false),
        fonction(Ctl::cmdAtan, "cmdAtan", &C::cmdAtan_Click, 4320, 720, "Atan", Petit, false),
        fonction(Ctl::cmdInverse, "cmdInverse", &C::cmdInverse_Click, 240, 1080, "1/x", Gras975, true, "Inverse de X"),
        fonction(Ctl::cmdYtoX, "cmdYtoX", &C::cmdYtoX_Click, 1080, 1080, "y^x", Gras975, true, "\"Y\" à la puissance \"X\""),
        fonction(Ctl::cmdxfact, "cmdxfact", &C::cmdxfact_Click, 1800, 1080, "x!", Gras975, false),
        fonction(Ctl::cmdPi, "cmdPi", &C::cmdPi_Click, 240, 1680, "Pi", Gras975, false),
        fonction(Ctl::cmdHsin, "cmdHsin", &C::cmdHsin_Click, 2640, 1680, "Hsin", Petit, false, {}, 735),
        fonction(Ctl::cmdHcos, "cmdHcos", &C::cmdHcos_Click, 3480, 1680, "Hcos", Petit, false, {}, 735),
        fonction(Ctl::cmdHtan, "cmdHtan", &C::cmdHtan_Click, 4320, 1680, "Htan", Petit, false, {}, 735),
        fonction(Ctl::cmdEe, "cmdEe", &C::cmdEe_Click, 240, 2040, "e", Gras975, false),
        fonction(Ctl::cmdAHsin, "cmdAHsin", &C::cmdAHsin_Click, 2640, 2040, "AHsin", Petit, false, {}, 735),
        fonction(Ctl::cmdAHcos, "cmdAHcos", &C::cmdAHcos_Click, 3480, 2040, "AHcos", Petit, false, {}, 735),
        fonction(Ctl::cmdAHtan, "cmdAHtan", &C::cmdAHtan_Click, 4320, 2040, "AHtan", Petit, false, {}, 735),

        cadre(Ctl::Frame5, "Frame5", 4440, 6720, 5295, 1215, "Corrections", TexteSurligne),
        bouton(Ctl::cmdPermutation, "cmdPermutation", &C::cmdPermutation_Click, Ctl::Frame5, 120, 480, 1095, 540, "Permute x et y", "Permutation de x et y", Gras975, true),
        bouton(Ctl::cmdClear, "cmdClear", &C::cmdClear_Click, Ctl::Frame5, 1440, 480, 1095, 540, "Efface affichage ", "Réinitialisation de la calculatrice", Gras975, false),
        bouton(Ctl::cmdEraseLonP, "cmdEraseLonP", &C::cmdEraseLonP_Click, Ctl::Frame5, 2760, 480, 1095, 615, "Efface dernier de la  pile", "Efface la dernière touche (backspace)", Petit, false),
        bouton(Ctl::cmdEraseP, "cmdEraseP", &C::cmdEraseP_Click, Ctl::Frame5, 4080, 480, 1095, 540, "Efface Pile", "Efface toute la pile", Gras975, true),

        label(Ctl::Label7, "Label7", {}, 3000, 6600, 735, 375, "Aide", {}, TexteSurligne, Gris, Gras12),
        {Ctl::OLE1, "OLE1", Genre::Ole, std::nullopt, 2640, 6960, 1455, 975, "", {}, TexteFenetre, Gris, Gras975, false, true, true, false, nullptr},
        label(Ctl::Label8, "Label8", {}, 2760, 8040, 1095, 375, "Double click", {}, TexteSurligne, Gris, Petit),
        label(Ctl::Label9, "Label9", {}, 120, 6720, 1815, 1575, TexteAide, {}, TexteSurligne, Gris, Gras12),
    }};
    // clang-format on
    static_assert(enOrdre(Table), "the rows of the window table follow the order of Ctl");
    return Table;
}

const DefinitionControle& definition(Ctl c) { return tableControles()[indice(c)]; }

bool accepteClic(Ctl c)
{
    const Genre g = definition(c).genre;
    return g == Genre::Bouton || g == Genre::Option;
}

std::optional<Ctl> controleParNom(std::string_view nom)
{
    const auto& table = tableControles();
    auto it = std::find_if(table.begin(), table.end(),
                           [nom](const DefinitionControle& d) { return d.nom == nom; });
    if (it == table.end()) return std::nullopt;
    return it->id;
}

ModeleControles::ModeleControles()
{
    for (const auto& d : tableControles()) {
        auto& s = etats_[indice(d.id)];
        s.legende.assign(d.legende);
        s.infobulle.assign(d.infobulle);
        s.visible = d.visible;
        s.actif = d.actif;
        s.fond = d.fond;
        s.selectionne = d.selectionne;
    }
}

void ModeleControles::fond(Ctl c, Couleur couleur)
{
    if (definition(c).peintFond) ecrire(c).fond = couleur;
}

} // namespace tarvex
