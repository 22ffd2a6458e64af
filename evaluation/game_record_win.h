// record.csv in the working folder, beside setdata.ini: a line for every finished game.
#pragma once

#include "evaluation/game_record.h"

#include <vector>

// Appends the line of the game that has just ended, as its evaluation shows it. A record that
// cannot be written costs the player nothing: nothing is said, the game goes on.
void recordFinishedGame();

// The games of the record, from the file's last part only, so that a record of any size or
// content costs no more than a small one. None when there is no record.
std::vector<GameRecord> readGameRecord();
