// A control of the window as every layer sees it: its row of the table of controls (what it
// is by design) and what it shows at run time. A control is known by the number of its row;
// front ends get that number from the session, by the control's name, never from a list
// compiled into them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/Couleur.h"

namespace tarvex {

// The number of a control's row in the table of controls, from 0.
using IdControle = int;
constexpr IdControle SansControle = -1;

enum class Genre : std::uint8_t { Label, Bouton, Option, Cadre, Ole };

struct Police {
    float points;
    bool gras;
};

// The inside of the window, in twips: where the controls of the table are laid out.
struct Taille {
    int largeur, hauteur;
};

// One row of the table of controls: everything a front end needs to build the control.
struct DefinitionControle {
    std::string_view nom; // "cmdChiffre(3)", "lblResultat", ...
    Genre genre;
    IdControle parent;                  // the group box it stands in, or SansControle
    int gauche, haut, largeur, hauteur; // twips, relative to the parent
    std::string_view legende;           // design caption
    std::string_view infobulle;         // design tooltip, empty when none
    std::string_view nomAccessible;     // the French name a screen reader gives it
    Couleur texte;                      // foreground
    Couleur fond;                       // background
    Police police;
    bool peintFond; // a button that paints its background colour
    bool visible;
    bool actif;
    bool selectionne; // option buttons
};

// What a control shows at run time.
struct EtatControle {
    std::string legende;
    std::string infobulle;
    bool visible = true;
    bool actif = true;
    Couleur fond = couleurs::FaceBouton;
    bool selectionne = false;

    bool operator==(const EtatControle&) const = default;
};

// One item of the display's menu, which reaches the controls that have no key: a click on
// `controle`, named as a screen reader names the control, with the key's caption beside the
// name where it is a symbol ("Sqr"); a choice (the format, the angle unit) shows whether it
// is the current one.
struct ElementMenu {
    IdControle controle;
    std::string nom;
    std::string symbole; // empty when the caption says no more than the name
    bool actif;          // the control is available and shown
    bool choix;          // a radio item
    bool coche;          // the current choice
};

struct SousMenu {
    std::string titre;
    std::vector<ElementMenu> elements;
};

} // namespace tarvex
