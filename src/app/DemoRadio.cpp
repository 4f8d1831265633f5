// The --demo radio: a VirtualRadio on an in-process line inside the program.
#include "app/DemoRadio.h"

#include "app/RadioController.h"
#include "app/frmMain.h"
#include "model/DataFile.h"
#include "platform/PortCatalog.h"
#include "sim/MemoryFiles.h"

#include <QFile>
#include <QFileInfo>
#include <cstring>
#include <exception>
#include <string_view>

namespace zx::app {

namespace {

// Writes `text` at `address`, padded with spaces to `width` bytes.
void put(sim::Memory& memory, int address, int width, std::string_view text) {
    for (int i = 0; i < width; ++i)
        memory[static_cast<std::size_t>(address + i)] =
            static_cast<std::uint8_t>(i < static_cast<int>(text.size()) ? text[i] : ' ');
}

} // namespace

void DemoRadio::fillIdentity(sim::Memory& memory) {
    // The identity area as a dealer's programming station leaves it.
    put(memory, 0x1F08, 4, "0086");
    put(memory, 0x1F10, 16, "DEMO-000001");
    put(memory, 0x1F20, 16, "2024-03-18");
    put(memory, 0x1F30, 8, "B24-03");
    put(memory, 0x1F38, 4, "C001");
    put(memory, 0x1F40, 16, "2025-06-02");
    put(memory, 0x1F50, 16, "D-0042");
    put(memory, 0x1F60, 16, "2024-04-01");
    put(memory, 0x1F70, 16, "2024-05-20");
    put(memory, 0x1F80, 16, "Demo Radio Shop");
    put(memory, 0x1F90, 96, "Routine check, no fault found");
}

std::unique_ptr<DemoRadio> DemoRadio::start(const model::Workspace& ws, QString* error,
                                            bool paced) {
    std::unique_ptr<DemoRadio> demo(new DemoRadio);
    sim::Memory memory = sim::VirtualRadio::blankMemory();
    const std::string initial = model::initialTemplatePath(ws);
    if (QFileInfo::exists(QString::fromStdString(initial))) {
        try {
            memory = sim::imageFromDataFile(initial);
        } catch (const std::exception&) {
            // A damaged template: the radio starts empty, which a read shows just as well.
        }
    }
    fillIdentity(memory);

    sim::RadioOptions options;
    options.modelCode = ws.state.modelCode;
    options.dataVersion = model::kProgramDataVersion;
    // Paced at the line rate, so the progress window moves as it would with a radio.
    options.paced = paced;
    demo->radio_ = std::make_unique<sim::VirtualRadio>(options, memory);
    // Each radio of the process gets a line of its own name.
    static int started = 0;
    ++started;
    const std::string name = started == 1 ? "demo radio" : "demo radio " + std::to_string(started);
    try {
        demo->registration_ =
            std::make_unique<platform::InProcessRegistration>(demo->radio_->startInProcess(name));
    } catch (const std::exception& e) {
        if (error)
            *error = QString::fromLocal8Bit(e.what());
        return nullptr;
    }
    return demo;
}

std::unique_ptr<DemoRadio> DemoRadio::startFor(frmMain& window, QString* error, bool paced) {
    std::unique_ptr<DemoRadio> demo = start(window.workspace(), error, paced);
    if (!demo)
        return nullptr;
    if (demo->attach(window.radio(), window.workspace(), window.services().settingsPath) <= 0) {
        if (error)
            *error = QStringLiteral("the virtual radio's line got no port number");
        return nullptr;
    }
    window.setPortPanel();
    return demo;
}

DemoRadio::~DemoRadio() {
    registration_.reset();
    if (radio_)
        radio_->stop();
}

QString DemoRadio::devicePath() const {
    return QString::fromStdString(radio_->devicePath());
}

int DemoRadio::attach(RadioController& controller, model::Workspace& ws,
                      const QString& settingsPath) {
    // The port numbers the user knows stay as they are: start from a copy of their file.
    QString scratchPath;
    if (scratch_.isValid()) {
        scratchPath = scratch_.filePath(QStringLiteral("mysetup.ini"));
        if (!settingsPath.isEmpty())
            QFile::copy(settingsPath, scratchPath);
    }
    auto catalog = std::make_unique<platform::PortCatalog>(scratchPath);
    const int number = catalog->numberFor(devicePath());
    if (number <= 0)
        return 0;
    if (!controller.usePortsForThisRun(std::move(catalog)))
        return 0;
    ws.state.comPort = number;
    return number;
}

} // namespace zx::app
