// The keyboard map: every character goes to the operation of the key it names, exactly
// one operation per key press. Letters a to p are the lettered key positions A to P; an
// upper-case letter sets the second-function mark before it performs its key.
#include <array>

#include "core/Calculatrice.h"

namespace tarvex {

void Calculatrice::Form_KeyPress(std::int32_t code)
{
    // Letters 'a' to 'z'. The lower case is mapped for a to p only (e and l are taken before
    // this table); the upper case for every letter but E.
    static constexpr std::array<Operation, 26> Lettres{{
        &Calculatrice::CmdSquare_Click,      // A
        &Calculatrice::cmdExp_Click,         // B
        &Calculatrice::cmdLog_Click,         // C
        &Calculatrice::cmdYtoX_Click,        // D
        &Calculatrice::cmdPuissance_Click,   // E (never reached: the exponent key comes first)
        &Calculatrice::SigmaPlus,            // F
        &Calculatrice::StorePrefix,          // G
        &Calculatrice::RecallPrefix,         // H
        &Calculatrice::RollDownHyp,          // I
        &Calculatrice::cmdSin_Click,         // J
        &Calculatrice::cmdCos_Click,         // K
        &Calculatrice::cmdTan_Click,         // L
        &Calculatrice::cmdEnter_Click,       // M
        &Calculatrice::cmdPermutation_Click, // N
        &Calculatrice::cmdSigne_Click,       // O
        &Calculatrice::cmdPuissance_Click,   // P
        &Calculatrice::cmdPuissance_Click,   // Q
        &Calculatrice::cmdPuissance_Click,   // R
        &Calculatrice::cmdPuissance_Click,   // S
        &Calculatrice::cmdPuissance_Click,   // T
        &Calculatrice::cmdPuissance_Click,   // U
        &Calculatrice::cmdPuissance_Click,   // V
        &Calculatrice::cmdPuissance_Click,   // W
        &Calculatrice::EnterStatMode,        // X
        &Calculatrice::cmdPuissance_Click,   // Y
        &Calculatrice::cmdPuissance_Click,   // Z
    }};

    if (code >= '0' && code <= '9') {
        cmdChiffre_Click(code - '0');
    } else if (code == 'E' || code == 'e') {
        cmdPuissance_Click(); // the exponent key, without the second-function mark
    } else if (code == 8) {
        // backspace: nothing
    } else if (code == ',') {
        cmdDecimale_Click();
    } else if (code == 'l') {
        cmdTan_Click(); // the key of letter L, as the upper case
    } else if (code == 13) {
        cmdEnter_Click();
    } else if (code >= 'a' && code <= 'p') {
        (this->*Lettres[code - 'a'])();
    } else if (code >= 'A' && code <= 'Z') {
        e_.EntreeParLettre = Vrai;
        (this->*Lettres[code - 'A'])();
    } else if (code == '.') {
        cmdDecimale_Click();
    } else if (code == '=') {
        // nothing, and no beep
    } else if (code == '+') {
        cmdPlus_Click();
    } else if (code == '-') {
        cmdMoins_Click();
    } else if (code == '*') {
        cmdMul_Click();
    } else if (code == '/') {
        cmdDiv_Click();
    } else if (code == 27) {
        Form_Load();
    } else {
        v_.bip();
    }
}

} // namespace tarvex
