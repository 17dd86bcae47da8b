#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "variablesGlobales.h"

// A private directory under the system's temporary directory, removed with its files.
class DirectorioTemporal {
public:
    DirectorioTemporal()
    {
        std::string plantilla = (std::filesystem::temp_directory_path() / "orvelta-XXXXXX").string();
        if (mkdtemp(plantilla.data()) != nullptr)
            ruta = plantilla;
    }
    ~DirectorioTemporal()
    {
        std::error_code ignorado;
        std::filesystem::remove_all(ruta, ignorado);
    }
    DirectorioTemporal(const DirectorioTemporal&) = delete;
    DirectorioTemporal& operator=(const DirectorioTemporal&) = delete;

    // Writes the text, byte for byte, to a file of that name here; answers its path.
    std::string escribir(const std::string& nombre, const std::string& texto) const
    {
        const std::string archivo = (ruta / nombre).string();
        std::ofstream(archivo, std::ios::binary) << texto;
        return archivo;
    }

    const std::filesystem::path& camino() const { return ruta; }

private:
    std::filesystem::path ruta;
};

// The program-wide state as it is before the entry runs, so tests never depend on order.
inline void reiniciarEstadoGlobal()
{
    nombreArchivo.clear();
    noNudos = 0;
    noBarras = 0;
    noCombos = 0;
    noLibres = 0;
    nudo.clear();
    barra.clear();
    escalaDef = escalaM = escalaV = escalaN = escalaTexto = escalaCarga = escalaApoyo = 0.0;
    precision = 0;
    punteroBarras.resize(0);
    punteroNudos.resize(0);
}
