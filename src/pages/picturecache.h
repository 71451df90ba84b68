#pragma once

#include <QString>

class PageState;

// The page's picture cache. Pictures are loaded once per page; a source
// with a leading "*" is kept across pages.
namespace PictureCache {

// Loads a picture by its resolved path (a leading "*" marks it to be kept);
// the index in the page's picture list, or -1 when it cannot be loaded.
int Load(PageState& page, const QString& source);

// "%WxH=code": an empty picture of that size (100 x 60 when the size cannot
// be read) that the host draws into. -1 when the host draws no pictures.
int Request(PageState& page, const QString& source);

}  // namespace PictureCache
