// The calculator's controls in the display's context menu, so that a keyboard alone reaches
// the keys that have no character: the session's submenus, each item a click.
#pragma once

#include <functional>

#include "session/Session.h"

class QMenu;

namespace tarvex {

// Adds the session's submenus to `menu`: their items are named as a screen reader names the
// controls (with the key's caption beside a symbol), follow what the controls show now and
// run `cliquer` on their control.
void ajouterControles(QMenu& menu, const Session& session,
                      const std::function<void(IdControle)>& cliquer);

} // namespace tarvex
