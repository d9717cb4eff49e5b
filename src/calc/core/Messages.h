// Every text the calculator writes into X or the main display, in one place.
#pragma once

#include <string_view>

#include "core/Echec.h"

namespace tarvex::messages {

constexpr std::string_view Erreur = "Erreur";
constexpr std::string_view DivisionPar0 = "Division par 0";
constexpr std::string_view SqrtNeg = "Sqrt(Neg)";
constexpr std::string_view LogNeg = "Log(Neg)";
constexpr std::string_view ExpOverflow = "Exp OverFlow";
constexpr std::string_view TropGrand = "Résultat trop grand ";
constexpr std::string_view YxInvalide = "Y^x Invalide";
constexpr std::string_view Interrogation = "  ?";
constexpr std::string_view NbDecimale = "Nb décimale?...";
constexpr std::string_view Sauve = "Sauve...A-Z";
constexpr std::string_view Rappel = "Rappèle...A-Z";
constexpr std::string_view Hyp = "HYP_";
constexpr std::string_view PileStatVide = "Pile Stat Vide";
constexpr std::string_view RienEnMemoire = "Rien en mémoire";
constexpr std::string_view Radian = "Radian";
constexpr std::string_view Degre = "Degré";

// The messages of the keys' error conventions, by kind of failure.
inline std::string_view erreur(Defaut) { return Erreur; }
inline std::string_view exponentielle(Defaut d)
{
    return d == Defaut::Depassement ? ExpOverflow : Erreur;
}
inline std::string_view factorielle(Defaut d)
{
    return d == Defaut::Depassement ? TropGrand : Erreur;
}
inline std::string_view puissance(Defaut d)
{
    return d == Defaut::ArgumentInvalide ? YxInvalide : Erreur;
}

} // namespace tarvex::messages
