#pragma once

#include "i18n/AppStrings.h"
#include "model/InstalledMacApplication.h"
#include "ui/kit/ButtonStyle.h"

#include <QWidget>

#include <functional>

class AuditEvidencePill;
class InitialTile;
class LicenseEvidencePill;
class Pill;
class StyledButton;
class TextBlock;

// One card of the audit list: an application found by the inventory scan,
// with its initial, name, version and developer, the "detected" and source
// pills, the signature and licence-evidence pills and two buttons that both
// ask for the application's detail sheet. It shows the record it was built
// with and never reaches the view model: the list hands it an action.
//
// Its buttons are named "audit-row-N-details" and "audit-row-N-menu", N being
// the row's position in the list (from 0).
class AuditApplicationRow : public QWidget {
    Q_OBJECT

public:
    // Called by both buttons with the row's record.
    using DetailAction = std::function<void(const InstalledMacApplication&)>;

    AuditApplicationRow(int index, const InstalledMacApplication& application, const AppStrings& strings,
                        DetailAction detail, QWidget* parent = nullptr);

    int index() const { return m_index; }
    const InstalledMacApplication& application() const { return m_application; }

    // Re-labels the row in another language; the record stays.
    void setStrings(const AppStrings& strings);

    // The look of the Details button: 12 px bold in Design::primary on the
    // card colour (0.78 while pressed), outlined in Design::primary, at least
    // 32 high, filling its 96 px frame.
    static ButtonStyle detailButtonStyle();

    static constexpr int minimumRowHeight = 90;
    static constexpr int evidenceColumnWidth = 158;
    static constexpr int detailsButtonWidth = 96;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_index;
    InstalledMacApplication m_application;
    DetailAction m_detail;
    TextBlock* m_description;
    Pill* m_detected;
    AuditEvidencePill* m_signature;
    LicenseEvidencePill* m_license;
    StyledButton* m_details;
    StyledButton* m_menu;
};
