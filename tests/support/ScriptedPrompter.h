// A Prompter for tests: records every message and answers from a script.
#pragma once

#include "text/Prompter.h"

#include <deque>
#include <string>
#include <vector>

namespace zx::test {

struct PromptRecord {
    std::string text;
    text::Buttons buttons;
    text::Icon icon;
};

class ScriptedPrompter : public text::Prompter {
public:
    // Answers given in order; when the script runs out, OK/Yes-style questions get the
    // first button (Ok, Yes or Retry).
    void script(std::initializer_list<text::Answer> answers) {
        for (text::Answer a : answers)
            answers_.push_back(a);
    }

    text::Answer ask(std::string_view text, text::Buttons buttons, text::Icon icon) override {
        asked.push_back({std::string(text), buttons, icon});
        if (!answers_.empty()) {
            const text::Answer a = answers_.front();
            answers_.pop_front();
            return a;
        }
        switch (buttons) {
        case text::Buttons::YesNo:
        case text::Buttons::YesNoCancel:
            return text::Answer::Yes;
        case text::Buttons::RetryCancel:
            return text::Answer::Retry;
        default:
            return text::Answer::Ok;
        }
    }

    std::vector<std::string> texts() const {
        std::vector<std::string> out;
        for (const PromptRecord& r : asked)
            out.push_back(r.text);
        return out;
    }

    std::vector<PromptRecord> asked;

private:
    std::deque<text::Answer> answers_;
};

} // namespace zx::test
