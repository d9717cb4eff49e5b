// tarvex-stress CORPUS: long random scripts given to the fuzz target (fuzz.cpp) under ASan and
// UBSan, which reads each whole and in pieces and plays it on a session, the state checked
// after every event. A script is made of runs of one to eight lines taken from a random
// place of a random file of the seed corpus (the scenario files' scripts: entries over
// messages, prefixes, statistics, undo, pastes...) and of random events (any click, any key,
// any code point, undo, redo, copy). Twenty scripts of 1,000 lines and one of 10,000 (with
// --long, ten times as long: the target stress-long). A failure prints the fuzz target's message
// (the line of the script) and the seed; `tarvex-stress CORPUS SEED LINES` prints that script,
// for tarvex-replay. `tarvex-stress --corpus PATH...` gives each file to the fuzz target.
#include <charconv>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "Script.h"
#include "session/Session.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille);

using namespace tarvex;
namespace fs = std::filesystem;

namespace {

std::string lire(const fs::path& chemin)
{
    std::ifstream f(chemin, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

std::vector<std::vector<std::string>> corpus; // the event lines of each file
std::mt19937_64 hasard; // the seed decides everything (the standard fixes its output)
std::size_t sous(std::size_t n) { return hasard() % n; }

// Any click, the double click, undo, redo, copy, any key of the keyboard map (ASCII) or any
// code point.
std::string auHasard()
{
    const std::size_t r = sous(100);
    while (r < 40)
        if (const auto c = static_cast<IdControle>(sous(Session::nombreControles()));
            Session::accepteClic(c))
            return "click " + std::string(Session::definition(c).nom);
    const std::string autres[] = {"dblclick OLE1", "undo", "redo", "copy"};
    if (r < 55) return autres[sous(4)];
    auto p = static_cast<char32_t>(r < 95 ? sous(128) : sous(0x110000 - 0x800));
    if (r >= 95 && p >= 0xD800) p += 0x800; // no surrogate
    char hex[8];
    return "key U+" + std::string(hex, std::to_chars(hex, hex + sizeof hex, p, 16).ptr);
}

std::string script(long long graine, long long lignes)
{
    hasard.seed(static_cast<std::uint64_t>(graine));
    std::string s;
    while (lignes > 0) {
        if (sous(10) < 7) { // a run of lines of the corpus
            const auto& f = corpus[sous(corpus.size())];
            for (std::size_t i = sous(f.size()), n = 1 + sous(8); n > 0 && i < f.size(); --n)
                s += f[i++] + '\n', --lignes;
        } else {
            s += auHasard() + '\n', --lignes;
        }
    }
    return s;
}

long long graine = 0, longueur = 0; // the script under way, for the report of a failure

void essayer(const std::string& s, bool accepte = true)
{
    if (accepte && replay::Lecteur().lire(s, true)) // a refused script would check nothing
        std::fputs("stress: the script is refused\n", stderr), std::abort();
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(s.data()), s.size());
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string_view> args(argv + 1, argv + argc);
    if (!args.empty() && args[0] == "--corpus") { // the fuzz target on files and folders
        long n = 0;
        for (std::size_t i = 1; i < args.size(); ++i)
            for (const auto& e : fs::recursive_directory_iterator(args[i]))
                if (e.is_regular_file()) essayer(lire(e.path()), false), ++n;
        return std::printf("fuzz-corpus: %ld inputs\n", n), n > 0 ? 0 : 1;
    }
    const bool longue = !args.empty() && args[0] == "--long";
    if (longue) args.erase(args.begin());
    if (args.empty()) return std::fputs("usage: tarvex-stress [--long] CORPUS\n", stderr), 2;
    for (const auto& e : fs::recursive_directory_iterator(args[0])) { // the corpus' lines
        auto& lignes = corpus.emplace_back();
        std::istringstream texte(lire(e.path()));
        for (std::string l; std::getline(texte, l);) // those of events, as a script accepts them
            if (bool ev = false; !replay::Lecteur().lire(l, true, [&](auto&) { ev = true; }) && ev)
                lignes.push_back(l);
        if (lignes.empty()) corpus.pop_back();
    }
    if (args.size() == 3) { // SEED LINES: the script of a run
        for (int i : {1, 2})
            std::from_chars(args[i].begin(), args[i].end(), i == 1 ? graine : longueur);
        return std::fputs(script(graine, longueur).c_str(), stdout), 0;
    }
    // Every finding ends in abort(), after the fuzz target's message or the sanitizer's.
    std::signal(SIGABRT, [](int) {
        std::fprintf(stderr, "stress: the script is `tarvex-stress CORPUS %lld %lld`\n", graine,
                     longueur);
    });
    const long long n = longue ? 10000 : 1000;
    for (graine = 1, longueur = n; graine <= 20; ++graine) essayer(script(graine, longueur));
    essayer(script(graine = 1000, longueur = 10 * n));
    return std::printf("stress: %lld lines checked\n", 30 * n), 0;
}

// Every sanitizer finding ends in abort(), whose handler says which script led to it.
extern "C" const char* __asan_default_options() { return "abort_on_error=1"; }
extern "C" const char* __ubsan_default_options() { return "abort_on_error=1:print_stacktrace=1"; }
