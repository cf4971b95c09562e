// The command line of k72645: list, run, play and demo.
#pragma once

namespace k72645::player {

int runCli(int argc, char** argv);

}  // namespace k72645::player
