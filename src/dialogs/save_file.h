// Writing what the user asks for to the file the user picks, and nothing half-written:
//
//   AskSavePath ---------> a TSaveTarget (path + format) or nothing when cancelled
//     Qt's file dialog with one filter per format, a default name, the last folder of this run;
//     the chosen filter's extension is added when the user types none; the dialog itself asks
//     before overwriting.
//   WriteFileAtomically -> the system's reason on failure, empty on success
//     through QSaveFile: a temporary file beside the target, renamed over it only once complete,
//     so a failure leaves any existing file as it was.
//   SaveThroughDialog ---> both, and the failure box (ShowSaveFailure) naming the file and the reason.
//
// Tests answer the dialog and record the failure box through SetSavePathAsker and
// SetSaveFailureSink.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <vector>

class QIODevice;
class QWidget;

namespace corvane {

// A filter of the dialog: "SVG image (*.svg)" from {"SVG image", "svg"}.
struct TFileFormat {
  QString Description;
  QString Suffix;  // without the dot
};

struct TSaveRequest {
  QString Caption;      // the dialog's title, e.g. "Save log as"
  QString DefaultName;  // e.g. "reaction-log.txt"; its suffix picks the first filter shown
  std::vector<TFileFormat> Formats;
};

struct TSaveTarget {
  QString Path;
  std::size_t Format = 0;  // index into the request's formats
  bool operator==(const TSaveTarget&) const = default;
};

// The dialog's filter text of a format.
QString FilterOf(const TFileFormat& format);

// The format a path names by its extension (case ignored), else `fallback`; `fallback` too
// when its own extension is the path's.
std::size_t FormatOfPath(const QString& path, std::span<const TFileFormat> formats, std::size_t fallback);

// The path with the format's extension appended when it has no extension of the formats.
QString WithSuffix(const QString& path, std::span<const TFileFormat> formats, std::size_t format);

// The folder the dialog opens in: the last one saved to in this run, else the home folder.
QString LastSaveFolder();
void SetLastSaveFolder(const QString& folder);

using TSavePathAsker =
    std::function<std::optional<TSaveTarget>(QWidget* parent, const TSaveRequest& request)>;
// Replaces the file dialog; empty restores it.
void SetSavePathAsker(TSavePathAsker asker);
// The answer with the format its extension names (else the chosen filter's) and that extension
// added when it has none of the formats'.
std::optional<TSaveTarget> AskSavePath(QWidget* parent, const TSaveRequest& request);

// Writes into the open file; returns false to give up (the file's error string is the reason,
// or "write failed" when it has none).
using TFileWriter = std::function<bool(QIODevice& file)>;
// The reason of a failure, empty on success. A target that exists and is no regular file
// (a device, a pipe) is written directly: renaming over it would replace the device itself.
QString WriteFileAtomically(const QString& path, const TFileWriter& write);
QString WriteBytesAtomically(const QString& path, const QByteArray& bytes);
// Writes every byte, going on after a short write, so that a full disk ends in the device's error.
bool WriteAll(QIODevice& file, const QByteArray& bytes);

// "Could not save the file PATH: REASON." in a warning box owned by `parent`.
QString SaveFailureText(const QString& path, const QString& reason);
using TSaveFailureSink = std::function<void(const QString& path, const QString& reason)>;
void SetSaveFailureSink(TSaveFailureSink sink);  // empty restores the box
void ShowSaveFailure(QWidget* parent, const QString& path, const QString& reason);

// Asks for the path, writes through `write` with the chosen format, shows the failure. Returns
// the path written, or nothing when cancelled or failed.
using TFormatWriter = std::function<bool(QIODevice& file, std::size_t format)>;
std::optional<QString> SaveThroughDialog(QWidget* parent, const TSaveRequest& request,
                                         const TFormatWriter& write);
// The same for contents made whole for the chosen format (a text, a CSV table).
using TFormatBytes = std::function<QByteArray(std::size_t format)>;
std::optional<QString> SaveBytesThroughDialog(QWidget* parent, const TSaveRequest& request,
                                              const TFormatBytes& contents);

}  // namespace corvane
