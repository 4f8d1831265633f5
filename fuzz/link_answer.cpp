// Feeds arbitrary bytes to the answer classification and, as a stream of answers and
// silences, to the link engine in every conversation. Nothing may crash or read out of
// bounds, and the engine must stay in a consistent state.
#include "link/Answer.h"
#include "link/Link.h"
#include "link/RadioImage.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

namespace {

using namespace zx;

class NullIo : public link::LinkIo {
public:
    bool open = false;
    bool openPort(const link::PortSettings& s) override { return open = (s.port != 7); }
    void closePort() override { open = false; }
    bool isPortOpen() const override { return open; }
    void send(std::span<const std::uint8_t>, int) override {}
    void startAnswerTimer() override {}
    void stopAnswerTimer() override {}
    std::vector<int> listPorts() override { return {1, 7, 3}; }
};

// Answers every question with the first button, or Cancel after a while so that
// conversations also end.
class AutoPrompter : public text::Prompter {
public:
    int asked = 0;
    text::Answer ask(std::string_view, text::Buttons b, text::Icon) override {
        if (++asked % 3 == 0)
            return text::Answer::Cancel;
        switch (b) {
        case text::Buttons::YesNo:
        case text::Buttons::YesNoCancel:
            return asked % 2 ? text::Answer::Yes : text::Answer::No;
        case text::Buttons::RetryCancel:
            return text::Answer::Retry;
        default:
            return text::Answer::Ok;
        }
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> input(data, size);

    if (size >= 4) {
        const link::BlockExpectation e{input[0] << 8 | input[1], input[2], (input[3] & 1) != 0};
        const auto rest = input.subspan(4);
        if (link::classifyAnswer(rest, e) == link::AnswerKind::Block &&
            link::blockData(rest).size() + 5 != rest.size())
            std::abort();
        (void)link::parseIdentityAnswer(rest);
    }

    model::Workspace ws;
    ws.versions = {{"V310", "V310"}};
    NullIo io;
    AutoPrompter prompter;
    link::LinkEvents events;
    link::Link engine(ws, io, events, prompter);
    if (size == 0)
        return 0;

    // First byte: which conversation. Then records: a length byte (0 = silence) and that
    // many answer bytes.
    switch (input[0] % 4) {
    case 0:
        engine.readFromRadio();
        break;
    case 1:
        engine.writeToRadio();
        break;
    case 2:
        engine.readIdentity();
        break;
    default:
        engine.checkRadioBand();
        break;
    }
    std::size_t pos = 1;
    while (pos < size && engine.busy()) {
        const std::size_t n = input[pos++];
        if (n == 0) {
            engine.onTimeout();
            continue;
        }
        const std::size_t take = std::min(n, size - pos);
        engine.onAnswer(input.subspan(pos, take));
        pos += take;
    }
    // Silence until the end: every conversation must finish.
    for (int i = 0; i < 200000 && engine.busy(); ++i)
        engine.onTimeout();
    if (engine.busy() || io.open)
        std::abort();
    return 0;
}
