// The page's door to the calculator: the session's functions as C functions for the page's
// script (web/page/page.js), over a session the page opens. A text comes back as a pointer to
// UTF-8 that stays valid until the next call on the same page.
#include <cstdint>
#include <string>
#include <vector>

#include "Couleurs.h"
#include "session/Session.h"

#define EXPORTEE extern "C" __attribute__((used))

using namespace tarvex;

namespace {

struct Page {
    Session session;
    // What the events since the page last asked changed: a key press of several characters
    // is several events.
    std::vector<IdControle> controles;
    int bips = 0, manuels = 0;
    bool journal = false;
    std::string annonce; // the last event's
    std::string texte;   // the last text given out that the session does not keep
    std::vector<SousMenu> menu;
};

const char* texte(Page* p, std::string_view s)
{
    p->texte.assign(s);
    return p->texte.c_str();
}

} // namespace

EXPORTEE Page* tv_ouvrir()
{
    auto* p = new Page;
    p->session.ecouter([p](const Changements& c) {
        p->controles.insert(p->controles.end(), c.controles.begin(), c.controles.end());
        p->bips += c.bips;
        p->manuels += c.manuels;
        p->journal = p->journal || c.journal;
        p->annonce = c.annonce;
    });
    return p;
}
EXPORTEE void tv_fermer(Page* p) { delete p; }

// --- The controls by design --------------------------------------------------------------
EXPORTEE int tv_nombre() { return Session::nombreControles(); }
EXPORTEE const char* tv_nom(Page* p, int c) { return texte(p, Session::definition(c).nom); }
EXPORTEE const char* tv_couleur(Page* p, std::uint32_t c) { return texte(p, web::couleurCss(c)); }

// --- Events --------------------------------------------------------------------------------
EXPORTEE int tv_cliquer(Page* p, int c) { return p->session.cliquer(c); }
EXPORTEE int tv_double_cliquer(Page* p, int c) { return p->session.doubleCliquer(c); }
EXPORTEE void tv_appuyer(Page* p, std::int32_t code) { p->session.appuyer(code); }
EXPORTEE int tv_coller(Page* p, const char* t) { return p->session.coller(t); }
EXPORTEE int tv_annuler(Page* p) { return p->session.annuler(); }
EXPORTEE int tv_retablir(Page* p) { return p->session.retablir(); }
EXPORTEE void tv_effacer_journal(Page* p) { p->session.effacerJournal(); }

// What changed since the page last asked; tv_oublier starts the count again.
EXPORTEE int tv_nb_changes(Page* p) { return static_cast<int>(p->controles.size()); }
EXPORTEE const int* tv_changes(Page* p) { return p->controles.data(); }
EXPORTEE int tv_bips(Page* p) { return p->bips; }
EXPORTEE int tv_manuels(Page* p) { return p->manuels; }
EXPORTEE int tv_journal_change(Page* p) { return p->journal; }
EXPORTEE const char* tv_annonce(Page* p) { return p->annonce.c_str(); }
EXPORTEE void tv_oublier(Page* p)
{
    p->controles.clear();
    p->bips = p->manuels = 0;
    p->journal = false;
    p->annonce.clear();
}

// --- What the calculator shows -------------------------------------------------------------
EXPORTEE const char* tv_legende(Page* p, int c) { return p->session.etat(c).legende.c_str(); }
EXPORTEE const char* tv_infobulle(Page* p, int c) { return p->session.etat(c).infobulle.c_str(); }
EXPORTEE int tv_visible(Page* p, int c) { return p->session.etat(c).visible; }
EXPORTEE int tv_actif(Page* p, int c) { return p->session.etat(c).actif; }
EXPORTEE std::uint32_t tv_fond(Page* p, int c) { return p->session.etat(c).fond; }
EXPORTEE int tv_selection(Page* p, int c) { return p->session.etat(c).selectionne; }
EXPORTEE const char* tv_nom_accessible(Page* p, int c)
{
    return texte(p, p->session.nomAccessible(c));
}
EXPORTEE int tv_focus(Page* p) { return p->session.focus(); }
EXPORTEE const char* tv_copier(Page* p) { return texte(p, p->session.copier()); }
EXPORTEE const char* tv_texte_niveau(Page* p, int niveau)
{
    return texte(p, p->session.texteNiveau(niveau));
}
EXPORTEE const char* tv_affichage(Page* p) { return texte(p, p->session.affichage()); }
// A stack cell: its number, or its message (empty for a number).
EXPORTEE double tv_pile(Page* p, int niveau)
{
    return p->session.etat().Pile[static_cast<std::size_t>(niveau)].nombreBrut();
}
EXPORTEE const char* tv_pile_texte(Page* p, int niveau)
{
    const Cellule& c = p->session.etat().Pile[static_cast<std::size_t>(niveau)];
    return c.estTexte() ? c.texteBrut().c_str() : "";
}

// --- The display's menu of the controls without a key: tv_menu takes it as it is now ----
EXPORTEE int tv_menu(Page* p)
{
    p->menu = p->session.menuControles();
    return static_cast<int>(p->menu.size());
}
EXPORTEE const char* tv_menu_titre(Page* p, int i) { return p->menu[i].titre.c_str(); }
EXPORTEE int tv_menu_taille(Page* p, int i) { return static_cast<int>(p->menu[i].elements.size()); }
EXPORTEE int tv_menu_controle(Page* p, int i, int j) { return p->menu[i].elements[j].controle; }
EXPORTEE const char* tv_menu_nom(Page* p, int i, int j)
{
    return p->menu[i].elements[j].nom.c_str();
}
EXPORTEE const char* tv_menu_symbole(Page* p, int i, int j)
{
    return p->menu[i].elements[j].symbole.c_str();
}
// 1: available, 2: a choice, 4: the current choice.
EXPORTEE int tv_menu_etat(Page* p, int i, int j)
{
    const ElementMenu& e = p->menu[i].elements[j];
    return e.actif | e.choix << 1 | e.coche << 2;
}

// --- The journal ----------------------------------------------------------------------------
EXPORTEE int tv_journal_taille(Page* p) { return static_cast<int>(p->session.journal().taille()); }
EXPORTEE double tv_journal_ajoutees(Page* p)
{
    return static_cast<double>(p->session.journal().ajoutees());
}
EXPORTEE const char* tv_journal_touche(Page* p, int i)
{
    return p->session.journal()[static_cast<std::size_t>(i)].touche.c_str();
}
EXPORTEE const char* tv_journal_affichage(Page* p, int i)
{
    return p->session.journal()[static_cast<std::size_t>(i)].affichage.c_str();
}
EXPORTEE const char* tv_journal_texte(Page* p) { return texte(p, p->session.journal().texte()); }
