// The window against the calculator it mirrors: the controls built from the window table,
// clicks, key presses and shortcuts reaching their operation exactly once, the widgets
// showing what tarvex-replay prints for the same script, the context menus and the journal.
#define QTEST_QPA_MOUSE_HANDLING // clicks go through the window, as a real mouse's do
#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QTest>
#include <QtWidgets>

#include <csignal>
#include <random>

#include "Accessibilite.h"
#include "Affichage.h"
#include "Apparence.h"
#include "Dessin.h"
#include "EtatJson.h"
#include "FenetreJournal.h"
#include "Manuel.h"
#include "Script.h"
#include "Traductions.h"

using namespace tarvex;

void PrintTo(const QString& s, std::ostream* os) { *os << s.toStdString(); }

namespace {

// A control by its name, as the session numbers it.
IdControle ctl(std::string_view nom) { return *Session::controle(nom); }

QString nom(IdControle c) { return qtexte(Session::definition(c).nom); }

const std::vector<IdControle> cliquables = [] {
    std::vector<IdControle> c;
    for (IdControle id = 0; id < Session::nombreControles(); ++id)
        if (Session::accepteClic(id)) c.push_back(id);
    return c;
}();

// What tarvex-replay prints for the script: one object per dump.
QList<QJsonObject> rejouer(const QString& script)
{
    QProcess p;
    p.start(TARVEX_REPLAY, {});
    p.write(script.toUtf8());
    p.closeWriteChannel();
    EXPECT_TRUE(p.waitForFinished(30000) && p.exitCode() == 0)
        << p.readAllStandardError().toStdString();
    QList<QJsonObject> etats;
    for (const QByteArray& l : p.readAllStandardOutput().split('\n'))
        if (!l.isEmpty()) etats << QJsonDocument::fromJson(l).object();
    return etats;
}

void montrer(Affichage& a)
{
    a.placeDisponible({4000, 4000}); // 100 % whatever the test screen's size
    a.zoomer(100);
    a.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&a));
}

QWidget* focus(Affichage& a) { return a.focusWidget() ? a.focusWidget() : &a; }

// A key press as the keyboard makes it: Qt's key for the character, Shift for a capital.
void touche(Affichage& a, char32_t code)
{
    const QChar ch(code);
    const Qt::Key k = code == 8    ? Qt::Key_Backspace
                      : code == 9  ? Qt::Key_Tab
                      : code == 13 ? Qt::Key_Return
                      : code == 27 ? Qt::Key_Escape
                                   : Qt::Key(ch.toUpper().unicode());
    QTest::sendKeyEvent(QTest::Click, focus(a), k, QString(ch),
                        ch.isUpper() ? Qt::ShiftModifier : Qt::NoModifier);
}

// One of the window's shortcuts: the key with Ctrl, or with the modifiers given.
void raccourci(Affichage& a, Qt::Key k, Qt::KeyboardModifiers m = Qt::ControlModifier)
{
    QTest::sendKeyEvent(QTest::Click, focus(a), k, QString(), m);
}

void cliquer(Affichage& a, IdControle c)
{
    QWidget* w = a.widget(c);
    const int m = w->height() / 2; // an option button is clicked on its circle
    QTest::mouseClick(w, Qt::LeftButton, {},
                      Session::definition(c).genre == Genre::Option ? QPoint(m, m)
                                                                    : w->rect().center());
}

// Opens w's context menu with a right click (or the Menu key) and runs its action `choix`
// (its text, or a control's name for a control's item): the menu's items ("text shortcut",
// "" for a separator, a submenu as "title: name=text, ..." with "*" after the item checked
// and "-" after one unavailable) and the lightness of its background.
std::pair<QStringList, int> menu(QWidget* w, const QString& choix, bool clavier = false)
{
    std::pair<QStringList, int> vu;
    QTimer::singleShot(0, w, [&] {
        auto* m = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(m, nullptr);
        vu.second = m->grab().toImage().pixelColor(m->width() / 2, 2).lightness();
        for (QAction* a : m->actions()) {
            QString t = (a->text() + ' ' + a->shortcut().toString()).trimmed();
            for (QAction* b : a->menu() ? a->menu()->actions() : QList<QAction*>()) {
                t += (t.contains(':') ? ", " : ": ") + b->objectName() + '=' +
                     b->text().replace('\t', ' ') + (b->isChecked() ? "*" : "") +
                     (b->isEnabled() ? "" : "-");
                if (b->objectName() == choix) b->trigger();
            }
            vu.first << t;
            if (a->text() == choix) a->trigger();
        }
        m->close();
    });
    clavier ? QTest::keyClick(w->window()->focusWidget(), Qt::Key_Menu)
            : QTest::mouseClick(w, Qt::RightButton);
    return vu;
}

// The controls that the display's menu offers, by the names of its items.
QStringList controlesDuMenu(const QStringList& menu)
{
    QStringList noms;
    for (const QString& l : menu)
        for (const QString& item : l.section(": ", 1).split(", ", Qt::SkipEmptyParts))
            noms << item.section('=', 0, 0);
    return noms;
}

QString legende(QWidget* w)
{
    auto* cadre = dynamic_cast<Cadre*>(w);
    return cadre ? cadre->title() : w->property("text").toString();
}

// Every difference between the window and a state printed by tarvex-replay (or written by
// etatJson for a session): its session, the widgets of every control, the beeps it sounded.
QString differences(Affichage& a, const QJsonObject& j, const QString& pressePapier = {})
{
    QString d;
    std::string json;
    replay::etatJson(a.session(), pressePapier.toStdString(),
                     j["localeNumeric"].toString().toStdString(), json);
    const QJsonObject s = QJsonDocument::fromJson(QByteArray::fromStdString(json)).object();
    for (auto it = j.begin(); it != j.end(); ++it)
        if (s[it.key()] != it.value() && it.key() != "controls") d += it.key() + " differs\n";
    const auto ecart = [&](const QString& quoi, const QVariant& vu, const QJsonValue& attendu) {
        if (vu != attendu.toVariant())
            d += quoi + ": " + vu.toString() + " / " + attendu.toVariant().toString() + '\n';
    };
    for (IdControle id = 0; id < Session::nombreControles(); ++id) {
        const DefinitionControle& def = Session::definition(id);
        QWidget* w = a.widget(id);
        const QString n = nom(id);
        const QJsonObject o = j["controls"][n].toObject();
        ecart(n + ".caption", legende(w), o["caption"]);
        ecart(n + ".tooltip", w->toolTip(), o["tooltip"]);
        ecart(n + ".visible", !w->isHidden(), o["visible"]);
        ecart(n + ".enabled", w->isEnabled(), o["enabled"]);
        if (def.genre == Genre::Option)
            ecart(n + ".selected", static_cast<QRadioButton*>(w)->isChecked(), o["selected"]);
        if (def.peintFond) {
            const QColor f = static_cast<Touche*>(w)->fond();
            ecart(n + ".background", f.isValid() ? f.name().toUpper() : "ButtonFace",
                  o["background"]);
        }
    }
    ecart("focus", focus(a)->objectName(), j["focus"]);
    ecart("beeps sounded", qint64(a.bipsJoues()), j["beeps"]);
    return d;
}

// One step of a session: the script lines tarvex-replay reads, and what the window is given.
struct Pas {
    QString script;
    std::function<void(Affichage&)> action;
};

Pas clic(IdControle c)
{
    return {"click " + nom(c), [c](Affichage& a) { cliquer(a, c); }};
}
// The control chosen in the display's menu, opened by the Menu key.
Pas choix(IdControle c)
{
    return {"click " + nom(c),
            [c](Affichage& a) { menu(a.widget(ctl("lblResultat")), nom(c), true); }};
}
// The display's menu offers every key but the keypad's (and the Complexe key, never usable).
bool dansLeMenu(IdControle c)
{
    return Session::definition(c).parent != ctl("Frame3") && c != ctl("cmdCmplx");
}
Pas cle(char32_t k)
{
    return {QString("key U+%1").arg(uint(k), 4, 16, QChar('0')),
            [k](Affichage& a) { touche(a, k); }};
}
// Any key press; `presse` goes onto the clipboard first (Ctrl+V).
Pas evenement(const QString& script, Qt::Key k, Qt::KeyboardModifiers m = Qt::ControlModifier,
              const QString& texte = {}, const QString& presse = {})
{
    return {script, [=](Affichage& a) {
                if (!presse.isEmpty()) QGuiApplication::clipboard()->setText(presse);
                QTest::sendKeyEvent(QTest::Click, focus(a), k, texte, m);
            }};
}
Pas colle(const QString& t)
{
    return evenement("paste " + t, Qt::Key_V, Qt::ControlModifier, {}, t);
}

// Plays the steps on a new window and compares it with tarvex-replay after every `tous`
// steps (and the last); after every step exactly one of the format labels is visible.
void commeLeReplay(const std::vector<Pas>& pas, const std::string& quoi, std::size_t tous = 1)
{
    QString script;
    for (std::size_t i = 0; i < pas.size(); ++i)
        script += pas[i].script + ((i + 1) % tous && i + 1 < pas.size() ? "\n" : "\ndump\n");
    const QList<QJsonObject> attendus = rejouer(script);
    Affichage a;
    montrer(a);
    QString copie;
    for (std::size_t i = 0; i < pas.size(); ++i) {
        pas[i].action(a);
        if (pas[i].script == "copy") copie = QGuiApplication::clipboard()->text();
        ASSERT_NE(a.widget(ctl("lblfixe"))->isHidden(), a.widget(ctl("lblscien"))->isHidden()) << i;
        if ((i + 1) % tous && i + 1 < pas.size()) continue;
        const QString d = differences(a, attendus.value(qsizetype(i / tous)), copie);
        ASSERT_TRUE(d.isEmpty()) << quoi << ", step " << i << " " << pas[i].script.toStdString()
                                 << ":\n"
                                 << d.toStdString();
    }
}

} // namespace

// Run also under QT_SCALE_FACTOR 1.25 and 2: the logical layout must not move.
TEST(Fenetre, ControlesDeLaTable)
{
    Affichage a;
    montrer(a);
    for (IdControle id = 0; id < Session::nombreControles(); ++id) {
        const DefinitionControle& d = Session::definition(id);
        QWidget* w = a.widget(id);
        ASSERT_NE(w, nullptr);
        SCOPED_TRACE(d.nom);
        EXPECT_EQ(w->objectName(), nom(id));
        EXPECT_EQ(w->parentWidget(), d.parent != SansControle ? a.widget(d.parent) : &a);
        const QRect g = w->geometry(); // 15 twips to the pixel, exactly
        EXPECT_EQ(QRect(g.x() * 15, g.y() * 15, g.width() * 15, g.height() * 15),
                  QRect(d.gauche, d.haut, d.largeur, d.hauteur));
        EXPECT_EQ(std::pair(w->font().bold(), w->font().pointSizeF()),
                  std::pair(d.police.gras, double(d.police.points)));
    }
    // A few rows written out by hand, in pixels at 100 % (15 twips to the pixel, relative to
    // the group), and their tooltips: a wrong value in the table shows here.
    const std::tuple<IdControle, QRect, const char*> design[] = {
        {ctl("cmdEnter"), {168, 184, 81, 28}, "Entrer dans la pile"},
        {ctl("cmdSigne"), {131, 144, 33, 28}, "Changement de signe"},
        {ctl("lblResultat"), {8, 160, 289, 33}, "Zone d'affichage"},
        {ctl("Label5"), {12, 104, 137, 17}, "Visualisation de la pile: X"},
        {ctl("Frame3"), {8, 208, 265, 225}, ""},
        {ctl("Option2"), {16, 48, 97, 17}, ""},
        {ctl("cmdYtoX"), {72, 72, 41, 20}, "\"Y\" à la puissance \"X\""},
        {ctl("cmdHsin"), {176, 112, 49, 20}, ""},
        {ctl("cmdEraseP"), {272, 32, 73, 36}, "Efface toute la pile"},
        {ctl("cmdEraseLonP"), {184, 32, 73, 41}, "Efface la dernière touche (backspace)"},
    };
    for (const auto& [c, rectangle, infobulle] : design) {
        EXPECT_EQ(a.widget(c)->geometry(), rectangle) << Session::definition(c).nom;
        EXPECT_EQ(a.widget(c)->toolTip(), QString(infobulle)) << Session::definition(c).nom;
    }
    EXPECT_EQ(a.size(), QSize(657, 564));
    EXPECT_EQ(
        a.grab().size(),
        (QSizeF(657, 564) * qEnvironmentVariable("QT_SCALE_FACTOR", "1").toDouble()).toSize());
}

TEST(Fenetre, ClicsCommeLeReplay)
{
    // Every clickable control after a digit, in the table's order; then backwards, each under
    // the hyperbolic prefix (where the H and AH keys differ) and, where the display's menu
    // offers it, chosen there from the keyboard: a click all the same.
    std::vector<Pas> avant, arriere;
    for (auto c = cliquables.begin(), r = cliquables.end(); c != cliquables.end(); ++c, --r)
        avant.insert(avant.end(), {cle(U'2'), clic(*c)}),
            arriere.insert(
                arriere.end(),
                {cle(U'3'), cle(U'I'), dansLeMenu(*(r - 1)) ? choix(*(r - 1)) : clic(*(r - 1))});
    commeLeReplay(avant, "table order");
    commeLeReplay(arriere, "reverse order");
}

TEST(Fenetre, SequencesAleatoiresCommeLeReplay)
{
    const std::u32string touches =
        U"0123456789eE,.+-*/=abcdefghijklmnopqrstuvwxyzABCDFGHIJKLMNOPQRSTUVWXYZ\r\r\r\b\t é";
    const QStringList collages = {"12", "-0,5", "1 234.5e-3", "abc", "1e400", "\u22122\u00A0"};
    for (unsigned graine : {11u, 22u, 33u}) {
        std::mt19937 g(graine);
        std::vector<Pas> pas;
        for (int i = 1; i <= 300; ++i) {
            // 45 % clicks, 2 % Escape, 6 % undo, 3 % redo (Ctrl+Y or Ctrl+Shift+Z), 2 % copy,
            // 3 % paste
            const unsigned r = g() % 100;
            const char32_t k = r < 2 ? 27 : touches[g() % touches.size()];
            const auto m = Qt::ControlModifier | (i % 2 ? Qt::ShiftModifier : Qt::NoModifier);
            pas.push_back(r >= 55   ? clic(cliquables[g() % cliquables.size()])
                          : r >= 49 ? evenement("undo", Qt::Key_Z)
                          : r >= 46 ? evenement("redo", i % 2 ? Qt::Key_Z : Qt::Key_Y, m)
                          : r >= 44 ? evenement("copy", Qt::Key_C)
                          : r >= 41 ? colle(collages[g() % collages.size()])
                                    : cle(k));
        }
        commeLeReplay(pas, "seed " + std::to_string(graine), 25);
    }
    std::mt19937 g(5); // display format keys only
    std::vector<Pas> formats;
    for (int i = 1; i <= 400; ++i)
        formats.push_back(std::vector{clic(ctl("cmdFixe")), clic(ctl("cmdScient")), cle(27),
                                      cle(U'0' + g() % 10)}[g() % 4]);
    commeLeReplay(formats, "format keys", 40);
}

// Each key press reaches the calculator exactly once whatever control has the focus, keys
// with Ctrl, Alt or Meta do nothing, and the shortcuts copy, paste (a refused paste: one beep
// and nothing else), undo and redo every kind of change, as tarvex-replay does.
TEST(Fenetre, ClavierEtRaccourcisCommeLeReplay)
{
    constexpr Qt::KeyboardModifiers Ctrl = Qt::ControlModifier, Pave = Qt::KeypadModifier;
    const auto sans = [](Qt::Key k, Qt::KeyboardModifiers m, const char* t) {
        return evenement("", k, m, t); // nothing for tarvex-replay
    };
    // clang-format off
    std::vector<Pas> pas = {
        clic(ctl("cmdEnter")), cle(U'1'), clic(ctl("Option2")), cle(U'8'),
        evenement("copy", Qt::Key_C), // during an entry
        clic(ctl("cmdFixe")), cle(U'4'), clic(ctl("cmdChiffre(7)")), cle(U'+'),
        clic(ctl("cmdPlus")), cle(U'I'), // cyan keys
        clic(ctl("cmdEnter")), cle(U'\r'), evenement("key Return", Qt::Key_Enter, Pave, "\r"),
        cle(U' '), clic(ctl("cmdSin")), cle(U'\t'), sans(Qt::Key_Left, {}, ""),
        clic(ctl("cmdChiffre(2)")), sans(Qt::Key_Shift, Qt::ShiftModifier, ""),
        sans(Qt::Key_A, Qt::AltModifier, "a"), sans(Qt::Key_Plus, Ctrl, "+"), // no beep either
        sans(Qt::Key_Minus, Ctrl | Pave, "-"), sans(Qt::Key_C, Ctrl | Qt::ShiftModifier, ""),
        evenement("key -", Qt::Key_Minus, Pave, "-"),
        evenement("key @", Qt::Key_At, Qt::GroupSwitchModifier, "@"), // AltGr
        cle(U'X'), evenement("copy", Qt::Key_C), colle("12a"), colle(" 1\u202F234,5")};
    // clang-format on
    for (int i = 0; i < 20; ++i) pas.push_back(evenement("undo", Qt::Key_Z)); // to the end: beep
    for (int i = 0; i < 20; ++i)
        pas.push_back(i % 2 ? evenement("redo", Qt::Key_Y)
                            : evenement("redo", Qt::Key_Z, Ctrl | Qt::ShiftModifier));
    pas.insert(pas.end(), {evenement("undo", Qt::Key_Z), cle(U'9'), evenement("redo", Qt::Key_Y)});
    commeLeReplay(pas, "keyboard");
}

// A held key: presses without releases, the auto-repeat flag unset (as X11 may send them),
// then X11's own form, a release and a press at the same server time. Ctrl+V, F1 and Ctrl+J
// act once per press; undo and the calculator's keys repeat; every beep is one real call.
TEST(Fenetre, UneActionParAppui)
{
    Affichage a;
    montrer(a);
    long sonneries = 0;
    a.sonnerie([&] { ++sonneries; });
    std::int64_t maintenant = 0;
    a.manuel().horloge([&] { return maintenant; });
    int ouvertures = 0;
    a.ouvreurManuel([&](const QString&) { return ++ouvertures > 0; });
    ulong temps = 1000;
    const auto envoyer = [&](QEvent::Type t, Qt::Key k, Qt::KeyboardModifiers m,
                             const char* texte) {
        QKeyEvent e(t, k, m, 0, 0, 0, texte);
        e.setTimestamp(temps);
        QApplication::sendEvent(focus(a), &e);
    };
    const auto tenir = [&](Qt::Key k, Qt::KeyboardModifiers m = Qt::ControlModifier,
                           const char* texte = "") {
        for (int i = 0; i < 7; ++i) { // three presses alone, three X11 pairs, the release
            temps += 40;
            if (i >= 3) envoyer(QEvent::KeyRelease, k, m, texte);
            if (i < 6) envoyer(QEvent::KeyPress, k, m, texte);
        }
    };
    const Journal& journal = a.session().journal();
    QGuiApplication::clipboard()->setText("5");
    tenir(Qt::Key_V), tenir(Qt::Key_V);
    EXPECT_EQ(journal.taille(), 2u);
    EXPECT_EQ(a.session().texteNiveau(IdxY), "5");
    tenir(Qt::Key_Z); // six undos asked for: two taken back, four beeps
    EXPECT_EQ(std::pair(a.session().annulables(), sonneries), std::pair(0, 4L));
    tenir(Qt::Key_1, {}, "1");
    EXPECT_EQ(a.session().affichage(), "111111");
    tenir(Qt::Key_F1, {});
    maintenant = 1999, tenir(Qt::Key_F1, {}); // one viewer for the presses of two seconds
    EXPECT_EQ(std::pair(a.session().manuelsOuverts(), ouvertures),
              std::pair(2L, QFile::exists(":/manuel/manuel.pdf") ? 1 : 0));
    maintenant = 2000, tenir(Qt::Key_F1, {});
    // F1 released while another program had the keyboard: the next press acts.
    temps += 40, envoyer(QEvent::KeyPress, Qt::Key_F1, {}, "");
    QApplicationStateChangeEvent ailleurs(Qt::ApplicationInactive);
    QCoreApplication::sendEvent(qApp, &ailleurs);
    maintenant = 4000, tenir(Qt::Key_F1, {});
    EXPECT_EQ(ouvertures, QFile::exists(":/manuel/manuel.pdf") ? 3 : 0);
    temps += 40, envoyer(QEvent::KeyPress, Qt::Key_J, Qt::ControlModifier, "");
    ASSERT_TRUE(a.journal() && a.journal()->isVisible());
    a.journal()->close(); // while Ctrl+J is still held
    tenir(Qt::Key_J);
    EXPECT_FALSE(a.journal()->isVisible());
    tenir(Qt::Key_J);
    EXPECT_TRUE(a.journal()->isVisible());
    EXPECT_EQ(sonneries, a.bipsJoues());
}

// Under a dark desktop palette the window keeps its own: the display's text dark on white,
// the yellow keys' text dark on yellow, and every key's face in its exact colour.
TEST(Fenetre, CouleursExactes)
{
    const QPalette avant = QApplication::palette();
    QPalette sombre(Qt::white, QColor(40, 40, 40), QColor(60, 60, 60), Qt::black,
                    QColor(50, 50, 50), Qt::white, Qt::white, QColor(20, 20, 20),
                    QColor(30, 30, 30));
    QApplication::setPalette(sombre);
    Affichage a;
    montrer(a);
    touche(a, U'I'); // the hyperbolic prefix colours the trigonometric keys cyan
    const Session& modele = a.session();
    ASSERT_EQ(modele.etat(ctl("cmdSin")).fond, couleurs::Cyan);
    ASSERT_EQ(modele.etat(ctl("cmdScient")).fond, couleurs::Jaune);
    const auto image = [&a](IdControle c) {
        const QImage tout = a.grab().toImage();
        const qreal r = tout.devicePixelRatio(); // QT_SCALE_FACTOR
        QWidget* w = a.widget(c);
        return tout.copy(QRect(w->mapTo(&a, QPoint()) * r, w->size() * r)
                             .adjusted(5 * r, 5 * r, -5 * r, -5 * r));
    };
    for (auto [c, fond] :
         {std::pair(ctl("lblResultat"), "#ffffff"), std::pair(ctl("cmdScient"), "#ffff00")}) {
        const QImage z = image(c);
        int sombreMin = 255; // the darkest pixel: the text
        for (int y = 0; y < z.height(); ++y)
            for (int x = 0; x < z.width(); ++x)
                sombreMin = std::min(sombreMin, z.pixelColor(x, y).lightness());
        EXPECT_EQ(z.pixelColor(z.width() - 1, 0).name(), fond) << Session::definition(c).nom;
        EXPECT_LT(sombreMin, 60) << Session::definition(c).nom;
    }
    for (IdControle id = 0; id < Session::nombreControles(); ++id) {
        auto* b = qobject_cast<QPushButton*>(a.widget(id));
        if (b == nullptr) continue;
        b->setText({}); // the caption aside, the whole face shows the colour
        const QImage face = image(id);
        QImage attendue(face.size(), face.format());
        attendue.fill(couleurQt(modele.etat(id).fond));
        EXPECT_TRUE(face == attendue)
            << nom(id).toStdString() << " is not all " << nomCouleur(modele.etat(id).fond);
    }
    EXPECT_GT(menu(a.widget(ctl("Label5")), "").second, 200); // the menus and the journal too
    raccourci(a, Qt::Key_J);
    const QImage journal = a.journal()->grab().toImage();
    EXPECT_GT(journal.pixelColor(journal.width() / 2, journal.height() / 2).lightness(), 200);
    QApplication::setPalette(avant);
}

// Captions are drawn whole: smaller when needed, elided in the middle below the floor.
TEST(Fenetre, LegendesEntieres)
{
    Affichage a;
    montrer(a);
    // What is wrong with the drawn caption of c: not whole, or wider or higher than its place.
    const auto defaut = [&a](IdControle c) {
        a.grab();
        const Legende* l = legendeDe(a.widget(c));
        const QFontMetricsF m(l->dernier().police);
        QString d, dessine = l->dernier().lignes.join(QString());
        for (const QString& ligne : l->dernier().lignes)
            if (m.horizontalAdvance(ligne) > l->place().width()) d += "too wide: " + ligne + '\n';
        const auto n = l->dernier().lignes.size(); // one line: the height of its ink
        if ((n == 1 ? l->dernier().encre.height() : m.height() + m.lineSpacing() * double(n - 1)) >
            l->place().height())
            d += "too high\n";
        if (dessine.remove(' ') != legende(a.widget(c)).remove(' ').remove('\n'))
            d += "not whole: " + l->dernier().lignes.join('|');
        return d.toStdString();
    };
    for (char32_t c : std::u32string_view(U"1oe300o\r7/")) touche(a, c);
    EXPECT_EQ(legende(a.widget(ctl("Label5"))), "-1.42857142857143E-301");
    EXPECT_EQ(defaut(ctl("Label5")), "");
    cliquer(a, ctl("cmdFixe"));
    for (char32_t c : std::u32string_view(U"91.43e299\r")) touche(a, c); // FIX 9: 310 characters
    a.grab();
    QWidget* resultat = a.widget(ctl("lblResultat"));
    const QString long_ = legende(resultat);
    const Ajustement& dessin = legendeDe(resultat)->dernier();
    ASSERT_EQ(std::pair(long_.size(), dessin.lignes.size()),
              std::pair(qsizetype(310), qsizetype(1)));
    const QStringList bouts = dessin.lignes[0].split(QStringLiteral("…"));
    EXPECT_TRUE(bouts.size() == 2 && long_.startsWith(bouts[0]) && long_.endsWith(bouts[1]) &&
                bouts[0].size() > 10 && bouts[1].size() > 10)
        << dessin.lignes[0].toStdString();
    EXPECT_GE(dessin.police.pointSizeF(), 8.0); // the floor, not below
    EXPECT_EQ(std::pair(resultat->toolTip().remove('\n'), resultat->accessibleDescription()),
              std::pair(long_, long_));
    // Centred vertically: its ink as far from the top as from the bottom.
    const QImage image = resultat->grab().toImage();
    int haut = image.height(), bas = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128) haut = std::min(haut, y), bas = std::max(bas, y);
    EXPECT_NEAR(haut, image.height() - 1 - bas, 2 * image.devicePixelRatio());
    menu(a.widget(ctl("lblResultat")), "Copier l'affichage"); // the caption, whole
    EXPECT_EQ(QGuiApplication::clipboard()->text(), long_);
    // A wider fallback font: every caption still whole.
    touche(a, 27), touche(a, 13);
    for (IdControle id = 0; id < Session::nombreControles(); ++id) {
        const Police p = Session::definition(id).police;
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setPointSizeF(p.points), f.setBold(p.gras);
        a.widget(id)->setFont(f);
    }
    for (IdControle id = 0; id < Session::nombreControles(); ++id) {
        if (legendeDe(a.widget(id)) && a.widget(id)->isVisible()) {
            EXPECT_EQ(defaut(id), "") << nom(id).toStdString();
        }
    }
}

// The display's menu: the copy text (not the rounded caption), the caption, paste, the
// journal; the Menu key opens it too. A stack line's menu copies its level.
TEST(Fenetre, MenusContextuels)
{
    Affichage a;
    montrer(a);
    QClipboard* pp = QGuiApplication::clipboard();
    for (char32_t c : std::u32string_view(U"5\r2\r3/")) touche(a, c);
    QWidget* resultat = a.widget(ctl("lblResultat"));
    const QStringList vu = menu(resultat, "Copier").first;
    EXPECT_EQ(vu.first(4).join('|'), "Copier Ctrl+C|Copier l'affichage|Coller Ctrl+V|");
    EXPECT_EQ(vu.last(2).join('|'), "|Journal… Ctrl+J");
    EXPECT_EQ(pp->text(), "0.666666666666667");
    menu(resultat, "Copier l'affichage");
    EXPECT_EQ(pp->text(), "6.6666667E-01");
    EXPECT_EQ(menu(a.widget(ctl("Label4")), "Copier").first, QStringList{"Copier"});
    EXPECT_EQ(pp->text(), "5");
    pp->setText("12a");
    const long bips = a.bipsJoues();
    menu(resultat, "Coller");
    EXPECT_EQ(a.bipsJoues(), bips + 1);
    pp->setText("-1,5");
    menu(resultat, "Coller");
    EXPECT_EQ(legende(a.widget(ctl("Label5"))), "-1.5");
    EXPECT_EQ(a.bipsJoues(), bips + 1);
    menu(resultat, "Journal…", true);
    ASSERT_NE(a.journal(), nullptr);
    EXPECT_TRUE(a.journal()->isVisible());
    // Between them, every control that has no key, in submenus; the options as radio items.
    for (IdControle c : cliquables)
        EXPECT_EQ(controlesDuMenu(vu).contains(nom(c)), dansLeMenu(c)) << nom(c).toStdString();
    EXPECT_TRUE(vu.contains("Affichage angles: Option1=Radian*, Option2=Degré, Option3=Grade"));
    menu(resultat, "Option2", true);
    for (char32_t c : std::u32string_view(U"1f2fX")) touche(a, c); // statistics captions
    const QString items = menu(resultat, "cmdFixe").first.join('\n');
    EXPECT_TRUE(items.contains("Option2=Degré*") && items.contains("cmdScient=Scientifique*") &&
                items.contains("cmdRacine=Nombre d'échantillons n") &&
                items.contains("cmdAsin=Arc sinus Asin"))
        << items.toStdString();
    touche(a, U'4');
    EXPECT_TRUE(menu(resultat, {}).first.join('|').contains("cmdFixe=Virgule fixe*"));
}

// The journal's window: made when first opened, following the journal line by line (past its
// 10,000 lines too), lines copied and saved as the journal writes them, emptied; closing the
// calculator with it open reads no freed memory (the sanitized run of these tests).
TEST(Fenetre, Journal)
{
    auto fenetre = std::make_unique<Affichage>();
    Affichage& a = *fenetre;
    montrer(a);
    for (char32_t c : std::u32string_view(U"2\r3/")) touche(a, c);
    EXPECT_EQ(a.journal(), nullptr); // made only when first opened
    raccourci(a, Qt::Key_J);
    FenetreJournal* j = a.journal();
    ASSERT_TRUE(j != nullptr && QTest::qWaitForWindowActive(j));
    auto* liste = j->findChild<QTreeView*>();
    QAbstractItemModel* m = liste->model();
    const QAbstractItemModelTester testeur(m,
                                           QAbstractItemModelTester::FailureReportingMode::Fatal);
    const auto lignes = [m] {
        QString t;
        for (int i = 0; i < m->rowCount(); ++i)
            t += m->index(i, 0).data().toString() + '\t' + m->index(i, 1).data().toString() + '\n';
        return t;
    };
    EXPECT_EQ(lignes(), "2\t2\nEntrée\t2.0000000E+00\n3\t3\n/\t6.6666667E-01\n");
    touche(a, 27), raccourci(a, Qt::Key_Z);
    EXPECT_EQ(lignes().toStdString(), a.session().journal().texte());
    liste->selectionModel()->select(QItemSelection(m->index(1, 0), m->index(2, 1)),
                                    QItemSelectionModel::ClearAndSelect);
    liste->setFocus();
    QTest::keyClick(liste, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "Entrée\t2.0000000E+00\n3\t3\n");

    // Saved through Qt's file dialog, in French as its question when the file exists; a save
    // that fails says why in the system's words.
    QTemporaryDir dossier;
    QStringList vu; // the dialog's column titles, then the question and its buttons
    const auto enregistrer = [j, &vu](const QString& chemin) {
        QTimer::singleShot(0, j, [chemin, &vu] {
            auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(d, nullptr);
            for (int c = 0; c < 3; ++c)
                vu << d->findChild<QTreeView*>()->model()->headerData(c, Qt::Horizontal).toString();
            QTimer::singleShot(0, d, [&vu] {
                if (auto* q = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                    vu << q->text() << q->button(QMessageBox::Yes)->text();
                    q->button(QMessageBox::Yes)->click();
                }
            });
            d->selectFile(chemin), static_cast<QDialog*>(d)->accept();
        });
        j->findChild<QPushButton*>("Enregistrer")->click();
    };
    enregistrer(dossier.filePath("journal.txt"));
    enregistrer(dossier.filePath("journal.txt")); // qt6-translations-l10n gives the French
    EXPECT_EQ(vu.join('|'), "Nom|Taille|Type|Nom|Taille|Type|Le fichier journal.txt existe "
                            "déjà\nVoulez-vous l'écraser ?|&Oui");
    QFile fichier(dossier.filePath("journal.txt"));
    ASSERT_TRUE(fichier.open(QIODevice::ReadOnly));
    EXPECT_EQ(fichier.readAll().toStdString(), a.session().journal().texte());
    enregistrer(dossier.filePath("absent/journal.txt"));
    auto* boite = j->findChild<QMessageBox*>();
    ASSERT_NE(boite, nullptr);
    EXPECT_TRUE(boite->text().contains("absent/journal.txt") &&
                boite->text().endsWith(" : " + qt_error_string(ENOENT) + '.'))
        << boite->text().toStdString();
    boite->close();

    j->findChild<QPushButton*>("Effacer")->click();
    EXPECT_EQ(m->rowCount(), 0);
    EXPECT_EQ(a.session().journal().taille(), 0u);
    for (int i = 0; i < 9999; ++i) a.session().appuyer(i % 2 ? '+' : '1');
    touche(a, U'+'); // 10,000 lines; then the oldest go, and the selected line stays selected
    liste->selectionModel()->select(m->index(9999, 0), QItemSelectionModel::ClearAndSelect);
    for (char32_t c : std::u32string_view(U"1+1")) touche(a, c);
    EXPECT_EQ(liste->selectionModel()->selectedIndexes(), QModelIndexList{m->index(9996, 0)});
    EXPECT_EQ(lignes().toStdString(), a.session().journal().texte());
    auto* ia = QAccessible::queryAccessibleInterface(j);
    EXPECT_EQ(std::pair(ia->role(), ia->text(QAccessible::Name)),
              std::pair(QAccessible::Window, QString("Journal de la session")));

    // Scrolled up, and read as a screen reader does when the window goes.
    liste->scrollToTop();
    struct Lecteur : QObject {
        QAbstractItemModel* m;
        bool eventFilter(QObject*, QEvent* e) override
        {
            if (e->type() == QEvent::Hide)
                for (int r = 0; r < 20; ++r) (void)m->index(r, 1).data();
            return false;
        }
    } lecteur;
    lecteur.m = m;
    j->installEventFilter(&lecteur);
    fenetre.reset();
}

// The manual: one private file reused under $XDG_RUNTIME_DIR, written again when it has gone;
// else a private folder under a temporary directory that exists, removed on SIGTERM and on
// close; the folders of runs killed are removed by the next. A viewer that fails is reported,
// at once when the desktop knows no application for PDF files.
TEST(Fenetre, ManuelPrive)
{
    if (!QFile::exists(":/manuel/manuel.pdf")) GTEST_SKIP() << "no manual embedded in this build";
    const auto prive = [](const QString& chemin) {
        return (QFileInfo(chemin).permissions() & 0x0077) == 0; // nothing for group and others
    };
    QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
    {
        Affichage a;
        montrer(a);
        QStringList ouverts;
        a.ouvreurManuel([&](const QString& chemin) { return ouverts << chemin, false; });
        QTest::mouseDClick(a.widget(ctl("OLE1")), Qt::LeftButton);
        ASSERT_EQ(ouverts, QStringList{runtime.filePath("tarvex/Tarvex-manuel.pdf")});
        EXPECT_TRUE(prive(ouverts[0]) && prive(runtime.filePath("tarvex")));
        EXPECT_EQ(QFileInfo(ouverts[0]).size(), QFile(":/manuel/manuel.pdf").size());
        auto* boite = a.findChild<QMessageBox*>();
        ASSERT_NE(boite, nullptr);
        EXPECT_TRUE(boite->text().contains(ouverts[0])) << boite->text().toStdString();
        QFile::remove(ouverts[0]);
        EXPECT_EQ(a.fichierManuel(), ouverts[0]);
        EXPECT_TRUE(QFile::exists(ouverts[0]));
    }
    {
        // The desktop's opener: with no application known for PDF files, the message at
        // once and xdg-open never runs; with one (here by an alias of PDF), a busy cursor
        // while xdg-open starts it.
        QTemporaryDir xdg;
        const auto ecrire = [&xdg](const char* nom, const char* texte) {
            QDir(xdg.path()).mkpath(QFileInfo(nom).path());
            QFile f(xdg.filePath(nom));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(texte) > 0);
            f.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        };
        ecrire("bin/xdg-open", "#!/bin/sh\n: > \"$0.lance\"\nexit 3\n");
        const QByteArray chemin = qgetenv("PATH");
        for (const char* v :
             {"XDG_DATA_HOME", "XDG_DATA_DIRS", "XDG_CONFIG_HOME", "XDG_CONFIG_DIRS", "MAILCAPS"})
            qputenv(v, xdg.path().toUtf8()); // nothing there: no application for PDF files
        qputenv("PATH", xdg.filePath("bin").toUtf8()), qunsetenv("BROWSER");
        Affichage a;
        montrer(a);
        std::int64_t maintenant = 0;
        a.manuel().horloge([&] { return maintenant; });
        QTest::keyClick(a.widget(ctl("cmdEnter")), Qt::Key_F1);
        delete a.findChild<QMessageBox*>(); // there at once
        EXPECT_FALSE(QFile::exists(xdg.filePath("bin/xdg-open.lance")));
        ecrire("applications/lecteur.desktop", "[Desktop Entry]\nMimeType=image/pdf;\n");
        maintenant = 2000;
        QTest::keyClick(a.widget(ctl("cmdEnter")), Qt::Key_F1);
        EXPECT_TRUE(QGuiApplication::overrideCursor() &&
                    QGuiApplication::overrideCursor()->shape() == Qt::BusyCursor);
        EXPECT_TRUE(QTest::qWaitFor([&] { return a.findChild<QMessageBox*>() != nullptr; }));
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_TRUE(QFile::exists(xdg.filePath("bin/xdg-open.lance")));
        qputenv("PATH", chemin);
    }
    // The folders of runs that ended without removing theirs: removed by the next run where
    // the run is gone or its PID runs another program; kept while it may be alive.
    qunsetenv("XDG_RUNTIME_DIR");
    QTemporaryDir temporaire; // PIDs: none can be so large; init; this test's own; none
    const QStringList noms = {"tarvex-999999999-abc123", "tarvex-1-abc123",
                              QString("tarvex-%1-abc123").arg(QCoreApplication::applicationPid()),
                              "tarvex-abc123"};
    for (const QString& n : noms) QDir(temporaire.path()).mkpath(n + "/sous-dossier");
    qputenv("TMPDIR", temporaire.path().toUtf8());
    Affichage(); // a run starts
    EXPECT_EQ(QDir(temporaire.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot), noms.mid(2));
    qputenv("TMPDIR", "/nonexistent/tmp");
    auto a = std::make_unique<Affichage>();
    const QString dossier = QFileInfo(a->fichierManuel()).absolutePath();
    EXPECT_TRUE(dossier.startsWith("/tmp/tarvex-") && prive(dossier)) << dossier.toStdString();
    std::raise(SIGTERM);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !QFileInfo::exists(dossier); }));
    const QString autre = QFileInfo(a->fichierManuel()).absolutePath();
    EXPECT_TRUE(QFileInfo::exists(autre));
    a.reset();
    EXPECT_FALSE(QFileInfo::exists(autre));
    qunsetenv("TMPDIR");
}

// Zoom by the window's shortcuts, by the keys that carry 0, + and - on QWERTY, AZERTY and
// QWERTZ: geometry and fonts together, from 50 % up to the largest step that fits the
// screen's available area (here one of 1000 x 800, then 683 x 384: 1366 x 768 at scale 2),
// the journal's window with them.
TEST(Fenetre, Zoom)
{
    Affichage a;
    const QSize ecran = a.screen()->availableGeometry().size();
    EXPECT_TRUE(a.zoom() <= 100 && a.width() < ecran.width() && a.height() < ecran.height());
    montrer(a);
    raccourci(a, Qt::Key_J);
    const auto cle = [&a](Qt::Key k, Qt::KeyboardModifiers m = Qt::ControlModifier) {
        QTest::sendKeyEvent(QTest::Click, a.focusWidget(), k, QString(), m);
    };
    const auto taille = [](double f) { return QSize(qRound(657 * f), qRound(564 * f)); };
    a.placeDisponible({1000, 800});
    for (int i = 0; i < 9; ++i) cle(Qt::Key_Plus, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(std::pair(a.zoom(), a.size()), std::pair(130, taille(1.3)));
    EXPECT_DOUBLE_EQ(a.widget(ctl("lblResultat"))->font().pointSizeF(), 24 * 1.3);
    for (int i = 0; i < 9; ++i)
        cle(i % 2 ? Qt::Key_Minus : Qt::Key_Underscore,
            Qt::ControlModifier | (i % 2 ? Qt::NoModifier : Qt::ShiftModifier));
    EXPECT_EQ(a.size(), taille(0.5));
    const qreal police = a.journal()->font().pointSizeF();
    cle(Qt::Key_Agrave); // AZERTY's "0" key without Shift
    EXPECT_EQ(a.size(), taille(1));
    EXPECT_DOUBLE_EQ(a.journal()->font().pointSizeF(), police * 2);
    a.placeDisponible({683, 384});
    cle(Qt::Key_Equal), cle(Qt::Key_0);
    EXPECT_EQ(a.zoom(), 60); // 100 % does not fit
    cle(Qt::Key_Plus);
    EXPECT_EQ(a.zoom(), 60);
    EXPECT_TRUE(a.journal()->height() + 40 <= 384 && a.journal()->width() + 10 <= 683);
    EXPECT_EQ(a.session().affichage(), "+0.0");
}

// The labels whose change was signalled, and "dit " with what was announced, in order.
QStringList evenements;

// What a screen reader finds: French names, the tooltip as description without its
// quotation marks, the labels' text as value (and after the name of those that show a value)
// and their changes signalled, each event's result announced once, options whose action is a click,
// the manual's icon a button that opens it.
TEST(Fenetre, LecteurDEcran)
{
    ecouterAnnonces([](QAccessibleEvent* e) {
        const auto* w = static_cast<QWidget*>(e->object());
        evenements << (e->type() == QAccessible::ObjectShow ? "dit " + w->accessibleName()
                                                            : w->objectName());
    });
    Affichage a;
    montrer(a);
    long ouvertures = 0;
    a.ouvreurManuel([&](const QString&) { return ++ouvertures > 0; });
    const auto ia = [&a](IdControle c) {
        return QAccessible::queryAccessibleInterface(a.widget(c));
    };
    const auto decrire = [](QAccessibleInterface* i) {
        return QStringList{QString::number(i->role()), i->text(QAccessible::Name),
                           i->text(QAccessible::Description), i->text(QAccessible::Value)}
            .join('|')
            .toStdString();
    };
    EXPECT_EQ(decrire(QAccessible::queryAccessibleInterface(&a)), "9|Tarvex V2.0||");
    for (char32_t c : std::u32string_view(U"7\r")) touche(a, c);
    const std::pair<IdControle, const char*> attendus[] = {
        {ctl("cmdChiffre(7)"), "43|Chiffre 7||"},
        {ctl("cmdYtoX"), "43|Y puissance X|Y à la puissance X|"},
        {ctl("Option2"), "45|Degré||"},
        {ctl("OLE1"), "43|Manuel d'utilisation||"},
        {ctl("Label5"), "41|X 7|Visualisation de la pile: X|7"},
        {ctl("lblResultat"), "41|Affichage 7.0000000E+00|Zone d'affichage|7.0000000E+00"},
        {ctl("lblDegRadGra"), "41|Unité d'angle radian|Témoin du choix radian - degré|radian"},
        {ctl("Label6"), "41|Pile||"},
    };
    for (auto [c, attendu] : attendus)
        EXPECT_EQ(decrire(ia(c)), attendu) << Session::definition(c).nom;
    for (char32_t c : std::u32string_view(U"12\r3+1\r0/Oq")) touche(a, c);
    cliquer(a, ctl("cmdFixe"));
    touche(a, U'2'); // once per event, after the label's own signal; nothing for an entry
    EXPECT_EQ(evenements.filter(QRegularExpression("^dit |Label5|lblDegRadGra|lblChiffre"))
                  .join(", ")
                  .toStdString(),
              "Label5, lblChiffre, lblDegRadGra, Label5, dit 7, Label5, dit 12, Label5, dit 15, "
              "Label5, dit 1, Label5, dit Division par 0, lblDegRadGra, dit Division par 0, "
              "dit Nb décimale?..., lblChiffre, dit Division par 0");
    Session r;
    r.cliquer(ctl("Option2"));
    ia(ctl("Option2"))->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(a.session().etat().FacteurAngle, r.etat().FacteurAngle);
    EXPECT_TRUE(ia(ctl("Option2"))->state().checked && !ia(ctl("Option1"))->state().checked);
    ia(ctl("OLE1"))->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(ouvertures, QFile::exists(":/manuel/manuel.pdf") ? 1 : 0);
    for (char32_t c : std::u32string_view(U"1\r2f3\r4fX")) touche(a, c); // statistics mode
    EXPECT_EQ(ia(ctl("cmdExp"))->text(QAccessible::Name), "Somme des X");
    touche(a, U'B');
    EXPECT_EQ(ia(ctl("cmdExp"))->text(QAccessible::Name), "Exponentielle de X");
    ecouterAnnonces(nullptr);
}

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen"); // test discovery
    QApplication application(argc, argv);
    installerTraductionsQt(application);
    return RUN_ALL_TESTS();
}
