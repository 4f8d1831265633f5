// The progress bar of reading and writing on stderr: one line redrawn in place while the
// blocks move. It stays quiet when stderr is not a terminal, so logs of scripted runs carry
// no carriage-return noise.
#pragma once

#include <cstdio>
#include <string>

namespace zx::cli {

class CliProgressBar {
public:
    explicit CliProgressBar(bool enabled, std::FILE* out = stderr) : enabled_(enabled), out_(out) {}

    void show(std::string title);
    void set(int percent);
    // Ends the bar's line so that a message can follow; the next set() draws it again.
    void breakLine();
    void hide();

    bool visible() const { return visible_; }
    bool enabled() const { return enabled_; }
    int percent() const { return percent_; }
    // The bar as it is drawn, without the carriage return.
    static std::string render(const std::string& title, int percent, int width = 40);

private:
    void draw();

    bool enabled_;
    std::FILE* out_;
    std::string title_;
    int percent_ = 0;
    bool visible_ = false;
    bool lineOpen_ = false;
};

} // namespace zx::cli
