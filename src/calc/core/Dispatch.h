// The key-mode dispatch and the error convention, shared by every key that uses them.
// Included by the operation files only.
#pragma once

#include "core/Calculatrice.h"
#include "core/Messages.h"

namespace tarvex {

template <class F>
void Calculatrice::sousConvention(Messager message, F&& etapes)
{
    try {
        etapes();
    } catch (const Echec& echec) {
        e_.X().poserTexte(message(echec.defaut()));
        RefreshDisplay();
    }
}

template <class FNormal, class FStat, class FHyp, class FDec>
void Calculatrice::touche(SousPrefixe prefixe, Messager message, FNormal&& normal, FStat&& stat,
                          FHyp&& hyp, FDec&& decimales)
{
    sousConvention(message, [&] {
        switch (e_.ModeTouche) {
        case ModeRappel:
        case ModeSauve:
            switch (prefixe.effet) {
            case SousPrefixe::Effet::Registre:
                if (e_.ModeTouche == ModeRappel)
                    rappeler(prefixe.registre);
                else
                    sauver(prefixe.registre);
                break;
            case SousPrefixe::Effet::Interroge: interroge(); break;
            case SousPrefixe::Effet::Rien: break; // the key returns without any change
            }
            break;
        case ModeNormal: normal(); break;
        case ModeStat: stat(); break;
        case ModeHyp: hyp(); break;
        case ModeDecimales: decimales(); break;
        default: interroge(); break;
        }
    });
}

template <class FNormal, class FStat>
void Calculatrice::touche(SousPrefixe prefixe, Messager message, FNormal&& normal, FStat&& stat)
{
    touche(
        prefixe, message, normal, stat, [this] { interroge(); }, [this] { interroge(); });
}

template <class FCalcul, class FStat>
void Calculatrice::fonction(SousPrefixe prefixe, Messager message, FCalcul&& calcul, FStat&& stat)
{
    touche(
        prefixe, message,
        [&] {
            if (e_.NbCaracteres > 0) StackLift();
            e_.DernierX = e_.X().nombre();
            calcul(e_.DernierX);
            RefreshDisplay();
        },
        stat);
}

} // namespace tarvex
