// Colours in the window system's notation 0x00BBGGRR; a value with the top bit set names
// a system colour by its index.
#pragma once

#include <cstdint>
#include <string>

namespace tarvex {

using Couleur = std::uint32_t;

namespace couleurs {
constexpr Couleur rgb(unsigned r, unsigned g, unsigned b) { return r | (g << 8) | (b << 16); }
constexpr Couleur Jaune = 65535;   // &H0000FFFF
constexpr Couleur Cyan = 0xFFFF00; // &HFFFF00
constexpr Couleur Blanc = rgb(255, 255, 255);
constexpr Couleur Gris = rgb(64, 64, 64);
constexpr Couleur Magenta = rgb(255, 0, 255);
constexpr Couleur CyanPale = rgb(128, 255, 255);
constexpr Couleur FaceBouton = 0x8000000F;    // system colour of button faces
constexpr Couleur TexteSurligne = 0x8000000E; // system colour of highlighted text
constexpr Couleur TexteFenetre = 0x80000008;  // system colour of window text
constexpr Couleur TexteBouton = 0x80000012;   // system colour of button text
} // namespace couleurs

// "#RRGGBB" (upper case) for an RGB colour, the system colour's name otherwise
// ("ButtonFace", "HighlightText", ...).
std::string nomCouleur(Couleur c);

} // namespace tarvex
