#pragma once

// Writes the solved model and all its results to "resultados.txt" in the working
// directory: node and bar data, the stiffness matrices, loads, displacements, integration
// constants and the end forces of every bar per load combination. Run it after
// funcionSolucionU on the current model; on a model that is not solved it writes nothing.
void funcionImprimirResultados();
