// The journal's window: a list over the session's journal, kept in step line by line so that
// a selection survives the events that follow it.
#include "FenetreJournal.h"

#include <QAbstractTableModel>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>
#include <QScreen>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTreeView>
#include <QVBoxLayout>

#include "Apparence.h"
#include "session/Session.h"

namespace tarvex {

// The journal's lines as two columns. Row r is the line numbered debut_ + r among all the
// lines ever added to the journal (Journal::ajoutees), so that the lines it drops and the
// lines it adds are removed and inserted as such.
class ModeleJournal : public QAbstractTableModel {
public:
    ModeleJournal(const Journal& journal, QObject* parent)
        : QAbstractTableModel(parent), journal_(journal)
    {}

    int rowCount(const QModelIndex& parent) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(fin_ - debut_);
    }
    int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : 2; }
    QVariant data(const QModelIndex& index, int role) const override
    {
        const LigneJournal* l = ligne(index.row());
        if (l == nullptr || (role != Qt::DisplayRole && role != Qt::ToolTipRole)) return {};
        return qtexte(index.column() == 0 ? l->touche : l->affichage);
    }
    QVariant headerData(int section, Qt::Orientation sens, int role) const override
    {
        if (sens != Qt::Horizontal || role != Qt::DisplayRole) return {};
        return section == 0 ? QStringLiteral("Touche") : QStringLiteral("Affichage");
    }

    // The journal's line shown in row r; none while the list is not in step.
    const LigneJournal* ligne(int r) const
    {
        const std::size_t premiere = journal_.ajoutees() - journal_.taille();
        const std::size_t n = debut_ + static_cast<std::size_t>(r);
        if (r < 0 || n < premiere || n - premiere >= journal_.taille()) return nullptr;
        return &journal_[n - premiere];
    }

    void suivre()
    {
        const std::size_t fin = journal_.ajoutees(), debut = fin - journal_.taille();
        // The journal only ever drops its oldest lines and adds new ones.
        if (const std::size_t partis = std::min(debut, fin_) - debut_; partis > 0) {
            beginRemoveRows({}, 0, static_cast<int>(partis) - 1);
            debut_ += partis;
            endRemoveRows();
        }
        if (debut_ < debut) debut_ = fin_ = debut; // gone while the window was hidden
        if (fin > fin_) {
            beginInsertRows({}, rowCount({}), static_cast<int>(fin - debut_) - 1);
            fin_ = fin;
            endInsertRows();
        }
    }

private:
    const Journal& journal_;
    std::size_t debut_ = 0, fin_ = 0;
};

FenetreJournal::FenetreJournal(Session& session, QWidget* fenetre)
    : QWidget(fenetre, Qt::Window), session_(session),
      modele_(new ModeleJournal(session.journal(), this)), liste_(new QTreeView(this))
{
    setObjectName("Journal");
    setWindowTitle(QStringLiteral("Journal - Tarvex"));
    setAccessibleName(QStringLiteral("Journal de la session"));
    setPalette(paletteClaire());
    resize(440, 420);

    liste_->setModel(modele_);
    liste_->setAccessibleName(QStringLiteral("Lignes du journal"));
    liste_->setAccessibleDescription(
        QStringLiteral("Chaque touche pressée et l'affichage qui l'a suivie"));
    liste_->setRootIsDecorated(false);
    liste_->setItemsExpandable(false);
    liste_->setUniformRowHeights(true);
    liste_->setAllColumnsShowFocus(true);
    liste_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    liste_->setSelectionBehavior(QAbstractItemView::SelectRows);
    liste_->setColumnWidth(0, 170);

    // Ctrl+C and Ctrl+A in the list, and the same in its context menu.
    auto* copie = new QAction(QStringLiteral("Copier"), liste_);
    copie->setShortcut(QKeySequence::Copy);
    copie->setShortcutContext(Qt::WidgetShortcut);
    QObject::connect(copie, &QAction::triggered, this, [this] { copier(); });
    auto* tout = new QAction(QStringLiteral("Tout sélectionner"), liste_);
    tout->setShortcut(QKeySequence::SelectAll);
    tout->setShortcutContext(Qt::WidgetShortcut);
    QObject::connect(tout, &QAction::triggered, liste_, &QAbstractItemView::selectAll);
    liste_->addActions({copie, tout});
    liste_->installEventFilter(this); // the list's own Ctrl+C copies only its current cell
    liste_->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(liste_, &QWidget::customContextMenuRequested, this,
                     [this, copie, tout](const QPoint& position) {
                         QMenu menu(this);
                         menu.setPalette(paletteClaire());
                         for (QAction* a : {copie, tout}) a->setShortcutVisibleInContextMenu(true);
                         menu.addActions({copie, tout});
                         menu.exec(liste_->viewport()->mapToGlobal(position));
                     });

    auto* enregistrer = new QPushButton(QStringLiteral("Enregistrer…"), this);
    enregistrer->setObjectName("Enregistrer");
    enregistrer->setAccessibleDescription(
        QStringLiteral("Enregistre le journal dans un fichier texte"));
    QObject::connect(enregistrer, &QPushButton::clicked, this, [this] { this->enregistrer(); });
    auto* effacer = new QPushButton(QStringLiteral("Effacer"), this);
    effacer->setObjectName("Effacer");
    effacer->setAccessibleDescription(QStringLiteral("Vide le journal"));
    QObject::connect(effacer, &QPushButton::clicked, this, [this] {
        session_.effacerJournal();
        actualiser();
    });
    auto* fermer = new QAction(this);
    fermer->setShortcut(Qt::Key_Escape);
    QObject::connect(fermer, &QAction::triggered, this, &QWidget::close);
    addAction(fermer);

    auto* boutons = new QHBoxLayout;
    boutons->addStretch();
    boutons->addWidget(enregistrer);
    boutons->addWidget(effacer);
    auto* colonne = new QVBoxLayout(this);
    colonne->addWidget(liste_);
    colonne->addLayout(boutons);

    // Beside the calculator, on the side where the screen has room, so that neither hides
    // the other; over its right edge when neither side has room.
    const QRect cadre = fenetre->frameGeometry();
    const QScreen* ecran = fenetre->screen();
    const QRect place = ecran ? ecran->availableGeometry() : cadre;
    const int marge = 12, droite = cadre.right() + marge, gauche = cadre.left() - marge - width();
    const int x = droite + width() <= place.right() ? droite
                  : gauche >= place.left()          ? gauche
                                                    : place.right() - width() - marge;
    move(x, std::clamp(cadre.top(), place.top(),
                       std::max(place.top(), place.bottom() - height() - 40)));
}

void FenetreJournal::zoomer(int pourcent, QSize place)
{
    QFont f = QApplication::font();
    if (f.pointSizeF() > 0)
        f.setPointSizeF(f.pointSizeF() * pourcent / 100.0);
    else
        f.setPixelSize(std::max(1, f.pixelSize() * pourcent / 100));
    setFont(f);
    const qreal rapport = qreal(pourcent) / zoom_;
    zoom_ = pourcent;
    liste_->setColumnWidth(0, qRound(liste_->columnWidth(0) * rapport));
    // The frame's size once the desktop has drawn one, else the room usually kept for it.
    const QSize cadre =
        (isVisible() ? frameGeometry().size() - size() : QSize()).expandedTo({10, 40});
    resize((QSizeF(size()) * rapport).toSize().boundedTo(place - cadre));
    if (const QScreen* ecran = screen()) {
        const QRect r = ecran->availableGeometry();
        move(std::clamp(x(), r.left(), std::max(r.left(), r.right() - width() - cadre.width())),
             std::clamp(y(), r.top(), std::max(r.top(), r.bottom() - height() - cadre.height())));
    }
}

bool FenetreJournal::eventFilter(QObject* objet, QEvent* evenement)
{
    if (objet != liste_ || evenement->type() != QEvent::KeyPress ||
        !static_cast<QKeyEvent*>(evenement)->matches(QKeySequence::Copy))
        return false;
    copier();
    return true;
}

void FenetreJournal::showEvent(QShowEvent* evenement)
{
    QWidget::showEvent(evenement);
    actualiser();
    liste_->scrollToBottom();
}

void FenetreJournal::actualiser()
{
    if (!isVisible()) return;
    const QScrollBar* barre = liste_->verticalScrollBar();
    const bool enBas = barre->value() == barre->maximum();
    modele_->suivre();
    if (enBas) liste_->scrollToBottom(); // the newest line stays in sight
}

void FenetreJournal::copier()
{
    QModelIndexList lignes = liste_->selectionModel()->selectedRows();
    if (lignes.isEmpty()) return;
    std::sort(lignes.begin(), lignes.end());
    QString t;
    for (const QModelIndex& i : lignes)
        if (const LigneJournal* l = modele_->ligne(i.row()))
            t += qtexte(l->touche) + QLatin1Char('\t') + qtexte(l->affichage) + QLatin1Char('\n');
    QGuiApplication::clipboard()->setText(t);
}

void FenetreJournal::enregistrer()
{
    QString dossier = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!QDir(dossier).exists()) dossier = QDir::homePath();
    // The desktop's own dialog where there is one; otherwise Qt's, in French and light.
    QFileDialog dialogue(this, QStringLiteral("Enregistrer le journal"),
                         QDir(dossier).filePath(QStringLiteral("journal-tarvex.txt")),
                         QStringLiteral("Texte (*.txt);;Tous les fichiers (*)"));
    dialogue.setAcceptMode(QFileDialog::AcceptSave);
    dialogue.setDefaultSuffix(QStringLiteral("txt"));
    dialogue.setPalette(paletteClaire());
    dialogue.setLabelText(QFileDialog::LookIn, QStringLiteral("Dossier :"));
    dialogue.setLabelText(QFileDialog::FileName, QStringLiteral("Nom du fichier :"));
    dialogue.setLabelText(QFileDialog::FileType, QStringLiteral("Type :"));
    dialogue.setLabelText(QFileDialog::Accept, QStringLiteral("Enregistrer"));
    dialogue.setLabelText(QFileDialog::Reject, QStringLiteral("Annuler"));
    if (dialogue.exec() == QDialog::Accepted && !dialogue.selectedFiles().isEmpty())
        enregistrerSous(dialogue.selectedFiles().constFirst());
}

bool FenetreJournal::enregistrerSous(const QString& chemin)
{
    const std::string t = session_.journal().texte();
    QSaveFile fichier(chemin);
    if (fichier.open(QIODevice::WriteOnly) &&
        fichier.write(t.data(), static_cast<qint64>(t.size())) == static_cast<qint64>(t.size()) &&
        fichier.commit())
        return true;
    // The system's own words for the reason (a folder gone, a disk full, no permission).
    auto* boite = new QMessageBox(QMessageBox::Warning, QStringLiteral("Journal - Tarvex"),
                                  QStringLiteral("Le journal n'a pas pu être enregistré dans "
                                                 "« %1 » : %2.")
                                      .arg(QDir::toNativeSeparators(chemin), fichier.errorString()),
                                  QMessageBox::Ok, this);
    boite->setPalette(paletteClaire());
    boite->setAttribute(Qt::WA_DeleteOnClose);
    boite->open();
    return false;
}

} // namespace tarvex
