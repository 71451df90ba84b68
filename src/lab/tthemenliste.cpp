#include "lab/tthemenliste.h"

#include <QFileInfo>

#include "common/filelookup.h"
#include "common/markuptext.h"
#include "common/random.h"
#include "environment/environment.h"
#include "environment/settingsstore.h"
#include "lab/labsentences.h"
#include "pages/txpage.h"
#include "sound/baserec.h"
#include "users/txuserbase.h"

namespace {

const QString kTopicValue = QStringLiteral("Thema");
const QString kDictationValue = QStringLiteral("Diktat");
const QString kGermanValue = QStringLiteral("Deutsch");
const QString kAutomaticValue = QStringLiteral("Automatik");

// The file a directory and a reference name together, when it exists (as a file).
QString existingFile(const QString& dir, const QString& rest) {
  if (dir.isEmpty()) return {};
  const QString found = FileLookup::locate(dir + FileLookup::nativePath(rest));
  return !found.isEmpty() && QFileInfo(found).isFile() ? found : QString();
}

QString withMp3Extension(const QString& rest) {
  const qsizetype dot = rest.lastIndexOf(QLatin1Char('.'));
  const qsizetype slash = std::max(rest.lastIndexOf(QLatin1Char('\\')), rest.lastIndexOf(QLatin1Char('/')));
  return (dot > slash ? rest.left(dot) : rest) + QStringLiteral(".mp3");
}

}  // namespace

TThemenListe::TThemenListe(const Environment& environment, QList<TThema> topics)
    : env_(environment), topics_(std::move(topics)) {}

TThemenListe::~TThemenListe() = default;

std::unique_ptr<TThemenListe> TThemenListe::Create(const Environment& environment) {
  auto lab = std::make_unique<TThemenListe>(environment, LabSentences::ReadBuiltIn());
  lab->LoadLabSettings();
  return lab;
}

void TThemenListe::SetPage(TXPage* page, const QString& pageFolder) {
  page_ = page;
  folder_ = pageFolder;
}

TXPage* TThemenListe::Page() const { return page_; }

QString TThemenListe::settingsKey() const { return env_.UserKeyPath() + kSettingsKey; }

void TThemenListe::LoadLabSettings() {
  const SettingsStore& store = env_.store();
  const QString key = settingsKey();
  const auto topic = store.readInteger(key, kTopicValue);
  const auto dictation = store.readBool(key, kDictationValue);
  const auto german = store.readBool(key, kGermanValue);
  const auto automatic = store.readBool(key, kAutomaticValue);
  const bool complete = topic && dictation && german && automatic;
  const int wanted = complete ? *topic : 0;
  topic_ = wanted >= 0 && wanted < topics_.size() ? wanted : 0;
  diktat_ = complete ? *dictation : true;
  deutsch_ = complete ? *german : true;
  automatik_ = complete ? *automatic : false;
  recent_.clear();
  // Another learner's recording is not theirs to compare with.
  comparedSentence_ = {-1, -1};
  NextSentence();
}

void TThemenListe::SaveLabSettings() {
  if (released_) return;
  const auto flag = [](bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); };
  // A store that cannot be written has said so itself; the lab goes on.
  env_.store().writeValues(settingsKey(), {{kTopicValue, QString::number(topic_)},
                                           {kDictationValue, flag(diktat_)},
                                           {kGermanValue, flag(deutsch_)},
                                           {kAutomaticValue, flag(automatik_)}});
}

void TThemenListe::Release() {
  SaveLabSettings();
  released_ = true;
  page_ = nullptr;
}

void TThemenListe::FollowLogins(TXUserBase& users) {
  users.AddLearnerSettings([this] { LoadLabSettings(); }, [this] { SaveLabSettings(); });
}

const TSatz* TThemenListe::Current() const {
  if (topic_ < 0 || topic_ >= topics_.size()) return nullptr;
  const TSatzListe& sentences = topics_[topic_].Saetze;
  return sentence_ >= 0 && sentence_ < sentences.size() ? &sentences[sentence_] : nullptr;
}

QString TThemenListe::TopicListMarkup() const {
  const QLatin1Char q('"');
  QString list;
  for (int i = 0; i < topics_.size(); ++i)
    list += QStringLiteral("<a href=") + q + QStringLiteral("§thema") + QString::number(i).rightJustified(2, QLatin1Char(' ')) +
            QStringLiteral(";lab") + q + QStringLiteral(" >") + MarkupText::EscapeText(topics_[i].Titel) +
            QStringLiteral("</a><br>");
  return list;
}

void TThemenListe::ShowTopicList() {
  if (!page_) return;
  // The current topic for the page's "weiter" button.
  page_->SetVariable(QStringLiteral("Thema"), topics_.isEmpty() ? QString() : MarkupText::EscapeText(topics_[topic_].Titel));
  page_->SetVariable(QStringLiteral("LabListe"), TopicListMarkup());
  showPage(kListPage);
  if (page_) page_->SetVariable(QStringLiteral("LabListe"), QString());
}

void TThemenListe::SelectTopic(int index) {
  if (index < 0 || index >= topics_.size()) index = 0;
  if (index == topic_) return;
  topic_ = index;
  recent_.clear();
  NextSentence();
}

void TThemenListe::NextSentence() {
  const int count = topic_ >= 0 && topic_ < topics_.size() ? static_cast<int>(topics_[topic_].Saetze.size()) : 0;
  if (count == 0) {
    sentence_ = -1;
    recent_.clear();
    return;
  }
  // A uniform choice among the sentences not chosen lately: the same as
  // drawing again until one of them comes up, without the waiting.
  QList<int> open;
  for (int i = 0; i < count; ++i)
    if (!recent_.contains(i)) open.append(i);
  if (open.isEmpty()) {  // only when the list was filled by another topic
    recent_.clear();
    for (int i = 0; i < count; ++i) open.append(i);
  }
  const int chosen = open[Random::below(static_cast<int>(open.size()))];
  recent_.append(chosen);
  if (recent_.size() >= std::min(kRecentWindow, count)) recent_.removeFirst();
  sentence_ = chosen;
}

QString TThemenListe::LabSoundFile(const QString& reference, bool normal) const {
  // Alias and backslash ("XS:\") come first; a reference without a file name names none.
  if (reference.size() < 4) return {};
  const QString rest = reference.mid(4);
  if (rest.isEmpty() || rest.endsWith(QLatin1Char('\\')) || rest.endsWith(QLatin1Char('/'))) return {};
  QString path = existingFile(env_.WaveDir, rest);
  if (path.isEmpty()) {
    const QString mp3 = withMp3Extension(rest);
    path = existingFile(env_.WaveExtensionDir, mp3);
    if (path.isEmpty()) path = existingFile(env_.SkDir, mp3);
  }
  if (path.isEmpty() || !normal) return path;
  // "...21a.wav" is the slow recording, "...21b.wav" the one at normal speed.
  if (path.size() > 4 && path[path.size() - 5] == QLatin1Char('a')) {
    path[path.size() - 5] = QLatin1Char('b');
    const QString found = FileLookup::locate(path);
    return !found.isEmpty() && QFileInfo(found).isFile() ? found : QString();
  }
  return path;
}

void TThemenListe::ShowSentence() {
  if (!page_) return;
  TXPage& p = *page_;
  const TSatz* s = Current();
  const TSatz none;
  const TSatz& sentence = s ? *s : none;
  p.SetCondition(QStringLiteral("diktat"), diktat_);
  p.SetCondition(QStringLiteral("deutsch"), deutsch_);
  p.SetCondition(QStringLiteral("autoread"), automatik_);
  p.SetVariable(QStringLiteral("Thema"),
                topic_ < topics_.size() ? MarkupText::EscapeText(topics_[topic_].Titel) : QString());
  const QString normal = LabSoundFile(sentence.Aufnahme, true);
  const QString slow = LabSoundFile(sentence.Aufnahme, false);
  p.SetVariable(QStringLiteral("Normal"), normal);
  p.SetCondition(QStringLiteral("normal"), !normal.isEmpty());
  p.SetVariable(QStringLiteral("Langsam"), slow);
  p.SetCondition(QStringLiteral("langsam"), !slow.isEmpty());
  // BODY WAIT takes "milliseconds,target".
  const QString autoRead = normal.isEmpty() ? slow : normal;
  p.SetVariable(QStringLiteral("LabAutomatik"),
                automatik_ && !autoRead.isEmpty() ? QString::number(kAutoReadDelayMs) + QLatin1Char(',') + autoRead : QString());
  p.SetVariable(QStringLiteral("LabSatz"), MarkupText::EscapeText(sentence.Satz));
  p.SetVariable(QStringLiteral("LabDeutsch"), MarkupText::EscapeText(sentence.Deutsch));
  if (p.IsCondition(QStringLiteral("diktat"))) {
    p.SetVariable(QStringLiteral("lsg"), sentence.Alternativen.isEmpty()
                                             ? sentence.Satz
                                             : sentence.Satz + QStringLiteral("; ") + sentence.Alternativen);
    p.SetVariable(QStringLiteral("help"), sentence.Hilfe);
  }
  // The model to compare with: normal speed, which the learner repeats.
  // The page is rebuilt for every switch; the learner's recording of this
  // sentence stays in the picture until another sentence comes.
  const QString model = normal.isEmpty() ? slow : normal;
  const std::pair<int, int> shown{topic_, sentence_};
  if (shown != comparedSentence_) {
    comparedSentence_ = shown;
    comparison_.SetModel(model.endsWith(QLatin1String(".wav"), Qt::CaseInsensitive) ? model : QString());
  }
}

void TThemenListe::ShowSentencePage() {
  ShowSentence();
  showPage(kSentencePage);
}

void TThemenListe::ShowVerdict(bool right) {
  if (!page_) return;
  page_->SetVariable(QStringLiteral("LabErgebnis"), right ? QStringLiteral("Sehr schön!") : QStringLiteral("Leider daneben!"));
  page_->SetCondition(QStringLiteral("labrichtig"), right);
  showPage(kResultPage);
}

void TThemenListe::showPage(const QString& name) {
  if (page_) page_->setXFile(folder_ + name);
}

bool TThemenListe::onSentencePage() const {
  return page_ && page_->XFile().compare(kSentencePage, Qt::CaseInsensitive) == 0;
}

bool TThemenListe::DrawPicture(const QString& code, QImage& picture) const {
  if (code.compare(kComparisonCode, Qt::CaseInsensitive) != 0) return false;
  comparison_.Draw(picture);
  return true;
}

void TThemenListe::WatchRecorder(TBaseRec& recorder) {
  recorder.OnChange = [this, &recorder, last = recorder.State()]() mutable {
    const int state = recorder.State();
    const bool ended = last == TBaseRec::Recording && state != TBaseRec::Recording;
    last = state;
    if (ended) recordingEnded(recorder);
  };
}

PageRecorderFactory TThemenListe::WatchingRecorders(PageRecorderFactory make) {
  return [this, make = std::move(make)](const TRecorderSpec& tag) {
    std::unique_ptr<TPageRecorder> recorder = make ? make(tag) : nullptr;
    if (auto* voice = dynamic_cast<TBaseRec*>(recorder.get())) WatchRecorder(*voice);
    return recorder;
  };
}

void TThemenListe::recordingEnded(TBaseRec& recorder) {
  if (!onSentencePage()) return;
  const QString path = comparison_.OwnRecordingPath();
  // A recording that cannot be saved is shown as none; the recorder still plays it.
  if (path.isEmpty() || !recorder.Save(path)) comparison_.ClearOwn();
  else comparison_.SetOwn(path);
  page_->RefreshHostPictures();
}
