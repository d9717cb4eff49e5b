// tarvex-manuel: lays the user manual out on A4 pages with Qt's rich-text engine and writes
// it as a PDF, the document that the window embeds.
//
//     tarvex-manuel MANUEL.html MANUEL.pdf
//
// The manual is a three-page document: when the layout gives another number of pages the
// tool writes nothing and exits with status 1, so that the build stops on a manual that has
// grown (or shrunk) instead of shipping it.
//
// The PDF is the same byte for byte from one run to the next, so that the package that
// carries it can be rebuilt identically: its creation date is SOURCE_DATE_EPOCH where that
// is set (the build sets it), and Qt's hashes, which order the font objects, are seeded
// with a constant.
#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHashSeed>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string_view>

namespace {

constexpr int kPages = 3;
constexpr const char* kTitle = "Introduction à la notation polonaise inverse (RPN)";
// Both come with fonts-dejavu-core; the manual uses the second for what the display shows.
// A substitute font would change the line breaks, hence the page count.
constexpr const char* kFonts[] = {"DejaVu Sans", "DejaVu Sans Mono"};
constexpr double kFontPoints = 10.0;

int fail(const QString& message)
{
    std::fprintf(stderr, "tarvex-manuel: %s\n", message.toUtf8().constData());
    return 1;
}

// Qt writes the wall clock into the information dictionary as "/CreationDate (D:<14 digits>Z)"
// under UTC. The date of SOURCE_DATE_EPOCH takes its place, digit for digit, so that no
// offset of the cross-reference table moves. Returns an error, or an empty string.
QString dater(QByteArray& pdf, const char* epoque)
{
    long long secondes = 0;
    const std::string_view texte(epoque);
    const auto [fin, ec] = std::from_chars(texte.data(), texte.data() + texte.size(), secondes);
    if (ec != std::errc() || fin != texte.data() + texte.size() || secondes < 0)
        return QStringLiteral("SOURCE_DATE_EPOCH is not a number of seconds: \"%1\"")
            .arg(QString::fromLocal8Bit(epoque));
    const QByteArray date = QDateTime::fromSecsSinceEpoch(secondes, Qt::UTC)
                                .toString(QStringLiteral("yyyyMMddHHmmss"))
                                .toLatin1();
    static constexpr std::string_view cle = "/CreationDate (D:";
    const qsizetype debut = pdf.indexOf(cle.data());
    const qsizetype place = debut + static_cast<qsizetype>(cle.size());
    if (debut < 0 || date.size() != 14 || pdf.indexOf(cle.data(), place) >= 0 ||
        pdf.mid(place + 14, 2) != "Z)")
        return QStringLiteral("the PDF's creation date is not where it was expected");
    pdf.replace(place, 14, date);
    return {};
}

} // namespace

int main(int argc, char* argv[])
{
    // Before any hash exists: the order of the PDF's font objects follows Qt's hashes.
    QHashSeed::setDeterministicGlobalSeed();
    // Qt dates the PDF in local time, with an offset whose length varies: in UTC it ends
    // with "Z", and the date fits the place that SOURCE_DATE_EPOCH's date will take.
    setenv("TZ", "UTC", 1);
    tzset();
    // The tool draws no window; it must run on a build machine without a display.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: tarvex-manuel MANUEL.html MANUEL.pdf\n");
        return 2;
    }
    const QString source = QString::fromLocal8Bit(argv[1]);
    const QString target = QString::fromLocal8Bit(argv[2]);

    const QStringList families = QFontDatabase::families();
    for (const char* family : kFonts) {
        if (!families.contains(QLatin1String(family)))
            return fail(QStringLiteral("font \"%1\" not found (Debian package fonts-dejavu-core)")
                            .arg(QLatin1String(family)));
    }

    QFile html(source);
    if (!html.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("cannot read %1: %2").arg(source, html.errorString()));

    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        writer.setTitle(QString::fromUtf8(kTitle));
        writer.setCreator(QStringLiteral("tarvex-manuel"));
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(20.0, 18.0, 20.0, 18.0),
                                         QPageLayout::Millimeter));

        QTextDocument document;
        // Lay out at the writer's resolution, so that point sizes mean the same on paper.
        document.documentLayout()->setPaintDevice(&writer);
        QFont font{QString::fromLatin1(kFonts[0])};
        font.setPointSizeF(kFontPoints);
        document.setDefaultFont(font);
        document.setHtml(QString::fromUtf8(html.readAll()));
        document.setPageSize(writer.pageLayout().paintRectPixels(writer.resolution()).size());

        const int pages = document.pageCount();
        if (pages != kPages)
            return fail(QStringLiteral("%1 lays out on %2 pages instead of %3")
                            .arg(source)
                            .arg(pages)
                            .arg(kPages));
        document.print(&writer);
    }

    QByteArray octets = pdf.data();
    if (const char* epoque = std::getenv("SOURCE_DATE_EPOCH"); epoque != nullptr && *epoque) {
        if (const QString erreur = dater(octets, epoque); !erreur.isEmpty()) return fail(erreur);
    }

    QDir().mkpath(QFileInfo(target).absolutePath());
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly) || out.write(octets) != octets.size() || !out.commit())
        return fail(QStringLiteral("cannot write %1: %2").arg(target, out.errorString()));
    return 0;
}
