#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>

class PageState;

// Reads page files (compressed or plain) and exercise collections and has
// them built into the page; resolves page references; keeps the history.
class PageLoader {
 public:
  explicit PageLoader(PageState& page) : page_(page) {}

  // TooMuchIncluded: the build has used up what one page may include.
  enum class Result { Ok, NotFound, ReadError, Damaged, WrongFormat, IncludeCycle, TooMuchIncluded };

  // Loads a page file: name is taken as it stands when it is absolute, else
  // below XPath. A new page replaces the document (its directory becomes
  // XPath); otherwise (INCLUDE) the text is built into the current document.
  // A new page reports read errors itself and leaves the old page as it was.
  Result LoadPage(const QString& name, bool newPage);

  // What setting XFile does: resolve, load as a new page, record in History.
  // A missing file is reported and the old page stays. An empty name clears
  // the page.
  bool OpenFile(const QString& reference);

  // Builds a page from markup text as it stands.
  void ShowText(const QString& markup);
  // Builds markup into the (already cleared) page as a new page, without
  // raising OnPageBuilt: the exercise pages of a collection.
  void BuildMarkup(const QString& markup);
  // Builds the current page again from its file or from the markup it was
  // shown from, without raising OnPageBuilt. False when there is neither.
  bool RebuildCurrent();

  // Sets the page's directory; a directory that does not exist gives the
  // program's own directory.
  void SetXPath(const QString& directory);

  QString ResolvePath(const QString& reference) const;

  // The markup bytes of a page file, inflated when its extension says so.
  static Result ReadPageFile(const QString& path, QByteArray* bytes);

  // Called after a new page was built (layout and drawing hook in here).
  std::function<void()> OnPageBuilt;
  // Called after an exercise collection was loaded.
  std::function<void()> OnCollectionLoaded;

  // Largest page file (stored or inflated) that is read.
  static constexpr qsizetype kMaxPageFileSize = 16 * 1024 * 1024;
  // How deeply included files may nest.
  static constexpr int kMaxIncludeDepth = 16;
  // What one build of a page may include in all: files whose includes fan
  // out would otherwise keep the program building for ever. Far above what
  // any real page includes.
  static constexpr int kMaxIncludedFiles = 256;
  static constexpr qsizetype kMaxIncludedBytes = 16 * 1024 * 1024;

  // True the first time in a build that an include failed: one build shows
  // one include message, however many of its includes fail.
  bool FirstIncludeFailure();

 private:
  void build(const QByteArray& bytes, bool newPage);
  // A new build starts: the include allowance is full again.
  void beginBuild();

  PageState& page_;
  QStringList building_;  // files whose text is being built, outermost first
  // The markup of the page shown by ShowText; empty after a page file.
  QString shownText_;
  bool fromText_ = false;
  int includedFiles_ = 0;
  qsizetype includedBytes_ = 0;
  bool includeFailed_ = false;
};
