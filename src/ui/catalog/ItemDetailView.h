#pragma once

#include "i18n/AppStrings.h"
#include "model/AppItem.h"

#include <QDialog>
#include <QList>
#include <QString>

class DetailLine;
class DevivuKitViewModel;
class QPushButton;
class StatusPill;
class StyledButton;
class TextBlock;

// The item-detail sheet: a fixed 640 by 400 window-modal dialog with the
// entry's tile, name and Linux source, its status pill (read live from the
// view model's statuses, missing when there is none, never with progress
// text) and five labelled values: groups, macOS source, package or action,
// description and replacement note. Values longer than the room scroll in a
// frameless area between the header and the Close button. Texts follow the
// language.
//
// The sheet only shows: the xmark button ("close-x", Escape) rejects it, the
// Close button ("close", Return, the one default button) accepts it; it
// touches no view-model state itself. Whoever opened it clears activeSheet
// when it finishes.
class ItemDetailView : public QDialog {
    Q_OBJECT

public:
    static constexpr int sheetWidth = 640;
    static constexpr int sheetHeight = 400;

    ItemDetailView(DevivuKitViewModel& model, const AppItem& item, QWidget* parent = nullptr);

    const AppItem& item() const { return m_item; }

    // The entry's groups, each by its label, joined with " / ".
    static QString groupsText(const AppItem& item, const AppStrings& strings);
    // The packages joined with ", "; without packages the shortcut's address;
    // without either the kind's own name ("builtin").
    static QString packageAction(const AppItem& item);

    StatusPill* statusPill() const { return m_statusPill; }
    QList<DetailLine*> detailLines() const { return m_lines; }
    TextBlock* nameText() const { return m_name; }
    TextBlock* subtitleText() const { return m_subtitle; }
    StyledButton* closeMark() const { return m_closeMark; }
    QPushButton* closeButton() const { return m_closeButton; }

private:
    void applyTexts();
    void applyStatus();

    DevivuKitViewModel& m_model;
    AppItem m_item;
    TextBlock* m_name;
    TextBlock* m_subtitle;
    StatusPill* m_statusPill;
    StyledButton* m_closeMark;
    QList<DetailLine*> m_lines;
    QPushButton* m_closeButton;
};
