// The XML writer of property lists.

#include "platform/PropertyList.h"

#include <QDateTime>
#include <QTimeZone>

#include <cmath>

namespace {

// Whether a UTF-16 text holds only characters that XML 1.0 can carry.
bool isXmlText(const QString& text)
{
    for (qsizetype index = 0; index < text.size(); ++index) {
        const char16_t unit = text.at(index).unicode();
        if (QChar::isHighSurrogate(unit)) {
            if (index + 1 >= text.size() || !QChar::isLowSurrogate(text.at(index + 1).unicode()))
                return false;
            ++index;
            continue;
        }
        if (QChar::isLowSurrogate(unit))
            return false;
        if (unit < 0x20 && unit != u'\t' && unit != u'\n' && unit != u'\r')
            return false;
        if (unit == 0xFFFE || unit == 0xFFFF)
            return false;
    }
    return true;
}

class XmlWriter {
public:
    bool write(const QVariant& value, int depth)
    {
        if (depth > PropertyList::maximumDepth)
            return false;
        switch (value.typeId()) {
        case QMetaType::QVariantMap:
            return writeDictionary(value.toMap(), depth);
        case QMetaType::QVariantList:
            return writeArray(value.toList(), depth);
        case QMetaType::QStringList: {
            QVariantList list;
            for (const QString& text : value.toStringList())
                list.append(text);
            return writeArray(list, depth);
        }
        case QMetaType::QString:
            return element(depth, "string", value.toString());
        case QMetaType::Bool:
            line(depth, value.toBool() ? "<true/>" : "<false/>");
            return true;
        case QMetaType::Int:
        case QMetaType::LongLong:
        case QMetaType::Short:
        case QMetaType::Long:
            return element(depth, "integer", QString::number(value.toLongLong()));
        case QMetaType::UInt:
        case QMetaType::ULongLong:
        case QMetaType::UShort:
        case QMetaType::ULong:
            return element(depth, "integer", QString::number(value.toULongLong()));
        case QMetaType::Double:
        case QMetaType::Float: {
            const double number = value.toDouble();
            if (!std::isfinite(number))
                return false;
            return element(depth, "real", QString::number(number, 'g', 17));
        }
        case QMetaType::QByteArray:
            return element(depth, "data", QString::fromLatin1(value.toByteArray().toBase64()));
        case QMetaType::QDateTime: {
            const QDateTime date = value.toDateTime();
            if (!date.isValid())
                return false;
            return element(depth, "date",
                           date.toTimeZone(QTimeZone::utc()).toString(QStringLiteral("yyyy-MM-ddTHH:mm:ssZ")));
        }
        default:
            return false;
        }
    }

    QByteArray m_out;

private:
    bool writeDictionary(const QVariantMap& map, int depth)
    {
        if (map.isEmpty()) {
            line(depth, "<dict/>");
            return true;
        }
        line(depth, "<dict>");
        for (auto entry = map.cbegin(); entry != map.cend(); ++entry) {
            if (!element(depth + 1, "key", entry.key()) || !write(entry.value(), depth + 1))
                return false;
        }
        line(depth, "</dict>");
        return true;
    }

    bool writeArray(const QVariantList& list, int depth)
    {
        if (list.isEmpty()) {
            line(depth, "<array/>");
            return true;
        }
        line(depth, "<array>");
        for (const QVariant& item : list) {
            if (!write(item, depth + 1))
                return false;
        }
        line(depth, "</array>");
        return true;
    }

    bool element(int depth, const char* name, const QString& text)
    {
        if (!isXmlText(text))
            return false;
        QString escaped;
        escaped.reserve(text.size());
        for (const QChar character : text) {
            switch (character.unicode()) {
            case u'&': escaped += QStringLiteral("&amp;"); break;
            case u'<': escaped += QStringLiteral("&lt;"); break;
            case u'>': escaped += QStringLiteral("&gt;"); break;
            case u'\r': escaped += QStringLiteral("&#13;"); break;
            default: escaped += character;
            }
        }
        indent(depth);
        m_out += '<';
        m_out += name;
        m_out += '>';
        m_out += escaped.toUtf8();
        m_out += "</";
        m_out += name;
        m_out += ">\n";
        return true;
    }

    void line(int depth, const char* text)
    {
        indent(depth);
        m_out += text;
        m_out += '\n';
    }

    void indent(int depth) { m_out += QByteArray(depth, '\t'); }
};

} // namespace

namespace PropertyList {

std::optional<QByteArray> toXml(const QVariant& value)
{
    XmlWriter writer;
    writer.m_out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                   "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
                   "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
                   "<plist version=\"1.0\">\n";
    if (!writer.write(value, 0))
        return std::nullopt;
    writer.m_out += "</plist>\n";
    return writer.m_out;
}

} // namespace PropertyList
