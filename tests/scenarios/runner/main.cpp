// tarvex-scenario [--locale NAME [--comma]] FILE...
// Runs each scenario file (docs/scenarios.md) through tarvex-replay, a real process, and
// reports every mismatch as `file:line: path: expected X, received Y`. Exit 0 when all pass.
// The runner never calls setlocale, so it reads and writes numbers in the C locale.
#include <QProcess>
#include <QTemporaryFile>

#include <nlohmann/json.hpp>

#include <langinfo.h>
#include <locale.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <optional>
#include <regex>
#include <string>
#include <vector>

namespace {

using Json = nlohmann::ordered_json; // members kept in the order written, for messages
using Locale = std::optional<std::string>;

// `= PATH VALUE`, checked against output line `dump` (of the nearest dump line above it).
struct Attente {
    int ligne, dump;
    std::string chemin;
    Json valeur;
};

struct Scenario {
    std::string script; // the file with its `=` and `!` lines blank: same line numbers
    int nbDumps = 0;
    std::vector<Attente> attentes;
    int sortieAttendue = 0;                           // `! exit N`
    std::optional<std::string> erreurAttendue;        // `! stderr TEXT`
    bool viaFichier = false;                          // `! file`
    std::vector<std::pair<int, std::string>> erreurs; // mistakes in the file itself
};

std::string_view rogner(std::string_view s)
{
    const std::size_t debut = s.find_first_not_of(" \t\r");
    return debut == s.npos ? "" : s.substr(debut, s.find_last_not_of(" \t\r") + 1 - debut);
}

// The lines of a text, without their line ends; a last line without one counts.
std::vector<std::string_view> lignes(std::string_view texte)
{
    std::vector<std::string_view> r;
    for (std::size_t debut = 0, fin; debut < texte.size(); debut = fin + 1) {
        fin = std::min(texte.find('\n', debut), texte.size());
        r.push_back(texte.substr(debut, fin - debut));
    }
    return r;
}

Scenario lireScenario(std::string_view texte)
{
    Scenario s;
    int dump = -1, dernierEvenement = 0, ligne = 0;
    bool evenementsDepuis = false;
    const std::regex zeroEntier(R"((^|[\[,:\s])-0($|[\]},\s]))");
    for (const std::string_view brute : lignes(texte)) {
        const std::string_view t = rogner(brute);
        const auto erreur = [&](std::string m) { s.erreurs.emplace_back(ligne, std::move(m)); };
        ++ligne;
        if (!t.starts_with('=') && !t.starts_with('!')) {
            if (t == "dump") {
                dump = s.nbDumps++;
                evenementsDepuis = false;
            } else if (!t.empty() && !t.starts_with('#')) {
                evenementsDepuis = true;
                dernierEvenement = ligne;
            }
            s.script.append(brute) += '\n';
            continue;
        }
        s.script += '\n';
        const std::string_view corps = rogner(t.substr(1));
        const std::size_t blanc = std::min(corps.find_first_of(" \t"), corps.size());
        const std::string_view mot = corps.substr(0, blanc), reste = rogner(corps.substr(blanc));
        if (t.starts_with('!')) {
            const Json n = Json::parse(reste, nullptr, false);
            if (mot == "exit" && n.is_number_integer())
                s.sortieAttendue = n.get<int>();
            else if (mot == "stderr")
                s.erreurAttendue = std::string(reste);
            else if (mot == "file" && reste.empty())
                s.viaFichier = true;
            else
                erreur("unknown directive \"! " + std::string(corps) +
                       "\" (expected exit N, stderr TEXT or file)");
        } else if (mot.empty() || reste.empty()) {
            erreur("expected \"= PATH VALUE\"");
        } else if (dump >= 0 && evenementsDepuis) { // it would check a state older than them
            erreur("events since the last dump: put a dump line before this expectation");
        } else if (std::regex_search(reste.begin(), reste.end(), zeroEntier)) {
            erreur("write a negative zero as -0.0 (-0 reads as the integer 0)");
        } else {
            try {
                s.attentes.push_back({ligne, dump, std::string(mot), Json::parse(reste)});
            } catch (const Json::parse_error& e) {
                erreur("the value is not JSON (at character " + std::to_string(e.byte) + ")");
            }
        }
    }
    // Without dump lines, one JSON line comes after the last event, and the expectations
    // after that event apply to it.
    for (Attente& a : s.attentes) {
        if (a.dump >= 0) continue;
        if (s.nbDumps == 0 && a.ligne > dernierEvenement)
            a.dump = 0;
        else
            s.erreurs.emplace_back(
                a.ligne, s.nbDumps > 0 ? "no dump line above this expectation"
                                       : "events after this expectation: in a file without dump "
                                         "lines, expectations follow the last event");
    }
    if (s.sortieAttendue != 0 && !s.attentes.empty())
        s.erreurs.emplace_back(s.attentes[0].ligne,
                               "\"= PATH VALUE\" lines need a successful run (! exit 0)");
    std::ranges::stable_sort(s.erreurs, {}, [](const auto& e) { return e.first; });
    return s;
}

// The value at a dotted path ("Pile.4", "controls.lblResultat.caption"): a segment is an
// index where the value is an array, a member name otherwise.
const Json* suivre(const Json& racine, std::string_view chemin)
{
    std::string pointeur = "/";
    for (const char c : chemin)
        pointeur += c == '.' ? "/" : c == '/' ? "~1" : c == '~' ? "~0" : std::string(1, c);
    const Json::json_pointer p(pointeur);
    return racine.contains(p) ? &racine.at(p) : nullptr;
}

// Numbers as doubles, exactly, a zero's sign included (7 equals 7.0, -0.0 differs from 0);
// arrays whole; objects on the members `attendu` names. ecart: where they first differ.
bool concorde(const Json& attendu, const Json& recu, std::string& ecart)
{
    if (attendu.is_number() && recu.is_number()) {
        const double a = attendu.get<double>(), r = recu.get<double>();
        return a == r && std::signbit(a) == std::signbit(r);
    }
    if (attendu.type() != recu.type() || (attendu.is_array() && attendu.size() != recu.size()))
        return false;
    if (!attendu.is_structured()) return attendu == recu;
    for (const auto& el : attendu.items()) {
        const Json* r = recu.is_array()           ? &recu[std::stoul(el.key())]
                        : recu.contains(el.key()) ? &recu[el.key()]
                                                  : nullptr;
        if (r == nullptr || !concorde(el.value(), *r, ecart)) {
            ecart = "." + el.key() + ecart;
            return false;
        }
    }
    return true;
}

// What of `recu` the comparison looked at: objects only with the members `attendu` names.
Json projection(const Json& recu, const Json& attendu)
{
    if (!recu.is_object() || !attendu.is_object()) return recu;
    Json r = Json::object();
    for (const auto& el : attendu.items())
        if (recu.contains(el.key())) r[el.key()] = projection(recu[el.key()], el.value());
    return r;
}

// Runs tarvex-replay (with LC_ALL=locale, if given) to its end; why not if it could not.
// (After a crash, the exit status is the number of the signal.)
std::optional<std::string> executer(QProcess& p, const Locale& locale, const Scenario& s)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (locale) env.insert(QStringLiteral("LC_ALL"), QString::fromStdString(*locale));
    p.setProcessEnvironment(env);
    QTemporaryFile fichier; // the script, as a file argument or as standard input
    if (!fichier.open() || fichier.write(s.script.c_str()) < 0 || !fichier.flush())
        return "cannot write a temporary file";
    if (!s.viaFichier) p.setStandardInputFile(fichier.fileName());
    p.start(QStringLiteral(TARVEX_REPLAY),
            s.viaFichier ? QStringList{fichier.fileName()} : QStringList{});
    if (!p.waitForFinished(-1)) return "cannot run tarvex-replay: " + p.errorString().toStdString();
    return std::nullopt;
}

// Every mismatch of one file, each prefixed with the file and, where there is one, the line.
// With a locale, every dump must report it as localeNumeric.
std::vector<std::string> juger(const std::string& fichier, const Scenario& s, const Locale& locale)
{
    std::vector<std::string> echecs;
    const auto echec = [&](int ligne, const std::string& m) {
        echecs.push_back(fichier + (ligne > 0 ? ":" + std::to_string(ligne) : "") + ": " + m);
    };
    const auto cite = [](const std::string& t) { // quoted, escaped, line ends visible
        return Json(t).dump(-1, ' ', false, Json::error_handler_t::replace);
    };
    for (const auto& [ligne, message] : s.erreurs) echec(ligne, message);
    if (!echecs.empty()) return echecs; // nothing runs
    QProcess p;
    const auto probleme = executer(p, locale, s);
    const std::string out = p.readAllStandardOutput().toStdString(),
                      err = p.readAllStandardError().toStdString();
    if (probleme)
        echec(0, *probleme);
    else if (p.exitCode() != s.sortieAttendue)
        echec(0, "exit status " + std::to_string(p.exitCode()) + ", expected " +
                     std::to_string(s.sortieAttendue) + "; standard error: " + cite(err));
    if (!echecs.empty()) return echecs;
    if (s.erreurAttendue && err != *s.erreurAttendue + "\n")
        echec(0, "standard error " + cite(err) + ", expected " + cite(*s.erreurAttendue + "\n"));
    if (s.sortieAttendue != 0) { // a refused script prints nothing
        if (!out.empty()) echec(0, "standard output should be empty, received " + cite(out));
        return echecs;
    }
    if (!err.empty()) echec(0, "standard error should be empty, received " + cite(err));
    const int attendues = std::max(1, s.nbDumps);
    if (std::ranges::count(out, '\n') != attendues || !out.ends_with('\n')) {
        echec(0, std::to_string(attendues) +
                     " output lines expected, each with its line end, received " + cite(out));
        return echecs;
    }
    std::vector<Json> dumps;
    for (const std::string_view ligne : lignes(out)) {
        const Json& d = dumps.emplace_back(Json::parse(ligne, nullptr, false));
        if (!d.is_object()) {
            echec(0, "output line " + std::to_string(dumps.size()) +
                         " is not a JSON object: " + std::string(ligne));
            return echecs;
        }
        if (locale && d.value("localeNumeric", Json()) != *locale)
            echec(0, "the run did not use the locale " + *locale + ": localeNumeric is " +
                         d.value("localeNumeric", Json()).dump());
    }
    for (const Attente& a : s.attentes) {
        const Json* recu = suivre(dumps[std::size_t(a.dump)], a.chemin);
        std::string ecart;
        if (recu != nullptr && concorde(a.valeur, *recu, ecart)) continue;
        std::string m = a.chemin + ": expected " + a.valeur.dump() + ", received " +
                        (recu ? projection(*recu, a.valeur).dump() : "nothing (no such path)");
        if (!ecart.empty()) m += " (first difference at " + a.chemin + ecart + ")";
        echec(a.ligne, m);
    }
    return echecs;
}

} // namespace

int main(int argc, char** argv)
{
    Locale locale;
    bool virgule = false;
    std::vector<std::string> fichiers;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--locale" && i + 1 < argc)
            locale = argv[++i];
        else if (a == "--comma")
            virgule = true;
        else
            fichiers.push_back(a);
    }
    if (fichiers.empty() || (virgule && !locale)) {
        std::fprintf(stderr, "usage: tarvex-scenario [--locale NAME [--comma]] FILE...\n");
        return 2;
    }
    if (virgule) { // the run under a comma-decimal locale proves something only if it is one
        const locale_t l = newlocale(LC_NUMERIC_MASK, locale->c_str(), locale_t{});
        if (l == locale_t{} || nl_langinfo_l(RADIXCHAR, l) != std::string(",")) {
            std::printf("FAIL: the locale %s is missing or has no decimal comma: install it "
                        "(docs/scenarios.md)\n",
                        locale->c_str());
            return 1;
        }
        freelocale(l);
    }
    int echecs = 0;
    for (const std::string& chemin : fichiers) {
        std::ifstream f(chemin, std::ios::binary);
        const Scenario s = lireScenario(std::string(std::istreambuf_iterator<char>(f), {}));
        const auto messages =
            f.is_open() ? juger(chemin, s, locale) : std::vector{chemin + ": cannot read the file"};
        for (const std::string& m : messages) std::printf("%s\n", m.c_str());
        if (messages.empty())
            std::printf("%s: ok (%zu expectations)\n", chemin.c_str(), s.attentes.size());
        echecs += !messages.empty();
    }
    return echecs == 0 ? 0 : 1;
}
