#pragma once
// Type-ahead for drop-down lists: letters typed in quick succession (less than half a
// second apart) build a prefix, and the first entry from the top that begins with it,
// whatever the case, is selected. One search state serves the whole run and every
// combo: a pause of half a second or more, or a key in another combo, starts anew.
//
// Every character counts, Backspace, Enter and Escape included: none of them deletes
// from or ends the search. A prefix that matches nothing leaves the selection as it was
// and keeps missing until the next pause. The key itself never reaches the box, so its
// own one-letter search does not run and an editable box's text is not typed into.

#include <QEvent>

class QComboBox;

// Handles one keystroke for the combo: keyAscii is the character code of the key, set
// to 0 on return. An entry found is picked as a clerk picks it from the open list: it
// becomes the selection and the combo's selection (_Click) handler runs, also when it
// was selected already (a price emptied for a similar line is filled again).
void AutoCompleteCombo(QComboBox *combo, int &keyAscii);

// The event a type-ahead pick sends its combo just before picking: the clerk has touched
// the list, as a key press or a mouse press on it would tell.
QEvent::Type TypeAheadPickEvent();

// Gives the combo the type-ahead: every key press that carries a character (printable
// characters, Backspace, Enter and Escape) goes to AutoCompleteCombo and no further.
// With passEnter, Enter and Return reach the box and its window as usual. Keys without a
// character (Tab, arrows, function keys) and Ctrl or Alt combinations pass untouched.
void AttachAutoComplete(QComboBox *combo, bool passEnter = false);

// Forgets the search state (time, prefix and combo), as at start-up.
void ResetAutoComplete();
