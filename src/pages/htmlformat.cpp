#include "pages/htmlformat.h"

const char* ElementKindName(ElementKind kind) {
  switch (kind) {
    case ElementKind::Word: return "Word";
    case ElementKind::Space: return "Space";
    case ElementKind::LineBreak: return "LineBreak";
    case ElementKind::Paragraph: return "Paragraph";
    case ElementKind::BoxMark: return "BoxMark";
    case ElementKind::CheckMark: return "CheckMark";
    case ElementKind::ImageMark: return "ImageMark";
  }
  return "?";
}

void tHTML_format::resetPicture() {
  ImgScale = 100;
  ImgAlign = 5;
  ImgBase = 0;
  ImgRadius = 0;
  ImgAlpha = 255;
  ImgMode = 0;
  ImgColor = 255;
  ImgSecond = -1;
  ImgAlt.clear();
}
