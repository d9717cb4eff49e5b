// The user manual carried inside the program: written as a PDF file into a private place
// before each opening, shown by the desktop's viewer, and never left behind in a temporary
// folder, even when the program is ended by SIGTERM, SIGINT or SIGHUP; the folders of runs
// killed or crashed are removed by the next run.
#pragma once

#include <QObject>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

class QWidget;

namespace tarvex {

class Manuel : public QObject {
public:
    explicit Manuel(QWidget* fenetre);
    ~Manuel() override;

    // Writes the manual again if it has gone, and gives its path; empty when no private
    // place could be made. The place is $XDG_RUNTIME_DIR/tarvex (owner-only, one file
    // reused), else a private folder under the first temporary directory that exists and
    // is writable, removed with the window.
    QString fichier();
    // Opens the manual, once for all the requests of two seconds; a message box gives the
    // file's path when no viewer could show it, at once when the desktop knows none.
    void ouvrir();
    // What starts the viewer; false when it could not. By default xdg-open, whose failure
    // later on is also reported.
    void ouvreur(std::function<bool(const QString&)> o) { ouvreur_ = std::move(o); }
    // The clock of the two seconds, in milliseconds: a monotonic clock, unless a test sets it.
    void horloge(std::function<std::int64_t()> h) { horloge_ = std::move(h); }

    // Removes the temporary folder; async-signal handling calls it for every manual alive.
    void nettoyer();

private:
    QString dossier();
    void signalerEchec(const QString& chemin);
    bool lancerVisionneuse(const QString& chemin);
    void finAttente();

    QWidget* fenetre_;
    QString dossier_;
    bool temporaire_ = false;
    bool attente_ = false; // the busy cursor is shown
    std::optional<std::int64_t> derniere_;
    std::function<bool(const QString&)> ouvreur_;
    std::function<std::int64_t()> horloge_;
};

} // namespace tarvex
