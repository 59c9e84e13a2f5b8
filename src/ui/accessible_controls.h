#pragma once

#include <QString>

class Editor;
class QWidget;

// What screen readers and UI automation hear of the pages' knobs and value buttons: each is named
// by the parameter it edits now ("Op 1 Attack" while operator 1 is selected, "Breath Pitch",
// "Part 3 Volume") and valued by the text it shows. Null forgets the editor (before it goes).
void InstallAccessibleControls(const Editor* editor);

// The parameter a control of that object name edits, for the editor's current operator and
// modulation group; empty for a control that edits none.
QString ParameterName(const Editor& editor, const QString& objectName);
