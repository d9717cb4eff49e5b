#include "core/Echec.h"

namespace tarvex {

const char* Echec::what() const noexcept
{
    switch (defaut_) {
    case Defaut::Depassement: return "overflow";
    case Defaut::ArgumentInvalide: return "invalid argument";
    case Defaut::DiviseurNul: return "division by zero";
    case Defaut::TexteNonNombre: return "text is not a number";
    }
    return "calculation failure";
}

} // namespace tarvex
