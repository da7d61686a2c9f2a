#pragma once

#include "app/DevivuKitViewModel.h"

#include <QMainWindow>

#include <memory>

class RemoveConfirmation;
class SheetHost;
class SidebarView;
class ToastPresenter;

// The program's one window, titled "Tavrin Devivu Kit". It builds and owns
// the one view model (from the services given, so tests pass fakes) and lays
// out the sidebar, a hairline divider and the main column side by side on a
// central widget of at least 1120 by 760. Over them: the sheet of
// activeSheet (SheetHost), the remove confirmation (RemoveConfirmation) and
// the toast in the bottom-right corner (ToastPresenter).
//
// On its first show a window smaller than the minimum grows to it and is
// centred (WindowSizing). Closing the window emits closed(): the program
// then ends, whatever work is still running.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    static constexpr const char* windowTitleText = "Tavrin Devivu Kit";

    explicit MainWindow(DevivuKitViewModel::Dependencies dependencies, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The main column right of the divider: the one place that chooses it.
    static QWidget* makeContentColumn(DevivuKitViewModel& model, QWidget* parent);

    DevivuKitViewModel& viewModel() const { return *m_model; }
    SidebarView* sidebar() const { return m_sidebar; }
    QWidget* contentColumn() const { return m_contentColumn; }
    SheetHost* sheetHost() const { return m_sheetHost; }
    RemoveConfirmation* removeConfirmation() const { return m_removeConfirmation; }
    ToastPresenter* toastPresenter() const { return m_toastPresenter; }

Q_SIGNALS:
    void closed();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    std::unique_ptr<DevivuKitViewModel> m_model;
    SidebarView* m_sidebar = nullptr;
    QWidget* m_contentColumn = nullptr;
    SheetHost* m_sheetHost = nullptr;
    RemoveConfirmation* m_removeConfirmation = nullptr;
    ToastPresenter* m_toastPresenter = nullptr;
    bool m_initialSizeApplied = false;
};
