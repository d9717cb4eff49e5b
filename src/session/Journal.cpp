// The journal of a session: a ring of at most Capacite lines.
#include "session/Journal.h"

#include <algorithm>

namespace tarvex {

std::string Journal::texte() const
{
    std::string t;
    for (std::size_t i = 0; i < taille(); ++i) {
        const LigneJournal& l = (*this)[i];
        t.append(l.touche).append(1, '\t').append(l.affichage).append(1, '\n');
    }
    return t;
}

void Journal::effacer()
{
    std::vector<LigneJournal>().swap(lignes_);
    debut_ = 0;
}

LigneJournal& Journal::ajouter()
{
    ++ajoutees_;
    if (lignes_.size() < Capacite) {
        // Grow by doubling, but never beyond the capacity.
        if (lignes_.size() == lignes_.capacity())
            lignes_.reserve(std::min(Capacite, std::max<std::size_t>(64, 2 * lignes_.size())));
        return lignes_.emplace_back();
    }
    LigneJournal& l = lignes_[debut_];
    debut_ = (debut_ + 1) % Capacite;
    return l;
}

} // namespace tarvex
