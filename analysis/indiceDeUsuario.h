#pragma once

#include <ostream>
#include <vector>

#include <Eigen/Dense>

// The user numbers of the "nudos:" and "barras:" tables: which row defines each number,
// the faults of the tables, and the console lines that name them. The lookups grow with the
// largest user number, not with the number of rows; a larger number than numeroMaximo is
// refused so that a stray word cannot ask for gigabytes.
constexpr double numeroMaximo = 1000000.0;

// How the console lines name one kind of element.
struct Clase {
    const char* etiqueta;    // its table's tag
    const char* articulo;    // "el" / "la"
    const char* nombre;      // "nudo" / "barra"
    const char* definido;    // "definido" / "definida"
};

extern const Clase claseNudo;
extern const Clase claseBarra;

// User number -> row of the table that defines it (-1 where no row does).
class Indice {
public:
    explicit Indice(const Clase& clase) : clase(clase) {}

    int fila(double numero) const;
    // The row of an element that a row of another tag names; -1, with a console line, when
    // no row of the table defines it.
    int referido(double numero, const char* etiqueta, int aparicion) const;
    // Indexes the first column of the table; prints one line per negative, too large or
    // repeated number and answers how many there were.
    int indexar(const Eigen::MatrixXd& tabla);
    // Bytes of the row list that indexar makes from the table and of the lookup that
    // puntero makes from it: an int per number up to the largest that is not refused.
    static double bytesDelIndice(const Eigen::MatrixXd& tabla);
    // The program-wide lookup: every number that no row defines maps to 0.
    Eigen::VectorXi puntero() const;
    // The start of a console line about a row of the table (counted from 1).
    std::ostream& error(Eigen::Index r) const;

private:
    const Clase& clase;
    std::vector<int> filas;
};

// Lists every fault of the two tables (no row of nodes; faulty numbers; a bar whose ends are
// not nodes of the table, or are one node) and indexes them; true when a model can be built
// from them.
bool tablasSanas(const Eigen::MatrixXd& tablaNudos, const Eigen::MatrixXd& tablaBarras, Indice& nudos,
                 Indice& barras);
