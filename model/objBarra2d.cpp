#include "objBarra2d.h"

#include <algorithm>
#include <cmath>
#include <iostream>

// State flags of flagsBarra (1 = known):
//   1 start node given        2 end node given          3 section name given
//   4 area and inertia given  5 modulus E given         6 longitud computed
//   7 angulo computed         9 matrizT built          10 kLocal built
//  11 local equivalent loads computed                  12 global equivalent loads stored
// A computation sets its flag only when it succeeds, so a failed request is tried (and
// reported) again by the next one.

objBarra2d::objBarra2d()
    : numeroDeBarra(0),
      numeroBarraUsuario(0),
      nudoInicio(0),
      nudoFinal(0),
      articulacionInicio(1.0),
      articulacionFin(1.0),
      nudoInicioUsuario(0),
      nudoFinalUsuario(0),
      xi(0.0),
      yi(0.0),
      xf(0.0),
      yf(0.0),
      area(0.0),
      inercia(0.0),
      moduloE(0.0),
      pesoEspecifico(0.0),
      xVcero(-1.0),
      longitud(0.0),
      angulo(0.0)
{
    flagsBarra.fill(0);
}

void objBarra2d::resetFlags() { flagsBarra.fill(0); }

void objBarra2d::setNumeroDeBarra(int n) { numeroDeBarra = n; }
void objBarra2d::setNumeroBarraUsuario(int n) { numeroBarraUsuario = n; }

void objBarra2d::setNudoInicio(int n, double x, double y)
{
    nudoInicio = n;
    xi = x;
    yi = y;
    marcar(1);
}

void objBarra2d::setNudoFinal(int n, double x, double y)
{
    nudoFinal = n;
    xf = x;
    yf = y;
    marcar(2);
}

void objBarra2d::setNudoInicioUsuario(int n) { nudoInicioUsuario = n; }
void objBarra2d::setNudoFinalUsuario(int n) { nudoFinalUsuario = n; }

// b is the width, h the depth in the plane of the frame.
void objBarra2d::setSeccionRectangular(double b, double h)
{
    area = b * h;
    inercia = h * h * h * b / 12.0;
    marcar(4);
}

void objBarra2d::setSeccionGenerica(double a, double i)
{
    area = a;
    inercia = i;
    marcar(4);
}

void objBarra2d::setModuloE(double e)
{
    moduloE = e;
    marcar(5);
}

void objBarra2d::setPesoEspecifico(double peso) { pesoEspecifico = peso; }

void objBarra2d::setNombreDeSeccion(std::string nombre)
{
    nombreDeSeccion = std::move(nombre);
    marcar(3);
}

void objBarra2d::setArticulacion(double inicio, double fin)
{
    articulacionInicio = std::clamp(inicio, 0.0, 1.0);
    articulacionFin = std::clamp(fin, 0.0, 1.0);
}

int objBarra2d::getNoBarraUsuario() const { return numeroBarraUsuario; }
int objBarra2d::getNudoInicio() const { return nudoInicio; }
int objBarra2d::getNudoFinal() const { return nudoFinal; }
int objBarra2d::getNudoInicioUsuario() const { return nudoInicioUsuario; }
int objBarra2d::getNudoFinalUsuario() const { return nudoFinalUsuario; }
double objBarra2d::getXi() const { return xi; }
double objBarra2d::getYi() const { return yi; }
double objBarra2d::getXf() const { return xf; }
double objBarra2d::getYf() const { return yf; }
double objBarra2d::getArea() const { return area; }
double objBarra2d::getInercia() const { return inercia; }
double objBarra2d::getModE() const { return moduloE; }

// Truncated: 1 only for a fully rigid end, 0 for a hinge and for every partial connection.
int objBarra2d::getArticulacionInicio() const { return static_cast<int>(articulacionInicio); }
int objBarra2d::getArticulacionFin() const { return static_cast<int>(articulacionFin); }

std::string objBarra2d::getNombreDeSeccion() const
{
    if (flag(3))
        return nombreDeSeccion;
    std::cout << "Definir el nombre de sección" << std::endl;
    return std::string();
}

double objBarra2d::getLongitud()
{
    if (flag(6))
        return longitud;
    if (!flag(1) || !flag(2)) {
        std::cout << "Definir nudos del elemento" << std::endl;
        return 0.0;
    }
    marcar(6);
    // hypot neither overflows nor underflows: a bar 1e200 long, or 1e-170, keeps its
    // length where the sum of squares would give infinity or zero.
    longitud = std::hypot(xf - xi, yf - yi);
    return longitud;
}

// Angle from global X to local x, counter-clockwise, in (-pi, pi]. A bar of zero length
// has no direction; it gets the angle 0 so that nothing downstream sees a NaN.
double objBarra2d::getAngulo()
{
    if (flag(7))
        return angulo;
    if (!flag(6))
        longitud = getLongitud();
    if (!flag(6)) {
        std::cout << "no se puede calcular el angulo. Faltan datos" << std::endl;
        return 0.0;
    }
    marcar(7);
    if (longitud == 0.0) {
        angulo = 0.0;
        return angulo;
    }
    // The ratio can leave [-1, 1] by one rounding step; acos would then give a NaN.
    angulo = std::acos(std::clamp((xf - xi) / longitud, -1.0, 1.0));
    if (yf - yi < 0.0)
        angulo = -angulo;
    return angulo;
}

Eigen::VectorXi objBarra2d::getGdl()
{
    gdl.resize(6);
    if (!flag(1) || !flag(2)) {
        std::cout << "Definir primero los nudos de la barra" << std::endl;
        gdl.setZero();
        return gdl;
    }
    gdl << 3 * nudoInicio, 3 * nudoInicio + 1, 3 * nudoInicio + 2,
           3 * nudoFinal,  3 * nudoFinal + 1,  3 * nudoFinal + 2;
    return gdl;
}

// local vector = matrizT * global vector; rotations pass unchanged.
Eigen::MatrixXd objBarra2d::getT()
{
    matrizT.resize(6, 6);
    if (!flag(7)) {
        std::cout << "Calcular primero el ángulo de la barra" << std::endl;
        matrizT.setZero();
        return matrizT;
    }
    marcar(9);
    const double c = std::cos(angulo);
    const double s = std::sin(angulo);
    matrizT <<  c, s, 0,  0, 0, 0,
               -s, c, 0,  0, 0, 0,
                0, 0, 1,  0, 0, 0,
                0, 0, 0,  c, s, 0,
                0, 0, 0, -s, c, 0,
                0, 0, 0,  0, 0, 1;
    return matrizT;
}

// Frame element with end fixity factors a (start) and b (end): 1 rigid, 0 hinge, partial
// in between. The fixity enters through D and s below; a = b = 1 gives the classic
// 12EI/L^3, 6EI/L^2, 4EI/L, 2EI/L matrix.
Eigen::MatrixXd objBarra2d::getKLocal()
{
    if (!flag(6))
        longitud = getLongitud();
    kLocal.resize(6, 6);
    if (!flag(4) || !flag(5) || !flag(6)) {
        std::cout << "No están definidas E, I o L de Elemento: " << numeroDeBarra << std::endl;
        kLocal.setZero();
        return kLocal;
    }
    if (longitud == 0.0) {
        std::cout << "Barra de longitud cero: " << numeroBarraUsuario << std::endl;
        kLocal.setZero();
        return kLocal;
    }
    marcar(10);

    const double a = articulacionInicio;
    const double b = articulacionFin;
    const double E = moduloE;
    const double A = area;
    const double I = inercia;
    const double L = longitud;

    const double k = E * A / L;                          // axial stiffness
    const double D = 12 - 8 * a - 8 * b + 5 * a * b;     // between 1 and 12 for a, b in [0, 1]
    const double c = E * I / (L * L * L * D);
    const double s = a + b - a * b;

    const double t11 = 12 * c * s;                       // transverse
    const double t12 = 6 * c * L * a * (2 - b);          // transverse to start rotation
    const double t15 = 6 * c * L * b * (2 - a);          // transverse to end rotation
    const double r22 = 4 * c * L * L * a * (3 - 2 * b);  // start rotation
    const double r25 = 2 * c * L * L * a * b;            // start to end rotation
    const double r55 = 4 * c * L * L * b * (3 - 2 * a);  // end rotation

    kLocal <<  k,    0,    0, -k,    0,    0,
               0,  t11,  t12,  0, -t11,  t15,
               0,  t12,  r22,  0, -t12,  r25,
              -k,    0,    0,  k,    0,    0,
               0, -t11, -t12,  0,  t11, -t15,
               0,  t15,  r25,  0, -t15,  r55;
    return kLocal;
}

// The rotation matrix and the local stiffness are built once and reused; only the product
// is formed again on every call.
Eigen::MatrixXd objBarra2d::getKGlobal()
{
    if (!flag(7))
        angulo = getAngulo();
    if (!flag(9))
        matrizT = getT();
    if (!flag(10))
        kLocal = getKLocal();
    kGlobal = matrizT.transpose() * kLocal * matrizT;
    return kGlobal;
}
