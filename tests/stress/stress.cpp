// tarvex-stress CORPUS [SEED N [--script]]: random scripts played on the bench (Banc.h) under
// ASan and UBSan, the state checked after every event. A script is made of runs of one to
// eight lines taken from a random place of a random file of the seed corpus (the scenario
// files' scripts: entries over messages, prefixes, statistics, undo, pastes...) and of random
// events (any click, any key, any code point, undo, redo, copy). Twenty runs from a fresh
// session and one ten times as long; with SEED N, that run alone, or its script printed.
// A failure (an escaped exception too) prints the seed, the line and the last thirty lines.
// `tarvex-stress --corpus PATH...` runs the fuzz target on each file (fuzz-corpus), and
// `tarvex-stress --long CORPUS` makes the runs ten times as long (the target stress-long).
#include <charconv>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "Banc.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille);

using namespace tarvex;
namespace fs = std::filesystem;

namespace {

std::string lire(const fs::path& chemin)
{
    std::ifstream f(chemin, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

// The file, or the files under the folder.
std::vector<fs::path> fichiers(const fs::path& chemin)
{
    std::vector<fs::path> r;
    if (!fs::is_directory(chemin)) return {chemin};
    for (const auto& e : fs::recursive_directory_iterator(chemin))
        if (e.is_regular_file()) r.push_back(e.path());
    return r;
}

std::vector<std::vector<std::string>> corpus; // the event lines of each file
std::mt19937_64 hasard; // the seed decides everything (the standard fixes its output)
std::size_t sous(std::size_t n) { return hasard() % n; }

std::string auHasard()
{
    static constexpr std::string_view Touches =
        "0123456789,.+-*/=%\r\x1b\b\t abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
    const std::size_t r = sous(100);
    while (r < 40)
        if (const auto c = static_cast<Ctl>(sous(NbControles)); accepteClic(c))
            return "click " + std::string(definition(c).nom);
    char32_t p = static_cast<unsigned char>(Touches[sous(Touches.size())]);
    if (r >= 95) p = static_cast<char32_t>(sous(0x110000 - 0x800)); // no surrogate:
    if (p >= 0xD800) p += 0x800;                                    // beyond them
    char hex[8];
    const std::string autres[] = {"dblclick OLE1", "undo", "redo", "copy"};
    return r < 55 ? autres[sous(4)]
                  : "key U+" + std::string(hex, std::to_chars(hex, hex + sizeof hex, p, 16).ptr);
}

void rafale(std::vector<std::string>& f)
{
    if (sous(10) < 7) {
        const auto& lignes = corpus[sous(corpus.size())];
        for (std::size_t i = sous(lignes.size()), n = 1 + sous(8); n > 0 && i < lignes.size(); --n)
            f.push_back(lignes[i++]);
    } else {
        for (std::size_t n = 1 + sous(4); n > 0; --n) f.push_back(auHasard());
    }
}

// The run under way, for the report of a failure, a sanitizer's included.
long long graine = 0, rang = 0;
std::string derniers[30];
void rapporter(const char* raison)
{
    std::fprintf(stderr, "\nstress: seed %lld, line %lld (from 0): %s\n", graine, rang, raison);
    for (long long i = std::max(0LL, rang - 29); i <= rang; ++i)
        std::fprintf(stderr, "%s\n", derniers[i % 30].c_str());
    std::fprintf(stderr, "all of them: tarvex-stress CORPUS %lld %lld --script\n", graine,
                 rang + 1);
}

// Plays n lines of a seed on a fresh session, or prints them as a script.
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
        const auto erreur = replay::Lecteur().lire(ligne, true, [&](const replay::Evenement& ev) {
            if (faute.empty()) faute = banc.jouer(ev);
        });
        if (erreur) faute = "the line is refused: " + erreur->message;
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
    std::vector<std::string_view> args(argv + 1, argv + argc);
    if (!args.empty() && args[0] == "--corpus") { // the fuzz target on files and folders
        long n = 0;
        for (std::size_t i = 1; i < args.size(); ++i)
            for (const fs::path& p : fichiers(args[i])) {
                const std::string t = lire(p);
                LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(t.data()), t.size());
                ++n;
            }
        return std::printf("fuzz-corpus: %ld inputs\n", n), n > 0 ? 0 : 1;
    }
    const bool longue = !args.empty() && args[0] == "--long";
    if (longue) args.erase(args.begin());
    if (args.empty())
        return std::fputs("usage: tarvex-stress [--long] CORPUS [SEED N]\n", stderr), 2;
    for (const fs::path& p : fichiers(args[0])) { // the lines of the corpus that are events
        auto& lignes = corpus.emplace_back();
        std::istringstream texte(lire(p));
        for (std::string l; std::getline(texte, l);) {
            if (l.ends_with('\r')) l.pop_back();
            bool evenements = false;
            if (!replay::Lecteur().lire(l, true, [&](auto&) { evenements = true; }) && evenements)
                lignes.push_back(l);
        }
        if (lignes.empty()) corpus.pop_back();
    }
    std::signal(SIGABRT, [](int) {
        rapporter("abort (a sanitizer finding or an escaped exception, see above)");
    });
    if (args.size() >= 3) {
        long long v[2] = {-1, -1};
        for (int i : {0, 1}) std::from_chars(args[i + 1].begin(), args[i + 1].end(), v[i]);
        return executer(v[0], v[1], args.size() == 4 && args[3] == "--script") ? 0 : 1;
    }
    const long long n = longue ? 10000 : 1000;
    for (int s = 1; s <= 20; ++s)
        if (!executer(s, n, false)) return 1;
    if (!executer(1000, 10 * n, false)) return 1;
    std::printf("stress: %lld lines checked\n", 30 * n);
    return 0;
}
