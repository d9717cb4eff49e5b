// Which keys are down, told from the key events alone, so that a shortcut meant to act once
// acts once per physical press however the platform repeats a held key.
#pragma once

#include <QtGlobal>

#include <vector>

class QKeyEvent;

namespace tarvex {

// A held key repeats in two ways: presses that come without releases (with or without Qt's
// auto-repeat flag), or, under X11, a release and a press at the same server time, which Qt
// flags as a repeat only when the press was already queued behind the release. Time comes
// from the events' own timestamps; a timestamp of 0 (a synthesized event) says nothing.
class Appuis {
public:
    // A press: true when the key has just gone down, false when it repeats a key held down.
    bool nouveau(const QKeyEvent& appui);
    void relache(const QKeyEvent& relachement);
    // The keyboard went to another application: its releases will not be seen here.
    void oublier() { enfoncees_.clear(); }

private:
    std::vector<quint64> enfoncees_;
    quint64 relachee_ = 0; // the last key released, and the time of its release
    quint64 instant_ = 0;
};

} // namespace tarvex
