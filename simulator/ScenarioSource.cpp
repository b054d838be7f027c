#include "ScenarioSource.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "ScenarioParser.h"

namespace sim {

namespace {

// A scenario file is a few lines; anything bigger than this is not one.
constexpr std::size_t kScenarioSizeMax = 1 << 20;

bool ReadFile(const std::string& path, std::string& text) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return false;
    }
    text.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return !file.bad() && text.size() <= kScenarioSizeMax;
}

}  // namespace

bool ScenarioSource::Refresh() {
    const char* variable = std::getenv(kScenarioVariable);
    const std::string path = variable != nullptr ? variable : "";
    std::string text;
    const bool readable = path.empty() || ReadFile(path, text);
    if (loaded_ && path == path_ && readable == readable_ && text == text_) {
        return false;
    }
    loaded_ = true;
    path_ = path;
    readable_ = readable;
    text_ = std::move(text);
    if (!readable_) {
        error_ = "scenario file '" + path_.substr(0, 160) + "' cannot be read";
        return true;
    }
    ParsedScenario parsed = ParseScenario(text_);
    error_ = std::move(parsed.error);
    if (error_.empty()) {
        current_ = std::move(parsed.scenario);
    }
    return true;
}

}  // namespace sim
