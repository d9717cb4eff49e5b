// The calculator state record: one instance, owned by the calculator, reset by Form_Load.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <utility>

#include "core/Cellule.h"

namespace tarvex {

// Booleans of the record are 16-bit integers holding -1 (true) or 0 (false).
using Booleen16 = std::int16_t;
constexpr Booleen16 Vrai = -1;
constexpr Booleen16 Faux = 0;

// Values of ModeTouche.
enum : std::int16_t {
    ModeRappel = -1,
    ModeNormal = 0,
    ModeSauve = 1,
    ModeStat = 2,
    ModeHyp = 3,
    ModeDecimales = 4,
};

// Stack indices: 4 = X, 3 = Y, 2 = Z, 1 = T, 0 = the fifth level shown as "Y(0)".
enum : int { IdxY0 = 0, IdxT = 1, IdxZ = 2, IdxY = 3, IdxX = 4 };

// Register k is named by the letter '@' + k: register 1 is A, register 26 is Z (registers 0
// and 27 have no letter key).
constexpr int registre(char lettre) { return lettre - '@'; }
constexpr char lettreRegistre(int registre) { return static_cast<char>('@' + registre); }

struct EtatCalculatrice {
    std::array<Cellule, 5> Pile{};
    std::array<double, 28> Registres{};
    double DernierX = 0.0;
    double Tampon = 0.0;
    std::int16_t NbCaracteres = 0;
    Booleen16 SaisieExposant = Faux;
    Booleen16 PointDecimal = Faux;
    Booleen16 EntreeParLettre = Faux;
    std::int16_t ModeTouche = ModeNormal;
    std::int16_t NbDecimales = 7;
    std::uint8_t ChiffreDecimales = 0;
    std::string FormatAffichage = "0.0000000E+00";
    std::string Chaine;
    std::string Caractere;
    std::int16_t Compteur = 0;
    double FacteurAngle = 1.0;
    Booleen16 ModeRadian = Vrai;

    std::int16_t NbEchantillons = 0;
    double SommeX = 0.0, SommeY = 0.0, SommeX2 = 0.0, SommeY2 = 0.0, SommeXY = 0.0;
    double EcartXX = 0.0, EcartYY = 0.0, EcartXY = 0.0, Pente = 0.0, Ordonnee = 0.0;

    Cellule& X() { return Pile[IdxX]; }
    Cellule& Y() { return Pile[IdxY]; }
    const Cellule& X() const { return Pile[IdxX]; }
    const Cellule& Y() const { return Pile[IdxY]; }
};

// One field of the record: the name tarvex-replay writes it under, and whether it is one of
// the 16-bit booleans (written true or false, where the other integers are written as numbers).
template <class T>
struct Champ {
    std::string_view nom;
    T EtatCalculatrice::*membre;
    bool booleen = false;
};
// Spelt out for compilers that do not yet deduce an aggregate's arguments (clang before 17,
// which WebAssembly's Emscripten uses).
template <class T>
Champ(std::string_view, T EtatCalculatrice::*, bool = false) -> Champ<T>;

// Every field of the record once, in the order tarvex-replay writes them: the undo history
// compares them, the JSON writer writes them, the fuzz target checks them, all from this list.
inline constexpr std::tuple ChampsEtat{
    Champ{"Pile", &EtatCalculatrice::Pile},
    Champ{"Registres", &EtatCalculatrice::Registres},
    Champ{"DernierX", &EtatCalculatrice::DernierX},
    Champ{"Tampon", &EtatCalculatrice::Tampon},
    Champ{"FacteurAngle", &EtatCalculatrice::FacteurAngle},
    Champ{"NbCaracteres", &EtatCalculatrice::NbCaracteres},
    Champ{"ModeTouche", &EtatCalculatrice::ModeTouche},
    Champ{"NbDecimales", &EtatCalculatrice::NbDecimales},
    Champ{"NbEchantillons", &EtatCalculatrice::NbEchantillons},
    Champ{"ChiffreDecimales", &EtatCalculatrice::ChiffreDecimales},
    Champ{"Compteur", &EtatCalculatrice::Compteur},
    Champ{"SaisieExposant", &EtatCalculatrice::SaisieExposant, true},
    Champ{"PointDecimal", &EtatCalculatrice::PointDecimal, true},
    Champ{"EntreeParLettre", &EtatCalculatrice::EntreeParLettre, true},
    Champ{"ModeRadian", &EtatCalculatrice::ModeRadian, true},
    Champ{"FormatAffichage", &EtatCalculatrice::FormatAffichage},
    Champ{"Chaine", &EtatCalculatrice::Chaine},
    Champ{"Caractere", &EtatCalculatrice::Caractere},
    Champ{"SommeX", &EtatCalculatrice::SommeX},
    Champ{"SommeY", &EtatCalculatrice::SommeY},
    Champ{"SommeX2", &EtatCalculatrice::SommeX2},
    Champ{"SommeY2", &EtatCalculatrice::SommeY2},
    Champ{"SommeXY", &EtatCalculatrice::SommeXY},
    Champ{"EcartXX", &EtatCalculatrice::EcartXX},
    Champ{"EcartYY", &EtatCalculatrice::EcartYY},
    Champ{"EcartXY", &EtatCalculatrice::EcartXY},
    Champ{"Pente", &EtatCalculatrice::Pente},
    Champ{"Ordonnee", &EtatCalculatrice::Ordonnee},
};

// Calls f(champ) for every field of ChampsEtat, in its order.
template <class F>
constexpr void pourChaqueChamp(F&& f)
{
    std::apply([&f](const auto&... c) { (f(c), ...); }, ChampsEtat);
}

namespace champs {

// Converts to anything, so T{Quelconque{}, ...} is well-formed with as many of them as the
// aggregate T has fields, and no more: a count of fields, where a count of bytes would miss a
// field that fits into padding.
struct Quelconque {
    template <class T>
    operator T() const; // NOLINT(google-explicit-constructor): never defined, never called
};
template <class T, class... Q>
constexpr std::size_t nombre()
{
    if constexpr (requires { T{Q{}..., Quelconque{}}; })
        return nombre<T, Q..., Quelconque>();
    else
        return sizeof...(Q);
}

// Fields I and J of ChampsEtat have different names and different members.
template <std::size_t I, std::size_t J>
constexpr bool distincts()
{
    const auto& a = std::get<I>(ChampsEtat);
    const auto& b = std::get<J>(ChampsEtat);
    if constexpr (std::is_same_v<decltype(a.membre), decltype(b.membre)>)
        return a.nom != b.nom && a.membre != b.membre;
    else
        return a.nom != b.nom;
}
template <std::size_t J, std::size_t... I>
constexpr bool distinctDesPrecedents(std::index_sequence<I...>)
{
    return ((I >= J || distincts<I, J>()) && ...);
}
template <std::size_t... J>
constexpr bool tousDistincts(std::index_sequence<J...> s)
{
    return (distinctDesPrecedents<J>(s) && ...);
}

} // namespace champs

// As many entries as the record has fields, none twice: every field is in the list.
static_assert(champs::nombre<EtatCalculatrice>() == std::tuple_size_v<decltype(ChampsEtat)>,
              "EtatCalculatrice and ChampsEtat differ: list every field of the record once");
static_assert(
    champs::tousDistincts(std::make_index_sequence<std::tuple_size_v<decltype(ChampsEtat)>>()),
    "ChampsEtat names a field or a name twice");

} // namespace tarvex
