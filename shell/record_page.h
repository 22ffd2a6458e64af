// The player's record on the help page: the days played, a chart of the totals, the bests and
// the progress by grade.
#pragma once

#include "evaluation/game_record.h"

#include <string>
#include <vector>

// Where the Windows program keeps the record, as the section says it.
extern const char RecordBesideSettings[];

// The player's record as a section of the help page, in UTF-8 HTML: heading, calendar of the
// weeks up to today (the front end's local date; only its day counts, and one off the calendar is
// taken as the nearest valid day), chart, tables, a suggestion for grade index gradeIndex (the
// grade chosen for play, 0 = 10級; an index off the list stands for the nearest grade, as the
// game plays it), and the sentence whereKept (HTML) that tells where the record is. Only
// validated dates and numbers of the games are printed, so nothing needs escaping.
std::string recordSection(const std::vector<GameRecord>& games, const LocalTime& today,
                          int32_t gradeIndex, const char* whereKept = RecordBesideSettings);

// The help page with section put where the page marks it (the line "<!-- record -->"); a page
// without the mark comes back unchanged.
std::string pageWithRecord(const std::string& page, const std::string& section);
