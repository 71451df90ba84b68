#pragma once

#include <QString>
#include <QtGlobal>

class PageState;

// The page's picture cache. Pictures are loaded once per page; a source
// with a leading "*" is kept across pages.
namespace PictureCache {

// Limits for pictures made or read for a page.
inline constexpr int kMaxPictureSide = 4000;
inline constexpr qint64 kMaxPicturePixels = qint64(8000) * 8000;

// An empty white picture of the given size (for pictures the host draws).
int MakePicture(PageState& page, int width, int height);

// Loads a picture by its resolved path (a leading "*" marks it to be kept; a
// leading "$" names a picture of the program's resources); the same name is
// loaded once. The index in the page's picture list, or -1 when it cannot be
// loaded (reported once per page).
int Load(PageState& page, const QString& source);

// "%WxH=code": an empty picture of that size (100 x 60 when the size cannot
// be read) that the host draws into. -1 when the host draws no pictures.
int Request(PageState& page, const QString& source);

}  // namespace PictureCache
