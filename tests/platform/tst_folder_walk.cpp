#include "platform/FolderWalk.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class FolderWalkTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void listsDepthFirstAndSkipsWhatTheFinderHides();
    void visitorSteersTheWalk_data();
    void visitorSteersTheWalk();
    void folderThatCannotBeWalked_data();
    void folderThatCannotBeWalked();

private:
    static QStringList walked(const QString& folder, const std::function<FolderWalk::Step(const FolderWalk::Entry&)>& step);

    QTemporaryDir m_dir;
};

void FolderWalkTest::initTestCase()
{
    const QDir root(m_dir.path());
    for (const char* folder : {"b/inner/deep", "a", ".hidden/secret", "Tool.app/Contents/MacOS", "Kit.FRAMEWORK/Headers",
                               "elsewhere/target"})
        QVERIFY(root.mkpath(QString::fromUtf8(folder)));
    for (const char* file : {"b/inner/deep/file.txt", "b/z.txt", "b/.DS_Store", ".hidden/secret/x", "Tool.app/Contents/MacOS/Tool",
                             "elsewhere/target/inside.txt", "top.txt"}) {
        QFile f(root.filePath(QString::fromUtf8(file)));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    QVERIFY(QFile::link(root.filePath("elsewhere/target"), root.filePath("b/link")));
    QVERIFY(QFile::link(root.filePath("missing"), root.filePath("dangling")));
}

QStringList FolderWalkTest::walked(const QString& folder,
                                   const std::function<FolderWalk::Step(const FolderWalk::Entry&)>& step)
{
    QStringList lines;
    const bool ok = FolderWalk::walk(folder, [&](const FolderWalk::Entry& entry) {
        QString line = QDir(folder).relativeFilePath(entry.path) + QLatin1Char(' ') + QString::number(entry.depth);
        if (entry.isPackage)
            line += QStringLiteral(" package");
        else if (entry.isDirectory)
            line += QStringLiteral(" folder");
        if (entry.isSymbolicLink)
            line += QStringLiteral(" link");
        if (entry.name != QFileInfo(entry.path).fileName())
            line += QStringLiteral(" BADNAME");
        lines << line;
        return step(entry);
    });
    if (!ok)
        lines << QStringLiteral("not walked");
    return lines;
}

void FolderWalkTest::listsDepthFirstAndSkipsWhatTheFinderHides()
{
    const QStringList expected{
        "Kit.FRAMEWORK 1 package",
        "Tool.app 1 package",
        "a 1 folder",
        "b 1 folder",
        "b/inner 2 folder",
        "b/inner/deep 3 folder",
        "b/inner/deep/file.txt 4",
        "b/link 2 link",
        "b/z.txt 2",
        "dangling 1 link",
        "elsewhere 1 folder",
        "elsewhere/target 2 folder",
        "elsewhere/target/inside.txt 3",
        "top.txt 1",
    };
    QCOMPARE(walked(m_dir.path(), [](const FolderWalk::Entry&) { return FolderWalk::Step::next; }), expected);
}

void FolderWalkTest::visitorSteersTheWalk_data()
{
    QTest::addColumn<QString>("steer"); // entry name that gets the step
    QTest::addColumn<int>("step");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("skip a folder's contents") << "b" << int(FolderWalk::Step::skipContents)
                                              << QStringList{"Kit.FRAMEWORK 1 package", "Tool.app 1 package", "a 1 folder",
                                                             "b 1 folder", "dangling 1 link", "elsewhere 1 folder",
                                                             "elsewhere/target 2 folder",
                                                             "elsewhere/target/inside.txt 3", "top.txt 1"};
    QTest::newRow("stop deep inside") << "file.txt" << int(FolderWalk::Step::stop)
                                      << QStringList{"Kit.FRAMEWORK 1 package", "Tool.app 1 package", "a 1 folder",
                                                     "b 1 folder", "b/inner 2 folder", "b/inner/deep 3 folder",
                                                     "b/inner/deep/file.txt 4"};
}

void FolderWalkTest::visitorSteersTheWalk()
{
    QFETCH(QString, steer);
    QFETCH(int, step);
    QFETCH(QStringList, expected);
    QCOMPARE(walked(m_dir.path(),
                    [&](const FolderWalk::Entry& entry) {
                        return entry.name == steer ? FolderWalk::Step(step) : FolderWalk::Step::next;
                    }),
             expected);
}

void FolderWalkTest::folderThatCannotBeWalked_data()
{
    QTest::addColumn<QString>("relative");
    QTest::newRow("missing") << "nothing-here";
    QTest::newRow("a file") << "top.txt";
    QTest::newRow("below a file") << "top.txt/below";
}

void FolderWalkTest::folderThatCannotBeWalked()
{
    QFETCH(QString, relative);
    QCOMPARE(walked(QDir(m_dir.path()).filePath(relative), [](const FolderWalk::Entry&) { return FolderWalk::Step::next; }),
             QStringList{"not walked"});
}

QTEST_GUILESS_MAIN(FolderWalkTest)
#include "tst_folder_walk.moc"
