#pragma once

// The program-wide state shared by the analysis pipeline and the viewer. Every variable
// is defined once, in variablesGlobales.cpp, in construction order.

#include <fstream>
#include <string>
#include <vector>

#include <Eigen/Dense>

#include "objBarra2d.h"
#include "objNudo2d.h"

extern const double PI;
extern int numeroComboCoincidente;      // combination found by the last "combo" answer, -1 none
extern std::string nombreArchivo;       // input file, set once by main

// Model and analysis state.
extern int noNudos;
extern int noBarras;
extern int noCombos;
extern int noLibres;
extern std::vector<objNudo2d> nudo;     // position = internal node number
extern std::vector<objBarra2d> barra;   // position = internal bar number

// Drawing scales (model length per unit of the quantity drawn) and label decimals.
extern double escalaDef;
extern double escalaM;
extern double escalaV;
extern double escalaN;
extern double escalaTexto;
extern double escalaCarga;
extern double escalaApoyo;
extern int precision;

// User number -> internal number.
extern Eigen::VectorXi punteroBarras;
extern Eigen::VectorXi punteroNudos;

// Structure matrices: rows are DOFs (node n owns 3n, 3n+1, 3n+2), columns combinations.
extern Eigen::MatrixXd kEstructura;
extern Eigen::MatrixXd kLL;
extern Eigen::MatrixXd pL;
extern Eigen::MatrixXd pCombo;
extern std::vector<int> gdlLibres;
extern Eigen::MatrixXd uLibres;
extern Eigen::MatrixXd u;
extern Eigen::MatrixXd reacciones;

// Viewer: model box, camera (zCam is also the view size in model units) and window.
extern double xMin;
extern double xMax;
extern double yMin;
extern double yMax;
extern double xCam;
extern double yCam;
extern double xCentroObj;
extern double yCentroObj;
extern double zCam;
extern double diagonalObj;
extern double wVentana;
extern double hVentana;
extern int clickIzq;
extern int xLast;
extern int yLast;
extern int xClickIzq;                   // pending click for the panel buttons, (0, 0) none
extern int yClickIzq;
extern Eigen::VectorXi barrasAisladas;  // 1 shown, 0 hidden
extern Eigen::VectorXi nudosAislados;
extern std::string dialogo;             // panel prompt; also the pending question
extern std::string comando;             // command line typed so far
extern std::vector<int> flags;          // display flags: odd = on; 100 + n shows combination n

extern std::ofstream resultados;        // report file stream
