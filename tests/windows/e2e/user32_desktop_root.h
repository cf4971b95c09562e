// The scenarios' Desktop on Windows: the real window system under the user32 names a scenario
// uses, so that a scenario looks at Word's windows (in Word's own process) as the component does.
// SendMessage takes only WM_CLOSE (16), the learner closing a window; WindowCount counts the
// windows of Word's process.
#pragma once

#include <windows.h>

#include <memory>

#include "automation/automation_object.h"
#include "platform/win32/win32_desktop.h"

namespace k72645::e2e {

class User32DesktopRoot : public AutomationObject {
public:
    // `wordProcess`: the process whose windows WindowCount counts.
    explicit User32DesktopRoot(DWORD wordProcess);

private:
    win32::Win32Desktop desktop_;
};

}  // namespace k72645::e2e
