#pragma once

#include "app/DevivuKitViewModel.h"

#include <QSize>

class QDialog;
class QWidget;

// The dialog of each kind of sheet, one function per kind; make() picks the
// one for a sheet. Each returns a new dialog parented to the window, not yet
// open; SheetHost names it after the sheet's id, makes it window-modal and
// opens it.
namespace SheetFactory {

// The fixed sizes of the larger sheets.
inline constexpr QSize systemChecksSize{760, 620};
inline constexpr QSize reportSize{1320, 720};
inline constexpr QSize cloudToolsSize{700, 720};

QDialog* make(DevivuKitViewModel& model, const DevivuKitViewModel::Sheet& sheet, QWidget* parent);

// The entry's details; its status read live from the view model.
QDialog* itemDetail(DevivuKitViewModel& model, const AppItem& item, QWidget* parent);
// The audited application's details, in the language of the moment.
QDialog* auditDetail(DevivuKitViewModel& model, const InstalledMacApplication& application, QWidget* parent);
QDialog* settings(DevivuKitViewModel& model, QWidget* parent);
QDialog* systemChecks(DevivuKitViewModel& model, QWidget* parent);
QDialog* report(DevivuKitViewModel& model, QWidget* parent);
QDialog* cloudTools(DevivuKitViewModel& model, QWidget* parent);

} // namespace SheetFactory
