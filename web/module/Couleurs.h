// A colour of the table as CSS writes it: its red, green and blue, or for a system colour the
// value the desktop window gives it from its fixed light palette (src/ui/Apparence.cpp).
#pragma once

#include <string>

#include "core/Couleur.h"

namespace tarvex::web {

inline std::string couleurCss(Couleur c)
{
    if (c & 0x80000000u) {
        switch (c & 0xFFu) {
        case 0x0F: return "#F0F0F0"; // button face
        case 0x05:                   // window (the base of text fields)
        case 0x0E: return "#FFFFFF"; // highlighted text
        default: return "#000000";   // window text, button text
        }
    }
    return nomCouleur(c);
}

} // namespace tarvex::web
