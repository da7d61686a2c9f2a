#include "ui/shell/SheetHost.h"

#include "ui/shell/SheetFactory.h"

#include <QDialog>

SheetHost::SheetHost(DevivuKitViewModel& model, QWidget* window, Factory factory)
    : QObject(window), m_model(model), m_window(window),
      m_factory(factory ? std::move(factory) : Factory(&SheetFactory::make))
{
    connect(&model, &DevivuKitViewModel::activeSheetChanged, this, &SheetHost::follow);
    follow();
}

void SheetHost::follow()
{
    const std::optional<DevivuKitViewModel::Sheet>& sheet = m_model.activeSheet();
    const QString id = sheet ? sheet->id() : QString();
    if (m_dialog && id == m_dialogID)
        return;
    closeSilently();
    if (!sheet)
        return;
    QDialog* dialog = m_factory(m_model, *sheet, m_window);
    if (!dialog)
        return;
    dialog->setObjectName(id);
    dialog->setWindowModality(Qt::WindowModal);
    m_dialog = dialog;
    m_dialogID = id;
    connect(dialog, &QDialog::finished, this, [this, dialog] { finished(dialog); });
    dialog->open();
}

void SheetHost::closeSilently()
{
    QDialog* dialog = m_dialog;
    m_dialog = nullptr;
    m_dialogID.clear();
    if (!dialog)
        return;
    disconnect(dialog, nullptr, this, nullptr);
    dialog->hide();
    dialog->deleteLater();
}

void SheetHost::finished(QDialog* dialog)
{
    if (dialog != m_dialog)
        return;
    const QString id = m_dialogID;
    closeSilently();
    const std::optional<DevivuKitViewModel::Sheet>& sheet = m_model.activeSheet();
    if (sheet && sheet->id() == id)
        m_model.setActiveSheet(std::nullopt);
}
