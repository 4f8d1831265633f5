// The step functions of the four conversations: one call per accepted answer (and per
// silence where the time-out table says the conversation goes on as if acknowledged).
#include "link/LinkState.h"

namespace zx::link {

int progressPercent(int address, int endAddress) {
    if (endAddress <= 0 || address <= 0)
        return 0;
    const long long numerator = static_cast<long long>(address) * 100;
    long long q = numerator / endAddress;
    const long long twiceRest = 2 * (numerator % endAddress);
    if (twiceRest > endAddress || (twiceRest == endAddress && q % 2 != 0))
        ++q;
    return static_cast<int>(q > 100 ? 100 : q);
}

void Link::State::updateProgress() {
    const int percent = progressPercent(blockAddress, endAddress);
    if (percent - lastPercent >= 1) {
        lastPercent = percent;
        events.progressChanged(percent);
    }
}

void Link::State::nextReadBlock() {
    blockAddress += blockLength;
    if (blockAddress >= endAddress) {
        step() = 69;
        sendEnd();
    } else {
        sendReadBlock(blockAddress, blockLength);
    }
}

void Link::State::nextWriteBlock() {
    blockAddress += blockLength;
    if (blockAddress >= endAddress) {
        step() = 69;
        sendEnd();
    } else {
        updateProgress();
        noteWriteBlockSent();
        sendWriteBlock(blockAddress);
    }
}

void Link::State::storeBlock(std::span<const std::uint8_t> answer) {
    readTarget().store(blockAddress, blockData(answer));
}

void Link::State::endAnswered() {
    if (kind != OperationKind::Write) {
        finish(true);
        return;
    }
    switch (phase) {
    case WritePhase::BackupRead:
        // No backup kept, no write: the user asked for the old configuration to be safe.
        if (events.imageReceived(readBack))
            beginPhase(WritePhase::Transfer);
        else
            finish(false);
        break;
    case WritePhase::Transfer:
        transferDone();
        break;
    case WritePhase::Verify:
        verifyDone();
        break;
    }
}

void Link::State::takeBandCode(std::span<const std::uint8_t> answer) {
    const std::span<const std::uint8_t> data = blockData(answer);
    const int code = data.size() > 7 && data[7] < 2 ? data[7] : 0;
    radioBandCode = code;
}

void Link::State::stepFunction(std::span<const std::uint8_t> answer) {
    switch (kind) {
    case OperationKind::Read:
        stepRead(answer);
        break;
    case OperationKind::Write:
        // The reads around a write are the read conversation's steps.
        if (phase == WritePhase::Transfer)
            stepWrite(answer);
        else
            stepRead(answer);
        break;
    case OperationKind::Presence:
        stepPresence();
        break;
    case OperationKind::IdentityRead:
        stepIdentityRead(answer);
        break;
    case OperationKind::BandCheck:
        stepBandCheck(answer);
        break;
    default:
        finish(false);
        break;
    }
}

void Link::State::stepRead(std::span<const std::uint8_t> answer) {
    switch (readStep) {
    case 1:
        readStep = 2;
        sendIdentify();
        break;
    case 2:
        readStep = 3;
        sendAcknowledge();
        break;
    case 3:
        if (identityCheck()) {
            readStep = 4;
            nextReadBlock();
        } else {
            readStep = 70;
            sendEnd();
        }
        break;
    case 4:
        storeBlock(answer);
        updateProgress();
        readStep = 5;
        sendAcknowledge();
        break;
    case 5:
        readStep = 4;
        nextReadBlock();
        break;
    case 69:
        endAnswered();
        break;
    default: // 70 and anything without a row
        finish(false);
        break;
    }
}

void Link::State::stepWrite(std::span<const std::uint8_t> answer) {
    switch (writeStep) {
    case 1:
        writeStep = 2;
        sendIdentify();
        break;
    case 2:
        writeStep = 21;
        sendAcknowledge();
        break;
    case 21:
        writeStep = 22;
        sendReadBlock(RadioImage::kBandBlock, blockLength);
        break;
    case 22:
        // Only the band code is taken; it is also what the write puts at 1D87, so the
        // radio keeps its own band (the identity check has made sure it is the document's).
        takeBandCode(answer);
        image.bytes[RadioImage::kBandCodeAddress] = static_cast<std::uint8_t>(radioBandCode);
        writeStep = 3;
        sendAcknowledge();
        break;
    case 3:
        if (identityCheck()) {
            writeStep = 4;
            nextWriteBlock();
        } else {
            writeStep = 70;
            sendEnd();
        }
        break;
    case 4:
        noteWriteBlockAcked();
        nextWriteBlock();
        break;
    case 69:
        endAnswered();
        break;
    default:
        finish(false);
        break;
    }
}

void Link::State::stepIdentityRead(std::span<const std::uint8_t> answer) {
    switch (readStep) {
    case 1:
        readStep = 2;
        sendIdentify();
        break;
    case 2:
        readStep = 3;
        sendAcknowledge();
        break;
    case 3:
    case 5:
        readStep = 4;
        nextReadBlock();
        break;
    case 4:
        storeBlock(answer);
        readStep = 5;
        sendAcknowledge();
        break;
    case 69:
        finish(true);
        break;
    default:
        finish(false);
        break;
    }
}

void Link::State::stepBandCheck(std::span<const std::uint8_t> answer) {
    switch (readStep) {
    case 1:
        readStep = 2;
        sendIdentify();
        break;
    case 2:
        readStep = 3;
        sendAcknowledge();
        break;
    case 3:
        readStep = 4;
        sendReadBlock(RadioImage::kBandBlock, blockLength);
        break;
    case 4:
        takeBandCode(answer);
        readStep = 5;
        sendAcknowledge();
        break;
    case 5:
        readStep = identityCheck() ? 69 : 70;
        sendEnd();
        break;
    case 69:
        finish(true);
        break;
    default:
        finish(false);
        break;
    }
}

} // namespace zx::link
