// Renders every screen and sheet of the window in the five languages into a
// folder (build/pictures, or the one given), for looking at them:
// window-<lang>-1600x1000.png, window-<lang>-min.png, sheet-<kind>-<lang>.png
// (a screen shown in another state adds "-<state>"). The scenes are in
// PictureScenes.cpp; test_pictures checks what this writes.

#include "PictureScenes.h"
#include "ui/kit/Design.h"
#include "ui/shell/WindowStart.h"

#include <QApplication>
#include <QDir>
#include <QFontDatabase>
#include <QRawFont>
#include <QWidget>

#include <algorithm>
#include <cstdio>

namespace {

// A text of each writing system the pictures show, in the language that
// shows it.
struct WritingSystemSample {
    const char* writingSystem;
    const char* language;
    const char* text;
};

constexpr WritingSystemSample writingSystemSamples[] = {
    {"Latin with Vietnamese marks", "vi",
     "Đã cài xong ứng dụng Kế toán: ă â đ ê ô ơ ư ắ ằ ẳ ẵ ặ ấ ầ ẩ ẫ ậ ế ề ể ễ ệ ố ồ ổ ỗ ộ ớ ờ ở ỡ ợ ứ ừ ử ữ ự ỳ ỷ ỹ ỵ"},
    {"Hangul", "ko", "설치 완료 시스템 점검 설정 언어 보고서 카카오톡"},
    {"Japanese kana and kanji", "ja", "インストール完了 ひらがな カタカナ 設定 言語 報告書 一太郎ビューア"},
    {"Simplified Chinese", "zh", "安装完成 系统检查 设置 语言 报告 导出 网易有道翻译 云端结果"},
};

// The characters of the text that no installed family of the window's list
// draws itself (a missing family counts for nothing: Qt would quietly draw
// another font in its place).
QString uncovered(const QString& text, const QStringList& families)
{
    QList<QRawFont> fonts;
    const QStringList installed = QFontDatabase::families();
    for (const QString& family : families) {
        if (installed.contains(family))
            fonts.append(QRawFont::fromFont(QFont(family)));
    }
    QString missing;
    for (const char32_t character : text.toUcs4()) {
        if (QChar::isSpace(character) || QChar::isPunct(character))
            continue;
        const bool drawn = std::any_of(fonts.cbegin(), fonts.cend(),
                                       [&](const QRawFont& font) { return font.supportsCharacter(character); });
        if (!drawn)
            missing += QString::fromUcs4(&character, 1);
    }
    return missing;
}

// False, after saying which, when a writing system has no font: its pictures
// would show boxes instead of glyphs.
bool everyWritingSystemHasAFont()
{
    bool covered = true;
    const QStringList families = Design::fontFamilies();
    for (const WritingSystemSample& sample : writingSystemSamples) {
        const QString missing = uncovered(QString::fromUtf8(sample.text), families);
        if (missing.isEmpty())
            continue;
        covered = false;
        std::fprintf(stderr, "render_pictures: no installed font covers %s (%s): \"%s\" is drawn by none of %s\n",
                     sample.writingSystem, sample.language, qPrintable(missing),
                     qPrintable(families.join(QStringLiteral(", "))));
    }
    return covered;
}

} // namespace

int main(int argc, char** argv)
{
    // Never on the user's screen, and never half-way through an animation.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("TAVRIN_UI_ANIMATIONS", "0");
    QApplication application(argc, argv);
    WindowStart::setUpApplication();
    if (!everyWritingSystemHasAFont())
        return 2;

    const QStringList arguments = QApplication::arguments();
    const QString folder = arguments.size() > 1 ? arguments.at(1) : QStringLiteral(TAVRIN_PICTURE_DIR);
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "render_pictures: cannot create %s\n", qPrintable(folder));
        return 1;
    }

    int written = 0;
    int failed = 0;
    PictureScenes::runAll([&](const PictureShot& shot) {
        const QString path = QDir(folder).filePath(shot.name + QStringLiteral(".png"));
        if (!shot.widget || !shot.widget->grab().save(path)) {
            std::fprintf(stderr, "render_pictures: %s not written\n", qPrintable(path));
            ++failed;
            return;
        }
        ++written;
    });
    std::printf("%d pictures in %s\n", written, qPrintable(QDir(folder).absolutePath()));
    return failed == 0 ? 0 : 1;
}
