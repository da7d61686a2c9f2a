// Writes sample PDF reports into a folder, by default "samples" in the build
// folder, for looking at them: English and Vietnamese (30 applications, a
// two-line note and workspace branding with a logo), and "report-long.pdf",
// whose notes and one recommendation are longer than a page and whose
// workspace name is too long for the header.

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

    struct Sample {
        QString name;
        QString reportText;
        QList<InstalledMacApplication> applications;
        MacReportProfile profile;
        QString workspaceName;
    };
    QList<Sample> samples;
    for (const bool vietnamese : {false, true}) {
        const QString language = vietnamese ? QStringLiteral("vi") : QStringLiteral("en");
        samples.append({QStringLiteral("report-%1.pdf").arg(language),
                        ReportFixtures::textReport(QStringLiteral("report-%1.txt").arg(language)),
                        ReportFixtures::sampleApplications(), ReportFixtures::sampleProfile(vietnamese),
                        QStringLiteral("  Đà Nẵng Field Technicians  ")});
    }
    Sample longSample{QStringLiteral("report-long.pdf"), QString(), ReportFixtures::sampleApplications().mid(0, 3),
                      ReportFixtures::sampleProfile(false),
                      QStringLiteral("Công ty TNHH Dịch vụ Kỹ thuật Máy tính và Thiết bị Văn phòng Đà Nẵng – Chi "
                                     "nhánh Hải Châu")};
    QStringList noteLines;
    for (int i = 1; i <= 80; ++i)
        noteLines << QStringLiteral("%1. Checked item %1 of the hand-over list with the user; nothing to add.").arg(i);
    longSample.profile.notes = noteLines.join(QLatin1Char('\n'));
    longSample.reportText = QStringLiteral("Recommendations:\n- ")
        + QStringLiteral("Keep the recovery key in the safe and record who holds it. ").repeated(160)
        + QStringLiteral("\n- Install Devivu Basic first on a new office Mac.\n");
    samples.append(longSample);

    QTextStream out(stdout);
    int status = 0;
    for (const Sample& sample : samples) {
        ReportFixtures::writeWorkspaceCache(cacheFolder, sample.workspaceName, logo);
        const QString path = QDir(folder).filePath(sample.name);
        const auto error = MacReportPDF::write(sample.reportText, sample.applications, sample.profile, path);
        if (error) {
            out << path << ": " << error->description() << Qt::endl;
            status = 1;
        } else {
            out << path << Qt::endl;
        }
    }
    return status;
}
