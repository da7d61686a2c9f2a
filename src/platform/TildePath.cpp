#include "platform/TildePath.h"

#include "platform/AppRuntime.h"

#include <QFile>

#include <pwd.h>
#include <unistd.h>

#include <vector>

namespace {

// The home folder of a named user from the password database, or nothing.
QString homeOfUser(const QString& name)
{
    const QByteArray encoded = QFile::encodeName(name);
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    if (size <= 0)
        size = 16384;
    std::vector<char> buffer(static_cast<size_t>(size));
    passwd entry{};
    passwd* found = nullptr;
    if (getpwnam_r(encoded.constData(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found
        || !found->pw_dir)
        return {};
    return QFile::decodeName(found->pw_dir);
}

} // namespace

namespace TildePath {

QString expand(const QString& path)
{
    if (!path.startsWith(QLatin1Char('~')))
        return path;
    const qsizetype slash = path.indexOf(QLatin1Char('/'));
    const QString user = path.mid(1, slash < 0 ? -1 : slash - 1);
    const QString rest = slash < 0 ? QString() : path.mid(slash);
    QString home = user.isEmpty() ? AppRuntime::homeDirectory() : homeOfUser(user);
    if (home.isEmpty())
        return path;
    if (home.size() > 1 && home.endsWith(QLatin1Char('/')))
        home.chop(1);
    if (home == QLatin1String("/") && !rest.isEmpty())
        return rest;
    return home + rest;
}

} // namespace TildePath
