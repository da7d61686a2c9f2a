#include "ui/shell/SheetFactory.h"

#include "ui/audit/AuditApplicationDetailView.h"
#include "ui/catalog/ItemDetailView.h"
#include "ui/catalog/SystemCheckView.h"
#include "ui/cloud/CloudToolsView.h"
#include "ui/report/ReportExportView.h"
#include "ui/shell/SettingsView.h"

namespace SheetFactory {

QDialog* make(DevivuKitViewModel& model, const DevivuKitViewModel::Sheet& sheet, QWidget* parent)
{
    using Kind = DevivuKitViewModel::Sheet::Kind;
    switch (sheet.kind) {
    case Kind::itemDetail:
        return sheet.item() ? itemDetail(model, *sheet.item(), parent) : nullptr;
    case Kind::auditDetail:
        return sheet.application() ? auditDetail(model, *sheet.application(), parent) : nullptr;
    case Kind::settings:
        return settings(model, parent);
    case Kind::systemChecks:
        return systemChecks(model, parent);
    case Kind::report:
        return report(model, parent);
    case Kind::cloudTools:
        return cloudTools(model, parent);
    }
    return nullptr;
}

QDialog* itemDetail(DevivuKitViewModel& model, const AppItem& item, QWidget* parent)
{
    return new ItemDetailView(model, item, parent);
}

QDialog* auditDetail(DevivuKitViewModel& model, const InstalledMacApplication& application, QWidget* parent)
{
    return new AuditApplicationDetailView(application, AppStrings(model.language()), parent);
}

QDialog* settings(DevivuKitViewModel& model, QWidget* parent)
{
    return new SettingsView(model, parent);
}

QDialog* systemChecks(DevivuKitViewModel& model, QWidget* parent)
{
    return new SystemCheckView(model, parent);
}

QDialog* report(DevivuKitViewModel& model, QWidget* parent)
{
    return new ReportExportView(model, parent);
}

QDialog* cloudTools(DevivuKitViewModel& model, QWidget* parent)
{
    return new CloudToolsView(model, parent);
}

} // namespace SheetFactory
