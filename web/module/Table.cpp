// tarvex-table FILE: the table of controls as the session's door gives it, in JSON, for the page's
// generator (web/page/construire.mjs), which lays the page out from it at build time: the
// window's title and size, and for each control its name, kind, parent, geometry in twips,
// design caption, tooltip and accessible name, colours as CSS writes them, font, whether it
// paints its background, its design visibility, availability and selection, and whether it
// takes a click or a double click.
#include <cstdio>
#include <string>

#include "Couleurs.h"
#include "EtatJson.h"
#include "core/Version.h"
#include "session/Session.h"

using namespace tarvex;

int main(int argc, char** argv)
{
    if (argc != 2) return std::fputs("usage: tarvex-table FILE\n", stderr), 2;
    using replay::nombreJson;
    using replay::texteJson;
    constexpr const char* Genres[] = {"label", "bouton", "option", "cadre", "ole"};
    std::string s = "{\"titre\":";
    texteJson(TARVEX_TITRE, s);
    const Taille t = Session::tailleFenetre();
    s += ",\"largeur\":" + std::to_string(t.largeur) + ",\"hauteur\":" + std::to_string(t.hauteur);
    s += ",\"controles\":[";
    for (IdControle c = 0; c < Session::nombreControles(); ++c) {
        const DefinitionControle& d = Session::definition(c);
        s += c == 0 ? "{" : ",\n{";
        s += "\"nom\":";
        texteJson(d.nom, s);
        s += ",\"genre\":\"" + std::string(Genres[static_cast<int>(d.genre)]) + '"';
        s += ",\"parent\":" + std::to_string(d.parent);
        s += ",\"gauche\":" + std::to_string(d.gauche) + ",\"haut\":" + std::to_string(d.haut);
        s += ",\"largeur\":" + std::to_string(d.largeur) +
             ",\"hauteur\":" + std::to_string(d.hauteur);
        for (const auto& [cle, valeur] : {std::pair{",\"legende\":", d.legende},
                                          {",\"infobulle\":", d.infobulle},
                                          {",\"nomAccessible\":", d.nomAccessible}}) {
            s += cle;
            texteJson(valeur, s);
        }
        s += ",\"texte\":\"" + web::couleurCss(d.texte) + "\",\"fond\":\"" +
             web::couleurCss(d.fond) + '"';
        s += ",\"points\":";
        nombreJson(d.police.points, s);
        const auto booleen = [&s](const char* cle, bool b) {
            s += std::string(",\"") + cle + "\":" + (b ? "true" : "false");
        };
        booleen("gras", d.police.gras);
        booleen("peintFond", d.peintFond);
        booleen("visible", d.visible);
        booleen("actif", d.actif);
        booleen("selectionne", d.selectionne);
        booleen("clic", Session::accepteClic(c));
        booleen("doubleClic", Session::accepteDoubleClic(c));
        s += '}';
    }
    s += "]}\n";
    std::FILE* f = std::fopen(argv[1], "wb");
    const bool ecrit = f != nullptr && std::fwrite(s.data(), 1, s.size(), f) == s.size();
    if (f == nullptr || std::fclose(f) != 0 || !ecrit)
        return std::fprintf(stderr, "tarvex-table: cannot write %s\n", argv[1]), 1;
    return 0;
}
