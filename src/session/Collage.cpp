// Reading a pasted text as a number: the text is brought to the one grammar of the entry line
// ("-", digits, ".", "E", a sign, digits), which lireEntree then converts.
#include "Collage.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>

#include "core/Echec.h"
#include "core/Utf8.h"
#include "entry/Lecture.h"

namespace tarvex {

namespace {

constexpr std::size_t LongueurMaximale = 64; // characters, blanks around the text aside
constexpr char Separateur = '_';             // a blank or an apostrophe inside the text

constexpr std::array<std::string_view, 6> Blancs{" ", "\t", "\r", "\n", "\u00A0", "\u202F"};

bool chiffre(char c) { return c >= '0' && c <= '9'; }
bool chiffres(std::string_view s)
{
    for (char c : s)
        if (!chiffre(c)) return false;
    return true;
}

// The text as one ASCII symbol per character: digits, ".", ",", "E", "+", "-", and
// Separateur; nothing when a character is none of those or the text is too long.
std::optional<std::string> symboles(std::string_view texte)
{
    static constexpr std::pair<std::string_view, char> Autres[] = {
        {"\u2212", '-'}, {"\u00A0", Separateur}, {"\u202F", Separateur}};
    std::string s;
    while (!texte.empty()) {
        if (s.size() == LongueurMaximale) return std::nullopt;
        const char c = texte.front();
        std::size_t lus = 1;
        if (chiffre(c) || c == '.' || c == ',' || c == '+' || c == '-') {
            s += c;
        } else if (c == 'E' || c == 'e') {
            s += 'E';
        } else if (c == ' ' || c == '\'') {
            s += Separateur;
        } else {
            lus = 0;
            for (const auto& [utf8, symbole] : Autres)
                if (texte.starts_with(utf8)) s += symbole, lus = utf8.size();
            if (lus == 0) return std::nullopt;
        }
        texte.remove_prefix(lus);
    }
    return s;
}

// The digits of an integer part whose groups are cut by Separateur: the first group of one to
// three digits, every later one of exactly three. Without any separator, any digits.
std::optional<std::string> entiers(std::string_view partie)
{
    if (partie.find(Separateur) == std::string_view::npos) {
        if (!chiffres(partie)) return std::nullopt;
        return std::string(partie);
    }
    std::string n;
    for (bool premier = true;; premier = false) {
        const std::size_t fin = partie.find(Separateur);
        const std::string_view g = partie.substr(0, fin);
        if (g.empty() || !chiffres(g) || (premier ? g.size() > 3 : g.size() != 3))
            return std::nullopt;
        n += g;
        if (fin == std::string_view::npos) return n;
        partie.remove_prefix(fin + 1);
    }
}

} // namespace

std::string_view sansBlancsAutour(std::string_view texte)
{
    return utf8::sansBlancs(texte, Blancs);
}

std::optional<double> lireCollage(std::string_view texte)
{
    const std::optional<std::string> s = symboles(sansBlancsAutour(texte));
    if (!s) return std::nullopt;
    std::string_view reste = *s;
    std::string nombre;
    if (reste.starts_with('+') || reste.starts_with('-')) {
        if (reste.front() == '-') nombre += '-';
        reste.remove_prefix(1);
    }

    // Exponent: "E", an optional sign, at least one digit.
    std::string exposant = "E+";
    if (const std::size_t e = reste.find('E'); e != std::string_view::npos) {
        std::string_view x = reste.substr(e + 1);
        if (x.starts_with('+') || x.starts_with('-')) {
            exposant[1] = x.front();
            x.remove_prefix(1);
        }
        if (x.empty() || !chiffres(x)) return std::nullopt;
        exposant += x;
        reste = reste.substr(0, e);
    } else {
        exposant += '0';
    }

    // The decimal sign and the group separator among "." and ",".
    const std::size_t points = std::count(reste.begin(), reste.end(), '.');
    const std::size_t virgules = std::count(reste.begin(), reste.end(), ',');
    char decimal = 0, groupe = 0;
    if (points > 0 && virgules > 0) {
        const bool pointDernier = reste.rfind('.') > reste.rfind(',');
        decimal = pointDernier ? '.' : ',';
        groupe = pointDernier ? ',' : '.';
    } else if (points + virgules == 1) {
        decimal = points ? '.' : ',';
    } else if (points + virgules > 1) {
        groupe = points ? '.' : ',';
    }
    std::string_view fraction;
    if (decimal != 0) {
        const std::size_t d = reste.find(decimal);
        fraction = reste.substr(d + 1);
        reste = reste.substr(0, d);
        if (!chiffres(fraction)) return std::nullopt; // a second decimal sign among them
    }
    std::string partie(reste);
    for (char& c : partie)
        if (c == groupe) c = Separateur;
    const std::optional<std::string> entier = entiers(partie);
    if (!entier || entier->size() + fraction.size() == 0) return std::nullopt;

    nombre += entier->empty() ? "0" : *entier;
    if (!fraction.empty()) {
        nombre += '.';
        nombre += fraction;
    }
    nombre += exposant;
    try {
        return lireEntree(nombre);
    } catch (const Echec&) {
        return std::nullopt; // beyond the largest double
    }
}

} // namespace tarvex
