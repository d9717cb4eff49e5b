// The prefix keys that have no button: store (G), recall (H), roll down or hyperbolic (I).
#include "core/Calculatrice.h"
#include "core/Dispatch.h"
#include "math/Constantes.h"
#include "math/Verifie.h"

namespace tarvex {

void Calculatrice::StorePrefix()
{
    touche(
        lettre('G'), messages::erreur,
        [this] {
            if (e_.EntreeParLettre) { // the upper-case G only clears the mark
                e_.EntreeParLettre = Faux;
                return;
            }
            if (e_.NbCaracteres > 0) StackLift();
            e_.ModeTouche = ModeSauve;
            v_.legende(Ctl::lblResultat, messages::Sauve);
        },
        [this] {
            LeaveStatMode();
            afficherStat(verifie::quotient(e_.SommeX, e_.NbEchantillons));
        });
}

void Calculatrice::RecallPrefix()
{
    touche(
        lettre('H'), messages::erreur,
        [this] {
            if (e_.EntreeParLettre) { // the upper-case H pushes the 15-digit pi
                StackLift();
                e_.X().poserNombre(constantes::Pi);
                e_.EntreeParLettre = Faux;
                RefreshDisplay();
                return;
            }
            if (e_.NbCaracteres > 0) StackLift();
            e_.ModeTouche = ModeRappel;
            StackLift(); // the register branch of the next key replaces the copy of X
            v_.legende(Ctl::lblResultat, messages::Rappel);
        },
        [this] {
            LeaveStatMode();
            afficherStat(verifie::quotient(e_.SommeY, e_.NbEchantillons));
        });
}

void Calculatrice::RollDownHyp()
{
    if (e_.EntreeParLettre) {
        // The hyperbolic prefix, whatever the key mode.
        sousConvention(messages::erreur, [this] {
            if (e_.NbCaracteres > 0) StackLift();
            e_.ModeTouche = ModeHyp;
            e_.EntreeParLettre = Faux;
            v_.legende(Ctl::lblResultat, messages::Hyp);
            colorerTrigo(couleurs::Cyan);
        });
        return;
    }
    touche(
        lettre('I'), messages::erreur,
        [this] {
            // An entry in progress is not read: the refresh discards it.
            e_.Tampon = e_.X().nombre();
            descendrePile(IdxX);
            e_.Pile[IdxY0].poserNombre(e_.Tampon);
            RefreshDisplay();
        },
        [this] {
            LeaveStatMode();
            afficherStat(verifie::quotient(e_.SommeXY, e_.SommeY));
        });
}

} // namespace tarvex
