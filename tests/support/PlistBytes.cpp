#include "PlistBytes.h"

#include <QFile>

namespace {

QByteArray escaped(const QString& text)
{
    return text.toHtmlEscaped().toUtf8();
}

QByteArray bigEndian(quint64 value, int size)
{
    QByteArray bytes;
    for (int shift = 8 * (size - 1); shift >= 0; shift -= 8)
        bytes += char((value >> shift) & 0xFF);
    return bytes;
}

// A marker nibble with its count: in the low nibble when below 15, else
// followed by an integer object.
QByteArray sized(int marker, qsizetype count)
{
    if (count < 15)
        return QByteArray(1, char(marker | int(count)));
    if (count < 256)
        return QByteArray(1, char(marker | 0x0F)) + char(0x10) + char(count);
    return QByteArray(1, char(marker | 0x0F)) + char(0x11) + bigEndian(quint64(count), 2);
}

QByteArray stringObject(const QString& text)
{
    bool ascii = true;
    for (QChar c : text)
        ascii = ascii && c.unicode() < 0x80;
    if (ascii)
        return sized(0x50, text.size()) + text.toLatin1();
    QByteArray bytes = sized(0x60, text.size());
    for (QChar c : text)
        bytes += bigEndian(c.unicode(), 2);
    return bytes;
}

} // namespace

namespace PlistBytes {

QByteArray xml(const Entries& entries)
{
    QByteArray body;
    for (const auto& [key, value] : entries)
        body += "\t<key>" + escaped(key) + "</key>\n\t<string>" + escaped(value) + "</string>\n";
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
           "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
           "<plist version=\"1.0\">\n<dict>\n"
        + body + "</dict>\n</plist>\n";
}

QByteArray binary(const Entries& entries)
{
    // Object 0 is the dictionary; keys are objects 1..n, values n+1..2n.
    const qsizetype count = entries.size();
    QList<QByteArray> objects;
    QByteArray dictionary = sized(0xD0, count);
    for (qsizetype i = 0; i < 2 * count; ++i)
        dictionary += bigEndian(quint64(1 + i), 2);
    objects << dictionary;
    for (const auto& entry : entries)
        objects << stringObject(entry.first);
    for (const auto& entry : entries)
        objects << stringObject(entry.second);

    QByteArray bytes = "bplist00";
    QList<quint64> offsets;
    for (const QByteArray& object : objects) {
        offsets << quint64(bytes.size());
        bytes += object;
    }
    const quint64 tableOffset = quint64(bytes.size());
    for (quint64 offset : offsets)
        bytes += bigEndian(offset, 4);
    bytes += QByteArray(6, '\0');
    bytes += char(4); // offset size
    bytes += char(2); // object reference size
    bytes += bigEndian(quint64(objects.size()), 8) + bigEndian(0, 8) + bigEndian(tableOffset, 8);
    return bytes;
}

bool writeSparseBinary(const QString& path, const Entries& entries, qint64 size)
{
    // The trailer's last field is the offset table's position; objects are
    // found through the table, so a gap before it is never read.
    const QByteArray list = binary(entries);
    quint64 tableOffset = 0;
    for (qsizetype i = list.size() - 8; i < list.size(); ++i)
        tableOffset = (tableOffset << 8) | quint8(list[i]);
    QByteArray tail = list.mid(qsizetype(tableOffset));
    const qint64 newTableOffset = size - tail.size();
    if (newTableOffset < qint64(tableOffset))
        return false;
    tail.replace(tail.size() - 8, 8, bigEndian(quint64(newTableOffset), 8));
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(list.left(qsizetype(tableOffset))) == qint64(tableOffset)
        && file.seek(newTableOffset) && file.write(tail) == tail.size();
}

} // namespace PlistBytes
