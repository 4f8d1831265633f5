// Radio identity record to named fields.
#include "cli/RadioIdentityText.h"

#include "platform/CodePage.h"

namespace zx::cli {

QList<IdentityField> identityFields(const model::RadioIdentity& id, int systemLanguage) {
    const auto text = [systemLanguage](const auto& field) {
        return QJsonValue(platform::fromCodePage(field.trimmed(), systemLanguage));
    };
    const auto plain = [systemLanguage](const std::string& value) {
        return QJsonValue(platform::fromCodePage(value, systemLanguage));
    };
    return {
        {"reserved", QJsonValue(int(id.reserved))},
        {"serialNumber", text(id.serialNumber)},
        {"productionDate", text(id.productionDate)},
        {"maintenanceDate", text(id.maintenanceDate)},
        {"maintenanceReason", text(id.maintenanceReason)},
        {"version", plain(id.version)},
        {"modelText", plain(id.modelText)},
        {"areaCode", plain(id.areaCode)},
        {"productionBatch", text(id.productionBatch)},
        {"customerCode", text(id.customerCode)},
        {"dealerCode", text(id.dealerCode)},
        {"stockDate", text(id.stockDate)},
        {"saleDate", text(id.saleDate)},
        {"seller", text(id.seller)},
    };
}

} // namespace zx::cli
