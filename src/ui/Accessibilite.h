// What assistive technology sees of the window: a frame named after its title, labels whose
// caption is their value, angle options that are radio buttons whose action is a click, and
// the manual's icon as a button that opens it.
#pragma once

class QAccessibleEvent;
class QString;
class QWidget;

namespace tarvex {

// Installs, once, the factory of the window's accessible interfaces.
void installerAccessibilite();
// Announces the new caption of a label (the main display) to assistive technology.
void annoncerTexte(QWidget* etiquette, const QString& avant, const QString& apres);
// Also gives the announcements to `ecouteur` (tests: without assistive technology running,
// Qt drops them); nullptr stops.
void ecouterAnnonces(void (*ecouteur)(QAccessibleEvent*));

} // namespace tarvex
