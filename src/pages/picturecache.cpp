#include "pages/picturecache.h"

#include <QImageReader>

#include "common/filelookup.h"
#include "common/messagebox.h"
#include "pages/pagestate.h"

namespace PictureCache {

namespace {

// "$name": a picture of the program's own resources ("-" and "." become "_").
QImage readResource(const QString& name) {
  QString resource = name;
  resource.replace(QLatin1Char('-'), QLatin1Char('_')).replace(QLatin1Char('.'), QLatin1Char('_'));
  return QImage(QStringLiteral(":/pictures/") + resource);
}

QImage readFile(const QString& path) {
  const QString found = FileLookup::locate(path);
  if (found.isEmpty()) return {};
  QImageReader reader(found);
  // Pictures larger than this are no page pictures; reading them could exhaust memory.
  const QSize size = reader.size();
  if (size.isValid() && static_cast<qint64>(size.width()) * size.height() > kMaxPicturePixels) return {};
  return reader.read();
}

}  // namespace

int Load(PageState& page, const QString& source) {
  QString path = source;
  const bool keep = path.startsWith(QLatin1Char('*'));
  if (keep) path.remove(0, 1);
  std::vector<TPicture>& pictures = page.Elements.Pictures;
  for (size_t i = 0; i < pictures.size(); ++i)
    if (!pictures[i].HostPicture && pictures[i].Source.compare(path, Qt::CaseInsensitive) == 0) return static_cast<int>(i);

  QImage image = path.startsWith(QLatin1Char('$')) ? readResource(path.mid(1)) : readFile(path);
  if (image.isNull()) {
    // Reported once per page; the page goes on without the picture.
    if (!page.Elements.FailedPictures.contains(path)) {
      page.Elements.FailedPictures.append(path);
      ShowMessage(QStringLiteral("Das Bild ") + path + QStringLiteral(" konnte nicht geladen werden!"), MessageKind::Stop);
    }
    return -1;
  }
  pictures.push_back(TPicture{path, image.convertToFormat(QImage::Format_RGB32), keep, false});
  return static_cast<int>(pictures.size()) - 1;
}

int MakePicture(PageState& page, int width, int height) {
  QImage image(std::clamp(width, 1, kMaxPictureSide), std::clamp(height, 1, kMaxPictureSide), QImage::Format_RGB32);
  image.fill(Qt::white);
  page.Elements.Pictures.push_back(TPicture{QString(), std::move(image), false, true});
  return static_cast<int>(page.Elements.Pictures.size()) - 1;
}

int Request(PageState& page, const QString& source) {
  if (!page.PictureRequest) return -1;
  // "%WxH=code"
  const qsizetype eq = source.indexOf(QLatin1Char('='));
  const QString size = source.mid(1, eq < 0 ? -1 : eq - 1);
  const QString code = eq < 0 ? QString() : source.mid(eq + 1);
  const qsizetype x = size.indexOf(QLatin1Char('x'), 0, Qt::CaseInsensitive);
  bool okW = false, okH = false;
  int w = x < 0 ? 0 : size.left(x).toInt(&okW);
  int h = x < 0 ? 0 : size.mid(x + 1).toInt(&okH);
  // A size that cannot be read, or an absurd one, gives the standard picture.
  if (!okW || !okH || w <= 0 || h <= 0 || w > kMaxPictureSide || h > kMaxPictureSide) {
    w = 100;
    h = 60;
  }
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(Qt::white);
  page.PictureRequest(code, image);
  page.Elements.Pictures.push_back(TPicture{source, std::move(image), false, true});
  return static_cast<int>(page.Elements.Pictures.size()) - 1;
}

}  // namespace PictureCache
