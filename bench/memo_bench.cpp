// Appending a long reaction's log: 10^5 lines of 110 characters through the data memo (buffer and
// one widget sync) against appending the same lines and breaks to a std::string.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <QWidget>
#include <string>
#include <vector>

#include "mainwindow/data_memo.h"

namespace {

constexpr int kLines = 100000;

std::vector<std::string> LogLines() {
  std::vector<std::string> lines;
  lines.reserve(kLines);
  for (int i = 0; i < kLines; ++i) {
    std::string line = "N=" + std::to_string(100000 + i / 2) + " K=     " + std::to_string(1 + i % 2) +
                       " Y-Begin=5.000 Y-End=1.250 WTerm=3.750 Subtotal=" + std::to_string(i) + ".375";
    line.resize(110, ' ');
    lines.push_back(line);
  }
  return lines;
}

const std::vector<std::string>& Lines() {
  static const std::vector<std::string> lines = LogLines();
  return lines;
}

void BM_StringAppend(benchmark::State& state) {
  for (auto _ : state) {
    std::string text;
    for (const std::string& line : Lines()) {
      text += line;
      text += "\r\n";
    }
    benchmark::DoNotOptimize(text.data());
  }
  state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(BM_StringAppend)->Unit(benchmark::kMillisecond);

// The memo as the window has it: a child of a shown window, synced once after the reaction.
void BM_MemoAppend(benchmark::State& state) {
  QWidget window;
  corvane::TDataMemo memo(&window);
  memo.Widget()->setGeometry(440, 0, 185, 185);
  window.show();
  for (auto _ : state) {
    memo.ClearLines();
    for (const std::string& line : Lines()) memo.AppendLine(line);
    memo.Sync();
    benchmark::DoNotOptimize(memo.Widget()->blockCount());
  }
  state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(BM_MemoAppend)->Unit(benchmark::kMillisecond);

// The buffer alone, without the widget: what the handler itself spends.
void BM_MemoAppendBufferOnly(benchmark::State& state) {
  for (auto _ : state) {
    corvane::TMemoBuffer buffer(corvane::TDataMemo::kDefaultCapacity);
    for (const std::string& line : Lines()) buffer.InsertLine(buffer.LineCount(), line);
    benchmark::DoNotOptimize(buffer.Text().data());
  }
  state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(BM_MemoAppendBufferOnly)->Unit(benchmark::kMillisecond);

}  // namespace
