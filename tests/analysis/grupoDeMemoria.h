#pragma once

// A memory control group of the test's own, made where the test may make one: as root, on
// cgroup v1's memory controller or on a cgroup v2 hierarchy that offers the memory
// controller (enabled in its root's cgroup.subtree_control). Inside it an allocation
// beyond the limit does not fail: the kernel ends the process, which is what the tests
// here look for.

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

class GrupoDeMemoria {
public:
    // Makes the group; valido() tells whether it could, motivo() why not.
    GrupoDeMemoria()
    {
        if (geteuid() != 0) {
            razon = "hace falta ser root para crear un grupo de memoria";
            return;
        }
        std::string punto;
        if (!montaje(punto)) {
            razon = "no hay jerarquía de cgroup con el controlador de memoria";
            return;
        }
        static int contador = 0;
        carpeta = punto + "/orvelta-prueba-" + std::to_string(getpid()) + "-" + std::to_string(++contador);
        if (::mkdir(carpeta.c_str(), 0755) != 0) {
            razon = "no se puede crear " + carpeta;
            carpeta.clear();
        }
    }
    ~GrupoDeMemoria()
    {
        if (carpeta.empty())
            return;
        if (!version2)
            escribir("memory.force_empty", "1");
        ::rmdir(carpeta.c_str());
    }
    GrupoDeMemoria(const GrupoDeMemoria&) = delete;
    GrupoDeMemoria& operator=(const GrupoDeMemoria&) = delete;

    bool valido() const { return !carpeta.empty(); }
    const std::string& motivo() const { return razon; }

    // The group's limit, in bytes; 0 means none. Also sets its peak back to its usage.
    bool limitar(double bytes)
    {
        const std::string valor = bytes > 0 ? std::to_string(static_cast<long long>(bytes)) : (version2 ? "max" : "-1");
        if (!version2)
            escribir("memory.max_usage_in_bytes", "0");
        return escribir(version2 ? "memory.max" : "memory.limit_in_bytes", valor);
    }

    // The most the group held since it was made or limitar was last called (v2 keeps its
    // peak from its making only).
    double pico() const { return numero(version2 ? "memory.peak" : "memory.max_usage_in_bytes"); }

    // How a check run in the group ended.
    struct Fin {
        bool terminado;   // by exit, not by a signal
        int codigo;       // the exit code, or the signal
    };

    // Runs the check in a child process that first moves itself into the group; the
    // child never returns into the test runner.
    template <class Comprobacion>
    Fin enElGrupo(Comprobacion comprobacion)
    {
        std::cout.flush();
        std::fflush(stdout);
        const pid_t hijo = fork();
        if (hijo == 0) {
            if (!escribir("cgroup.procs", std::to_string(getpid())))
                _exit(120);
            try {
                _exit(comprobacion());
            } catch (...) {
                _exit(121);
            }
        }
        int estado = 0;
        if (hijo < 0 || waitpid(hijo, &estado, 0) != hijo)
            return {false, -1};
        if (WIFSIGNALED(estado))
            return {false, WTERMSIG(estado)};
        return {true, WEXITSTATUS(estado)};
    }

private:
    // The mount point of v1's memory controller, or of a v2 hierarchy whose root offers
    // memory to its children.
    bool montaje(std::string& punto)
    {
        std::ifstream entrada("/proc/self/mountinfo");
        std::string linea;
        while (std::getline(entrada, linea)) {
            std::istringstream campos(linea);
            std::vector<std::string> palabras;
            for (std::string palabra; campos >> palabra;)
                palabras.push_back(palabra);
            std::size_t guion = 0;
            while (guion < palabras.size() && palabras[guion] != "-")
                ++guion;
            if (palabras.size() < 5 || guion + 3 >= palabras.size() || palabras[3] != "/")
                continue;
            const std::string& tipo = palabras[guion + 1];
            const std::string opciones = "," + palabras[guion + 3] + ",";
            if (tipo == "cgroup" && opciones.find(",memory,") != std::string::npos) {
                punto = palabras[4];
                return true;
            }
            if (tipo == "cgroup2" && ofreceMemoria(palabras[4])) {
                punto = palabras[4];
                version2 = true;
                return true;
            }
        }
        return false;
    }

    static bool ofreceMemoria(const std::string& raiz)
    {
        std::ifstream controladores(raiz + "/cgroup.controllers");
        std::string nombre;
        bool hay = false;
        while (controladores >> nombre)
            hay = hay || nombre == "memory";
        if (!hay)
            return false;
        std::ofstream(raiz + "/cgroup.subtree_control") << "+memory";
        std::ifstream activos(raiz + "/cgroup.subtree_control");
        while (activos >> nombre)
            if (nombre == "memory")
                return true;
        return false;
    }

    bool escribir(const char* archivo, const std::string& texto) const
    {
        std::ofstream salida(carpeta + "/" + archivo);
        salida << texto;
        salida.flush();
        return static_cast<bool>(salida);
    }

    double numero(const char* archivo) const
    {
        std::ifstream entrada(carpeta + "/" + archivo);
        double valor = -1.0;
        entrada >> valor;
        return valor;
    }

    std::string carpeta;
    std::string razon;
    bool version2 = false;
};
