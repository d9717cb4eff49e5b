// The one-argument function keys and the two constants, on the shared key frame.
#include <cmath>
#include <limits>

#include "core/Calculatrice.h"
#include "core/Dispatch.h"
#include "core/Format.h"
#include "math/Verifie.h"

namespace tarvex {

using namespace verifie;

template <class FCalcul>
void Calculatrice::fonction(int registre, Messager message, FCalcul&& calcul, double statistique,
                            bool effaceLettre)
{
    touche(
        registre, message,
        [&] {
            if (e_.NbCaracteres > 0) StackLift();
            e_.DernierX = e_.X().nombre();
            calcul(e_.DernierX); // writes the result, or the key's domain message, into X
            if (effaceLettre) e_.EntreeParLettre = Faux;
            RefreshDisplay();
        },
        [&] {
            LeaveStatMode();
            afficherStat(statistique);
        });
}

template <class FCalcul>
void Calculatrice::fonctionComptage(int registre, Messager message, FCalcul&& calcul)
{
    // The keys of letter A show the count of samples in ModeStat.
    touche(
        registre, message,
        [&] {
            if (e_.NbCaracteres > 0) StackLift();
            e_.DernierX = e_.X().nombre();
            calcul(e_.DernierX);
            RefreshDisplay();
        },
        [&] {
            LeaveStatMode();
            v_.legende(Ctl::lblResultat, texteEntier(e_.NbEchantillons));
        });
}

void Calculatrice::cmdRacine_Click()
{
    fonctionComptage(1, messages::erreur, [this](double x) {
        if (x < 0.0)
            e_.X().poserTexte(messages::SqrtNeg);
        else
            e_.X().poserNombre(racine(x));
    });
}

void Calculatrice::CmdSquare_Click()
{
    fonctionComptage(1, messages::erreur, [this](double x) { e_.X().poserNombre(produit(x, x)); });
}

void Calculatrice::cmdExp_Click()
{
    fonction(
        2, messages::exponentielle, [this](double x) { e_.X().poserNombre(exponentielle(x)); },
        e_.SommeX, false);
}

void Calculatrice::cmdDix_Click()
{
    fonction(
        2, messages::exponentielle, [this](double x) { e_.X().poserNombre(puissance(10.0, x)); },
        e_.SommeX, false);
}

void Calculatrice::cmdLog_Click()
{
    fonction(
        3, messages::erreur,
        [this](double x) {
            if (x <= 0.0)
                e_.X().poserTexte(messages::LogNeg);
            else
                e_.X().poserNombre(ln(x));
        },
        e_.SommeY, true);
}

void Calculatrice::cndLog10_Click()
{
    fonction(
        3, messages::erreur,
        [this](double x) {
            if (x <= 0.0)
                e_.X().poserTexte(messages::LogNeg);
            else
                e_.X().poserNombre(quotient(ln(x), ln(10.0)));
        },
        e_.SommeY, true);
}

void Calculatrice::cmdInverse_Click()
{
    fonction(
        5, messages::erreur,
        [this](double x) {
            if (x == 0.0)
                e_.X().poserTexte(messages::DivisionPar0);
            else
                e_.X().poserNombre(quotient(1.0, x));
        },
        e_.SommeY2, false);
}

void Calculatrice::cmdxfact_Click()
{
    fonction(
        5, messages::factorielle,
        [this](double x) {
            // The integer part toward minus infinity, as a 32-bit integer; the product runs
            // upward and overflows from 171 on.
            const double plancher = std::floor(x);
            if (plancher < std::numeric_limits<std::int32_t>::min() ||
                plancher > std::numeric_limits<std::int32_t>::max())
                throw Echec(Defaut::Depassement);
            const auto n = static_cast<std::int32_t>(plancher);
            double f = 1.0;
            for (std::int32_t i = 1; i <= n; ++i) f = produit(f, i);
            e_.X().poserNombre(f);
        },
        e_.SommeY2, false);
}

void Calculatrice::constante(double valeur)
{
    if (e_.NbCaracteres > 0) StackLift();
    e_.DernierX = e_.X().nombre();
    e_.X().poserNombre(valeur); // overwritten, then pushed by Enter
    cmdEnter_Click();
    RefreshDisplay();
}

void Calculatrice::cmdPi_Click()
{
    // The 15-digit value, not the double nearest to pi.
    touche(
        5, messages::erreur, [this] { constante(3.14159265358979); },
        [this] {
            LeaveStatMode();
            afficherStat(e_.SommeY2);
        });
}

void Calculatrice::cmdEe_Click()
{
    touche(
        5, messages::erreur, [this] { constante(exponentielle(1.0)); },
        [this] {
            LeaveStatMode();
            afficherStat(e_.SommeY2);
        });
}

} // namespace tarvex
