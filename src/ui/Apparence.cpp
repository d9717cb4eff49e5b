#include "ui/Apparence.h"

#include <QApplication>
#include <QPalette>

namespace tarvex {

QColor couleurQt(Couleur c)
{
    if (c & 0x80000000u) {
        const QPalette p = QApplication::palette();
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

QFont police(Police p)
{
    QFont f;
    // The design font first; metric-compatible sans-serif fonts keep the layout elsewhere.
    f.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                   QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                   QStringLiteral("DejaVu Sans"), QStringLiteral("Sans Serif")});
    f.setPointSizeF(p.points);
    f.setBold(p.gras);
    return f;
}

QString feuilleBouton(Couleur fond)
{
    if (fond == couleurs::FaceBouton) return {};
    return QStringLiteral("QPushButton{background-color:%1;border:1px solid #505050;"
                          "border-radius:2px;}"
                          "QPushButton:pressed{border:2px inset #505050;}"
                          "QPushButton:focus{border:1px dotted #000000;}"
                          "QPushButton:disabled{color:#808080;}")
        .arg(couleurQt(fond).name(QColor::HexRgb));
}

QString nomAccessible(Ctl c, const EtatControle& etat)
{
    if (!etat.infobulle.empty()) return QString::fromStdString(etat.infobulle);
    const auto i = indice(c);
    if (i >= indice(Ctl::cmdChiffre0) && i <= indice(Ctl::cmdChiffre9))
        return QStringLiteral("Chiffre %1").arg(i - indice(Ctl::cmdChiffre0));
    switch (c) {
    case Ctl::cmdDecimale: return QStringLiteral("Point décimal");
    case Ctl::cmdDiv: return QStringLiteral("Diviser");
    case Ctl::cmdMul: return QStringLiteral("Multiplier");
    case Ctl::cmdPlus: return QStringLiteral("Additionner");
    case Ctl::cmdMoins: return QStringLiteral("Soustraire");
    case Ctl::CmdSquare: return QStringLiteral("Carré de X");
    case Ctl::cmdDix: return QStringLiteral("Dix puissance X");
    case Ctl::cndLog10: return QStringLiteral("Logarithme décimal");
    case Ctl::cmdAsin: return QStringLiteral("Arc sinus");
    case Ctl::cmdAcos: return QStringLiteral("Arc cosinus");
    case Ctl::cmdAtan: return QStringLiteral("Arc tangente");
    case Ctl::cmdxfact: return QStringLiteral("Factorielle");
    case Ctl::cmdPi: return QStringLiteral("Pi");
    case Ctl::cmdEe: return QStringLiteral("Constante e");
    case Ctl::cmdHsin: return QStringLiteral("Sinus hyperbolique");
    case Ctl::cmdHcos: return QStringLiteral("Cosinus hyperbolique");
    case Ctl::cmdHtan: return QStringLiteral("Tangente hyperbolique");
    case Ctl::cmdAHsin: return QStringLiteral("Argument sinus hyperbolique");
    case Ctl::cmdAHcos: return QStringLiteral("Argument cosinus hyperbolique");
    case Ctl::cmdAHtan: return QStringLiteral("Argument tangente hyperbolique");
    case Ctl::cmdEraseLonP: return QStringLiteral("Efface le dernier de la pile");
    case Ctl::OLE1: return QStringLiteral("Manuel d'utilisation");
    case Ctl::lblDecl: return QStringLiteral("Déclinaison");
    case Ctl::lblEncl: return QStringLiteral("Enclenché");
    case Ctl::lbli: return QStringLiteral("Partie imaginaire");
    case Ctl::lblCmplx: return QStringLiteral("Affichage complexe");
    default: return QString::fromStdString(etat.legende).simplified();
    }
}

} // namespace tarvex
