// The calculator state record: one instance, owned by the calculator, reset by Form_Load.
#pragma once

#include <array>
#include <cstdint>
#include <string>

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

} // namespace tarvex
