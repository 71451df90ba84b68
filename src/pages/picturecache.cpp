#include "pages/picturecache.h"

#include <QImageReader>

#include "common/filelookup.h"
#include "pages/pagestate.h"

namespace PictureCache {

int Load(PageState& page, const QString& source) {
  QString path = source;
  const bool keep = path.startsWith(QLatin1Char('*'));
  if (keep) path.remove(0, 1);
  std::vector<TPicture>& pictures = page.Elements.Pictures;
  for (size_t i = 0; i < pictures.size(); ++i)
    if (!pictures[i].HostPicture && pictures[i].Source == path) return static_cast<int>(i);

  const QString found = FileLookup::locate(path);
  if (found.isEmpty()) return -1;
  QImageReader reader(found);
  QImage image = reader.read();
  if (image.isNull()) return -1;
  pictures.push_back(TPicture{path, std::move(image), keep, false});
  return static_cast<int>(pictures.size()) - 1;
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
  if (!okW || !okH || w <= 0 || h <= 0 || w > 4000 || h > 4000) {
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
