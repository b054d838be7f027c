#include "block/UncleanFields.h"

#include <cstdio>

#include "block/HexWord.h"

namespace block {
namespace {

// Characters of a field's text that the message quotes; a longer text is cut there.
constexpr std::size_t kQuotedTextMax = 24;

// The text in quotes, cut to at most kQuotedTextMax bytes without splitting a UTF-8 character,
// "..." marking a cut.
std::string Quoted(const std::string& text) {
    std::size_t end = text.size();
    if (end > kQuotedTextMax) {
        end = kQuotedTextMax;
        while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) {
            --end;
        }
    }
    std::string quoted(1, '"');
    quoted.append(text, 0, end);
    quoted.append(end < text.size() ? "...\"" : "\"");
    return quoted;
}

}  // namespace

std::string OffsetLabel(std::size_t word) {
    char label[16];
    std::snprintf(label, sizeof label, "%04zX:", 2 * word);
    return label;
}

std::vector<UncleanField> FindUncleanFields(std::span<const std::string> texts) {
    std::vector<UncleanField> unclean;
    for (std::size_t word = 0; word < texts.size(); ++word) {
        if (!IsCleanHexWord(texts[word])) {
            unclean.push_back({word, texts[word]});
        }
    }
    return unclean;
}

std::string UncleanFieldsMessage(std::span<const UncleanField> fields) {
    std::string names;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            names += i + 1 == fields.size() ? " and " : ", ";
        }
        names += OffsetLabel(fields[i].word) + " " + Quoted(fields[i].text);
    }
    const char* verb = fields.size() == 1 ? " holds" : " hold";
    return "Error: " + names + verb +
           " no 16-bit hexadecimal word, so nothing was written; a field may hold only one to "
           "four hexadecimal digits (0-9, A-F), optionally after 0x.";
}

}  // namespace block
