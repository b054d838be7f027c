// A small form with one component of each kind, in the shape of the main window's table.
#pragma once

#include <array>

#include "platform/Application.h"
#include "platform/Form.h"

namespace platform_test {

using platform::ComponentKind;
using platform::ComponentSpec;

inline const platform::TFontSpec kHeading{"Arial", 16, true, true, platform::clBlack};
inline const platform::TFontSpec kValue{"Arial", 12, false, false, std::nullopt};

inline const platform::FormSpec kSmallFormSpec{
    "Small Form", 206, 111, 553, 505, {"", 11, false, false, std::nullopt}};

// Tab places are deliberately not in table order: the chain must follow the numbers.
inline const std::array<ComponentSpec, 11> kSmallFormTable{{
    {ComponentKind::Label, "Heading", {16, 24, 139, 18}, "Heading", &kHeading, -1},
    {ComponentKind::StaticText, "Value", {136, 48, 10, 19}, "--", &kValue, 4},
    {ComponentKind::Edit, "Field", {56, 256, 49, 21}, "0", nullptr, 3},
    {ComponentKind::Button, "ReadFile", {464, 24, 75, 25}, "&Read File", nullptr, 0},
    {ComponentKind::Button, "ReadPhone", {464, 216, 75, 25}, "&Read Phone", nullptr, 1},
    {ComponentKind::Button, "Exit", {464, 400, 75, 25}, "&Exit", nullptr, 2},
    {ComponentKind::ProgressBar, "Bar", {16, 472, 521, 13}, nullptr, nullptr, 5, 0, 60, 1},
    {ComponentKind::Timer, "Tick", {}, nullptr, nullptr, -1},
    {ComponentKind::OpenDialog,
     "Open",
     {},
     "Open a block",
     nullptr,
     -1,
     0,
     0,
     0,
     "Block files|*.blk",
     "blk",
     nullptr},
    {ComponentKind::SaveDialog,
     "Save",
     {},
     "Save a block",
     nullptr,
     -1,
     0,
     0,
     0,
     "Block files|*.blk",
     "blk",
     "Current.blk"},
    {ComponentKind::Label, "Credit", {456, 488, 84, 13}, "credit", nullptr, -1},
}};

// Counts its close requests instead of ending the application.
class SmallForm : public platform::TForm {
  public:
    SmallForm() : TForm(kSmallFormSpec, kSmallFormTable) {}
    explicit SmallForm(platform::TApplication*) : SmallForm() {}
    void CloseRequested() override { ++closeRequests; }
    int closeRequests = 0;
};

}  // namespace platform_test
