// On Windows a component made with the default constructor runs on Win32, COM and the real Word.
#include "platform/platform.h"
#include "platform/win32/win32_desktop.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_runtime.h"

namespace k72645 {

Platform makeDefaultPlatform() {
    return Platform{
        std::make_shared<win32::Win32FileSystem>(), std::make_shared<win32::Win32Desktop>(),
        std::make_shared<win32::Win32Runtime>(), std::make_shared<win32::Win32Sleeper>()};
}

}  // namespace k72645
