#include "objBarra2d.h"

#include <algorithm>
#include <cmath>
#include <limits>

// Results along the bar, per load combination c, from the end displacements the solver
// hands over. The bar is an Euler-Bernoulli beam under the linear transverse load
// q(x) = Qi + (Qf - Qi) x / L = -A x - B (along local +y), x measured from the start:
//
//   E I v(x) = -A x^5/120 - B x^4/24 + C1 x^3/6 + C2 x^2/2 + C3 x + C4   (deflection, local y)
//   M(x)     = -A x^3/6 - B x^2/2 + C1 x + C2     (M > 0 stretches the local -y side)
//   V(x)     = dM/dx = -A x^2/2 - B x + C1
//
// The ends are tied to the nodes through the end moments (which already carry the end
// fixity) and the transverse end displacements, never through the end rotations.
// Column c of constantesIntegracion holds [A, B, C1, C2, C3, C4] of combination c.

namespace {

// Relative size below which a difference is taken as rounding noise: a uniform load
// written as two rows, or the transverse component of a vertical load on a vertical bar.
constexpr double kRedondeo = 1e-12;

// A zero-shear root this close to a bar end (relative to L) lies at that end.
constexpr double kExtremo = 1e-9;

// Station abscissas x_j = (L / (n - 1)) j in row 0; row 1 left at zero.
Eigen::MatrixXd estaciones(double L, int n)
{
    Eigen::MatrixXd tabla = Eigen::MatrixXd::Zero(2, std::max(n, 0));
    const double paso = (n > 1) ? L / (n - 1) : 0.0;
    for (int j = 0; j < n; ++j)
        tabla(0, j) = paso * j;
    return tabla;
}

// The stations with the law f(x) in row 1.
template <typename Ley>
Eigen::MatrixXd tabular(double L, int n, Ley f)
{
    Eigen::MatrixXd tabla = estaciones(L, n);
    for (int j = 0; j < n; ++j)
        tabla(1, j) = f(tabla(0, j));
    return tabla;
}

// V(x) and M(x) from a column k = [A, B, C1, C2, ...] of constantesIntegracion. Each term
// multiplies its coefficient first, so that a zero coefficient stays zero on a bar so long
// that a power of x alone would overflow.
double cortante(const Eigen::VectorXd& k, double x)
{
    const double A = k(0);
    const double B = k(1);
    const double C1 = k(2);
    return -A * x * x / 2 - B * x + C1;
}

double momento(const Eigen::VectorXd& k, double x)
{
    const double A = k(0);
    const double B = k(1);
    const double C1 = k(2);
    const double C2 = k(3);
    return -A * x * x * x / 6 - B * x * x / 2 + C1 * x + C2;
}

// A finite stand-in for a coordinate beyond the double range, keeping its sign.
double acotar(double v)
{
    return std::clamp(v, -std::numeric_limits<double>::max(), std::numeric_limits<double>::max());
}

// A term of the deflected shape is a constant times up to x^5, divided by E I and then
// multiplied by the drawing scale: at most eight doubles' worth of exponent, however large
// or small each one. In double such a term can overflow where the shape does not (x^4 and
// x^3 of a bar 1e100 long), and inf - inf is NaN. Long double (on x86-64 up to 1e4932)
// holds every one of them, so the shape evaluated again there is finite.
static_assert(std::numeric_limits<long double>::max_exponent10 >= 8 * std::numeric_limits<double>::max_exponent10,
              "long double must hold the product of eight doubles");

// A value computed in double, or, where that is not finite, computed again in long double
// and held within the double range (std::clamp alone would let a NaN through).
template <typename EnLongDouble>
double finito(double enDouble, EnLongDouble enLongDouble)
{
    if (std::isfinite(enDouble))
        return enDouble;
    const long double tope = std::numeric_limits<double>::max();
    return static_cast<double>(std::clamp(enLongDouble(), -tope, tope));
}

bool dentroDeLaBarra(double x, double L)
{
    return std::isfinite(x) && x > kExtremo * L && x < L - kExtremo * L;
}

}  // namespace

void objBarra2d::setDesplazamientos(Eigen::MatrixXd d)
{
    desplazamientosGlobales = std::move(d);
    desplazamientosLocales = matrizT * desplazamientosGlobales;

    const Eigen::Index nc = desplazamientosLocales.cols();
    constantesIntegracion = Eigen::MatrixXd::Zero(6, nc);
    const double L = longitud;
    if (L == 0.0)
        return;   // a bar without length carries nothing and has no shape of its own
    const double EI = moduloE * inercia;

    for (Eigen::Index c = 0; c < nc; ++c) {
        // Combinations the bar does not hold load it with nothing.
        const bool conCarga = c < combos() && c < cargasEquivalentesLocales.cols();
        const Eigen::VectorXd uc = desplazamientosLocales.col(c);
        Eigen::VectorXd f = kLocal * uc;   // end forces on the bar, local axes, CCW moments
        if (conCarga)
            f -= cargasEquivalentesLocales.col(c);
        const double Qi = conCarga ? cargasCombo(c, 2) : 0.0;
        const double Qf = conCarga ? cargasCombo(c, 3) : 0.0;

        const double A = -(Qf - Qi) / L;
        const double B = -Qi;

        // The four end conditions M(0) = -f2, M(L) = f5, v(0) = u1, v(L) = u4 form a
        // triangular system, solved by substitution. Powers of L are applied one factor at
        // a time after the coefficient, so a zero coefficient stays zero on a bar so long
        // that L^3 alone would overflow (0 x inf would be NaN).
        const double C2 = -f(2);
        const double C1 = (f(5) - C2) / L + A * L * L / 6 + B * L / 2;
        const double C4 = EI * uc(1);
        const double C3 = (EI * uc(4) - C4) / L + A * L * L * L * L / 120 + B * L * L * L / 24
                        - C1 * L * L / 6 - C2 * L / 2;

        constantesIntegracion.col(c) << A, B, C1, C2, C3, C4;
    }
}

bool objBarra2d::tieneResultados(int c) const
{
    return c >= 0 && c < constantesIntegracion.cols() && c < desplazamientosLocales.cols();
}

// Tension positive; a straight line between the end values whatever the axial load.
Eigen::MatrixXd objBarra2d::getSolicitacionAxial(int c, int n) const
{
    if (!tieneResultados(c))
        return estaciones(longitud, n);

    Eigen::VectorXd F = kLocal * desplazamientosLocales.col(c);
    if (c < cargasEquivalentesLocales.cols())
        F -= cargasEquivalentesLocales.col(c);
    const double Ni = -F(0);
    const double Nj = F(3);
    return tabular(longitud, n, [&](double x) {
        return (longitud == 0.0) ? Ni : (Nj - Ni) * (x / longitud) + Ni;
    });
}

Eigen::MatrixXd objBarra2d::getSolicitacionCortante(int c, int n) const
{
    if (!tieneResultados(c))
        return estaciones(longitud, n);
    const Eigen::VectorXd k = constantesIntegracion.col(c);
    return tabular(longitud, n, [&](double x) { return cortante(k, x); });
}

Eigen::MatrixXd objBarra2d::getSolicitacionMomento(int c, int n) const
{
    if (!tieneResultados(c))
        return estaciones(longitud, n);
    const Eigen::VectorXd k = constantesIntegracion.col(c);
    return tabular(longitud, n, [&](double x) { return momento(k, x); });
}

// Zero of V(x) = a2 x^2 + a1 x + a0 strictly inside the bar, -1 when there is none; when
// both roots of a quadratic lie inside, the one written with the minus sign wins.
// Rounding is kept out of the decision: a load that is uniform (or zero) up to rounding,
// relative to the largest intensity of the combination, counts as uniform (or zero); the
// roots are formed without cancellation; a root within rounding of an end is at that end.
double objBarra2d::getXvcero(int c)
{
    xVcero = -1.0;
    if (!tieneResultados(c))
        return xVcero;

    const double L = longitud;
    double escala = 0.0;
    if (c < combos())
        escala = cargasCombo.row(c).cwiseAbs().maxCoeff();
    const double Qi = (c < combos()) ? cargasCombo(c, 2) : 0.0;
    const double Qf = (c < combos()) ? cargasCombo(c, 3) : 0.0;
    const bool sinCarga = std::max(std::abs(Qi), std::abs(Qf)) <= kRedondeo * escala;
    const bool uniforme = std::abs(Qf - Qi) <= kRedondeo * escala;

    const double a2 = (uniforme || sinCarga) ? 0.0 : -constantesIntegracion(0, c) / 2;
    const double a1 = sinCarga ? 0.0 : -constantesIntegracion(1, c);
    const double a0 = constantesIntegracion(2, c);

    double r1 = -1.0;
    double r2 = -1.0;
    if (a2 != 0.0) {
        double d = a1 * a1 - 4 * a2 * a0;
        if (d < 0.0 && -d <= kRedondeo * (a1 * a1 + std::abs(4 * a2 * a0)))
            d = 0.0;   // a double root pushed below zero by rounding
        if (d >= 0.0) {
            // r1 = (-a1 + sqrt d) / (2 a2), r2 = (-a1 - sqrt d) / (2 a2). The one whose
            // numerator adds two terms of one sign is formed directly, the other from the
            // product of the roots, a0 / a2, so no digits are lost to cancellation.
            const double raiz = std::sqrt(d);
            if (a1 < 0.0) {
                const double q = (-a1 + raiz) / 2;
                r1 = q / a2;
                r2 = a0 / q;
            } else if (a1 > 0.0 || raiz > 0.0) {
                const double q = (-a1 - raiz) / 2;
                r2 = q / a2;
                r1 = a0 / q;
            } else {
                r1 = r2 = 0.0;   // double root at the start
            }
        }
    } else if (a1 != 0.0) {
        r1 = -a0 / a1;
    }

    if (dentroDeLaBarra(r1, L))
        xVcero = r1;
    if (dentroDeLaBarra(r2, L))
        xVcero = r2;
    return xVcero;
}

// The moment at the point the last getXvcero found; 0 when it found none.
double objBarra2d::getMmax(int c) const
{
    const double x = xVcero;
    if (!tieneResultados(c) || !(x > 0.0 && x < longitud))
        return 0.0;
    return momento(constantesIntegracion.col(c), x);
}

// n points of the deflected axis in global axes, displacements multiplied by escala: the
// ends move with their nodes, the elongation is spread linearly along the bar and the
// transverse deflection relative to the start is scaled by escala.
Eigen::MatrixXd objBarra2d::getBarraDeformada(int c, int n, double escala) const
{
    Eigen::MatrixXd puntos = estaciones(longitud, n);
    if (n < 1)
        return puntos;
    const bool conResultados = tieneResultados(c);
    const Eigen::VectorXd uLoc = conResultados ? Eigen::VectorXd(desplazamientosLocales.col(c))
                                               : Eigen::VectorXd::Zero(6);
    const Eigen::VectorXd k = conResultados ? Eigen::VectorXd(constantesIntegracion.col(c))
                                            : Eigen::VectorXd::Zero(6);
    const double gx = conResultados ? desplazamientosGlobales(0, c) : 0.0;
    const double gy = conResultados ? desplazamientosGlobales(1, c) : 0.0;
    const double EI = moduloE * inercia;
    const double s = escala;
    const double du = finito((uLoc(3) - uLoc(0)) * s,
                             [&] { return (static_cast<long double>(uLoc(3)) - uLoc(0)) * s; });
    const double alargamientoPorPaso = (n > 1) ? du / (n - 1) : 0.0;

    // Deflection along local y. A bar without bending stiffness (a truss member given
    // I = 0) has no elastic curve: its axis is the straight line between its displaced ends.
    const double L = longitud;
    auto flecha = [&](auto x) {
        using Real = decltype(x);
        if (EI == 0.0)
            return (L == 0.0) ? Real(uLoc(1)) : uLoc(1) + (Real(uLoc(4)) - uLoc(1)) * x / L;
        const Real EIv = -k(0) * x * x * x * x * x / 120 - k(1) * x * x * x * x / 24 + k(2) * x * x * x / 6
                       + k(3) * x * x / 2 + k(4) * x + k(5);
        return EIv / EI;
    };

    // A displacement near the top of the double range, times escala, can overflow, and so
    // can the deflection's powers of x on a bar of extreme length; an infinite term times
    // the zero sine of a horizontal bar would then be NaN. The elongation and the deflection
    // are evaluated again in long double where double overflows, and every term is held
    // finite before the rotation and every point after it: such a point lies at the edge of
    // the double range, on the side it moves to. Finite points are unchanged.
    const double coseno = std::cos(angulo);
    const double seno = std::sin(angulo);
    const double v0 = flecha(0.0);
    const long double v0Largo = flecha(0.0L);
    const double dx = acotar(gx * s);
    const double dy = acotar(gy * s);
    for (int j = 0; j < n; ++j) {
        const double x = puntos(0, j);
        const double xs = acotar(x + j * alargamientoPorPaso);
        const double ys = finito((flecha(x) - v0) * s, [&] { return (flecha(static_cast<long double>(x)) - v0Largo) * s; });
        puntos(0, j) = acotar(xs * coseno - ys * seno + xi + dx);
        puntos(1, j) = acotar(xs * seno + ys * coseno + yi + dy);
    }
    return puntos;
}

Eigen::MatrixXd objBarra2d::getConstantesIntegracion() const { return constantesIntegracion; }
Eigen::MatrixXd objBarra2d::getDesplazamientosLocales() const { return desplazamientosLocales; }
Eigen::MatrixXd objBarra2d::getDesplazamientosGlobales() const { return desplazamientosGlobales; }
