// The angle unit, the six circular keys and the six keys with hyperbolic names. Every one
// of them is the same five-branch key: recall, compute, store, statistic, hyperbolic.
#include "core/Calculatrice.h"
#include "core/Dispatch.h"
#include "math/Constantes.h"
#include "math/Verifie.h"
#include "math/mdlFonctions.h"

namespace tarvex {

using namespace verifie;
namespace mf = mdlFonctions;

void Calculatrice::uniteAngle(bool radian)
{
    e_.ModeRadian = radian ? Vrai : Faux;
    v_.legende(Ctl::lblDegRadGra, radian ? messages::Radian : messages::Degre);
    e_.FacteurAngle = radian ? 1.0 : constantes::FacteurDegre;
}

void Calculatrice::Option1_Click() { uniteAngle(true); }

void Calculatrice::Option2_Click()
{
    uniteAngle(false);
    choisirOption(Ctl::Option2);
}

void Calculatrice::Option3_Click()
{
    // There is no grade factor: the grade button selects radian.
    choisirOption(Ctl::Option1);
}

void Calculatrice::colorerTrigo(Couleur c)
{
    v_.fond(Ctl::cmdSin, c);
    v_.fond(Ctl::cmdCos, c);
    v_.fond(Ctl::cmdTan, c);
}

void Calculatrice::trigo(Calcul normal, Famille famille, FonctionX hyp, FonctionX hypInverse)
{
    touche(
        lettre(famille == Famille::Sinus     ? 'J'
               : famille == Famille::Cosinus ? 'K'
                                             : 'L'),
        messages::erreur,
        [&] {
            if (e_.NbCaracteres > 0) StackLift();
            const double x = e_.X().nombre();
            e_.DernierX = x;
            const double f = e_.FacteurAngle;
            double r = 0.0;
            switch (normal) {
            case Calcul::Sin: r = sinus(produit(x, f)); break;
            case Calcul::Cos: r = cosinus(produit(x, f)); break;
            case Calcul::Tan: r = tangente(produit(x, f)); break;
            case Calcul::Asin: r = quotient(mf::ArcSin(e_.X()), f); break;
            case Calcul::Acos: r = quotient(mf::ArcCos(e_.X()), f); break;
            case Calcul::Atan: r = quotient(arcTangente(x), f); break;
            case Calcul::Hyperbolique: r = hyp(e_.X()); break;
            }
            e_.X().poserNombre(r);
            if (normal == Calcul::Asin) e_.EntreeParLettre = Faux;
            RefreshDisplay();
        },
        [&] {
            if (famille == Famille::Sinus)
                interroge();
            else
                ecartType(famille);
        },
        [&] {
            // The prefix ends before anything can fail.
            colorerTrigo(couleurs::FaceBouton);
            e_.ModeTouche = ModeNormal;
            e_.DernierX = e_.X().nombre();
            if (hypInverse != nullptr && e_.EntreeParLettre) {
                e_.X().poserNombre(hypInverse(e_.X()));
                e_.EntreeParLettre = Faux; // only once the inverse has succeeded
            } else {
                e_.X().poserNombre(hyp(e_.X()));
            }
            RefreshDisplay();
        },
        [this] { interroge(); });
}

void Calculatrice::ecartType(Famille famille)
{
    LeaveStatMode();
    const double s = famille == Famille::Cosinus ? e_.SommeX : e_.SommeY;
    const double q = famille == Famille::Cosinus ? e_.SommeX2 : e_.SommeY2;
    const double n = e_.NbEchantillons;
    const std::int16_t nMoins1 = entier16(long{e_.NbEchantillons} - 1);
    const double variance = quotient(difference(q, quotient(produit(s, s), n)), nMoins1);
    afficherStat(puissance(variance, 0.5));
}

void Calculatrice::cmdSin_Click() { trigo(Calcul::Sin, Famille::Sinus, mf::SinH, mf::ArgSinH); }
void Calculatrice::cmdCos_Click() { trigo(Calcul::Cos, Famille::Cosinus, mf::CosH, mf::ArgCosH); }
void Calculatrice::cmdTan_Click() { trigo(Calcul::Tan, Famille::Tangente, mf::TanH, mf::ArgTanH); }
void Calculatrice::cmdAsin_Click() { trigo(Calcul::Asin, Famille::Sinus, mf::SinH, mf::ArgSinH); }
void Calculatrice::cmdAcos_Click() { trigo(Calcul::Acos, Famille::Cosinus, mf::CosH, mf::ArgCosH); }
void Calculatrice::cmdAtan_Click()
{
    trigo(Calcul::Atan, Famille::Tangente, mf::TanH, mf::ArgTanH);
}

// The keys with hyperbolic names compute their own function with or without the prefix, and
// never look at the letter mark; in ModeStat they are their base key.
void Calculatrice::cmdHsin_Click()
{
    trigo(Calcul::Hyperbolique, Famille::Sinus, mf::SinH, nullptr);
}
void Calculatrice::cmdHcos_Click()
{
    trigo(Calcul::Hyperbolique, Famille::Cosinus, mf::CosH, nullptr);
}
void Calculatrice::cmdHtan_Click()
{
    trigo(Calcul::Hyperbolique, Famille::Tangente, mf::TanH, nullptr);
}
void Calculatrice::cmdAHsin_Click()
{
    trigo(Calcul::Hyperbolique, Famille::Sinus, mf::ArgSinH, nullptr);
}
void Calculatrice::cmdAHcos_Click()
{
    trigo(Calcul::Hyperbolique, Famille::Cosinus, mf::ArgCosH, nullptr);
}
void Calculatrice::cmdAHtan_Click()
{
    trigo(Calcul::Hyperbolique, Famille::Tangente, mf::ArgTanH, nullptr);
}

} // namespace tarvex
