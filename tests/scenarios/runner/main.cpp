// tarvex-scenario [--locale NAME] FILE...
// Runs each scenario file (docs/scenarios.md) through tarvex-replay's reader, session and JSON
// writer, under the locale NAME if given, and reports every mismatch as `file:line: path:
// expected X, received Y`. Exit 0 when all pass.
#include "EtatJson.h"
#include "Script.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <istream>
#include <optional>
#include <string>
#include <vector>

namespace {

using Json = nlohmann::ordered_json; // members kept in the order written, for messages

// `= PATH VALUE`, checked against output line `dump` (of the nearest dump line above it).
struct Attente {
    int ligne, dump;
    std::string chemin;
    Json valeur;
};

struct Scenario {
    std::string script;            // what tarvex-replay runs
    std::vector<Attente> attentes; // a VALUE that is not JSON is a mistake in the file
};

std::string_view rogner(std::string_view s)
{
    const std::size_t debut = s.find_first_not_of(" \t\r");
    return debut == s.npos ? "" : s.substr(debut, s.find_last_not_of(" \t\r") + 1 - debut);
}

// The script is the file with a `dump` in place of the first `=` line of each group of them
// that follows events (or starts the file), and the other `=` lines blank: the same line
// numbers. A group right after a `dump` line checks that dump.
Scenario lireScenario(std::istream& fichier)
{
    Scenario s;
    int ligne = 0, dumps = 0;
    bool evenements = true; // events since the last dump
    for (std::string brute; std::getline(fichier, brute);) {
        const std::string_view t = rogner(brute);
        ++ligne;
        if (!t.starts_with('=')) {
            dumps += t == "dump";
            if (!t.empty() && !t.starts_with('#')) evenements = t != "dump";
            s.script.append(brute) += '\n';
            continue;
        }
        s.script += evenements ? "dump\n" : "\n";
        dumps += evenements;
        evenements = false;
        const std::string_view corps = rogner(t.substr(1));
        const std::size_t blanc = std::min(corps.find_first_of(" \t"), corps.size());
        s.attentes.push_back({ligne, dumps - 1, std::string(corps.substr(0, blanc)),
                              Json::parse(corps.substr(blanc), nullptr, false)});
    }
    return s;
}

// Where `recu` first differs from `attendu` below `chemin`, as "path: expected X, received
// Y"; nothing when they agree. Numbers compare as doubles, exactly, a zero's sign included
// (7 equals 7.0, -0.0 differs from 0); arrays whole; objects on the members `attendu` names.
std::optional<std::string> ecart(const Json& attendu, const Json* recu, const std::string& chemin)
{
    bool pareil = false;
    if (recu == nullptr) {
    } else if (attendu.is_number() && recu->is_number()) {
        const double a = attendu.get<double>(), r = recu->get<double>();
        pareil = a == r && std::signbit(a) == std::signbit(r);
    } else if (attendu.type() != recu->type() ||
               (attendu.is_array() && attendu.size() != recu->size())) {
    } else if (!attendu.is_structured()) {
        pareil = attendu == *recu;
    } else {
        for (const auto& el : attendu.items()) {
            const Json* r = recu->is_array()           ? &(*recu)[std::stoul(el.key())]
                            : recu->contains(el.key()) ? &(*recu)[el.key()]
                                                       : nullptr;
            if (auto e = ecart(el.value(), r, chemin == "." ? el.key() : chemin + "." + el.key()))
                return e;
        }
        return std::nullopt;
    }
    if (pareil) return std::nullopt;
    return chemin + ": expected " + attendu.dump() + ", received " +
           (recu ? recu->dump() : "nothing (no such path)");
}

// The value at a dotted path ("Pile.4", "controls.lblResultat.caption"; "." is the whole
// state): a segment is an index where the value is an array, a member name otherwise.
const Json* suivre(const Json& racine, std::string_view chemin)
{
    if (chemin == ".") return &racine;
    std::string pointeur = "/";
    for (const char c : chemin)
        pointeur += c == '.' ? "/" : c == '/' ? "~1" : c == '~' ? "~0" : std::string(1, c);
    const Json::json_pointer p(pointeur);
    return racine.contains(p) ? &racine.at(p) : nullptr;
}

// Every mismatch of one file, each prefixed with the file and its line. The script runs through
// tarvex-replay's own reader, session and JSON writer.
std::vector<std::string> juger(const std::string& fichier, const Scenario& s)
{
    std::vector<std::string> echecs;
    const auto echec = [&](int ligne, const std::string& m) {
        echecs.push_back(fichier + ":" + std::to_string(ligne) + ": " + m);
    };
    for (const Attente& a : s.attentes)
        if (a.chemin.empty() || a.valeur.is_discarded())
            echec(a.ligne, "expected \"= PATH VALUE\", the VALUE in JSON");
    if (!echecs.empty()) return echecs; // nothing runs

    tarvex::Session session;
    std::string pressePapier, json;
    std::vector<Json> dumps;
    const auto erreur = tarvex::replay::Lecteur().lire(s.script, true, [&](const auto& ev) {
        if (ev.verbe != tarvex::replay::Verbe::Dump)
            return tarvex::replay::jouer(session, ev, pressePapier);
        tarvex::replay::etatJson(session, pressePapier, std::setlocale(LC_NUMERIC, nullptr), json);
        dumps.push_back(Json::parse(json));
    });
    if (erreur) return {fichier + ":" + std::to_string(erreur->ligne) + ": " + erreur->message};
    for (const Attente& a : s.attentes)
        if (auto e = ecart(a.valeur, suivre(dumps[std::size_t(a.dump)], a.chemin), a.chemin))
            echec(a.ligne, *e);
    return echecs;
}

} // namespace

int main(int argc, char** argv)
{
    const bool locale = argc > 2 && std::string_view(argv[1]) == "--locale";
    if (argc < 2 || (locale && argc < 4)) {
        std::fprintf(stderr, "usage: tarvex-scenario [--locale NAME] FILE...\n");
        return 2;
    }
    // As tarvex-replay does with its environment's locale: numbers must not depend on it.
    if (locale && std::setlocale(LC_ALL, argv[2]) == nullptr) {
        std::printf("FAIL: the locale %s is not installed (docs/scenarios.md)\n", argv[2]);
        return 1;
    }
    int echecs = 0;
    for (int i = locale ? 3 : 1; i < argc; ++i) {
        std::ifstream f(argv[i], std::ios::binary);
        const Scenario s = lireScenario(f);
        const auto messages =
            f.is_open() ? juger(argv[i], s) : std::vector{std::string(argv[i]) + ": cannot read"};
        for (const std::string& m : messages) std::printf("%s\n", m.c_str());
        if (messages.empty())
            std::printf("%s: ok (%zu expectations)\n", argv[i], s.attentes.size());
        echecs += !messages.empty();
    }
    return echecs == 0 ? 0 : 1;
}
