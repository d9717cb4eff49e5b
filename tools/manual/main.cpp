// tarvex-manuel: lays the user manual out on A4 pages with Qt's rich-text engine and writes
// it as a PDF, the document that the window embeds.
//
//     tarvex-manuel MANUEL.html MANUEL.pdf
//
// The manual is a three-page document: when the layout gives another number of pages the
// tool writes nothing and exits with status 1, so that the build stops on a manual that has
// grown (or shrunk) instead of shipping it.
#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>

#include <cstdio>

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

} // namespace

int main(int argc, char* argv[])
{
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

    QDir().mkpath(QFileInfo(target).absolutePath());
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly) || out.write(pdf.data()) != pdf.size() || !out.commit())
        return fail(QStringLiteral("cannot write %1: %2").arg(target, out.errorString()));
    return 0;
}
