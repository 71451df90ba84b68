#include "vocabulary/tftree.h"

#include <QDir>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "common/fileio.h"
#include "common/messagebox.h"
#include "environment/environment.h"
#include "users/txuserbase.h"
#include "vocabulary/libraryselection.h"
#include "vocabulary/tbibliothek.h"

namespace {

const QLatin1Char kSep('\\');

QString join(const QString& relative, const QString& name) {
  return relative.isEmpty() ? name : relative + kSep + name;
}

bool isLibraryFile(const QString& name) { return name.endsWith(QLatin1String(".asc"), Qt::CaseInsensitive); }

// The library files directly in a directory, sorted by name without regard to case.
QFileInfoList libraryFiles(const QString& dir) {
  QFileInfoList files;
  if (dir.isEmpty()) return files;
  for (const QFileInfo& info : QDir(dir).entryInfoList(QDir::Files, QDir::Name | QDir::IgnoreCase))
    if (isLibraryFile(info.fileName())) files.append(info);
  return files;
}

QFileInfoList subfolders(const QString& dir) {
  if (dir.isEmpty()) return {};
  return QDir(dir).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
}

QIcon fileIcon(const QFileInfo& info) {
  const QFileIconProvider provider;
  return provider.icon(info);
}

}  // namespace

// One folder or library file of the tree.
class TFTree::Node : public QTreeWidgetItem {
 public:
  Node(bool isFolder, QString path, QString rel)
      : folder(isFolder), fullPath(std::move(path)), relative(std::move(rel)) {}

  // Folders before files, names without regard to case.
  bool operator<(const QTreeWidgetItem& other) const override {
    const auto& o = static_cast<const Node&>(other);
    if (folder != o.folder) return folder;
    return text(ColOrt).compare(o.text(ColOrt), Qt::CaseInsensitive) < 0;
  }

  const bool folder;
  const QString fullPath;
  const QString relative;  // relative to the vocabulary directory, "\" between the parts
  // Folders: the library files directly in it (relative paths), whether the
  // children were read, and how many of the files are selected.
  QStringList files;
  bool childrenRead = false;
  int selected = 0;
  Qt::CheckState shown = Qt::Unchecked;
};

TFTree::TFTree(TBibliothek& library, QWidget* parent)
    : QDialog(parent), library_(library), vocabularyDir_(library.environment().VocabularyDir) {
  setWindowTitle(QStringLiteral("Bibliotheken auswählen"));
  resize(680, 480);

  const QString listFile = library_.ListFilePath();
  if (QFileInfo::exists(listFile)) {
    if (const auto text = FileIO::readText(listFile)) list_ = ParseList(*text).value_or(QStringList());
  }

  Tree = new QTreeWidget;
  Tree->setColumnCount(4);
  Tree->setHeaderLabels({QStringLiteral("Ort"), QStringLiteral("Bibliotheken"), QStringLiteral("aktiv"),
                         QStringLiteral("Vokabeln")});
  Tree->header()->setStretchLastSection(false);
  Tree->header()->setSectionResizeMode(ColOrt, QHeaderView::Stretch);
  for (int c = ColBibliotheken; c <= ColVokabeln; ++c)
    Tree->header()->setSectionResizeMode(c, QHeaderView::ResizeToContents);
  Tree->header()->setSectionsClickable(true);
  connect(Tree->header(), &QHeaderView::sectionClicked, this, &TFTree::headerClicked);
  connect(Tree, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) { readChildren(node(item)); });
  connect(Tree, &QTreeWidget::itemChanged, this, &TFTree::itemChanged);

  LoadButton = new QPushButton(QStringLiteral("Auswahl laden"));
  SaveButton = new QPushButton(QStringLiteral("Auswahl speichern"));
  OK = new QPushButton(QStringLiteral("OK"));
  Cancel = new QPushButton(QStringLiteral("Abbrechen"));
  OK->setDefault(true);
  connect(LoadButton, &QPushButton::clicked, this, &TFTree::loadClicked);
  connect(SaveButton, &QPushButton::clicked, this, &TFTree::saveClicked);
  connect(OK, &QPushButton::clicked, this, &TFTree::accept);
  connect(Cancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(LoadButton);
  buttons->addWidget(SaveButton);
  buttons->addStretch(1);
  buttons->addWidget(OK);
  buttons->addWidget(Cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Tree, 1);
  layout->addLayout(buttons);

  askFileName = [this](bool save, const QString& startDir) {
    const QString filter = QStringLiteral("*zvk Datei-Liste (*.xsl *.XSL)");
    if (save)
      return QFileDialog::getSaveFileName(this, QStringLiteral("Auswahl speichern"),
                                          startDir + QStringLiteral("Auswahl.xsl"), filter);
    return QFileDialog::getOpenFileName(this, QStringLiteral("Auswahl laden"), startDir, filter);
  };

  const QString rootPath = vocabularyDir_.isEmpty() ? QString() : QDir::cleanPath(vocabularyDir_);
  root_ = makeFolder(rootPath, QString(), rootPath.isEmpty() ? QString() : QDir(rootPath).dirName());
  Tree->addTopLevelItem(root_);
  readChildren(root_);
  root_->setExpanded(true);
  updateCaption();
}

TFTree::~TFTree() = default;

bool TFTree::Execute(TBibliothek& library, QWidget* parent) {
  TFTree dialog(library, parent);
  return dialog.exec() == QDialog::Accepted;
}

std::optional<QStringList> TFTree::ParseList(const QString& text) {
  QStringList list;
  for (const QString& line : FileIO::splitLines(text)) {
    for (const QChar c : line)
      if (c.category() == QChar::Other_Control && c != QLatin1Char('\t')) return std::nullopt;
    QString entry = Vocabulary::TrimBlanks(line);
    entry.replace(QLatin1Char('/'), kSep);
    if (!LibrarySelection::IsSafeRelativePath(entry)) continue;
    if (!list.contains(entry, Qt::CaseInsensitive)) list.append(entry);
  }
  return list;
}

TFTree::Node* TFTree::node(QTreeWidgetItem* item) const { return static_cast<Node*>(item); }

QTreeWidgetItem* TFTree::RootItem() const { return root_; }

QTreeWidgetItem* TFTree::FindNode(const QString& relative) const {
  QString wanted = relative;
  wanted.replace(QLatin1Char('/'), kSep);
  QTreeWidgetItem* item = root_;
  if (wanted.isEmpty()) return item;
  for (const QString& part : wanted.split(kSep, Qt::SkipEmptyParts)) {
    QTreeWidgetItem* next = nullptr;
    for (int i = 0; i < item->childCount() && !next; ++i)
      if (item->child(i)->text(ColOrt).compare(part, Qt::CaseInsensitive) == 0) next = item->child(i);
    if (!next) return nullptr;
    item = next;
  }
  return item;
}

bool TFTree::ChildrenRead(QTreeWidgetItem* item) const { return item && node(item)->childrenRead; }

bool TFTree::listed(const QString& relative) const { return list_.contains(relative, Qt::CaseInsensitive); }

TFTree::Node* TFTree::makeFolder(const QString& fullPath, const QString& relative, const QString& name) {
  auto* folder = new Node(true, fullPath, relative);
  for (const QFileInfo& info : libraryFiles(fullPath)) folder->files.append(join(relative, info.fileName()));
  folder->setText(ColOrt, name);
  if (!fullPath.isEmpty()) folder->setIcon(ColOrt, fileIcon(QFileInfo(fullPath)));
  // Only a folder with library files of its own can be ticked.
  Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (!folder->files.isEmpty()) flags |= Qt::ItemIsUserCheckable;
  folder->setFlags(flags);
  folder->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
  refreshFolder(folder);
  return folder;
}

void TFTree::readChildren(Node* folder) {
  if (!folder || !folder->folder || folder->childrenRead) return;
  folder->childrenRead = true;
  const bool wasUpdating = updating_;
  updating_ = true;
  QList<QTreeWidgetItem*> children;
  for (const QFileInfo& info : subfolders(folder->fullPath))
    children.append(makeFolder(info.filePath(), join(folder->relative, info.fileName()), info.fileName()));
  for (const QFileInfo& info : libraryFiles(folder->fullPath)) {
    auto* file = new Node(false, info.filePath(), join(folder->relative, info.fileName()));
    file->setText(ColOrt, info.fileName());
    file->setIcon(ColOrt, fileIcon(info));
    file->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    file->setCheckState(ColOrt, listed(file->relative) ? Qt::Checked : Qt::Unchecked);
    // A file that cannot be read counts 0 records.
    TVocLib scratch;
    scratch.LoadFromFile(info.filePath(), true);
    file->setText(ColVokabeln, QString::number(scratch.Count()) + QStringLiteral(" Vokabeln"));
    children.append(file);
  }
  folder->addChildren(children);
  folder->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
  if (sorted_) folder->sortChildren(ColOrt, sortOrder_);
  updating_ = wasUpdating;
}

void TFTree::refreshFolder(Node* folder) {
  folder->selected = 0;
  for (const QString& file : folder->files)
    if (listed(file)) ++folder->selected;
  const auto total = folder->files.size();
  folder->shown = folder->selected == 0 ? Qt::Unchecked
                  : folder->selected == total ? Qt::Checked
                                              : Qt::PartiallyChecked;
  const bool wasUpdating = updating_;
  updating_ = true;
  folder->setText(ColBibliotheken, QString::number(total) + QStringLiteral(" Bibliotheken"));
  folder->setText(ColAktiv,
                  folder->selected > 0 ? QString::number(folder->selected) + QStringLiteral(" ausgewählt") : QString());
  folder->setCheckState(ColOrt, folder->shown);
  updating_ = wasUpdating;
}

void TFTree::refreshAll() {
  const bool wasUpdating = updating_;
  updating_ = true;
  QList<QTreeWidgetItem*> pending{root_};
  while (!pending.isEmpty()) {
    Node* n = node(pending.takeLast());
    if (n->folder) refreshFolder(n);
    else n->setCheckState(ColOrt, listed(n->relative) ? Qt::Checked : Qt::Unchecked);
    for (int i = 0; i < n->childCount(); ++i) pending.append(n->child(i));
  }
  updating_ = wasUpdating;
}

void TFTree::itemChanged(QTreeWidgetItem* item, int column) {
  if (updating_ || column != ColOrt) return;
  Node* n = node(item);
  const Qt::CheckState state = item->checkState(ColOrt);
  if (n->folder) {
    if (state == n->shown) return;
    // A half-ticked folder cannot be chosen: a click ticks it.
    folderToggled(n, state != Qt::Unchecked);
  } else {
    const bool on = state == Qt::Checked;
    if (on == listed(n->relative)) return;
    fileToggled(n, on);
  }
  updateCaption();
}

void TFTree::fileToggled(Node* file, bool on) {
  if (on) {
    if (!listed(file->relative)) list_.append(file->relative);
  } else {
    list_.removeIf([&](const QString& entry) { return entry.compare(file->relative, Qt::CaseInsensitive) == 0; });
  }
  if (auto* parent = file->parent()) refreshFolder(node(parent));
}

void TFTree::folderToggled(Node* folder, bool on) {
  readChildren(folder);
  for (const QString& file : folder->files) {
    if (on && !listed(file)) list_.append(file);
    if (!on) list_.removeIf([&](const QString& entry) { return entry.compare(file, Qt::CaseInsensitive) == 0; });
  }
  const bool wasUpdating = updating_;
  updating_ = true;
  for (int i = 0; i < folder->childCount(); ++i) {
    Node* child = node(folder->child(i));
    if (!child->folder) child->setCheckState(ColOrt, on ? Qt::Checked : Qt::Unchecked);
  }
  updating_ = wasUpdating;
  refreshFolder(folder);
}

void TFTree::updateCaption() {
  setWindowTitle(QString::number(list_.size()) + QStringLiteral(" Bibliotheken ausgewählt"));
}

void TFTree::headerClicked(int section) {
  QHeaderView* header = Tree->header();
  if (section != ColOrt) {
    sorted_ = false;
    header->setSortIndicatorShown(false);
    return;
  }
  sortOrder_ = sorted_ && sortOrder_ == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
  sorted_ = true;
  Tree->sortItems(ColOrt, sortOrder_);
  header->setSortIndicator(ColOrt, sortOrder_);
  header->setSortIndicatorShown(true);
}

QString TFTree::SelectionName() const {
  for (int i = 0; i < root_->childCount(); ++i) {
    const Node* n = node(root_->child(i));
    // A folder without libraries of its own never stands for a selection:
    // with nothing ticked it would load everything below it.
    if (n->folder && !n->files.isEmpty() && n->selected == n->files.size() && n->selected == list_.size())
      return n->text(ColOrt);
  }
  return {};
}

void TFTree::accept() {
  std::sort(list_.begin(), list_.end(),
            [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
  const QString name = SelectionName();
  const QString listFile = library_.ListFilePath();
  QDir().mkpath(QFileInfo(listFile).absolutePath());
  const TXUserBase* users = library_.userBase();
  const FileIO::FileAccess access =
      users && users->IsLoggedIn() ? FileIO::FileAccess::Private : FileIO::FileAccess::Shared;
  if (!FileIO::writeTextLines(listFile, list_, true, access) && name.isEmpty()) {
    // The list file is the selection: without it the old list would be loaded.
    ShowMessage(QDir::toNativeSeparators(listFile) + QStringLiteral(" konnte nicht gespeichert werden!"),
                MessageKind::Stop);
    return;
  }
  library_.SetSelection(name);
  QDialog::accept();
}

QString TFTree::startDirectory() const {
  const TXUserBase* users = library_.userBase();
  if (users && users->IsLoggedIn()) {
    const QString dir = users->CurrentUserDirectory();
    if (!dir.isEmpty() && QFileInfo(dir).isDir()) return dir;
  }
  return library_.environment().ProgramDir;
}

bool TFTree::SaveSelection(const QString& path) {
  if (FileIO::writeTextLines(path, list_, true)) return true;
  ShowMessage(QDir::toNativeSeparators(path) + QStringLiteral(" konnte nicht gespeichert werden!"), MessageKind::Stop);
  return false;
}

bool TFTree::LoadSelection(const QString& path) {
  const auto text = FileIO::readText(path);
  const auto parsed = text ? ParseList(*text) : std::nullopt;
  if (!parsed) {
    ShowMessage(QDir::toNativeSeparators(path) + QStringLiteral(" konnte nicht geladen werden!"), MessageKind::Stop);
    return false;
  }
  list_ = *parsed;
  refreshAll();
  updateCaption();
  return true;
}

void TFTree::saveClicked() {
  QString path = askFileName(true, startDirectory());
  if (path.isEmpty()) return;
  if (!path.endsWith(QLatin1String(".xsl"), Qt::CaseInsensitive)) path += QStringLiteral(".xsl");
  SaveSelection(path);
}

void TFTree::loadClicked() {
  const QString path = askFileName(false, startDirectory());
  if (!path.isEmpty()) LoadSelection(path);
}
