#include "Accessibilite.h"

#include <QAccessibleWidget>

#include <algorithm>
#include <string_view>

#include "Affichage.h"
#include "Dessin.h"
#include "FenetreJournal.h"

namespace tarvex {

namespace {

// The labels that show a value: the stack lines, the main display, the angle unit and the
// count of decimals.
bool montreUneValeur(const QObject* etiquette)
{
    static constexpr std::string_view Noms[] = {"Label1",       "Label2",    "Label3",
                                                "Label4",       "Label5",    "lblResultat",
                                                "lblDegRadGra", "lblChiffre"};
    return std::ranges::find(Noms, etiquette->objectName().toStdString()) != std::end(Noms);
}

// A label: its name from the table, its caption as value and as read-only text. Orca reads a
// named label by its name alone, so a label that shows a value has its caption after its name
// ("X 15").
class EtiquetteAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit EtiquetteAccessible(Etiquette* e)
        : QAccessibleWidget(e, QAccessible::StaticText), valeur_(montreUneValeur(e))
    {}

    void* interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }
    QString text(QAccessible::Text t) const override
    {
        const QString nom = widget()->accessibleName();
        if (t == QAccessible::Value) return legende() != nom ? legende() : QString();
        if (t == QAccessible::Name && valeur_ && !legende().isEmpty()) return nom + ' ' + legende();
        return QAccessibleWidget::text(t);
    }

    // QAccessibleTextInterface: the caption, without cursor or selection.
    QString text(int debut, int fin) const override { return legende().mid(debut, fin - debut); }
    int characterCount() const override { return static_cast<int>(legende().size()); }
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    int selectionCount() const override { return 0; }
    void selection(int, int* debut, int* fin) const override { *debut = *fin = 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int position, int* debut, int* fin) const override
    {
        *debut = *fin = position;
        return {};
    }

private:
    QString legende() const { return static_cast<QLabel*>(widget())->text(); }
    bool valeur_;
};

// A control whose one action runs `agir`: the angle options (a click, exactly as the mouse's)
// and the manual's icon (a double click).
class BoutonAccessible : public QAccessibleWidget {
public:
    BoutonAccessible(QWidget* w, QAccessible::Role role, std::function<void()> agir)
        : QAccessibleWidget(w, role), agir_(std::move(agir))
    {}
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        if (auto* o = dynamic_cast<Option*>(widget())) {
            s.checkable = true;
            s.checked = o->isChecked();
        }
        return s;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override
    {
        if (action == pressAction() && widget()->isEnabled()) agir_();
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    std::function<void()> agir_;
};

// The announcement: its name is what is said.
class Notification : public QWidget {
public:
    using QWidget::QWidget;
};

void (*ecouteur_)(QAccessibleEvent*) = nullptr;

void envoyer(QAccessibleEvent& evenement)
{
    QAccessible::updateAccessibility(&evenement);
    if (ecouteur_ != nullptr) ecouteur_(&evenement);
}

QAccessibleInterface* fabrique(const QString&, QObject* objet)
{
    if (auto* n = dynamic_cast<Notification*>(objet))
        return new QAccessibleWidget(n, QAccessible::Notification);
    if (auto* a = dynamic_cast<Annonceur*>(objet))
        return new QAccessibleWidget(a, QAccessible::StatusBar);
    if (auto* e = dynamic_cast<Etiquette*>(objet)) return new EtiquetteAccessible(e);
    if (auto* o = dynamic_cast<Option*>(objet))
        return new BoutonAccessible(o, QAccessible::RadioButton, [o] { o->click(); });
    if (auto* i = dynamic_cast<IconeManuel*>(objet))
        return new BoutonAccessible(i, QAccessible::Button, [i] { i->ouvrir(); });
    if (auto* c = dynamic_cast<Cadre*>(objet))
        return new QAccessibleWidget(c, QAccessible::Grouping);
    if (dynamic_cast<Affichage*>(objet) || dynamic_cast<FenetreJournal*>(objet))
        return new QAccessibleWidget(static_cast<QWidget*>(objet), QAccessible::Window);
    return nullptr;
}

} // namespace

void installerAccessibilite()
{
    static const bool installee = (QAccessible::installFactory(fabrique), true);
    (void)installee;
}

void signalerTexte(QWidget* etiquette, const QString& avant, const QString& apres)
{
    if (!QAccessible::isActive() && ecouteur_ == nullptr) return;
    QAccessibleTextUpdateEvent evenement(etiquette, 0, avant, apres);
    envoyer(evenement);
    QAccessibleEvent nom(etiquette, QAccessible::NameChanged); // when it holds the caption
    QAccessible::updateAccessibility(&nom);
}

void ecouterAnnonces(void (*ecouteur)(QAccessibleEvent*)) { ecouteur_ = ecouteur; }

Annonceur::Annonceur(QWidget* fenetre) : QWidget(fenetre), notification_(new Notification(this))
{
    setObjectName("Annonceur");
    setFocusPolicy(Qt::NoFocus);
    setGeometry(0, 0, 0, 0);
    notification_->setGeometry(0, 0, 0, 0);
}

void Annonceur::dire(const QString& texte)
{
    if (texte.isEmpty() || (!QAccessible::isActive() && ecouteur_ == nullptr)) return;
    notification_->setAccessibleName(texte);
    // Shown again, as far as assistive technology knows: the one event that makes it speak.
    QAccessibleEvent montree(notification_, QAccessible::ObjectShow);
    envoyer(montree);
}

} // namespace tarvex
