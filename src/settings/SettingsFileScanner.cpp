#include "settings/SettingsFileScanner.h"

#include "settings/LineRules.h"

namespace settings {

std::optional<std::string> ReadLinePiece(std::FILE* file, std::size_t pieceSize) {
    if (pieceSize < 1) {
        pieceSize = 1;
    }
    std::string piece;
    while (piece.size() < pieceSize) {
        int c = std::getc(file);
        if (c == EOF) {
            break;
        }
        if (c == '\r') {
            const int next = std::getc(file);
            if (next == '\n') {
                c = '\n';
            } else if (next != EOF) {
                std::ungetc(next, file);
            }
        }
        piece.push_back(static_cast<char>(c));
        if (c == '\n') {
            break;
        }
    }
    if (piece.empty()) {
        return std::nullopt;
    }
    return piece;
}

std::optional<std::string> FindSettingValue(std::FILE* file, std::string_view section,
                                            std::string_view key, std::size_t pieceSize) {
    bool inSection = false;
    while (std::optional<std::string> piece = ReadLinePiece(file, pieceSize)) {
        // The piece is examined as a zero-terminated text would be.
        const std::string_view line(piece->c_str());
        if (IsCommentLine(line)) {
            continue;
        }
        if (!inSection) {
            if (IsSectionHeader(line)) {
                inSection = SectionNameOf(line) == section;
            }
            continue;
        }
        if (IsSectionHeader(line)) {
            return std::nullopt;  // only the section's first occurrence is searched
        }
        const KeyLine keyLine = SplitKeyLine(line);
        if (!keyLine.key.empty() && keyLine.key == key) {
            if (!keyLine.value) {
                return std::nullopt;
            }
            return std::string(*keyLine.value);
        }
    }
    return std::nullopt;
}

}  // namespace settings
