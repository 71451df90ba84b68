#pragma once

#include <QString>
#include <optional>

#include "vocabulary/tvoclib.h"

// The editor's library-level editing commands as operations on a library,
// without a window: sorting, mixing, turning, removing duplicates,
// inserting and deleting records, searching and going to a record.
//
// Every operation keeps the library's rule that the list ends with exactly
// one empty record, the trailing empty record (TVocLib). That record takes
// no part in sorting, mixing, turning or the duplicate test, and the
// current record (Current) is a valid index afterwards. Operations that
// change records set Modified.
namespace LibraryEditing {

// The first incomplete record (no entry or no first meaning) other than the
// trailing empty record, or -1.
int FirstIncompleteRecord(const TVocLib& library);

// One trailing empty record: surplus empty records at the end without any
// text are dropped (a record that holds typed text always stays), and one
// is added (continuing the direction of the record before it) when the last
// record is complete. Current is clamped to the list.
void NormalizeTrailing(TVocLib& library);

// The sort key of a record: Vokabel + Wortart (decimal) + Bedeutung[0] + Bedeutung[1].
QString SortKey(const TVokabel& record);

// Spanish records (Deutsch false) first, German ones behind them, each group
// sorted by SortKey, compared case-insensitively in the locale's order.
// False (nothing changes) while an incomplete record other than the trailing
// one exists. Current becomes 0.
bool Sort(TVocLib& library);

// As many times as there are records, exchanges the records at two different
// random positions. False (nothing changes) with fewer than four records.
// Current becomes 0.
bool Mix(TVocLib& library);

// Appends a reversed copy of every record from `from` to the last (the
// trailing empty record excluded): entry and first meaning exchanged, second
// meaning, contexts and their flags cleared, direction inverted, word class
// and difficulty kept. The records copied stay where they are. The count is
// taken before the walk, so the copies are not turned again.
void Turn(TVocLib& library, int from = 0);

// All meanings of a record as one text: Bedeutung[0], followed by "; " and
// Bedeutung[1] when that is not empty.
QString MeaningsOf(const TVokabel& record);

// Two records are duplicates when direction, word class and entry are
// equal, their two meaning fields are equally long together, and their
// meaning texts hold the same meanings (CompareMeaningSets).
bool IsDuplicate(const TVokabel& a, const TVokabel& b);

// Removes every record that duplicates an earlier one; returns the number
// removed, or -1 ("Nicht genug Vokabeln!") when the library holds fewer
// than two records. Current is clamped.
int RemoveDuplicates(TVocLib& library);

// Inserts an empty record before the record at index (which becomes the
// new record's index). Refused (false) when that record or the one before it
// is incomplete, except that the trailing empty record may get a record put
// before it when the record before it is complete.
bool InsertBefore(TVocLib& library, int index);

// Removes the record at index; an emptied library gets one empty record;
// the trailing empty record stays; Current is clamped (a position at or
// beyond the last line selects the last line).
void DeleteRecord(TVocLib& library, int index);

// The search of the editor: text, case flag and where the last hit was.
struct SearchState {
  QString text;
  bool caseSensitive = false;
  int record = -1;    // record of the last hit; -1: none yet
  int field = 0;      // 0 Vokabel, 1 Bedeutung[0], 2 Bedeutung[1], 3 Kontext[0], 4 Kontext[1]
  int position = -1;  // character position of the last hit in its field
};

struct SearchHit {
  int record = 0;
  int field = 0;
  int position = 0;
  int length = 0;
};

// The text of a record's searchable field 0..4 (as SearchState::field).
QString SearchField(const TVokabel& record, int field);

// The next hit after the last one (from the first record when there was
// none), walking record by record through the five fields in their order,
// wrapping after the last record and ending after one full pass. The state
// remembers the hit. No value when the text occurs nowhere (or is empty).
std::optional<SearchHit> FindNext(const TVocLib& library, SearchState& state);

// The target of "Gehe zu": a whole number n selects record n (1-based) when
// 1 <= n <= the record count; any other text the first record whose entry
// begins with it, ignoring case. -1 when nothing fits.
int GoToTarget(const TVocLib& library, const QString& text);

}  // namespace LibraryEditing
