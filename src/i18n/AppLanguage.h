#pragma once

#include "model/EnumText.h"

#include <QHashFunctions>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <utility>

class UserDefaults;

// A language of the user interface. Used like an enumeration
// (AppLanguage::japanese, switch statements); stored as its two-letter code.
// English is the default wherever a language is missing or unknown.
class AppLanguage {
public:
    enum Value { english, vietnamese, korean, japanese, chinese };

    // The user-defaults key under which the chosen language's code is kept.
    static constexpr const char* defaultsKey = "tavrin.uiLanguage";

    constexpr AppLanguage() = default;
    constexpr AppLanguage(Value value) : m_value(value) {}
    constexpr operator Value() const { return m_value; }

    // "en", "vi", "ko", "ja" or "zh".
    QString code() const;
    // Exactly one of the five codes (case-sensitive, no trimming), else none.
    static std::optional<AppLanguage> fromCode(const QString& code);

    // The five codes in the order the language picker offers them.
    static const QStringList& webLocaleOrder();
    // The languages of the picker: english, vietnamese, korean, japanese, chinese.
    static const QList<AppLanguage>& supported();

    // The language remembered between runs: the text stored under defaultsKey
    // when it is one of the five codes; english otherwise (no value, a value
    // that is not text, an unknown code). Never writes.
    static AppLanguage storedDefault();
    static AppLanguage storedDefault(const UserDefaults& defaults);

private:
    Value m_value = english;
};

template <>
struct EnumNames<AppLanguage> {
    static constexpr std::array table{
        std::pair{AppLanguage::english, "en"},  std::pair{AppLanguage::vietnamese, "vi"},
        std::pair{AppLanguage::korean, "ko"},   std::pair{AppLanguage::japanese, "ja"},
        std::pair{AppLanguage::chinese, "zh"},
    };
};

inline size_t qHash(AppLanguage language, size_t hashSeed = 0)
{
    return qHash(static_cast<int>(language), hashSeed);
}
