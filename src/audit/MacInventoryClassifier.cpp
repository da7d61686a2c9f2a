#include "audit/MacInventoryClassifier.h"

#include "platform/TextLines.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTextBoundaryFinder>

#include <array>
#include <climits>

#include <unistd.h>

namespace MacInventoryClassifier {

namespace {

const QString missingValue = QStringLiteral("—");

QSet<QString> lowerCaseSet(std::initializer_list<const char*> entries)
{
    QSet<QString> set;
    for (const char* entry : entries)
        set.insert(QString::fromUtf8(entry).toLower());
    return set;
}

// The raw target of a symbolic link; a null array when path is not one.
QByteArray linkTarget(const QString& path)
{
    QByteArray buffer(PATH_MAX, Qt::Uninitialized);
    const ssize_t length = ::readlink(QFile::encodeName(path).constData(), buffer.data(), size_t(buffer.size()));
    if (length < 0)
        return {};
    buffer.truncate(length);
    return buffer;
}

// The Mac path of a local path with every symbolic link resolved inside the
// Mac's file system: an absolute link target is a path on the Mac, not on
// this machine. A chain of more than 40 links is left unresolved from there.
QString resolvedMacPath(const QString& localPath, const Host& host)
{
    const QString macPath = host.unmap(QDir::cleanPath(QFileInfo(localPath).absoluteFilePath()));
    QStringList pending = macPath.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QStringList resolved;
    int links = 0;
    while (!pending.isEmpty()) {
        const QString part = pending.takeFirst();
        if (part == QLatin1String("."))
            continue;
        if (part == QLatin1String("..")) {
            if (!resolved.isEmpty())
                resolved.removeLast();
            continue;
        }
        resolved.append(part);
        const QByteArray target = linkTarget(host.map(QLatin1Char('/') + resolved.join(QLatin1Char('/'))));
        if (target.isNull())
            continue;
        if (++links > 40) {
            resolved += pending;
            break;
        }
        resolved.removeLast();
        QString targetPath = QFile::decodeName(target);
        if (targetPath.startsWith(QLatin1Char('/'))) {
            resolved.clear();
            targetPath = host.unmap(QDir::cleanPath(targetPath));
        }
        pending = targetPath.split(QLatin1Char('/'), Qt::SkipEmptyParts) + pending;
    }
    return QLatin1Char('/') + resolved.join(QLatin1Char('/'));
}

// The rest of the first line that begins with prefix, trimmed; "—" when no
// line does.
QString lineValue(const QStringList& lines, const QString& prefix)
{
    for (const QString& line : lines) {
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed();
    }
    return missingValue;
}

bool isSpaceOrPunctuation(QChar character)
{
    return character.isSpace() || character.isPunct();
}

QString trimmedOfSpaceAndPunctuation(const QString& text)
{
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && isSpaceOrPunctuation(text.at(start)))
        ++start;
    while (end > start && isSpaceOrPunctuation(text.at(end - 1)))
        --end;
    return text.mid(start, end - start);
}

// User-perceived characters, as a reader counts them.
qsizetype characterCount(const QString& text)
{
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype count = 0;
    while (finder.toNextBoundary() != -1)
        ++count;
    return count;
}

QRegularExpression unicodePattern(const char* pattern, bool caseInsensitive = false)
{
    QRegularExpression::PatternOptions options = QRegularExpression::UseUnicodePropertiesOption;
    if (caseInsensitive)
        options |= QRegularExpression::CaseInsensitiveOption;
    return QRegularExpression(QString::fromUtf8(pattern), options);
}

std::optional<QString> developerFromCertificate(const QStringList& lines)
{
    static const QSet<QString> nonDeveloperAuthorities{
        QStringLiteral("(unavailable)"),
        QStringLiteral("Apple Mac OS Application Signing"),
        QStringLiteral("Apple Worldwide Developer Relations Certification Authority"),
        QStringLiteral("Apple Root CA"),
    };
    static const QRegularExpression trailingTeam = unicodePattern("\\s+\\([A-Z0-9]{10}\\)$");
    const QString prefix = QStringLiteral("Authority=");
    for (const QString& line : lines) {
        if (!line.startsWith(prefix))
            continue;
        QString value = line.mid(prefix.size()).trimmed();
        if (nonDeveloperAuthorities.contains(value))
            continue;
        const qsizetype colon = value.indexOf(QLatin1Char(':'));
        if (colon >= 0)
            value = value.mid(colon + 1).trimmed();
        value.remove(trailingTeam);
        if (!value.isEmpty())
            return value;
    }
    return std::nullopt;
}

std::optional<QString> developerFromCopyright(const QString& copyright)
{
    static const QRegularExpression copyrightWord = unicodePattern("^(copyright|bản quyền)\\s*", true);
    // Only "(c)" with its parentheses is a copyright mark; a bare leading C
    // is the first letter of a name ("Cedar Labs").
    static const QRegularExpression letterMark = unicodePattern("^\\s*\\(c\\)\\s*", true);
    static const QRegularExpression years = unicodePattern("\\b(19|20)\\d{2}(?:\\s*[-–]\\s*(19|20)\\d{2})?\\b");
    static const std::array reservedMarkers{
        QStringLiteral(". All rights"),
        QStringLiteral(". Mọi quyền"),
        QStringLiteral(". Todos los"),
        QStringLiteral(". Alle Rechte"),
    };

    QString text = copyright;
    text.replace(QChar(0x00A0), QLatin1Char(' '));
    text = text.trimmed();
    if (text.isEmpty())
        return std::nullopt;
    text.remove(copyrightWord);
    text.remove(QStringLiteral("©"));
    text.remove(letterMark);
    text.remove(years);
    for (const QString& marker : reservedMarkers) {
        const qsizetype at = text.indexOf(marker, 0, Qt::CaseInsensitive);
        if (at >= 0)
            text.truncate(at);
    }
    text = trimmedOfSpaceAndPunctuation(text);
    if (text.isEmpty() || characterCount(text) > 120)
        return std::nullopt;
    return text;
}

struct VendorRow {
    const char* developer;
    std::initializer_list<const char*> tokens;
};

const std::array<VendorRow, 19>& vendorTable()
{
    static const std::array<VendorRow, 19> table{{
        {"Microsoft", {"com.microsoft.", "microsoft"}},
        {"Google", {"com.google.", "google"}},
        {"OpenAI", {"com.openai.", "openai"}},
        {"Duolingo", {"com.duolingo.", "duolingo"}},
        {"VNG", {"com.vng.", "zalo"}},
        {"Zoom", {"us.zoom.", "zoom"}},
        {"WhatsApp", {"net.whatsapp.", "whatsapp"}},
        {"Slack", {"com.tinyspeck.", "slack"}},
        {"Telegram", {"com.tdesktop.", "telegram"}},
        {"Docker", {"com.docker.", "io.docker.", "docker"}},
        {"Cloudflare", {"com.cloudflare.", "cloudflare"}},
        {"GitHub", {"com.github.", "github", "homebrew.formula.gh"}},
        {"Mozilla", {"org.mozilla.", "mozilla", "firefox", "thunderbird"}},
        {"GNOME Foundation", {"org.gnome.", "gimp"}},
        {"Adobe", {"com.adobe.", "adobe"}},
        {"Figma", {"com.figma.", "figma"}},
        {"Apple", {"com.apple.", "apple"}},
        {"CocoaPods", {"cocoapods"}},
        {"Git", {"homebrew.formula.git"}},
    }};
    return table;
}

QString upperCasedFirstCharacter(const QString& word)
{
    const qsizetype firstLength = word.at(0).isHighSurrogate() && word.size() > 1 ? 2 : 1;
    return word.left(firstLength).toUpper() + word.mid(firstLength);
}

} // namespace

const QSet<QString>& operatingSystemBundleIdentifiers()
{
    static const QSet<QString> set = lowerCaseSet({
        "com.apple.AddressBook", "com.apple.AppStore", "com.apple.Dictionary", "com.apple.FaceTime",
        "com.apple.finder", "com.apple.freeform", "com.apple.Home", "com.apple.iCal", "com.apple.Image_Capture",
        "com.apple.mail", "com.apple.MobileSMS", "com.apple.Music", "com.apple.Notes", "com.apple.Photos",
        "com.apple.Preview", "com.apple.reminders", "com.apple.Safari", "com.apple.systempreferences",
        "com.apple.TextEdit", "com.apple.TV", "com.apple.VoiceMemos", "com.apple.podcasts",
    });
    return set;
}

const QSet<QString>& keyFreeBundleIdentifiers()
{
    static const QSet<QString> set = lowerCaseSet({
        "Mattermost.Desktop", "asc.onlyoffice.ONLYDEVIVU", "ch.sudo.cyberduck", "com.apple.dt.Xcode",
        "com.apple.garageband10", "com.apple.iMovieApp", "com.apple.iWork.Keynote", "com.apple.iWork.Numbers",
        "com.apple.iWork.Pages", "com.bytedance.tiktok.desktop", "com.coteditor.CotEditor",
        "com.github.GitHubClient", "com.google.android.studio", "com.google.Chrome", "com.hp.SmartMac",
        "com.jgraph.drawio.desktop", "com.microsoft.VSCode", "com.tdesktop.Telegram", "com.wireguard.macos",
        "net.sourceforge.skim-app.skim", "org.gimp.gimp", "org.libreoffice.script", "org.mozilla.thunderbird",
        "org.pdfsam.basic",
    });
    return set;
}

const QSet<QString>& accountBasedBundleIdentifiers()
{
    static const QSet<QString> set = lowerCaseSet({
        "com.anthropic.claudefordesktop", "com.google.antigravity", "com.google.antigravity-ide",
        "com.canva.CanvaDesktop", "com.bitrixsoft.bitrix24desktop", "com.electron.vysor", "com.figma.Desktop",
        "com.hnc.Discord", "com.microsoft.OneDrive", "com.microsoft.teams", "com.openai.chat", "com.openai.codex",
        "com.philandro.anydesk", "com.skype.skype", "com.teamviewer.TeamViewer", "com.tinyspeck.slackmacgap",
        "com.viber.osx", "com.vng.zalo", "net.whatsapp.WhatsApp", "io.trezor.TrezorSuite", "us.zoom.xos",
    });
    return set;
}

bool isSystemApplication(const QString& bundlePath, const std::optional<QString>& bundleIdentifier, const Host& host)
{
    const QString path = resolvedMacPath(bundlePath, host);
    if (path == QLatin1String("/System") || path.startsWith(QLatin1String("/System/"))
        || path.startsWith(QLatin1String("/usr/libexec/")) || path.startsWith(QLatin1String("/Library/Apple/System/")))
        return true;
    return bundleIdentifier && operatingSystemBundleIdentifiers().contains(bundleIdentifier->toLower());
}

SignatureFields signatureFields(const QString& codesignOutput, bool verified)
{
    const QStringList lines = TextLines::split(codesignOutput);
    SignatureFields fields;
    if (verified)
        fields.status = lineValue(lines, QStringLiteral("Signature=")) == QLatin1String("adhoc")
                            ? QStringLiteral("ad-hoc")
                            : QStringLiteral("valid");
    else
        fields.status = codesignOutput.contains(QLatin1String("not signed"), Qt::CaseInsensitive)
                            ? QStringLiteral("unsigned")
                            : QStringLiteral("invalid");
    fields.teamIdentifier = lineValue(lines, QStringLiteral("TeamIdentifier="));
    fields.signingIdentifier = lineValue(lines, QStringLiteral("Identifier="));
    return fields;
}

QString developerName(const QString& signatureOutput, const std::optional<QString>& provisioningTeamName,
                      const std::optional<QString>& copyright, const QString& teamIdentifier)
{
    if (std::optional<QString> name = developerFromCertificate(TextLines::split(signatureOutput)))
        return *name;
    if (provisioningTeamName) {
        const QString team = provisioningTeamName->trimmed();
        if (!team.isEmpty())
            return team;
    }
    if (copyright) {
        if (std::optional<QString> name = developerFromCopyright(*copyright))
            return *name;
    }
    const QString team = teamIdentifier.trimmed();
    if (team.isEmpty() || team == missingValue || team == QLatin1String("not set"))
        return missingValue;
    return QStringLiteral("Team ") + team;
}

std::optional<QString> inferredDeveloperName(const QString& applicationName, const QString& identifier,
                                             const QString& source)
{
    const QString lowerIdentifier = identifier.toLower();
    const QString lowerName = applicationName.toLower();
    for (const VendorRow& row : vendorTable()) {
        for (const char* token : row.tokens) {
            const QString t = QString::fromUtf8(token);
            if (lowerIdentifier.startsWith(t) || lowerIdentifier.contains(QLatin1Char('.') + t + QLatin1Char('.'))
                || lowerName == t || lowerName.startsWith(t + QLatin1Char('-')))
                return QString::fromUtf8(row.developer);
        }
    }
    if (source == QLatin1String("Homebrew formula"))
        return readableProjectName(applicationName);

    static const QSet<QString> reverseDomainPrefixes{
        QStringLiteral("com"), QStringLiteral("org"), QStringLiteral("net"),
        QStringLiteral("io"),  QStringLiteral("co"),  QStringLiteral("app"),
    };
    static const QSet<QString> genericComponents{
        QStringLiteral("app"),     QStringLiteral("apps"),     QStringLiteral("application"),
        QStringLiteral("package"), QStringLiteral("software"), QStringLiteral("installer"),
    };
    const QStringList parts = identifier.split(QLatin1Char('.'), Qt::SkipEmptyParts);
    if (parts.size() >= 2 && reverseDomainPrefixes.contains(parts.at(0).toLower())
        && !genericComponents.contains(parts.at(1).toLower()))
        return readableProjectName(parts.at(1));

    const QString name = applicationName.trimmed();
    if (name.isEmpty())
        return std::nullopt;
    return readableProjectName(name);
}

QString readableProjectName(const QString& text)
{
    static const QMap<QString, QString> wordTable{
        {QStringLiteral("api"), QStringLiteral("API")}, {QStringLiteral("cli"), QStringLiteral("CLI")},
        {QStringLiteral("css"), QStringLiteral("CSS")}, {QStringLiteral("gh"), QStringLiteral("GitHub")},
        {QStringLiteral("git"), QStringLiteral("Git")}, {QStringLiteral("gimp"), QStringLiteral("GIMP")},
        {QStringLiteral("ide"), QStringLiteral("IDE")}, {QStringLiteral("oss"), QStringLiteral("OSS")},
        {QStringLiteral("pdf"), QStringLiteral("PDF")}, {QStringLiteral("sdk"), QStringLiteral("SDK")},
        {QStringLiteral("ui"), QStringLiteral("UI")},
    };
    QString spaced = text;
    spaced.replace(QLatin1Char('_'), QLatin1Char(' ')).replace(QLatin1Char('-'), QLatin1Char(' '));

    QStringList words;
    QString word;
    for (const QChar character : std::as_const(spaced)) {
        if (character.isSpace()) {
            if (!word.isEmpty())
                words.append(std::exchange(word, QString()));
        } else {
            word += character;
        }
    }
    if (!word.isEmpty())
        words.append(word);
    if (words.isEmpty())
        return text;

    for (QString& each : words) {
        const auto known = wordTable.constFind(each.toLower());
        each = known != wordTable.constEnd() ? *known : upperCasedFirstCharacter(each);
    }
    return words.join(QLatin1Char(' '));
}

} // namespace MacInventoryClassifier
