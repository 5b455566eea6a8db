// Benchmark of the phases of a run over regular frames of growing size: the
// model builder on the input file, the solver on the built model (and, apart,
// its LU factorisation), one frame of the viewer with the moment layer of one
// combination on, and the whole program from its start to its first frame.
// At the end a summary table of the times against the free degrees of freedom
// and the growth exponent fitted to each phase.

#include <benchmark/benchmark.h>

#include <GL/freeglut.h>

#include <Eigen/LU>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iomanip>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>
#include <streambuf>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "archivoTemporal.h"
#include "funcionPlot.h"
#include "marcoRegular.h"
#include "vardel2d.h"

extern char** environ;

namespace {

// Storeys x bays; the frames beyond 30x10 bracket the largest model that
// starts in under a second.
const std::vector<std::pair<int, int>> tamanos = {{2, 2},   {5, 5},   {10, 10}, {20, 10},
                                                  {30, 10}, {40, 10}, {50, 10}, {60, 10}};

// The size the targets are set on, and the exit status by which the start-up
// probe reports that the first frame was drawn.
const std::pair<int, int> tamanoObjetivo = {20, 10};
const int salidaPrimerCuadro = 42;

bool hayVentana = false;

// Swallows everything, so the trace costs its formatting but no terminal.
class SalidaNula : public std::streambuf {
protected:
    int overflow(int c) override { return c; }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

class Silencio {
public:
    Silencio() : anterior(std::cout.rdbuf(&nula)) {}
    ~Silencio() { std::cout.rdbuf(anterior); }

private:
    SalidaNula nula;
    std::streambuf* anterior;
};

MarcoRegular marcoDe(const benchmark::State& state)
{
    return MarcoRegular{static_cast<int>(state.range(0)), static_cast<int>(state.range(1))};
}

// One input file per size, written on first use and kept for the whole run.
const std::string& archivoDe(const MarcoRegular& m)
{
    static std::map<std::tuple<int, int, bool>, std::unique_ptr<ArchivoTemporal>> archivos;
    auto& a = archivos[{m.pisos, m.vanos, m.todoFijo}];
    if (!a) a = std::make_unique<ArchivoTemporal>(m.texto());
    return a->ruta();
}

void construir(const MarcoRegular& m)
{
    estadoDeArranque();
    nombreArchivo = archivoDe(m);
    Silencio s;
    funcionLeerArchivo();
}

// What is wrong with the model built from the frame's file, empty when
// nothing is: the counts, and after the solve the equilibrium of every
// combination (the support reactions balance the applied loads).
std::string revisar(const MarcoRegular& m, bool resuelto)
{
    std::ostringstream error;
    if (noNudos != m.nudos() || noBarras != m.barras() || noCombos != 3) {
        error << "model of " << noNudos << " nodes, " << noBarras << " bars, " << noCombos
              << " combinations; expected " << m.nudos() << ", " << m.barras() << ", 3";
        return error.str();
    }
    if (!resuelto) return "";
    if (noLibres != m.gdlLibres()) {
        error << noLibres << " free degrees of freedom; expected " << m.gdlLibres();
        return error.str();
    }
    for (int c = 0; c < 3; ++c) {
        double rx = 0, ry = 0;
        for (const objNudo2d& n : nudo) {
            rx += n.getReaccionX(c);
            ry += n.getReaccionY(c);
        }
        const double escala = m.cargaVertical(c) + m.cargaHorizontal(c);
        if (std::abs(ry - m.cargaVertical(c)) > 1e-6 * escala || std::abs(rx + m.cargaHorizontal(c)) > 1e-6 * escala) {
            error << "combination " << c << ": reactions (" << rx << ", " << ry << ") against loads ("
                  << m.cargaHorizontal(c) << " along +X, " << m.cargaVertical(c) << " down)";
            return error.str();
        }
    }
    return "";
}

double mediana(std::vector<double> v)
{
    if (v.empty()) return NAN;
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

void anotar(benchmark::State& state, const MarcoRegular& m)
{
    state.counters["pisos"] = m.pisos;
    state.counters["vanos"] = m.vanos;
    state.counters["nudos"] = m.nudos();
    state.counters["barras"] = m.barras();
    state.counters["gdl"] = m.gdlLibres();
}

// Times the solve of a model freshly built for each run, as at start-up and
// after a restart: the bars keep some derived values once asked for them. The
// last solve is checked.
void resolverCadaVez(benchmark::State& state, const MarcoRegular& m)
{
    for (auto _ : state) {
        state.PauseTiming();
        construir(m);
        state.ResumeTiming();
        funcionSolucionU();
    }
    const std::string error = revisar(m, true);
    if (!error.empty()) state.SkipWithError(error.c_str());
}

// The benchmarks that draw need the window; without a display they report it
// and do not run.
bool sinVentana(benchmark::State& state)
{
    if (!hayVentana) state.SkipWithError("no X display");
    return !hayVentana;
}

void BM_LeerArchivo(benchmark::State& state)
{
    const MarcoRegular m = marcoDe(state);
    construir(m);
    const std::string error = revisar(m, false);
    if (!error.empty()) {
        state.SkipWithError(error.c_str());
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        nudo.clear();
        barra.clear();
        state.ResumeTiming();
        Silencio s;
        funcionLeerArchivo();
    }
    anotar(state, m);
}

void BM_SolucionU(benchmark::State& state)
{
    const MarcoRegular m = marcoDe(state);
    resolverCadaVez(state, m);
    anotar(state, m);
}

// The decomposition and solve of the free block alone, on the matrices that
// the solver left.
void BM_FactorizacionLU(benchmark::State& state)
{
    const MarcoRegular m = marcoDe(state);
    construir(m);
    funcionSolucionU();
    const Eigen::MatrixXd k = kLL;
    const Eigen::MatrixXd p = pL;
    for (auto _ : state) {
        Eigen::MatrixXd x = k.fullPivLu().solve(p);
        benchmark::DoNotOptimize(x.data());
    }
    anotar(state, m);
}

// The solver on the same frame with every node fixed: the full-size tables
// are zeroed, assembled, multiplied for the reactions and handed over to every
// node and bar, but there is no free block to copy and factorise. Its time is
// what the solver spends beyond the factorisation, measured directly: the
// difference of the two timings above is smaller than their run-to-run spread.
void BM_EnsambladoYEntrega(benchmark::State& state)
{
    MarcoRegular m = marcoDe(state);
    m.todoFijo = true;
    resolverCadaVez(state, m);
    m.todoFijo = false;  // reported in the row of the frame it stands for
    anotar(state, m);
}

// One frame as the window draws it after "plotM" with the second combination
// on: the console overlay, bars, nodes, supports and the moment diagrams, then
// the buffer swap. glFinish waits for the renderer, not for a vertical blank.
void BM_CuadroMomento(benchmark::State& state)
{
    if (sinVentana(state)) return;
    const MarcoRegular m = marcoDe(state);
    construir(m);
    funcionSolucionU();
    estadoDeApertura();
    flags[flagMomento] = 1;
    flags[flagPrimerCombo + 1] = 1;
    for (auto _ : state) {
        draw();
        glFinish();
    }
    anotar(state, m);
}

// The program itself, started on the frame's file with a probe preloaded that
// ends the process right after the first buffer swap.
void BM_ArranqueHastaPrimerCuadro(benchmark::State& state)
{
    if (sinVentana(state)) return;
    const MarcoRegular m = marcoDe(state);
    std::string ruta = archivoDe(m);
    std::string programa = VARDEL2D_PROGRAMA;

    std::vector<std::string> entorno;
    for (char** e = environ; *e; ++e) {
        if (std::string(*e).rfind("LD_PRELOAD=", 0) != 0) entorno.push_back(*e);
    }
    entorno.push_back(std::string("LD_PRELOAD=") + VARDEL2D_SONDA);
    std::vector<char*> envp;
    for (std::string& e : entorno) envp.push_back(e.data());
    envp.push_back(nullptr);
    char* argv[] = {programa.data(), ruta.data(), nullptr};

    posix_spawn_file_actions_t acciones;
    posix_spawn_file_actions_init(&acciones);
    posix_spawn_file_actions_addopen(&acciones, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);

    for (auto _ : state) {
        pid_t pid;
        int estado = 0;
        if (posix_spawn(&pid, programa.c_str(), &acciones, nullptr, argv, envp.data()) != 0 ||
            waitpid(pid, &estado, 0) != pid || !WIFEXITED(estado) || WEXITSTATUS(estado) != salidaPrimerCuadro) {
            state.SkipWithError("the program did not reach its first frame");
            break;
        }
    }
    posix_spawn_file_actions_destroy(&acciones);
    anotar(state, m);
}

void tamanosDeMarco(benchmark::internal::Benchmark* b)
{
    b->ArgNames({"pisos", "vanos"});
    for (const auto& [s, v] : tamanos) b->Args({s, v});
    b->Unit(benchmark::kMillisecond);
}

// Wall-clock time throughout: the renderer and the program started by the
// start-up benchmark work outside this thread.
BENCHMARK(BM_LeerArchivo)->Apply(tamanosDeMarco)->UseRealTime();
BENCHMARK(BM_SolucionU)->Apply(tamanosDeMarco)->UseRealTime();
BENCHMARK(BM_FactorizacionLU)->Apply(tamanosDeMarco)->UseRealTime();
BENCHMARK(BM_EnsambladoYEntrega)->Apply(tamanosDeMarco)->UseRealTime();
BENCHMARK(BM_CuadroMomento)->Apply(tamanosDeMarco)->UseRealTime();
BENCHMARK(BM_ArranqueHastaPrimerCuadro)->Apply(tamanosDeMarco)->UseRealTime();

// The console report, and after it the summary: one row per size with the
// median real time of each phase, the fitted growth and the targets.
class Resumen : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs) {
            if (r.error_occurred || r.run_type != Run::RT_Iteration) continue;
            const auto contador = [&r](const char* n) { return static_cast<int>(r.counters.at(n).value); };
            const std::pair<int, int> tamano = {contador("pisos"), contador("vanos")};
            const double ms = 1e3 * r.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(r.time_unit);
            Fila& f = filas[tamano];
            f.nudos = contador("nudos");
            f.barras = contador("barras");
            f.gdl = contador("gdl");
            f.tiempos[r.run_name.function_name].push_back(ms);
        }
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        std::ostream& out = GetOutputStream();
        if (filas.empty()) return;
        out << "\n| frame | nodes | bars | free DOF | read | solve | LU | assembly + hand-over | read + solve"
               " | frame | start-up |\n"
               "|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|\n";
        for (auto& [tamano, f] : filas) {
            out << "| " << tamano.first << "x" << tamano.second << " | " << f.nudos << " | " << f.barras << " | "
                << f.gdl;
            for (double t : {f.t("BM_LeerArchivo"), f.t("BM_SolucionU"), f.t("BM_FactorizacionLU"),
                             f.t("BM_EnsambladoYEntrega"),
                             f.t("BM_LeerArchivo") + f.t("BM_SolucionU"), f.t("BM_CuadroMomento"),
                             f.t("BM_ArranqueHastaPrimerCuadro")}) {
                out << " | " << milisegundos(t);
            }
            out << " |\n";
        }
        out << "\nTimes in ms (median real time). Growth t ~ DOF^k, k fitted by least squares:\n"
               "| phase | k, 330-990 DOF | k, 990-1980 DOF |\n|---|---:|---:|\n";
        for (const auto& [fase, nombre] : std::vector<std::pair<std::string, std::string>>{
                 {"BM_LeerArchivo", "read"},
                 {"BM_SolucionU", "solve"},
                 {"BM_FactorizacionLU", "LU"},
                 {"BM_EnsambladoYEntrega", "assembly + hand-over"},
                 {"BM_CuadroMomento", "frame"},
                 {"BM_ArranqueHastaPrimerCuadro", "start-up"}}) {
            out << "| " << nombre << " | " << exponente(fase, 330, 990) << " | " << exponente(fase, 990, 1980)
                << " |\n";
        }
        objetivos(out);
    }

private:
    struct Fila {
        int nudos = 0, barras = 0, gdl = 0;
        std::map<std::string, std::vector<double>> tiempos;
        // Median over repetitions; NaN when the phase did not run.
        double t(const std::string& fase) const
        {
            auto it = tiempos.find(fase);
            return it == tiempos.end() ? NAN : mediana(it->second);
        }
    };
    std::map<std::pair<int, int>, Fila> filas;

    static std::string milisegundos(double t)
    {
        if (std::isnan(t)) return "-";
        std::ostringstream s;
        s << std::fixed << std::setprecision(t < 10 ? 3 : 1) << t;
        return s.str();
    }

    // Least-squares slope of log t against log DOF over the frames whose DOF
    // lie in [desde, hasta].
    std::string exponente(const std::string& fase, int desde, int hasta) const
    {
        std::vector<std::pair<double, double>> puntos;
        for (const auto& [tamano, f] : filas) {
            const double t = f.t(fase);
            if (f.gdl >= desde && f.gdl <= hasta && !std::isnan(t) && t > 0) {
                puntos.push_back({std::log(f.gdl), std::log(t)});
            }
        }
        if (puntos.size() < 2) return "-";
        double mx = 0, my = 0;
        for (auto [x, y] : puntos) mx += x, my += y;
        mx /= puntos.size();
        my /= puntos.size();
        double sxy = 0, sxx = 0;
        for (auto [x, y] : puntos) sxy += (x - mx) * (y - my), sxx += (x - mx) * (x - mx);
        std::ostringstream s;
        s << std::fixed << std::setprecision(2) << sxy / sxx;
        return s.str();
    }

    void objetivos(std::ostream& out) const
    {
        auto it = filas.find(tamanoObjetivo);
        if (it == filas.end()) return;
        const Fila& f = it->second;
        const double leer = f.t("BM_LeerArchivo"), solucion = f.t("BM_SolucionU");
        const double cuadro = f.t("BM_CuadroMomento");
        const auto veredicto = [](double valor, double limite) {
            return std::isnan(valor) ? "not measured" : valor < limite ? "met" : "MISSED";
        };
        const double resto = leer + f.t("BM_EnsambladoYEntrega");
        out << "\nTargets on the " << tamanoObjetivo.first << "x" << tamanoObjetivo.second << " frame:\n"
            << "  read + solve " << milisegundos(leer + solucion) << " ms < 300 ms: "
            << veredicto(leer + solucion, 300) << "\n"
            << "  read + assembly + hand-over " << milisegundos(resto) << " ms = "
            << std::fixed << std::setprecision(1) << 100 * resto / solucion << " % of the solve < 10 %: "
            << veredicto(resto / solucion, 0.1) << "\n"
            << "  one frame " << milisegundos(cuadro) << " ms < 16 ms: " << veredicto(cuadro, 16) << "\n";
    }
};

// The window that the frames are drawn into, as the viewer opens it.
void abrirVentana(char* programa)
{
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display) return;
    static int argc = 1;
    static char* argv[] = {programa, nullptr};
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowPosition(100, 100);
    glutInitWindowSize(1000, 800);
    glutCreateWindow("Programa de Vardel 2D");
    glutDisplayFunc([] {});
    glutMainLoopEvent();
    hayVentana = true;
}

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    abrirVentana(argv[0]);
    Resumen resumen;
    benchmark::RunSpecifiedBenchmarks(&resumen);
    benchmark::Shutdown();
    return 0;
}
