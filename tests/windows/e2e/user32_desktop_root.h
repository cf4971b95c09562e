// The scenarios' Desktop on Windows: the real window system under the user32 names a scenario
// uses, so that a scenario looks at the hosted Word's windows as the component does.
// SendMessage takes only WM_CLOSE (16), the learner closing a window.
#pragma once

#include <memory>

#include "automation/automation_object.h"
#include "platform/win32/win32_desktop.h"

namespace k72645::e2e {

class User32DesktopRoot : public AutomationObject {
public:
    User32DesktopRoot();

private:
    win32::Win32Desktop desktop_;
};

}  // namespace k72645::e2e
