// Events from a front end, and the small steps that many keys share.
#include "core/Calculatrice.h"

#include "core/Dispatch.h"
#include "core/Format.h"
#include "core/Messages.h"

namespace tarvex {

Calculatrice::Calculatrice() { Form_Load(); }

bool Calculatrice::cliquer(Ctl c)
{
    if (!accepteClic(c)) return false;
    if (!v_[c].visible || !v_[c].actif) return true; // a disabled control ignores the mouse

    v_.donnerFocus(c);
    if (definition(c).genre == Genre::Option) {
        // A click selects its button (whether or not it was selected) and runs its click.
        for (Ctl o : {Ctl::Option1, Ctl::Option2, Ctl::Option3}) v_.selectionne(o, o == c);
    }
    if (const Operation clic = liaisons().clics[indice(c)]) clic(*this);
    return true;
}

bool Calculatrice::doubleCliquer(Ctl c)
{
    if (c != Ctl::OLE1) return false;
    OLE1_DblClick();
    return true;
}

void Calculatrice::OLE1_DblClick() { v_.ouvrirManuel(); }

void Calculatrice::choisirOption(Ctl option)
{
    if (v_[option].selectionne) return;
    for (Ctl o : {Ctl::Option1, Ctl::Option2, Ctl::Option3}) v_.selectionne(o, o == option);
    liaisons().clics[indice(option)](*this);
}

void Calculatrice::interroge() { v_.legende(Ctl::lblResultat, messages::Interrogation); }

void Calculatrice::rappeler(int registre)
{
    e_.ModeTouche = ModeNormal;
    e_.X().poserNombre(e_.Registres[registre]);
    RefreshDisplay();
}

void Calculatrice::sauver(int registre)
{
    e_.ModeTouche = ModeNormal;
    e_.Registres[registre] = e_.X().nombre();
    RefreshDisplay();
}

void Calculatrice::afficherStat(double valeur)
{
    formaterMotif(valeur, "0.0000000E+00", v_.legendeModifiable(Ctl::lblResultat));
}

void Calculatrice::afficherEstimation(std::string_view prefixe, double valeur)
{
    formaterMotif(valeur, "0.00000E+00", tampon_);
    std::string& legende = v_.legendeModifiable(Ctl::lblResultat);
    legende.assign(prefixe);
    legende += tampon_;
}

} // namespace tarvex
