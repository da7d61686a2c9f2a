// The view model's report sheet: the inspector profile and the PDF export.

#include "app/DevivuKitViewModel.h"

#include "app/ViewModelTexts.h"
#include "audit/MacReportPDF.h"

#include <QJsonDocument>

namespace {

const QString profileKey = QStringLiteral("tavrin.mac.report-profile");

} // namespace

void DevivuKitViewModel::loadReportProfile()
{
    const std::optional<QByteArray> stored = m_settings->bytes(profileKey);
    if (!stored)
        return;
    // A stored value that does not decode leaves the first profile.
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(*stored, &error);
    if (error.error != QJsonParseError::NoError)
        return;
    if (const std::optional<MacReportProfile> profile = MacReportProfile::fromJson(document.object()))
        setReportProfile(*profile);
}

void DevivuKitViewModel::saveReportProfile()
{
    m_settings->setBytes(profileKey, QJsonDocument(m_reportProfile.toJson()).toJson(QJsonDocument::Compact));
}

void DevivuKitViewModel::openReport()
{
    if (!releasePolicyAllowsAction())
        return;
    setActiveSheet(Sheet::report());
    setCurrentAction(ViewModelTexts::openedReport(m_language));
}

void DevivuKitViewModel::exportReportPDF()
{
    if (!releasePolicyAllowsAction())
        return;
    startReportPDFExport();
}

void DevivuKitViewModel::startReportPDFExport()
{
    if (!m_hasReportSnapshot) {
        showToast(ViewModelTexts::scanBeforeExport(m_language), ToastMessage::Kind::warning);
        return;
    }
    if (m_reportProfile.inspectorName.trimmed().isEmpty() || m_reportProfile.subject.trimmed().isEmpty()) {
        showToast(ViewModelTexts::enterInspectorAndTitle(m_language), ToastMessage::Kind::warning);
        return;
    }
    const DesktopServices::SaveRequest request{
        ViewModelTexts::exportPdfTitle(m_language),
        QString::fromUtf8(MacReportPDF::proposedFileName),
        m_desktop->documentsFolder(),
        {QStringLiteral("pdf")},
    };
    // The chooser is modal but runs the event loop: results posted by a scan
    // or a check may land while it is open, so everything written below is
    // read after it returns.
    const std::optional<QString> path = m_desktop->chooseSaveFile(request);
    if (!path)
        return;
    saveReportProfile();
    setCurrentAction(strings().writingReport());
    const QString text = m_reportText;
    const QList<InstalledMacApplication> applications = m_reportApplications;
    if (const std::optional<QString> error = m_pdfWriter->write(text, applications, m_reportProfile, *path)) {
        finishReportFailure(*error);
        return;
    }
    finishPDFExport(text, applications, *path);
}

void DevivuKitViewModel::finishPDFExport(const QString& text, const QList<InstalledMacApplication>& applications,
                                         const QString& path)
{
    setReport(text, applications);
    setIsReportRefreshing(false);
    setReportSnapshot(true, m_clock->now());
    saveReportSnapshot();
    m_desktop->openFile(path);
    const QString exported = ViewModelTexts::pdfExported(m_language);
    setCurrentAction(exported);
    showToast(exported, ToastMessage::Kind::success);
}
