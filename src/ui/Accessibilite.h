// What assistive technology sees of the window: a frame named after its title, labels whose
// caption is their value, angle options that are radio buttons whose action is a click, the
// manual's icon as a button that opens it, and what the session announces after each event.
#pragma once

#include <QWidget>

class QAccessibleEvent;
class QString;

namespace tarvex {

// Installs, once, the factory of the window's accessible interfaces.
void installerAccessibilite();
// Tells assistive technology that a label's caption changed.
void signalerTexte(QWidget* etiquette, const QString& avant, const QString& apres);
// Also gives these events and the announcements to `ecouteur` (tests: without assistive
// technology running, Qt drops them); nullptr stops.
void ecouterAnnonces(void (*ecouteur)(QAccessibleEvent*));

// Says an event's announcement to assistive technology without moving the focus: a
// notification, of no size, in a status bar of no size. Qt 6.4 has no announcement of its
// own; Orca speaks a notification each time it is shown, with its name only (no role name
// inside a status bar), and ignores text changes away from the focus.
class Annonceur : public QWidget {
public:
    explicit Annonceur(QWidget* fenetre);
    void dire(const QString& texte);

private:
    QWidget* notification_;
};

} // namespace tarvex
