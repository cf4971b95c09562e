#include "word/word_session.h"

namespace k72645 {

DrawingLockRelease::~DrawingLockRelease() {
    if (!session_.drawingLocked)
        return;
    session_.drawingLocked = false;
    try {
        session_.desktop().unlockDrawing();
    } catch (...) {
        // Unlocking is best effort: nothing may leave a destructor.
    }
}

}  // namespace k72645
