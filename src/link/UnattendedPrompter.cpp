// Answers for conversations that nobody watches.
#include "link/UnattendedPrompter.h"

#include "text/Messages.h"

namespace zx::link {

using text::Answer;
using text::Buttons;

UnattendedPrompter::UnattendedPrompter(bool retry, int retries)
    : retry_(retry), retries_(retries) {}

void UnattendedPrompter::setFixedAnswer(std::string text, Answer answer) {
    fixed_[std::move(text)] = answer;
}

Answer UnattendedPrompter::ask(std::string_view text, Buttons buttons, text::Icon /*icon*/) {
    shown_.emplace_back(text);
    // A question answered beforehand is nothing to tell anyone.
    if (const auto it = fixed_.find(text); it != fixed_.end() && buttons != Buttons::Ok)
        return it->second;
    if (listener_)
        listener_(shown_.back());
    if (buttons == Buttons::Ok)
        return Answer::Ok;
    if (!retry_)
        return text::safeAnswer(buttons);
    const bool connectionPrompt =
        text == text::message(text::MessageKey::CheckConnection, text::English) ||
        text == text::message(text::MessageKey::CheckConnection, text::Chinese);
    if (connectionPrompt && retriesGiven_++ >= retries_)
        return Answer::Cancel;
    return text::positiveAnswer(buttons);
}

} // namespace zx::link
