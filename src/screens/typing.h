#pragma once

#include <string>

class TScreenText;

// Typing into a text (the name for the table, the country): Backspace takes the last
// character; a typable one is added while the text, measured before it in the given style, is
// no wider than `widest` pixels and shorter than twelve characters.
void TypeInto(TScreenText& screenText, std::string& text, int key, int style, int widest);
