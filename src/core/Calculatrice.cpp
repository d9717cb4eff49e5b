// Events from a front end, and the small steps that many keys share.
#include "core/Calculatrice.h"

#include "core/Dispatch.h"
#include "core/Format.h"
#include "core/Messages.h"

namespace tarvex {

Calculatrice::Calculatrice() { Form_Load(); }

bool Calculatrice::accepteClic(Ctl c)
{
    const Genre g = definition(c).genre;
    return g == Genre::Bouton || g == Genre::Option;
}

bool Calculatrice::cliquer(Ctl c)
{
    if (!accepteClic(c)) return false;
    if (!v_[c].visible || !v_[c].actif) return true; // a disabled control ignores the mouse

    v_.donnerFocus(c);
    if (definition(c).genre == Genre::Option) {
        // A click selects its button (whether or not it was selected) and runs its click.
        for (Ctl o : {Ctl::Option1, Ctl::Option2, Ctl::Option3}) v_.selectionne(o, o == c);
    }

    if (indice(c) >= indice(Ctl::cmdChiffre0) && indice(c) <= indice(Ctl::cmdChiffre9)) {
        cmdChiffre_Click(static_cast<int>(indice(c) - indice(Ctl::cmdChiffre0)));
        return true;
    }
    switch (c) {
    case Ctl::cmdScient: cmdScient_Click(); break;
    case Ctl::cmdFixe: cmdFixe_Click(); break;
    case Ctl::Option1: Option1_Click(); break;
    case Ctl::Option2: Option2_Click(); break;
    case Ctl::Option3: Option3_Click(); break;
    case Ctl::cmdDecimale: cmdDecimale_Click(); break;
    case Ctl::cmdSigne: cmdSigne_Click(); break;
    case Ctl::cmdPuissance: cmdPuissance_Click(); break;
    case Ctl::cmdEnter: cmdEnter_Click(); break;
    case Ctl::cmdDiv: cmdDiv_Click(); break;
    case Ctl::cmdMul: cmdMul_Click(); break;
    case Ctl::cmdPlus: cmdPlus_Click(); break;
    case Ctl::cmdMoins: cmdMoins_Click(); break;
    case Ctl::cmdRacine: cmdRacine_Click(); break;
    case Ctl::cmdExp: cmdExp_Click(); break;
    case Ctl::cmdLog: cmdLog_Click(); break;
    case Ctl::cmdSin: cmdSin_Click(); break;
    case Ctl::cmdCos: cmdCos_Click(); break;
    case Ctl::cmdTan: cmdTan_Click(); break;
    case Ctl::CmdSquare: CmdSquare_Click(); break;
    case Ctl::cmdDix: cmdDix_Click(); break;
    case Ctl::cndLog10: cndLog10_Click(); break;
    case Ctl::cmdAsin: cmdAsin_Click(); break;
    case Ctl::cmdAcos: cmdAcos_Click(); break;
    case Ctl::cmdAtan: cmdAtan_Click(); break;
    case Ctl::cmdInverse: cmdInverse_Click(); break;
    case Ctl::cmdYtoX: cmdYtoX_Click(); break;
    case Ctl::cmdxfact: cmdxfact_Click(); break;
    case Ctl::cmdPi: cmdPi_Click(); break;
    case Ctl::cmdHsin: cmdHsin_Click(); break;
    case Ctl::cmdHcos: cmdHcos_Click(); break;
    case Ctl::cmdHtan: cmdHtan_Click(); break;
    case Ctl::cmdEe: cmdEe_Click(); break;
    case Ctl::cmdAHsin: cmdAHsin_Click(); break;
    case Ctl::cmdAHcos: cmdAHcos_Click(); break;
    case Ctl::cmdAHtan: cmdAHtan_Click(); break;
    case Ctl::cmdPermutation: cmdPermutation_Click(); break;
    case Ctl::cmdClear: cmdClear_Click(); break;
    case Ctl::cmdEraseLonP: cmdEraseLonP_Click(); break;
    case Ctl::cmdEraseP: cmdEraseP_Click(); break;
    default: break; // cmdCmplx: never available
    }
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
    switch (option) {
    case Ctl::Option1: Option1_Click(); break;
    case Ctl::Option2: Option2_Click(); break;
    case Ctl::Option3: Option3_Click(); break;
    default: break;
    }
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
