// The window's controls, painted by the window itself: the face of a key in its exact colour,
// and every caption whole. A caption that does not fit is drawn smaller in the same font,
// down to a legible floor; below it, it is elided in the middle with "…".
#pragma once

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <functional>

namespace tarvex {

// A caption laid out for its place: the font it is drawn in and its lines.
struct Ajustement {
    QFont police;
    QStringList lignes;
    QRectF encre = {};   // a single line: the box of its ink, from its baseline
    bool abrege = false; // elided at the floor: part of the text is not drawn
};

// `retour`: the caption may be broken into lines at its blanks ('\n' always breaks);
// `plancher`: the smallest size in points before eliding.
Ajustement ajuster(const QFont& police, const QString& texte, QSizeF place, bool retour,
                   qreal plancher);

// What a control remembers of its last layout, so that a repaint measures nothing.
class Legende {
public:
    void plancher(qreal points)
    {
        plancher_ = points;
        ajustement_.lignes.clear();
    }
    const Ajustement& pour(const QFont& police, const QString& texte, QSizeF place, bool retour);
    // Draws the lines in `zone`: centred, from the left and centred vertically, or from the
    // top left.
    void dessiner(QPainter& peintre, const QRectF& zone, const QString& texte, bool retour,
                  Qt::Alignment alignement);
    // The last layout drawn, and the place it was made for.
    const Ajustement& dernier() const { return ajustement_; }
    QSizeF place() const { return place_; }

private:
    qreal plancher_ = 7.0;
    QFont police_;
    QString texte_;
    QSizeF place_;
    Ajustement ajustement_;
};

class Etiquette : public QLabel {
public:
    Etiquette(QWidget* parent, bool retour) : QLabel(parent), retour_(retour) {}
    Legende legende;
    bool retour() const { return retour_; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    bool retour_;
};

// A push button that paints its face in its background colour (an invalid colour: the
// palette's button face), with a raised border, sunken while pressed, dark with the focus.
class Touche : public QPushButton {
public:
    using QPushButton::QPushButton;
    void fond(const QColor& c)
    {
        fond_ = c;
        update();
    }
    QColor fond() const { return fond_; }
    Legende legende;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QColor fond_;
};

class Option : public QRadioButton {
public:
    using QRadioButton::QRadioButton;
    Legende legende;

protected:
    void paintEvent(QPaintEvent*) override;
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

// A group box: an etched frame with its title. A plain widget: the style's group box
// measures its title with the font database before the window is shown.
class Cadre : public QWidget {
public:
    using QWidget::QWidget;
    QString title() const { return titre_; }
    void setTitle(const QString& t)
    {
        titre_ = t;
        update();
    }
    Legende legende;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QString titre_;
};

// The caption's layout of a control of the window; none for the manual's icon.
Legende* legendeDe(QWidget* w);
// Whether the control's caption is drawn elided at its present size and font (laid out now
// if it has not been drawn since; the drawing then reuses that layout).
bool legendeAbregee(QWidget* w);

// The manual, shown as an icon and opened by a double click.
class IconeManuel : public QLabel {
public:
    IconeManuel(QWidget* parent, std::function<void()> ouvrir)
        : QLabel(parent), ouvrir(std::move(ouvrir))
    {}
    // A page with a folded corner, drawn rather than taken from the desktop's icon theme.
    void dessinerPage(int cote);
    const std::function<void()> ouvrir;

protected:
    void mouseDoubleClickEvent(QMouseEvent*) override { ouvrir(); }
};

} // namespace tarvex
