// The window: widgets from the session's table of controls, key presses and clicks to the
// session, and what its notification says changed copied back into the widgets.
#include "Affichage.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMenu>
#include <QScreen>
#include <QToolTip>

#include "Accessibilite.h"
#include "Apparence.h"
#include "Dessin.h"
#include "FenetreJournal.h"
#include "Manuel.h"
#include "MenuControles.h"
#include "core/Version.h"

namespace tarvex {

namespace {

// Labels break their captions into lines, except the one-line displays of numbers.
bool multiligne(const DefinitionControle& d)
{
    return d.nom == "Label9" || d.nom == "Label8" || d.nom == "Label7";
}

// The display, and the five stack lines from Y(0) to X: they have a context menu, and the
// stack lines show their number whole, however small that makes it.
constexpr std::string_view NomResultat = "lblResultat";
constexpr std::string_view NomsLignesPile[] = {"Label1", "Label2", "Label3", "Label4", "Label5"};

IdControle controle(std::string_view nom) { return *Session::controle(nom); }

// The tooltip as a screen reader says it: its quotation marks are not read out.
QString description(const std::string& infobulle)
{
    return qtexte(infobulle).remove(QLatin1Char('"'));
}

// With Ctrl, Alt or Meta held a key is no character, unless it is AltGr: the keyboard's
// third level, or Ctrl+Alt giving a printable character as some systems report AltGr.
bool estCaractere(const QKeyEvent& t)
{
    const Qt::KeyboardModifiers m = t.modifiers();
    if (t.text().isEmpty()) return false;
    if (m & Qt::GroupSwitchModifier) return true;
    if (!(m & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) return true;
    const bool altGr =
        (m & Qt::ControlModifier) && (m & Qt::AltModifier) && !(m & Qt::MetaModifier);
    return altGr &&
           std::all_of(t.text().begin(), t.text().end(), [](QChar c) { return c.isPrint(); });
}

// Room kept around the window for the desktop's frame and title bar when it chooses its zoom.
constexpr QSize MargeCadre(10, 40);

} // namespace

Affichage::Affichage()
    : resultat_(controle(NomResultat)), manuelIcone_(controle("OLE1")),
      sonnerie_([] { QApplication::beep(); }), manuel_(new Manuel(this)),
      annonceur_(new Annonceur(this))
{
    for (std::string_view nom : NomsLignesPile) lignesPile_.push_back(controle(nom));
    session_.ecouter([this](const Changements& c) { noter(c); });
    installerAccessibilite();
    setObjectName("Affichage");
    setWindowTitle(QStringLiteral(TARVEX_TITRE));
    // Nothing of the desktop's theme: the fixed light palette, the window grey.
    QPalette p = paletteClaire();
    p.setColor(QPalette::Window, couleurQt(couleurs::Gris));
    p.setResolveMask(~QPalette::ResolveMask(0));
    setPalette(p);
    QToolTip::setPalette(paletteClaire());
    setAutoFillBackground(true);
    construire();
    zoom_ = std::min(100, zoomMaximal());
    disposer();
    synchroniser();
    qApp->installEventFilter(this);
}

// The journal's window reads the session's journal until its last moment (a hide event, a
// screen reader asking for its lines): it goes first, while the session is still there.
Affichage::~Affichage()
{
    qApp->removeEventFilter(this);
    delete journal_;
}

void Affichage::ouvreurManuel(std::function<bool(const QString&)> ouvreur)
{
    manuel_->ouvreur(std::move(ouvreur));
}

QString Affichage::fichierManuel() { return manuel_->fichier(); }

void Affichage::construire()
{
    const int n = Session::nombreControles();
    widgets_.resize(static_cast<std::size_t>(n));
    // What a new widget shows: the first synchronisation writes every difference.
    montre_.assign(static_cast<std::size_t>(n),
                   EtatControle{"", "", true, true, couleurs::FaceBouton, false});
    for (IdControle id = 0; id < n; ++id) {
        const DefinitionControle& d = Session::definition(id);
        QWidget* parent = d.parent != SansControle ? widget(d.parent) : this;
        QWidget* w = nullptr;
        switch (d.genre) {
        case Genre::Cadre: w = new Cadre(parent); break;
        case Genre::Option: {
            auto* o = new Option(parent);
            o->setAutoExclusive(false); // the model decides which option is selected
            QObject::connect(o, &QAbstractButton::clicked, this, [this, id] { cliquer(id); });
            w = o;
            break;
        }
        case Genre::Bouton: {
            auto* b = new Touche(parent);
            b->setAutoDefault(false);
            QObject::connect(b, &QAbstractButton::clicked, this, [this, id] { cliquer(id); });
            w = b;
            break;
        }
        case Genre::Ole: {
            auto* icone = new IconeManuel(parent, [this, id] { doubleCliquer(id); });
            icone->setAlignment(Qt::AlignCenter);
            w = icone;
            break;
        }
        case Genre::Label: {
            auto* l = new Etiquette(parent, multiligne(d));
            l->setAutoFillBackground(true);
            l->setTextFormat(Qt::PlainText);
            w = l;
            break;
        }
        }
        w->setObjectName(qtexte(d.nom));
        w->setFocusPolicy(d.genre == Genre::Bouton || d.genre == Genre::Option ? Qt::StrongFocus
                                                                               : Qt::NoFocus);
        QPalette p = w->palette();
        p.setColor(QPalette::WindowText, couleurQt(d.texte));
        if (d.genre != Genre::Bouton) p.setColor(QPalette::Window, couleurQt(d.fond));
        w->setPalette(p);
        w->setAccessibleName(qtexte(d.nomAccessible));
        widgets_[static_cast<std::size_t>(id)] = w;
    }
    // The display and the five stack lines have a context menu.
    std::vector<IdControle> menus = lignesPile_;
    menus.insert(menus.begin(), resultat_);
    for (IdControle c : menus) {
        widget(c)->setContextMenuPolicy(Qt::CustomContextMenu);
        QObject::connect(widget(c), &QWidget::customContextMenuRequested, this,
                         [this, c](const QPoint& pos) { menuContextuel(c, pos); });
    }
}

// Never larger than the screen's available area, the desktop's frame included: the largest
// step that fits is the ceiling of every zoom, and 100 % becomes that step where it does not
// fit. The journal's window follows.
void Affichage::zoomer(int pourcent)
{
    pourcent = std::clamp(pourcent, ZoomMin, zoomMaximal());
    if (pourcent == zoom_) return;
    zoom_ = pourcent;
    disposer();
    if (journal_ != nullptr) journal_->zoomer(zoom_, place());
}

QSize Affichage::place() const
{
    if (place_.isValid()) return place_;
    const QScreen* ecran = screen();
    return ecran != nullptr ? ecran->availableGeometry().size() : QSize(1 << 20, 1 << 20);
}

int Affichage::zoomMaximal() const
{
    // The frame's size once the desktop has drawn one, else the room usually kept for it.
    const QSize cadre =
        (isVisible() ? frameGeometry().size() - size() : QSize()).expandedTo(MargeCadre);
    const QSize libre = place() - cadre;
    const Taille taille = Session::tailleFenetre();
    int z = ZoomMax;
    while (z > ZoomMin && (pixels(taille.largeur, z) > libre.width() ||
                           pixels(taille.hauteur, z) > libre.height()))
        z -= PasZoom;
    return z;
}

// Geometry, fonts and the floor of the captions at the current zoom.
void Affichage::disposer()
{
    const Taille taille = Session::tailleFenetre();
    setFixedSize(pixels(taille.largeur, zoom_), pixels(taille.hauteur, zoom_));
    for (IdControle id = 0; id < Session::nombreControles(); ++id) {
        const DefinitionControle& d = Session::definition(id);
        QWidget* w = widget(id);
        w->setGeometry(pixels(d.gauche, zoom_), pixels(d.haut, zoom_), pixels(d.largeur, zoom_),
                       pixels(d.hauteur, zoom_));
        w->setFont(police(d.police, zoom_));
        if (Legende* l = legendeDe(w)) l->plancher(PlancherLisible * zoom_ / 100.0);
        if (auto* i = dynamic_cast<IconeManuel*>(w))
            i->dessinerPage(pixels(d.hauteur - 360, zoom_));
    }
    for (IdControle id = 0; id < Session::nombreControles(); ++id) bulle(id);
}

void Affichage::cliquer(IdControle c)
{
    session_.cliquer(c);
    synchroniser();
}

void Affichage::doubleCliquer(IdControle c)
{
    session_.doubleCliquer(c);
    synchroniser();
}

// Copy changes nothing of the calculator (no beep, no focus, no step).
void Affichage::copier(const std::string& t) { QGuiApplication::clipboard()->setText(qtexte(t)); }

// A paste that is refused beeps, through the model's count as every beep.
void Affichage::coller()
{
    session_.coller(QGuiApplication::clipboard()->text().toStdString());
    synchroniser();
}

void Affichage::revenir(bool arriere)
{
    arriere ? session_.annuler() : session_.retablir();
    synchroniser();
}

void Affichage::ouvrirJournal()
{
    if (journal_ == nullptr) {
        journal_ = new FenetreJournal(session_, this);
        journal_->zoomer(zoom_, place());
    }
    journal_->show();
    journal_->raise();
    journal_->activateWindow();
}

// What the session says after each event, kept until the next synchronisation: a key press
// of several characters is several events.
void Affichage::noter(const Changements& c)
{
    aAppliquer_.insert(aAppliquer_.end(), c.controles.begin(), c.controles.end());
    bipsAJouer_ += c.bips;
    manuelDemande_ = manuelDemande_ || c.manuels > 0;
    journalChange_ = journalChange_ || c.journal;
    annonce_ = c.annonce; // the last event's, when a key press is several
}

void Affichage::synchroniser()
{
    if (toutAppliquer_) {
        for (IdControle id = 0; id < Session::nombreControles(); ++id) appliquer(id);
        toutAppliquer_ = false;
    } else {
        for (IdControle id : aAppliquer_) appliquer(id);
        // A click toggles an option's own mark behind the session's back: compare each.
        for (IdControle id = 0; id < Session::nombreControles(); ++id)
            if (Session::definition(id).genre == Genre::Option)
                static_cast<QAbstractButton*>(widget(id))
                    ->setChecked(session_.etat(id).selectionne);
    }
    aAppliquer_.clear();

    QWidget* focus = widget(session_.focus());
    if (!focus->hasFocus()) focus->setFocus(Qt::OtherFocusReason);

    for (; bipsAJouer_ > 0; --bipsAJouer_, ++bips_) sonnerie_();
    if (manuelDemande_) manuel_->ouvrir();
    manuelDemande_ = false;
    if (journal_ != nullptr && journalChange_) journal_->actualiser();
    journalChange_ = false;
    // Last, after any focus change, which a screen reader says first.
    annonceur_->dire(qtexte(annonce_));
    annonce_.clear();
}

void Affichage::appliquer(IdControle c)
{
    const EtatControle& s = session_.etat(c);
    EtatControle& m = montre_[static_cast<std::size_t>(c)];
    QWidget* w = widget(c);
    const DefinitionControle& d = Session::definition(c);

    const bool changee = s.legende != m.legende;
    if (changee) {
        const QString avant = qtexte(m.legende);
        m.legende = s.legende;
        const QString t = qtexte(s.legende);
        switch (d.genre) {
        case Genre::Label: static_cast<QLabel*>(w)->setText(t); break;
        case Genre::Bouton:
        case Genre::Option: static_cast<QAbstractButton*>(w)->setText(t); break;
        case Genre::Cadre: static_cast<Cadre*>(w)->setTitle(t); break;
        case Genre::Ole: break;
        }
        if (d.genre == Genre::Label) signalerTexte(w, avant, t);
        const QString nom = qtexte(session_.nomAccessible(c));
        if (nom != w->accessibleName()) w->setAccessibleName(nom);
    }
    if (s.infobulle != m.infobulle || changee) {
        m.infobulle = s.infobulle;
        bulle(c);
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
        if (d.peintFond)
            static_cast<Touche*>(w)->fond(s.fond == couleurs::FaceBouton ? QColor()
                                                                         : couleurQt(s.fond));
    }
    // A click toggles an option's own mark behind the model's back: compare with the widget.
    m.selectionne = s.selectionne;
    if (d.genre == Genre::Option) static_cast<QAbstractButton*>(w)->setChecked(s.selectionne);
}

namespace {

// The window's own shortcuts, before any key reaches the calculator; the display's menu shows
// the first key of its command beside it. Keypad keys count as the same keys; Shift counts.
// Paste, the manual and the journal act once per physical press: a held Ctrl+V would
// otherwise fill the stack.
using Commande = Affichage::Commande;
struct Raccourci {
    Qt::Key cle;
    Qt::KeyboardModifiers modificateurs;
    bool repetee; // acts again while the key is held
    Commande commande;
};
constexpr Qt::KeyboardModifiers Maj = Qt::ShiftModifier;
constexpr Qt::KeyboardModifiers Ctrl = Qt::ControlModifier;
constexpr Qt::KeyboardModifiers CtrlMaj = Qt::ControlModifier | Qt::ShiftModifier;
// clang-format off
constexpr Raccourci Raccourcis[] = {
    {Qt::Key_F1,    {},      false, Commande::Manuel},
    {Qt::Key_Plus,  Ctrl,    true,  Commande::ZoomPlus},
    {Qt::Key_Plus,  CtrlMaj, true,  Commande::ZoomPlus},   // "+" is a shifted key on many keyboards
    {Qt::Key_Equal, Ctrl,    true,  Commande::ZoomPlus},   // whose key gives "=" without Shift
    {Qt::Key_Minus, Ctrl,    true,  Commande::ZoomMoins},
    {Qt::Key_Underscore, CtrlMaj, true, Commande::ZoomMoins}, // Shift with the "-" key
    {Qt::Key_0,     Ctrl,    false, Commande::ZoomNormal},
    {Qt::Key_0,     CtrlMaj, false, Commande::ZoomNormal}, // "0" is a shifted key on French keyboards,
    {Qt::Key_Agrave, Ctrl,   false, Commande::ZoomNormal}, // whose key gives "à" without Shift
    {Qt::Key_C,     Ctrl,    false, Commande::Copier},
    {Qt::Key_V,     Ctrl,    false, Commande::Coller},
    {Qt::Key_Z,     Ctrl,    true,  Commande::Annuler},
    {Qt::Key_Z,     CtrlMaj, true,  Commande::Retablir},
    {Qt::Key_Y,     Ctrl,    true,  Commande::Retablir},
    {Qt::Key_J,     Ctrl,    false, Commande::Journal},
    {Qt::Key_Menu,  {},      false, Commande::Menu},       // the display's context menu
    {Qt::Key_F10,   Maj,     false, Commande::Menu},
};
// clang-format on

// The first key of a command, as a menu item shows it.
QKeyCombination touchesDe(Commande c)
{
    for (const Raccourci& r : Raccourcis)
        if (r.commande == c) return QKeyCombination(r.modificateurs, r.cle);
    return {};
}

} // namespace

// The tooltip and the description: the control's own, or the whole caption where it is
// drawn elided (on screen only: a hidden control is laid out when it shows).
void Affichage::bulle(IdControle c)
{
    QWidget* w = widget(c);
    const EtatControle& s = session_.etat(c);
    const bool abrege = w->isVisible() && legendeAbregee(w);
    QString t = qtexte(abrege ? s.legende : s.infobulle);
    if (const QString d = abrege ? t : description(s.infobulle); d != w->accessibleDescription())
        w->setAccessibleDescription(d);
    // A number of 310 digits has no blank to break at: lines of 60, so it stays on screen.
    for (qsizetype i = 60; abrege && i < t.size(); i += 61) t.insert(i, QLatin1Char('\n'));
    if (t != w->toolTip()) w->setToolTip(t);
}

bool Affichage::raccourci(const QKeyEvent& touche, bool nouvelAppui)
{
    const Qt::KeyboardModifiers m = touche.modifiers() & ~Qt::KeypadModifier;
    for (const Raccourci& r : Raccourcis) {
        if (r.cle != touche.key() || r.modificateurs != m) continue;
        if (r.repetee || nouvelAppui) executer(r.commande);
        return true;
    }
    return false;
}

void Affichage::executer(Commande c)
{
    switch (c) {
    case Commande::Manuel: doubleCliquer(manuelIcone_); break;
    case Commande::ZoomPlus: zoomer(zoom_ + PasZoom); break;
    case Commande::ZoomMoins: zoomer(zoom_ - PasZoom); break;
    case Commande::ZoomNormal: zoomer(100); break;
    case Commande::Copier: copier(session_.copier()); break;
    case Commande::Coller: coller(); break;
    case Commande::Annuler: revenir(true); break;
    case Commande::Retablir: revenir(false); break;
    case Commande::Journal: ouvrirJournal(); break;
    case Commande::Menu: menuContextuel(resultat_, widget(resultat_)->rect().center()); break;
    }
}

bool Affichage::eventFilter(QObject* objet, QEvent* evenement)
{
    const QEvent::Type type = evenement->type();
    // Keys are followed wherever they are released (a message box or the journal may have
    // taken the focus meanwhile), and forgotten when the keyboard goes to another program.
    if (type == QEvent::ApplicationStateChange &&
        static_cast<QApplicationStateChangeEvent*>(evenement)->applicationState() !=
            Qt::ApplicationActive)
        appuis_.oublier();
    if (type == QEvent::KeyRelease) appuis_.relache(*static_cast<QKeyEvent*>(evenement));
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease) return false;
    auto* cible = qobject_cast<QWidget*>(objet);
    if (cible == nullptr || cible->window() != this) return false;

    // Every key press goes to the window's shortcuts or to the calculator and is consumed:
    // the focused button never acts on it, and Tab does not move the focus. A key that
    // gives no character (or that Ctrl, Alt or Meta change) does nothing, without a beep.
    if (type == QEvent::KeyPress) {
        const auto& touche = *static_cast<QKeyEvent*>(evenement);
        if (!raccourci(touche, appuis_.nouveau(touche)) && estCaractere(touche))
            for (char32_t code : touche.text().toUcs4())
                session_.appuyer(static_cast<std::int32_t>(code));
        synchroniser();
    }
    return true;
}

// The display's menu: copy (the session's copy text, or the caption whole as the display
// shows it), paste, the controls that have no key (each item a click), the journal; a stack
// line's menu copies its level.
void Affichage::menuContextuel(IdControle c, const QPoint& position)
{
    QMenu menu(this);
    menu.setPalette(paletteClaire());
    const auto ajouter = [&](const char* nom, QKeyCombination touches, auto&& action) {
        QAction* a = menu.addAction(QString::fromUtf8(nom));
        a->setShortcut(touches); // shown beside the text; the window's table acts on it
        a->setShortcutVisibleInContextMenu(true);
        QObject::connect(a, &QAction::triggered, this, action);
    };
    const auto commande = [&](const char* nom, Commande k) {
        ajouter(nom, touchesDe(k), [this, k] { executer(k); });
    };
    if (c != resultat_) {
        const auto niveau =
            static_cast<int>(std::ranges::find(lignesPile_, c) - lignesPile_.begin());
        ajouter("Copier", {}, [this, niveau] { copier(session_.texteNiveau(IdxY0 + niveau)); });
    } else {
        commande("Copier", Commande::Copier);
        ajouter("Copier l'affichage", {}, [this] { copier(std::string(session_.affichage())); });
        commande("Coller", Commande::Coller);
        menu.addSeparator();
        ajouterControles(menu, session_, [this](IdControle k) { cliquer(k); });
        menu.addSeparator();
        commande("Journal…", Commande::Journal);
    }
    menu.exec(widget(c)->mapToGlobal(position));
}

} // namespace tarvex
