#include "trainer/pagecommand.h"

#include <QCoreApplication>

#include "common/messagebox.h"

namespace {

// "starts with": longer than the prefix and beginning with it.
bool startsWith(const QString& command, const char* prefix) {
  const QLatin1String p(prefix);
  return command.size() > p.size() && command.startsWith(p);
}

// A decimal number from 1-based character positions first..last (leading blanks allowed).
std::optional<int> numberAt(const QString& command, int first, int last = -1) {
  const QString part = last < 0 ? command.mid(first - 1) : command.mid(first - 1, last - first + 1);
  bool ok = false;
  const int n = part.trimmed().toInt(&ok);
  if (!ok || part.trimmed().isEmpty()) return std::nullopt;
  return n;
}

}  // namespace

const QStringList& PageCommandDispatcher::ModeNames() {
  static const QStringList kNames = {
      QStringLiteral("abfragen"), QStringLiteral("klassisch"), QStringLiteral("abgedreht"), QStringLiteral("techno"),
      QStringLiteral("superdd"),  QStringLiteral("airport"),   QStringLiteral("freefall"),  QStringLiteral("vegas"),
      QStringLiteral("super3d"),  QStringLiteral("b3"),
  };
  return kNames;
}

QString PageCommandDispatcher::PresetVerbs(int preset) {
  switch (preset) {
    case 1: return QStringLiteral("+++-------+-------------+-------+---------+-------+-------");
    case 2: return QStringLiteral("+++++-----+--+++--+---+++-+--+-++---------+---+---+--+--+-");
    case 3: return QStringLiteral("+++++---+-+--++++-++-++++-+-+++++--+-+---++---+---+--+-+++");
    default: return {};
  }
}

QString PageCommandDispatcher::PresetTenses(int preset) {
  switch (preset) {
    case 1: return QStringLiteral("+---------------");
    case 2: return QStringLiteral("+--+----+-------");
    case 3: return QStringLiteral("+++++-+++-----+-");
    default: return {};
  }
}

void PageCommandDispatcher::Run(const QString& commandText) {
  if (running_) {
    // Pending events processed inside a command may bring another one: it runs afterwards.
    waiting_.append(commandText);
    return;
  }
  running_ = true;
  QString text = commandText;
  while (true) {
    QCoreApplication::processEvents();
    QString rest = text.toLower();
    while (!rest.isEmpty()) {
      const qsizetype comma = rest.indexOf(QLatin1Char(','));
      const QString command = comma < 0 ? rest : rest.left(comma);
      rest = comma < 0 ? QString() : rest.mid(comma + 1);
      if (command.isEmpty() || command.startsWith(QLatin1Char('#'))) continue;
      runOne(command);
    }
    if (waiting_.isEmpty()) break;
    text = waiting_.takeFirst();
  }
  running_ = false;
}

void PageCommandDispatcher::runOne(const QString& c) {
  PageCommandTarget& t = target_;
  const auto is = [&](const char* s) { return c == QLatin1String(s); };

  if (is("+deutsch") || is("-deutsch")) return t.LabSetGerman(c[0] == QLatin1Char('+'));
  if (is("+diktat") || is("-diktat")) return t.LabSetDictation(c[0] == QLatin1Char('+'));
  if (is("+autoread") || is("-autoread")) return t.LabSetAutoRead(c[0] == QLatin1Char('+'));
  if (is("lab")) return t.LabShowSentence();
  if (startsWith(c, "lab") && c.endsWith(QLatin1Char('+'))) return t.LabResult(true);
  if (is("lab-")) return t.LabResult(false);
  if (is("labnext")) return t.LabNext();
  if (is("lablist")) return t.LabTopicList();
  if (c.startsWith(QLatin1String("thema"))) {
    if (const auto n = numberAt(c, 6, 7)) t.LabSelectTopic(*n);
    return;
  }
  // Rows 10 and 11: "+vv12", "-vz3".
  if (c.size() > 3 && (c.mid(1, 2) == QLatin1String("vv") || c.mid(1, 2) == QLatin1String("vz"))) {
    if (!t.HasVerbTrainer()) return;
    const auto n = numberAt(c, 4, 6);
    if (!n) return;  // a malformed number: the command is ignored
    const bool on = c[0] == QLatin1Char('+');
    if (c.mid(1, 2) == QLatin1String("vv")) t.VerbSelect(*n, on);
    else t.TenseSelect(*n, on);
    return;
  }
  if (is("vall") || is("vnone")) {
    if (t.HasVerbTrainer()) t.VerbSelectAll(is("vall"));
    return;
  }
  if (is("vsave")) {
    if (t.HasVerbTrainer()) t.VerbSaveSelection();
    return;
  }
  if (c.startsWith(QLatin1String("vman"))) {
    if (t.HasVerbTrainer()) t.VerbSelectionPage(c.size() > 4 ? numberAt(c, 5, 7).value_or(0) : 0);
    return;
  }
  if (is("pv")) {
    if (t.HasVerbTrainer()) t.VerbPrintDialog();
    return;
  }
  if (is("cont")) return t.FreeFallContinue();
  if (is("hmfree")) return t.FreeFallDestroy();
  if (c.startsWith(QLatin1String("hm"))) {
    if (c.size() > 2) t.FreeFallGuess(c[2]);
    return;
  }
  if (is("giveup")) return t.FreeFallGiveUp();
  if (is("stop")) return t.StopPresentation();
  if (is("vocein")) return t.VocabularySettingsDialog();
  if (is("wavebase")) return t.RecordingDatabaseDialog();
  if (is("suchen")) return t.DictionarySearch();
  if (startsWith(c, "sr")) {
    if (const auto n = numberAt(c, 3)) t.DictionaryResultPage(*n - 1);
    return;
  }
  if (is("verblist")) return t.VerbList();
  if (startsWith(c, "showverb")) {
    if (const auto n = numberAt(c, 9)) {
      CurrentVerb = *n;
      t.VerbTable(*n);
    }
    return;
  }
  if (is("vtafel")) {
    if (CurrentVerb >= 0) t.VerbTable(CurrentVerb);
    return;
  }
  if (is("verb")) return t.VerbStartQuery();
  if (is("vocaus")) return t.VocabularyEvaluation();
  if (is("verbweiter")) return t.VerbNextQuestion();
  if (startsWith(c, "verb")) return t.VerbAnswer(c.mid(4));
  if (is("vokabelweiter")) return t.VocabularyNextQuestion();
  if (is("vcontinue")) return t.VocabularyContinueRound();
  if (startsWith(c, "vokabel")) return t.VocabularyAnswer(c.mid(7));
  if (is("vt0")) return t.VerbPreset(0);
  if (is("vt1") || is("vt2") || is("vt3")) return t.VerbPreset(c[2].unicode() - '0');
  if (is("vt4")) return t.VerbPreset(4);
  if (c.startsWith(QLatin1String("dir="))) {
    t.VocabularySetSelection(c.mid(4));
    t.ShowVocabularyPage();
    return;
  }
  if (is("select")) return t.VocabularySelectDialog();
  if (c.startsWith(QLatin1String("sm="))) {
    const int mode = static_cast<int>(ModeNames().indexOf(c.mid(3)));
    t.VocabularySetMode(mode < 0 ? 0 : mode);
    t.ShowVocabularyPage();
    return;
  }
  if (is("vegas")) return t.VegasRun();
  if (is("freefall")) return t.FreeFallStart();
  if (is("vstart")) return t.ShowVocabularyPage();
  if (is("goabfrage")) {
    QCoreApplication::processEvents();
    return t.StartQuery();
  }
  if (is("gosuper")) return t.StartPresentation();
  if (is("superopts")) return t.SuperOptionsDialog();
  if (is("www")) return t.OpenWebAddress(QStringLiteral("https://www.debian.org/"));
  if (c.startsWith(QLatin1String("www."))) return t.OpenWebAddress(QStringLiteral("http://") + c);
  if (c.startsWith(QLatin1String("http://"))) return t.OpenWebAddress(c);
  if (is("paths")) return t.PathsDialog();
  if (is("chpw")) {
    if (t.IsLoggedIn()) t.ChangePassword();
    return;
  }
  if (is("stats")) {
    if (t.IsLoggedIn()) t.ComputeStatistics();
    return;
  }
  if (is("login") || is("newusr") || is("chusr")) {
    if (is("login")) t.Login();
    else if (is("newusr")) t.NewUser();
    else t.ChangeUser();
    t.Refresh();
    return;
  }
  if (is("unshort")) {
    const Message question{MessageKind::Warning, MessageButtons::OkCancel,
                           QStringLiteral("Verknüpfungen auf Desktop und in der Startleiste löschen?")};
    if (MessageBoxService::show(question) == MessageAnswer::Ok) t.RemoveShortcuts();
    return;
  }
  if (is("unregistry")) return t.DeleteSettings();
  if (is("end")) return t.CloseMainWindow();
}
