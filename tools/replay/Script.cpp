// The replay script: its lines read one at a time into calculator events.
#include "Script.h"

#include "core/Utf8.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <iterator>
#include <utility>

namespace tarvex::replay {

namespace {

constexpr std::string_view BlancsOuCR = " \t\r";         // what ends a word
constexpr std::string_view MarqueOrdre = "\xEF\xBB\xBF"; // some editors start UTF-8 with it
constexpr std::string_view MessageCR =
    "carriage return inside the line (lines end with LF or CR LF)";
constexpr int PlusLongNom = 80; // characters of a name that an error message shows

constexpr std::array<std::pair<std::string_view, std::int32_t>, 5> NomsTouches{{
    {"Return", 13},
    {"Escape", 27},
    {"Backspace", 8},
    {"Tab", 9},
    {"Space", 32},
}};

// The commands of a script, by what follows them: nothing, a text, a key, a control's name.
enum class Argument : std::uint8_t { Aucun, Texte, Touche, Controle };
struct Commande {
    std::string_view nom;
    Argument argument;
    Verbe verbe;
};
constexpr Commande Commandes[] = {
    {"dump", Argument::Aucun, Verbe::Dump},
    {"copy", Argument::Aucun, Verbe::Copie},
    {"undo", Argument::Aucun, Verbe::Annuler},
    {"redo", Argument::Aucun, Verbe::Retablir},
    {"type", Argument::Texte, Verbe::Touche},
    {"paste", Argument::Texte, Verbe::Coller},
    {"key", Argument::Touche, Verbe::Touche},
    {"click", Argument::Controle, Verbe::Clic},
    {"dblclick", Argument::Controle, Verbe::DoubleClic},
};

// The command named `mot` (its first letter compared first: this runs for every line).
const Commande* commande(std::string_view mot)
{
    for (const Commande& c : Commandes)
        if (!mot.empty() && c.nom[0] == mot[0] && c.nom == mot) return &c;
    return nullptr;
}

// Characters a message shows as an escape: controls, the line and paragraph separators, the
// format characters (among them the marks that reorder a line and the invisible spaces and
// joiners), the other characters that are ignored by default (invisible), private use and
// noncharacters. Sorted ranges, from the Unicode character database.
constexpr std::pair<char32_t, char32_t> Invisibles[] = {
    {0x0000, 0x001F},   {0x007F, 0x009F},    {0x00AD, 0x00AD},   {0x034F, 0x034F},
    {0x0600, 0x0605},   {0x061C, 0x061C},    {0x06DD, 0x06DD},   {0x070F, 0x070F},
    {0x0890, 0x0891},   {0x08E2, 0x08E2},    {0x115F, 0x1160},   {0x17B4, 0x17B5},
    {0x180B, 0x180F},   {0x200B, 0x200F},    {0x2028, 0x202E},   {0x2060, 0x206F},
    {0x3164, 0x3164},   {0xE000, 0xF8FF},    {0xFDD0, 0xFDEF},   {0xFE00, 0xFE0F},
    {0xFEFF, 0xFEFF},   {0xFFA0, 0xFFA0},    {0xFFF9, 0xFFFB},   {0x110BD, 0x110BD},
    {0x110CD, 0x110CD}, {0x13430, 0x1343F},  {0x1BCA0, 0x1BCA3}, {0x1D173, 0x1D17A},
    {0xE0000, 0xE0FFF}, {0xF0000, 0x10FFFF},
};

bool visible(char32_t p)
{
    if ((p & 0xFFFE) == 0xFFFE) return false; // the two noncharacters that end each plane
    // (std::algorithms, not std::ranges: WebAssembly's standard library has no ranges yet)
    const auto r = std::upper_bound(std::begin(Invisibles), std::end(Invisibles), p,
                                    [](char32_t x, const auto& i) { return x < i.first; });
    return r == std::begin(Invisibles) || p > std::prev(r)->second;
}

// True when s is the beginning of a well-formed UTF-8 sequence that lacks its last bytes:
// completed with the smallest bytes allowed, it reads as one character.
bool entame(std::string_view s)
{
    std::string t(s.substr(0, 3));
    while (t.size() < 4) {
        const auto tete = static_cast<unsigned char>(t[0]);
        t += t.size() > 1 ? '\x80' : tete == 0xE0 ? '\xA0' : tete == 0xF0 ? '\x90' : '\x80';
        std::size_t i = 0;
        if (utf8::lire(t, i) != utf8::Invalide && i == t.size()) return t.size() > s.size();
    }
    return false;
}

// A word of a line: from `debut` to the first blank or CR. `fini` when something ends it (a
// blank, a CR, or the end of a line that has ended).
struct Mot {
    std::string_view texte;
    std::size_t fin; // where it ends in the line
    bool fini, cr;   // cr: a CR ends it
};
Mot mot(std::string_view ligne, std::size_t debut, bool finLigne)
{
    const std::size_t f = ligne.find_first_of(BlancsOuCR, debut);
    if (f == std::string_view::npos) return {ligne.substr(debut), ligne.size(), finLigne, false};
    return {ligne.substr(debut, f - debut), f, true, ligne[f] == '\r'};
}

// A quotation that ends with a word is final once the word is over, or once its first
// PlusLongNom characters, all a message shows, are there whatever comes next (a character not
// yet whole is at most three bytes, counted here one by one).
bool citationFinale(std::string_view citee, bool motFini)
{
    return motFini || utf8::longueur(citee) > PlusLongNom + 3;
}

// What can follow `key`, `click` or `dblclick`: an argument accepted as it is, or the
// beginning of one.
bool accepte(Verbe verbe, IdControle c)
{
    return verbe == Verbe::Clic ? Session::accepteClic(c) : Session::accepteDoubleClic(c);
}
bool argumentAccepte(Verbe verbe, std::string_view a)
{
    if (verbe == Verbe::Touche) return codeTouche(a).has_value();
    const auto c = Session::controle(a);
    return c && accepte(verbe, *c);
}
bool debutArgument(Verbe verbe, std::string_view a)
{
    if (verbe == Verbe::Touche) {
        const bool hexa =
            a.starts_with("U+") && a.size() <= 8 &&
            a.find_first_not_of("0123456789ABCDEFabcdef", 2) == std::string_view::npos;
        return hexa || codeTouche(a) || entame(a) ||
               std::any_of(std::begin(NomsTouches), std::end(NomsTouches),
                           [&](const auto& n) { return n.first.starts_with(a); });
    }
    for (IdControle c = 0; c < Session::nombreControles(); ++c)
        if (Session::definition(c).nom.starts_with(a) && accepte(verbe, c)) return true;
    return false;
}

// The refusal of the argument of `key`, `click` or `dblclick`, quoted as far as it was read.
std::string refusArgument(Verbe verbe, std::string_view citee)
{
    if (verbe == Verbe::Touche)
        return "bad key " + cite(citee) +
               ": expected one character, Return, Escape, Backspace, Tab, Space or U+XXXX";
    if (!Session::controle(citee)) return "unknown control " + cite(citee);
    return "control " + cite(citee) +
           (verbe == Verbe::Clic ? " takes no click"
                                 : " takes no double click (only OLE1 has one)");
}

// A line that has ended and is valid: its command (none for a blank line or a comment) and
// its argument (the text of `type` and `paste`, the word after `key`, `click`, `dblclick`).
struct LigneLue {
    const Commande* commande = nullptr;
    std::string_view argument;
};

// What is wrong with a line, found at its first byte that can lead to no valid line. A line
// that has ended (`finLigne`) is given without its line end, and when it is valid `lue` says
// what it is; of a line that has not ended, what has come so far, without a last CR that may
// be that of a CR LF: an error is given only once no later byte can take it back or change
// its message, nothing otherwise.
std::optional<std::string> examiner(std::string_view ligne, bool finLigne, LigneLue& lue)
{
    const std::size_t debut = ligne.find_first_not_of(" \t");
    if (debut == std::string_view::npos) return std::nullopt;
    if (ligne[debut] == '#') {
        if (ligne.find('\r', debut) != std::string_view::npos) return std::string(MessageCR);
        return std::nullopt;
    }
    const Mot verbe = mot(ligne, debut, finLigne);
    const Commande* c = verbe.fini && !verbe.cr ? commande(verbe.texte) : nullptr;
    if (c == nullptr) {
        const bool debutCommande =
            std::any_of(std::begin(Commandes), std::end(Commandes),
                        [&](const Commande& k) { return k.nom.starts_with(verbe.texte); });
        if (verbe.cr && debutCommande) return std::string(MessageCR);
        if ((!verbe.fini && debutCommande) || !citationFinale(verbe.texte, verbe.fini))
            return std::nullopt;
        return "unknown command " + cite(verbe.texte);
    }
    const std::string_view nom = c->nom, reste = ligne.substr(verbe.fin);
    lue.commande = c;

    if (c->argument == Argument::Aucun) {
        const std::size_t k = reste.find_first_not_of(" \t");
        if (k == std::string_view::npos) return std::nullopt;
        return reste[k] == '\r' ? std::string(MessageCR) : std::string(nom) + " takes no argument";
    }
    if (c->argument == Argument::Texte) {
        // The text is the rest of the line after the one blank that follows the verb.
        lue.argument = reste.empty() ? reste : reste.substr(1);
        for (std::size_t k = 0; k < lue.argument.size();) {
            if (lue.argument[k] == '\r') return std::string(MessageCR);
            const std::size_t octet = k;
            if (utf8::lire(lue.argument, k) != utf8::Invalide) continue;
            if (!finLigne && entame(lue.argument.substr(octet))) return std::nullopt;
            return "the text is not valid UTF-8";
        }
        if (finLigne && c->verbe == Verbe::Touche && lue.argument.empty())
            return "type needs a text to type";
        return std::nullopt;
    }

    // key, click, dblclick: one word, blanks around it.
    const std::size_t a = reste.find_first_not_of(" \t");
    if (a == std::string_view::npos) {
        if (!finLigne) return std::nullopt;
        return std::string(nom) + (c->argument == Argument::Touche
                                       ? " needs a character or a key name"
                                       : " needs a control name");
    }
    const std::string_view argument = reste.substr(a);
    const Mot premier = mot(argument, 0, finLigne);
    lue.argument = premier.texte;
    Mot faux = premier;
    if (debutArgument(c->verbe, premier.texte)) {
        if (premier.cr) return std::string(MessageCR);
        if (!premier.fini) return std::nullopt;
        if (argumentAccepte(c->verbe, premier.texte)) {
            // Blanks may follow, then the end; a second word is wrong, quoted with the first.
            const std::size_t k = argument.find_first_not_of(" \t", premier.fin);
            if (k == std::string_view::npos) return std::nullopt;
            if (argument[k] == '\r') return std::string(MessageCR);
            faux = mot(argument, k, finLigne);
        }
    }
    const std::string_view citee = argument.substr(0, faux.fin);
    if (!citationFinale(citee, faux.fini)) return std::nullopt;
    return refusArgument(c->verbe, citee);
}

// Checks one line that has ended and gives its events to `visiteur`; what is wrong with it
// otherwise.
std::optional<std::string> lireLigne(std::string_view ligne, std::uint64_t numero,
                                     const Visiteur& visiteur, std::uint64_t& dumps)
{
    LigneLue lue;
    if (auto refus = examiner(ligne, true, lue)) return refus;
    if (lue.commande == nullptr) return std::nullopt;
    const Verbe verbe = lue.commande->verbe;
    dumps += verbe == Verbe::Dump;
    if (!visiteur) return std::nullopt;
    switch (lue.commande->argument) {
    case Argument::Aucun: visiteur({verbe, SansControle, 0, {}, numero}); break;
    case Argument::Texte:
        if (verbe == Verbe::Coller) { // an empty clipboard too
            visiteur({verbe, SansControle, 0, lue.argument, numero});
            break;
        }
        for (std::size_t i = 0; i < lue.argument.size();)
            visiteur({verbe,
                      SansControle,
                      static_cast<std::int32_t>(utf8::lire(lue.argument, i)),
                      {},
                      numero});
        break;
    case Argument::Touche:
        visiteur({verbe, SansControle, *codeTouche(lue.argument), {}, numero});
        break;
    case Argument::Controle:
        visiteur({verbe, *Session::controle(lue.argument), 0, {}, numero});
        break;
    }
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
            if (partiel.ends_with('\r')) partiel.remove_suffix(1); // perhaps the CR of a CR LF
            LigneLue lue;
            if (auto message = examiner(partiel, false, lue))
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
    std::string r = "\"";
    for (std::size_t i = 0; i < montre.size();) {
        const std::size_t debut = i;
        const char32_t p = utf8::lire(montre, i);
        if (p == '\\') {
            r += "\\\\";
        } else if (p == utf8::Invalide || p < 0x20 || p == 0x7F) { // a byte: \xNN
            r += "\\x";
            utf8::ajouterHex(static_cast<unsigned char>(montre[debut]), r);
        } else if (!visible(p)) {
            char chiffres[8];
            const auto fin =
                std::to_chars(chiffres, chiffres + sizeof chiffres, std::uint32_t{p}, 16).ptr;
            const std::string_view hexa(chiffres, static_cast<std::size_t>(fin - chiffres));
            r.append("\\u{").append(4 - std::min<std::size_t>(4, hexa.size()), '0');
            for (char c : hexa) r += static_cast<char>(c >= 'a' ? c - 'a' + 'A' : c);
            r += '}';
        } else {
            r.append(montre.substr(debut, i - debut));
        }
    }
    if (montre.size() < texte.size()) r += "…";
    return r + '"';
}

} // namespace tarvex::replay
