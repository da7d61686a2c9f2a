// The five-language text tables, produced once by a conversion and reviewed by
// eye; edit by hand from now on, keeping every language in step. The rules
// that choose among these texts live in AppStrings.cpp.

#include "i18n/AppStrings.h"

#include "model/SystemCheckTexts.h"

// The keyed labels, one list per language; every key once.
QList<std::pair<AppI18nKey, QString>> AppStrings::keyedTextList(AppLanguage language)
{
    switch (language) {
    case AppLanguage::english:
        return {
            {AppI18nKey::appSubtitle, "Install office apps for macOS"},
            {AppI18nKey::settings, "Settings"},
            {AppI18nKey::language, "Language"},
            {AppI18nKey::overview, "Overview"},
            {AppI18nKey::installStandard, "Install standard"},
            {AppI18nKey::installFull, "Install all"},
            {AppI18nKey::systemCheck, "System check"},
            {AppI18nKey::openReport, "PDF report"},
            {AppI18nKey::version, "Version"},
            {AppI18nKey::refresh, "Refresh"},
            {AppI18nKey::copyLogPathHelp, "Copy log path"},
            {AppI18nKey::currentProgress, "Current progress"},
            {AppI18nKey::footerStatus, "Status"},
            {AppI18nKey::log, "Log"},
            {AppI18nKey::linuxSource, "Linux source"},
            {AppI18nKey::hideLog, "Hide detailed log  ˅"},
            {AppI18nKey::showLog, "Show detailed log  ›"},
            {AppI18nKey::removeHelp, "Remove"},
            {AppI18nKey::detailHelp, "Details"},
            {AppI18nKey::close, "Close"},
            {AppI18nKey::cancel, "Cancel"},
            {AppI18nKey::remove, "Remove"},
            {AppI18nKey::removePromptTitle, "Remove this item?"},
            {AppI18nKey::checkingPrerequisites, "Checking prerequisites..."},
            {AppI18nKey::openBrew, "Open " + QString(SystemCheckTexts::homebrewHost)},
            {AppI18nKey::copyBrewCommand, "Copy Homebrew command"},
            {AppI18nKey::syncCatalog, "Sync catalog"},
            {AppI18nKey::uploadReport, "Upload report"},
            {AppI18nKey::group, "Group"},
            {AppI18nKey::macSource, "macOS source"},
            {AppI18nKey::packageAction, "Package/action"},
            {AppI18nKey::description, "Description"},
            {AppI18nKey::replacementNote, "Replacement note"},
            {AppI18nKey::readyAction, "Ready"},
            {AppI18nKey::checkingCore, "Checking Homebrew, DNS, and free disk space."},
            {AppI18nKey::noDeviceData, "No device data yet."},
            {AppI18nKey::cloudTools, "Cloud tools"},
        };
    case AppLanguage::vietnamese:
        return {
            {AppI18nKey::appSubtitle, "Cài app văn phòng cho macOS"},
            {AppI18nKey::settings, "Cài đặt"},
            {AppI18nKey::language, "Ngôn ngữ"},
            {AppI18nKey::overview, "Tổng quan"},
            {AppI18nKey::installStandard, "Cài bộ chuẩn"},
            {AppI18nKey::installFull, "Cài tất cả"},
            {AppI18nKey::systemCheck, "Kiểm tra máy"},
            {AppI18nKey::openReport, "Báo cáo PDF"},
            {AppI18nKey::version, "Phiên bản"},
            {AppI18nKey::refresh, "Làm mới"},
            {AppI18nKey::copyLogPathHelp, "Copy đường dẫn log"},
            {AppI18nKey::currentProgress, "Tiến trình hiện tại"},
            {AppI18nKey::footerStatus, "Trạng thái"},
            {AppI18nKey::log, "Log"},
            {AppI18nKey::linuxSource, "Nguồn Linux"},
            {AppI18nKey::hideLog, "Ẩn log chi tiết  ˅"},
            {AppI18nKey::showLog, "Xem log chi tiết  ›"},
            {AppI18nKey::removeHelp, "Gỡ bỏ"},
            {AppI18nKey::detailHelp, "Chi tiết"},
            {AppI18nKey::close, "Đóng"},
            {AppI18nKey::cancel, "Hủy"},
            {AppI18nKey::remove, "Gỡ bỏ"},
            {AppI18nKey::removePromptTitle, "Gỡ bỏ mục này?"},
            {AppI18nKey::checkingPrerequisites, "Đang kiểm tra prerequisites..."},
            {AppI18nKey::openBrew, "Mở " + QString(SystemCheckTexts::homebrewHost)},
            {AppI18nKey::copyBrewCommand, "Copy lệnh Homebrew"},
            {AppI18nKey::syncCatalog, "Đồng bộ catalog"},
            {AppI18nKey::uploadReport, "Upload report"},
            {AppI18nKey::group, "Nhóm"},
            {AppI18nKey::macSource, "Nguồn macOS"},
            {AppI18nKey::packageAction, "Package/action"},
            {AppI18nKey::description, "Mô tả"},
            {AppI18nKey::replacementNote, "Ghi chú thay thế"},
            {AppI18nKey::readyAction, "Sẵn sàng"},
            {AppI18nKey::checkingCore, "Đang kiểm tra Homebrew, DNS và dung lượng trống."},
            {AppI18nKey::noDeviceData, "Chưa có dữ liệu thiết bị."},
            {AppI18nKey::cloudTools, "Công cụ đám mây"},
        };
    case AppLanguage::korean:
        return {
            {AppI18nKey::appSubtitle, "macOS용 오피스 앱 설치"},
            {AppI18nKey::settings, "설정"},
            {AppI18nKey::language, "언어"},
            {AppI18nKey::overview, "개요"},
            {AppI18nKey::installStandard, "표준 설치"},
            {AppI18nKey::installFull, "전체 설치"},
            {AppI18nKey::systemCheck, "시스템 검사"},
            {AppI18nKey::openReport, "PDF 보고서"},
            {AppI18nKey::version, "버전"},
            {AppI18nKey::refresh, "새로 고침"},
            {AppI18nKey::copyLogPathHelp, "로그 경로 복사"},
            {AppI18nKey::currentProgress, "현재 진행률"},
            {AppI18nKey::footerStatus, "상태"},
            {AppI18nKey::log, "로그"},
            {AppI18nKey::linuxSource, "Linux 원본"},
            {AppI18nKey::hideLog, "상세 로그 숨기기  ˅"},
            {AppI18nKey::showLog, "상세 로그 보기  ›"},
            {AppI18nKey::removeHelp, "제거"},
            {AppI18nKey::detailHelp, "세부 정보"},
            {AppI18nKey::close, "닫기"},
            {AppI18nKey::cancel, "취소"},
            {AppI18nKey::remove, "제거"},
            {AppI18nKey::removePromptTitle, "이 항목을 제거할까요?"},
            {AppI18nKey::checkingPrerequisites, "필수 조건 확인 중..."},
            {AppI18nKey::openBrew, QString(SystemCheckTexts::homebrewHost) + " 열기"},
            {AppI18nKey::copyBrewCommand, "Homebrew 명령 복사"},
            {AppI18nKey::syncCatalog, "카탈로그 동기화"},
            {AppI18nKey::uploadReport, "보고서 업로드"},
            {AppI18nKey::group, "그룹"},
            {AppI18nKey::macSource, "macOS 소스"},
            {AppI18nKey::packageAction, "패키지/작업"},
            {AppI18nKey::description, "설명"},
            {AppI18nKey::replacementNote, "대체 항목 메모"},
            {AppI18nKey::readyAction, "준비됨"},
            {AppI18nKey::checkingCore, "Homebrew, DNS, 여유 공간 확인 중."},
            {AppI18nKey::noDeviceData, "아직 장치 데이터가 없습니다."},
            {AppI18nKey::cloudTools, "클라우드 도구"},
        };
    case AppLanguage::japanese:
        return {
            {AppI18nKey::appSubtitle, "macOS用オフィスアプリをインストール"},
            {AppI18nKey::settings, "設定"},
            {AppI18nKey::language, "言語"},
            {AppI18nKey::overview, "概要"},
            {AppI18nKey::installStandard, "標準セットをインストール"},
            {AppI18nKey::installFull, "すべてインストール"},
            {AppI18nKey::systemCheck, "システムチェック"},
            {AppI18nKey::openReport, "PDFレポート"},
            {AppI18nKey::version, "バージョン"},
            {AppI18nKey::refresh, "更新"},
            {AppI18nKey::copyLogPathHelp, "ログパスをコピー"},
            {AppI18nKey::currentProgress, "現在の進捗"},
            {AppI18nKey::footerStatus, "状態"},
            {AppI18nKey::log, "ログ"},
            {AppI18nKey::linuxSource, "Linuxソース"},
            {AppI18nKey::hideLog, "詳細ログを隠す  ˅"},
            {AppI18nKey::showLog, "詳細ログを表示  ›"},
            {AppI18nKey::removeHelp, "削除"},
            {AppI18nKey::detailHelp, "詳細"},
            {AppI18nKey::close, "閉じる"},
            {AppI18nKey::cancel, "キャンセル"},
            {AppI18nKey::remove, "削除"},
            {AppI18nKey::removePromptTitle, "この項目を削除しますか？"},
            {AppI18nKey::checkingPrerequisites, "前提条件を確認中..."},
            {AppI18nKey::openBrew, QString(SystemCheckTexts::homebrewHost) + "を開く"},
            {AppI18nKey::copyBrewCommand, "Homebrewコマンドをコピー"},
            {AppI18nKey::syncCatalog, "カタログを同期"},
            {AppI18nKey::uploadReport, "レポートをアップロード"},
            {AppI18nKey::group, "グループ"},
            {AppI18nKey::macSource, "macOSソース"},
            {AppI18nKey::packageAction, "パッケージ/操作"},
            {AppI18nKey::description, "説明"},
            {AppI18nKey::replacementNote, "代替メモ"},
            {AppI18nKey::readyAction, "準備完了"},
            {AppI18nKey::checkingCore, "Homebrew、DNS、空き容量を確認中。"},
            {AppI18nKey::noDeviceData, "デバイスデータはまだありません。"},
            {AppI18nKey::cloudTools, "クラウドツール"},
        };
    case AppLanguage::chinese:
        return {
            {AppI18nKey::appSubtitle, "为 macOS 安装办公应用"},
            {AppI18nKey::settings, "设置"},
            {AppI18nKey::language, "语言"},
            {AppI18nKey::overview, "概览"},
            {AppI18nKey::installStandard, "安装标准套件"},
            {AppI18nKey::installFull, "全部安装"},
            {AppI18nKey::systemCheck, "系统检查"},
            {AppI18nKey::openReport, "PDF 报告"},
            {AppI18nKey::version, "版本"},
            {AppI18nKey::refresh, "刷新"},
            {AppI18nKey::copyLogPathHelp, "复制日志路径"},
            {AppI18nKey::currentProgress, "当前进度"},
            {AppI18nKey::footerStatus, "状态"},
            {AppI18nKey::log, "日志"},
            {AppI18nKey::linuxSource, "Linux 来源"},
            {AppI18nKey::hideLog, "隐藏详细日志  ˅"},
            {AppI18nKey::showLog, "显示详细日志  ›"},
            {AppI18nKey::removeHelp, "移除"},
            {AppI18nKey::detailHelp, "详情"},
            {AppI18nKey::close, "关闭"},
            {AppI18nKey::cancel, "取消"},
            {AppI18nKey::remove, "移除"},
            {AppI18nKey::removePromptTitle, "要移除此项吗？"},
            {AppI18nKey::checkingPrerequisites, "正在检查前置条件..."},
            {AppI18nKey::openBrew, "打开 " + QString(SystemCheckTexts::homebrewHost)},
            {AppI18nKey::copyBrewCommand, "复制 Homebrew 命令"},
            {AppI18nKey::syncCatalog, "同步目录"},
            {AppI18nKey::uploadReport, "上传报告"},
            {AppI18nKey::group, "分组"},
            {AppI18nKey::macSource, "macOS 来源"},
            {AppI18nKey::packageAction, "包/操作"},
            {AppI18nKey::description, "说明"},
            {AppI18nKey::replacementNote, "替代说明"},
            {AppI18nKey::readyAction, "就绪"},
            {AppI18nKey::checkingCore, "正在检查 Homebrew、DNS 和可用空间。"},
            {AppI18nKey::noDeviceData, "暂无设备数据。"},
            {AppI18nKey::cloudTools, "云端工具"},
        };
    }
    return {};
}

// Descriptions of catalog entries by item id; none in Vietnamese, which is the
// catalog's own language.
QList<std::pair<QString, QString>> AppStrings::itemDescriptionList(AppLanguage language)
{
    switch (language) {
    case AppLanguage::english:
        return {
            {"libreoffice", "Document editor, spreadsheets, presentations, Vietnamese UI, and Vietnamese spellcheck."},
            {"ibus-unikey", "Vietnamese Telex/VNI input method for macOS."},
            {"devivu-fonts", "Noto, CJK, emoji, and Microsoft Devivu-compatible fonts."},
            {"evince", "Open PDFs and common documents with a dedicated viewer."},
            {"pdfarranger", "Merge, split, and reorder PDF pages."},
            {"xournalpp", "Annotate, sign, and mark up PDFs."},
            {"archive-tools", "ZIP/unzip, 7-Zip, and a GUI archive utility."},
            {"thunderbird", "Email client for office work."},
            {"flameshot", "Fast screenshots and annotations with Flameshot."},
            {"onlyoffice", "Open and edit DOCX, XLSX, and PPTX with strong Microsoft Devivu compatibility."},
            {"onlyoffice-mime", "Make ONLYDEVIVU the default app for DOC, DOCX, XLS, XLSX, PPT, and PPTX files."},
            {"microsoft-365", "Create a shortcut for Devivu Online."},
            {"printer-drivers", "Configure printers through macOS Settings."},
            {"scanner-tools", "Install SANE backend and scanimage; Image Capture remains the default GUI scan app."},
            {"telegram", "Fast chat and file sharing."},
            {"slack", "Business team chat."},
            {"teams-shortcut", "Create a shortcut for Microsoft Teams web."},
            {"meet-shortcut", "Create a shortcut for Google Meet."},
            {"zalo-shortcut", "Create a shortcut for Zalo Web."},
            {"vlc", "Play popular video and audio formats."},
            {"gimp", "Edit images."},
            {"inkscape", "Design vector graphics and SVG files."},
            {"ocrmypdf", "OCR Vietnamese PDF documents."},
            {"remmina", "Remote Desktop/RDP client for macOS."},
            {"keepassxc", "Offline password manager."},
            {"deja-dup", "Linux backup tooling is not automatically replaced by Time Machine."},
            {"gnome-disks", "Open Disk Utility to manage disks, volumes, and USB devices on macOS."},
            {"rclone", "Cloud-storage sync through CLI is outside the default Mac catalog."},
        };
    case AppLanguage::korean:
        return {
            {"libreoffice", "문서 편집, 스프레드시트, 프레젠테이션, 베트남어 UI와 맞춤법 검사를 제공합니다."},
            {"ibus-unikey", "macOS용 베트남어 Telex/VNI 입력기입니다."},
            {"devivu-fonts", "Noto, CJK, 이모지, Microsoft Devivu 호환 글꼴입니다."},
            {"evince", "전용 뷰어로 PDF와 일반 문서를 엽니다."},
            {"pdfarranger", "PDF 페이지를 병합, 분할, 재정렬합니다."},
            {"xournalpp", "PDF에 주석, 서명, 마크업을 추가합니다."},
            {"archive-tools", "ZIP/unzip, 7-Zip, GUI 압축 도구입니다."},
            {"thunderbird", "업무용 이메일 클라이언트입니다."},
            {"flameshot", "Flameshot으로 빠른 스크린샷과 주석을 처리합니다."},
            {"onlyoffice", "DOCX, XLSX, PPTX를 Microsoft Devivu 호환성 중심으로 열고 편집합니다."},
            {"onlyoffice-mime", "DOC, DOCX, XLS, XLSX, PPT, PPTX의 기본 앱을 ONLYDEVIVU로 지정합니다."},
            {"microsoft-365", "Devivu Online 바로가기를 만듭니다."},
            {"printer-drivers", "macOS 설정에서 프린터를 구성합니다."},
            {"scanner-tools", "SANE backend와 scanimage를 설치하며, Image Capture는 기본 GUI 스캔 앱으로 유지합니다."},
            {"telegram", "빠른 채팅과 파일 공유."},
            {"slack", "업무용 팀 채팅."},
            {"teams-shortcut", "Microsoft Teams 웹 바로가기를 만듭니다."},
            {"meet-shortcut", "Google Meet 바로가기를 만듭니다."},
            {"zalo-shortcut", "Zalo Web 바로가기를 만듭니다."},
            {"vlc", "일반적인 비디오와 오디오 형식을 재생합니다."},
            {"gimp", "이미지를 편집합니다."},
            {"inkscape", "벡터 그래픽과 SVG 파일을 디자인합니다."},
            {"ocrmypdf", "베트남어 PDF 문서를 OCR 처리합니다."},
            {"remmina", "macOS용 원격 데스크톱/RDP 클라이언트입니다."},
            {"keepassxc", "오프라인 비밀번호 관리자입니다."},
            {"deja-dup", "Linux 백업 도구는 Time Machine으로 자동 대체하지 않습니다."},
            {"gnome-disks", "macOS Disk Utility로 디스크, 볼륨, USB 장치를 관리합니다."},
            {"rclone", "CLI 기반 클라우드 스토리지 동기화는 기본 Mac 카탈로그 범위 밖입니다."},
        };
    case AppLanguage::japanese:
        return {
            {"libreoffice", "文書編集、表計算、プレゼンテーション、ベトナム語UIとベトナム語スペルチェック。"},
            {"ibus-unikey", "macOS用ベトナム語Telex/VNI入力メソッド。"},
            {"devivu-fonts", "Noto、CJK、絵文字、Microsoft Devivu互換フォント。"},
            {"evince", "専用ビューアでPDFと一般的な文書を開きます。"},
            {"pdfarranger", "PDFページを結合、分割、並べ替えます。"},
            {"xournalpp", "PDFに注釈、署名、マークアップを追加します。"},
            {"archive-tools", "ZIP/unzip、7-Zip、GUI圧縮ツール。"},
            {"thunderbird", "オフィス業務向けメールクライアント。"},
            {"flameshot", "Flameshotで高速スクリーンショットと注釈を処理します。"},
            {"onlyoffice", "DOCX、XLSX、PPTXを高いMicrosoft Devivu互換性で開いて編集します。"},
            {"onlyoffice-mime", "DOC、DOCX、XLS、XLSX、PPT、PPTXの既定アプリをONLYDEVIVUにします。"},
            {"microsoft-365", "Devivu Onlineのショートカットを作成します。"},
            {"printer-drivers", "macOS設定からプリンタを構成します。"},
            {"scanner-tools", "SANE backendとscanimageをインストールし、Image Captureは既定のGUIスキャンアプリとして残します。"},
            {"telegram", "高速チャットとファイル共有。"},
            {"slack", "ビジネス向けチームチャット。"},
            {"teams-shortcut", "Microsoft Teams Webのショートカットを作成します。"},
            {"meet-shortcut", "Google Meetのショートカットを作成します。"},
            {"zalo-shortcut", "Zalo Webのショートカットを作成します。"},
            {"vlc", "一般的な動画と音声形式を再生します。"},
            {"gimp", "画像を編集します。"},
            {"inkscape", "ベクターグラフィックとSVGファイルを作成します。"},
            {"ocrmypdf", "ベトナム語PDF文書をOCR処理します。"},
            {"remmina", "macOS用リモートデスクトップ/RDPクライアント。"},
            {"keepassxc", "オフラインパスワードマネージャー。"},
            {"deja-dup", "LinuxバックアップツールはTime Machineに自動置換しません。"},
            {"gnome-disks", "macOS Disk Utilityでディスク、ボリューム、USBデバイスを管理します。"},
            {"rclone", "CLIによるクラウドストレージ同期は既定のMacカタログ範囲外です。"},
        };
    case AppLanguage::chinese:
        return {
            {"libreoffice", "文档编辑、电子表格、演示文稿、越南语界面和越南语拼写检查。"},
            {"ibus-unikey", "macOS 的越南语 Telex/VNI 输入法。"},
            {"devivu-fonts", "Noto、CJK、emoji 和 Microsoft Devivu 兼容字体。"},
            {"evince", "用专用查看器打开 PDF 和常见文档。"},
            {"pdfarranger", "合并、拆分和重新排序 PDF 页面。"},
            {"xournalpp", "为 PDF 添加批注、签名和标记。"},
            {"archive-tools", "ZIP/unzip、7-Zip 和 GUI 压缩工具。"},
            {"thunderbird", "办公邮件客户端。"},
            {"flameshot", "使用 Flameshot 快速截图和标注。"},
            {"onlyoffice", "以较高 Microsoft Devivu 兼容性打开和编辑 DOCX、XLSX、PPTX。"},
            {"onlyoffice-mime", "将 DOC、DOCX、XLS、XLSX、PPT、PPTX 的默认应用设为 ONLYDEVIVU。"},
            {"microsoft-365", "创建 Devivu Online 快捷方式。"},
            {"printer-drivers", "通过 macOS 设置配置打印机。"},
            {"scanner-tools", "安装 SANE backend 和 scanimage；Image Capture 仍是默认 GUI 扫描应用。"},
            {"telegram", "快速聊天和文件共享。"},
            {"slack", "企业团队聊天。"},
            {"teams-shortcut", "创建 Microsoft Teams 网页快捷方式。"},
            {"meet-shortcut", "创建 Google Meet 快捷方式。"},
            {"zalo-shortcut", "创建 Zalo Web 快捷方式。"},
            {"vlc", "播放常见视频和音频格式。"},
            {"gimp", "编辑图片。"},
            {"inkscape", "设计矢量图形和 SVG 文件。"},
            {"ocrmypdf", "对越南语 PDF 文档执行 OCR。"},
            {"remmina", "macOS 的远程桌面/RDP 客户端。"},
            {"keepassxc", "离线密码管理器。"},
            {"deja-dup", "Linux 备份工具不会自动替换为 Time Machine。"},
            {"gnome-disks", "打开 Disk Utility 管理磁盘、卷和 USB 设备。"},
            {"rclone", "通过 CLI 同步云存储不在默认 Mac 目录范围内。"},
        };
    case AppLanguage::vietnamese:
        break;
    }
    return {};
}

// Replacement notes of catalog entries by item id; none in Vietnamese, which is the
// catalog's own language.
QList<std::pair<QString, QString>> AppStrings::replacementNoteList(AppLanguage language)
{
    switch (language) {
    case AppLanguage::english:
        return {
            {"libreoffice", "Maps Linux LibreDevivu packages to the LibreDevivu cask, Vietnamese language pack, and Vietnamese dictionary extension."},
            {"ibus-unikey", "IBus Unikey is a Linux input method; macOS uses OpenKey as a closer Vietnamese input replacement."},
            {"devivu-fonts", "Maps the Linux office font set to Homebrew font casks."},
            {"evince", "Evince does not have a stable Homebrew macOS package; Skim is the installable document viewer replacement."},
            {"pdfarranger", "PDFsam Basic is the closest macOS replacement."},
            {"xournalpp", "Skim or Preview Markup replaces Xournal++ depending on the workflow."},
            {"archive-tools", "macOS includes zip/unzip; p7zip replaces p7zip-full and Keka replaces File Roller."},
            {"onlyoffice", "Linux snap workflow is replaced by a Homebrew cask."},
            {"onlyoffice-mime", "xdg-mime is replaced by duti and Launch Services."},
            {"microsoft-365", "Creates a .webloc file in ~/Applications/Tavrin Devivu Kit/."},
            {"printer-drivers", "macOS uses AirPrint, vendor drivers, and Printers & Scanners instead of Linux printer-driver-all packages."},
            {"scanner-tools", "Simple Scan/AirScan maps to sane-backends on macOS, with Image Capture available for GUI scanning."},
            {"teams-shortcut", "Creates a .webloc file instead of a Linux .desktop file."},
            {"meet-shortcut", "Creates a .webloc file instead of a Linux .desktop file."},
            {"zalo-shortcut", "Creates a .webloc file instead of a Linux .desktop file."},
            {"deja-dup", "Out of scope on macOS: the app does not configure backup tools to avoid risky data operations."},
            {"gnome-disks", "GNOME Disks is replaced by the built-in macOS Disk Utility."},
            {"rclone", "Out of scope for the safe default office installer on macOS. Admins can install it manually with Homebrew."},
        };
    case AppLanguage::korean:
        return {
            {"libreoffice", "Linux LibreDevivu 패키지를 LibreDevivu cask, 베트남어 언어팩, 베트남어 사전 확장으로 매핑합니다."},
            {"ibus-unikey", "IBus Unikey는 Linux 입력기입니다. macOS에서는 더 가까운 대체 항목으로 OpenKey cask를 사용합니다."},
            {"devivu-fonts", "Linux 오피스 글꼴 세트를 Homebrew font cask로 매핑합니다."},
            {"evince", "Evince는 안정적인 Homebrew macOS 패키지가 없으므로 Skim을 설치 가능한 문서 뷰어 대체 항목으로 사용합니다."},
            {"pdfarranger", "PDFsam Basic이 macOS에서 가장 가까운 대체 항목입니다."},
            {"xournalpp", "워크플로에 따라 Skim 또는 Preview Markup이 Xournal++를 대체합니다."},
            {"archive-tools", "macOS에는 zip/unzip이 포함되어 있으며 p7zip은 p7zip-full, Keka는 File Roller를 대체합니다."},
            {"onlyoffice", "Linux snap 워크플로를 Homebrew cask로 대체합니다."},
            {"onlyoffice-mime", "xdg-mime은 duti와 Launch Services로 대체합니다."},
            {"microsoft-365", "~/Applications/Tavrin Devivu Kit/에 .webloc 파일을 만듭니다."},
            {"printer-drivers", "macOS는 Linux printer-driver-all 대신 AirPrint, 제조사 드라이버, Printers & Scanners를 사용합니다."},
            {"scanner-tools", "Simple Scan/AirScan은 macOS의 sane-backends로 매핑되며 GUI 스캔에는 Image Capture를 사용할 수 있습니다."},
            {"teams-shortcut", "Linux .desktop 파일 대신 .webloc 파일을 만듭니다."},
            {"meet-shortcut", "Linux .desktop 파일 대신 .webloc 파일을 만듭니다."},
            {"zalo-shortcut", "Linux .desktop 파일 대신 .webloc 파일을 만듭니다."},
            {"deja-dup", "macOS 범위 밖입니다. 데이터 위험을 피하기 위해 백업 도구를 구성하지 않습니다."},
            {"gnome-disks", "GNOME Disks는 macOS 내장 Disk Utility로 대체합니다."},
            {"rclone", "안전한 기본 오피스 설치 범위 밖입니다. 관리자는 필요 시 Homebrew로 수동 설치할 수 있습니다."},
        };
    case AppLanguage::japanese:
        return {
            {"libreoffice", "Linux LibreDevivuパッケージをLibreDevivu cask、ベトナム語言語パック、ベトナム語辞書拡張に対応付けます。"},
            {"ibus-unikey", "IBus UnikeyはLinux入力メソッドです。macOSでは近い代替としてOpenKey caskを使います。"},
            {"devivu-fonts", "Linuxのオフィスフォント群をHomebrew font caskに対応付けます。"},
            {"evince", "Evinceには安定したHomebrew macOSパッケージがないため、Skimをインストール可能な文書ビューア代替として使います。"},
            {"pdfarranger", "PDFsam BasicがmacOSで最も近い代替です。"},
            {"xournalpp", "ワークフローに応じてSkimまたはPreview MarkupがXournal++を代替します。"},
            {"archive-tools", "macOSにはzip/unzipが含まれ、p7zipはp7zip-full、KekaはFile Rollerを代替します。"},
            {"onlyoffice", "Linux snapワークフローをHomebrew caskに置き換えます。"},
            {"onlyoffice-mime", "xdg-mimeをdutiとLaunch Servicesに置き換えます。"},
            {"microsoft-365", "~/Applications/Tavrin Devivu Kit/に.weblocファイルを作成します。"},
            {"printer-drivers", "macOSはLinux printer-driver-allパッケージの代わりにAirPrint、メーカー製ドライバ、Printers & Scannersを使います。"},
            {"scanner-tools", "Simple Scan/AirScanはmacOSのsane-backendsに対応付け、GUIスキャンにはImage Captureを使えます。"},
            {"teams-shortcut", "Linux .desktopファイルの代わりに.weblocファイルを作成します。"},
            {"meet-shortcut", "Linux .desktopファイルの代わりに.weblocファイルを作成します。"},
            {"zalo-shortcut", "Linux .desktopファイルの代わりに.weblocファイルを作成します。"},
            {"deja-dup", "macOSでは対象外です。データ操作リスクを避けるためバックアップツールは構成しません。"},
            {"gnome-disks", "GNOME DisksはmacOS内蔵のDisk Utilityに置き換えます。"},
            {"rclone", "安全な既定オフィスインストーラの範囲外です。管理者は必要に応じてHomebrewで手動インストールできます。"},
        };
    case AppLanguage::chinese:
        return {
            {"libreoffice", "将 Linux LibreDevivu 包映射到 LibreDevivu cask、越南语语言包和越南语字典扩展。"},
            {"ibus-unikey", "IBus Unikey 是 Linux 输入法；macOS 使用 OpenKey cask 作为更接近的越南语输入替代。"},
            {"devivu-fonts", "将 Linux 办公字体集合映射到 Homebrew font casks。"},
            {"evince", "Evince 没有稳定的 Homebrew macOS 包；Skim 是可安装的文档查看器替代。"},
            {"pdfarranger", "PDFsam Basic 是 macOS 上最接近的替代。"},
            {"xournalpp", "根据工作流，Skim 或 Preview Markup 可替代 Xournal++。"},
            {"archive-tools", "macOS 内置 zip/unzip；p7zip 替代 p7zip-full，Keka 替代 File Roller。"},
            {"onlyoffice", "Linux snap 工作流由 Homebrew cask 替代。"},
            {"onlyoffice-mime", "xdg-mime 由 duti 和 Launch Services 替代。"},
            {"microsoft-365", "在 ~/Applications/Tavrin Devivu Kit/ 中创建 .webloc 文件。"},
            {"printer-drivers", "macOS 使用 AirPrint、厂商驱动和 Printers & Scanners，而不是 Linux printer-driver-all 包。"},
            {"scanner-tools", "Simple Scan/AirScan 映射到 macOS 的 sane-backends，并可使用 Image Capture 进行 GUI 扫描。"},
            {"teams-shortcut", "创建 .webloc 文件，而不是 Linux .desktop 文件。"},
            {"meet-shortcut", "创建 .webloc 文件，而不是 Linux .desktop 文件。"},
            {"zalo-shortcut", "创建 .webloc 文件，而不是 Linux .desktop 文件。"},
            {"deja-dup", "在 macOS 上不处理：为避免敏感数据操作风险，应用不会配置备份工具。"},
            {"gnome-disks", "GNOME Disks 由 macOS 内置 Disk Utility 替代。"},
            {"rclone", "不在安全默认办公安装器范围内。管理员可按需通过 Homebrew 手动安装。"},
        };
    case AppLanguage::vietnamese:
        break;
    }
    return {};
}

// ---- Interface texts

QString AppStrings::settingsSubtitle() const
{
    return pick("Manage app preferences for this Mac.",
                "Quản lý tuỳ chọn ứng dụng trên máy Mac này.",
                "이 Mac의 앱 환경설정을 관리합니다.",
                "このMacのアプリ設定を管理します。",
                "管理此 Mac 上的应用偏好设置。");
}

QString AppStrings::languageSettingDetail() const
{
    return pick("Choose the app display language.",
                "Chọn ngôn ngữ hiển thị của ứng dụng.",
                "앱 표시 언어를 선택하세요.",
                "アプリの表示言語を選択します。",
                "选择应用显示语言。");
}

QString AppStrings::updateRequiredMessage() const
{
    return pick("Install the latest Tavrin Devivu Kit build to continue.",
                "Cài bản Tavrin Devivu Kit mới nhất để tiếp tục sử dụng.",
                "계속 사용하려면 최신 Tavrin Devivu Kit 빌드를 설치하세요.",
                "続行するには最新のTavrin Devivu Kitをインストールしてください。",
                "请安装最新版 Tavrin Devivu Kit 后继续使用。");
}

QString AppStrings::updateRequiredStatus() const
{
    return pick("Update required before continuing",
                "Cần cập nhật trước khi dùng tiếp",
                "계속하려면 업데이트가 필요합니다",
                "続行前にアップデートが必要です",
                "继续前需要更新");
}

QString AppStrings::updateRequiredToast() const
{
    return pick("Install the update to continue.",
                "Cài bản cập nhật để dùng tiếp.",
                "계속하려면 업데이트를 설치하세요.",
                "続行するにはアップデートをインストールしてください。",
                "请安装更新后继续。");
}

QString AppStrings::updateDownloadUnavailable() const
{
    return pick("Update download link is unavailable.",
                "Chưa có link tải bản cập nhật.",
                "업데이트 다운로드 링크를 사용할 수 없습니다.",
                "アップデートのダウンロードリンクがありません。",
                "更新下载链接不可用。");
}

QString AppStrings::openingUpdateDownload() const
{
    return pick("Opening update download",
                "Đang mở link tải bản cập nhật",
                "업데이트 다운로드 열기",
                "アップデートのダウンロードを開いています",
                "正在打开更新下载");
}

QString AppStrings::updateRequiredMessageWithVersion(const QString& version) const
{
    switch (m_language) {
    case AppLanguage::vietnamese:
        return "Cài Tavrin Devivu Kit " + version + " hoặc mới hơn để tiếp tục sử dụng.";
    case AppLanguage::korean:
        return "계속 사용하려면 Tavrin Devivu Kit " + version + " 이상을 설치하세요.";
    case AppLanguage::japanese:
        return "続行するにはTavrin Devivu Kit " + version + "以降をインストールしてください。";
    case AppLanguage::chinese:
        return "请安装 Tavrin Devivu Kit " + version + " 或更新版本后继续使用。";
    case AppLanguage::english:
        break;
    }
    return "Install Tavrin Devivu Kit " + version + " or newer to continue.";
}

QString AppStrings::updateAvailableToast(const QString& version) const
{
    const QString shown = version.isEmpty() ? QString("latest") : version;
    switch (m_language) {
    case AppLanguage::vietnamese:
        return "Có bản cập nhật " + shown + ".";
    case AppLanguage::korean:
        return shown + " 업데이트가 있습니다.";
    case AppLanguage::japanese:
        return shown + " のアップデートがあります。";
    case AppLanguage::chinese:
        return "已有 " + shown + " 更新。";
    case AppLanguage::english:
        break;
    }
    return "Update " + shown + " is available.";
}

QString AppStrings::systemChecksDescription() const
{
    return pick("A clean Mac needs Homebrew, DNS/Internet, and enough disk space before installing or removing Homebrew-managed apps. Xcode CLT is only a secondary warning for some formula build cases.",
                "Máy trống cần Homebrew, DNS/Internet và đủ disk trước khi cài/gỡ app qua Homebrew. Xcode CLT chỉ là cảnh báo phụ cho một số formula/build case.",
                "새 Mac에서 Homebrew 관리 앱을 설치하거나 제거하려면 Homebrew, DNS/Internet, 충분한 디스크 공간이 필요합니다. Xcode CLT는 일부 formula 빌드 상황에서만 보조 경고입니다.",
                "クリーンなMacでHomebrew管理アプリをインストールまたは削除するには、Homebrew、DNS/Internet、十分な空き容量が必要です。Xcode CLTは一部のformulaビルド時だけの補助警告です。",
                "干净的 Mac 在安装或移除 Homebrew 管理的应用前，需要 Homebrew、DNS/Internet 和足够的磁盘空间。Xcode CLT 只是部分 formula 构建场景的辅助警告。");
}

QString AppStrings::systemReadyDetail() const
{
    return pick("Homebrew, DNS, free disk space, and user permissions are ready.",
                "Homebrew, DNS, dung lượng trống và quyền user đã sẵn sàng.",
                "Homebrew, DNS, 여유 공간, 사용자 권한이 준비되었습니다.",
                "Homebrew、DNS、空き容量、ユーザー権限は準備完了です。",
                "Homebrew、DNS、可用空间和用户权限已就绪。");
}

QString AppStrings::checkingInstalledStatus() const
{
    return pick("Checking installed status", "Đang kiểm tra trạng thái thật", "설치 상태 확인 중", "インストール状態を確認中", "正在检查安装状态");
}

QString AppStrings::statusRefreshed() const
{
    return pick("Status refreshed", "Đã làm mới trạng thái", "상태를 새로 고쳤습니다", "状態を更新しました", "状态已刷新");
}

QString AppStrings::itemUnsupportedToast() const
{
    return pick("This item is not supported on macOS",
                "Mục này không hỗ trợ trên macOS",
                "이 항목은 macOS에서 지원되지 않습니다",
                "この項目はmacOSでサポートされていません",
                "此项在 macOS 上不受支持");
}

QString AppStrings::removePromptMessage(const QString& itemName) const
{
    switch (m_language) {
    case AppLanguage::vietnamese:
        return "Tavrin Devivu Kit sẽ gỡ " + itemName
               + " khỏi máy này nếu mục đó được quản lý bằng Homebrew, shortcut hoặc thiết lập mặc định.";
    case AppLanguage::korean:
        return "해당 항목이 Homebrew, 바로가기 또는 기본 앱 설정으로 관리되는 경우 Tavrin Devivu Kit이 이 Mac에서 " + itemName + "을 제거합니다.";
    case AppLanguage::japanese:
        return "この項目がHomebrew、ショートカット、または既定アプリ設定で管理されている場合、Tavrin Devivu KitはこのMacから" + itemName + "を削除します。";
    case AppLanguage::chinese:
        return "如果该项目由 Homebrew、快捷方式或默认应用设置管理，Tavrin Devivu Kit 会从这台 Mac 移除 " + itemName + "。";
    case AppLanguage::english:
        break;
    }
    return "Tavrin Devivu Kit will remove " + itemName
           + " from this Mac when the item is managed through Homebrew, a shortcut, or a default-app setting.";
}

QString AppStrings::summary(qint64 installed, qint64 total) const
{
    switch (m_language) {
    case AppLanguage::vietnamese:
        return QString::number(installed) + "/" + QString::number(total) + " mục đã sẵn sàng";
    case AppLanguage::korean:
        return QString::number(installed) + "/" + QString::number(total) + "개 항목 준비됨";
    case AppLanguage::japanese:
        return QString::number(installed) + "/" + QString::number(total) + "項目が準備完了";
    case AppLanguage::chinese:
        return QString::number(installed) + "/" + QString::number(total) + " 项已就绪";
    case AppLanguage::english:
        break;
    }
    return QString::number(installed) + "/" + QString::number(total) + " items ready";
}

QString AppStrings::operationSummary(qint64 done, qint64 total) const
{
    switch (m_language) {
    case AppLanguage::vietnamese:
        return QString::number(done) + "/" + QString::number(total) + " mục trong tiến trình hiện tại";
    case AppLanguage::korean:
        return "현재 작업 " + QString::number(done) + "/" + QString::number(total) + "개 항목";
    case AppLanguage::japanese:
        return "現在の操作 " + QString::number(done) + "/" + QString::number(total) + "項目";
    case AppLanguage::chinese:
        return "当前操作 " + QString::number(done) + "/" + QString::number(total) + " 项";
    case AppLanguage::english:
        break;
    }
    return QString::number(done) + "/" + QString::number(total) + " items in current operation";
}

QString AppStrings::processing(const QString& name) const
{
    switch (m_language) {
    case AppLanguage::vietnamese:
        return "Đang xử lý " + name;
    case AppLanguage::korean:
        return name + " 처리 중";
    case AppLanguage::japanese:
        return name + "を処理中";
    case AppLanguage::chinese:
        return "正在处理 " + name;
    case AppLanguage::english:
        break;
    }
    return "Processing " + name;
}

QString AppStrings::installing(const QString& name) const
{
    switch (m_language) {
    case AppLanguage::vietnamese:
        return "Đang cài " + name;
    case AppLanguage::korean:
        return name + " 설치 중";
    case AppLanguage::japanese:
        return name + "をインストール中";
    case AppLanguage::chinese:
        return "正在安装 " + name;
    case AppLanguage::english:
        break;
    }
    return "Installing " + name;
}

QString AppStrings::opening(const QString& name) const
{
    switch (m_language) {
    case AppLanguage::vietnamese:
        return "Đang mở " + name;
    case AppLanguage::korean:
        return name + " 여는 중";
    case AppLanguage::japanese:
        return name + "を開いています";
    case AppLanguage::chinese:
        return "正在打开 " + name;
    case AppLanguage::english:
        break;
    }
    return "Opening " + name;
}

QString AppStrings::removing(const QString& name) const
{
    switch (m_language) {
    case AppLanguage::vietnamese:
        return "Đang gỡ bỏ " + name;
    case AppLanguage::korean:
        return name + " 제거 중";
    case AppLanguage::japanese:
        return name + "を削除中";
    case AppLanguage::chinese:
        return "正在移除 " + name;
    case AppLanguage::english:
        break;
    }
    return "Removing " + name;
}

QString AppStrings::preparingRemove(const QString& name) const
{
    switch (m_language) {
    case AppLanguage::vietnamese:
        return "Đang chuẩn bị gỡ bỏ " + name;
    case AppLanguage::korean:
        return name + " 제거 준비 중";
    case AppLanguage::japanese:
        return name + "の削除を準備中";
    case AppLanguage::chinese:
        return "正在准备移除 " + name;
    case AppLanguage::english:
        break;
    }
    return "Preparing to remove " + name;
}

QString AppStrings::preparingInstall(const QString& name) const
{
    switch (m_language) {
    case AppLanguage::vietnamese:
        return "Đang chuẩn bị cài " + name;
    case AppLanguage::korean:
        return name + " 설치 준비 중";
    case AppLanguage::japanese:
        return name + "のインストールを準備中";
    case AppLanguage::chinese:
        return "正在准备安装 " + name;
    case AppLanguage::english:
        break;
    }
    return "Preparing to install " + name;
}

QString AppStrings::finished(const QString& name) const
{
    switch (m_language) {
    case AppLanguage::vietnamese:
        return "Hoàn tất " + name;
    case AppLanguage::korean:
        return name + " 완료";
    case AppLanguage::japanese:
        return name + "完了";
    case AppLanguage::chinese:
        return name + " 已完成";
    case AppLanguage::english:
        break;
    }
    return "Finished " + name;
}

QString AppStrings::processed(const QString& name) const
{
    switch (m_language) {
    case AppLanguage::vietnamese:
        return "Đã xử lý " + name;
    case AppLanguage::korean:
        return name + " 처리됨";
    case AppLanguage::japanese:
        return name + "を処理しました";
    case AppLanguage::chinese:
        return "已处理 " + name;
    case AppLanguage::english:
        break;
    }
    return "Processed " + name;
}

QString AppStrings::failedToProcess(const QString& name) const
{
    switch (m_language) {
    case AppLanguage::vietnamese:
        return "Lỗi khi xử lý " + name;
    case AppLanguage::korean:
        return name + " 처리 실패";
    case AppLanguage::japanese:
        return name + "の処理に失敗";
    case AppLanguage::chinese:
        return "处理 " + name + " 失败";
    case AppLanguage::english:
        break;
    }
    return "Failed to process " + name;
}

QString AppStrings::failedItem(const QString& name) const
{
    switch (m_language) {
    case AppLanguage::vietnamese:
        return "Lỗi " + name;
    case AppLanguage::korean:
        return name + " 실패";
    case AppLanguage::japanese:
        return name + "失敗";
    case AppLanguage::chinese:
        return name + " 失败";
    case AppLanguage::english:
        break;
    }
    return "Failed " + name;
}

QString AppStrings::opened(const QString& name) const
{
    switch (m_language) {
    case AppLanguage::vietnamese:
        return "Đã mở " + name;
    case AppLanguage::korean:
        return name + " 열림";
    case AppLanguage::japanese:
        return name + "を開きました";
    case AppLanguage::chinese:
        return "已打开 " + name;
    case AppLanguage::english:
        break;
    }
    return "Opened " + name;
}

QString AppStrings::couldNotOpen(const QString& name) const
{
    switch (m_language) {
    case AppLanguage::vietnamese:
        return "Không mở được " + name;
    case AppLanguage::korean:
        return name + "을 열 수 없습니다";
    case AppLanguage::japanese:
        return name + "を開けませんでした";
    case AppLanguage::chinese:
        return "无法打开 " + name;
    case AppLanguage::english:
        break;
    }
    return "Could not open " + name;
}

QString AppStrings::removed(const QString& name) const
{
    switch (m_language) {
    case AppLanguage::vietnamese:
        return "Đã gỡ bỏ " + name;
    case AppLanguage::korean:
        return name + " 제거됨";
    case AppLanguage::japanese:
        return name + "を削除しました";
    case AppLanguage::chinese:
        return "已移除 " + name;
    case AppLanguage::english:
        break;
    }
    return "Removed " + name;
}

QString AppStrings::failedToRemove(const QString& name) const
{
    switch (m_language) {
    case AppLanguage::vietnamese:
        return "Lỗi khi gỡ " + name;
    case AppLanguage::korean:
        return name + " 제거 실패";
    case AppLanguage::japanese:
        return name + "の削除に失敗";
    case AppLanguage::chinese:
        return "移除 " + name + " 失败";
    case AppLanguage::english:
        break;
    }
    return "Failed to remove " + name;
}

QString AppStrings::removeFailed(const QString& name) const
{
    switch (m_language) {
    case AppLanguage::vietnamese:
        return "Gỡ bỏ lỗi " + name;
    case AppLanguage::korean:
        return name + " 제거 실패";
    case AppLanguage::japanese:
        return name + "削除失敗";
    case AppLanguage::chinese:
        return name + " 移除失败";
    case AppLanguage::english:
        break;
    }
    return "Remove failed " + name;
}

QString AppStrings::installingPreset(const QString& name, qint64 count) const
{
    switch (m_language) {
    case AppLanguage::vietnamese:
        return "Đang cài " + name + " (" + QString::number(count) + " mục)";
    case AppLanguage::korean:
        return name + " 설치 중(" + QString::number(count) + "개 항목)";
    case AppLanguage::japanese:
        return name + "をインストール中（" + QString::number(count) + "項目）";
    case AppLanguage::chinese:
        return "正在安装 " + name + "（" + QString::number(count) + " 项）";
    case AppLanguage::english:
        break;
    }
    return "Installing " + name + " (" + QString::number(count) + " items)";
}

QString AppStrings::finishedPreset(const QString& name) const
{
    switch (m_language) {
    case AppLanguage::vietnamese:
        return "Hoàn tất preset " + name;
    case AppLanguage::korean:
        return "프리셋 " + name + " 완료";
    case AppLanguage::japanese:
        return "プリセット" + name + "完了";
    case AppLanguage::chinese:
        return "预设 " + name + " 完成";
    case AppLanguage::english:
        break;
    }
    return "Finished preset " + name;
}

QString AppStrings::presetFailures(qint64 count) const
{
    switch (m_language) {
    case AppLanguage::vietnamese:
        return "Preset có " + QString::number(count) + " lỗi";
    case AppLanguage::korean:
        return "프리셋에 " + QString::number(count) + "개 실패";
    case AppLanguage::japanese:
        return "プリセットに" + QString::number(count) + "件の失敗";
    case AppLanguage::chinese:
        return "预设有 " + QString::number(count) + " 个失败";
    case AppLanguage::english:
        break;
    }
    return "Preset has " + QString::number(count) + " failures";
}

QString AppStrings::finishedPresetSummary(const QString& name, qint64 success, qint64 failed) const
{
    switch (m_language) {
    case AppLanguage::vietnamese:
        return "Hoàn tất preset " + name + ": " + QString::number(success) + " thành công, " + QString::number(failed)
               + " lỗi";
    case AppLanguage::korean:
        return "프리셋 " + name + " 완료: " + QString::number(success) + "개 성공, " + QString::number(failed) + "개 실패";
    case AppLanguage::japanese:
        return "プリセット" + name + "完了: " + QString::number(success) + "成功、" + QString::number(failed) + "失敗";
    case AppLanguage::chinese:
        return "预设 " + name + " 完成：" + QString::number(success) + " 成功，" + QString::number(failed) + " 失败";
    case AppLanguage::english:
        break;
    }
    return "Finished preset " + name + ": " + QString::number(success) + " succeeded, " + QString::number(failed)
           + " failed";
}

QString AppStrings::writingReport() const
{
    return pick("Writing report", "Đang ghi report", "보고서 작성 중", "レポートを書き込み中", "正在写入报告");
}

QString AppStrings::copiedLogPath() const
{
    return pick("Copied log path", "Đã copy log path", "로그 경로를 복사했습니다", "ログパスをコピーしました", "已复制日志路径");
}

QString AppStrings::openedHomebrewGuide() const
{
    return pick("Opened Homebrew guide",
                "Đã mở hướng dẫn Homebrew",
                "Homebrew 가이드를 열었습니다",
                "Homebrewガイドを開きました",
                "已打开 Homebrew 指南");
}

QString AppStrings::copiedHomebrewInstallCommand() const
{
    return pick("Copied Homebrew install command",
                "Đã copy lệnh cài Homebrew",
                "Homebrew 설치 명령을 복사했습니다",
                "Homebrewインストールコマンドをコピーしました",
                "已复制 Homebrew 安装命令");
}

QString AppStrings::copiedHomebrewCommand() const
{
    return pick("Copied Homebrew command",
                "Đã copy lệnh Homebrew",
                "Homebrew 명령을 복사했습니다",
                "Homebrewコマンドをコピーしました",
                "已复制 Homebrew 命令");
}

QString AppStrings::syncingCatalog() const
{
    return pick("Syncing catalog", "Đang đồng bộ catalog", "카탈로그 동기화 중", "カタログを同期中", "正在同步目录");
}

QString AppStrings::uploadingReport() const
{
    return pick("Uploading report", "Đang upload report", "보고서 업로드 중", "レポートをアップロード中", "正在上传报告");
}

QString AppStrings::cloudActionFinished() const
{
    return pick("Cloud action finished", "Cloud action hoàn tất", "클라우드 작업 완료", "クラウド操作完了", "云端操作完成");
}

QString AppStrings::cloudActionFailed() const
{
    return pick("Cloud action failed", "Cloud action lỗi", "클라우드 작업 실패", "クラウド操作失敗", "云端操作失败");
}

// ---- Catalog item names

QString AppStrings::dejaDupName() const
{
    return pick("Backup tool (unsupported)",
                "Backup tool (không hỗ trợ)",
                "백업 도구(지원 안 됨)",
                "バックアップツール（非対応）",
                "备份工具（不支持）");
}

QString AppStrings::rcloneName() const
{
    return pick("rclone (unsupported)", "rclone (không hỗ trợ)", "rclone(지원 안 됨)", "rclone（非対応）", "rclone（不支持）");
}

// ---- Texts keyed by data

QString AppStrings::systemTitle(SystemCheck::Level level) const
{
    switch (level) {
    case SystemCheck::Level::ok:
        return pick("System ready", "Hệ thống sẵn sàng", "시스템 준비됨", "システム準備完了", "系统就绪");
    case SystemCheck::Level::warn:
        return pick("System needs setup", "Cần kiểm tra hệ thống", "시스템 설정 필요", "システム設定が必要", "系统需要设置");
    case SystemCheck::Level::fail:
        return pick("This Mac is not supported",
                    "Không hỗ trợ máy này",
                    "이 Mac은 지원되지 않습니다",
                    "このMacはサポートされていません",
                    "不支持这台 Mac");
    }
    return {};
}

QString AppStrings::systemCheckName(const SystemCheck& check) const
{
    if (check.name == SystemCheckTexts::freeSpaceName)
        return pick("Free disk space", "Dung lượng trống", "여유 디스크 공간", "空き容量", "可用磁盘空间");
    if (check.name == SystemCheckTexts::userModeName)
        return pick("User mode", "Chế độ user", "사용자 모드", "ユーザーモード", "用户模式");
    if (check.name == SystemCheckTexts::macOSCompatibilityName)
        return pick("macOS compatibility", "Tương thích macOS", "macOS 호환성", "macOS互換性", "macOS 兼容性");
    if (check.name == SystemCheckTexts::cpuArchitectureName)
        return pick("CPU architecture", "Kiến trúc CPU", "CPU 아키텍처", "CPUアーキテクチャ", "CPU 架构");
    if (check.name == SystemCheckTexts::internetConnectionName)
        return pick("Internet connection", "Kết nối Internet", "인터넷 연결", "インターネット接続", "互联网连接");
    if (check.name == SystemCheckTexts::xcodeCommandLineToolsName)
        return pick("Xcode Command Line Tools",
                    "Xcode Command Line Tools",
                    "Xcode 명령줄 도구",
                    "Xcode Command Line Tools",
                    "Xcode 命令行工具");
    return check.name;
}

std::optional<QString> AppStrings::brewNotFoundText() const
{
    switch (m_language) {
    case AppLanguage::vietnamese:
        return std::nullopt;
    case AppLanguage::korean:
        return "brew를 찾을 수 없습니다. " + QString(SystemCheckTexts::homebrewSite) + " 에서 설치하세요.";
    case AppLanguage::japanese:
        return "brewが見つかりません。" + QString(SystemCheckTexts::homebrewSite) + " からインストールしてください。";
    case AppLanguage::chinese:
        return "未找到 brew。请从 " + QString(SystemCheckTexts::homebrewSite) + " 安装。";
    case AppLanguage::english:
        break;
    }
    return "brew was not found. Install it from " + QString(SystemCheckTexts::homebrewSite) + ".";
}

QString AppStrings::internetText(bool resolved) const
{
    if (resolved) {
        switch (m_language) {
        case AppLanguage::vietnamese:
            return "Có thể phân giải " + QString(SystemCheckTexts::formulaIndexHost) + ".";
        case AppLanguage::korean:
            return QString(SystemCheckTexts::formulaIndexHost) + " 이름 확인이 정상입니다.";
        case AppLanguage::japanese:
            return QString(SystemCheckTexts::formulaIndexHost) + "を解決できます。";
        case AppLanguage::chinese:
            return QString(SystemCheckTexts::formulaIndexHost) + " 可正常解析。";
        case AppLanguage::english:
            break;
        }
        return QString(SystemCheckTexts::formulaIndexHost) + " resolves correctly.";
    }
    switch (m_language) {
    case AppLanguage::vietnamese:
        return "Không phân giải được " + QString(SystemCheckTexts::formulaIndexHost) + ".";
    case AppLanguage::korean:
        return QString(SystemCheckTexts::formulaIndexHost) + " 이름 확인에 실패했습니다.";
    case AppLanguage::japanese:
        return QString(SystemCheckTexts::formulaIndexHost) + "を解決できません。";
    case AppLanguage::chinese:
        return "无法解析 " + QString(SystemCheckTexts::formulaIndexHost) + "。";
    case AppLanguage::english:
        break;
    }
    return "Could not resolve " + QString(SystemCheckTexts::formulaIndexHost) + ".";
}

QString AppStrings::xcodeText(bool available) const
{
    if (available) {
        switch (m_language) {
        case AppLanguage::vietnamese:
            return QString("Đã có xcode-select.");
        case AppLanguage::korean:
            return QString("xcode-select를 사용할 수 있습니다.");
        case AppLanguage::japanese:
            return QString("xcode-selectが利用できます。");
        case AppLanguage::chinese:
            return QString("xcode-select 可用。");
        case AppLanguage::english:
            break;
        }
        return QString("xcode-select is available.");
    }
    switch (m_language) {
    case AppLanguage::vietnamese:
        return QString("Không bắt buộc để mở app. Chỉ có thể cần khi Homebrew phải build formula từ source.");
    case AppLanguage::korean:
        return QString("앱 실행에는 필수는 아니며, Homebrew가 formula를 소스에서 빌드할 때 필요할 수 있습니다.");
    case AppLanguage::japanese:
        return QString("アプリ起動には必須ではありません。Homebrewがformulaをソースからビルドする場合に必要になることがあります。");
    case AppLanguage::chinese:
        return QString("打开应用不强制需要。Homebrew 从源码构建 formula 时可能需要。");
    case AppLanguage::english:
        break;
    }
    return QString("Not required to open the app. It may be needed when Homebrew builds a formula from source.");
}

std::optional<QString> AppStrings::freeSpaceText(const QString& amount) const
{
    switch (m_language) {
    case AppLanguage::vietnamese:
        return std::nullopt;
    case AppLanguage::korean:
        return "/에 " + amount + " 여유 공간.";
    case AppLanguage::japanese:
        return "/ に " + amount + " の空き容量。";
    case AppLanguage::chinese:
        return "/ 上有 " + amount + " 可用空间。";
    case AppLanguage::english:
        break;
    }
    return amount + " free on /.";
}

std::optional<QString> AppStrings::rootUserText() const
{
    switch (m_language) {
    case AppLanguage::vietnamese:
        return std::nullopt;
    case AppLanguage::korean:
        return QString("Homebrew GUI 앱을 root로 실행하지 마세요.");
    case AppLanguage::japanese:
        return QString("Homebrew GUIアプリをrootで実行しないでください。");
    case AppLanguage::chinese:
        return QString("不要以 root 身份运行 Homebrew GUI 应用。");
    case AppLanguage::english:
        break;
    }
    return QString("Do not run the Homebrew GUI app as root.");
}

std::optional<QString> AppStrings::installStateText(const QString& detail) const
{
    if (detail == SystemCheckTexts::installedDetail)
        return pick("Installed.", "Đã cài.", "설치됨.", "インストール済み。", "已安装。");
    if (detail == SystemCheckTexts::notInstalledDetail)
        return pick("Not installed.", "Chưa cài.", "미설치.", "未インストール。", "未安装。");
    return std::nullopt;
}

std::optional<QString> AppStrings::tooOldReplacement() const
{
    switch (m_language) {
    case AppLanguage::vietnamese:
        return std::nullopt;
    case AppLanguage::korean:
        return QString("이 너무 오래되었습니다. 최소 대상");
    case AppLanguage::japanese:
        return QString("は古すぎます。最小ターゲット");
    case AppLanguage::chinese:
        return QString("过旧。最低目标");
    case AppLanguage::english:
        break;
    }
    return QString("is too old. Minimum target");
}

std::optional<QString> AppStrings::missingPackagesReplacement() const
{
    switch (m_language) {
    case AppLanguage::vietnamese:
        return std::nullopt;
    case AppLanguage::korean:
        return QString("일부 package가 없을 수 있습니다");
    case AppLanguage::japanese:
        return QString("一部のpackageが不足する可能性があります");
    case AppLanguage::chinese:
        return QString("可能缺少部分 package");
    case AppLanguage::english:
        break;
    }
    return QString("may be missing some packages");
}

QString AppStrings::setupNeededFrame(const QString& names) const
{
    switch (m_language) {
    case AppLanguage::vietnamese:
        return "Cần chuẩn bị: " + names + ".";
    case AppLanguage::korean:
        return "설정 필요: " + names + ".";
    case AppLanguage::japanese:
        return "設定が必要: " + names + ".";
    case AppLanguage::chinese:
        return "需要设置：" + names + "。";
    case AppLanguage::english:
        break;
    }
    return "Setup needed: " + names + ".";
}

QString AppStrings::statusLabel(InstallStatus status) const
{
    switch (status) {
    case InstallStatus::missing:
        return pick("Missing", "Chưa cài", "미설치", "未インストール", "未安装");
    case InstallStatus::installed:
        return pick("Installed", "Đã cài", "설치됨", "インストール済み", "已安装");
    case InstallStatus::working:
        return pick("Installing", "Đang cài", "설치 중", "インストール中", "正在安装");
    case InstallStatus::failed:
        return pick("Failed", "Lỗi", "실패", "失敗", "失败");
    case InstallStatus::blocked:
        return pick("Unsupported", "Không hỗ trợ", "지원 안 됨", "非対応", "不支持");
    }
    return {};
}

QString AppStrings::installLabel() const
{
    return pick("Install", "Cài", "설치", "インストール", "安装");
}

QString AppStrings::openLabel() const
{
    return pick("Open", "Mở", "열기", "開く", "打开");
}

QString AppStrings::detailsLabel() const
{
    return pick("Details", "Chi tiết", "세부 정보", "詳細", "详情");
}

QString AppStrings::workingLabel() const
{
    return pick("Working", "Đang xử lý", "작업 중", "処理中", "处理中");
}

QString AppStrings::retryLabel() const
{
    return pick("Retry", "Thử lại", "재시도", "再試行", "重试");
}

QString AppStrings::sourceLabel(AppKind kind) const
{
    switch (kind) {
    case AppKind::direct:
        return pick("Official DMG", "Official DMG", "공식 DMG", "公式DMG", "官方 DMG");
    case AppKind::formula:
        return pick("Homebrew", "Homebrew", "Homebrew", "Homebrew", "Homebrew");
    case AppKind::cask:
        return pick("Cask", "Cask", "Cask", "Cask", "Cask");
    case AppKind::bundle:
        return pick("Bundle", "Bundle", "Bundle", "Bundle", "Bundle");
    case AppKind::shortcut:
        return pick("Shortcut", "Shortcut", "바로가기", "ショートカット", "快捷方式");
    case AppKind::builtin:
        return pick("macOS", "macOS", "macOS", "macOS", "macOS");
    case AppKind::mime:
        return pick("Default app", "Default app", "기본 앱", "既定アプリ", "默认应用");
    case AppKind::blocked:
        return pick("Unsupported", "Không hỗ trợ", "지원 안 됨", "非対応", "不支持");
    }
    return {};
}

QString AppStrings::packageCountText(qint64 count) const
{
    switch (m_language) {
    case AppLanguage::vietnamese:
        return QString::number(count) + " gói";
    case AppLanguage::korean:
        return QString::number(count) + "개 패키지";
    case AppLanguage::japanese:
        return QString::number(count) + "個のパッケージ";
    case AppLanguage::chinese:
        return QString::number(count) + " 个包";
    case AppLanguage::english:
        break;
    }
    return QString::number(count) + " packages";
}

QString AppStrings::groupLabel(const QString& groupID) const
{
    if (groupID == "all")
        return pick("All", "Tất cả", "전체", "すべて", "全部");
    if (groupID == "devivu")
        return pick("Devivu Basic", "Devivu Basic", "오피스 기본", "Devivu基本", "办公基础");
    if (groupID == "microsoft")
        return pick("Microsoft Devivu", "Microsoft Devivu", "Microsoft Devivu", "Microsoft Devivu", "Microsoft Devivu");
    if (groupID == "printer")
        return pick("Print/Scan/PDF", "Print/Scan/PDF", "인쇄/스캔/PDF", "印刷/スキャン/PDF", "打印/扫描/PDF");
    if (groupID == "meeting")
        return pick("Meeting & Chat", "Meeting & Chat", "회의 및 채팅", "会議とチャット", "会议与聊天");
    if (groupID == "media")
        return pick("Media Tools", "Media Tools", "미디어 도구", "メディアツール", "媒体工具");
    return groupID;
}

// ---- Audit texts

QString AppStrings::reportTitle() const
{
    return pick("macOS audit report", "Báo cáo kiểm kê macOS", "macOS 감사 보고서", "macOS監査レポート", "macOS 审计报告");
}

QString AppStrings::reportDescription() const
{
    return pick("Focused on additional software; operating-system apps are excluded.",
                "Ưu tiên phần mềm cài thêm; ứng dụng thuộc hệ điều hành được loại khỏi báo cáo.",
                "추가 설치 소프트웨어에 집중하며 운영 체제 앱은 제외합니다.",
                "追加インストール済みソフトウェアを優先し、OS標準アプリは除外します。",
                "重点显示额外安装的软件，并排除操作系统自带应用。");
}

QString AppStrings::auditSubtitle() const
{
    return pick("Read non-system software, app signatures, and detected key, receipt, or key-free status on this Mac.",
                "Đọc phần mềm ngoài hệ thống, chữ ký app và trạng thái có key/receipt, không có key hoặc không cần key.",
                "이 Mac의 비시스템 소프트웨어, 앱 서명 및 키/영수증 감지 상태를 읽습니다.",
                "このMacの非システムソフトウェア、アプリ署名、キー／レシート検出状態を読み取ります。",
                "读取此 Mac 上的非系统软件、应用签名以及密钥/收据检测状态。");
}

QString AppStrings::auditPreparing() const
{
    return pick("Preparing macOS inventory",
                "Đang chuẩn bị kiểm kê macOS",
                "macOS 인벤토리 준비 중",
                "macOSインベントリを準備中",
                "正在准备 macOS 盘点");
}

QString AppStrings::auditNoDataTitle() const
{
    return pick("No inventory data yet", "Chưa có dữ liệu kiểm kê", "인벤토리 데이터 없음", "インベントリデータがありません", "暂无盘点数据");
}

QString AppStrings::auditNoDataDetail() const
{
    return pick("Scan this Mac to collect non-system applications, Homebrew leaves, installer receipts, and signing evidence.",
                "Quét máy để thu thập app ngoài hệ thống, Homebrew leaves, installer receipt và bằng chứng chữ ký.",
                "이 Mac을 스캔하여 비시스템 앱, Homebrew leaves, 설치 영수증 및 서명 증거를 수집합니다.",
                "このMacをスキャンし、非システムアプリ、Homebrew leaves、インストーラーレシート、署名証跡を収集します。",
                "扫描此 Mac 以收集非系统应用、Homebrew leaves、安装收据和签名证据。");
}

QString AppStrings::auditSidebarSummaryTitle() const
{
    return pick("System inventoried", "Hệ thống đã kiểm kê", "시스템 인벤토리 완료", "システム確認済み", "系统已盘点");
}

QString AppStrings::copiedReportPath() const
{
    return pick("Copied report path", "Đã copy đường dẫn report", "보고서 경로를 복사했습니다", "レポートパスをコピーしました", "已复制报告路径");
}

QString AppStrings::auditScanProgress(qint64 completed, qint64 total, qint64 percent) const
{
    switch (m_language) {
    case AppLanguage::vietnamese:
        return "Đã quét " + QString::number(completed) + "/" + QString::number(total) + " app • "
               + QString::number(percent) + "%";
    case AppLanguage::korean:
        return QString::number(completed) + "/" + QString::number(total) + "개 앱 스캔 • " + QString::number(percent) + "%";
    case AppLanguage::japanese:
        return QString::number(completed) + "/" + QString::number(total) + "アプリをスキャン • " + QString::number(percent)
               + "%";
    case AppLanguage::chinese:
        return "已扫描 " + QString::number(completed) + "/" + QString::number(total) + " 个应用 • "
               + QString::number(percent) + "%";
    case AppLanguage::english:
        break;
    }
    return "Scanned " + QString::number(completed) + "/" + QString::number(total) + " apps • "
           + QString::number(percent) + "%";
}

QString AppStrings::auditUpdatingCatalog(qint64 count) const
{
    switch (m_language) {
    case AppLanguage::vietnamese:
        return "Đang cập nhật " + QString::number(count) + " mục Tavrin";
    case AppLanguage::korean:
        return "Tavrin 카탈로그 " + QString::number(count) + "개 항목 업데이트 중";
    case AppLanguage::japanese:
        return "Tavrinカタログ" + QString::number(count) + "項目を更新中";
    case AppLanguage::chinese:
        return "正在更新 " + QString::number(count) + " 个 Tavrin 目录项";
    case AppLanguage::english:
        break;
    }
    return "Updating " + QString::number(count) + " Tavrin catalog items";
}

QString AppStrings::auditComplete(qint64 count) const
{
    switch (m_language) {
    case AppLanguage::vietnamese:
        return "Đã kiểm kê: phát hiện " + QString::number(count) + " mục";
    case AppLanguage::korean:
        return "인벤토리 완료: " + QString::number(count) + "개 감지";
    case AppLanguage::japanese:
        return "インベントリ完了：" + QString::number(count) + "項目を検出";
    case AppLanguage::chinese:
        return "盘点完成：检测到 " + QString::number(count) + " 项";
    case AppLanguage::english:
        break;
    }
    return "Inventory complete: " + QString::number(count) + " items detected";
}

QString AppStrings::auditSummary(qint64 total, qint64 keyPresent, qint64 keyNotRequired, qint64 keyNotDetected) const
{
    switch (m_language) {
    case AppLanguage::vietnamese:
        return QString::number(total) + " app • " + QString::number(keyPresent) + " có key/receipt • "
               + QString::number(keyNotRequired) + " miễn phí/không key • " + QString::number(keyNotDetected)
               + " không phát hiện key";
    case AppLanguage::korean:
        return QString::number(total) + "개 앱 • 키/영수증 " + QString::number(keyPresent) + "개 • 키 불필요 "
               + QString::number(keyNotRequired) + "개 • 키 미감지 " + QString::number(keyNotDetected) + "개";
    case AppLanguage::japanese:
        return QString::number(total) + "アプリ • キー／レシート" + QString::number(keyPresent) + "件 • キー不要"
               + QString::number(keyNotRequired) + "件 • キー未検出" + QString::number(keyNotDetected) + "件";
    case AppLanguage::chinese:
        return QString::number(total) + " 个应用 • " + QString::number(keyPresent) + " 个有密钥/收据 • "
               + QString::number(keyNotRequired) + " 个无需密钥 • " + QString::number(keyNotDetected) + " 个未检测到密钥";
    case AppLanguage::english:
        break;
    }
    return QString::number(total) + " apps • " + QString::number(keyPresent) + " key/receipt • "
           + QString::number(keyNotRequired) + " free/no key • " + QString::number(keyNotDetected)
           + " key not detected";
}

QString AppStrings::auditSidebarSummaryDetail(qint64 count) const
{
    switch (m_language) {
    case AppLanguage::vietnamese:
        return "Đã thu thập " + QString::number(count) + " bản ghi phần mềm trên máy Mac này.";
    case AppLanguage::korean:
        return "이 Mac에서 소프트웨어 레코드 " + QString::number(count) + "개를 수집했습니다.";
    case AppLanguage::japanese:
        return "このMacから" + QString::number(count) + "件のソフトウェア記録を収集しました。";
    case AppLanguage::chinese:
        return "已从此 Mac 收集 " + QString::number(count) + " 条软件记录。";
    case AppLanguage::english:
        break;
    }
    return QString::number(count) + " software records collected from this Mac.";
}

QString AppStrings::auditLicenseLabel() const
{
    return pick("License / key", "Bản quyền / key", "라이선스 / 키", "ライセンス／キー", "许可证/密钥");
}

QString AppStrings::auditLicenseSourceLabel() const
{
    return pick("Key detection source", "Nguồn phát hiện key", "키 감지 출처", "キー検出元", "密钥检测来源");
}

QString AppStrings::auditLicenseDetailLabel() const
{
    return pick("Key detection detail", "Chi tiết phát hiện key", "키 감지 세부 정보", "キー検出の詳細", "密钥检测详情");
}

QString AppStrings::auditLicenseConfidenceLabel() const
{
    return pick("Evidence confidence", "Độ tin cậy bằng chứng", "증거 신뢰도", "証跡の信頼度", "证据置信度");
}

QString AppStrings::auditLicenseSignalsLabel() const
{
    return pick("Collected technical signals", "Tín hiệu kỹ thuật đã thu thập", "수집된 기술 신호", "収集した技術信号", "已收集的技术信号");
}

QString AppStrings::auditDeveloperLabel() const
{
    return pick("Vendor / project", "Đơn vị / dự án", "개발사 / 프로젝트", "提供元／プロジェクト", "厂商/项目");
}

QString AppStrings::auditSignatureLabel() const
{
    return pick("Digital signature - App signature",
                "Chữ ký số - Chữ ký App",
                "디지털 서명 - 앱 서명",
                "デジタル署名 - App署名",
                "数字签名 - App 签名");
}

QString AppStrings::auditLicenseNotice() const
{
    return pick("This scan reports only local technical evidence: key or activation receipt detected, not detected, or no key required. Origin, ownership, and permitted scope of use require human review.",
                "Báo cáo chỉ ghi nhận bằng chứng kỹ thuật cục bộ: phát hiện key/receipt kích hoạt, không phát hiện, hoặc không cần key. Nguồn gốc, chủ thể sở hữu và phạm vi được phép sử dụng cần người phụ trách thẩm tra.",
                "이 검사는 로컬 키, 활성화 영수증 또는 키 불필요 상태의 기술적 증거만 보고합니다. 출처, 소유권 및 허용된 사용 범위는 담당자가 확인해야 합니다.",
                "このスキャンは、ローカルキー、アクティベーションレシート、またはキー不要状態という技術的証拠のみを報告します。出所、所有者、許可された利用範囲は担当者による確認が必要です。",
                "此扫描仅报告本地密钥、激活收据或无需密钥状态等技术证据。来源、所有权及允许的使用范围需由负责人核实。");
}

QString AppStrings::auditEvidenceNotice() const
{
    return pick("Signature status is technical evidence only. It does not by itself prove software license entitlement.",
                "Trạng thái chữ ký chỉ là bằng chứng kỹ thuật, không tự chứng minh quyền sử dụng bản quyền phần mềm.",
                "서명 상태는 기술적 증거일 뿐이며 소프트웨어 라이선스 권한을 단독으로 증명하지 않습니다.",
                "署名状態は技術的な証跡にすぎず、ソフトウェアのライセンス権を単独で証明するものではありません。",
                "签名状态仅是技术证据，本身不能证明软件许可证权益。");
}

QString AppStrings::auditSignatureStatusLabel(const QString& signatureStatus) const
{
    if (signatureStatus == "valid")
        return pick("Valid", "Hợp lệ", "유효함", "有効", "有效");
    if (signatureStatus == "invalid")
        return pick("Invalid", "Không hợp lệ", "유효하지 않음", "無効", "无效");
    if (signatureStatus == "unsigned")
        return pick("No signature", "Không có chữ ký", "서명 없음", "署名なし", "无签名");
    if (signatureStatus == "ad-hoc")
        return pick("Internal signature", "Chữ ký nội bộ", "내부 서명", "内部署名", "内部签名");
    if (signatureStatus == "not-applicable")
        return pick("Not applicable", "Không áp dụng", "해당 없음", "対象外", "不适用");
    if (signatureStatus == "receipt-only")
        return pick("Not applicable", "Không áp dụng", "해당 없음", "対象外", "不适用");
    return pick("Unknown", "Không xác định", "알 수 없음", "不明", "未知");
}

QString AppStrings::auditLicenseEvidenceLabel(AppLicenseEvidenceState state) const
{
    switch (state) {
    case AppLicenseEvidenceState::verifiedReceipt:
        return pick("Verified receipt evidence", "Receipt đã xác minh", "검증된 영수증 증거", "検証済みレシート", "已验证收据证据");
    case AppLicenseEvidenceState::receiptIntegrityVerified:
        return pick("Receipt integrity verified",
                    "Đã xác minh toàn vẹn receipt",
                    "영수증 무결성 검증",
                    "レシート整合性を検証",
                    "收据完整性已验证");
    case AppLicenseEvidenceState::acquisitionReceipt:
        return pick("Receipt detected (unverified)",
                    "Có receipt (chưa xác minh)",
                    "영수증 감지(미검증)",
                    "レシート検出（未検証）",
                    "检测到收据（未验证）");
    case AppLicenseEvidenceState::licenseArtifact:
        return pick("License artifact detected",
                    "Phát hiện artifact license",
                    "라이선스 아티팩트 감지",
                    "ライセンス情報を検出",
                    "检测到许可证工件");
    case AppLicenseEvidenceState::accountBased:
        return pick("Account / subscription based",
                    "Dùng tài khoản / thuê bao",
                    "계정/구독 기반",
                    "アカウント／サブスクリプション",
                    "基于账户/订阅");
    case AppLicenseEvidenceState::freeOrOpenSource:
        return pick("Free / no key required", "Miễn phí / không cần key", "무료 / 키 불필요", "無料／キー不要", "免费/无需密钥");
    case AppLicenseEvidenceState::installationEvidence:
        return pick("Installation evidence only", "Chỉ có bằng chứng cài đặt", "설치 증거만 있음", "インストール証跡のみ", "仅有安装证据");
    case AppLicenseEvidenceState::needsEntitlementReview:
        return pick("Technical review needed", "Cần kiểm tra kỹ thuật", "기술 검토 필요", "技術確認が必要", "需要技术检查");
    case AppLicenseEvidenceState::accessRestricted:
        return pick("Could not inspect", "Không thể kiểm tra", "검사할 수 없음", "確認できません", "无法检查");
    case AppLicenseEvidenceState::noEvidence:
        return pick("No local evidence detected",
                    "Không phát hiện bằng chứng local",
                    "로컬 증거 미감지",
                    "ローカル証跡なし",
                    "未检测到本地证据");
    case AppLicenseEvidenceState::explicitUnlicensed:
        return pick("No local key recorded", "Không ghi nhận key local", "로컬 키 기록 없음", "ローカルキー記録なし", "无本地密钥记录");
    }
    return {};
}

QString AppStrings::auditLicenseConfidenceValue(LicenseEvidenceConfidence confidence) const
{
    switch (confidence) {
    case LicenseEvidenceConfidence::verified:
        return pick("Verified", "Đã xác minh", "검증됨", "検証済み", "已验证");
    case LicenseEvidenceConfidence::strong:
        return pick("Strong local evidence", "Bằng chứng local mạnh", "강한 로컬 증거", "強いローカル証跡", "强本地证据");
    case LicenseEvidenceConfidence::indicative:
        return pick("Indicative", "Dấu hiệu tham khảo", "참고 지표", "参考情報", "指示性证据");
    case LicenseEvidenceConfidence::informational:
        return pick("Informational", "Thông tin", "정보", "情報", "信息");
    case LicenseEvidenceConfidence::none:
        return pick("Not established", "Chưa xác lập", "확립되지 않음", "未確立", "未建立");
    }
    return {};
}
