// The window: widgets from the window table, key presses and clicks to the calculator's
// session, and the control model copied back into the widgets after each event.
#include "ui/Affichage.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMenu>
#include <QScreen>
#include <QToolTip>

#include "ui/Accessibilite.h"
#include "ui/Apparence.h"
#include "ui/Dessin.h"
#include "ui/FenetreJournal.h"
#include "ui/Manuel.h"
#include "ui/MenuControles.h"

namespace tarvex {

namespace {

// Labels break their captions into lines, except the one-line displays of numbers.
bool multiligne(Ctl c) { return c == Ctl::Label9 || c == Ctl::Label8 || c == Ctl::Label7; }
QString texte(std::string_view s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// The tooltip as a screen reader says it: its quotation marks are not read out.
QString description(const std::string& infobulle)
{
    return QString::fromStdString(infobulle).remove(QLatin1Char('"'));
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

Affichage::Affichage() : sonnerie_([] { QApplication::beep(); }), manuel_(new Manuel(this))
{
    installerAccessibilite();
    setObjectName("Affichage");
    setWindowTitle("Tarvex V2.0");
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
    for (const DefinitionControle& d : tableControles()) {
        QWidget* parent = d.parent ? widget(*d.parent) : this;
        QWidget* w = nullptr;
        switch (d.genre) {
        case Genre::Cadre: w = new Cadre(parent); break;
        case Genre::Option: {
            auto* o = new Option(parent);
            o->setAutoExclusive(false); // the model decides which option is selected
            QObject::connect(o, &QAbstractButton::clicked, this, [this, c = d.id] { cliquer(c); });
            w = o;
            break;
        }
        case Genre::Bouton: {
            auto* b = new Touche(parent);
            b->setAutoDefault(false);
            QObject::connect(b, &QAbstractButton::clicked, this, [this, c = d.id] { cliquer(c); });
            w = b;
            break;
        }
        case Genre::Ole: {
            auto* icone = new IconeManuel(parent, [this] { doubleCliquer(Ctl::OLE1); });
            icone->setAlignment(Qt::AlignCenter);
            w = icone;
            break;
        }
        case Genre::Label: {
            auto* l = new Etiquette(parent, multiligne(d.id));
            l->setAutoFillBackground(true);
            l->setTextFormat(Qt::PlainText);
            w = l;
            break;
        }
        }
        w->setObjectName(texte(d.nom));
        w->setFocusPolicy(d.genre == Genre::Bouton || d.genre == Genre::Option ? Qt::StrongFocus
                                                                               : Qt::NoFocus);
        QPalette p = w->palette();
        p.setColor(QPalette::WindowText, couleurQt(d.texte));
        if (d.genre != Genre::Bouton) p.setColor(QPalette::Window, couleurQt(d.fond));
        w->setPalette(p);
        w->setAccessibleName(texte(nomAccessible(d.id, d.legende)));
        widgets_[indice(d.id)] = w;
        // What a new widget shows: the first synchronisation writes every difference.
        montre_[indice(d.id)] = EtatControle{"", "", true, true, couleurs::FaceBouton, false};
    }
    // The display and the five stack lines have a context menu.
    for (Ctl c :
         {Ctl::lblResultat, Ctl::Label1, Ctl::Label2, Ctl::Label3, Ctl::Label4, Ctl::Label5}) {
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
    int z = ZoomMax;
    while (z > ZoomMin && (pixels(9855, z) > libre.width() || pixels(8460, z) > libre.height()))
        z -= PasZoom;
    return z;
}

// Geometry, fonts and the floor of the captions at the current zoom.
void Affichage::disposer()
{
    setFixedSize(pixels(9855, zoom_), pixels(8460, zoom_));
    for (const DefinitionControle& d : tableControles()) {
        QWidget* w = widget(d.id);
        w->setGeometry(pixels(d.gauche, zoom_), pixels(d.haut, zoom_), pixels(d.largeur, zoom_),
                       pixels(d.hauteur, zoom_));
        w->setFont(police(d.police, zoom_));
        if (Legende* l = legendeDe(w)) l->plancher(PlancherLisible * zoom_ / 100.0);
        if (auto* i = dynamic_cast<IconeManuel*>(w))
            i->dessinerPage(pixels(d.hauteur - 360, zoom_));
    }
    for (const DefinitionControle& d : tableControles()) bulle(d.id);
}

void Affichage::cliquer(Ctl c)
{
    session_.cliquer(c);
    synchroniser();
}

void Affichage::doubleCliquer(Ctl c)
{
    session_.doubleCliquer(c);
    synchroniser();
}

// Copy changes nothing of the calculator (no beep, no focus, no step).
void Affichage::copier(const std::string& t) { QGuiApplication::clipboard()->setText(texte(t)); }

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

void Affichage::synchroniser()
{
    for (const DefinitionControle& d : tableControles()) appliquer(d.id);

    QWidget* focus = widget(session_.controles().focus());
    if (!focus->hasFocus()) focus->setFocus(Qt::OtherFocusReason);

    const auto& modele = session_.controles();
    for (; bips_ < modele.bips(); ++bips_) sonnerie_();
    if (manuels_ < modele.manuelsOuverts()) {
        manuels_ = modele.manuelsOuverts();
        manuel_->ouvrir();
    }
    if (journal_ != nullptr) journal_->actualiser();
}

void Affichage::appliquer(Ctl c)
{
    const EtatControle& s = session_.controles()[c];
    EtatControle& m = montre_[indice(c)];
    QWidget* w = widget(c);
    const DefinitionControle& d = definition(c);

    const bool changee = s.legende != m.legende;
    if (changee) {
        const QString avant = QString::fromStdString(m.legende);
        m.legende = s.legende;
        const QString t = QString::fromStdString(s.legende);
        switch (d.genre) {
        case Genre::Label: static_cast<QLabel*>(w)->setText(t); break;
        case Genre::Bouton:
        case Genre::Option: static_cast<QAbstractButton*>(w)->setText(t); break;
        case Genre::Cadre: static_cast<Cadre*>(w)->setTitle(t); break;
        case Genre::Ole: break;
        }
        if (c == Ctl::lblResultat) annoncerTexte(w, avant, t);
        const QString nom = texte(nomAccessible(c, s.legende));
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

// The tooltip and the description: the control's own, or the whole caption where it is
// drawn elided (on screen only: a hidden control is laid out when it shows).
void Affichage::bulle(Ctl c)
{
    QWidget* w = widget(c);
    const EtatControle& s = session_.controles()[c];
    const bool abrege = w->isVisible() && legendeAbregee(w);
    QString t = abrege ? texte(s.legende) : QString::fromStdString(s.infobulle);
    if (const QString d = abrege ? t : description(s.infobulle); d != w->accessibleDescription())
        w->setAccessibleDescription(d);
    // A number of 310 digits has no blank to break at: lines of 60, so it stays on screen.
    for (qsizetype i = 60; abrege && i < t.size(); i += 61) t.insert(i, QLatin1Char('\n'));
    if (t != w->toolTip()) w->setToolTip(t);
}

// The window's own shortcuts, before any key reaches the calculator. Keypad keys count as
// the same keys; Shift counts. Paste, the manual and the journal act once per physical press
// (`nouvelAppui`): a held Ctrl+V would otherwise fill the stack.
bool Affichage::raccourci(const QKeyEvent& touche, bool nouvelAppui)
{
    struct Raccourci {
        Qt::Key cle;
        Qt::KeyboardModifiers modificateurs;
        bool repetee; // acts again while the key is held
        void (*action)(Affichage&);
    };
    const auto plus = [](Affichage& a) { a.zoomer(a.zoom_ + PasZoom); };
    const auto moins = [](Affichage& a) { a.zoomer(a.zoom_ - PasZoom); };
    const auto normal = [](Affichage& a) { a.zoomer(100); };
    const auto copie = [](Affichage& a) { a.copier(a.session_.copier()); };
    const auto colle = [](Affichage& a) { a.coller(); };
    const auto annule = [](Affichage& a) { a.revenir(true); };
    const auto retablit = [](Affichage& a) { a.revenir(false); };
    const auto journal = [](Affichage& a) { a.ouvrirJournal(); };
    const auto menu = [](Affichage& a) {
        a.menuContextuel(Ctl::lblResultat, a.widget(Ctl::lblResultat)->rect().center());
    };
    constexpr Qt::KeyboardModifiers Maj = Qt::ShiftModifier;
    constexpr Qt::KeyboardModifiers Ctrl = Qt::ControlModifier;
    constexpr Qt::KeyboardModifiers CtrlMaj = Qt::ControlModifier | Qt::ShiftModifier;
    // clang-format off
    static const Raccourci raccourcis[] = {
        {Qt::Key_F1,    {},      false, [](Affichage& a) { a.doubleCliquer(Ctl::OLE1); }},
        {Qt::Key_Plus,  Ctrl,    true,  plus},
        {Qt::Key_Plus,  CtrlMaj, true,  plus},     // "+" is a shifted key on many keyboards,
        {Qt::Key_Equal, Ctrl,    true,  plus},     // whose key gives "=" without Shift
        {Qt::Key_Minus, Ctrl,    true,  moins},
        {Qt::Key_Underscore, CtrlMaj, true, moins}, // Shift with the "-" key
        {Qt::Key_0,     Ctrl,    false, normal},
        {Qt::Key_0,     CtrlMaj, false, normal},   // "0" is a shifted key on French keyboards
        {Qt::Key_Agrave, Ctrl,   false, normal},   // ... whose key gives "à" without Shift
        {Qt::Key_C,     Ctrl,    false, copie},
        {Qt::Key_V,     Ctrl,    false, colle},
        {Qt::Key_Z,     Ctrl,    true,  annule},
        {Qt::Key_Z,     CtrlMaj, true,  retablit},
        {Qt::Key_Y,     Ctrl,    true,  retablit},
        {Qt::Key_J,     Ctrl,    false, journal},
        {Qt::Key_Menu,  {},      false, menu},     // the display's context menu
        {Qt::Key_F10,   Maj,     false, menu},
    };
    // clang-format on
    const Qt::KeyboardModifiers m = touche.modifiers() & ~Qt::KeypadModifier;
    for (const Raccourci& r : raccourcis) {
        if (r.cle != touche.key() || r.modificateurs != m) continue;
        if (r.repetee || nouvelAppui) r.action(*this);
        return true;
    }
    return false;
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
void Affichage::menuContextuel(Ctl c, const QPoint& position)
{
    QMenu menu(this);
    menu.setPalette(paletteClaire());
    const auto ajouter = [&](const char* nom, QKeyCombination touches, auto&& action) {
        QAction* a = menu.addAction(QString::fromUtf8(nom));
        a->setShortcut(touches); // shown beside the text; the window's table acts on it
        a->setShortcutVisibleInContextMenu(true);
        QObject::connect(a, &QAction::triggered, this, action);
    };
    if (c != Ctl::lblResultat) {
        const int niveau = IdxY0 + (indice(c) - indice(Ctl::Label1));
        ajouter("Copier", {}, [this, niveau] { copier(session_.texteNiveau(niveau)); });
    } else {
        ajouter("Copier", Qt::CTRL | Qt::Key_C, [this] { copier(session_.copier()); });
        ajouter("Copier l'affichage", {},
                [this] { copier(session_.controles()[Ctl::lblResultat].legende); });
        ajouter("Coller", Qt::CTRL | Qt::Key_V, [this] { coller(); });
        menu.addSeparator();
        ajouterControles(menu, session_.controles(), [this](Ctl k) { cliquer(k); });
        menu.addSeparator();
        ajouter("Journal…", Qt::CTRL | Qt::Key_J, [this] { ouvrirJournal(); });
    }
    menu.exec(widget(c)->mapToGlobal(position));
}

} // namespace tarvex
