#include "FakeMac.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace {

constexpr char fieldSeparator = '\x1f';

bool copyTree(const QString& from, const QString& to, QString& error)
{
    QDirIterator entries(from, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot | QDir::System,
                         QDirIterator::Subdirectories);
    while (entries.hasNext()) {
        const QFileInfo entry(entries.next());
        const QString target = to + entry.filePath().mid(from.size());
        if (entry.isDir()) {
            if (!QDir().mkpath(target)) {
                error = QStringLiteral("cannot create ") + target;
                return false;
            }
            continue;
        }
        QDir().mkpath(QFileInfo(target).path());
        if (!QFile::copy(entry.filePath(), target) || !QFile::setPermissions(target, entry.permissions())) {
            error = QStringLiteral("cannot copy ") + entry.filePath();
            return false;
        }
    }
    return true;
}

} // namespace

QString FakeMac::templateFolder()
{
    return qEnvironmentVariable("TAVRIN_SOURCE_DIR") + QStringLiteral("/tests/fixtures/mac-root");
}

FakeMac::FakeMac() : m_folder(std::make_unique<QTemporaryDir>())
{
    if (!m_folder->isValid()) {
        m_error = QStringLiteral("no temporary folder");
        return;
    }
    if (!QFileInfo(templateFolder()).isDir()) {
        m_error = QStringLiteral("no fake Mac template at ") + templateFolder();
        return;
    }
    if (!copyTree(templateFolder(), root(), m_error))
        return;
    qputenv("TAVRIN_FAKE_LOG", QFile::encodeName(callLogPath()));
    qputenv("TAVRIN_FAKE_ROOT", QFile::encodeName(root()));
}

FakeMac::~FakeMac()
{
    if (qEnvironmentVariable("TAVRIN_FAKE_LOG") == callLogPath())
        qunsetenv("TAVRIN_FAKE_LOG");
    if (m_folder->isValid() && qEnvironmentVariable("TAVRIN_FAKE_ROOT") == root())
        qunsetenv("TAVRIN_FAKE_ROOT");
}

QString FakeMac::root() const
{
    return QDir::cleanPath(m_folder->path() + QStringLiteral("/mac"));
}

Host FakeMac::host() const
{
    return Host(root());
}

QString FakeMac::path(const QString& macPath) const
{
    return host().map(macPath);
}

QString FakeMac::callLogPath() const
{
    return m_folder->path() + QStringLiteral("/calls.log");
}

bool FakeMac::writeFile(const QString& macPath, const QByteArray& contents, bool executable)
{
    const QString target = path(macPath);
    QDir().mkpath(QFileInfo(target).path());
    QFile file(target);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(contents) != contents.size())
        return false;
    file.close();
    if (!executable)
        return true;
    return file.setPermissions(file.permissions() | QFileDevice::ExeOwner | QFileDevice::ExeGroup
                               | QFileDevice::ExeOther);
}

bool FakeMac::writeProgram(const QString& macPath, const QByteArray& body)
{
    const QByteArray prologue =
        "#!/bin/sh\n"
        "r=${0%/*}; while [ -n \"$r\" ] && [ ! -f \"$r/.fake/lib.sh\" ]; do r=${r%/*}; done; "
        ". \"$r/.fake/lib.sh\"\n"
        "fake_log \"$@\"\n";
    return writeFile(macPath, prologue + body, true);
}

bool FakeMac::writeBundle(const QString& macPath, const std::optional<QString>& bundleIdentifier,
                          const QByteArray& signature)
{
    if (!QDir().mkpath(path(macPath + QStringLiteral("/Contents/MacOS"))))
        return false;
    if (bundleIdentifier) {
        const QByteArray plist = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                 "<plist version=\"1.0\">\n<dict>\n"
                                 "\t<key>CFBundleIdentifier</key>\n\t<string>"
            + bundleIdentifier->toHtmlEscaped().toUtf8() + "</string>\n</dict>\n</plist>\n";
        if (!writeFile(macPath + QStringLiteral("/Contents/Info.plist"), plist))
            return false;
    }
    return signature.isEmpty() || writeFile(macPath + QStringLiteral("/.fake-signature"), signature);
}

QByteArray FakeMac::signedBy(const QString& identifier, const QString& team, const QByteArray& more)
{
    return "identifier=" + identifier.toUtf8() + "\nteam=" + team.toUtf8()
        + "\nauthority=Developer ID Application: Fixture Vendor (" + team.toUtf8()
        + ")\nauthority=Developer ID Certification Authority\nauthority=Apple Root CA\n" + more;
}

bool FakeMac::installTool(const QString& name, const QString& macPath)
{
    QFile tool(path(QStringLiteral("/.fake/tools/") + name));
    if (!tool.open(QIODevice::ReadOnly))
        return false;
    return writeFile(macPath, tool.readAll(), true);
}

bool FakeMac::removeFile(const QString& macPath)
{
    return QFile::remove(path(macPath));
}

bool FakeMac::setProductVersion(const QString& version)
{
    const QString macPath = QStringLiteral("/System/Library/CoreServices/SystemVersion.plist");
    if (version.isEmpty())
        return QFile::remove(path(macPath)) || !QFile::exists(path(macPath));
    const QByteArray plist = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                             "<plist version=\"1.0\">\n<dict>\n"
                             "\t<key>ProductName</key>\n\t<string>macOS</string>\n"
                             "\t<key>ProductVersion</key>\n\t<string>"
        + version.toUtf8() + "</string>\n</dict>\n</plist>\n";
    return writeFile(macPath, plist);
}

bool FakeMac::setState(const QString& name, const QByteArray& contents)
{
    return writeFile(QStringLiteral("/.fake/state/") + name, contents);
}

QByteArray FakeMac::state(const QString& name) const
{
    QFile file(path(QStringLiteral("/.fake/state/") + name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

bool FakeMac::removeState(const QString& name)
{
    return QFile::remove(path(QStringLiteral("/.fake/state/") + name));
}

QList<QStringList> FakeMac::calls(const QString& program) const
{
    QFile file(callLogPath());
    QList<QStringList> result;
    if (!file.open(QIODevice::ReadOnly))
        return result;
    for (const QByteArray& line : file.readAll().split('\n')) {
        if (line.isEmpty())
            continue;
        QStringList fields;
        for (const QByteArray& field : line.split(fieldSeparator))
            fields.append(QString::fromUtf8(field));
        if (program.isEmpty() || fields.first() == program)
            result.append(fields);
    }
    return result;
}

void FakeMac::clearCalls()
{
    QFile::remove(callLogPath());
}
