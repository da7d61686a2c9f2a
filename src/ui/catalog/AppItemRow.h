#pragma once

#include "i18n/AppStrings.h"
#include "model/AppItem.h"
#include "model/InstallStatus.h"
#include "ui/kit/ButtonStyle.h"

#include <QList>
#include <QString>
#include <QWidget>

#include <optional>

class GroupPill;
class LinearProgressIndicator;
class QBoxLayout;
class QHBoxLayout;
class SourcePill;
class StatusPill;
class StyledButton;
class SymbolTile;
class TextBlock;

// One catalog entry in the catalog column: its symbol tile, name (one line),
// description (two lines), group and source pills, its status pill, the
// primary button (install, open, retry or details), the trash button of an
// installed removable entry, the details button and, while the entry is the
// one being worked on, a progress line.
//
// The row keeps the values it is given and never reaches the view model: its
// owner hands in the entry and a State, updates both in place (the row stays
// the same widget while its entry stays in the list) and answers the three
// requests. The primary button acts at mouse-down (also for Space and
// click()) and is disabled, dimmed to 0.55, while the entry is worked on or
// the window is busy; the trash button is disabled and dimmed while busy; the
// details button is always active.
class AppItemRow : public QWidget {
    Q_OBJECT

public:
    struct State {
        InstallStatus status = InstallStatus::missing;
        // An install runs or an update is required.
        bool isGlobalBusy = false;
        // Only for the entry being worked on: its progress (0 to 1) and text.
        std::optional<double> itemProgress;
        std::optional<QString> itemProgressText;
        AppStrings strings;

        bool operator==(const State& other) const;
    };

    // The action slot is 248 wide, 276 while the trash button shows: the
    // four controls (104 + 92 + 28 + 28 and three gaps of 8) never overlap.
    static constexpr int actionSlotWidth = 248;
    static constexpr int actionSlotWidthWithTrash = 276;

    AppItemRow(const AppItem& item, const State& state, QWidget* parent = nullptr);

    const AppItem& item() const { return m_item; }
    void setItem(const AppItem& item);

    const State& state() const { return m_state; }
    void setState(const State& state);

    // The look of the primary button: filled with Design::primary (primary)
    // or white outlined in light orange; 12 px heavy, 34 high, radius 8.
    static ButtonStyle installButtonStyle(bool primary);
    // Whether an entry of the kind can be removed once installed.
    static bool isRemovableKind(AppKind kind);

    // The controls, for the owner's tests and the pictures.
    StyledButton* primaryButton() const { return m_primary; }
    StyledButton* trashButton() const { return m_trash; }
    StyledButton* detailsButton() const { return m_details; }
    StatusPill* statusPill() const { return m_statusPill; }
    TextBlock* nameText() const { return m_name; }
    TextBlock* descriptionText() const { return m_description; }
    QList<GroupPill*> groupPills() const { return m_groupPills; }
    QList<SourcePill*> sourcePills() const { return m_sourcePills; }
    QWidget* progressLine() const { return m_progressLine; }
    LinearProgressIndicator* progressIndicator() const { return m_progressBar; }
    TextBlock* progressText() const { return m_progressText; }

Q_SIGNALS:
    // The primary button was pressed.
    void installRequested();
    // The trash button was clicked.
    void removeRequested();
    // The details button was clicked.
    void detailRequested();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void rebuildPills();
    void applyTexts();
    void applyState();

    AppItem m_item;
    State m_state;

    SymbolTile* m_tile;
    TextBlock* m_name;
    TextBlock* m_description;
    QHBoxLayout* m_pillRow;
    QList<GroupPill*> m_groupPills;
    QList<SourcePill*> m_sourcePills;
    QWidget* m_actionSlot;
    StatusPill* m_statusPill;
    StyledButton* m_primary;
    StyledButton* m_trash;
    StyledButton* m_details;
    QWidget* m_progressLine;
    LinearProgressIndicator* m_progressBar;
    TextBlock* m_progressText;
};
