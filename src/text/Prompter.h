// How the core shows a message or asks a question without knowing who answers: the desktop
// program answers with message boxes, the command-line tool with flags or a terminal
// prompt, tests with scripted answers.
#pragma once

#include <string>
#include <string_view>

#include "DeferredMessages.h"

namespace zx::text {

enum class Icon { None, Information, Warning, Question, Error };
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class Answer { Ok, Cancel, Yes, No, Retry };

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
