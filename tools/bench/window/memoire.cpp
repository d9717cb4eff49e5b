// tarvex-memoire: the window's resident memory while keys change colour. Not a test: run it
// by hand (docs/performance.md, section "Window").
//
// Creates the window Affichage (offscreen unless QT_QPA_PLATFORM says otherwise) and types
// "Ij" again and again: I arms the hyperbolic prefix, which paints Sin, Cos and Tan cyan,
// and j computes and paints them back. Every press is delivered to the focused widget and
// followed by its repaint. Prints the resident set size after 10,000 and after 100,000
// presses; exits with status 1 when the second exceeds the first by more than 2 MB.
//
// usage: tarvex-memoire [PRESSES]   (default 100000)
#include <QApplication>
#include <QKeyEvent>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <unistd.h>

#include "Affichage.h"

namespace {

double rssMo()
{
    long pages = 0, residentes = 0;
    std::ifstream("/proc/self/statm") >> pages >> residentes;
    return static_cast<double>(residentes) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1048576.0;
}

} // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const long total = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 100000;
    tarvex::Affichage fenetre;
    fenetre.show();
    QApplication::processEvents();

    double apres10000 = 0;
    for (long i = 1; i <= total; ++i) {
        const bool prefixe = i % 2 == 1;
        const QString texte = prefixe ? QStringLiteral("I") : QStringLiteral("j");
        const Qt::Key cle = prefixe ? Qt::Key_I : Qt::Key_J;
        QWidget* cible = fenetre.focusWidget() ? fenetre.focusWidget() : &fenetre;
        QKeyEvent appui(QEvent::KeyPress, cle, prefixe ? Qt::ShiftModifier : Qt::NoModifier, texte);
        QApplication::sendEvent(cible, &appui);
        QApplication::processEvents();
        if (i == 10000) apres10000 = rssMo();
    }
    const double fin = rssMo();
    std::printf("tarvex-memoire: QPA %s, RSS after 10,000 presses %.1f MB, after %ld %.1f MB "
                "(%+.2f MB)\n",
                qPrintable(QGuiApplication::platformName()), apres10000, total, fin,
                fin - apres10000);
    return fin - apres10000 <= 2.0 ? 0 : 1;
}
