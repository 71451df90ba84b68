// Golden-file tests of the page builder: every NAME.htm in tests/pages/dumps
// is built as a page and its dump (elements, page tables, messages) is
// compared line by line with NAME.dump. An optional NAME.args holds the
// variables and conditions the host has set before the page is opened, one
// "--var NAME=VALUE" or "--cond NAME" per line, as htxtool dump takes them.
// Other files in the folder (pages without a dump) are there to be included
// or linked. "{DIR}" in a dump stands for the page directory.
#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <string>
#include <vector>

#include "common/messagerecorder.h"
#include "common/random.h"
#include "pages/pagedump.h"
#include "pages/pagefile.h"
#include "pages/pageloader.h"
#include "pages/pagestate.h"
#include "testsupport.h"

namespace {

const QString kDumpDir = QStringLiteral(ZVK_SOURCE_DIR "/tests/pages/dumps");

QByteArray readFile(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList textLines(const QByteArray& utf8) {
  QString text = QString::fromUtf8(utf8);
  text.remove(QLatin1Char('\r'));
  QStringList lines = text.split(QLatin1Char('\n'));
  while (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
  return lines;
}

// Course authors write pages in UTF-8; the engine reads them as stored in a
// course tree (Windows-1252, CR LF), so pages are converted on the way in.
void stageFixtures(const TestTree& tree) {
  QDirIterator it(kDumpDir, QDir::Files, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString source = it.next();
    const QString relative = QDir(kDumpDir).relativeFilePath(source);
    QByteArray bytes = readFile(source);
    if (relative.endsWith(QLatin1String(".htm"))) {
      const PageFile::Conversion c = PageFile::toStoredText(bytes);
      ASSERT_TRUE(c.error.isEmpty()) << relative.toStdString() << ": " << c.error.toStdString();
      bytes = c.bytes;
    }
    tree.write(relative, bytes);
  }
}

std::vector<std::string> caseNames() {
  std::vector<std::string> names;
  for (const QFileInfo& info : QDir(kDumpDir).entryInfoList({QStringLiteral("*.dump")}, QDir::Files, QDir::Name))
    names.push_back(info.completeBaseName().toStdString());
  return names;
}

// Builds NAME.htm as htxtool dump does and returns its dump with the page
// directory written as "{DIR}".
QStringList buildAndDump(const TestTree& tree, const QString& name) {
  PageState page;
  PageLoader loader(page);
  page.ProgramDir = tree.path();
  loader.SetXPath(tree.path());
  for (const QString& line : textLines(readFile(kDumpDir + QLatin1Char('/') + name + QStringLiteral(".args")))) {
    if (line.startsWith(QLatin1String("--var "))) {
      const QString pair = line.mid(6);
      const qsizetype eq = pair.indexOf(QLatin1Char('='));
      page.SetVariable(pair.left(eq), pair.mid(eq + 1));
    } else if (line.startsWith(QLatin1String("--cond "))) {
      page.SetCondition(line.mid(7), true);
    } else {
      ADD_FAILURE() << name.toStdString() << ".args: unknown line " << line.toStdString();
    }
  }
  Random::seed(0);
  MessageRecorder messages;
  const bool opened = loader.OpenFile(name + QStringLiteral(".htm"));
  EXPECT_TRUE(opened) << name.toStdString() << ".htm was not opened";

  QStringList lines = DumpPage(page, messages.messages());
  const QString dir = tree.path();
  const QString canonical = QDir(dir).canonicalPath() + QLatin1Char('/');
  for (QString& line : lines) {
    line.replace(dir, QStringLiteral("{DIR}"));
    line.replace(canonical, QStringLiteral("{DIR}"));
  }
  return lines;
}

class PageDump : public ::testing::TestWithParam<std::string> {};

TEST_P(PageDump, MatchesExpectedDump) {
  const QString name = QString::fromStdString(GetParam());
  TestTree tree;
  stageFixtures(tree);
  const QStringList expected = textLines(readFile(kDumpDir + QLatin1Char('/') + name + QStringLiteral(".dump")));
  ASSERT_FALSE(expected.isEmpty()) << name.toStdString() << ".dump is empty";
  const QStringList actual = buildAndDump(tree, name);

  const qsizetype common = std::min(expected.size(), actual.size());
  for (qsizetype i = 0; i < common; ++i) {
    if (expected[i] != actual[i]) {
      ADD_FAILURE() << name.toStdString() << ".dump line " << (i + 1) << " differs\n  expected: "
                    << expected[i].toStdString() << "\n  actual:   " << actual[i].toStdString();
      return;
    }
  }
  if (expected.size() != actual.size()) {
    const bool missing = actual.size() < expected.size();
    ADD_FAILURE() << name.toStdString() << ".dump line " << (common + 1) << (missing ? " missing" : " not expected")
                  << ": " << (missing ? expected : actual)[common].toStdString();
  }
}

INSTANTIATE_TEST_SUITE_P(Pages, PageDump, ::testing::ValuesIn(caseNames()),
                         [](const ::testing::TestParamInfo<std::string>& info) { return info.param; });

// The golden files must not go missing unnoticed (a wrong folder would give
// an empty parameter list).
TEST(PageDumpFixtures, FolderHoldsTheCases) {
  const std::vector<std::string> names = caseNames();
  EXPECT_GE(names.size(), 12u);
  for (const std::string& name : names)
    EXPECT_TRUE(QFileInfo::exists(kDumpDir + QLatin1Char('/') + QString::fromStdString(name) + QStringLiteral(".htm")))
        << name;
}

}  // namespace
