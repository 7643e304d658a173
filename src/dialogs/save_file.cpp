#include "dialogs/save_file.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QSaveFile>
#include <QStringList>

#include "dialogs/app_title.h"

namespace corvane {
namespace {

QString& LastFolder() {
  static QString folder;
  return folder;
}

TSavePathAsker& Asker() {
  static TSavePathAsker asker;
  return asker;
}

TSaveFailureSink& FailureSink() {
  static TSaveFailureSink sink;
  return sink;
}

bool HasFormatSuffix(const QString& path, std::span<const TFileFormat> formats) {
  const QString suffix = QFileInfo(path).suffix();
  for (const TFileFormat& f : formats)
    if (suffix.compare(f.Suffix, Qt::CaseInsensitive) == 0)
      return true;
  return false;
}

std::optional<TSaveTarget> RunFileDialog(QWidget* parent, const TSaveRequest& request) {
  QFileDialog dialog(parent, request.Caption);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  QStringList filters;
  for (const TFileFormat& f : request.Formats) filters << FilterOf(f);
  dialog.setNameFilters(filters);
  const std::size_t first = FormatOfPath(request.DefaultName, request.Formats, 0);
  if (first < request.Formats.size()) {
    dialog.selectNameFilter(filters[qsizetype(first)]);
    dialog.setDefaultSuffix(request.Formats[first].Suffix);
  }
  // The extension follows the filter while the user types a name without one.
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString& filter) {
    const qsizetype i = filters.indexOf(filter);
    if (i >= 0)
      dialog.setDefaultSuffix(request.Formats[std::size_t(i)].Suffix);
  });
  dialog.setDirectory(LastSaveFolder());
  dialog.selectFile(request.DefaultName);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
    return std::nullopt;
  const qsizetype chosen = filters.indexOf(dialog.selectedNameFilter());
  const std::size_t fallback = chosen >= 0 ? std::size_t(chosen) : first;
  return TSaveTarget{dialog.selectedFiles().front(), fallback};
}

// A target that is there and is neither a regular file nor a folder: written in place.
bool IsSpecialFile(const QString& path) {
  const QFileInfo info(path);
  return info.exists() && !info.isFile() && !info.isDir();
}

QString ReasonOf(const QFileDevice& file) {
  const QString reason = file.errorString();
  return reason.isEmpty() || file.error() == QFileDevice::NoError ? QStringLiteral("write failed") : reason;
}

QString WriteInPlace(const QString& path, const TFileWriter& write) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly))
    return ReasonOf(file);
  if (!write(file) || !file.flush())
    return ReasonOf(file);
  file.close();
  return file.error() == QFileDevice::NoError ? QString() : ReasonOf(file);
}

}  // namespace

QString FilterOf(const TFileFormat& format) {
  return QStringLiteral("%1 (*.%2)").arg(format.Description, format.Suffix);
}

std::size_t FormatOfPath(const QString& path, std::span<const TFileFormat> formats, std::size_t fallback) {
  const QString suffix = QFileInfo(path).suffix();
  // Two formats may share an extension (PNG at the screen's ratio and at twice it): the chosen
  // filter wins among them.
  if (fallback < formats.size() && suffix.compare(formats[fallback].Suffix, Qt::CaseInsensitive) == 0)
    return fallback;
  for (std::size_t i = 0; i < formats.size(); ++i)
    if (suffix.compare(formats[i].Suffix, Qt::CaseInsensitive) == 0)
      return i;
  return fallback;
}

QString WithSuffix(const QString& path, std::span<const TFileFormat> formats, std::size_t format) {
  if (format >= formats.size() || HasFormatSuffix(path, formats))
    return path;
  return path + QLatin1Char('.') + formats[format].Suffix;
}

QString LastSaveFolder() {
  return LastFolder().isEmpty() ? QDir::homePath() : LastFolder();
}

void SetLastSaveFolder(const QString& folder) {
  LastFolder() = folder;
}

void SetSavePathAsker(TSavePathAsker asker) {
  Asker() = std::move(asker);
}

std::optional<TSaveTarget> AskSavePath(QWidget* parent, const TSaveRequest& request) {
  std::optional<TSaveTarget> target = Asker() ? Asker()(parent, request) : RunFileDialog(parent, request);
  if (target) {
    target->Format = FormatOfPath(target->Path, request.Formats, target->Format);
    target->Path = WithSuffix(target->Path, request.Formats, target->Format);
  }
  return target;
}

QString WriteFileAtomically(const QString& path, const TFileWriter& write) {
  if (IsSpecialFile(path))
    return WriteInPlace(path, write);
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly))
    return ReasonOf(file);
  if (!write(file)) {
    const QString reason = ReasonOf(file);
    file.cancelWriting();
    return reason;
  }
  if (!file.commit())
    return ReasonOf(file);
  return {};
}

bool WriteAll(QIODevice& file, const QByteArray& bytes) {
  qsizetype done = 0;
  while (done < bytes.size()) {
    const qint64 n = file.write(bytes.constData() + done, bytes.size() - done);
    if (n <= 0)
      return false;
    done += qsizetype(n);
  }
  return true;
}

QString WriteBytesAtomically(const QString& path, const QByteArray& bytes) {
  return WriteFileAtomically(path, [&](QIODevice& file) { return WriteAll(file, bytes); });
}

QString SaveFailureText(const QString& path, const QString& reason) {
  return QStringLiteral("Could not save the file %1:\n%2.").arg(QDir::toNativeSeparators(path), reason);
}

void SetSaveFailureSink(TSaveFailureSink sink) {
  FailureSink() = std::move(sink);
}

void ShowSaveFailure(QWidget* parent, const QString& path, const QString& reason) {
  if (FailureSink()) {
    FailureSink()(path, reason);
    return;
  }
  QMessageBox::warning(parent, QString::fromStdString(ApplicationTitle()), SaveFailureText(path, reason));
}

std::optional<QString> SaveThroughDialog(QWidget* parent, const TSaveRequest& request,
                                         const TFormatWriter& write) {
  const std::optional<TSaveTarget> target = AskSavePath(parent, request);
  if (!target)
    return std::nullopt;
  SetLastSaveFolder(QFileInfo(target->Path).absolutePath());
  const QString reason =
      WriteFileAtomically(target->Path, [&](QIODevice& file) { return write(file, target->Format); });
  if (!reason.isEmpty()) {
    ShowSaveFailure(parent, target->Path, reason);
    return std::nullopt;
  }
  return target->Path;
}

std::optional<QString> SaveBytesThroughDialog(QWidget* parent, const TSaveRequest& request,
                                              const TFormatBytes& contents) {
  return SaveThroughDialog(
      parent, request, [&](QIODevice& file, std::size_t format) { return WriteAll(file, contents(format)); });
}

}  // namespace corvane
