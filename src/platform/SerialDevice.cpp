// Why a serial port could not be opened, in the user's language.
#include "platform/SerialDevice.h"

#include "text/Fill.h"
#include "text/labels/RadioSafetyLabels.h"

#include <QStringList>

namespace zx::platform {

namespace labels = text::labels::safety;

namespace {

QString qs(std::string_view s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

QString fill(const text::TextTable& table, int language, const QStringList& values) {
    std::vector<std::string> held;
    for (const QString& v : values)
        held.push_back(v.toStdString());
    return qs(text::fill(table[language], held));
}

} // namespace

DeviceProblem problemFor(SerialError error, bool openedBefore) {
    switch (error) {
    case SerialError::None:
        return DeviceProblem::None;
    case SerialError::NotFound:
        return openedBefore ? DeviceProblem::Vanished : DeviceProblem::Missing;
    case SerialError::Busy:
        return DeviceProblem::Busy;
    case SerialError::Unplugged:
        return DeviceProblem::Vanished;
    case SerialError::BadSetting:
    case SerialError::Other:
        break;
    }
    return DeviceProblem::Other;
}

QString describe(const OpenFailure& f, int language, Advice advice) {
    switch (f.problem) {
    case DeviceProblem::None:
        return {};
    case DeviceProblem::Missing:
        return fill(labels::kPortMissing, language, {f.device});
    case DeviceProblem::NotSerial:
        return fill(labels::kPortNotSerial, language, {f.device});
    case DeviceProblem::Permission:
        return permissionAdvice(f.device, f.access, language);
    case DeviceProblem::Busy:
        return fill(labels::kPortBusy, language, {f.device});
    case DeviceProblem::Vanished:
        return fill(labels::kPortVanished, language, {f.device});
    case DeviceProblem::NoDevice:
        return fill(advice == Advice::CommandLine ? labels::kPortNoDeviceCli
                                                  : labels::kPortNoDevice,
                    language, {f.device});
    case DeviceProblem::Other:
        break;
    }
    return fill(labels::kPortOther, language, {f.device, f.detail});
}

} // namespace zx::platform
