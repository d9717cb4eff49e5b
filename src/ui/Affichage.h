// The window Affichage: a Qt front end over the one calculator session it owns. Widgets are built
// from the window table; after every event one synchronisation path copies the control
// model into them.
#pragma once

#include <QWidget>

#include <array>
#include <functional>
#include <memory>

#include "session/Session.h"

class QTemporaryDir;

namespace tarvex {

class Affichage : public QWidget {
public:
    Affichage();
    ~Affichage() override;

    Session& session() { return session_; }
    QWidget* widget(Ctl c) const { return widgets_[indice(c)]; }

    // Opens the manual's PDF file; by default the desktop's PDF viewer (tests replace it).
    void ouvreurManuel(std::function<void(const QString&)> ouvreur)
    {
        ouvreur_ = std::move(ouvreur);
    }
    // The manual written to the private temporary directory (written on first use).
    QString fichierManuel();

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    void construire();
    void cliquer(Ctl c);
    void synchroniser();
    void appliquer(Ctl c);
    void menuContextuel(const QPoint& position);

    Session session_;
    std::array<QWidget*, NbControles> widgets_{};
    std::array<EtatControle, NbControles> montre_{}; // what each widget shows now
    long bips_ = 0;
    long manuels_ = 0;
    std::unique_ptr<QTemporaryDir> dossierManuel_;
    std::function<void(const QString&)> ouvreur_;
};

} // namespace tarvex
