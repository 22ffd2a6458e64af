// The player's record on the help page: a chart of the totals and a table by grade.
#pragma once

#include "evaluation/game_record.h"

#include <string>
#include <vector>

// Where the Windows program keeps the record, as the section says it.
extern const char RecordBesideSettings[];

// The player's record as a section of the help page, in UTF-8 HTML: heading, chart, table, and
// the sentence whereKept (HTML) that tells where the record is. Only validated dates and numbers
// of the games are printed, so nothing needs escaping.
std::string recordSection(const std::vector<GameRecord>& games,
                          const char* whereKept = RecordBesideSettings);

// The help page with section put where the page marks it (the line "<!-- record -->"); a page
// without the mark comes back unchanged.
std::string pageWithRecord(const std::string& page, const std::string& section);
