// Bounds on what libical may spend on one recurrence rule: it searches for a rule's next occurrence
// one candidate at a time, up to centuries ahead, and counts none of it.
#pragma once

#include <QDate>

#include <libical/ical.h>

// False when no day from `first` to `last` can hold an occurrence: the rule's months, month days and
// weekdays (with their positions in the month or year) leave none. A rule such as the 30th of
// February never occurs, and libical would look for it until year 2582. The days looked at are taken
// from `budget`; once it is spent the answer is true and the caller must stop.
bool RuleMayFallIn(const icalrecurrencetype& rule, QDate first, QDate last, qint64& budget);

// False when the rule's set positions (BYSETPOS) ask for more candidates than any month, year, week or
// day can hold, as the sixth Monday of a month: such a rule never occurs, and libical would look for it
// until year 2582 within a single step. The days looked at are taken from `budget` as above.
bool SetPositionsCanBeMet(const icalrecurrencetype& rule, qint64& budget);

// True for rules with parts whose days the checks above cannot count for libical: week numbers, year
// days, an interval with months, month days or weekdays (but for weekly rules), or set positions over
// months or years not narrowed by weekdays or month days. libical may look for such a rule until year
// 2582 within one step.
bool RuleIsLeftToLibical(const icalrecurrencetype& rule);

// True for rules that repeat within a day (every hour, minute or second) but only on some days: libical
// tries each candidate time of every day in between, which can mean millions of tries for one answer.
bool RuleSearchesTooFar(const icalrecurrencetype& rule);
