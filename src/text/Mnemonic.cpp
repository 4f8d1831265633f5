// Alt+letters of captions.
#include "text/Mnemonic.h"

#include "text/Language.h"

#include <algorithm>
#include <cctype>

namespace zx::text {

namespace {

char upper(char c) {
    return char(std::toupper(static_cast<unsigned char>(c)));
}

bool isLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool plainAscii(std::string_view s) {
    return std::all_of(s.begin(), s.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 128; });
}

// Letters of a caption in the order they are offered: word starts first, then the rest.
std::string candidates(std::string_view caption) {
    std::string starts;
    std::string rest;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        const char c = caption[i];
        if (!isLetter(c))
            continue;
        const bool start = i == 0 || !isLetter(caption[i - 1]);
        (start ? starts : rest) += upper(c);
    }
    return starts + rest;
}

} // namespace

char mnemonicLetter(std::string_view caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&')
            continue;
        if (caption[i + 1] == '&') {
            ++i; // a '&' of the text itself
            continue;
        }
        return isLetter(caption[i + 1]) || std::isdigit(static_cast<unsigned char>(caption[i + 1]))
                   ? upper(caption[i + 1])
                   : 0;
    }
    return 0;
}

std::string withoutMnemonic(std::string_view caption) {
    std::string out;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '(' && i + 3 < caption.size() && caption[i + 1] == '&' &&
            caption[i + 3] == ')') {
            i += 3; // "(&X)"
            continue;
        }
        if (caption[i] == '&') {
            if (i + 1 < caption.size() && caption[i + 1] == '&')
                out += '&';
            ++i;
            if (i < caption.size() && caption[i] != '&')
                out += caption[i];
            continue;
        }
        out += caption[i];
    }
    return out;
}

std::string withoutMnemonicMark(std::string_view caption) {
    std::string out;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '(' && i + 3 < caption.size() && caption[i + 1] == '&' &&
            caption[i + 2] != '&' && caption[i + 3] == ')') {
            i += 3; // "(&X)"
            continue;
        }
        if (caption[i] == '&') {
            if (i + 1 < caption.size() && caption[i + 1] == '&') {
                out += "&&";
                ++i;
            }
            continue; // the mark itself goes
        }
        out += caption[i];
    }
    return out;
}

std::string withMnemonic(std::string_view caption, char letter, int language) {
    if (mnemonicLetter(caption) != 0 || letter == 0)
        return std::string(caption);
    const std::string text(caption);
    letter = upper(letter);
    if (language != Chinese || plainAscii(caption)) {
        std::size_t at = std::string::npos;
        for (std::size_t i = 0; i < text.size() && at == std::string::npos; ++i)
            if (upper(text[i]) == letter && (i == 0 || !isLetter(text[i - 1])))
                at = i;
        for (std::size_t i = 0; i < text.size() && at == std::string::npos; ++i)
            if (upper(text[i]) == letter && (i == 0 || text[i - 1] != '&'))
                at = i;
        if (at != std::string::npos)
            return text.substr(0, at) + '&' + text.substr(at);
    }
    return text + "(&" + letter + ')';
}

std::vector<char> chooseMnemonics(const std::vector<std::string>& captions,
                                  std::string_view taken) {
    // A caption choosing again offers its letters without its old mark.
    auto offered = [&](std::size_t i) { return candidates(withoutMnemonic(captions[i])); };
    std::string used;
    for (char c : taken)
        used += upper(c);
    const std::string reserved = used;
    auto isFree = [&](char c) { return used.find(c) == std::string::npos; };
    std::vector<char> letters(captions.size(), 0);
    // Letters the captions carry already are theirs, unless an earlier one or the frame has
    // it: that caption chooses again.
    for (std::size_t i = 0; i < captions.size(); ++i)
        if (const char own = mnemonicLetter(captions[i]); own != 0 && isFree(own)) {
            letters[i] = own;
            used += own;
        }
    for (std::size_t i = 0; i < captions.size(); ++i) {
        if (letters[i] != 0)
            continue;
        for (char c : offered(i) + "ABCDEFGHIJKLMNOPQRSTUVWXYZ")
            if (isFree(c)) {
                letters[i] = c;
                used += c;
                break;
            }
    }
    // More captions than letters: the rest share, never a letter of the frame; each takes
    // the one of its letters shared least so far, so that no key has to be pressed often.
    std::vector<int> shared(26, 0);
    for (char c : letters)
        if (c >= 'A' && c <= 'Z')
            ++shared[std::size_t(c - 'A')];
    for (std::size_t i = 0; i < captions.size(); ++i) {
        if (letters[i] != 0)
            continue;
        // A letter of its own caption when it has one the frame leaves, else any.
        for (const std::string& choice : {offered(i), std::string("ABCDEFGHIJKLMNOPQRSTUVWXYZ")}) {
            for (char c : choice)
                if (reserved.find(c) == std::string::npos &&
                    (letters[i] == 0 ||
                     shared[std::size_t(c - 'A')] < shared[std::size_t(letters[i] - 'A')]))
                    letters[i] = c;
            if (letters[i] != 0)
                break;
        }
        if (letters[i] != 0)
            ++shared[std::size_t(letters[i] - 'A')];
    }
    return letters;
}

} // namespace zx::text
