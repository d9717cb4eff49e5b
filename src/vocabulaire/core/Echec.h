// The one failure type of the calculator: checked conversions and checked maths raise it,
// and only a key's error convention catches it and chooses the message.
#pragma once

#include <exception>

namespace tarvex {

enum class Defaut {
    Depassement,      // a result beyond the double range (or a 16-bit counter out of range)
    ArgumentInvalide, // an argument outside the function's domain
    DiviseurNul,      // a division by zero
    TexteNonNombre,   // a text cell (or an unreadable entry) where a number is needed
};

class Echec : public std::exception {
public:
    explicit Echec(Defaut defaut) noexcept : defaut_(defaut) {}
    Defaut defaut() const noexcept { return defaut_; }
    const char* what() const noexcept override;

private:
    Defaut defaut_;
};

} // namespace tarvex
