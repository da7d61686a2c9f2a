#include "i18n/AppLanguage.h"

#include "platform/UserDefaults.h"

QString AppLanguage::code() const
{
    return EnumText::toString(*this);
}

std::optional<AppLanguage> AppLanguage::fromCode(const QString& code)
{
    return EnumText::fromString<AppLanguage>(code);
}

const QStringList& AppLanguage::webLocaleOrder()
{
    static const QStringList codes{"en", "vi", "ko", "ja", "zh"};
    return codes;
}

const QList<AppLanguage>& AppLanguage::supported()
{
    static const QList<AppLanguage> languages = [] {
        QList<AppLanguage> list;
        for (const QString& code : webLocaleOrder()) {
            if (const std::optional<AppLanguage> language = fromCode(code))
                list.append(*language);
        }
        return list;
    }();
    return languages;
}

AppLanguage AppLanguage::storedDefault()
{
    return storedDefault(UserDefaults());
}

AppLanguage AppLanguage::storedDefault(const UserDefaults& defaults)
{
    const std::optional<QString> stored = defaults.string(QString::fromUtf8(defaultsKey));
    if (!stored)
        return english;
    return fromCode(*stored).value_or(english);
}
