#pragma once

#include <QHashFunctions>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>

// Combines field hashes in declaration order, the way the records define
// their hashing: a list as its count followed by each element, an optional
// as a presence flag followed by its content, a set independently of order.
class HashBuilder {
public:
    explicit HashBuilder(size_t hashSeed = 0) : m_value(hashSeed) {}

    HashBuilder& add(const QString& text) { return mix(qHash(text)); }
    HashBuilder& add(bool flag) { return mix(flag ? 1u : 0u); }
    HashBuilder& add(int number) { return mix(qHash(number)); }
    HashBuilder& add(double number) { return mix(qHash(number)); }

    HashBuilder& add(const QStringList& list)
    {
        mix(qHash(list.size()));
        for (const QString& element : list)
            add(element);
        return *this;
    }

    HashBuilder& add(const QSet<QString>& set) { return mix(qHash(set)); }

    template <typename T>
    HashBuilder& add(const std::optional<T>& value)
    {
        add(value.has_value());
        if (value)
            add(*value);
        return *this;
    }

    // For nested records that provide their own qHash.
    template <typename T>
    HashBuilder& addHashed(const T& value)
    {
        return mix(qHash(value));
    }

    size_t value() const { return m_value; }

private:
    HashBuilder& mix(size_t hash)
    {
        m_value ^= hash + 0x9e3779b97f4a7c15ULL + (m_value << 6) + (m_value >> 2);
        return *this;
    }

    size_t m_value;
};
