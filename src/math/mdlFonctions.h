// The mathematical helper functions of the trigonometric and hyperbolic keys. Each takes
// the X cell and returns a double in radians (no angle factor); none catches a failure: it
// reaches the error convention of the calling key.
#pragma once

#include "core/Cellule.h"

namespace tarvex::mdlFonctions {

double ArcSin(const Cellule& x);
double ArcCos(const Cellule& x);
double SinH(const Cellule& x);
double CosH(const Cellule& x);
double TanH(const Cellule& x);
double ArgSinH(const Cellule& x);
double ArgCosH(const Cellule& x);
double ArgTanH(const Cellule& x);

} // namespace tarvex::mdlFonctions
