// The start-up sequence.
#include "app/Startup.h"

#include "app/SetupFile.h"
#include "app/VersionListFile.h"
#include "model/Band.h"
#include "model/ChannelTable.h"
#include "model/RuntimeState.h"
#include "text/Language.h"

#include <QDate>

namespace zx::app {

model::Today todayFromSystem() {
    const QDate date = QDate::currentDate();
    return {date.year(), date.month(), date.day(), platform::systemShortDate().toStdString()};
}

StartupResult runStartup(model::Workspace& ws, const platform::Installation& installation,
                         const StartupInputs& inputs, platform::DecimalSeparator& separator) {
    model::RuntimeState& state = ws.state;

    // Version management: the working record is of this program's data version; the list
    // says which other versions can be handed a file.
    ws.record.dataVersion = model::kProgramDataVersion;
    ws.versions = readVersionList(installation.versionListPath());

    // Every number text of the program is written and parsed with ".".
    separator.forceDot();

    // Settings and language.
    StartupResult result;
    result.settingsPath = installation.settingsPath();
    SetupFile setup(result.settingsPath);

    const text::Language systemLanguage =
        text::languageFromLocaleId(inputs.localeIdHex.toStdString());
    state.systemLanguage = systemLanguage;
    state.language = systemLanguage;
    state.comPort = 1;
    result.firstRun = setup.readIsFirstRun();

    state.modelName = "ZX-908HF";
    state.modelCode = "8900";
    state.bandText = model::kBandText0;
    state.dataVersionText = model::kProgramDataVersion;

    state.comPort = setup.readComPort();
    state.handshaking = setup.readHandshaking();
    state.stopBits = setup.readStopBits();

    if (result.firstRun) {
        setup.writeIsFirstRun(false);
    } else {
        const int stored = setup.readCurrentLanguage();
        // A settings file that lost its language keeps the system language.
        state.language = stored == 0 ? systemLanguage : text::languageFromIndex(stored);
    }
    setup.writeComPort(state.comPort);
    setup.writeCurrentLanguage(state.language);
    // Keys the search normally writes are completed with what is in use, so that the file
    // always holds every setting.
    if (!setup.hasKey("Handshaking"))
        setup.writeHandshaking(state.handshaking);
    if (!setup.hasKey("StopBit"))
        setup.writeStopBits(state.stopBits);

    model::parseBandEdges(state);
    model::buildTestFrequencyDefaults(state);

    // The document: defaults, then the New template of the current band.
    ws.programFolder = installation.programFolder().toStdString();
    model::resetDocument(ws, inputs.today);
    return result;
}

} // namespace zx::app
