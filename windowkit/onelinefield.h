#pragma once
// A word or a translation is one line. A text pasted or dropped into a field may hold several
// lines, which a line edit would keep, line breaks and all: the field keeps the first line of what
// came in, as a single-line edit control does, and the rest of its own text around it.

#include <QString>

class QLineEdit;

namespace zembo {

// Cuts the line breaks out of a field's new text: input is the text after an insertion that ends
// at cursor. From the first line break on, the inserted text goes up to the cursor, and the
// cursor moves to the cut; any later break (none is typed) ends the text. True when it cut.
bool keepFirstLine(QString& input, int& cursor);

// Gives the field a validator that does the above on every change, typed, pasted or set.
void keepFieldOnOneLine(QLineEdit* field);

}  // namespace zembo
