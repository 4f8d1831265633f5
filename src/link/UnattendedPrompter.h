// The prompter of a conversation nobody watches: each port of a fleet run has one. Every
// message is recorded and passed on (the window's row, a line on stderr), never shown as a
// box that would hold up the other ports. Questions take the answer that changes nothing
// (Cancel, No), or with `retry` the positive one, the connection prompt at most `retries`
// times for each radio, so that a radio that stays silent cannot hold its port for ever.
#pragma once

#include "text/Prompter.h"

#include <cstddef>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace zx::link {

class UnattendedPrompter : public text::Prompter {
public:
    using Listener = std::function<void(const std::string& text)>;

    UnattendedPrompter(bool retry, int retries);

    void setListener(Listener listener) { listener_ = std::move(listener); }
    // A question with exactly this text gets `answer` (starting the run was the answer to
    // "Write data to radio." / "Do you wish continue?").
    void setFixedAnswer(std::string text, text::Answer answer);
    // A new radio: the connection prompt may be retried `retries` times again.
    void newRadio() { retriesGiven_ = 0; }

    text::Answer ask(std::string_view text, text::Buttons buttons, text::Icon icon) override;

    // Every text shown, in order.
    const std::vector<std::string>& shown() const { return shown_; }

private:
    bool retry_;
    int retries_;
    int retriesGiven_ = 0;
    std::map<std::string, text::Answer, std::less<>> fixed_;
    std::vector<std::string> shown_;
    Listener listener_;
};

} // namespace zx::link
