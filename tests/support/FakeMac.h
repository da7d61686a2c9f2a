#pragma once

#include "platform/Host.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>
#include <optional>

// A fake Mac for tests: a private copy of tests/fixtures/mac-root (a folder
// laid out like a Mac's system volume, with fixture programs in place of the
// macOS tools) in a temporary folder that is removed with the object.
//
// The fixture programs record every call in the file named by the environment
// variable TAVRIN_FAKE_LOG, which the constructor points at a file of this
// fake Mac (the variable is process-wide: one FakeMac at a time). They take
// their behaviour from state files in <root>/.fake/state. TAVRIN_FAKE_ROOT
// names the root for the few tools that may be copied outside it (unopkg in
// the user's home folder).
class FakeMac {
public:
    FakeMac();
    ~FakeMac();
    FakeMac(const FakeMac&) = delete;
    FakeMac& operator=(const FakeMac&) = delete;

    // False when the template could not be copied; error() says why.
    bool isValid() const { return m_error.isEmpty(); }
    QString error() const { return m_error; }

    // The local folder that stands for the Mac's "/".
    QString root() const;
    // A Host at this root, with the facts read from the fake Mac.
    Host host() const;
    // The local path of a Mac path (as Host::map: a path in the home folder
    // is the same on both sides).
    QString path(const QString& macPath) const;

    // Writes a file at a Mac path (parents created); executable for programs.
    bool writeFile(const QString& macPath, const QByteArray& contents, bool executable = false);
    // Writes an executable POSIX sh fixture at a Mac path: the prologue that
    // finds the root and records the call, followed by the given body.
    bool writeProgram(const QString& macPath, const QByteArray& body);
    // Writes an application bundle at a Mac path: Contents/Info.plist with
    // the bundle identifier (none: no Info.plist) and, when a signature is
    // given, the marker that the codesign and spctl fixtures read: key=value
    // lines such as "identifier=...", "team=...", "gatekeeper=rejected" (see
    // the header of .fake/signature.sh).
    bool writeBundle(const QString& macPath, const std::optional<QString>& bundleIdentifier,
                     const QByteArray& signature = {});
    // The marker of a bundle signed with Apple's anchor by a team.
    static QByteArray signedBy(const QString& identifier, const QString& team, const QByteArray& more = {});
    // Copies a tool kept in the template's .fake/tools (duti, ...) to a Mac path.
    bool installTool(const QString& name, const QString& macPath);
    // Removes a file at a Mac path (a fixture program, for example).
    bool removeFile(const QString& macPath);

    // Replaces SystemVersion.plist with one naming the version, or removes it
    // when the version is empty.
    bool setProductVersion(const QString& version);

    // State files read by the fixture programs.
    bool setState(const QString& name, const QByteArray& contents);
    QByteArray state(const QString& name) const;
    bool removeState(const QString& name);

    // The recorded calls, oldest first: each the program's Mac path followed
    // by its arguments; only those of one program when one is named.
    QList<QStringList> calls(const QString& program = {}) const;
    void clearCalls();
    QString callLogPath() const;

    // The folder of tests/fixtures/mac-root in the source tree.
    static QString templateFolder();

private:
    std::unique_ptr<QTemporaryDir> m_folder;
    QString m_error;
};
