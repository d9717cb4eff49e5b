// The journal of a session: one line per recorded event and per undo or redo, with what was
// pressed and what the main display showed after it. The window lists it on demand.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace tarvex {

struct LigneJournal {
    std::string touche;    // a button's caption, a typed character, "Entrée", "Coller 12", ...
    std::string affichage; // the caption of lblResultat after the event
};

class Journal {
public:
    static constexpr std::size_t Capacite = 10000; // past it, the oldest line goes

    std::size_t taille() const { return lignes_.size(); }
    // How many lines were ever added, those gone and those cleared included: the lines kept
    // are the last taille() of them (a list that shows the journal follows it by this count).
    std::size_t ajoutees() const { return ajoutees_; }
    // Line i, 0 being the oldest line kept.
    const LigneJournal& operator[](std::size_t i) const
    {
        return lignes_[(debut_ + i) % lignes_.size()];
    }
    // The whole journal as UTF-8 text: one line per line, a tab between its two columns.
    std::string texte() const;

    // Empties the journal and gives its memory back.
    void effacer();
    // A new last line for the session to fill; past Capacite it takes the oldest one's place.
    LigneJournal& ajouter();

private:
    std::vector<LigneJournal> lignes_;
    std::size_t debut_ = 0; // where the oldest line is, once the journal is full
    std::size_t ajoutees_ = 0;
};

} // namespace tarvex
