// How the window table's values become Qt values: pixels, colours, fonts, the style of a
// coloured button, accessible names.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>

#include "core/Controles.h"

namespace tarvex {

// 15 twips are one pixel at 96 dpi; Qt's high-DPI scaling does the rest.
constexpr int pixels(int twips) { return (twips + 7) / 15; }

QColor couleurQt(Couleur c);
QFont police(Police p);
// The style sheet of a button that paints its background: the exact colour with an explicit
// border (a palette alone gets a style's gradient); empty for the system button face.
QString feuilleBouton(Couleur fond);
// A French name for screen readers: the tooltip where there is one, else a short name.
QString nomAccessible(Ctl c, const EtatControle& etat);

} // namespace tarvex
