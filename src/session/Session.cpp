// The session: the calculator behind it, the undo history and the journal around each event,
// and the notification after it.
#include "session/Session.h"

#include <algorithm>

#include "Collage.h"
#include "Historique.h"
#include "core/Calculatrice.h"
#include "core/Format.h"
#include "core/Utf8.h"

namespace tarvex {

namespace {

Ctl ctl(IdControle c) { return static_cast<Ctl>(c); }
bool existe(IdControle c) { return c >= 0 && static_cast<std::size_t>(c) < nombreControles(); }

} // namespace

struct Session::Interieur {
    Calculatrice calc;
    Historique historique{calc};
    Journal journal;
    std::string touche; // the journal's name of the key pressed

    std::function<void(const Changements&)> ecouteur;
    Changements changements;
    // What the last notification had told.
    long bips = 0, manuels = 0;
    Ctl focus = calc.controles().focus();
    std::size_t lignes = 0;
};

namespace {

// The main display shows the entry as typed: as many characters as it counts, all of the
// entry's own (a prompt or a message written over the entry is no entry).
bool saisieAffichee(const EtatCalculatrice& e, std::string_view affichage)
{
    return e.NbCaracteres > 0 && affichage.size() == static_cast<std::size_t>(e.NbCaracteres) &&
           affichage.find_first_not_of("0123456789.E+-") == std::string_view::npos;
}

// What a screen reader is told after an event that neither beeped nor asked for the manual
// (Changements::annonce).
void annonce(const EtatCalculatrice& e, const std::string& affichage, bool retour,
             std::string& sortie)
{
    sortie.clear();
    if (!retour && saisieAffichee(e, affichage)) return;
    const Cellule& x = e.X();
    if (!affichage.empty() &&
        (x.estTexte() || affichage != formaterMotif(x.nombreBrut(), e.FormatAffichage)))
        sortie = affichage;
    else if (x.estTexte())
        sortie = x.texteBrut();
    else
        texteGeneral(x.nombreBrut(), sortie);
}

} // namespace

Session::Session() : d_(std::make_unique<Interieur>()) {}
Session::~Session() = default;

Taille Session::tailleFenetre() { return tarvex::tailleFenetre(); }
int Session::nombreControles() { return static_cast<int>(tarvex::nombreControles()); }

std::optional<IdControle> Session::controle(std::string_view nom)
{
    const std::optional<Ctl> c = controleParNom(nom);
    if (!c) return std::nullopt;
    return static_cast<IdControle>(indice(*c));
}

const DefinitionControle& Session::definition(IdControle c) { return tarvex::definition(ctl(c)); }
bool Session::accepteClic(IdControle c) { return existe(c) && tarvex::accepteClic(ctl(c)); }
bool Session::accepteDoubleClic(IdControle c) { return existe(c) && ctl(c) == Ctl::OLE1; }

void Session::conclure(std::string_view prefixe, std::string_view touche)
{
    Calculatrice& calc = d_->calc;
    Historique& h = d_->historique;
    if (h.change(calc)) {
        LigneJournal& ligne = d_->journal.ajouter();
        ligne.touche.assign(prefixe).append(touche);
        ligne.affichage = calc.controles()[Ctl::lblResultat].legende;
        h.enregistrer(calc);
    }
    annoncer(true);
}

void Session::annoncer(bool compare, bool retour)
{
    Interieur& d = *d_;
    const ModeleControles& v = d.calc.controles();
    Changements& c = d.changements;
    c.controles.clear();
    if (compare)
        for (Ctl k : d.historique.changes())
            c.controles.push_back(static_cast<IdControle>(indice(k)));
    c.focus = v.focus() != d.focus;
    c.bips = static_cast<int>(v.bips() - d.bips);
    c.manuels = static_cast<int>(v.manuelsOuverts() - d.manuels);
    c.journal = d.journal.ajoutees() != d.lignes;
    if (c.bips > 0 || c.manuels > 0)
        c.annonce.clear();
    else
        annonce(d.calc.etat(), v[Ctl::lblResultat].legende, retour, c.annonce);
    d.focus = v.focus();
    d.bips = v.bips();
    d.manuels = v.manuelsOuverts();
    d.lignes = d.journal.ajoutees();
    if (d.ecouteur) d.ecouteur(c);
}

bool Session::cliquer(IdControle c)
{
    if (!existe(c) || !d_->calc.cliquer(ctl(c))) return false;
    conclure({}, d_->historique.enregistre(ctl(c)).legende); // the caption when it was pressed
    return true;
}

bool Session::doubleCliquer(IdControle c)
{
    if (!existe(c) || !d_->calc.doubleCliquer(ctl(c))) return false;
    conclure({}, d_->historique.enregistre(ctl(c)).legende);
    return true;
}

void Session::appuyer(std::int32_t code)
{
    d_->calc.Form_KeyPress(code);
    // The key as the journal names it: Return and Escape by name, a character as itself.
    std::string& touche = d_->touche;
    touche.clear();
    if (code == 13)
        touche = "Entrée";
    else if (code == 27)
        touche = "Échap";
    else
        utf8::ecrire(static_cast<char32_t>(code), touche);
    conclure({}, touche);
}

bool Session::coller(std::string_view texte)
{
    Calculatrice& calc = d_->calc;
    const std::optional<double> valeur = lireCollage(texte);
    if (!valeur || calc.etat().ModeTouche != ModeNormal) {
        calc.bip();
        annoncer(false);
        return false;
    }
    calc.coller(*valeur);
    conclure("Coller ", sansBlancsAutour(texte));
    return true;
}

std::string Session::copier() const
{
    if (etat().NbCaracteres > 0) return std::string(affichage());
    return texteNiveau(IdxX);
}

std::string Session::texteNiveau(int niveau) const
{
    const Cellule& c = etat().Pile[static_cast<std::size_t>(niveau)];
    return c.estTexte() ? c.texteBrut() : texteCopie(c.nombreBrut());
}

bool Session::annuler() { return revenir(true); }
bool Session::retablir() { return revenir(false); }

bool Session::revenir(bool arriere)
{
    Calculatrice& calc = d_->calc;
    Historique& h = d_->historique;
    if (!(arriere ? h.annuler(calc) : h.retablir(calc))) {
        calc.bip();
        annoncer(false);
        return false;
    }
    LigneJournal& ligne = d_->journal.ajouter();
    ligne.touche = arriere ? "Annuler" : "Rétablir";
    ligne.affichage = calc.controles()[Ctl::lblResultat].legende;
    annoncer(true, true);
    return true;
}

int Session::annulables() const { return d_->historique.annulables(); }
int Session::retablissables() const { return d_->historique.retablissables(); }

void Session::ecouter(std::function<void(const Changements&)> ecouteur)
{
    d_->ecouteur = std::move(ecouteur);
}
const Changements& Session::changements() const { return d_->changements; }

std::string_view Session::affichage() const { return etat(indice(Ctl::lblResultat)).legende; }

std::string_view Session::lignePile(int niveau) const
{
    return etat(static_cast<IdControle>(indice(Ctl::Label1)) + niveau).legende;
}

std::string_view Session::libelleFormat() const
{
    const ModeleControles& v = d_->calc.controles();
    return v[Ctl::lblfixe].visible ? v[Ctl::lblfixe].legende : v[Ctl::lblscien].legende;
}

std::string_view Session::decimales() const { return etat(indice(Ctl::lblChiffre)).legende; }
std::string_view Session::libelleAngle() const { return etat(indice(Ctl::lblDegRadGra)).legende; }

const EtatControle& Session::etat(IdControle c) const { return d_->calc.controles()[ctl(c)]; }
std::string_view Session::nomAccessible(IdControle c) const
{
    return tarvex::nomAccessible(ctl(c), etat(c).legende);
}
IdControle Session::focus() const
{
    return static_cast<IdControle>(indice(d_->calc.controles().focus()));
}
long Session::bips() const { return d_->calc.controles().bips(); }
long Session::manuelsOuverts() const { return d_->calc.controles().manuelsOuverts(); }

namespace {

// The caption of a symbol key where it says more than the key's name ("Sqr" beside "Racine
// carrée de X"), without its blanks.
std::string symbole(std::string_view legende, std::string_view nom)
{
    static constexpr std::string_view Blanc[] = {" "};
    const std::string s(utf8::sansBlancs(legende, Blanc));
    const auto pareil = [](char a, char b) {
        const auto bas = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        return bas(a) == bas(b);
    };
    return std::equal(s.begin(), s.end(), nom.begin(), nom.end(), pareil) ? std::string() : s;
}

} // namespace

std::vector<SousMenu> Session::menuControles() const
{
    const ModeleControles& v = d_->calc.controles();
    std::vector<SousMenu> menus;
    for (const GroupeMenu& g : groupesMenu()) {
        SousMenu& m = menus.emplace_back();
        m.titre = g.titre.empty() ? v[g.cadre].legende : std::string(g.titre);
        for (Ctl c : g.controles) {
            const EtatControle& e = v[c];
            const std::string_view nom = tarvex::nomAccessible(c, e.legende);
            const bool choix = g.sorte == GroupeMenu::Sorte::Choix;
            // The format in use is told by its label, the angle unit by its option.
            const bool coche = c == Ctl::cmdScient ? v[Ctl::lblscien].visible
                               : c == Ctl::cmdFixe ? v[Ctl::lblfixe].visible
                                                   : e.selectionne;
            m.elements.push_back(
                {static_cast<IdControle>(indice(c)), std::string(nom),
                 g.sorte == GroupeMenu::Sorte::Symboles ? symbole(e.legende, nom) : std::string(),
                 e.actif && e.visible, choix, choix && coche});
        }
    }
    return menus;
}

const EtatCalculatrice& Session::etat() const { return d_->calc.etat(); }
const Journal& Session::journal() const { return d_->journal; }
void Session::effacerJournal() { d_->journal.effacer(); }

} // namespace tarvex
