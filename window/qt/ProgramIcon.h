// The program's icon, a magnifying glass over a blue disc, at every size
// rendered from its artwork, for the window and its message boxes.
#pragma once

#include <QIcon>

QIcon ProgramIcon();
