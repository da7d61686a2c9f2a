// The catalog entry row and its pills: what each status shows, which
// controls act, and how a press reaches the owner.

#include "CatalogEntry.h"
#include "ui/catalog/AppItemRow.h"
#include "ui/kit/Design.h"
#include "ui/kit/GroupPill.h"
#include "ui/kit/LinearProgressIndicator.h"
#include "ui/kit/SourcePill.h"
#include "ui/kit/StatusPill.h"
#include "ui/kit/StyledButton.h"
#include "ui/kit/TextBlock.h"

#include <QSignalSpy>
#include <QtTest>

#include <optional>

using State = AppItemRow::State;

namespace {

State state(InstallStatus status, bool busy = false, std::optional<double> progress = std::nullopt,
            std::optional<QString> progressText = std::nullopt, AppLanguage language = AppLanguage::english)
{
    State value;
    value.status = status;
    value.isGlobalBusy = busy;
    value.itemProgress = progress;
    value.itemProgressText = progressText;
    value.strings = AppStrings(language);
    return value;
}

QStringList texts(const QList<GroupPill*>& pills)
{
    QStringList result;
    for (const GroupPill* pill : pills)
        result.append(pill->text());
    return result;
}

QStringList texts(const QList<SourcePill*>& pills)
{
    QStringList result;
    for (const SourcePill* pill : pills)
        result.append(pill->text());
    return result;
}

} // namespace

class UiCatalogRowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void statusTable_data();
    void statusTable();
    void controlsNeverOverlap_data();
    void controlsNeverOverlap();
    void primaryActsAtMouseDownOnce();
    void trashAndDetailsRequest();
    void progressWithoutTextReadsZero();
    void pills_data();
    void pills();
    void statusPillKeepsItsSize();
    void updatedInPlace();
};

void UiCatalogRowTest::statusTable_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("busy");
    QTest::addColumn<std::optional<double>>("progress");
    QTest::addColumn<std::optional<QString>>("progressText");
    QTest::addColumn<QString>("label");
    QTest::addColumn<bool>("filled");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("trash");
    QTest::addColumn<QString>("pill");
    QTest::addColumn<bool>("progressLine");

    using Progress = std::optional<double>;
    using Text = std::optional<QString>;
    const auto s = [](InstallStatus status) { return int(status); };

    QTest::newRow("missing") << "vlc" << s(InstallStatus::missing) << false << Progress() << Text() << "Install"
                             << true << true << false << "● Missing" << false;
    QTest::newRow("missing, busy") << "vlc" << s(InstallStatus::missing) << true << Progress() << Text()
                                   << "Install" << true << false << false << "● Missing" << false;
    QTest::newRow("installed cask with app paths") << "vlc" << s(InstallStatus::installed) << false << Progress()
                                                   << Text() << "Open" << false << true << true << "● Installed"
                                                   << false;
    QTest::newRow("installed cask without app paths")
        << "devivu-fonts" << s(InstallStatus::installed) << false << Progress() << Text() << "Details" << false
        << true << true << "● Installed" << false;
    QTest::newRow("installed builtin") << "ibus-unikey" << s(InstallStatus::installed) << false << Progress()
                                       << Text() << "Open" << false << true << false << "● Installed" << false;
    QTest::newRow("installed mime") << "onlyoffice-mime" << s(InstallStatus::installed) << false << Progress()
                                    << Text() << "Details" << false << true << true << "● Installed" << false;
    QTest::newRow("installed shortcut") << "microsoft-365" << s(InstallStatus::installed) << false << Progress()
                                        << Text() << "Open" << false << true << true << "● Installed" << false;
    QTest::newRow("installed, busy") << "vlc" << s(InstallStatus::installed) << true << Progress() << Text()
                                     << "Open" << false << false << true << "● Installed" << false;
    QTest::newRow("working, active item") << "vlc" << s(InstallStatus::working) << true << Progress(0.42)
                                          << Text("42%") << "Working" << false << false << false << "● 42%"
                                          << true;
    QTest::newRow("working, not the active item") << "gimp" << s(InstallStatus::working) << true << Progress()
                                                  << Text() << "Working" << false << false << false
                                                  << "● Installing" << false;
    QTest::newRow("working, idle window") << "gimp" << s(InstallStatus::working) << false << Progress() << Text()
                                          << "Working" << false << false << false << "● Installing" << false;
    QTest::newRow("failed") << "vlc" << s(InstallStatus::failed) << false << Progress() << Text() << "Retry"
                            << true << true << false << "● Failed" << false;
    // An entry that finished but is still the active item shows no progress.
    QTest::newRow("failed, still active") << "vlc" << s(InstallStatus::failed) << false << Progress(1.0)
                                          << Text("100%") << "Retry" << true << true << false << "● Failed"
                                          << false;
    QTest::newRow("blocked") << "deja-dup" << s(InstallStatus::blocked) << false << Progress() << Text()
                             << "Details" << false << true << false << "● Unsupported" << false;
}

void UiCatalogRowTest::statusTable()
{
    QFETCH(QString, id);
    QFETCH(int, status);
    QFETCH(bool, busy);
    QFETCH(std::optional<double>, progress);
    QFETCH(std::optional<QString>, progressText);
    QFETCH(QString, label);
    QFETCH(bool, filled);
    QFETCH(bool, enabled);
    QFETCH(bool, trash);
    QFETCH(QString, pill);
    QFETCH(bool, progressLine);

    AppItemRow row(catalogEntry(id), state(InstallStatus(status), busy, progress, progressText));

    StyledButton* primary = row.primaryButton();
    QCOMPARE(primary->objectName(), QStringLiteral("install-") + id);
    QCOMPARE(row.findChild<StyledButton*>(QStringLiteral("install-") + id), primary);
    QCOMPARE(primary->title(), label);
    QCOMPARE(primary->trigger(), StyledButton::Trigger::mouseDown);
    QCOMPARE(primary->size(), QSize(92, 34));
    QCOMPARE(primary->buttonStyle().fill, filled ? Design::primary : Design::card);
    QCOMPARE(primary->buttonStyle().foreground, filled ? QColor(Qt::white) : Design::primary);
    QCOMPARE(primary->isEnabled(), enabled);
    QCOMPARE(primary->buttonStyle().disabledOpacity, 0.55);

    QCOMPARE(row.trashButton()->objectName(), QStringLiteral("trash-") + id);
    QCOMPARE(row.trashButton()->isVisibleTo(&row), trash);
    QCOMPARE(row.trashButton()->isEnabled(), !busy);
    QCOMPARE(row.detailsButton()->objectName(), QStringLiteral("details-") + id);
    QVERIFY(row.detailsButton()->isVisibleTo(&row));
    QVERIFY(row.detailsButton()->isEnabled());

    QCOMPARE(row.statusPill()->text(), pill);
    QCOMPARE(row.statusPill()->status(), InstallStatus(status));
    QCOMPARE(row.progressLine()->isVisibleTo(&row), progressLine);
    if (progressLine) {
        QCOMPARE(row.progressIndicator()->fraction(), *progress);
        QCOMPARE(row.progressText()->text(), *progressText);
    }
}

void UiCatalogRowTest::controlsNeverOverlap_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("slot");
    QTest::newRow("without trash") << int(InstallStatus::missing) << 248;
    QTest::newRow("with trash") << int(InstallStatus::installed) << 276;
}

void UiCatalogRowTest::controlsNeverOverlap()
{
    QFETCH(int, status);
    QFETCH(int, slot);

    AppItemRow row(catalogEntry(QStringLiteral("libreoffice")), state(InstallStatus(status)));
    row.resize(760, row.heightForWidth(760));
    row.show();
    QVERIFY(QTest::qWaitForWindowExposed(&row));

    QList<QWidget*> controls{row.statusPill(), row.primaryButton()};
    if (row.trashButton()->isVisible())
        controls.append(row.trashButton());
    controls.append(row.detailsButton());
    const QWidget* slotWidget = row.statusPill()->parentWidget();
    QCOMPARE(slotWidget->width(), slot);
    // Left to right, 8 apart, the last one at the row's trailing padding.
    for (qsizetype i = 1; i < controls.size(); ++i) {
        const QRect before = controls[i - 1]->geometry();
        QCOMPARE(controls[i]->geometry().left(), before.right() + 1 + 8);
    }
    QCOMPARE(row.detailsButton()->mapTo(&row, QPoint(row.detailsButton()->width(), 0)).x(), row.width() - 14);
    // The information column ends before the slot.
    QVERIFY(row.descriptionText()->mapTo(&row, QPoint(row.descriptionText()->width(), 0)).x()
            <= slotWidget->geometry().left());
}

void UiCatalogRowTest::primaryActsAtMouseDownOnce()
{
    AppItemRow row(catalogEntry(QStringLiteral("vlc")), state(InstallStatus::missing));
    row.resize(900, row.heightForWidth(900));
    row.show();
    QVERIFY(QTest::qWaitForWindowExposed(&row));
    QSignalSpy installs(&row, &AppItemRow::installRequested);
    StyledButton* primary = row.primaryButton();

    QTest::mousePress(primary, Qt::LeftButton);
    QCOMPARE(installs.count(), 1);
    QTest::mouseRelease(primary, Qt::LeftButton);
    QCOMPARE(installs.count(), 1);

    primary->setFocus();
    QTest::keyClick(primary, Qt::Key_Space);
    QCOMPARE(installs.count(), 2);

    row.setState(state(InstallStatus::missing, true));
    QTest::mouseClick(primary, Qt::LeftButton);
    QTest::keyClick(primary, Qt::Key_Space);
    primary->click();
    QCOMPARE(installs.count(), 2);
}

void UiCatalogRowTest::trashAndDetailsRequest()
{
    AppItemRow row(catalogEntry(QStringLiteral("vlc")), state(InstallStatus::installed));
    row.resize(900, row.heightForWidth(900));
    row.show();
    QVERIFY(QTest::qWaitForWindowExposed(&row));
    QSignalSpy installs(&row, &AppItemRow::installRequested);
    QSignalSpy removals(&row, &AppItemRow::removeRequested);
    QSignalSpy details(&row, &AppItemRow::detailRequested);

    QTest::mouseClick(row.trashButton(), Qt::LeftButton);
    QTest::mouseClick(row.detailsButton(), Qt::LeftButton);
    QCOMPARE(removals.count(), 1);
    QCOMPARE(details.count(), 1);
    QCOMPARE(installs.count(), 0);
    QCOMPARE(row.trashButton()->toolTip(), QStringLiteral("Remove"));
    QCOMPARE(row.detailsButton()->toolTip(), QStringLiteral("Details"));

    // Busy: the trash button is dead, the details button is not.
    row.setState(state(InstallStatus::installed, true));
    QTest::mouseClick(row.trashButton(), Qt::LeftButton);
    QTest::mouseClick(row.detailsButton(), Qt::LeftButton);
    QCOMPARE(removals.count(), 1);
    QCOMPARE(details.count(), 2);
}

void UiCatalogRowTest::progressWithoutTextReadsZero()
{
    AppItemRow row(catalogEntry(QStringLiteral("vlc")), state(InstallStatus::working, true, 0.3));
    QVERIFY(row.progressLine()->isVisibleTo(&row));
    QCOMPARE(row.progressText()->text(), QStringLiteral("0%"));
    QCOMPARE(row.progressIndicator()->fraction(), 0.3);
    QCOMPARE(row.statusPill()->text(), QStringLiteral("● Installing"));
}

void UiCatalogRowTest::pills_data()
{
    QTest::addColumn<AppItem>("item");
    QTest::addColumn<QStringList>("groups");
    QTest::addColumn<QStringList>("sources");

    QTest::newRow("cask with one package") << catalogEntry(QStringLiteral("vlc")) << QStringList{"Media Tools"}
                                           << QStringList{"Cask", "vlc"};
    QTest::newRow("no packages") << catalogEntry(QStringLiteral("thunderbird")) << QStringList{"Devivu Basic"}
                                 << QStringList{"Official DMG"};
    QTest::newRow("extra group") << catalogEntry(QStringLiteral("pdfarranger"))
                                 << QStringList{"Devivu Basic", "Print/Scan/PDF"}
                                 << QStringList{"Cask", "pdfsam-basic"};
    QTest::newRow("many packages") << catalogEntry(QStringLiteral("devivu-fonts")) << QStringList{"Devivu Basic"}
                                   << QStringList{"Cask", "8 packages"};
    AppItem overlaid = catalogEntry(QStringLiteral("archive-tools"));
    overlaid.extraGroups = {QStringLiteral("meeting"), QStringLiteral("lab"), QStringLiteral("Devivu")};
    QTest::newRow("extra groups in stored order, unknown ids as they are")
        << overlaid << QStringList{"Devivu Basic", "Meeting & Chat", "lab", "Devivu"}
        << QStringList{"Bundle", "formula:p7zip, cask:keka"};
}

void UiCatalogRowTest::pills()
{
    QFETCH(AppItem, item);
    QFETCH(QStringList, groups);
    QFETCH(QStringList, sources);

    AppItemRow row(item, state(InstallStatus::missing));
    QCOMPARE(texts(row.groupPills()), groups);
    QCOMPARE(texts(row.sourcePills()), sources);
    for (const GroupPill* pill : row.groupPills()) {
        QCOMPARE(pill->foreground(), GroupPill::foregroundOf(pill->groupID()));
        QCOMPARE(pill->sizeHint().height(), 22);
    }
    for (const SourcePill* pill : row.sourcePills()) {
        QCOMPARE(pill->foreground(), QColor(28, 91, 156));
        QCOMPARE(pill->background(), QColor(232, 242, 255));
    }
}

void UiCatalogRowTest::statusPillKeepsItsSize()
{
    // Group colours by exact id; anything else is muted.
    QCOMPARE(GroupPill::foregroundOf(QStringLiteral("devivu")), QColor(138, 67, 11));
    QCOMPARE(GroupPill::backgroundOf(QStringLiteral("media")), QColor(220, 252, 231));
    QCOMPARE(GroupPill::foregroundOf(QStringLiteral("Devivu")), Design::mutedText);
    QCOMPARE(GroupPill::backgroundOf(QStringLiteral("lab")), QColor(248, 250, 252));

    StatusPill pill(InstallStatus::working, QStringLiteral("100%"), AppStrings());
    QCOMPARE(pill.size(), QSize(104, 32));
    QCOMPARE(StatusPill::colors(InstallStatus::working).background, QColor(207, 226, 255));
    pill.setStatus(InstallStatus::failed, std::nullopt, AppStrings(AppLanguage::japanese));
    QCOMPARE(pill.size(), QSize(104, 32));
    QCOMPARE(pill.text(), AppStrings(AppLanguage::japanese).statusText(InstallStatus::failed));
}

void UiCatalogRowTest::updatedInPlace()
{
    const AppItem vlc = catalogEntry(QStringLiteral("vlc"));
    AppItemRow row(vlc, state(InstallStatus::missing));
    StyledButton* primary = row.primaryButton();
    GroupPill* group = row.groupPills().constFirst();

    row.setState(state(InstallStatus::installed, false, std::nullopt, std::nullopt, AppLanguage::korean));
    const AppStrings korean(AppLanguage::korean);
    QCOMPARE(row.primaryButton(), primary);
    QCOMPARE(row.groupPills().constFirst(), group);
    QCOMPARE(primary->title(), korean.primaryActionLabel(InstallStatus::installed, vlc));
    QCOMPARE(group->text(), korean.groupLabel(QStringLiteral("media")));
    QCOMPARE(row.descriptionText()->text(), korean.itemDescription(vlc));
    QVERIFY(row.trashButton()->isVisibleTo(&row));

    AppItem changed = vlc;
    changed.packages = {QStringLiteral("vlc"), QStringLiteral("vlc-extras")};
    row.setItem(changed);
    QCOMPARE(row.primaryButton(), primary);
    QCOMPARE(texts(row.sourcePills()).constLast(), QStringLiteral("vlc, vlc-extras"));
}

QTEST_MAIN(UiCatalogRowTest)
#include "tst_ui_catalog_row.moc"
