// A session under test, shared by the stress test and the fuzz target: each event of a replay
// script is played on it, then the state's invariants are checked, and after each undo or
// redo the state recorded before or after the event it takes back or brings back.
#pragma once

#include <array>
#include <deque>
#include <string>

#include "Script.h"
#include "core/Controles.h"
#include "core/Etat.h"
#include "session/Session.h"

namespace tarvex {

// The recorded part of a session: everything but the counts of beeps and manual requests.
struct Instantane {
    EtatCalculatrice e;
    std::array<EtatControle, NbControles> v;
    Ctl focus;
    explicit Instantane(const Session& s);
    bool operator==(const Instantane& o) const;
};

class Banc {
public:
    // Plays one event (a dump writes the state as JSON); empty, or what is broken.
    std::string jouer(const replay::Evenement& ev);
    const Session& session() const { return session_; }

private:
    std::string historique(const replay::Evenement& ev, long bipsAvant);

    Session session_;
    std::string pressePapier_, json_;
    std::deque<Instantane> etats_{Instantane(session_)}; // etats_[curseur_] is the current one
    std::size_t curseur_ = 0;
};

} // namespace tarvex
