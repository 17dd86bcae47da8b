#include "funcionSolucionU.h"

#include <algorithm>
#include <cmath>
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "memoriaDisponible.h"
#include "variablesGlobales.h"

// Degrees of freedom (DOF) come from the objects' getGdl: node n owns 3n (X), 3n+1 (Y) and
// 3n+2 (rotation). Load and result matrices have one row per DOF and one column per load
// combination. Directions with support code 0 are free; every other code holds its
// direction, whose displacement stays 0 and whose reaction row is computed all the same.
// Reactions are the forces the supports exert on the structure, in global axes.

namespace {

const char* const kDireccion[] = {"X", "Y", "giro"};

// Every model object must hold one load row per combination: the solver reads NC of them,
// and NC columns of every bar's equivalent loads, which a bar keeps as it first computed
// them (a combination added to a bar after a solve is not among them).
bool combosCompletos()
{
    for (const objNudo2d& n : nudo) {
        if (n.getCantidadDeCombos() < noCombos) {
            std::cout << "El nudo " << n.getNoNudoUsuario() << " tiene " << n.getCantidadDeCombos()
                      << " de " << noCombos << " combos: no se resuelve la estructura" << std::endl;
            return false;
        }
    }
    for (objBarra2d& b : barra) {
        const int tiene = std::min(b.getCantidadDeCombos(), static_cast<int>(b.getCargasEquivalentesGlobales().cols()));
        if (tiene < noCombos) {
            std::cout << "La barra " << b.getNoBarraUsuario() << " tiene " << tiene << " de " << noCombos
                      << " combos: no se resuelve la estructura" << std::endl;
            return false;
        }
    }
    return true;
}

// Doubles of the packed blocks that Eigen's blocked products take beside their operands,
// for a filas x profundidad matrix times a profundidad x columnas one: kc x mc of the left
// matrix and kc x nc of the right one, sized from the CPU's caches as Eigen sizes them
// when it multiplies. The LU's triangular solves block with KcFactor 4, K u with 1.
template <int KcFactor>
double bloquesEmpaquetados(double filas, double profundidad, double columnas)
{
    Eigen::Index kc = static_cast<Eigen::Index>(profundidad);
    Eigen::Index mc = static_cast<Eigen::Index>(filas);
    Eigen::Index nc = static_cast<Eigen::Index>(columnas);
    Eigen::internal::computeProductBlockingSizes<double, double, KcFactor>(kc, mc, nc);
    return static_cast<double>(kc) * static_cast<double>(mc + nc);
}

bool cabeEnMemoria()
{
    const double bytes = pasosSolucion::memoriaNecesaria();
    if (bytes <= memoriaDisponible())
        return true;
    std::cout << "No hay memoria para resolver la estructura: se necesitan " << bytes / 1e9
              << " GB" << std::endl;
    return false;
}

double contarLibres()
{
    double libres = 0.0;
    for (const objNudo2d& n : nudo) {
        const Eigen::Vector3i apoyo = n.getApoyo();
        for (int k = 0; k < 3; ++k)
            libres += (apoyo(k) == 0) ? 1.0 : 0.0;
    }
    return libres;
}

// The node that owns a DOF: node n owns 3n (X), 3n + 1 (Y) and 3n + 2 (rotation).
const objNudo2d& nudoDelGdl(Eigen::Index g)
{
    return nudo[static_cast<std::size_t>(g / 3)];
}

// "nudo <user number>, dirección X|Y|giro" for a DOF.
std::string direccionDelGdl(int g)
{
    return "nudo " + std::to_string(nudoDelGdl(g).getNoNudoUsuario()) + ", dirección " + kDireccion[g % 3];
}

bool esGiro(int g) { return g % 3 == 2; }

// How many of the idle directions the console line names before it stops at "...".
constexpr std::size_t kInactivasNombradas = 3;

// One line for every idle direction of a solve: a truss whose bars are all hinged has one
// per node, and a line each would scroll the lines that matter away.
void avisarInactivas(const std::vector<int>& inactivas)
{
    if (inactivas.empty())
        return;
    if (inactivas.size() == 1) {
        std::cout << "Dirección sin rigidez: " << direccionDelGdl(inactivas[0]) << "; su desplazamiento se toma 0"
                  << std::endl;
        return;
    }
    std::string nombradas;
    for (std::size_t i = 0; i < inactivas.size() && i < kInactivasNombradas; ++i)
        nombradas += (i == 0 ? "" : "; ") + direccionDelGdl(inactivas[i]);
    if (inactivas.size() > kInactivasNombradas)
        nombradas += "; ...";
    std::cout << "Direcciones sin rigidez: " << inactivas.size() << " (" << nombradas
              << "); sus desplazamientos se toman 0" << std::endl;
}

// A free direction whose row and column of kLL are all zero is stiffened by nothing: it is
// left out of the factorisation and its displacement taken as 0. Unloaded, that is only an
// idle direction (a released end's rotation at a pin, say); loaded, the structure cannot
// carry that load, which is said once per such direction, after the idle ones. Answers the
// free directions that remain, as positions in gdlLibres.
std::vector<int> direccionesConRigidez()
{
    std::vector<int> activas;
    std::vector<int> inactivas;   // DOF numbers
    std::vector<int> cargadas;    // DOF numbers
    for (int i = 0; i < noLibres; ++i) {
        // The column first: it is contiguous, and it settles most directions.
        const bool sinRigidez = (kLL.col(i).array() == 0.0).all() && (kLL.row(i).array() == 0.0).all();
        if (!sinRigidez) {
            activas.push_back(i);
            continue;
        }
        const int g = gdlLibres[static_cast<std::size_t>(i)];
        if ((pL.row(i).array() == 0.0).all())
            inactivas.push_back(g);
        else
            cargadas.push_back(g);
    }
    avisarInactivas(inactivas);
    for (int g : cargadas)
        std::cout << "Estructura inestable (mecanismo): " << direccionDelGdl(g) << "; su carga se pierde" << std::endl;
    return activas;
}

// Jacobi scaling of the factorised directions, s_i = 1 / sqrt|K_ii| (1 where K_ii = 0), so
// that S K S has a unit diagonal. The LU's rank threshold is relative to its largest pivot:
// unscaled, a stiff spring (1e20 beside a bar's 1e3) or a bar of extreme length or section
// hides every other direction below that threshold and makes a false mechanism. The root
// of a finite, non-zero double is finite and non-zero (even of a subnormal one), and so
// is its inverse.
Eigen::VectorXd escalasDeJacobi(const std::vector<int>& activas)
{
    Eigen::VectorXd s(static_cast<Eigen::Index>(activas.size()));
    for (std::size_t i = 0; i < activas.size(); ++i) {
        const double diagonal = std::abs(kLL(activas[i], activas[i]));
        s(static_cast<Eigen::Index>(i)) = (diagonal > 0.0) ? 1.0 / std::sqrt(diagonal) : 1.0;
    }
    return s;
}

// The position in `modo` of the free direction that moves most: a translation, or a
// rotation when the mode moves none. `modo` holds |u| of the mode in the order of `activas`.
Eigen::Index laQueMasSeMueve(const Eigen::VectorXd& modo, const std::vector<int>& activas)
{
    Eigen::Index mayor = 0;
    Eigen::Index traslacion = -1;
    for (Eigen::Index i = 0; i < modo.size(); ++i) {
        if (modo(i) > modo(mayor))
            mayor = i;
        const bool gira = esGiro(gdlLibres[static_cast<std::size_t>(activas[static_cast<std::size_t>(i)])]);
        if (!gira && (traslacion < 0 || modo(i) > modo(traslacion)))
            traslacion = i;
    }
    // Entries within rounding of zero are no movement.
    const bool mueveTraslacion = traslacion >= 0 && modo(traslacion) > 1e-9 * modo(mayor);
    return mueveTraslacion ? traslacion : mayor;
}

// Null modes are formed this many at a time: a block of n x kModosPorBloque beside the LU.
constexpr Eigen::Index kModosPorBloque = 32;

// The directions to hold so that the rest has full rank: in each null mode of the scaled
// LU, the free direction that moves most (positions in `activas`, sorted, no repeats).
// With full pivoting P (S K S) Q = L U, and the pivots not above the LU's threshold
// standing last, the modes are Q z with z = [-U11^-1 U12 e_k; e_k]: triangular solves on
// the LU's own storage, a block of modes at a time, in place of kernel()'s copy of U. The
// LU holds S K S, whose mode y is the displacement mode u = S y.
std::vector<Eigen::Index> direccionesASujetar(const Eigen::FullPivLU<Eigen::MatrixXd>& lu, const Eigen::VectorXd& s,
                                              const std::vector<int>& activas)
{
    const Eigen::MatrixXd& LU = lu.matrixLU();
    const Eigen::Index n = LU.cols();
    const double umbral = lu.maxPivot() * lu.threshold();
    Eigen::Index r = 0;
    while (r < lu.nonzeroPivots() && std::abs(LU(r, r)) > umbral)
        ++r;
    const Eigen::VectorXi& q = lu.permutationQ().indices();
    std::vector<Eigen::Index> sujetas;
    Eigen::VectorXd modo(n);
    for (Eigen::Index k0 = r; k0 < n; k0 += kModosPorBloque) {
        const Eigen::Index b = std::min(kModosPorBloque, n - k0);
        const Eigen::MatrixXd y = LU.topLeftCorner(r, r).triangularView<Eigen::Upper>().solve(LU.block(0, k0, r, b));
        for (Eigen::Index j = 0; j < b; ++j) {
            modo.setZero();
            for (Eigen::Index i = 0; i < r; ++i)
                modo(q(i)) = std::abs(s(q(i)) * y(i, j));
            modo(q(k0 + j)) = std::abs(s(q(k0 + j)));
            sujetas.push_back(laQueMasSeMueve(modo, activas));
        }
    }
    std::sort(sujetas.begin(), sujetas.end());
    sujetas.erase(std::unique(sujetas.begin(), sujetas.end()), sujetas.end());
    return sujetas;
}

// K u = p solved as (S K S) y = S p, u = S y, over the directions `activas`. A mechanism
// (S K S without full rank) is held: in each null mode the direction that moves most is
// held at 0, and the rest is factorised again, until it has full rank. The directions
// outside the mechanism thus get the results of the same model with its loose directions
// held, beside stiff springs too, and the load of a loaded mechanism stays at the
// directions held. Answers the DOF that names the mechanism, the first one held, or -1.
// The scaled matrix is formed straight into the LU's own storage, and each factorisation
// is released before the next: no copy beyond the one the memory estimate counts.
int resolverEscalado(std::vector<int> activas)
{
    int mecanismo = -1;
    while (!activas.empty()) {
        const Eigen::VectorXd s = escalasDeJacobi(activas);
        const Eigen::FullPivLU<Eigen::MatrixXd> lu(s.asDiagonal() * kLL(activas, activas) * s.asDiagonal());
        if (lu.rank() == static_cast<Eigen::Index>(activas.size())) {
            uLibres(activas, Eigen::all) = s.asDiagonal() * lu.solve(s.asDiagonal() * pL(activas, Eigen::all));
            return mecanismo;
        }
        const std::vector<Eigen::Index> sujetas = direccionesASujetar(lu, s, activas);
        if (mecanismo < 0)
            mecanismo = gdlLibres[static_cast<std::size_t>(activas[static_cast<std::size_t>(sujetas.front())])];
        std::vector<int> restantes;
        restantes.reserve(activas.size() - sujetas.size());
        for (std::size_t i = 0, k = 0; i < activas.size(); ++i) {
            if (k < sujetas.size() && static_cast<Eigen::Index>(i) == sujetas[k])
                ++k;
            else
                restantes.push_back(activas[i]);
        }
        activas = std::move(restantes);
    }
    return mecanismo;
}

void avisarNoFinito(const char* sujeto, int numero, const char* que)
{
    std::cout << sujeto << ' ' << numero << " tiene " << que << ": no se resuelve la estructura" << std::endl;
}

// A NaN or an infinity in the assembled stiffness or loads would spread through the
// factorisation into every result. Names the first bar or node whose contribution is not
// finite; finite contributions whose sum overflows are named by the node of the first
// such row.
bool ensambladoFinito()
{
    if (kEstructura.allFinite() && pCombo.allFinite())
        return true;
    for (objBarra2d& b : barra) {
        if (!b.getKGlobal().allFinite()) {
            avisarNoFinito("La barra", b.getNoBarraUsuario(), "rigideces no finitas");
            return false;
        }
        if (!b.getCargasEquivalentesGlobales().allFinite()) {
            avisarNoFinito("La barra", b.getNoBarraUsuario(), "cargas no finitas");
            return false;
        }
    }
    for (const objNudo2d& n : nudo) {
        const bool resortesFinitos = std::isfinite(n.getResorteX()) && std::isfinite(n.getResorteY())
                                   && std::isfinite(n.getResorteGiro());
        if (!resortesFinitos) {
            avisarNoFinito("El nudo", n.getNoNudoUsuario(), "rigideces no finitas");
            return false;
        }
        if (!n.getCargasGlobales().allFinite()) {
            avisarNoFinito("El nudo", n.getNoNudoUsuario(), "cargas no finitas");
            return false;
        }
    }
    for (Eigen::Index g = 0; g < kEstructura.rows(); ++g) {
        const bool rigidez = kEstructura.row(g).allFinite();
        if (rigidez && pCombo.row(g).allFinite())
            continue;
        avisarNoFinito("El nudo", nudoDelGdl(g).getNoNudoUsuario(), rigidez ? "cargas no finitas" : "rigideces no finitas");
        return false;
    }
    return false;
}

// Finite data can still give a displacement beyond the range of a double (a load of
// 1e300 on a stiffness of 1e-300): then nothing of the solution is kept.
bool desplazamientosFinitos()
{
    for (int i = 0; i < noLibres; ++i) {
        if (uLibres.row(i).allFinite())
            continue;
        avisarNoFinito("El nudo", nudoDelGdl(gdlLibres[static_cast<std::size_t>(i)]).getNoNudoUsuario(),
                       "desplazamientos no finitos");
        return false;
    }
    return true;
}

// The results handed to the model, checked once more: a reaction or a bar's integration
// constants can overflow from finite displacements.
bool resultadosFinitos()
{
    for (const objNudo2d& n : nudo) {
        for (int c = 0; c < noCombos; ++c) {
            const bool finitos = std::isfinite(n.getReaccionX(c)) && std::isfinite(n.getReaccionY(c))
                               && std::isfinite(n.getReaccionM(c));
            if (!finitos) {
                avisarNoFinito("El nudo", n.getNoNudoUsuario(), "reacciones no finitas");
                return false;
            }
        }
    }
    for (const objBarra2d& b : barra) {
        bool finitos = b.getConstantesIntegracion().allFinite();
        for (int c = 0; c < noCombos && finitos; ++c)
            finitos = b.getSolicitacionAxial(c, 2).allFinite();
        if (!finitos) {
            avisarNoFinito("La barra", b.getNoBarraUsuario(), "solicitaciones no finitas");
            return false;
        }
    }
    return true;
}

// Leaves the model unsolved: no analysis variable and no result in any node or bar. It
// runs before the solver's guard and in its handler, so it only frees: it copies no result.
void olvidarResultados()
{
    pasosSolucion::vaciarResultados();
    for (objNudo2d& n : nudo)
        n.borrarResultados();
    for (objBarra2d& b : barra)
        if (b.tieneResultados(0))   // only a bar that got results has its matrices
            b.setDesplazamientos(Eigen::MatrixXd(6, 0));
}

bool resolver()
{
    using namespace pasosSolucion;
    ensamblarRigidez();
    ensamblarCargas();
    sumarResortes();
    if (!ensambladoFinito())
        return false;
    particionar();
    resolverLibres();
    if (!desplazamientosFinitos())
        return false;
    repartirDesplazamientos();
    calcularReacciones();
    return resultadosFinitos();
}

}  // namespace

namespace pasosSolucion {

// What a solve that finds full rank holds at its peak beyond the model as it stands (the
// bars' equivalent loads computed already), reckoned in double so that a huge model cannot
// overflow the count. Held throughout: kEstructura, pCombo, kLL, pL, uLibres and every
// bar's local and global stiffness. Then the larger of two stages. The factorisation: the
// LU's copy of kLL, its permutations and the scales, the scaled loads, the solve's own
// right-hand side and its result, and the triangular solves' packed blocks. The results:
// u, every node's displacements and reactions, every bar's global and local end
// displacements and integration constants with the copies of one bar's in hand, reacciones
// and its product K u with the product's packed blocks. A mechanism's second
// factorisation and its modes are not counted: a failed allocation there is caught.
double memoriaNecesaria()
{
    const double gdl = 3.0 * noNudos;
    const double nc = noCombos;
    const double barras = static_cast<double>(barra.size());
    const double nl = contarLibres();
    const double retenido = gdl * gdl + gdl * nc + nl * nl + 2.0 * nl * nc + 72.0 * barras;
    const double factorizacion = nl * nl + 4.0 * nl + 3.0 * nl * nc + bloquesEmpaquetados<4>(nl, nl, nc);
    const double resultados = 4.0 * gdl * nc + 18.0 * barras * nc + 18.0 * nc + bloquesEmpaquetados<1>(gdl, gdl, nc);
    return (retenido + std::max(factorizacion, resultados)) * sizeof(double);
}

void vaciarResultados()
{
    gdlLibres.clear();
    noLibres = 0;
    kEstructura.resize(0, 0);
    kLL.resize(0, 0);
    pL.resize(0, 0);
    pCombo.resize(0, 0);
    uLibres.resize(0, 0);
    u.resize(0, 0);
    reacciones.resize(0, 0);
}

void ensamblarRigidez()
{
    const Eigen::Index n = 3 * static_cast<Eigen::Index>(noNudos);
    kEstructura.setZero(n, n);
    for (objBarra2d& b : barra) {
        const Eigen::VectorXi g = b.getGdl();
        const Eigen::MatrixXd K = b.getKGlobal();
        for (int a = 0; a < 6; ++a)
            for (int e = 0; e < 6; ++e)
                kEstructura(g[a], g[e]) += K(a, e);
    }
}

// Equivalent nodal loads of the bars (acting on the nodes, with their own sign) plus the
// node loads, whose matrix has one row per combination and is read transposed.
void ensamblarCargas()
{
    pCombo.setZero(3 * static_cast<Eigen::Index>(noNudos), noCombos);
    for (objBarra2d& b : barra) {
        const Eigen::MatrixXd Q = b.getCargasEquivalentesGlobales();
        const Eigen::VectorXi g = b.getGdl();
        for (int a = 0; a < 6; ++a)
            for (int c = 0; c < noCombos; ++c)
                pCombo(g[a], c) += Q(a, c);
    }
    for (objNudo2d& n : nudo) {
        const Eigen::Vector3i g = n.getGdl();
        const Eigen::MatrixXd P = n.getCargasGlobales();
        for (int a = 0; a < 3; ++a)
            for (int c = 0; c < noCombos; ++c)
                pCombo(g[a], c) += P(c, a);
    }
}

// A spring stiffens its own direction only.
void sumarResortes()
{
    for (objNudo2d& n : nudo) {
        const Eigen::Vector3i g = n.getGdl();
        kEstructura(g[0], g[0]) += n.getResorteX();
        kEstructura(g[1], g[1]) += n.getResorteY();
        kEstructura(g[2], g[2]) += n.getResorteGiro();
    }
}

void particionar()
{
    for (objNudo2d& n : nudo) {
        const Eigen::Vector3i g = n.getGdl();
        const Eigen::Vector3i apoyo = n.getApoyo();
        for (int k = 0; k < 3; ++k)
            if (apoyo(k) == 0)
                gdlLibres.push_back(g[k]);
    }
    noLibres = static_cast<int>(gdlLibres.size());

    kLL.resize(noLibres, noLibres);
    pL.resize(noLibres, noCombos);
    for (int j = 0; j < noLibres; ++j)
        for (int i = 0; i < noLibres; ++i)
            kLL(i, j) = kEstructura(gdlLibres[i], gdlLibres[j]);
    for (int c = 0; c < noCombos; ++c)
        for (int i = 0; i < noLibres; ++i)
            pL(i, c) = pCombo(gdlLibres[i], c);
}

// One factorisation for all combinations, of the free directions that some bar or spring
// stiffens; the others, and a structure without free directions, stay where they are.
void resolverLibres()
{
    uLibres.setZero(noLibres, noCombos);
    if (noLibres == 0)
        return;
    const std::vector<int> activas = direccionesConRigidez();
    if (activas.empty())
        return;
    const int mecanismo = resolverEscalado(activas);
    if (mecanismo >= 0)
        std::cout << "Estructura inestable (mecanismo): " << direccionDelGdl(mecanismo) << std::endl;
}

void repartirDesplazamientos()
{
    u.setZero(3 * static_cast<Eigen::Index>(noNudos), noCombos);
    for (int c = 0; c < noCombos; ++c)
        for (int i = 0; i < noLibres; ++i)
            u(gdlLibres[i], c) = uLibres(i, c);

    for (objNudo2d& n : nudo) {
        const Eigen::Vector3i g = n.getGdl();
        Eigen::MatrixXd D(3, noCombos);
        for (int a = 0; a < 3; ++a)
            D.row(a) = u.row(g[a]);
        n.setDesplazamientos(D);
    }
    for (objBarra2d& b : barra) {
        const Eigen::VectorXi g = b.getGdl();
        Eigen::MatrixXd D(6, noCombos);
        for (int a = 0; a < 6; ++a)
            D.row(a) = u.row(g[a]);
        b.setDesplazamientos(D);
    }
}

// In a held row the force the support exerts; in a free row the residual, 0 to rounding.
void calcularReacciones()
{
    reacciones = kEstructura * u - pCombo;
    for (objNudo2d& n : nudo) {
        const Eigen::Vector3i g = n.getGdl();
        Eigen::MatrixXd R(3, noCombos);
        for (int a = 0; a < 3; ++a)
            R.row(a) = reacciones.row(g[a]);
        n.setReacciones(R);
    }
}

}  // namespace pasosSolucion

void funcionSolucionU()
{
    olvidarResultados();   // a refused solve must not leave the previous solve's results behind
    if (noNudos == 0 || noCombos == 0)
        return;   // no node or no load combination: nothing to solve for
    // Every allocation of the solve lies inside: the estimate sees the memory and the
    // process's limits, but not what the allocator finds when it asks, nor a mechanism's
    // second factorisation.
    try {
        if (!combosCompletos() || !cabeEnMemoria() || !resolver())
            olvidarResultados();
    } catch (const std::bad_alloc&) {
        olvidarResultados();
        std::cout << "No hay memoria para resolver la estructura: falló una reserva de memoria" << std::endl;
    }
}
