#pragma once

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "funcionPlot.h"
#include "variablesGlobales.h"

// Base fixture of the viewer tests: the program-wide state back at its start values, the
// viewer prepared as the window opens (flags, isolation, framing) and the projection set
// for the test window, so no test depends on another.
class EstadoVisor : public ::testing::Test {
protected:
    void SetUp() override
    {
        vaciarModelo();
        dialogo = "Comando:";
        comando.clear();
        numeroComboCoincidente = -1;
        clickIzq = xLast = yLast = xClickIzq = yClickIzq = 0;
        escalaDef = escalaM = escalaV = escalaN = escalaTexto = escalaCarga = escalaApoyo = 1;
        precision = 2;
        abrirVisor();
    }

    static void vaciarModelo()
    {
        nudo.clear();
        barra.clear();
        noNudos = noBarras = noCombos = 0;
        punteroBarras.resize(0);
        punteroNudos.resize(0);
    }

    // What funcionPlot does once the window exists, then the window's first reshape.
    static void abrirVisor()
    {
        prepararVisor();
        changeSize(1000, 800);
    }

    // Nodes given by user number and position; bars by user number and the user numbers of
    // their end nodes; the same combinations in every node and bar. The lookups map a user
    // number to its position, -1 in a gap.
    struct Barra {
        int numero;
        int inicio;
        int fin;
    };
    struct Nudo {
        int numero;
        double x;
        double y;
    };
    static void construirModelo(const std::vector<Nudo>& nudos, const std::vector<Barra>& barras,
                                const std::vector<std::string>& combos)
    {
        vaciarModelo();
        int mayorNudo = 0;
        for (const Nudo& n : nudos)
            mayorNudo = std::max(mayorNudo, n.numero);
        punteroNudos.setConstant(mayorNudo + 1, -1);
        for (std::size_t i = 0; i < nudos.size(); ++i) {
            objNudo2d n;
            n.setNumeroDeNudo(static_cast<int>(i));
            n.setNumeroNudoUsuario(nudos[i].numero);
            n.setCoordenadas(nudos[i].x, nudos[i].y);
            for (const std::string& c : combos)
                n.setCombo(c, 1, "caso");
            nudo.push_back(n);
            punteroNudos(nudos[i].numero) = static_cast<int>(i);
        }
        int mayorBarra = 0;
        for (const Barra& b : barras)
            mayorBarra = std::max(mayorBarra, b.numero);
        if (!barras.empty())
            punteroBarras.setConstant(mayorBarra + 1, -1);
        for (std::size_t i = 0; i < barras.size(); ++i) {
            objBarra2d b;
            b.resetFlags();
            b.setNumeroBarraUsuario(barras[i].numero);
            b.setNumeroDeBarra(static_cast<int>(i));
            const int a = punteroNudos(barras[i].inicio);
            const int e = punteroNudos(barras[i].fin);
            b.setNudoInicio(a, nudo[a].getX(), nudo[a].getY());
            b.setNudoFinal(e, nudo[e].getX(), nudo[e].getY());
            b.setNudoInicioUsuario(barras[i].inicio);
            b.setNudoFinalUsuario(barras[i].fin);
            barra.push_back(b);
            punteroBarras(barras[i].numero) = static_cast<int>(i);
        }
        noNudos = static_cast<int>(nudo.size());
        noBarras = static_cast<int>(barra.size());
        noCombos = static_cast<int>(combos.size());
        abrirVisor();
    }

    // Types a line into the window and presses Enter.
    static void escribir(const std::string& linea)
    {
        for (char c : linea)
            procesarTecla(static_cast<unsigned char>(c), 0);
        procesarTecla(13, 0);
    }

    static bool encendido(int slot) { return flags[slot] % 2 != 0; }

    // Slots that are on, among 0 to 199.
    static std::vector<int> slotsEncendidos()
    {
        std::vector<int> on;
        for (int i = 0; i < 200; ++i)
            if (encendido(i))
                on.push_back(i);
        return on;
    }
};
