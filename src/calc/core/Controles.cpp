// The window table: every control of Affichage with its design values and the name a screen
// reader gives it. What a click on a control does is bound where the calculator is defined
// (keys/Liaisons.cpp); this table is data only.
#include "core/Controles.h"

#include <algorithm>
#include <array>

#include "core/Version.h"

namespace tarvex {

namespace {

using namespace couleurs;
constexpr Police Gras975{9.75f, true};
constexpr Police Petit{8.25f, true};
constexpr Police Gras12{12.0f, true};
constexpr Police Gras135{13.5f, true};
constexpr Police Grand24{24.0f, false};

// A row and the name the calculator's code gives its control.
struct Rangee {
    Ctl id;
    DefinitionControle d;
};

constexpr IdControle id(std::optional<Ctl> c)
{
    return c ? static_cast<IdControle>(indice(*c)) : SansControle;
}

constexpr Rangee label(Ctl c, std::string_view nom, std::string_view acces,
                       std::optional<Ctl> parent, int l, int t, int w, int h,
                       std::string_view legende, std::string_view infobulle, Couleur texte,
                       Couleur fond, Police police, bool visible = true)
{
    return {c,
            {nom, Genre::Label, id(parent), l, t, w, h, legende, infobulle, acces, texte, fond,
             police, false, visible, true, false}};
}

constexpr Rangee bouton(Ctl c, std::string_view nom, std::string_view acces, Ctl parent, int l,
                        int t, int w, int h, std::string_view legende, std::string_view infobulle,
                        Police police, bool peint, Couleur fond = FaceBouton, bool actif = true)
{
    return {c,
            {nom, Genre::Bouton, id(parent), l, t, w, h, legende, infobulle, acces, TexteBouton,
             fond, police, peint, true, actif, false}};
}

constexpr Rangee cadre(Ctl c, std::string_view nom, std::string_view acces, int l, int t, int w,
                       int h, std::string_view legende, Couleur texte)
{
    return {c,
            {nom,
             Genre::Cadre,
             SansControle,
             l,
             t,
             w,
             h,
             legende,
             {},
             acces,
             texte,
             Gris,
             Gras975,
             false,
             true,
             true,
             false}};
}

constexpr Rangee option(Ctl c, std::string_view nom, std::string_view acces, int t,
                        std::string_view legende, bool selectionne)
{
    return {c,
            {nom,
             Genre::Option,
             id(Ctl::Frame2),
             240,
             t,
             1455,
             255,
             legende,
             {},
             acces,
             Jaune,
             Gris,
             Gras975,
             false,
             true,
             true,
             selectionne}};
}

constexpr Rangee pave(Ctl c, std::string_view nom, std::string_view acces, int l, int t, int h,
                      std::string_view legende, Police police = Gras975,
                      std::string_view infobulle = {}, bool peint = true, int w = 495)
{
    return bouton(c, nom, acces, Ctl::Frame3, l, t, w, h, legende, infobulle, police, peint);
}

// Keys of "Fonctions supérieures": 300 high; the hyperbolic names are 735 wide, the rest 615.
constexpr Rangee fonction(Ctl c, std::string_view nom, std::string_view acces, int l, int t,
                          std::string_view legende, Police police, bool peint,
                          std::string_view infobulle = {}, int w = 615)
{
    return bouton(c, nom, acces, Ctl::Frame4, l, t, w, 300, legende, infobulle, police, peint);
}

// A row added after the controls that Ctl names: its click is bound by its name.
constexpr Ctl Ajoutee = static_cast<Ctl>(0xFF);

// The product's name and where help is found: no publisher, person, address or web site.
constexpr std::string_view TexteAide = TARVEX_TITRE "\nAide : voir le manuel (double clic)";

// clang-format off
constexpr Rangee Rangees[] = {
        label(Ctl::Label6, "Label6", "Pile", {}, 120, 240, 735, 255, "Pile", {}, TexteSurligne, Gris, Gras975),
        label(Ctl::Label1, "Label1", "Y(0)", {}, 180, 600, 2055, 255, "y(0)", "Visualisation de la pile: Y(0)", Blanc, Gris, Gras975),
        label(Ctl::Label2, "Label2", "T", {}, 180, 840, 2055, 255, "t", "Visualisation de la pile: T", Blanc, Gris, Gras975),
        label(Ctl::Label3, "Label3", "Z", {}, 180, 1080, 2055, 255, "z", "Visualisation de la pile: Z", Blanc, Gris, Gras975),
        label(Ctl::Label4, "Label4", "Y", {}, 180, 1320, 2055, 255, "y", "Visualisation de la pile: Y", Blanc, Gris, Gras975),
        label(Ctl::Label5, "Label5", "X", {}, 180, 1560, 2055, 255, "x", "Visualisation de la pile: X", Blanc, Gris, Gras975),
        label(Ctl::lblResultat, "lblResultat", "Affichage", {}, 120, 2400, 4335, 495, "+0.0", "Zone d'affichage", TexteFenetre, Blanc, Grand24),
        label(Ctl::lbli, "lbli", "Unité imaginaire", {}, 4800, 2400, 255, 495, "i", {}, TexteSurligne, Gris, Grand24, false),
        label(Ctl::lblCmplx, "lblCmplx", "Affichage complexe", {}, 5040, 2400, 4335, 495, "+0.0", {}, TexteFenetre, TexteSurligne, Grand24, false),

        cadre(Ctl::Frame1, "Frame1", "Affichage nombres", 4560, 240, 2295, 1815, "Affichage nombres", Jaune),
        bouton(Ctl::cmdScient, "cmdScient", "Scientifique", Ctl::Frame1, 120, 360, 975, 255, "Scientifique", {}, Gras975, true, Jaune),
        bouton(Ctl::cmdFixe, "cmdFixe", "Virgule fixe", Ctl::Frame1, 1200, 360, 975, 255, "Virgule fixe", {}, Gras975, true, Jaune),
        label(Ctl::lblscien, "lblscien", "Format scientifique", Ctl::Frame1, 240, 720, 975, 255, "scientifique", {}, Cyan, Gris, Petit),
        label(Ctl::lblfixe, "lblfixe", "Format virgule fixe", Ctl::Frame1, 240, 720, 1095, 255, "Virgule fixe", {}, Cyan, Gris, Petit),
        label(Ctl::lblChiffre, "lblChiffre", "Nombre de décimales", Ctl::Frame1, 1800, 720, 315, 255, "3", {}, CyanPale, Gris, Gras975),
        bouton(Ctl::cmdCmplx, "cmdCmplx", "Complexe", Ctl::Frame1, 120, 1200, 975, 255, "Complexe", {}, Gras975, true, Jaune, false),
        label(Ctl::lblDecl, "lblDecl", "Déclinaison", Ctl::Frame1, 1440, 1200, 495, 255, "Decl", {}, Jaune, Gris, Petit, false),
        label(Ctl::lblEncl, "lblEncl", "Enclenché", Ctl::Frame1, 1440, 1200, 735, 255, "Encl.", {}, Jaune, Gris, Petit, false),

        cadre(Ctl::Frame2, "Frame2", "Affichage angles", 7440, 240, 2295, 1815, "Affichage angles", Jaune),
        option(Ctl::Option1, "Option1", "Radian", 360, "Radian", true),
        option(Ctl::Option2, "Option2", "Degré", 720, "Degré", false),
        option(Ctl::Option3, "Option3", "Grade", 1080, "Grade", false),
        label(Ctl::lblDegRadGra, "lblDegRadGra", "Unité d'angle", Ctl::Frame2, 480, 1440, 615, 195, "radian", "Témoin du choix radian - degré", Magenta, Gris, Petit),

        cadre(Ctl::Frame3, "Frame3", "Pavé numérique", 120, 3120, 3975, 3375, "Pavé numérique", TexteSurligne),
        pave(Ctl::cmdChiffre0, "cmdChiffre(0)", "Chiffre 0", 240, 2160, 420, "0"),
        pave(Ctl::cmdChiffre1, "cmdChiffre(1)", "Chiffre 1", 240, 1560, 420, "1"),
        pave(Ctl::cmdChiffre2, "cmdChiffre(2)", "Chiffre 2", 1080, 1560, 420, "2"),
        pave(Ctl::cmdChiffre3, "cmdChiffre(3)", "Chiffre 3", 1920, 1560, 420, "3"),
        pave(Ctl::cmdChiffre4, "cmdChiffre(4)", "Chiffre 4", 240, 960, 420, "4"),
        pave(Ctl::cmdChiffre5, "cmdChiffre(5)", "Chiffre 5", 1080, 960, 420, "5"),
        pave(Ctl::cmdChiffre6, "cmdChiffre(6)", "Chiffre 6", 1920, 960, 420, "6"),
        pave(Ctl::cmdChiffre7, "cmdChiffre(7)", "Chiffre 7", 240, 360, 420, "7"),
        pave(Ctl::cmdChiffre8, "cmdChiffre(8)", "Chiffre 8", 1080, 360, 420, "8"),
        pave(Ctl::cmdChiffre9, "cmdChiffre(9)", "Chiffre 9", 1920, 360, 420, "9"),
        pave(Ctl::cmdDecimale, "cmdDecimale", "Point décimal", 1080, 2160, 420, ".", Gras975, {}, false),
        pave(Ctl::cmdSigne, "cmdSigne", "Changement de signe", 1965, 2160, 420, "+/-", Gras12, "Changement de signe"),
        pave(Ctl::cmdPuissance, "cmdPuissance", "Exposant", 240, 2760, 420, "E", Gras975, "Exposant"),
        pave(Ctl::cmdEnter, "cmdEnter", "Entrer", 2520, 2760, 420, "Entrer", Gras975, "Entrer dans la pile", true, 1215),
        pave(Ctl::cmdDiv, "cmdDiv", "Diviser", 3240, 360, 420, "./.", Gras975, {}, false),
        pave(Ctl::cmdMul, "cmdMul", "Multiplier", 3240, 960, 420, "x", Gras12, {}, false),
        pave(Ctl::cmdPlus, "cmdPlus", "Additionner", 3240, 1620, 360, "+", Gras135, {}, false),
        pave(Ctl::cmdMoins, "cmdMoins", "Soustraire", 3240, 2160, 420, "-", Gras135, {}, false),

        cadre(Ctl::Frame4, "Frame4", "Fonctions supérieures", 4440, 3120, 5295, 3375, "Fonctions supérieures", TexteSurligne),
        fonction(Ctl::cmdRacine, "cmdRacine", "Racine carrée de X", 240, 360, "Sqr", Petit, true, "Racine carrée de \"X\""),
        fonction(Ctl::cmdExp, "cmdExp", "Exponentielle de X", 1080, 360, "e^x", Gras975, true, "Exponentiel \"X\""),
        fonction(Ctl::cmdLog, "cmdLog", "Logarithme népérien", 1800, 360, "Ln", Gras975, true, "Logarithme néperien"),
        fonction(Ctl::cmdSin, "cmdSin", "Sinus de X", 2640, 360, "Sin", Gras975, true, "Sinus \"X\""),
        fonction(Ctl::cmdCos, "cmdCos", "Cosinus de X", 3480, 360, "Cos", Petit, true, "Cosinus \"X\""),
        fonction(Ctl::cmdTan, "cmdTan", "Tangente de X", 4320, 360, "Tan", Petit, true, "Tangente \"X\""),
        fonction(Ctl::CmdSquare, "CmdSquare", "Carré de X", 240, 720, "x^2", Petit, false),
        fonction(Ctl::cmdDix, "cmdDix", "Dix puissance X", 1080, 720, "10^x", Petit, false),
        fonction(Ctl::cndLog10, "cndLog10", "Logarithme décimal", 1800, 720, "Log", Gras975, false),
        fonction(Ctl::cmdAsin, "cmdAsin", "Arc sinus", 2640, 720, "Asin", Gras975, false),
        fonction(Ctl::cmdAcos, "cmdAcos", "Arc cosinus", 3480, 720, "Acos", Petit, false),
        fonction(Ctl::cmdAtan, "cmdAtan", "Arc tangente", 4320, 720, "Atan", Petit, false),
        fonction(Ctl::cmdInverse, "cmdInverse", "Inverse de X", 240, 1080, "1/x", Gras975, true, "Inverse de X"),
        fonction(Ctl::cmdYtoX, "cmdYtoX", "Y puissance X", 1080, 1080, "y^x", Gras975, true, "\"Y\" à la puissance \"X\""),
        fonction(Ctl::cmdxfact, "cmdxfact", "Factorielle", 1800, 1080, "x!", Gras975, false),
        fonction(Ctl::cmdPi, "cmdPi", "Pi", 240, 1680, "Pi", Gras975, false),
        fonction(Ctl::cmdHsin, "cmdHsin", "Sinus hyperbolique", 2640, 1680, "Hsin", Petit, false, {}, 735),
        fonction(Ctl::cmdHcos, "cmdHcos", "Cosinus hyperbolique", 3480, 1680, "Hcos", Petit, false, {}, 735),
        fonction(Ctl::cmdHtan, "cmdHtan", "Tangente hyperbolique", 4320, 1680, "Htan", Petit, false, {}, 735),
        fonction(Ctl::cmdEe, "cmdEe", "Constante e", 240, 2040, "e", Gras975, false),
        fonction(Ctl::cmdAHsin, "cmdAHsin", "Arc sinus hyperbolique", 2640, 2040, "AHsin", Petit, false, {}, 735),
        fonction(Ctl::cmdAHcos, "cmdAHcos", "Arc cosinus hyperbolique", 3480, 2040, "AHcos", Petit, false, {}, 735),
        fonction(Ctl::cmdAHtan, "cmdAHtan", "Arc tangente hyperbolique", 4320, 2040, "AHtan", Petit, false, {}, 735),

        cadre(Ctl::Frame5, "Frame5", "Corrections", 4440, 6720, 5295, 1215, "Corrections", TexteSurligne),
        bouton(Ctl::cmdPermutation, "cmdPermutation", "Permute X et Y", Ctl::Frame5, 120, 480, 1095, 540, "Permute x et y", "Permutation de x et y", Gras975, true),
        bouton(Ctl::cmdClear, "cmdClear", "Efface l'affichage", Ctl::Frame5, 1440, 480, 1095, 540, "Efface affichage ", "Réinitialisation de la calculatrice", Gras975, false),
        bouton(Ctl::cmdEraseLonP, "cmdEraseLonP", "Efface le dernier de la pile", Ctl::Frame5, 2760, 480, 1095, 615, "Efface dernier de la  pile", "Efface la dernière touche (backspace)", Petit, false),
        bouton(Ctl::cmdEraseP, "cmdEraseP", "Efface toute la pile", Ctl::Frame5, 4080, 480, 1095, 540, "Efface Pile", "Efface toute la pile", Gras975, true),

        label(Ctl::Label7, "Label7", "Aide", {}, 3000, 6600, 735, 375, "Aide", {}, TexteSurligne, Gris, Gras12),
        {Ctl::OLE1, {"OLE1", Genre::Ole, SansControle, 2640, 6960, 1455, 975, "", {}, "Manuel d'utilisation", TexteFenetre, Gris, Gras975, false, true, true, false}},
        label(Ctl::Label8, "Label8", "Double clic", {}, 2760, 8040, 1095, 375, "Double click", {}, TexteSurligne, Gris, Petit),
        label(Ctl::Label9, "Label9", TARVEX_TITRE ", aide : voir le manuel", {}, 120, 6720, 1815, 1575, TexteAide, {}, TexteSurligne, Gris, Gras12),
};
// clang-format on

// Row i is the control Ctl(i) up to Label9; the rows added after it have no name in Ctl.
constexpr bool enOrdre()
{
    for (std::size_t i = 0; i < std::size(Rangees); ++i)
        if (Rangees[i].id != (i <= indice(Ctl::Label9) ? static_cast<Ctl>(i) : Ajoutee))
            return false;
    return std::size(Rangees) > indice(Ctl::Label9) && std::size(Rangees) <= indice(Ajoutee);
}
static_assert(enOrdre(), "the rows of the window table follow the order of Ctl");

constexpr auto Table = [] {
    std::array<DefinitionControle, std::size(Rangees)> t{};
    for (std::size_t i = 0; i < t.size(); ++i) t[i] = Rangees[i].d;
    return t;
}();

// The keys that the statistics mode relabels: the caption it gives them, and their name
// while they show it.
struct NomStat {
    Ctl id;
    std::string_view legende;
    std::string_view nom;
};
// clang-format off
constexpr NomStat NomsStat[] = {
    {Ctl::cmdSigne, "r", "Coefficient de corrélation"},
    {Ctl::cmdPuissance, "m", "Pente de la droite"},
    {Ctl::cmdEnter, "x'", "Valeur de X connaissant Y"},
    {Ctl::cmdRacine, "n", "Nombre d'échantillons"},
    {Ctl::cmdExp, "x", "Somme des X"},
    {Ctl::cmdLog, "y", "Somme des Y"},
    {Ctl::cmdCos, "sx", "Écart type sur X"},
    {Ctl::cmdTan, "sy", "Écart type sur Y"},
    {Ctl::cmdInverse, "y^2", "Somme des carrés de Y"},
    {Ctl::cmdYtoX, "x^2", "Somme des carrés de X"},
    {Ctl::cmdPermutation, "y'", "Valeur de Y connaissant X"},
};
// clang-format on

// The display's menu, so that a keyboard alone reaches the keys that have no character: the
// window's groups in its reading order, "Fonctions supérieures" in three. A group without a
// title takes its frame's caption.
constexpr Ctl Formats[] = {Ctl::cmdScient, Ctl::cmdFixe};
constexpr Ctl Angles[] = {Ctl::Option1, Ctl::Option2, Ctl::Option3};
constexpr Ctl Fonctions[] = {Ctl::cmdRacine, Ctl::cmdExp,   Ctl::cmdLog,     Ctl::CmdSquare,
                             Ctl::cmdDix,    Ctl::cndLog10, Ctl::cmdInverse, Ctl::cmdYtoX,
                             Ctl::cmdxfact,  Ctl::cmdPi,    Ctl::cmdEe};
constexpr Ctl Trigonometrie[] = {Ctl::cmdSin,  Ctl::cmdCos,  Ctl::cmdTan,
                                 Ctl::cmdAsin, Ctl::cmdAcos, Ctl::cmdAtan};
constexpr Ctl Hyperboliques[] = {Ctl::cmdHsin,  Ctl::cmdHcos,  Ctl::cmdHtan,
                                 Ctl::cmdAHsin, Ctl::cmdAHcos, Ctl::cmdAHtan};
constexpr Ctl Corrections[] = {Ctl::cmdPermutation, Ctl::cmdClear, Ctl::cmdEraseLonP,
                               Ctl::cmdEraseP};
constexpr GroupeMenu GroupesMenu[] = {
    {Ctl::Frame1, {}, GroupeMenu::Sorte::Choix, Formats},
    {Ctl::Frame2, {}, GroupeMenu::Sorte::Choix, Angles},
    {Ctl::Frame4, "Fonctions", GroupeMenu::Sorte::Symboles, Fonctions},
    {Ctl::Frame4, "Trigonométrie", GroupeMenu::Sorte::Symboles, Trigonometrie},
    {Ctl::Frame4, "Fonctions hyperboliques", GroupeMenu::Sorte::Symboles, Hyperboliques},
    {Ctl::Frame5, {}, GroupeMenu::Sorte::Mots, Corrections},
};

} // namespace

Taille tailleFenetre() { return {9855, 8460}; }
std::span<const DefinitionControle> tableControles() { return Table; }
std::span<const GroupeMenu> groupesMenu() { return GroupesMenu; }

bool accepteClic(Ctl c)
{
    const Genre g = definition(c).genre;
    return g == Genre::Bouton || g == Genre::Option;
}

std::optional<Ctl> controleParNom(std::string_view nom)
{
    const auto it = std::find_if(Table.begin(), Table.end(),
                                 [nom](const DefinitionControle& d) { return d.nom == nom; });
    if (it == Table.end()) return std::nullopt;
    return static_cast<Ctl>(it - Table.begin());
}

std::string_view nomAccessible(Ctl c, std::string_view legende)
{
    for (const NomStat& n : NomsStat)
        if (n.id == c && legende == n.legende) return n.nom;
    return definition(c).nomAccessible;
}

ModeleControles::ModeleControles()
    : etats_(nombreControles()), ecrits_((nombreControles() + 63) / 64)
{
    for (std::size_t i = 0; i < Table.size(); ++i) {
        const DefinitionControle& d = Table[i];
        EtatControle& s = etats_[i];
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
