// The window Affichage: a Qt front end over the one calculator session it owns. Widgets are built
// from the window table; after every event one synchronisation path copies the control
// model into them.
#pragma once

#include <QWidget>

#include <array>
#include <functional>

#include "session/Session.h"
#include "ui/Appuis.h"

class QKeyEvent;

namespace tarvex {

class FenetreJournal;
class Manuel;

class Affichage : public QWidget {
public:
    Affichage();
    ~Affichage() override;

    Session& session() { return session_; }
    QWidget* widget(Ctl c) const { return widgets_[indice(c)]; }

    // Opens the manual's PDF file; by default the desktop's PDF viewer through xdg-open
    // (tests replace it). Returns false when no viewer could be started.
    void ouvreurManuel(std::function<bool(const QString&)> ouvreur);
    // The manual written to its private place (written again if it has gone).
    QString fichierManuel();

    // The whole window, geometry and fonts, from 50 % to 300 % in steps of 10 %, and never
    // beyond the screen's available area (or the one a test sets; an invalid size: the
    // screen's). The journal's window follows.
    static constexpr int ZoomMin = 50, ZoomMax = 300, PasZoom = 10;
    int zoom() const { return zoom_; }
    void zoomer(int pourcent);
    void placeDisponible(QSize place) { place_ = place; }

    // The beeps the window has sounded, the model's count played, each through one call of
    // the sounding function: QApplication::beep, unless a test counts them.
    long bipsJoues() const { return bips_; }
    void sonnerie(std::function<void()> s) { sonnerie_ = std::move(s); }
    Manuel& manuel() { return *manuel_; }
    // The journal's window, made when it is first opened (Ctrl+J, "Journal…").
    void ouvrirJournal();
    FenetreJournal* journal() const { return journal_; }

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    void construire();
    void disposer();
    void cliquer(Ctl c);
    void doubleCliquer(Ctl c);
    void copier(const std::string& texte);
    void coller();
    void revenir(bool arriere);
    void synchroniser();
    void appliquer(Ctl c);
    void bulle(Ctl c);
    bool raccourci(const QKeyEvent& touche, bool nouvelAppui);
    void menuContextuel(Ctl c, const QPoint& position);
    QSize place() const;
    int zoomMaximal() const;

    Session session_;
    std::array<QWidget*, NbControles> widgets_{};
    std::array<EtatControle, NbControles> montre_{}; // what each widget shows now
    Appuis appuis_;
    std::function<void()> sonnerie_;
    long bips_ = 0;
    long manuels_ = 0;
    int zoom_ = 100;
    QSize place_;
    Manuel* manuel_;
    FenetreJournal* journal_ = nullptr; // destroyed before session_, which it reads
};

} // namespace tarvex
