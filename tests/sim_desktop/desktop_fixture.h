// Shared set-up for the simulated desktop's tests: a desktop and short ways to open windows.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/desktop/sim_desktop.h"

namespace k72645::sim::testing {

using Handles = std::vector<WindowHandle>;
inline constexpr WindowHandle kMissing = 0x7ffffff0;

class DesktopTest : public ::testing::Test {
protected:
    WindowHandle open(const std::u16string& className, const std::u16string& title,
                      WindowHandle parent = 0, bool visible = true) {
        return desktop.createWindow({className, title, 0, parent, 0, visible});
    }
    WindowHandle dialog(WindowHandle owner, const std::u16string& title) {
        return desktop.createWindow(
            {u"bosa_sdm_Microsoft Office Word 11.0", title, owner, 0, kModalFrameStyle, true});
    }

    SimDesktop desktop;
};

}  // namespace k72645::sim::testing
