#pragma once

#include "i18n/AppStrings.h"

#include <QWidget>

class TextBlock;

// The top of the sidebar: the brand mark (46 by 46) beside the product's
// name (17 px bold, white, one line) and the subtitle of the current language
// (12 px, muted, wrapping).
class SidebarHeaderView : public QWidget {
    Q_OBJECT

public:
    static constexpr const char* productName = "Tavrin Devivu Kit";

    explicit SidebarHeaderView(const AppStrings& strings, QWidget* parent = nullptr);

    void setStrings(const AppStrings& strings);

    TextBlock* titleText() const { return m_title; }
    TextBlock* subtitleText() const { return m_subtitle; }

private:
    TextBlock* m_title;
    TextBlock* m_subtitle;
};
