#!/usr/bin/env python3
"""Prints the reference rows of tests/mdl/test_mdl.cpp, key by key: the arguments the key
refuses (outside the domain, or a value beyond the double range), then each argument with the
correctly rounded value of the key's function, computed with 300-bit arithmetic
(python3-mpmath), in radians, then for the arcs in degrees at a few arguments (the exact arc
divided by the calculator's 15-digit degree factor). Last, the range of powers of ten whose
decimal logarithm rounds to the exponent itself.

    scripts/valeurs-de-reference.py > /tmp/lignes.txt

The tests do not run this script: its output is pasted into the test file.
"""
import math
import sys

import mpmath
from mpmath import mp, mpf

mp.prec = 300

FACTEUR_DEGRE = 6.28318530717958 / 360  # the double the calculator uses
PLUS_GRAND = sys.float_info.max
APRES_1 = math.nextafter(1.0, 2.0)
AVANT_1 = math.nextafter(1.0, 0.0)
# The largest argument whose sinh and cosh are finite doubles.
SH_MAX = 710.4758600739439

TOUCHES = {
    "cmdAsin": (mpmath.asin, lambda x: -1 <= x <= 1, True),
    "cmdAcos": (mpmath.acos, lambda x: -1 <= x <= 1, True),
    "cndLog10": (mpmath.log10, lambda x: x > 0, False),
    "cmdHsin": (mpmath.sinh, lambda x: True, False),
    "cmdHcos": (mpmath.cosh, lambda x: True, False),
    "cmdHtan": (mpmath.tanh, lambda x: True, False),
    "cmdAHsin": (mpmath.asinh, lambda x: True, False),
    "cmdAHcos": (mpmath.acosh, lambda x: x >= 1, False),
    "cmdAHtan": (mpmath.atanh, lambda x: -1 < x < 1, False),
}

# The arcs in degree mode: at the edges of the domain and at half of it.
EN_DEGRES = [5e-324, 0.5, -0.5, AVANT_1, -AVANT_1, 1.0, -1.0]

# Small arguments (where a difference of nearly equal terms cancelled), large ones, the edges
# of the domain and of the double range, and a few ordinary ones.
ARGUMENTS = {
    "cmdAsin": [0.0, 5e-324, 1e-8, 0.5, -0.5, 0.9, 0.99999, AVANT_1, -AVANT_1, 1.0, -1.0,
                APRES_1, -APRES_1, 2.0],
    "cmdAcos": [0.0, 1e-8, 0.5, -0.5, 0.99, AVANT_1, -AVANT_1, 1.0, -1.0, APRES_1,
                -1e300],
    "cndLog10": [2.0, 0.5, AVANT_1, APRES_1, 5e-324, PLUS_GRAND, 0.0, -0.0, -1.0],
    "cmdHsin": [1.743830416181688e-12, 5e-324, 1e-8, -1e-5, 0.1, 1.0, 20.0, -710.0,
                SH_MAX, -SH_MAX, math.nextafter(SH_MAX, 800), -math.nextafter(SH_MAX, 800)],
    "cmdHcos": [0.0, -3.0, 710.0, SH_MAX, -SH_MAX,
                math.nextafter(SH_MAX, 800), -1e300],
    "cmdHtan": [1e-12, 0.5, -1.0, 19.0, 710.0, -PLUS_GRAND],
    "cmdAHsin": [5e-324, 1e-12, -1e-10, 1.0, -1e7, -1e8, 2e154, PLUS_GRAND,
                 -PLUS_GRAND],
    "cmdAHcos": [1.0, APRES_1, 1.000000001, 2.0, 1e10, PLUS_GRAND, AVANT_1, 0.0,
                 -2.0],
    "cmdAHtan": [5e-324, 1e-12, 0.5, -0.25, AVANT_1, -AVANT_1, 1.0, -1.0, APRES_1,
                 2.0],
}


def arrondi(v):
    """The double nearest to v, or None beyond the double range."""
    d = mpmath.libmp.to_float(mpf(v)._mpf_, rnd="n")
    return None if math.isinf(d) else d


def paquets(elements, retrait, largeur=100):
    """Elements joined by ", " in lines of at most `largeur` columns."""
    lignes, ligne = [], ""
    for e in elements:
        if ligne and len(retrait) + len(ligne) + len(e) + 2 > largeur:
            lignes.append(retrait + ligne.rstrip())
            ligne = ""
        ligne += e + ", "
    if ligne:
        lignes.append(retrait + ligne.rstrip())
    return "\n".join(lignes)


def main():
    for touche, xs in ARGUMENTS.items():
        f, domaine, angle = TOUCHES[touche]
        radian, degre, refus = [], [], []
        for x in xs:
            exact = f(mpf(x)) if domaine(x) else None
            r = None if exact is None else arrondi(exact)
            if r is None:
                refus.append(repr(x))
                continue
            radian.append(f"{{{x!r}, {r!r}}}")
            if angle and x in EN_DEGRES:
                degre.append(f"{{{x!r}, {arrondi(exact / mpf(FACTEUR_DEGRE))!r}}}")
        print(f"    {{Ctl::{touche}, {{{', '.join(refus)}}},")
        listes = [paquets(liste, " " * 6)[6:].rstrip(",") for liste in (radian, degre) if liste]
        print(",\n".join("     {" + liste + "}" for liste in listes) + "},")
    # Every power of ten whose decimal logarithm rounds to the exponent itself.
    exacts = [k for k in range(-330, 310)
              if float(f"1e{k}") > 0 and arrondi(mpmath.log10(mpf(float(f"1e{k}")))) == k]
    assert exacts == list(range(exacts[0], exacts[-1] + 1))
    print(f"Log exact from 1e{exacts[0]} to 1e{exacts[-1]}")


if __name__ == "__main__":
    main()
