#pragma once

#include "i18n/AppLanguage.h"
#include "ui/kit/Banner.h"

#include <QString>

class DevivuKitViewModel;
class StyledButton;
class TextBlock;

// The red strip at the top of a workspace while the release policy demands an
// update: the update's title, its message (two lines at most) and the
// "Download update" button ("update-download"), which asks the view model to
// open the release download. The button is never disabled and passes no gate.
//
// It observes the view model; the column shows and hides it (Banner) while
// updateRequired is true.
class ForceUpdateBanner : public Banner {
    Q_OBJECT

public:
    explicit ForceUpdateBanner(DevivuKitViewModel& model, QWidget* parent = nullptr);

    // The download button's title in a language.
    static QString downloadTitle(AppLanguage language);

    TextBlock* titleText() const { return m_title; }
    TextBlock* messageText() const { return m_message; }
    StyledButton* downloadButton() const { return m_download; }

private:
    void applyTexts();

    DevivuKitViewModel& m_model;
    TextBlock* m_title;
    TextBlock* m_message;
    StyledButton* m_download;
};
