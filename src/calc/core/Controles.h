// The controls of the window Affichage inside the calculator: the names its code gives them,
// the table of their design values (Controles.cpp), and the model that the operations write
// and that the session shows to the front ends.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/Controle.h"

namespace tarvex {

// The controls the calculator's code names, in the order of their rows. A row added after
// Label9 needs no name here: its click is bound by its name (keys/Liaisons.cpp), so adding a
// key rebuilds neither the calculator nor the front ends. Any row's number converts to Ctl.
// clang-format off
enum class Ctl : std::uint8_t {
    Label6, Label1, Label2, Label3, Label4, Label5, lblResultat, lbli, lblCmplx,
    Frame1, cmdScient, cmdFixe, lblscien, lblfixe, lblChiffre, cmdCmplx, lblDecl, lblEncl,
    Frame2, Option1, Option2, Option3, lblDegRadGra,
    Frame3,
    cmdChiffre0, cmdChiffre1, cmdChiffre2, cmdChiffre3, cmdChiffre4,
    cmdChiffre5, cmdChiffre6, cmdChiffre7, cmdChiffre8, cmdChiffre9,
    cmdDecimale, cmdSigne, cmdPuissance, cmdEnter, cmdDiv, cmdMul, cmdPlus, cmdMoins,
    Frame4,
    cmdRacine, cmdExp, cmdLog, cmdSin, cmdCos, cmdTan,
    CmdSquare, cmdDix, cndLog10, cmdAsin, cmdAcos, cmdAtan,
    cmdInverse, cmdYtoX, cmdxfact,
    cmdPi, cmdHsin, cmdHcos, cmdHtan,
    cmdEe, cmdAHsin, cmdAHcos, cmdAHtan,
    Frame5, cmdPermutation, cmdClear, cmdEraseLonP, cmdEraseP,
    Label7, OLE1, Label8, Label9,
};
// clang-format on

constexpr std::size_t indice(Ctl c) { return static_cast<std::size_t>(c); }
constexpr Ctl chiffre(int i) { return static_cast<Ctl>(indice(Ctl::cmdChiffre0) + i); }

// The size of the window, and its table, one row per control (Controles.cpp).
Taille tailleFenetre();
std::span<const DefinitionControle> tableControles();
inline std::size_t nombreControles() { return tableControles().size(); }
inline const DefinitionControle& definition(Ctl c) { return tableControles()[indice(c)]; }
// True for the controls that take a mouse click (buttons and option buttons).
bool accepteClic(Ctl c);
// The control of that name ("cmdChiffre(3)"), if the window has one.
std::optional<Ctl> controleParNom(std::string_view nom);

// A submenu of the display's menu: the controls it offers, as radio items showing the
// current choice (the format, the angle unit), as symbols shown beside their names (the
// function keys), or as words (the corrections); titled by `titre`, else by the caption of
// the group box `cadre`.
struct GroupeMenu {
    enum class Sorte : std::uint8_t { Choix, Symboles, Mots };
    Ctl cadre;
    std::string_view titre;
    Sorte sorte;
    std::span<const Ctl> controles;
};
std::span<const GroupeMenu> groupesMenu();

// The French name a screen reader gives the control that shows this caption: a key that
// the statistics mode relabels is named after its statistic while it shows it.
std::string_view nomAccessible(Ctl c, std::string_view legende);

class ModeleControles {
public:
    ModeleControles(); // every control at its design values, focus on cmdEnter

    const EtatControle& operator[](Ctl c) const { return etats_[indice(c)]; }

    // Every writer marks its control as written (see ecritures).
    void legende(Ctl c, std::string_view texte) { ecrire(c).legende.assign(texte); }
    std::string& legendeModifiable(Ctl c) { return ecrire(c).legende; }
    void infobulle(Ctl c, std::string_view texte) { ecrire(c).infobulle.assign(texte); }
    void visible(Ctl c, bool v) { ecrire(c).visible = v; }
    void actif(Ctl c, bool v) { ecrire(c).actif = v; }
    // Only the buttons that paint their background show the colour; on the others it is
    // harmless and invisible, so the model keeps what they show.
    void fond(Ctl c, Couleur couleur);
    void selectionne(Ctl c, bool v) { ecrire(c).selectionne = v; }
    // The whole of a control at once: undo and redo put a recorded control back.
    void restaurer(Ctl c, const EtatControle& s) { ecrire(c) = s; }

    // The controls written since the last oublierEcritures(), control i as bit i % 64 of
    // word i / 64: whoever keeps a copy of the model compares only these, not every control.
    using Ecritures = std::vector<std::uint64_t>;
    const Ecritures& ecritures() const { return ecrits_; }
    void oublierEcritures() { std::fill(ecrits_.begin(), ecrits_.end(), 0); }

    Ctl focus() const { return focus_; }
    void donnerFocus(Ctl c) { focus_ = c; }

    void bip() { ++bips_; }
    long bips() const { return bips_; }
    void ouvrirManuel() { ++manuels_; }
    long manuelsOuverts() const { return manuels_; }

private:
    EtatControle& ecrire(Ctl c)
    {
        ecrits_[indice(c) / 64] |= std::uint64_t{1} << (indice(c) % 64);
        return etats_[indice(c)];
    }

    std::vector<EtatControle> etats_;
    Ecritures ecrits_;
    Ctl focus_ = Ctl::cmdEnter;
    long bips_ = 0;
    long manuels_ = 0;
};

} // namespace tarvex
