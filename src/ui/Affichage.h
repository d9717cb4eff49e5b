// The window Affichage: a Qt front end over the one calculator session it owns. Widgets are built
// from the session's table of controls; after every event one synchronisation path copies into
// them what the session's notification says changed.
#pragma once

#include <QWidget>

#include <functional>
#include <vector>

#include "session/Session.h"

class QKeyEvent;

namespace tarvex {

class FenetreJournal;
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

    // The whole window, geometry and fonts, from 50 % to 300 % in steps of 10 %.
    static constexpr int ZoomMin = 50, ZoomMax = 300, PasZoom = 10;
    int zoom() const { return zoom_; }
    void zoomer(int pourcent);

    // The beeps the window has sounded (QApplication::beep), the model's count played.
    long bipsJoues() const { return bips_; }
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
    bool raccourci(const QKeyEvent& touche);
    void menuContextuel(IdControle c, const QPoint& position);
    int zoomDeDepart() const;

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
    long bips_ = 0;
    int zoom_ = 100;
    Manuel* manuel_;
    FenetreJournal* journal_ = nullptr;
};

} // namespace tarvex
