#include "sound/wavebasedialog.h"

#include <QApplication>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QToolButton>

#include "common/filelookup.h"
#include "common/messagebox.h"
#include "common/pagecommandtable.h"
#include "environment/environment.h"
#include "common/accentkeyfilter.h"
#include "sound/baserec.h"
#include "sound/sampleplayer.h"
#include "sound/txwavebase.h"

// --- TWaveDB ---

namespace {

QToolButton* pictureButton(QWidget* parent, QStyle::StandardPixmap picture, const QString& hint) {
  auto* button = new QToolButton(parent);
  button->setIcon(parent->style()->standardIcon(picture));
  button->setToolTip(hint);
  button->setAutoRaise(false);
  return button;
}

// A red dot: the record button's picture.
QIcon recordIcon() {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0xC0, 0x10, 0x10));
  painter.drawEllipse(QRectF(2.5, 2.5, 11, 11));
  return QIcon(pixmap);
}

// Sets the text only when it differs, so that the cursor of an edit being
// typed in stays where it is.
void showText(QLineEdit* edit, const QString& text) {
  if (edit->text() != text) edit->setText(text);
}

const QString kRecordHint = QStringLiteral("Eigene Aufnahme des Textes");
const QString kStopHint = QStringLiteral("Aufnahme beenden");

}  // namespace

TWaveDB::TWaveDB(TXWaveBase& base, Environment& env, TSamplePlayer* player, MciDevice* device, QWidget* parent)
    : QDialog(parent), base_(base), env_(env), device_(device) {
  if (!player) ownPlayer_ = std::make_unique<TSamplePlayer>(device);
  player_ = player ? player : ownPlayer_.get();

  setWindowTitle(QStringLiteral("Verwaltung der Sprachaufnahmen"));
  setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

  Suchen = new QLineEdit(this);
  eText = new QLineEdit(this);
  eDatei = new QLineEdit(this);
  dFirst = pictureButton(this, QStyle::SP_MediaSkipBackward, QStringLiteral("Zum ersten Eintrag"));
  dPrevious = pictureButton(this, QStyle::SP_MediaSeekBackward, QStringLiteral("Zum vorangehenden Eintrag"));
  dNext = pictureButton(this, QStyle::SP_MediaSeekForward, QStringLiteral("Zum nächsten Eintrag"));
  dLast = pictureButton(this, QStyle::SP_MediaSkipForward, QStringLiteral("Zum letzten Eintrag"));
  dAdd = pictureButton(this, QStyle::SP_FileIcon, QStringLiteral("Neuen Eintrag erzeugen"));
  dDelete = pictureButton(this, QStyle::SP_TrashIcon, QStringLiteral("Aktuellen Eintrag löschen"));
  Durchsuchen = pictureButton(this, QStyle::SP_DirOpenIcon, QStringLiteral("Durchsuchen..."));
  bPlay = pictureButton(this, QStyle::SP_MediaPlay, QStringLiteral("Vorlesen"));
  bRecord = pictureButton(this, QStyle::SP_MediaPlay, kRecordHint);
  bRecord->setIcon(recordIcon());
  sort = new QPushButton(QStringLiteral("abc"), this);
  sort->setToolTip(QStringLiteral("Alphabetisch sortieren"));
  Counter = new QLabel(QStringLiteral("0/0"), this);

  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(QStringLiteral("Suche: "), this), 0, 0);
  grid->addWidget(Suchen, 0, 1, 1, 4);
  grid->addWidget(new QLabel(QStringLiteral("Text:"), this), 1, 0);
  grid->addWidget(eText, 1, 1, 1, 4);
  grid->addWidget(new QLabel(QStringLiteral("Datei:"), this), 2, 0);
  grid->addWidget(eDatei, 2, 1);
  grid->addWidget(Durchsuchen, 2, 2);
  grid->addWidget(bPlay, 2, 3);
  grid->addWidget(bRecord, 2, 4);
  grid->setColumnStretch(1, 1);
  grid->setColumnMinimumWidth(1, 320);

  auto* buttons = new QHBoxLayout;
  for (QWidget* w : {static_cast<QWidget*>(dFirst), static_cast<QWidget*>(dPrevious), static_cast<QWidget*>(dNext),
                     static_cast<QWidget*>(dLast)})
    buttons->addWidget(w);
  buttons->addSpacing(12);
  buttons->addWidget(dAdd);
  buttons->addWidget(dDelete);
  buttons->addSpacing(12);
  buttons->addWidget(sort);
  buttons->addStretch(1);
  buttons->addWidget(Counter);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(buttons);

  for (QLineEdit* edit : {Suchen, eText, eDatei}) AccentKeyFilter::Install(edit);

  connect(Suchen, &QLineEdit::textChanged, this, [this](const QString& text) { base_.SearchPosition(text); });
  connect(eText, &QLineEdit::textChanged, this, [this](const QString& text) {
    if (text != base_.CurrentText()) base_.SetCurrentText(text);
  });
  connect(eDatei, &QLineEdit::textChanged, this, [this](const QString& text) {
    if (text != base_.CurrentReference()) base_.SetCurrentReference(text);
    // The play button follows what is typed, also before the entry exists.
    bPlay->setVisible(env_.ResolveAlias(text).status == Environment::AliasFound);
  });
  connect(dFirst, &QToolButton::clicked, this, &TWaveDB::FirstClick);
  connect(dPrevious, &QToolButton::clicked, this, &TWaveDB::PreviousClick);
  connect(dNext, &QToolButton::clicked, this, &TWaveDB::NextClick);
  connect(dLast, &QToolButton::clicked, this, &TWaveDB::LastClick);
  connect(dAdd, &QToolButton::clicked, this, &TWaveDB::AddClick);
  connect(dDelete, &QToolButton::clicked, this, &TWaveDB::DeleteClick);
  connect(Durchsuchen, &QToolButton::clicked, this, &TWaveDB::BrowseClick);
  connect(bPlay, &QToolButton::clicked, this, &TWaveDB::PlayClick);
  connect(bRecord, &QToolButton::clicked, this, &TWaveDB::RecordClick);
  connect(sort, &QPushButton::clicked, this, &TWaveDB::SortClick);

  previousOnChange_ = std::move(base_.OnChange);
  base_.OnChange = [this] { Refresh(); };
  Refresh();

  adjustSize();
  if (!parent) {
    if (const QScreen* screen = QGuiApplication::primaryScreen())
      move(screen->availableGeometry().center() - rect().center());
  }
}

TWaveDB::~TWaveDB() {
  base_.OnChange = std::move(previousOnChange_);
  if (Recording()) {
    discardRecording_ = true;
    recorder_->StopRec();
  }
}

bool TWaveDB::Recording() const { return recorder_ && recorder_->State() == TBaseRec::Recording; }

void TWaveDB::reject() {
  // Closing the dialog while recording drops the recording.
  if (Recording()) {
    discardRecording_ = true;
    recorder_->StopRec();
  }
  QDialog::reject();
}

void TWaveDB::Refresh() {
  const bool any = base_.Count() > 0;
  showText(eText, base_.CurrentText());
  showText(eDatei, base_.CurrentReference());
  bPlay->setVisible(env_.ResolveAlias(eDatei->text()).status == Environment::AliasFound);
  Counter->setText(QString::number(base_.Count()) + QStringLiteral(" Einträge"));
  // Without an entry there is nothing to type into.
  setEditing(!Recording());
  eText->setEnabled(any && !Recording());
  eDatei->setEnabled(any && !Recording());
  Durchsuchen->setEnabled(any && !Recording());
  bRecord->setEnabled(any);
}

void TWaveDB::setEditing(bool enabled) {
  for (QWidget* w : std::initializer_list<QWidget*>{Suchen, dFirst, dPrevious, dNext, dLast, dAdd, dDelete, sort})
    w->setEnabled(enabled);
}

void TWaveDB::FirstClick() {
  if (base_.CurrentComplete()) base_.First();
}

void TWaveDB::PreviousClick() {
  if (base_.CurrentComplete()) base_.Previous();
}

void TWaveDB::NextClick() {
  if (base_.CurrentComplete()) base_.Next();
}

void TWaveDB::LastClick() {
  if (base_.CurrentComplete()) base_.Last();
}

void TWaveDB::AddClick() {
  if (base_.Count() == 0 || base_.CurrentComplete()) {
    base_.InsertEmpty();
    eText->setFocus();
  }
}

void TWaveDB::DeleteClick() {
  if (base_.Count() == 0) return;
  if (AskQuestion(QStringLiteral("Diesen Eintrag wirklich löschen?")) == MessageAnswer::Yes) base_.DeleteCurrent();
}

void TWaveDB::SortClick() { base_.Sort(); }

void TWaveDB::PlayClick() {
  const QString reference = eDatei->text();
  const Environment::Resolved resolved = env_.ResolveAlias(reference);
  if (!reference.isEmpty() && resolved.status == Environment::AliasFound) {
    player_->PlaySample(resolved.path);
    return;
  }
  ShowMessage(reference + QStringLiteral(" konnte nicht gefunden werden. Stellen Sie\n"
                                         "sicher, daß die CD-ROM eingelegt ist und der korrekte Pfad eingestellt ist."));
}

void TWaveDB::BrowseClick() {
  const QString path = chooseWaveFile ? chooseWaveFile()
                                      : QFileDialog::getOpenFileName(this, QString(), QStringLiteral("*.wav"),
                                                                     QStringLiteral("Wave (*.wav)"));
  if (path.isEmpty() || !FileLookup::fileExists(path)) return;
  const QString dir = FileLookup::directoryPart(path);
  if (env_.OwnWaveDir.isEmpty() &&
      AskQuestion(QStringLiteral("Soll das Verzeichnis ") + dir +
                      QStringLiteral(" als Verzeichnis für eigene Sprachaufnahmen\r"
                                     "definiert werden (empfohlen)? Bei einer späteren Änderung des Verzeichnisses muß\r"
                                     "dann nicht jede einzelne Verknüpfung von Hand angepaßt werden."),
                  MessageButtons::OkCancel) == MessageAnswer::Ok) {
    env_.OwnWaveDir = dir;
    env_.SaveDirectories(Environment::SaveOwnWaveDir);
  }
  eDatei->setText(ReferenceFor(env_, path));
}

QString TWaveDB::ReferenceFor(const Environment& env, const QString& path) {
  const QString own = env.OwnWaveDir;
  if (own.isEmpty() || !path.startsWith(own, Qt::CaseInsensitive)) return path;
  // From the separator that ends the directory on: "XU:\sub\name.wav".
  QString rest = path.mid(own.size() - 1);
  rest.replace(QLatin1Char('/'), QLatin1Char('\\'));
  return QStringLiteral("XU:") + rest;
}

// --- Recording ---

void TWaveDB::RecordClick() {
  if (Recording()) {
    recorder_->StopRec();
    return;
  }
  if (base_.Count() == 0) return;
  if (base_.CurrentText().trimmed().isEmpty()) {
    ShowMessage(QStringLiteral("Bitte geben Sie zuerst den Text ein, zu dem die Aufnahme gehört."));
    return;
  }
  if (env_.OwnWaveDir.isEmpty()) {
    if (AskQuestion(QStringLiteral("Für eigene Sprachaufnahmen ist noch kein Verzeichnis festgelegt.\r"
                                   "Soll jetzt eines gewählt werden?"),
                    MessageButtons::OkCancel) != MessageAnswer::Ok)
      return;
    const QString dir =
        chooseOwnWaveDir ? chooseOwnWaveDir()
                         : QFileDialog::getExistingDirectory(this, QStringLiteral("Verzeichnis für eigene Sprachaufnahmen"));
    if (dir.isEmpty() || !FileLookup::dirExists(dir)) return;
    env_.OwnWaveDir = FileLookup::withSeparator(dir);
    env_.SaveDirectories(Environment::SaveOwnWaveDir);
  }
  if (!recorder_) {
    // A name of its own: the editor's recorder may hold "test" meanwhile.
    recorder_ = std::make_unique<TBaseRec>(device_, nullptr, QStringLiteral("aufnahme"));
    recorder_->OnChange = [this] { recorderChanged(); };
  }
  recorder_->SetMaxSeconds(kMaxRecordSeconds);
  discardRecording_ = false;
  recorder_->Record();
}

void TWaveDB::recorderChanged() {
  const int previous = recorderState_;
  recorderState_ = recorder_->State();
  const bool recording = recorderState_ == TBaseRec::Recording;
  bRecord->setIcon(recording ? style()->standardIcon(QStyle::SP_MediaStop) : recordIcon());
  bRecord->setToolTip(recording ? kStopHint : kRecordHint);
  Refresh();
  if (previous == TBaseRec::Recording && recorderState_ == TBaseRec::Stopped && !discardRecording_) saveRecording();
}

QString TWaveDB::recordingFileName() const {
  const QString stem = TXWaveBase::RecordingFileName(base_.CurrentText());
  const QString current = base_.CurrentReference();
  for (int n = 1;; ++n) {
    const QString name = n == 1 ? stem + QStringLiteral(".wav") : stem + QStringLiteral("_%1.wav").arg(n);
    // A new recording of the same entry replaces its old one; other files are kept.
    if (current.compare(QStringLiteral("XU:\\") + name, Qt::CaseInsensitive) == 0) return name;
    if (!FileLookup::fileExists(env_.OwnWaveDir + name)) return name;
  }
}

void TWaveDB::saveRecording() {
  if (recorder_->Length() <= 0) {
    ShowMessage(QStringLiteral("Es wurde nichts aufgenommen."));
    return;
  }
  const QString name = recordingFileName();
  if (!recorder_->Save(env_.OwnWaveDir + name)) {
    ShowMessage(QStringLiteral("Die Sprachaufnahme konnte nicht gespeichert werden."), MessageKind::Stop);
    return;
  }
  eDatei->setText(QStringLiteral("XU:\\") + name);
}

void ShowWaveBaseDialog(TXWaveBase& base, Environment& env, TSamplePlayer* player, QWidget* parent) {
  TWaveDB dialog(base, env, player, nullptr, parent);
  dialog.exec();
}

void ShowWaveBaseDialogAt(TXWaveBase& base, Environment& env, const QString& text, const QString& file,
                          TSamplePlayer* player, QWidget* parent) {
  // The entry of the text, or a new one for it: the file must not go to
  // whatever entry happened to be current.
  bool found = false;
  base.Find(text, &found);
  if (found) {
    base.SearchPosition(text);
  } else {
    base.InsertEmpty();
    base.SetCurrentText(text);
  }
  base.SetCurrentReference(TWaveDB::ReferenceFor(env, file));
  ShowWaveBaseDialog(base, env, player, parent);
}

void RegisterRecordingCommands(PageCommandTable& table, TXWaveBase& base, Environment& env, TSamplePlayer* player,
                               QWidget* dialogParent) {
  table.Add(23, PageCommandTable::Exact(QStringLiteral("wavebase")),
            [&base, &env, player, dialogParent](const QString&) { ShowWaveBaseDialog(base, env, player, dialogParent); });
}
