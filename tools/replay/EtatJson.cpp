// The calculator state and the control model as one line of JSON.
#include "EtatJson.h"

#include "core/Couleur.h"
#include "core/Nombres.h"
#include "core/Utf8.h"

#include <array>
#include <charconv>
#include <cmath>
#include <concepts>

namespace tarvex::replay {

namespace {

// Writes the members of one object: `"nom":` before each value, the commas between them.
class Objet {
public:
    explicit Objet(std::string& s) : s_(s) { s_ += '{'; }
    ~Objet() { s_ += '}'; }
    Objet(const Objet&) = delete;
    Objet& operator=(const Objet&) = delete;

    std::string& membre(std::string_view nom)
    {
        if (!premier_) s_ += ',';
        premier_ = false;
        texteJson(nom, s_);
        s_ += ':';
        return s_;
    }
    void entier(std::string_view nom, long v) { ecrireEntier(membre(nom), v); }
    void texte(std::string_view nom, std::string_view t) { texteJson(t, membre(nom)); }
    void booleen(std::string_view nom, bool b) { membre(nom) += b ? "true" : "false"; }

    static void ecrireEntier(std::string& s, long v)
    {
        char t[24];
        s.append(t, std::to_chars(t, t + sizeof t, v).ptr);
    }

private:
    std::string& s_;
    bool premier_ = true;
};

void controle(const DefinitionControle& def, const EtatControle& etat, std::string& s)
{
    Objet o(s);
    o.texte("caption", etat.legende);
    o.texte("tooltip", etat.infobulle);
    o.booleen("visible", etat.visible);
    o.booleen("enabled", etat.actif);
    o.texte("background", nomCouleur(etat.fond));
    if (def.genre == Genre::Option) o.booleen("selected", etat.selectionne);
}

// A field of the record as JSON: a cell as a number or a string, an array of them, a text, a
// boolean or an integer.
void valeur(double v, bool, std::string& s) { nombreJson(v, s); }
void valeur(const std::string& t, bool, std::string& s) { texteJson(t, s); }
void valeur(const Cellule& c, bool, std::string& s)
{
    if (c.estTexte())
        texteJson(c.texteBrut(), s);
    else
        nombreJson(c.nombreBrut(), s);
}
template <std::integral T>
void valeur(T v, bool booleen, std::string& s)
{
    if (booleen)
        s += v != 0 ? "true" : "false";
    else
        Objet::ecrireEntier(s, v);
}
template <class T, std::size_t N>
void valeur(const std::array<T, N>& a, bool, std::string& s)
{
    for (char sep = '['; const T& v : a) {
        s += sep;
        sep = ',';
        valeur(v, false, s);
    }
    s += ']';
}

} // namespace

void nombreJson(double v, std::string& sortie)
{
    if (std::isnan(v)) {
        sortie += "\"NaN\"";
    } else if (std::isinf(v)) {
        sortie += v > 0 ? "\"Infinity\"" : "\"-Infinity\"";
    } else if (v == 0.0 && std::signbit(v)) {
        sortie += "-0.0"; // "-0" would read back as the integer 0
    } else {
        char t[32];
        sortie.append(t, nombres::ecrireCourt(t, v));
    }
}

void texteJson(std::string_view texte, std::string& sortie)
{
    sortie += '"';
    for (std::size_t i = 0; i < texte.size();) {
        const std::size_t debut = i;
        const char32_t p = utf8::lire(texte, i);
        if (p == utf8::Invalide) {
            sortie += "\uFFFD";
        } else if (p == '"' || p == '\\') {
            sortie += '\\';
            sortie += static_cast<char>(p);
        } else if (p < 0x20) {
            sortie += "\\u00";
            utf8::ajouterHex(static_cast<unsigned char>(p), sortie, true);
        } else {
            sortie.append(texte.substr(debut, i - debut));
        }
    }
    sortie += '"';
}

void etatJson(const Session& session, std::string_view pressePapier, std::string_view localeNumeric,
              std::string& sortie)
{
    const EtatCalculatrice& e = session.etat();
    sortie.clear();
    Objet o(sortie);

    pourChaqueChamp(
        [&](const auto& champ) { valeur(e.*champ.membre, champ.booleen, o.membre(champ.nom)); });
    {
        Objet controles(o.membre("controls"));
        for (IdControle c = 0; c < Session::nombreControles(); ++c) {
            const DefinitionControle& def = Session::definition(c);
            controle(def, session.etat(c), controles.membre(def.nom));
        }
    }
    o.texte("focus", Session::definition(session.focus()).nom);
    o.entier("beeps", session.bips());
    o.entier("manualOpened", session.manuelsOuverts());
    o.texte("PressePapier", pressePapier);
    o.entier("undoDepth", session.annulables());
    o.entier("redoDepth", session.retablissables());
    o.texte("localeNumeric", localeNumeric);
    o.texte("annonce", session.changements().annonce);
}

} // namespace tarvex::replay
