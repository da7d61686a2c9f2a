#include "platform/PropertyList.h"

#include "platform/MappedFile.h"

#include <QDateTime>
#include <QTimeZone>
#include <QXmlStreamReader>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

namespace {

// Seconds between the Unix epoch and 2001-01-01T00:00:00Z, the epoch of dates
// in binary property lists.
constexpr double referenceDateOffset = 978307200.0;

std::optional<QDateTime> dateFromReferenceSeconds(double seconds)
{
    if (!std::isfinite(seconds))
        return std::nullopt;
    const double milliseconds = (seconds + referenceDateOffset) * 1000.0;
    // Well inside the range QDateTime represents.
    if (std::fabs(milliseconds) > 8.0e15)
        return std::nullopt;
    return QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(std::llround(milliseconds)), QTimeZone::utc());
}

QVariant integerValue(quint64 magnitude, bool negative)
{
    if (negative)
        return QVariant::fromValue(static_cast<qint64>(magnitude));
    if (magnitude > static_cast<quint64>(std::numeric_limits<qint64>::max()))
        return QVariant::fromValue(magnitude);
    return QVariant::fromValue(static_cast<qint64>(magnitude));
}

// ---------------------------------------------------------------- XML form

class XmlParser {
public:
    explicit XmlParser(const QByteArray& bytes) : m_reader(bytes) {}

    std::optional<QVariant> parse()
    {
        if (!nextElement())
            return std::nullopt;
        std::optional<QVariant> value;
        if (m_reader.name() == QLatin1String("plist")) {
            if (!nextElement())
                return std::nullopt;
            value = readValue(0);
            if (!value || !closes(QStringLiteral("plist")))
                return std::nullopt;
        } else {
            value = readValue(0);
            if (!value)
                return std::nullopt;
        }
        // Nothing but comments and white space may follow.
        while (!m_reader.atEnd()) {
            const QXmlStreamReader::TokenType token = m_reader.readNext();
            if (token == QXmlStreamReader::StartElement || token == QXmlStreamReader::EntityReference
                || (token == QXmlStreamReader::Characters && !m_reader.isWhitespace()))
                return std::nullopt;
        }
        if (m_reader.hasError())
            return std::nullopt;
        return value;
    }

private:
    // Advances to the next start element, skipping white space, comments,
    // the declaration and the document type; false at an end element, at
    // stray text or on an error.
    bool nextElement()
    {
        while (!m_reader.atEnd()) {
            switch (m_reader.readNext()) {
            case QXmlStreamReader::StartElement:
                return true;
            case QXmlStreamReader::Characters:
                if (!m_reader.isWhitespace())
                    return false;
                break;
            case QXmlStreamReader::EndElement:
            case QXmlStreamReader::EntityReference:
            case QXmlStreamReader::Invalid:
                return false;
            default:
                break;
            }
        }
        return false;
    }

    // Advances past white space to the end element of the given name.
    bool closes(const QString& name)
    {
        while (!m_reader.atEnd()) {
            switch (m_reader.readNext()) {
            case QXmlStreamReader::EndElement:
                return m_reader.name() == name;
            case QXmlStreamReader::Characters:
                if (!m_reader.isWhitespace())
                    return false;
                break;
            case QXmlStreamReader::Comment:
                break;
            default:
                return false;
            }
        }
        return false;
    }

    std::optional<QString> text()
    {
        const QString content = m_reader.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement);
        if (m_reader.hasError())
            return std::nullopt;
        return content;
    }

    // Reads the value whose start element is the current token, up to and
    // including its end element.
    std::optional<QVariant> readValue(int depth)
    {
        if (depth > PropertyList::maximumDepth)
            return std::nullopt;
        const QStringView name = m_reader.name();
        if (name == QLatin1String("dict"))
            return readDictionary(depth);
        if (name == QLatin1String("array"))
            return readArray(depth);
        if (name == QLatin1String("true") || name == QLatin1String("false")) {
            const bool flag = name == QLatin1String("true");
            if (!closes(name.toString()))
                return std::nullopt;
            return QVariant(flag);
        }
        const QString kind = name.toString();
        const std::optional<QString> content = text();
        if (!content)
            return std::nullopt;
        if (kind == QLatin1String("string"))
            return QVariant(*content);
        if (kind == QLatin1String("integer"))
            return integer(content->trimmed());
        if (kind == QLatin1String("real"))
            return real(content->trimmed());
        if (kind == QLatin1String("date"))
            return date(content->trimmed());
        if (kind == QLatin1String("data"))
            return data(*content);
        return std::nullopt;
    }

    std::optional<QVariant> readDictionary(int depth)
    {
        QVariantMap map;
        while (nextElement()) {
            if (m_reader.name() != QLatin1String("key"))
                return std::nullopt;
            const std::optional<QString> key = text();
            if (!key || !nextElement())
                return std::nullopt;
            std::optional<QVariant> value = readValue(depth + 1);
            if (!value)
                return std::nullopt;
            map.insert(*key, *value);
        }
        if (m_reader.hasError() || !m_reader.isEndElement() || m_reader.name() != QLatin1String("dict"))
            return std::nullopt;
        return QVariant(map);
    }

    std::optional<QVariant> readArray(int depth)
    {
        QVariantList list;
        while (nextElement()) {
            std::optional<QVariant> value = readValue(depth + 1);
            if (!value)
                return std::nullopt;
            list.append(*value);
        }
        if (m_reader.hasError() || !m_reader.isEndElement() || m_reader.name() != QLatin1String("array"))
            return std::nullopt;
        return QVariant(list);
    }

    static std::optional<QVariant> integer(const QString& content)
    {
        QString digits = content;
        bool negative = false;
        if (digits.startsWith(QLatin1Char('-')) || digits.startsWith(QLatin1Char('+'))) {
            negative = digits.startsWith(QLatin1Char('-'));
            digits.remove(0, 1);
        }
        int base = 10;
        if (digits.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
            base = 16;
            digits.remove(0, 2);
        }
        if (digits.isEmpty() || digits.startsWith(QLatin1Char('+')) || digits.startsWith(QLatin1Char('-')))
            return std::nullopt;
        bool ok = false;
        const quint64 magnitude = digits.toULongLong(&ok, base);
        if (!ok)
            return std::nullopt;
        if (negative) {
            constexpr quint64 limit = static_cast<quint64>(std::numeric_limits<qint64>::max()) + 1;
            if (magnitude > limit)
                return std::nullopt;
            return QVariant::fromValue(static_cast<qint64>(0 - magnitude));
        }
        return integerValue(magnitude, false);
    }

    static std::optional<QVariant> real(const QString& content)
    {
        const QString lower = content.toLower();
        if (lower == QLatin1String("nan"))
            return QVariant(std::numeric_limits<double>::quiet_NaN());
        if (lower == QLatin1String("inf") || lower == QLatin1String("+inf") || lower == QLatin1String("infinity")
            || lower == QLatin1String("+infinity"))
            return QVariant(std::numeric_limits<double>::infinity());
        if (lower == QLatin1String("-inf") || lower == QLatin1String("-infinity"))
            return QVariant(-std::numeric_limits<double>::infinity());
        bool ok = false;
        const double number = content.toDouble(&ok);
        if (!ok)
            return std::nullopt;
        return QVariant(number);
    }

    static std::optional<QVariant> date(const QString& content)
    {
        QDateTime moment = QDateTime::fromString(content, Qt::ISODate);
        if (!moment.isValid())
            return std::nullopt;
        return QVariant(moment.toUTC());
    }

    static std::optional<QVariant> data(const QString& content)
    {
        QByteArray compact;
        compact.reserve(content.size());
        for (QChar character : content) {
            if (character.isSpace())
                continue;
            if (character.unicode() > 0x7F)
                return std::nullopt;
            compact.append(static_cast<char>(character.unicode()));
        }
        const QByteArray::FromBase64Result decoded =
            QByteArray::fromBase64Encoding(compact, QByteArray::AbortOnBase64DecodingErrors);
        if (!decoded)
            return std::nullopt;
        return QVariant(decoded.decoded);
    }

    QXmlStreamReader m_reader;
};

// ------------------------------------------------------------- binary form

class BinaryParser {
public:
    explicit BinaryParser(const QByteArray& bytes)
        : m_data(reinterpret_cast<const unsigned char*>(bytes.constData())), m_size(bytes.size())
    {
    }

    std::optional<QVariant> parse()
    {
        constexpr qsizetype headerSize = 8;
        constexpr qsizetype trailerSize = 32;
        if (m_size < headerSize + trailerSize || std::memcmp(m_data, "bplist00", 8) != 0)
            return std::nullopt;
        const qsizetype trailer = m_size - trailerSize;
        m_offsetSize = m_data[trailer + 6];
        m_refSize = m_data[trailer + 7];
        const quint64 count = readUnsigned(trailer + 8, 8);
        const quint64 top = readUnsigned(trailer + 16, 8);
        const quint64 tableOffset = readUnsigned(trailer + 24, 8);
        if (m_offsetSize < 1 || m_offsetSize > 8 || m_refSize < 1 || m_refSize > 8)
            return std::nullopt;
        if (count == 0 || top >= count)
            return std::nullopt;
        if (tableOffset < static_cast<quint64>(headerSize) || tableOffset > static_cast<quint64>(trailer))
            return std::nullopt;
        if (count > (static_cast<quint64>(trailer) - tableOffset) / static_cast<quint64>(m_offsetSize))
            return std::nullopt;
        m_count = count;
        m_tableOffset = static_cast<qsizetype>(tableOffset);
        m_state.assign(static_cast<size_t>(count), State::unread);
        m_values.assign(static_cast<size_t>(count), QVariant());
        return object(top, 0);
    }

private:
    enum class State : unsigned char { unread, reading, read };

    quint64 readUnsigned(qsizetype position, int width) const
    {
        quint64 value = 0;
        for (int index = 0; index < width; ++index)
            value = (value << 8) | m_data[position + index];
        return value;
    }

    // Whether [position, position + length) lies inside the object area.
    bool fits(qsizetype position, quint64 length) const
    {
        return position >= 8 && position <= m_tableOffset
            && length <= static_cast<quint64>(m_tableOffset - position);
    }

    // The length of a data, string or collection object whose marker is at
    // position; advances position past the marker and any length object.
    bool length(qsizetype& position, quint64& out) const
    {
        const unsigned int low = m_data[position] & 0x0F;
        ++position;
        if (low != 0x0F) {
            out = low;
            return true;
        }
        if (!fits(position, 1))
            return false;
        const unsigned char marker = m_data[position];
        if ((marker & 0xF0) != 0x10 || (marker & 0x0F) > 3)
            return false;
        const int width = 1 << (marker & 0x0F);
        ++position;
        if (!fits(position, static_cast<quint64>(width)))
            return false;
        out = readUnsigned(position, width);
        position += width;
        return true;
    }

    // The object references of a collection: count references of refSize
    // bytes each, starting at position.
    bool references(qsizetype position, quint64 count, std::vector<quint64>& out) const
    {
        if (count > static_cast<quint64>(m_tableOffset) / static_cast<quint64>(m_refSize))
            return false;
        if (!fits(position, count * static_cast<quint64>(m_refSize)))
            return false;
        out.resize(static_cast<size_t>(count));
        for (quint64 index = 0; index < count; ++index) {
            out[static_cast<size_t>(index)] =
                readUnsigned(position + static_cast<qsizetype>(index) * m_refSize, m_refSize);
        }
        return true;
    }

    std::optional<QVariant> object(quint64 index, int depth)
    {
        if (index >= m_count || depth > PropertyList::maximumDepth)
            return std::nullopt;
        const auto slot = static_cast<size_t>(index);
        if (m_state[slot] == State::read)
            return m_values[slot];
        if (m_state[slot] == State::reading)
            return std::nullopt; // a cycle
        m_state[slot] = State::reading;
        const quint64 offset =
            readUnsigned(m_tableOffset + static_cast<qsizetype>(index) * m_offsetSize, m_offsetSize);
        if (offset < 8 || offset >= static_cast<quint64>(m_tableOffset))
            return std::nullopt;
        std::optional<QVariant> value = decode(static_cast<qsizetype>(offset), depth);
        if (!value)
            return std::nullopt;
        m_values[slot] = *value;
        m_state[slot] = State::read;
        return value;
    }

    std::optional<QVariant> decode(qsizetype position, int depth)
    {
        const unsigned char marker = m_data[position];
        const unsigned int low = marker & 0x0F;
        switch (marker >> 4) {
        case 0x0:
            if (marker == 0x08)
                return QVariant(false);
            if (marker == 0x09)
                return QVariant(true);
            return std::nullopt;
        case 0x1:
            return integer(position + 1, low);
        case 0x2: {
            if (low == 2 && fits(position + 1, 4)) {
                const auto bits = static_cast<quint32>(readUnsigned(position + 1, 4));
                float number;
                std::memcpy(&number, &bits, sizeof number);
                return QVariant(static_cast<double>(number));
            }
            if (low == 3 && fits(position + 1, 8))
                return QVariant(doubleAt(position + 1));
            return std::nullopt;
        }
        case 0x3: {
            if (marker != 0x33 || !fits(position + 1, 8))
                return std::nullopt;
            const std::optional<QDateTime> moment = dateFromReferenceSeconds(doubleAt(position + 1));
            if (!moment)
                return std::nullopt;
            return QVariant(*moment);
        }
        case 0x4:
        case 0x5:
        case 0x6:
        case 0x7:
            return bytesObject(position);
        case 0x8: {
            const int width = static_cast<int>(low) + 1;
            if (width > 8 || !fits(position + 1, static_cast<quint64>(width)))
                return std::nullopt;
            const quint64 uid = readUnsigned(position + 1, width);
            if (uid > static_cast<quint64>(std::numeric_limits<qint64>::max()))
                return std::nullopt;
            QVariantMap map;
            map.insert(QStringLiteral("CF$UID"), QVariant::fromValue(static_cast<qint64>(uid)));
            return QVariant(map);
        }
        case 0xA:
        case 0xB:
        case 0xC:
            return list(position, depth);
        case 0xD:
            return dictionary(position, depth);
        default:
            return std::nullopt;
        }
    }

    double doubleAt(qsizetype position) const
    {
        const quint64 bits = readUnsigned(position, 8);
        double number;
        std::memcpy(&number, &bits, sizeof number);
        return number;
    }

    std::optional<QVariant> integer(qsizetype position, unsigned int low) const
    {
        if (low > 4)
            return std::nullopt;
        const int width = 1 << low;
        if (!fits(position, static_cast<quint64>(width)))
            return std::nullopt;
        if (width < 8)
            return QVariant::fromValue(static_cast<qint64>(readUnsigned(position, width)));
        if (width == 8)
            return QVariant::fromValue(static_cast<qint64>(readUnsigned(position, 8)));
        // 128 bits: only values that fit 64 bits are accepted.
        const quint64 high = readUnsigned(position, 8);
        const quint64 lowBits = readUnsigned(position + 8, 8);
        if (high == 0)
            return integerValue(lowBits, false);
        if (high == std::numeric_limits<quint64>::max() && (lowBits >> 63) == 1)
            return QVariant::fromValue(static_cast<qint64>(lowBits));
        return std::nullopt;
    }

    std::optional<QVariant> bytesObject(qsizetype position) const
    {
        const unsigned int kind = m_data[position] >> 4;
        qsizetype start = position;
        quint64 count = 0;
        if (!length(start, count))
            return std::nullopt;
        const quint64 unitSize = kind == 0x6 ? 2 : 1;
        if (count > std::numeric_limits<quint64>::max() / unitSize || !fits(start, count * unitSize))
            return std::nullopt;
        const auto* bytes = reinterpret_cast<const char*>(m_data + start);
        const auto size = static_cast<qsizetype>(count * unitSize);
        switch (kind) {
        case 0x4:
            return QVariant(QByteArray(bytes, size));
        case 0x5:
            return QVariant(QString::fromLatin1(bytes, size));
        case 0x6: {
            QString text(static_cast<qsizetype>(count), Qt::Uninitialized);
            for (qsizetype index = 0; index < static_cast<qsizetype>(count); ++index)
                text[index] = QChar(static_cast<char16_t>(readUnsigned(start + 2 * index, 2)));
            return QVariant(text);
        }
        default:
            return QVariant(QString::fromUtf8(bytes, size));
        }
    }

    std::optional<QVariant> list(qsizetype position, int depth)
    {
        qsizetype start = position;
        quint64 count = 0;
        std::vector<quint64> refs;
        if (!length(start, count) || !references(start, count, refs))
            return std::nullopt;
        QVariantList values;
        values.reserve(static_cast<qsizetype>(refs.size()));
        for (quint64 ref : refs) {
            std::optional<QVariant> value = object(ref, depth + 1);
            if (!value)
                return std::nullopt;
            values.append(*value);
        }
        return QVariant(values);
    }

    std::optional<QVariant> dictionary(qsizetype position, int depth)
    {
        qsizetype start = position;
        quint64 count = 0;
        std::vector<quint64> keys;
        std::vector<quint64> values;
        if (!length(start, count) || !references(start, count, keys))
            return std::nullopt;
        if (!references(start + static_cast<qsizetype>(count) * m_refSize, count, values))
            return std::nullopt;
        QVariantMap map;
        for (size_t index = 0; index < keys.size(); ++index) {
            const std::optional<QVariant> key = object(keys[index], depth + 1);
            if (!key || key->typeId() != QMetaType::QString)
                return std::nullopt;
            std::optional<QVariant> value = object(values[index], depth + 1);
            if (!value)
                return std::nullopt;
            map.insert(key->toString(), *value);
        }
        return QVariant(map);
    }

    const unsigned char* m_data;
    qsizetype m_size;
    int m_offsetSize = 0;
    int m_refSize = 0;
    quint64 m_count = 0;
    qsizetype m_tableOffset = 0;
    std::vector<State> m_state;
    std::vector<QVariant> m_values;
};

} // namespace

namespace PropertyList {

std::optional<QVariant> parse(const QByteArray& bytes)
{
    if (bytes.startsWith("bplist00"))
        return BinaryParser(bytes).parse();
    if (bytes.startsWith("bplist"))
        return std::nullopt;
    return XmlParser(bytes).parse();
}

std::optional<QVariant> parseFile(const QString& path)
{
    const std::optional<MappedFile> file = MappedFile::open(path);
    if (!file)
        return std::nullopt;
    return parse(file->bytes());
}

std::optional<QVariantMap> parseDictionaryFile(const QString& path)
{
    const std::optional<QVariant> value = parseFile(path);
    if (!value || value->typeId() != QMetaType::QVariantMap)
        return std::nullopt;
    return value->toMap();
}

} // namespace PropertyList
