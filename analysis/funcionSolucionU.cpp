#include "funcionSolucionU.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "bloquesDeMemoria.h"
#include "memoriaDisponible.h"
#include "variablesGlobales.h"

// Degrees of freedom (DOF) come from the objects' getGdl: node n owns 3n (X), 3n+1 (Y) and
// 3n+2 (rotation). Load and result matrices have one row per DOF and one column per load
// combination. Directions with support code 0 are free; every other code holds its
// direction, whose displacement stays 0 and whose reaction row is computed all the same.
// Reactions are the forces the supports exert on the structure, in global axes.

namespace {

const char* const kDireccion[] = {"X", "Y", "giro"};

void avisarCombosIncompletos(const char* sujeto, int numero, int tiene)
{
    std::cout << sujeto << ' ' << numero << " tiene " << tiene << " de " << noCombos
              << " combos: no se resuelve la estructura" << std::endl;
}

// Every model object must hold one load row per combination: the solver reads NC of them.
// Counted only: nothing is allocated before the memory estimate.
bool combosCompletos()
{
    for (const objNudo2d& n : nudo) {
        if (n.getCantidadDeCombos() < noCombos) {
            avisarCombosIncompletos("El nudo", n.getNoNudoUsuario(), n.getCantidadDeCombos());
            return false;
        }
    }
    for (const objBarra2d& b : barra) {
        if (b.getCantidadDeCombos() < noCombos) {
            avisarCombosIncompletos("La barra", b.getNoBarraUsuario(), b.getCantidadDeCombos());
            return false;
        }
    }
    return true;
}

// The solver also reads NC columns of every bar's equivalent loads, which a bar computes at
// the first request (after the estimate, which counts them) and then keeps as it computed
// them: a combination added to a bar after a solve is not among them.
bool cargasEquivalentesCompletas()
{
    for (objBarra2d& b : barra) {
        const int tiene = static_cast<int>(b.getCargasEquivalentesGlobales().cols());
        if (tiene < noCombos) {
            avisarCombosIncompletos("La barra", b.getNoBarraUsuario(), tiene);
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

// Null modes are formed this many at a time: a block of n x kModosPorBloque beside the LU.
constexpr Eigen::Index kModosPorBloque = 32;

// Doubles of a bar's rotation, local and global stiffness: 3 x 36, and the heap's header
// of each block.
constexpr double kDoblesDeRigidez = 3.0 * (36.0 + 2.0);

// Beyond the heap blocks the count sees: the kernel's page tables (8 bytes a page of 4 KiB)
// and the heap's own headers; and a fixed part for pages that small blocks and the stack
// only partly fill, and for the pages a memory control group charges each CPU ahead (64).
constexpr double kHolgura = 1.005;
constexpr double kHolguraFija = 256.0 * 1024.0;

// The memory available, asked right before each step it guards: what the steps before
// took is then in use.
using MemoriaLibre = std::function<double()>;

// A step that would need more than the memory available now is not taken; the line
// names what the whole solve needs.
bool cabeEnMemoria(double bytesDelPaso, double bytesDeLaSolucion, const MemoriaLibre& memoriaLibre)
{
    if (bytesDelPaso <= memoriaLibre())
        return true;
    std::cout << "No hay memoria para resolver la estructura: se necesitan " << bytesDeLaSolucion / 1e9
              << " GB" << std::endl;
    return false;
}

// The free DOFs, from the support codes: node order, then X, Y, rotation.
std::vector<int> direccionesLibres()
{
    std::vector<int> libres;
    for (objNudo2d& n : nudo) {
        const Eigen::Vector3i g = n.getGdl();
        const Eigen::Vector3i apoyo = n.getApoyo();
        for (int k = 0; k < 3; ++k)
            if (apoyo(k) == 0)
                libres.push_back(g[k]);
    }
    return libres;
}

void listarLibres()
{
    gdlLibres = direccionesLibres();
    noLibres = static_cast<int>(gdlLibres.size());
}

// How many free directions the LU factorises: those that some bar or spring stiffens (a
// row or column of the free stiffness with an entry other than 0). Before the assembly
// nothing is known, and every free direction counts.
double contarActivas(const std::vector<int>& libres)
{
    if (kEstructura.rows() != 3 * static_cast<Eigen::Index>(noNudos))
        return static_cast<double>(libres.size());
    double activas = 0.0;
    for (int g : libres) {
        bool rigidez = false;
        for (std::size_t j = 0; j < libres.size() && !rigidez; ++j)
            rigidez = kEstructura(libres[j], g) != 0.0 || kEstructura(g, libres[j]) != 0.0;
        activas += rigidez ? 1.0 : 0.0;
    }
    return activas;
}

// Doubles the assembly holds: kEstructura, pCombo, and every bar's rotation, local and
// global stiffness (6 x 6 each) and its equivalent loads in local and global axes (6 x NC
// each).
double doblesDelEnsamblado()
{
    const double gdl = 3.0 * noNudos;
    const double nc = noCombos;
    const double barras = static_cast<double>(barra.size());
    return gdl * gdl + gdl * nc + barras * (kDoblesDeRigidez + 12.0 * nc);
}

// At its most while it is made: one bar's equivalent loads in hand besides, a copy while
// they are computed or while they are added into pCombo (6 x NC).
double doblesAlEnsamblar() { return doblesDelEnsamblado() + 6.0 * noCombos; }

// Doubles the rest of the solve holds at its peak, with `libres` free directions of which
// the LU factorises `activas`. Held: kLL, pL and uLibres. Then the larger of two stages.
// The factorisation: the LU's copy of the stiffened directions, its permutations and the
// scales, and either the solve's scaled loads, its permuted right-hand side and its result
// with the triangular solves' packed blocks, or a block of a mechanism's null modes with
// theirs (each factorisation of a mechanism is released before the next, smaller one is made). The
// results: u and every node's displacements, every bar's global and local end
// displacements and integration constants, and the larger of one bar's displacements in
// hand, the product K u (reacciones, its packed blocks) and reacciones beside every node's
// reactions with one node's in hand or one bar's constants being checked.
double doblesTrasElEnsamblado(double libres, double activas)
{
    const double gdl = 3.0 * noNudos;
    const double nc = noCombos;
    const double barras = static_cast<double>(barra.size());
    const double retenido = libres * libres + 2.0 * libres * nc;
    const double solucion = 3.0 * activas * nc + bloquesEmpaquetados<4>(activas, activas, nc);
    const double bloque = static_cast<double>(kModosPorBloque);
    const double modos = (bloque + 1.0) * activas + bloquesEmpaquetados<4>(activas, activas, bloque);
    const double factorizacion = activas * activas + 4.0 * activas + std::max(solucion, modos);
    const double reacciones = std::max(gdl * nc + bloquesEmpaquetados<1>(gdl, gdl, nc), 2.0 * gdl * nc + 6.0 * nc);
    const double resultados = 2.0 * gdl * nc + 18.0 * barras * nc + std::max(6.0 * nc, reacciones);
    return retenido + std::max(factorizacion, resultados);
}

double bytes(double dobles) { return dobles * sizeof(double) * kHolgura + kHolguraFija; }

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

bool resolver(const MemoriaLibre& memoriaLibre)
{
    using namespace pasosSolucion;
    ensamblarRigidez();
    ensamblarCargas();
    sumarResortes();
    if (!ensambladoFinito())
        return false;
    listarLibres();
    const double despues = doblesTrasElEnsamblado(noLibres, contarActivas(gdlLibres));
    if (!cabeEnMemoria(bytes(despues), bytes(doblesDelEnsamblado() + despues), memoriaLibre))
        return false;
    reunirLibres();
    resolverLibres();
    if (!desplazamientosFinitos())
        return false;
    repartirDesplazamientos();
    calcularReacciones();
    return resultadosFinitos();
}

}  // namespace

namespace pasosSolucion {

// Measured against the heap a solve takes, on full-rank frames, trusses, mechanisms and
// many combinations, the count is the peak to within a few per cent and not below it.
double memoriaNecesaria()
{
    const std::vector<int> libres = direccionesLibres();
    const double libresYActivas = doblesTrasElEnsamblado(static_cast<double>(libres.size()), contarActivas(libres));
    return bytes(doblesDelEnsamblado() + libresYActivas);
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
    listarLibres();
    reunirLibres();
}

void reunirLibres()
{
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

namespace {

void resolverCon(const MemoriaLibre& memoriaLibre)
{
    fijarUmbralDeBloquesAparte();
    olvidarResultados();   // a refused solve must not leave the previous solve's results behind
    if (noNudos == 0 || noCombos == 0)
        return;   // no node or no load combination: nothing to solve for
    // Every allocation of the solve comes after the estimate and lies inside the guard.
    // Inside a memory control group a failed allocation ends the process instead of
    // throwing, so there the estimate is the only guard; the catch serves the process's
    // own limits (ulimit -v, ulimit -d), where the allocator may still fail first.
    try {
        const bool resuelto = combosCompletos()
                           && cabeEnMemoria(bytes(doblesAlEnsamblar()), pasosSolucion::memoriaNecesaria(), memoriaLibre)
                           && cargasEquivalentesCompletas() && resolver(memoriaLibre);
        if (!resuelto)
            olvidarResultados();
    } catch (const std::bad_alloc&) {
        olvidarResultados();
        std::cout << "No hay memoria para resolver la estructura: falló una reserva de memoria" << std::endl;
    }
}

}  // namespace

void funcionSolucionU() { resolverCon(memoriaDisponible); }

void funcionSolucionU(double memoriaLibre)
{
    resolverCon(memoriaDesdeAhora(memoriaLibre));
}
