#pragma once

#include "i18n/AppLanguage.h"
#include "model/CatalogGroup.h"

#include <QList>
#include <QWidget>

class DevivuKitViewModel;
class QScrollArea;
class QScrollBar;
class SidebarHeaderView;
class StyledButton;
class SystemSummaryCard;

// The window's left column, 280 px wide on the sidebar colour. Its upper
// part scrolls: the brand header, one button per catalog group and the
// audit entry, then the five action buttons (the two install presets, the
// system check, the report and the cloud tools). Pinned below it: the
// summary card and the settings entry.
//
// Every control acts at mouse-down (and on Space or click()), once per
// press. The audit entry, the presets and the report ask the release gate
// first; groups and the sheet buttons open without it. The two presets are
// disabled (and dimmed) while an install runs or an update is required.
// Texts follow the language, highlights the selected group.
//
// objectNames: "sidebar-group-<id>", "sidebar-audit", "sidebar-<title key>"
// for the actions ("sidebar-installStandard", "sidebar-installFull",
// "sidebar-systemCheck", "sidebar-openReport", "sidebar-cloudTools") and
// "settings-button".
class SidebarView : public QWidget {
    Q_OBJECT

public:
    static constexpr int columnWidth = 280;

    explicit SidebarView(DevivuKitViewModel& model, QWidget* parent = nullptr);

    // The title of the audit entry in a language.
    static QString auditEntryTitle(AppLanguage language);

    SidebarHeaderView* header() const { return m_header; }
    QList<StyledButton*> groupButtons() const { return m_groupButtons; }
    StyledButton* auditButton() const { return m_auditButton; }
    QList<StyledButton*> actionButtons() const { return m_actionButtons; }
    SystemSummaryCard* summaryCard() const { return m_summary; }
    StyledButton* settingsButton() const { return m_settingsButton; }
    QScrollArea* scrollArea() const { return m_scroll; }
    // The scroll bar shown over the right edge of the scrolling part.
    QScrollBar* scrollBar() const { return m_scrollBar; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void placeScrollBar();
    void applyTexts();
    void applySelection();
    void applyInstallAvailability();

    DevivuKitViewModel& m_model;
    QScrollArea* m_scroll;
    QScrollBar* m_scrollBar;
    SidebarHeaderView* m_header;
    QList<CatalogGroup> m_groups;
    QList<StyledButton*> m_groupButtons;
    StyledButton* m_auditButton;
    QList<StyledButton*> m_actionButtons;
    SystemSummaryCard* m_summary;
    StyledButton* m_settingsButton;
};
