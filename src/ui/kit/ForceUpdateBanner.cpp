#include "ui/kit/ForceUpdateBanner.h"

#include "app/DevivuKitViewModel.h"
#include "ui/kit/Design.h"
#include "ui/kit/StyledButton.h"
#include "ui/kit/SymbolTile.h"
#include "ui/kit/TextBlock.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

ForceUpdateBanner::ForceUpdateBanner(DevivuKitViewModel& model, QWidget* parent)
    : Banner(QColor(0xFF, 0xF1, 0xF2), QColor(0xFE, 0xCD, 0xD3), parent), m_model(model)
{
    row()->addWidget(new SymbolTile(QStringLiteral("exclamationmark.shield.fill"),
                                    {42, Design::withOpacity(Design::danger, 0.12), Qt::transparent,
                                     {22, QFont::DemiBold}, Design::danger}),
                     0, Qt::AlignVCenter);

    auto* texts = new QWidget;
    auto* textColumn = new QVBoxLayout(texts);
    textColumn->setContentsMargins(0, 0, 0, 0);
    textColumn->setSpacing(4);
    m_title = new TextBlock({}, {13, QFont::Bold}, Design::text);
    m_message = new TextBlock({}, {12, QFont::Normal}, Design::mutedText);
    m_message->setMaximumLines(2);
    textColumn->addWidget(m_title);
    textColumn->addWidget(m_message);
    row()->addWidget(texts, 1, Qt::AlignVCenter);

    m_download = new StyledButton(ButtonStyle::refresh());
    m_download->setObjectName(QStringLiteral("update-download"));
    m_download->setSymbol(QStringLiteral("arrow.down.circle.fill"));
    m_download->setAction([this] { m_model.openReleaseDownload(); });
    row()->addWidget(m_download, 0, Qt::AlignVCenter);

    connect(&model, &DevivuKitViewModel::languageChanged, this, &ForceUpdateBanner::applyTexts);
    connect(&model, &DevivuKitViewModel::releasePolicyChanged, this, &ForceUpdateBanner::applyTexts);
    applyTexts();
}

QString ForceUpdateBanner::downloadTitle(AppLanguage language)
{
    switch (language) {
    case AppLanguage::english:
        return QStringLiteral("Download update");
    case AppLanguage::vietnamese:
        return QStringLiteral("Tải bản cập nhật");
    case AppLanguage::korean:
        return QStringLiteral("업데이트 다운로드");
    case AppLanguage::japanese:
        return QStringLiteral("アップデートをダウンロード");
    case AppLanguage::chinese:
        return QStringLiteral("下载更新");
    }
    return QStringLiteral("Download update");
}

void ForceUpdateBanner::applyTexts()
{
    m_title->setText(m_model.updateTitle());
    m_message->setText(m_model.updateMessage());
    m_download->setTitle(downloadTitle(m_model.language()));
}
