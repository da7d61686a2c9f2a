#pragma once

#include "ui/kit/FilledBox.h"

#include <QList>

class DevivuKitViewModel;
class QLineEdit;
class QPushButton;
class StyledButton;
class TextBlock;

// The collapsible panel of the cloud tools sheet through which the
// technician drives the optional backend: the catalog sync and the report
// upload; the technician workspace (sync, its display name, a shared setup
// profile); the Business device configuration (fetch, save the department
// and asset code). It opens collapsed with empty fields; only the disclosure
// button ("cloud-expand") shows and hides its body.
//
// The panel only collects what is typed and calls the view model's cloud
// operations, each of which passes the release gate itself. Every text goes
// exactly as typed: the display name untrimmed and with no logo, the profile
// name and ids as written (blank ids are the view model's to fill in), the
// device fields as written; Fetch always sends an empty department and asset
// code. Its only checks: Save branding is disabled while the display name is
// blank, Save shared profile while the profile name is. No button clears a
// field, and Return in a field runs nothing. Its texts are Vietnamese for
// Vietnamese and English for every other language, and follow a change of
// language at once.
class CloudManagementPanel : public FilledBox {
    Q_OBJECT

public:
    explicit CloudManagementPanel(DevivuKitViewModel& model, QWidget* parent = nullptr);

    bool isExpanded() const { return m_expanded; }

    StyledButton* expandButton() const { return m_expand; }
    TextBlock* titleText() const { return m_title; }
    // The three section cards, shown while expanded.
    QWidget* body() const { return m_body; }

private:
    struct Section {
        QWidget* card = nullptr;
        TextBlock* title = nullptr;
    };

    Section makeSection(const QString& symbol, QWidget* parent);
    QLineEdit* makeField(const QString& objectName, QWidget* parent);
    void setExpanded(bool expanded);
    void applyLanguage();
    void applyEnablement();

    DevivuKitViewModel& m_model;
    bool m_expanded = false;

    StyledButton* m_expand = nullptr;
    TextBlock* m_title = nullptr;
    QWidget* m_body = nullptr;
    QList<Section> m_sections;

    QPushButton* m_syncCatalog = nullptr;
    QPushButton* m_uploadReport = nullptr;
    QPushButton* m_syncWorkspace = nullptr;
    QLineEdit* m_brandingName = nullptr;
    QPushButton* m_saveBranding = nullptr;
    QLineEdit* m_profileName = nullptr;
    QLineEdit* m_profileItemIDs = nullptr;
    QPushButton* m_saveProfile = nullptr;
    QLineEdit* m_department = nullptr;
    QLineEdit* m_assetCode = nullptr;
    QPushButton* m_fetchConfiguration = nullptr;
    QPushButton* m_saveDevice = nullptr;
};
