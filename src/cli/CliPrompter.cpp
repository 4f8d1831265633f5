// Answers for the radio commands: flags, the terminal, or the safe answer.
#include "cli/CliPrompter.h"

#include <algorithm>
#include <cctype>

namespace zx::cli {

using text::Answer;
using text::Buttons;

CliPrompter::CliPrompter(AnswerPolicy policy, bool interactive, std::FILE* out, std::FILE* in)
    : policy_(policy), interactive_(interactive), out_(out), in_(in) {}

void CliPrompter::setFixedAnswer(std::string text, Answer answer) {
    fixed_[std::move(text)] = answer;
}

Answer CliPrompter::safeAnswer(Buttons buttons) {
    return text::safeAnswer(buttons);
}

Answer CliPrompter::positiveAnswer(Buttons buttons) {
    return text::positiveAnswer(buttons);
}

std::string CliPrompter::forTerminal(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        out.push_back(text[i] == '\r' ? '\n' : text[i]);
    }
    return out;
}

void CliPrompter::note(const char* what) {
    std::fprintf(out_, "  -> %s\n", what);
    std::fflush(out_);
}

Answer CliPrompter::ask(std::string_view text, Buttons buttons, text::Icon /*icon*/) {
    if (beforeOutput_)
        beforeOutput_();
    shown_.emplace_back(text);
    std::fprintf(out_, "%s\n", forTerminal(text).c_str());
    std::fflush(out_);
    if (buttons == Buttons::Ok)
        return Answer::Ok;

    if (const auto it = fixed_.find(std::string(text)); it != fixed_.end()) {
        note(it->second == Answer::Yes || it->second == Answer::Ok ? "yes" : "no");
        return it->second;
    }

    const bool connectionPrompt = std::find(connectionTexts_.begin(), connectionTexts_.end(),
                                            std::string(text)) != connectionTexts_.end();
    switch (policy_) {
    case AnswerPolicy::Yes:
        if (connectionPrompt) {
            if (retriesGiven_ >= retryLimit_) {
                note("Cancel (retry limit reached)");
                return Answer::Cancel;
            }
            ++retriesGiven_;
        }
        note(buttons == Buttons::RetryCancel ? "Retry"
             : buttons == Buttons::OkCancel  ? "OK"
                                             : "Yes");
        return positiveAnswer(buttons);
    case AnswerPolicy::No:
        note(buttons == Buttons::YesNo ? "No" : "Cancel");
        return safeAnswer(buttons);
    case AnswerPolicy::Ask:
        break;
    }
    if (interactive_)
        return askTerminal(buttons);
    answeredWithoutTerminal_ = true;
    note(buttons == Buttons::YesNo ? "No (no terminal to ask; answer with --yes or --no)"
                                   : "Cancel (no terminal to ask; answer with --yes or --no)");
    return safeAnswer(buttons);
}

Answer CliPrompter::askTerminal(Buttons buttons) {
    const char* choices = buttons == Buttons::OkCancel      ? "[o]k / [c]ancel"
                          : buttons == Buttons::RetryCancel ? "[r]etry / [c]ancel"
                          : buttons == Buttons::YesNo       ? "[y]es / [n]o"
                                                            : "[y]es / [n]o / [c]ancel";
    for (;;) {
        std::fprintf(out_, "%s? ", choices);
        std::fflush(out_);
        char line[64];
        if (!std::fgets(line, sizeof line, in_)) {
            note("end of input");
            return safeAnswer(buttons);
        }
        const int c = std::tolower(static_cast<unsigned char>(line[0]));
        switch (buttons) {
        case Buttons::OkCancel:
            if (c == 'o')
                return Answer::Ok;
            if (c == 'c')
                return Answer::Cancel;
            break;
        case Buttons::RetryCancel:
            if (c == 'r')
                return Answer::Retry;
            if (c == 'c')
                return Answer::Cancel;
            break;
        case Buttons::YesNo:
            if (c == 'y')
                return Answer::Yes;
            if (c == 'n')
                return Answer::No;
            break;
        case Buttons::YesNoCancel:
            if (c == 'y')
                return Answer::Yes;
            if (c == 'n')
                return Answer::No;
            if (c == 'c')
                return Answer::Cancel;
            break;
        case Buttons::Ok:
            return Answer::Ok;
        }
    }
}

} // namespace zx::cli
