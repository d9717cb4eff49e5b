// The calculator's controls in the display's context menu, so that a keyboard alone reaches
// the keys that have no character: the format buttons, the angle options, the functions,
// trigonometry, the hyperbolic functions and the corrections, one submenu for each.
#pragma once

#include <functional>

#include "core/Controles.h"

class QMenu;

namespace tarvex {

// Adds the submenus to `menu`. Their items are named as a screen reader names the controls
// (with the key's caption beside a symbol), follow what the controls show now (statistics
// captions, an option selected, a control unavailable) and run `cliquer` on their control.
void ajouterControles(QMenu& menu, const ModeleControles& modele,
                      const std::function<void(Ctl)>& cliquer);

} // namespace tarvex
