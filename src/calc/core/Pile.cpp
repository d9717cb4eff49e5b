// The stack: start-up state, refresh, lift and drop, "Entrer", a pasted number and the
// correction keys.
#include "core/Calculatrice.h"
#include "core/Dispatch.h"
#include "core/Format.h"
#include "core/Messages.h"
#include "entry/Lecture.h"

#include <algorithm>

namespace tarvex {

void Calculatrice::Form_Load()
{
    e_.NbCaracteres = 0;
    e_.NbEchantillons = 0;
    e_.SommeX = e_.SommeY = e_.SommeX2 = e_.SommeY2 = e_.SommeXY = 0.0;
    e_.SaisieExposant = Faux;
    e_.PointDecimal = Faux;
    e_.EntreeParLettre = Faux;
    e_.ModeRadian = Vrai;
    e_.FacteurAngle = 1.0;

    e_.FormatAffichage = "0.0000000E+00";
    e_.NbDecimales = 7;

    v_.visible(Ctl::lblfixe, false);
    v_.visible(Ctl::lblscien, true);
    v_.legende(Ctl::lblChiffre, texteEntier(e_.NbDecimales));

    e_.ModeTouche = ModeNormal;

    e_.Registres.fill(0.0);
    for (e_.Compteur = 0; e_.Compteur <= 4; ++e_.Compteur) e_.Pile[e_.Compteur].poserNombre(0.0);
    // The loop leaves Compteur at 5; the labels keep what they show until the next refresh.
}

void Calculatrice::RefreshDisplay()
{
    static constexpr Ctl Etiquettes[5] = {Ctl::Label1, Ctl::Label2, Ctl::Label3, Ctl::Label4,
                                          Ctl::Label5};
    for (int i = 0; i < 5; ++i) {
        const Cellule& c = e_.Pile[i];
        std::string& legende = v_.legendeModifiable(Etiquettes[i]);
        if (c.estTexte())
            legende = c.texteBrut();
        else
            texteGeneral(c.nombreBrut(), legende);
    }

    e_.NbCaracteres = 0;
    e_.SaisieExposant = Faux;
    e_.PointDecimal = Faux;

    const Cellule& x = e_.X();
    std::string& resultat = v_.legendeModifiable(Ctl::lblResultat);
    if (x.estTexte())
        resultat = x.texteBrut();
    else
        formaterMotif(x.nombreBrut(), e_.FormatAffichage, resultat);

    v_.donnerFocus(Ctl::cmdEnter);
}

void Calculatrice::monterPile() { std::copy(e_.Pile.begin() + 1, e_.Pile.end(), e_.Pile.begin()); }

void Calculatrice::descendrePile(int niveau)
{
    std::copy_backward(e_.Pile.begin(), e_.Pile.begin() + niveau, e_.Pile.begin() + niveau + 1);
}

void Calculatrice::StackLift()
{
    monterPile();
    // An unreadable entry fails here: the stack stays lifted.
    if (e_.NbCaracteres > 0) e_.X().poserNombre(lireEntree(v_[Ctl::lblResultat].legende));
    RefreshDisplay();
}

void Calculatrice::StackDrop()
{
    descendrePile(IdxY);
    RefreshDisplay();
}

void Calculatrice::entrer()
{
    StackLift();
    if (e_.EntreeParLettre) {
        e_.EntreeParLettre = Faux;
        e_.X().poserNombre(e_.DernierX);
    }
    RefreshDisplay();
}

void Calculatrice::permuter()
{
    if (e_.NbCaracteres > 0) StackLift();
    e_.Tampon = e_.X().nombre();
    e_.X() = e_.Y();
    e_.Y().poserNombre(e_.Tampon);
    RefreshDisplay();
}

void Calculatrice::coller(double valeur)
{
    // An entry that does not read fails in the first lift, as under any key.
    sousConvention(messages::erreur, [&] {
        if (e_.NbCaracteres > 0) StackLift();
        StackLift();
        e_.X().poserNombre(valeur);
        RefreshDisplay();
    });
}

void Calculatrice::cmdEnter_Click()
{
    touche(
        lettre('M'), messages::erreur, [this] { entrer(); }, [this] { estimationX(); });
}

void Calculatrice::cmdPermutation_Click()
{
    touche(
        lettre('N'), messages::erreur, [this] { permuter(); }, [this] { estimationY(); });
}

void Calculatrice::cmdEraseP_Click()
{
    touche(
        RienSousPrefixe, messages::erreur,
        [this] {
            for (auto& c : e_.Pile) c.poserNombre(0.0);
            RefreshDisplay();
        },
        [this] { estimationB(); });
}

void Calculatrice::cmdEraseLonP_Click()
{
    touche(
        RienSousPrefixe, messages::erreur,
        [this] {
            if (e_.NbCaracteres > 0) {
                EraseLastCharacter();
                return;
            }
            descendrePile(IdxX);
            RefreshDisplay();
            v_.legende(Ctl::lblResultat, ""); // Label5 shows the new X
        },
        [this] { estimationB(); });
}

void Calculatrice::cmdClear_Click()
{
    e_.NbCaracteres = 0;
    e_.SaisieExposant = Faux;
    e_.PointDecimal = Faux;
    v_.legende(Ctl::lblResultat, "0");
}

} // namespace tarvex
