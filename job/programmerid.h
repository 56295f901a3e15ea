// The identifier a radio must require for this program to write it.
#pragma once

#include <QString>

// The programmer identifier a radio must require for this tool to write it.
// It is kept scrambled in the program and assembled when asked for.
QString ProgrammerId();
