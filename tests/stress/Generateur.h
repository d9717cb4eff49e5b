// Random replay scripts, for the stress test and for the comparison of the native and the
// WebAssembly drivers: runs of one to eight lines taken from a random place of a random file
// of the seed corpus (the scenario files' scripts: entries over messages, prefixes,
// statistics, pastes, undo...) and random events (any click, the double click, undo, redo,
// copy, any key of the keyboard map or any code point). The seed decides everything: the
// standard fixes mt19937_64's output.
#pragma once

#include <cstddef>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace tarvex {

class Generateur {
public:
    // The event lines of every file under `corpus`, as a script accepts them.
    explicit Generateur(const std::filesystem::path& corpus);
    bool vide() const { return corpus_.empty(); }
    // A script of `lignes` lines (and a few more: a run of the corpus is never cut).
    std::string script(long long graine, long long lignes);

private:
    std::size_t sous(std::size_t n) { return hasard_() % n; }
    std::string auHasard();

    std::vector<std::vector<std::string>> corpus_;
    std::mt19937_64 hasard_;
};

// The whole text of a file.
std::string lireFichier(const std::filesystem::path& chemin);

} // namespace tarvex
