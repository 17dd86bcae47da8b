#pragma once

// Solves the frame held in nudo and barra for every load combination at once by the
// direct stiffness method (dense matrices, one full-pivoting LU factorisation of the free
// part) and stores the displacements and reactions in every node and the end
// displacements in every bar. Run it after model building, only when noNudos, noBarras and
// noCombos are all non-zero. Free directions that nothing stiffens are counted and named
// on the console (one line for all of them) and held at 0; a mechanism is held at the
// direction that moves most in each of its modes, and the line names the first one held.
// A model that does not fit in memory, or whose stiffness, loads or results are not
// finite, is left unsolved (no result in any node or bar) with one line that says why.
void funcionSolucionU();
// The same with `memoriaLibre` bytes available now (each later check sees them less what
// the process has taken since).
void funcionSolucionU(double memoriaLibre);

// The solver's steps in the order funcionSolucionU runs them, exposed so the benchmark can time each.
namespace pasosSolucion {

void vaciarResultados();         // empties every analysis variable
void ensamblarRigidez();         // kEstructura from the bars' global stiffness
void ensamblarCargas();          // pCombo: bars' equivalent nodal loads plus node loads
void sumarResortes();            // node springs on the diagonal of kEstructura
void particionar();              // gdlLibres, noLibres, then reunirLibres
void reunirLibres();             // kLL and pL from the free directions of gdlLibres
void resolverLibres();           // uLibres from one LU factorisation of kLL's stiffened directions
void repartirDesplazamientos();  // u, and the displacements of every node and bar
void calcularReacciones();       // reacciones, and the reactions of every node

// Bytes a solve of the model as it stands takes at its peak beyond the model itself (the
// equivalent loads of the bars included), mechanisms too. The directions the LU
// factorises are those the assembled kEstructura stiffens, once it is assembled; before,
// every free direction. funcionSolucionU checks the assembly's part of it against
// memoriaDisponible() before the assembly, and the rest after it.
double memoriaNecesaria();

}  // namespace pasosSolucion
