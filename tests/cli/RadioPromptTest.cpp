// Questions and the progress bar of the radio verbs: answers from flags, from a terminal and
// for want of one, the retry limit, and what reaches stderr.
#include "cli/CliProgressBar.h"
#include "cli/CliPrompter.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <string>

namespace zx::cli {
namespace {

using text::Answer;
using text::Buttons;
using text::Icon;

// A memory stream the code under test reads or writes like a terminal.
struct Stream {
    explicit Stream(const std::string& input = std::string()) {
        file = std::tmpfile();
        std::fputs(input.c_str(), file);
        std::rewind(file);
    }
    ~Stream() { std::fclose(file); }
    std::string text() const {
        std::fflush(file);
        std::string out;
        std::rewind(file);
        for (int c; (c = std::fgetc(file)) != EOF;)
            out.push_back(char(c));
        return out;
    }
    std::FILE* file;
};

const std::string kRetry = "Check Connection. Retry or Cancel?";

TEST(CliPrompter, WithoutTerminalEveryQuestionTakesTheAnswerThatChangesNothing) {
    Stream err;
    CliPrompter prompter(AnswerPolicy::Ask, false, err.file);
    EXPECT_EQ(prompter.ask("Read data from radio.\r\nDo you wish continue?", Buttons::OkCancel,
                           Icon::Question),
              Answer::Cancel);
    EXPECT_EQ(prompter.ask("Use it?", Buttons::YesNo, Icon::Question), Answer::No);
    EXPECT_EQ(prompter.ask(kRetry, Buttons::RetryCancel, Icon::None), Answer::Cancel);
    EXPECT_EQ(prompter.ask("Done.", Buttons::Ok, Icon::None), Answer::Ok);
    EXPECT_TRUE(prompter.answeredWithoutTerminal());
    const std::string out = err.text();
    EXPECT_NE(out.find("Read data from radio.\nDo you wish continue?\n  -> Cancel (no terminal"),
              std::string::npos)
        << out;
    EXPECT_EQ(out.find('\r'), std::string::npos);
    EXPECT_EQ(prompter.shown().size(), 4u);
}

TEST(CliPrompter, TerminalAnswersAreReadUntilOneFitsAndEndOfInputIsSafe) {
    Stream err;
    Stream in("maybe\nR\nyes\n");
    CliPrompter prompter(AnswerPolicy::Ask, true, err.file, in.file);
    EXPECT_EQ(prompter.ask(kRetry, Buttons::RetryCancel, Icon::None), Answer::Retry);
    EXPECT_EQ(prompter.ask("Use it?", Buttons::YesNo, Icon::Question), Answer::Yes);
    // Input exhausted: nobody is left to answer.
    EXPECT_EQ(prompter.ask("Go on?", Buttons::OkCancel, Icon::Question), Answer::Cancel);
    EXPECT_EQ(prompter.ask("Use it?", Buttons::YesNo, Icon::Question), Answer::No);
    EXPECT_FALSE(prompter.answeredWithoutTerminal());
    const std::string out = err.text();
    // The unfitting "maybe" was asked again.
    std::size_t asked = 0;
    for (std::size_t at = 0; (at = out.find("[r]etry / [c]ancel?", at)) != std::string::npos; ++at)
        ++asked;
    EXPECT_EQ(asked, 2u) << out;
}

TEST(CliPrompter, FlagsAnswerAndYesRetriesOnlyUpToTheLimit) {
    Stream err;
    CliPrompter yes(AnswerPolicy::Yes, true, err.file);
    yes.setConnectionPromptTexts({kRetry});
    yes.setRetryLimit(2);
    EXPECT_EQ(yes.ask(kRetry, Buttons::OkCancel, Icon::Question), Answer::Ok);
    EXPECT_EQ(yes.ask(kRetry, Buttons::RetryCancel, Icon::None), Answer::Retry);
    EXPECT_EQ(yes.ask(kRetry, Buttons::OkCancel, Icon::Question), Answer::Cancel);
    // Other questions are not limited.
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(yes.ask("Go on?", Buttons::OkCancel, Icon::Question), Answer::Ok);
    EXPECT_EQ(yes.ask("Use it?", Buttons::YesNo, Icon::Question), Answer::Yes);

    CliPrompter no(AnswerPolicy::No, true, err.file);
    EXPECT_EQ(no.ask(kRetry, Buttons::RetryCancel, Icon::None), Answer::Cancel);
    EXPECT_EQ(no.ask("Use it?", Buttons::YesNo, Icon::Question), Answer::No);
    EXPECT_EQ(no.ask("Sure?", Buttons::YesNoCancel, Icon::Question), Answer::Cancel);
}

TEST(CliPrompter, FixedAnswersWinOverFlagsAndTerminal) {
    Stream err;
    Stream in("y\n");
    CliPrompter prompter(AnswerPolicy::Yes, true, err.file, in.file);
    prompter.setFixedAnswer("Use the radio band?", Answer::No);
    EXPECT_EQ(prompter.ask("Use the radio band?", Buttons::YesNo, Icon::Question), Answer::No);
    EXPECT_EQ(prompter.ask("Other?", Buttons::YesNo, Icon::Question), Answer::Yes);
}

TEST(CliPrompter, DeferredMessagesComeOutInOrderAfterTheHook) {
    Stream err;
    CliPrompter prompter(AnswerPolicy::Ask, false, err.file);
    int hooks = 0;
    prompter.setBeforeOutput([&] { ++hooks; });
    prompter.deferred().append("Model type is wrong.");
    prompter.deferred().append("Frequency band type is wrong.");
    prompter.showDeferred();
    EXPECT_EQ(err.text(), "Model type is wrong.\nFrequency band type is wrong.\n");
    EXPECT_EQ(hooks, 2);
    EXPECT_TRUE(prompter.deferred().empty());
}

TEST(CliProgressBar, DrawsInPlaceOnATerminalAndStaysQuietOtherwise) {
    EXPECT_EQ(CliProgressBar::render("Read", 0, 10), "Read [..........] 0%");
    EXPECT_EQ(CliProgressBar::render("Read", 45, 10), "Read [####......] 45%");
    EXPECT_EQ(CliProgressBar::render("Read", 130, 10), "Read [##########] 100%");

    Stream tty;
    CliProgressBar bar(true, tty.file);
    bar.show("Write");
    bar.set(50);
    bar.breakLine();
    bar.breakLine(); // nothing more: the line is already ended
    bar.set(100);
    bar.hide();
    const std::string drawn = tty.text();
    EXPECT_EQ(drawn, "\r" + CliProgressBar::render("Write", 0) + "\r" +
                         CliProgressBar::render("Write", 50) + "\n\r" +
                         CliProgressBar::render("Write", 100) + "\n");

    Stream log;
    CliProgressBar quiet(false, log.file);
    quiet.show("Read");
    quiet.set(70);
    quiet.hide();
    EXPECT_EQ(log.text(), "");
    EXPECT_EQ(quiet.percent(), 70);
}

} // namespace
} // namespace zx::cli
