#pragma once

// Builds the model from the input file named by nombreArchivo: fills nudo and barra, the
// counts noNudos, noBarras and noCombos, the user-number lookups, the drawing scales and
// precision, with one progress line per step on the console. nudo and barra are expected
// empty on entry. When no model can be built (the file cannot be opened or is not a
// regular file, does not fit in memory, holds no whole row of "nudos:", or its "nudos:" or
// "barras:" table is faulty) the counts are 0 and nudo and barra stay empty; the console
// says why. Every step that can take much memory (the file's text and each query's
// answer, the elements, their loads, the combinations and the rows of them that every node
// and bar holds, (nodes + bars) x combinations) is reckoned before it is taken, against the
// memory available then (memoriaDeLectura.h).
void funcionLeerArchivo();
// The same with `memoriaLibre` bytes available now (each later check sees them less what
// the process has taken since).
void funcionLeerArchivo(double memoriaLibre);
