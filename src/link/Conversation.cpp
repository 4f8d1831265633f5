// The step tables of the conversations and the one interpreter that plays them: one call per
// accepted answer (and per silence where the time-out table says the conversation goes on
// as if acknowledged).
#include "link/LinkState.h"

namespace zx::link {

namespace {

// Read from radio; also the backup read before a write and the read-back after it.
constexpr StepRow kReadSteps[] = {
    {1, Take::Nothing, false, Then::SendIdentify, 2},
    {2, Take::Nothing, false, Then::SendAcknowledge, 3},
    {3, Take::Nothing, true, Then::NextReadBlock, 4},
    {4, Take::BlockAndProgress, false, Then::SendAcknowledge, 5},
    {5, Take::Nothing, false, Then::NextReadBlock, 4},
    {69, Take::Nothing, false, Then::EndAnswered, 69},
};

// Write to radio. Its band read (21, 22) comes before the identity check, whose band test
// needs the radio's band.
constexpr StepRow kWriteSteps[] = {
    {1, Take::Nothing, false, Then::SendIdentify, 2},
    {2, Take::Nothing, false, Then::SendAcknowledge, 21},
    {21, Take::Nothing, false, Then::SendBandRead, 22},
    {22, Take::BandCodeForWrite, false, Then::SendAcknowledge, 3},
    {3, Take::Nothing, true, Then::NextWriteBlock, 4},
    {4, Take::WriteAcknowledged, false, Then::NextWriteBlock, 4},
    {69, Take::Nothing, false, Then::EndAnswered, 69},
};

// The identity-record read: no identity check, and the hand-shake's silence counts as its
// acknowledge (the time-out handling).
constexpr StepRow kIdentityReadSteps[] = {
    {1, Take::Nothing, false, Then::SendIdentify, 2},
    {2, Take::Nothing, false, Then::SendAcknowledge, 3},
    {3, Take::Nothing, false, Then::NextReadBlock, 4},
    {4, Take::Block, false, Then::SendAcknowledge, 5},
    {5, Take::Nothing, false, Then::NextReadBlock, 4},
    {69, Take::Nothing, false, Then::EndAnswered, 69},
};

// Check radio band: one block at 1D80, then the identity check decides how End is sent.
constexpr StepRow kBandCheckSteps[] = {
    {1, Take::Nothing, false, Then::SendIdentify, 2},
    {2, Take::Nothing, false, Then::SendAcknowledge, 3},
    {3, Take::Nothing, false, Then::SendBandRead, 4},
    {4, Take::BandCode, false, Then::SendAcknowledge, 5},
    {5, Take::Nothing, true, Then::SendEnd, 69},
    {69, Take::Nothing, false, Then::EndAnswered, 69},
};

// Is a radio there? Whoever answers the hand-shake is released again at once.
constexpr StepRow kPresenceSteps[] = {
    {1, Take::Nothing, false, Then::SendEnd, 69},
    {69, Take::Nothing, false, Then::EndAnswered, 69},
};

} // namespace

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
    bandCodeRead = true;
}

bool Link::State::runStep(std::span<const StepRow> table, std::span<const std::uint8_t> answer) {
    int& current = step();
    const StepRow* row = nullptr;
    for (const StepRow& r : table)
        if (r.step == current)
            row = &r;
    if (row == nullptr)
        return false;

    switch (row->take) {
    case Take::Nothing:
        break;
    case Take::Block:
        storeBlock(answer);
        break;
    case Take::BlockAndProgress:
        storeBlock(answer);
        updateProgress();
        break;
    case Take::BandCode:
        takeBandCode(answer);
        break;
    case Take::BandCodeForWrite:
        // Only the band code is taken; it is also what the write puts at 1D87, so the
        // radio keeps its own band (the identity check has made sure it is the document's).
        takeBandCode(answer);
        image.bytes[RadioImage::kBandCodeAddress] = static_cast<std::uint8_t>(radioBandCode);
        break;
    case Take::WriteAcknowledged:
        noteWriteBlockAcked();
        break;
    }

    if (row->checked && !identityCheck()) {
        current = 70;
        sendEnd();
        return true;
    }
    current = row->next;
    switch (row->then) {
    case Then::SendIdentify:
        sendIdentify();
        break;
    case Then::SendAcknowledge:
        sendAcknowledge();
        break;
    case Then::SendBandRead:
        sendReadBlock(RadioImage::kBandBlock, blockLength);
        break;
    case Then::SendEnd:
        sendEnd();
        break;
    case Then::NextReadBlock:
        nextReadBlock();
        break;
    case Then::NextWriteBlock:
        nextWriteBlock();
        break;
    case Then::EndAnswered:
        endAnswered();
        break;
    case Then::SearchVerdict:
        searchVerdict();
        break;
    }
    return true;
}

void Link::State::stepFunction(std::span<const std::uint8_t> answer) {
    std::span<const StepRow> table;
    switch (kind) {
    case OperationKind::Read:
        table = kReadSteps;
        break;
    case OperationKind::Write:
        // The reads around a write are the read conversation's steps.
        table = phase == WritePhase::Transfer ? std::span<const StepRow>(kWriteSteps)
                                              : std::span<const StepRow>(kReadSteps);
        break;
    case OperationKind::IdentityRead:
        table = kIdentityReadSteps;
        break;
    case OperationKind::BandCheck:
        table = kBandCheckSteps;
        break;
    case OperationKind::Presence:
        table = kPresenceSteps;
        break;
    default:
        break;
    }
    // 70 and any step without a row end the conversation.
    if (!runStep(table, answer))
        finish(false);
}

} // namespace zx::link
