// The calculator's two constants, each written once.
#pragma once

namespace tarvex::constantes {

// Pi with 15 significant digits, not the double nearest to pi: "H" and the Pi key push it.
constexpr double Pi = 3.14159265358979;
// The degree factor: a 15-digit 2 pi over 360, not pi / 180.
constexpr double FacteurDegre = 6.28318530717958 / 360;

} // namespace tarvex::constantes
