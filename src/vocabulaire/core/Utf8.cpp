// Character counting over UTF-8. A byte that does not start a well-formed sequence counts
// as one character on its own, so malformed text is still cut without reading past its end.
#include "core/Utf8.h"

#include <cstddef>

namespace tarvex::utf8 {

namespace {

bool dans(unsigned char c, unsigned char bas, unsigned char haut) { return c >= bas && c <= haut; }

// Length of the well-formed sequence starting at s[i], 0 when there is none.
std::size_t sequence(std::string_view s, std::size_t i)
{
    const std::size_t reste = s.size() - i;
    const auto octet = [&](std::size_t k) { return static_cast<unsigned char>(s[i + k]); };
    const unsigned char c = octet(0);
    if (c < 0x80) {
        return 1;
    }
    if (dans(c, 0xC2, 0xDF)) {
        return reste >= 2 && dans(octet(1), 0x80, 0xBF) ? 2 : 0;
    }
    if (dans(c, 0xE0, 0xEF)) {
        // No overlong form (E0 needs A0..BF), no surrogate (ED needs 80..9F).
        const unsigned char bas = c == 0xE0 ? 0xA0 : 0x80;
        const unsigned char haut = c == 0xED ? 0x9F : 0xBF;
        return reste >= 3 && dans(octet(1), bas, haut) && dans(octet(2), 0x80, 0xBF) ? 3 : 0;
    }
    if (dans(c, 0xF0, 0xF4)) {
        // No overlong form (F0 needs 90..BF), nothing beyond U+10FFFF (F4 needs 80..8F).
        const unsigned char bas = c == 0xF0 ? 0x90 : 0x80;
        const unsigned char haut = c == 0xF4 ? 0x8F : 0xBF;
        return reste >= 4 && dans(octet(1), bas, haut) && dans(octet(2), 0x80, 0xBF) &&
                       dans(octet(3), 0x80, 0xBF)
                   ? 4
                   : 0;
    }
    return 0;
}

// Length in bytes of the character starting at s[i] (i < s.size()).
std::size_t taille(std::string_view s, std::size_t i)
{
    const std::size_t n = sequence(s, i);
    return n == 0 ? 1 : n;
}

// Byte offset after the first n characters (n >= 0), or s.size() when the text is shorter.
std::size_t avancer(std::string_view s, int n)
{
    std::size_t i = 0;
    for (; n > 0 && i < s.size(); --n) {
        i += taille(s, i);
    }
    return i;
}

} // namespace

int longueur(std::string_view s)
{
    int n = 0;
    for (std::size_t i = 0; i < s.size(); i += taille(s, i)) {
        ++n;
    }
    return n;
}

std::string_view gauche(std::string_view s, int n)
{
    return n <= 0 ? std::string_view{} : s.substr(0, avancer(s, n));
}

std::string_view droite(std::string_view s, int n)
{
    if (n <= 0) {
        return {};
    }
    const int total = longueur(s);
    return n >= total ? s : s.substr(avancer(s, total - n));
}

std::string_view caractere(std::string_view s, int i)
{
    if (i < 1) {
        return {};
    }
    const std::size_t debut = avancer(s, i - 1);
    if (debut >= s.size()) {
        return {};
    }
    return s.substr(debut, taille(s, debut));
}

bool valide(std::string_view s)
{
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t n = sequence(s, i);
        if (n == 0) {
            return false;
        }
        i += n;
    }
    return true;
}

char32_t lire(std::string_view s, std::size_t& i)
{
    const std::size_t n = sequence(s, i);
    if (n == 0) {
        ++i;
        return Invalide;
    }
    // The lead byte keeps 7, 5, 4 or 3 bits; each continuation byte 6.
    static constexpr unsigned char Masque[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
    char32_t p = static_cast<unsigned char>(s[i]) & Masque[n];
    for (std::size_t k = 1; k < n; ++k) {
        p = (p << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    }
    i += n;
    return p;
}

void ecrire(char32_t p, std::string& sortie)
{
    if (p < 0x80) {
        sortie += static_cast<char>(p);
        return;
    }
    static constexpr unsigned Tete[] = {0, 0xC0, 0xE0, 0xF0}; // by the number of bytes after it
    const int suite = p < 0x800 ? 1 : p < 0x10000 ? 2 : 3;
    sortie += static_cast<char>(Tete[suite] | (p >> (6 * suite)));
    for (int k = suite; k-- > 0;) {
        sortie += static_cast<char>(0x80 | ((p >> (6 * k)) & 0x3F));
    }
}

std::string_view sansBlancs(std::string_view texte, std::span<const std::string_view> blancs,
                            bool gauche, bool droite)
{
    for (bool retire = true; retire;) {
        retire = false;
        for (std::string_view b : blancs) {
            if (gauche && texte.starts_with(b)) texte.remove_prefix(b.size()), retire = true;
            if (droite && texte.ends_with(b)) texte.remove_suffix(b.size()), retire = true;
        }
    }
    return texte;
}

void ajouterHex(unsigned char octet, std::string& sortie, bool minuscules)
{
    const char* chiffres = minuscules ? "0123456789abcdef" : "0123456789ABCDEF";
    sortie += chiffres[octet >> 4];
    sortie += chiffres[octet & 0xF];
}

} // namespace tarvex::utf8
