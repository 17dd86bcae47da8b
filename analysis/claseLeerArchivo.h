#pragma once

#include <algorithm>
#include <limits>
#include <string>
#include <vector>

#include <Eigen/Dense>

// Answers questions about one tagged text file. The file is a sequence of words (runs of
// bytes other than blank, tab, line feed, carriage return, vertical tab and form feed); a
// tag is a word equal to it byte for byte, colon included. A word is numeric when all its
// characters are among "1234567890+-.e". Every query opens the file anew, for reading
// only, and reads it from its first word: nothing is kept between queries, so the file may
// change between them. A file that cannot be opened, or is not a regular file (a pipe, a
// FIFO, a device, a directory), reads as an empty one.
//
// Occurrences of a tag count from 1 in file order; `salto` words after the occurrence are
// passed over before the numbers are read.
//
// A run, block or factor list still ends at a word such as 1,4 or 3E2 (a decimal comma or a
// capital E), but with a console line naming the word, the tag and the occurrence; so does
// a value after a tag whose number stops at a comma, or for an integer at a capital E (a
// real reads 3E2 as 300). Words in a name's place are never examined.
class claseLeerArchivo {
public:
    claseLeerArchivo();
    ~claseLeerArchivo();

    void setNombreArchivo(std::string nombre);

    int getNoEtiquetas(std::string etiqueta) const;
    // Every block of numeric words after the tag, in file order, as a table of `columnas`
    // columns filled row by row; 0 x 0 with a console line when the words fill no whole row.
    Eigen::MatrixXd getMatriz(std::string etiqueta, int columnas) const;
    // The numeric run after the n-th occurrence.
    std::vector<double> getMatrizEtiquetaRepetida(std::string etiqueta, int n, int salto) const;
    // The factor/name pairs after the n-th occurrence: entry k of one list belongs to
    // entry k of the other.
    std::vector<double> getFactoresEtiqueta(std::string etiqueta, int n, int salto) const;
    std::vector<std::string> getNombresDeFactores(std::string etiqueta, int n, int salto) const;
    // The word right after the n-th occurrence; empty when there is none.
    std::string getString(std::string etiqueta, int n) const;
    // The value after the last occurrence; -1 with a console line when there is none.
    double getReal(std::string etiqueta) const;
    int getEntero(std::string etiqueta) const;

    bool esNumero(std::string palabra) const;

    // The most memory, in bytes, that each later query may take for the file's text and
    // for what it answers (no bound at first). A query that would take more stops and
    // answers nothing (no words, an empty table, run or list) without a line of its own,
    // and faltoMemoria() is then true until the next setMemoriaMaxima. getPicoDeMemoria()
    // is the most that one query took since then: the caller's memory is still counted by
    // the caller.
    void setMemoriaMaxima(double bytes);
    bool faltoMemoria() const;
    double getPicoDeMemoria() const;

    // Every occurrence of a tag at once, in file order, in one pass: entry k - 1 holds what
    // getString(tag, k) and getMatrizEtiquetaRepetida(tag, k, salto) answer, or with the
    // pair lists what getFactoresEtiqueta and getNombresDeFactores (tag, k, salto) answer.
    // Model building reads its rows this way, so its time grows with the file, not with
    // the file times its number of rows.
    struct Fila {
        std::string nombre;                 // the word right after the tag
        std::vector<double> valores;        // the numeric run, or the factors
        std::vector<std::string> nombres;   // the factors' names (pair lists only)

        // The factor and name pairs (pair lists only): the two lists hold as many.
        std::size_t pares() const { return std::min(valores.size(), nombres.size()); }
    };
    std::vector<Fila> getFilasEtiqueta(std::string etiqueta, int salto) const;
    std::vector<Fila> getParesEtiqueta(std::string etiqueta, int salto) const;

private:
    template <class Consulta>
    auto contada(Consulta consulta) const;
    template <class Valor, class Convertir>
    bool valorTrasLaUltima(const std::string& etiqueta, Valor& valor, Convertir convertir, const char* tipo) const;

    std::string nombreDelArchivo;
    double memoriaMaxima = std::numeric_limits<double>::infinity();
    mutable bool sinMemoria = false;
    mutable double picoDeMemoria = 0.0;
};
