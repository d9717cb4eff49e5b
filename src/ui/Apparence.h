// How the window table's values become Qt values: pixels at a zoom, colours, fonts, and the
// one fixed palette the window uses whatever the desktop's theme.
#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QString>

#include <string_view>

#include "core/Controle.h"

namespace tarvex {

// 15 twips are one pixel at 96 dpi and 100 %; Qt's high-DPI scaling does the rest.
constexpr int pixels(int twips, int zoom = 100) { return (twips * zoom + 750) / 1500; }

// The light palette of every colour the table leaves to the system: button faces and their
// text, the window text, highlighted text in white. Nothing of it comes from the desktop.
const QPalette& paletteClaire();
QColor couleurQt(Couleur c);
QFont police(Police p, int zoom = 100);
// The application's font for every window but the calculator's controls: the desktop's
// size, in the window's families.
QFont policeDesDialogues(const QFont& systeme);

// A UTF-8 text of the session as a QString.
inline QString qtexte(std::string_view s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// The smallest size a caption is drawn at before it is elided, at 100 %: 8 points, about 11
// pixels at 96 dpi. A stack line's longest number (22 characters) still fits its 137 pixels
// above it in the window's font (128 pixels at 8 points in Liberation Sans bold).
constexpr qreal PlancherLisible = 8.0;

} // namespace tarvex
