// The calculator state and the control model as one line of JSON.
#include "EtatJson.h"

#include "core/Couleur.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QString>

#include <cmath>
#include <string>

namespace tarvex::replay {

namespace {

// QJsonDocument writes every finite double in its shortest round-trip form ("7", "0.1",
// "1e+300", "5e-324"), independently of the C locale, but it stores an integral double
// as an integer, so negative zero comes out as "0". Negative zero therefore goes in as
// this string and ecrireJson replaces the written string token by -0.0. The token is
// matched with its quotes, so only a JSON string whose whole content is the placeholder
// can match; no text of the calculator contains a control character (the key map beeps
// at them and the entry line takes only digits, ".", "E" and signs), so none can be it.
const QString ZeroNegatif = QStringLiteral("\u0001-0.0");

QByteArray jetonZeroNegatif()
{
    // The placeholder as the writer escapes it, found by writing it rather than guessed.
    const QByteArray tableau =
        QJsonDocument(QJsonArray{ZeroNegatif}).toJson(QJsonDocument::Compact);
    return tableau.mid(1, tableau.size() - 2); // without [ and ]
}

QJsonValue texte(std::string_view s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QJsonValue booleen(std::int16_t b) { return b != 0; }

QJsonValue cellule(const Cellule& c)
{
    return c.estTexte() ? texte(c.texteBrut()) : nombreJson(c.nombreBrut());
}

QJsonObject controle(const DefinitionControle& def, const EtatControle& etat)
{
    QJsonObject o{
        {QStringLiteral("caption"), texte(etat.legende)},
        {QStringLiteral("tooltip"), texte(etat.infobulle)},
        {QStringLiteral("visible"), etat.visible},
        {QStringLiteral("enabled"), etat.actif},
        {QStringLiteral("background"), texte(nomCouleur(etat.fond))},
    };
    if (def.genre == Genre::Option) o.insert(QStringLiteral("selected"), etat.selectionne);
    return o;
}

} // namespace

QJsonValue nombreJson(double v)
{
    if (std::isnan(v)) return QStringLiteral("NaN");
    if (std::isinf(v)) return v > 0 ? QStringLiteral("Infinity") : QStringLiteral("-Infinity");
    if (v == 0.0 && std::signbit(v)) return ZeroNegatif;
    return v;
}

QByteArray ecrireJson(const QJsonObject& objet)
{
    static const QByteArray jeton = jetonZeroNegatif();
    QByteArray sortie = QJsonDocument(objet).toJson(QJsonDocument::Compact);
    sortie.replace(jeton, QByteArrayLiteral("-0.0"));
    return sortie;
}

QJsonObject etatJson(const Session& session, std::string_view pressePapier,
                     std::string_view localeNumeric)
{
    const EtatCalculatrice& e = session.etat();
    const ModeleControles& v = session.controles();

    QJsonArray pile;
    for (const Cellule& c : e.Pile) pile.append(cellule(c));
    QJsonArray registres;
    for (double r : e.Registres) registres.append(nombreJson(r));

    QJsonObject controles;
    for (const DefinitionControle& def : tableControles())
        controles.insert(QString::fromUtf8(def.nom.data(), static_cast<qsizetype>(def.nom.size())),
                         controle(def, v[def.id]));

    const std::string_view focus = definition(v.focus()).nom;

    return QJsonObject{
        {QStringLiteral("Pile"), pile},
        {QStringLiteral("Registres"), registres},
        {QStringLiteral("DernierX"), nombreJson(e.DernierX)},
        {QStringLiteral("Tampon"), nombreJson(e.Tampon)},
        {QStringLiteral("FacteurAngle"), nombreJson(e.FacteurAngle)},
        {QStringLiteral("NbCaracteres"), e.NbCaracteres},
        {QStringLiteral("ModeTouche"), e.ModeTouche},
        {QStringLiteral("NbDecimales"), e.NbDecimales},
        {QStringLiteral("NbEchantillons"), e.NbEchantillons},
        {QStringLiteral("ChiffreDecimales"), static_cast<int>(e.ChiffreDecimales)},
        {QStringLiteral("Compteur"), e.Compteur},
        {QStringLiteral("SaisieExposant"), booleen(e.SaisieExposant)},
        {QStringLiteral("PointDecimal"), booleen(e.PointDecimal)},
        {QStringLiteral("EntreeParLettre"), booleen(e.EntreeParLettre)},
        {QStringLiteral("ModeRadian"), booleen(e.ModeRadian)},
        {QStringLiteral("FormatAffichage"), texte(e.FormatAffichage)},
        {QStringLiteral("Chaine"), texte(e.Chaine)},
        {QStringLiteral("Caractere"), texte(e.Caractere)},
        {QStringLiteral("SommeX"), nombreJson(e.SommeX)},
        {QStringLiteral("SommeY"), nombreJson(e.SommeY)},
        {QStringLiteral("SommeX2"), nombreJson(e.SommeX2)},
        {QStringLiteral("SommeY2"), nombreJson(e.SommeY2)},
        {QStringLiteral("SommeXY"), nombreJson(e.SommeXY)},
        {QStringLiteral("EcartXX"), nombreJson(e.EcartXX)},
        {QStringLiteral("EcartYY"), nombreJson(e.EcartYY)},
        {QStringLiteral("EcartXY"), nombreJson(e.EcartXY)},
        {QStringLiteral("Pente"), nombreJson(e.Pente)},
        {QStringLiteral("Ordonnee"), nombreJson(e.Ordonnee)},
        {QStringLiteral("controls"), controles},
        {QStringLiteral("focus"), texte(focus)},
        {QStringLiteral("beeps"), static_cast<qint64>(v.bips())},
        {QStringLiteral("manualOpened"), static_cast<qint64>(v.manuelsOuverts())},
        {QStringLiteral("PressePapier"), texte(pressePapier)},
        {QStringLiteral("undoDepth"), session.annulables()},
        {QStringLiteral("redoDepth"), session.retablissables()},
        {QStringLiteral("localeNumeric"), texte(localeNumeric)},
    };
}

} // namespace tarvex::replay
