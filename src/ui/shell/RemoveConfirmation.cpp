#include "ui/shell/RemoveConfirmation.h"

#include "app/DevivuKitViewModel.h"
#include "ui/kit/ButtonText.h"
#include "ui/kit/Design.h"
#include "ui/kit/Symbols.h"

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

namespace {

constexpr int iconSide = 32;

} // namespace

RemoveConfirmation::RemoveConfirmation(DevivuKitViewModel& model, QWidget* window)
    : QObject(window), m_model(model), m_window(window)
{
    connect(&model, &DevivuKitViewModel::pendingUninstallChanged, this, &RemoveConfirmation::follow);
    follow();
}

void RemoveConfirmation::follow()
{
    const std::optional<AppItem>& pending = m_model.pendingUninstall();
    if (m_box && pending && *pending == m_item)
        return;
    closeSilently();
    if (!pending)
        return;

    m_item = *pending;
    const AppStrings strings(m_model.language());
    auto* box = new QMessageBox(m_window);
    box->setObjectName(QStringLiteral("remove-confirmation"));
    box->setWindowModality(Qt::WindowModal);
    // The kit's warning symbol, not the style's own drawing.
    box->setIconPixmap(Symbols::pixmap(QStringLiteral("exclamationmark.triangle.fill"), iconSide, Design::warning,
                                       box->devicePixelRatioF()));
    box->setTextFormat(Qt::PlainText);
    box->setWindowTitle(strings.text(AppI18nKey::removePromptTitle));
    box->setText(strings.text(AppI18nKey::removePromptTitle));
    box->setInformativeText(strings.removePromptMessage(strings.itemName(m_item)));
    // Names are data: never read as markup.
    if (auto* informative = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_informativelabel")))
        informative->setTextFormat(Qt::PlainText);

    QPushButton* cancel = box->addButton(ButtonText::escaped(strings.text(AppI18nKey::cancel)),
                                         QMessageBox::RejectRole);
    cancel->setObjectName(QStringLiteral("remove-cancel"));
    QPushButton* remove = box->addButton(ButtonText::escaped(strings.text(AppI18nKey::remove)),
                                         QMessageBox::DestructiveRole);
    remove->setObjectName(QStringLiteral("remove-confirm"));
    cancel->setAutoDefault(false);
    remove->setAutoDefault(false);
    box->setDefaultButton(cancel);
    box->setEscapeButton(cancel);

    m_box = box;
    connect(box, &QDialog::finished, this, [this, box] { finished(box); });
    box->open();
}

void RemoveConfirmation::closeSilently()
{
    QMessageBox* box = m_box;
    m_box = nullptr;
    if (!box)
        return;
    disconnect(box, nullptr, this, nullptr);
    box->hide();
    box->deleteLater();
}

void RemoveConfirmation::finished(QMessageBox* box)
{
    if (box != m_box)
        return;
    const bool confirmed = box->clickedButton()
                           && box->clickedButton()->objectName() == QLatin1String("remove-confirm");
    const AppItem item = m_item;
    closeSilently();
    if (confirmed) {
        m_model.confirmUninstall(item);
        return;
    }
    const std::optional<AppItem>& pending = m_model.pendingUninstall();
    if (pending && *pending == item)
        m_model.setPendingUninstall(std::nullopt);
}
