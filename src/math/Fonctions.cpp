// The one-argument function keys and the two constants, on the shared key frame.
#include <cmath>
#include <limits>

#include "core/Calculatrice.h"
#include "core/Dispatch.h"
#include "core/Format.h"
#include "math/Constantes.h"
#include "math/Verifie.h"

namespace tarvex {

using namespace verifie;

template <class FCalcul, class FStat>
void Calculatrice::fonction(SousPrefixe prefixe, Messager message, FCalcul&& calcul, FStat&& stat)
{
    touche(
        prefixe, message,
        [&] {
            if (e_.NbCaracteres > 0) StackLift();
            e_.DernierX = e_.X().nombre();
            calcul(e_.DernierX);
            RefreshDisplay();
        },
        stat);
}

// The keys of letter A show the count of samples in ModeStat.
void Calculatrice::compter()
{
    LeaveStatMode();
    v_.legende(Ctl::lblResultat, texteEntier(e_.NbEchantillons));
}

void Calculatrice::cmdRacine_Click()
{
    fonction(
        lettre('A'), messages::erreur,
        [this](double x) {
            if (x < 0.0)
                e_.X().poserTexte(messages::SqrtNeg);
            else
                e_.X().poserNombre(racine(x));
        },
        [this] { compter(); });
}

void Calculatrice::CmdSquare_Click()
{
    fonction(
        lettre('A'), messages::erreur, [this](double x) { e_.X().poserNombre(produit(x, x)); },
        [this] { compter(); });
}

void Calculatrice::cmdExp_Click()
{
    fonction(
        lettre('B'), messages::exponentielle,
        [this](double x) { e_.X().poserNombre(exponentielle(x)); }, montrer(e_.SommeX));
}

void Calculatrice::cmdDix_Click()
{
    fonction(
        lettre('B'), messages::exponentielle,
        [this](double x) { e_.X().poserNombre(puissance(10.0, x)); }, montrer(e_.SommeX));
}

// Both logarithms clear the letter mark, even on a refusal.
void Calculatrice::cmdLog_Click()
{
    fonction(
        lettre('C'), messages::erreur,
        [this](double x) {
            if (x <= 0.0)
                e_.X().poserTexte(messages::LogNeg);
            else
                e_.X().poserNombre(ln(x));
            e_.EntreeParLettre = Faux;
        },
        montrer(e_.SommeY));
}

void Calculatrice::cndLog10_Click()
{
    fonction(
        lettre('C'), messages::erreur,
        [this](double x) {
            if (x <= 0.0)
                e_.X().poserTexte(messages::LogNeg);
            else
                e_.X().poserNombre(logDecimal(x));
            e_.EntreeParLettre = Faux;
        },
        montrer(e_.SommeY));
}

void Calculatrice::cmdInverse_Click()
{
    fonction(
        lettre('E'), messages::erreur,
        [this](double x) {
            if (x == 0.0)
                e_.X().poserTexte(messages::DivisionPar0);
            else
                e_.X().poserNombre(quotient(1.0, x));
        },
        montrer(e_.SommeY2));
}

void Calculatrice::cmdxfact_Click()
{
    fonction(
        lettre('E'), messages::factorielle,
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
        montrer(e_.SommeY2));
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
    touche(
        lettre('E'), messages::erreur, [this] { constante(constantes::Pi); }, montrer(e_.SommeY2));
}

void Calculatrice::cmdEe_Click()
{
    touche(
        lettre('E'), messages::erreur, [this] { constante(exponentielle(1.0)); },
        montrer(e_.SommeY2));
}

} // namespace tarvex
