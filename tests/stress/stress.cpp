// tarvex-stress CORPUS: long random scripts (Generateur.h) given to the fuzz target (fuzz.cpp)
// under ASan and UBSan, which reads each whole and in pieces and plays it on a session, the
// state checked after every event. Twenty scripts of 1,000 lines and one of 10,000 (with
// --long, ten times as long: the target stress-long). A failure prints the fuzz target's message
// (the line of the script) and the seed; `tarvex-stress CORPUS SEED LINES` prints that script,
// for tarvex-replay. `tarvex-stress --corpus PATH...` gives each file to the fuzz target.
#include <charconv>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "Generateur.h"
#include "Script.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille);

using namespace tarvex;
namespace fs = std::filesystem;

namespace {

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
                if (e.is_regular_file()) essayer(lireFichier(e.path()), false), ++n;
        return std::printf("fuzz-corpus: %ld inputs\n", n), n > 0 ? 0 : 1;
    }
    const bool longue = !args.empty() && args[0] == "--long";
    if (longue) args.erase(args.begin());
    if (args.empty()) return std::fputs("usage: tarvex-stress [--long] CORPUS\n", stderr), 2;
    Generateur generateur(args[0]);
    if (args.size() == 3) { // SEED LINES: the script of a run
        for (int i : {1, 2})
            std::from_chars(args[i].begin(), args[i].end(), i == 1 ? graine : longueur);
        return std::fputs(generateur.script(graine, longueur).c_str(), stdout), 0;
    }
    // Every finding ends in abort(), after the fuzz target's message or the sanitizer's.
    std::signal(SIGABRT, [](int) {
        std::fprintf(stderr, "stress: the script is `tarvex-stress CORPUS %lld %lld`\n", graine,
                     longueur);
    });
    const long long n = longue ? 10000 : 1000;
    for (graine = 1, longueur = n; graine <= 20; ++graine)
        essayer(generateur.script(graine, longueur));
    essayer(generateur.script(graine = 1000, longueur = 10 * n));
    return std::printf("stress: %lld lines checked\n", 30 * n), 0;
}

// Every sanitizer finding ends in abort(), whose handler says which script led to it.
extern "C" const char* __asan_default_options() { return "abort_on_error=1"; }
extern "C" const char* __ubsan_default_options() { return "abort_on_error=1:print_stacktrace=1"; }
