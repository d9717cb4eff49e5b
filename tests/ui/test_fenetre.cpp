// The window against the calculator it mirrors: the controls built from the window table,
// clicks and key presses reaching their operation exactly once, and the widgets showing
// what tarvex-replay prints for the same script.
#define QTEST_QPA_MOUSE_HANDLING // clicks go through the window, as a real mouse's do
#include <gtest/gtest.h>

#include <QTest>
#include <QtWidgets>

#include <random>

#include "Script.h"
#include "ui/Affichage.h"

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
    return w->property(qobject_cast<QGroupBox*>(w) ? "title" : "text").toString();
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
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(std::string(c.focus) + " " + QKeySequence(c.k).toString().toStdString());
        Affichage a;
        montrer(a);
        long ouvertures = 0;
        a.ouvreurManuel([&](const QString&) { ++ouvertures; });
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

TEST(Fenetre, CouleursExactes)
{
    Affichage a;
    montrer(a);
    touche(a, U'I'); // the hyperbolic prefix colours the trigonometric keys cyan
    ASSERT_EQ(a.session().controles()[Ctl::cmdSin].fond, couleurs::Cyan);
    ASSERT_EQ(a.session().controles()[Ctl::cmdScient].fond, couleurs::Jaune);
    for (const DefinitionControle& d : tableControles()) {
        const Couleur fond = a.session().controles()[d.id].fond;
        auto* b = qobject_cast<QPushButton*>(a.widget(d.id));
        if (b == nullptr) continue;
        EXPECT_EQ(b->styleSheet().isEmpty(), !d.peintFond || fond == couleurs::FaceBouton) << d.nom;
        if (b->styleSheet().isEmpty()) continue;
        b->setText({}); // the caption aside, the whole face shows the colour
        const QImage image = a.grab().toImage();
        const qreal r = image.devicePixelRatio(); // QT_SCALE_FACTOR
        const QImage face =
            image.copy(QRect(b->mapTo(&a, QPoint()) * r, b->size() * r).adjusted(4, 4, -4, -4));
        QImage attendue(face.size(), face.format());
        attendue.fill(QColor(QString::fromStdString(nomCouleur(fond))));
        EXPECT_TRUE(face == attendue) << d.nom << " is not all " << nomCouleur(fond);
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

TEST(Fenetre, ManuelPriveEnPdf)
{
    Affichage a;
    montrer(a);
    QStringList ouverts;
    a.ouvreurManuel([&](const QString& chemin) { ouverts << chemin; });
    QTest::mouseDClick(a.widget(Ctl::OLE1), Qt::LeftButton);
    EXPECT_EQ(a.session().controles().manuelsOuverts(), 1);
    QFile ressource(":/manuel/manuel.pdf");
    if (!ressource.exists()) GTEST_SKIP() << "no manual embedded in this build";
    ASSERT_EQ(ouverts.size(), 1);
    const QFileInfo fichier(ouverts[0]);
    EXPECT_EQ(fichier.suffix(), "pdf");
    const auto autres = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup |
                        QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;
    EXPECT_EQ(fichier.permissions() & autres, 0);
    EXPECT_EQ(QFileInfo(fichier.absolutePath()).permissions() & autres, 0);
    EXPECT_EQ(fichier.size(), ressource.size());
}

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen"); // test discovery
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
