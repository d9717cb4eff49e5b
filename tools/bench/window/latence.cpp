// tarvex-latence: key latency of the real window. Not a test: run it by hand on an idle
// machine (docs/performance.md, section "Window").
//
// Creates the window Affichage (offscreen unless QT_QPA_PLATFORM says otherwise), then
// delivers key presses with QApplication::sendEvent to the widget that has the focus, as the
// window system does. The main display is updated synchronously inside the key press, so
// the time of the sendEvent call is the time from delivery to lblResultat's new text; each
// press is checked to have left lblResultat showing the calculator's caption. Separately it
// times the repaint that follows (processEvents), i.e. the time until the new pixels exist.
//
// usage: tarvex-latence [KEYS]   (default 10000 measured key presses, after 1000 of warm-up)
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "Affichage.h"

namespace {

using Horloge = std::chrono::steady_clock;

// A realistic session: numbers typed and entered, the four operations, x², eˣ, ln, sin,
// cos, yˣ and swap from the keyboard map, and Escape now and then.
std::u32string session(std::size_t n, unsigned graine)
{
    std::mt19937 g(graine);
    std::u32string touches;
    const auto nombre = [&] {
        for (unsigned i = 0, c = 1 + g() % 5; i < c; ++i) touches += char32_t(U'0' + g() % 10);
        if (g() % 3 == 0) touches += U'.', touches += char32_t(U'1' + g() % 9);
    };
    const std::u32string operations = U"+-*/+-*/ABCJKDN";
    while (touches.size() < n) {
        nombre();
        touches += U'\r';
        nombre();
        touches += operations[g() % operations.size()];
        if (g() % 12 == 0) touches += U'\x1b';
    }
    touches.resize(n);
    return touches;
}

Qt::Key cle(char32_t c)
{
    switch (c) {
    case U'\r': return Qt::Key_Return;
    case U'\x1b': return Qt::Key_Escape;
    default: return Qt::Key(QChar(c).toUpper().unicode());
    }
}

// Counts the paint events of one widget.
struct CompteurPeinture : QObject {
    long n = 0;
    bool eventFilter(QObject*, QEvent* e) override
    {
        n += e->type() == QEvent::Paint;
        return false;
    }
};

double quantile(std::vector<double> v, double q)
{
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, static_cast<std::size_t>(q * static_cast<double>(v.size())))];
}

void rapport(const char* quoi, const std::vector<double>& us)
{
    std::printf("%-28s median %7.1f us   p99 %7.1f us   max %8.1f us\n", quoi, quantile(us, 0.5),
                quantile(us, 0.99), *std::max_element(us.begin(), us.end()));
}

} // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const std::size_t mesurees = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 10000;
    const std::size_t chauffe = 1000;

    tarvex::Affichage fenetre;
    fenetre.ouvreurManuel([](const QString&) { return true; });
    fenetre.show();
    QApplication::processEvents();
    auto* resultat =
        static_cast<QLabel*>(fenetre.widget(*tarvex::Session::controle("lblResultat")));
    CompteurPeinture peintures;
    resultat->installEventFilter(&peintures);

    const std::u32string touches = session(chauffe + mesurees, 2024);
    std::vector<double> evenement, peinture;
    evenement.reserve(mesurees);
    peinture.reserve(mesurees);
    std::size_t changees = 0, fausses = 0;
    for (std::size_t i = 0; i < touches.size(); ++i) {
        const QString texte = QString::fromUcs4(&touches[i], 1);
        QWidget* cible = fenetre.focusWidget() ? fenetre.focusWidget() : &fenetre;
        QKeyEvent appui(QEvent::KeyPress, cle(touches[i]), Qt::NoModifier, texte);
        QKeyEvent relache(QEvent::KeyRelease, cle(touches[i]), Qt::NoModifier, texte);
        const QString avant = resultat->text();

        const auto t0 = Horloge::now();
        QApplication::sendEvent(cible, &appui);
        const auto t1 = Horloge::now();
        QApplication::sendEvent(cible, &relache);
        const auto t2 = Horloge::now();
        QApplication::processEvents(); // the repaint of what changed
        const auto t3 = Horloge::now();

        if (resultat->text().toStdString() != fenetre.session().affichage()) ++fausses;
        if (i < chauffe) continue;
        changees += resultat->text() != avant;
        evenement.push_back(std::chrono::duration<double, std::micro>(t1 - t0).count());
        peinture.push_back(
            std::chrono::duration<double, std::micro>((t1 - t0) + (t3 - t2)).count());
    }

    std::printf("tarvex-latence: %zu key presses (after %zu of warm-up), QPA %s\n", mesurees,
                chauffe, qPrintable(QGuiApplication::platformName()));
    rapport("key press to new text", evenement);
    rapport("key press and repaint", peinture);
    std::printf("lblResultat changed on %zu presses, repainted %ld times; out of step with the "
                "calculator on %zu\n",
                changees, peintures.n, fausses);
    return fausses == 0 ? 0 : 1;
}
