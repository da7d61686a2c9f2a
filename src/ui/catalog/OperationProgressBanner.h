#pragma once

#include "ui/kit/Banner.h"

class DevivuKitViewModel;
class LinearProgressIndicator;
class TextBlock;

// The strip over the catalog list that follows the running operation: the
// caption "Current progress", the current action on one line (cut in the
// middle), the done-of-total summary, and on the right the percentage and a
// progress indicator. The percentage and the indicator show the view model's
// two values as they are; neither is derived from the other. Its text column
// never gets less than 220 px, so the strip needs at least 598.
//
// It observes the view model; the column shows and hides it (Banner) while
// showOperationProgress is true.
class OperationProgressBanner : public Banner {
    Q_OBJECT

public:
    explicit OperationProgressBanner(DevivuKitViewModel& model, QWidget* parent = nullptr);

    TextBlock* captionText() const { return m_caption; }
    TextBlock* actionText() const { return m_action; }
    TextBlock* summaryText() const { return m_summary; }
    TextBlock* percentText() const { return m_percent; }
    LinearProgressIndicator* progressIndicator() const { return m_bar; }

private:
    void applyLanguage();
    void applyAction();
    void applyProgress();

    DevivuKitViewModel& m_model;
    TextBlock* m_caption;
    TextBlock* m_action;
    TextBlock* m_summary;
    TextBlock* m_percent;
    LinearProgressIndicator* m_bar;
};
