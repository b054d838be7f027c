// The scenario file named by the environment variable CORVANE_SIM_SCENARIO, and whether it
// changed since it was last read. Without the variable the default phone applies.
//
// Owned by the Library and used under its state mutex only.
#pragma once

#include <string>

#include "Scenario.h"

namespace sim {

inline constexpr const char* kScenarioVariable = "CORVANE_SIM_SCENARIO";

class ScenarioSource {
  public:
    // Reads the variable and the file. True when the path or the text differ from the last read
    // (always on the first): Current() and Error() then describe the new read.
    bool Refresh();

    bool Loaded() const { return loaded_; }
    // The scenario of the last good read (the default phone before one).
    const Scenario& Current() const { return current_; }
    // Empty after a good read; otherwise what is wrong, naming the file or the bad line.
    const std::string& Error() const { return error_; }

  private:
    bool loaded_ = false;
    std::string path_;
    bool readable_ = false;
    std::string text_;
    Scenario current_;
    std::string error_;
};

}  // namespace sim
