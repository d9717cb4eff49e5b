#include "Appuis.h"

#include <QKeyEvent>

#include <algorithm>

namespace tarvex {

namespace {

// The physical key: its scan code where the platform gives one, otherwise Qt's key, which
// a synthesized event always carries.
quint64 identite(const QKeyEvent& e)
{
    return e.nativeScanCode() != 0 ? e.nativeScanCode()
                                   : (quint64{1} << 32) | static_cast<quint32>(e.key());
}

} // namespace

bool Appuis::nouveau(const QKeyEvent& appui)
{
    const quint64 cle = identite(appui);
    const bool tenue = std::find(enfoncees_.begin(), enfoncees_.end(), cle) != enfoncees_.end();
    const bool paireX11 =
        cle == relachee_ && appui.timestamp() != 0 && appui.timestamp() == instant_;
    if (!tenue) enfoncees_.push_back(cle);
    return !tenue && !paireX11 && !appui.isAutoRepeat();
}

void Appuis::relache(const QKeyEvent& relachement)
{
    if (relachement.isAutoRepeat()) return; // the key stays down
    const quint64 cle = identite(relachement);
    std::erase(enfoncees_, cle);
    relachee_ = cle;
    instant_ = relachement.timestamp();
}

} // namespace tarvex
