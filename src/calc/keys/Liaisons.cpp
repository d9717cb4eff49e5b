// The calculator's bindings, as two tables: the operation a click on each control runs, and
// the keyboard map, the operation each typed character runs; exactly one operation per event.
// An operation is a member function of the calculator, or, for a key that nothing else calls,
// a lambda written in the table: it has the calculator's access, so Calculatrice.h does not
// change and a new key rebuilds this file only.
#include <array>
#include <stdexcept>
#include <string>

#include "core/Calculatrice.h"
#include "core/Dispatch.h"

namespace tarvex {

namespace {

template <void (Calculatrice::*F)()>
void appel(Calculatrice& c)
{
    (c.*F)();
}

} // namespace

const Calculatrice::Liaisons& Calculatrice::liaisons()
{
    using C = Calculatrice;

    // The click of each control that has an operation, by the control's name. A button without
    // one (cmdCmplx) only takes the focus.
    struct Clic {
        std::string_view controle;
        Operation operation;
    };
    // clang-format off
    static constexpr Clic Clics[] = {
        {"cmdScient", appel<&C::cmdScient_Click>},
        {"cmdFixe", appel<&C::cmdFixe_Click>},
        {"Option1", appel<&C::Option1_Click>},
        {"Option2", appel<&C::Option2_Click>},
        {"Option3", appel<&C::Option3_Click>},
        {"cmdChiffre(0)", appel<&C::chiffreClic<0>>},
        {"cmdChiffre(1)", appel<&C::chiffreClic<1>>},
        {"cmdChiffre(2)", appel<&C::chiffreClic<2>>},
        {"cmdChiffre(3)", appel<&C::chiffreClic<3>>},
        {"cmdChiffre(4)", appel<&C::chiffreClic<4>>},
        {"cmdChiffre(5)", appel<&C::chiffreClic<5>>},
        {"cmdChiffre(6)", appel<&C::chiffreClic<6>>},
        {"cmdChiffre(7)", appel<&C::chiffreClic<7>>},
        {"cmdChiffre(8)", appel<&C::chiffreClic<8>>},
        {"cmdChiffre(9)", appel<&C::chiffreClic<9>>},
        {"cmdDecimale", appel<&C::cmdDecimale_Click>},
        {"cmdSigne", appel<&C::cmdSigne_Click>},
        {"cmdPuissance", appel<&C::cmdPuissance_Click>},
        {"cmdEnter", appel<&C::cmdEnter_Click>},
        {"cmdDiv", appel<&C::cmdDiv_Click>},
        {"cmdMul", appel<&C::cmdMul_Click>},
        {"cmdPlus", appel<&C::cmdPlus_Click>},
        {"cmdMoins", appel<&C::cmdMoins_Click>},
        {"cmdRacine", appel<&C::cmdRacine_Click>},
        {"cmdExp", appel<&C::cmdExp_Click>},
        {"cmdLog", appel<&C::cmdLog_Click>},
        {"cmdSin", appel<&C::cmdSin_Click>},
        {"cmdCos", appel<&C::cmdCos_Click>},
        {"cmdTan", appel<&C::cmdTan_Click>},
        {"CmdSquare", appel<&C::CmdSquare_Click>},
        {"cmdDix", appel<&C::cmdDix_Click>},
        {"cndLog10", appel<&C::cndLog10_Click>},
        {"cmdAsin", appel<&C::cmdAsin_Click>},
        {"cmdAcos", appel<&C::cmdAcos_Click>},
        {"cmdAtan", appel<&C::cmdAtan_Click>},
        {"cmdInverse", appel<&C::cmdInverse_Click>},
        {"cmdYtoX", appel<&C::cmdYtoX_Click>},
        {"cmdxfact", appel<&C::cmdxfact_Click>},
        {"cmdPi", appel<&C::cmdPi_Click>},
        {"cmdHsin", appel<&C::cmdHsin_Click>},
        {"cmdHcos", appel<&C::cmdHcos_Click>},
        {"cmdHtan", appel<&C::cmdHtan_Click>},
        {"cmdEe", appel<&C::cmdEe_Click>},
        {"cmdAHsin", appel<&C::cmdAHsin_Click>},
        {"cmdAHcos", appel<&C::cmdAHcos_Click>},
        {"cmdAHtan", appel<&C::cmdAHtan_Click>},
        {"cmdPermutation", appel<&C::cmdPermutation_Click>},
        {"cmdClear", appel<&C::cmdClear_Click>},
        {"cmdEraseLonP", appel<&C::cmdEraseLonP_Click>},
        {"cmdEraseP", appel<&C::cmdEraseP_Click>},
    };

    // The letters, the lettered key positions A to Z: the upper case sets the second-function
    // mark, then runs the operation; the lower case runs it without the mark, for a to p only.
    struct Lettre {
        char lettre;
        Operation operation;
        bool minuscule;
    };
    static constexpr Lettre Lettres[] = {
        {'A', appel<&C::CmdSquare_Click>, true},
        {'B', appel<&C::cmdExp_Click>, true},
        {'C', appel<&C::cmdLog_Click>, true},
        {'D', appel<&C::cmdYtoX_Click>, true},
        {'E', appel<&C::cmdPuissance_Click>, true}, // the upper case is the exponent key's below
        {'F', appel<&C::SigmaPlus>, true},
        {'G', appel<&C::StorePrefix>, true},
        {'H', appel<&C::RecallPrefix>, true},
        {'I', appel<&C::RollDownHyp>, true},
        {'J', appel<&C::cmdSin_Click>, true},
        {'K', appel<&C::cmdCos_Click>, true},
        {'L', appel<&C::cmdTan_Click>, true},
        {'M', appel<&C::cmdEnter_Click>, true},
        {'N', appel<&C::cmdPermutation_Click>, true},
        {'O', appel<&C::cmdSigne_Click>, true},
        {'P', appel<&C::cmdPuissance_Click>, true},
        {'Q', appel<&C::cmdPuissance_Click>, false},
        {'R', appel<&C::cmdPuissance_Click>, false},
        {'S', appel<&C::cmdPuissance_Click>, false},
        {'T', appel<&C::cmdPuissance_Click>, false},
        {'U', appel<&C::cmdPuissance_Click>, false},
        {'V', appel<&C::cmdPuissance_Click>, false},
        {'W', appel<&C::cmdPuissance_Click>, false},
        {'X', appel<&C::EnterStatMode>, false},
        {'Y', appel<&C::cmdPuissance_Click>, false},
        {'Z', appel<&C::cmdPuissance_Click>, false},
    };

    // The other characters, after the letters (so E is the exponent key, without the mark).
    // An operation of nullptr does nothing, without a beep.
    struct Caractere {
        char code;
        Operation operation;
    };
    static constexpr Caractere Caracteres[] = {
        {'0', appel<&C::chiffreClic<0>>}, {'1', appel<&C::chiffreClic<1>>},
        {'2', appel<&C::chiffreClic<2>>}, {'3', appel<&C::chiffreClic<3>>},
        {'4', appel<&C::chiffreClic<4>>}, {'5', appel<&C::chiffreClic<5>>},
        {'6', appel<&C::chiffreClic<6>>}, {'7', appel<&C::chiffreClic<7>>},
        {'8', appel<&C::chiffreClic<8>>}, {'9', appel<&C::chiffreClic<9>>},
        {'E', appel<&C::cmdPuissance_Click>},
        {',', appel<&C::cmdDecimale_Click>},
        {'.', appel<&C::cmdDecimale_Click>},
        {'\r', appel<&C::cmdEnter_Click>},
        {'+', appel<&C::cmdPlus_Click>},
        {'-', appel<&C::cmdMoins_Click>},
        {'*', appel<&C::cmdMul_Click>},
        {'/', appel<&C::cmdDiv_Click>},
        {'\x1B', appel<&C::Form_Load>}, // Escape starts again
        {'\b', nullptr},                // Backspace
        {'=', nullptr},
    };
    // clang-format on

    static const Liaisons l = [] {
        Liaisons l;
        l.clics.assign(nombreControles(), nullptr);
        for (const Clic& c : Clics) {
            const std::optional<Ctl> ctl = controleParNom(c.controle);
            if (!ctl)
                throw std::logic_error("a click bound to no control: " + std::string(c.controle));
            l.clics[indice(*ctl)] = c.operation;
        }
        for (const Lettre& t : Lettres) {
            l.clavier[static_cast<unsigned char>(t.lettre)] = {t.operation, true, false};
            if (t.minuscule)
                l.clavier[static_cast<unsigned char>(t.lettre - 'A' + 'a')] = {t.operation};
        }
        for (const Caractere& t : Caracteres)
            l.clavier[static_cast<unsigned char>(t.code)] = {t.operation, false, true};
        return l;
    }();
    return l;
}

void Calculatrice::Form_KeyPress(std::int32_t code)
{
    const auto& clavier = liaisons().clavier;
    const Frappe f = code >= 0 && code < static_cast<std::int32_t>(clavier.size())
                         ? clavier[static_cast<std::size_t>(code)]
                         : Frappe{};
    if (f.operation == nullptr) {
        if (!f.muette) v_.bip();
        return;
    }
    if (f.marque) e_.EntreeParLettre = Vrai;
    f.operation(*this);
}

} // namespace tarvex
