#pragma once
// Key filters the screens attach to their entry fields.
#include <functional>

class QLineEdit;

// Refuses the seven characters of file names and comma-separated files unless
// the field already holds a number; tells the user which character it was.
// Returns the key code to use, or 0 to swallow the key.
int CheckKeyEntry(int keyCode, QLineEdit *box);
// Digits, the point and backspace pass; anything else beeps and is swallowed.
int NumericKeyFilter(int keyCode);
// Shows a numeric text in the user's currency format; false (text unchanged)
// when the text is not a number.
bool FormatCurrencyBox(QLineEdit *box);

// Runs every typed character of a field through a filter (as the field's
// key-press event would); a result of 0 swallows the key.
void InstallKeyFilter(QLineEdit *box, std::function<int(int keyCode)> filter);
