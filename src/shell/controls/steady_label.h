#pragma once

class QLabel;
class QString;

// Labels whose text changes with every sample keep a fixed size: the
// toolbar read-outs one that only ever grows, the log panel its own width. A label of fixed size
// takes a new text without laying out its window again, so a sample repaints
// just the labels that changed, and the read-outs stop shifting the controls
// beside them as their digits come and go.

// Fixes the label's height to one line of its font and its width to at
// least minimumWidth.
void MakeSteady(QLabel &label, int minimumWidth);

// Shows text on a steady label, widening it first if the text needs more
// room than the label has.
void SetSteadyText(QLabel &label, const QString &text);
