#pragma once

#include "model/InstalledMacApplication.h"
#include "model/MacReportProfile.h"

#include <QByteArray>
#include <QColor>
#include <QList>
#include <QSize>
#include <QString>

// Inputs of the PDF report shared by its tests, the sample program and the
// benchmark: text reports in the text-report format, a set of applications
// covering every evidence state and signature word, profiles and logos.
namespace ReportFixtures {

// A text report from tests/fixtures/audit ("report-en.txt", "report-vi.txt").
QString textReport(const QString& fileName);

// 30 applications: every licence evidence state, one without evidence, every
// signature word and others, signals of every verification, Korean,
// Japanese and Chinese names, a long name and a detail that wraps.
QList<InstalledMacApplication> sampleApplications();

// count applications cycling through sampleApplications(), numbered names.
QList<InstalledMacApplication> manyApplications(int count);

// A filled-in profile whose notes run over two lines.
MacReportProfile sampleProfile(bool vietnamese);

// A PNG image of the given size: a coloured rectangle with a white disc.
QByteArray pngImage(QSize size, const QColor& color);

// Writes technician-workspace.json into folder with a "workspace" object
// holding the display name and the logo data URL (null when empty).
bool writeWorkspaceCache(const QString& folder, const QString& displayName, const QString& logoDataURL);

} // namespace ReportFixtures
