// The one main of every benchmark: the widget benchmarks need a QApplication, headless here.
#include <benchmark/benchmark.h>

#include <QApplication>

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
#if defined(__x86_64__)
  // Something in the start-up leaves the upper halves of the AVX registers dirty, which costs every
  // later SSE instruction a merge (glibc's log and pow then take 300 ns instead of 10-25 ns) and
  // would make every peer built on them look slow. Clear them once.
  if (__builtin_cpu_supports("avx"))
    __asm__ volatile("vzeroupper");
#endif
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv))
    return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
