#include "pages/pageloader.h"

#include <QCoreApplication>
#include <QFileInfo>

#include "common/fileio.h"
#include "common/filelookup.h"
#include "common/messagebox.h"
#include "common/textcodec.h"
#include "common/zstream.h"
#include "pages/pagebuilder.h"
#include "pages/pagefile.h"
#include "pages/pagepaths.h"
#include "pages/pagestate.h"

namespace {

QString quoted(const QString& path) { return QLatin1Char('"') + path + QLatin1Char('"'); }

bool isCompressedExtension(const QString& path) {
  // The extension is compared case-sensitively, as page files always have been.
  for (const char* ext : {".htx", ".hzvk", ".xtml", ".xtm"})
    if (path.endsWith(QLatin1String(ext))) return true;
  return false;
}

}  // namespace

PageLoader::Result PageLoader::ReadPageFile(const QString& path, QByteArray* bytes) {
  const QString found = FileLookup::locate(path);
  const QFileInfo info(found);
  if (found.isEmpty() || !info.isFile()) return Result::NotFound;
  // No page comes near this size; anything larger is not a page.
  if (info.size() > kMaxPageFileSize) return Result::ReadError;
  auto data = FileIO::readBytes(found);
  if (!data) return Result::ReadError;
  if (isCompressedExtension(path)) {
    auto inflated = ZStream::decompress(*data, kMaxPageFileSize);
    if (!inflated) return Result::Damaged;
    data = std::move(inflated);
  }
  *bytes = std::move(*data);
  return Result::Ok;
}

void PageLoader::SetXPath(const QString& directory) {
  const QString dir = FileLookup::withSeparator(FileLookup::nativePath(directory));
  if (!dir.isEmpty() && FileLookup::dirExists(dir)) page_.XPath = FileLookup::locate(dir);
  else page_.XPath = FileLookup::withSeparator(page_.ProgramDir.isEmpty() ? QCoreApplication::applicationDirPath()
                                                                         : page_.ProgramDir);
  if (!page_.XPath.endsWith(QLatin1Char('/'))) page_.XPath += QLatin1Char('/');
}

QString PageLoader::ResolvePath(const QString& reference) const {
  return PagePaths::ResolvePath(reference, page_.XPath);
}

void PageLoader::beginBuild() {
  building_.clear();
  includedFiles_ = 0;
  includedBytes_ = 0;
  includeFailed_ = false;
}

bool PageLoader::FirstIncludeFailure() {
  const bool first = !includeFailed_;
  includeFailed_ = true;
  return first;
}

PageLoader::Result PageLoader::LoadPage(const QString& name, bool newPage) {
  const QString native = FileLookup::nativePath(name);
  const QString path = FileLookup::hasDriveLetter(native) ? native : page_.XPath + native;

  if (!newPage && ++includedFiles_ > kMaxIncludedFiles) return Result::TooMuchIncluded;
  QByteArray bytes;
  Result result = ReadPageFile(path, &bytes);
  if (result != Result::Ok) {
    if (newPage) {
      if (result == Result::Damaged)
        ShowMessage(QStringLiteral("Die Datei ") + quoted(path) + QStringLiteral(" ist beschädigt und kann nicht angezeigt werden."));
      else
        ShowMessage(QStringLiteral("Die Datei ") + quoted(path) + QStringLiteral(" kann nicht gelesen werden."));
    }
    return result;
  }

  if (!newPage) {
    includedBytes_ += bytes.size();
    if (includedBytes_ > kMaxIncludedBytes) return Result::TooMuchIncluded;
  }
  // Every text ends with a carriage return.
  if (!bytes.endsWith('\r')) bytes.append('\r');

  const QString located = FileLookup::locate(path);
  if (located.endsWith(QLatin1String(".zvk"), Qt::CaseInsensitive)) {
    if (page_.Exercises.Load(bytes) == TExerciseCollection::LoadResult::WrongFormat) {
      ShowMessage(QStringLiteral("Falsches Format (ID)"));
      return Result::WrongFormat;
    }
    if (OnCollectionLoaded) OnCollectionLoaded();
    return Result::Ok;
  }

  if (newPage) {
    fromText_ = false;
    shownText_.clear();
    page_.XPath = FileLookup::directoryPart(located);
    page_.XFile = FileLookup::fileNamePart(located);
    page_.CurrentFile = located;
    page_.ClearPage();
    beginBuild();
  } else if (building_.contains(located) || building_.size() >= kMaxIncludeDepth) {
    return Result::IncludeCycle;
  }
  building_.append(located);
  build(bytes, newPage);
  building_.removeLast();
  if (newPage && OnPageBuilt) OnPageBuilt();
  return Result::Ok;
}

void PageLoader::build(const QByteArray& bytes, bool newPage) {
  PageBuilder(page_, *this).Build(Cp1252::decode(bytes), newPage);
}

bool PageLoader::OpenFile(const QString& reference) {
  if (reference.isEmpty()) {
    page_.ClearPage();
    fromText_ = true;
    shownText_.clear();
    page_.XFile.clear();
    page_.CurrentFile.clear();
    if (OnPageBuilt) OnPageBuilt();
    return true;
  }
  QString path = ResolvePath(reference);
  if (path.startsWith(QLatin1Char('*'))) path.remove(0, 1);
  if (!FileLookup::hasDriveLetter(path))
    path = FileLookup::withSeparator(page_.ProgramDir.isEmpty() ? QCoreApplication::applicationDirPath()
                                                                : page_.ProgramDir) + path;
  const QString located = FileLookup::locate(path);
  if (located.isEmpty() || !QFileInfo(located).isFile()) {
    ShowMessage(QStringLiteral("Die Datei ") + quoted(path) + QStringLiteral(" wurde nicht gefunden!"), MessageKind::Stop);
    return false;
  }
  if (LoadPage(located, true) != Result::Ok) return false;
  if (page_.History.isEmpty() || page_.History.last() != located) page_.History.append(located);
  return true;
}

void PageLoader::ShowText(const QString& markup) {
  page_.ClearPage();
  fromText_ = true;
  shownText_ = markup;
  beginBuild();
  PageBuilder(page_, *this).Build(markup, true);
  if (OnPageBuilt) OnPageBuilt();
}

void PageLoader::BuildMarkup(const QString& markup) {
  beginBuild();
  PageBuilder(page_, *this).Build(markup, true);
}

bool PageLoader::RebuildCurrent() {
  if (fromText_) {
    page_.ClearPage();
    BuildMarkup(shownText_);
    return true;
  }
  if (page_.CurrentFile.isEmpty()) return false;
  const auto built = std::move(OnPageBuilt);
  OnPageBuilt = nullptr;
  const Result result = LoadPage(page_.CurrentFile, true);
  OnPageBuilt = built;
  return result == Result::Ok;
}
