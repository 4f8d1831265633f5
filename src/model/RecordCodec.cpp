// Byte-exact conversion between the configuration record and the 14536 bytes of a data file.
// One function per sub-record, each visited in file order by a writer or a reader, so the
// layout is spelled out once per direction and checked against the fixed offsets at the end.
#include "model/RecordCodec.h"

#include <algorithm>
#include <cassert>

namespace zx::model {

namespace {

class Writer {
public:
    explicit Writer(RecordBytes& out) : out_(out) {}

    void integer(Integer v) {
        const auto u = static_cast<std::uint16_t>(v);
        put(static_cast<std::uint8_t>(u & 0xFF));
        put(static_cast<std::uint8_t>(u >> 8));
    }
    void longValue(Long v) {
        const auto u = static_cast<std::uint32_t>(v);
        for (int shift = 0; shift < 32; shift += 8)
            put(static_cast<std::uint8_t>((u >> shift) & 0xFF));
    }
    void byte(Byte v) { put(v); }
    template <std::size_t N> void text(const FixedText<N>& t) {
        for (char c : t.bytes)
            put(static_cast<std::uint8_t>(c));
    }
    template <std::size_t N> void integers(const std::array<Integer, N>& values) {
        for (Integer v : values)
            integer(v);
    }
    std::size_t offset() const { return pos_; }

private:
    void put(std::uint8_t b) { out_.at(pos_++) = b; }
    RecordBytes& out_;
    std::size_t pos_ = 0;
};

class Reader {
public:
    explicit Reader(std::span<const std::uint8_t> in) : in_(in) {}

    Integer integer() {
        const unsigned lo = get();
        const unsigned hi = get();
        return static_cast<Integer>(static_cast<std::uint16_t>(lo | (hi << 8)));
    }
    Long longValue() {
        std::uint32_t u = 0;
        for (int shift = 0; shift < 32; shift += 8)
            u |= static_cast<std::uint32_t>(get()) << shift;
        return static_cast<Long>(u);
    }
    Byte byte() { return get(); }
    template <std::size_t N> void text(FixedText<N>& t) {
        for (char& c : t.bytes)
            c = static_cast<char>(get());
    }
    template <std::size_t N> void integers(std::array<Integer, N>& values) {
        for (Integer& v : values)
            v = integer();
    }
    std::size_t offset() const { return pos_; }

private:
    // Bytes past the end of a short input read as zero.
    std::uint8_t get() {
        const std::uint8_t b = pos_ < in_.size() ? in_[pos_] : 0;
        ++pos_;
        return b;
    }
    std::span<const std::uint8_t> in_;
    std::size_t pos_ = 0;
};

// One writer and one reader per sub-record, fields in file order.
void write(Writer& w, const ChannelEntry& c) {
    w.integer(c.number);
    w.integer(c.inUse);
    w.text(c.rxFreq);
    w.text(c.txFreq);
    w.integer(c.scan);
    w.integer(c.busy);
    w.integer(c.echo);
    w.integer(c.hiCut);
    w.integer(c.plus10k);
    w.integer(c.nbAnl);
    w.integer(c.rb);
    w.integer(c.rxFineOffset);
    w.integer(c.txFineOffset);
}
void read(Reader& r, ChannelEntry& c) {
    c.number = r.integer();
    c.inUse = r.integer();
    r.text(c.rxFreq);
    r.text(c.txFreq);
    c.scan = r.integer();
    c.busy = r.integer();
    c.echo = r.integer();
    c.hiCut = r.integer();
    c.plus10k = r.integer();
    c.nbAnl = r.integer();
    c.rb = r.integer();
    c.rxFineOffset = r.integer();
    c.txFineOffset = r.integer();
}

void write(Writer& w, const ModelInfo& m) {
    w.text(m.modelCode);
    w.integer(m.modelType);
    w.integer(m.bandIndex);
    w.text(m.dateCode);
    w.text(m.firmwareVersion);
    w.text(m.modelCode2);
    w.integer(m.bandIndex2);
    w.integer(m.typeLetter);
}
void read(Reader& r, ModelInfo& m) {
    r.text(m.modelCode);
    m.modelType = r.integer();
    m.bandIndex = r.integer();
    r.text(m.dateCode);
    r.text(m.firmwareVersion);
    r.text(m.modelCode2);
    m.bandIndex2 = r.integer();
    m.typeLetter = r.integer();
}

void write(Writer& w, const DtmfSettings& d) {
    w.integers(d.options1);
    w.text(d.idCode);
    w.integers(d.options2);
    w.text(d.stunCode);
    w.integer(d.stunType);
}
void read(Reader& r, DtmfSettings& d) {
    r.integers(d.options1);
    r.text(d.idCode);
    r.integers(d.options2);
    r.text(d.stunCode);
    d.stunType = r.integer();
}

void write(Writer& w, const FleetSyncSettings& f) {
    w.integer(f.ownFleet);
    w.longValue(f.ownId);
    w.integer(f.baudRateIndex);
    w.longValue(f.dataTxModulationDelay);
    w.longValue(f.messageModeTimer);
    w.integer(f.pttIdSideTone);
}
void read(Reader& r, FleetSyncSettings& f) {
    f.ownFleet = r.integer();
    f.ownId = r.longValue();
    f.baudRateIndex = r.integer();
    f.dataTxModulationDelay = r.longValue();
    f.messageModeTimer = r.longValue();
    f.pttIdSideTone = r.integer();
}

void write(Writer& w, const AutodialEntry& a) {
    w.integer(a.number);
    w.text(a.digits);
}
void read(Reader& r, AutodialEntry& a) {
    a.number = r.integer();
    r.text(a.digits);
}

void write(Writer& w, const TestFrequency& t) {
    w.integer(t.index);
    w.text(t.rxFreq);
    w.text(t.txFreq);
    w.integer(t.rxState);
    w.integer(t.txState);
}
void read(Reader& r, TestFrequency& t) {
    t.index = r.integer();
    r.text(t.rxFreq);
    r.text(t.txFreq);
    t.rxState = r.integer();
    t.txState = r.integer();
}

void write(Writer& w, const FleetListEntry& f) {
    w.integer(f.row);
    w.integer(f.fleet);
    w.longValue(f.id);
}
void read(Reader& r, FleetListEntry& f) {
    f.row = r.integer();
    f.fleet = r.integer();
    f.id = r.longValue();
}

} // namespace

RecordBytes encodeRecord(const ConfigRecord& record) {
    RecordBytes out{};
    Writer w(out);
    w.text(record.dataVersion);
    w.integer(record.currentGroup);
    w.integers(record.channelCount);
    for (const ChannelEntry& c : record.channels)
        write(w, c);
    write(w, record.modelInfo);
    w.integers(record.optionFeatures);
    w.integers(record.keyAssignment);
    w.integers(record.scanInfo);
    write(w, record.dtmf);
    write(w, record.fleetSync);
    w.integer(record.autodialCount);
    for (const AutodialEntry& a : record.autodial)
        write(w, a);
    w.integer(record.testFreqCount);
    for (const TestFrequency& t : record.testFreqs)
        write(w, t);
    for (const FixedText<32>& line : record.embeddedMessage)
        w.text(line);
    w.integer(record.fleetListCount);
    for (const FleetListEntry& f : record.fleetList)
        write(w, f);
    w.byte(record.optionByte);
    assert(w.offset() == kRecordSize);
    return out;
}

ConfigRecord decodeRecord(std::span<const std::uint8_t> bytes) {
    ConfigRecord record;
    Reader r(bytes.first(std::min(bytes.size(), kRecordSize)));
    r.text(record.dataVersion);
    record.currentGroup = r.integer();
    r.integers(record.channelCount);
    for (ChannelEntry& c : record.channels)
        read(r, c);
    read(r, record.modelInfo);
    r.integers(record.optionFeatures);
    r.integers(record.keyAssignment);
    r.integers(record.scanInfo);
    read(r, record.dtmf);
    read(r, record.fleetSync);
    record.autodialCount = r.integer();
    for (AutodialEntry& a : record.autodial)
        read(r, a);
    record.testFreqCount = r.integer();
    for (TestFrequency& t : record.testFreqs)
        read(r, t);
    for (FixedText<32>& line : record.embeddedMessage)
        r.text(line);
    record.fleetListCount = r.integer();
    for (FleetListEntry& f : record.fleetList)
        read(r, f);
    record.optionByte = r.byte();
    assert(r.offset() == kRecordSize);
    return record;
}

} // namespace zx::model
