// The journal's window: the session's journal as a list of two columns, what was pressed and
// what the display showed after it, with "Enregistrer…" and "Effacer". The main window makes
// it only when it is first opened, and has it follow the journal after every event.
#pragma once

#include <QWidget>

class QTreeView;

namespace tarvex {

class Session;
class ModeleJournal;

class FenetreJournal : public QWidget {
public:
    FenetreJournal(Session& session, QWidget* fenetre);

    // Brings the list up to date with the journal: the lines added since, the lines dropped
    // by the journal (the oldest past its capacity, or all of them when it was emptied).
    // Does nothing while the window is hidden; showing it does it.
    void actualiser();
    // Follows the main window's zoom: fonts and size in proportion, within `place` (the
    // screen's available area), and on the screen.
    void zoomer(int pourcent, QSize place);

protected:
    void showEvent(QShowEvent* evenement) override;
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    // The selected lines as the saved file writes them, for the clipboard.
    void copier();
    // Asks for a file and writes the whole journal into it: UTF-8, a tab between the columns.
    void enregistrer();
    // Writes the journal into `chemin`; false, after a message box, when it could not.
    bool enregistrerSous(const QString& chemin);

    Session& session_;
    ModeleJournal* modele_;
    QTreeView* liste_;
    int zoom_ = 100;
};

} // namespace tarvex
