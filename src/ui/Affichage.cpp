// The window: widgets from the window table, key presses and clicks to the calculator's
// session, and the control model copied back into the widgets after each event.
#include "ui/Affichage.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFile>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QTemporaryDir>
#include <QUrl>

#include "ui/Apparence.h"

namespace tarvex {

namespace {

// OLE1: the manual as an icon, opened by a double click.
class IconeManuel : public QLabel {
public:
    IconeManuel(QWidget* parent, std::function<void()> ouvrir)
        : QLabel(parent), ouvrir_(std::move(ouvrir))
    {}

protected:
    void mouseDoubleClickEvent(QMouseEvent*) override { ouvrir_(); }

private:
    std::function<void()> ouvrir_;
};

// A push button whose caption wraps onto several lines when it is wider than the button,
// as the long captions of the correction keys need.
class BoutonMultiligne : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QStylePainter peintre(this);
        QStyleOptionButton option;
        initStyleOption(&option);
        const QString legende = option.text;
        option.text.clear();
        peintre.drawControl(QStyle::CE_PushButton, option);
        const QRect zone = rect().adjusted(3, 1, -3, -1);
        // Wrap a caption that is too wide; if the lines still do not fit, shrink the font a
        // little rather than cut the caption.
        const QFontMetrics mesures = fontMetrics();
        if (mesures.horizontalAdvance(legende) <= zone.width() &&
            mesures.height() <= zone.height()) {
            // Nearly every caption fits on one line: no word-wrap measurement.
            peintre.drawItemText(zone, Qt::AlignCenter, option.palette, isEnabled(), legende,
                                 QPalette::ButtonText);
            return;
        }
        const int drapeaux = Qt::AlignCenter | Qt::TextWordWrap;
        QFont f = font();
        while (f.pointSizeF() > 6.0) {
            const QRect besoin = QFontMetrics(f).boundingRect(zone, drapeaux, legende);
            if (besoin.width() <= zone.width() && besoin.height() <= zone.height()) break;
            f.setPointSizeF(f.pointSizeF() - 0.5);
        }
        peintre.setFont(f);
        peintre.drawItemText(zone, drapeaux, option.palette, isEnabled(), legende,
                             QPalette::ButtonText);
    }
};

// Labels wrap their words, except the one-line displays of numbers.
bool multiligne(Ctl c) { return c == Ctl::Label9 || c == Ctl::Label8 || c == Ctl::Label7; }

// The manual's icon: a page with a folded corner, drawn rather than taken from the desktop's
// icon theme, whose lookup was a quarter of the start-up's instructions.
QPixmap iconePage(int cote, qreal echelle)
{
    QPixmap p(QSize(cote, cote) * echelle);
    p.setDevicePixelRatio(echelle);
    p.fill(Qt::transparent);
    QPainter peintre(&p);
    peintre.setRenderHint(QPainter::Antialiasing);
    const qreal l = cote * 0.75, g = (cote - l) / 2, pli = cote * 0.25, h = cote - 0.5;
    peintre.setPen(QPen(Qt::black, 1));
    peintre.setBrush(Qt::white);
    peintre.drawPolygon(QPolygonF{{g, 0.5}, {g + l - pli, 0.5}, {g + l, pli}, {g + l, h}, {g, h}});
    peintre.drawPolyline(QPolygonF{{g + l - pli, 0.5}, {g + l - pli, pli}, {g + l, pli}});
    return p;
}

QString texte(std::string_view s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

} // namespace

Affichage::Affichage()
    : ouvreur_(
          [](const QString& chemin) { QDesktopServices::openUrl(QUrl::fromLocalFile(chemin)); })
{
    setObjectName("Affichage");
    setWindowTitle("Tarvex V2.0");
    setFixedSize(pixels(9855), pixels(8460));
    QPalette p = palette();
    p.setColor(QPalette::Window, couleurQt(couleurs::Gris));
    setPalette(p);
    setAutoFillBackground(true);
    construire();
    synchroniser();
    qApp->installEventFilter(this);
}

Affichage::~Affichage() { qApp->removeEventFilter(this); }

void Affichage::construire()
{
    for (const DefinitionControle& d : tableControles()) {
        QWidget* parent = d.parent ? widget(*d.parent) : this;
        QWidget* w = nullptr;
        switch (d.genre) {
        case Genre::Cadre: w = new QGroupBox(parent); break;
        case Genre::Option: {
            auto* o = new QRadioButton(parent);
            o->setAutoExclusive(false); // the model decides which option is selected
            QObject::connect(o, &QAbstractButton::clicked, this, [this, c = d.id] { cliquer(c); });
            w = o;
            break;
        }
        case Genre::Bouton: {
            auto* b = new BoutonMultiligne(parent);
            b->setAutoDefault(false);
            QObject::connect(b, &QAbstractButton::clicked, this, [this, c = d.id] { cliquer(c); });
            w = b;
            break;
        }
        case Genre::Ole: {
            auto* icone = new IconeManuel(parent, [this] {
                session_.doubleCliquer(Ctl::OLE1);
                synchroniser();
            });
            const int cote = pixels(d.hauteur) - 24;
            icone->setPixmap(iconePage(cote, devicePixelRatioF()));
            icone->setAlignment(Qt::AlignCenter);
            w = icone;
            break;
        }
        case Genre::Label: {
            auto* l = new QLabel(parent);
            l->setAutoFillBackground(true);
            l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            l->setWordWrap(multiligne(d.id));
            w = l;
            break;
        }
        }
        w->setObjectName(texte(d.nom));
        w->setGeometry(pixels(d.gauche), pixels(d.haut), pixels(d.largeur), pixels(d.hauteur));
        w->setFont(police(d.police));
        w->setFocusPolicy(d.genre == Genre::Bouton || d.genre == Genre::Option ? Qt::StrongFocus
                                                                               : Qt::NoFocus);
        QPalette p = w->palette();
        p.setColor(QPalette::WindowText, couleurQt(d.texte));
        if (d.genre != Genre::Bouton) p.setColor(QPalette::Window, couleurQt(d.fond));
        w->setPalette(p);
        widgets_[indice(d.id)] = w;
        // Force the first synchronisation to write every property.
        // What a new widget shows: the first synchronisation writes every difference.
        montre_[indice(d.id)] = EtatControle{"", "", true, true, couleurs::FaceBouton, false};
    }
    auto* resultat = widget(Ctl::lblResultat);
    resultat->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(resultat, &QWidget::customContextMenuRequested, this,
                     [this](const QPoint& pos) { menuContextuel(pos); });
}

void Affichage::cliquer(Ctl c)
{
    session_.cliquer(c);
    synchroniser();
}

void Affichage::synchroniser()
{
    for (const DefinitionControle& d : tableControles()) appliquer(d.id);

    QWidget* focus = widget(session_.controles().focus());
    if (!focus->hasFocus()) focus->setFocus(Qt::OtherFocusReason);

    const auto& modele = session_.controles();
    for (; bips_ < modele.bips(); ++bips_) QApplication::beep();
    if (manuels_ < modele.manuelsOuverts()) {
        manuels_ = modele.manuelsOuverts();
        const QString chemin = fichierManuel();
        if (!chemin.isEmpty()) ouvreur_(chemin);
    }
}

void Affichage::appliquer(Ctl c)
{
    const EtatControle& s = session_.controles()[c];
    EtatControle& m = montre_[indice(c)];
    QWidget* w = widget(c);
    const DefinitionControle& d = definition(c);

    if (s.legende != m.legende) {
        m.legende = s.legende;
        const QString t = QString::fromStdString(s.legende);
        switch (d.genre) {
        case Genre::Label: static_cast<QLabel*>(w)->setText(t); break;
        case Genre::Bouton:
        case Genre::Option: static_cast<QAbstractButton*>(w)->setText(t); break;
        case Genre::Cadre: static_cast<QGroupBox*>(w)->setTitle(t); break;
        case Genre::Ole: break;
        }
        if (c == Ctl::lblResultat) w->setAccessibleDescription(t); // its value for screen readers
    }
    if (s.infobulle != m.infobulle) {
        m.infobulle = s.infobulle;
        w->setToolTip(QString::fromStdString(s.infobulle));
        w->setAccessibleName(nomAccessible(c, s));
    }
    if (s.visible != m.visible) {
        m.visible = s.visible;
        w->setVisible(s.visible);
    }
    if (s.actif != m.actif) {
        m.actif = s.actif;
        w->setEnabled(s.actif);
    }
    if (s.fond != m.fond) {
        m.fond = s.fond;
        if (d.peintFond) w->setStyleSheet(feuilleBouton(s.fond));
    }
    // A click toggles an option's own mark behind the model's back: compare with the widget.
    m.selectionne = s.selectionne;
    if (d.genre == Genre::Option) static_cast<QAbstractButton*>(w)->setChecked(s.selectionne);
}

bool Affichage::eventFilter(QObject* objet, QEvent* evenement)
{
    const QEvent::Type type = evenement->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease) return false;
    auto* cible = qobject_cast<QWidget*>(objet);
    if (cible == nullptr || cible->window() != this) return false;

    // Every key press goes to the calculator first and is consumed: the focused button
    // never acts on it, and Tab does not move the focus.
    if (type == QEvent::KeyPress) {
        auto* touche = static_cast<QKeyEvent*>(evenement);
        const QString t = touche->text();
        if (t.isEmpty()) {
            // A key that produces no character is no key press of the calculator; F1 asks
            // for the manual like the double click.
            if (touche->key() == Qt::Key_F1) session_.doubleCliquer(Ctl::OLE1);
        } else {
            for (char32_t code : t.toUcs4()) session_.appuyer(static_cast<std::int32_t>(code));
        }
        synchroniser();
    }
    return true;
}

void Affichage::menuContextuel(const QPoint& position)
{
    QMenu menu(this);
    QAction* copier = menu.addAction(QStringLiteral("Copier"));
    QObject::connect(copier, &QAction::triggered, this, [this] {
        QGuiApplication::clipboard()->setText(
            QString::fromStdString(session_.controles()[Ctl::lblResultat].legende));
    });
    menu.exec(widget(Ctl::lblResultat)->mapToGlobal(position));
}

QString Affichage::fichierManuel()
{
    // Written once per run into a private directory (owner-only), and removed at exit.
    if (!dossierManuel_) {
        auto dossier = std::make_unique<QTemporaryDir>();
        if (!dossier->isValid()) return {};
        const QString chemin = dossier->filePath(QStringLiteral("Tarvex-manuel.pdf"));
        QFile source(QStringLiteral(":/manuel/manuel.pdf"));
        QFile cible(chemin);
        if (!source.open(QIODevice::ReadOnly) || !cible.open(QIODevice::WriteOnly)) return {};
        cible.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        cible.write(source.readAll());
        cible.close();
        dossierManuel_ = std::move(dossier);
    }
    return dossierManuel_->filePath(QStringLiteral("Tarvex-manuel.pdf"));
}

} // namespace tarvex
