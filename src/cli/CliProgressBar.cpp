// Drawing the progress bar.
#include "cli/CliProgressBar.h"

#include <algorithm>

namespace zx::cli {

std::string CliProgressBar::render(const std::string& title, int percent, int width) {
    percent = std::clamp(percent, 0, 100);
    const int filled = percent * width / 100;
    std::string line = title + " [";
    line.append(std::size_t(filled), '#');
    line.append(std::size_t(width - filled), '.');
    line += "] " + std::to_string(percent) + "%";
    return line;
}

void CliProgressBar::show(std::string title) {
    title_ = std::move(title);
    percent_ = 0;
    visible_ = true;
    draw();
}

void CliProgressBar::set(int percent) {
    percent_ = std::clamp(percent, 0, 100);
    if (visible_)
        draw();
}

void CliProgressBar::breakLine() {
    if (enabled_ && lineOpen_) {
        std::fputc('\n', out_);
        std::fflush(out_);
    }
    lineOpen_ = false;
}

void CliProgressBar::hide() {
    breakLine();
    visible_ = false;
}

void CliProgressBar::draw() {
    if (!enabled_)
        return;
    std::fprintf(out_, "\r%s", render(title_, percent_).c_str());
    std::fflush(out_);
    lineOpen_ = true;
}

} // namespace zx::cli
