// The replay script: its lines read into a list of calculator events, checked as a whole
// before anything runs.
#include "Script.h"

#include "core/Controles.h"

#include <array>
#include <charconv>
#include <utility>

namespace tarvex::replay {

namespace {

bool estBlanc(char c) { return c == ' ' || c == '\t'; }

std::string_view sansBlancsGauche(std::string_view s)
{
    while (!s.empty() && estBlanc(s.front())) s.remove_prefix(1);
    return s;
}

std::string_view sansBlancsDroite(std::string_view s)
{
    while (!s.empty() && estBlanc(s.back())) s.remove_suffix(1);
    return s;
}

std::string entreGuillemets(std::string_view s)
{
    std::string r = "\"";
    r.append(s);
    r += '"';
    return r;
}

constexpr std::array<std::pair<std::string_view, std::int32_t>, 5> NomsTouches{{
    {"Return", 13},
    {"Escape", 27},
    {"Backspace", 8},
    {"Tab", 9},
    {"Space", 32},
}};

constexpr std::array<std::pair<std::string_view, Verbe>, 4> VerbesSansArgument{{
    {"dump", Verbe::Dump},
    {"copy", Verbe::Copie},
    {"undo", Verbe::Annuler},
    {"redo", Verbe::Retablir},
}};

// Reads one event line (already known to be neither blank nor a comment).
std::optional<std::string> lireLigne(std::string_view ligne, int numero, Script& script)
{
    std::string_view texte = sansBlancsGauche(ligne);
    std::size_t finVerbe = 0;
    while (finVerbe < texte.size() && !estBlanc(texte[finVerbe])) ++finVerbe;
    const std::string_view verbe = texte.substr(0, finVerbe);

    if (verbe == "type" || verbe == "paste") {
        // The text is the rest of the line after the one blank that follows the verb;
        // its own blanks, trailing ones included, are key presses or pasted.
        const std::string_view reste = texte.substr(finVerbe);
        const std::string_view argument = reste.empty() ? reste : reste.substr(1);
        const auto points = decoderUtf8(argument);
        if (!points) return "the text is not valid UTF-8";
        if (verbe == "paste") { // an empty clipboard too
            script.evenements.push_back({Verbe::Coller, numero, Ctl::cmdEnter,
                                         static_cast<std::int32_t>(script.textes.size())});
            script.textes.emplace_back(argument);
            return std::nullopt;
        }
        if (argument.empty()) return "type needs a text to type";
        for (char32_t p : *points)
            script.evenements.push_back(
                {Verbe::Touche, numero, Ctl::cmdEnter, static_cast<std::int32_t>(p)});
        return std::nullopt;
    }

    const std::string_view argument = sansBlancsGauche(sansBlancsDroite(texte.substr(finVerbe)));
    for (const auto& [mot, v] : VerbesSansArgument) {
        if (verbe != mot) continue;
        if (!argument.empty()) return std::string(verbe) + " takes no argument";
        script.evenements.push_back({v, numero});
        script.nbDumps += v == Verbe::Dump;
        return std::nullopt;
    }
    if (verbe == "click" || verbe == "dblclick") {
        if (argument.empty()) return std::string(verbe) + " needs a control name";
        const auto controle = controleParNom(argument);
        if (!controle) return "unknown control " + entreGuillemets(argument);
        if (verbe == "click") {
            if (!accepteClic(*controle))
                return "control " + entreGuillemets(argument) + " takes no click";
            script.evenements.push_back({Verbe::Clic, numero, *controle});
        } else {
            // Only the manual's icon answers a double click.
            if (*controle != Ctl::OLE1)
                return "control " + entreGuillemets(argument) +
                       " takes no double click (only OLE1 has one)";
            script.evenements.push_back({Verbe::DoubleClic, numero, *controle});
        }
        return std::nullopt;
    }
    if (verbe == "key") {
        if (argument.empty()) return "key needs a character or a key name";
        const auto code = codeTouche(argument);
        if (!code)
            return "bad key " + entreGuillemets(argument) +
                   ": expected one character, Return, Escape, Backspace, Tab, Space or U+XXXX";
        script.evenements.push_back({Verbe::Touche, numero, Ctl::cmdEnter, *code});
        return std::nullopt;
    }
    return "unknown command " + entreGuillemets(verbe);
}

} // namespace

std::optional<std::vector<char32_t>> decoderUtf8(std::string_view texte)
{
    std::vector<char32_t> points;
    std::size_t i = 0;
    while (i < texte.size()) {
        const auto octet = [&](std::size_t k) { return static_cast<unsigned char>(texte[k]); };
        const unsigned char premier = octet(i);
        int suite;
        char32_t point;
        char32_t minimum;
        if (premier < 0x80) {
            points.push_back(premier);
            ++i;
            continue;
        } else if ((premier & 0xE0) == 0xC0) {
            suite = 1, point = premier & 0x1F, minimum = 0x80;
        } else if ((premier & 0xF0) == 0xE0) {
            suite = 2, point = premier & 0x0F, minimum = 0x800;
        } else if ((premier & 0xF8) == 0xF0) {
            suite = 3, point = premier & 0x07, minimum = 0x10000;
        } else {
            return std::nullopt;
        }
        if (texte.size() - i <= static_cast<std::size_t>(suite)) return std::nullopt;
        for (int k = 1; k <= suite; ++k) {
            const unsigned char o = octet(i + k);
            if ((o & 0xC0) != 0x80) return std::nullopt;
            point = (point << 6) | (o & 0x3F);
        }
        if (point < minimum || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF))
            return std::nullopt;
        points.push_back(point);
        i += suite + 1;
    }
    return points;
}

std::optional<std::int32_t> codeTouche(std::string_view argument)
{
    for (const auto& [nom, code] : NomsTouches)
        if (argument == nom) return code;
    if (argument.size() > 2 && argument.substr(0, 2) == "U+") {
        const std::string_view chiffres = argument.substr(2);
        if (chiffres.size() > 6) return std::nullopt;
        std::uint32_t valeur = 0;
        const auto [fin, ec] =
            std::from_chars(chiffres.data(), chiffres.data() + chiffres.size(), valeur, 16);
        if (ec != std::errc{} || fin != chiffres.data() + chiffres.size()) return std::nullopt;
        if (valeur > 0x10FFFF || (valeur >= 0xD800 && valeur <= 0xDFFF)) return std::nullopt;
        return static_cast<std::int32_t>(valeur);
    }
    const auto points = decoderUtf8(argument);
    if (!points || points->size() != 1) return std::nullopt;
    return static_cast<std::int32_t>(points->front());
}

Lecture lireScript(std::string_view texte)
{
    Lecture lecture;
    // A byte-order mark some editors put in front of UTF-8 text is no part of line 1.
    if (texte.substr(0, 3) == "\xEF\xBB\xBF") texte.remove_prefix(3);
    int numero = 0;
    while (!texte.empty()) {
        ++numero;
        const std::size_t fin = texte.find('\n');
        std::string_view ligne = texte.substr(0, fin);
        texte.remove_prefix(fin == std::string_view::npos ? texte.size() : fin + 1);
        if (!ligne.empty() && ligne.back() == '\r') ligne.remove_suffix(1); // CRLF files

        const std::string_view utile = sansBlancsGauche(ligne);
        if (utile.empty() || utile.front() == '#') continue;
        auto erreur = lireLigne(ligne, numero, lecture.script);
        if (erreur) {
            lecture.erreur = ErreurScript{numero, std::move(*erreur)};
            lecture.script = {};
            return lecture;
        }
    }
    return lecture;
}

} // namespace tarvex::replay
