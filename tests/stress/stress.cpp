// Long random sequences of every click, key press, copy, paste, undo and redo under ASan and
// UBSan, the state invariants checked after each event, and after each undo or redo the state
// recorded before or after the event it takes back or brings back. A failure (an escaped exception
// too) prints the seed, the event index and the last events as a tarvex-replay script;
// `tarvex-stress SEED N [--script]` replays a run.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <deque>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "core/Utf8.h"
#include "session/Collage.h"
#include "session/Historique.h"
#include "session/Session.h"

using namespace tarvex;

namespace {

// An event: a key code (>= 0), a click on control c (-1 - c), the double click on OLE1, a copy,
// an undo, a redo, or the paste of Colles[k] (Coller - k).
using Evenement = std::int32_t;
constexpr Evenement DoubleClic = -1000, Copie = -2000, Annuler = -2001, Retablir = -2002,
                    Coller = -3000;
constexpr std::string_view Colles[] = {"1 234,5",  "-.5",   "1e400",           "abc", "",
                                       " 7\n",     "1,234", "\u22122e\u22123", "5.",  "12 34",
                                       "1.5e-320", "-0",    "9'999'999.99"};
Evenement clic(Ctl c, int plus = 0) { return -1 - static_cast<Evenement>(indice(c)) - plus; }
Ctl controle(Evenement ev) { return static_cast<Ctl>(-1 - ev); }

std::string texte(long long v, int base = 10)
{
    char t[24];
    std::string s(t, std::to_chars(t, t + sizeof t, v, base).ptr);
    for (char& c : s) c = static_cast<char>(c >= 'a' ? c - 'a' + 'A' : c);
    return s;
}
// control characters and non-ASCII ones as U+XXXX
std::string enScript(Evenement ev)
{
    if (ev == DoubleClic) return "dblclick OLE1";
    if (ev <= Copie) {
        if (ev > Coller) return ev == Copie ? "copy" : ev == Annuler ? "undo" : "redo";
        std::string t = "paste " + std::string(Colles[Coller - ev]);
        return t.ends_with('\n') ? t.substr(0, t.size() - 1) : t; // a line of its own
    }
    if (ev < 0) return "click " + std::string(definition(controle(ev)).nom);
    if (ev == 13 || ev == 27) return ev == 13 ? "key Return" : "key Escape";
    if (ev > 32 && ev < 127) return std::string("key ") + static_cast<char>(ev);
    const std::string hex = texte(ev, 16);
    return "key U+" + std::string(4 - std::min<std::size_t>(4, hex.size()), '0') + hex;
}
// The event source: the seed decides everything (the standard fixes mt19937_64's output).
std::mt19937_64 hasard;
int sous(std::size_t n) { return static_cast<int>(hasard() % n); }
Evenement unDe(std::string_view s) { return s[sous(s.size())]; }
Evenement unParmi(std::initializer_list<Evenement> l) { return l.begin()[sous(l.size())]; }
Evenement chiffre() { return sous(2) ? clic(Ctl::cmdChiffre0, sous(10)) : unDe("0123456789"); }
// any click, the double click, any key of the keyboard map, any code point
Evenement auHasard()
{
    static constexpr std::string_view Touches =
        "0123456789,.+-*/=%\r\x1b\b\t abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
    const int r = sous(100);
    while (r < 45)
        if (const auto c = static_cast<Ctl>(sous(NbControles)); accepteClic(c)) return clic(c);
    const auto p = static_cast<Evenement>(sous(0x110000 - 0x800)); // no surrogate
    return r < 47       ? DoubleClic
           : r < 50     ? unParmi({Annuler, Retablir, Copie, Coller - sous(std::size(Colles))})
           : r < 93     ? unDe(Touches)
           : r < 95     ? 0xE9
           : p < 0xD800 ? p
                        : p + 0x800;
}
// n keys of the entry line, `effacer` in a hundred of them erasing.
void saisie(std::vector<Evenement>& f, int n, int effacer = 8)
{
    while (n-- > 0) {
        const int r = sous(100) - effacer;
        f.push_back(r < 0    ? (sous(4) ? clic(Ctl::cmdEraseLonP) : 8)
                    : r < 8  ? (sous(3) ? unDe(".,") : clic(Ctl::cmdDecimale))
                    : r < 15 ? (sous(3) ? unDe("eE") : clic(Ctl::cmdPuissance))
                    : r < 23 ? (sous(3) ? 'o' : clic(Ctl::cmdSigne))
                             : chiffre());
    }
}
// Enter, an operation, a function, or nothing
void fin(std::vector<Evenement>& f)
{
    const Evenement fins[] = {13, clic(Ctl::cmdEnter), unDe("+-*/"), unDe("abcdijklnoABCDIJKLNO"),
                              clic(Ctl::cmdRacine, sous(23))};
    if (const int r = sous(6); r < 5) f.push_back(fins[r]);
}
void rafale(std::vector<Evenement>& f)
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
            f.push_back(13);
            saisie(f, verticale ? 0 : 1 + sous(6));
            if (verticale) f.push_back('7');
            f.push_back(sous(10) ? 'f' : 'F');
        }
        f.push_back('X');
        if (sous(3) == 0) f.push_back('-');   // lists the registers, clears the letter mark
        for (int n = 1 + sous(3); n > 0; --n) // the functions' and the corrections' buttons
            f.push_back(sous(2)   ? unDe("abcdfghijklmnop-ABCDFGHIJKLMNOP")
                        : sous(2) ? clic(Ctl::cmdRacine, sous(23))
                                  : clic(Ctl::cmdPermutation, sous(4)));
    } else if (r < 52) { // choice of decimals: a digit, E for fourteen, or anything else
        f.push_back(clic(sous(2) ? Ctl::cmdFixe : Ctl::cmdScient));
        f.push_back(sous(10) < 7 ? chiffre() : sous(3) ? unDe("eE") : auHasard());
    } else if (r < 60) { // hyperbolic prefix
        saisie(f, sous(2) * (1 + sous(8)));
        const int c = sous(10);
        f.push_back('I');
        f.push_back(c < 4 ? unDe("jklJKL") : c < 7 ? clic(Ctl::cmdSin, sous(20)) : auHasard());
    } else if (r < 72) { // a message written over an entry, then typing over the message
        saisie(f, sous(10));
        for (char k : Messages[sous(std::size(Messages))]) f.push_back(k);
        if (sous(4) == 0) f.push_back(clic(sous(2) ? Ctl::cmdFixe : Ctl::cmdClear));
        for (int n = sous(3) ? 0 : 1 + sous(6); n > 0; --n) f.push_back(clic(Ctl::cmdEraseLonP));
        saisie(f, 1 + sous(12), 20);
        fin(f);
    } else if (r < 78) {
        saisie(f, sous(2) * sous(10));
        f.push_back(27);
    } else if (r < 88) {
        for (int n = 1 + sous(6); n > 0; --n) f.push_back(auHasard());
    } else { // undo and redo, some of them beyond the history, copies and pastes
        for (int n = 1 + sous(12); n > 0; --n) {
            const int k = sous(20);
            f.push_back(k < 8    ? Annuler
                        : k < 12 ? Retablir
                        : k < 15 ? Copie
                                 : Coller - sous(std::size(Colles)));
        }
    }
}

// What must hold after every event: empty, or what is broken. No legitimate caption contains
// "inf" or "nan", so every caption is checked for them.
std::string verifier(const Session& c)
{
    const EtatCalculatrice& e = c.etat();
    for (const DefinitionControle& d : tableControles()) {
        const EtatControle& s = c.controles()[d.id];
        if (!utf8::valide(s.legende) || !utf8::valide(s.infobulle))
            return std::string(d.nom) + ": caption or tooltip is not valid UTF-8";
        std::string bas = s.legende;
        for (char& ch : bas) ch = static_cast<char>(ch >= 'A' && ch <= 'Z' ? ch + 32 : ch);
        if (bas.find("inf") != std::string::npos || bas.find("nan") != std::string::npos)
            return std::string(d.nom) + " shows \"" + s.legende + "\"";
    }
    if (e.NbCaracteres < 0 || e.NbCaracteres > 14) return "NbCaracteres = " + texte(e.NbCaracteres);
    if (c.controles()[Ctl::lblfixe].visible == c.controles()[Ctl::lblscien].visible)
        return "lblfixe and lblscien are both visible or both hidden";
    for (const Cellule& p : e.Pile)
        if (!p.estTexte() && !std::isfinite(p.nombreBrut())) return "a stack cell is not finite";
    std::vector<double> v(e.Registres.begin(), e.Registres.end());
    v.insert(v.end(), {e.DernierX, e.Tampon, e.FacteurAngle, e.SommeX, e.SommeY, e.SommeX2,
                       e.SommeY2, e.SommeXY, e.EcartXX, e.EcartYY, e.EcartXY, e.Ordonnee});
    if (!std::all_of(v.begin(), v.end(), [](double x) { return std::isfinite(x); }))
        return "a register, DernierX, Tampon, FacteurAngle, a sum or a statistic is not finite";
    if (std::isnan(e.Pente) || e.Pente == -INFINITY) return "Pente is NaN or -infinity";
    return {};
}
// The run under way, for the report of a failure, a sanitizer's included.
long long graine = 0, rang = 0;
Evenement derniers[30];
void rapporter(const char* raison)
{
    std::string r =
        "\nstress: seed " + texte(graine) + ", event " + texte(rang) + " (from 0): " + raison;
    for (long long i = std::max(0LL, rang - 29); i <= rang; ++i)
        r += "\n" + enScript(derniers[i % 30]);
    r += "\nall of them: tarvex-stress " + texte(graine) + " " + texte(rang + 1) + " --script\n";
    std::fputs(r.c_str(), stderr);
}
// The recorded part of a session: everything but the counts of beeps and manual requests.
struct Instantane {
    EtatCalculatrice e;
    std::array<EtatControle, NbControles> v;
    Ctl focus;
    explicit Instantane(const Session& c) : e(c.etat()), focus(c.controles().focus())
    {
        for (std::size_t i = 0; i < NbControles; ++i) v[i] = c.controles()[static_cast<Ctl>(i)];
    }
    bool operator==(const Instantane& o) const
    {
        return memeEtat(e, o.e) && v == o.v && focus == o.focus;
    }
};

// What undo, redo and copy must have done, against the states before and after each
// recorded event (etats[curseur] is the current one), or empty.
std::string verifierHistorique(Session& c, Evenement ev, std::deque<Instantane>& etats,
                               std::size_t& curseur, long bipsAvant)
{
    const Instantane maintenant(c);
    const long bips = c.controles().bips() - bipsAvant;
    if (ev == Annuler || ev == Retablir) {
        const bool possible = ev == Annuler ? curseur > 0 : curseur + 1 < etats.size();
        if (possible) curseur += ev == Annuler ? -1 : 1;
        if (bips != !possible) return "undo or redo: wrong number of beeps";
        if (!(maintenant == etats[curseur])) return "undo or redo: not the recorded state";
    } else if (ev == Copie) { // copier() is const: what it copies must paste back
        const std::string t = c.copier();
        const Cellule& x = c.etat().X();
        const auto relu = lireCollage(t);
        if (c.etat().NbCaracteres == 0 && !x.estTexte() &&
            !(relu && std::fabs(*relu - x.nombreBrut()) <= 1e-14 * std::fabs(x.nombreBrut())))
            return "copy of X does not paste back as X: " + t;
    } else if (!(maintenant == etats[curseur])) { // a recorded event
        etats.erase(etats.begin() + static_cast<long>(curseur) + 1, etats.end());
        etats.push_back(maintenant);
        if (etats.size() > 101) etats.pop_front();
        curseur = etats.size() - 1;
    }
    if (c.annulables() != static_cast<int>(curseur) ||
        c.retablissables() != static_cast<int>(etats.size() - 1 - curseur))
        return "wrong undo or redo depth";
    return {};
}

// Plays n events of a seed on a fresh session, or prints them as a script.
bool executer(long long s, long long n, bool script)
{
    Session c;
    std::deque<Instantane> etats{Instantane(c)};
    std::size_t curseur = 0;
    std::vector<Evenement> file;
    std::size_t prochain = 0;
    hasard.seed(static_cast<std::uint64_t>(s));
    for (graine = s, rang = 0; rang < n; ++rang) {
        if (prochain == file.size()) file.clear(), prochain = 0, rafale(file);
        const Evenement ev = derniers[rang % 30] = file[prochain++];
        if (script && std::puts(enScript(ev).c_str()) >= 0) continue;
        const long bips = c.controles().bips();
        if (ev == DoubleClic)
            c.doubleCliquer(Ctl::OLE1);
        else if (ev == Annuler || ev == Retablir)
            ev == Annuler ? c.annuler() : c.retablir();
        else if (ev <= Coller)
            c.coller(Colles[Coller - ev]);
        else if (ev < 0 && ev != Copie)
            c.cliquer(controle(ev));
        else if (ev >= 0)
            c.appuyer(ev); // an escaped exception ends in std::terminate: SIGABRT
        auto faute = verifier(c);
        if (faute.empty()) faute = verifierHistorique(c, ev, etats, curseur, bips);
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
    // Twenty runs from fresh calculators, then one long run without a reset.
    for (int s = 1; s <= 20; ++s)
        if (!executer(s, 10000, false)) return 1;
    if (!executer(1000, 100000, false)) return 1;
    std::puts("stress: 300000 events checked");
    return 0;
}
