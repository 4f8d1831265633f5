// Messages and questions of the radio commands on the command line. Messages go to
// stderr. A question is answered by --yes or --no when given, else asked on the terminal;
// a run without a terminal takes the safe answer (Cancel or No) and says so, so that a
// script never waits for an answer nobody can give.
#pragma once

#include "text/Prompter.h"

#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace zx::cli {

enum class AnswerPolicy {
    Ask, // on a terminal; the safe answer without one
    Yes, // OK, Yes or Retry
    No,  // Cancel or No
};

class CliPrompter : public text::Prompter {
public:
    // `interactive`: stdin and stderr are a terminal (questions may be asked there).
    CliPrompter(AnswerPolicy policy, bool interactive, std::FILE* out = stderr,
                std::FILE* in = stdin);

    // A question with this exact text gets `answer` without being asked (the band verb
    // answers the band question with its --adopt flag).
    void setFixedAnswer(std::string text, text::Answer answer);

    // The connection prompt ("Check Connection. Retry or Cancel?" in either language) is
    // answered positively by --yes at most this many times; then Cancel, so that a radio
    // that never answers cannot keep the run going for ever.
    void setRetryLimit(int retries) { retryLimit_ = retries; }
    void setConnectionPromptTexts(std::vector<std::string> texts) {
        connectionTexts_ = std::move(texts);
    }

    // Called before anything is printed (the progress bar ends its line there).
    void setBeforeOutput(std::function<void()> hook) { beforeOutput_ = std::move(hook); }

    text::Answer ask(std::string_view text, text::Buttons buttons, text::Icon icon) override;

    // Every text shown, in order.
    const std::vector<std::string>& shown() const { return shown_; }
    // True when a question was answered with the safe answer for want of a terminal.
    bool answeredWithoutTerminal() const { return answeredWithoutTerminal_; }

    // The answer that changes nothing for a set of buttons.
    static text::Answer safeAnswer(text::Buttons buttons);
    static text::Answer positiveAnswer(text::Buttons buttons);
    // The radio's texts use CR LF; the terminal wants LF.
    static std::string forTerminal(std::string_view text);

private:
    text::Answer askTerminal(text::Buttons buttons);
    void note(const char* what);

    AnswerPolicy policy_;
    bool interactive_;
    std::FILE* out_;
    std::FILE* in_;
    std::map<std::string, text::Answer> fixed_;
    std::vector<std::string> connectionTexts_;
    int retryLimit_ = 3;
    int retriesGiven_ = 0;
    std::function<void()> beforeOutput_;
    std::vector<std::string> shown_;
    bool answeredWithoutTerminal_ = false;
};

} // namespace zx::cli
