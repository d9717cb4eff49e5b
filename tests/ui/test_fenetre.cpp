// The window against the calculator it mirrors: the controls built from the window table,
// clicks and key presses reaching their operation exactly once, and the widgets showing
// what tarvex-replay prints for the same script.
#define QTEST_QPA_MOUSE_HANDLING // clicks go through the window, as a real mouse's do
#include <gtest/gtest.h>

#include <QTest>
#include <QtWidgets>

#include <csignal>
#include <random>

#include "Script.h"
#include "ui/Accessibilite.h"
#include "ui/Affichage.h"
#include "ui/Apparence.h"
#include "ui/Dessin.h"

using namespace tarvex;

namespace {

QString nom(Ctl c)
{
    return QString::fromUtf8(definition(c).nom.data(), qsizetype(definition(c).nom.size()));
}

const std::vector<Ctl> cliquables = [] {
    std::vector<Ctl> c;
    for (const DefinitionControle& d : tableControles())
        if (accepteClic(d.id)) c.push_back(d.id);
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

void cliquer(Affichage& a, Ctl c)
{
    QWidget* w = a.widget(c);
    const int m = w->height() / 2; // an option button is clicked on its circle
    QTest::mouseClick(w, Qt::LeftButton, {},
                      definition(c).genre == Genre::Option ? QPoint(m, m) : w->rect().center());
}

QString legende(QWidget* w)
{
    auto* cadre = dynamic_cast<Cadre*>(w);
    return cadre ? cadre->title() : w->property("text").toString();
}

// Every difference between the widgets and a state printed by tarvex-replay.
QString differences(Affichage& a, const QJsonObject& j)
{
    QString d;
    const auto ecart = [&](const QString& quoi, const QVariant& vu, const QJsonValue& attendu) {
        if (vu != attendu.toVariant())
            d += quoi + ": " + vu.toString() + " / " + attendu.toVariant().toString() + '\n';
    };
    for (const DefinitionControle& def : tableControles()) {
        QWidget* w = a.widget(def.id);
        const QString n = nom(def.id);
        const QJsonObject o = j["controls"][n].toObject();
        ecart(n + ".caption", legende(w), o["caption"]);
        ecart(n + ".tooltip", w->toolTip(), o["tooltip"]);
        ecart(n + ".visible", !w->isHidden(), o["visible"]);
        ecart(n + ".enabled", w->isEnabled(), o["enabled"]);
        if (def.genre == Genre::Option)
            ecart(n + ".selected", static_cast<QRadioButton*>(w)->isChecked(), o["selected"]);
    }
    ecart("focus", focus(a)->objectName(), j["focus"]);
    return d;
}

// Plays the script on a new window, comparing with tarvex-replay at every dump; after every
// event exactly one of the format labels is visible.
void commeLeReplay(const QString& script, const std::string& quoi)
{
    const QList<QJsonObject> attendus = rejouer(script);
    const replay::Lecture lecture = replay::lireScript(script.toStdString());
    ASSERT_FALSE(lecture.erreur);
    Affichage a;
    montrer(a);
    qsizetype n = 0;
    for (const replay::Evenement& e : lecture.script.evenements) {
        if (e.verbe == replay::Verbe::Clic) cliquer(a, e.controle);
        if (e.verbe == replay::Verbe::Touche) touche(a, char32_t(e.code));
        ASSERT_NE(a.widget(Ctl::lblfixe)->isHidden(), a.widget(Ctl::lblscien)->isHidden())
            << e.ligne;
        if (e.verbe != replay::Verbe::Dump) continue;
        ASSERT_LT(n, attendus.size());
        const QString d = differences(a, attendus[n++]);
        ASSERT_TRUE(d.isEmpty()) << quoi << ", line " << e.ligne << ":\n" << d.toStdString();
    }
    EXPECT_EQ(n, attendus.size());
}

} // namespace

// Run also under QT_SCALE_FACTOR 1.25 and 2: the logical layout must not move.
TEST(Fenetre, ControlesDeLaTable)
{
    Affichage a;
    montrer(a);
    for (const DefinitionControle& d : tableControles()) {
        QWidget* w = a.widget(d.id);
        ASSERT_NE(w, nullptr);
        SCOPED_TRACE(d.nom);
        EXPECT_EQ(w->objectName(), nom(d.id));
        EXPECT_EQ(w->parentWidget(), d.parent ? a.widget(*d.parent) : &a);
        const QRect g = w->geometry(); // 15 twips to the pixel, exactly
        EXPECT_EQ(QRect(g.x() * 15, g.y() * 15, g.width() * 15, g.height() * 15),
                  QRect(d.gauche, d.haut, d.largeur, d.hauteur));
        EXPECT_EQ(std::pair(w->font().bold(), w->font().pointSizeF()),
                  std::pair(d.police.gras, double(d.police.points)));
    }
    // Captions, tooltips, visibility, options and focus at start: those of tarvex-replay.
    const QString d = differences(a, rejouer("").value(0));
    EXPECT_TRUE(d.isEmpty()) << d.toStdString();
    EXPECT_EQ(a.size(), QSize(657, 564));
    EXPECT_EQ(
        a.grab().size(),
        (QSizeF(657, 564) * qEnvironmentVariable("QT_SCALE_FACTOR", "1").toDouble()).toSize());
}

TEST(Fenetre, ClicsCommeLeReplay)
{
    // Every clickable control after a digit, in the table's order; then backwards, each under
    // the hyperbolic prefix (where the H and AH keys differ).
    QString avant, arriere;
    for (Ctl c : cliquables) {
        avant += "key 2\nclick " + nom(c) + "\ndump\n";
        arriere.prepend("key 3\nkey I\nclick " + nom(c) + "\ndump\n");
    }
    commeLeReplay(avant, "table order");
    commeLeReplay(arriere, "reverse order");
}

TEST(Fenetre, SequencesAleatoiresCommeLeReplay)
{
    const std::u32string touches =
        U"0123456789eE,.+-*/=abcdefghijklmnopqrstuvwxyzABCDFGHIJKLMNOPQRSTUVWXYZ\r\r\r\b\t é";
    for (unsigned graine : {11u, 22u, 33u}) {
        std::mt19937 g(graine);
        QString script;
        for (int i = 1; i <= 300; ++i) {
            const unsigned r = g() % 100; // 45 % clicks, 2 % Escape
            const char32_t k = r < 2 ? 27 : touches[g() % touches.size()];
            script += r >= 55 ? "click " + nom(cliquables[g() % cliquables.size()])
                              : QString("key U+%1").arg(uint(k), 4, 16, QChar('0'));
            script += i % 50 ? "\n" : "\ndump\n";
        }
        commeLeReplay(script, "seed " + std::to_string(graine));
    }
    std::mt19937 g(5); // display format keys only
    QString formats;
    for (int i = 1; i <= 400; ++i)
        formats += QStringList{"click cmdFixe", "click cmdScient", "key Escape",
                               "key " + QString::number(g() % 10)}[g() % 4] +
                   (i % 40 ? "\n" : "\ndump\n");
    commeLeReplay(formats, "format keys");
}

// Each key press reaches Form_KeyPress exactly once, whatever widget has the focus.
TEST(Fenetre, ToucheUneFoisQuelQueSoitLeFocus)
{
    struct Cas {
        const char* focus;
        Qt::Key k;
        const char* texte;
        Qt::KeyboardModifiers m;
        std::vector<int> codes;
    };
    const Cas cas[] = {
        // the focused control, the key, and what Form_KeyPress must receive
        {"cmdEnter", Qt::Key_5, "5", {}, {'5'}},
        {"Option2", Qt::Key_8, "8", {}, {'8'}},
        {"cmdFixe", Qt::Key_4, "4", {}, {'4'}},
        {"cmdChiffre(7)", Qt::Key_Plus, "+", {}, {'+'}},
        {"cmdPlus", Qt::Key_A, "A", Qt::ShiftModifier, {'A'}},
        {"cmdEnter", Qt::Key_Return, "\r", {}, {13}},
        {"cmdEnter", Qt::Key_Enter, "\r", Qt::KeypadModifier, {13}},
        {"cmdEnter", Qt::Key_Space, " ", {}, {32}},
        {"cmdSin", Qt::Key_Tab, "\t", {}, {9}},
        {"cmdEnter", Qt::Key_Left, "", {}, {}},
        {"cmdChiffre(2)", Qt::Key_Shift, "", Qt::ShiftModifier, {}},
        {"cmdEnter", Qt::Key_F1, "", {}, {}},
        {"cmdEnter", Qt::Key_A, "a", Qt::AltModifier, {}}, // no character, no beep
        {"cmdEnter", Qt::Key_Plus, "+", Qt::ControlModifier, {}},
        {"cmdEnter", Qt::Key_Minus, "-", Qt::ControlModifier | Qt::KeypadModifier, {}},
        {"cmdEnter", Qt::Key_Minus, "-", Qt::KeypadModifier, {'-'}},
        {"cmdEnter", Qt::Key_At, "@", Qt::GroupSwitchModifier, {'@'}}, // AltGr
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(std::string(c.focus) + " " + QKeySequence(c.k).toString().toStdString());
        Affichage a;
        montrer(a);
        long ouvertures = 0;
        a.ouvreurManuel([&](const QString&) { return ++ouvertures > 0; });
        Session r; // the reference: the same events straight to a session
        touche(a, U'1'), touche(a, U'2'), r.appuyer('1'), r.appuyer('2');
        const Ctl f = *controleParNom(c.focus);
        cliquer(a, f), r.cliquer(f);
        ASSERT_EQ(a.focusWidget(), a.widget(r.controles().focus()));
        QTest::sendKeyEvent(QTest::Click, a.focusWidget(), c.k, c.texte, c.m);
        for (int code : c.codes) r.appuyer(code);
        for (const DefinitionControle& d : tableControles())
            EXPECT_EQ(legende(a.widget(d.id)).toStdString(), r.controles()[d.id].legende) << d.nom;
        EXPECT_EQ(a.session().controles().bips(), r.controles().bips());
        EXPECT_EQ(a.session().controles().manuelsOuverts(), c.k == Qt::Key_F1);
        EXPECT_EQ(ouvertures, c.k == Qt::Key_F1 && QFile::exists(":/manuel/manuel.pdf"));
        EXPECT_EQ(a.focusWidget(), a.widget(r.controles().focus())); // Tab moves nothing
    }
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
    const auto& modele = a.session().controles();
    ASSERT_EQ(modele[Ctl::cmdSin].fond, couleurs::Cyan);
    ASSERT_EQ(modele[Ctl::cmdScient].fond, couleurs::Jaune);
    const auto image = [&a](Ctl c) {
        const QImage tout = a.grab().toImage();
        const qreal r = tout.devicePixelRatio(); // QT_SCALE_FACTOR
        QWidget* w = a.widget(c);
        return tout.copy(QRect(w->mapTo(&a, QPoint()) * r, w->size() * r)
                             .adjusted(5 * r, 5 * r, -5 * r, -5 * r));
    };
    for (auto [c, fond] :
         {std::pair(Ctl::lblResultat, "#ffffff"), std::pair(Ctl::cmdScient, "#ffff00")}) {
        const QImage z = image(c);
        int sombreMin = 255; // the darkest pixel: the text
        for (int y = 0; y < z.height(); ++y)
            for (int x = 0; x < z.width(); ++x)
                sombreMin = std::min(sombreMin, z.pixelColor(x, y).lightness());
        EXPECT_EQ(z.pixelColor(z.width() - 1, 0).name(), fond) << definition(c).nom;
        EXPECT_LT(sombreMin, 60) << definition(c).nom;
    }
    for (const DefinitionControle& d : tableControles()) {
        auto* b = qobject_cast<QPushButton*>(a.widget(d.id));
        if (b == nullptr) continue;
        b->setText({}); // the caption aside, the whole face shows the colour
        const QImage face = image(d.id);
        QImage attendue(face.size(), face.format());
        attendue.fill(couleurQt(modele[d.id].fond));
        EXPECT_TRUE(face == attendue) << d.nom << " is not all " << nomCouleur(modele[d.id].fond);
    }
    QApplication::setPalette(avant);
}

// Captions are drawn whole: smaller when needed, elided in the middle below the floor.
TEST(Fenetre, LegendesEntieres)
{
    Affichage a;
    montrer(a);
    // What is wrong with the drawn caption of c: not whole, or wider or higher than its place.
    const auto defaut = [&a](Ctl c) {
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
    EXPECT_EQ(legende(a.widget(Ctl::Label5)), "-1.42857142857143E-301");
    EXPECT_EQ(defaut(Ctl::Label5), "");
    cliquer(a, Ctl::cmdFixe);
    for (char32_t c : std::u32string_view(U"E1e300\r")) touche(a, c); // 316 characters
    a.grab();
    const QString long_ = legende(a.widget(Ctl::lblResultat));
    const QStringList affiche = legendeDe(a.widget(Ctl::lblResultat))->dernier().lignes;
    ASSERT_EQ(affiche.size(), 1);
    const QStringList bouts = affiche[0].split(QStringLiteral("…"));
    EXPECT_TRUE(bouts.size() == 2 && long_.startsWith(bouts[0]) && long_.endsWith(bouts[1]) &&
                bouts[0].size() > 10 && bouts[1].size() > 10)
        << affiche[0].toStdString();
    // A wider fallback font: every caption still whole.
    touche(a, 27), touche(a, 13);
    for (const DefinitionControle& d : tableControles()) {
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setPointSizeF(d.police.points), f.setBold(d.police.gras);
        a.widget(d.id)->setFont(f);
    }
    for (const DefinitionControle& d : tableControles()) {
        if (legendeDe(a.widget(d.id)) && a.widget(d.id)->isVisible()) {
            EXPECT_EQ(defaut(d.id), "") << d.nom;
        }
    }
}

TEST(Fenetre, CopierDonneLeTexteAffiche)
{
    Affichage a;
    montrer(a);
    auto* resultat = static_cast<QLabel*>(a.widget(Ctl::lblResultat));
    for (std::u32string_view saisie : {U"2\r3/", U"45e12O"}) { // a result, then an entry
        for (char32_t c : saisie) touche(a, c);
        QGuiApplication::clipboard()->setText("avant");
        QTimer::singleShot(0, &a, [] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            for (QAction* action : menu ? menu->actions() : QList<QAction*>{})
                if (action->text() == "Copier") action->trigger(), menu->close();
        });
        QTest::mouseClick(resultat, Qt::RightButton);
        EXPECT_EQ(QGuiApplication::clipboard()->text(), resultat->text());
    }
}

// The manual: one private file reused under $XDG_RUNTIME_DIR, written again when it has gone;
// else a private folder under a temporary directory that exists, removed on SIGTERM and on
// close. Requests within two seconds open one viewer; a viewer that fails is reported.
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
        QTest::mouseDClick(a.widget(Ctl::OLE1), Qt::LeftButton);
        QTest::keyClick(a.focusWidget(), Qt::Key_F1);
        EXPECT_EQ(a.session().controles().manuelsOuverts(), 2);
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
    qunsetenv("XDG_RUNTIME_DIR");
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

// Zoom by the window's shortcuts, from 50 % to 300 %: geometry and fonts together.
TEST(Fenetre, Zoom)
{
    Affichage a;
    const QSize place = a.screen()->availableGeometry().size();
    EXPECT_TRUE(a.zoom() <= 100 && a.width() < place.width() && a.height() < place.height());
    montrer(a);
    const auto cle = [&a](Qt::Key k, const char* t, Qt::KeyboardModifiers m) {
        QTest::sendKeyEvent(QTest::Click, a.focusWidget(), k, t, m);
    };
    const auto taille = [](double f) { return QSize(qRound(657 * f), qRound(564 * f)); };
    for (int i = 0; i < 3; ++i) cle(Qt::Key_Plus, "+", Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(a.size(), taille(1.3));
    EXPECT_DOUBLE_EQ(a.widget(Ctl::lblResultat)->font().pointSizeF(), 24 * 1.3);
    for (int i = 0; i < 9; ++i) cle(Qt::Key_Minus, "-", Qt::ControlModifier);
    EXPECT_EQ(a.size(), taille(0.5));
    cle(Qt::Key_0, "0", Qt::ControlModifier);
    EXPECT_EQ(a.size(), taille(1));
    EXPECT_EQ(a.session().controles()[Ctl::lblResultat].legende, "+0.0");
}

std::vector<std::pair<QObject*, QAccessible::Event>> evenements;

// What a screen reader finds: French names, the tooltip as description without its
// quotation marks, the stack lines' and the display's text as value, the display's changes
// announced, options whose action is a click, the manual's icon a button that opens it.
TEST(Fenetre, LecteurDEcran)
{
    ecouterAnnonces([](QAccessibleEvent* e) { evenements.emplace_back(e->object(), e->type()); });
    Affichage a;
    montrer(a);
    long ouvertures = 0;
    a.ouvreurManuel([&](const QString&) { return ++ouvertures > 0; });
    const auto ia = [&a](Ctl c) { return QAccessible::queryAccessibleInterface(a.widget(c)); };
    const auto decrire = [](QAccessibleInterface* i) {
        return QStringList{QString::number(i->role()), i->text(QAccessible::Name),
                           i->text(QAccessible::Description), i->text(QAccessible::Value)}
            .join('|')
            .toStdString();
    };
    EXPECT_EQ(decrire(QAccessible::queryAccessibleInterface(&a)), "9|Tarvex V2.0||");
    for (char32_t c : std::u32string_view(U"7\r")) touche(a, c);
    const std::pair<Ctl, const char*> attendus[] = {
        {Ctl::cmdChiffre7, "43|Chiffre 7||"},
        {Ctl::cmdDiv, "43|Diviser||"},
        {Ctl::CmdSquare, "43|Carré de X||"},
        {Ctl::cndLog10, "43|Logarithme décimal||"},
        {Ctl::cmdAHsin, "43|Arc sinus hyperbolique||"},
        {Ctl::cmdYtoX, "43|Y puissance X|Y à la puissance X|"},
        {Ctl::Option2, "45|Degré||"},
        {Ctl::OLE1, "43|Manuel d'utilisation||"},
        {Ctl::Label5, "41|X|Visualisation de la pile: X|7"},
        {Ctl::lblResultat, "41|Affichage|Zone d'affichage|7.0000000E+00"},
    };
    for (auto [c, attendu] : attendus) EXPECT_EQ(decrire(ia(c)), attendu) << definition(c).nom;
    EXPECT_NE(std::find(evenements.begin(), evenements.end(),
                        std::pair<QObject*, QAccessible::Event>(a.widget(Ctl::lblResultat),
                                                                QAccessible::TextUpdated)),
              evenements.end());
    Session r;
    r.cliquer(Ctl::Option2);
    ia(Ctl::Option2)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(a.session().etat().FacteurAngle, r.etat().FacteurAngle);
    EXPECT_TRUE(ia(Ctl::Option2)->state().checked && !ia(Ctl::Option1)->state().checked);
    ia(Ctl::OLE1)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(ouvertures, QFile::exists(":/manuel/manuel.pdf") ? 1 : 0);
    for (char32_t c : std::u32string_view(U"1\r2f3\r4fX")) touche(a, c); // statistics mode
    EXPECT_EQ(ia(Ctl::cmdExp)->text(QAccessible::Name), "Somme des X");
    touche(a, U'B');
    EXPECT_EQ(ia(Ctl::cmdExp)->text(QAccessible::Name), "Exponentielle de X");
    ecouterAnnonces(nullptr);
}

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen"); // test discovery
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
