#pragma once

// Solves the frame held in nudo and barra for every load combination at once by the
// direct stiffness method (dense matrices, one full-pivoting LU factorisation of the free
// part) and stores the displacements and reactions in every node and the end
// displacements in every bar. Run it after model building, only when noNudos, noBarras and
// noCombos are all non-zero.
void funcionSolucionU();
