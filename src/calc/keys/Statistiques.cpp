// Two-variable statistics: the running sums, the one-shot statistics mode that relabels
// eleven keys, and what each key shows in it.
#include <limits>

#include "core/Calculatrice.h"
#include "core/Dispatch.h"
#include "core/Format.h"
#include "math/Verifie.h"

namespace tarvex {

using namespace verifie;

namespace {

struct Etiquette {
    Ctl cle;
    std::string_view legendeStat, infobulleStat, legende, infobulle;
};

// The key of letter A is labelled on cmdRacine, the one of its two buttons that paints its
// background; its normal label names the square root that it computes.
constexpr Etiquette Etiquettes[] = {
    {Ctl::cmdRacine, "n", "Nombre d'échantillons", "x^.5", "Racine carrée de X"},
    {Ctl::cmdExp, "x", "Somme des X", "e^x", "Exponentielle de X"},
    {Ctl::cmdLog, "y", "Somme des Y", "Ln", "Logarithme népérien de X"},
    {Ctl::cmdYtoX, "x^2", "Somme des x^2", "y^x", "Y puissance X"},
    {Ctl::cmdInverse, "y^2", "Somme des y^2", "1/x", "Inverse de X"},
    {Ctl::cmdCos, "sx", "Ecart type sur X", "Cos", "Cosinus X"},
    {Ctl::cmdTan, "sy", "Ecart type sur Y", "Tan", "Tangente X"},
    {Ctl::cmdEnter, "x'", "Valeur de X connaissant Y", "Entrer", "Entrer dans la pile"},
    {Ctl::cmdPermutation, "y'", "Valeur de Y connaissant X", "xy", "Permutation de X et Y"},
    {Ctl::cmdSigne, "r", "Coefficient de corrélation", "+/-", "Changement de signe"},
    {Ctl::cmdPuissance, "m", "Pente de la droite", "E", "Saisie de l'exposant"},
};

} // namespace

void Calculatrice::etiquettesStat(bool stat)
{
    for (const Etiquette& et : Etiquettes) {
        v_.legende(et.cle, stat ? et.legendeStat : et.legende);
        v_.fond(et.cle, stat ? couleurs::Jaune : couleurs::FaceBouton);
        v_.infobulle(et.cle, stat ? et.infobulleStat : et.infobulle);
    }
}

void Calculatrice::LeaveStatMode()
{
    e_.ModeTouche = ModeNormal;
    etiquettesStat(false);
}

void Calculatrice::SigmaPlus()
{
    touche(
        lettre('F'), messages::erreur,
        [this] {
            if (e_.NbCaracteres > 0) StackLift();
            // The count first, then the sums in order: what was updated before a failure
            // stays updated.
            const bool retrait = e_.EntreeParLettre; // the upper-case F removes the point
            if (retrait) e_.EntreeParLettre = Faux;
            double (*const cumuler)(double, double) = retrait ? difference : somme;
            e_.NbEchantillons = entier16(long{e_.NbEchantillons} + (retrait ? -1 : 1));
            e_.SommeX = cumuler(e_.SommeX, e_.X().nombre());
            e_.SommeY = cumuler(e_.SommeY, e_.Y().nombre());
            e_.SommeX2 = cumuler(e_.SommeX2, produit(e_.X().nombre(), e_.X().nombre()));
            e_.SommeY2 = cumuler(e_.SommeY2, produit(e_.Y().nombre(), e_.Y().nombre()));
            e_.SommeXY = cumuler(e_.SommeXY, produit(e_.X().nombre(), e_.Y().nombre()));
            // The stack is not refreshed: Label5 and Label4 still show x and y.
            v_.legende(Ctl::lblResultat, texteEntier(e_.NbEchantillons));
        },
        montrer(e_.SommeXY));
}

void Calculatrice::EnterStatMode()
{
    sousConvention(messages::erreur, [this] {
        if (e_.NbEchantillons < 2) {
            v_.legende(Ctl::lblResultat, messages::PileStatVide);
            return;
        }
        e_.ModeTouche = ModeStat;
        etiquettesStat(true);
        // Each result is stored only once it is computed: a failure keeps the old values.
        const double n = e_.NbEchantillons;
        e_.EcartXX = difference(e_.SommeX2, quotient(produit(e_.SommeX, e_.SommeX), n));
        e_.EcartYY = difference(e_.SommeY2, quotient(produit(e_.SommeY, e_.SommeY), n));
        e_.EcartXY = difference(e_.SommeXY, quotient(produit(e_.SommeX, e_.SommeY), n));
        if (e_.EcartXX == 0.0) { // every x the same: a vertical line
            e_.Pente = std::numeric_limits<double>::infinity();
            return;
        }
        e_.Pente = quotient(e_.EcartXY, e_.EcartXX);
        e_.Ordonnee = quotient(
            difference(e_.SommeY, quotient(produit(e_.SommeX, e_.EcartXY), e_.EcartXX)), n);
    });
}

void Calculatrice::estimationX()
{
    LeaveStatMode();
    if (e_.NbCaracteres > 0) StackLift();
    if (e_.Pente == std::numeric_limits<double>::infinity()) {
        afficherEstimation("x=", quotient(e_.SommeX, e_.NbEchantillons));
    } else {
        afficherEstimation("x=", quotient(difference(e_.X().nombre(), e_.Ordonnee), e_.Pente));
    }
}

void Calculatrice::estimationY()
{
    LeaveStatMode();
    if (e_.NbCaracteres > 0) StackLift();
    // A vertical line has no y for a given x: the product with an infinite slope fails.
    afficherEstimation("y=", somme(produit(e_.X().nombre(), e_.Pente), e_.Ordonnee));
}

void Calculatrice::correlation()
{
    LeaveStatMode();
    afficherEstimation("r=", quotient(e_.EcartXY, puissance(produit(e_.EcartYY, e_.EcartXX), 0.5)));
}

void Calculatrice::pente()
{
    LeaveStatMode();
    afficherEstimation("m=", fini(e_.Pente)); // an infinite slope has no text: a failure
}

void Calculatrice::estimationB()
{
    LeaveStatMode();
    afficherEstimation("b=", e_.Ordonnee);
}

} // namespace tarvex
