/* Identifiers of the executable's resources, shared by the resource scripts and the backend. */
#pragma once

/* The application's icon: the window's title bar and the task bar. */
#define CORVANE_ICON_ID 1
