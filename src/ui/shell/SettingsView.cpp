#include "ui/shell/SettingsView.h"

#include "app/DevivuKitViewModel.h"
#include "ui/kit/ButtonStyle.h"
#include "ui/kit/ButtonText.h"
#include "ui/kit/Design.h"
#include "ui/kit/PushButton.h"
#include "ui/kit/RoundedBox.h"
#include "ui/kit/StyledButton.h"
#include "ui/kit/SymbolView.h"
#include "ui/kit/Symbols.h"
#include "ui/kit/TextBlock.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

constexpr int pickerMaximumWidth = 260;
// The frame, the padding and the arrow of the picker's button.
constexpr int pickerChromeWidth = 48;

// The language card: a faint accent tint outlined in the accent colour.
class LanguageCard : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        RoundedBox::paint(painter, QRectF(rect()), 10, Design::withOpacity(Design::primary, 0.045),
                          Design::withOpacity(Design::primary, 0.16));
    }
};

// A symbol and a title side by side, as a label with an icon.
QHBoxLayout* symbolTitle(const QString& symbol, TextBlock* title, QWidget* parent)
{
    auto* row = new QHBoxLayout;
    row->setSpacing(8);
    const double size = title->fontSpec().pixelSize;
    row->addWidget(new SymbolView(symbol, Symbols::side(size), title->color(), parent), 0, Qt::AlignVCenter);
    row->addWidget(title, 1);
    return row;
}

} // namespace

SettingsView::SettingsView(DevivuKitViewModel& model, QWidget* parent)
    : QDialog(parent), m_model(model), m_title(new TextBlock({}, {22, QFont::Bold}, Design::text, this)),
      m_subtitle(new TextBlock({}, {13, QFont::Normal}, Design::mutedText, this)),
      m_closeMark(new StyledButton(ButtonStyle::symbolSquare(28), this)),
      m_languageTitle(new TextBlock({}, {14, QFont::Bold}, Design::text, this)),
      m_languageDetail(new TextBlock({}, {12, QFont::Normal}, Design::mutedText, this)),
      m_picker(new QComboBox(this)), m_done(new PushButton(QStringLiteral("settings-done-button"), this))
{
    setObjectName(DevivuKitViewModel::Sheet::settings().id());
    setWindowModality(Qt::WindowModal);
    Design::setBackground(*this, Design::background);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(24, 24, 24, 24);
    column->setSpacing(20);

    // Header: title and subtitle, the close mark at the top right.
    auto* header = new QHBoxLayout;
    header->setSpacing(16);
    auto* titles = new QVBoxLayout;
    titles->setSpacing(5);
    titles->addLayout(symbolTitle(QStringLiteral("gearshape.fill"), m_title, this));
    titles->addWidget(m_subtitle);
    header->addLayout(titles, 1);
    m_closeMark->setObjectName(QStringLiteral("settings-close-button"));
    m_closeMark->setSymbol(QStringLiteral("xmark"));
    m_closeMark->setFixedSize(28, 28);
    m_closeMark->setAction([this] { closeSheet(); });
    header->addWidget(m_closeMark, 0, Qt::AlignTop);
    column->addLayout(header);

    // The language card.
    auto* card = new LanguageCard(this);
    card->setObjectName(QStringLiteral("settings-language-card"));
    auto* cardColumn = new QVBoxLayout(card);
    cardColumn->setContentsMargins(16, 16, 16, 16);
    cardColumn->setSpacing(12);
    cardColumn->addLayout(symbolTitle(QStringLiteral("globe"), m_languageTitle, card));
    cardColumn->addWidget(m_languageDetail);
    m_picker->setObjectName(QStringLiteral("settings-language-picker"));
    m_picker->setFont(Design::font(13));
    int widest = 0;
    const QFontMetrics metrics(m_picker->font());
    for (AppLanguage language : AppLanguage::supported()) {
        m_picker->addItem(languageRowText(language), language.code());
        widest = qMax(widest, metrics.horizontalAdvance(languageRowText(language)));
    }
    // As wide as its longest row (the style's own measure misses the flags'
    // width), never wider than 260.
    m_picker->setFixedWidth(qMin(pickerMaximumWidth, widest + pickerChromeWidth));
    connect(m_picker, &QComboBox::activated, this, [this](int index) {
        if (const std::optional<AppLanguage> picked = AppLanguage::fromCode(m_picker->itemData(index).toString()))
            m_model.setLanguage(*picked);
    });
    cardColumn->addWidget(m_picker, 0, Qt::AlignLeading);
    column->addWidget(card);

    // Footer: Done, the default button.
    auto* footer = new QHBoxLayout;
    footer->addStretch(1);
    m_done->setDefault(true);
    connect(m_done, &QPushButton::clicked, this, &SettingsView::closeSheet);
    footer->addWidget(m_done);
    column->addLayout(footer);

    connect(&model, &DevivuKitViewModel::languageChanged, this, [this] {
        applyLanguage();
        applyTexts();
    });
    applyLanguage();
    applyTexts();
}

QString SettingsView::languageRowText(AppLanguage language)
{
    switch (language) {
    case AppLanguage::english:
        return QStringLiteral("🇺🇸 English");
    case AppLanguage::vietnamese:
        return QStringLiteral("🇻🇳 Tiếng Việt");
    case AppLanguage::korean:
        return QStringLiteral("🇰🇷 한국어");
    case AppLanguage::japanese:
        return QStringLiteral("🇯🇵 日本語");
    case AppLanguage::chinese:
        return QStringLiteral("🇨🇳 中文");
    }
    return {};
}

void SettingsView::closeSheet()
{
    m_model.setActiveSheet(std::nullopt);
    reject();
}

void SettingsView::applyLanguage()
{
    const int index = m_picker->findData(m_model.language().code());
    if (index == m_picker->currentIndex())
        return;
    const QSignalBlocker blocker(m_picker);
    m_picker->setCurrentIndex(index);
}

void SettingsView::applyTexts()
{
    const AppStrings strings(m_model.language());
    const QString title = strings.text(AppI18nKey::settings);
    setWindowTitle(title);
    m_title->setText(title);
    m_subtitle->setText(strings.settingsSubtitle());
    m_closeMark->setToolTip(strings.text(AppI18nKey::close));
    m_languageTitle->setText(strings.text(AppI18nKey::language));
    m_picker->setAccessibleName(strings.text(AppI18nKey::language));
    m_languageDetail->setText(strings.languageSettingDetail());
    m_done->setText(ButtonText::escaped(strings.text(AppI18nKey::close)));
    fitHeight();
}

void SettingsView::fitHeight()
{
    // Activating the layout drops what its nested layouts cached for the
    // old texts.
    QLayout* column = layout();
    column->invalidate();
    column->activate();
    const int height = column->hasHeightForWidth() ? column->totalHeightForWidth(sheetWidth)
                                                   : column->totalSizeHint().height();
    setFixedSize(sheetWidth, height);
}

void SettingsView::keyPressEvent(QKeyEvent* event)
{
    // No key closes the sheet but Return (the default button).
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void SettingsView::closeEvent(QCloseEvent* event)
{
    if (isVisible())
        m_model.setActiveSheet(std::nullopt);
    QDialog::closeEvent(event);
}
