#pragma once

#include "app/PdfWriter.h"

#include <QList>

// A PDF writer for view-model tests: it records what it is asked to write
// and answers the scripted error (success unless set); it writes no file.
class FakePdfWriter final : public PdfWriter {
public:
    struct Call {
        QString reportText;
        QList<InstalledMacApplication> applications;
        MacReportProfile profile;
        QString destinationPath;
    };

    void setError(const std::optional<QString>& error) { m_error = error; }
    const QList<Call>& calls() const { return m_calls; }

    std::optional<QString> write(const QString& reportText, const QList<InstalledMacApplication>& applications,
                                 const MacReportProfile& profile, const QString& destinationPath) override
    {
        m_calls.append({reportText, applications, profile, destinationPath});
        return m_error;
    }

private:
    std::optional<QString> m_error;
    QList<Call> m_calls;
};
