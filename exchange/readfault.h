#pragma once
// Why another program's file could not be read, in terms a window can put in a user's language;
// the reader's own words (the error it returns beside) add the details.

namespace zembo {

enum class ReadFault {
  none,
  notText,       // a word list that holds a program's or a picture's bytes
  openQuote,     // a quote that opens a field and never ends
  unreadable,    // the file, or the room to unpack it, is not there
  tooLarge,      // a word list larger than any teacher's
  notZip,        // a deck package that is no zip archive
  noCollection,  // a zip archive without Anki's collection
  tooBig,        // a collection that would unpack beyond the limit or beyond any real ratio
  damaged,       // a package or collection that cannot be read to its end
};

}  // namespace zembo
