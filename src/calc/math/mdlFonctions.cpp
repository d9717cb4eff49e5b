// The arc and hyperbolic functions, in exactly the order of their formulas: results must
// match digit for digit, cancellations included (ArgSinH of -1E+7 is about -16.8054).
#include "math/mdlFonctions.h"

#include "math/Verifie.h"

namespace tarvex::mdlFonctions {

using namespace verifie;

double ArcSin(const Cellule& cx)
{
    const double x = cx.nombre();
    const double t = -x;
    const double p = produit(t, x);
    const double q = somme(p, 1.0);
    const double root = racine(q);
    return arcTangente(quotient(x, root));
}

double ArcCos(const Cellule& cx)
{
    const double x = cx.nombre();
    const double a = arcTangente(1.0);
    const double q = somme(produit(-x, x), 1.0);
    const double root = racine(q);
    const double v = arcTangente(quotient(-x, root));
    return somme(v, somme(a, a));
}

double SinH(const Cellule& cx)
{
    const double x = cx.nombre();
    const double e1 = exponentielle(-x);
    const double e2 = exponentielle(x);
    return quotient(difference(e2, e1), 2.0);
}

double CosH(const Cellule& cx)
{
    const double x = cx.nombre();
    const double e1 = exponentielle(-x);
    const double e2 = exponentielle(x);
    return quotient(somme(e2, e1), 2.0);
}

double TanH(const Cellule& cx)
{
    const double x = cx.nombre();
    const double a = exponentielle(-x);
    const double b = exponentielle(x);
    const double c = exponentielle(-x);
    const double d = exponentielle(x);
    return quotient(difference(d, a), somme(c, b));
}

double ArgSinH(const Cellule& cx)
{
    const double x = cx.nombre();
    const double p = produit(x, x);
    const double q = somme(p, 1.0);
    const double r = racine(q);
    const double s = somme(x, r);
    return ln(s);
}

double ArgCosH(const Cellule& cx)
{
    const double x = cx.nombre();
    const double p = produit(x, x);
    const double q = difference(p, 1.0);
    const double r = racine(q);
    const double s = somme(x, r);
    return ln(s);
}

double ArgTanH(const Cellule& cx)
{
    const double x = cx.nombre();
    const double u = somme(1.0, x);
    const double v = difference(1.0, x);
    const double w = quotient(u, v);
    return quotient(ln(w), 2.0);
}

} // namespace tarvex::mdlFonctions
