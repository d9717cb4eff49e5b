// A stack cell: a double, or a message text that moves with the stack like a number.
#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "core/Echec.h"

namespace tarvex {

class Cellule {
public:
    Cellule() = default;
    Cellule(double nombre) : nombre_(nombre) {} // NOLINT(google-explicit-constructor)

    bool estTexte() const { return estTexte_; }

    // The number of the cell; a text cell cannot give one.
    double nombre() const
    {
        if (estTexte_) throw Echec(Defaut::TexteNonNombre);
        return nombre_;
    }
    // Without the check: for displays and dumps of a number cell.
    double nombreBrut() const { return nombre_; }
    const std::string& texteBrut() const { return texte_; }

    void poserNombre(double v)
    {
        estTexte_ = false;
        nombre_ = v;
    }
    void poserTexte(std::string_view message)
    {
        estTexte_ = true;
        nombre_ = 0.0;
        texte_.assign(message);
    }

private:
    bool estTexte_ = false;
    double nombre_ = 0.0;
    std::string texte_;
};

} // namespace tarvex
