// The check of the editor fields before the block leaves the program: a typo in a field must
// never become a word of the phone's calibration or of a block file.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <vector>

namespace block {

// A field whose text is no clean 16-bit word (IsCleanHexWord).
struct UncleanField {
    std::size_t word;  // 0 to 9: the field of word n
    std::string text;  // the text as the conversion would see it
    friend bool operator==(const UncleanField&, const UncleanField&) = default;
};

// The label beside the field of word n: its byte offset in four upper-case hexadecimal digits and
// a colon ("0000:" for word 0, "0012:" for word 9).
std::string OffsetLabel(std::size_t word);

// The fields among `texts` (the text of word n at index n) that do not hold a clean word, in word
// order; empty when all are clean.
std::vector<UncleanField> FindUncleanFields(std::span<const std::string> texts);

// The message box that refuses them: "Error: " and one sentence that names each field by its
// offset label and its text (a long text cut, so that the box stays readable) and says what a field
// may hold. `fields` must not be empty.
std::string UncleanFieldsMessage(std::span<const UncleanField> fields);

}  // namespace block
