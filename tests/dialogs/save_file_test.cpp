// Saving to real files: the extension rules, the whole file or none, and every failure a user
// meets (a read-only folder, a folder as the target, a missing folder, a full disk) reported
// with the system's reason while any existing file stays as it was. The read-only folder and the
// full disk are small tmpfs mounts, made where the test may mount (as root), skipped elsewhere.
#include "dialogs/save_file.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <optional>
#include <string>
#include <vector>

namespace corvane {
namespace {

const std::vector<TFileFormat> kImageFormats{{"PNG image", "png"},
                                             {"PNG image, twice the size", "png"},
                                             {"SVG vector image", "svg"},
                                             {"PDF document", "pdf"}};

TEST(SaveFileNamesTest, TheExtensionPicksTheFormatAndIsAddedWhenMissing) {
  struct Case {
    const char* typed;
    std::size_t chosen;
    std::size_t format;
    const char* path;
  };
  const Case cases[] = {
      {"/t/plot", 2, 2, "/t/plot.svg"},        // none typed: the filter's
      {"/t/plot.PDF", 0, 3, "/t/plot.PDF"},    // typed wins over the filter, any case
      {"/t/plot.png", 1, 1, "/t/plot.png"},    // two formats share .png: the chosen one
      {"/t/plot.png", 3, 0, "/t/plot.png"},    // the first with that extension
      {"/t/plot.v2", 2, 2, "/t/plot.v2.svg"},  // an extension of no format is part of the name
      {"/t/my.plot.svg", 0, 2, "/t/my.plot.svg"},
  };
  for (const Case& c : cases) {
    const std::size_t format = FormatOfPath(c.typed, kImageFormats, c.chosen);
    EXPECT_EQ(format, c.format) << c.typed;
    EXPECT_EQ(WithSuffix(c.typed, kImageFormats, format), QString(c.path)) << c.typed;
  }
  EXPECT_EQ(FilterOf(kImageFormats[2]), "SVG vector image (*.svg)");
}

QByteArray Read(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

bool Mount(const QString& options, const QString& where) {
  return QProcess::execute("mount", {"-t", "tmpfs", "-o", options, "tmpfs", where}) == 0;
}

class SaveFileTest : public ::testing::Test {
 protected:
  void TearDown() override {
    for (const QString& m : mounts_) QProcess::execute("umount", {m});
    SetSavePathAsker(nullptr);
    SetSaveFailureSink(nullptr);
  }

  // A tmpfs of `size` holding "keep.txt" = "old", then remounted read-only when asked.
  std::optional<QString> SmallDisk(const QString& size, bool read_only) {
    const QString where = dir_.filePath(QString("disk%1").arg(mounts_.size()));
    QDir().mkpath(where);
    if (!Mount("size=" + size, where))
      return std::nullopt;
    mounts_ << where;
    QFile keep(where + "/keep.txt");
    if (!keep.open(QIODevice::WriteOnly) || keep.write("old") != 3)
      return std::nullopt;
    keep.close();
    if (read_only && QProcess::execute("mount", {"-o", "remount,ro", where}) != 0)
      return std::nullopt;
    return where;
  }

  QTemporaryDir dir_;
  QStringList mounts_;
};

TEST_F(SaveFileTest, AWriteReplacesTheFileWholeAndLeavesNothingBeside) {
  const QString path = dir_.filePath("log.txt");
  ASSERT_TRUE(WriteBytesAtomically(path, "old").isEmpty());
  EXPECT_TRUE(WriteBytesAtomically(path, "new text\n").isEmpty());
  EXPECT_EQ(Read(path), "new text\n");
  EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList{"log.txt"});
}

TEST_F(SaveFileTest, AWriterThatGivesUpLeavesTheOldFile) {
  const QString path = dir_.filePath("log.txt");
  ASSERT_TRUE(WriteBytesAtomically(path, "old").isEmpty());
  const QString reason = WriteFileAtomically(path, [](QIODevice& file) {
    file.write("half");
    return false;
  });
  EXPECT_FALSE(reason.isEmpty());
  EXPECT_EQ(Read(path), "old");
  EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList{"log.txt"});
}

TEST_F(SaveFileTest, AFolderAsTheTargetOrAMissingFolderFailsWithTheReason) {
  QDir(dir_.path()).mkdir("folder");
  struct Case {
    QString path;
    QString reason_part;
  };
  const Case cases[] = {{dir_.filePath("folder"), "directory"},
                        {dir_.filePath("missing/log.txt"), "No such file or directory"}};
  for (const Case& c : cases) {
    const QString reason = WriteBytesAtomically(c.path, "text");
    EXPECT_TRUE(reason.contains(c.reason_part, Qt::CaseInsensitive)) << reason.toStdString();
  }
  EXPECT_TRUE(QFileInfo(dir_.filePath("folder")).isDir());
  EXPECT_FALSE(QFileInfo::exists(dir_.filePath("missing")));
}

TEST_F(SaveFileTest, AReadOnlyFolderFailsAndKeepsTheFile) {
  const std::optional<QString> disk = SmallDisk("64k", true);
  if (!disk)
    GTEST_SKIP() << "cannot mount a tmpfs here";
  for (const QString& name : {QString("keep.txt"), QString("new.txt")}) {
    const QString reason = WriteBytesAtomically(*disk + "/" + name, "text");
    EXPECT_TRUE(reason.contains("Read-only file system") || reason.contains("Permission denied") ||
                reason.contains("not writable"))
        << reason.toStdString();
  }
  EXPECT_EQ(Read(*disk + "/keep.txt"), "old");
  EXPECT_FALSE(QFileInfo::exists(*disk + "/new.txt"));
}

TEST_F(SaveFileTest, AFullDiskFailsAndKeepsTheFile) {
  const std::optional<QString> disk = SmallDisk("16k", false);
  if (!disk)
    GTEST_SKIP() << "cannot mount a tmpfs here";
  const QByteArray big(256 * 1024, 'x');
  const QString reason = WriteBytesAtomically(*disk + "/keep.txt", big);
  EXPECT_TRUE(reason.contains("No space left on device")) << reason.toStdString();
  EXPECT_EQ(Read(*disk + "/keep.txt"), "old");
  EXPECT_EQ(QDir(*disk).entryList(QDir::Files), QStringList{"keep.txt"});
}

// A device is written in place: renaming a finished file over /dev/full would replace the device.
TEST_F(SaveFileTest, ADeviceIsWrittenInPlaceAndItsFailureReported) {
  if (!QFileInfo::exists("/dev/full"))
    GTEST_SKIP() << "no /dev/full";
  const QString reason = WriteBytesAtomically("/dev/full", QByteArray(64 * 1024, 'x'));
  EXPECT_TRUE(reason.contains("No space left on device")) << reason.toStdString();
  EXPECT_FALSE(QFileInfo("/dev/full").isFile());
  EXPECT_TRUE(WriteBytesAtomically("/dev/null", "text").isEmpty());
  EXPECT_FALSE(QFileInfo("/dev/null").isFile());
}

TEST_F(SaveFileTest, TheDialogsPathIsWrittenAndAFailureShownOnceWithPathAndReason) {
  std::vector<std::pair<QString, QString>> failures;
  SetSaveFailureSink(
      [&](const QString& path, const QString& reason) { failures.emplace_back(path, reason); });
  std::optional<TSaveTarget> answer = TSaveTarget{dir_.filePath("table.tsv"), 1};
  TSaveRequest seen;
  SetSavePathAsker([&](QWidget*, const TSaveRequest& request) {
    seen = request;
    return answer;
  });
  const TSaveRequest request{"Save data as", "reaction-times.csv", {{"CSV", "csv"}, {"TSV", "tsv"}}};
  const auto contents = [](std::size_t format) { return QByteArray(format == 0 ? "a,b\r\n" : "a\tb\n"); };

  EXPECT_EQ(SaveBytesThroughDialog(nullptr, request, contents),
            std::optional<QString>(dir_.filePath("table.tsv")));
  EXPECT_EQ(seen.DefaultName, "reaction-times.csv");
  EXPECT_EQ(Read(dir_.filePath("table.tsv")), "a\tb\n");
  EXPECT_EQ(LastSaveFolder(), dir_.path());

  answer = TSaveTarget{dir_.filePath("missing/table.csv"), 0};
  EXPECT_EQ(SaveBytesThroughDialog(nullptr, request, contents), std::nullopt);
  ASSERT_EQ(failures.size(), 1u);
  EXPECT_EQ(failures[0].first, dir_.filePath("missing/table.csv"));
  EXPECT_TRUE(failures[0].second.contains("No such file or directory"));
  EXPECT_EQ(SaveFailureText("/a/b.csv", "Permission denied"),
            "Could not save the file /a/b.csv:\nPermission denied.");

  answer = std::nullopt;  // cancelled: nothing written, nothing shown
  EXPECT_EQ(SaveBytesThroughDialog(nullptr, request, contents), std::nullopt);
  EXPECT_EQ(failures.size(), 1u);
}

}  // namespace
}  // namespace corvane
