#pragma once

// Substring test with a one-way case fold: an upper-case ASCII letter in
// `text` also matches its lower-case form in `pattern`, never the reverse.
// Keywords and file-name lists are written in lower case, so this finds them
// however the user or Windows capitalised the text. Returns 1 or 0.
int ContainsNoCase(const char* text, const char* pattern);

// Where the first such match starts in `text`, or nullptr.
const char* FindNoCase(const char* text, const char* pattern);
