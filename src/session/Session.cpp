// The session: the calculator behind it, the undo history and the journal around each event.
#include "session/Session.h"

#include "core/Calculatrice.h"
#include "core/Format.h"
#include "core/Utf8.h"
#include "session/Collage.h"
#include "session/Historique.h"

namespace tarvex {

struct Session::Interieur {
    Calculatrice calc;
    Historique historique{calc.etat(), calc.controles()};
    Journal journal;
    std::string touche; // the journal's name of the key pressed
};

Session::Session() : d_(std::make_unique<Interieur>()) {}
Session::~Session() = default;

void Session::conclure(std::string_view prefixe, std::string_view touche)
{
    Calculatrice& calc = d_->calc;
    if (!d_->historique.change(calc.e_, calc.v_)) return;
    LigneJournal& ligne = d_->journal.ajouter();
    ligne.touche.assign(prefixe).append(touche);
    ligne.affichage = calc.v_[Ctl::lblResultat].legende;
    d_->historique.enregistrer(calc.e_, calc.v_);
}

bool Session::cliquer(Ctl c)
{
    if (!d_->calc.cliquer(c)) return false;
    conclure({}, d_->historique.enregistre(c).legende); // the caption when it was pressed
    return true;
}

bool Session::doubleCliquer(Ctl c)
{
    if (!d_->calc.doubleCliquer(c)) return false;
    conclure({}, d_->historique.enregistre(c).legende);
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
    if (!valeur || calc.e_.ModeTouche != ModeNormal) {
        calc.v_.bip();
        return false;
    }
    calc.coller(*valeur);
    conclure("Coller ", sansBlancsAutour(texte));
    return true;
}

std::string Session::copier() const
{
    if (etat().NbCaracteres > 0) return controles()[Ctl::lblResultat].legende;
    return texteNiveau(IdxX);
}

std::string Session::texteNiveau(int niveau) const
{
    const Cellule& c = etat().Pile[static_cast<std::size_t>(niveau)];
    return c.estTexte() ? c.texteBrut() : texteGeneral(c.nombreBrut());
}

bool Session::annuler() { return revenir(true); }
bool Session::retablir() { return revenir(false); }

bool Session::revenir(bool arriere)
{
    Calculatrice& calc = d_->calc;
    Historique& h = d_->historique;
    if (!(arriere ? h.annuler(calc.e_, calc.v_) : h.retablir(calc.e_, calc.v_))) {
        calc.v_.bip();
        return false;
    }
    LigneJournal& ligne = d_->journal.ajouter();
    ligne.touche = arriere ? "Annuler" : "Rétablir";
    ligne.affichage = calc.v_[Ctl::lblResultat].legende;
    return true;
}

int Session::annulables() const { return d_->historique.annulables(); }
int Session::retablissables() const { return d_->historique.retablissables(); }
const EtatCalculatrice& Session::etat() const { return d_->calc.etat(); }
const ModeleControles& Session::controles() const { return d_->calc.controles(); }
const Journal& Session::journal() const { return d_->journal; }
void Session::effacerJournal() { d_->journal.effacer(); }

} // namespace tarvex
