#pragma once

#include <gtest/gtest.h>

#include <string>

#include "archivosTemporales.h"
#include "capturaConsola.h"
#include "funcionLeerArchivo.h"

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
