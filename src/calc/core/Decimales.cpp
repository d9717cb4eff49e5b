// The choice of the display pattern: a family key, then a digit (or "E" for 14).
#include "core/Calculatrice.h"
#include "core/Format.h"
#include "core/Messages.h"

namespace tarvex {

namespace {
constexpr Ctl ClesDecimales[] = {Ctl::cmdChiffre0, Ctl::cmdChiffre1, Ctl::cmdChiffre2,
                                 Ctl::cmdChiffre3, Ctl::cmdChiffre4, Ctl::cmdChiffre5,
                                 Ctl::cmdChiffre6, Ctl::cmdChiffre7, Ctl::cmdChiffre8,
                                 Ctl::cmdChiffre9, Ctl::cmdPuissance};
}

void Calculatrice::cmdFixe_Click() { ChoixDecimales(-1); }
void Calculatrice::cmdScient_Click() { ChoixDecimales(+1); }

void Calculatrice::ChoixDecimales(std::int16_t famille)
{
    // An entry in progress is overwritten but not ended: NbCaracteres stays.
    v_.legende(Ctl::lblResultat, messages::NbDecimale);
    for (Ctl c : ClesDecimales) v_.fond(c, couleurs::Jaune);
    e_.NbDecimales = famille;
    e_.ModeTouche = ModeDecimales;
    v_.visible(Ctl::lblfixe, famille < 0);
    v_.visible(Ctl::lblscien, famille > 0);
}

void Calculatrice::choisirDecimales(std::uint8_t chiffre)
{
    e_.ChiffreDecimales = chiffre;
    ApplyDecimals();
}

void Calculatrice::ApplyDecimals()
{
    e_.ModeTouche = ModeNormal;
    e_.Chaine = "0.";
    v_.legende(Ctl::lblChiffre, texteEntier(e_.ChiffreDecimales));
    // Scientific patterns have at most 7 decimals, fixed-point ones up to 14.
    if (e_.NbDecimales > 0 && e_.ChiffreDecimales > 7) e_.ChiffreDecimales = 7;
    e_.NbDecimales = static_cast<std::int16_t>(e_.ChiffreDecimales * e_.NbDecimales);
    while (e_.ChiffreDecimales != 0) {
        e_.Chaine += '0';
        --e_.ChiffreDecimales;
    }
    if (e_.NbDecimales > 0) e_.Chaine += "E+00";
    e_.FormatAffichage = e_.Chaine;
    RefreshDisplay();
    for (Ctl c : ClesDecimales) v_.fond(c, couleurs::FaceBouton);
}

} // namespace tarvex
