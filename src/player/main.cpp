// k72645: the player of the exercise-checking component on the simulated Word.
#include "player/player_cli.h"

int main(int argc, char** argv) {
    return k72645::player::runCli(argc, argv);
}
