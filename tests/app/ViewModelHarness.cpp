#include "ViewModelHarness.h"

#include "app/BackgroundTasks.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonObject>
#include <QtGlobal>

namespace {

constexpr int drainMilliseconds = 60000;

} // namespace

ViewModelHarness::ViewModelHarness() = default;

ViewModelHarness::~ViewModelHarness()
{
    releaseAndSettle();
    destroyModel();
    settle();
}

DevivuKitViewModel::Dependencies ViewModelHarness::dependencies() const
{
    DevivuKitViewModel::Dependencies dependencies;
    dependencies.engine = FakeEngine::factory(engine);
    dependencies.cloud = FakeCloud::factory(cloud);
    dependencies.settings = settings;
    dependencies.desktop = desktop;
    dependencies.pdfWriter = pdfWriter;
    dependencies.clock = clock;
    dependencies.scheduler = scheduler;
    return dependencies;
}

QStringList ViewModelHarness::ids(const QList<AppItem>& items)
{
    QStringList found;
    for (const AppItem& item : items)
        found.append(item.id);
    return found;
}

void ViewModelHarness::limitCatalog(const QStringList& ids)
{
    const QJsonObject policy{{QStringLiteral("allowed_item_ids"), QJsonArray::fromStringList(ids)}};
    cloud->setCachedBusinessPolicyRows({QJsonObject{{QStringLiteral("policy"), policy}}});
}

DevivuKitViewModel& ViewModelHarness::startSettled()
{
    DevivuKitViewModel& model = start();
    settle();
    return model;
}

DevivuKitViewModel& ViewModelHarness::start()
{
    return start(dependencies());
}

DevivuKitViewModel& ViewModelHarness::start(DevivuKitViewModel::Dependencies dependencies)
{
    if (!m_model)
        m_model = std::make_unique<DevivuKitViewModel>(std::move(dependencies));
    return *m_model;
}

void ViewModelHarness::destroyModel()
{
    m_model.reset();
}

bool ViewModelHarness::settle()
{
    // A delivered result may start another job: go on until a round finds
    // the pool idle both before and after delivering.
    for (int round = 0; round < 100; ++round) {
        if (!BackgroundTasks::waitForIdle(drainMilliseconds)) {
            qWarning("background jobs still running");
            return false;
        }
        QCoreApplication::sendPostedEvents();
        if (!BackgroundTasks::isBusy()) {
            QCoreApplication::sendPostedEvents();
            if (!BackgroundTasks::isBusy())
                return true;
        }
    }
    return false;
}

bool ViewModelHarness::releaseAndSettle()
{
    engine->releaseAll();
    cloud->releaseAll();
    return settle();
}
