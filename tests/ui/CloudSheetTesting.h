#pragma once

#include "app/DevivuKitViewModel.h"
#include "ui/cloud/CloudManagementPanel.h"
#include "ui/cloud/CloudToolsView.h"
#include "ui/kit/StyledButton.h"

#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QStringList>
#include <QTest>
#include <QWidget>

// Small steps shared by the cloud sheet's tests.
namespace CloudSheetTesting {

using Sheet = DevivuKitViewModel::Sheet;

inline const QStringList fieldNames{
    QStringLiteral("cloud-branding-name"), QStringLiteral("cloud-profile-name"), QStringLiteral("cloud-profile-ids"),
    QStringLiteral("cloud-department"),    QStringLiteral("cloud-asset-code"),
};

inline const QStringList panelButtonNames{
    QStringLiteral("cloud-sync-catalog"),  QStringLiteral("cloud-upload-report"), QStringLiteral("cloud-sync-workspace"),
    QStringLiteral("cloud-save-branding"), QStringLiteral("cloud-save-profile"),  QStringLiteral("cloud-fetch-config"),
    QStringLiteral("cloud-save-device"),
};

// A window with the sheet opened on it as the host opens it: activeSheet
// names the sheet, then open(). The sheet is the window's child, so a test
// (or a host) may delete it first.
struct OpenedSheet {
    explicit OpenedSheet(DevivuKitViewModel& model)
    {
        window.resize(1120, 760);
        window.show();
        model.setActiveSheet(Sheet::cloudTools());
        sheet = new CloudToolsView(model, &window);
        sheet->open();
        if (!QTest::qWaitForWindowExposed(sheet.data()))
            qWarning("the sheet was not shown");
    }

    QLineEdit* field(const QString& name) const { return sheet->findChild<QLineEdit*>(name); }
    QPushButton* button(const QString& name) const { return sheet->findChild<QPushButton*>(name); }

    // Opens the panel with its disclosure button.
    bool expand() const
    {
        QTest::mouseClick(sheet->panel()->expandButton(), Qt::LeftButton);
        return sheet->panel()->isExpanded() && sheet->panel()->body()->isVisible();
    }

    // Types the text into the field key by key, after clearing it.
    void type(const QString& name, const QString& text) const
    {
        QLineEdit* edit = field(name);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        for (const QChar character : text)
            QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(character), Qt::NoModifier);
    }

    QWidget window;
    QPointer<CloudToolsView> sheet;
};

} // namespace CloudSheetTesting
