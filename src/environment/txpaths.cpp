#include "environment/txpaths.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "common/filelookup.h"
#include "common/messagebox.h"
#include "common/pagecommandtable.h"
#include "environment/environment.h"

namespace {

QLineEdit* edit(QWidget* parent, const char* name, const QString& text, const QString& hint = {}) {
  auto* e = new QLineEdit(text, parent);
  e->setObjectName(QLatin1String(name));
  if (!hint.isEmpty()) e->setToolTip(hint);
  e->setMinimumWidth(320);
  return e;
}

QPushButton* browseButton(QWidget* parent, const char* name) {
  auto* b = new QPushButton(QStringLiteral("durchsuchen..."), parent);
  b->setObjectName(QLatin1String(name));
  b->setAutoDefault(false);
  return b;
}

bool isDirectory(const QString& dir) { return !dir.isEmpty() && QFileInfo(dir).isDir(); }

}  // namespace

TXPaths::TXPaths(Environment& env, Recordings recordings, QWidget* parent)
    : QDialog(parent), env_(env), recordings_(std::move(recordings)) {
  setWindowTitle(QStringLiteral("*zvk spanisch Verzeichnisse"));
  P = new QTabWidget(this);
  P->setObjectName(QStringLiteral("P"));

  auto* program = new QWidget(P);
  eInstall = edit(program, "eInstall", env_.ProgramDir);
  eInstall->setEnabled(false);
  eBenutzer = edit(program, "eBenutzer", env_.UserDir,
                   QStringLiteral("Verzeichnis, in dem sich die Daten der Benutzerverwaltung befinden"));
  BenSuchen = browseButton(program, "BenSuchen");
  auto* programGrid = new QGridLayout(program);
  programGrid->addWidget(new QLabel(QStringLiteral("Installationsverzeichnis:"), program), 0, 0, 1, 2);
  programGrid->addWidget(eInstall, 1, 0, 1, 2);
  programGrid->addWidget(new QLabel(QStringLiteral("Benutzerverzeichnis:"), program), 2, 0, 1, 2);
  programGrid->addWidget(eBenutzer, 3, 0);
  programGrid->addWidget(BenSuchen, 3, 1);
  programGrid->setRowStretch(4, 1);
  P->addTab(program, QStringLiteral("Programm"));

  auto* waves = new QWidget(P);
  eWave = edit(waves, "eWave", env_.WaveDir);
  WAVsuchen = browseButton(waves, "WAVsuchen");
  eUser = edit(waves, "eUser", env_.OwnWaveDir, QStringLiteral("Definieren Sie hier den Alias XU:"));
  USRsuchen = browseButton(waves, "USRsuchen");
  eWi = edit(waves, "eWi", env_.WirtschaftDir);
  eRE = edit(waves, "eRE", env_.RechtDir);
  auto* grid = new QGridLayout(waves);
  grid->addWidget(new QLabel(QStringLiteral("Sprachaufnahmen von *zvk: (Verzeichnis Wave auf der CD):"), waves), 0, 0, 1, 3);
  grid->addWidget(new QLabel(QStringLiteral("XS:"), waves), 1, 0);
  grid->addWidget(eWave, 1, 1);
  grid->addWidget(WAVsuchen, 1, 2);
  grid->addWidget(new QLabel(QStringLiteral("Eigene Sprachaufnahmen:"), waves), 2, 0, 1, 3);
  grid->addWidget(new QLabel(QStringLiteral("XU:"), waves), 3, 0);
  grid->addWidget(eUser, 3, 1);
  grid->addWidget(USRsuchen, 3, 2);
  grid->addWidget(new QLabel(QStringLiteral("*zvk Erweiterungen:"), waves), 4, 0, 1, 3);
  grid->addWidget(new QLabel(QStringLiteral("XW:"), waves), 5, 0);
  grid->addWidget(eWi, 5, 1);
  grid->addWidget(new QLabel(QStringLiteral("XR:"), waves), 6, 0);
  grid->addWidget(eRE, 6, 1);
  grid->setRowStretch(7, 1);
  P->addTab(waves, QStringLiteral("Sprachaufnahmen"));

  OK = new QPushButton(QStringLiteral("OK"), this);
  OK->setObjectName(QStringLiteral("OK"));
  OK->setDefault(true);
  Button2 = new QPushButton(QStringLiteral("Abbrechen"), this);
  Button2->setObjectName(QStringLiteral("Button2"));
  Button2->setAutoDefault(false);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(OK);
  buttons->addWidget(Button2);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(P);
  layout->addLayout(buttons);

  connect(WAVsuchen, &QPushButton::clicked, this, &TXPaths::WAVsuchenClick);
  connect(USRsuchen, &QPushButton::clicked, this, &TXPaths::USRsuchenClick);
  connect(BenSuchen, &QPushButton::clicked, this, &TXPaths::BenSuchenClick);
  connect(eWave, &QLineEdit::textChanged, this, &TXPaths::eWaveChange);
  connect(OK, &QPushButton::clicked, this, [this] {
    if (OKClick()) accept();
  });
  connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
  eWaveChange();
}

QString TXPaths::DirectoryOf(const QString& text) {
  return FileLookup::withSeparator(FileLookup::nativePath(text.trimmed()));
}

QString TXPaths::browse(const QString& proposal) {
  if (Durchsuchen) return Durchsuchen(proposal);
  const QString filter = proposal.endsWith(QLatin1String(".wav"), Qt::CaseInsensitive)
                             ? QStringLiteral("Wav-Dateien (*.wav *.WAV)")
                             : QString();
  return QFileDialog::getOpenFileName(this, QString(), proposal, filter);
}

void TXPaths::eWaveChange() {
  QPalette p = eWave->palette();
  p.setColor(QPalette::Text, isDirectory(DirectoryOf(eWave->text())) ? QColor(Qt::black) : QColor(Qt::red));
  eWave->setPalette(p);
}

void TXPaths::WAVsuchenClick() {
  const QString chosen = browse(FileLookup::directoryPart(DirectoryOf(eWave->text())) + Environment::kWaveMarker);
  if (chosen.isEmpty() || chosen == eWave->text()) return;
  const QString dir = FileLookup::directoryPart(chosen);
  // Only a directory with the marker of the course's recordings.
  if (FileLookup::fileExists(dir + Environment::kWaveMarker)) eWave->setText(dir);
}

void TXPaths::USRsuchenClick() {
  const QString chosen = browse(FileLookup::directoryPart(DirectoryOf(eUser->text())) + QStringLiteral("*.wav"));
  if (chosen.isEmpty() || chosen == eUser->text()) return;
  if (QFileInfo(chosen).isFile() && chosen.endsWith(QLatin1String(".wav"), Qt::CaseInsensitive))
    eUser->setText(FileLookup::directoryPart(chosen));
}

void TXPaths::BenSuchenClick() {
  const QString chosen = browse(FileLookup::directoryPart(DirectoryOf(eBenutzer->text())) + QStringLiteral("*.txt"));
  if (chosen.isEmpty() || chosen == eBenutzer->text()) return;
  const QString dir = FileLookup::directoryPart(chosen);
  if (isDirectory(dir)) eBenutzer->setText(dir);
}

bool TXPaths::OKClick() {
  const QString ownWaves = DirectoryOf(eUser->text());
  const QString waves = DirectoryOf(eWave->text());
  const QString wirtschaft = DirectoryOf(eWi->text());
  const QString recht = DirectoryOf(eRE->text());
  const QString users = DirectoryOf(eBenutzer->text());

  // Every check before anything changes: a refused field leaves the
  // directories, the recording database and the settings as they were.
  const bool wavesChanged = waves != env_.WaveDir;
  if (wavesChanged && !waves.isEmpty()) {
    if (!isDirectory(waves)) {
      ShowMessage(QStringLiteral("Verzeichnis ") + eWave->text().trimmed() + QStringLiteral(" existiert nicht!"));
      return false;
    }
    // The next start looks for the marker; without it the recordings would be gone then.
    if (!FileLookup::fileExists(waves + Environment::kWaveMarker) &&
        AskQuestion(QStringLiteral("Im Verzeichnis ") + QDir::toNativeSeparators(waves) +
                    QStringLiteral(" fehlt die Datei ") + Environment::kWaveMarker +
                    QStringLiteral(", an der *zvk seine Sprachaufnahmen erkennt.\r"
                                   "Beim nächsten Programmstart werden sie dort nicht gefunden.\r"
                                   "Soll das Verzeichnis trotzdem übernommen werden?")) != MessageAnswer::Yes)
      return false;
  }

  int flags = 0;
  if (ownWaves != env_.OwnWaveDir) {
    env_.OwnWaveDir = ownWaves;
    const QString quote = QStringLiteral("\"");
    if (!ownWaves.isEmpty() && recordings_.hasReferencesBelow && recordings_.hasReferencesBelow(ownWaves) &&
        AskQuestion(QStringLiteral("Sollen in der Verwaltung der Sprachaufnahmen alle Verknüpfungen\r"
                                   "mit Dateien in dem Verzeichnis ") +
                        ownWaves + QStringLiteral(" durch den Alias ") + quote + QStringLiteral("XU:") + quote +
                        QStringLiteral("\rersetzt werden (empfohlen)?"),
                    MessageButtons::OkCancel) == MessageAnswer::Ok &&
        recordings_.replaceDirByAlias) {
      const int changed = recordings_.replaceDirByAlias(ownWaves);
      ShowMessage(QString::number(changed) + QStringLiteral(" Einträge wurden geändert."), MessageKind::Information);
    }
    flags |= Environment::SaveOwnWaveDir;
  }
  if (wavesChanged) {
    env_.WaveDir = waves;
    flags |= Environment::SaveWaveDir;
  }
  if (wirtschaft != env_.WirtschaftDir) {
    env_.WirtschaftDir = wirtschaft;
    flags |= Environment::SaveWirtschaftDir;
  }
  if (recht != env_.RechtDir) {
    env_.RechtDir = recht;
    flags |= Environment::SaveRechtDir;
  }
  if (users != env_.UserDir) {
    env_.UserDir = users;
    ShowMessage(QStringLiteral("Achtung: Das neue Benutzer-Verzeichnis ist erst ab dem nächsten Programmstart aktiv!"),
                MessageKind::Information);
    flags |= Environment::SaveUserDir;
  }
  if (flags) env_.SaveDirectories(flags);
  return true;
}

void RegisterPathsCommand(PageCommandTable& table, Environment& env, TXPaths::Recordings recordings,
                          QWidget* dialogParent) {
  table.Add(51, PageCommandTable::Exact(QStringLiteral("paths")), [&env, recordings, dialogParent](const QString&) {
    TXPaths dialog(env, recordings, dialogParent);
    dialog.exec();
  });
}
