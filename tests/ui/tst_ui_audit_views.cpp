#include "FontWidths.h"
#include "audit/MacReportPDF.h"
#include "ui/audit/AuditApplicationDetailView.h"
#include "ui/audit/AuditApplicationRow.h"
#include "ui/audit/AuditDetailField.h"
#include "ui/audit/InitialTile.h"
#include "ui/kit/AuditEvidencePill.h"
#include "ui/kit/LicenseEvidencePill.h"
#include "ui/kit/Pill.h"
#include "ui/kit/ReportLicenseBadge.h"
#include "ui/kit/ReportSignatureBadge.h"
#include "ui/kit/StyledButton.h"
#include "ui/kit/TextBlock.h"

#include <QBoxLayout>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTextEdit>
#include <QtTest>

#include <functional>
#include <memory>

Q_DECLARE_METATYPE(InstalledMacApplication)
Q_DECLARE_METATYPE(AppLicenseEvidenceState)
Q_DECLARE_METATYPE(AppLanguage)
Q_DECLARE_METATYPE(BadgeLabel::Colors)
Q_DECLARE_METATYPE(QList<int>)

namespace {

using State = AppLicenseEvidenceState;
using Verification = LicenseEvidenceVerification;

const QString noEvidenceDetail = QStringLiteral("No operating-system license entitlement evidence was collected.");

InstalledMacApplication application(const QString& name)
{
    InstalledMacApplication app;
    app.name = name;
    app.version = QStringLiteral("4.1");
    app.identifier = QStringLiteral("com.example.") + name.simplified().remove(u' ').toLower();
    app.source = QStringLiteral("/Applications");
    app.signatureStatus = QStringLiteral("valid");
    app.teamIdentifier = QStringLiteral("ABCDE12345");
    app.signingIdentifier = app.identifier;
    app.developerName = QStringLiteral("Example Software");
    app.licenseEvidence = AppLicenseEvidence{State::freeOrOpenSource, QStringLiteral("Homebrew"),
                                             QStringLiteral("Open-source licence."), std::nullopt, std::nullopt};
    return app;
}

QList<LicenseEvidenceSignal> signalList(int count)
{
    QList<LicenseEvidenceSignal> signals;
    const Verification kinds[] = {Verification::verified, Verification::structurallyValid, Verification::failed};
    for (int k = 0; k < count; ++k)
        signals.append({QStringLiteral("probe"), QStringLiteral("Contents/_MASReceipt/receipt"), kinds[k % 3],
                        QStringLiteral("Check %1 of the receipt.").arg(k + 1)});
    return signals;
}

InstalledMacApplication withSignals(int count)
{
    InstalledMacApplication app = application(QStringLiteral("Ledger"));
    app.licenseEvidence = AppLicenseEvidence{State::verifiedReceipt, QStringLiteral("Mac App Store receipt"),
                                             QStringLiteral("The receipt is signed and matches the bundle."),
                                             LicenseEvidenceConfidence::verified, signalList(count)};
    return app;
}

QStringList values(const QList<AuditDetailField::Cell>& cells)
{
    QStringList result;
    for (const AuditDetailField::Cell& cell : cells)
        result.append(cell.value);
    return result;
}

// A shown top-level widget at a size, laid out.
void showAt(QWidget& widget, QSize size)
{
    widget.resize(size);
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
    QCoreApplication::processEvents();
}

bool insideWindow(const QWidget* child, const QWidget* window)
{
    const QRect box(child->mapTo(window, QPoint(0, 0)), child->size());
    return child->isVisible() && window->rect().contains(box);
}

} // namespace

class UiAuditViewsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void initial_data();
    void initial();
    void row_data();
    void row();
    void rowButtonsCallTheirActionWithTheRecord();
    void signaturePill_data();
    void signaturePill();
    void licensePill_data();
    void licensePill();
    void signatureBadge_data();
    void signatureBadge();
    void licenseBadge_data();
    void licenseBadge();
    void narrowLabelsShrinkThenElide_data();
    void narrowLabelsShrinkThenElide();
    void licenseBadgeKeepsItsFractionalSize();
    void detailCells();
    void detailTitlesFollowTheLanguage_data();
    void detailTitlesFollowTheLanguage();
    void detailSheetShowsItsCells();
    void detailKeysOnlyDismiss_data();
    void detailKeysOnlyDismiss();
    void fortySignalsKeepCloseInView();
};

void UiAuditViewsTest::initTestCase()
{
    qputenv("TAVRIN_UI_ANIMATIONS", "0");
}

void UiAuditViewsTest::initial_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");
    QTest::newRow("empty") << QString() << "?";
    QTest::newRow("blank") << " \t\n " << "?";
    QTest::newRow("lower case") << "  zalo" << "Z";
    QTest::newRow("sharp s maps to two letters") << QString::fromUtf8("ßeta") << "SS";
    QTest::newRow("combining mark stays with its letter") << QString::fromUtf8("e\u0301clair")
                                                          << QString::fromUtf8("E\u0301");
    QTest::newRow("vietnamese") << QString::fromUtf8("đọc báo") << QString::fromUtf8("Đ");
    QTest::newRow("no case") << QString::fromUtf8("카카오톡") << QString::fromUtf8("카");
    QTest::newRow("outside the basic plane") << QString::fromUtf8("\U0001D400x") << QString::fromUtf8("\U0001D400");
    QTest::newRow("markup") << "<b>x</b>" << "<";
}

void UiAuditViewsTest::initial()
{
    QFETCH(QString, name);
    QFETCH(QString, expected);
    QCOMPARE(InitialTile::initial(name), expected);
}

void UiAuditViewsTest::row_data()
{
    QTest::addColumn<InstalledMacApplication>("record");
    QTest::addColumn<AppLanguage>("language");
    QTest::addColumn<QString>("initial");
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("detected");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("license");

    const QString detected = QStringLiteral("DETECTED");
    const QString free = QStringLiteral("License / key: Free / no key required");

    InstalledMacApplication blank = application(QStringLiteral("   "));
    QTest::newRow("blank name") << blank << AppLanguage(AppLanguage::english) << "?"
                                << "Version 4.1 • Example Software" << detected << "/APPLICATIONS" << free;

    InstalledMacApplication beta = application(QString::fromUtf8("ßeta"));
    beta.source = QStringLiteral("Homebrew formula");
    QTest::newRow("sharp s") << beta << AppLanguage(AppLanguage::english) << "SS"
                             << "Version 4.1 • Example Software" << detected << "HOMEBREW FORMULA" << free;

    InstalledMacApplication noVersion = application(QStringLiteral("Notes"));
    noVersion.version.clear();
    QTest::newRow("empty version") << noVersion << AppLanguage(AppLanguage::english) << "N"
                                   << QString::fromUtf8("Version — • Example Software") << detected
                                   << "/APPLICATIONS" << free;

    InstalledMacApplication vietnamese = application(QStringLiteral("Zalo"));
    vietnamese.source = QStringLiteral("user Applications");
    QTest::newRow("vietnamese") << vietnamese << AppLanguage(AppLanguage::vietnamese) << "Z"
                                << QString::fromUtf8("Phiên bản 4.1 • Example Software")
                                << QString::fromUtf8("ĐÃ PHÁT HIỆN") << "USER APPLICATIONS"
                                << QString::fromUtf8("Bản quyền / key: Miễn phí / không cần key");

    InstalledMacApplication noEvidence = application(QStringLiteral("Viewer"));
    noEvidence.licenseEvidence.reset();
    noEvidence.source = QStringLiteral("Mac App Store");
    QTest::newRow("no evidence") << noEvidence << AppLanguage(AppLanguage::english) << "V"
                                 << "Version 4.1 • Example Software" << detected << "MAC APP STORE"
                                 << "License / key: No local evidence detected";

    InstalledMacApplication longDeveloper = application(QStringLiteral("Suite"));
    longDeveloper.developerName = QStringLiteral("Example Software International, with offices in many countries");
    QTest::newRow("two-line description") << longDeveloper << AppLanguage(AppLanguage::english) << "S"
                                          << "Version 4.1 • " + *longDeveloper.developerName << detected
                                          << "/APPLICATIONS" << free;

    InstalledMacApplication markup = application(QStringLiteral("<b>x</b>"));
    markup.developerName = QStringLiteral("<i>Maker</i>");
    QTest::newRow("markup shown literally") << markup << AppLanguage(AppLanguage::english) << "<"
                                            << "Version 4.1 • <i>Maker</i>" << detected << "/APPLICATIONS" << free;
}

void UiAuditViewsTest::row()
{
    QFETCH(InstalledMacApplication, record);
    QFETCH(AppLanguage, language);
    QFETCH(QString, initial);
    QFETCH(QString, description);
    QFETCH(QString, detected);
    QFETCH(QString, source);
    QFETCH(QString, license);

    AuditApplicationRow row(0, record, AppStrings(language), {});
    showAt(row, QSize(560, row.heightForWidth(560)));

    QCOMPARE(row.findChild<InitialTile*>(QStringLiteral("tile"))->initialText(), initial);
    const auto* name = row.findChild<TextBlock*>(QStringLiteral("name"));
    QCOMPARE(name->text(), record.name);
    const TextBlock::Layout nameLines = name->layout(name->width());
    QCOMPARE(nameLines.lines.size(), 1);
    QCOMPARE(nameLines.lines.first().text, record.name);
    QVERIFY(!nameLines.truncated);
    const auto* descriptionBlock = row.findChild<TextBlock*>(QStringLiteral("description"));
    QCOMPARE(descriptionBlock->text(), description);
    // At most two lines, all of them shown.
    QVERIFY(descriptionBlock->layout(descriptionBlock->width()).lines.size() <= 2);
    QVERIFY(descriptionBlock->height() >= descriptionBlock->heightForWidth(descriptionBlock->width()));
    QCOMPARE(row.findChild<Pill*>(QStringLiteral("detected"))->text(), detected);
    QCOMPARE(row.findChild<Pill*>(QStringLiteral("source"))->text(), source);

    const auto* licensePill = row.findChild<LicenseEvidencePill*>(QStringLiteral("license"));
    QCOMPARE(licensePill->text(), license);
    QCOMPARE(licensePill->colors(), LicenseEvidencePill::colorsFor(MacReportPDF::evidenceOf(record).state));
    QCOMPARE(row.findChild<AuditEvidencePill*>(QStringLiteral("signature"))->colors(),
             AuditEvidencePill::colorsFor(AuditEvidenceState::verified));

    // The fixed columns keep their widths; the card is at least 90 high.
    QCOMPARE(licensePill->width(), AuditApplicationRow::evidenceColumnWidth);
    QCOMPARE(row.findChild<StyledButton*>(QStringLiteral("audit-row-0-details"))->width(),
             AuditApplicationRow::detailsButtonWidth);
    QVERIFY(row.height() >= AuditApplicationRow::minimumRowHeight);
    QCOMPARE(row.findChild<StyledButton*>(QStringLiteral("audit-row-0-details"))->title(),
             language == AppLanguage::vietnamese ? QString::fromUtf8("Chi tiết") : QStringLiteral("Details"));
}

void UiAuditViewsTest::rowButtonsCallTheirActionWithTheRecord()
{
    const InstalledMacApplication first = application(QStringLiteral("Alpha"));
    const InstalledMacApplication second = application(QStringLiteral("Beta"));
    QList<InstalledMacApplication> opened;
    const auto record = [&opened](const InstalledMacApplication& app) { opened.append(app); };

    QWidget list;
    auto* layout = new QVBoxLayout(&list);
    layout->addWidget(new AuditApplicationRow(0, first, AppStrings(), record));
    layout->addWidget(new AuditApplicationRow(1, second, AppStrings(AppLanguage::korean), record));
    showAt(list, QSize(900, 220));

    auto* menu = list.findChild<StyledButton*>(QStringLiteral("audit-row-1-menu"));
    QCOMPARE(menu->toolTip(), QString::fromUtf8("세부 정보"));
    QTest::mouseClick(list.findChild<StyledButton*>(QStringLiteral("audit-row-0-details")), Qt::LeftButton);
    QTest::mouseClick(menu, Qt::LeftButton);
    QTest::mouseClick(list.findChild<StyledButton*>(QStringLiteral("audit-row-0-menu")), Qt::LeftButton);
    list.findChild<StyledButton*>(QStringLiteral("audit-row-1-details"))->click();
    QCOMPARE(opened, (QList<InstalledMacApplication>{first, second, first, second}));
}

void UiAuditViewsTest::signaturePill_data()
{
    QTest::addColumn<QString>("status");
    QTest::addColumn<BadgeLabel::Colors>("colors");
    QTest::addColumn<QString>("label");

    const BadgeLabel::Colors verified{{15, 81, 50}, {232, 248, 239}, {191, 234, 208}};
    const BadgeLabel::Colors review{{138, 75, 8}, {255, 244, 229}, {255, 209, 154}};
    const BadgeLabel::Colors local{{91, 58, 138}, {243, 237, 255}, {216, 199, 245}};
    const BadgeLabel::Colors detected{{21, 93, 166}, {234, 243, 255}, {203, 223, 247}};
    QTest::newRow("valid") << "valid" << verified << "Valid";
    QTest::newRow("invalid") << "invalid" << review << "Invalid";
    QTest::newRow("unsigned") << "unsigned" << review << "No signature";
    QTest::newRow("ad-hoc") << "ad-hoc" << local << "Internal signature";
    QTest::newRow("not-applicable") << "not-applicable" << detected << "Not applicable";
    QTest::newRow("receipt-only") << "receipt-only" << detected << "Not applicable";
    QTest::newRow("capital Valid") << "Valid" << detected << "Unknown";
    QTest::newRow("empty") << "" << detected << "Unknown";
}

void UiAuditViewsTest::signaturePill()
{
    QFETCH(QString, status);
    QFETCH(BadgeLabel::Colors, colors);
    QFETCH(QString, label);
    InstalledMacApplication app = application(QStringLiteral("App"));
    app.signatureStatus = status;
    AuditEvidencePill pill(app.auditEvidenceState(), status, AppStrings());
    QCOMPARE(pill.colors(), colors);
    QCOMPARE(pill.text(), QStringLiteral("Digital signature - App signature: ") + label);
}

void UiAuditViewsTest::licensePill_data()
{
    QTest::addColumn<State>("state");
    QTest::addColumn<BadgeLabel::Colors>("colors");
    QTest::addColumn<QString>("label");

    const BadgeLabel::Colors green{{22, 101, 52}, {220, 252, 231}, {134, 239, 172}};
    const BadgeLabel::Colors blue{{7, 89, 133}, {224, 242, 254}, {125, 211, 252}};
    const BadgeLabel::Colors violet{{91, 58, 138}, {243, 237, 255}, {216, 199, 245}};
    const BadgeLabel::Colors amber{{154, 52, 18}, {255, 237, 213}, {253, 186, 116}};
    const BadgeLabel::Colors grey{{71, 84, 103}, {242, 244, 247}, {208, 213, 221}};
    const BadgeLabel::Colors red{{153, 27, 27}, {254, 226, 226}, {252, 165, 165}};
    QTest::newRow("verifiedReceipt") << State::verifiedReceipt << green << "Verified receipt evidence";
    QTest::newRow("receiptIntegrityVerified") << State::receiptIntegrityVerified << green
                                              << "Receipt integrity verified";
    QTest::newRow("acquisitionReceipt is blue") << State::acquisitionReceipt << blue << "Receipt detected (unverified)";
    QTest::newRow("licenseArtifact") << State::licenseArtifact << green << "License artifact detected";
    QTest::newRow("accountBased") << State::accountBased << blue << "Account / subscription based";
    QTest::newRow("freeOrOpenSource") << State::freeOrOpenSource << blue << "Free / no key required";
    QTest::newRow("installationEvidence") << State::installationEvidence << violet << "Installation evidence only";
    QTest::newRow("needsEntitlementReview") << State::needsEntitlementReview << amber << "Technical review needed";
    QTest::newRow("accessRestricted") << State::accessRestricted << grey << "Could not inspect";
    QTest::newRow("noEvidence") << State::noEvidence << grey << "No local evidence detected";
    QTest::newRow("explicitUnlicensed") << State::explicitUnlicensed << red << "No local key recorded";
}

void UiAuditViewsTest::licensePill()
{
    QFETCH(State, state);
    QFETCH(BadgeLabel::Colors, colors);
    QFETCH(QString, label);
    // The confidence never changes the pill.
    const AppLicenseEvidence evidence{state, QStringLiteral("x"), QStringLiteral("y"),
                                      LicenseEvidenceConfidence::verified, std::nullopt};
    LicenseEvidencePill pill(evidence, AppStrings());
    QCOMPARE(pill.colors(), colors);
    QCOMPARE(pill.text(), QStringLiteral("License / key: ") + label);
}

void UiAuditViewsTest::signatureBadge_data()
{
    QTest::addColumn<QString>("status");
    QTest::addColumn<BadgeLabel::Colors>("colors");
    QTest::addColumn<QString>("label");

    const BadgeLabel::Colors green{{22, 101, 52}, {220, 252, 231}, {}};
    const BadgeLabel::Colors red{{180, 35, 24}, {254, 228, 226}, {}};
    const BadgeLabel::Colors orange{{181, 71, 8}, {255, 234, 213}, {}};
    const BadgeLabel::Colors blue{{23, 92, 211}, {219, 234, 254}, {}};
    QTest::newRow("valid") << "valid" << green << "Valid";
    QTest::newRow("invalid") << "invalid" << red << "Invalid";
    QTest::newRow("unsigned") << "unsigned" << red << "No signature";
    QTest::newRow("ad-hoc") << "ad-hoc" << orange << "Internal signature";
    QTest::newRow("not-applicable") << "not-applicable" << blue << "Not applicable";
    QTest::newRow("receipt-only") << "receipt-only" << blue << "Not applicable";
    QTest::newRow("capital Valid") << "Valid" << blue << "Unknown";
}

void UiAuditViewsTest::signatureBadge()
{
    QFETCH(QString, status);
    QFETCH(BadgeLabel::Colors, colors);
    QFETCH(QString, label);
    ReportSignatureBadge badge(status, AppStrings());
    QCOMPARE(badge.colors(), colors);
    QCOMPARE(badge.text(), label);
}

void UiAuditViewsTest::licenseBadge_data()
{
    QTest::addColumn<std::optional<AppLicenseEvidence>>("evidence");
    QTest::addColumn<BadgeLabel::Colors>("colors");
    QTest::addColumn<QString>("label");

    const auto of = [](State state) {
        return std::optional<AppLicenseEvidence>(AppLicenseEvidence{state, {}, {}, std::nullopt, std::nullopt});
    };
    QTest::newRow("verifiedReceipt") << of(State::verifiedReceipt)
                                     << BadgeLabel::Colors{{22, 101, 52}, {220, 252, 231}, {}}
                                     << "Verified receipt evidence";
    QTest::newRow("acquisitionReceipt") << of(State::acquisitionReceipt)
                                        << BadgeLabel::Colors{{7, 89, 133}, {224, 242, 254}, {}}
                                        << "Receipt detected (unverified)";
    QTest::newRow("installationEvidence") << of(State::installationEvidence)
                                          << BadgeLabel::Colors{{91, 58, 138}, {243, 237, 255}, {}}
                                          << "Installation evidence only";
    QTest::newRow("needsEntitlementReview") << of(State::needsEntitlementReview)
                                            << BadgeLabel::Colors{{154, 52, 18}, {255, 237, 213}, {}}
                                            << "Technical review needed";
    QTest::newRow("accessRestricted") << of(State::accessRestricted)
                                      << BadgeLabel::Colors{{71, 84, 103}, {242, 244, 247}, {}} << "Could not inspect";
    QTest::newRow("without evidence") << std::optional<AppLicenseEvidence>()
                                      << BadgeLabel::Colors{{71, 84, 103}, {242, 244, 247}, {}}
                                      << "No local evidence detected";
    QTest::newRow("explicitUnlicensed") << of(State::explicitUnlicensed)
                                        << BadgeLabel::Colors{{153, 27, 27}, {254, 226, 226}, {}}
                                        << "No local key recorded";
}

void UiAuditViewsTest::licenseBadge()
{
    QFETCH(std::optional<AppLicenseEvidence>, evidence);
    QFETCH(BadgeLabel::Colors, colors);
    QFETCH(QString, label);
    InstalledMacApplication app = application(QStringLiteral("App"));
    app.licenseEvidence = evidence;
    ReportLicenseBadge badge(MacReportPDF::evidenceOf(app), AppStrings());
    QCOMPARE(badge.colors(), colors);
    QCOMPARE(badge.text(), label);
}

void UiAuditViewsTest::narrowLabelsShrinkThenElide_data()
{
    using Make = std::function<BadgeLabel*()>;
    QTest::addColumn<Make>("make");
    QTest::addColumn<double>("minimumScale");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("inset"); // of the text on either side

    const AppStrings vietnamese(AppLanguage::vietnamese);
    const AppLicenseEvidence review{State::needsEntitlementReview, {}, {}, std::nullopt, std::nullopt};
    QTest::newRow("signature pill") << Make([=] {
        return new AuditEvidencePill(AuditEvidenceState::detected, QStringLiteral("not-applicable"), vietnamese);
    }) << 0.68 << 28 << 1;
    QTest::newRow("licence pill") << Make([=] { return new LicenseEvidencePill(review, vietnamese); }) << 0.62 << 28
                                  << 1;
    QTest::newRow("signature badge") << Make([=] {
        return new ReportSignatureBadge(QStringLiteral("unsigned"), vietnamese);
    }) << 0.62 << 20 << 7;
    QTest::newRow("licence badge") << Make([=] { return new ReportLicenseBadge(review, vietnamese); }) << 0.62 << 20
                                   << 6;
}

void UiAuditViewsTest::narrowLabelsShrinkThenElide()
{
    QFETCH(std::function<BadgeLabel*()>, make);
    QFETCH(double, minimumScale);
    QFETCH(int, height);
    QFETCH(int, inset);

    std::unique_ptr<BadgeLabel> label(make());
    label->show();
    const int natural = label->sizeHint().width() - 2 * inset;
    QVERIFY(natural > 40);
    QCOMPARE(label->sizeHint().height(), height);

    const auto at = [&](int textWidth) {
        label->resize(textWidth + 2 * inset, label->sizeHint().height());
        return label->label()->layout(label->label()->width());
    };
    const TextBlock::Layout wide = at(natural + 10);
    QCOMPARE(wide.scale, 1.0);
    QVERIFY(!wide.truncated);

    // A little too narrow: the whole text, smaller.
    const double fits = (1.0 + minimumScale) / 2;
    const TextBlock::Layout shrunk = at(int(natural * fits));
    QVERIFY2(shrunk.scale < 1.0 && shrunk.scale > minimumScale, qPrintable(QString::number(shrunk.scale)));
    QVERIFY(!shrunk.truncated);
    QCOMPARE(shrunk.lines.size(), 1);
    QCOMPARE(shrunk.lines.first().text, label->text());

    // Far too narrow: at the smallest scale, then cut, still one line.
    const TextBlock::Layout cut = at(natural / 3);
    QCOMPARE(cut.scale, minimumScale);
    QVERIFY(cut.truncated);
    QCOMPARE(cut.lines.size(), 1);
    QVERIFY(cut.lines.first().text.endsWith(QChar(0x2026)));
    QVERIFY(cut.lines.first().rect.width() <= natural / 3 + 0.5);
    QCOMPARE(label->height(), height);
}

void UiAuditViewsTest::licenseBadgeKeepsItsFractionalSize()
{
    const AppLicenseEvidence evidence{State::receiptIntegrityVerified, {}, {}, std::nullopt, std::nullopt};
    ReportLicenseBadge badge(evidence, AppStrings());
    const TextBlock* text = badge.label();
    QCOMPARE(text->fontSpec().pixelSize, 8.5);
    const auto naturalAt = [&](double size) {
        TextBlock probe(text->text(), {size, QFont::Bold, Design::FontDesign::rounded}, Qt::black);
        probe.setMaximumLines(1);
        return probe.layout(1e6).lines.first().rect.width();
    };
    const double shown = text->layout(1e6).lines.first().rect.width();
    QCOMPARE(shown, naturalAt(8.5));
    QVERIFY2(qAbs(shown / naturalAt(10) - 0.85) < 0.02, qPrintable(QString::number(shown / naturalAt(10))));
}

void UiAuditViewsTest::detailCells()
{
    const AppStrings english;

    // Three signals: twelve cells, the last one three lines.
    const QList<AuditDetailField::Cell> signalled = AuditApplicationDetailView::cells(withSignals(3), english);
    QCOMPARE(signalled.size(), 12);
    QCOMPARE(signalled.at(11).title, QStringLiteral("Collected technical signals"));
    QCOMPARE(signalled.at(11).value,
             QString::fromUtf8("• [verified] Contents/_MASReceipt/receipt: Check 1 of the receipt.\n"
                               "• [structurallyValid] Contents/_MASReceipt/receipt: Check 2 of the receipt.\n"
                               "• [failed] Contents/_MASReceipt/receipt: Check 3 of the receipt."));
    QCOMPARE(signalled.at(10).value, QStringLiteral("Verified"));

    // No evidence: the no-evidence record and no signals cell.
    InstalledMacApplication bare = application(QStringLiteral("Viewer"));
    bare.licenseEvidence.reset();
    const QList<AuditDetailField::Cell> none = AuditApplicationDetailView::cells(bare, english);
    QCOMPARE(values(none),
             (QStringList{"4.1", "/Applications", "com.example.viewer", "Example Software", "valid", "ABCDE12345",
                          "com.example.viewer", "No local evidence detected", "none", noEvidenceDetail,
                          "Not established"}));
    QCOMPARE(none.at(8).title, QStringLiteral("Key detection source"));
    QVERIFY(none.at(8).monospaced);

    // Empty texts read "—"; a licence artifact without a confidence shows the
    // one its state implies; an empty signals list adds no cell.
    InstalledMacApplication empty;
    empty.developerName = QStringLiteral("Example Software");
    empty.licenseEvidence = AppLicenseEvidence{State::licenseArtifact, {}, {}, std::nullopt,
                                               QList<LicenseEvidenceSignal>{}};
    const QString dash = QString::fromUtf8("—");
    QCOMPARE(values(AuditApplicationDetailView::cells(empty, english)),
             (QStringList{dash, dash, dash, "Example Software", dash, dash, dash, "License artifact detected", dash,
                          dash, "Strong local evidence"}));

    const QList<bool> monospaced{false, false, true, false, false, true, true, false, true, false, false, false};
    for (qsizetype k = 0; k < signalled.size(); ++k)
        QCOMPARE(signalled.at(k).monospaced, monospaced.at(k));
}

void UiAuditViewsTest::detailTitlesFollowTheLanguage_data()
{
    QTest::addColumn<AppLanguage>("language");
    QTest::addColumn<QStringList>("titles");
    QTest::newRow("english") << AppLanguage(AppLanguage::english)
                             << QStringList{"Version", "Source", "Bundle / package ID", "Vendor / project",
                                            "Digital signature - App signature", "Team ID", "Signing identifier",
                                            "License / key", "Key detection source", "Key detection detail",
                                            "Evidence confidence", "Collected technical signals"};
    QTest::newRow("vietnamese keeps two english titles")
        << AppLanguage(AppLanguage::vietnamese)
        << QString::fromUtf8("Phiên bản|Nguồn|Bundle / package ID|Đơn vị / dự án|Chữ ký số - Chữ ký App|Team ID|"
                             "Signing identifier|Bản quyền / key|Nguồn phát hiện key|Chi tiết phát hiện key|"
                             "Độ tin cậy bằng chứng|Tín hiệu kỹ thuật đã thu thập")
               .split(u'|');
    QTest::newRow("korean") << AppLanguage(AppLanguage::korean)
                            << QString::fromUtf8("버전|소스|번들 / 패키지 ID|개발사 / 프로젝트|디지털 서명 - 앱 서명|"
                                                 "Team ID|서명 식별자|라이선스 / 키|키 감지 출처|키 감지 세부 정보|"
                                                 "증거 신뢰도|수집된 기술 신호")
                                   .split(u'|');
    QTest::newRow("japanese") << AppLanguage(AppLanguage::japanese)
                              << QString::fromUtf8("バージョン|入手元|Bundle / package ID|提供元／プロジェクト|"
                                                   "デジタル署名 - App署名|Team ID|署名識別子|ライセンス／キー|"
                                                   "キー検出元|キー検出の詳細|証跡の信頼度|収集した技術信号")
                                     .split(u'|');
    QTest::newRow("chinese") << AppLanguage(AppLanguage::chinese)
                             << QString::fromUtf8("版本|来源|Bundle / package ID|厂商/项目|数字签名 - App 签名|"
                                                  "Team ID|签名标识符|许可证/密钥|密钥检测来源|密钥检测详情|"
                                                  "证据置信度|已收集的技术信号")
                                    .split(u'|');
}

void UiAuditViewsTest::detailTitlesFollowTheLanguage()
{
    QFETCH(AppLanguage, language);
    QFETCH(QStringList, titles);
    QStringList shown;
    for (const AuditDetailField::Cell& cell : AuditApplicationDetailView::cells(withSignals(1), AppStrings(language)))
        shown.append(cell.title);
    QCOMPARE(shown, titles);
}

void UiAuditViewsTest::detailSheetShowsItsCells()
{
    InstalledMacApplication record = withSignals(3);
    record.name = QStringLiteral("<b>Ledger</b>");
    AuditApplicationDetailView sheet(record, AppStrings());
    showAt(sheet, sheet.size());
    QCOMPARE(sheet.size(), QSize(760, 620));

    QList<AuditDetailField::Cell> shown;
    const QList<AuditDetailField*> fields = sheet.findChildren<AuditDetailField*>();
    for (const AuditDetailField* field : fields)
        shown.append(field->cell());
    QCOMPARE(shown, AuditApplicationDetailView::cells(record, AppStrings()));

    // Each value is plain text, wholly shown: the three signals take three
    // lines and nothing is cut off.
    for (const AuditDetailField* field : fields) {
        const QTextEdit* value = field->valueView();
        QCOMPARE(value->toPlainText(), field->cell().value);
        QVERIFY(value->isReadOnly());
        QVERIFY(value->height() >= value->heightForWidth(value->width()));
        // Identifiers are set in a fixed-pitch face.
        QCOMPARE(drawsEvenAdvances(value->font()), field->cell().monospaced);
    }
    // The rows of the grid are as tall as their cells, no taller.
    const QWidget* grid = sheet.findChild<QScrollArea*>(QStringLiteral("fields-scroll"))->widget();
    QCOMPARE(grid->height(), grid->heightForWidth(grid->width()));
    QCOMPARE(fields.last()->valueView()->document()->blockCount(), 3);
    QCOMPARE(sheet.findChild<TextBlock*>(QStringLiteral("name"))->text(), record.name);
    QCOMPARE(sheet.findChild<InitialTile*>()->initialText(), QStringLiteral("<"));
    QCOMPARE(sheet.findChild<LicenseEvidencePill*>()->text(), QStringLiteral("License / key: Verified receipt evidence"));

    // The record is the one the sheet opened with.
    QCOMPARE(sheet.application(), record);
}

void UiAuditViewsTest::detailKeysOnlyDismiss_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("focusInField");
    QTest::newRow("escape") << int(Qt::Key_Escape) << false;
    QTest::newRow("return") << int(Qt::Key_Return) << false;
    QTest::newRow("enter") << int(Qt::Key_Enter) << false;
    QTest::newRow("return in a field") << int(Qt::Key_Return) << true;
    QTest::newRow("escape in a field") << int(Qt::Key_Escape) << true;
}

void UiAuditViewsTest::detailKeysOnlyDismiss()
{
    QFETCH(int, key);
    QFETCH(bool, focusInField);

    QWidget window;
    showAt(window, QSize(1120, 760));
    auto* sheet = new AuditApplicationDetailView(application(QStringLiteral("Notes")), AppStrings(), &window);
    QSignalSpy finished(sheet, &QDialog::finished);
    sheet->open();
    QVERIFY(QTest::qWaitForWindowExposed(sheet));

    auto* close = sheet->findChild<QPushButton*>(QStringLiteral("audit-detail-close"));
    QVERIFY(close->isDefault());
    QVERIFY(!close->autoDefault());
    QCOMPARE(sheet->findChildren<QPushButton*>().size(), 1);
    QCOMPARE(close->text(), QStringLiteral("Close"));
    QCOMPARE(sheet->findChild<StyledButton*>(QStringLiteral("audit-detail-xmark"))->toolTip(),
             QStringLiteral("Close"));

    QWidget* target = sheet;
    if (focusInField) {
        auto* value = const_cast<QTextEdit*>(sheet->findChildren<AuditDetailField*>().first()->valueView());
        value->setFocus();
        target = value;
    }
    QTest::keyClick(target, Qt::Key(key));
    QCOMPARE(finished.size(), 1);
    QCOMPARE(finished.first().first().toInt(), int(QDialog::Rejected));
    QVERIFY(!sheet->isVisible());
}

void UiAuditViewsTest::fortySignalsKeepCloseInView()
{
    AuditApplicationDetailView sheet(withSignals(40), AppStrings(AppLanguage::vietnamese));
    showAt(sheet, sheet.size());

    QVERIFY(insideWindow(sheet.findChild<QPushButton*>(QStringLiteral("audit-detail-close")), &sheet));
    QVERIFY(insideWindow(sheet.findChild<StyledButton*>(QStringLiteral("audit-detail-xmark")), &sheet));
    QVERIFY(insideWindow(sheet.findChild<QWidget*>(QStringLiteral("notices")), &sheet));

    // The grid scrolls, and its last line can be reached.
    auto* scroll = sheet.findChild<QScrollArea*>(QStringLiteral("fields-scroll"));
    QVERIFY(scroll->verticalScrollBar()->maximum() > 0);
    QCOMPARE(scroll->widget()->height(), scroll->widget()->heightForWidth(scroll->widget()->width()));
    const AuditDetailField* signals = sheet.findChildren<AuditDetailField*>().last();
    QCOMPARE(signals->valueView()->document()->blockCount(), 40);
    QVERIFY(signals->valueView()->height() >= signals->valueView()->heightForWidth(signals->valueView()->width()));
    scroll->verticalScrollBar()->setValue(scroll->verticalScrollBar()->maximum());
    const QPoint bottom = signals->mapTo(scroll->viewport(), QPoint(0, signals->height()));
    QVERIFY2(bottom.y() <= scroll->viewport()->height(), qPrintable(QString::number(bottom.y())));
}

QTEST_MAIN(UiAuditViewsTest)
#include "tst_ui_audit_views.moc"
