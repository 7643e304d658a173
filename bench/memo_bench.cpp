// The data memo: 10^5 lines of 110 characters appended and the view brought up to date, against
// the same appends to a std::string; a paint of the view holding 10 to 3 x 10^5 lines, against
// the 10-line paint (painting costs the lines in sight only); copying the memo at its capacity,
// with the peak resident memory it takes.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QApplication>
#include <QClipboard>
#include <QScrollBar>
#include <QWidget>
#include <string>
#include <vector>

#include "memo/data_memo.h"
#include "memo/memo_view.h"
#include "runtime/errors.h"

namespace {

constexpr int kLines = 100000;

std::string LogLine(int i) {
  std::string line = "N=" + std::to_string(100000 + i / 2) + " K=     " + std::to_string(1 + i % 2) +
                     " Y-Begin=5.000 Y-End=1.250 WTerm=3.750 Subtotal=" + std::to_string(i) + ".375";
  line.resize(110, ' ');
  return line;
}

const std::vector<std::string>& Lines() {
  static const std::vector<std::string> lines = [] {
    std::vector<std::string> made;
    made.reserve(kLines);
    for (int i = 0; i < kLines; ++i) made.push_back(LogLine(i));
    return made;
  }();
  return lines;
}

double PeakResidentMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return double(usage.ru_maxrss) / 1024.0;
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

// The same, into a string that keeps its storage from one run to the next, as the memo's buffer
// keeps its own across ClearLines.
void BM_StringAppendReused(benchmark::State& state) {
  std::string text;
  for (auto _ : state) {
    text.clear();
    for (const std::string& line : Lines()) {
      text += line;
      text += "\r\n";
    }
    benchmark::DoNotOptimize(text.data());
  }
  state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(BM_StringAppendReused)->Unit(benchmark::kMillisecond);

// The memo as the window has it: a child of a shown window, its view brought up to date once.
void BM_MemoAppend(benchmark::State& state) {
  QWidget window;
  corvane::TDataMemo memo(&window);
  memo.Widget()->setGeometry(440, 0, 185, 185);
  window.show();
  for (auto _ : state) {
    memo.ClearLines();
    for (const std::string& line : Lines()) memo.AppendLine(line);
    memo.Sync();
    benchmark::DoNotOptimize(memo.Widget()->verticalScrollBar());
  }
  state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(BM_MemoAppend)->Unit(benchmark::kMillisecond);

// The buffer alone, without the view: what the handler itself spends.
void BM_MemoAppendBufferOnly(benchmark::State& state) {
  for (auto _ : state) {
    corvane::TMemoBuffer buffer(corvane::TDataMemo::kDefaultCapacity);
    for (const std::string& line : Lines()) buffer.InsertLine(buffer.LineCount(), line);
    benchmark::DoNotOptimize(buffer.Text().data());
  }
  state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(BM_MemoAppendBufferOnly)->Unit(benchmark::kMillisecond);

// One full repaint of the view, scrolled to its newest lines; the time must not grow with the
// line count (compare each row with the first).
void BM_MemoPaint(benchmark::State& state) {
  QWidget window;
  corvane::TDataMemo memo(&window, std::size_t{64} << 20);  // room for 3 x 10^5 lines of 110
  memo.Widget()->setGeometry(440, 0, 185, 185);
  window.resize(640, 454);
  window.show();
  memo.ClearLines();
  for (int i = 0; i < state.range(0); ++i) memo.AppendLine(Lines()[std::size_t(i) % Lines().size()]);
  memo.Sync();
  QApplication::processEvents();
  for (auto _ : state) memo.Widget()->viewport()->repaint();
  state.counters["painted"] = memo.Widget()->PaintedLines();
}
BENCHMARK(BM_MemoPaint)->Arg(10)->Arg(1000)->Arg(100000)->Arg(300000)->Unit(benchmark::kMicrosecond);

// Select All and Copy of a memo filled to its capacity, against putting the same number of bytes
// on the clipboard as Latin-1 text; peak_rss_mb is the process's peak after the copies (run each
// alone for a true figure).
void BM_CopyAtCapacity(benchmark::State& state) {
  QWidget window;
  corvane::TDataMemo memo(&window);
  memo.ClearLines();
  try {
    for (int i = 0;; ++i) memo.AppendLine(Lines()[std::size_t(i) % Lines().size()]);
  } catch (const corvane::EOutOfResources&) {
  }
  for (auto _ : state) {
    memo.Widget()->SelectAll();
    memo.Widget()->Copy();
  }
  state.counters["bytes"] = double(memo.Text().size());
  state.counters["peak_rss_mb"] = PeakResidentMegabytes();
}
BENCHMARK(BM_CopyAtCapacity)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_CopyPeerString(benchmark::State& state) {
  const std::string bytes(corvane::TDataMemo::kDefaultCapacity, 'x');
  for (auto _ : state)
    QApplication::clipboard()->setText(QString::fromLatin1(bytes.data(), qsizetype(bytes.size())));
  state.counters["peak_rss_mb"] = PeakResidentMegabytes();
}
BENCHMARK(BM_CopyPeerString)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
