#include "analysis/shape_store.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace corvane {
namespace {

namespace fs = std::filesystem;

fs::path FreshFolder(const std::string& name) {
  const fs::path folder = fs::path(::testing::TempDir()) / ("shape-store-" + name);
  fs::remove_all(folder);
  fs::create_directories(folder);
  return folder;
}

bool SameBits(const TShapeNodes& a, const TShapeNodes& b) {
  return std::memcmp(&a.Step, &b.Step, sizeof a.Step) == 0 && a.Density.size() == b.Density.size() &&
         std::memcmp(a.Density.data(), b.Density.data(), a.Density.size() * sizeof(double)) == 0;
}

std::string Bytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Write(const fs::path& file, const std::string& bytes) {
  std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

TEST(ShapeStoreTest, TheSettingThenXdgThenHomeNameTheBase) {
  EXPECT_EQ(ShapeStoreBase("/data/shapes", "/x", "/home/r"), fs::path("/data/shapes"));
  EXPECT_EQ(ShapeStoreBase("off", "/x", "/home/r"), std::nullopt);
  EXPECT_EQ(ShapeStoreBase("", "/x", "/home/r"), std::nullopt);
  EXPECT_EQ(ShapeStoreBase(nullptr, "/x", "/home/r"), fs::path("/x/corvane/shapes"));
  // A relative XDG_CACHE_HOME is invalid by its own rule: HOME's default instead.
  EXPECT_EQ(ShapeStoreBase(nullptr, "cache", "/home/r"), fs::path("/home/r/.cache/corvane/shapes"));
  EXPECT_EQ(ShapeStoreBase(nullptr, nullptr, nullptr), std::nullopt);
  EXPECT_EQ(ShapeStoreBase(nullptr, nullptr, ""), std::nullopt);
}

// A store made before the fine lattice keeps its name, so its nodes are still read; the fine
// lattice's nodes (another solve step) never land among them.
TEST(ShapeStoreTest, EachLatticeHasItsOwnFolder) {
  EXPECT_EQ(ShapeStoreFolderName(0x0123456789abcdefULL, TLatticeLevel::Standard),
            fs::path("lattice-48x12-0123456789abcdef"));
  EXPECT_EQ(ShapeStoreFolderName(0x0123456789abcdefULL, TLatticeLevel::Fine),
            fs::path("lattice-48x24-step0.05-0123456789abcdef"));
}

// What the store gives back is the solve's own output to the bit, so a fit reads the same figures
// from it as it would solve; and the solve repeats itself to the bit (its threads split the work
// in fixed halves), which the folder's fingerprint relies on.
TEST(ShapeStoreTest, AStoredNodeIsTheSolveBitForBitAndOnlyForItsOwnNode) {
  const fs::path folder = FreshFolder("round-trip");
  const double k = 1 / (5.0 / 48) - 1, m = std::exp(25.0 / 12);
  const TShapeNodes solved = SolveStationaryShape(k, m);
  EXPECT_TRUE(SameBits(solved, SolveStationaryShape(k, m)));
  EXPECT_EQ(ShapeSolveFingerprint(), ShapeSolveFingerprint());

  EXPECT_EQ(LoadShapeNodes(folder, 5, 25, k, m), std::nullopt);
  ASSERT_TRUE(StoreShapeNodes(folder, 5, 25, k, m, solved));
  const auto loaded = LoadShapeNodes(folder, 5, 25, k, m);
  ASSERT_TRUE(loaded.has_value());
  EXPECT_TRUE(SameBits(*loaded, solved));
  // Nothing left behind but the node's one file.
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);

  // Another node's name, or the same file asked for other (k, m): not this node.
  EXPECT_EQ(LoadShapeNodes(folder, 5, 26, k, m), std::nullopt);
  fs::copy_file(folder / "v5m25.shape", folder / "v5m26.shape");
  EXPECT_EQ(LoadShapeNodes(folder, 5, 26, k, std::exp(26.0 / 12)), std::nullopt);
  EXPECT_EQ(LoadShapeNodes(folder, 5, 25, std::nextafter(k, 0.0), m), std::nullopt);
}

TEST(ShapeStoreTest, ADamagedFileIsNotReadAndStoringAgainMendsIt) {
  const fs::path folder = FreshFolder("damaged");
  const double k = 3, m = 2;
  const TShapeNodes solved = SolveStationaryShape(k, m);
  ASSERT_TRUE(StoreShapeNodes(folder, 12, 8, k, m, solved));
  const fs::path file = folder / "v12m8.shape";
  const std::string sound = Bytes(file);

  std::string flipped = sound;
  flipped[sound.size() / 2] = static_cast<char>(flipped[sound.size() / 2] ^ 0x10);
  std::string longer = sound;
  longer += '\0';
  std::string header_changed = sound;
  header_changed[0] = 'X';
  for (const std::string& bytes : {sound.substr(0, sound.size() - 1), sound.substr(0, 20), std::string(),
                                   flipped, longer, header_changed}) {
    Write(file, bytes);
    EXPECT_EQ(LoadShapeNodes(folder, 12, 8, k, m), std::nullopt) << bytes.size();
  }
  ASSERT_TRUE(StoreShapeNodes(folder, 12, 8, k, m, solved));
  const auto mended = LoadShapeNodes(folder, 12, 8, k, m);
  ASSERT_TRUE(mended.has_value());
  EXPECT_TRUE(SameBits(*mended, solved));
}

TEST(ShapeStoreTest, AFolderThatCannotBeWrittenOnlyCostsTime) {
  const fs::path folder = FreshFolder("missing") / "not" / "there";
  const TShapeNodes solved = SolveStationaryShape(3, 2);
  EXPECT_FALSE(StoreShapeNodes(folder, 12, 8, 3, 2, solved));
  EXPECT_EQ(LoadShapeNodes(folder, 12, 8, 3, 2), std::nullopt);
}

}  // namespace
}  // namespace corvane
