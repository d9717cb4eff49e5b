// The entry line: digits, decimal point, exponent, sign and backspace edit the caption of
// lblResultat; the number exists only as that text until an operation reads it. A key the
// entry line cannot take (a limit reached, a second point, a point or "E" in the exponent)
// beeps and changes nothing, so that no typed number becomes another in silence.
#include <algorithm>
#include <climits>

#include "core/Calculatrice.h"
#include "core/Dispatch.h"
#include "core/Utf8.h"

namespace tarvex {

namespace {
constexpr std::int16_t LimiteChiffres = 13; // digits and the decimal point
constexpr std::int16_t LimiteExposant = 9;  // "E" appends three characters
constexpr std::int16_t LimiteSigne = 14;    // an entry of 13 characters and its "-"

char inverseSigne(char c) { return c == '+' ? '-' : c == '-' ? '+' : c; }
} // namespace

void Calculatrice::cmdChiffre_Click(int Index)
{
    touche(
        SansRegistre, messages::erreur, [&] { EntryDigit(Index); }, [this] { interroge(); },
        [this] { interroge(); }, [&] { choisirDecimales(static_cast<std::uint8_t>(Index)); });
}

void Calculatrice::EntryDigit(int d)
{
    std::string& entree = v_.legendeModifiable(Ctl::lblResultat);
    if (e_.NbCaracteres == 0) entree.clear(); // a new entry replaces whatever was shown
    if (e_.NbCaracteres < LimiteChiffres) {
        entree += static_cast<char>('0' + d);
        ++e_.NbCaracteres;
    } else {
        v_.bip();
    }
}

void Calculatrice::cmdDecimale_Click()
{
    if (e_.SaisieExposant || e_.PointDecimal) {
        v_.bip();
    } else if (e_.NbCaracteres == 0) {
        v_.legende(Ctl::lblResultat, "0.");
        e_.PointDecimal = Vrai;
        e_.NbCaracteres += 2;
    } else if (e_.NbCaracteres < LimiteChiffres) {
        v_.legendeModifiable(Ctl::lblResultat) += '.';
        ++e_.NbCaracteres;
        e_.PointDecimal = Vrai;
    } else {
        v_.bip();
    }
}

void Calculatrice::cmdPuissance_Click()
{
    touche(
        lettre('P'), messages::erreur, [this] { exposant(); }, [this] { pente(); },
        [this] { interroge(); }, [this] { choisirDecimales(14); });
}

void Calculatrice::exposant()
{
    if (e_.EntreeParLettre) {
        // The letter form gives the display-format keys back.
        for (Ctl c : {Ctl::cmdScient, Ctl::cmdFixe}) {
            v_.visible(c, true);
            v_.actif(c, true);
        }
        e_.EntreeParLettre = Faux;
        RefreshDisplay();
        return;
    }
    if (e_.SaisieExposant || e_.NbCaracteres >= LimiteExposant) {
        v_.bip(); // the entry keeps the exponent it has, or gets none
        return;
    }
    if (e_.NbCaracteres == 0) {
        v_.legende(Ctl::lblResultat, "1"); // an exponent typed first applies to 1
        e_.NbCaracteres = 1;
    }
    e_.SaisieExposant = Vrai;
    v_.legendeModifiable(Ctl::lblResultat) += "E+0";
    e_.NbCaracteres += 3;
}

void Calculatrice::cmdSigne_Click()
{
    touche(
        lettre('O'), messages::erreur, [this] { signe(); }, [this] { correlation(); });
}

void Calculatrice::signe()
{
    if (e_.EntreeParLettre) {
        e_.EntreeParLettre = Faux;
        uniteAngle(!e_.ModeRadian);
        return;
    }
    if (e_.SaisieExposant) {
        signeExposant();
        return;
    }
    std::string& entree = v_.legendeModifiable(Ctl::lblResultat);
    if (e_.NbCaracteres == 0) {
        entree = "-"; // a new negative entry; X is not negated
        e_.NbCaracteres = 1;
    } else if (utf8::caractere(entree, 1) == "-") {
        --e_.NbCaracteres;
        entree = std::string(utf8::droite(entree, e_.NbCaracteres));
    } else if (e_.NbCaracteres < LimiteSigne) {
        entree.insert(0, 1, '-');
        ++e_.NbCaracteres;
    } else {
        v_.bip();
    }
}

void Calculatrice::signeExposant()
{
    // The first character (a mantissa sign, if any) is copied; every later sign, which can
    // only be the exponent's, is inverted.
    const std::string entree = v_[Ctl::lblResultat].legende;
    e_.Compteur = 1;
    e_.Caractere = utf8::caractere(entree, 1);
    e_.Chaine = e_.Caractere;
    if (e_.NbCaracteres < 1) {
        // With no character counted the loop could only end when the 16-bit counter
        // overflows: its outcome is computed at once, and the key fails.
        const int n = utf8::longueur(entree);
        for (int i = 2; i <= n; ++i) {
            const std::string_view c = utf8::caractere(entree, i);
            if (c.size() == 1)
                e_.Chaine += inverseSigne(c[0]);
            else
                e_.Chaine += c;
        }
        e_.Compteur = INT16_MAX;
        e_.Caractere = utf8::caractere(entree, INT16_MAX);
        throw Echec(Defaut::Depassement);
    }
    while (e_.Compteur != e_.NbCaracteres) {
        ++e_.Compteur;
        e_.Caractere = utf8::caractere(entree, e_.Compteur);
        if (e_.Caractere.size() == 1) e_.Caractere[0] = inverseSigne(e_.Caractere[0]);
        e_.Chaine += e_.Caractere;
    }
    v_.legende(Ctl::lblResultat, e_.Chaine);
}

void Calculatrice::EraseLastCharacter()
{
    std::string& entree = v_.legendeModifiable(Ctl::lblResultat);
    const std::string_view dernier = utf8::droite(entree, 1);
    if (e_.SaisieExposant && (dernier == "+" || dernier == "-")) {
        e_.SaisieExposant = Faux; // the "E" before the sign goes with it
        --e_.NbCaracteres;
    }
    if (dernier == ".") e_.PointDecimal = Faux;
    // Never below 0, even when a message written over the entry ends with a sign.
    e_.NbCaracteres = static_cast<std::int16_t>(std::max(e_.NbCaracteres - 1, 0));
    entree.resize(utf8::gauche(entree, e_.NbCaracteres).size());
}

} // namespace tarvex
