#pragma once

#include "FakeCloud.h"
#include "FakeDesktop.h"
#include "FakeEngine.h"
#include "FakePdfWriter.h"
#include "FixedClock.h"
#include "ManualScheduler.h"
#include "MemorySettings.h"
#include "ViewModelTestEnvironment.h"
#include "app/DevivuKitViewModel.h"

#include <memory>

// One view model over fakes, in the folders of a ViewModelTestEnvironment.
// Script the fakes, then start() the model. When the harness goes (also when
// a test stops half-way) every gate is released, the background jobs are
// drained and the model is destroyed, so no job outlives the test.
class ViewModelHarness {
public:
    // How long a test waits for background work (QTRY_*_WITH_TIMEOUT, gates).
    static constexpr int waitMilliseconds = 20000;

    ViewModelHarness();
    ~ViewModelHarness();
    ViewModelHarness(const ViewModelHarness&) = delete;
    ViewModelHarness& operator=(const ViewModelHarness&) = delete;

    // The fakes, each handed to the model by dependencies().
    DevivuKitViewModel::Dependencies dependencies() const;

    // The ids of the entries, in order.
    static QStringList ids(const QList<AppItem>& items);

    // Makes the working catalog the compiled-in entries with these ids, by a
    // cached business policy that allows only them. Call before start().
    void limitCatalog(const QStringList& ids);

    // Creates the model (once) from dependencies().
    DevivuKitViewModel& start();
    // start(), then settle() the start-up work.
    DevivuKitViewModel& startSettled();
    // Creates the model from the given services.
    DevivuKitViewModel& start(DevivuKitViewModel::Dependencies dependencies);
    DevivuKitViewModel* model() const { return m_model.get(); }
    void destroyModel();

    // Waits until no background job runs and everything they posted has
    // been delivered; false when the jobs did not end in time.
    bool settle();
    // Releases every gate of both fakes, then settles.
    bool releaseAndSettle();

    ViewModelTestEnvironment environment;
    const std::shared_ptr<FakeEngine> engine = std::make_shared<FakeEngine>();
    const std::shared_ptr<FakeCloud> cloud = std::make_shared<FakeCloud>();
    const std::shared_ptr<MemorySettings> settings = std::make_shared<MemorySettings>();
    const std::shared_ptr<FakeDesktop> desktop = std::make_shared<FakeDesktop>();
    const std::shared_ptr<FakePdfWriter> pdfWriter = std::make_shared<FakePdfWriter>();
    const std::shared_ptr<FixedClock> clock = std::make_shared<FixedClock>();
    const std::shared_ptr<ManualScheduler> scheduler = std::make_shared<ManualScheduler>();

private:
    std::unique_ptr<DevivuKitViewModel> m_model;
};
