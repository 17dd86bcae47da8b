#pragma once

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <thread>

#include "sanitizador.h"

// A memory control group of the test's own, made at the root of a writable cgroup mount
// with the memory controller (v1's memory mount, or the unified v2 mount with memory
// enabled for its children), under a name no other test process uses, and removed when
// the object goes. Checks run in it in a forked child, so that the test process itself is
// never charged to the group nor killed by its OOM killer:
//
//     GrupoDeMemoria grupo;
//     if (!grupo.existe())
//         GTEST_SKIP() << grupo.motivo();
//     ASSERT_TRUE(grupo.limitar(200u << 20));
//     const GrupoDeMemoria::Desenlace desenlace = grupo.ejecutar([] { ...; return 0; });
//     EXPECT_EQ(desenlace.senal, 0);     // SIGKILL: the group went over its limit
//     EXPECT_EQ(desenlace.codigo, 0);
//
// The group counts what the child touches afresh: its new allocations, the pages of the
// test's memory it writes (copy on write) and the files it reads or writes (page cache).
// Pages it only reads from before the fork stay charged where they were. The group is
// told not to swap (v2 memory.swap.max 0, v1 memory.swappiness 0, where the files exist),
// so that a child over the limit is killed rather than swapped out. Needs root; skipped
// under AddressSanitizer.
class GrupoDeMemoria {
public:
    // How a check run in the group ended.
    struct Desenlace {
        int codigo;   // its exit code; -1 when it was ended by a signal or could not start
        int senal;    // the signal that ended it (SIGKILL from the OOM killer), else 0
    };

    // Exit codes of a child that did not get to answer.
    static constexpr int kSinEntrar = 100;   // it could not move itself into the group
    static constexpr int kExcepcion = 101;   // the check let an exception out

    // Makes the group; when it cannot, there is none and motivo() says why.
    GrupoDeMemoria() : sinGrupo(crear()) {}

    // Ends any process still in the group (one the check left behind), gives back its
    // pages (v1 keeps charging page cache to a removed group otherwise) and removes it.
    // Failures are tolerated: the group then stays, empty, under its unique name.
    ~GrupoDeMemoria()
    {
        if (carpetaDelGrupo.empty())
            return;
        vaciarDeProcesos();
        if (!version2)
            escribir(carpetaDelGrupo / "memory.force_empty", "0");
        rmdir(carpetaDelGrupo.c_str());
    }

    GrupoDeMemoria(const GrupoDeMemoria&) = delete;
    GrupoDeMemoria& operator=(const GrupoDeMemoria&) = delete;

    bool existe() const { return !carpetaDelGrupo.empty(); }
    // Why there is no group, for GTEST_SKIP; empty when there is one.
    const std::string& motivo() const { return sinGrupo; }
    bool esVersion2() const { return version2; }
    const std::filesystem::path& carpeta() const { return carpetaDelGrupo; }

    // Sets the group's limit (v2 memory.max, v1 memory.limit_in_bytes), in bytes; false
    // when the kernel refuses it (v1 refuses a limit below a usage it cannot reclaim).
    bool limitar(std::uint64_t bytes) const
    {
        return escribir(carpetaDelGrupo / (version2 ? "memory.max" : "memory.limit_in_bytes"),
                        std::to_string(bytes));
    }

    // Runs `comprobacion` (a callable answering an int) in a forked child that first moves
    // itself into the group, and waits for it. The child answers through its exit code
    // (0 to 255; 100 and 101 are taken, above) and never returns into the test: gtest
    // assertions made in it are lost.
    // It is ended by SIGALRM after `segundos`, so that a child thrashing near its limit
    // cannot hang the test.
    template <class Comprobacion>
    Desenlace ejecutar(Comprobacion comprobacion, unsigned segundos = 60) const
    {
        std::cout.flush();   // what the test buffered is written once, not again by the child
        std::cerr.flush();
        const pid_t hijo = fork();
        if (hijo == 0) {
            alarm(segundos);
            if (!escribir(carpetaDelGrupo / "cgroup.procs", std::to_string(getpid())))
                _exit(kSinEntrar);
            try {
                const int codigo = comprobacion();
                std::cout.flush();   // _exit flushes nothing
                _exit(codigo);
            } catch (...) {
                _exit(kExcepcion);
            }
        }
        if (hijo < 0)
            return {-1, 0};
        int estado = 0;
        while (waitpid(hijo, &estado, 0) != hijo)
            if (errno != EINTR)
                return {-1, 0};
        if (WIFSIGNALED(estado))
            return {-1, WTERMSIG(estado)};
        return {WEXITSTATUS(estado), 0};
    }

    // The group's usage now, in bytes (v2 memory.current, v1 memory.usage_in_bytes, which
    // counts page cache too); -1 when it cannot be read.
    double uso() const { return numeroDelArchivo(version2 ? "memory.current" : "memory.usage_in_bytes"); }

    // The highest usage since the group was made or, on v1, since reiniciarPico(), in
    // bytes (v2 memory.peak, v1 memory.max_usage_in_bytes); -1 when it cannot be read
    // (v2 before Linux 5.19).
    double pico() const { return numeroDelArchivo(version2 ? "memory.peak" : "memory.max_usage_in_bytes"); }

    // Starts the peak again from the usage now (v1: 0 written to memory.max_usage_in_bytes).
    // v2 resets memory.peak only for the file descriptor that writes it: false there.
    bool reiniciarPico() const { return !version2 && escribir(carpetaDelGrupo / "memory.max_usage_in_bytes", "0"); }

    // The group's inactive file pages, in bytes: the page cache reclaim gives back first
    // (memory.stat: v2 inactive_file, v1 total_inactive_file, which counts the groups below
    // like v1's usage); -1 when it cannot be read.
    double inactivas() const
    {
        std::ifstream estadistica(carpetaDelGrupo / "memory.stat");
        const std::string buscada = version2 ? "inactive_file" : "total_inactive_file";
        std::string clave;
        double bytes = 0.0;
        while (estadistica >> clave >> bytes)
            if (clave == buscada)
                return bytes;
        return -1.0;
    }

private:
    // Writes the text in one write(2), as the kernel's control files want; false when it
    // refuses it.
    static bool escribir(const std::filesystem::path& archivo, const std::string& texto)
    {
        const int descriptor = open(archivo.c_str(), O_WRONLY | O_CLOEXEC);
        if (descriptor < 0)
            return false;
        const bool escrito = write(descriptor, texto.data(), texto.size()) == static_cast<ssize_t>(texto.size());
        const bool cerrado = close(descriptor) == 0;
        return escrito && cerrado;
    }

    double numeroDelArchivo(const char* nombre) const
    {
        std::ifstream entrada(carpetaDelGrupo / nombre);
        double bytes = 0.0;
        return (entrada >> bytes) ? bytes : -1.0;
    }

    static std::string nombreUnico()
    {
        static std::atomic<unsigned> siguiente{0};
        return "orvelta-prueba-" + std::to_string(getpid()) + "-" + std::to_string(siguiente++);
    }

    // Makes the group below the mount; answers why not, or nothing.
    std::string crear()
    {
#ifdef ORVELTA_CON_ASAN
        return kAsanDistorsionaElUso;
#else
        if (geteuid() != 0)
            return "making a memory control group needs root";
        std::filesystem::path punto;
        const std::string sinMontaje = buscarMontaje(punto);
        if (!sinMontaje.empty())
            return sinMontaje;
        const std::filesystem::path nueva = punto / nombreUnico();
        if (mkdir(nueva.c_str(), 0755) != 0)
            return "cannot make " + nueva.string() + ": " + std::strerror(errno);
        carpetaDelGrupo = nueva;
        if (version2)
            escribir(carpetaDelGrupo / "memory.swap.max", "0");
        else
            escribir(carpetaDelGrupo / "memory.swappiness", "0");
        return {};
#endif
    }

    // The first mount, from /proc/self/mountinfo, whose children can have a memory limit:
    // a "cgroup" one with the memory controller among its super options, or a "cgroup2"
    // one whose root offers memory (cgroup.controllers), enabled for its children here if
    // it is not yet (cgroup.subtree_control; left enabled, as other groups may use it by
    // then). Each line reads "id parent dev root point options [optional] - type source
    // super-options". Answers why there is none, or nothing.
    std::string buscarMontaje(std::filesystem::path& punto)
    {
        std::ifstream montajes("/proc/self/mountinfo");
        for (std::string linea; std::getline(montajes, linea);) {
            const std::size_t guion = linea.find(" - ");
            if (guion == std::string::npos)
                continue;
            std::istringstream antes(linea.substr(0, guion));
            std::istringstream despues(linea.substr(guion + 3));
            std::string id, padre, dispositivo, raiz, carpetaDelMontaje, tipo, origen, opciones;
            antes >> id >> padre >> dispositivo >> raiz >> carpetaDelMontaje;
            despues >> tipo >> origen >> opciones;
            punto = carpetaDelMontaje;
            if (tipo == "cgroup" && ("," + opciones + ",").find(",memory,") != std::string::npos)
                return {};
            if (tipo == "cgroup2" && tienePalabra(punto / "cgroup.controllers", "memory")) {
                version2 = true;
                return habilitarMemoria(punto / "cgroup.subtree_control");
            }
        }
        return "no cgroup mount offers the memory controller";
    }

    static std::string habilitarMemoria(const std::filesystem::path& control)
    {
        if (tienePalabra(control, "memory") || escribir(control, "+memory"))
            return {};
        return "cannot enable memory in " + control.string() + ": " + std::strerror(errno);
    }

    static bool tienePalabra(const std::filesystem::path& archivo, const std::string& palabra)
    {
        std::ifstream entrada(archivo);
        for (std::string leida; entrada >> leida;)
            if (leida == palabra)
                return true;
        return false;
    }

    // SIGKILL to every process in cgroup.procs until it lists none, for at most a second:
    // they are not this process's children, so their going is seen there, not by waitpid.
    void vaciarDeProcesos() const
    {
        for (int intento = 0; intento < 100; ++intento) {
            std::ifstream procesos(carpetaDelGrupo / "cgroup.procs");
            int quedan = 0;
            for (pid_t pid = 0; procesos >> pid; ++quedan)
                kill(pid, SIGKILL);
            if (quedan == 0)
                return;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }

    std::filesystem::path carpetaDelGrupo;   // empty when there is no group
    bool version2 = false;
    std::string sinGrupo;                    // why there is no group; made last, by crear()
};
