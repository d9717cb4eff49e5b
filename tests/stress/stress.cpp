// Random sequences of every click, key press, copy, paste, undo and redo under ASan and UBSan,
// written as replay script lines and played on the fuzz target's bench (Banc.h), which checks
// the state after each event. A failure (an escaped exception too) prints the seed, the event
// index and the last events as a tarvex-replay script; `tarvex-stress SEED N [--script]`
// replays a run. The CTest run is short; `tarvex-stress --long` (the target stress-long) is the
// long one.
#include <algorithm>
#include <charconv>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "Banc.h"

using namespace tarvex;

namespace {

constexpr std::string_view Colles[] = {"1 234,5",  "-.5",   "1e400",           "abc", "",
                                       " 7\t",     "1,234", "\u22122e\u22123", "5.",  "12 34",
                                       "1.5e-320", "-0",    "9'999'999.99"};

// The event source: the seed decides everything (the standard fixes mt19937_64's output).
std::mt19937_64 hasard;
int sous(std::size_t n) { return static_cast<int>(hasard() % n); }

std::string touche(char32_t c)
{
    if (c == 13 || c == 27) return c == 13 ? "key Return" : "key Escape";
    if (c > 32 && c < 127) return std::string("key ") + static_cast<char>(c);
    char hex[8];
    return "key U+" + std::string(hex, std::to_chars(hex, hex + sizeof hex, c, 16).ptr);
}
std::string clic(Ctl c, int plus = 0)
{
    return "click " + std::string(definition(static_cast<Ctl>(indice(c) + plus)).nom);
}
std::string unDe(std::string_view s)
{
    return touche(static_cast<unsigned char>(s[sous(s.size())]));
}
std::string coller() { return "paste " + std::string(Colles[sous(std::size(Colles))]); }
std::string chiffre() { return sous(2) ? clic(Ctl::cmdChiffre0, sous(10)) : unDe("0123456789"); }
// any click, the double click, any key of the keyboard map, any code point
std::string auHasard()
{
    static constexpr std::string_view Touches =
        "0123456789,.+-*/=%\r\x1b\b\t abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
    const int r = sous(100);
    while (r < 45)
        if (const auto c = static_cast<Ctl>(sous(NbControles)); accepteClic(c)) return clic(c);
    const auto p = static_cast<char32_t>(sous(0x110000 - 0x800)); // no surrogate
    const std::string autres[] = {"undo", "redo", "copy", coller()};
    return r < 47   ? "dblclick OLE1"
           : r < 50 ? autres[sous(4)]
           : r < 93 ? unDe(Touches)
           : r < 95 ? touche(0xE9)
                    : touche(p < 0xD800 ? p : p + 0x800);
}
// n keys of the entry line, `effacer` in a hundred of them erasing.
void saisie(std::vector<std::string>& f, int n, int effacer = 8)
{
    while (n-- > 0) {
        const int r = sous(100) - effacer;
        f.push_back(r < 0    ? (sous(4) ? clic(Ctl::cmdEraseLonP) : touche(8))
                    : r < 8  ? (sous(3) ? unDe(".,") : clic(Ctl::cmdDecimale))
                    : r < 15 ? (sous(3) ? unDe("eE") : clic(Ctl::cmdPuissance))
                    : r < 23 ? (sous(3) ? touche('o') : clic(Ctl::cmdSigne))
                             : chiffre());
    }
}
// Enter, an operation, a function, or nothing
void fin(std::vector<std::string>& f)
{
    const std::string fins[] = {touche(13), clic(Ctl::cmdEnter), unDe("+-*/"),
                                unDe("abcdijklnoABCDIJKLNO"), clic(Ctl::cmdRacine, sous(23))};
    if (const int r = sous(6); r < 5) f.push_back(fins[r]);
}
void rafale(std::vector<std::string>& f)
{
    // "1eXG" leaves a message over an entry with SaisieExposant set and no letter mark.
    constexpr std::string_view Messages[] = {"0/",
                                             "X",
                                             "\x1b"
                                             "1eXG",
                                             "g",
                                             "h",
                                             "I",
                                             "N-",
                                             "0c",
                                             "1e500"};
    const int r = sous(100);
    if (r < 24) {
        saisie(f, 1 + sous(20));
        fin(f);
    } else if (r < 34) { // store, recall, roll or hyperbolic prefix, then any key
        saisie(f, sous(3) ? 0 : 1 + sous(8));
        f.push_back(unDe("ghGHiI"));
        f.push_back(sous(10) < 6 ? unDe("abcdefghijklmnopABCDFGHIJKLMNOPXYZ") : auHasard());
    } else if (r < 44) { // statistics: points (at times all of one x), X, then the stat keys
        const bool verticale = sous(4) == 0;
        for (int n = sous(7); n > 0; --n) {
            saisie(f, 1 + sous(6));
            f.push_back(touche(13));
            saisie(f, verticale ? 0 : 1 + sous(6));
            if (verticale) f.push_back(touche('7'));
            f.push_back(touche(sous(10) ? 'f' : 'F'));
        }
        f.push_back(touche('X'));
        if (sous(3) == 0) f.push_back(touche('-')); // lists the registers, clears the mark
        for (int n = 1 + sous(3); n > 0; --n)       // the functions' and the corrections' buttons
            f.push_back(sous(2)   ? unDe("abcdfghijklmnop-ABCDFGHIJKLMNOP")
                        : sous(2) ? clic(Ctl::cmdRacine, sous(23))
                                  : clic(Ctl::cmdPermutation, sous(4)));
    } else if (r < 52) { // choice of decimals: a digit, E for fourteen, or anything else
        f.push_back(clic(sous(2) ? Ctl::cmdFixe : Ctl::cmdScient));
        f.push_back(sous(10) < 7 ? chiffre() : sous(3) ? unDe("eE") : auHasard());
    } else if (r < 60) { // hyperbolic prefix
        saisie(f, sous(2) * (1 + sous(8)));
        const int c = sous(10);
        f.push_back(touche('I'));
        f.push_back(c < 4 ? unDe("jklJKL") : c < 7 ? clic(Ctl::cmdSin, sous(20)) : auHasard());
    } else if (r < 72) { // a message written over an entry, then typing over the message
        saisie(f, sous(10));
        for (char k : Messages[sous(std::size(Messages))]) f.push_back(touche(k));
        if (sous(4) == 0) f.push_back(clic(sous(2) ? Ctl::cmdFixe : Ctl::cmdClear));
        for (int n = sous(3) ? 0 : 1 + sous(6); n > 0; --n) f.push_back(clic(Ctl::cmdEraseLonP));
        saisie(f, 1 + sous(12), 20);
        fin(f);
    } else if (r < 78) {
        saisie(f, sous(2) * sous(10));
        f.push_back(touche(27));
    } else if (r < 88) {
        for (int n = 1 + sous(6); n > 0; --n) f.push_back(auHasard());
    } else { // undo and redo, some of them beyond the history, copies and pastes
        for (int n = 1 + sous(12); n > 0; --n) {
            const int k = sous(20);
            f.push_back(k < 8 ? "undo" : k < 12 ? "redo" : k < 15 ? "copy" : coller());
        }
    }
}

// The run under way, for the report of a failure, a sanitizer's included.
long long graine = 0, rang = 0;
std::string derniers[30];
void rapporter(const char* raison)
{
    std::fprintf(stderr, "\nstress: seed %lld, event %lld (from 0): %s\n", graine, rang, raison);
    for (long long i = std::max(0LL, rang - 29); i <= rang; ++i)
        std::fprintf(stderr, "%s\n", derniers[i % 30].c_str());
    std::fprintf(stderr, "all of them: tarvex-stress %lld %lld --script\n", graine, rang + 1);
}

// Plays n events of a seed on a fresh session, or prints them as a script.
bool executer(long long s, long long n, bool script)
{
    Banc banc;
    std::vector<std::string> file;
    std::size_t prochain = 0;
    hasard.seed(static_cast<std::uint64_t>(s));
    for (graine = s, rang = 0; rang < n; ++rang) {
        if (prochain == file.size()) file.clear(), prochain = 0, rafale(file);
        const std::string& ligne = derniers[rang % 30] = file[prochain++];
        if (script && std::puts(ligne.c_str()) >= 0) continue;
        std::string faute;
        const auto erreur = replay::Lecteur().lire(
            ligne, true, [&](const replay::Evenement& ev) { faute = banc.jouer(ev); });
        if (erreur) faute = "the script line is refused: " + erreur->message;
        if (!faute.empty()) return rapporter(faute.c_str()), false;
    }
    return true;
}

} // namespace

// Every sanitizer finding ends in abort(), whose handler prints the events that led to it.
extern "C" const char* __asan_default_options() { return "abort_on_error=1"; }
extern "C" const char* __ubsan_default_options() { return "abort_on_error=1:print_stacktrace=1"; }

int main(int argc, char** argv)
{
    std::signal(SIGABRT, [](int) {
        rapporter("abort (a sanitizer finding or an escaped exception, see above)");
    });
    if (argc >= 3) { // SEED N, and --script to print the events instead of playing them
        long long v[2] = {-1, -1};
        for (int i : {0, 1})
            std::from_chars(argv[i + 1], argv[i + 1] + std::strlen(argv[i + 1]), v[i]);
        return executer(v[0], v[1], argc == 4 && std::string_view(argv[3]) == "--script") ? 0 : 1;
    }
    // Twenty runs from fresh calculators, then one run without a reset ten times as long.
    const bool longue = argc == 2 && std::string_view(argv[1]) == "--long";
    const long long n = longue ? 10000 : 2000;
    for (int s = 1; s <= 20; ++s)
        if (!executer(s, n, false)) return 1;
    if (!executer(1000, 10 * n, false)) return 1;
    std::printf("stress: %lld events checked\n", 30 * n);
    return 0;
}
