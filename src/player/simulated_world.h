// The scenario world of this build: a fresh simulated world (Word, desktop, files), a new
// Module of the component on its ports, and the course's delivery.
#pragma once

#include <filesystem>

#include "player/scenario_world.h"

namespace k72645::player {

// The course folder built in (overridden by --course).
std::filesystem::path defaultCourseFolder();

// Worlds that deliver from the course folder given, into working folders under one temporary
// root shared by every world the factory makes.
WorldFactory simulatedWorldFactory(std::filesystem::path courseFolder);

}  // namespace k72645::player
