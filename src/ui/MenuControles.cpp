#include "MenuControles.h"

#include <QActionGroup>
#include <QMenu>

#include "Apparence.h"

namespace tarvex {

void ajouterControles(QMenu& menu, const Session& session,
                      const std::function<void(IdControle)>& cliquer)
{
    for (const SousMenu& s : session.menuControles()) {
        QMenu* sous = menu.addMenu(qtexte(s.titre));
        sous->setPalette(menu.palette());
        QActionGroup* groupe = nullptr;
        for (const ElementMenu& e : s.elements) {
            // A symbol's caption ("Sqr", "x^2") stands beside the name in the shortcut column.
            QString t = qtexte(e.nom);
            if (!e.symbole.empty()) t += QLatin1Char('\t') + qtexte(e.symbole);
            QAction* a = sous->addAction(t);
            a->setObjectName(qtexte(Session::definition(e.controle).nom));
            a->setEnabled(e.actif);
            if (e.choix) {
                if (groupe == nullptr) groupe = new QActionGroup(sous);
                a->setCheckable(true);
                a->setChecked(e.coche);
                groupe->addAction(a);
            }
            const IdControle c = e.controle;
            QObject::connect(a, &QAction::triggered, sous, [cliquer, c] { cliquer(c); });
        }
    }
}

} // namespace tarvex
