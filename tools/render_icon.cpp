// Renders the scalable icon to PNG files of the hicolor sizes, for desktops and software centres
// that look for a bitmap: render_icon ICON.svg OUT_DIR SIZE... writes
// OUT_DIR/<size>x<size>/apps/<icon name>.png. Qt's own SVG image plugin does the drawing, the same
// that draws the window icon at run time.
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <cstdio>

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  const QStringList args = QGuiApplication::arguments();
  if (args.size() < 4) {
    std::fprintf(stderr, "usage: render_icon ICON.svg OUT_DIR SIZE...\n");
    return 2;
  }
  const QString svg = args[1];
  const QString name = QFileInfo(svg).completeBaseName();
  for (qsizetype i = 3; i < args.size(); ++i) {
    bool ok = false;
    const int size = args[i].toInt(&ok);
    if (!ok || size <= 0) {
      std::fprintf(stderr, "render_icon: bad size %s\n", qPrintable(args[i]));
      return 2;
    }
    QImageReader reader(svg, "svg");
    reader.setScaledSize(QSize(size, size));
    const QImage image = reader.read();
    const QString dir = QStringLiteral("%1/%2x%2/apps").arg(args[2]).arg(size);
    const QString out = QStringLiteral("%1/%2.png").arg(dir, name);
    if (image.isNull() || !QDir().mkpath(dir) || !image.save(out, "PNG")) {
      std::fprintf(stderr, "render_icon: cannot render %s at %d: %s\n", qPrintable(svg), size,
                   qPrintable(reader.errorString()));
      return 1;
    }
  }
  return 0;
}
