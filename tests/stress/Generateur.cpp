#include "Generateur.h"

#include <charconv>
#include <fstream>
#include <sstream>

#include "Script.h"
#include "session/Session.h"

namespace tarvex {

std::string lireFichier(const std::filesystem::path& chemin)
{
    std::ifstream f(chemin, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

Generateur::Generateur(const std::filesystem::path& corpus)
{
    for (const auto& e : std::filesystem::recursive_directory_iterator(corpus)) {
        auto& lignes = corpus_.emplace_back();
        std::istringstream texte(lireFichier(e.path()));
        for (std::string l; std::getline(texte, l);) // those of events, as a script accepts them
            if (bool ev = false; !replay::Lecteur().lire(l, true, [&](auto&) { ev = true; }) && ev)
                lignes.push_back(l);
        if (lignes.empty()) corpus_.pop_back();
    }
}

// Any click, the double click, undo, redo, copy, any key of the keyboard map (ASCII) or any
// code point.
std::string Generateur::auHasard()
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

std::string Generateur::script(long long graine, long long lignes)
{
    hasard_.seed(static_cast<std::uint64_t>(graine));
    std::string s;
    while (lignes > 0) {
        if (sous(10) < 7) { // a run of lines of the corpus
            const auto& f = corpus_[sous(corpus_.size())];
            for (std::size_t i = sous(f.size()), n = 1 + sous(8); n > 0 && i < f.size(); --n)
                s += f[i++] + '\n', --lignes;
        } else {
            s += auHasard() + '\n', --lignes;
        }
    }
    return s;
}

} // namespace tarvex
