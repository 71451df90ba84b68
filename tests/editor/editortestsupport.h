#pragma once

#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QApplication>
#include <QDialog>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <memory>
#include <optional>

#include "common/messagerecorder.h"
#include "common/zstream.h"
#include "dictionary/dictionarymaintenance.h"
#include "dictionary/txdatabase.h"
#include "editor/tveditor.h"
#include "environment/environment.h"
#include "environment/settingsstore.h"
#include "sound/txwavebase.h"
#include "testsupport.h"
#include "users/loginflow.h"
#include "users/txuserbase.h"
#include "vocabulary/tbibliothek.h"
#include "vocabulary/tres.h"
#include "vocabulary/vocabularytestsupport.h"

// Login dialogs nobody answers: every dialog is cancelled.
struct CancelledLoginDialogs : LoginDialogs {
  std::optional<Credentials> Wizard(const QString&) override { return std::nullopt; }
  std::optional<Credentials> Password(const QString&, const QStringList&, int, bool, const QString&) override {
    return std::nullopt;
  }
  std::optional<Credentials> NewUser() override { return std::nullopt; }
  std::optional<PasswordChange> ChangePassword(const QString&) override { return std::nullopt; }
};

// The ten lines of a record with contexts.
inline QStringList contextRecordLines(const QString& vokabel, const QString& bedeutung, const QString& kontext0,
                                      bool tip0 = false, int wortart = 0) {
  return {vokabel, bedeutung, QString(), kontext0, tip0 ? QStringLiteral("1") : QStringLiteral("0"), QString(),
          QStringLiteral("0"), QString::number(wortart), QStringLiteral("0"), QStringLiteral("0")};
}

// Closes the next modal dialog as soon as it is open (Cancel / Escape).
inline void RejectNextModalDialog(int timeoutMs = 5000) {
  auto* timer = new QTimer;
  auto* waited = new int(0);
  QObject::connect(timer, &QTimer::timeout, [timer, waited, timeoutMs] {
    *waited += 10;
    if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
      dialog->reject();
    } else if (*waited < timeoutMs) {
      return;
    }
    timer->stop();
    timer->deleteLater();
    delete waited;
  });
  timer->start(10);
}

// File dialogs of the dictionary's saving that nobody answers.
struct CancelledDictionaryDialogs : DictionaryFileDialogs {
  QString OpenFile(const QString&, const QString&) override { return {}; }
  QString SaveFile(const QString&, const QString&, const QString&) override { return {}; }
};

// A program tree with a vocabulary directory, the preview pages, a fresh
// settings store and everything the editor window is given, wired as the
// editor program wires it.
class EditorFixture : public ::testing::Test {
 protected:
  EditorFixture() : env(program.path(), store), users(env), library(env), login(env, users, dialogs) {
    env.VocabularyDir = program.mkdir(QStringLiteral("Vokabeln (S)"));
    env.PageRoot = program.path();
    // The preview pages: each names itself and prints the task's variables.
    for (const char* name : {"_ed_ein", "_ed_mch", "_ed_ktx", "_ed_richtig", "_ed_falsch1", "_ed_falsch2"})
      program.write(QStringLiteral("hzvk/%1.htx").arg(QLatin1String(name)),
                    ZStream::compress(QByteArray("<html><title>") + name +
                                      "</title>$[Aufgabe] $[lsg] <a href=\"\xA7" "close\">x</a></html>"));
    library.setUserBase(&users);
  }

  ~EditorFixture() override {
    window.reset();
    library.setUserBase(nullptr);
  }

  static QString editorKey() { return Environment::kBaseKey + QStringLiteral("\\Anonym\\Editor"); }

  QString writeLibrary(const QString& name, const QStringList& lines) const {
    return program.write(QStringLiteral("Vokabeln (S)/") + name, crlfLines(lines));
  }

  // A library of the given entries, each "<entry>=<meaning>".
  QString writeEntries(const QString& name, const QStringList& entries) const {
    QStringList lines;
    for (const QString& e : entries) lines += recordLines(e.section(QLatin1Char('='), 0, 0), e.section(QLatin1Char('='), 1));
    return writeLibrary(name, lines);
  }

  // The window, shown and active so that keys reach its fields.
  TVEditor& open() {
    window = std::make_unique<TVEditor>(
        TVEditor::Services{env, library, users, login, dictionary, mainRecordings, {&mainRecordings, nullptr}, nullptr,
                           &reserve});
    window->dictionaryDialogs = &dictionaryDialogs;
    window->show();
    window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
    return *window;
  }

  TVEditor& openWith(const QString& file) {
    TVEditor& w = open();
    w.OpenFiles({file});
    return w;
  }

  QStringList messageTexts() const {
    QStringList out;
    for (const Message& m : messages.messages()) out << m.text;
    return out;
  }

  // The lines of the record list as it shows them.
  QStringList listLines() const {
    QStringList out;
    const QAbstractItemModel* model = window->Liste->model();
    for (int r = 0; r < model->rowCount(); ++r) out << model->index(r, 0).data().toString();
    return out;
  }

  QString scoreCell(int row) const { return window->Liste->model()->index(row, 1).data().toString(); }

  QStringList entries() const {
    QStringList out;
    for (const TVokabel& v : library.Items) out << v.Vokabel;
    return out;
  }

  TestTree program;
  ScopedConfigHome home;
  SettingsStore store;
  MessageRecorder messages;
  Environment env;
  TXUserBase users;
  TBibliothek library;
  CancelledLoginDialogs dialogs;
  TLogin login;
  TXDatabase dictionary;
  CancelledDictionaryDialogs dictionaryDialogs;
  TXWaveBase mainRecordings;
  const TRes reserve;
  std::unique_ptr<TVEditor> window;
};
