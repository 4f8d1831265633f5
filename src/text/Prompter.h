// How the core shows a message or asks a question without knowing who answers: the desktop
// program answers with message boxes, the command-line tool with flags or a terminal
// prompt, tests with scripted answers.
#pragma once

#include "DeferredMessages.h"

#include <string>
#include <string_view>

namespace zx::text {

enum class Icon { None, Information, Warning, Question, Error };
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class Answer { Ok, Cancel, Yes, No, Retry };

// The answer that changes nothing for a set of buttons (OK alone, No, Cancel), and the one
// that goes on (OK, Yes, Retry): what a conversation nobody watches is answered with.
constexpr Answer safeAnswer(Buttons buttons) {
    switch (buttons) {
    case Buttons::Ok:
        return Answer::Ok;
    case Buttons::YesNo:
        return Answer::No;
    case Buttons::OkCancel:
    case Buttons::YesNoCancel:
    case Buttons::RetryCancel:
        break;
    }
    return Answer::Cancel;
}
constexpr Answer positiveAnswer(Buttons buttons) {
    switch (buttons) {
    case Buttons::YesNo:
    case Buttons::YesNoCancel:
        return Answer::Yes;
    case Buttons::RetryCancel:
        return Answer::Retry;
    case Buttons::Ok:
    case Buttons::OkCancel:
        break;
    }
    return Answer::Ok;
}

class Prompter {
public:
    virtual ~Prompter() = default;

    // Shows text (UTF-8) with the given buttons and icon and returns the button chosen.
    virtual Answer ask(std::string_view text, Buttons buttons, Icon icon) = 0;

    // A message with only an OK button.
    void inform(std::string_view text, Icon icon = Icon::None) { ask(text, Buttons::Ok, icon); }

    // Texts held back during a radio conversation.
    DeferredMessages& deferred() { return deferred_; }

    // Shows every deferred text in its own message with an OK button, in order, and
    // empties the list.
    void showDeferred() {
        for (const std::string& text : deferred_.take())
            inform(text);
    }

private:
    DeferredMessages deferred_;
};

} // namespace zx::text
