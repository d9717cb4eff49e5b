#include "Dessin.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

namespace tarvex {

namespace {

// The caption's lines, one per paragraph or broken at the blanks to `largeur`, and the
// width of the widest.
struct Coupe {
    QStringList lignes;
    qreal large = 0;
    QRectF encre = {}; // a single line: the box of its ink, from its baseline
};

Coupe couper(const QString& texte, const QFontMetricsF& m, qreal largeur, bool retour)
{
    Coupe c;
    const auto ajouter = [&c](const QString& ligne, qreal l) {
        c.lignes << ligne;
        c.large = std::max(c.large, l);
    };
    for (const QString& paragraphe : texte.split(QLatin1Char('\n'))) {
        const qreal tout = m.horizontalAdvance(paragraphe);
        if (!retour || tout <= largeur) {
            ajouter(paragraphe, tout);
            continue;
        }
        QString ligne;
        qreal l = 0;
        for (const QString& mot : paragraphe.split(QLatin1Char(' '))) {
            const QString essai =
                (ligne.isEmpty() ? mot : ligne + QLatin1Char(' ') + mot).trimmed();
            const qreal e = m.horizontalAdvance(essai);
            if (!ligne.trimmed().isEmpty() && e > largeur) {
                ajouter(ligne.trimmed(), l);
                ligne = mot;
                l = m.horizontalAdvance(mot);
            } else {
                ligne = ligne.isEmpty() ? mot : ligne + QLatin1Char(' ') + mot;
                l = e;
            }
        }
        ajouter(ligne.trimmed(), l);
    }
    // One line needs the height of its ink, not of the font's tallest and deepest glyphs.
    if (c.lignes.size() == 1) c.encre = m.tightBoundingRect(c.lignes[0]);
    return c;
}

qreal hauteur(const QFontMetricsF& m, qsizetype lignes)
{
    return m.height() + m.lineSpacing() * static_cast<qreal>(lignes - 1);
}

qreal hauteur(const Coupe& c, const QFontMetricsF& m)
{
    return c.lignes.size() == 1 ? c.encre.height() : hauteur(m, c.lignes.size());
}

bool tient(const Coupe& c, const QFontMetricsF& m, QSizeF place)
{
    return c.large <= place.width() && hauteur(c, m) <= place.height();
}

} // namespace

Ajustement ajuster(const QFont& police, const QString& texte, QSizeF place, bool retour,
                   qreal plancher)
{
    Ajustement a{police, {}};
    const qreal taille = police.pointSizeF();
    const QFontMetricsF m0(police);
    const Coupe c0 = couper(texte, m0, place.width(), retour);
    a.lignes = c0.lignes;
    a.encre = c0.encre;
    if (tient(c0, m0, place)) return a; // nearly every caption: one measurement
    // The largest size in quarter points that fits. Each size drawn loads a font, so the
    // search measures at the design size, with widths and heights taken in proportion to
    // the size; the size found is then checked with its own font, and lowered while the
    // rounding of its glyphs makes it too wide.
    const auto quart = [](qreal p) { return std::floor(p * 4.0) / 4.0; };
    const auto tientA = [&](qreal t) {
        const qreal k = t / taille;
        const Coupe c = couper(texte, m0, place.width() / k, retour);
        return c.large * k <= place.width() && hauteur(c, m0) * k <= place.height();
    };
    qreal bas = quart(plancher), haut = taille - 0.25, trouve = 0;
    while (bas <= haut) {
        const qreal milieu = bas + quart((haut - bas) / 2.0);
        if (tientA(milieu)) {
            trouve = milieu;
            bas = milieu + 0.25;
        } else {
            haut = milieu - 0.25;
        }
    }
    // The text cut and measured in a's font as it now is, kept in a where it fits.
    const auto tientDansLaPolice = [&] {
        const QFontMetricsF m(a.police);
        const Coupe c = couper(texte, m, place.width(), retour);
        if (!tient(c, m, place)) return false;
        a.lignes = c.lignes;
        a.encre = c.encre;
        return true;
    };
    for (; trouve >= plancher; trouve -= 0.25) {
        a.police.setPointSizeF(trouve);
        if (tientDansLaPolice()) return a;
    }
    // Below the floor in width: at the floor, condensed as a narrow face is, down to 70 %
    // (a key's word such as "Scientifique" stays whole and as tall as the floor).
    a.police.setPointSizeF(plancher);
    for (int etroit = 95; etroit >= 70; etroit -= 5) {
        a.police.setStretch(etroit);
        if (tientDansLaPolice()) return a;
    }
    // Beyond: at the floor, each line elided in the middle; lines that cannot all stand one
    // above the other are put back on one.
    a.police.setStretch(QFont::Unstretched);
    const QFontMetricsF m(a.police);
    a.lignes = couper(texte, m, place.width(), retour).lignes;
    if (hauteur(m, a.lignes.size()) > place.height())
        a.lignes = QStringList{a.lignes.join(QLatin1Char(' '))};
    for (QString& l : a.lignes) {
        const QString entiere = l;
        l = m.elidedText(l, Qt::ElideMiddle, place.width());
        a.abrege = a.abrege || l != entiere;
    }
    if (a.lignes.size() == 1) a.encre = m.tightBoundingRect(a.lignes[0]);
    return a;
}

const Ajustement& Legende::pour(const QFont& police, const QString& texte, QSizeF place,
                                bool retour)
{
    if (texte != texte_ || place != place_ || police != police_ || ajustement_.lignes.isEmpty()) {
        texte_ = texte, place_ = place, police_ = police;
        ajustement_ = ajuster(police, texte, place, retour, plancher_);
    }
    return ajustement_;
}

void Legende::dessiner(QPainter& peintre, const QRectF& zone, const QString& texte, bool retour,
                       Qt::Alignment alignement)
{
    const bool centre = alignement & Qt::AlignHCenter;
    if (texte.isEmpty()) return;
    const Ajustement& a = pour(peintre.font(), texte, zone.size(), retour);
    peintre.setFont(a.police);
    const QFontMetricsF m(a.police);
    const qreal h = hauteur(m, a.lignes.size());
    qreal y = alignement & Qt::AlignVCenter ? zone.top() + (zone.height() - h) / 2 : zone.top();
    if (a.lignes.size() == 1) {
        // One line: its ink kept inside the zone, moved up or down only as far as needed.
        const qreal base =
            std::clamp(y + m.ascent(), zone.top() - a.encre.top(),
                       std::max(zone.top() - a.encre.top(), zone.bottom() - a.encre.bottom()));
        y = base - m.ascent();
    }
    const int drapeaux =
        Qt::TextSingleLine | Qt::AlignTop | (centre ? Qt::AlignHCenter : Qt::AlignLeft);
    for (const QString& l : a.lignes) {
        // Wide enough for the whole line even where the rounding of a size cut a pixel; a
        // line drawn from the left still starts at the zone's edge, or its first column of
        // ink would fall outside the control at fractional scales.
        const qreal marge = centre ? 1 : 0;
        peintre.drawText(QRectF(zone.left() - marge, y, zone.width() + marge + 1, m.height()),
                         drapeaux, l);
        y += m.lineSpacing();
    }
}

Legende* legendeDe(QWidget* w)
{
    if (auto* e = dynamic_cast<Etiquette*>(w)) return &e->legende;
    if (auto* t = dynamic_cast<Touche*>(w)) return &t->legende;
    if (auto* o = dynamic_cast<Option*>(w)) return &o->legende;
    if (auto* c = dynamic_cast<Cadre*>(w)) return &c->legende;
    return nullptr;
}

// A label of one line is centred vertically, as a key's caption is, whatever size it is
// drawn at; a label of several lines reads from the top.
bool legendeAbregee(QWidget* w)
{
    // Only the one-line labels meet captions longer than their place (numbers, messages);
    // keys, options and group titles are short texts of the table.
    auto* e = dynamic_cast<Etiquette*>(w);
    return e != nullptr && !e->text().isEmpty() &&
           e->legende.pour(e->font(), e->text(), e->contentsRect().size(), e->retour()).abrege;
}

void Etiquette::paintEvent(QPaintEvent*)
{
    QPainter peintre(this);
    peintre.setPen(palette().color(foregroundRole()));
    peintre.setFont(font());
    legende.dessiner(peintre, contentsRect(), text(), retour_,
                     Qt::AlignLeft | (retour_ ? Qt::AlignTop : Qt::AlignVCenter));
}

void Touche::paintEvent(QPaintEvent*)
{
    QPainter peintre(this);
    const QPalette& p = palette();
    const QRect r = rect();
    peintre.fillRect(r, fond_.isValid() ? fond_ : p.color(QPalette::Button));
    // A raised border of two lines (light above and left, dark below and right), sunken
    // while pressed; the focus adds a dark outline.
    const auto cadre = [&](const QRect& c, const QColor& haut, const QColor& bas) {
        peintre.setPen(haut);
        peintre.drawLine(c.topLeft(), c.topRight());
        peintre.drawLine(c.topLeft(), c.bottomLeft());
        peintre.setPen(bas);
        peintre.drawLine(c.bottomLeft(), c.bottomRight());
        peintre.drawLine(c.topRight(), c.bottomRight());
    };
    QRect c = r;
    if (hasFocus() || isDown()) {
        cadre(c, Qt::black, Qt::black);
        c.adjust(1, 1, -1, -1);
    }
    if (isDown()) {
        cadre(c, p.color(QPalette::Dark), p.color(QPalette::Dark));
    } else {
        cadre(c, p.color(QPalette::Light), p.color(QPalette::Shadow));
        cadre(c.adjusted(1, 1, -1, -1), p.color(QPalette::Midlight), p.color(QPalette::Dark));
    }
    peintre.setPen(
        p.color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    peintre.setFont(font());
    const int decalage = isDown() ? 1 : 0;
    legende.dessiner(peintre, r.adjusted(3 + decalage, 2 + decalage, -3 + decalage, -2 + decalage),
                     text(), true, Qt::AlignCenter);
}

void Option::paintEvent(QPaintEvent*)
{
    QPainter peintre(this);
    peintre.setRenderHint(QPainter::Antialiasing);
    const QPalette& p = palette();
    const QFontMetricsF m(font());
    const qreal d = std::min<qreal>(height() - 2, std::round(m.height() * 0.8));
    const QRectF rond(1.5, (height() - d) / 2, d - 1, d - 1);
    peintre.setPen(p.color(QPalette::Shadow));
    peintre.setBrush(p.color(QPalette::Base));
    peintre.drawEllipse(rond);
    if (isChecked()) {
        peintre.setPen(Qt::NoPen);
        peintre.setBrush(p.color(QPalette::Text));
        const qreal e = rond.width() * 0.3;
        peintre.drawEllipse(rond.adjusted(e, e, -e, -e));
    }
    peintre.setRenderHint(QPainter::Antialiasing, false);
    const QRectF zone(d + 5, 0, width() - d - 6, height());
    peintre.setPen(p.color(QPalette::WindowText));
    peintre.setFont(font());
    legende.dessiner(peintre, zone, text(), false, Qt::AlignLeft | Qt::AlignVCenter);
    if (hasFocus()) {
        peintre.setPen(QPen(p.color(QPalette::WindowText), 1, Qt::DotLine));
        peintre.setBrush(Qt::NoBrush);
        peintre.drawRect(zone.adjusted(-2, 0, -1, -1));
    }
}

void Cadre::paintEvent(QPaintEvent*)
{
    QPainter peintre(this);
    const QPalette& p = palette();
    const QFontMetricsF m(font());
    const qreal haut = std::round(m.height() / 2);
    // An etched frame: a dark line and a light one beside it.
    const QRectF c = QRectF(rect()).adjusted(0.5, haut + 0.5, -1.5, -1.5);
    peintre.setPen(p.color(QPalette::Dark));
    peintre.drawRect(c);
    peintre.setPen(p.color(QPalette::Light));
    peintre.drawRect(c.translated(1, 1));
    // The title on the group's own background, over the frame's top line.
    peintre.setFont(font());
    const QRectF place(8, 0, width() - 16, m.height());
    const Ajustement& a = legende.pour(font(), title(), place.size(), false);
    const qreal largeur = QFontMetricsF(a.police).horizontalAdvance(a.lignes.value(0));
    peintre.fillRect(QRectF(6, 0, largeur + 4, m.height()), p.color(QPalette::Window));
    peintre.setPen(p.color(QPalette::WindowText));
    legende.dessiner(peintre, place, title(), false, Qt::AlignLeft | Qt::AlignTop);
}

void IconeManuel::dessinerPage(int cote)
{
    const qreal echelle = devicePixelRatioF();
    QPixmap page(QSize(cote, cote) * echelle);
    page.setDevicePixelRatio(echelle);
    page.fill(Qt::transparent);
    QPainter peintre(&page);
    peintre.setRenderHint(QPainter::Antialiasing);
    const qreal l = cote * 0.75, g = (cote - l) / 2, pli = cote * 0.25, h = cote - 0.5;
    peintre.setPen(QPen(Qt::black, 1));
    peintre.setBrush(Qt::white);
    peintre.drawPolygon(QPolygonF{{g, 0.5}, {g + l - pli, 0.5}, {g + l, pli}, {g + l, h}, {g, h}});
    peintre.drawPolyline(QPolygonF{{g + l - pli, 0.5}, {g + l - pli, pli}, {g + l, pli}});
    peintre.end();
    setPixmap(page);
}

} // namespace tarvex
