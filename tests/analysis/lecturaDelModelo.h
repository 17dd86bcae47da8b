#pragma once

#include <gtest/gtest.h>

#include <string>

#include "archivosTemporales.h"
#include "capturaConsola.h"
#include "funcionLeerArchivo.h"
#include "sanitizador.h"

// Model building on small input files written to a private directory; the program-wide
// state starts afresh in every test.
class LecturaDelModelo : public ::testing::Test {
protected:
    void SetUp() override { reiniciarEstadoGlobal(); }

    // Reads the text as the input file; answers the console lines.
    std::string leer(const std::string& texto)
    {
        nombreArchivo = directorio.escribir("entrada.txt", texto);
        CapturaConsola consola;
        funcionLeerArchivo();
        return consola.texto();
    }

    DirectorioTemporal directorio;
};

// Model building against a memory the test names: available at the start, less what the
// process takes after. Under AddressSanitizer the process also holds its shadow memory and
// its quarantine of freed blocks, which such a memory would count: skipped there.
class LecturaConMemoria : public LecturaDelModelo {
protected:
    void SetUp() override
    {
#ifdef ORVELTA_CON_ASAN
        GTEST_SKIP() << kAsanDistorsionaElUso;
#endif
        LecturaDelModelo::SetUp();
    }

    // Reads nombreArchivo with `memoriaLibre` bytes available; answers the console lines.
    std::string leerCon(double memoriaLibre)
    {
        CapturaConsola consola;
        funcionLeerArchivo(memoriaLibre);
        return consola.texto();
    }
};
