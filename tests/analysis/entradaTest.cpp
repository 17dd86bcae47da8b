#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "archivosTemporales.h"
#include "sanitizador.h"

namespace {

struct Salida {
    std::string texto;   // standard output
    int codigo = -1;     // exit code, -1 when the program did not exit normally
};

// Runs the built program in the working directory with the given arguments, standard
// output into a pipe (so never a terminal) and no display; with a limit, its address space
// limited to that many bytes (as by ulimit -v). Only for inputs from which no model can be
// built: on a sound model the program goes on to open its window.
Salida ejecutar(const std::filesystem::path& directorio, const std::vector<std::string>& argumentos,
                rlim_t limite = RLIM_INFINITY)
{
    int tubo[2];
    if (pipe(tubo) != 0)
        return {};
    const pid_t hijo = fork();
    if (hijo == 0) {
        dup2(tubo[1], STDOUT_FILENO);
        close(tubo[0]);
        close(tubo[1]);
        unsetenv("DISPLAY");
        const rlimit espacio{limite, limite};
        if (limite != RLIM_INFINITY && setrlimit(RLIMIT_AS, &espacio) != 0)
            _exit(126);
        if (chdir(directorio.c_str()) != 0)
            _exit(127);
        std::vector<char*> argv{const_cast<char*>(ORVELTA_PROGRAMA)};
        for (const std::string& a : argumentos)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(ORVELTA_PROGRAMA, argv.data());
        _exit(127);
    }
    close(tubo[1]);
    Salida salida;
    char bloque[4096];
    for (ssize_t n; (n = read(tubo[0], bloque, sizeof bloque)) > 0;)
        salida.texto.append(bloque, static_cast<std::size_t>(n));
    close(tubo[0]);
    int estado = 0;
    if (hijo > 0 && waitpid(hijo, &estado, 0) == hijo && WIFEXITED(estado))
        salida.codigo = WEXITSTATUS(estado);
    return salida;
}

class Entrada : public ::testing::Test {
protected:
    DirectorioTemporal directorio;
};

}  // namespace

TEST_F(Entrada, SinArgumentosLeeIngresoDatosDelDirectorioDeTrabajo)
{
    const Salida salida = ejecutar(directorio.camino(), {});
    EXPECT_EQ(salida.texto, "No se puede abrir el archivo de entrada: ingresoDatos.txt\n");
    EXPECT_EQ(salida.codigo, 1);
}

TEST_F(Entrada, ConUnArgumentoLeeEseArchivoTalCual)
{
    const Salida salida = ejecutar(directorio.camino(), {"otro archivo.txt"});
    EXPECT_EQ(salida.texto, "No se puede abrir el archivo de entrada: otro archivo.txt\n");
    EXPECT_EQ(salida.codigo, 1);
}

TEST_F(Entrada, ConVariosArgumentosSoloElPrimeroNombraElArchivo)
{
    directorio.escribir("segundo.txt", "nudos: 1 0 0");
    const Salida salida = ejecutar(directorio.camino(), {"primero.txt", "segundo.txt", "-geometry"});
    EXPECT_EQ(salida.texto, "No se puede abrir el archivo de entrada: primero.txt\n");
    EXPECT_EQ(salida.codigo, 1);
}

TEST_F(Entrada, RedirigidaNoRecibeLaSecuenciaDeBorrado)
{
    const Salida salida = ejecutar(directorio.camino(), {});
    EXPECT_EQ(salida.texto.find('\033'), std::string::npos);
}

TEST_F(Entrada, SinModeloTerminaConUnoTrasSusLineas)
{
    // A repeated node number: the table's error, the closing line, then the scale lines.
    directorio.escribir("ingresoDatos.txt", "nudos: 1 0 0 1 5 0\nescalaDeflexion: 1 escalaM: 1 escalaV: 1 "
                                            "escalaN: 1 escalaTexto: 1 escalaApoyo: 1 precision: 1 escalaCarga: 1");
    const Salida salida = ejecutar(directorio.camino(), {});
    EXPECT_EQ(salida.texto,
              "lectura de nudos OK Num Nudos = 2\n"
              "lectura de barras OK Num Barras = 0\n"
              "Error en nudos: fila 2: el nudo 1 ya está definido en la fila 1\n"
              "No se construye el modelo: corregir los errores de nudos: y barras:\n");
    EXPECT_EQ(salida.codigo, 1);
}

TEST_F(Entrada, ArchivoVacioTerminaConUno)
{
    directorio.escribir("vacio.txt", "");
    const Salida salida = ejecutar(directorio.camino(), {"vacio.txt"});
    EXPECT_NE(salida.texto.find("No se construye el modelo: no hay ninguna fila completa de nudos:\n"),
              std::string::npos);
    EXPECT_EQ(salida.codigo, 1);
}

// orvelta <(cat ingresoDatos.txt): the shell hands over /dev/fd/N, a pipe. It is refused as
// a file that cannot be opened, not read three times over an empty pipe.
TEST_F(Entrada, UnaTuberiaNoEsUnArchivoDeEntrada)
{
    int tubo[2];
    ASSERT_EQ(pipe(tubo), 0);
    const std::string ruta = "/dev/fd/" + std::to_string(tubo[0]);
    const std::string ejemplo = "nudos: 1 0 0 2 5 0\n";
    ASSERT_EQ(write(tubo[1], ejemplo.data(), ejemplo.size()), static_cast<ssize_t>(ejemplo.size()));
    close(tubo[1]);   // as cat does when done: the text waits in the pipe
    alarm(20);
    const Salida salida = ejecutar(directorio.camino(), {ruta});
    alarm(0);
    close(tubo[0]);
    EXPECT_EQ(salida.texto, "No se puede abrir el archivo de entrada: " + ruta + "\n");
    EXPECT_EQ(salida.codigo, 1);
}

// A FIFO that nobody writes: no hang, the same line.
TEST_F(Entrada, UnFifoNoEsUnArchivoDeEntrada)
{
    ASSERT_EQ(mkfifo((directorio.camino() / "fifo").c_str(), 0600), 0);
    alarm(20);
    const Salida salida = ejecutar(directorio.camino(), {"fifo"});
    alarm(0);
    EXPECT_EQ(salida.texto, "No se puede abrir el archivo de entrada: fifo\n");
    EXPECT_EQ(salida.codigo, 1);
}

// A file larger than the memory the program may take (ulimit -v 800000; the file is sparse,
// 8 GB that take no disk): one line, no abort, exit code 1 as for any file with no model.
TEST_F(Entrada, ArchivoMayorQueLaMemoriaTerminaConUno)
{
#ifdef ORVELTA_CON_ASAN
    GTEST_SKIP() << kAsanSinLimite;
#endif
    const std::string ruta = directorio.escribir("enorme.txt", "nudos: 1 0 0\n");
    std::filesystem::resize_file(ruta, std::uintmax_t{8} << 30);
    const Salida salida = ejecutar(directorio.camino(), {"enorme.txt"}, rlim_t{800000} * 1024);
    EXPECT_EQ(salida.texto, "No hay memoria para leer el archivo de entrada: enorme.txt\n");
    EXPECT_EQ(salida.codigo, 1);
}
