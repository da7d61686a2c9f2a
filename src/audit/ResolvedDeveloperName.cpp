#include "audit/ResolvedDeveloperName.h"

#include "audit/MacInventoryClassifier.h"

QString resolvedDeveloperName(const InstalledMacApplication& application)
{
    const QString missing = QStringLiteral("—");
    const QString developer = application.developerName.value_or(QString()).trimmed();
    if (!developer.isEmpty() && developer != missing && !developer.startsWith(QLatin1String("Team ")))
        return developer;

    const QString& team = application.teamIdentifier;
    if (team != missing && team != QLatin1String("not set") && !team.isEmpty())
        return QStringLiteral("Team ") + team;

    if (std::optional<QString> inferred = MacInventoryClassifier::inferredDeveloperName(
            application.name, application.identifier, application.source))
        return *inferred;

    if (!application.name.trimmed().isEmpty())
        return application.name;
    return QStringLiteral("Không xác định");
}
