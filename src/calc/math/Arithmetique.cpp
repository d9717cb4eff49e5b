// The two-operand keys: +, -, x, ./. (which drop the stack) and y^x (which does not), the
// register listing of the minus key's second function, and the minus key as the exponent's
// sign.
#include "core/Calculatrice.h"
#include "core/Dispatch.h"
#include "core/Format.h"
#include "math/Verifie.h"

namespace tarvex {

void Calculatrice::arithmetique(char op)
{
    // These keys ignore the key mode; a text operand, an unreadable entry or a result
    // beyond the double range ends in "Erreur" (a lift already made stays made).
    sousConvention(messages::erreur, [&] {
        if (e_.NbCaracteres > 0) StackLift();
        Cellule& x = e_.X();
        if (op == '/' && !x.estTexte() && x.nombreBrut() == 0.0) {
            x.poserTexte(messages::DivisionPar0); // the dividend is dropped all the same
        } else {
            const double a = e_.Y().nombre();
            const double b = x.nombre();
            switch (op) {
            case '+': x.poserNombre(verifie::somme(a, b)); break;
            case '-': x.poserNombre(verifie::difference(a, b)); break;
            case '*': x.poserNombre(verifie::produit(a, b)); break;
            default: x.poserNombre(verifie::quotient(a, b)); break;
            }
        }
        StackDrop();
        RefreshDisplay();
    });
}

void Calculatrice::cmdPlus_Click() { arithmetique('+'); }
void Calculatrice::cmdMul_Click() { arithmetique('*'); }
void Calculatrice::cmdDiv_Click() { arithmetique('/'); }

void Calculatrice::cmdMoins_Click()
{
    if (e_.SaisieExposant) {
        // While the exponent is typed "-" is its sign, as "+/-" there; under a prefix or with
        // the letter mark "+/-" means something else, and this key then does nothing.
        if (e_.ModeTouche == ModeNormal && !e_.EntreeParLettre)
            sousConvention(messages::erreur, [this] { signeExposant(); });
        return;
    }
    if (e_.EntreeParLettre) {
        e_.EntreeParLettre = Faux;
        ShowFirstRegister();
        return;
    }
    arithmetique('-');
}

void Calculatrice::ShowFirstRegister()
{
    for (e_.Compteur = 0; e_.Compteur <= registre('Z'); ++e_.Compteur) {
        const double r = e_.Registres[e_.Compteur];
        if (r != 0.0) {
            formaterMotif(r, "+0.0#####E+00", tampon_);
            std::string& legende = v_.legendeModifiable(Ctl::lblResultat);
            legende.assign(1, lettreRegistre(e_.Compteur));
            legende += '=';
            legende += tampon_;
            return;
        }
    }
    v_.legende(Ctl::lblResultat, messages::RienEnMemoire);
}

void Calculatrice::cmdYtoX_Click()
{
    touche(
        lettre('D'), messages::puissance,
        [this] {
            if (e_.NbCaracteres > 0) StackLift();
            e_.DernierX = e_.X().nombre();
            e_.X().poserNombre(verifie::puissance(e_.Y().nombre(), e_.X().nombre()));
            RefreshDisplay(); // no drop: Y keeps its value
        },
        montrer(e_.SommeX2));
}

} // namespace tarvex
