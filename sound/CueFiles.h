// Finds the sound files behind cue names: the cue's own file in the current
// directory, and the program's default sound installed beside the program.
#pragma once

#include <QString>

// The file for a cue name such as "./Sound/Push": the file as named, else the
// name with ".wav"; the file name may differ in case from the cue's, so a
// folder copied from a case-insensitive file system still works. Empty when
// there is no such file.
QString ResolveCueFile(const QString &cueName);

// The program's default sound, looked for relative to the running program
// (share/minukape beside an installed program, or in its build tree). Empty
// when it is missing.
QString DefaultCueFile();
