// Writes sample PDF reports (English and Vietnamese, 30 applications, a
// two-line note and workspace branding with a logo) into a folder, by
// default "samples" in the build folder, for looking at them.

#include "ReportFixtures.h"

#include "audit/MacReportPDF.h"

#include <QDir>
#include <QGuiApplication>
#include <QTextStream>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(TAVRIN_SAMPLE_DIR);
    const QString cacheFolder = QDir(folder).filePath(QStringLiteral("cache"));
    QDir().mkpath(folder);
    qputenv("TAVRIN_MAC_CACHE_DIR", QFile::encodeName(cacheFolder));
    const QString logo = QStringLiteral("data:image/png;base64,")
        + QString::fromLatin1(ReportFixtures::pngImage(QSize(200, 100), QColor(15, 159, 143)).toBase64());
    ReportFixtures::writeWorkspaceCache(cacheFolder, QStringLiteral("  Đà Nẵng Field Technicians  "), logo);

    QTextStream out(stdout);
    int status = 0;
    for (const bool vietnamese : {false, true}) {
        const QString language = vietnamese ? QStringLiteral("vi") : QStringLiteral("en");
        const QString path = QDir(folder).filePath(QStringLiteral("report-%1.pdf").arg(language));
        const auto error = MacReportPDF::write(ReportFixtures::textReport(QStringLiteral("report-%1.txt").arg(language)),
                                               ReportFixtures::sampleApplications(),
                                               ReportFixtures::sampleProfile(vietnamese), path);
        if (error) {
            out << path << ": " << error->description() << Qt::endl;
            status = 1;
        } else {
            out << path << Qt::endl;
        }
    }
    return status;
}
