#include "ui/shell/MainWindow.h"

#include "ui/catalog/ContentView.h"
#include "ui/kit/Design.h"
#include "ui/shell/RemoveConfirmation.h"
#include "ui/shell/SheetHost.h"
#include "ui/shell/SidebarView.h"
#include "ui/shell/ToastPresenter.h"
#include "ui/shell/ToastView.h"
#include "ui/shell/WindowSizing.h"

#include <QCloseEvent>
#include <QDialog>
#include <QHBoxLayout>
#include <QScreen>
#include <QShowEvent>

MainWindow::MainWindow(DevivuKitViewModel::Dependencies dependencies, QWidget* parent)
    : QMainWindow(parent), m_model(std::make_unique<DevivuKitViewModel>(std::move(dependencies)))
{
    setObjectName(QStringLiteral("main-window"));
    setWindowTitle(QString::fromUtf8(windowTitleText));

    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("main-central"));
    central->setMinimumSize(WindowSizing::minimumContentSize);
    Design::setBackground(*central, Design::background);
    auto* row = new QHBoxLayout(central);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    m_sidebar = new SidebarView(*m_model, central);
    row->addWidget(m_sidebar);
    auto* divider = new QWidget(central);
    divider->setObjectName(QStringLiteral("main-divider"));
    divider->setFixedWidth(1);
    Design::setBackground(*divider, Design::withOpacity(Qt::black, 0.1));
    row->addWidget(divider);
    m_contentColumn = makeContentColumn(*m_model, central);
    m_contentColumn->setObjectName(QStringLiteral("content-column"));
    row->addWidget(m_contentColumn, 1);
    setCentralWidget(central);

    m_sheetHost = new SheetHost(*m_model, this);
    m_removeConfirmation = new RemoveConfirmation(*m_model, this);
    m_toastPresenter = new ToastPresenter(*m_model, this);
}

MainWindow::~MainWindow()
{
    // The views go before the view model they read, so that nothing a view
    // does while it is torn down (losing focus, finishing) reaches a model
    // already gone.
    delete m_toastPresenter;
    delete m_removeConfirmation;
    delete m_sheetHost;
    qDeleteAll(findChildren<QDialog*>(Qt::FindDirectChildrenOnly));
    qDeleteAll(findChildren<ToastView*>(Qt::FindDirectChildrenOnly));
    delete takeCentralWidget();
}

QWidget* MainWindow::makeContentColumn(DevivuKitViewModel& model, QWidget* parent)
{
    return new ContentView(model, parent);
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    const std::optional<QSize> corrected = WindowSizing::initialContentSize(size(), m_initialSizeApplied);
    m_initialSizeApplied = true;
    if (!corrected)
        return;
    resize(*corrected);
    if (const QScreen* shown = screen())
        move(shown->availableGeometry().center() - QPoint(width() / 2, height() / 2));
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    QMainWindow::closeEvent(event);
    if (event->isAccepted())
        Q_EMIT closed();
}
