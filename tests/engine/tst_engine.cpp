#include "engine/ChildOutputLines.h"
#include "engine/MacBackend.h"
#include "platform/AppRuntime.h"
#include "support/FakeMac.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <csignal>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

Q_DECLARE_METATYPE(std::optional<double>)

namespace {

mode_t modeOf(const QString& path)
{
    struct stat info {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0)
        return 0;
    return info.st_mode & 07777;
}

// What the engine hands to its sinks, in arrival order.
struct Recorder {
    QStringList lines;
    QList<InstallProgressUpdate> updates;
    QStringList events; // "log:" + line or "progress:" + message, in order
    QList<QThread*> threads;

    MacBackend::LogSink logSink()
    {
        return [this](const QString& line) {
            lines.append(line);
            events.append(QStringLiteral("log:") + line);
            threads.append(QThread::currentThread());
        };
    }
    MacBackend::ProgressSink progressSink()
    {
        return [this](const InstallProgressUpdate& update) {
            updates.append(update);
            events.append(QStringLiteral("progress:") + update.message);
            threads.append(QThread::currentThread());
        };
    }
};

// The messages of log lines, after checking that each is "[HH:mm:ss] " + message.
QStringList messagesOf(const QStringList& lines)
{
    static const QRegularExpression stamp(QStringLiteral("^\\[\\d{2}:\\d{2}:\\d{2}\\] "));
    QStringList messages;
    for (const QString& line : lines) {
        if (!stamp.match(line).hasMatch())
            return {QStringLiteral("unstamped line: ") + line};
        messages.append(line.mid(11));
    }
    return messages;
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList fileMessages(const QString& path)
{
    const QByteArray bytes = readAll(path);
    QStringList lines = QString::fromUtf8(bytes).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return messagesOf(lines);
}

} // namespace

class EngineTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void logLineFormat();
    void logFilePermissions();
    void existingLogFolderKeepsItsPermissions();
    void deletedLogFileIsRecreated();
    void logFolderBelowOrdinaryFile();
    void logFileLinkIsRefused();
    void progressLines_data();
    void progressLines();
    void queuedDeliveryOnMainThread();
    void synchronousDeliveryIsSerialised();

    void outputChunks_data();
    void outputChunks();
    void runCommandStreamsInOrder();
    void exitStatuses_data();
    void exitStatuses();
    void missingCommand_data();
    void missingCommand();
    void macToolsNeverFallBackToLinux();
    void launchRefused();
    void splitCharacterKept();
    void invalidOutputDropped();
    void standardInputInherited();
    void quietFormsLogNothing();
    void captureForms();
    void largeOutput();
    void workingFolder();
    void searchPath();
    void commandResolution();

private:
    MacBackend synchronousEngine(Recorder& recorder) const
    {
        return MacBackend(recorder.logSink(), recorder.progressSink(), MacBackend::Delivery::synchronous,
                          m_mac->host());
    }
    QString logFile() const { return AppRuntime::logFile(); }

    QTemporaryDir m_home;
    std::unique_ptr<QTemporaryDir> m_logs;
    std::unique_ptr<FakeMac> m_mac;
    QByteArray m_path;
};

void EngineTest::initTestCase()
{
    QVERIFY(m_home.isValid());
    qputenv("HOME", QFile::encodeName(m_home.path()));
    QCOMPARE(AppRuntime::homeDirectory(), m_home.path());
    m_path = qgetenv("PATH");
}

void EngineTest::init()
{
    m_logs = std::make_unique<QTemporaryDir>();
    qputenv(AppRuntime::logDirVariable, QFile::encodeName(m_logs->path() + QStringLiteral("/logs")));
    m_mac = std::make_unique<FakeMac>();
    QVERIFY2(m_mac->isValid(), qPrintable(m_mac->error()));
}

void EngineTest::cleanup()
{
    m_mac.reset();
    qunsetenv(AppRuntime::logDirVariable);
    qputenv("PATH", m_path);
}

// ------------------------------------------------------------------ log

void EngineTest::logLineFormat()
{
    Recorder recorder;
    MacBackend engine = synchronousEngine(recorder);
    QVERIFY(recorder.lines.isEmpty()); // construction logs nothing
    engine.log(QStringLiteral("Đang cài X"));
    engine.log(QString());
    QCOMPARE(messagesOf(recorder.lines), (QStringList{"Đang cài X", ""}));
    const QByteArray file = readAll(logFile());
    QVERIFY(file.endsWith("] \n"));
    QCOMPARE(file.count('\n'), 2);
    QCOMPARE(QString::fromUtf8(file), recorder.lines.join(QLatin1Char('\n')) + QLatin1Char('\n'));
}

void EngineTest::logFilePermissions()
{
    const QString folder = QFileInfo(logFile()).path();
    {
        Recorder recorder;
        MacBackend engine = synchronousEngine(recorder);
        // Created by the engine: the folder and its new parents owner-only, the file 600.
        QCOMPARE(modeOf(folder), mode_t(0700));
        QCOMPARE(modeOf(logFile()), mode_t(0600));
        QCOMPARE(QFileInfo(logFile()).size(), 0);
    }
    QVERIFY(QFile::setPermissions(logFile(), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther));
    QCOMPARE(modeOf(logFile()), mode_t(0644));
    Recorder recorder;
    MacBackend engine = synchronousEngine(recorder);
    QCOMPARE(modeOf(logFile()), mode_t(0600));
    QVERIFY(QFile::setPermissions(logFile(), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther));
    engine.log(QStringLiteral("again"));
    QCOMPARE(modeOf(logFile()), mode_t(0600));
}

void EngineTest::existingLogFolderKeepsItsPermissions()
{
    // A shared folder named as the log folder (such as /tmp) is not locked up.
    const QString shared = m_logs->path() + QStringLiteral("/shared");
    QVERIFY(QDir().mkdir(shared));
    QVERIFY(::chmod(QFile::encodeName(shared).constData(), 01777) == 0);
    qputenv(AppRuntime::logDirVariable, QFile::encodeName(shared));
    Recorder recorder;
    MacBackend engine = synchronousEngine(recorder);
    engine.log(QStringLiteral("line"));
    QCOMPARE(modeOf(shared), mode_t(01777));
    QCOMPARE(modeOf(logFile()), mode_t(0600));
}

void EngineTest::deletedLogFileIsRecreated()
{
    Recorder recorder;
    MacBackend engine = synchronousEngine(recorder);
    engine.log(QStringLiteral("first"));
    QVERIFY(QDir(QFileInfo(logFile()).path()).removeRecursively());
    engine.log(QStringLiteral("second"));
    QCOMPARE(fileMessages(logFile()), QStringList{"second"});
    QCOMPARE(modeOf(logFile()), mode_t(0600));
    QCOMPARE(messagesOf(recorder.lines), (QStringList{"first", "second"}));
}

void EngineTest::logFolderBelowOrdinaryFile()
{
    const QString plain = m_logs->path() + QStringLiteral("/plain");
    QFile file(plain);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    qputenv(AppRuntime::logDirVariable, QFile::encodeName(plain + QStringLiteral("/logs")));
    Recorder recorder;
    MacBackend engine = synchronousEngine(recorder);
    QVERIFY(recorder.lines.isEmpty());
    engine.log(QStringLiteral("one"));
    engine.progress(QStringLiteral("two"), 0.5);
    QCOMPARE(messagesOf(recorder.lines),
             (QStringList{"Không ghi được log file: Not a directory", "one",
                          "Không ghi được log file: Not a directory", "PROGRESS 50%: two"}));
    QCOMPARE(recorder.updates.size(), 1);
    QVERIFY(QFileInfo(plain).isFile());
}

void EngineTest::logFileLinkIsRefused()
{
    const QString folder = QFileInfo(logFile()).path();
    QVERIFY(QDir().mkpath(folder));
    const QString victim = m_logs->path() + QStringLiteral("/victim");
    QFile file(victim);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("untouched\n");
    file.close();
    QVERIFY(QFile::setPermissions(victim, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther));
    QVERIFY(QFile::link(victim, logFile()));
    Recorder recorder;
    MacBackend engine = synchronousEngine(recorder);
    engine.log(QStringLiteral("line"));
    QCOMPARE(messagesOf(recorder.lines).size(), 2);
    QVERIFY(messagesOf(recorder.lines).first().startsWith(QStringLiteral("Không ghi được log file: ")));
    QCOMPARE(readAll(victim), QByteArray("untouched\n"));
    QCOMPARE(modeOf(victim), mode_t(0604));
}

void EngineTest::progressLines_data()
{
    QTest::addColumn<std::optional<double>>("fraction");
    QTest::addColumn<QString>("line");
    QTest::addColumn<std::optional<double>>("delivered");
    using F = std::optional<double>;
    QTest::newRow("0.12") << F(0.12) << "PROGRESS 12%: Đang cài X" << F(0.12);
    QTest::newRow("0.29 truncates") << F(0.29) << "PROGRESS 28%: Đang cài X" << F(0.29);
    QTest::newRow("0.57 truncates") << F(0.57) << "PROGRESS 56%: Đang cài X" << F(0.57);
    QTest::newRow("0.999") << F(0.999) << "PROGRESS 99%: Đang cài X" << F(0.999);
    QTest::newRow("1.0") << F(1.0) << "PROGRESS 100%: Đang cài X" << F(1.0);
    QTest::newRow("above one") << F(1.3) << "PROGRESS 100%: Đang cài X" << F(1.0);
    QTest::newRow("below zero") << F(-0.2) << "PROGRESS 0%: Đang cài X" << F(0.0);
    QTest::newRow("not a number") << F(std::nan("")) << "PROGRESS 0%: Đang cài X" << F(0.0);
    QTest::newRow("none") << F() << "PROGRESS: Đang cài X" << F();
}

void EngineTest::progressLines()
{
    QFETCH(std::optional<double>, fraction);
    QFETCH(QString, line);
    QFETCH(std::optional<double>, delivered);
    Recorder recorder;
    MacBackend engine = synchronousEngine(recorder);
    engine.progress(QStringLiteral("Đang cài X"), fraction);
    QCOMPARE(messagesOf(recorder.lines), QStringList{line});
    QCOMPARE(recorder.updates.size(), 1);
    QCOMPARE(recorder.updates.first().message, QStringLiteral("Đang cài X"));
    QCOMPARE(recorder.updates.first().fraction, delivered);
    QCOMPARE(recorder.events.first().left(4), QStringLiteral("log:"));
    QCOMPARE(fileMessages(logFile()), QStringList{line});
}

void EngineTest::queuedDeliveryOnMainThread()
{
    Recorder recorder;
    MacBackend engine(recorder.logSink(), recorder.progressSink(), MacBackend::Delivery::mainThread, m_mac->host());
    engine.log(QStringLiteral("main"));
    QVERIFY(recorder.events.isEmpty()); // never inside the call, even on the main thread
    QCOMPARE(fileMessages(logFile()), QStringList{"main"}); // but already in the file

    std::thread worker([&engine] {
        for (int index = 0; index < 50; ++index)
            engine.log(QStringLiteral("worker ") + QString::number(index));
        engine.progress(QStringLiteral("half"), 0.5);
    });
    worker.join();
    QVERIFY(recorder.events.isEmpty());
    QTRY_COMPARE(recorder.updates.size(), 1);
    QStringList expected{"main"};
    for (int index = 0; index < 50; ++index)
        expected.append(QStringLiteral("worker ") + QString::number(index));
    expected.append(QStringLiteral("PROGRESS 50%: half"));
    QCOMPARE(messagesOf(recorder.lines), expected);
    QCOMPARE(recorder.events.last(), QStringLiteral("progress:half"));
    for (QThread* thread : recorder.threads)
        QCOMPARE(thread, QCoreApplication::instance()->thread());
}

void EngineTest::synchronousDeliveryIsSerialised()
{
    // The sink keeps no lock of its own: the engine must call it one line at a
    // time, in the order the lines reach the file.
    Recorder recorder;
    MacBackend engine = synchronousEngine(recorder);
    constexpr int perThread = 400;
    auto writer = [&engine](const QString& name) {
        for (int index = 0; index < perThread; ++index)
            engine.log(name + QString::number(index) + QString(200, QLatin1Char('.')));
    };
    std::thread first(writer, QStringLiteral("a"));
    std::thread second(writer, QStringLiteral("b"));
    writer(QStringLiteral("c"));
    first.join();
    second.join();
    const QStringList delivered = messagesOf(recorder.lines);
    QCOMPARE(delivered.size(), 3 * perThread);
    QCOMPARE(fileMessages(logFile()), delivered);
    for (const QString name : {"a", "b", "c"}) {
        int next = 0;
        for (const QString& message : delivered) {
            if (message.startsWith(name))
                QCOMPARE(message, name + QString::number(next++) + QString(200, QLatin1Char('.')));
        }
        QCOMPARE(next, perThread);
    }
}

// --------------------------------------------------------------- runner

void EngineTest::outputChunks_data()
{
    QTest::addColumn<QList<QByteArray>>("chunks");
    QTest::addColumn<QStringList>("lines");
    using Chunks = QList<QByteArray>;
    QTest::newRow("empty lines dropped") << Chunks{"a\n\nb\n"} << QStringList{"a", "b"};
    QTest::newRow("no text carried between chunks") << Chunks{"abc", "def\n"} << QStringList{"abc", "def"};
    QTest::newRow("CRLF and other breaks") << Chunks{"a\r\nb\vc\x0C" "d\xE2\x80\xA8" "e"} << QStringList{"a", "b", "c", "d", "e"};
    QTest::newRow("character split between chunks") << Chunks{"one\ntw\xC3", "\xB4\nthree\n"}
                                                    << QStringList{"one", "tw", "ô", "three"};
    QTest::newRow("four-byte character in three chunks") << Chunks{"x\xF0\x9F", "\x98", "\x80y\n"}
                                                         << QStringList{"x", "😀y"};
    QTest::newRow("invalid chunk dropped whole") << Chunks{"good\n", "caf\xE9 bad\nmore\n", "after\n"}
                                                 << QStringList{"good", "after"};
    QTest::newRow("cut character never completed") << Chunks{"a\n\xC3", "b\n", "c\n"} << QStringList{"a", "c"};
    QTest::newRow("empty chunk") << Chunks{"", "a"} << QStringList{"a"};
}

void EngineTest::outputChunks()
{
    QFETCH(QList<QByteArray>, chunks);
    QFETCH(QStringList, lines);
    ChildOutputLines splitter;
    QStringList result;
    for (const QByteArray& chunk : chunks)
        result += splitter.take(chunk);
    QCOMPARE(result, lines);
}

void EngineTest::runCommandStreamsInOrder()
{
    Recorder recorder;
    MacBackend engine = synchronousEngine(recorder);
    const int status = engine.runCommand({"/usr/bin/emit", "out:a\\n\\nb\\n", "pause:0.1", "err:problem\\n",
                                          "pause:0.1", "out:last without break"},
                                         QStringLiteral("emit some lines"));
    QCOMPARE(status, 0);
    const QStringList expected{"$ emit some lines", "a", "b", "problem", "last without break",
                               "Hoàn tất: emit some lines (exit 0)"};
    QCOMPARE(messagesOf(recorder.lines), expected);
    QCOMPARE(fileMessages(logFile()), expected);
    // The tool received exactly the arguments, and is named by its Mac path.
    QCOMPARE(m_mac->calls().size(), 1);
    QCOMPARE(m_mac->calls().first().first(), QStringLiteral("/usr/bin/emit"));
    QCOMPARE(m_mac->calls().first().size(), 6);
}

void EngineTest::exitStatuses_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("status");
    QTest::newRow("0") << "exit:0" << 0;
    QTest::newRow("1") << "exit:1" << 1;
    QTest::newRow("2") << "exit:2" << 2;
    QTest::newRow("126") << "exit:126" << 126;
    QTest::newRow("255") << "exit:255" << 255;
    QTest::newRow("terminated by a signal") << "signal:TERM" << 128 + SIGTERM;
    QTest::newRow("killed") << "signal:KILL" << 128 + SIGKILL;
}

void EngineTest::exitStatuses()
{
    QFETCH(QString, action);
    QFETCH(int, status);
    Recorder recorder;
    MacBackend engine = synchronousEngine(recorder);
    QCOMPARE(engine.runCommand({"emit", "out:before\\n", action}, QStringLiteral("emit")), status);
    QCOMPARE(messagesOf(recorder.lines).last(), QStringLiteral("Hoàn tất: emit (exit %1)").arg(status));
    QCOMPARE(engine.runQuiet({"emit", action}), status);
    QCOMPARE(engine.runCaptureStatus({"emit", "out:text", action}), (MacBackend::CapturedRun{status, "text"}));
}

void EngineTest::missingCommand_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("named");
    QTest::newRow("absolute") << QStringList{"/usr/bin/nothing-here", "x"} << "/usr/bin/nothing-here";
    QTest::newRow("bare name") << QStringList{"nothing-here"} << "nothing-here";
    QTest::newRow("empty name") << QStringList{"", "x"} << "";
    QTest::newRow("empty vector") << QStringList{} << "";
    QTest::newRow("a folder") << QStringList{"/usr/bin"} << "/usr/bin";
}

void EngineTest::missingCommand()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, named);
    Recorder recorder;
    MacBackend engine = synchronousEngine(recorder);
    QCOMPARE(engine.runCommand(arguments, QStringLiteral("try it")), 127);
    QCOMPARE(messagesOf(recorder.lines), (QStringList{"$ try it", "Lỗi: không tìm thấy lệnh " + named}));
    QCOMPARE(engine.runQuiet(arguments), 127);
    QCOMPARE(engine.runCapture(arguments), QString());
    QCOMPARE(engine.runCaptureCombined(arguments), QString());
    QCOMPARE(engine.runCaptureStatus(arguments), (MacBackend::CapturedRun{127, QString()}));
    QCOMPARE(recorder.lines.size(), 2);
}

void EngineTest::macToolsNeverFallBackToLinux()
{
    // This machine has curl, zip and unzip; the fake Mac, once their fixtures
    // are taken away, does not.
    for (const char* fixture : {"/usr/bin/curl", "/usr/bin/zip", "/usr/bin/unzip"})
        QVERIFY(QFile::remove(m_mac->path(QString::fromLatin1(fixture))));
    Recorder recorder;
    MacBackend engine = synchronousEngine(recorder);
    for (const QString tool : {"/usr/bin/curl", "/usr/bin/unzip", "curl", "zip", "unzip", "sh"}) {
        QVERIFY2(!engine.commandPath(tool).has_value(), qPrintable(tool));
        QCOMPARE(engine.runQuiet({tool, "--version"}), 127);
    }
}

void EngineTest::launchRefused()
{
    QVERIFY(m_mac->writeFile(QStringLiteral("/usr/bin/broken"), "\x7F" "ELF but not really", true));
    Recorder recorder;
    MacBackend engine = synchronousEngine(recorder);
    QCOMPARE(engine.runCommand({"/usr/bin/broken"}, QStringLiteral("broken --now")), 127);
    QCOMPARE(messagesOf(recorder.lines), (QStringList{"$ broken --now", "Không chạy được broken --now: Exec format error"}));
    QCOMPARE(engine.runQuiet({"/usr/bin/broken"}), 127);
    QCOMPARE(engine.runCaptureStatus({"broken"}), (MacBackend::CapturedRun{127, QString()}));
}

void EngineTest::splitCharacterKept()
{
    // The two halves of "é" arrive in two writes: whether or not the reads
    // follow the writes, no text may be lost.
    Recorder recorder;
    MacBackend engine = synchronousEngine(recorder);
    engine.runCommand({"emit", "out:first\\nx\\0303", "pause:0.3", "out:\\0251y\\nlast\\n"}, QStringLiteral("emit"));
    QStringList output = messagesOf(recorder.lines).mid(1);
    output.removeLast();
    QCOMPARE(output.first(), QStringLiteral("first"));
    QCOMPARE(output.last(), QStringLiteral("last"));
    QCOMPARE(output.join(QString()), QStringLiteral("firstxéylast"));
}

void EngineTest::invalidOutputDropped()
{
    Recorder recorder;
    MacBackend engine = synchronousEngine(recorder);
    QCOMPARE(engine.runCommand({"emit", "out:caf\\0351 latin-1\\n", "exit:3"}, QStringLiteral("emit")), 3);
    QCOMPARE(messagesOf(recorder.lines), (QStringList{"$ emit", "Hoàn tất: emit (exit 3)"}));
}

void EngineTest::standardInputInherited()
{
    QTemporaryFile input;
    QVERIFY(input.open());
    input.write("hello from the caller\n");
    input.flush();
    const int saved = ::dup(STDIN_FILENO);
    const int fd = ::open(QFile::encodeName(input.fileName()).constData(), O_RDONLY);
    QVERIFY(saved >= 0 && fd >= 0);
    ::dup2(fd, STDIN_FILENO);
    ::close(fd);
    Recorder recorder;
    MacBackend engine = synchronousEngine(recorder);
    const int status = engine.runCommand({"emit", "stdin"}, QStringLiteral("emit stdin"));
    ::dup2(saved, STDIN_FILENO);
    ::close(saved);
    QCOMPARE(status, 0);
    QVERIFY(messagesOf(recorder.lines).contains(QStringLiteral("stdin:hello from the caller")));
}

void EngineTest::quietFormsLogNothing()
{
    Recorder recorder;
    MacBackend engine = synchronousEngine(recorder);
    engine.runQuiet({"emit", "out:a\\n", "err:b\\n"});
    engine.runCapture({"emit", "out:a\\n", "err:b\\n"});
    engine.runCaptureCombined({"emit", "out:a\\n", "err:b\\n"});
    engine.runCaptureStatus({"emit", "out:a\\n", "exit:1"});
    QVERIFY(recorder.lines.isEmpty());
    QCOMPARE(QFileInfo(logFile()).size(), 0);
    QCOMPARE(m_mac->calls(QStringLiteral("/usr/bin/emit")).size(), 4);
}

void EngineTest::captureForms()
{
    Recorder recorder;
    MacBackend engine = synchronousEngine(recorder);
    const QStringList both{"emit", "out:out 1\\n", "err:err 1\\n", "out:out 2 ", "exit:4"};
    QCOMPARE(engine.runCapture(both), QStringLiteral("out 1\nout 2 "));
    QCOMPARE(engine.runCaptureCombined(both), QStringLiteral("out 1\nerr 1\nout 2 "));
    QCOMPARE(engine.runCaptureStatus(both), (MacBackend::CapturedRun{4, "out 1\nout 2 "}));
    QCOMPARE(engine.runCapture({"emit", "err:only on stderr\\n"}), QString());
    QCOMPARE(engine.runCaptureCombined({"emit", "err:only on stderr\\n"}), QStringLiteral("only on stderr\n"));
    const QStringList latin1{"emit", "out:ok\\ncaf\\0351\\n", "exit:2"};
    QCOMPARE(engine.runCapture(latin1), QString());
    QCOMPARE(engine.runCaptureCombined(latin1), QString());
    QCOMPARE(engine.runCaptureStatus(latin1), (MacBackend::CapturedRun{2, QString()}));
}

void EngineTest::largeOutput()
{
    Recorder recorder;
    MacBackend engine = synchronousEngine(recorder);
    constexpr int count = 20000;
    // Far more than a pipe holds, on every stream, including discarded ones.
    QCOMPARE(engine.runQuiet({"emit", "repeat:20000:quiet line"}), 0);
    const QString captured = engine.runCapture({"emit", "repeat:20000:captured line", "exit:5"});
    QCOMPARE(captured.count(QLatin1Char('\n')), count);
    QVERIFY(captured.endsWith(QStringLiteral("captured line 20000\n")));
    QCOMPARE(engine.runCaptureStatus({"emit", "out:x"}).output, QStringLiteral("x"));
    QCOMPARE(engine.runCommand({"emit", "repeat:20000:logged line"}, QStringLiteral("emit many")), 0);
    const QStringList messages = messagesOf(recorder.lines);
    QCOMPARE(messages.size(), count + 2);
    for (int index = 1; index <= count; ++index) {
        if (messages.at(index) != QStringLiteral("logged line ") + QString::number(index))
            QFAIL(qPrintable(QStringLiteral("line %1 is %2").arg(index).arg(messages.at(index))));
    }
}

void EngineTest::workingFolder()
{
    QTemporaryDir folder;
    Recorder recorder;
    MacBackend engine = synchronousEngine(recorder);
    QCOMPARE(engine.runCommand({"emit", "pwd"}, QStringLiteral("emit pwd"), folder.path()), 0);
    QCOMPARE(messagesOf(recorder.lines).at(1), QFileInfo(folder.path()).canonicalFilePath());
    recorder.lines.clear();
    QCOMPARE(engine.runCommand({"emit", "pwd"}, QStringLiteral("emit pwd"), folder.path() + "/missing"), 127);
    QCOMPARE(messagesOf(recorder.lines).last(), QStringLiteral("Không chạy được emit pwd: No such file or directory"));
}

void EngineTest::searchPath()
{
    const QStringList prefix = MacBackend::searchPathPrefix();
    qputenv("PATH", "/usr/bin:/custom::/custom");
    Recorder recorder;
    MacBackend plain(recorder.logSink(), recorder.progressSink(), MacBackend::Delivery::synchronous, Host());
    QCOMPARE(plain.commandSearchPath(), prefix + QStringList{"/custom"});
    QCOMPARE(plain.commandEnvironment().value("PATH"), (prefix + QStringList{"/custom"}).join(':'));

    // On the fake Mac the child's PATH names the same folders below the root;
    // the home folder is shared and stays as it is.
    const QString home = AppRuntime::homeDirectory();
    qputenv("PATH", QFile::encodeName("/usr/bin:/custom:" + home + "/bin"));
    MacBackend engine = synchronousEngine(recorder);
    QStringList expected;
    for (const QString& folder : prefix + QStringList{"/custom"})
        expected.append(m_mac->path(folder));
    expected.append(home + "/bin");
    QCOMPARE(engine.runCapture({"emit", "env:PATH"}), "PATH=" + expected.join(':') + "\n");
    QCOMPARE(engine.runCapture({"emit", "env:HOME"}), "HOME=" + home + "\n");
}

void EngineTest::commandResolution()
{
    const QByteArray tool = "exit 0\n";
    QVERIFY(m_mac->writeProgram(QStringLiteral("/opt/homebrew/bin/brew"), tool));
    QVERIFY(m_mac->writeProgram(QStringLiteral("/usr/local/bin/brew"), tool));
    QVERIFY(m_mac->writeFile(QStringLiteral("/usr/local/bin/plain"), tool, false));
    qputenv("PATH", "/usr/local/bin:/usr/bin");
    Recorder recorder;
    MacBackend engine = synchronousEngine(recorder);
    QCOMPARE(engine.commandPath("brew"), std::optional<QString>("/opt/homebrew/bin/brew"));
    QCOMPARE(engine.commandPath("/usr/local/bin/brew"), std::optional<QString>("/usr/local/bin/brew"));
    QCOMPARE(engine.commandPath("/usr/local/bin/plain"), std::nullopt);
    QCOMPARE(engine.commandPath("plain"), std::nullopt);

    // "~/bin/tool" is the home folder's; "bin/tool" is only looked for in the current folder.
    const QString home = AppRuntime::homeDirectory();
    QVERIFY(QDir().mkpath(home + "/bin"));
    QFile homeTool(home + "/bin/tool");
    QVERIFY(homeTool.open(QIODevice::WriteOnly));
    homeTool.write("#!/bin/sh\nexit 7\n");
    homeTool.close();
    QVERIFY(homeTool.setPermissions(homeTool.permissions() | QFile::ExeOwner));
    QCOMPARE(engine.commandPath("~/bin/tool"), std::optional<QString>(home + "/bin/tool"));
    QCOMPARE(engine.runQuiet({"~/bin/tool"}), 7);
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_mac->root() + "/usr"));
    QCOMPARE(engine.commandPath("bin/emit"), std::optional<QString>("bin/emit"));
    QVERIFY(QDir::setCurrent(home));
    QCOMPARE(engine.commandPath("bin/emit"), std::nullopt);
    QCOMPARE(engine.commandPath("bin/tool"), std::optional<QString>("bin/tool"));
    QVERIFY(QDir::setCurrent(previous));
}

QTEST_GUILESS_MAIN(EngineTest)
#include "tst_engine.moc"
