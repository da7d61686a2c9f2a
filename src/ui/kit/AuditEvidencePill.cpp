#include "ui/kit/AuditEvidencePill.h"

AuditEvidencePill::AuditEvidencePill(AuditEvidenceState state, const QString& status,
                                     const AppStrings& strings, QWidget* parent)
    : BadgeLabel(Look::evidencePill(0.68), parent), m_status(status)
{
    setColors(colorsFor(state));
    setStrings(strings);
}

void AuditEvidencePill::setStrings(const AppStrings& strings)
{
    setText(labelFor(m_status, strings));
}

BadgeLabel::Colors AuditEvidencePill::colorsFor(AuditEvidenceState state)
{
    switch (state) {
    case AuditEvidenceState::verified:
        return {{15, 81, 50}, {232, 248, 239}, {191, 234, 208}};
    case AuditEvidenceState::review:
        return {{138, 75, 8}, {255, 244, 229}, {255, 209, 154}};
    case AuditEvidenceState::local:
        return {{91, 58, 138}, {243, 237, 255}, {216, 199, 245}};
    case AuditEvidenceState::detected:
        break;
    }
    return {{21, 93, 166}, {234, 243, 255}, {203, 223, 247}};
}

QString AuditEvidencePill::labelFor(const QString& status, const AppStrings& strings)
{
    return strings.auditSignatureLabel() + QStringLiteral(": ") + strings.auditSignatureStatusLabel(status);
}
