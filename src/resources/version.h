// Version numbers shared by the version record and the code that reads it back.
#pragma once

#define CORVANE_VERSION_MAJOR 0
#define CORVANE_VERSION_MINOR 15
#define CORVANE_VERSION_REVISION 0

#define CORVANE_ICON_ID 1
