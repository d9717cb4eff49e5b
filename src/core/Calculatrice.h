// The calculator: the state record, the control model, and one operation per control event.
// Its door is narrow: a click, a double click, a key press and a paste. Front ends never come
// here; they go through the session (session/Session.h), which records every event for undo.
// Nothing in the calculator depends on a window.
#pragma once

#include <cstdint>
#include <string_view>

#include "core/Cellule.h"
#include "core/Controles.h"
#include "core/Echec.h"
#include "core/Etat.h"

namespace tarvex {

// The message a key writes into X when one of its steps fails.
using Messager = std::string_view (*)(Defaut);

class Calculatrice {
public:
    // The window is created with its controls at their design values; Form_Load runs once.
    Calculatrice();

    // --- Events, called by the session ---------------------------------------------------
    // A mouse click: the control takes the focus, then the operation of its row of the
    // window table runs. A disabled or hidden control ignores the click. Returns false for
    // a control that takes no click.
    bool cliquer(Ctl c);
    // A double click: only OLE1 has one (it asks for the manual). Returns false elsewhere.
    bool doubleCliquer(Ctl c);
    // One key press, by its character code: exactly one operation (or a beep).
    void Form_KeyPress(std::int32_t code);
    // A number pasted in ModeNormal: an entry in progress goes onto the stack first, then
    // the stack is lifted and X takes the value (the caller checks the mode).
    void coller(double valeur);

    const EtatCalculatrice& etat() const { return e_; }
    const ModeleControles& controles() const { return v_; }

private:
    // The session puts recorded states back (undo, redo) and beeps for its own refusals;
    // the window table names the click operations.
    friend class Session;
    friend const std::array<DefinitionControle, NbControles>& tableControles();

    // --- Operations, named after their events ------------------------------------------
    void Form_Load();

    // Stack and corrections
    void cmdEnter_Click();
    void cmdPermutation_Click();
    void cmdEraseP_Click();
    void cmdEraseLonP_Click();
    void cmdClear_Click();

    // Display format
    void cmdFixe_Click();
    void cmdScient_Click();

    // Entry line
    void cmdChiffre_Click(int Index);
    template <int Index>
    void chiffreClic() // the click of cmdChiffre(Index), for the window table
    {
        cmdChiffre_Click(Index);
    }
    void cmdDecimale_Click();
    void cmdPuissance_Click();
    void cmdSigne_Click();

    // Arithmetic and powers
    void cmdPlus_Click();
    void cmdMoins_Click();
    void cmdMul_Click();
    void cmdDiv_Click();
    void cmdYtoX_Click();

    // One-argument functions and constants
    void cmdRacine_Click();
    void CmdSquare_Click();
    void cmdExp_Click();
    void cmdDix_Click();
    void cmdLog_Click();
    void cndLog10_Click();
    void cmdInverse_Click();
    void cmdxfact_Click();
    void cmdPi_Click();
    void cmdEe_Click();

    // Trigonometry, angle unit, hyperbolic keys
    void Option1_Click();
    void Option2_Click();
    void Option3_Click();
    void cmdSin_Click();
    void cmdCos_Click();
    void cmdTan_Click();
    void cmdAsin_Click();
    void cmdAcos_Click();
    void cmdAtan_Click();
    void cmdHsin_Click();
    void cmdHcos_Click();
    void cmdHtan_Click();
    void cmdAHsin_Click();
    void cmdAHcos_Click();
    void cmdAHtan_Click();

    // Keyboard-only procedures: prefixes, roll, statistics
    void StorePrefix();
    void RecallPrefix();
    void RollDownHyp();
    void SigmaPlus();
    void EnterStatMode();

    // Help
    void OLE1_DblClick();

    // --- Shared steps ------------------------------------------------------------------
    void RefreshDisplay();
    void StackLift();
    void StackDrop();
    // The stack's two shifts: every level from Y(0) to Y takes the value of the level below
    // it (X keeps its own); every level from T to `niveau` takes the value of the level above
    // it (Y(0) keeps its own).
    void monterPile();
    void descendrePile(int niveau);
    void LeaveStatMode();
    void ApplyDecimals();
    void ShowFirstRegister();
    void EntryDigit(int d);
    void EraseLastCharacter();

    enum class Famille { Sinus, Cosinus, Tangente };
    // What a trigonometric key computes in ModeNormal: a circular function through the angle
    // factor, or (the keys with hyperbolic names) its own hyperbolic function, unscaled.
    enum class Calcul { Sin, Cos, Tan, Asin, Acos, Atan, Hyperbolique };
    using FonctionX = double (*)(const Cellule&);

    // What a key does while a store or recall prefix waits for it: store into or recall the
    // register of its letter, answer "  ?" (SansRegistre), or nothing at all
    // (RienSousPrefixe: the clear-stack and drop keys).
    struct SousPrefixe {
        enum class Effet : std::uint8_t { Registre, Interroge, Rien } effet;
        int registre;
    };
    static constexpr SousPrefixe lettre(char l)
    {
        return {SousPrefixe::Effet::Registre, registre(l)};
    }
    static constexpr SousPrefixe SansRegistre{SousPrefixe::Effet::Interroge, 0};
    static constexpr SousPrefixe RienSousPrefixe{SousPrefixe::Effet::Rien, 0};

    // The key-mode dispatch, written once (Dispatch.h): recall and store branches of the
    // key's register, its own operation, its statistic, and the two pending modes.
    template <class FNormal, class FStat, class FHyp, class FDec>
    void touche(SousPrefixe prefixe, Messager message, FNormal&& normal, FStat&& stat, FHyp&& hyp,
                FDec&& decimales);
    template <class FNormal, class FStat>
    void touche(SousPrefixe prefixe, Messager message, FNormal&& normal, FStat&& stat);
    // The error convention: a failure of any step writes the key's message into X and
    // refreshes; what was done stays done.
    template <class F>
    void sousConvention(Messager message, F&& etapes);
    // A one-argument function key: lift an entry, keep DernierX, compute (calcul writes the
    // result, or the key's domain message, into X), refresh; in ModeStat, `stat`.
    template <class FCalcul, class FStat>
    void fonction(SousPrefixe prefixe, Messager message, FCalcul&& calcul, FStat&& stat);
    // The statistic of a key in ModeStat: the mode ends and the main display shows it.
    auto montrer(double valeur)
    {
        return [this, valeur] {
            LeaveStatMode();
            afficherStat(valeur);
        };
    }

    void compter();                   // the count of samples, the keys of A's statistic
    void interroge();                 // "  ?": the key has no meaning in this mode
    void rappeler(int registre);      // recall branch
    void sauver(int registre);        // store branch
    void afficherStat(double valeur); // a statistic in "0.0000000E+00"
    void afficherEstimation(std::string_view prefixe, double valeur); // "x=", "r=", ...
    void ChoixDecimales(std::int16_t famille);
    void choisirDecimales(std::uint8_t chiffre);
    void entrer();   // Enter in ModeNormal
    void permuter(); // swap in ModeNormal
    void signe();    // sign key in ModeNormal
    void signeExposant();
    void exposant(); // exponent key in ModeNormal
    void constante(double valeur);
    void arithmetique(char op);
    void trigo(Calcul normal, Famille famille, FonctionX hyp, FonctionX hypInverse);
    void ecartType(Famille famille);
    // Statistics shown by the keys of the stack and the entry line in ModeStat.
    void estimationX();
    void estimationY();
    void estimationB();
    void correlation();
    void pente();
    void uniteAngle(bool radian); // the angle unit, its factor and its indicator
    void colorerTrigo(Couleur c);
    void etiquettesStat(bool stat);
    void choisirOption(Ctl option); // selection from code raises the click if it changes

    EtatCalculatrice e_;
    ModeleControles v_;
    std::string tampon_; // scratch text for formatting without allocations
};

} // namespace tarvex
