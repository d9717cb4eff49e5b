#include "ui/MenuControles.h"

#include <QActionGroup>
#include <QMenu>

#include <span>

namespace tarvex {

namespace {

QString texte(std::string_view s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// What the display format or the angle unit is now: the option selected, or the format's
// label that is shown.
bool choisi(const ModeleControles& m, Ctl c)
{
    if (c == Ctl::cmdScient) return m[Ctl::lblscien].visible;
    if (c == Ctl::cmdFixe) return m[Ctl::lblfixe].visible;
    return m[c].selectionne;
}

enum class Sorte { Choix, Symboles, Mots };

struct SousMenu {
    Ctl cadre; // the group whose caption is the title, when `titre` is empty
    std::string_view titre;
    Sorte sorte;
    std::span<const Ctl> controles;
};

// The window's groups, in the window's reading order; "Fonctions supérieures" in three.
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

constexpr SousMenu SousMenus[] = {
    {Ctl::Frame1, {}, Sorte::Choix, Formats},
    {Ctl::Frame2, {}, Sorte::Choix, Angles},
    {Ctl::Frame4, "Fonctions", Sorte::Symboles, Fonctions},
    {Ctl::Frame4, "Trigonométrie", Sorte::Symboles, Trigonometrie},
    {Ctl::Frame4, "Fonctions hyperboliques", Sorte::Symboles, Hyperboliques},
    {Ctl::Frame5, {}, Sorte::Mots, Corrections},
};

} // namespace

void ajouterControles(QMenu& menu, const ModeleControles& modele,
                      const std::function<void(Ctl)>& cliquer)
{
    for (const SousMenu& s : SousMenus) {
        QMenu* sous = menu.addMenu(texte(s.titre.empty() ? modele[s.cadre].legende : s.titre));
        sous->setPalette(menu.palette());
        auto* groupe = s.sorte == Sorte::Choix ? new QActionGroup(sous) : nullptr;
        for (Ctl c : s.controles) {
            const EtatControle& e = modele[c];
            // A symbol's caption ("Sqr", "x^2") stands beside the name in the shortcut column.
            QString t = texte(nomAccessible(c, e.legende));
            const QString legende = texte(e.legende).simplified();
            if (s.sorte == Sorte::Symboles && legende.compare(t, Qt::CaseInsensitive) != 0)
                t += QLatin1Char('\t') + legende;
            QAction* a = sous->addAction(t);
            a->setObjectName(texte(definition(c).nom));
            a->setEnabled(e.actif && e.visible);
            if (groupe != nullptr) {
                a->setCheckable(true);
                a->setChecked(choisi(modele, c));
                groupe->addAction(a);
            }
            QObject::connect(a, &QAction::triggered, sous, [cliquer, c] { cliquer(c); });
        }
    }
}

} // namespace tarvex
