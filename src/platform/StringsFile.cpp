#include "platform/StringsFile.h"

#include "platform/PropertyList.h"
#include "platform/Utf8.h"

#include <QStringDecoder>

namespace {

bool isWordCharacter(QChar c)
{
    // The characters an unquoted string of the text form may hold.
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$') || c == QLatin1Char('+')
        || c == QLatin1Char('/') || c == QLatin1Char(':') || c == QLatin1Char('.') || c == QLatin1Char('-');
}

int hexValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

class TextReader {
public:
    explicit TextReader(const QString& text) : m_text(text) {}

    std::optional<QVariantMap> table()
    {
        QVariantMap entries;
        while (true) {
            if (!skipBlanksAndComments())
                return std::nullopt;
            if (atEnd())
                return entries;
            std::optional<QString> key = string();
            if (!key || !skipBlanksAndComments() || atEnd())
                return std::nullopt;
            QString value = *key;
            if (peek() == QLatin1Char('=')) {
                ++m_position;
                if (!skipBlanksAndComments())
                    return std::nullopt;
                std::optional<QString> read = string();
                if (!read || !skipBlanksAndComments())
                    return std::nullopt;
                value = *read;
            }
            if (atEnd() || peek() != QLatin1Char(';'))
                return std::nullopt;
            ++m_position;
            entries.insert(*key, value);
        }
    }

private:
    bool atEnd() const { return m_position >= m_text.size(); }
    QChar peek(qsizetype ahead = 0) const
    {
        return m_position + ahead < m_text.size() ? m_text.at(m_position + ahead) : QChar();
    }

    // False on a comment that is never closed.
    bool skipBlanksAndComments()
    {
        while (!atEnd()) {
            const QChar c = peek();
            if (c.isSpace() || c == QChar(0xFEFF)) {
                ++m_position;
            } else if (c == QLatin1Char('/') && peek(1) == QLatin1Char('*')) {
                const qsizetype end = m_text.indexOf(QLatin1String("*/"), m_position + 2);
                if (end < 0)
                    return false;
                m_position = end + 2;
            } else if (c == QLatin1Char('/') && peek(1) == QLatin1Char('/')) {
                while (!atEnd() && peek() != QLatin1Char('\n') && peek() != QLatin1Char('\r'))
                    ++m_position;
            } else {
                return true;
            }
        }
        return true;
    }

    std::optional<QString> string()
    {
        if (peek() == QLatin1Char('"'))
            return quoted();
        const qsizetype start = m_position;
        while (!atEnd() && isWordCharacter(peek()))
            ++m_position;
        if (m_position == start)
            return std::nullopt;
        return m_text.mid(start, m_position - start);
    }

    std::optional<QString> quoted()
    {
        ++m_position; // the opening quote
        QString value;
        while (!atEnd()) {
            const QChar c = m_text.at(m_position++);
            if (c == QLatin1Char('"'))
                return value;
            if (c != QLatin1Char('\\')) {
                value.append(c);
                continue;
            }
            if (atEnd())
                return std::nullopt;
            const QChar escaped = m_text.at(m_position++);
            switch (escaped.unicode()) {
            case 'n': value.append(QLatin1Char('\n')); break;
            case 't': value.append(QLatin1Char('\t')); break;
            case 'r': value.append(QLatin1Char('\r')); break;
            case 'a': value.append(QChar(0x07)); break;
            case 'b': value.append(QChar(0x08)); break;
            case 'f': value.append(QChar(0x0C)); break;
            case 'v': value.append(QChar(0x0B)); break;
            case 'U':
            case 'u': {
                int code = 0;
                for (int digit = 0; digit < 4; ++digit) {
                    const int v = hexValue(peek());
                    if (v < 0)
                        return std::nullopt;
                    code = code * 16 + v;
                    ++m_position;
                }
                value.append(QChar(char16_t(code)));
                break;
            }
            default:
                if (escaped >= QLatin1Char('0') && escaped <= QLatin1Char('7')) {
                    int code = escaped.unicode() - '0';
                    for (int digit = 0; digit < 2 && peek() >= QLatin1Char('0') && peek() <= QLatin1Char('7');
                         ++digit)
                        code = code * 8 + (m_text.at(m_position++).unicode() - '0');
                    value.append(QChar(char16_t(code)));
                } else {
                    value.append(escaped); // \" \\ \' and any other character stand for themselves
                }
            }
        }
        return std::nullopt; // never closed
    }

    const QString& m_text;
    qsizetype m_position = 0;
};

// UTF-16 with a byte-order mark, or recognised by a zero byte in one of the
// first two places (the text form begins with ASCII).
std::optional<QString> decodedText(const QByteArray& bytes)
{
    const auto starts = [&](const char* mark, int size) { return bytes.startsWith(QByteArray(mark, size)); };
    std::optional<QStringConverter::Encoding> utf16;
    if (starts("\xFF\xFE", 2) || (bytes.size() >= 2 && bytes.at(0) != 0 && bytes.at(1) == 0))
        utf16 = QStringConverter::Utf16LE;
    else if (starts("\xFE\xFF", 2) || (bytes.size() >= 2 && bytes.at(0) == 0 && bytes.at(1) != 0))
        utf16 = QStringConverter::Utf16BE;
    if (!utf16)
        return Utf8::decode(bytes);
    if (bytes.size() % 2 != 0)
        return std::nullopt;
    QStringDecoder decoder(*utf16, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

} // namespace

namespace StringsFile {

std::optional<QVariantMap> parseText(const QString& text)
{
    return TextReader(text).table();
}

std::optional<QVariantMap> parse(const QByteArray& bytes)
{
    if (bytes.size() > maximumSize)
        return std::nullopt;
    if (bytes.startsWith("bplist") || bytes.trimmed().startsWith("<?xml") || bytes.trimmed().startsWith("<plist")) {
        const std::optional<QVariant> list = PropertyList::parse(bytes);
        if (!list || list->typeId() != QMetaType::QVariantMap)
            return std::nullopt;
        return list->toMap();
    }
    const std::optional<QString> text = decodedText(bytes);
    if (!text)
        return std::nullopt;
    return parseText(*text);
}

} // namespace StringsFile
