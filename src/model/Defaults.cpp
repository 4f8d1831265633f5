// The built-in default document and the exchange between record and run-time state.
#include "model/Defaults.h"

#include "model/Band.h"
#include "model/ChannelTable.h"
#include "model/DataFile.h"

#include <cstdio>

namespace zx::model {

namespace {

// Frequencies of the one channel each group starts with, groups A..F.
constexpr const char* kGroupStartFrequencies[kGroupCount] = {"28.015000", "28.145000", "28.115000",
                                                             "28.085000", "28.055000", "28.025000"};

std::string twoDigits(int value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d", value);
    return buffer;
}

std::string dateDigits(const Today& today) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04d%02d%02d", today.year, today.month, today.day);
    return buffer;
}

const std::string kNul(1, '\0');

} // namespace

ConfigRecord defaultRecord(const RuntimeState& state, const Today& today) {
    ConfigRecord record; // member initialisers hold the defaults of every unedited block
    record.dataVersion = kProgramDataVersion;
    record.currentGroup = 0;
    record.channelCount.fill(0);
    for (int group = 0; group < kGroupCount; ++group)
        addChannel(record, state, group, 1, kGroupStartFrequencies[group]);

    if (state.testFreqDefaults[1].empty()) {
        RuntimeState withTable = state;
        buildTestFrequencyDefaults(withTable);
        applyDefaultTestFrequencies(record, withTable);
    } else {
        applyDefaultTestFrequencies(record, state);
    }

    ModelInfo& info = record.modelInfo;
    const auto band = static_cast<Integer>(bandIndexFromText(state.bandText));
    info.modelCode = state.modelCode;
    info.modelType = 248;
    info.bandIndex = band;
    info.dateCode = dateDigits(today);
    info.firmwareVersion = kProgramVersionText;
    info.modelCode2 = state.modelCode;
    info.bandIndex2 = band;
    info.typeLetter = 67;
    return record;
}

RadioIdentity defaultIdentity(const RuntimeState& state, const Today& today) {
    RadioIdentity id;
    const std::string dated = today.shortDate + kNul;
    id.reserved = 0;
    id.serialNumber = dateDigits(today) + "00000001";
    id.productionDate = dated;
    id.maintenanceDate = dated;
    id.maintenanceReason = kNul;
    id.version = kProgramVersionText;
    id.modelText = state.modelName;
    id.areaCode.clear();
    id.productionBatch = twoDigits(today.month) + "-1-E-1";
    id.customerCode = "001A";
    id.dealerCode = kNul;
    id.stockDate = dated;
    id.saleDate = dated;
    id.seller = kNul;
    return id;
}

void resetDocument(Workspace& ws, const Today& today) {
    ws.state.untitled = true;
    ws.state.currentFileName = kUntitledFileName;
    if (ws.state.testFreqDefaults[1].empty())
        buildTestFrequencyDefaults(ws.state);
    ws.record = defaultRecord(ws.state, today);
    ws.identity = defaultIdentity(ws.state, today);
    ws.identityRead = false;
    loadTemplate(ws, newTemplatePath(ws));
    ws.fileBuffer = ws.record;
}

void recordToRuntime(Workspace& ws) {
    // The model code keeps all six characters, as the record holds them; comparisons with
    // a radio's code trim it themselves.
    ws.state.modelCode = ws.record.modelInfo.modelCode.str();
    ws.state.bandText = bandTextFromIndex(ws.record.modelInfo.bandIndex);
    parseBandEdges(ws.state);
    ws.state.dataVersionText = ws.record.dataVersion.trimmed();
}

void runtimeToRecord(Workspace& ws) {
    ModelInfo& info = ws.record.modelInfo;
    info.modelCode = ws.state.modelCode;
    info.modelCode2 = ws.state.modelCode;
    info.modelType = 248;
    info.bandIndex = static_cast<Integer>(bandIndexFromText(ws.state.bandText));
    ws.record.dataVersion = kProgramDataVersion;
}

} // namespace zx::model
