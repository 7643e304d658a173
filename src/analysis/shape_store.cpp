#include "analysis/shape_store.h"

#include <unistd.h>

#include <array>
#include <atomic>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

#include "analysis/shape_lattice.h"

namespace corvane {
namespace {

constexpr std::array<char, 8> kMagic = {'C', 'V', 'S', 'H', 'A', 'P', 'E', '1'};
// A node's table is m/step plus its tail long: some 10^5 at the lattice's largest m.
constexpr std::uint64_t kMostNodes = std::uint64_t{1} << 22;

struct THeader {
  std::array<char, 8> magic{};
  std::int32_t iv = 0, im = 0;
  double k = 0, m = 0, step = 0;
  std::uint64_t count = 0;
};
static_assert(sizeof(THeader) == 48);  // no padding: the checksum covers defined bytes alone

// FNV-1a: a torn or altered file is told from a sound one; not a defence against a forger, who
// could as well write any file the program reads.
class TChecksum {
 public:
  void Add(const void* data, std::size_t size) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    for (std::size_t i = 0; i < size; ++i) hash_ = (hash_ ^ bytes[i]) * 0x100000001b3ULL;
  }
  std::uint64_t Value() const { return hash_; }

 private:
  std::uint64_t hash_ = 0xcbf29ce484222325ULL;
};

std::filesystem::path NodeFile(const std::filesystem::path& folder, int iv, int im) {
  return folder / ("v" + std::to_string(iv) + "m" + std::to_string(im) + ".shape");
}

bool SameBits(double a, double b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

}  // namespace

std::optional<std::filesystem::path> ShapeStoreBase(const char* setting, const char* xdg_cache_home,
                                                    const char* home) {
  if (setting != nullptr) {
    const std::string text = setting;
    if (text.empty() || text == "off")
      return std::nullopt;
    return std::filesystem::path(text);
  }
  // The XDG rule: a relative XDG_CACHE_HOME is invalid and ignored.
  if (xdg_cache_home != nullptr && xdg_cache_home[0] == '/')
    return std::filesystem::path(xdg_cache_home) / "corvane" / "shapes";
  if (home != nullptr && home[0] == '/')
    return std::filesystem::path(home) / ".cache" / "corvane" / "shapes";
  return std::nullopt;
}

std::uint64_t ShapeSolveFingerprint() {
  // One shape of each of the solve's schemes (three grids from m = 3.2, with the graded panels
  // of 2 <= k < 4 and the panels on the lattice below k = 2; two grids below m = 3.2); cheap, a few
  // milliseconds together.
  TChecksum checksum;
  for (const auto& [k, m] : {std::pair{4.25, 3.3}, std::pair{2.5, 3.3}, std::pair{1.0, 3.3},
                             std::pair{0.5, 1.0}, std::pair{2.5, 1.0}}) {
    const TShapeNodes nodes = SolveStationaryShape(k, m);
    checksum.Add(&nodes.Step, sizeof nodes.Step);
    checksum.Add(nodes.Density.data(), nodes.Density.size() * sizeof(double));
  }
  return checksum.Value();
}

std::filesystem::path ShapeStoreFolderName(std::uint64_t fingerprint, TLatticeLevel level) {
  std::array<char, 17> hex{};
  static constexpr char kDigits[] = "0123456789abcdef";
  for (int i = 0; i < 16; ++i)
    hex[static_cast<std::size_t>(i)] = kDigits[(fingerprint >> (60 - 4 * i)) & 0xf];
  const TLatticeSteps steps = LatticeSteps(level);
  // The standard lattice's name has no step: it is the solve's default, and stores made before
  // the fine lattice existed keep being read.
  std::array<char, 32> step_text{};
  const auto end = std::to_chars(step_text.data(), step_text.data() + step_text.size(), steps.solve_step).ptr;
  const std::string step =
      level == TLatticeLevel::Standard ? "" : "-step" + std::string(step_text.data(), end);
  return "lattice-" + std::to_string(steps.v) + "x" + std::to_string(steps.ln_m) + step + "-" + hex.data();
}

namespace {

std::optional<std::filesystem::path> MakeStoreDirectory(TLatticeLevel level) {
  const auto base =
      ShapeStoreBase(std::getenv("CORVANE_SHAPE_CACHE"), std::getenv("XDG_CACHE_HOME"), std::getenv("HOME"));
  if (!base)
    return std::nullopt;
  try {
    std::filesystem::path folder = *base / ShapeStoreFolderName(ShapeSolveFingerprint(), level);
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error || !std::filesystem::is_directory(folder, error))
      return std::nullopt;
    return folder;
  } catch (const std::exception&) {
    return std::nullopt;  // a path that cannot be formed, memory: no store
  }
}

}  // namespace

const std::optional<std::filesystem::path>& ShapeStoreDirectory(TLatticeLevel level) {
  static const std::optional<std::filesystem::path> standard = MakeStoreDirectory(TLatticeLevel::Standard);
  if (level == TLatticeLevel::Standard)
    return standard;
  static const std::optional<std::filesystem::path> fine = MakeStoreDirectory(TLatticeLevel::Fine);
  return fine;
}

std::optional<TShapeNodes> LoadShapeNodes(const std::filesystem::path& folder, int iv, int im, double k,
                                          double m) {
  const std::filesystem::path file = NodeFile(folder, iv, im);
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(file, error);
  if (error)
    return std::nullopt;
  std::ifstream in(file, std::ios::binary);
  if (!in)
    return std::nullopt;
  THeader header;
  if (!in.read(reinterpret_cast<char*>(&header), sizeof header))
    return std::nullopt;
  if (header.magic != kMagic || header.iv != iv || header.im != im || !SameBits(header.k, k) ||
      !SameBits(header.m, m) || !(header.step > 0) || header.count < 4 || header.count > kMostNodes ||
      size != sizeof header + header.count * sizeof(double) + sizeof(std::uint64_t))
    return std::nullopt;  // the length checked before the table is allocated
  TShapeNodes nodes;
  nodes.Step = header.step;
  nodes.Density.resize(header.count);
  std::uint64_t stored_checksum = 0;
  if (!in.read(reinterpret_cast<char*>(nodes.Density.data()),
               static_cast<std::streamsize>(header.count * sizeof(double))) ||
      !in.read(reinterpret_cast<char*>(&stored_checksum), sizeof stored_checksum) ||
      in.peek() != std::ifstream::traits_type::eof())
    return std::nullopt;
  TChecksum checksum;
  checksum.Add(&header, sizeof header);
  checksum.Add(nodes.Density.data(), header.count * sizeof(double));
  if (checksum.Value() != stored_checksum)
    return std::nullopt;
  return nodes;
}

bool StoreShapeNodes(const std::filesystem::path& folder, int iv, int im, double k, double m,
                     const TShapeNodes& nodes) {
  static std::atomic<unsigned> serial{0};
  THeader header;
  header.magic = kMagic;
  header.iv = iv;
  header.im = im;
  header.k = k;
  header.m = m;
  header.step = nodes.Step;
  header.count = nodes.Density.size();
  TChecksum checksum;
  checksum.Add(&header, sizeof header);
  checksum.Add(nodes.Density.data(), nodes.Density.size() * sizeof(double));
  const std::uint64_t sum = checksum.Value();

  const std::filesystem::path target = NodeFile(folder, iv, im);
  std::filesystem::path temporary = target;
  temporary += ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(serial++);
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    out.write(reinterpret_cast<const char*>(nodes.Density.data()),
              static_cast<std::streamsize>(nodes.Density.size() * sizeof(double)));
    out.write(reinterpret_cast<const char*>(&sum), sizeof sum);
    out.close();
    if (!out) {
      std::error_code ignored;
      std::filesystem::remove(temporary, ignored);
      return false;
    }
  }
  std::error_code error;
  std::filesystem::rename(temporary, target, error);
  if (error) {
    std::filesystem::remove(temporary, error);
    return false;
  }
  return true;
}

}  // namespace corvane
