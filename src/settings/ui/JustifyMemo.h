#pragma once

class QPlainTextEdit;

// Spreads the words of an explanatory text over its width, every line but the last two, measured in
// the text's own font against the text box's outer width.
void JustifyMemo(QPlainTextEdit* memo);
