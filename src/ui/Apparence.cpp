#include "ui/Apparence.h"

#include <QStringList>

namespace tarvex {

const QPalette& paletteClaire()
{
    static const QPalette palette = [] {
        const QColor face(0xF0, 0xF0, 0xF0), noir(Qt::black), blanc(Qt::white);
        const QColor gris(0x80, 0x80, 0x80);
        QPalette p(noir, face, blanc, QColor(0xA0, 0xA0, 0xA0), QColor(0xA0, 0xA0, 0xA0), noir,
                   blanc, blanc, face);
        p.setColor(QPalette::Midlight, QColor(0xE3, 0xE3, 0xE3));
        p.setColor(QPalette::Shadow, QColor(0x69, 0x69, 0x69));
        p.setColor(QPalette::Button, face);
        p.setColor(QPalette::ButtonText, noir);
        p.setColor(QPalette::Highlight, QColor(0x00, 0x78, 0xD7));
        p.setColor(QPalette::HighlightedText, blanc);
        p.setColor(QPalette::ToolTipBase, QColor(0xFF, 0xFF, 0xE1));
        p.setColor(QPalette::ToolTipText, noir);
        p.setColor(QPalette::PlaceholderText, gris);
        p.setColor(QPalette::Link, QColor(0x00, 0x66, 0xCC));
        p.setColor(QPalette::LinkVisited, QColor(0x80, 0x00, 0x80));
        p.setColor(QPalette::AlternateBase, QColor(0xF7, 0xF7, 0xF7));
        for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            p.setColor(QPalette::Disabled, role, gris);
        return p;
    }();
    return palette;
}

QColor couleurQt(Couleur c)
{
    if (c & 0x80000000u) {
        const QPalette& p = paletteClaire();
        switch (c & 0xFFu) {
        case 0x0F: return p.color(QPalette::Button);
        case 0x0E: return p.color(QPalette::HighlightedText);
        case 0x12: return p.color(QPalette::ButtonText);
        case 0x05: return p.color(QPalette::Base);
        default: return p.color(QPalette::WindowText);
        }
    }
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                  static_cast<int>((c >> 16) & 0xFF));
}

namespace {

// The design font first; metric-compatible sans-serif fonts keep the layout elsewhere.
QStringList familles()
{
    return {QStringLiteral("MS Sans Serif"),   QStringLiteral("Microsoft Sans Serif"),
            QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
            QStringLiteral("DejaVu Sans"),     QStringLiteral("Sans Serif")};
}

} // namespace

QFont police(Police p, int zoom)
{
    QFont f;
    // Nothing here asks the font database: it is read at the first paint, once the window
    // is on screen.
    f.setFamilies(familles());
    f.setPointSizeF(p.points * zoom / 100.0);
    f.setBold(p.gras);
    // Captions are short Latin texts: drawn glyph by glyph, without the text shaper, whose
    // set-up for every size of every font was a fifth of the start-up.
    f.setStyleStrategy(QFont::PreferNoShaping);
    return f;
}

QFont policeDesDialogues(const QFont& systeme)
{
    // Message boxes, menus, Qt's own file dialog and the journal's window are drawn in the
    // application's font. Left to the desktop, "sans-serif" is whatever fontconfig finds,
    // and with only the fonts the package depends on it finds Liberation Mono.
    QFont f = systeme;
    f.setFamilies(familles());
    return f;
}

} // namespace tarvex
