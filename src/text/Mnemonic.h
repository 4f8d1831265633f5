// Alt+letters of captions: which letter a caption carries, how a letter is put into a
// caption in each language ("&Port" in English, "端口(&P)" in Chinese, as the menus have
// them), and how the letters of one window are shared out so that each control gets one of
// its own.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zx::text {

// The Alt+letter of a caption (the character after a single '&'), upper case; 0 when none.
char mnemonicLetter(std::string_view caption);

// The caption without its Alt+letter mark: "&Port" -> "Port", "端口(&P)" -> "端口".
std::string withoutMnemonic(std::string_view caption);

// The caption without the mark of its Alt+letter, still in the form a caption takes (a
// doubled '&' of the text stays doubled): "&Port" -> "Port", "R&&D" -> "R&&D".
std::string withoutMnemonicMark(std::string_view caption);

// `caption` with `letter` as its Alt+letter in `language`. A caption that has one keeps it.
// English (and any caption of plain ASCII) marks the letter where it first starts a word,
// else where it first occurs; a caption without the letter, and every Chinese caption that
// is not plain ASCII, gets "(&X)" appended.
std::string withMnemonic(std::string_view caption, char letter, int language);

// Letters for the captions of one window, in order. A caption with a letter keeps it, unless
// an earlier caption or the frame has that letter; the others take, in order, the first free letter
// that starts a word of the caption, else the first free letter in it, else the first free letter
// of the alphabet. Letters in `taken` (the menu bar around a child window) are never given. When a
// window has more captions than free letters, the rest share letters (pressing the key again moves
// on to the next control of that letter): each takes the first letter of its own that is not in
// `taken`. A 0 is given where no letter is possible at all.
std::vector<char> chooseMnemonics(const std::vector<std::string>& captions, std::string_view taken);

} // namespace zx::text
