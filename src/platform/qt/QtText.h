// Conversions between the platform's UTF-8 std::string texts and QString.
#pragma once

#include <QString>
#include <string>

namespace platform::qt {

inline QString ToQString(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline QString ToQString(const char* text) {
    return text == nullptr ? QString() : QString::fromUtf8(text);
}

inline std::string ToStdString(const QString& text) {
    return text.toUtf8().toStdString();
}

}  // namespace platform::qt
