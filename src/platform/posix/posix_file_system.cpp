#include "platform/posix/posix_file_system.h"
