#pragma once

#include "i18n/AppStrings.h"
#include "model/InstalledMacApplication.h"
#include "ui/audit/AuditDetailField.h"

#include <QDialog>
#include <QList>

class QKeyEvent;
class QPushButton;
class QScrollArea;
class StyledButton;

// The sheet with everything the inventory scan recorded about one
// application: its header (initial, name, identifier, the two evidence
// pills, the close button), the field grid, the two notices on what the
// evidence proves, and Close. It shows the copy of the record it was made
// with, whatever the view model does meanwhile, and never reaches the view
// model: both buttons only dismiss it (reject()); the sheet host clears the
// active sheet when the dialog finishes.
//
// Keys: Escape presses the close button "audit-detail-xmark", Return the
// default button Close "audit-detail-close". Fields taller than the sheet
// scroll; header, notices and Close stay in view.
class AuditApplicationDetailView : public QDialog {
    Q_OBJECT

public:
    AuditApplicationDetailView(const InstalledMacApplication& application, const AppStrings& strings,
                               QWidget* parent = nullptr);

    const InstalledMacApplication& application() const { return m_application; }

    // The grid's cells in order: version, source, bundle identifier,
    // developer, signature, team, signing identifier, licence state,
    // evidence source, evidence detail, confidence, and the signals when the
    // evidence has any. Empty values read "—".
    static QList<AuditDetailField::Cell> cells(const InstalledMacApplication& application,
                                               const AppStrings& strings);

    static constexpr int sheetWidth = 760;
    static constexpr int sheetHeight = 620;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    InstalledMacApplication m_application;
    StyledButton* m_xmark;
    QPushButton* m_close;
};
