#pragma once

#include <QString>
#include <optional>

#include "pages/htmlformat.h"

class PageState;
class PageLoader;
class TParser;

// The state of one build (one page text or one included file).
struct BuildContext {
  BuildContext(PageState& p, PageLoader& l) : page(p), loader(l) {}

  PageState& page;
  PageLoader& loader;
  tHTML_format fmt;       // the format record being built
  bool skipMode = false;  // IF and TITLE: text and most tags are skipped
  bool titleMode = false; // skipped text becomes the page title
  QString ifCondition;    // remembered by IF for ELSE
  QString tagText;        // text of the tag being read
  int tagTabPos = 0;      // X tag of the tag being read
  QString insertMarkup;   // markup a tag leaves to be read next
  // IMG: the picture element to make after the tag, in this format.
  std::optional<tHTML_format> imageElement;

  // Adds an element with the format being built.
  void AddMark(ElementKind kind);
  // Registers a link target name; the format being built belongs to it.
  int RegisterLink(const QString& name);
};

// Builds the page document from markup in one pass: words, blanks, tags and
// variable references, with inserted texts read in place.
class PageBuilder {
 public:
  PageBuilder(PageState& page, PageLoader& loader) : page_(page), loader_(loader) {}

  // newPage: the page's current format starts at the defaults; otherwise (an
  // included file) it keeps the including page's format until the first tag.
  void Build(const QString& markup, bool newPage);

  // Caps that keep self-inserting variables from running away.
  static constexpr int kMaxInsertDepth = 32;
  static constexpr int kMaxInsertions = 10000;
  static constexpr qsizetype kMaxInsertedChars = 1024 * 1024;

 private:
  PageState& page_;
  PageLoader& loader_;
};

// Tag families; each returns false when the name is not one of its tags.
namespace FormattingTags {
bool Handle(const QString& name, TParser& parser, BuildContext& ctx);
}
namespace StructureTags {
bool Handle(const QString& name, TParser& parser, BuildContext& ctx);
}
namespace ElementTags {
bool Handle(const QString& name, TParser& parser, BuildContext& ctx);
}
