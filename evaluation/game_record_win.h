// record.csv in the working folder, beside setdata.ini: a line for every finished game.
#pragma once

#include "evaluation/game_record.h"

#include <vector>

// Appends the line of the game that has just ended, as its evaluation shows it, after the lines
// not yet appended. A record that cannot be written costs the player nothing: nothing is said,
// the game goes on, and the line is kept to be tried again with the next one.
void appendFinishedGame();

// At the end of the run: the lines not yet appended go in now, or, where the record is still held
// elsewhere, to the pending file that the next run appends first.
void saveUnwrittenGames();

// The games of the record, from the file's last part only, so that a record of any size or
// content costs no more than a small one. None when there is no record.
std::vector<GameRecord> readGameRecord();
