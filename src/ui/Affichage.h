// The window Affichage: a Qt front end over the one calculator session it owns. Widgets are built
// from the session's table of controls; after every event one synchronisation path copies into
// them what the session's notification says changed.
#pragma once

#include <QWidget>

#include <functional>
#include <vector>

#include "Appuis.h"
#include "session/Session.h"

class QKeyEvent;

namespace tarvex {

class FenetreJournal;
class Annonceur;
class Manuel;

class Affichage : public QWidget {
public:
    Affichage();
    ~Affichage() override;

    Session& session() { return session_; }
    QWidget* widget(IdControle c) const { return widgets_[static_cast<std::size_t>(c)]; }

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

    // What the window's shortcuts and its display's menu do (one table in Affichage.cpp gives
    // their keys, for both).
    enum class Commande {
        Manuel,
        ZoomPlus,
        ZoomMoins,
        ZoomNormal,
        Copier,
        Coller,
        Annuler,
        Retablir,
        Journal,
        Menu
    };
    void executer(Commande c);

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    void construire();
    void disposer();
    void cliquer(IdControle c);
    void doubleCliquer(IdControle c);
    void copier(const std::string& texte);
    void coller();
    void revenir(bool arriere);
    void noter(const Changements& c);
    void synchroniser();
    void appliquer(IdControle c);
    void bulle(IdControle c);
    bool raccourci(const QKeyEvent& touche, bool nouvelAppui);
    void menuContextuel(IdControle c, const QPoint& position);
    QSize place() const;
    int zoomMaximal() const;

    Session session_;
    IdControle resultat_, manuelIcone_;
    std::vector<IdControle> lignesPile_; // Y(0) to X
    std::vector<QWidget*> widgets_;
    std::vector<EtatControle> montre_; // what each widget shows now
    // What the session said changed since the last synchronisation.
    std::vector<IdControle> aAppliquer_;
    bool toutAppliquer_ = true;
    int bipsAJouer_ = 0;
    bool manuelDemande_ = false;
    bool journalChange_ = false;
    std::string annonce_; // what the last event announces
    Appuis appuis_;
    std::function<void()> sonnerie_;
    long bips_ = 0;
    int zoom_ = 100;
    QSize place_;
    Manuel* manuel_;
    FenetreJournal* journal_ = nullptr; // destroyed before session_, which it reads
    Annonceur* annonceur_;
};

} // namespace tarvex
