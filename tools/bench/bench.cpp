// Events per second for four mixes of events, each replayed in a loop for about a second
// through the session, the door every front end uses: it runs the calculator's operation,
// records the event for undo and in the journal, and says what changed. Then the memory a
// full undo history and a full journal take, and what a session full of both still
// allocates, event after event, as random events come.
#include <malloc.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <random>
#include <string_view>
#include <vector>

#include "session/Session.h"

using namespace tarvex;

namespace {
// Every call of operator new, counted by the replacement below: the one figure the standard
// library gives no other way.
std::uint64_t allocations = 0;
} // namespace

void* operator new(std::size_t n)
{
    ++allocations;
    if (void* p = std::malloc(n == 0 ? 1 : n)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

struct Evenement {
    bool clic;
    IdControle ctl;
    std::int32_t code;
};

// A mix written as keys; "[name]" is a click on that control, "~" is Escape, "\r" Return.
std::vector<Evenement> lire(std::string_view texte)
{
    std::vector<Evenement> mix;
    for (std::size_t i = 0; i < texte.size(); ++i) {
        if (texte[i] == '[') {
            const std::size_t fin = texte.find(']', i);
            mix.push_back({true, *Session::controle(texte.substr(i + 1, fin - i - 1)), 0});
            i = fin;
        } else {
            mix.push_back({false, SansControle, texte[i] == '~' ? 27 : texte[i]});
        }
    }
    return mix;
}

// A session: numbers typed and entered, arithmetic, functions (x^2, ln, sin, cos, y^x,
// exp), stack keys (swap, roll, drop), display formats chosen by click, Escape at the end.
constexpr std::string_view Realiste =
    "12.5\r3+2*c7\r4/nj2di[cmdFixe]3a1234.5678\r1.5e3o+"
    "[cmdScient]5k[cmdEraseLonP]2.75\r0.25b*n-[cmdFixe]99.81\r60*[cmdPermutation]-~";
// Numbers typed into the stack: digits, point, exponent, sign, then Return.
constexpr std::string_view Saisie =
    "12345.678\r9.81e3o\r42\r0.000125\r6.02214e23\r3o.5\r1.6e19o\r299792458\r~";
// The same kind of session, every event a click.
constexpr std::string_view Clics =
    "[cmdChiffre(1)][cmdChiffre(2)][cmdDecimale][cmdChiffre(5)][cmdEnter][cmdChiffre(3)]"
    "[cmdPlus][cmdRacine][cmdChiffre(4)][cmdMul][cmdSin][cmdFixe][cmdChiffre(4)]"
    "[cmdChiffre(7)][cmdPuissance][cmdChiffre(2)][cmdSigne][cmdEnter][cmdInverse]"
    "[cmdPermutation][cmdDiv][Option2][cmdCos][Option1][cmdScient][cmdChiffre(6)]"
    "[cmdChiffre(2)][cmdYtoX][cmdLog][cmdEraseLonP][cmdEraseP]";

// Every statistics key in turn, each step writing many captions, colours and tooltips: the
// largest steps of the history.
constexpr std::string_view Statistiques = "1\r2f3\r5f4\r9fXk1\r2fXM7\r8fX~";

// Keys that fail, each throwing the calculator's failure type: the square root of -5, the
// inverse of 0, a division by 0, the logarithm of a message; then Escape.
constexpr std::string_view Erreurs = "5o[cmdRacine]0[cmdInverse]1\r0/c~";

struct Mesure {
    long evenements;
    double secondes;
};

void jouer(Session& s, const Evenement& e)
{
    if (e.clic)
        s.cliquer(e.ctl);
    else
        s.appuyer(e.code);
}

Mesure mesurer(const std::vector<Evenement>& mix)
{
    using Horloge = std::chrono::steady_clock;
    Session c;
    long n = 0;
    const auto debut = Horloge::now();
    std::chrono::duration<double> ecoule{};
    do {
        for (int tour = 0; tour < 200; ++tour)
            for (const Evenement& e : mix) jouer(c, e);
        n += 200 * static_cast<long>(mix.size());
        ecoule = Horloge::now() - debut;
    } while (ecoule.count() < 1.0);
    if (c.bips() != 0) std::fprintf(stderr, "warning: the mix beeps\n");
    return {n, ecoule.count()};
}

// Heap bytes in use, the large blocks mapped apart included (glibc's count; in
// WebAssembly, dlmalloc's).
#if defined(__GLIBC__)
long tas()
{
    const struct mallinfo2 m = mallinfo2();
    return static_cast<long>(m.uordblks + m.hblkhd);
}
#else
long tas()
{
    const struct mallinfo m = mallinfo();
    return static_cast<long>(m.uordblks + m.hblkhd);
}
#endif

// Heap taken by a full history (100 steps) of the mix: the session after at least 300 events,
// its journal emptied, minus the fresh session.
long memoireHistorique(const std::vector<Evenement>& mix)
{
    Session s;
    const long neuve = tas();
    for (std::size_t i = 0; s.annulables() < 100 || i < 300; ++i) jouer(s, mix[i % mix.size()]);
    s.effacerJournal();
    return tas() - neuve;
}

// Heap taken by a full journal (10,000 lines) of the mix.
long memoireJournal(const std::vector<Evenement>& mix)
{
    Session s;
    for (std::size_t i = 0; s.journal().taille() < Journal::Capacite; ++i)
        jouer(s, mix[i % mix.size()]);
    const long apres = tas();
    s.effacerJournal();
    return apres - tas();
}

// Random events, as a person who tries everything makes them: a click on any control that
// takes one, or any key of the keyboard map (the same seed, the same events).
class Hasard {
public:
    Evenement operator()()
    {
        if (g_() % 5 < 2)
            for (;;)
                if (const auto c = static_cast<IdControle>(g_() % Session::nombreControles());
                    Session::accepteClic(c))
                    return {true, c, 0};
        constexpr std::string_view Touches =
            "0123456789.,eE+-*/abcdefghijklmnopXABCDFGHIJKLMNOP\r\b\x1B";
        return {false, SansControle, Touches[g_() % Touches.size()]};
    }

private:
    std::mt19937_64 g_{2024};
};

// A session played with random events: after each number of events of `paliers`, the calls of
// operator new in the next 100,000 events, and the heap the session takes (its history and
// its journal full); at the end, the journal's share of it.
void allocationsPleines(const std::vector<long>& paliers)
{
    const long avantSession = tas();
    Session s;
    Hasard hasard;
    long joues = 0;
    std::printf("\n%-16s %30s %18s\n", "random events", "allocations in 100,000 more",
                "session heap KiB");
    for (long apres : paliers) {
        for (; joues < apres; ++joues) jouer(s, hasard());
        const std::uint64_t avant = allocations;
        for (int i = 0; i < 100000; ++i, ++joues) jouer(s, hasard());
        std::printf("%-16ld %30llu %18.1f\n", apres,
                    static_cast<unsigned long long>(allocations - avant),
                    (tas() - avantSession) / 1024.0);
    }
    const long plein = tas();
    s.effacerJournal();
    std::printf("of which the journal's 10,000 lines: %.1f KiB\n", (plein - tas()) / 1024.0);
}

// The bound: every step of the history and every journal line holding the longest display (a
// number near the largest double in fixed point with 14 decimals), X and Y swapped over and
// over.
void memoireMaximale()
{
    const long avantSession = tas();
    Session s;
    s.cliquer(*Session::controle("cmdFixe"));
    for (char c : std::string_view("E9e300\r8e300\r")) s.appuyer(c);
    for (int i = 0; i < 2 * static_cast<int>(Journal::Capacite); ++i) s.appuyer('n');
    const long plein = tas();
    s.effacerJournal();
    std::printf("the longest display (%zu characters) everywhere: session heap %.1f KiB, of which "
                "the journal %.1f KiB\n",
                s.affichage().size(), (plein - avantSession) / 1024.0, (plein - tas()) / 1024.0);
}

} // namespace

int main()
{
    std::printf("%-10s %14s %10s\n", "mix", "events/s", "ns/event");
    const std::pair<const char*, std::string_view> Mixes[] = {{"realistic", Realiste},
                                                              {"typing", Saisie},
                                                              {"clicks", Clics},
                                                              {"statistics", Statistiques},
                                                              {"errors", Erreurs}};
    for (const auto& [nom, texte] : Mixes) {
        const auto mix = lire(texte);
        const Mesure m = mesurer(mix);
        std::printf("%-10s %14.0f %10.1f\n", nom, m.evenements / m.secondes,
                    1e9 * m.secondes / m.evenements);
    }
    std::printf("\n%-10s %18s %22s\n", "mix", "history KiB (100)", "journal KiB (10,000)");
    for (const auto& [nom, texte] : Mixes) {
        const auto mix = lire(texte);
        std::printf("%-10s %18.1f %22.1f\n", nom, memoireHistorique(mix) / 1024.0,
                    memoireJournal(mix) / 1024.0);
    }
    memoireMaximale();
    allocationsPleines({1000, 100000, 1000000, 2000000, 5000000, 10000000});
    return 0;
}
