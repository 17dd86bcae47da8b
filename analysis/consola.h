#pragma once

// Clears the console at start-up. Writes the ANSI clear-screen sequence only when
// standard output is a terminal, so redirected output stays clean; runs no shell command.
void limpiarConsola();
