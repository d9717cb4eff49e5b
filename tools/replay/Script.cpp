// The replay script: its lines read one at a time into calculator events.
#include "Script.h"

#include "core/Utf8.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <utility>

namespace tarvex::replay {

namespace {

constexpr std::string_view Blancs[] = {" ", "\t"};
constexpr std::string_view FinVerbe = " \t\r"; // a CR ends the verb too: then it is the error
constexpr std::string_view MarqueOrdre = "\xEF\xBB\xBF"; // some editors start UTF-8 with it
constexpr std::string_view MessageCR =
    "carriage return inside the line (lines end with LF or CR LF)";
constexpr int PlusLongNom = 80; // characters of a name that an error message shows

// Leading blanks are ignored; those at the end too, except in the text of `type` and `paste`.
std::string_view sansBlancsGauche(std::string_view s)
{
    return utf8::sansBlancs(s, Blancs, true, false);
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

bool estVerbe(std::string_view mot)
{
    for (const auto& [nom, v] : VerbesSansArgument)
        if (mot == nom) return true;
    for (std::string_view nom : {"type", "paste", "click", "dblclick", "key"})
        if (mot == nom) return true;
    return false;
}

// Control characters, C1 controls and the characters that reorder or break a terminal line.
bool imprimable(char32_t p)
{
    return p != utf8::Invalide && p >= 0x20 && !(p >= 0x7F && p < 0xA0) &&
           !(p >= 0x2028 && p <= 0x202E) && !(p >= 0x2066 && p <= 0x2069);
}

// Checks one line and gives its events to `visiteur`; what is wrong with it otherwise.
std::optional<std::string> lireLigne(std::string_view ligne, std::uint64_t numero,
                                     const Visiteur& visiteur, std::uint64_t& dumps)
{
    const auto emettre = [&](Verbe verbe, IdControle controle = SansControle, std::int32_t code = 0,
                             std::string_view colle = {}) {
        if (visiteur) visiteur({verbe, controle, code, colle, numero});
    };
    const bool cr = ligne.find('\r') != std::string_view::npos;
    const std::string_view texte = sansBlancsGauche(ligne);
    if (texte.empty() || texte.front() == '#') {
        if (cr) return std::string(MessageCR);
        return std::nullopt;
    }
    const std::string_view verbe = texte.substr(0, texte.find_first_of(FinVerbe));
    if (!estVerbe(verbe)) return "unknown command " + cite(verbe);
    if (cr) return std::string(MessageCR);

    if (verbe == "type" || verbe == "paste") {
        // The text is the rest of the line after the one blank that follows the verb;
        // its own blanks, trailing ones included, are key presses or pasted.
        const std::string_view reste = texte.substr(verbe.size());
        const std::string_view argument = reste.empty() ? reste : reste.substr(1);
        if (!utf8::valide(argument)) return "the text is not valid UTF-8";
        if (verbe == "paste") { // an empty clipboard too
            emettre(Verbe::Coller, SansControle, 0, argument);
            return std::nullopt;
        }
        if (argument.empty()) return "type needs a text to type";
        for (std::size_t i = 0; i < argument.size();)
            emettre(Verbe::Touche, SansControle,
                    static_cast<std::int32_t>(utf8::lire(argument, i)));
        return std::nullopt;
    }

    const std::string_view argument = utf8::sansBlancs(texte.substr(verbe.size()), Blancs);
    for (const auto& [mot, v] : VerbesSansArgument) {
        if (verbe != mot) continue;
        if (!argument.empty()) return std::string(verbe) + " takes no argument";
        dumps += v == Verbe::Dump;
        emettre(v);
        return std::nullopt;
    }
    if (verbe == "key") {
        if (argument.empty()) return "key needs a character or a key name";
        const auto code = codeTouche(argument);
        if (!code)
            return "bad key " + cite(argument) +
                   ": expected one character, Return, Escape, Backspace, Tab, Space or U+XXXX";
        emettre(Verbe::Touche, SansControle, *code);
        return std::nullopt;
    }
    // click and dblclick
    if (argument.empty()) return std::string(verbe) + " needs a control name";
    const auto controle = Session::controle(argument);
    if (!controle) return "unknown control " + cite(argument);
    if (verbe == "click") {
        if (!Session::accepteClic(*controle))
            return "control " + cite(argument) + " takes no click";
        emettre(Verbe::Clic, *controle);
    } else {
        // Only the manual's icon answers a double click.
        if (!Session::accepteDoubleClic(*controle))
            return "control " + cite(argument) + " takes no double click (only OLE1 has one)";
        emettre(Verbe::DoubleClic, *controle);
    }
    return std::nullopt;
}

// What is already certain of a line that has not ended: an error that no later byte can
// take back, the one lireLigne will give. Its verb is judged once a blank ends it, or once it
// is too long for any verb and its first PlusLongNom characters, all that the message shows,
// can no longer change.
std::optional<std::string> erreurCertaine(std::string_view partiel)
{
    if (partiel.ends_with('\r')) partiel.remove_suffix(1); // perhaps the CR of a CR LF
    const bool crSeul = partiel.find('\r') != std::string_view::npos;
    const std::string_view texte = sansBlancsGauche(partiel);
    if (texte.empty() || texte.front() == '#') {
        if (crSeul) return std::string(MessageCR);
        return std::nullopt;
    }
    const std::size_t fin = texte.find_first_of(FinVerbe);
    if (fin == std::string_view::npos && texte.size() <= 4 * (PlusLongNom + 1u))
        return std::nullopt;
    const std::string_view verbe = texte.substr(0, fin);
    if (!estVerbe(verbe)) return "unknown command " + cite(verbe);
    if (crSeul) return std::string(MessageCR);
    return std::nullopt;
}

} // namespace

std::optional<ErreurScript> Lecteur::lire(std::string_view texte, bool fin,
                                          const Visiteur& visiteur)
{
    while (debut_ < texte.size()) {
        const std::size_t lf = texte.find('\n', std::max(debut_, recherche_));
        if (lf == std::string_view::npos && !fin) {
            recherche_ = texte.size();
            std::string_view partiel = texte.substr(debut_);
            if (partiel.size() < examen_) return std::nullopt;
            if (ligne_ == 0 && partiel.starts_with(MarqueOrdre))
                partiel.remove_prefix(MarqueOrdre.size());
            examen_ = 2 * partiel.size();
            if (auto message = erreurCertaine(partiel))
                return ErreurScript{ligne_ + 1, std::move(*message)};
            return std::nullopt;
        }
        std::string_view ligne = texte.substr(
            debut_, lf == std::string_view::npos ? std::string_view::npos : lf - debut_);
        debut_ = lf == std::string_view::npos ? texte.size() : lf + 1;
        examen_ = premierExamen_;
        ++ligne_;
        if (ligne_ == 1 && ligne.starts_with(MarqueOrdre)) ligne.remove_prefix(MarqueOrdre.size());
        if (lf != std::string_view::npos && ligne.ends_with('\r')) ligne.remove_suffix(1); // CR LF
        if (auto message = lireLigne(ligne, ligne_, visiteur, dumps_))
            return ErreurScript{ligne_, std::move(*message)};
    }
    return std::nullopt;
}

void jouer(Session& session, const Evenement& ev, std::string& pressePapier)
{
    switch (ev.verbe) {
    case Verbe::Clic: session.cliquer(ev.controle); break;
    case Verbe::DoubleClic: session.doubleCliquer(ev.controle); break;
    case Verbe::Touche: session.appuyer(ev.code); break;
    case Verbe::Copie: pressePapier = session.copier(); break;
    case Verbe::Coller: session.coller(ev.texte); break;
    case Verbe::Annuler: session.annuler(); break;
    case Verbe::Retablir: session.retablir(); break;
    case Verbe::Dump: break;
    }
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
    std::size_t i = 0;
    const char32_t p = utf8::lire(argument, i);
    if (p == utf8::Invalide || i != argument.size()) return std::nullopt;
    return static_cast<std::int32_t>(p);
}

std::string cite(std::string_view texte)
{
    const std::string_view montre = utf8::gauche(texte, PlusLongNom);
    const bool coupe = montre.size() < texte.size();
    texte = montre;
    std::string r = "\"";
    for (std::size_t i = 0; i < texte.size();) {
        const std::size_t debut = i;
        if (imprimable(utf8::lire(texte, i))) {
            r.append(texte.substr(debut, i - debut));
            continue;
        }
        for (std::size_t k = debut; k < i; ++k) {
            r += "\\x";
            utf8::ajouterHex(static_cast<unsigned char>(texte[k]), r);
        }
    }
    if (coupe) r += "…";
    return r + '"';
}

} // namespace tarvex::replay
