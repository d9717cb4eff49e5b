#include "core/Couleur.h"

#include <charconv>

#include "core/Utf8.h"

namespace tarvex {

std::string nomCouleur(Couleur c)
{
    if (c & 0x80000000u) {
        switch (c & 0xFFu) {
        case 0x05: return "Window";
        case 0x08: return "WindowText";
        case 0x0E: return "HighlightText";
        case 0x0F: return "ButtonFace";
        case 0x12: return "ButtonText";
        default: {
            char tampon[4];
            const auto res = std::to_chars(tampon, tampon + sizeof tampon, c & 0xFFu);
            return "System" + std::string(tampon, res.ptr);
        }
        }
    }
    std::string nom = "#";
    for (unsigned decalage : {0u, 8u, 16u}) // red, green, blue
        utf8::ajouterHex(static_cast<unsigned char>(c >> decalage), nom);
    return nom;
}

} // namespace tarvex
