// The small configuration the end-to-end radio tests put into a virtual radio or a data
// file: one channel, A-12 at 28.512300 MHz, and a first message line.
#pragma once

#include "model/ChannelTable.h"
#include "model/ConfigRecord.h"
#include "model/Defaults.h"
#include "model/RecordCodec.h"

#include <QByteArray>

namespace zx::test {

inline model::ConfigRecord recordWithA12(const char* messageLine1) {
    model::RuntimeState state;
    model::ConfigRecord record = model::defaultRecord(state, {2026, 3, 15, "2026-03-15"});
    record.channelCount = {1, 0, 0, 0, 0, 0};
    record.channels[0].number = 12;
    record.channels[0].inUse = 1;
    record.channels[0].rxFreq = "28512300";
    record.channels[0].txFreq = "28512300";
    record.embeddedMessage[0] = messageLine1;
    // The emergency channels name channels that exist, as in every document the program makes.
    model::fixEmergencyChannels(record);
    return record;
}

// The data-file bytes of a record.
inline QByteArray bytesOf(const model::ConfigRecord& record) {
    const model::RecordBytes bytes = model::encodeRecord(record);
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

} // namespace zx::test
